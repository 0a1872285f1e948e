// One row of the switch's time profile table, all texts: "from" holds the
// first day and the start time, "to" the last day and the end time.
#pragma once

#include "features/poe_rmon/TIME_point_info.h"

#include <array>
#include <string>

struct TIME_profile_info
{
    std::string strIndex;
    std::string strName;
    std::string strDateFlag = "2"; // "1" the date range applies
    TIME_point_info from;
    TIME_point_info to;
    std::array<std::string, 7> strWeekdays{"2", "2", "2", "2", "2", "2", "2"}; // Monday to Sunday
    std::string strRowStatus;
};
