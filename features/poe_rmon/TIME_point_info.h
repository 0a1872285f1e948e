// One end of a time profile: a day (when its date range applies) and a time.
#pragma once

#include <string>

struct TIME_point_info
{
    std::string strYear;
    std::string strMonth;
    std::string strDay;
    std::string strHour;
    std::string strMinute;
};
