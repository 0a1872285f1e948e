// The SNMP side of IP-MAC-port binding ("Smart Binding"): the per-port
// settings, the learned entries, the white list, the black list and the scan
// of an address range. Each of the four binding dialogs owns one by value and
// checks the user's input before it calls in.
//
// Rows go to the owner window (CModuleBase::SetHwnd), sent from the walks'
// worker threads; a walk's rows are sent when it has read the end of its
// table, in walk order, each record valid during its call only:
//   WM_IMPB_PORT_NOTIFY  wParam 0, lParam IMPB_port_info*   a port settings row
//                        wParam 1, lParam 0                 the walk ended, however
//                                                           (also one that could not start)
//   WM_IMPB_ENTRY_NOTIFY wParam 0, lParam IMPB_entry_info*  a learned, white- or
//                                                           black-list row
//                        wParam 1, lParam 0                 the walk ended, however
// The three entry walks share one session: starting one stops another.
//
// Objects, korvelEnterprise.10.76.19.1.14.10:
//   .1.1 port settings, index port: .1 port, .2 admin state (1/0), .3 also
//        inspect IP packets (1/0), .4 DHCP snooping (1/0)
//   .2.1 learned entries, index MAC octets, port, address length, address:
//        .1 MAC (6 octets), .2 port, .3 IP (text), .4 VID, .5 binding state (1 bound)
//   .3.1 white list, index address length, address, MAC octets: .1 IP (text),
//        .2 MAC, .3 port, .4 row status
//   .4.1 black list, index MAC octets, VID, port: .1 MAC, .2 VID, .3 port,
//        .4 IP (text, IPv6 in full form), .5 entry state (writing 1 deletes)
//   .5.0 / .6.0 scan From / To (4 or 16 octets), .7.0 scan start (1 starts)
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/security/IMPB_records.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CEditEXIPV6;
class CSnmp;

inline constexpr UINT WM_IMPB_ENTRY_NOTIFY = WM_USER + 1101;
inline constexpr UINT WM_IMPB_PORT_NOTIFY = WM_USER + 1102;

class CIMPFunclogic : public CModuleBase
{
public:
    CIMPFunclogic();
    ~CIMPFunclogic() override;

    CIMPFunclogic(const CIMPFunclogic&) = delete;
    CIMPFunclogic& operator=(const CIMPFunclogic&) = delete;

    static constexpr WPARAM kNotifyRow = 0;
    static constexpr WPARAM kNotifyEnd = 1;
    static constexpr int kActionAdd = 1;
    static constexpr int kActionDelete = 3;

    void StartPortTableWalk();
    void StartLearnedWalk();
    // Counts its rows into m_nWhiteListCount, from 0.
    void StartWhiteListWalk();
    void StartBlackListWalk();

    // Each write records a SET the switch refuses or leaves unanswered in the
    // report given (none: it is not said), and sends nothing more after it.
    //
    // One SET of the three values per port of from..to, ascending; the first
    // failed port ends the range (the report then says which were written).
    // TRUE when every port was accepted.
    BOOL SetPortRange(const std::string& strFrom, const std::string& strTo, const IMPB_port_info& values,
                      CWriteReport* pReport = nullptr);
    // FALSE when the state is "1" and a port of from..to is in a link
    // aggregation group, as a trunk walk started here tells (it is waited
    // for; a failed walk leaves the membership of the last complete one).
    BOOL CheckAggregatedPorts(const std::string& strFrom, const std::string& strTo, const std::string& strState);
    // Action 1 adds the row (create and wait, port, then active: "Success."
    // when the switch took that; a row left waiting after a refusal is
    // destroyed again); action 3 destroys it. TRUE when the switch accepted
    // it; FALSE (nothing sent) for another action.
    BOOL SetWhiteListEntry(const IMPB_entry_info& entry, int nAction, CWriteReport* pReport = nullptr);
    // Writes the entry's state to its binding state; TRUE when accepted.
    BOOL BindLearnedEntry(const IMPB_entry_info& entry, CWriteReport* pReport = nullptr);
    // Writes 1 to the entry's state, which deletes it; TRUE when accepted.
    BOOL DeleteBlackListEntry(const IMPB_entry_info& entry, CWriteReport* pReport = nullptr);
    // Writes the range of m_pScanFrom..m_pScanTo, then the start value; TRUE
    // when both were accepted.
    BOOL StartScan(const IMPB_scan_info& scan, CWriteReport* pReport = nullptr);

    // Stops this object's sessions; no call-back of theirs runs once it returns.
    void CloseSessions();

    // The index forms of the three entry tables (with their leading dot).
    static std::string WhiteListIndex(const IMPB_entry_key& entry);
    static std::string LearnedIndex(const IMPB_entry_key& entry);
    static std::string BlackListIndex(const IMPB_entry_key& entry);

    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnLearnedReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnWhiteListReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnBlackListReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    // The scan's address edits, not owned; set by the dialog before each scan.
    CEditEXIPV6* m_pScanFrom = nullptr;
    CEditEXIPV6* m_pScanTo = nullptr;
    // The rows of the last (or running) white-list walk.
    std::atomic<int> m_nWhiteListCount{0};
    // Whether the port walk, and the entry walk, that ended last read the
    // whole table (one that could not start or was cut short did not); read
    // when its end is heard.
    bool PortWalkComplete() const { return m_bPortWalkComplete; }
    bool EntryWalkComplete() const { return m_bEntryWalkComplete; }

private:
    enum class EntryTable
    {
        Learned,
        WhiteList,
        BlackList
    };
    void StartEntryWalk(EntryTable table);
    static int OnEntryReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus, EntryTable table);
    void Notify(UINT message, WPARAM wParam, LPARAM lParam) const;

    // The rows of the walks in progress, under m_csRows. Declared before the
    // sessions, so the sessions (which wait for a running call-back) go first.
    std::mutex m_csRows;
    std::vector<IMPB_port_info> m_PortRows;
    std::vector<IMPB_entry_info> m_EntryRows;

    std::atomic<bool> m_bPortWalkComplete{false};
    std::atomic<bool> m_bEntryWalkComplete{false};

    CCommonSNMP m_cSnmpEntryWalk;
    CCommonSNMP m_cSnmpSet;
    CCommonSNMP m_cSnmpPortWalk;
};
