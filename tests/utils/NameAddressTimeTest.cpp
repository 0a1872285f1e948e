// Name and MAC checks, address texts, month lengths and duration texts.
#include "UtilsTestSupport.h"

#include "common/CUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace utils_test {

TEST(Names, SpecialCharactersAreRefused)
{
    for (const char c : std::string("~`!@#$%^&*{}[]|\\:;\"'<>,.?/")) {
        SCOPED_TRACE(c);
        EXPECT_FALSE(CUtils::HasNoSpecialChars(std::string("VLAN") + c + "2"));
    }
    EXPECT_TRUE(CUtils::HasNoSpecialChars("VLAN_2 (voice)-+="));
    EXPECT_TRUE(CUtils::HasNoSpecialChars(""));
    EXPECT_TRUE(CUtils::HasNoSpecialChars("Caf\xC3\xA9"));
}

TEST(MacAddress, ChecksFormatBroadcastAndMulticast)
{
    const std::string format = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    const std::string broadcast = "Broadcast MAC is not allowed.";
    const std::string multicast = "Multicast MAC is not allowed.";
    struct Case
    {
        std::string text;
        bool allowMulticast;
        std::string message; // empty: accepted
    };
    const Case cases[] = {
        {"00-11-22-33-44-55", false, ""},
        {"02-aB-cD-eF-00-01", false, ""},
        {"01-00-5E-00-00-01", false, multicast},
        {"01-00-5E-00-00-01", true, ""},
        {"FF-FF-FF-FF-FF-FF", false, broadcast},
        {"ff-ff-FF-ff-ff-ff", true, broadcast},
        {"00-00-00-00-00-00", false, format},
        {"00:11:22:33:44:55", false, format},
        {"0011-22-33-44-55", false, format},
        {"00-11-22-33-44-5", false, format},
        {"00-11-22-33-44-555", false, format},
        {"00-11-22-33-44-5G", false, format},
        // Dashes where digits belong leave fewer than twelve digits.
        {"0--11-22-33-44-55", false, format},
        {"", false, format},
        {"0", false, format},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageRecorder boxes;
        EXPECT_EQ(CUtils::CheckMacAddress(c.text, c.allowMulticast), c.message.empty() ? TRUE : FALSE);
        EXPECT_EQ(boxes.texts, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

TEST(AddressText, HexToOidSuffixGivesOneArcPerOctet)
{
    EXPECT_EQ(CUtils::HexToOidSuffix("00-11-22-33-44-55"), ".0.17.34.51.68.85");
    EXPECT_EQ(CUtils::HexToOidSuffix("20010db8"), ".32.1.13.184");
    EXPECT_EQ(CUtils::HexToOidSuffix("FFfe"), ".255.254");
    EXPECT_EQ(CUtils::HexToOidSuffix("abc"), ".171.12");
    EXPECT_EQ(CUtils::HexToOidSuffix(""), "");
}

TEST(AddressText, OctetsToHexAndDottedDecimal)
{
    struct Case
    {
        std::string octets;
        int family;
        std::string text;
    };
    const Case cases[] = {
        {"\xC0\xA8\x01\x0A", 1, "C0A8010A"},
        {"\xC0\xA8\x01\x0A\xFF", 1, "C0A8010A"},
        // Short values: the missing octets are zero.
        {"\xC0", 1, "C0000000"},
        {"", 1, "00000000"},
        {std::string("\x20\x01\x0D\xB8", 4) + std::string(11, '\0') + "\x01", 2,
         "2001:0db8:0000:0000:0000:0000:0000:0001"},
        {"\xFE\x80", 2, "fe80:0000:0000:0000:0000:0000:0000:0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CUtils::BytesToAddressText(ExactBlock(c.octets).view(), c.family), c.text);
    }
    EXPECT_EQ(CUtils::HexToDottedDecimal("C0A80101"), "192.168.1.1");
    EXPECT_EQ(CUtils::HexToDottedDecimal("c0a8010a"), "192.168.1.10");
    EXPECT_EQ(CUtils::HexToDottedDecimal("C0A801"), "192.168.1");
    EXPECT_EQ(CUtils::HexToDottedDecimal(""), "");
}

TEST(AddressText, AddressToHex)
{
    EXPECT_EQ(CUtils::AddressToHex("192.168.1.1"), "C0A80101");
    EXPECT_EQ(CUtils::AddressToHex("10.0.0.255"), "0A0000FF");
    EXPECT_EQ(CUtils::AddressToHex("2001:0db8:0000:0000:0000:0000:0000:0001"), "20010db8000000000000000000000001");
    // Missing groups give a shorter text; a part above 255 still gives two digits.
    EXPECT_EQ(CUtils::AddressToHex("1.2.3"), "010203");
    EXPECT_EQ(CUtils::AddressToHex("300.1.1.1.9"), "2C010101");
}

TEST(Days, MonthLengthsFollowTheGregorianCalendar)
{
    struct Case
    {
        std::string year;
        std::string month;
        std::string days;
    };
    const Case cases[] = {
        {"2000", "2", "29"},
        {"2024", "2", "29"},
        {"1900", "2", "28"},
        {"2023", "2", "28"},
        {"2023", "1", "31"},
        {"2023", "7", "31"},
        {"2023", "8", "31"},
        {"2023", "12", "31"},
        {"2023", "4", "30"},
        {"2023", "11", "30"},
        {"", "12", "31"},
        {"", "2", "29"},
        // Anything but the month numbers themselves.
        {"2023", "01", ""},
        {"2023", "13", ""},
        {"2023", "0", ""},
        {"2023", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year + "/" + c.month);
        EXPECT_EQ(CUtils::DaysInMonth(c.year, c.month), c.days);
    }
}

TEST(Duration, DropsLeadingZeroFields)
{
    struct Case
    {
        unsigned seconds;
        std::string text;
    };
    const Case cases[] = {
        {0, "0"},
        {59, "59 secs"},
        {60, "1 mins,0 secs"},
        {61, "1 mins,1 secs"},
        {3601, "1 hours,0 mins,1 secs"},
        {90061, "1 days,1 hours,1 mins,1 secs"},
        // Months are counted through the calendar of the year being counted; the first is a leap year.
        {31 * 86400, "1 month,0 days,0 hours,0 mins,0 secs"},
        {60 * 86400, "2 month,0 days,0 hours,0 mins,0 secs"},
        {31536000, "11 month,30 days,0 hours,0 mins,0 secs"},
        {31622400, "1 year,0 month,0 days,0 hours,0 mins,0 secs"},
        {31622400 + 31536000, "2 year,0 month,0 days,0 hours,0 mins,0 secs"},
        {31622400 + 59 * 86400, "1 year,2 month,0 days,0 hours,0 mins,0 secs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(CUtils::FormatDuration(c.seconds), c.text);
    }
    EXPECT_EQ(CUtils::FormatDuration(4294967295U).substr(0, 9), "136 year,");
}

} // namespace utils_test
