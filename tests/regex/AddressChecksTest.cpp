// The IPv4 and IPv6 address checks and the IPv6 conversions.
#include "common/CUtils.h"

#include <gtest/gtest.h>

#include <string>

namespace regex_test {

TEST(AddressChecks, IPv4)
{
    struct Case
    {
        const char* m_pszAddress;
        int m_nExpected;
    };
    const Case cases[] = {
        {"192.168.1.10", 1},    {"10.1.2.3", 1},  {"172.16.0.1", 1},
        {"223.255.255.254", 1}, {"01.2.3.4", 1},  {"127.0.0.1", 0}, // loopback network
        {"0.1.2.3", 0},                                             // first octet "0"
        {"00.1.2.3", 0},                                            // network 0
        {"10.0.0.0", 0},                                            // class A host part 0
        {"10.255.255.255", 0},                                      // class A broadcast
        {"172.16.0.0", 0},                                          // class B host part 0
        {"172.16.255.255", 0},                                      // class B broadcast
        {"192.168.1.0", 0},                                         // last octet "0"
        {"192.168.1.255", 0},                                       // last octet "255"
        {"224.0.0.1", 0},                                           // class D
        {"240.1.1.1", 0},                                           // class E
        {"255.1.1.1", 0},                                           // first octet "255"
        {"0.0.0.0", 0},         {"1.2.3.256", 0}, {"256.1.1.1", 0},
        {"1.2.3", 0},           {"1.2.3.4.5", 0}, {"1.2.3.4 ", 0},
        {" 1.2.3.4", 0},        {"a.b.c.d", 0},   {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CUtils::CheckIPv4Address(c.m_pszAddress), c.m_nExpected) << c.m_pszAddress;
    }
    EXPECT_EQ(CUtils::CheckIPv4Address(std::string("1.2.3.4\0", 8)), 0);
}

TEST(AddressChecks, IPv6)
{
    struct Case
    {
        const char* m_pszAddress;
        const char* m_pszZone;
        int bZoneGiven;
        int bZonesAllowed;
        int m_nExpected;
    };
    const std::string strZone20(20, 'z');
    const std::string strZone21(21, 'z');
    const Case cases[] = {
        {"2001:db8::1", "", 0, 1, 1},
        {"2001:0db8:0000:0000:0000:0000:0000:0001", "", 0, 1, 1},
        {"2001:db8::1.2.3.4", "", 0, 1, 1},
        {"2001:db8::1", "eth0", 1, 1, 1}, // a zone on another address is accepted
        {"::1", "", 0, 1, 0},             // loopback
        {"::", "", 0, 1, 0},              // unspecified
        {"1000::1", "", 0, 1, 0},         // only the digits 0 and 1, ending in 1
        {"ff02::1", "", 0, 1, 0},         // multicast
        {"0db8::1", "", 0, 1, 0},         // first group below 1000
        {"1:2:3:4:5:6:7:8", "", 0, 1, 0},
        {"::ffff:1.2.3.4", "", 0, 1, 0},
        {"fe80::1", "", 0, 1, 0}, // link-local without a zone
        {"fe80::1", "", 1, 1, -2},
        {"fe80::1", strZone21.c_str(), 1, 1, -1},
        {"fe80::1", strZone20.c_str(), 1, 1, 1},
        {"feb0::1", "eth0", 1, 1, 1},
        {"fe80::1", "", 0, 0, 1}, // zones not allowed: the zone is not looked at
        {"fe80::1", "", 1, 0, 1},
        {"2001:DB8::1", "", 0, 1, 0}, // the caller lower-cases first
        {"2001:db8::1::2", "", 0, 1, 0},
        {"2001:db8:1", "", 0, 1, 0},
        {":2001:db8::1", "", 0, 1, 0},
        {"2001:db8::1:", "", 0, 1, 0},
        {"2001:db8::g", "", 0, 1, 0},
        {"", "", 0, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CUtils::CheckIPv6Address(c.m_pszAddress, c.m_pszZone, c.bZoneGiven, c.bZonesAllowed), c.m_nExpected)
            << c.m_pszAddress << " zone \"" << c.m_pszZone << "\"";
    }
}

TEST(AddressChecks, ExpandIPv6)
{
    const char* const cases[][2] = {
        {"fe80::1", "fe80:0000:0000:0000:0000:0000:0000:0001"},
        {"::", "0000:0000:0000:0000:0000:0000:0000:0000"},
        {"::1", "0000:0000:0000:0000:0000:0000:0000:0001"},
        {"1::", "0001:0000:0000:0000:0000:0000:0000:0000"},
        {"2001:DB8::A:b", "2001:0db8:0000:0000:0000:0000:000a:000b"},
        {"1:2:3:4:5:6:7:8", "0001:0002:0003:0004:0005:0006:0007:0008"},
        {"::ffff:1.2.3.4", "0000:0000:0000:0000:0000:0000:ffff:1.2.3.4"}, // the tail is one group
        {"2001:0db8:0000:0000:0000:0000:0000:0001", "2001:0db8:0000:0000:0000:0000:0000:0001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CUtils::ExpandIPv6(c[0]), c[1]) << c[0];
    }
    // Unchecked input stays within its eight groups.
    EXPECT_EQ(CUtils::ExpandIPv6("1:2"), "0001:0002:0000:0000:0000:0000:0000:0000");
    EXPECT_EQ(CUtils::ExpandIPv6(""), "0000:0000:0000:0000:0000:0000:0000:0000");
}

TEST(AddressChecks, CompressIPv6)
{
    const char* const cases[][2] = {
        {"2001:0db8:0000:0000:0000:0000:0000:0001", "2001:db8::1"},
        {"0000:0000:0000:0000:0000:0000:0000:0001", "::1"},
        {"1:0:0:4:0:0:0:8", "1:0:0:4::8"},
        {"1:2:3:4:5:6:7:0", "1:2:3:4:5:6:7:0"}, // the last group alone stays
        {"0:0:0:0:0:0:0:0", "::"},
        {"2001:DB8:0:0:1:0:0:1", "2001:db8::1:0:0:1"}, // the first of equally long runs
        {"0:1:2:3:4:5:6:7", "::1:2:3:4:5:6:7"},
        {"1:0:2:3:4:5:6:7", "1::2:3:4:5:6:7"},
        {"1:2:3:4:5:6:0:0", "1:2:3:4:5:6::"},
        {"fe80::1", "fe80::1"},
        {"::ffff:1.2.3.4", "::ffff:1.2.3.4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CUtils::CompressIPv6(c[0]), c[1]) << c[0];
    }
}

} // namespace regex_test
