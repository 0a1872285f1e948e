// The IPv4/IPv6 address edit: what it accepts and refuses when it loses the
// focus, the zone messages, and the address as an OID index.
#include "controls/DemoSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace controls_test {

namespace {

TEST(AddressEdit, AcceptsAndRefusesWhenItLosesTheFocus)
{
    const std::string zone21(21, 'z');
    struct Case
    {
        std::string text;
        int zones;
        int status;
        const char* type; // after the check; "" as constructed
        const char* address;
        const char* zone;
    };
    const Case cases[] = {
        {"192.168.1.10", 1, 1, "1", "192.168.1.10", ""},
        {"2001:DB8::1", 1, 1, "2", "2001:db8::1", ""},
        {"fe80::1%2", 1, 1, "2", "fe80::1", "2"},
        {"fe80::1", 1, 0, "", "fe80::1", ""},
        {"fe80::1%", 1, -2, "", "fe80::1", ""},
        {"fe80::1%" + zone21, 1, -1, "", "fe80::1", zone21.c_str()},
        {"fe80::1%2", 0, 0, "", "fe80::1%2", ""},
        {"fe80::1", 0, 1, "2", "fe80::1", ""},
        {"::ffff:1.2.3.4", 1, 0, "", "::ffff:1.2.3.4", ""},
        {"", 1, 0, "", "", ""},
        {"127.0.0.1", 1, 0, "", "127.0.0.1", ""},
        {"1.2.3.256", 1, 0, "", "1.2.3.256", ""},
        {"ff02::1", 1, 0, "", "ff02::1", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "\"" << c.text << "\" with zones " << (c.zones ? "allowed" : "refused"));
        OpenDemo open;
        ControlsDemoDlg& d = open.dialog;
        EXPECT_EQ(d.m_address.m_nStatus, 0) << "nothing checked yet";
        d.m_address.m_bZoneAllowed = c.zones;
        EnterAndLeave(d, c.text);
        EXPECT_EQ(d.m_address.m_nStatus, c.status);
        EXPECT_EQ(d.m_address.m_strAddrType, c.type);
        EXPECT_EQ(d.m_address.m_strAddress, c.address);
        EXPECT_EQ(d.m_address.m_strZone, c.zone);
    }
}

TEST(AddressEdit, AnInvalidTextKeepsTheTypeAndTheZoneOfTheLastValidOne)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    EnterAndLeave(d, "fe80::1%eth0");
    ASSERT_EQ(d.m_address.m_nStatus, 1);
    EnterAndLeave(d, "10.1.2.300");
    EXPECT_EQ(d.m_address.m_nStatus, 0);
    EXPECT_EQ(d.m_address.m_strAddrType, "2");
    EXPECT_EQ(d.m_address.m_strZone, "eth0");
    // A text without "%" leaves the zone as it was.
    EnterAndLeave(d, "10.1.2.3");
    EXPECT_EQ(d.m_address.m_strAddrType, "1");
    EXPECT_EQ(d.m_address.m_strZone, "eth0");
}

TEST(AddressEdit, ZoneMessagesForTheZoneStatusesOnly)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    BoxRecorder boxes;
    const std::string tooLong = "fe80::1%" + std::string(21, 'z');
    for (const std::string& text :
         {std::string("fe80::1%"), tooLong, std::string("fe80::1"), std::string("192.168.1.10")}) {
        EnterAndLeave(d, text);
        d.m_address.ShowZoneError();
    }
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0].text, "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName");
    EXPECT_EQ(calls[1].text, "Interface name too long.");
    for (const auto& call : calls)
        EXPECT_EQ(call.type & MB_TYPEMASK, MB_OK);
}

TEST(AddressEdit, TheAddressAsAnOidIndex)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    EXPECT_EQ(d.m_address.GetOidIndex(), "") << "no valid address yet";

    EnterAndLeave(d, "192.168.1.10");
    EXPECT_EQ(d.m_address.GetOidIndex(), "192.168.1.10");
    EXPECT_EQ(d.m_address.m_nAddrLength, 4);

    EnterAndLeave(d, "2001:DB8::1");
    EXPECT_EQ(d.m_address.GetOidIndex(), "32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1");
    EXPECT_EQ(d.m_address.m_nAddrLength, 16);

    EnterAndLeave(d, "fe80::a:1%eth0");
    EXPECT_EQ(d.m_address.GetOidIndex(), "254.128.0.0.0.0.0.0.0.0.0.0.0.10.0.1");
}

} // namespace

} // namespace controls_test
