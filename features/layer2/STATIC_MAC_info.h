// One static unicast MAC entry of the switch, as the static MAC list shows it.
#pragma once

#include <string>

struct STATIC_MAC_info
{
    std::string strVid;  // VLAN id, decimal
    std::string strMac;  // "00-11-22-33-44-55", upper-case hexadecimal
    std::string strPort; // port, decimal
};
