#include "common/CAssertElxT.h"

#include "common/CMatchContext.h"

int CAssertElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    const CMatchContext::CSavedState state = pContext->SaveState();
    const bool bMatched = m_pInner->TryFirst(pContext) != 0;
    pContext->RestorePosition(state);
    if (bMatched != (m_bPositive != 0)) {
        pContext->CutCaptures(state.m_nCaptures);
        return 0;
    }
    // Captures made by a positive assertion stay visible until it is undone.
    pContext->m_cBacktrack.Push(state.m_nCaptures);
    return 1;
}

int CAssertElxT::TryNext(CMatchContext* pContext) const
{
    pContext->CutCaptures(pContext->m_cBacktrack.Pop());
    return 0;
}
