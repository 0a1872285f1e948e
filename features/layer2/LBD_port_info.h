// One row of the switch's loopback detection port table, as the list shows it.
#pragma once

#include <string>

struct LBD_port_info
{
    std::string strPort;       // port number, the row's index (1..g_nPortCount)
    std::string strState;      // "Enabled" or "Disabled" ("2" for a port the walk gave no row)
    std::string strLoopStatus; // "Normal" or "Disabled" (shut down by a loop)
};
