// Whole-text matching, feature by feature: tables of patterns and texts.
#include "RegexTestSupport.h"

#include <string>

namespace regex_test {

TEST(PatternMatch, LiteralsAndTheEmptyPattern)
{
    ExpectMatches({
        {"", 0, "", true},
        {"", 0, "a", false},
        {"abc", 0, "abc", true},
        {"a", 0, "ab", false}, // no search inside the text
        {"b", 0, "ab", false},
        {"abc*", 0, "abccc", true},
        {"abc*", 0, "ababc", false},
        {std::string("a\\x00b", 6), 0, std::string("a\0b", 3), true},
        {"\\Qa*\\E", 0, "a*", true},
        {"\\Qa*\\E", 0, "aa", false},
        {"\\LABC\\E", 0, "abc", true},
        {"\\Qa.b", 0, "a.b", true},
        {"\\Qa.b", 0, "axb", false},
        {"\\E", 0, "", true},
    });
}

TEST(PatternMatch, CharacterClasses)
{
    ExpectMatches({
        {"[abc]", 0, "b", true},
        {"[abc]", 0, "d", false},
        {"[a-z]+", 0, "hello", true},
        {"[a-z]+", 0, "Hello", false},
        {"[^a-z]", 0, "A", true},
        {"[^a-z]", 0, "a", false},
        {"[^a-z]", 0, "", false},
        {"[a-]", 0, "-", true},
        {"[-a]", 0, "-", true},
        {"[]", 0, "a", false},
        {"[]", 0, "", false},
        {"[^]", 0, "\n", true},
        {"[\\b]", 0, "\b", true},
        {"[.]", 0, ".", true},
        {"[.]", 0, "a", false},
        {"[\\d-z]+", 0, "5-z", true},
        {"[\\d-z]", 0, "y", false},
        {"[a-\\d]+", 0, "a-7", true},
        {"[a-\\d]", 0, "b", false},
        {"[z-a]", 0, "m", false}, // a range whose ends are swapped holds nothing
        {"\\d\\D", 0, "7a", true},
        {"\\d", 0, "a", false},
        {"\\w\\W", 0, "_-", true},
        {"\\w", 0, "-", false},
        {"\\s\\s\\s\\s\\S", 0, " \t\r\nx", true},
        {"\\s", 0, "\f", false},
        {"\\s", 0, "\v", false},
        {".", 0, "a", true},
        {".", 0, "\n", false},
        {"[\\D]", 0, "x", true},
    });
}

TEST(PatternMatch, PosixClasses)
{
    ExpectMatches({
        {"[:alpha:]", 0, "a", true}, // a POSIX class outside brackets too
        {"[:alpha:]", 0, "1", false},
        {"[[:digit:]x]+", 0, "5x", true},
        {"[[:digit:]x]", 0, "a", false},
        {"[[:^digit:]]", 0, "a", true},
        {"[[:^digit:]]", 0, "5", false},
        {"[:alpha]", 0, "a", false}, // no closing colon: never matches
        {"[:^nonsense:]", 0, "a", false},
        {"[[:alnum:]][[:upper:]][[:lower:]][[:punct:]]", 0, "1Ab!", true},
        {"[[:blank:]]+", 0, " \t", true},
        {"[[:blank:]]", 0, "\n", false},
        {"[[:space:]]", 0, "\v", true},
        {"[[:xdigit:]]+", 0, "09aF", true},
        {"[[:xdigit:]]", 0, "g", false},
        {"[[:cntrl:]]", 0, "\x01", true},
        {"[[:print:]]", 0, " ", true},
        {"[[:graph:]]", 0, " ", false},
        {"[[:ascii:]]", 0, "\x7f", true},
        {"[[:ascii:]]", 0, "\x80", false},
        // Bytes above 0x7F are classified as unsigned characters.
        {"[[:alpha:]]", 0, "\xe9", false},
        {"[[:^alpha:]]", 0, "\xe9", true},
        {"[[:^print:]]", 0, "\xff", true},
    });
}

TEST(PatternMatch, CharactersOrderAsSignedBytes)
{
    ExpectMatches({
        {"[\\x80-\\x7f]+", 0, "\xff\x80\x01\x7f", true},
        {"[\\x00-\\xff]", 0, "a", false},
        {"[\\x01-\\x7f]", 0, "\x80", false},
        {"[\\x80-\\xff]", 0, "\xc0", true},
        {"[\\x80-\\xff]", 0, "a", false},
    });
}

TEST(PatternMatch, Anchors)
{
    ExpectMatches({
        {"^abc$", 0, "abc", true},
        {"a$b", 0, "ab", false},
        {"a\n^b", 0, "a\nb", false},
        {"a\n^b", RX_LINE_ANCHORS, "a\nb", true},
        {"a\r^b", RX_LINE_ANCHORS, "a\rb", true},
        {"a\r^\nb", RX_LINE_ANCHORS, "a\r\nb", false},
        {"a$\nb", 0, "a\nb", false},
        {"a$\nb", RX_LINE_ANCHORS, "a\nb", true},
        {"a$\r\nb", RX_LINE_ANCHORS, "a\r\nb", true},
        {"a\r$\nb", RX_LINE_ANCHORS, "a\r\nb", false},
        {"\\Aabc\\z", 0, "abc", true},
        {"a\\A", 0, "a", false},
        {"abc\\Z\n", 0, "abc\n", true},
        {"abc\\Z\r\n", 0, "abc\r\n", true},
        {"abc\\Z", 0, "abc", true},
        {"ab\\Zc", 0, "abc", false},
        {"\\bfoo\\b", 0, "foo", true},
        {"\\Bfoo", 0, "foo", false},
        {"a\\Bb", 0, "ab", true},
        {"a\\bb", 0, "ab", false},
        {"a\\b b", 0, "a b", true},
        {"a\\Gb", 0, "ab", true}, // without RX_CONTINUE_ANCHOR \G is empty
        {"a\\Gb", RX_CONTINUE_ANCHOR, "ab", false},
        {"\\Gab", RX_CONTINUE_ANCHOR, "ab", true},
    });
}

TEST(PatternMatch, Alternation)
{
    ExpectMatches({
        {"a|b", 0, "a", true},
        {"a|b", 0, "b", true},
        {"a|b", 0, "c", false},
        {"cat|dog|bird", 0, "bird", true},
        {"(a|ab)c", 0, "abc", true},
        {"(a|ab)(c|bcd)", 0, "abcd", true},
        {"a|", 0, "", true},
        {"a|", 0, "a", true},
        {"|a", 0, "", true},
        {"|a", 0, "a", true},
        // An inline option holds for the following alternatives of its alternation.
        {"(x(?i)|y)", 0, "Y", true},
        {"(x|y)", 0, "Y", false},
        {"a(?i)b|c", 0, "C", true},
        {"(a|b)*c", 0, "ababc", true},
    });
}

TEST(PatternMatch, GreedyRepetition)
{
    ExpectMatches({
        {"a*", 0, "aaa", true},
        {"a*", 0, "", true},
        {"a+", 0, "", false},
        {"a+", 0, "aa", true},
        {"a?", 0, "", true},
        {"a?", 0, "aa", false},
        {"a{3}", 0, "aaa", true},
        {"a{3}", 0, "aa", false},
        {"a{3}", 0, "aaaa", false},
        {"a{2,3}", 0, "aaa", true},
        {"a{2,3}", 0, "a", false},
        {"a{2,3}", 0, "aaaa", false},
        {"a{2,}", 0, "aaaaa", true},
        {"a{2,}", 0, "a", false},
        {"a{2,x}", 0, "aaaaaa", true},
        {"x{ 2 , 3 }", 0, "xxx", true},
        {"x{2,1}", 0, "xx", true},
        {"x{2,1}", 0, "xxx", false},
        {"x{2}?", 0, "xx", true},
        {"x{2}+", 0, "xx", true},
        {"(ab|a)*b", 0, "aabab", true},
        {"(a?)*", 0, "aa", true},
        {"(a*)*b", 0, "aab", true},
        {"(a*)+", 0, "", true},
        {"(a|ab)(c|bcd)(d*)", 0, "abcd", true},
    });
}

TEST(PatternMatch, DroppedAndLiteralQuantifiers)
{
    const std::string strHundred(100, 'x');
    ExpectMatches({
        {"x{0}", 0, "", true},
        {"x{0}", 0, "x", false},
        {"x{0,0}", 0, "x", false},
        {"x{}", 0, "", true},
        {"x{,3}", 0, "", true},
        {"x{,3}", 0, "x", false},
        {"a{x}b", 0, "b", true},
        {"x{1000}", 0, strHundred, true}, // only three digits count
        {"x{1000}", 0, strHundred + "x", false},
        {"*ab", 0, "*ab", true},
        {"a**", 0, "aa*", true},
        {"a**", 0, "aa", false},
        {"a*?*", 0, "aa*", true},
        {"+", 0, "+", true},
        {"{1}", 0, "{1}", true},
    });
}

TEST(PatternMatch, ReluctantAndPossessiveRepetition)
{
    ExpectMatches({
        {"a*?b", 0, "aab", true},
        {"a+?", 0, "aaa", true},
        {"a??a", 0, "a", true},
        {"a{1,3}?b", 0, "aaab", true},
        {"a{1,3}?b", 0, "aaaab", false},
        {"(?:a|b)*?c", 0, "abc", true},
        {"(a|ab)*?c", 0, "abac", true},
        {"a*+a", 0, "aaa", false},
        {"a*+", 0, "aaa", true},
        {"a++b", 0, "aab", true},
        {"a?+a", 0, "a", false},
        {"(?>a*)a", 0, "aa", false},
        {"(?>a|ab)c", 0, "abc", false},
        {"(?>a|ab)c", 0, "ac", true},
    });
}

TEST(PatternMatch, LookaroundAndAtomicGroups)
{
    ExpectMatches({
        {"(?=a)a", 0, "a", true},
        {"(?=a)b", 0, "b", false},
        {"(?!a)b", 0, "b", true},
        {"(?!a)a", 0, "a", false},
        {"x(?<=x)", 0, "x", true},
        {"x(?<!x)", 0, "x", false},
        {"ab(?<=ab)", 0, "ab", true},
        {"ab(?<=b[a-z])", 0, "ab", false},
        {"a(?<!b)b", 0, "ab", true},
        {"(?=.*\\d)[a-z0-9]+", 0, "ab1", true},
        {"(?=.*\\d)[a-z0-9]+", 0, "abc", false},
    });
}

TEST(PatternMatch, Conditionals)
{
    ExpectMatches({
        {"(?(1)b|c)", 0, "c", true},
        {"(?(1)b|c)", 0, "b", false},
        {"(a)?(?(1)b|c)", 0, "ab", true},
        {"(a)?(?(1)b|c)", 0, "c", true},
        {"(a)?(?(1)b|c)", 0, "ac", false},
        {"(?(1)a|b|c)", 0, "c", true}, // the no branch is b|c
        {"(?(?=a)ab|cd)", 0, "ab", true},
        {"(?(?=a)ab|cd)", 0, "cd", true},
        {"(?(?=a)ab|cd)", 0, "ad", false},
        {"(?(abc)abc|x)", 0, "abc", true}, // no group abc: tests whether abc follows
        {"(?(abc)abc|x)", 0, "x", true},
        {"(?<g>a)?(?(g)b|c)", 0, "ab", true},
        {"(?<g>a)?(?(g)b|c)", 0, "c", true},
        {"(?<g>a)?(?(g)b|c)", 0, "b", false},
        {"(a)?(?(1)b)", 0, "", true},
    });
}

TEST(PatternMatch, Calls)
{
    ExpectMatches({
        {"a(?R)?b", 0, "aaabbb", true},
        {"a(?R)?b", 0, "aabbb", false},
        {"a(?0)?b", 0, "aabb", true},
        {"\\((?R)*\\)", 0, "(()(()))", true},
        {"\\((?R)*\\)", 0, "(()", false},
        {"(a(?1)?b)", 0, "aaabbb", true},
        {"x(a(?1)?b)", 0, "xaabb", true},
        {"(?<p>x(?R<p>)?y)", 0, "xxyy", true},
        {"(?<p>x(?R'p')?y)", 0, "xxyy", true},
        {"a(?R<x>)b", 0, "ab", true}, // no group x: the call matches empty
        {"a(?7)b", 0, "ab", true},
    });
}

TEST(PatternMatch, CompileFlags)
{
    ExpectMatches({
        {"a.b", 0, "a\nb", false},
        {"a.b", RX_DOT_ALL, "a\nb", true},
        {"(?s)a.b", 0, "a\nb", true},
        {"(?s:a.)b", 0, "a\nb", true},
        {"(?s:a)\\n.", 0, "a\n\n", false},
        {"abc", RX_NO_CASE, "ABC", true},
        {"abc", 0, "ABC", false},
        {"[a-f]+", RX_NO_CASE, "ABCdef", true},
        {"[K]", RX_NO_CASE, "k", true},
        {"[k]", RX_NO_CASE, "K", true},
        {"[A-z]+", RX_NO_CASE, "Az_", true},
        {"[^a-c]", RX_NO_CASE, "B", false},
        {"(?i)abc", 0, "AbC", true},
        {"a(?i:b)c", 0, "aBc", true},
        {"a(?i:b)c", 0, "aBC", false},
        {"(?i)a(?-i)b", 0, "Ab", true},
        {"(?i)a(?-i)b", 0, "AB", false},
        {"(?m)a$\\n^b", 0, "a\nb", true},
        {"(?g)a\\Gb", 0, "ab", false},
        {"\\xe9", RX_NO_CASE, "\xe9", true},
        {"[\\xe0-\\xef]", RX_NO_CASE, "\xe9", true},
        {"a b # comment", RX_FREE_SPACING, "ab", true},
        {"a\\ b", RX_FREE_SPACING, "a b", true},
        {"[a b]", RX_FREE_SPACING, " ", false},
        {"a b", 0, "a b", true},
    });
}

TEST(PatternMatch, BackwardMatching)
{
    ExpectMatches({
        {"ab", RX_BACKWARD, "ab", true},
        {"ab", RX_BACKWARD, "abc", false},
        {"a*b", RX_BACKWARD, "aab", true},
        {"^ab$", RX_BACKWARD, "ab", true},
        {"(a|ab)(c|bcd)", RX_BACKWARD, "abcd", true},
        {"\\1b(a)", RX_BACKWARD, "aba", true}, // the group is met first
        {"\\1b(a)", RX_BACKWARD, "bba", false},
        {"(a)b\\1", RX_BACKWARD, "aba", false},
        // Backward \s also holds FF and VT.
        {"\\s", RX_BACKWARD, "\f", true},
        {"\\s\\S", RX_BACKWARD, "\vx", true},
        {"\\S", RX_BACKWARD, "\v", false},
    });
    const CPatternMatchResult cResult = MatchText("a(b)", "ab", RX_BACKWARD);
    ASSERT_EQ(cResult.Succeeded(), 1);
    EXPECT_EQ(Group(cResult, 1), std::make_pair(1, 2));
}

TEST(PatternMatch, MalformedPatternsHaveFixedMeanings)
{
    ExpectMatches({
        {"a)b", 0, "a", true}, // an unmatched ')' ends the pattern
        {"a)b", 0, "ab", false},
        {"(ab", 0, "ab", true},
        {"[ab", 0, "a", true},
        {"(?<n>a", 0, "a", true},
        {"\\x", 0, "x", true},
        {"\\q", 0, "q", true},
        {"(?", 0, "", true},
        {"(?)a", 0, "a", true},
        {"(?#unclosed", 0, "", true},
        {"a(?#c)b", 0, "ab", true},
        {"(?P", 0, "", true},
        {"\\k<", 0, "", false},
        {"(?(", 0, "", true},
    });
}

} // namespace regex_test
