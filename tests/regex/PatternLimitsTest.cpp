// Bounded recursion, nesting limits, the empty compiler and the error paths.
#include "RegexTestSupport.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace regex_test {

namespace {

std::string Repeat(const std::string& strPart, int n)
{
    std::string strText;
    for (int i = 0; i < n; ++i) {
        strText += strPart;
    }
    return strText;
}

} // namespace

TEST(PatternLimits, CallsThatNeverConsumeFailInsteadOfExhaustingTheStack)
{
    ExpectMatches({
        {"(?R)", 0, "", false},
        {"(?R)", 0, "a", false},
        {"(?R)a", 0, "a", false},
        {"(?R)*", 0, "", true}, // the repeat may take no iteration
        {"((?R))", 0, "", false},
        {"a|(?R)", 0, "a", true},
        {"a|(?R)", 0, "b", false},
        {"(a|(?1))", 0, "a", true},
        {"(a|(?1))", 0, "b", false},
        {"(?=(?R))", 0, "", false},
        {"(?>(?R))", 0, "", false},
    });
}

TEST(PatternLimits, RecursionDeeperThanTheLimitFailsToMatch)
{
    const std::string strPattern = "\\((?R)?\\)";
    EXPECT_EQ(MatchText(strPattern, Repeat("(", 50) + Repeat(")", 50)).Succeeded(), 1);
    EXPECT_EQ(MatchText(strPattern, Repeat("(", 5000) + Repeat(")", 5000)).Succeeded(), 0);
}

TEST(PatternLimits, GroupsNestedDeeperThanTheLimitFailToCompile)
{
    const int nLimit = CPatternCompiler::MaxGroupNesting;
    EXPECT_EQ(MatchText(Repeat("(", nLimit) + "a" + Repeat(")", nLimit), "a").Succeeded(), 1);
    EXPECT_EQ(MatchText(Repeat("(?:", nLimit) + "a" + Repeat(")", nLimit), "a").Succeeded(), 1);
    // One level more leaves the compiler empty: nothing matches.
    EXPECT_EQ(MatchText(Repeat("(", nLimit + 1) + "a" + Repeat(")", nLimit + 1), "a").Succeeded(), 0);
    EXPECT_EQ(MatchText(Repeat("(?=", nLimit + 1), "").Succeeded(), 0);
    EXPECT_EQ(MatchText(Repeat("(?(", nLimit), "").Succeeded(), 1);
    EXPECT_EQ(MatchText(Repeat("(?(", nLimit + 1), "").Succeeded(), 0);
    EXPECT_EQ(MatchText(Repeat("(", 200000), "").Succeeded(), 0);
    EXPECT_EQ(MatchText(Repeat("[[:", 100000), "").Succeeded(), 0);
}

TEST(PatternLimits, PatternsNestedToTheLimitStillMatch)
{
    // The matcher's depth bound lies beyond what a pattern without calls can
    // reach. Each level below must be entered for the text to match.
    const int nLimit = CPatternCompiler::MaxGroupNesting;
    std::string strGroups = "a";
    std::string strConditions = "a";
    for (int i = 0; i < nLimit; ++i) {
        strGroups = "(z?" + strGroups + "++|b)";
        strConditions = "(?(z?" + strConditions + "++|b)a|n)";
    }
    EXPECT_EQ(MatchText(strGroups, "a").Succeeded(), 1);
    EXPECT_EQ(MatchText(strConditions, "a").Succeeded(), 1);
    EXPECT_EQ(MatchText("(" + strGroups + ")", "a").Succeeded(), 0);
}

TEST(PatternLimits, LongPatternsAndTextsDoNotRecurse)
{
    const std::string strAlternatives = Repeat("a|", 50000) + "b";
    EXPECT_EQ(MatchText(strAlternatives, "b").Succeeded(), 1);
    const std::string strText = Repeat("ab", 200000);
    EXPECT_EQ(MatchText("(a|b)*", strText).Succeeded(), 1);
    EXPECT_EQ(MatchText("(?:a|b)*?", strText).Succeeded(), 1);
    EXPECT_EQ(MatchText("(ab)+", strText).Succeeded(), 1);
}

TEST(PatternLimits, BacktrackingWithoutEndRunsOutOfStepsAndFails)
{
    const std::string strAs = Repeat("a", 30);
    ExpectMatches({
        // Calls that re-enter themselves through an alternative.
        {".(?R)a|((?0))", 0, "a", false},
        {"(a|(?1)(?1))b", 0, "aaaa", false},
        // Optional items that try every way to share the text: 2^30 tries
        // before the match, far more than the limit.
        {"(a?){30}a{30}", 0, strAs, false},
        // The match as a whole fails: neither a later alternative nor a
        // negated look-ahead turns the tries that ran out into a match.
        {"(a?){30}a{30}b|a*", 0, strAs, false},
        {"(?!(a?){30}a{30}b)a*", 0, strAs, false},
        // Well below the limit the same shapes match.
        {"(a?){3}a{3}", 0, "aaa", true},
        {"(a?){3}a{3}b|a*", 0, "aaa", true},
        {"(?!(a?){3}a{3}b)a*", 0, "aaa", true},
    });
}

TEST(PatternLimits, AnEmptyCompilerMatchesNothing)
{
    CPatternCompiler cEmpty;
    EXPECT_EQ(cEmpty.MatchWholeText("").Succeeded(), 0);
    EXPECT_EQ(cEmpty.MatchWholeText("").GetSize(), 0);

    CPatternCompiler cNull(nullptr);
    EXPECT_EQ(cNull.MatchWholeText("").Succeeded(), 0);

    CPatternCompiler cPattern("a");
    cPattern.CompilePattern(nullptr, 5, 0);
    EXPECT_EQ(cPattern.MatchWholeText("a").Succeeded(), 0);

    cPattern.CompilePattern("a", 1, 0);
    cPattern.Clear();
    EXPECT_EQ(cPattern.MatchWholeText("a").Succeeded(), 0);
}

TEST(PatternLimits, BadArgumentsGiveAnEmptyResult)
{
    CPatternCompiler cPattern("a*");
    EXPECT_EQ(cPattern.MatchWholeText(nullptr).Succeeded(), 0);
    EXPECT_EQ(cPattern.MatchWholeText(nullptr, 3, nullptr).Succeeded(), 0);
    EXPECT_EQ(cPattern.MatchWholeText("aaa", -1, nullptr).Succeeded(), 0);
    EXPECT_EQ(cPattern.MatchWholeText("aaa", 2, nullptr).Succeeded(), 1); // only the given length counts

    const CPatternMatchResult cFailed = cPattern.MatchWholeText("b");
    EXPECT_EQ(cFailed.Succeeded(), 0);
    EXPECT_EQ(cFailed.GetValue(0, 5), 5);

    const CPatternMatchResult cResult = cPattern.MatchWholeText("aa");
    EXPECT_EQ(cResult.GetValue(1, -1), 0);
    EXPECT_EQ(cResult.GetValue(-1, 7), 7);
    EXPECT_EQ(cResult.GetValue(4, 7), 7);
}

TEST(PatternLimits, ACompilerCanBeRecompiledAndMatchedRepeatedly)
{
    CPatternCompiler cPattern("(a)b");
    CMatchContext cContext;
    EXPECT_EQ(cPattern.MatchWholeText("ab", 2, &cContext).Succeeded(), 1);
    EXPECT_EQ(cContext.m_nPosition, 2); // the caller's context keeps the final state
    EXPECT_EQ(cPattern.MatchWholeText("abab", 4, &cContext).Succeeded(), 0);
    const CPatternMatchResult cFirst = cPattern.MatchWholeText("ab", 2, &cContext);
    cPattern.CompilePattern("x(y)(z)", 7, 0);
    const CPatternMatchResult cSecond = cPattern.MatchWholeText("xyz", 3, &cContext);
    EXPECT_EQ(cSecond.GetValue(1, -1), 2);
    EXPECT_EQ(cPattern.MatchWholeText("ab").Succeeded(), 0);
    // A result is a value of its own.
    EXPECT_EQ(Group(cFirst, 1), std::make_pair(0, 1));
    EXPECT_EQ(Group(cSecond, 2), std::make_pair(2, 3));
}

TEST(PatternLimits, OnePatternMatchesFromSeveralThreads)
{
    const CPatternCompiler cPattern("((25[0-5]|2[0-4]\\d|[01]?\\d\\d?)\\.){3}(25[0-5]|2[0-4]\\d|[01]?\\d\\d?)$");
    std::atomic<int> nWrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&cPattern, &nWrong, t] {
            CMatchContext cContext;
            for (int i = 0; i < 300; ++i) {
                const std::string strGood = "10." + std::to_string(t) + "." + std::to_string(i % 256) + ".1";
                const std::string strBad = strGood + ".7";
                if (!cPattern.MatchWholeText(strGood.c_str()).Succeeded() ||
                    cPattern.MatchWholeText(strBad.data(), static_cast<int>(strBad.size()), &cContext).Succeeded()) {
                    ++nWrong;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(nWrong.load(), 0);
}

} // namespace regex_test
