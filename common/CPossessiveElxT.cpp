#include "common/CPossessiveElxT.h"

#include "common/CMatchContext.h"

int CPossessiveElxT::TryFirst(CMatchContext* pContext) const
{
    return pContext->MatchOnce([this, pContext] { return MatchGreedy(pContext); });
}

int CPossessiveElxT::TryNext(CMatchContext* pContext) const
{
    pContext->UndoOnce();
    return 0;
}
