// The tokenizer: how pattern characters become literal and meta tokens.
#include "common/CPatternCompiler.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Beside the token's type, where GoogleTest looks for it.
static void PrintTo(const PatternToken& token, std::ostream* pStream)
{
    *pStream << (token.m_nKind == TOKEN_META ? "meta " : "literal ") << static_cast<int>(token.m_ch);
}

namespace regex_test {

namespace {

PatternToken L(char ch)
{
    return PatternToken{ch, TOKEN_LITERAL, 0, 0};
}

PatternToken M(char ch)
{
    return PatternToken{ch, TOKEN_META, 0, 0};
}

// Reads a pattern's tokens through the compiler's token window.
class TokenReader : public CPatternCompiler
{
public:
    std::vector<PatternToken> Read(const std::string& strPattern, int nFlags)
    {
        BeginTokens(strPattern.data(), static_cast<int>(strPattern.size()), nFlags);
        std::vector<PatternToken> tokens;
        while (!Current().IsEnd() && tokens.size() < 100) {
            tokens.push_back(Current());
            Advance();
        }
        // Once reached, the end stays.
        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(Current().IsEnd());
            EXPECT_EQ(Current().m_nLength, 0);
            Advance();
        }
        return tokens;
    }
};

struct TokenCase
{
    std::string m_strPattern;
    int m_nFlags;
    std::vector<PatternToken> m_tokens;
};

void ExpectTokens(const std::vector<TokenCase>& cases)
{
    for (const TokenCase& c : cases) {
        SCOPED_TRACE("pattern \"" + c.m_strPattern + "\"");
        TokenReader reader;
        EXPECT_EQ(reader.Read(c.m_strPattern, c.m_nFlags), c.m_tokens);
    }
}

} // namespace

TEST(PatternTokenizer, OperatorsAreMetaOutsideBracketsOnly)
{
    ExpectTokens({
        {"a(b)", 0, {L('a'), M('('), L('b'), M(')')}},
        {"$)*+.?{|}", 0, {M('$'), M(')'), M('*'), M('+'), M('.'), M('?'), M('{'), M('|'), M('}')}},
        {"[$)*+.?{|}(]",
         0,
         {M('['), L('$'), L(')'), L('*'), L('+'), L('.'), L('?'), L('{'), L('|'), L('}'), L('('), M(']')}},
        {"[a-z]", 0, {M('['), L('a'), M('-'), L('z'), M(']')}},
        {"a-z", 0, {L('a'), L('-'), L('z')}},
        {"a]:", 0, {L('a'), L(']'), L(':')}},
        {"[[:digit:]]", 0, {M('['), M('['), M(':'), L('d'), L('i'), L('g'), L('i'), L('t'), L(':'), M(']'), M(']')}},
        {"[a[b]", 0, {M('['), L('a'), L('['), L('b'), M(']')}},
        {"[^^]", 0, {M('['), M('^'), L('^'), M(']')}},
        {"[:^x:]", 0, {M('['), M(':'), M('^'), L('x'), L(':'), M(']')}},
        {"^a^", 0, {M('^'), L('a'), M('^')}},
        {std::string("a\0b~\x7f\xe9", 6), 0, {L('a'), L('\0'), L('b'), L('~'), L('\x7f'), L('\xe9')}},
    });
}

TEST(PatternTokenizer, FreeSpacingSkipsBlanksAndComments)
{
    ExpectTokens({
        {"a b # c", RX_FREE_SPACING, {L('a'), L('b')}},
        {"a b # c", 0, {L('a'), L(' '), L('b'), L(' '), L('#'), L(' '), L('c')}},
        {"a\\ b", RX_FREE_SPACING, {L('a'), L(' '), L('b')}},
        {"a#x\nb\t[ c ]", RX_FREE_SPACING, {L('a'), L('b'), M('['), L('c'), M(']')}},
        {"a(?#comment)b", 0, {L('a'), L('b')}},
        {"[(?#x])]", 0, {M('['), M(']')}},
        {"a(?#never closed", 0, {L('a')}},
    });
}

TEST(PatternTokenizer, EscapesAndQuotedText)
{
    ExpectTokens({
        {"\\LABC\\E", 0, {L('a'), L('b'), L('c')}},
        {"\\Uab\\Ec", 0, {L('A'), L('B'), L('c')}},
        {"\\Qa*\\E", 0, {L('a'), L('*')}},
        {"\\Q(a]", 0, {L('('), L('a'), L(']')}},
        {"\\E", 0, {}},
        {"\\12", 0, {M('\\'), L('1'), L('2')}},
        {"\\d\\D\\s\\S\\w\\W\\A\\Z\\z\\B\\k\\g",
         0,
         {M('d'), M('D'), M('s'), M('S'), M('w'), M('W'), M('A'), M('Z'), M('z'), M('B'), M('k'), M('g')}},
        {"[\\d]", 0, {M('['), M('d'), M(']')}},
        {"\\b[\\b]", 0, {M('b'), M('['), L('\b'), M(']')}},
        {"\\G[\\G]", 0, {M('G'), M('['), M(']')}},
        {"\\a\\e\\f\\n\\r\\t\\v", 0, {L('\a'), L('\x1b'), L('\f'), L('\n'), L('\r'), L('\t'), L('\v')}},
        {"\\x41\\u0041\\u{41}", 0, {L('A'), L('A'), L('A')}},
        {"\\u4e2d\\x{263a}\\xg\\u", 0, {L('-'), L(':'), L('x'), L('g'), L('u')}},
        {"\\x4", 0, {L('\x04')}},
        {"\\*\\[\\q", 0, {L('*'), L('['), L('q')}},
        {"ab\\", 0, {L('a'), L('b'), L('\\')}},
        {std::string("\\\0", 2), 0, {L('\0')}},
    });
}

TEST(PatternTokenizer, TokensKnowTheirPositionAndLength)
{
    TokenReader reader;
    const std::vector<PatternToken> tokens = reader.Read("a\\u{41}\\x41(", 0);
    ASSERT_EQ(tokens.size(), 4U);
    const int expected[4][2] = {{0, 1}, {1, 6}, {7, 4}, {11, 1}};
    for (size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(tokens[i].m_nPosition, expected[i][0]) << i;
        EXPECT_EQ(tokens[i].m_nLength, expected[i][1]) << i;
    }
}

} // namespace regex_test
