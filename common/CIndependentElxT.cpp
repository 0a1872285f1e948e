#include "common/CIndependentElxT.h"

#include "common/CMatchContext.h"

int CIndependentElxT::TryFirst(CMatchContext* pContext) const
{
    return pContext->MatchOnce([this, pContext] { return m_pInner->TryFirst(pContext); });
}

int CIndependentElxT::TryNext(CMatchContext* pContext) const
{
    pContext->UndoOnce();
    return 0;
}
