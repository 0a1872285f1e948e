#include "features/layer2/CIGMPSnoopingLogic.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/VlanTableOids.h"
#include "features/layer2/Layer2Writes.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CWnd.h"

#include <cstdio>
#include <memory>

namespace {

const std::string kGlobals = KorvelOid("10.76.19.1.10.1");
const std::string kVlanTable = KorvelOid("10.76.19.1.10.3.4.1");
const std::string kEntryTable = KorvelOid("10.76.19.1.10.3.5.1");
const std::string kVlanMembersColumn = KorvelOid("10.76.19.1.7.6.1.2");

constexpr int kGlobalsTimeoutMs = 4000;

std::string GlobalOid(int nIndex)
{
    return kGlobals + "." + std::to_string(nIndex + 1) + ".0";
}

std::string VlanColumn(int nColumn)
{
    return kVlanTable + "." + std::to_string(nColumn);
}

// A state as the list shows it: "1" or "2"; anything else is unknown, empty.
std::string StateValue(CSnmp* pResponse, int nIndex)
{
    const std::string strValue = CModuleBase::IntegerText(pResponse, nIndex);
    return strValue == "1" || strValue == "2" ? strValue : std::string();
}

std::string PortListOf(const std::string& strBitmap)
{
    int nCount = 0;
    return CUtils::PortBitmapToList(strBitmap, nCount);
}

// Octet i of the value, 0 beyond its end.
unsigned Octet(const std::string& strOctets, std::size_t i)
{
    return i < strOctets.size() ? static_cast<unsigned char>(strOctets[i]) : 0U;
}

} // namespace

CIGMPSnoopingLogic::CIGMPSnoopingLogic() = default;

CIGMPSnoopingLogic::~CIGMPSnoopingLogic()
{
    // No call-back of ours may run once the rows go.
    CloseSessions();
}

void CIGMPSnoopingLogic::Notify(UINT nMessage, WPARAM wParam, LPARAM lParam) const
{
    ::SendMessage(m_hNotifyWnd, nMessage, wParam, lParam);
}

// --- The walks ---

void CIGMPSnoopingLogic::StartWalk(CCommonSNMP& session, const std::vector<std::string>& columns,
                                   SnmpCallback pfnCallback, UINT nMessage)
{
    // Opening stops a walk that still runs: its late rows are stale.
    const bool bReady = session.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkRows);
        if (nMessage == WM_IGMP_NOTIFY)
            m_vlanRows.clear();
        else
            m_entryRows.clear();
    }
    if (!bReady) {
        EndWalk(nMessage, false);
        return;
    }
    for (const std::string& strColumn : columns)
        session.AddValue(strColumn, SnmpValueNull);
    // A walk that cannot start ends as a failed one.
    if (!session.StartAsync(pfnCallback, this))
        EndWalk(nMessage, false);
}

bool CIGMPSnoopingLogic::IsWalkRow(CCommonSNMP& session, int nRequestID, int nStatus, const CSnmp* pResponse,
                                   UINT nMessage)
{
    if (!session.FindRequestID(nRequestID))
        return false;
    if (nStatus == SnmpStatusOk && pResponse != nullptr)
        return true;
    session.SignalDone();
    EndWalk(nMessage, nStatus == SnmpStatusEndOfWalk);
    return false;
}

namespace {

// Sends copies of the rows (so the lock is not held while the window handles
// them), each with wParam 0.
template <class Row> void SendRows(HWND hWnd, UINT nMessage, std::mutex& lock, const std::vector<Row>& building)
{
    std::vector<Row> rows;
    {
        std::lock_guard guard(lock);
        rows = building;
    }
    for (Row& row : rows)
        ::SendMessage(hWnd, nMessage, CIGMPSnoopingLogic::kNotifyRow, reinterpret_cast<LPARAM>(&row));
}

} // namespace

void CIGMPSnoopingLogic::EndWalk(UINT nMessage, bool bComplete)
{
    if (bComplete && nMessage == WM_IGMP_NOTIFY)
        SendRows(m_hNotifyWnd, nMessage, m_csWalkRows, m_vlanRows);
    else if (bComplete)
        SendRows(m_hNotifyWnd, nMessage, m_csWalkRows, m_entryRows);
    Notify(nMessage, kNotifyEnd, bComplete ? 1 : 0);
}

// --- Globals ---

bool CIGMPSnoopingLogic::ReadGlobals()
{
    if (!m_cSnmpGet.Open(SnmpPduGet))
        return false;
    for (int i = 0; i < IGMP_global_info::kCount; ++i)
        m_cSnmpGet.AddValue(GlobalOid(i), SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpGet.send(pResponse, kGlobalsTimeoutMs) != SnmpStatusOk || !pResponse)
        return false;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0 || pResponse->getVarBindCount() < IGMP_global_info::kCount)
        return false;
    for (int i = 0; i < IGMP_global_info::kCount; ++i)
        m_globalInfo.str[static_cast<std::size_t>(i)] = CModuleBase::IntegerText(pResponse.get(), i);
    Notify(WM_IGMP_NOTIFY, kNotifyGlobals, 0);
    return true;
}

// Switching snooping off writes the state alone (nothing when it is off
// already). Switching it on writes the state in a request of its own first;
// the changed values are then added to that same request, which is sent
// again, so its second send carries the state once more. Only changed values
// are written. The first request that fails ends it.
BOOL CIGMPSnoopingLogic::WriteGlobals(IGMP_global_info oldInfo, IGMP_global_info newInfo, CWriteReport* pReport)
{
    CWriteReport localReport;
    CWriteReport& report = pReport != nullptr ? *pReport : localReport;
    const std::string& strOldState = oldInfo.str[0];
    const std::string& strNewState = newInfo.str[0];
    if (strOldState == strNewState && strNewState == "2")
        return TRUE;
    if (!m_cSnmpSet.Open(SnmpPduSet)) {
        report.Silent("the IGMP snooping settings");
        return FALSE;
    }
    layer2::WriteSequence writes(report);
    if (strOldState != strNewState) {
        m_cSnmpSet.AddValue(GlobalOid(0), SnmpValueInteger, strNewState);
        if (!writes.Send(m_cSnmpSet, "the IGMP snooping state"))
            return FALSE;
        if (strNewState == "2")
            return TRUE;
    }
    if (strNewState != "1")
        return FALSE;
    bool bChanged = false;
    for (int i = 1; i < IGMP_global_info::kCount; ++i) {
        const auto n = static_cast<std::size_t>(i);
        if (newInfo.str[n] != oldInfo.str[n]) {
            m_cSnmpSet.AddValue(GlobalOid(i), SnmpValueInteger, newInfo.str[n]);
            bChanged = true;
        }
    }
    // A request without bindings is not sent.
    if (!bChanged && strOldState == strNewState)
        return FALSE;
    return writes.Send(m_cSnmpSet, "the IGMP snooping settings") ? TRUE : FALSE;
}

// --- The per-VLAN walk ---

void CIGMPSnoopingLogic::StartIgmpVlanWalk()
{
    StartWalk(m_cSnmpIgmpVlanWalk,
              {VlanColumn(1), kVlanNameColumn, VlanColumn(2), VlanColumn(4), VlanColumn(8), VlanColumn(6)},
              &CIGMPSnoopingLogic::OnIgmpVlanReply, WM_IGMP_NOTIFY);
}

int CIGMPSnoopingLogic::OnIgmpVlanReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CIGMPSnoopingLogic*>(pUserData);
    if (!pThis->IsWalkRow(pThis->m_cSnmpIgmpVlanWalk, nRequestID, nStatus, pResponse.get(), WM_IGMP_NOTIFY))
        return 0;
    pThis->StoreVlanRow(pResponse.get());
    pThis->m_cSnmpIgmpVlanWalk.StartRequest(&CIGMPSnoopingLogic::OnIgmpVlanReply, pThis, 0, 0);
    return 0;
}

// A step's bindings all stand at one row's index (the walk gives a cell that
// a table lacks there as no value): the row is the VLAN of that index. A VLAN
// that only the VLAN table knows has no snooping row; an index that is no
// VLAN id is skipped.
void CIGMPSnoopingLogic::StoreVlanRow(CSnmp* pResponse)
{
    std::string strSuffix;
    m_cSnmpIgmpVlanWalk.GetIndexSuffix(0, pResponse, strSuffix);
    const int nVid = CUtils::RowVlanId(strSuffix);
    bool bSnooped = false;
    for (int i : {0, 2, 3, 4, 5})
        bSnooped = bSnooped || CModuleBase::HasValue(pResponse, i);
    if (nVid == 0 || !bSnooped)
        return;
    IGMP_vlan_info row;
    row.str[0] = std::to_string(nVid);
    row.str[1] = CModuleBase::ValueText(pResponse, 1);
    row.str[2] = StateValue(pResponse, 2);
    row.str[3] = StateValue(pResponse, 3);
    row.str[4] = StateValue(pResponse, 4);
    row.str[5] = PortListOf(CModuleBase::ValueText(pResponse, 5));
    std::lock_guard lock(m_csWalkRows);
    m_vlanRows.push_back(row);
}

// --- One VLAN's settings ---

BOOL CIGMPSnoopingLogic::SetVlanSettings(const std::string& strVid, const std::string& strOldState,
                                         const std::string& strNewState, const std::string& strQuerier,
                                         const std::string& strFastLeave, const std::string& /*strExtra*/,
                                         CWriteReport* pReport)
{
    CWriteReport localReport;
    CWriteReport& report = pReport != nullptr ? *pReport : localReport;
    if (strOldState == "2" && strNewState == "2")
        return TRUE;
    // An unknown old state adds nothing: a request without bindings is not sent.
    if (strOldState != "1" && strOldState != "2")
        return FALSE;
    const std::string strIndex = "." + strVid;
    const std::string strWhat = "the IGMP snooping settings of VLAN " + strVid;
    if (!m_cSnmpSet.Open(SnmpPduSet)) {
        report.Silent(strWhat);
        return FALSE;
    }
    layer2::WriteSequence writes(report);
    if (strOldState == "2") {
        // On first, in a request of its own; the request keeps that binding
        // for its second send. A state the switch did not take ends it.
        m_cSnmpSet.AddValue(VlanColumn(2) + strIndex, SnmpValueInteger, strNewState);
        if (!writes.Send(m_cSnmpSet, "the IGMP snooping state of VLAN " + strVid))
            return FALSE;
        m_cSnmpSet.AddValue(VlanColumn(4) + strIndex, SnmpValueInteger, strQuerier);
        m_cSnmpSet.AddValue(VlanColumn(8) + strIndex, SnmpValueInteger, strFastLeave);
    } else {
        m_cSnmpSet.AddValue(VlanColumn(4) + strIndex, SnmpValueInteger, strQuerier);
        m_cSnmpSet.AddValue(VlanColumn(8) + strIndex, SnmpValueInteger, strFastLeave);
        if (strNewState == "2")
            m_cSnmpSet.AddValue(VlanColumn(2) + strIndex, SnmpValueInteger, "2");
    }
    return writes.Send(m_cSnmpSet, strWhat) ? TRUE : FALSE;
}

BOOL CIGMPSnoopingLogic::SetRouterPorts(const std::string& strVid, const BYTE* pBitmap, int nLength,
                                        CWriteReport* pReport)
{
    CWriteReport localReport;
    CWriteReport& report = pReport != nullptr ? *pReport : localReport;
    const std::string strWhat = "the router ports of VLAN " + strVid;
    if (!m_cSnmpGet.Open(SnmpPduSet) ||
        m_cSnmpGet.AddValueLen(VlanColumn(6) + "." + strVid, SnmpValueOctetString, pBitmap, nLength) != 0) {
        report.Silent(strWhat);
        return FALSE;
    }
    return report.Send(m_cSnmpGet, strWhat) ? TRUE : FALSE;
}

std::string CIGMPSnoopingLogic::GetVlanMemberPorts(const std::string& strVid)
{
    std::string strBitmap;
    if (!GetValue(kVlanMembersColumn + "." + strVid, strBitmap))
        return std::string();
    return PortListOf(strBitmap);
}

// --- The group walk ---

void CIGMPSnoopingLogic::StartMulticastEntryWalk()
{
    std::vector<std::string> columns;
    for (int nColumn = 1; nColumn <= 4; ++nColumn)
        columns.push_back(kEntryTable + "." + std::to_string(nColumn));
    StartWalk(m_cSnmpEntryWalk, columns, &CIGMPSnoopingLogic::GetMulticastEntryinfoProc, WM_IGMP_ENTRY_NOTIFY);
}

int CIGMPSnoopingLogic::GetMulticastEntryinfoProc(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CIGMPSnoopingLogic*>(pUserData);
    if (!pThis->IsWalkRow(pThis->m_cSnmpEntryWalk, nRequestID, nStatus, pResponse.get(), WM_IGMP_ENTRY_NOTIFY))
        return 0;
    pThis->StoreEntryRow(pResponse.get());
    pThis->m_cSnmpEntryWalk.StartRequest(&CIGMPSnoopingLogic::GetMulticastEntryinfoProc, pThis, 0, 0);
    return 0;
}

// A step's bindings all stand at one row's index, which places the row; its
// texts come from its four columns, whatever form the switch gives the index.
// A VLAN id outside 1..4094 or a value of another type than its column's is
// unknown (empty); an address shorter than its octets is filled with zeros.
void CIGMPSnoopingLogic::StoreEntryRow(CSnmp* pResponse)
{
    IGMP_entry_info row;
    if (!BuildEntryRow(pResponse, row))
        return;
    std::lock_guard lock(m_csWalkRows);
    m_entryRows.push_back(row);
}

bool CIGMPSnoopingLogic::BuildEntryRow(CSnmp* pResponse, IGMP_entry_info& row)
{
    bool bAny = false;
    for (int i = 0; i < 4; ++i)
        bAny = bAny || CModuleBase::HasValue(pResponse, i);
    if (!bAny)
        return false;
    std::string strOctets;
    row.str[0] = CModuleBase::RangeText(pResponse, 0, 1, 4094);
    row.str[1] = CModuleBase::OctetValue(pResponse, 1, strOctets) ? GroupAddressText(strOctets) : std::string();
    row.str[2] = CModuleBase::OctetValue(pResponse, 2, strOctets) ? GroupMacText(strOctets) : std::string();
    row.str[3] = CModuleBase::OctetValue(pResponse, 3, strOctets) ? PortListOf(strOctets) : std::string();
    return true;
}

std::string CIGMPSnoopingLogic::GroupAddressText(const std::string& strOctets)
{
    char szText[16];
    std::snprintf(szText, sizeof szText, "%u.%u.%u.%u", Octet(strOctets, 0), Octet(strOctets, 1),
                  Octet(strOctets, 2), Octet(strOctets, 3));
    return szText;
}

std::string CIGMPSnoopingLogic::GroupMacText(const std::string& strOctets)
{
    char szText[18];
    std::snprintf(szText, sizeof szText, "%02X-%02X-%02X-%02X-%02X-%02X", Octet(strOctets, 0), Octet(strOctets, 1),
                  Octet(strOctets, 2), Octet(strOctets, 3), Octet(strOctets, 4), Octet(strOctets, 5));
    return szText;
}

void CIGMPSnoopingLogic::CloseSessions()
{
    m_cSnmpGet.Close();
    m_cSnmpSet.Close();
    m_cSnmpEntryWalk.Close();
    m_cSnmpIgmpVlanWalk.Close();
    // The VLAN settings dialog runs the base's trunk walk on this object.
    m_cSnmpTrunkWalk.Close();
}
