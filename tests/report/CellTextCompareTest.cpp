// The order of report cell texts: hexadecimal, decimal, date and text rules.
#include "common/CCellTextCompare.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace report_test {

TEST(CellTextCompare, OrdersByTheFirstRuleBothTextsSatisfy)
{
    struct Case
    {
        const char* a;
        const char* b;
        int order; // sign of Compare(a, b)
    };
    const Case cases[] = {
        // hexadecimal: 9 < 10 < 100 by value, not by text
        {"9", "10", -1},
        {"10", "100", -1},
        {"0xFF", "200", -1}, // 255 < 0x200
        {"1e3", "200", -1},  // 0x1e3 = 483 < 0x200 = 512
        {" 0x1A", "+1b", -1},
        {"ff", "FF", 0},
        // negative numbers order below positive ones, the larger magnitude first
        {"-5", "3", -1},
        {"-5", "-3", -1},
        {"-0", "0", 0},
        {"-ff", "-1", -1},
        // decimal, with a trailing percent sign
        {"1.5", "10", -1},
        {"12.5%", "9%", 1},
        {"-1.5", "-5", 1},
        {"2.50", "2.5", 0},
        {"1e2", "99.5", 1}, // 1e2 as hexadecimal is 0x1e2, but 99.5 is not: both as decimals
        // no decimal: a blank before the sign, or a sign that is not last
        {"12.5 %", "9%", -1},
        {"5%x", "40", 1},
        // dates and times
        {"1/2/2020", "12/31/2019", 1},
        {"2020-01-02 08:00", "2020-01-02 7:59:59", 1},
        {"2019/12/31 11:59 PM", "2020-01-01", -1},
        {"12:00 AM", "1:00", -1},
        {"12:30:00", "2000-01-01", -1}, // a time alone lies on the zero date
        // text, byte by byte and case-sensitive
        {"", "abcz", -1},
        {"", "", 0},
        {"Zebra", "apple", -1},
        {"port 10", "port 9", -1},
        {"2/30/2020", "3/1/2020", -1}, // no such date: text
        {"nan", "1", 1},               // not a number: text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(CCellTextCompare::Compare(c.a, c.b), c.order);
        EXPECT_EQ(CCellTextCompare::Compare(c.b, c.a), -c.order);
    }
}

TEST(CellTextCompare, ReadsDatesAndTimesAndRefusesTheRest)
{
    const char* accepted[] = {"2020-02-29", "  1/2/2020  ", "2020/12/31 23:59:59", "7:05 pm", "12/31/9999 12:00 AM"};
    for (const char* text : accepted) {
        std::int64_t key = 0;
        EXPECT_TRUE(CCellTextCompare::ParseDateTime(text, key)) << text;
    }
    const char* refused[] = {"2019-02-29",      "13/1/2020",     "1/2/20",   "24:00",     "0:00 AM", "10:60",
                             "2020-01-0210:00", "2020-01-02 10", "10:00 XM", "10:00 AMX", "",        "1/2/2020/3"};
    for (const char* text : refused) {
        std::int64_t key = 0;
        EXPECT_FALSE(CCellTextCompare::ParseDateTime(text, key)) << text;
    }
    std::int64_t noon = 0;
    std::int64_t pm = 0;
    ASSERT_TRUE(CCellTextCompare::ParseDateTime("2021-06-01 12:00", noon));
    ASSERT_TRUE(CCellTextCompare::ParseDateTime("6/1/2021 12:00 PM", pm));
    EXPECT_EQ(noon, pm);
}

} // namespace report_test
