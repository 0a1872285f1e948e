// One port's row of the port description table, as the description walk
// stored it.
#pragma once

#include <string>

struct PORT_description_info
{
    int nReserved = 100;        // read by nothing
    int nPort = 0;              // port number (column .1); 0 until a row is stored
    std::string strDescription; // description (column .2), UTF-8
};
