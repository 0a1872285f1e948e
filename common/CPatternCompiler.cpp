#include "common/CPatternCompiler.h"

#include "common/CAlternativeElxT.h"
#include "common/CAssertElxT.h"
#include "common/CBackrefElxT.h"
#include "common/CBoundaryElxT.h"
#include "common/CBracketElxT.h"
#include "common/CConditionElxT.h"
#include "common/CDelegateElxT.h"
#include "common/CEmptyElxT.h"
#include "common/CGlobalElxT.h"
#include "common/CGreedyElxT.h"
#include "common/CIndependentElxT.h"
#include "common/CListElxT.h"
#include "common/CMatchContext.h"
#include "common/CPosixElxT.h"
#include "common/CPossessiveElxT.h"
#include "common/CRangeElxT.h"
#include "common/CReluctantElxT.h"
#include "common/CRepeatElxT.h"
#include "common/CStringElxT.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <exception>
#include <string>

namespace {

constexpr int kUnbounded = INT_MAX;

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

int HexValue(char ch)
{
    if (ch >= '0' && ch <= '9') {
        return ch - '0';
    }
    if (ch >= 'a' && ch <= 'f') {
        return ch - 'a' + 10;
    }
    if (ch >= 'A' && ch <= 'F') {
        return ch - 'A' + 10;
    }
    return -1;
}

int ToLower(int ch)
{
    return std::tolower(ch);
}

int ToUpper(int ch)
{
    return std::toupper(ch);
}

void SkipBlanks(const char* p, int n, int& i)
{
    while (i < n && IsBlank(p[i])) {
        ++i;
    }
}

// Reads a number of 1 to 3 decimal digits at p[i]; a further digit is left
// unread. False when there is no digit.
bool ReadNumber(const char* p, int n, int& i, int& nValue)
{
    nValue = 0;
    int nDigits = 0;
    while (i < n && nDigits < 3 && IsDigit(p[i])) {
        nValue = nValue * 10 + (p[i] - '0');
        ++i;
        ++nDigits;
    }
    return nDigits > 0;
}

// Whether a name or condition text reads as a group number: optional white
// space, 1 to 3 digits, optional white space and nothing else.
bool ReadsAsNumber(const CBufferRefT<char>& cText, int& nValue)
{
    const char* p = cText.GetBuffer();
    const int n = cText.GetSize();
    int i = 0;
    SkipBlanks(p, n, i);
    if (!ReadNumber(p, n, i, nValue)) {
        return false;
    }
    SkipBlanks(p, n, i);
    return i == n;
}

// Optional white space and 1 to 3 digits; 0 when there are none.
int LeadingNumber(const CBufferRefT<char>& cText)
{
    int i = 0;
    int nValue = 0;
    SkipBlanks(cText.GetBuffer(), cText.GetSize(), i);
    ReadNumber(cText.GetBuffer(), cText.GetSize(), i, nValue);
    return nValue;
}

// Group names compare by length, then by characters with case ignored.
bool SameName(const CBufferRefT<char>& a, const CBufferRefT<char>& b)
{
    if (a.GetSize() != b.GetSize()) {
        return false;
    }
    for (int i = 0; i < a.GetSize(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool IsSequenceEnd(const PatternToken& token)
{
    return token.IsEnd() || token.IsMeta('|') || token.IsMeta(')');
}

bool IsClassEscape(char ch)
{
    return ch == 'd' || ch == 'D' || ch == 's' || ch == 'S' || ch == 'w' || ch == 'W';
}

// The opening (bClosing 0) or closing mark of a group's three-element list.
CBracketElxT* GroupMark(const ElxInterface* pGroup, int bClosing)
{
    const CListElxT* pList = static_cast<const CListElxT*>(pGroup);
    CBracketElxT* pFirst = static_cast<CBracketElxT*>(pList->m_cElements[0]);
    CBracketElxT* pLast = static_cast<CBracketElxT*>(pList->m_cElements[2]);
    return (pFirst->m_bClosing != 0) == (bClosing != 0) ? pFirst : pLast;
}

} // namespace

CPatternCompiler::CPatternCompiler() = default;

CPatternCompiler::CPatternCompiler(const char* pPattern, int nFlags)
{
    const size_t nLength = pPattern ? std::strlen(pPattern) : 0;
    CompilePattern(nLength <= static_cast<size_t>(INT_MAX) ? pPattern : nullptr, static_cast<int>(nLength), nFlags);
}

CPatternCompiler::~CPatternCompiler()
{
    Clear();
}

void CPatternCompiler::Clear()
{
    for (int i = 0; i < m_cOwned.GetSize(); ++i) {
        delete m_cOwned[i];
    }
    m_cOwned.Clear();
    m_pRoot = nullptr;
    m_nMaxGroup = 0;
    m_nNamedGroupCount = 0;
    m_nGroupTableCount = 0;
    m_cGroups.Clear();
    m_cCalls.Clear();
    m_cNamedGroups.Clear();
    m_cNamedBackrefs.Clear();
    m_cNamedConditions.Clear();
    m_cSharedClasses.fill(nullptr);
}

void CPatternCompiler::CompilePattern(const char* pPattern, int nLength, int nFlags)
{
    Clear();
    m_nFlags = nFlags;
    if (!pPattern || nLength < 0) {
        return;
    }
    try {
        m_nGroupNesting = 0;
        m_bTooDeep = 0;
        BeginTokens(pPattern, nLength, nFlags);
        m_pRoot = ParseAlternation(nFlags);
        FinishGroups();
    } catch (const std::exception&) {
        Clear(); // out of memory: nothing is compiled
    }
    if (m_bTooDeep) {
        Clear();
    }
    m_cPattern = CBufferRefT<char>();
}

// ---------------------------------------------------------------------------
// Tokenizer

void CPatternCompiler::BeginTokens(const char* pPattern, int nLength, int nFlags)
{
    m_cPattern = CBufferRefT<char>(pPattern, nLength);
    m_nFlags = nFlags;
    m_nReadPosition = 0;
    m_nBracketDepth = 0;
    m_bQuoted = 0;
    m_pfnConvert = nullptr;
    m_cTokens.fill(PatternToken{});
    Advance();
    Advance();
    Advance();
}

void CPatternCompiler::Advance()
{
    m_cTokens[0] = m_cTokens[1];
    m_cTokens[1] = m_cTokens[2];
    m_cTokens[2] = m_cTokens[3];
    while (!ReadToken()) {
    }
}

int CPatternCompiler::YieldToken(char ch, int nKind, int nLength)
{
    m_cTokens[3] = PatternToken{ch, nKind, m_nReadPosition, nLength};
    m_nReadPosition += nLength;
    return 1;
}

int CPatternCompiler::ReadToken()
{
    const char* p = m_cPattern.GetBuffer();
    const int n = m_cPattern.GetSize();
    const int i = m_nReadPosition;
    if (i >= n) {
        m_cTokens[3] = PatternToken{0, TOKEN_META, n, 0};
        return 1;
    }
    const char ch = p[i];
    const char chNext = i + 1 < n ? p[i + 1] : '\0';
    if (m_bQuoted) {
        if (ch == '\\' && chNext == 'E') {
            m_bQuoted = 0;
            m_pfnConvert = nullptr;
            m_nReadPosition += 2;
            return 0;
        }
        const char chOut = m_pfnConvert ? static_cast<char>(m_pfnConvert(static_cast<unsigned char>(ch))) : ch;
        return YieldToken(chOut, TOKEN_LITERAL, 1);
    }
    const bool bInBracket = m_nBracketDepth > 0;
    const int nOperator = bInBracket ? TOKEN_LITERAL : TOKEN_META;
    const PatternToken& preceding = m_cTokens[2]; // the token read last
    switch (ch) {
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case ' ':
        if (m_nFlags & RX_FREE_SPACING) {
            ++m_nReadPosition;
            return 0;
        }
        return YieldToken(ch, TOKEN_LITERAL, 1);
    case '#':
        if (m_nFlags & RX_FREE_SPACING) {
            int k = i;
            while (k < n && p[k] != '\r' && p[k] != '\n') {
                ++k;
            }
            m_nReadPosition = k;
            return 0;
        }
        return YieldToken(ch, TOKEN_LITERAL, 1);
    case '$':
    case ')':
    case '*':
    case '+':
    case '.':
    case '?':
    case '{':
    case '|':
    case '}':
        return YieldToken(ch, nOperator, 1);
    case '(':
        if (chNext == '?' && i + 2 < n && p[i + 2] == '#') {
            // A comment runs past the next ')' (or to the end).
            int k = i + 3;
            while (k < n && p[k] != ')') {
                ++k;
            }
            m_nReadPosition = k < n ? k + 1 : n;
            return 0;
        }
        return YieldToken(ch, nOperator, 1);
    case '-':
        return YieldToken(ch, bInBracket ? TOKEN_META : TOKEN_LITERAL, 1);
    case ':':
        return YieldToken(ch, preceding.IsMeta('[') ? TOKEN_META : TOKEN_LITERAL, 1);
    case '[':
        if (bInBracket && chNext != ':') {
            return YieldToken(ch, TOKEN_LITERAL, 1);
        }
        ++m_nBracketDepth;
        return YieldToken(ch, TOKEN_META, 1);
    case ']':
        if (!bInBracket) {
            return YieldToken(ch, TOKEN_LITERAL, 1);
        }
        --m_nBracketDepth;
        return YieldToken(ch, TOKEN_META, 1);
    case '^':
        if (!bInBracket || preceding.IsMeta('[') || (preceding.IsMeta(':') && m_cTokens[1].IsMeta('['))) {
            return YieldToken(ch, TOKEN_META, 1);
        }
        return YieldToken(ch, TOKEN_LITERAL, 1);
    case '\\':
        return ReadEscape();
    default: // NUL, '~', DEL, the bytes 0x80 to 0xFF and every other character
        return YieldToken(ch, TOKEN_LITERAL, 1);
    }
}

int CPatternCompiler::ReadEscape()
{
    const char* p = m_cPattern.GetBuffer();
    const int n = m_cPattern.GetSize();
    const int i = m_nReadPosition;
    if (i + 1 >= n) {
        return YieldToken('\\', TOKEN_LITERAL, 1); // a backslash that ends the pattern
    }
    const char d = p[i + 1];
    if (d == '\0') {
        return YieldToken('\0', TOKEN_LITERAL, 2);
    }
    if (IsDigit(d)) {
        return YieldToken('\\', TOKEN_META, 1); // a numbered back-reference; its digits follow as literals
    }
    const char chAfter = i + 2 < n ? p[i + 2] : '\0';
    switch (d) {
    case 'A':
    case 'B':
    case 'D':
    case 'S':
    case 'W':
    case 'Z':
    case 'd':
    case 'g':
    case 'k':
    case 's':
    case 'w':
    case 'z':
        return YieldToken(d, TOKEN_META, 2);
    case 'b':
        return m_nBracketDepth == 0 ? YieldToken('b', TOKEN_META, 2) : YieldToken('\b', TOKEN_LITERAL, 2);
    case 'G':
        if (m_nBracketDepth == 0) {
            return YieldToken('G', TOKEN_META, 2);
        }
        m_nReadPosition += 2;
        return 0;
    case 'E':
        m_bQuoted = 0;
        m_pfnConvert = nullptr;
        m_nReadPosition += 2;
        return 0;
    case 'Q':
        m_bQuoted = 1;
        m_nReadPosition += 2;
        return 0;
    case 'L':
    case 'U':
        m_bQuoted = 1;
        m_pfnConvert = d == 'L' ? ToLower : ToUpper;
        m_nReadPosition += 2;
        return 0;
    case 'a':
        return YieldToken('\a', TOKEN_LITERAL, 2);
    case 'e':
        return YieldToken('\x1B', TOKEN_LITERAL, 2);
    case 'f':
        return YieldToken('\f', TOKEN_LITERAL, 2);
    case 'n':
        return YieldToken('\n', TOKEN_LITERAL, 2);
    case 'r':
        return YieldToken('\r', TOKEN_LITERAL, 2);
    case 't':
        return YieldToken('\t', TOKEN_LITERAL, 2);
    case 'v':
        return YieldToken('\v', TOKEN_LITERAL, 2);
    case 'x':
        return chAfter == '{' ? ReadBracedCode() : ReadHexCode(2, 'x');
    case 'u':
        return chAfter == '{' ? ReadBracedCode() : ReadHexCode(4, 'u');
    default:
        return YieldToken(d, TOKEN_LITERAL, 2);
    }
}

int CPatternCompiler::ReadHexCode(int nMaxDigits, char chLetter)
{
    const char* p = m_cPattern.GetBuffer();
    const int n = m_cPattern.GetSize();
    int k = m_nReadPosition + 2;
    unsigned nValue = 0;
    int nDigits = 0;
    while (nDigits < nMaxDigits && k < n && HexValue(p[k]) >= 0) {
        nValue = nValue * 16 + static_cast<unsigned>(HexValue(p[k]));
        ++k;
        ++nDigits;
    }
    if (nDigits == 0) {
        return YieldToken(chLetter, TOKEN_LITERAL, 2);
    }
    return YieldToken(static_cast<char>(nValue & 0xFF), TOKEN_LITERAL, 2 + nDigits);
}

int CPatternCompiler::ReadBracedCode()
{
    // \u{…} or \x{…}: up to 8 hexadecimal digits, then everything up to and
    // including the next '}'; the literal is the low 8 bits of the value.
    const char* p = m_cPattern.GetBuffer();
    const int n = m_cPattern.GetSize();
    int k = m_nReadPosition + 3;
    unsigned nValue = 0;
    for (int nDigits = 0; nDigits < 8 && k < n && HexValue(p[k]) >= 0; ++nDigits, ++k) {
        nValue = nValue * 16 + static_cast<unsigned>(HexValue(p[k]));
    }
    while (k < n && p[k] != '}') {
        ++k;
    }
    const int nEnd = k < n ? k + 1 : n;
    return YieldToken(static_cast<char>(nValue & 0xFF), TOKEN_LITERAL, nEnd - m_nReadPosition);
}

// ---------------------------------------------------------------------------
// Parser

void CPatternCompiler::GiveUp()
{
    // Leaves every parse loop at once: the window then holds only end tokens.
    m_bTooDeep = 1;
    m_bQuoted = 0;
    m_nReadPosition = m_cPattern.GetSize();
    Advance();
    Advance();
    Advance();
}

ElxInterface* CPatternCompiler::ParseAlternation(int nFlags)
{
    if (Current().IsEnd()) {
        return GetSharedClass(0);
    }
    int nAlternationFlags = nFlags; // an inline option holds for the following alternatives too
    ElxInterface* pElement = ParseSequence(nAlternationFlags);
    if (!Current().IsMeta('|')) {
        return pElement;
    }
    CAlternativeElxT* pAlternative = Create<CAlternativeElxT>();
    for (;;) {
        pAlternative->m_cAlternatives.Push(pElement);
        if (!Current().IsMeta('|')) {
            return pAlternative;
        }
        Advance();
        pElement = ParseSequence(nAlternationFlags);
    }
}

ElxInterface* CPatternCompiler::ParseSequence(int& nFlags)
{
    if (IsSequenceEnd(Current())) {
        return GetSharedClass(0);
    }
    ElxInterface* pElement = ParseRepeat(nFlags);
    if (IsSequenceEnd(Current())) {
        return pElement;
    }
    CListElxT* pList = Create<CListElxT>((nFlags & RX_BACKWARD) ? 1 : 0);
    pList->m_cElements.Push(pElement);
    while (!IsSequenceEnd(Current())) {
        pList->m_cElements.Push(ParseRepeat(nFlags));
    }
    return pList;
}

ElxInterface* CPatternCompiler::ParseRepeat(int& nFlags)
{
    ElxInterface* pAtom = ParseAtom(nFlags);
    const PatternToken quantifier = Current();
    if (quantifier.m_nKind != TOKEN_META ||
        (quantifier.m_ch != '*' && quantifier.m_ch != '+' && quantifier.m_ch != '?' && quantifier.m_ch != '{')) {
        return pAtom;
    }
    int nMinimum = 0;
    int nMaximum = kUnbounded;
    switch (quantifier.m_ch) {
    case '*':
        Advance();
        break;
    case '+':
        nMinimum = 1;
        Advance();
        break;
    case '?':
        nMaximum = 1;
        Advance();
        break;
    default:
        ParseBounds(nMinimum, nMaximum);
        break;
    }
    if (nMaximum == 0) {
        return GetSharedClass(0); // the atom is dropped (it stays owned)
    }
    if (nMinimum == nMaximum) {
        if (Current().IsMeta('?') || Current().IsMeta('+')) {
            Advance();
        }
        return Create<CRepeatElxT>(pAtom, nMinimum);
    }
    if (Current().IsMeta('?')) {
        Advance();
        return Create<CReluctantElxT>(pAtom, nMinimum, nMaximum - nMinimum);
    }
    if (Current().IsMeta('+')) {
        Advance();
        return Create<CPossessiveElxT>(pAtom, nMinimum, nMaximum - nMinimum);
    }
    return Create<CGreedyElxT>(pAtom, nMinimum, nMaximum - nMinimum);
}

void CPatternCompiler::ParseBounds(int& nMinimum, int& nMaximum)
{
    // {n}, {n,} and {n,m}; a number is 1 to 3 digits. Without a first
    // number both bounds are 0.
    Advance();
    std::string text;
    while (!Current().IsEnd() && !Current().IsMeta('}')) {
        text += Current().m_ch;
        Advance();
    }
    Advance();
    const char* p = text.data();
    const int n = static_cast<int>(text.size());
    int i = 0;
    nMinimum = 0;
    nMaximum = 0;
    SkipBlanks(p, n, i);
    if (!ReadNumber(p, n, i, nMinimum)) {
        return;
    }
    nMaximum = nMinimum;
    if (i < n && IsDigit(p[i])) {
        return; // a fourth digit ends the reading
    }
    SkipBlanks(p, n, i);
    if (i < n && p[i] == ',') {
        ++i;
        SkipBlanks(p, n, i);
        if (!ReadNumber(p, n, i, nMaximum)) {
            nMaximum = kUnbounded;
        }
    }
    nMaximum = std::max(nMaximum, nMinimum);
}

ElxInterface* CPatternCompiler::ParseAtom(int& nFlags)
{
    std::string run; // a run of literal characters
    for (;;) {
        const PatternToken token = Current();
        if (token.IsEnd()) {
            break;
        }
        if (token.m_nKind == TOKEN_LITERAL) {
            const PatternToken& next = Next();
            if (next.IsMeta('{') || next.IsMeta('?') || next.IsMeta('*') || next.IsMeta('+')) {
                // The quantifier binds to this literal alone.
                if (run.empty()) {
                    run += token.m_ch;
                    Advance();
                }
                break;
            }
            run += token.m_ch;
            Advance();
            continue;
        }
        if (token.m_ch == ')' || token.m_ch == '|' || !run.empty()) {
            break;
        }
        switch (token.m_ch) {
        case '(':
            return ParseGroup(nFlags);
        case '[':
        case '.':
        case 'w':
        case 'W':
        case 's':
        case 'S':
        case 'd':
        case 'D':
            return ParseClass(nFlags);
        case '^':
        case '$':
        case 'A':
        case 'Z':
        case 'z':
        case 'b':
        case 'B':
        case 'G':
            return ParseAnchor(nFlags);
        case '\\':
        case 'k':
        case 'g':
            return ParseBackReference(nFlags);
        default: // a stray quantifier or brace stands for itself
            run += token.m_ch;
            Advance();
            break;
        }
    }
    if (run.empty()) {
        return GetSharedClass(0);
    }
    return Create<CStringElxT>(run.data(), static_cast<int>(run.size()), (nFlags & RX_BACKWARD) ? 1 : 0,
                               (nFlags & RX_NO_CASE) ? 1 : 0);
}

ElxInterface* CPatternCompiler::ParseClass(int& nFlags)
{
    const PatternToken token = Current();
    const int nBackward = (nFlags & RX_BACKWARD) ? 8 : 0;
    if (token.m_nKind == TOKEN_META) {
        int nShared = -1;
        switch (token.m_ch) {
        case '.':
            nShared = (nFlags & RX_DOT_ALL) ? 1 : 2;
            break;
        case 'w':
            nShared = 3;
            break;
        case 'W':
            nShared = 4;
            break;
        case 's':
            nShared = 5;
            break;
        case 'S':
            nShared = 6;
            break;
        case 'd':
            nShared = 7;
            break;
        case 'D':
            nShared = 8;
            break;
        case '[':
            if (!Next().IsMeta(':')) {
                return ParseBracketExpression(nFlags);
            }
            {
                // A POSIX class: the name text runs from the ':' to the ']'.
                Advance();
                std::string name;
                while (!Current().IsMeta(']') && Current().m_ch != '\0') {
                    name += Current().m_ch;
                    Advance();
                }
                Advance();
                return Create<CPosixElxT>(name.data(), static_cast<int>(name.size()), (nFlags & RX_BACKWARD) ? 1 : 0);
            }
        default:
            break;
        }
        if (nShared > 0) {
            Advance();
            return GetSharedClass(nShared + nBackward);
        }
    }
    Advance();
    return GetSharedClass(0);
}

ElxInterface* CPatternCompiler::ParseBracketExpression(int nFlags)
{
    Advance(); // past '['
    int bInclude = 1;
    if (Current().IsMeta('^')) {
        bInclude = 0;
        Advance();
    }
    CRangeElxT* pRange = Create<CRangeElxT>((nFlags & RX_BACKWARD) ? 1 : 0, bInclude);
    while (!Current().IsEnd() && !Current().IsMeta(']')) {
        const PatternToken token = Current();
        if (token.m_nKind == TOKEN_META && (IsClassEscape(token.m_ch) || (token.m_ch == '[' && Next().IsMeta(':')))) {
            pRange->m_cClasses.Push(ParseClass(nFlags));
            continue;
        }
        if (Next().IsMeta('-') && AfterNext().m_nKind == TOKEN_LITERAL) {
            pRange->AddRange(token.m_ch, AfterNext().m_ch);
            Advance();
            Advance();
            Advance();
        } else {
            pRange->AddChar(token.m_ch);
            Advance();
        }
    }
    Advance(); // past ']'
    if (nFlags & RX_NO_CASE) {
        FoldCase(pRange);
    }
    return pRange;
}

void CPatternCompiler::FoldCase(CRangeElxT* pRange)
{
    // Adds the other case of the letters the class holds; only what was
    // there before is visited.
    const int nRanges = pRange->m_cRanges.GetSize();
    for (int i = 0; i + 1 < nRanges; i += 2) {
        const signed char chLow = static_cast<signed char>(pRange->m_cRanges[i]);
        const signed char chHigh = static_cast<signed char>(pRange->m_cRanges[i + 1]);
        if (chLow <= 'Z' && chHigh >= 'A') {
            const signed char l = static_cast<signed char>(std::tolower(std::max<signed char>(chLow, 'A')));
            const signed char h = static_cast<signed char>(std::tolower(std::min<signed char>(chHigh, 'Z')));
            if (!(chLow <= l && h <= chHigh)) {
                pRange->AddRange(static_cast<char>(l), static_cast<char>(h));
            }
        }
        if (chLow <= 'z' && chHigh >= 'a') {
            const signed char l = static_cast<signed char>(std::toupper(std::max<signed char>(chLow, 'a')));
            const signed char h = static_cast<signed char>(std::toupper(std::min<signed char>(chHigh, 'z')));
            if (!(chLow <= l && h <= chHigh)) {
                pRange->AddRange(static_cast<char>(l), static_cast<char>(h));
            }
        }
    }
    const int nChars = pRange->m_cChars.GetSize();
    for (int i = 0; i < nChars; ++i) {
        const unsigned char ch = static_cast<unsigned char>(pRange->m_cChars[i]);
        int nOther = -1;
        if (std::isupper(ch)) {
            nOther = std::tolower(ch);
        } else if (std::islower(ch)) {
            nOther = std::toupper(ch);
        }
        if (nOther >= 0 && !pRange->HoldsChar(static_cast<char>(nOther))) {
            pRange->AddChar(static_cast<char>(nOther));
        }
    }
}

CListElxT* CPatternCompiler::MakeGroup(int nNumber, int nFlags, ElxInterface* pContent)
{
    // Built backward, the marks swap places: a backward sequence is matched
    // from its last element, and the mark met first must open the capture.
    const int bBackward = (nFlags & RX_BACKWARD) ? 1 : 0;
    CListElxT* pGroup = Create<CListElxT>(bBackward);
    pGroup->m_cElements.Push(Create<CBracketElxT>(nNumber, bBackward));
    pGroup->m_cElements.Push(pContent);
    pGroup->m_cElements.Push(Create<CBracketElxT>(nNumber, bBackward ? 0 : 1));
    return pGroup;
}

ElxInterface* CPatternCompiler::ParseGroup(int& nFlags)
{
    if (m_nGroupNesting >= MaxGroupNesting) {
        GiveUp();
        return GetSharedClass(0);
    }
    ++m_nGroupNesting;
    ElxInterface* pGroup = ParseGroupBody(nFlags);
    --m_nGroupNesting;
    return pGroup;
}

ElxInterface* CPatternCompiler::ParseGroupBody(int& nFlags)
{
    Advance(); // past '('
    if (!Current().IsMeta('?')) {
        // A capturing group, numbered by its opening parenthesis.
        const int nNumber = ++m_nMaxGroup;
        ElxInterface* pContent = ParseAlternation(nFlags);
        CListElxT* pGroup = MakeGroup(nNumber, nFlags, pContent);
        m_cGroups.Prepare(nNumber, nullptr);
        m_cGroups[nNumber] = pGroup;
        Advance();
        return pGroup;
    }
    Advance(); // past '?'
    const char ch = Current().m_ch;
    ElxInterface* pResult = nullptr;
    if (ch == '=' || ch == '!') {
        Advance();
        pResult = Create<CAssertElxT>(ParseAlternation(nFlags & ~RX_BACKWARD), ch == '=' ? 1 : 0);
    } else if (ch == '<' && (Next().m_ch == '=' || Next().m_ch == '!')) {
        const int bPositive = Next().m_ch == '=' ? 1 : 0;
        Advance();
        Advance();
        pResult = Create<CAssertElxT>(ParseAlternation(nFlags | RX_BACKWARD), bPositive);
    } else if (ch == '<' || ch == '\'' || ch == 'P') {
        // A named group: (?<name>…), (?'name'…) or (?P<name>…).
        if (ch == 'P') {
            Advance();
        }
        const char chTerminator = Current().m_ch == '\'' ? '\'' : '>';
        Advance();
        const CBufferT<char> cName = ReadName(chTerminator);
        ElxInterface* pContent = ParseAlternation(nFlags);
        int nNumber = -1;
        const bool bNumbered = ReadsAsNumber(cName, nNumber);
        CListElxT* pGroup = MakeGroup(bNumbered ? nNumber : -1, nFlags, pContent);
        if (!bNumbered) {
            GroupMark(pGroup, 0)->m_cName = cName;
        }
        m_cNamedGroups.Push(pGroup);
        ++m_nNamedGroupCount;
        pResult = pGroup;
    } else if (ch == '>') {
        Advance();
        pResult = Create<CIndependentElxT>(ParseAlternation(nFlags));
    } else if (ch == '(') {
        pResult = ParseCondition(nFlags);
    } else if (ch == 'R') {
        Advance();
        SkipBlankTokens();
        pResult = ParseCall(true);
    } else {
        SkipBlankTokens();
        if (IsDigit(Current().m_ch)) {
            pResult = ParseCall(false);
        } else {
            // Inline options: (?imsg-imsg) for the rest of the enclosing
            // sequence, or (?imsg-imsg:…) for a non-capturing group.
            int nNewFlags = nFlags;
            bool bClear = false;
            while (!Current().IsEnd() && Current().m_ch != ':' && Current().m_ch != ')' && !Current().IsMeta('(')) {
                int nFlag = 0;
                switch (Current().m_ch) {
                case 'i':
                case 'I':
                    nFlag = RX_NO_CASE;
                    break;
                case 'm':
                case 'M':
                    nFlag = RX_LINE_ANCHORS;
                    break;
                case 's':
                case 'S':
                    nFlag = RX_DOT_ALL;
                    break;
                case 'g':
                case 'G':
                    nFlag = RX_CONTINUE_ANCHOR;
                    break;
                case '-':
                    bClear = true;
                    break;
                default:
                    break;
                }
                nNewFlags = bClear ? (nNewFlags & ~nFlag) : (nNewFlags | nFlag);
                Advance();
            }
            if (Current().m_ch == ':') {
                Advance();
                pResult = ParseAlternation(nNewFlags);
            } else if (Current().IsMeta('(')) {
                pResult = ParseAlternation(nNewFlags);
            } else {
                nFlags = nNewFlags;
                pResult = GetSharedClass(0);
            }
        }
    }
    Advance(); // past ')'
    return pResult;
}

ElxInterface* CPatternCompiler::ParseCondition(int& nFlags)
{
    CConditionElxT* pCondition = Create<CConditionElxT>();
    if (Next().IsMeta('?')) {
        pCondition->m_pCondition = ParseGroup(nFlags); // typically a lookaround
    } else {
        Advance();
        const int nStart = Current().m_nPosition;
        pCondition->m_pCondition = Create<CAssertElxT>(ParseAlternation(nFlags), 1);
        const int nEnd = std::max(nStart, Current().m_nPosition);
        pCondition->m_cText = CBufferT<char>(m_cPattern.GetBuffer() + nStart, nEnd - nStart);
        int nNumber = -1;
        if (ReadsAsNumber(pCondition->m_cText, nNumber)) {
            pCondition->m_nNumber = nNumber;
            pCondition->m_pCondition = nullptr;
        } else {
            m_cNamedConditions.Push(pCondition);
        }
        Advance();
    }
    int nYesFlags = nFlags;
    pCondition->m_pYes = ParseSequence(nYesFlags);
    if (Current().m_ch == '|') {
        Advance();
        pCondition->m_pNo = ParseAlternation(nFlags);
    }
    return pCondition;
}

ElxInterface* CPatternCompiler::ParseCall(bool bNameAllowed)
{
    CDelegateElxT* pCall = nullptr;
    if (bNameAllowed && (Current().m_ch == '<' || Current().m_ch == '\'')) {
        const char chTerminator = Current().m_ch == '<' ? '>' : '\'';
        Advance();
        const CBufferT<char> cName = ReadName(chTerminator);
        int nNumber = -1;
        if (ReadsAsNumber(cName, nNumber)) {
            pCall = Create<CDelegateElxT>(nNumber);
        } else {
            pCall = Create<CDelegateElxT>(-3);
            pCall->m_cName = cName;
        }
    } else {
        pCall = Create<CDelegateElxT>(LeadingNumber(ReadCharsUpTo(')')));
    }
    m_cCalls.Push(pCall);
    return pCall;
}

CBufferT<char> CPatternCompiler::ReadCharsUpTo(char chTerminator)
{
    CBufferT<char> cText;
    while (!Current().IsEnd() && Current().m_ch != chTerminator) {
        cText.Push(Current().m_ch);
        Advance();
    }
    return cText;
}

CBufferT<char> CPatternCompiler::ReadName(char chTerminator)
{
    CBufferT<char> cName = ReadCharsUpTo(chTerminator);
    Advance(); // past the terminator
    return cName;
}

void CPatternCompiler::SkipBlankTokens()
{
    while (!Current().IsEnd() && IsBlank(Current().m_ch)) {
        Advance();
    }
}

ElxInterface* CPatternCompiler::ParseAnchor(int& nFlags)
{
    const char ch = Current().m_ch;
    Advance();
    const bool bLines = (nFlags & RX_LINE_ANCHORS) != 0;
    switch (ch) {
    case '^':
        return Create<CBoundaryElxT>(bLines ? CBoundaryElxT::LineStart : CBoundaryElxT::TextStart, 1);
    case '$':
        return Create<CBoundaryElxT>(bLines ? CBoundaryElxT::LineEnd : CBoundaryElxT::TextEnd, 1);
    case 'A':
        return Create<CBoundaryElxT>(CBoundaryElxT::TextStart, 1);
    case 'z':
        return Create<CBoundaryElxT>(CBoundaryElxT::TextEnd, 1);
    case 'Z':
        return Create<CBoundaryElxT>(CBoundaryElxT::EndBeforeFinalBreak, 1);
    case 'b':
        return Create<CBoundaryElxT>(CBoundaryElxT::WordBoundary, 1);
    case 'B':
        return Create<CBoundaryElxT>(CBoundaryElxT::WordBoundary, 0);
    case 'G':
        if (nFlags & RX_CONTINUE_ANCHOR) {
            return Create<CGlobalElxT>();
        }
        break;
    default:
        break;
    }
    return GetSharedClass(0);
}

ElxInterface* CPatternCompiler::ParseBackReference(int& nFlags)
{
    Advance(); // past '\', 'k' or 'g'
    const int bBackward = (nFlags & RX_BACKWARD) ? 1 : 0;
    const int bIgnoreCase = (nFlags & RX_NO_CASE) ? 1 : 0;
    if (Current().m_ch != '<' && Current().m_ch != '\'') {
        int nNumber = 0;
        for (int k = 0; k < 3 && IsDigit(Current().m_ch); ++k) {
            nNumber = nNumber * 10 + (Current().m_ch - '0');
            Advance();
        }
        return Create<CBackrefElxT>(nNumber, bBackward, bIgnoreCase);
    }
    const char chTerminator = Current().m_ch == '<' ? '>' : '\'';
    Advance();
    const CBufferT<char> cName = ReadName(chTerminator);
    CBackrefElxT* pBackref = Create<CBackrefElxT>(-1, bBackward, bIgnoreCase);
    int nNumber = -1;
    if (ReadsAsNumber(cName, nNumber)) {
        pBackref->m_nNumber = nNumber;
    } else {
        pBackref->m_cName = cName;
        m_cNamedBackrefs.Push(pBackref);
    }
    return pBackref;
}

ElxInterface* CPatternCompiler::GetSharedClass(int nIndex)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_cSharedClasses.size())) {
        nIndex = 0;
    }
    if (m_cSharedClasses[nIndex]) {
        return m_cSharedClasses[nIndex];
    }
    ElxInterface* pShared = nullptr;
    if (nIndex == 0) {
        pShared = Create<CEmptyElxT>();
    } else {
        // 1 any character, 2 any but LF, 3/4 \w \W, 5/6 \s \S, 7/8 \d \D;
        // 9 to 16 the same built backward.
        const int bBackward = nIndex > 8 ? 1 : 0;
        const int nKind = bBackward ? nIndex - 8 : nIndex;
        const int bInclude = (nKind == 3 || nKind == 5 || nKind == 7) ? 1 : 0;
        CRangeElxT* pRange = Create<CRangeElxT>(bBackward, bInclude);
        switch (nKind) {
        case 2:
            pRange->AddChar('\n');
            break;
        case 3:
        case 4:
            pRange->AddRange('A', 'Z');
            pRange->AddRange('a', 'z');
            pRange->AddRange('0', '9');
            pRange->AddChar('_');
            break;
        case 5:
        case 6:
            pRange->AddChar(' ');
            pRange->AddChar('\t');
            pRange->AddChar('\r');
            pRange->AddChar('\n');
            if (bBackward) {
                pRange->AddChar('\f');
                pRange->AddChar('\v');
            }
            break;
        case 7:
        case 8:
            pRange->AddRange('0', '9');
            break;
        default:
            break;
        }
        pShared = pRange;
    }
    m_cSharedClasses[nIndex] = pShared;
    return pShared;
}

int CPatternCompiler::FindGroupByName(const CBufferRefT<char>& cName) const
{
    for (int i = 0; i < m_cNamedGroups.GetSize(); ++i) {
        const CBracketElxT* pOpening = GroupMark(m_cNamedGroups[i], 0);
        if (SameName(pOpening->m_cName, cName)) {
            return pOpening->m_nNumber;
        }
    }
    return -3;
}

void CPatternCompiler::FinishGroups()
{
    // Entry 0 is the root, entries 1 to n the plain groups; the named groups follow.
    m_cGroups.Prepare(m_nMaxGroup, nullptr);
    m_cGroups[0] = m_pRoot;
    for (int i = 0; i < m_cNamedGroups.GetSize(); ++i) {
        CListElxT* pGroup = m_cNamedGroups[i];
        m_cGroups.Push(pGroup);
        CBracketElxT* pOpening = GroupMark(pGroup, 0);
        if (pOpening->m_nNumber <= 0) {
            // Same-named groups share one number; new names are numbered
            // after all plain groups, in order of first appearance.
            int nNumber = FindGroupByName(pOpening->m_cName);
            if (nNumber < 0) {
                nNumber = ++m_nMaxGroup;
            }
            pOpening->m_nNumber = nNumber;
            GroupMark(pGroup, 1)->m_nNumber = nNumber;
        }
    }
    m_nGroupTableCount = m_cGroups.GetSize();
    for (int i = 1; i < m_nGroupTableCount; ++i) {
        if (m_cGroups[i]) {
            m_nMaxGroup = std::max(m_nMaxGroup, GroupMark(m_cGroups[i], 0)->m_nNumber);
        }
    }

    for (int i = 0; i < m_cCalls.GetSize(); ++i) {
        CDelegateElxT* pCall = m_cCalls[i];
        if (pCall->m_nNumber == -3) {
            pCall->m_nNumber = FindGroupByName(pCall->m_cName);
        }
        pCall->m_pTarget = nullptr;
        if (pCall->m_nNumber == 0) {
            pCall->m_pTarget = m_pRoot;
        } else if (pCall->m_nNumber > 0 && pCall->m_nNumber <= m_nMaxGroup) {
            for (int k = 1; k < m_nGroupTableCount; ++k) {
                if (m_cGroups[k] && GroupMark(m_cGroups[k], 0)->m_nNumber == pCall->m_nNumber) {
                    pCall->m_pTarget = m_cGroups[k];
                    break;
                }
            }
        }
    }
    for (int i = 0; i < m_cNamedBackrefs.GetSize(); ++i) {
        m_cNamedBackrefs[i]->m_nNumber = FindGroupByName(m_cNamedBackrefs[i]->m_cName);
    }
    for (int i = 0; i < m_cNamedConditions.GetSize(); ++i) {
        CConditionElxT* pCondition = m_cNamedConditions[i];
        const int nNumber = FindGroupByName(pCondition->m_cText);
        if (nNumber >= 0) {
            pCondition->m_nNumber = nNumber;
            pCondition->m_pCondition = nullptr;
        }
        // Otherwise it tests whether its text, read as a pattern, matches here.
    }
}

// ---------------------------------------------------------------------------
// Matching

CPatternMatchResult CPatternCompiler::MatchWholeText(const char* pText) const
{
    if (!pText) {
        return CPatternMatchResult();
    }
    const size_t nLength = std::strlen(pText);
    if (nLength > static_cast<size_t>(INT_MAX)) {
        return CPatternMatchResult();
    }
    return MatchWholeText(pText, static_cast<int>(nLength), nullptr);
}

CPatternMatchResult CPatternCompiler::MatchWholeText(const char* pText, int nLength, CMatchContext* pContext) const
{
    if (!m_pRoot || nLength < 0 || (!pText && nLength > 0)) {
        return CPatternMatchResult();
    }
    CMatchContext cLocalContext;
    CMatchContext* pMatch = pContext ? pContext : &cLocalContext;
    CPatternMatchResult cResult;
    try {
        pMatch->Reset(pText, nLength);
        const bool bBackward = (m_nFlags & RX_BACKWARD) != 0;
        const int nStart = bBackward ? nLength : 0;
        const int nTarget = bBackward ? 0 : nLength;
        pMatch->m_nStartPosition = nStart;
        pMatch->m_nPosition = nStart;
        pMatch->m_cCaptureIndex.Prepare(m_nMaxGroup, -1);
        pMatch->m_cCaptureIndex[0] = 0;
        pMatch->m_cCaptures.Push(0);
        pMatch->m_cCaptures.Push(nStart);
        pMatch->m_cCaptures.Push(-1);
        pMatch->m_cCaptures.Push(-1);

        if (!m_pRoot->TryFirst(pMatch) || pMatch->OutOfSteps()) {
            return cResult;
        }
        while (pMatch->m_nPosition != nTarget) {
            // Once out of steps every element fails: the tries end at once.
            if (!m_pRoot->TryNext(pMatch) || pMatch->OutOfSteps()) {
                return cResult;
            }
            // Two candidate ends in a row at the starting point end the attempt.
            if (pMatch->m_nLastEnd == nStart && pMatch->m_nPosition == nStart) {
                return cResult;
            }
            pMatch->m_nLastEnd = pMatch->m_nPosition;
        }
        pMatch->m_cCaptures[CAPTURE_END] = nTarget;

        cResult.Push(1);
        cResult.Push(m_nMaxGroup);
        for (int nGroup = 0; nGroup <= m_nMaxGroup; ++nGroup) {
            const int nEntry = pMatch->FindCapture(nGroup);
            if (nEntry < 0) {
                cResult.Push(-1);
                cResult.Push(-1);
                continue;
            }
            const int nFrom = pMatch->m_cCaptures[nEntry + CAPTURE_START];
            const int nTo = pMatch->m_cCaptures[nEntry + CAPTURE_END];
            cResult.Push(std::min(nFrom, nTo));
            cResult.Push(std::max(nFrom, nTo));
        }
    } catch (const std::exception&) {
        return CPatternMatchResult(); // out of memory: no match
    }
    return cResult;
}
