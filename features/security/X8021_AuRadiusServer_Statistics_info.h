// One row of the RADIUS server walk (C8021XSettingLogic). The key the switch
// returns is never kept.
#pragma once

#include <string>

class X8021_AuRadiusServer_Statistics_info
{
public:
    int nIndex = 0;
    int nAddressType = 0;   // 1 IPv4, 2 IPv6
    std::string strAddress; // dotted decimal, compressed IPv6, or 8 hex digits for another type
    std::string strColumn4;
    int nAuthPort = 0;
    int nAcctPort = 0;
    int nTimeout = 0;
    int nRetransmit = 0;
    std::string strKey = "*****";
    int nRowStatus = 0;
};
