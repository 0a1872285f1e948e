// What the RMON table dialogs share: the limits of the fields they write and a
// look-up in the indexes a table holds.
#pragma once

#include <algorithm>
#include <vector>

// The longest owner text a row takes.
inline constexpr int kRmonOwnerMaxChars = 32;
// The range of a row index.
inline constexpr int kRmonFirstIndex = 1;
inline constexpr int kRmonLastIndex = 65535;

inline bool Contains(const std::vector<int>& values, int value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}
