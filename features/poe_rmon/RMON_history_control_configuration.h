// A history control row of the switch's RMON MIB.
#pragma once

#include <string>

struct RMON_history_control_configuration
{
    int nIndex = 0;
    int nPort = 0; // from the data source
    int nBucketsRequested = 0;
    int nBucketsGranted = 0;
    int nInterval = 0; // seconds
    std::string strOwner;
    int nStatus = 4; // EntryStatus

    bool operator==(const RMON_history_control_configuration& other) const { return nIndex == other.nIndex; }
};
