// One trusted DHCP server row as the DHCP screening walk hands it to its
// dialog: every value as text.
#pragma once

#include <string>

class DHCP_server_info
{
public:
    std::string strIndex;
    std::string strAddressType; // "1" IPv4, "2" IPv6
    std::string strAddress;     // dotted decimal or compressed IPv6
    std::string strRowStatus;
};
