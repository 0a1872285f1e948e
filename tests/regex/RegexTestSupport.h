// Helpers shared by the pattern engine's tests.
#pragma once

#include "common/CMatchContext.h"
#include "common/CPatternCompiler.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// One row of a match table: the pattern, its compile flags, the text, and
// whether the whole text matches.
struct MatchCase
{
    std::string m_strPattern;
    int m_nFlags;
    std::string m_strText;
    bool m_bMatches;
};

inline CPatternMatchResult MatchText(const std::string& strPattern, const std::string& strText, int nFlags = 0)
{
    CPatternCompiler cPattern;
    cPattern.CompilePattern(strPattern.data(), static_cast<int>(strPattern.size()), nFlags);
    return cPattern.MatchWholeText(strText.data(), static_cast<int>(strText.size()), nullptr);
}

inline void ExpectMatches(const std::vector<MatchCase>& cases)
{
    for (const MatchCase& c : cases) {
        SCOPED_TRACE("pattern \"" + c.m_strPattern + "\" flags " + std::to_string(c.m_nFlags) + " text \"" +
                     c.m_strText + "\"");
        const CPatternMatchResult cResult = MatchText(c.m_strPattern, c.m_strText, c.m_nFlags);
        EXPECT_EQ(cResult.Succeeded(), c.m_bMatches ? 1 : 0);
        if (c.m_bMatches) {
            // The match always covers the whole text.
            EXPECT_EQ(cResult.GetValue(2, -1), 0);
            EXPECT_EQ(cResult.GetValue(3, -1), static_cast<int>(c.m_strText.size()));
        } else {
            EXPECT_EQ(cResult.GetSize(), 0);
        }
    }
}

// The (start, end) pair of group g of a successful match.
inline std::pair<int, int> Group(const CPatternMatchResult& cResult, int nGroup)
{
    return {cResult.GetValue(2 + 2 * nGroup, -2), cResult.GetValue(3 + 2 * nGroup, -2)};
}

// Every capture index names an entry that is still on the capture stack
// and belongs to its group.
inline void ExpectCaptureIndexWithinStack(const CMatchContext& cContext)
{
    for (int nGroup = 0; nGroup < cContext.m_cCaptureIndex.GetSize(); ++nGroup) {
        const int nEntry = cContext.m_cCaptureIndex[nGroup];
        SCOPED_TRACE("group " + std::to_string(nGroup));
        if (nEntry >= 0) {
            ASSERT_LT(nEntry + CAPTURE_ENTRY_SIZE - 1, cContext.m_cCaptures.GetSize());
            EXPECT_EQ(cContext.m_cCaptures[nEntry + CAPTURE_GROUP], nGroup);
        }
    }
}
