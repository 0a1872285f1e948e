// One row of the 802.1X port parameter walk (C8021XSettingLogic): every value
// as the port settings list shows it, at the port of the row's own index. A
// value the row lacks (or one of another type) is unknown: -1 for a number,
// an empty text.
#pragma once

#include <string>

class X8021_statistics_info
{
public:
    int nPort = 0;
    std::string strAdmDirection;  // "In" or "Both"
    std::string strOperDirection; // always "BOTH"
    std::string strPortControl;   // "Force UnAhthorized", "Auto", "Force Authorized" or empty
    std::string strPortStatus;    // always "Authorized"
    int nTxPeriod = -1;
    int nQuietPeriod = -1;
    int nSuppTimeout = -1;
    int nServerTimeout = -1;
    int nMaxReq = -1;
    int nReAuthPeriod = -1;
    std::string strReAuth;      // "Enabled" or "Disabled"
    std::string strCapability;  // "Authenticator", "None" or empty
};
