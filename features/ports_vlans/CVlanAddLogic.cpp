#include "features/ports_vlans/CVlanAddLogic.h"

#include "common/CCodeConvert.h"
#include "common/CUtils.h"
#include "common/VlanTableOids.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/MessageBox.h"

#include <cstdlib>
#include <memory>

namespace {

const std::string kVlanForbiddenColumn = KorvelOid("10.76.19.1.7.6.1.3");

constexpr int kMinVid = 2;
constexpr int kMaxVid = 4094;

// Sends the prepared request: 0 when the switch took it, -1 without a reply,
// else the agent's error status.
int SendWrite(CCommonSNMP& session)
{
    std::unique_ptr<CSnmp> pResponse;
    if (session.send(pResponse, 0) != 0 || !pResponse)
        return -1;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    return nErrorStatus;
}

// Sets flags[p - 1] for the first nCount ports of the list that name an entry.
void SetListedPorts(const std::string& strList, int nCount, std::vector<int>& flags)
{
    int nRead = 0;
    for (const std::string& item : CVlanAddLogic::ListItems(strList)) {
        if (nRead++ >= nCount)
            break;
        const int nPort = std::atoi(item.c_str());
        if (nPort >= 1 && nPort <= static_cast<int>(flags.size()))
            flags[static_cast<size_t>(nPort - 1)] = 1;
    }
}

} // namespace

CVlanAddLogic::CVlanAddLogic() = default;

CVlanAddLogic::~CVlanAddLogic() = default;

int CVlanAddLogic::Init()
{
    StartTrunkWalk();
    return 1;
}

const VLAN_entry_info* CVlanAddLogic::FindVlan(const VLAN_entry_list* pList, int nVid)
{
    if (pList == nullptr)
        return nullptr;
    for (const VLAN_entry_info& record : *pList) {
        if (record.nVid == nVid)
            return &record;
    }
    return nullptr;
}

int CVlanAddLogic::CheckVid(const VLAN_entry_list* pList, int nVid)
{
    if (nVid > kMaxVid || nVid < kMinVid) {
        AfxMessageBox("Invalid VLAN ID, VLAN ID should be (2-4094) !");
        return 0;
    }
    if (FindVlan(pList, nVid) != nullptr) {
        AfxMessageBox("The VLAN ID has been used, please input again !");
        return 0;
    }
    return 1;
}

int CVlanAddLogic::CheckSameTrunk(const std::vector<int>& flags)
{
    if (CheckTrunkConsistency(flags))
        return 1;
    AfxMessageBox("Members in VLAN have to be in the same trunk !");
    return 0;
}

void CVlanAddLogic::GetPortFlags(const VLAN_entry_info* pRecord, std::vector<int>* pEgress, std::vector<int>* pUntagged,
                                 std::vector<int>* pNonMember, std::vector<int>* pForbidden)
{
    if (pRecord == nullptr || pEgress == nullptr || pUntagged == nullptr || pNonMember == nullptr ||
        pForbidden == nullptr)
        return;
    SetListedPorts(pRecord->szEgressPorts, pRecord->nEgressCount, *pEgress);
    SetListedPorts(pRecord->szUntaggedPorts, pRecord->nUntaggedCount, *pUntagged);
    SetListedPorts(pRecord->szForbiddenPorts, pRecord->nForbiddenCount, *pForbidden);
    auto flagOf = [](const std::vector<int>& flags, size_t i) { return i < flags.size() ? flags[i] : 0; };
    for (size_t i = 0; i < pNonMember->size(); ++i) {
        const bool bNone = flagOf(*pEgress, i) == 0 && flagOf(*pUntagged, i) == 0 && flagOf(*pForbidden, i) == 0;
        (*pNonMember)[i] = bNone ? 1 : 0;
    }
}

std::string CVlanAddLogic::AllUntaggedPorts(const VLAN_entry_list* pList)
{
    std::string strAll;
    if (pList == nullptr)
        return strAll;
    for (const VLAN_entry_info& record : *pList)
        strAll += record.szUntaggedPorts + ",";
    if (!strAll.empty())
        strAll.pop_back();
    return strAll;
}

int CVlanAddLogic::IsNotInList(int nPort, const std::string& strList)
{
    const std::string strPort = std::to_string(nPort);
    for (const std::string& item : ListItems(strList)) {
        if (item == strPort)
            return 0;
    }
    return 1;
}

int CVlanAddLogic::RemoveFromList(int nPort, std::string& strList)
{
    if (strList.empty())
        return 1;
    const std::string strPort = std::to_string(nPort);
    std::string strKept;
    for (const std::string& item : ListItems(strList)) {
        if (item == strPort)
            continue;
        if (!strKept.empty())
            strKept += ",";
        strKept += item;
    }
    strList = strKept;
    return 1;
}

std::vector<std::string> CVlanAddLogic::ListItems(const std::string& strList)
{
    std::vector<std::string> items;
    if (strList.empty())
        return items;
    size_t nStart = 0;
    for (;;) {
        const size_t nComma = strList.find(',', nStart);
        items.push_back(strList.substr(nStart, nComma - nStart));
        if (nComma == std::string::npos)
            break;
        nStart = nComma + 1;
    }
    return items;
}

int CVlanAddLogic::SetRowStatusBegin(const std::string& strVid, bool bCreate)
{
    if (!bCreate && strVid == "1")
        return 0;
    m_cCommonSNMP.Open(3);
    m_cCommonSNMP.AddValue(kVlanRowStatusColumn + "." + strVid, 1, bCreate ? "5" : "2");
    return SendWrite(m_cCommonSNMP);
}

int CVlanAddLogic::SetPortColumn(const std::string& strMask, const std::string& strVid, int nKind)
{
    const int nBytes = static_cast<int>(strMask.size() / 2);
    if (nBytes < 1) {
        AfxMessageBox("Parameter Error !");
        return 1;
    }
    const std::string* pColumn = nKind == 2   ? &kVlanForbiddenColumn
                                 : nKind == 1 ? &kVlanEgressColumn
                                 : nKind == 0 ? &kVlanUntaggedColumn
                                              : nullptr;
    if (pColumn == nullptr)
        return 1;
    std::vector<BYTE> bytes;
    CUtils::HexToByteValues(strMask, bytes, nBytes);
    m_cCommonSNMPEgrePort.Open(3);
    m_cCommonSNMPEgrePort.AddValueLen(*pColumn + "." + strVid, 2, bytes.data(), nBytes);
    return SendWrite(m_cCommonSNMPEgrePort);
}

int CVlanAddLogic::SetNameAndActivate(const std::string& strVid, const std::string& strName, int* pnFailedStep)
{
    std::string strUtf8;
    CCodeConvert::AnsiToUtf8(strName, strUtf8);
    m_cCommonSNMP.Open(3);
    m_cCommonSNMP.AddValueLen(kVlanNameColumn + "." + strVid, 2, strUtf8.data(), static_cast<int>(strUtf8.size()));
    if (pnFailedStep)
        *pnFailedStep = 0;
    // A name the switch did not take leaves the row as it is.
    if (const int nStatus = SendWrite(m_cCommonSNMP); nStatus != 0)
        return nStatus;

    Sleep(50);

    m_cCommonSNMP.Open(3);
    m_cCommonSNMP.AddValue(kVlanRowStatusColumn + "." + strVid, 1, "1");
    if (pnFailedStep)
        *pnFailedStep = 1;
    return SendWrite(m_cCommonSNMP);
}

bool CVlanAddLogic::Took(CWriteReport& report, int nStatus, const std::string& strWhat)
{
    if (nStatus == 0)
        return true;
    if (nStatus == -1)
        report.Silent(strWhat);
    else
        report.Refused(strWhat, nStatus);
    return false;
}

void CVlanAddLogic::Close()
{
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPEgrePort.Close();
    OutputDebugString("==================m_cCommonSNMPEgrePort.Close===============");
    m_cSnmpTrunkWalk.Close();
    OutputDebugString("==================m_cSnmpTrunkWalk.Close===============");
}
