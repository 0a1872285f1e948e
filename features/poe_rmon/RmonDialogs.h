// What the RMON table dialogs share: the limits of the fields they write and a
// look-up in the indexes a table holds.
#pragma once

#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "platform/system/WinTypes.h"

#include <algorithm>
#include <string>
#include <vector>

// The longest owner text a row takes.
inline constexpr int kRmonOwnerMaxChars = 32;
// The range of a row index.
inline constexpr int kRmonFirstIndex = 1;
inline constexpr int kRmonLastIndex = 65535;

// A number of a row read from the switch as a list shows it: empty when
// unknown.
inline std::string KnownNumber(bool bKnown, long long nValue)
{
    return bKnown ? std::to_string(nValue) : std::string();
}

inline bool Contains(const std::vector<int>& values, int value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// After a user's write (a row added or removed, a state set): says a failure
// once, and tells whether the dialog reads the switch again to show what it
// holds now; not after a switch that did not answer, which would cost the
// window a second time-out.
inline bool ReadAgainAfter(CWriteReport& report)
{
    return !report.Report() || !report.TimedOut();
}

// The end of a table walk (bFailed: it failed, was cut short or could not
// start): a failure of a read the user started is said once; the list keeps
// its last complete read.
inline void SayWalkEnd(CReadReport& readReport, bool bFailed, const std::string& strWhat, bool bKeptLast)
{
    if (bFailed)
        readReport.Fail(strWhat, bKeptLast);
}
