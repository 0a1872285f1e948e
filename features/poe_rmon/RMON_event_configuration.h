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

    bool operator==(const RMON_event_configuration& other) const { return nIndex == other.nIndex; }
};
