#include "features/security/C8021XSettingLogic.h"

#include "common/CUtils.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CWnd.h"

#include <cstdlib>
#include <memory>

namespace {

// The columns of each walk, in request order: a reply's binding i is column
// kXxxColumns[i] of one row.
const std::vector<int> kPortColumns = {1, 11, 9, 6, 2, 3, 4, 5, 7, 8, 10};
const std::vector<int> kUserColumns = {1, 2, 3};
const std::vector<int> kRadiusColumns = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// A whole-number binding; false (field left as it was) when the row lacks it.
bool ReadInt(CSnmp* pResponse, int nIndex, int& value)
{
    if (!CModuleBase::HasValue(pResponse, nIndex))
        return false;
    value = std::atoi(CModuleBase::ValueText(pResponse, nIndex).c_str());
    return true;
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
    m_cSnmpTrunkWalk.StartRequest(pfnReply, this, 0, 0);
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
    if (nStatus == SnmpStatusEndOfWalk) {
        // The table is complete: its rows replace the last ones whole.
        std::lock_guard lock(m_csLists);
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
    if (CUtils::RowPort(strSuffix) != 0) {
        X8021_statistics_info row;
        row.strOperDirection = "BOTH";
        row.strPortStatus = "Authorized";
        int nValue = 0;
        ReadInt(r, 0, row.nPort);
        if (ReadInt(r, 1, nValue))
            row.strAdmDirection = nValue != 0 ? "In" : "Both";
        if (ReadInt(r, 2, nValue))
            row.strPortControl = PortControlText(nValue);
        ReadInt(r, 3, row.nTxPeriod);
        ReadInt(r, 4, row.nQuietPeriod);
        ReadInt(r, 5, row.nSuppTimeout);
        ReadInt(r, 6, row.nServerTimeout);
        ReadInt(r, 7, row.nMaxReq);
        ReadInt(r, 8, row.nReAuthPeriod);
        if (ReadInt(r, 9, nValue))
            row.strReAuth = nValue == 2 ? "Disabled" : "Enabled";
        if (ReadInt(r, 10, nValue))
            row.strCapability = CapabilityText(nValue);
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
    X8021_User_Statistics_Info row;
    if (CModuleBase::HasValue(r, 0))
        row.strUserName = CModuleBase::ValueText(r, 0);
    ReadInt(r, 2, row.nRowStatus);
    {
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
    X8021_AuRadiusServer_Statistics_info row;
    ReadInt(r, 0, row.nIndex);
    ReadInt(r, 1, row.nAddressType);
    if (CModuleBase::HasValue(r, 2))
        row.strAddress = Dot1xAddressText(CModuleBase::ValueText(r, 2), row.nAddressType);
    if (CModuleBase::HasValue(r, 3))
        row.strColumn4 = CModuleBase::ValueText(r, 3);
    ReadInt(r, 4, row.nAuthPort);
    ReadInt(r, 5, row.nAcctPort);
    ReadInt(r, 6, row.nTimeout);
    ReadInt(r, 7, row.nRetransmit);
    ReadInt(r, 9, row.nRowStatus);
    {
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
        return TRUE;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0)
        return TRUE;
    std::lock_guard lock(m_csLists);
    for (int i = 0; i < 3; ++i) {
        if (CModuleBase::HasValue(pResponse.get(), i))
            m_nGlobalValues[i] = std::atoi(CModuleBase::IntegerText(pResponse.get(), i).c_str());
    }
    return TRUE;
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
