// A reluctant quantifier (followed by `?`): the fixed minimum first, one more
// iteration each time the rest of the pattern fails. Its records are the
// start position of each extra iteration followed by their count.
#pragma once

#include "common/CRepeatElxT.h"

class CReluctantElxT : public CRepeatElxT
{
public:
    CReluctantElxT(ElxInterface* pElement, int nMinimum, int nExtra) : CRepeatElxT(pElement, nMinimum), m_nExtra(nExtra)
    {
    }

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    int m_nExtra; // maximum minus minimum

private:
    int OneMore(CMatchContext* pContext) const;
};
