// UTF-8 and UTF-16 conversion, and the platform's code pages on iconv.
#include "UtilsTestSupport.h"

#include "common/CCodeConvert.h"
#include "platform/system/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace utils_test {

namespace {

const std::string kGrinning = "\xF0\x9F\x98\x80"; // U+1F600, outside the Basic Multilingual Plane
const std::u16string kGrinning16 = u"\U0001F600";

} // namespace

TEST(CodeConvert, EncodesOneCodePoint)
{
    struct Case
    {
        int codePoint;
        std::string bytes;
    };
    const Case cases[] = {
        {0x41, "A"},
        {0xE9, "\xC3\xA9"},
        {0x7FF, "\xDF\xBF"},
        {0x4E2D, "\xE4\xB8\xAD"},
        {0x1F600, kGrinning},
        {0x200000, "\xF8\x88\x80\x80\x80"},
        {0x7FFFFFFF, "\xFD\xBF\xBF\xBF\xBF\xBF"},
        {-1, "\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePoint);
        std::string out = "<";
        EXPECT_EQ(CCodeConvert::EncodeUtf8Char(c.codePoint, out), static_cast<int>(c.bytes.size()));
        EXPECT_EQ(out, "<" + c.bytes);
    }
}

TEST(CodeConvert, DecodesOneSequenceWithinItsInput)
{
    struct Case
    {
        std::string bytes;
        int codePoint;
        int length;
    };
    const Case cases[] = {
        {"Ab", 0x41, 1},
        {"\xC3\xA9z", 0xE9, 2},
        {"\xE4\xB8\xAD", 0x4E2D, 3},
        {kGrinning, 0x1F600, 4},
        {"\xFD\xBF\xBF\xBF\xBF\xBF", 0x7FFFFFFF, 6},
        // A stray continuation byte stands for itself.
        {"\x80", 0x80, 1},
        // So does a lead byte whose sequence is cut by the end of the input ...
        {"\xE4\xB8", 0xE4, 1},
        {"\xF0", 0xF0, 1},
        // ... or broken by a byte that continues nothing: the ASCII letters after it are kept.
        {"\xE9"
         "ab",
         0xE9, 1},
        {std::string("\xC3\0", 2), 0xC3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const ExactBlock block(c.bytes);
        int codePoint = -1;
        EXPECT_EQ(CCodeConvert::DecodeUtf8Char(block.view(), codePoint), c.length);
        EXPECT_EQ(codePoint, c.codePoint);
    }
    int untouched = -1;
    EXPECT_EQ(CCodeConvert::DecodeUtf8Char({}, untouched), 0);
    EXPECT_EQ(untouched, -1);
}

TEST(CodeConvert, Utf16KeepsSurrogatePairs)
{
    const std::u16string mixed = u"a\u00E9\u4E2D" + kGrinning16;
    const std::string mixed8 = "a\xC3\xA9\xE4\xB8\xAD" + kGrinning;
    EXPECT_EQ(CCodeConvert::Utf16ToUtf8(mixed), mixed8);
    EXPECT_EQ(CCodeConvert::Utf8ToUtf16(ExactBlock(mixed8).view()), mixed);
    // A pair written as two three-byte sequences comes back as the pair.
    EXPECT_EQ(CCodeConvert::Utf8ToUtf16("\xED\xA0\xBD\xED\xB8\x80"), kGrinning16);
    // Lone surrogates cannot be written as UTF-8; values beyond U+10FFFF fit no UTF-16.
    EXPECT_EQ(CCodeConvert::Utf16ToUtf8(std::u16string(u"x") + char16_t(0xD83D) + u"y"), "x\xEF\xBF\xBDy");
    EXPECT_EQ(CCodeConvert::Utf16ToUtf8(std::u16string(1, char16_t(0xDE00))), "\xEF\xBF\xBD");
    EXPECT_EQ(CCodeConvert::Utf8ToUtf16("\xF8\x88\x80\x80\x80"), u"\uFFFD");
    // Both stop at the first NUL or zero unit.
    EXPECT_EQ(CCodeConvert::Utf16ToUtf8(std::u16string(u"ab\0cd", 5)), "ab");
    EXPECT_EQ(CCodeConvert::Utf8ToUtf16(std::string("ab\0cd", 5)), u"ab");
    EXPECT_EQ(CCodeConvert::Utf8ToUtf16(""), u"");
}

TEST(CodeConvert, AnsiToUtf8GivesTheWholeText)
{
    struct Case
    {
        std::string ansi;
        std::string utf8;
    };
    const std::string longName(200, 'v');
    const Case cases[] = {
        {"abc", "abc"},
        {"\xC3\xA9", "\xC3\xA9"},
        {"\xE4\xB8\xAD", "\xE4\xB8\xAD"},
        {"x" + kGrinning, "x" + kGrinning},
        {"", ""},
        // Nothing is cut to a buffer size.
        {longName + "\xC3\xA9", longName + "\xC3\xA9"},
        // Bytes that are no UTF-8 do not pass unseen.
        {"a\xFF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ansi);
        std::string out = "stale";
        EXPECT_EQ(CCodeConvert::AnsiToUtf8(ExactBlock(c.ansi).view(), out), 1);
        EXPECT_EQ(out, c.utf8);
    }
}

TEST(CodeConvert, Utf8ToAnsiOfSwitchValues)
{
    struct Case
    {
        std::string utf8;
        int result;
        std::string ansi;
    };
    const Case cases[] = {
        {"VLAN 2", 1, "VLAN 2"},
        {"\xC3\xA9", 1, "\xC3\xA9"},
        {kGrinning, 1, kGrinning},
        {"", 0, ""},
        // Padded with NULs by the switch.
        {std::string("VLAN\0\0\0", 7), 1, "VLAN"},
        {std::string("\0x", 2), 0, ""},
        // A byte that starts no complete sequence is read as the Latin-1 character it would be.
        {"\xE9"
         "ab",
         1,
         "\xC3\xA9"
         "ab"},
        {"caf\xE9", 1, "caf\xC3\xA9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::string out = "stale";
        EXPECT_EQ(CCodeConvert::Utf8ToAnsi(ExactBlock(c.utf8).view(), out), c.result);
        EXPECT_EQ(out, c.ansi);
    }
    std::string out = "stale";
    EXPECT_EQ(CCodeConvert::Utf8ToAnsi(static_cast<const char*>(nullptr), out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(CCodeConvert::Utf8ToAnsi("\xC3\xA9", out), 1);
    EXPECT_EQ(out, "\xC3\xA9");
}

TEST(CodePage, AnsiIsUtf8AndRoundTrips)
{
    const std::string text = "Port \xC3\xA9\xE4\xB8\xAD" + kGrinning + "!";
    const std::u16string wide = u"Port \u00E9\u4E2D" + kGrinning16 + u"!";
    for (const UINT codePage : {CP_ACP, CP_UTF8}) {
        SCOPED_TRACE(codePage);
        std::u16string toWide;
        ASSERT_TRUE(MultiByteToWideChar(codePage, ExactBlock(text).view(), toWide));
        EXPECT_EQ(toWide, wide);
        std::string back;
        ASSERT_TRUE(WideCharToMultiByte(codePage, toWide, back));
        EXPECT_EQ(back, text);
    }
    // Long input goes through in several rounds of the converter.
    const std::u16string longWide(5000, u'\u4E2D');
    std::string longText;
    ASSERT_TRUE(WideCharToMultiByte(CP_UTF8, longWide, longText));
    EXPECT_EQ(longText.size(), 15000U);
    std::u16string longBack;
    ASSERT_TRUE(MultiByteToWideChar(CP_UTF8, longText, longBack));
    EXPECT_EQ(longBack, longWide);
}

TEST(CodePage, InvalidInputIsReplacedNotDropped)
{
    struct Case
    {
        std::string bytes;
        std::u16string wide;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         u"a\uFFFDb"},
        {"\xC3", u"\uFFFD"},
        // Cut at the end of the input: every byte left over is replaced, nothing past it is read.
        {"a\xE4\xB8", u"a\uFFFD\uFFFD"},
        {"\xED\xA0\xBD", u"\uFFFD\uFFFD\uFFFD"},
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
        {"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        std::u16string wide;
        ASSERT_TRUE(MultiByteToWideChar(CP_UTF8, ExactBlock(c.bytes).view(), wide));
        EXPECT_EQ(wide, c.wide);
    }
    std::string bytes;
    ASSERT_TRUE(WideCharToMultiByte(CP_ACP, std::u16string(u"a") + char16_t(0xDC00) + char16_t(0xD800), bytes));
    EXPECT_EQ(bytes, "a\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CodePage, OtherCodePagesAndUnknownOnes)
{
    std::u16string wide;
    ASSERT_TRUE(MultiByteToWideChar(1252, "caf\xE9", wide));
    EXPECT_EQ(wide, u"caf\u00E9");
    std::string bytes;
    // A character the code page lacks becomes "?", a whole pair one "?".
    ASSERT_TRUE(WideCharToMultiByte(1252, u"\u00E9\u4E2D" + kGrinning16 + u"!", bytes));
    EXPECT_EQ(bytes, "\xE9?"
                     "?!");
    EXPECT_FALSE(MultiByteToWideChar(12345, "abc", wide));
    EXPECT_EQ(wide, u"");
    EXPECT_FALSE(WideCharToMultiByte(12345, u"abc", bytes));
    EXPECT_EQ(bytes, "");
}

} // namespace utils_test
