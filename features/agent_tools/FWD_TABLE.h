// One entry of the switch's forwarding database as the forwarding table
// viewer keeps it.
#pragma once

#include <string>

struct FWD_TABLE
{
    int nEntry = 0;          // 1 for the first entry of the walk, then consecutive
    std::string strMac;      // "XX-XX-XX-XX-XX-XX"
    std::string strStatus;   // "Learn", "Static", ... or the value as received
    std::string strPort;     // dot1qTpFdbPort as received
};
