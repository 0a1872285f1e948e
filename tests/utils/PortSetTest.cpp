// Port sets in their three forms, user port lists and VLAN lists.
#include "UtilsTestSupport.h"

#include "common/CUtils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace utils_test {

namespace {

std::string Octets(std::initializer_list<int> values)
{
    std::string octets;
    for (const int v : values)
        octets += static_cast<char>(v);
    return octets;
}

std::vector<int> FlagsFor(const std::vector<int>& ports, int count)
{
    std::vector<int> flags(static_cast<std::size_t>(count), 0);
    for (const int p : ports)
        flags[static_cast<std::size_t>(p - 1)] = 1;
    return flags;
}

// "1,2,...,n".
std::string FullList(int n)
{
    std::string list;
    for (int p = 1; p <= n; ++p)
        list += (p > 1 ? "," : "") + std::to_string(p);
    return list;
}

std::vector<int> SetPorts(const std::vector<int>& flags)
{
    std::vector<int> ports;
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            ports.push_back(static_cast<int>(i + 1));
    return ports;
}

} // namespace

TEST(PortBitmap, DecodesOctetsOfThePortCount)
{
    struct Case
    {
        int portCount;
        std::string bitmap;
        std::string list;
        int count;
    };
    const Case cases[] = {
        // Bits above the port count in the last octet are no ports.
        {28, Octets({0x80, 0x00, 0x00, 0x0F}), "1", 1},
        {28, Octets({0x00, 0x00, 0x00, 0x1F}), "28", 1},
        {28, Octets({0, 0, 0, 0}), "", 0},
        // Short values: the missing octets count as zero.
        {28, "", "", 0},
        {28, Octets({0xFF}), "1,2,3,4,5,6,7,8", 8},
        {52, Octets({0x80, 0, 0, 0, 0, 0}), "1", 1},
        // Octets beyond ceil(port count / 8) are not read.
        {8, Octets({0x01, 0xFF}), "8", 1},
        {10, Octets({0x00, 0x7F, 0xFF}), "10", 1},
        {52, Octets({0x80, 0, 0, 0, 0, 0, 0x0F, 0xFF}), "1", 1},
        {52, std::string(200, '\xFF'), FullList(52), 52},
        {0, Octets({0xFF}), "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portCount);
        PortCount ports(c.portCount);
        int count = -1;
        EXPECT_EQ(CUtils::PortBitmapToList(ExactBlock(c.bitmap).view(), count), c.list);
        EXPECT_EQ(count, c.count);
    }
}

TEST(PortBitmap, RangeTextJoinsRunsWithinThePortRange)
{
    struct Case
    {
        std::string bitmap;
        int octetCount;
        int first;
        int last;
        std::string text;
        int count;
    };
    const Case cases[] = {
        // Ports 1, 2, 3, 5, 7, 8, 9.
        {Octets({0xEB, 0x80}), 8, 1, 52, "1-3,5,7-9", 7},
        {Octets({0xF0}), 8, 2, 3, "2-3", 2},
        {Octets({0x08}), 8, 1, 52, "5", 1},
        {Octets({0xA0}), 8, 1, 52, "1,3", 2},
        {Octets({0x01, 0x80}), 8, 1, 52, "8-9", 2},
        {Octets({0xE0}), 8, 2, 8, "2-3", 2},
        // Only the given octets are decoded.
        {Octets({0x80, 0x80}), 1, 1, 52, "1", 1},
        // A value shorter than the octet count: missing octets are zero.
        {Octets({0x01}), 8, 1, 64, "8", 1},
        {"", 8, 1, 64, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string text;
        EXPECT_EQ(CUtils::PortBitmapToRangeText(ExactBlock(c.bitmap).view(), c.octetCount, c.first, c.last, text),
                  c.count);
        EXPECT_EQ(text, c.text);
    }
}

TEST(PortBitmap, RangeTextIsAppendedAndBothNamesAgree)
{
    std::string text = "ports ";
    EXPECT_EQ(CUtils::BitmapToRangeText(Octets({0xC0}), 8, 1, 52, text), 2);
    EXPECT_EQ(text, "ports 1-2");
    EXPECT_EQ(CUtils::PortBitmapToRangeText("", 8, 1, 52, text), 0);
    EXPECT_EQ(text, "ports 1-2");
}

TEST(HexPortMask, DecodesDigitsToPorts)
{
    struct Case
    {
        std::string mask;
        std::string list;
        int count;
    };
    const Case cases[] = {
        {"a1", "1,3,8", 3},
        {"0000000f", "29,30,31,32", 4},
        {"ff", "1,2,3,4,5,6,7,8", 8},
        {"FF", "1,2,3,4,5,6,7,8", 8},
        {"8000001", "1,28", 2},
        {"", "", 0},
        // Other characters are skipped without taking a digit's place.
        {"x8-1", "1,8", 2},
        // Not bounded by the port count.
        {"00000000000000001", "68", 1},
    };
    PortCount ports(28);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        int count = -1;
        EXPECT_EQ(CUtils::HexMaskToPortList(c.mask, count), c.list);
        EXPECT_EQ(count, c.count);
    }
}

TEST(HexPortMask, IsPaddedToTheWidthOfEachPortCount)
{
    struct Case
    {
        int portCount;
        std::vector<int> ports;
        std::string digits;
        std::string padded;
    };
    const Case cases[] = {
        {8, {1, 8}, "81", "81000000"},
        // Ten ports: the last digit holds ports 9 and 10 and two zero ports.
        {10, {1, 10}, "804", "80400000"},
        {10, {10}, "004", "00400000"},
        {16, {1, 16}, "8001", "80010000"},
        {20, {1, 20}, "80001", "80001000"},
        {24, {1, 24}, "800001", "80000100"},
        {28, {1, 28}, "8000001", "80000010"},
        {48, {1, 48}, "800000000001", "8000000000010000"},
        {52, {1, 52}, "8000000000001", "8000000000001000"},
        // Counts of no sample model get no padding.
        {12, {1, 12}, "801", "801"},
        {5, {1, 5}, "88", "88"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.portCount);
        PortCount ports(c.portCount);
        std::string mask;
        CUtils::PortFlagsToHex(FlagsFor(c.ports, c.portCount), mask);
        EXPECT_EQ(mask, c.digits);
        EXPECT_EQ(CUtils::PadHexPortMask(mask), 1);
        EXPECT_EQ(mask, c.padded);
        // And back: the padded mask as octets decodes to the same ports.
        std::vector<BYTE> octets;
        CUtils::HexToByteValues(mask, octets, static_cast<int>((mask.size() + 1) / 2));
        // The dialogs' one call for it makes the same octets (12 ports: "801" is two octets, the last 0x10).
        EXPECT_EQ(CUtils::PortFlagsToBitmap(FlagsFor(c.ports, c.portCount)), octets);
        int count = 0;
        std::string expected;
        for (const int p : c.ports)
            expected += (expected.empty() ? "" : ",") + std::to_string(p);
        EXPECT_EQ(CUtils::PortBitmapToList(std::string(octets.begin(), octets.end()), count), expected);
    }
}

TEST(HexPortMask, FlagsMissingOrNotOneAreReadSafely)
{
    PortCount ports(28);
    std::string mask = "x";
    // A table shorter than the port count: the missing ports are not members.
    CUtils::PortFlagsToHex({1}, mask);
    EXPECT_EQ(mask, "x8000000");
    // A non-zero entry is a member, never a digit out of range.
    mask.clear();
    CUtils::PortFlagsToHex({2, 0, 0, 5}, mask);
    EXPECT_EQ(mask, "9000000");
    // No ports, no digits.
    PortCount none(0);
    mask.clear();
    CUtils::PortFlagsToHex({1, 1}, mask);
    EXPECT_EQ(mask, "");
}

TEST(HexPortMask, HexToByteValuesFillsExactlyTheOctetCount)
{
    struct Case
    {
        std::string hex;
        int maxCount;
        std::vector<BYTE> octets;
    };
    const Case cases[] = {
        {"80000010", 4, {0x80, 0x00, 0x00, 0x10}},
        // An odd digit count reads the last digit with a "0" after it.
        {"abc", 2, {0xAB, 0xC0}},
        // Pairs beyond the count are dropped; octets the text does not reach are zero.
        {"0102030405", 2, {0x01, 0x02}},
        {"ff", 4, {0xFF, 0x00, 0x00, 0x00}},
        // A pair that is no hexadecimal number gives what strtol reads of it.
        {"zz1z", 2, {0x00, 0x01}},
        {"", 0, {}},
        {"12", -1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        std::vector<BYTE> octets{0x55, 0x55, 0x55, 0x55, 0x55, 0x55};
        EXPECT_EQ(CUtils::HexToByteValues(c.hex, octets, c.maxCount), 1);
        EXPECT_EQ(octets, c.octets);
    }
}

TEST(PortList, ParsesUserInputOrSaysItIsInvalid)
{
    struct Case
    {
        std::string text;
        BOOL result;
        std::vector<int> ports; // set afterwards, also when the text fails part-way
    };
    const Case cases[] = {
        {"1,3-5", TRUE, {1, 3, 4, 5}},
        {"", TRUE, {}},
        {"28", TRUE, {28}},
        {"1-28", TRUE, {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                        15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}},
        // atoi reading: a second "-" and what follows it are ignored, blanks before a number skipped.
        {"1-3-5", TRUE, {1, 2, 3}},
        {" 7, 9", TRUE, {7, 9}},
        // A trailing comma ends the list.
        {"1,", TRUE, {1}},
        {"0", FALSE, {}},
        {"29", FALSE, {}},
        {"5-3", FALSE, {}},
        {"1,,2", FALSE, {1}},
        {",", FALSE, {}},
        {"x", FALSE, {}},
        // The ports of a range up to the first bad one stay set.
        {"27-30", FALSE, {27, 28}},
        {"0-2", FALSE, {}},
        // A number too large for an int is out of range, not wrapped into it.
        {"4294967297", FALSE, {}},
        {"2-4294967298", FALSE, {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28}},
    };
    PortCount ports(28);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageRecorder boxes;
        std::vector<int> flags;
        EXPECT_EQ(CUtils::ParsePortList(c.text, flags), c.result);
        EXPECT_EQ(flags.size(), 28U);
        EXPECT_EQ(SetPorts(flags), c.ports);
        if (c.result) {
            EXPECT_TRUE(boxes.texts.empty());
        } else {
            EXPECT_EQ(boxes.texts, std::vector<std::string>{"Invalid Portlist"});
            EXPECT_EQ(boxes.types, std::vector<UINT>{MB_OK});
        }
    }
}

TEST(PortList, KeepsFlagsItDoesNotSetAndGrowsAShortTable)
{
    PortCount ports(10);
    std::vector<int> flags{0, 1};
    EXPECT_TRUE(CUtils::ParsePortList("10", flags));
    EXPECT_EQ(flags, (std::vector<int>{0, 1, 0, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(PortList, ApplySetsListedPortsWithinThePortCount)
{
    PortCount ports(8);
    std::vector<int> trunk{9, 9};
    CUtils::ApplyPortList("1,3,9,0,-2,x,8,", trunk, 4);
    EXPECT_EQ(trunk, (std::vector<int>{4, 9, 4, 0, 0, 0, 0, 4}));
    CUtils::ApplyPortList("", trunk, 5);
    EXPECT_EQ(trunk, (std::vector<int>{4, 9, 4, 0, 0, 0, 0, 4}));
}

TEST(VlanList, PlainNumberListsRefuseLettersAndMostPunctuation)
{
    for (const char c : std::string("~`!@#$%^&*{}[]|\\:;\"'<>.?/aZ")) {
        SCOPED_TRACE(c);
        EXPECT_FALSE(CUtils::IsPlainNumberList(std::string("1") + c));
    }
    EXPECT_TRUE(CUtils::IsPlainNumberList("1, 2-3,(4)+_="));
    EXPECT_TRUE(CUtils::IsPlainNumberList(""));
}

TEST(VlanList, ChecksIdsRangesAndTheGroupLimit)
{
    const std::string invalid = "Invalid VLAN List";
    const std::string tooMany = "LBD VLAN mode maximum support 8 VLAN groups.";
    struct Case
    {
        std::string text;
        BOOL result;
        std::string message; // empty: no message
    };
    const Case cases[] = {
        {"1-8", TRUE, ""},
        {"", TRUE, ""},
        {"1,1,2-3,3", TRUE, ""},
        {"4094", TRUE, ""},
        {"1,", TRUE, ""},
        {"1-9", FALSE, tooMany},
        {"1-4094", FALSE, tooMany},
        {"5-3", FALSE, invalid},
        {"4090-4095", FALSE, invalid},
        {"0-3", FALSE, invalid},
        {"4095", FALSE, invalid},
        {"0,5", FALSE, invalid},
        {"1,,2", FALSE, invalid},
        {"99999999999", FALSE, invalid},
        // A bad range followed by more items fails without a message.
        {"5-3,7", FALSE, ""},
        {"1-4095,7", FALSE, ""},
        {"a", FALSE, ""},
        {"1.5", FALSE, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MessageRecorder boxes;
        EXPECT_EQ(CUtils::CheckVlanList(c.text, 4094), c.result);
        EXPECT_EQ(boxes.texts, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

// Row indexes as a switch gives them: only what a real row can have is taken.
TEST(RowIndexes, OnlyIndexesARealRowCanHave)
{
    PortCount ports(28);
    struct Case
    {
        const char* index;
        int port, unitPort, vlan;
    };
    const Case cases[] = {
        {".5", 5, 0, 5},          {"5", 5, 0, 5},         {".28", 28, 0, 28},    {".29", 0, 0, 29},
        {".0", 0, 0, 0},          {".1.5", 0, 5, 0},      {".2.5", 0, 0, 0},     {".0.1", 0, 0, 0},
        {".1.29", 0, 0, 0},       {".1.0", 0, 0, 0},      {".4094", 0, 0, 4094}, {".4095", 0, 0, 0},
        {".4294967295", 0, 0, 0}, {".4294967296", 0, 0, 0}, {".99999999999", 0, 0, 0}, {".-1", 0, 0, 0},
        {"", 0, 0, 0},            {".", 0, 0, 0},         {"..5", 0, 0, 0},      {".5.", 0, 0, 0},
        {".1..5", 0, 0, 0},       {". 5", 0, 0, 0},       {".0x5", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(CUtils::RowPort(c.index), c.port);
        EXPECT_EQ(CUtils::RowUnitPort(c.index), c.unitPort);
        EXPECT_EQ(CUtils::RowVlanId(c.index), c.vlan);
    }
}

} // namespace utils_test
