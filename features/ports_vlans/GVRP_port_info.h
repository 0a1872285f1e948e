// One row of the switch's GVRP port table as the GVRP settings list shows it.
#pragma once

#include <string>

struct GVRP_port_info
{
    std::string strPort;            // port number, as read
    std::string strPvid;            // PVID, as read
    std::string strGvrpState;       // "Enabled" or "Disabled"
    std::string strIngressChecking; // "Enabled" or "Disabled"
    std::string strAcceptFrameType; // "AllFrames" or "TaggedOnly"
};
