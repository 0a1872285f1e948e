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

    bool operator==(const RMON_alarm_configuration& other) const { return nIndex == other.nIndex; }
};
