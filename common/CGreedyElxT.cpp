#include "common/CGreedyElxT.h"

#include "common/CMatchContext.h"

void CGreedyElxT::Extend(CMatchContext* pContext) const
{
    int k = 0;
    int nLast = pContext->m_nPosition;
    while (k < m_nExtra && m_pElement->TryFirst(pContext)) {
        if (!SeekNonEmpty(pContext, nLast)) {
            break;
        }
        ++k;
        nLast = pContext->m_nPosition;
    }
    pContext->m_cBacktrack.Push(k);
}

int CGreedyElxT::GiveBack(CMatchContext* pContext) const
{
    int k = pContext->m_cBacktrack.Pop();
    if (k <= 0) {
        return 0;
    }
    if (!m_pElement->TryNext(pContext)) {
        --k;
    }
    pContext->m_cBacktrack.Push(k);
    return 1;
}

int CGreedyElxT::MatchGreedy(CMatchContext* pContext) const
{
    if (!MatchFixed(pContext)) {
        return 0;
    }
    Extend(pContext);
    return 1;
}

int CGreedyElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    return MatchGreedy(pContext);
}

int CGreedyElxT::TryNext(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (GiveBack(pContext)) {
        return 1;
    }
    if (!MatchNextFixed(pContext)) {
        return 0;
    }
    Extend(pContext);
    return 1;
}
