// The loopback detection globals as the switch gave them last.
#pragma once

#include <string>

struct LBD_global_info
{
    int bEnabled = 0;          // 1 when the state read "1", else 0
    std::string strInterval;   // detection interval, seconds
    std::string strRecoverTime; // recover time, seconds
    std::string strMode;       // "1" port-based, "2" VLAN-based
    std::string strVlanList;   // VLAN list text, such as "1,3-5"
};
