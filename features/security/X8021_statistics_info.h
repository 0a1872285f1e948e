// One row of the 802.1X port parameter walk (C8021XSettingLogic): every value
// as the port settings list shows it. A new record has empty texts and zeros.
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
    int nTxPeriod = 0;
    int nQuietPeriod = 0;
    int nSuppTimeout = 0;
    int nServerTimeout = 0;
    int nMaxReq = 0;
    int nReAuthPeriod = 0;
    std::string strReAuth;      // "Enabled" or "Disabled"
    std::string strCapability;  // "Authenticator", "None" or empty
};
