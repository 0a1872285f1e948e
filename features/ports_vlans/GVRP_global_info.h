// The switch's global GVRP settings as the global read delivers them.
#pragma once

#include <string>

struct GVRP_global_info
{
    int nEnabled = 0;        // 1 when the state reads "1" (enabled), 0 for "2" (disabled), -1 for anything else
    std::string strJoinTime; // the timers in ms, as read; empty when not a number
    std::string strLeaveTime;
    std::string strLeaveAllTime;
};
