// The order of two report-list cell texts, as a click on a column heading
// sorts them. The first rule that both texts satisfy decides:
//  1. hexadecimal numbers: the whole text reads as an integer in base 16
//     (leading blanks, a sign and a "0x" prefix allowed), so "1e3" is 483 and
//     "200" is 512; a minus sign makes the number negative;
//  2. decimal numbers: the whole text reads as a floating-point number, or
//     everything but a "%" at its very end does ("12.5%");
//  3. dates and times: see ParseDateTime;
//  4. text, byte by byte, case-sensitive.
// Parsing does not depend on the process's locale.
#pragma once

#include <cstdint>
#include <string>

class CCellTextCompare
{
public:
    CCellTextCompare() = delete;

    // -1 when a orders before b, 1 when after, 0 when they are equal.
    static int Compare(const std::string& a, const std::string& b);

    // Reads a date, a time, or a date followed by a time, with blanks around
    // them allowed:
    //   dates  YYYY-MM-DD, YYYY/MM/DD, M/D/YYYY
    //   times  H:MM or H:MM:SS, either followed by AM or PM (any case)
    // A time alone counts as a time on 1899-12-30, the zero date. On success
    // key gets a number that orders like the moments the texts name.
    static bool ParseDateTime(const std::string& text, std::int64_t& key);
};
