// The worker behind the PVID dialog (CKSXPVIDConfig), which owns one by value:
// the rules a set of PVIDs must pass (a trunk member keeps PVID 1; a PVID
// names a listed VLAN that has member ports) and the PVID writes, one SET per
// port. The trunk groups the first rule needs come from CModuleBase's trunk
// walk (StartTrunkWalk, GetTrunkPorts): all ports count as in no trunk until
// a walk has completed, and each completed walk replaces the groups whole.
//
// Objects, korvelEnterprise.10.76.19.1:
//   .7.7.1.1 PVID, index port: Unsigned32, written as value type 10
//   .8.1.3.1.2 trunk member ports, index trunk group id: port bitmap
//
// Per-port arrays are vectors, entry p - 1 for port p.
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/ports_vlans/VLAN_entry_info.h"

#include <string>
#include <vector>

class CPVIDConfigLogic : public CModuleBase
{
public:
    CPVIDConfigLogic();
    ~CPVIDConfigLogic() override;

    CPVIDConfigLogic(const CPVIDConfigLogic&) = delete;
    CPVIDConfigLogic& operator=(const CPVIDConfigLogic&) = delete;

    // 1 when no trunk member port has a PVID other than 1; else 0 after
    // "You should let all Trunk member in the same PVID !" (its group's PVIDs
    // differ) or "Setting PVID on a Trunk is not supported. Please use Web
    // interface for the settings." (they agree).
    static int CheckTrunkPvid(const std::vector<int>& pvids, const std::vector<int>& groups);
    // 1 when every PVID names a listed VLAN with member ports; else 0 after
    // "Invalid PVID" (no such VLAN) or "Invalid PVID,VlAN is empty".
    static int CheckPvidVlans(const std::vector<int>& pvids, const VLAN_entry_list* pVlanList);
    // Writes every port's PVID, one SET per port, with a 50 ms pause after
    // port 40 on switches of 40 ports or more. 1 when the switch took every
    // write; 0 at the first write without a reply or refused (later ports
    // are not written; the report holds what failed and what was written).
    int SetPvids(const std::vector<int>& pvids, CWriteReport& report);

    // Stops the sessions; once it returns no call-back runs.
    void Close();

private:
    CCommonSNMP m_cCommonSNMPSet; // PVID writes
};
