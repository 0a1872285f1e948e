// One row of the switch's GVRP port table as the GVRP settings list shows it.
#pragma once

#include <string>

struct GVRP_port_info
{
    std::string strPort;            // port number, the row's index (1..g_nPortCount)
    std::string strPvid;            // PVID, 1..4094; empty when the switch gave none
    std::string strGvrpState;       // "Enabled" or "Disabled"; empty for a value outside the set
    std::string strIngressChecking; // "Enabled" or "Disabled"; empty for a value outside the set
    std::string strAcceptFrameType; // "AllFrames" or "TaggedOnly"; empty for a value outside the set
};
