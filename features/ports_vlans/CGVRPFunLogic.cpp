#include "features/ports_vlans/CGVRPFunLogic.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "common/VlanTableOids.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

const std::string kJoinTime = KorvelOid("10.76.19.1.30.2.0");
const std::string kLeaveTime = KorvelOid("10.76.19.1.30.3.0");
const std::string kLeaveAllTime = KorvelOid("10.76.19.1.30.4.0");
const std::string kGvrpPortTable = KorvelOid("10.76.19.1.30.5.1");

constexpr int kMinTimer = 100;
constexpr int kMaxTimer = 100000;
constexpr DWORD kPauseAfterSetMs = 50;

const char* const kAddFinished = "AddFinished";

// What a failed read names (CReadReport).
const char* const kGvrpPortsText = "the GVRP port settings";
const char* const kGvrpVlanIdsText = "the VLAN list";
const char* const kGvrpGlobalText = "the GVRP settings";

std::string PortColumn(int nColumn)
{
    return kGvrpPortTable + "." + std::to_string(nColumn);
}

// A value outside the field's set is shown as unknown: empty.
const char* EnabledText(const std::string& strValue)
{
    return strValue == "1" ? "Enabled" : strValue == "2" ? "Disabled" : "";
}

const char* FrameTypeText(const std::string& strValue)
{
    return strValue == "1" ? "AllFrames" : strValue == "2" ? "TaggedOnly" : "";
}

bool InTimerRange(int nValue)
{
    return nValue >= kMinTimer && nValue <= kMaxTimer;
}

} // namespace

const std::string CGVRPFunLogic::kStateOid = KorvelOid("10.76.19.1.30.1.0");

CGVRPFunLogic::CGVRPFunLogic() = default;

CGVRPFunLogic::~CGVRPFunLogic()
{
    // No call-back of ours may run once the records below go.
    CloseSessions();
}

void CGVRPFunLogic::NotifyOwner(WPARAM wParam, LPARAM lParam) const
{
    ::SendMessage(m_hOwnerWnd, WM_LOGIC_NOTIFY, wParam, lParam);
}

bool CGVRPFunLogic::IsWalkRow(CCommonSNMP& session, int nRequestID, int nStatus, const CSnmp* pResponse)
{
    if (!session.FindRequestID(nRequestID))
        return false;
    if (nStatus == 0 && pResponse != nullptr)
        return true;
    EndWalk(session, nStatus);
    return false;
}

void CGVRPFunLogic::EndWalk(CCommonSNMP& session, int nStatus)
{
    if (&session == &m_cSnmpPortTable && nStatus == SnmpStatusEndOfWalk) {
        // The table is complete: its rows go to the owner whole, before the
        // walk's "Finished". They are copied so that the lock is not held
        // while the owner handles them.
        std::vector<GVRP_port_info> rows;
        {
            std::lock_guard lock(m_csWalkData);
            rows = m_PortRowsBuilding;
        }
        NotifyOwner(kNotifyPortRows, reinterpret_cast<LPARAM>(&rows));
    }
    if (&session == &m_cSnmpVlan && nStatus == SnmpStatusEndOfWalk) {
        // The VLAN ids of a complete walk replace the last ones whole.
        std::lock_guard lock(m_csWalkData);
        m_strVlanIdList = m_strVlanIdsBuilding;
    }
    if (nStatus != SnmpStatusEndOfWalk)
        NotifyOwner(kNotifyFailed,
                    reinterpret_cast<LPARAM>(&session == &m_cSnmpVlan ? kGvrpVlanIdsText : kGvrpPortsText));
    NotifyOwner(kNotifyFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
    session.SignalDone();
}

void CGVRPFunLogic::ContinueWalk(CCommonSNMP& session, SnmpCallback pfnCallback)
{
    // A step that cannot start ends the walk as a failed one.
    if (!session.StartAsync(pfnCallback, this))
        EndWalk(session, SnmpStatusFailed);
}

// --- Reads ---

void CGVRPFunLogic::StartPortTableWalk()
{
    // Opening stops a walk that still runs, so none of its rows lands here.
    m_cSnmpPortTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_PortRowsBuilding.clear();
    }
    for (int nColumn = 1; nColumn <= 5; ++nColumn)
        m_cSnmpPortTable.AddValue(PortColumn(nColumn), SnmpValueNull);
    ContinueWalk(m_cSnmpPortTable, &CGVRPFunLogic::OnPortTableReply);
}

void CGVRPFunLogic::StartTrunkGroupWalk()
{
    StartTrunkWalk();
}

void CGVRPFunLogic::StartVlanIdWalk()
{
    m_cSnmpVlan.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_strVlanIdsBuilding.clear();
    }
    m_cSnmpVlan.AddValue(kVlanNameColumn, SnmpValueNull);
    ContinueWalk(m_cSnmpVlan, &CGVRPFunLogic::OnVlanIdReply);
}

int CGVRPFunLogic::ReadState(std::string& strState)
{
    strState.clear();
    m_cSnmpGetSet.Open(SnmpPduGet);
    m_cSnmpGetSet.AddValue(kStateOid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    switch (m_cSnmpGetSet.SendFor(pResponse)) {
    case CCommonSNMP::SendResult::Silent:
        return kStateUnanswered;
    case CCommonSNMP::SendResult::Refused:
        return kStateRefused;
    case CCommonSNMP::SendResult::Answered:
        break;
    }
    strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    return kStateRead;
}

void CGVRPFunLogic::StartGlobalRead()
{
    m_cSnmpGetSet.Open(SnmpPduGet);
    for (const std::string* pOid : {&kStateOid, &kJoinTime, &kLeaveTime, &kLeaveAllTime})
        m_cSnmpGetSet.AddValue(*pOid, SnmpValueNull);
    if (!m_cSnmpGetSet.StartAsync(&CGVRPFunLogic::OnGlobalReply, this))
        EndGlobalRead();
}

void CGVRPFunLogic::EndGlobalRead()
{
    // No settings to show: the window gets its buttons back all the same.
    NotifyOwner(kNotifyFailed, reinterpret_cast<LPARAM>(kGvrpGlobalText));
    NotifyOwner(kNotifyFinished, reinterpret_cast<LPARAM>(kWalkFinishedText));
}

int CGVRPFunLogic::OnPortTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CGVRPFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpPortTable;
    if (!pThis->IsWalkRow(session, nRequestID, nStatus, pResponse.get()))
        return 0;
    // The row's index is its port: a row of a port the switch does not have is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        GVRP_port_info row;
        row.strPort = std::to_string(nPort);
        row.strPvid = CModuleBase::RangeText(pResponse.get(), 1, 1, 4094);
        row.strGvrpState = EnabledText(CModuleBase::EnumText(pResponse.get(), 2, {1, 2}));
        row.strIngressChecking = EnabledText(CModuleBase::EnumText(pResponse.get(), 3, {1, 2}));
        row.strAcceptFrameType = FrameTypeText(CModuleBase::EnumText(pResponse.get(), 4, {1, 2}));
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_PortRowsBuilding.push_back(row);
    }
    pResponse.reset();
    pThis->ContinueWalk(session, &CGVRPFunLogic::OnPortTableReply);
    return 0;
}

int CGVRPFunLogic::OnVlanIdReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CGVRPFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpVlan;
    if (!pThis->IsWalkRow(session, nRequestID, nStatus, pResponse.get()))
        return 0;
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nVid = CUtils::RowVlanId(strSuffix); nVid != 0) {
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_strVlanIdsBuilding += std::to_string(nVid) + ",";
    }
    pResponse.reset();
    pThis->ContinueWalk(session, &CGVRPFunLogic::OnVlanIdReply);
    return 0;
}

int CGVRPFunLogic::OnGlobalReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CGVRPFunLogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpGetSet;
    if (!session.FindRequestID(nRequestID))
        return 0;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nStatus != 0 || !pResponse || nErrorStatus != 0) {
        pThis->EndGlobalRead();
        session.SignalDone();
        return 0;
    }
    // Values outside their sets, or of another type, are unknown: empty.
    GVRP_global_info info;
    const std::string strState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    info.nEnabled = strState == "1" ? 1 : strState == "2" ? 0 : -1;
    info.strJoinTime = CModuleBase::RangeText(pResponse.get(), 1, kMinTimer, kMaxTimer);
    info.strLeaveTime = CModuleBase::RangeText(pResponse.get(), 2, kMinTimer, kMaxTimer);
    info.strLeaveAllTime = CModuleBase::RangeText(pResponse.get(), 3, kMinTimer, kMaxTimer);
    pThis->NotifyOwner(kNotifyRow, reinterpret_cast<LPARAM>(&info));
    session.SignalDone();
    return 0;
}

// --- Writes ---

BOOL CGVRPFunLogic::SetPortRange(int nFromPort, int nToPort, const std::string& strPvid,
                                 const std::string& strGvrpState, const std::string& strIngressChecking,
                                 const std::string& strAcceptFrameType, CWriteReport* pReport)
{
    // Only ports of this switch are written.
    if (nFromPort <= nToPort && (nFromPort < 1 || nToPort > g_nPortCount))
        return FALSE;
    CWriteReport ownReport;
    CWriteReport& report = pReport ? *pReport : ownReport;
    for (int nPort = nFromPort; nPort <= nToPort; ++nPort) {
        const std::string strIndex = "." + std::to_string(nPort);
        m_cSnmpSet.Open(SnmpPduSet);
        m_cSnmpSet.AddValue(PortColumn(2) + strIndex, SnmpValueInteger, strPvid);
        m_cSnmpSet.AddValue(PortColumn(3) + strIndex, SnmpValueInteger, strGvrpState);
        m_cSnmpSet.AddValue(PortColumn(4) + strIndex, SnmpValueInteger, strIngressChecking);
        m_cSnmpSet.AddValue(PortColumn(5) + strIndex, SnmpValueInteger, strAcceptFrameType);
        // The first write refused or unanswered ends the range.
        if (!report.Send(m_cSnmpSet, "the GVRP settings of port " + std::to_string(nPort))) {
            report.SetProgress(CWriteReport::PortProgress("Ports", nFromPort, nPort));
            return FALSE;
        }
    }
    NotifyOwner(kNotifyAddFinished, reinterpret_cast<LPARAM>(kAddFinished));
    return TRUE;
}

// Disabling writes only the state (nothing when GVRP is disabled already);
// enabling writes the state, when it was disabled, and the checked timers.
void CGVRPFunLogic::SetGlobal(const std::string& strOldState, const std::string& strNewState,
                              const std::string& strJoin, const std::string& strLeave, const std::string& strLeaveAll,
                              CWriteReport* pReport)
{
    m_cSnmpSet.Open(SnmpPduSet);
    if (strNewState == "2") {
        if (strOldState == "2")
            return;
        m_cSnmpSet.AddValue(kStateOid, SnmpValueInteger, strNewState);
    } else {
        const int nJoin = std::atoi(strJoin.c_str());
        const int nLeave = std::atoi(strLeave.c_str());
        const int nLeaveAll = std::atoi(strLeaveAll.c_str());
        const char* pszRefusal = nullptr;
        if (!InTimerRange(nJoin))
            pszRefusal = "Join Time(100-100000).";
        else if (!InTimerRange(nLeave))
            pszRefusal = "Leave Time(100-100000).";
        else if (!InTimerRange(nLeaveAll))
            pszRefusal = "Leave_All Time(100-100000).";
        else if (nLeave - 1 < 2 * nJoin)
            pszRefusal = "Leave Time should be greater than 2*Join Time.";
        else if (nLeaveAll <= nLeave)
            pszRefusal = "Leave_All Time should be greater than Leave Time. ";
        if (pszRefusal != nullptr) {
            AfxMessageBox(pszRefusal);
            return;
        }
        if (strOldState == "2")
            m_cSnmpSet.AddValue(kStateOid, SnmpValueInteger, strNewState);
        m_cSnmpSet.AddValue(kJoinTime, SnmpValueInteger, strJoin);
        m_cSnmpSet.AddValue(kLeaveTime, SnmpValueInteger, strLeave);
        m_cSnmpSet.AddValue(kLeaveAllTime, SnmpValueInteger, strLeaveAll);
    }
    CWriteReport ownReport;
    CWriteReport& report = pReport ? *pReport : ownReport;
    if (report.Send(m_cSnmpSet, "the GVRP settings"))
        Sleep(kPauseAfterSetMs);
}

// --- Trunk groups and VLAN ids ---

BOOL CGVRPFunLogic::CheckTrunkGroupsInRange(int nFromPort, int nToPort)
{
    const std::vector<int> groups = GetTrunkPorts();
    const int nPorts = static_cast<int>(groups.size());
    for (int p = std::max(nFromPort, 1); p <= std::min(nToPort, nPorts); ++p) {
        const int nGroup = groups[static_cast<size_t>(p - 1)];
        if (nGroup == 0)
            continue;
        for (int q = 1; q <= nPorts; ++q) {
            if (groups[static_cast<size_t>(q - 1)] == nGroup && (q < nFromPort || q > nToPort)) {
                AfxMessageBox("Some ports in the same LA Group are not be included.");
                return FALSE;
            }
        }
    }
    return TRUE;
}

std::string CGVRPFunLogic::GetVlanIdList() const
{
    std::lock_guard lock(m_csWalkData);
    return m_strVlanIdList;
}

BOOL CGVRPFunLogic::HasVlanId(const std::string& strVlanId) const
{
    const std::string strItem = "," + strVlanId + ",";
    std::lock_guard lock(m_csWalkData);
    return ("," + m_strVlanIdList).find(strItem) != std::string::npos ? TRUE : FALSE;
}

void CGVRPFunLogic::CloseSessions()
{
    m_cSnmpPortTable.Close();
    // The trunk walk is the base's.
    m_cSnmpTrunkWalk.Close();
    m_cSnmpVlan.Close();
    m_cSnmpSet.Close();
    // The global read runs on the base's first session: it ends here too.
    m_cSnmpGetSet.Close();
}
