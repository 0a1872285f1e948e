// The SNMP side of IGMP snooping, owned by value by each of its three dialogs
// (CIGMPSnoopConfig, CIGMPSnoopingVLANSetting, CIGMPMulticastEntryTable).
//
// It reads and writes the eight globals, walks the per-VLAN snooping table
// beside the VLAN names, writes one VLAN's snooping, querier and fast-leave
// states and its static router ports, walks the learned multicast groups and
// reads a VLAN's member ports. The VLAN settings dialog also runs the base's
// trunk walk on it, for the router-port check.
//
// Results go to m_hNotifyWnd, sent from the walks' worker threads (a record
// lives for the call only; the receiver copies what it keeps):
//   WM_IGMP_NOTIFY        wParam 0, lParam IGMP_vlan_info*  one VLAN row
//                         wParam 2, lParam 0                the globals were read
//                         wParam 3, lParam 1 / 0            the VLAN walk ended:
//                                                           1 whole table, 0 failed
//   WM_IGMP_ENTRY_NOTIFY  wParam 0, lParam IGMP_entry_info* one group
//                         wParam 3, lParam 1 / 0            the group walk ended
// A walk gathers its rows, each value placed by its own index, and sends them
// when it reaches the end of its table, just before its end message; a walk
// that fails sends no row, only its end with lParam 0. A stale reply (of a
// session closed or restarted) is dropped silently.
//
// Objects, korvelEnterprise.10.76.19.1:
//   .10.1.1.0 .. .10.1.8.0   the globals (IGMP_global_info)
//   .10.3.4.1, index VLAN id: .1 VLAN id, .2 snooping state, .4 querier,
//     .6 static router ports (port bitmap), .8 fast leave (1 enabled, 2 disabled)
//   .10.3.5.1, index VLAN id and group address on this switch (others index it
//     otherwise; the columns give the row): .1 VLAN id, .2 group address
//     (4 octets), .3 group MAC (6 octets), .4 member ports (port bitmap)
//   .7.6.1.1 / .7.6.1.2 the VLAN table's names and member ports
#pragma once

#include "common/CModuleBase.h"
#include "features/layer2/IGMP_entry_info.h"
#include "features/layer2/IGMP_global_info.h"
#include "features/layer2/IGMP_vlan_info.h"
#include "platform/snmp/SnmpCallback.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

inline constexpr UINT WM_IGMP_NOTIFY = WM_USER + 102;
inline constexpr UINT WM_IGMP_ENTRY_NOTIFY = WM_USER + 115;

class CWriteReport;

class CIGMPSnoopingLogic : public CModuleBase
{
public:
    CIGMPSnoopingLogic();
    ~CIGMPSnoopingLogic() override;

    CIGMPSnoopingLogic(const CIGMPSnoopingLogic&) = delete;
    CIGMPSnoopingLogic& operator=(const CIGMPSnoopingLogic&) = delete;

    // The codes (wParam) of the two messages.
    static constexpr WPARAM kNotifyRow = 0;
    static constexpr WPARAM kNotifyGlobals = 2;
    static constexpr WPARAM kNotifyEnd = 3;

    // One GET of the eight globals (4000 ms). Only a reply without an error
    // status fills m_globalInfo, and then WM_IGMP_NOTIFY wParam 2 is sent;
    // false otherwise.
    bool ReadGlobals();
    // Writes what differs between the two records; see the rules in the .cpp.
    // TRUE only when the switch accepted the last request sent. The writes
    // below record a refused or unanswered request in the report given.
    BOOL WriteGlobals(IGMP_global_info oldInfo, IGMP_global_info newInfo, CWriteReport* pReport = nullptr);

    // The per-VLAN walk, beside the VLAN table's names.
    void StartIgmpVlanWalk();
    // Writes one VLAN's states ("1" or "2"); strOldState is the state the list
    // shows, empty when unknown (then nothing is sent). strExtra is not read.
    BOOL SetVlanSettings(const std::string& strVid, const std::string& strOldState, const std::string& strNewState,
                         const std::string& strQuerier, const std::string& strFastLeave, const std::string& strExtra,
                         CWriteReport* pReport = nullptr);
    // Writes a VLAN's static router ports: nLength octets of the bitmap.
    BOOL SetRouterPorts(const std::string& strVid, const BYTE* pBitmap, int nLength, CWriteReport* pReport = nullptr);

    // The walk of the learned multicast groups.
    void StartMulticastEntryWalk();

    // The member ports of a VLAN as a comma port list; empty when the read fails.
    std::string GetVlanMemberPorts(const std::string& strVid);

    // Stops the four sessions of this object: late replies are stale and no
    // call-back of theirs runs once it returns.
    void CloseSessions();

    static int OnIgmpVlanReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int GetMulticastEntryinfoProc(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    // Texts of the octets of a value: a group address of four octets and a
    // MAC of six; octets the value lacks count as zero.
    static std::string GroupAddressText(const std::string& strOctets);
    static std::string GroupMacText(const std::string& strOctets);
    // One learned group from a walk step's four columns; false for a step
    // none of whose columns holds a value.
    static bool BuildEntryRow(CSnmp* pResponse, IGMP_entry_info& row);

    // Receiver of the two messages; the owning dialog sets it in its
    // OnInitDialog, before it starts any read.
    std::atomic<HWND> m_hNotifyWnd{nullptr};
    // The globals as last read (UI thread only); empty strings until then.
    IGMP_global_info m_globalInfo;

private:
    void Notify(UINT nMessage, WPARAM wParam, LPARAM lParam) const;
    // Starts a walk of the columns on the session; nMessage names the walk
    // (WM_IGMP_NOTIFY the per-VLAN one, WM_IGMP_ENTRY_NOTIFY the group one).
    void StartWalk(CCommonSNMP& session, const std::vector<std::string>& columns, SnmpCallback pfnCallback,
                   UINT nMessage);
    // How a walk call-back begins: true for a row to take. A stale reply is
    // dropped; the end of the walk (or its failure) goes to EndWalk.
    bool IsWalkRow(CCommonSNMP& session, int nRequestID, int nStatus, const CSnmp* pResponse, UINT nMessage);
    // Sends the rows of a walk that read its whole table, then its end.
    void EndWalk(UINT nMessage, bool bComplete);
    void StoreVlanRow(CSnmp* pResponse);
    void StoreEntryRow(CSnmp* pResponse);

    // The rows of the walks in progress, under m_csWalkRows. Declared before
    // the sessions, so the sessions (which wait for a running call-back) go
    // first.
    mutable std::mutex m_csWalkRows;
    std::vector<IGMP_vlan_info> m_vlanRows;
    std::vector<IGMP_entry_info> m_entryRows;

    CCommonSNMP m_cSnmpGet;
    CCommonSNMP m_cSnmpSet;
    CCommonSNMP m_cSnmpEntryWalk;
    CCommonSNMP m_cSnmpIgmpVlanWalk;
};
