// The switch's global GVRP settings as the global read delivers them.
#pragma once

#include <string>

struct GVRP_global_info
{
    int nEnabled = 0;        // 0 when the state reads "2" (disabled), otherwise 1
    std::string strJoinTime; // the timers in ms, as read
    std::string strLeaveTime;
    std::string strLeaveAllTime;
};
