// The worker behind the PVID dialog (CKSXPVIDConfig), which owns one by value:
// the rules a set of PVIDs must pass (a trunk member keeps PVID 1; a PVID
// names a listed VLAN that has member ports), the walk of the trunk member
// table that fills the dialog's trunk groups, and the PVID writes, one SET per
// port.
//
// Objects, korvelEnterprise.10.76.19.1:
//   .7.7.1.1 PVID, index port: Unsigned32, written as value type 10
//   .8.1.3.1.2 trunk member ports, index trunk group id: port bitmap
//
// Per-port arrays are vectors, entry p - 1 for port p. The trunk walk's
// call-back runs on its session's worker thread and writes the dialog's
// group array under the dialog's lock; a port number from the switch is used
// only when it names an entry of that array.
#pragma once

#include "common/CCommonSNMP.h"
#include "features/ports_vlans/VLAN_entry_info.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CPVIDConfigLogic
{
public:
    CPVIDConfigLogic();
    ~CPVIDConfigLogic();

    CPVIDConfigLogic(const CPVIDConfigLogic&) = delete;
    CPVIDConfigLogic& operator=(const CPVIDConfigLogic&) = delete;

    // 1 when no trunk member port has a PVID other than 1; else 0 after
    // "You should let all Trunk member in the same PVID !" (its group's PVIDs
    // differ) or "Setting PVID on a Trunk is not supported. Please use Web
    // interface for the settings." (they agree).
    static int CheckTrunkPvid(const std::vector<int>& pvids, const std::vector<int>& groups);
    // 1 when every PVID names a listed VLAN with member ports; else 0 after
    // "Invalid PVID" (no such VLAN) or "Invalid PVID,VlAN is empty". The
    // decision rests on the records alone; the list text and count are the
    // caller's view of the same list.
    static int CheckPvidVlans(const std::string& strVlanList, int nVlanCount, const std::vector<int>& pvids,
                              const VLAN_entry_list* pVlanList);
    // Writes every port's PVID, one SET per port, with a 50 ms pause after
    // port 40 on switches of 40 ports or more. 1 when the switch took every
    // write; 0 at the first write without a reply or refused (later ports
    // are not written).
    int SetPvids(const std::vector<int>& pvids);
    // Starts the trunk walk, which sets the group id of every member port in
    // groups (under lock) as the rows arrive; the array is not cleared first.
    // Both must outlive the walk (Close ends it). Returns 1.
    int StartTrunkWalk(std::vector<int>& groups, std::mutex& lock);
    // The record of the VLAN id, or null (also for a null list).
    static const VLAN_entry_info* FindVlan(const VLAN_entry_list* pVlanList, int nVid);

    // The number of a row index suffix (".5" gives 5): the text after its
    // first dot read as a decimal number; 0 when it is none or out of range.
    static int IndexNumber(const std::string& strSuffix);

    // Stops the sessions; once it returns no call-back runs.
    void Close();

private:
    static int OnTrunkReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // Sets the group of every listed port that names an entry of the array.
    void SetTrunkMembers(const std::string& strPorts, int nGroup);

    CCommonSNMP m_cCommonSNMPSet;              // PVID writes
    CCommonSNMP m_cCommonSNMPSpare;            // no requests
    CCommonSNMP m_cCommonSNMPTableGetTrunk;    // trunk member walk
    std::vector<int>* m_pTrunkGroup = nullptr; // the dialog's groups, not owned
    std::mutex* m_pTrunkLock = nullptr;        // the dialog's lock over them
};
