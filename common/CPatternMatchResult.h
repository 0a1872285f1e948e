// The result of a whole-text match. After a match: [0] = 1, [1] = N (the
// highest group number), then for each group g from 0 to N its start
// [2 + 2g] and end [3 + 2g], or -1 and -1 when the group took no part; group
// 0 is the whole match. After a failed match it holds no values.
#pragma once

#include "common/CBufferT.h"

class CPatternMatchResult : public CBufferT<int>
{
public:
    // 1 after a match, 0 after a failure.
    int Succeeded() const { return GetValue(0, 0); }
    // The value at nIndex, or nDefault when the result holds none there.
    int GetValue(int nIndex, int nDefault) const
    {
        return (nIndex >= 0 && nIndex < GetSize()) ? (*this)[nIndex] : nDefault;
    }
};
