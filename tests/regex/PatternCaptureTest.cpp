// Groups, captures, group numbering and back-references.
#include "RegexTestSupport.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace regex_test {

namespace {

struct CaptureCase
{
    std::string m_strPattern;
    int m_nFlags;
    std::string m_strText;
    std::vector<std::pair<int, int>> m_groups; // groups 1 to N
};

void ExpectCaptures(const std::vector<CaptureCase>& cases)
{
    for (const CaptureCase& c : cases) {
        SCOPED_TRACE("pattern \"" + c.m_strPattern + "\" text \"" + c.m_strText + "\"");
        const CPatternMatchResult cResult = MatchText(c.m_strPattern, c.m_strText, c.m_nFlags);
        ASSERT_EQ(cResult.Succeeded(), 1);
        ASSERT_EQ(cResult.GetValue(1, -1), static_cast<int>(c.m_groups.size()));
        EXPECT_EQ(Group(cResult, 0), std::make_pair(0, static_cast<int>(c.m_strText.size())));
        for (size_t g = 0; g < c.m_groups.size(); ++g) {
            EXPECT_EQ(Group(cResult, static_cast<int>(g) + 1), c.m_groups[g]) << "group " << g + 1;
        }
        EXPECT_EQ(cResult.GetSize(), 2 + 2 * (static_cast<int>(c.m_groups.size()) + 1));
    }
}

} // namespace

TEST(PatternCaptures, GroupsReportTheirCaptures)
{
    ExpectCaptures({
        {"(a)*", 0, "aaa", {{2, 3}}}, // a repeated group reports its last iteration
        {"(a)(b)?", 0, "a", {{0, 1}, {-1, -1}}},
        {"((a)(b))", 0, "ab", {{0, 2}, {0, 1}, {1, 2}}},
        {"(?:a)(b)", 0, "ab", {{1, 2}}},
        {"(a)|(b)", 0, "b", {{-1, -1}, {0, 1}}},
        {"(a+?)(a*)", 0, "aaa", {{0, 1}, {1, 3}}},
        {"(a+)(a*)", 0, "aaa", {{0, 3}, {3, 3}}},
        {"(a*)(a+)", 0, "aaa", {{0, 2}, {2, 3}}},
        {"(a|ab)(c|bcd)(d*)", 0, "abcd", {{0, 1}, {1, 4}, {4, 4}}},
        {"(?=(a))a", 0, "a", {{0, 1}}}, // captures of a positive lookahead stay visible
        {"a(?<=(a))", 0, "a", {{0, 1}}},
        {"(a(?1)?b)", 0, "aabb", {{0, 4}}}, // a group re-entered by a call reports its outermost capture
        {"(?(?=(a))ab|cd)", 0, "ab", {{0, 1}}},
        {"a(b)", RX_BACKWARD, "ab", {{1, 2}}},
        {"(a)(b)", RX_BACKWARD, "ab", {{0, 1}, {1, 2}}},
    });
}

TEST(PatternCaptures, NamedGroupsAreNumberedAfterPlainOnes)
{
    ExpectCaptures({
        // Names compare without case: both groups are number 1.
        {"(?<n>a)(?<N>b)\\k<n>", 0, "abb", {{1, 2}}},
        {"(x)(y)(?<n>a)(?<N>b)", 0, "xyab", {{0, 1}, {1, 2}, {3, 4}}},
        {"(?<n>a)(b)", 0, "ab", {{1, 2}, {0, 1}}},
        {"(?<2>a)", 0, "a", {{-1, -1}, {0, 1}}}, // a numeric name is the group's number
        {"(?'q'a)\\k'q'", 0, "aa", {{0, 1}}},
        {"(?P<q>a)\\g<q>", 0, "aa", {{0, 1}}},
        {"(?<a>x)(?<b>y)(?<a>z)", 0, "xyz", {{2, 3}, {1, 2}}},
    });
}

TEST(PatternCaptures, BackReferences)
{
    ExpectMatches({
        {"(a)\\1", 0, "aa", true},
        {"(a)\\1", 0, "ab", false},
        {"(a)\\1", 0, "aA", false},
        {"(a)\\1", RX_NO_CASE, "aA", true},
        {"(a)|b\\1", 0, "b", false}, // a group that took no part
        {"(a*)b\\1", 0, "aabaa", true},
        {"(a*)b\\1", 0, "aaba", false},
        {"ab\\0", 0, "abab", true}, // group 0: the text matched so far
        {"ab\\0", 0, "abba", false},
        {"ab\\k", 0, "abab", true},
        {"a\\k<nope>", 0, "a", false},
        {"(a)\\12", 0, "aa2", false},
        {"(?<n>ab)\\k<N>", 0, "abab", true},
        {"(?<n>ab)\\k<2>", 0, "abab", false},
        {"(a)b(?<=\\1b)", 0, "ab", true},
        {"(a)b(?<=\\1a)", 0, "ab", false},
        {"(?<n>a)(?(n)\\k<n>|b)", 0, "aa", true},
    });
}

TEST(PatternCaptures, BackReferenceNumbersHaveThreeDigits)
{
    // \1234 is group 123 followed by the literal 4.
    std::string strPattern;
    for (int i = 0; i < 122; ++i) {
        strPattern += "(a)";
    }
    strPattern += "(b)\\1234";
    const std::string strText = std::string(122, 'a') + "bb4";
    const CPatternMatchResult cResult = MatchText(strPattern, strText);
    ASSERT_EQ(cResult.Succeeded(), 1);
    EXPECT_EQ(cResult.GetValue(1, -1), 123);
    EXPECT_EQ(MatchText(strPattern, std::string(122, 'a') + "bb").Succeeded(), 0);
}

TEST(PatternCaptures, UndoneCapturesLeaveNoIndexBehind)
{
    // Captures made inside an assertion, a possessive repeat, an atomic group
    // or a condition that is later undone vanish from the result, from
    // back-references and from conditions.
    struct Case
    {
        const char* m_pszPattern;
        const char* m_pszText;
        bool m_bMatches;
    };
    const Case cases[] = {
        {"(?:(?=(a))x|a)", "a", true},
        {"(?:(a)*+x|a+)", "aa", true},
        {"(?:(?>(a))x|a)", "a", true},
        {"(?:(?(?=(a))x)|a)", "a", true},
        {"(?:(?=(a))x|a)\\1", "aa", false},
        {"(?:(?=(a))x|a)(?(1)b|c)", "ac", true},
        {"(?:(?=(a))x|a)(?(1)b|c)", "ab", false},
        {"(?:(?=(a)(b))x|ab)(c)\\2", "abcb", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.m_pszPattern);
        CPatternCompiler cPattern(c.m_pszPattern);
        CMatchContext cContext;
        const CPatternMatchResult cResult =
            cPattern.MatchWholeText(c.m_pszText, static_cast<int>(std::strlen(c.m_pszText)), &cContext);
        EXPECT_EQ(cResult.Succeeded(), c.m_bMatches ? 1 : 0);
        if (c.m_bMatches) {
            EXPECT_EQ(Group(cResult, 1), std::make_pair(-1, -1));
        }
        ExpectCaptureIndexWithinStack(cContext);
    }
}

} // namespace regex_test
