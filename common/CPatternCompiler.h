// The program's regular-expression engine. A pattern (8-bit text) is compiled
// into a tree of elements owned by the compiler, which is then matched
// against whole texts by backtracking.
//
//   CPatternCompiler cPattern("(a|b)+c", 0);
//   CPatternMatchResult cResult = cPattern.MatchWholeText("abac");
//   cResult.Succeeded();             // 1
//   cResult.GetValue(2 + 2 * 1, -1); // start of group 1 (its last iteration): 2
//
// Compilation reports no error: every pattern yields a tree (malformed parts
// have fixed meanings), except that a pattern whose groups nest deeper than
// MaxGroupNesting leaves the compiler empty, and an empty compiler matches
// nothing. While matching, elements nest at most CMatchContext::MaxDepth
// deep; a call ((?R), (?n)) that would recurse deeper fails instead.
// Matching has no time limit: its running time follows the backtracking.
// The compiled tree is only read while matching, so one compiler may match
// from several threads at once, each with its own context.
#pragma once

#include "common/CBufferRefT.h"
#include "common/CBufferT.h"
#include "common/CPatternMatchResult.h"
#include "common/PatternToken.h"

#include <array>
#include <memory>
#include <utility>

class ElxInterface;
class CListElxT;
class CRangeElxT;
class CDelegateElxT;
class CBackrefElxT;
class CConditionElxT;
class CMatchContext;

// Compile flags. The first four can also be switched inside the pattern by
// the inline option letters s, m, g and i.
inline constexpr int RX_DOT_ALL = 1;         // `.` also matches LF
inline constexpr int RX_LINE_ANCHORS = 2;    // `^` and `$` also match at line breaks
inline constexpr int RX_CONTINUE_ANCHOR = 4; // `\G` is compiled (otherwise it matches everywhere)
inline constexpr int RX_NO_CASE = 8;         // literals, classes and back-references ignore case
inline constexpr int RX_BACKWARD = 0x10;     // the pattern matches from the text's end towards its start
inline constexpr int RX_FREE_SPACING = 0x20; // white space and `#` comments in the pattern are skipped

class CPatternCompiler
{
public:
    // How deeply groups may nest in a pattern.
    static constexpr int MaxGroupNesting = 100;

    CPatternCompiler();
    // Compiles the NUL-terminated pattern.
    explicit CPatternCompiler(const char* pPattern, int nFlags = 0);
    ~CPatternCompiler();
    CPatternCompiler(const CPatternCompiler&) = delete;
    CPatternCompiler& operator=(const CPatternCompiler&) = delete;

    // Clears the compiler, then compiles nLength characters of pPattern. A
    // null pattern leaves the compiler empty.
    void CompilePattern(const char* pPattern, int nLength, int nFlags);
    // Deletes the compiled tree; the compiler is empty afterwards.
    void Clear();

    // Matches the whole NUL-terminated text: the match starts at the text's
    // start (its end under RX_BACKWARD) and must end at the other end.
    CPatternMatchResult MatchWholeText(const char* pText) const;
    // The same for nLength characters. With pContext null a context local to
    // the call is used; otherwise the caller's, reset first, keeps the final state.
    CPatternMatchResult MatchWholeText(const char* pText, int nLength, CMatchContext* pContext) const;

protected:
    // Tokenizer.
    void BeginTokens(const char* pPattern, int nLength, int nFlags);
    int ReadToken();
    void Advance();
    int ReadEscape();
    int ReadHexCode(int nMaxDigits, char chLetter);
    int ReadBracedCode();
    int YieldToken(char ch, int nKind, int nLength);
    const PatternToken& Current() const { return m_cTokens[1]; }
    const PatternToken& Next() const { return m_cTokens[2]; }
    const PatternToken& AfterNext() const { return m_cTokens[3]; }

    // Parser.
    ElxInterface* ParseAlternation(int nFlags);
    ElxInterface* ParseSequence(int& nFlags);
    ElxInterface* ParseRepeat(int& nFlags);
    ElxInterface* ParseAtom(int& nFlags);
    ElxInterface* ParseClass(int& nFlags);
    ElxInterface* ParseGroup(int& nFlags);
    ElxInterface* ParseAnchor(int& nFlags);
    ElxInterface* ParseBackReference(int& nFlags);
    ElxInterface* GetSharedClass(int nIndex);
    int FindGroupByName(const CBufferRefT<char>& cName) const;
    void FinishGroups();

    ElxInterface* ParseGroupBody(int& nFlags);
    ElxInterface* ParseBracketExpression(int nFlags);
    ElxInterface* ParseCondition(int& nFlags);
    ElxInterface* ParseCall(bool bNameAllowed);
    CListElxT* MakeGroup(int nNumber, int nFlags, ElxInterface* pContent);
    void ParseBounds(int& nMinimum, int& nMaximum);
    CBufferT<char> ReadName(char chTerminator);
    CBufferT<char> ReadCharsUpTo(char chTerminator);
    void SkipBlankTokens();
    void FoldCase(CRangeElxT* pRange);
    void GiveUp();
    template <class E, class... Args> E* Create(Args&&... args)
    {
        std::unique_ptr<E> pElement = std::make_unique<E>(std::forward<Args>(args)...);
        m_cOwned.Push(pElement.get());
        return pElement.release();
    }

    ElxInterface* m_pRoot = nullptr;
    int m_nFlags = 0;
    int m_nMaxGroup = 0; // highest group number
    int m_nNamedGroupCount = 0;
    int m_nGroupTableCount = 0;
    CBufferT<ElxInterface*> m_cOwned;  // every element created, each deleted once
    CBufferT<ElxInterface*> m_cGroups; // 0 the root, then plain groups by number, then named ones
    CBufferT<CDelegateElxT*> m_cCalls;
    CBufferT<CListElxT*> m_cNamedGroups;
    CBufferT<CBackrefElxT*> m_cNamedBackrefs;
    CBufferT<CConditionElxT*> m_cNamedConditions;

    // Tokenizer state: the pattern (a view, valid while compiling), the token
    // window (previous, current, next, after next), the read position, how
    // many `[` are open, quoted mode and the case conversion of quoted text.
    CBufferRefT<char> m_cPattern;
    std::array<PatternToken, 4> m_cTokens{};
    int m_nReadPosition = 0;
    int m_nBracketDepth = 0;
    int m_bQuoted = 0;
    int (*m_pfnConvert)(int) = nullptr;

    std::array<ElxInterface*, 17> m_cSharedClasses{};

    int m_nGroupNesting = 0; // groups open at the parser's position
    int m_bTooDeep = 0;      // the nesting limit was passed: the compilation is abandoned
};
