// One port's row of the port control table, as the port table walk stored it
// and as the port configuration dialog writes it back. Codes as the switch
// gives them (see CPortConfigLogic.h); the defaults are what a port shows
// until a row of the walk reaches its record.
#pragma once

struct PORT_setting_info
{
    int nPort = 0;        // port number (column .1); 0 until a row is stored
    int nReserved = 100;  // read by nothing
    int nSpeed = 1;       // speed and duplex setting (column .2)
    int nMdix = 1;        // MDI/MDIX setting (column .4)
    int nFlowControl = 2; // flow control (column .5)
    int nLinkStatus = 1;  // link status (column .3)
    int nMediaType = 1;   // media type (column .7)
};
