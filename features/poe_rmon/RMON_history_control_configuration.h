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
    // Of a row read from the switch: bit c is set when the walk's column c
    // gave a value of its type and set; any other cell is unknown.
    unsigned int uKnown = 0;
    bool Known(int nColumn) const { return ((uKnown >> nColumn) & 1U) != 0; }

    bool operator==(const RMON_history_control_configuration& other) const { return nIndex == other.nIndex; }
};
