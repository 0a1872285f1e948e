// The SNMP side of loopback detection, owned by value by the loopback
// detection dialog (CLoopbackDetection).
//
// It reads the globals (state, mode, interval, recover time, VLAN list),
// walks the per-port table and the VLAN loop table, and writes the globals
// and the per-port states. The dialog also uses the base's trunk walk.
//
// Results go to the owner window (CModuleBase::SetHwnd) as WM_LOGIC_NOTIFY,
// sent from the sessions' worker threads (the record lives for the call):
//   wParam 0, lParam LBD_global_info*  the globals were read; lParam 0: the
//                                      read failed, could not start, or
//                                      brought a state outside 1..2
//   wParam 1, lParam LBD_port_info*    one row of the port table; the rows
//                                      of a walk are sent when it has read
//                                      the end of the table, in walk order
//   wParam 3, "PortStateWriteMIBFinished"  WritePortStates is done
//   wParam 5, "Finished"               the port walk ended, however
//   wParam 6, "VlanLoopFinished"       the VLAN loop walk ended, however
//
// The port records and the looped-VLAN texts hold one entry per port. A
// walk's rows are published whole when it reaches the end of its table; a
// failed walk leaves the last complete set. Rows and bitmap ports outside
// 1..g_nPortCount are skipped. Both are kept under m_csWalkData.
//
// Objects, korvelEnterprise.10.76.19.1.17: .1.0 state (1 enabled, 2 disabled),
// .2.0 mode (1 port-based, 2 VLAN-based), .3.0 interval (1..32767 s), .4.0
// recover time (0 or 60..1000000 s), .7.0 VLAN list (text); port table .5.1,
// index port: .1 port, .2 state (1 enabled, 2 disabled), .3 loop status (1
// normal, else shut down); VLAN loop table .6.1, index VLAN id: .1 VLAN id,
// .2 ports on which a loop was found (port bitmap).
#pragma once

#include "common/CModuleBase.h"
#include "features/layer2/LBD_global_info.h"
#include "features/layer2/LBD_port_info.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;
class CWriteReport;

class CLBDetectionFunLogic : public CModuleBase
{
public:
    CLBDetectionFunLogic();
    ~CLBDetectionFunLogic() override;

    CLBDetectionFunLogic(const CLBDetectionFunLogic&) = delete;
    CLBDetectionFunLogic& operator=(const CLBDetectionFunLogic&) = delete;

    // The codes (wParam) of WM_LOGIC_NOTIFY, listed above.
    static constexpr WPARAM kNotifyGlobals = 0;
    static constexpr WPARAM kNotifyPortRow = 1;
    static constexpr WPARAM kNotifyPortStatesWritten = 3;
    static constexpr WPARAM kNotifyPortWalkFinished = 5;
    static constexpr WPARAM kNotifyVlanLoopFinished = 6;

    // The asynchronous reads, each on its own session.
    void ReadGlobals();
    void StartPortWalk();
    void StartVlanLoopWalk();

    // Checks the interval and recover time (whatever the state) and, when
    // enabling, the VLAN list; a refusal shows its message and returns FALSE
    // with nothing sent. Disabling writes the state alone. TRUE otherwise:
    // the report holds whether the switch took it.
    BOOL WriteGlobals(const std::string& strState, const std::string& strMode, const std::string& strInterval,
                      const std::string& strRecoverTime, const std::string& strVlanList, CWriteReport& report);
    // One SET per port of from..to (ports of this switch only), through the
    // report; the first the switch refuses or does not answer ends the range
    // (the report says which ports were written). Then
    // "PortStateWriteMIBFinished", also for an empty range.
    void WritePortStates(int nFromPort, int nToPort, const std::string& strState, CWriteReport& report);

    // Stops every session of this object; no call-back runs once it returns.
    void CloseSessions();

    // The globals as last read.
    LBD_global_info GetGlobalInfo() const;
    // One record per port (index port - 1) from the last complete port walk;
    // ports without a row (and all before the first walk) hold state "2"
    // and loop status "Normal".
    std::vector<LBD_port_info> GetPortInfo() const;
    // Whether the last port walk and the last VLAN loop walk read their
    // table to its end (false once one failed or could not start).
    bool PortWalkComplete() const;
    bool VlanLoopWalkComplete() const;
    // The VLAN ids in which a loop was found on the port, each followed by
    // ","; empty for none and for a port outside 1..g_nPortCount.
    std::string GetLoopVlans(int nPort) const;

    static int OnGlobalsReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnVlanLoopReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    void NotifyOwner(WPARAM wParam, LPARAM lParam) const;
    static std::vector<LBD_port_info> DefaultPortInfo();

    // What the walks write and the dialog reads, under m_csWalkData. Declared
    // before the sessions, so the sessions (which wait for a running
    // call-back) go first.
    mutable std::mutex m_csWalkData;
    std::vector<std::string> m_strLoopVlans;      // published, one per port
    std::vector<std::string> m_LoopVlansBuilding; // of the VLAN loop walk in progress
    LBD_global_info m_GlobalInfo;
    std::vector<LBD_port_info> m_pPortInfo;       // published, one per port
    std::vector<LBD_port_info> m_PortRowsBuilding; // walked rows, in walk order
    bool m_bPortWalkComplete = false;
    bool m_bVlanLoopWalkComplete = false;

    CCommonSNMP m_cSnmpGlobalGet;
    CCommonSNMP m_cSnmpPortWalk;
    CCommonSNMP m_cSnmpSet;
    CCommonSNMP m_cSnmpVlanLoopWalk;
};
