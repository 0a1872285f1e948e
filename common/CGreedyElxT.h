// A greedy quantifier: the fixed minimum, then as many of the m_nExtra
// further iterations as match, given back one at a time.
#pragma once

#include "common/CRepeatElxT.h"

class CGreedyElxT : public CRepeatElxT
{
public:
    CGreedyElxT(ElxInterface* pElement, int nMinimum, int nExtra) : CRepeatElxT(pElement, nMinimum), m_nExtra(nExtra) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    int m_nExtra; // maximum minus minimum

protected:
    // The fixed part followed by the greedy extension.
    int MatchGreedy(CMatchContext* pContext) const;

private:
    // Takes as many non-empty extra iterations as match; pushes their count.
    void Extend(CMatchContext* pContext) const;
    // Gives back part of the last extra iteration, or the iteration itself.
    int GiveBack(CMatchContext* pContext) const;
};
