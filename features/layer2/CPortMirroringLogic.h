// The SNMP side of port mirroring, owned by value by the port mirroring
// dialog (CPortMirroringdlg).
//
// It reads the mirroring state, the target port and both source sets in one
// asynchronous GET and hands them to the owner window in one record:
//   WM_LOGIC_NOTIFY, wParam 0, lParam MIRROR_state_info* (valid for the call)
//   WM_LOGIC_NOTIFY, wParam 1, lParam 0: the read failed (no reply, or an
//   error status); nothing else comes.
// A state other than 1 or 2, a target outside the ports and a source set that
// is no port bitmap are unknown: the record says so, and no write may rest on
// that read. The link
// aggregation groups come from the base's trunk walk (CModuleBase::
// StartTrunkWalk), which publishes a table whole when it has read all of it;
// its end reaches the owner as WM_TRUNK_WALK_ABORTED.
//
// A configuration is written with synchronous SETs in a fixed order, through
// the action's CWriteReport: the first refused or unanswered SET ends it. The
// group check runs over m_pPortInfo, which the dialog fills first.
//
// Objects, korvelEnterprise.10.76.19.1.18: .1.0 state (1 enabled, 2 disabled),
// .2.0 target port, .3.0 RX source ports, .4.0 TX source ports (port bitmaps).
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/layer2/MIRROR_port_info.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CPortMirroringLogic : public CModuleBase
{
public:
    CPortMirroringLogic();
    ~CPortMirroringLogic() override;

    CPortMirroringLogic(const CPortMirroringLogic&) = delete;
    CPortMirroringLogic& operator=(const CPortMirroringLogic&) = delete;

    static constexpr WPARAM kNotifyState = 0;
    static constexpr WPARAM kNotifyReadFailed = 1;

    static const std::string kStateOid;
    static const std::string kTargetOid;
    static const std::string kRxPortsOid;
    static const std::string kTxPortsOid;

    // Starts the read of the four objects; false when it could not start
    // (then no message comes).
    bool GetMirrorState();
    // Starts the trunk walk.
    void WalkTrunkPorts();
    // Writes a configuration. Enabling ("1") clears both source sets when the
    // last read state was "1", then writes the target, both source sets (from
    // m_pPortInfo) and the state; disabling writes the state alone. Stops at
    // the first SET the switch does not accept, which the report records with
    // what was written before it; TRUE when all were accepted.
    BOOL SetMirror(const std::string& strLastState, const std::string& strNewState, const std::string& strTargetPort,
                   CWriteReport& report);
    // 1 when the members of every link aggregation group have the same TX and
    // RX flags in m_pPortInfo, else 0. Ports with the skip flag set start no
    // comparison.
    int CheckTrunkGroups();
    // Stops the three sessions; their late replies are dropped.
    void CloseAll();

    // The state as last read ("" before the first reply).
    std::string GetState() const;
    // Whether the last read that ended succeeded, with a state of "1" or "2"
    // and both source sets port bitmaps: only then the dialog shows what a
    // write may rest on.
    bool IsStateRead() const;

    // One record per port (index port - 1), filled by the dialog before a write.
    std::vector<MIRROR_port_info> m_pPortInfo;

    static int OnMirrorStateReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    // Written by the read's worker, read on the UI thread. Declared before
    // the sessions, so these go after them.
    mutable std::mutex m_csState;
    std::string m_strState;
    bool m_bStateRead = false;

    CCommonSNMP m_cSnmpState;
    CCommonSNMP m_cSnmpSet;
};
