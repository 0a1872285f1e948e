// One row of the switch's ARP spoofing prevention table as the list dialog
// read it: the gateway address (the row's index), its MAC as
// "%02X-%02X-%02X-%02X-%02X-%02X", the member ports as range text and the
// row status.
#pragma once

#include <string>

struct ARP_entry_info
{
    std::string strAddress;
    std::string strMac;
    std::string strPorts;
    std::string strRowStatus;
};
