#include "common/CConditionElxT.h"

#include "common/CMatchContext.h"

bool CConditionElxT::TestCondition(CMatchContext* pContext) const
{
    if (m_nNumber >= 0) {
        return pContext->FindCapture(m_nNumber) >= 0;
    }
    if (!m_pCondition) {
        return true;
    }
    const CMatchContext::CSavedState state = pContext->SaveState();
    const bool bHolds = m_pCondition->TryFirst(pContext) != 0;
    pContext->RestorePosition(state);
    return bHolds;
}

int CConditionElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    const int nCaptures = pContext->m_cCaptures.GetSize();
    const bool bHolds = TestCondition(pContext);
    ElxInterface* pBranch = bHolds ? m_pYes : m_pNo;
    if (pBranch && !pBranch->TryFirst(pContext)) {
        pContext->CutCaptures(nCaptures);
        return 0;
    }
    pContext->m_cBacktrack.Push(nCaptures);
    pContext->m_cBacktrack.Push(bHolds ? 1 : 0);
    return 1;
}

int CConditionElxT::TryNext(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    const int bHolds = pContext->m_cBacktrack.Pop();
    const int nCaptures = pContext->m_cBacktrack.Pop();
    ElxInterface* pBranch = bHolds ? m_pYes : m_pNo;
    if (pBranch && pBranch->TryNext(pContext)) {
        pContext->m_cBacktrack.Push(nCaptures);
        pContext->m_cBacktrack.Push(bHolds);
        return 1;
    }
    pContext->CutCaptures(nCaptures);
    return 0;
}
