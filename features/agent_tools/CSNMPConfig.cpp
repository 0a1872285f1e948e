#include "features/agent_tools/CSNMPConfig.h"

#include "common/CEditEXIPV6.h"
#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "features/agent_tools/SNMP_community_info.h"
#include "features/agent_tools/SNMP_group_info.h"
#include "features/agent_tools/SNMP_host_info.h"
#include "features/agent_tools/SNMP_user_info.h"
#include "features/agent_tools/SNMP_view_info.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

std::string AgentOid(const std::string& relative)
{
    return KorvelOid("10.76.19.1.25." + relative);
}

const std::string kAgentState = AgentOid("1.0");
const std::string kEngineID = AgentOid("7.0");
const std::string kHostColumn = AgentOid("6.2.1.");

std::string HostColumn(int nColumn)
{
    return kHostColumn + std::to_string(nColumn);
}

std::string TrapOid(int nObject)
{
    return AgentOid("8." + std::to_string(nObject) + ".0");
}

// The trap switches: the object of each slot, the general ones first, in the
// order they are read and written.
struct TrapObject
{
    int nObject;
    int nSlot;
};
constexpr TrapObject kGeneralTraps[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {11, 10}};
constexpr TrapObject kPoeTraps[] = {{6, 7}, {7, 8}, {8, 9}};

// The trap host walk's columns, in the order of a reply's values.
constexpr int kHostName = 0;    // .3
// .2 the address type and .1 the address: the row's index tells both.
constexpr int kHostVersion = 3; // .4
constexpr int kHostStatus = 4;  // .6
constexpr int kHostZone = 5;    // .5
constexpr int kHostWalkColumns[] = {3, 2, 1, 4, 6, 5};

std::string CommunityColumn(int nColumn)
{
    return AgentOid("5.1.1." + std::to_string(nColumn));
}
std::string GroupColumn(int nColumn)
{
    return AgentOid("3.1.1." + std::to_string(nColumn));
}
std::string ViewColumn(int nColumn)
{
    return AgentOid("4.1.1." + std::to_string(nColumn));
}
std::string UserColumn(int nColumn)
{
    return AgentOid("2.1.1." + std::to_string(nColumn));
}

// A code's text; a code outside the list is given as received.
std::string CodeText(const std::string& strCode, std::initializer_list<const char*> texts)
{
    const int nCode = std::atoi(strCode.c_str());
    if (nCode >= 1 && nCode <= static_cast<int>(texts.size()) && strCode == std::to_string(nCode))
        return *(texts.begin() + (nCode - 1));
    return strCode;
}

const char* const kVersionTexts[] = {"V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"};

// A binding's value; empty for a cell the reply lacks.
std::string Cell(CSnmp* pResponse, int nIndex)
{
    return CModuleBase::HasValue(pResponse, nIndex) ? CModuleBase::ValueText(pResponse, nIndex) : std::string();
}

// True when the reply came and the agent reported no error in it.
bool Answered(CSnmp* pResponse)
{
    if (pResponse == nullptr)
        return false;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    return nErrorStatus == 0;
}

std::string LowerHex(const std::string& bytes)
{
    std::string text;
    char sz[3];
    for (unsigned char c : bytes) {
        std::snprintf(sz, sizeof sz, "%02x", c);
        text += sz;
    }
    return text;
}

// The reply of a one-shot GET: a stale one is dropped; a value the switch
// gave without error goes to `deliver`; a failed or refused read hands over
// nothing, so the page stays as it is.
// A walk's reply that is no row ends the walk: the owner hears of it (lParam
// 0 at the end of the table, 1 when the walk failed). False for a row.
bool WalkEnded(CCommonSNMP& session, HWND hOwner, int nStatus)
{
    if (nStatus == 0)
        return false;
    SendMessage(hOwner, WM_LOGIC_NOTIFY, 1, nStatus == -2 ? 0 : 1);
    session.SignalDone();
    return true;
}

// A one-shot read that brought no value: the owner hears of it.
void ReadFailed(HWND hOwner)
{
    SendMessage(hOwner, WM_LOGIC_NOTIFY, 2, 0);
}

template <class Deliver>
void HandOverValue(CCommonSNMP& session, HWND hOwner, CSnmp* pResponseIn, int nRequestID, int nStatus,
                   Deliver deliver)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    if (!session.FindRequestID(nRequestID))
        return;
    if (nStatus == 0 && Answered(pResponse.get()) && CModuleBase::HasValue(pResponse.get(), 0))
        deliver(pResponse.get());
    else
        ReadFailed(hOwner);
    session.SignalDone();
}

// Starts the prepared request (a walk's first or next step); a start that
// cannot happen ends the walk as a failure, for whoever waits for its end.
void StartStep(CCommonSNMP& session, SnmpCallback pfnCallback, void* pUserData, HWND hOwner)
{
    if (!session.StartAsync(pfnCallback, pUserData))
        SendMessage(hOwner, WM_LOGIC_NOTIFY, 1, 1);
}

// The name at the front of a table index ".LEN.B1...BLEN.REST": false for an
// index that cannot be one of ours (no name, a name longer than the agent
// keeps, an arc that is no octet); strRest gets what follows, without its dot.
bool NameFromIndex(const std::string& strSuffix, std::string& strName, std::string& strRest)
{
    const std::vector<std::string> arcs = CSNMPConfig::SplitDots(strSuffix.empty() ? strSuffix : strSuffix.substr(1));
    auto arcValue = [](const std::string& arc, long& nValue) {
        if (arc.empty() || arc.size() > 3 || arc.find_first_not_of("0123456789") != std::string::npos)
            return false;
        nValue = std::atol(arc.c_str());
        return nValue <= 255;
    };
    long nLength = 0;
    if (arcs.empty() || !arcValue(arcs[0], nLength) || nLength < 1 || nLength > CSNMPConfig::kNameLength ||
        arcs.size() < static_cast<std::size_t>(nLength) + 1)
        return false;
    strName.clear();
    for (long i = 1; i <= nLength; ++i) {
        long nOctet = 0;
        if (!arcValue(arcs[static_cast<std::size_t>(i)], nOctet))
            return false;
        strName += static_cast<char>(nOctet);
    }
    strRest.clear();
    for (std::size_t i = static_cast<std::size_t>(nLength) + 1; i < arcs.size(); ++i)
        strRest += (strRest.empty() ? "" : ".") + arcs[i];
    return true;
}

} // namespace

CSNMPConfig::CSNMPConfig() = default;

CSNMPConfig::~CSNMPConfig()
{
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPGetUse.Close();
}

std::string CSNMPConfig::NameToOidIndex(const std::string& strName)
{
    std::string strIndex = "." + std::to_string(strName.size());
    for (unsigned char c : strName)
        strIndex += "." + std::to_string(static_cast<unsigned>(c));
    return strIndex;
}

std::string CSNMPConfig::NameModelIndex(const std::string& strName, const std::string& strVersion)
{
    std::string strIndex = NameToOidIndex(strName);
    if (strVersion == "v1" || strVersion == "V1")
        strIndex += ".1";
    else if (strVersion == "v2c" || strVersion == "V2c")
        strIndex += ".2";
    else if (strVersion == "v3" || strVersion == "V3")
        strIndex += ".3";
    return strIndex;
}

int CSNMPConfig::HasNoSpecialChars(const std::string& strText)
{
    return CUtils::HasNoSpecialChars(strText) ? 1 : 0;
}

std::string CSNMPConfig::Trimmed(const std::string& strText)
{
    const char* const kBlank = " \t\r\n\v\f";
    const std::size_t first = strText.find_first_not_of(kBlank);
    if (first == std::string::npos)
        return std::string();
    return strText.substr(first, strText.find_last_not_of(kBlank) - first + 1);
}

bool CSNMPConfig::IsLinkLocal(const std::string& strAddress)
{
    const std::string prefix = strAddress.substr(0, 3);
    return prefix == "fe8" || prefix == "fe9" || prefix == "fea" || prefix == "feb";
}

std::string CSNMPConfig::HostIndex(int nAddrLength, const std::string& strAddressIndex, const std::string& strType)
{
    return std::to_string(nAddrLength) + "." + strAddressIndex + "." + strType;
}

bool CSNMPConfig::SetRowStatus(CWriteReport& report, const std::string& strOid, const std::string& strValue,
                               const std::string& strWhat)
{
    if (strValue != "1" && strValue != "5" && strValue != "6") {
        AfxMessageBox("error istatus value!");
        return false;
    }
    if (report.Failed())
        return false;
    // An identifier that is none (a listed host without an address) sends nothing.
    if (!m_cCommonSNMPSet.Open(SnmpPduSet) || m_cCommonSNMPSet.AddValue(strOid, SnmpValueInteger, strValue) != 0)
        return false;
    return report.Send(m_cCommonSNMPSet, strWhat);
}

void CSNMPConfig::CloseAll()
{
    // The page is going: the ends of requests cut short by the closing are
    // no read failures to tell it of.
    m_hOwnerWnd = nullptr;
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    m_cCommonSNMPGetUse.Close();
    OutputDebugString("==================m_cCommonSNMPGetUse.Close===============");
}

// --- Agent state ---

void CSNMPConfig::GetAgentState()
{
    if (!m_cCommonSNMP.Open(SnmpPduGet)) {
        ReadFailed(m_hOwnerWnd);
        return;
    }
    m_cCommonSNMP.AddValue(kAgentState, SnmpValueNull);
    if (!m_cCommonSNMP.StartAsync(&CSNMPConfig::OnAgentStateReply, this))
        ReadFailed(m_hOwnerWnd);
}

int CSNMPConfig::OnAgentStateReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    HandOverValue(pThis->m_cCommonSNMP, pThis->m_hOwnerWnd, pResponseIn, nRequestID, nStatus, [pThis](CSnmp* pResponse) {
        COPYDATASTRUCT data;
        data.dwData = static_cast<ULONG_PTR>(std::atoi(CModuleBase::EnumText(pResponse, 0, {1, 2}).c_str()));
        SendMessage(pThis->m_hOwnerWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    });
    return 0;
}

bool CSNMPConfig::SetAgentState(CWriteReport& report, const std::string& strState)
{
    if (!m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    m_cCommonSNMPSet.AddValue(kAgentState, SnmpValueInteger, strState == "1" ? "1" : "2");
    return report.Send(m_cCommonSNMPSet, "the SNMP state");
}

// --- Communities and users ---

void CSNMPConfig::StartCommunityWalk()
{
    m_bUsersAfterCommunities = true;
    m_nCommunityWalkFailed = 0;
    if (!m_cCommonSNMPTable.Open(SnmpPduGetNext)) {
        m_nCommunityWalkFailed = 1;
        StartUsersAfterCommunities();
        return;
    }
    for (int nColumn : {1, 2, 3})
        m_cCommonSNMPTable.AddValue(CommunityColumn(nColumn), SnmpValueNull);
    if (!m_cCommonSNMPTable.StartAsync(&CSNMPConfig::OnCommunityRow, this)) {
        m_nCommunityWalkFailed = 1;
        StartUsersAfterCommunities();
    }
}

int CSNMPConfig::OnCommunityRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0) {
        session.SignalDone();
        // The users come next; their walk's end reports this one's outcome.
        pThis->m_nCommunityWalkFailed = nStatus == -2 ? 0 : 1;
        pThis->StartUsersAfterCommunities();
        return 0;
    }
    CSnmp* pRow = pResponse.get();
    // The community is the row's own index; a row whose index names none is
    // skipped.
    std::string strSuffix;
    std::string strName;
    std::string strRest;
    session.GetIndexSuffix(0, pRow, strSuffix);
    if (NameFromIndex(strSuffix, strName, strRest) && strRest.empty()) {
        SNMP_community_info info;
        CCodeConvert::Utf8ToAnsi(strName, info[0]);
        CCodeConvert::Utf8ToAnsi(Cell(pRow, 1), info[1]);
        info[2] = Cell(pRow, 2);
        SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, 100, reinterpret_cast<LPARAM>(&info));
    }
    if (!session.StartAsync(&CSNMPConfig::OnCommunityRow, pThis)) {
        pThis->m_nCommunityWalkFailed = 1;
        pThis->StartUsersAfterCommunities();
    }
    return 0;
}

bool CSNMPConfig::SetCommunityUser(CWriteReport& report, const std::string& strCommunity, const std::string& strUser)
{
    if (report.Failed() || !m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    m_cCommonSNMPSet.AddValueLen(CommunityColumn(2) + NameToOidIndex(strCommunity), SnmpValueOctetString,
                                 strUser.data(), static_cast<int>(strUser.size()));
    return report.Send(m_cCommonSNMPSet, "the user name of community \"" + strCommunity + "\"");
}

void CSNMPConfig::StartUserWalk()
{
    m_bUsersAfterCommunities = false;
    RunUserWalk();
}

void CSNMPConfig::StartUsersAfterCommunities()
{
    m_bUsersAfterCommunities = true;
    RunUserWalk();
}

void CSNMPConfig::RunUserWalk()
{
    if (!m_cCommonSNMPGetUse.Open(SnmpPduGetNext)) {
        SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, 1, m_bUsersAfterCommunities ? m_nCommunityWalkFailed.load() : 1);
        return;
    }
    for (int nColumn = 1; nColumn <= 8; ++nColumn)
        m_cCommonSNMPGetUse.AddValue(UserColumn(nColumn), SnmpValueNull);
    if (!m_cCommonSNMPGetUse.StartAsync(&CSNMPConfig::OnUserRow, this))
        SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, 1, 1);
}

int CSNMPConfig::OnUserRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPGetUse;
    if (!session.FindRequestID(nRequestID))
        return 0;
    CSnmp* pRow = pResponse.get();
    if (nStatus != 0) {
        session.SignalDone();
        // After the communities, the end tells how their walk ended.
        const int nFailed = pThis->m_bUsersAfterCommunities ? pThis->m_nCommunityWalkFailed.load()
                                                             : (nStatus == -2 ? 0 : 1);
        SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, 1, nFailed);
        return 0;
    }
    // The user and the version are the row's own index: a cell the row lacks
    // leaves its column empty, and a row whose index names no user is skipped.
    std::string strSuffix;
    std::string strName;
    std::string strModel;
    session.GetIndexSuffix(0, pRow, strSuffix);
    if (!NameFromIndex(strSuffix, strName, strModel) || (strModel != "1" && strModel != "2" && strModel != "3")) {
        StartStep(session, &CSNMPConfig::OnUserRow, pThis, pThis->m_hOwnerWnd);
        return 0;
    }
    SNMP_user_info info;
    CCodeConvert::Utf8ToAnsi(strName, info[0]);
    CCodeConvert::Utf8ToAnsi(Cell(pRow, 2), info[1]);
    info[2] = CodeText(strModel, {"V1", "V2c", "V3"});
    info[3] = CodeText(Cell(pRow, 3), {"None", "MD5", "SHA"});
    info[4] = Cell(pRow, 4);
    info[5] = CodeText(Cell(pRow, 5), {"None", "DES_CBC"});
    info[6] = Cell(pRow, 6);
    info[7] = Cell(pRow, 7);
    SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, 111, reinterpret_cast<LPARAM>(&info));
    StartStep(session, &CSNMPConfig::OnUserRow, pThis, pThis->m_hOwnerWnd);
    return 0;
}

bool CSNMPConfig::WriteUser(CWriteReport& report, const std::string& strUser, const std::string& strVersion,
                            const std::string& strGroup, const std::string& strAuthProtocol,
                            const std::string& strAuthPassword, const std::string& strPrivProtocol,
                            const std::string& strPrivPassword)
{
    const std::string strIndex = NameModelIndex(strUser, strVersion);
    const std::string strWhat = "the settings of user \"" + strUser + "\"";
    std::string strUtf8;
    CCodeConvert::AnsiToUtf8(strGroup, strUtf8);
    if (report.Failed() || !m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    // The group goes whole, with its own length.
    m_cCommonSNMPSet.AddValueLen(UserColumn(3) + strIndex, SnmpValueOctetString, strUtf8.data(),
                                 static_cast<int>(strUtf8.size()));
    if (!report.Send(m_cCommonSNMPSet, strWhat))
        return false;
    if (strVersion != "V3")
        return true;

    const std::string strAuthCode = strAuthProtocol == "MD5" ? "2" : strAuthProtocol == "SHA" ? "3" : "1";
    const bool bPrivacy = strPrivProtocol != "None";
    if (!m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    m_cCommonSNMPSet.AddValue(UserColumn(4) + strIndex, SnmpValueInteger, strAuthCode);
    if (bPrivacy)
        m_cCommonSNMPSet.AddValue(UserColumn(6) + strIndex, SnmpValueInteger, "2");
    if (!report.Send(m_cCommonSNMPSet, strWhat) || !m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    m_cCommonSNMPSet.AddValueLen(UserColumn(5) + strIndex, SnmpValueOctetString, strAuthPassword.data(),
                                 static_cast<int>(strAuthPassword.size()));
    if (bPrivacy)
        m_cCommonSNMPSet.AddValueLen(UserColumn(7) + strIndex, SnmpValueOctetString, strPrivPassword.data(),
                                     static_cast<int>(strPrivPassword.size()));
    return report.Send(m_cCommonSNMPSet, strWhat);
}

// --- Groups ---

std::string CSNMPConfig::GroupIndex(const std::string& strGroup, const std::string& strModel,
                                    const std::string& strLevel)
{
    const char* pszLevel = strLevel == "NoAuthNoPriv" ? ".1" : strLevel == "AuthNoPriv" ? ".2" : ".3";
    return NameModelIndex(strGroup, strModel) + pszLevel;
}

void CSNMPConfig::StartGroupWalk()
{
    if (!m_cCommonSNMPTable.Open(SnmpPduGetNext)) {
        SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, 1, 1);
        return;
    }
    for (int nColumn = 1; nColumn <= 7; ++nColumn)
        m_cCommonSNMPTable.AddValue(GroupColumn(nColumn), SnmpValueNull);
    StartStep(m_cCommonSNMPTable, &CSNMPConfig::OnGroupRow, this, m_hOwnerWnd);
}

int CSNMPConfig::OnGroupRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (WalkEnded(session, pThis->m_hOwnerWnd, nStatus))
        return 0;
    CSnmp* pRow = pResponse.get();
    // The group, its model and its level are the row's own index; a row
    // whose index names none is skipped.
    std::string strSuffix;
    std::string strName;
    std::string strRest;
    session.GetIndexSuffix(0, pRow, strSuffix);
    if (!NameFromIndex(strSuffix, strName, strRest) || strRest.size() != 3 || strRest[1] != '.' ||
        strRest[0] < '1' || strRest[0] > '3' || strRest[2] < '1' || strRest[2] > '3') {
        StartStep(session, &CSNMPConfig::OnGroupRow, pThis, pThis->m_hOwnerWnd);
        return 0;
    }
    SNMP_group_info info;
    CCodeConvert::Utf8ToAnsi(strName, info[0]);
    for (int i = 1; i <= 3; ++i)
        CCodeConvert::Utf8ToAnsi(Cell(pRow, i + 2), info[static_cast<std::size_t>(i)]);
    info[4] = CodeText(strRest.substr(0, 1), {"v1", "v2c", "v3"});
    info[5] = CodeText(strRest.substr(2, 1), {"NoAuthNoPriv", "AuthNoPriv", "AuthPriv"});
    info[6] = Cell(pRow, 6);
    SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    StartStep(session, &CSNMPConfig::OnGroupRow, pThis, pThis->m_hOwnerWnd);
    return 0;
}

bool CSNMPConfig::WriteGroup(CWriteReport& report, const std::string& strGroup, const std::string& strModel, const std::string& strLevel,
                             const std::string& strReadView, const std::string& strWriteView,
                             const std::string& strNotifyView)
{
    const std::string strIndex = GroupIndex(strGroup, strModel, strLevel);
    const std::string strLevelCode = strIndex.substr(strIndex.size() - 1);
    if (report.Failed() || !m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    m_cCommonSNMPSet.AddValue(GroupColumn(3) + strIndex, SnmpValueInteger, strLevelCode);
    int nColumn = 4;
    for (const std::string* pView : {&strReadView, &strWriteView, &strNotifyView}) {
        if (!pView->empty()) {
            // Each name goes whole, with its own length.
            std::string strUtf8;
            CCodeConvert::AnsiToUtf8(*pView, strUtf8);
            m_cCommonSNMPSet.AddValueLen(GroupColumn(nColumn) + strIndex, SnmpValueOctetString, strUtf8.data(),
                                         static_cast<int>(strUtf8.size()));
        }
        ++nColumn;
    }
    return report.Send(m_cCommonSNMPSet, "the views of group \"" + strGroup + "\"");
}

// --- Views ---

std::vector<std::string> CSNMPConfig::SplitDots(const std::string& strText)
{
    std::vector<std::string> elements;
    for (std::size_t start = 0; start <= strText.size();) {
        std::size_t dot = strText.find('.', start);
        if (dot == std::string::npos)
            dot = strText.size();
        elements.push_back(strText.substr(start, dot - start));
        start = dot + 1;
    }
    return elements;
}

std::string CSNMPConfig::ViewIndex(const std::string& strName, const std::string& strSubtree)
{
    const auto nArcs = std::count(strSubtree.begin(), strSubtree.end(), '.') + 1;
    return NameToOidIndex(strName) + "." + std::to_string(nArcs) + "." + strSubtree;
}

void CSNMPConfig::StartViewWalk()
{
    if (!m_cCommonSNMPTable.Open(SnmpPduGetNext)) {
        SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, 1, 1);
        return;
    }
    for (int nColumn : {1, 3, 4, 5})
        m_cCommonSNMPTable.AddValue(ViewColumn(nColumn), SnmpValueNull);
    StartStep(m_cCommonSNMPTable, &CSNMPConfig::OnViewRow, this, m_hOwnerWnd);
}

int CSNMPConfig::OnViewRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (WalkEnded(session, pThis->m_hOwnerWnd, nStatus))
        return 0;
    CSnmp* pRow = pResponse.get();
    SNMP_view_info info;

    // The index: name length L, the name's L octets, subtree length n, the
    // subtree. The name is taken from it; a row whose index names none is
    // skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pRow, strSuffix);
    std::string strName;
    std::string strRest;
    if (!NameFromIndex(strSuffix, strName, strRest)) {
        StartStep(session, &CSNMPConfig::OnViewRow, pThis, pThis->m_hOwnerWnd);
        return 0;
    }
    CCodeConvert::Utf8ToAnsi(strName, info[0]);
    DebugTrace("view index %s", strSuffix.c_str());
    const std::vector<std::string> arcs = SplitDots(strSuffix.empty() ? strSuffix : strSuffix.substr(1));
    std::size_t nSubtree = 0;
    const std::size_t nNameLength = arcs.empty() ? 0 : static_cast<std::size_t>(std::atoi(arcs[0].c_str()));
    if (nNameLength + 1 < arcs.size()) {
        nSubtree = static_cast<std::size_t>(std::atoi(arcs[nNameLength + 1].c_str()));
        for (std::size_t i = nNameLength + 2; i < arcs.size(); ++i) {
            if (!info[1].empty())
                info[1] += '.';
            info[1] += arcs[i];
        }
    }
    // No more octets than the value holds.
    const std::string strMask = Cell(pRow, 1);
    for (std::size_t i = 0; i < nSubtree && i < strMask.size(); ++i) {
        if (i != 0)
            info[2] += '.';
        info[2] += std::to_string(static_cast<int>(static_cast<signed char>(strMask[i])));
    }
    const std::string strType = Cell(pRow, 2);
    info[3] = strType == "1" ? "Included" : strType == "2" ? "Excluded" : "";
    info[4] = Cell(pRow, 3);
    SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    StartStep(session, &CSNMPConfig::OnViewRow, pThis, pThis->m_hOwnerWnd);
    return 0;
}

bool CSNMPConfig::WriteView(CWriteReport& report, const std::string& strName, const std::string& strSubtree, const std::string& strMask,
                            const std::string& strType)
{
    const std::string strIndex = ViewIndex(strName, strSubtree);
    std::string strHex;
    const std::vector<std::string> elements = SplitDots(strMask);
    for (const std::string& element : elements)
        strHex += element == "0" ? "00" : element == "1" ? "01" : element;
    const int nElements = static_cast<int>(elements.size());
    std::vector<BYTE> octets;
    CUtils::HexToByteValues(strHex, octets, nElements);
    if (report.Failed() || !m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    static const BYTE kNone = 0;
    m_cCommonSNMPSet.AddValueLen(ViewColumn(3) + strIndex, SnmpValueOctetString,
                                 octets.empty() ? &kNone : octets.data(), static_cast<int>(octets.size()));
    m_cCommonSNMPSet.AddValue(ViewColumn(4) + strIndex, SnmpValueInteger, strType == "Included" ? "1" : "2");
    return report.Send(m_cCommonSNMPSet, "the mask and type of view \"" + strName + "\"");
}

// --- Trap hosts ---

void CSNMPConfig::StartHostWalk()
{
    if (!m_cCommonSNMPTable.Open(SnmpPduGetNext)) {
        SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, 1, 1);
        return;
    }
    for (int nColumn : kHostWalkColumns)
        m_cCommonSNMPTable.AddValue(HostColumn(nColumn), SnmpValueNull);
    StartStep(m_cCommonSNMPTable, &CSNMPConfig::OnHostRow, this, m_hOwnerWnd);
}

int CSNMPConfig::OnHostRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (WalkEnded(session, pThis->m_hOwnerWnd, nStatus))
        return 0;

    CSnmp* pRow = pResponse.get();
    SNMP_host_info info;
    // The address and its type are the row's own index (length, octets,
    // type); a row whose index is no address is skipped.
    std::string strSuffix;
    std::string strOctets;
    session.GetIndexSuffix(0, pRow, strSuffix);
    if (!NameFromIndex(strSuffix, strOctets, info[1]) ||
        !((info[1] == "1" && strOctets.size() == 4) || (info[1] == "2" && strOctets.size() == 16))) {
        StartStep(session, &CSNMPConfig::OnHostRow, pThis, pThis->m_hOwnerWnd);
        return 0;
    }
    CCodeConvert::Utf8ToAnsi(Cell(pRow, kHostName), info[3]);
    if (info[1] == "1")
        info[0] = CUtils::HexToDottedDecimal(CUtils::BytesToAddressText(strOctets, 1));
    else
        info[0] = CUtils::CompressIPv6(CUtils::BytesToAddressText(strOctets, 2));
    const int nVersion = std::atoi(Cell(pRow, kHostVersion).c_str());
    if (nVersion >= 1 && nVersion <= 5)
        info[2] = kVersionTexts[nVersion - 1];
    info[4] = Cell(pRow, kHostZone);
    info[5] = Cell(pRow, kHostStatus);
    SendMessage(pThis->m_hOwnerWnd, WM_LOGIC_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    StartStep(session, &CSNMPConfig::OnHostRow, pThis, pThis->m_hOwnerWnd);
    return 0;
}

bool CSNMPConfig::WriteHost(CWriteReport& report, const std::string& strName, const std::string& /*strIndex*/,
                            const std::string& strVersion)
{
    if (m_pAddressEdit == nullptr || report.Failed())
        return false;
    const std::string strAddressIndex = m_pAddressEdit->GetOidIndex();
    const std::string strIndex =
        "." + HostIndex(m_pAddressEdit->m_nAddrLength, strAddressIndex, m_pAddressEdit->m_strAddrType);

    std::string strUtf8;
    CCodeConvert::AnsiToUtf8(strName, strUtf8);
    if (!m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    // The name goes whole, with its own length.
    m_cCommonSNMPSet.AddValueLen(HostColumn(3) + strIndex, SnmpValueOctetString, strUtf8.data(),
                                 static_cast<int>(strUtf8.size()));
    m_cCommonSNMPSet.AddValue(HostColumn(4) + strIndex, SnmpValueInteger, strVersion);
    if (IsLinkLocal(m_pAddressEdit->m_strAddress)) {
        const std::string& strZone = m_pAddressEdit->m_strZone;
        m_cCommonSNMPSet.AddValueLen(HostColumn(5) + strIndex, SnmpValueOctetString, strZone.data(),
                                     static_cast<int>(strZone.size()));
    }
    return report.Send(m_cCommonSNMPSet, "the settings of trap host " + m_pAddressEdit->m_strAddress);
}

// --- Engine ID ---

void CSNMPConfig::GetEngineID()
{
    if (!m_cCommonSNMPTable.Open(SnmpPduGet)) {
        ReadFailed(m_hOwnerWnd);
        return;
    }
    m_cCommonSNMPTable.AddValue(kEngineID, SnmpValueNull);
    if (!m_cCommonSNMPTable.StartAsync(&CSNMPConfig::OnEngineIDReply, this))
        ReadFailed(m_hOwnerWnd);
}

int CSNMPConfig::OnEngineIDReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CSNMPConfig*>(pUserData);
    HandOverValue(pThis->m_cCommonSNMPTable, pThis->m_hOwnerWnd, pResponseIn, nRequestID, nStatus, [pThis](CSnmp* pResponse) {
        std::string strText = LowerHex(CModuleBase::ValueText(pResponse, 0));
        COPYDATASTRUCT data;
        data.dwData = 0;
        data.cbData = static_cast<DWORD>(strText.size() + 1);
        data.lpData = strText.data();
        SendMessage(pThis->m_hOwnerWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    });
    return 0;
}

std::string CSNMPConfig::DefaultEngineID(const std::string& strModelName)
{
    if (strModelName == "KSX-Gannet" || strModelName == "KSX-Heron")
        return LowerHex("KSX-Gannet") + "00" + "0102030405";
    if (strModelName == "KSX-Ibis")
        return LowerHex("KSX-Ibis") + "00" + "3701824096";
    return std::string();
}

bool CSNMPConfig::SetEngineID(CWriteReport& report, const std::string& strHex, int nUseDefault)
{
    std::string strText = nUseDefault == 1 ? DefaultEngineID(g_strModelName) : strHex;
    if (strText.size() % 2 != 0)
        strText.insert(strText.begin(), '0');
    std::vector<BYTE> octets;
    CUtils::HexToByteValues(strText, octets, static_cast<int>(strText.size() / 2));
    if (!m_cCommonSNMPSet.Open(SnmpPduSet))
        return false;
    static const BYTE kNone = 0;
    m_cCommonSNMPSet.AddValueLen(kEngineID, SnmpValueOctetString, octets.empty() ? &kNone : octets.data(),
                                 static_cast<int>(octets.size()));
    return report.Send(m_cCommonSNMPSet, "the engine ID");
}

// --- Trap switches ---

void CSNMPConfig::GetTrapSettings(int nWithPoe)
{
    if (!m_cCommonSNMP.Open(SnmpPduGet)) {
        ReadFailed(m_hOwnerWnd);
        return;
    }
    std::vector<int> slots;
    for (const TrapObject& trap : kGeneralTraps) {
        m_cCommonSNMP.AddValue(TrapOid(trap.nObject), SnmpValueNull);
        slots.push_back(trap.nSlot);
    }
    if (nWithPoe != 0) {
        for (const TrapObject& trap : kPoeTraps) {
            m_cCommonSNMP.AddValue(TrapOid(trap.nObject), SnmpValueNull);
            slots.push_back(trap.nSlot);
        }
    }
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMP.send(pResponse, 0) != 0 || !Answered(pResponse.get())) {
        ReadFailed(m_hOwnerWnd);
        return;
    }
    SNMP_trap_info info;
    for (std::size_t i = 0; i < slots.size(); ++i)
        info[static_cast<std::size_t>(slots[i])] = CModuleBase::EnumText(pResponse.get(), static_cast<int>(i), {1, 2});
    SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
}

bool CSNMPConfig::SetTrapSettings(CWriteReport& report, const SNMP_trap_info& flags, int nWithPoe)
{
    if (!m_cCommonSNMP.Open(SnmpPduSet))
        return false;
    for (const TrapObject& trap : kGeneralTraps)
        m_cCommonSNMP.AddValue(TrapOid(trap.nObject), SnmpValueInteger, flags[static_cast<std::size_t>(trap.nSlot)]);
    if (nWithPoe != 0) {
        for (const TrapObject& trap : kPoeTraps)
            m_cCommonSNMP.AddValue(TrapOid(trap.nObject), SnmpValueInteger,
                                   flags[static_cast<std::size_t>(trap.nSlot)]);
    }
    return report.Send(m_cCommonSNMP, "the trap settings");
}
