// An Ethernet statistics row: its control part and the counters the switch
// keeps for it (Counter32, held whole as unsigned 32-bit numbers).
#pragma once

#include "features/poe_rmon/RMON_ethernet_control_info.h"

struct RMON_ethernet_statistics_info
{
    unsigned int uDropEvents = 0;
    unsigned int uPackets = 0;
    unsigned int uOctets = 0;
    unsigned int uBroadcastPackets = 0;
    unsigned int uMulticastPackets = 0;
    RMON_ethernet_control_info control;
    // Of a row read from the switch: bit c is set when the walk's column c
    // gave a value of its type and set; any other cell is unknown.
    unsigned int uKnown = 0;
    bool Known(int nColumn) const { return ((uKnown >> nColumn) & 1U) != 0; }

    bool operator==(const RMON_ethernet_statistics_info& other) const { return control == other.control; }
};
