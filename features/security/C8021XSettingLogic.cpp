#include "features/security/C8021XSettingLogic.h"

#include "common/CUtils.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CWnd.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <memory>

namespace {

// The columns of each walk, in request order: a reply's binding i is column
// kXxxColumns[i] of one row.
const std::vector<int> kPortColumns = {1, 11, 9, 6, 2, 3, 4, 5, 7, 8, 10};
const std::vector<int> kUserColumns = {1, 2, 3};
const std::vector<int> kRadiusColumns = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// A whole-number binding; false (field left as it was) when the row lacks
// it or holds a value of another type.
bool ReadInt(CSnmp* pResponse, int nIndex, int& value)
{
    const std::string strValue = CModuleBase::IntegerText(pResponse, nIndex);
    if (strValue.empty())
        return false;
    value = std::atoi(strValue.c_str());
    return true;
}

// A value of an enumeration; 0 for a hole or a value outside the set.
int EnumValue(CSnmp* pResponse, int nIndex, std::initializer_list<long long> values)
{
    const std::string strValue = CModuleBase::EnumText(pResponse, nIndex, values);
    return strValue.empty() ? -1 : std::atoi(strValue.c_str());
}

// The server index of a row suffix (".3"): one positive number, else 0.
int ServerIndexOfSuffix(const std::string& strSuffix)
{
    if (strSuffix.size() < 2 || strSuffix.size() > 10 || strSuffix[0] != '.' ||
        strSuffix.find_first_not_of("0123456789", 1) != std::string::npos)
        return 0;
    return std::max(std::atoi(strSuffix.c_str() + 1), 0);
}

const char* PortControlText(int nValue)
{
    switch (nValue) {
    case 1:
        return "Force UnAhthorized";
    case 2:
        return "Auto";
    case 3:
        return "Force Authorized";
    default:
        return "";
    }
}

const char* CapabilityText(int nValue)
{
    return nValue == 2 ? "None" : nValue == 1 ? "Authenticator" : "";
}

// The address octets as text by the row's address type: dotted decimal for
// IPv4, the compressed form for IPv6, eight hexadecimal digits otherwise.
std::string Dot1xAddressText(const std::string& octets, int nAddressType)
{
    const std::string hex = CUtils::BytesToAddressText(octets, nAddressType == 2 ? 2 : 1);
    if (nAddressType == 1)
        return CUtils::HexToDottedDecimal(hex);
    if (nAddressType == 2)
        return CUtils::CompressIPv6(hex);
    return hex;
}

} // namespace

const std::string C8021XSettingLogic::kStateOid = KorvelOid("10.76.19.1.23.1.1.0");
const std::string C8021XSettingLogic::kPortEntry = KorvelOid("10.76.19.1.23.2.1.1");
const std::string C8021XSettingLogic::kUserEntry = KorvelOid("10.76.19.1.23.3.1.1");
const std::string C8021XSettingLogic::kRadiusEntry = KorvelOid("10.76.19.1.23.4.2.1");

C8021XSettingLogic::C8021XSettingLogic() = default;

C8021XSettingLogic::~C8021XSettingLogic()
{
    // No call-back of ours may run once the lists go.
    CloseSessions();
}

void C8021XSettingLogic::Notify(UINT message) const
{
    ::SendMessage(m_hOwnerWnd, message, 0, 0);
}

void C8021XSettingLogic::StartWalk(const std::string& strEntry, const std::vector<int>& columns,
                                   SnmpCallback pfnReply)
{
    // Opening ends a walk that still runs: its late rows are stale.
    m_cSnmpTrunkWalk.Open(SnmpPduGetNext);
    for (int nColumn : columns)
        m_cSnmpTrunkWalk.AddValue(strEntry + "." + std::to_string(nColumn), SnmpValueNull);
    if (!m_cSnmpTrunkWalk.StartAsync(pfnReply, this, 0)) {
        // No call-back will come: the walk ends here, failed.
        {
            std::lock_guard lock(m_csLists);
            m_bLastWalkComplete = false;
        }
        Notify(WM_WALK_FINISHED);
    }
}

BOOL C8021XSettingLogic::StartPortWalk()
{
    {
        std::lock_guard lock(m_csLists);
        m_PortBuilding.clear();
    }
    StartWalk(kPortEntry, kPortColumns, &C8021XSettingLogic::OnPortTableReply);
    return TRUE;
}

void C8021XSettingLogic::StartUserWalk()
{
    {
        std::lock_guard lock(m_csLists);
        m_UserBuilding.clear();
    }
    StartWalk(kUserEntry, kUserColumns, &C8021XSettingLogic::OnUserTableReply);
}

BOOL C8021XSettingLogic::StartRadiusWalk()
{
    {
        std::lock_guard lock(m_csLists);
        m_RadiusBuilding.clear();
    }
    StartWalk(kRadiusEntry, kRadiusColumns, &C8021XSettingLogic::OnRadiusTableReply);
    return TRUE;
}

template <class Publish>
bool C8021XSettingLogic::IsWalkRow(int nRequestID, int nStatus, const CSnmp* pResponse, Publish publish)
{
    if (!m_cSnmpTrunkWalk.FindRequestID(nRequestID)) {
        Notify(WM_WALK_STALE);
        return false;
    }
    if (nStatus == 0 && pResponse != nullptr)
        return true;
    DebugTrace("iStatus != CSnmp4w::EC_NO_ERROR");
    {
        std::lock_guard lock(m_csLists);
        m_bLastWalkComplete = nStatus == SnmpStatusEndOfWalk;
        // The table is complete: its rows replace the last ones whole.
        if (m_bLastWalkComplete)
            publish();
    }
    m_cSnmpTrunkWalk.SignalDone();
    Notify(WM_WALK_FINISHED);
    return false;
}

int C8021XSettingLogic::OnPortTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021XSettingLogic*>(pUserData);
    if (!pThis->IsWalkRow(nRequestID, nStatus, pResponse.get(), [pThis] { pThis->m_PortList = pThis->m_PortBuilding; }))
        return 0;
    CSnmp* r = pResponse.get();
    // A row whose index is no port of this switch is skipped.
    std::string strSuffix;
    pThis->m_cSnmpTrunkWalk.GetIndexSuffix(0, r, strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        // Every value at the port of the row's own index; a hole or a value
        // outside its set stays unknown (-1, empty text).
        X8021_statistics_info row;
        row.nPort = nPort;
        row.strOperDirection = "BOTH";
        row.strPortStatus = "Authorized";
        if (const int nValue = EnumValue(r, 1, {0, 1}); nValue >= 0)
            row.strAdmDirection = nValue != 0 ? "In" : "Both";
        row.strPortControl = PortControlText(EnumValue(r, 2, {1, 2, 3}));
        ReadInt(r, 3, row.nTxPeriod);
        ReadInt(r, 4, row.nQuietPeriod);
        ReadInt(r, 5, row.nSuppTimeout);
        ReadInt(r, 6, row.nServerTimeout);
        ReadInt(r, 7, row.nMaxReq);
        ReadInt(r, 8, row.nReAuthPeriod);
        if (const int nValue = EnumValue(r, 9, {1, 2}); nValue >= 0)
            row.strReAuth = nValue == 2 ? "Disabled" : "Enabled";
        row.strCapability = CapabilityText(EnumValue(r, 10, {1, 2}));
        std::lock_guard lock(pThis->m_csLists);
        pThis->m_PortBuilding.push_back(row);
    }
    pThis->m_cSnmpTrunkWalk.StartRequest(&C8021XSettingLogic::OnPortTableReply, pThis, 0, 0);
    return 0;
}

int C8021XSettingLogic::OnUserTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021XSettingLogic*>(pUserData);
    if (!pThis->IsWalkRow(nRequestID, nStatus, pResponse.get(), [pThis] { pThis->m_UserList = pThis->m_UserBuilding; }))
        return 0;
    CSnmp* r = pResponse.get();
    // The row is the user its own index names (the length-prefixed name):
    // Delete destroys that row, whatever the name column says.
    X8021_User_Statistics_Info row;
    pThis->m_cSnmpTrunkWalk.GetIndexSuffix(2, r, row.strIndex);
    CModuleBase::OctetValue(r, 0, row.strUserName);
    ReadInt(r, 2, row.nRowStatus);
    if (!row.strIndex.empty()) {
        std::lock_guard lock(pThis->m_csLists);
        pThis->m_UserBuilding.push_back(row);
    }
    pThis->m_cSnmpTrunkWalk.StartRequest(&C8021XSettingLogic::OnUserTableReply, pThis, 0, 0);
    return 0;
}

int C8021XSettingLogic::OnRadiusTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021XSettingLogic*>(pUserData);
    if (!pThis->IsWalkRow(nRequestID, nStatus, pResponse.get(),
                          [pThis] { pThis->m_RadiusList = pThis->m_RadiusBuilding; }))
        return 0;
    CSnmp* r = pResponse.get();
    // The row is the server its own index names; a row whose index is no
    // server index is skipped.
    X8021_AuRadiusServer_Statistics_info row;
    std::string strSuffix;
    pThis->m_cSnmpTrunkWalk.GetIndexSuffix(9, r, strSuffix);
    row.nIndex = ServerIndexOfSuffix(strSuffix);
    ReadInt(r, 1, row.nAddressType);
    if (CModuleBase::OctetValue(r, 2, row.strAddressOctets) && row.nAddressType != 0)
        row.strAddress = Dot1xAddressText(row.strAddressOctets, row.nAddressType);
    if (CModuleBase::HasValue(r, 3))
        row.strColumn4 = CModuleBase::ValueText(r, 3);
    ReadInt(r, 4, row.nAuthPort);
    ReadInt(r, 5, row.nAcctPort);
    ReadInt(r, 6, row.nTimeout);
    ReadInt(r, 7, row.nRetransmit);
    row.bKeyRead = CModuleBase::OctetValue(r, 8, row.strKeyRead);
    ReadInt(r, 9, row.nRowStatus);
    if (row.nIndex != 0) {
        std::lock_guard lock(pThis->m_csLists);
        pThis->m_RadiusBuilding.push_back(row);
    }
    pThis->m_cSnmpTrunkWalk.StartRequest(&C8021XSettingLogic::OnRadiusTableReply, pThis, 0, 0);
    return 0;
}

BOOL C8021XSettingLogic::GetAuthState()
{
    m_cSnmpGetSet.Open(SnmpPduGet);
    m_cSnmpGetSet.AddValue(kStateOid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpGetSet.send(pResponse, 0) != 0 || !pResponse)
        return FALSE;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0)
        return FALSE;
    std::lock_guard lock(m_csLists);
    // A state outside its set is no state: 0, as before any read.
    m_nGlobalValues[0] = std::max(EnumValue(pResponse.get(), 0, {1, 2}), 0);
    return m_nGlobalValues[0] != 0 ? TRUE : FALSE;
}

bool C8021XSettingLogic::LastWalkComplete() const
{
    std::lock_guard lock(m_csLists);
    return m_bLastWalkComplete;
}

int C8021XSettingLogic::GetGlobalValue(int nIndex) const
{
    if (nIndex < 0 || nIndex > 2)
        return 0;
    std::lock_guard lock(m_csLists);
    return m_nGlobalValues[nIndex];
}

std::vector<X8021_statistics_info> C8021XSettingLogic::GetPortList() const
{
    std::lock_guard lock(m_csLists);
    return m_PortList;
}

std::vector<X8021_User_Statistics_Info> C8021XSettingLogic::GetUserList() const
{
    std::lock_guard lock(m_csLists);
    return m_UserList;
}

std::vector<X8021_AuRadiusServer_Statistics_info> C8021XSettingLogic::GetRadiusList() const
{
    std::lock_guard lock(m_csLists);
    return m_RadiusList;
}

void C8021XSettingLogic::CloseSessions()
{
    m_cSnmpSpare.Close();
    m_cSnmpSpare2.Close();
    m_cSnmpGetSet.Close();
    m_cSnmpRowStatus.Close();
    m_cSnmpTrunkWalk.Close();
}
