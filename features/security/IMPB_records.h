// The records of IP-MAC-port binding that its logic (CIMPFunclogic) and its
// four dialogs exchange: plain texts, copied by value.
#pragma once

#include <string>

// An entry's identity; the black list's Find takes it as its criteria.
struct IMPB_entry_key
{
    std::string strIP;   // dotted IPv4, or IPv6 text
    std::string strMac;  // "00-1A-2B-3C-4D-5E"; the walks give upper-case digits
    std::string strVid;  // VLAN id
    std::string strPort; // port number
};

// One row of the learned-entry, white-list or black-list walk, and the
// argument of the entry writes.
struct IMPB_entry_info : IMPB_entry_key
{
    std::string strState; // binding state, row status or entry state
};

// One row of the port settings walk, and the values of a range write.
struct IMPB_port_info
{
    std::string strPort;
    std::string strAdminState;   // "1" enabled, "0" disabled
    std::string strInspectIP;    // "1" ARP+IP inspection, "0" ARP inspection
    std::string strDhcpSnooping; // "1" enabled, "0" disabled
};

// The argument of a scan; only the start value is sent (the range is in the
// address edits the logic is given).
struct IMPB_scan_info
{
    std::string strFrom;
    std::string strTo;
    std::string strStart;
};
