// Objects of the switch's PoE branch that several PoE dialogs name: the time
// profile table, whose ids the PoE ports refer to, and the PoE time range
// table that the time range list and its editor keep. Both tables have the
// same 21 columns: .1 index, .2 name, .3 date in use, .4-.6 first day,
// .7-.8 start time, .9-.11 last day, .12-.13 end time, .14-.20 Monday to
// Sunday, .21 row status.
#pragma once

#include "platform/snmp/KorvelMib.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <string>

namespace poe_tables {

inline constexpr int kRangeColumns = 21;
inline constexpr int kRowStatusColumn = 21;
// The editor keeps at most this many ranges in service.
inline constexpr int kMaxRanges = 8;
// The weekdays as the lists show them, Monday to Sunday, each with the comma
// that parts it from the next.
inline const char* const kWeekdayTexts[] = {"Mon,", "Tue,", "Wed,", "Thu,", "Fri,", "Sat,", "Sun,"};

inline std::string TimeProfileColumn(int nColumn)
{
    return KorvelOid("10.76.19.1.32.1.1." + std::to_string(nColumn));
}
inline std::string TimeRangeColumn(int nColumn)
{
    return KorvelOid("10.76.19.1.23.1.1." + std::to_string(nColumn));
}
inline std::string TimeRangeCell(int nColumn, const std::string& strIndex)
{
    return TimeRangeColumn(nColumn) + "." + strIndex;
}

// A number typed by the user or read from the switch: decimal, leading
// blanks and a sign accepted, up to the first other character; 0 without
// digits; clamped to the int range.
inline int DecimalValue(const std::string& strText)
{
    const long nValue = std::strtol(strText.c_str(), nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}

// The index of a row of one of the two tables from the part of a cell's
// identifier beyond its column (".5"): one arc, 1 to 65535; 0 for an index
// no row of these tables can have.
inline int RowIndex(const std::string& strSuffix)
{
    if (strSuffix.size() < 2 || strSuffix.size() > 6 || strSuffix[0] != '.')
        return 0;
    int nIndex = 0;
    for (std::size_t i = 1; i < strSuffix.size(); ++i) {
        if (strSuffix[i] < '0' || strSuffix[i] > '9')
            return 0;
        nIndex = nIndex * 10 + (strSuffix[i] - '0');
    }
    return nIndex >= 1 && nIndex <= 65535 ? nIndex : 0;
}

// What is wrong with a schedule's first and last day and its start and end
// time (year, month, day, hour, minute each), as the message to show; empty
// when nothing is. An end before the start is refused on a single day; with
// bTimesAloneMayWrap a schedule without a date range may end before it starts.
inline std::string ScheduleProblem(const std::array<std::string, 5>& from, const std::array<std::string, 5>& to,
                                   bool bTimesAloneMayWrap, const char* pszStartAfterEnd)
{
    const int nStart = DecimalValue(from[3]) * 100 + DecimalValue(from[4]);
    const int nEnd = DecimalValue(to[3]) * 100 + DecimalValue(to[4]);
    if (nStart == nEnd)
        return "'Start Time' and 'End Time' can't be the same";
    const int nFirst = DecimalValue(from[0]) * 10000 + DecimalValue(from[1]) * 100 + DecimalValue(from[2]);
    const int nLast = DecimalValue(to[0]) * 10000 + DecimalValue(to[1]) * 100 + DecimalValue(to[2]);
    if (nLast < nFirst) {
        if (DecimalValue(to[0]) < DecimalValue(from[0]))
            return "'To year' can't be less than 'From year'";
        if (DecimalValue(to[1]) < DecimalValue(from[1]))
            return "'To month' can't be less than 'From month'";
        return "'To day' can't be less than 'From day'";
    }
    if (bTimesAloneMayWrap || nLast != nFirst)
        return "";
    return nEnd < nStart ? pszStartAfterEnd : "";
}

} // namespace poe_tables
