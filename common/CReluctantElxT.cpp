#include "common/CReluctantElxT.h"

#include "common/CMatchContext.h"

int CReluctantElxT::OneMore(CMatchContext* pContext) const
{
    CBufferT<int>& stack = pContext->m_cBacktrack;
    const int nStart = pContext->m_nPosition;
    int k = stack.Pop();
    if (k < m_nExtra && m_pElement->TryFirst(pContext) && SeekNonEmpty(pContext, nStart)) {
        stack.Push(nStart);
        stack.Push(k + 1);
        return 1;
    }
    while (k > 0) {
        const int nIterationStart = stack.Pop();
        while (m_pElement->TryNext(pContext)) {
            if (pContext->m_nPosition != nIterationStart) {
                stack.Push(nIterationStart);
                stack.Push(k);
                return 1;
            }
        }
        --k;
    }
    return 0;
}

int CReluctantElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed() || !MatchFixed(pContext)) {
        return 0;
    }
    pContext->m_cBacktrack.Push(0);
    return 1;
}

int CReluctantElxT::TryNext(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (OneMore(pContext)) {
        return 1;
    }
    if (!MatchNextFixed(pContext)) {
        return 0;
    }
    pContext->m_cBacktrack.Push(0);
    return 1;
}
