// The control part of an Ethernet statistics row of the switch's RMON MIB;
// also what a new row is made of.
#pragma once

#include <string>

struct RMON_ethernet_control_info
{
    int nIndex = -1;
    int nPort = -1; // from the data source, the ifIndex instance of the port
    std::string strOwner;
    int nStatus = 4; // EntryStatus: 1 valid, 2 createRequest, 3 underCreation, 4 invalid

    bool operator==(const RMON_ethernet_control_info& other) const { return nIndex == other.nIndex; }
};
