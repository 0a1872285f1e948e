// One active static VLAN as the 802.1Q VLAN dialog read it from the switch's
// static VLAN table. The dialog keeps one record per listed VLAN, in list
// order; the Add/Edit VLAN and PVID dialogs borrow a copy of the list to
// know the VLANs and their member ports.
//
// Port lists are comma lists of ascending port numbers without ranges
// ("1,2,5"), empty for none, as CUtils::PortBitmapToList makes them; the
// numbers are as the switch gave them, so a reader range-checks a number
// before it indexes a per-port array with it.
#pragma once

#include <string>
#include <vector>

struct VLAN_entry_info
{
    int nVid = 0;                 // VLAN id
    std::string szName;           // VLAN name, dialog text (ANSI code page)
    std::string szEgressPorts;    // all member ports, tagged and untagged
    std::string szUntaggedPorts;  // the untagged member ports
    std::string szForbiddenPorts; // always empty: the walk does not read the forbidden column
    int nEgressCount = 0;         // ports in szEgressPorts
    int nUntaggedCount = 0;       // ports in szUntaggedPorts
    int nForbiddenCount = 0;      // ports in szForbiddenPorts; always 0
    int nNonMemberCount = 0;      // g_nPortCount - nEgressCount - nForbiddenCount
    std::string strReserved;      // always empty
    bool bPortsRead = true;       // false when the switch gave no egress or untagged cell for the VLAN:
                                  // its port lists are unknown, and nothing may be written from them
};

// The records in the order of the walk (ascending VLAN id), one per list row.
using VLAN_entry_list = std::vector<VLAN_entry_info>;
