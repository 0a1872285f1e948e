// Everything that changes while a compiled pattern is matched against one
// text: the backtrack records, the captures, the position.
#pragma once

#include "common/CBufferT.h"

// A capture entry is four ints on the capture stack.
inline constexpr int CAPTURE_GROUP = 0;   // group number
inline constexpr int CAPTURE_START = 1;   // start position
inline constexpr int CAPTURE_END = 2;     // end position, -1 while the group is open
inline constexpr int CAPTURE_NESTING = 3; // 0 open, below 0 re-entered by a call, else the close counter
inline constexpr int CAPTURE_ENTRY_SIZE = 4;

class CMatchContext
{
public:
    // How deeply the compound elements of a tree may call one another while
    // matching. A pattern without calls never comes near it (the compiler
    // bounds how deeply groups nest); a call that recurses deeper fails
    // instead of exhausting the machine stack.
    static constexpr int MaxDepth = 1000;
    // How many tries of compound elements one match may make. A pattern that
    // backtracks without end (calls that re-enter themselves through
    // alternatives, nested repeats over a long text) runs out of them and
    // fails to match instead of running on; real patterns over real texts
    // stay far below.
    static constexpr long long MaxSteps = 2000000;

    // Counts one level of element nesting for as long as it lives, and one
    // step of the match.
    class CDepthGuard
    {
    public:
        explicit CDepthGuard(CMatchContext* pContext) : m_pContext(pContext)
        {
            ++m_pContext->m_nDepth;
            ++m_pContext->m_nSteps;
        }
        ~CDepthGuard() { --m_pContext->m_nDepth; }
        CDepthGuard(const CDepthGuard&) = delete;
        CDepthGuard& operator=(const CDepthGuard&) = delete;
        // False when this level lies beyond MaxDepth or the match has used up
        // its steps: the element must fail.
        bool Allowed() const { return m_pContext->m_nDepth <= MaxDepth && !m_pContext->OutOfSteps(); }

    private:
        CMatchContext* m_pContext;
    };

    // Where an element started: the position and the heights of both stacks.
    struct CSavedState
    {
        int m_nPosition;
        int m_nBacktrack;
        int m_nCaptures;
    };
    CSavedState SaveState() const { return {m_nPosition, m_cBacktrack.GetSize(), m_cCaptures.GetSize()}; }
    // Drops the backtrack records left since the state was saved and puts
    // the position back; captures stay.
    void RestorePosition(const CSavedState& state)
    {
        m_cBacktrack.Restore(state.m_nBacktrack);
        m_nPosition = state.m_nPosition;
    }

    // Matches once for good (a possessive repeat, an atomic group): runs
    // tryFirst and, when it succeeds, drops every record it left, keeping
    // its captures and its end position; UndoOnce takes it all back.
    template <class TryFirst> int MatchOnce(TryFirst tryFirst)
    {
        CDepthGuard guard(this);
        const CSavedState state = SaveState();
        if (!guard.Allowed() || !tryFirst()) {
            return 0;
        }
        m_cBacktrack.Restore(state.m_nBacktrack);
        m_cBacktrack.Push(state.m_nPosition);
        m_cBacktrack.Push(state.m_nCaptures);
        return 1;
    }
    void UndoOnce()
    {
        const int nCaptures = m_cBacktrack.Pop();
        m_nPosition = m_cBacktrack.Pop();
        CutCaptures(nCaptures);
    }

    // Whether the match has made more than MaxSteps tries: its result, a
    // success included, no longer says anything.
    bool OutOfSteps() const { return m_nSteps > MaxSteps; }

    // Empties the stacks and sets the text, ready for a new match.
    void Reset(const char* pText, int nLength);

    // The character that a one-character element tests: the one at the
    // position, or before it when matching backward. False at the text's end
    // (its start when backward).
    bool PeekChar(int bBackward, char& ch) const
    {
        if (bBackward ? m_nPosition <= 0 : m_nPosition >= m_nTextLength) {
            return false;
        }
        ch = m_pText[bBackward ? m_nPosition - 1 : m_nPosition];
        return true;
    }
    // Moves the position by n characters in the matching direction.
    void Step(int bBackward, int n) { m_nPosition += bBackward ? -n : n; }

    // The offset on the capture stack of the group's latest entry that is
    // still there, or -1.
    int FindCapture(int nGroup) const;
    // The same, looking only below the offset nBelow.
    int FindCaptureBelow(int nGroup, int nBelow) const;
    // Cuts the capture stack back to nHeight ints and points every capture
    // index that named a removed entry at its group's latest remaining entry
    // (or -1), so that no index ever points past the stack.
    void CutCaptures(int nHeight);

    CBufferT<int> m_cBacktrack;    // records the elements leave for TryNext
    CBufferT<int> m_cCaptures;     // capture entries
    CBufferT<int> m_cCaptureIndex; // per group: offset of its latest entry, or negative
    int m_nPosition = 0;           // current position, 0 to the text length
    int m_nStartPosition = 0;      // where the match attempt started
    int m_nLastEnd = -1;           // where the previous candidate match ended
    int m_nCloseCounter = 0;       // grows by one with every completed capture
    const char* m_pText = nullptr;
    int m_nTextLength = 0;
    int m_nDepth = 0;       // compound elements being tried right now
    long long m_nSteps = 0; // compound element tries since Reset
};
