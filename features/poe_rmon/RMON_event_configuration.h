// An event row of the switch's RMON MIB.
#pragma once

#include <string>

struct RMON_event_configuration
{
    int nIndex = 0;
    int nType = 0; // 1 none, 2 log, 3 SNMP trap, 4 log and trap
    std::string strOwner;
    std::string strLastTimeSent = "0"; // a duration text
    std::string strCommunity;
    std::string strDescription;
    int nStatus = 0; // EntryStatus
    // Of a row read from the switch: bit c is set when the walk's column c
    // gave a value of its type and set; any other cell is unknown.
    unsigned int uKnown = 0;
    bool Known(int nColumn) const { return ((uKnown >> nColumn) & 1U) != 0; }

    bool operator==(const RMON_event_configuration& other) const { return nIndex == other.nIndex; }
};
