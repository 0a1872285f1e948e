// The worker behind the Add/Edit VLAN dialog (CKSXVlanAdd), which owns one by
// value: the admission checks of a new VLAN, the check that a VLAN takes
// trunks whole (on the trunk groups of CModuleBase's trunk walk, started by
// Init), the conversions between VLAN_entry_info records and per-port flags,
// the list of ports already untagged in some VLAN, and the three kinds of SET
// that create or change a row of the static VLAN table. The dialog decides
// the order of the writes.
//
// Static VLAN table, korvelEnterprise.10.76.19.1.7.6.1, index VLAN id:
//   .1 name (UTF-8 octet string) | .2 egress ports | .3 forbidden ports |
//   .4 untagged ports (port bitmaps) | .5 row status: 5 create-and-wait,
//   2 not-in-service, 1 active.
//
// Per-port flags are vectors of int, entry p - 1 for port p, 1 or 0. Port
// lists are comma lists "1,2,5". Port numbers read from a list are used only
// when they name an entry of the array they would index.
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/ports_vlans/VLAN_entry_info.h"

#include <string>
#include <vector>

class CVlanAddLogic : public CModuleBase
{
public:
    CVlanAddLogic();
    ~CVlanAddLogic() override;

    CVlanAddLogic(const CVlanAddLogic&) = delete;
    CVlanAddLogic& operator=(const CVlanAddLogic&) = delete;

    // Starts the trunk walk; returns 1.
    int Init();

    // The record of the VLAN id, or null (also for a null list).
    static const VLAN_entry_info* FindVlan(const VLAN_entry_list* pList, int nVid);
    // 1 when the id may be used for a new VLAN: 2 to 4094 and not listed;
    // else 0 after a message.
    static int CheckVid(const VLAN_entry_list* pList, int nVid);
    // 1 when every trunk is wholly in or wholly out of the set; else 0 after
    // "Members in VLAN have to be in the same trunk !". Passes everything
    // until the trunk walk has completed.
    int CheckSameTrunk(const std::vector<int>& flags);

    // Sets the egress, untagged and forbidden entries of the record's ports
    // (the caller clears the arrays first), then every non-member entry: 1
    // exactly where the other three are 0. Nothing for a null argument.
    static void GetPortFlags(const VLAN_entry_info* pRecord, std::vector<int>* pEgress, std::vector<int>* pUntagged,
                             std::vector<int>* pNonMember, std::vector<int>* pForbidden);
    // The untagged lists of all records joined with ",".
    static std::string AllUntaggedPorts(const VLAN_entry_list* pList);
    // 0 when the port's number is an item of the list (whole texts compared), else 1.
    static int IsNotInList(int nPort, const std::string& strList);
    // Drops every item equal to the port's number from the list; returns 1.
    static int RemoveFromList(int nPort, std::string& strList);
    // The items of a comma list, empty ones included ("" gives none).
    static std::vector<std::string> ListItems(const std::string& strList);

    // The row status before a change: "5" (create-and-wait) to create, "2"
    // (not-in-service) to change; VLAN 1 is changed without one. 0 when
    // nothing was sent or the switch took it; -1 without a reply, else the
    // agent's error status.
    int SetRowStatusBegin(const std::string& strVid, bool bCreate);
    // Writes a hex port mask to one port column (kind 0 untagged, 1 egress,
    // 2 forbidden). 0 when the switch took it; -1 without a reply, the
    // agent's error status when it refused; 1 for a mask shorter than two
    // digits (after "Parameter Error !") or an unknown kind.
    int SetPortColumn(const std::string& strMask, const std::string& strVid, int nKind);
    // Writes the name (as UTF-8), pauses 50 ms, and activates the row; the
    // activation is not sent when the name was not taken. 0 when the switch
    // took both, else the failing status as SetPortColumn gives it, with
    // *pnFailedStep 0 for the name and 1 for the activation.
    int SetNameAndActivate(const std::string& strVid, const std::string& strName, int* pnFailedStep = nullptr);
    // Records a failed status of these writes (-1 no reply, else the agent's
    // error status) in the report; true when the status is 0.
    static bool Took(CWriteReport& report, int nStatus, const std::string& strWhat);

    // Stops the sessions.
    void Close();

private:
    CCommonSNMP m_cCommonSNMP;         // row status and name writes
    CCommonSNMP m_cCommonSNMPEgrePort; // port column writes
};
