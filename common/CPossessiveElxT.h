// A possessive quantifier (followed by `+`): matches greedily once and never
// gives anything back; captures made inside stay until it is undone.
#pragma once

#include "common/CGreedyElxT.h"

class CPossessiveElxT : public CGreedyElxT
{
public:
    using CGreedyElxT::CGreedyElxT;

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;
};
