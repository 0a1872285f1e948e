// The storm control settings as the switch holds them, each as the decimal
// text read or to be written: state ("1" enabled, "2" disabled), storm type
// ("1" to "3") and threshold in kbit/s.
#pragma once

#include <string>

struct STORM_control_info
{
    std::string strState;
    std::string strType;
    std::string strThreshold;
};
