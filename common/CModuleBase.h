// Base of the feature-logic classes: four sessions, the owner window that
// receives the walks' messages, and the services many features share (a
// single GET, one SET of several bindings, a row-status SET, the trunk and VLAN
// walks, the device MAC, a SET of a port list).
//
// The walk call-backs run on the sessions' worker threads; the trunk groups and
// the VLAN arrays they fill are read through the guarded accessors below.
// A subclass whose own call-backs touch its own members closes the sessions it
// uses in its destructor (CCommonSNMP::Close waits for a running call-back).
#pragma once

#include "common/CCommonSNMP.h"
#include "common/VLAN_list_info.h"
#include "platform/snmp/SNMP_VARBIND.h"
#include "platform/ui/CWnd.h"

#include <atomic>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

// Messages to the owner window, sent from the walks' worker threads.
// WM_VLAN_LIST_NOTIFY: wParam 0 and lParam a VLAN_list_info* per row; wParam 2
// and lParam 0 at the end of the table; wParam 1 and lParam 0 when the walk
// failed or could not start (the ids of the last complete walk stay). WM_TRUNK_WALK_ABORTED: the trunk walk
// has ended, wParam 0 when it read the whole table (its groups are published),
// 1 when it failed (the groups published before stay).
inline constexpr UINT WM_VLAN_LIST_NOTIFY = WM_USER + 107;
// WM_LOGIC_NOTIFY: a row or an event code of a feature-logic object for its
// dialog (wParam the code, lParam the record, valid during the call only).
inline constexpr UINT WM_LOGIC_NOTIFY = WM_USER + 10;
inline constexpr UINT WM_TRUNK_WALK_ABORTED = WM_USER + 109;

class CModuleBase
{
public:
    CModuleBase();
    virtual ~CModuleBase();

    CModuleBase(const CModuleBase&) = delete;
    CModuleBase& operator=(const CModuleBase&) = delete;

    // Does nothing; returns 0.
    virtual int ProcessString(const std::string& strText, int nArg1, int nArg2, int nArg3, int nArg4);

    // FALSE for a null handle (the previous owner stays).
    BOOL SetHwnd(HWND hWnd);

    // One GET; the value is decimal text for numbers, the bytes of an octet string.
    BOOL GetValue(const std::string& strOid, std::string& strValue);
    // One SET of all items; TRUE only when the agent accepted it.
    BOOL SetValues(const SNMP_VARBIND* pItems, int nCount);
    // One SET of a row status ("1", "4", "5" or "6"); TRUE only when accepted.
    BOOL SetRowStatus(const std::string& strOid, const std::string& strValue);

    // Walks the trunk member table; the groups are published when it ends.
    // Either end is sent to the owner as WM_TRUNK_WALK_ABORTED.
    // Returns 1 when the walk started; 0 when it could not start, which the
    // owner is told at once as a failed walk.
    int StartTrunkWalk();
    // TRUE when every trunk with a member of non-zero value has that value on
    // all members (one value per port, index port - 1); TRUE until the first
    // complete trunk walk.
    BOOL CheckTrunkConsistency(const std::vector<int>& values);
    // TRUE unless a port of first..last is in a trunk and the text is empty
    // (starts a trunk walk and judges by the groups held so far).
    BOOL CheckTrunkRange(int nFirstPort, int nLastPort, const std::string& strText);

    // Walks the static VLAN table, one WM_VLAN_LIST_NOTIFY per row; rows whose
    // VLAN id is outside 1..4094 are skipped. The names are published when the
    // walk reaches the end of the table; a failed walk keeps the last ones.
    void StartVlanWalk();
    // Starts a VLAN walk, pauses 50 ms and returns the name held for the id
    // (by the last complete walk).
    std::string GetVlanName(const std::string& strVlanId);

    // The MAC of interface 1 with its last octet decreased by one; empty when
    // the read fails or the value is shorter than six bytes.
    void GetDeviceMac(std::string& strMac);

    // Writes a port set, given as a port list or (list empty) per-port flags,
    // as a port bitmap to the object. Returns 0 in every case.
    int SetPortList(const std::string& strPortList, const std::vector<int>* pFlags, const std::string& strOid);

    // The value of a response binding: decimal text for numbers, the bytes of
    // an octet string (whatever they hold); empty when there is none.
    static std::string ValueText(CSnmp* pResponse, int nIndex);
    // Whether a response binding holds a value: false for a cell that a walk
    // row lacks (SnmpNoValue), an exception, or no binding at all.
    static bool HasValue(CSnmp* pResponse, int nIndex);
    // The decimal text of a whole-number binding (INTEGER, Gauge32,
    // Counter32, TimeTicks); empty for a value of any other type or none, so
    // that a value the switch cannot mean is shown as unknown.
    static std::string IntegerText(CSnmp* pResponse, int nIndex);
    // The decimal text of an INTEGER binding whose value is one of the set
    // (an enumeration, a truth value); empty for any other value or type.
    static std::string EnumText(CSnmp* pResponse, int nIndex, std::initializer_list<long long> values);
    // The decimal text of a whole-number binding within nLow..nHigh; empty
    // for any other value or type.
    static std::string RangeText(CSnmp* pResponse, int nIndex, long long nLow, long long nHigh);
    // The bytes of an OCTET STRING binding, whole (NUL bytes included); false
    // and empty for a value of any other type or none, so that an INTEGER
    // served where a port bitmap or a name belongs is never decoded from its
    // text.
    static bool OctetValue(CSnmp* pResponse, int nIndex, std::string& strValue);

    // The published trunk group of every port (index port - 1, 0 for none).
    std::vector<int> GetTrunkPorts() const;
    // 1 once a trunk walk has completed, else 0.
    int IsTrunkReady() const;
    // The VLAN ids of the last complete VLAN walk.
    std::vector<std::string> GetVlanIds() const;

protected:
    static int OnTrunkReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnVlanReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    // What the walks write and the UI reads, under m_csWalkData. Declared
    // before the sessions, so the sessions (which wait for a running
    // call-back) are destroyed first.
    mutable std::mutex m_csWalkData;
    std::vector<int> m_TrunkPorts;    // published groups
    std::vector<int> m_TrunkBuilding; // groups of the walk in progress
    int m_bTrunkReady = 0;
    std::vector<std::string> m_arrVlanIds; // published by the last complete walk
    std::vector<std::string> m_arrVlanNames;
    std::vector<std::string> m_arrVlanRowStates;
    std::vector<VLAN_list_info> m_VlanBuilding; // rows of the walk in progress

protected:
    CCommonSNMP m_cSnmpGetSet;
    CCommonSNMP m_cSnmpRowStatus;
    CCommonSNMP m_cSnmpTrunkWalk;
    CCommonSNMP m_cSnmpVlanWalk;
    std::atomic<HWND> m_hOwnerWnd{nullptr};
};
