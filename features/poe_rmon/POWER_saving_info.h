// One kind of power saving as the switch holds it: 1 LED shut-off, 2 port
// shut-off, 3 port standby, 4 system hibernation.
#pragma once

#include <string>

struct POWER_saving_info
{
    int nType = 0;
    std::string strPorts; // port list in range form, "All Port" for hibernation after a read
    std::string strState; // "1" enabled, "2" disabled
    std::string strTimeProfile1;
    std::string strTimeProfile2;
};
