// One row of the RADIUS server walk (C8021XSettingLogic), at the server index
// of the row's own index. The key the switch returns is never shown nor
// traced; it is held, with the address octets as read, only so that a row
// an Apply destroyed can be written back as it was when its replacement is
// refused.
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
    std::string strAddressOctets; // the address as read, byte for byte
    std::string strKeyRead;       // the key as read, byte for byte
    bool bKeyRead = false;
    int nRowStatus = 0;
};
