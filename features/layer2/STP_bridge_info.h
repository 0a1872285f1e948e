// The spanning-tree global settings of one read, as the STP global settings
// dialog shows them: texts as the switch returned them, times already in
// whole seconds.
#pragma once

#include <string>

struct STP_bridge_info
{
    std::string strPriority;
    std::string strRootMaxAge;     // seconds
    std::string strRootBridge;     // "80:00:...", empty unless 8 octets came
    std::string strRootPort;
    int nMaxAge = 0;               // seconds
    int nHelloTime = 0;            // seconds
    int nForwardDelay = 0;         // seconds
    std::string strRootCost;
    std::string strTxHoldCount;
    std::string strRootForwardDelay; // seconds
    std::string strState;          // as read: "1" enabled
    bool bHasVersion = false;      // the reply carried the version
    std::string strVersion;        // "0" STP, "2" RSTP, "3" MSTP
};
