// One description written to the ports From .. To (both included).
#pragma once

#include <string>

struct PORT_description_range
{
    int nReserved = 100; // read by nothing
    int nFromPort = 0;
    int nToPort = 0;
    std::string strDescription; // UTF-8
};
