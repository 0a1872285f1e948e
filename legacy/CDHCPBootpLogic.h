// The DHCP/BOOTP relay settings of the switch for the three relay dialogs:
// the relay's globals with option 82, the relay servers of the interface
// "System", and the DHCP local relay, globally and per VLAN.
//
// Answers go to m_hOwnerWnd as WM_DHCP_RELAY_NOTIFY (records of
// DHCP_relay_records.h, valid during the call):
//   wParam 0  DHCP_relay_global_info* - GetGlobals, only after a read the
//             switch answered without an error (GetGlobals returns FALSE
//             and sends nothing otherwise);
//   wParam 0  DHCP_relay_server_info* - a relay server row, then
//   wParam 1  1 or 0                  - the end of the server walk: complete
//                                       or failed;
//   wParam 3  const char* global local relay state (1 or 2), null when
//             unread or outside its set;
//   wParam 2  DHCP_local_relay_info*  - a local relay row, then
//   wParam 10 1 or 0                  - the end of the local relay walk.
// The walks send their rows from the worker thread once the table was read
// whole, each value placed by its own row index; a failed walk sends no rows,
// only its end. A walk that cannot start ends at once, failed; so does the
// local relay read when the global state's GET goes unanswered. Local relay
// rows take their VLAN's name and row status by VLAN id; a VLAN the VLAN
// table walk did not give is asked for with one GET of those two columns.
// The writes record their outcome in the caller's CWriteReport.
//
// Objects (korvelEnterprise.10.76.19.1): .28.1.1-.3 relay state, hops,
// threshold; .28.2.2.1-.5 option 82 state, check, policy, remote ID type,
// remote ID; .28.2.1.1.2/.3 relay servers (index "System" and the address);
// .29.1.0 local relay state; .29.2.1.1/.2 local relay VLANs; .7.6.1.1/.5 the
// VLAN table's name and row status.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "legacy/DHCP_relay_records.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

inline constexpr UINT WM_DHCP_RELAY_NOTIFY = WM_USER + 111;

class CDHCPBootpLogic
{
public:
    CDHCPBootpLogic();
    virtual ~CDHCPBootpLogic();

    CDHCPBootpLogic(const CDHCPBootpLogic&) = delete;
    CDHCPBootpLogic& operator=(const CDHCPBootpLogic&) = delete;

    static constexpr WPARAM kNotifyGlobals = 0;
    static constexpr WPARAM kNotifyServer = 0;
    static constexpr WPARAM kNotifyServerEnd = 1;
    static constexpr WPARAM kNotifyLocalRow = 2;
    static constexpr WPARAM kNotifyLocalGlobal = 3;
    static constexpr WPARAM kNotifyLocalEnd = 10;

    BOOL GetGlobals();
    bool SetGlobals(const DHCP_relay_global_info& info, CWriteReport& report);
    // false when the walk could not start (its failed end has been sent).
    bool StartInterfaceWalk();
    bool SetInterfaceServer(const std::string& strAddress, const std::string& strStatus, CWriteReport& report,
                            const std::string& strWhat);
    // false when the walk could not start or the global state's GET was not
    // answered (the failed end has been sent).
    bool ReadLocalRelay();
    bool SetLocalRelayGlobal(const std::string& strState, CWriteReport& report);
    bool SetLocalRelayVlan(const std::string& strVid, const std::string& strState, CWriteReport& report);

    static int OnInterfaceReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnLocalRelayReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    // The row-status OID of a relay server of "System".
    static std::string ServerRowStatusOid(const std::string& strAddress);

    CCommonSNMP m_cSnmpGet;
    CCommonSNMP m_cSnmpSet;
    CCommonSNMP m_cSnmpWalk;
    std::atomic<HWND> m_hOwnerWnd{nullptr};

private:
    struct LocalRow
    {
        std::string strState;
        bool bInRelayTable = false;
        std::string strVlanName;
        std::string strVlanStatus;
        bool bInVlanTable = false;
    };
    void Notify(WPARAM wParam, LPARAM lParam) const;
    void FinishServerWalk(bool bComplete);
    void FinishLocalWalk(bool bComplete);

    std::mutex m_csWalk;
    std::map<std::string, DHCP_relay_server_info> m_ServerBuilding; // by row index
    std::map<int, LocalRow> m_LocalBuilding; // by VLAN id

    // The GETs that join a local relay VLAN to its VLAN-table entry.
    CCommonSNMP m_cSnmpJoin;

public:
    CModuleBase m_cModuleBase;
};
