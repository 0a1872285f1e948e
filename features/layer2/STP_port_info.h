// One row of the spanning-tree port table as the STP port table lists it:
// the texts of its nine columns, and the two path costs they come from.
#pragma once

#include <array>
#include <string>

struct STP_port_info
{
    int nPort = 0;
    // Port, State, Priority, External Cost, Edge, P2P, Restricted Role,
    // Restricted TCN, Port Status.
    std::array<std::string, 9> strColumns;
    std::string strAdminCost; // path cost as set, "0" automatic
    std::string strOperCost;  // path cost in use
};
