// One token of a pattern as the pattern tokenizer reads it: a literal that
// stands for its character, or a meta token (an operator of the pattern
// language, named by its character). The end of the pattern is the meta
// token with character 0 and length 0.
#pragma once

inline constexpr int TOKEN_LITERAL = 0;
inline constexpr int TOKEN_META = 1;

struct PatternToken
{
    char m_ch = 0;
    int m_nKind = TOKEN_LITERAL;
    int m_nPosition = 0; // of its first pattern character
    int m_nLength = 0;   // in pattern characters

    // Tokens are equal when character and kind are; position and length do not count.
    bool operator==(const PatternToken& other) const { return m_ch == other.m_ch && m_nKind == other.m_nKind; }

    bool IsMeta(char ch) const { return m_nKind == TOKEN_META && m_ch == ch; }
    bool IsEnd() const { return IsMeta(0); }
};
