// Static helpers shared by the feature dialogs.
#pragma once

#include <string>

class CUtils
{
public:
    // IPv4 and IPv6 address checks and conversions. The checks show no
    // message; they run the address patterns on the UI thread.

    // 1 for an acceptable IPv4 host address (dotted decimal, not a network,
    // broadcast, loopback or class D/E address), else 0.
    static int CheckIPv4Address(const std::string& strAddress);
    // 1 for an acceptable IPv6 host address (lower-case hexadecimal, without
    // its zone), 0 invalid; when zones are allowed, a link-local address
    // needs a zone: -2 for an empty zone, -1 for one longer than 20 characters.
    static int CheckIPv6Address(const std::string& strAddress, const std::string& strZone, int bZoneGiven,
                                int bZonesAllowed);
    // The full form: eight groups of four lower-case hexadecimal digits.
    static std::string ExpandIPv6(const std::string& strAddress);
    // The compressed form: no leading zeros, the longest run of zero groups as "::".
    static std::string CompressIPv6(const std::string& strAddress);
};
