// The feature logic behind the two GVRP dialogs (CGVRPSettings, CGVRPTime),
// each of which owns one by value.
//
// It reads and writes the switch's GVRP settings: the global state with its
// Join, Leave and LeaveAll timers, and the per-port PVID, GVRP state, ingress
// checking and acceptable frame type. So that a port range never splits a
// link aggregation group, it walks the trunk member table with the base's
// trunk walk, which keeps the group of every port; it also walks the static
// VLAN table into a list of VLAN ids.
//
// Results go to the owner window (CModuleBase::SetHwnd) as WM_LOGIC_NOTIFY,
// sent from the sessions' worker threads (the record lives for the call):
//   wParam 0, lParam GVRP_global_info* the global read arrived
//   wParam 6, lParam const std::vector<GVRP_port_info>*
//                                      the port walk reached the end of the
//                                      table: its rows, whole (a failed walk
//                                      sends none, so the list keeps the last)
//   wParam 4, lParam "AddFinished"     SetPortRange wrote every port of its range
//   wParam 7, lParam const char*       a read failed (or could not start): what
//                                      it read, as a noun phrase; sent just
//                                      before its "Finished"
//   wParam 5, lParam "Finished"        the port or VLAN walk ended (each sends
//                                      its own, also when it failed), or the
//                                      global read failed
// The trunk walk reports its end as the base's WM_TRUNK_WALK_ABORTED.
// A stale reply (of a session closed or restarted) is dropped silently.
//
// The VLAN id list is written on the worker thread and read on the UI thread,
// under m_csWalkData.
//
// GVRP objects, korvelEnterprise.10.76.19.1.30 (integers as decimal text):
//   .1.0 state (1 enabled, 2 disabled) | .2.0 Join | .3.0 Leave | .4.0 LeaveAll
//   (ms, 100 to 100000) | port table .5.1, index port: .1 port, .2 PVID,
//   .3 GVRP state (1 enabled, 2 disabled), .4 ingress checking (1 enabled,
//   2 disabled), .5 acceptable frame type (1 all frames, 2 tagged only).
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/ports_vlans/GVRP_global_info.h"
#include "features/ports_vlans/GVRP_port_info.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CGVRPFunLogic : public CModuleBase
{
public:
    CGVRPFunLogic();
    ~CGVRPFunLogic() override;

    CGVRPFunLogic(const CGVRPFunLogic&) = delete;
    CGVRPFunLogic& operator=(const CGVRPFunLogic&) = delete;

    // The codes (wParam) of WM_LOGIC_NOTIFY, listed above.
    static constexpr WPARAM kNotifyRow = 0;
    static constexpr WPARAM kNotifyAddFinished = 4;
    static constexpr WPARAM kNotifyFinished = 5;
    static constexpr WPARAM kNotifyPortRows = 6;
    static constexpr WPARAM kNotifyFailed = 7;

    // The global GVRP state object, which the dialogs also read on their own
    // (CModuleBase::GetValue): "1" enabled, "2" disabled.
    static const std::string kStateOid;

    // Reads the global state in one GET on m_cSnmpGetSet. kStateRead: the
    // switch answered, strState is "1", "2" or (a value outside the set or of
    // another type) empty; else strState is empty.
    static constexpr int kStateRead = 1;
    static constexpr int kStateUnanswered = 0;
    static constexpr int kStateRefused = -1;
    int ReadState(std::string& strState);

    // The asynchronous reads; each starts one request on its own session.
    void StartPortTableWalk();
    // CModuleBase::StartTrunkWalk.
    void StartTrunkGroupWalk();
    void StartVlanIdWalk();
    // The four global objects in one GET on m_cSnmpGetSet.
    void StartGlobalRead();

    // Writes PVID, GVRP state, ingress checking and frame type to every port
    // of from..to, one SET per port in ascending order, then sends
    // "AddFinished". FALSE, at once, when a port lies outside the switch's
    // ports, and at the first SET the switch does not accept (the earlier
    // ports stay written; the report, when given, holds what failed and
    // what was written). An empty range (to below from) writes nothing and
    // succeeds.
    BOOL SetPortRange(int nFromPort, int nToPort, const std::string& strPvid, const std::string& strGvrpState,
                      const std::string& strIngressChecking, const std::string& strAcceptFrameType,
                      CWriteReport* pReport = nullptr);
    // Switches GVRP on or off and writes the timers (after checking them, with
    // a message at the first failing rule) in one SET; see the rules in the .cpp.
    void SetGlobal(const std::string& strOldState, const std::string& strNewState, const std::string& strJoin,
                   const std::string& strLeave, const std::string& strLeaveAll, CWriteReport* pReport = nullptr);
    // FALSE, after "Some ports in the same LA Group are not be included.", when
    // a port of from..to is in a trunk group that has a port outside the range.
    // Judges by the groups of the last complete trunk walk (none before one).
    BOOL CheckTrunkGroupsInRange(int nFromPort, int nToPort);

    // Stops every session of this object, the global read's too: their late
    // replies are stale and no call-back runs once it returns.
    void CloseSessions();

    // The VLAN id list ("1,10,20,") of the last complete VLAN walk.
    std::string GetVlanIdList() const;
    // TRUE when the VLAN id is in the VLAN id list.
    BOOL HasVlanId(const std::string& strVlanId) const;

    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnVlanIdReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnGlobalReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    // How a walk call-back begins: true for a row to take. A stale reply is
    // dropped; the end of a walk (or its failure) goes to EndWalk.
    bool IsWalkRow(CCommonSNMP& session, int nRequestID, int nStatus, const CSnmp* pResponse);
    // Reports a walk's end "Finished"; the port walk's end of the table
    // first sends its rows whole.
    void EndWalk(CCommonSNMP& session, int nStatus);
    // Starts the walk's next step; one that cannot start ends the walk as failed.
    void ContinueWalk(CCommonSNMP& session, SnmpCallback pfnCallback);
    // The global read failed or could not start.
    void EndGlobalRead();
    void NotifyOwner(WPARAM wParam, LPARAM lParam) const;

    // What the walks write and the dialogs read, under m_csWalkData. Declared
    // before the sessions, so the sessions (which wait for a running
    // call-back) go first.
    mutable std::mutex m_csWalkData;
    std::string m_strVlanIdList;
    std::string m_strVlanIdsBuilding;               // ids of the VLAN walk in progress
    std::vector<GVRP_port_info> m_PortRowsBuilding; // rows of the port walk in progress

    CCommonSNMP m_cSnmpPortTable; // GVRP port table walk
    CCommonSNMP m_cSnmpVlan;      // VLAN id walk
    CCommonSNMP m_cSnmpSet;       // every SET of this object
};
