// An alarm row of the switch's RMON MIB.
#pragma once

#include <string>

struct RMON_alarm_configuration
{
    int nIndex = 0;
    int nInterval = 0;   // seconds
    int nSampleType = 0; // 1 absolute, 2 delta
    int nRisingThreshold = 0;
    int nFallingThreshold = 0;
    int nRisingEventIndex = 0;
    int nFallingEventIndex = 0;
    std::string strOwner;
    std::string strVariable; // the sampled object's identifier, dotted
    int nStatus = 0;         // EntryStatus
    // Of a row read from the switch: bit c is set when the walk's column c
    // gave a value of its type and set; any other cell is unknown.
    unsigned int uKnown = 0;
    bool Known(int nColumn) const { return ((uKnown >> nColumn) & 1U) != 0; }

    bool operator==(const RMON_alarm_configuration& other) const { return nIndex == other.nIndex; }
};
