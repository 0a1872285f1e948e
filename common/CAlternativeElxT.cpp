#include "common/CAlternativeElxT.h"

#include "common/CMatchContext.h"

int CAlternativeElxT::TryFrom(CMatchContext* pContext, int i) const
{
    for (; i < m_cAlternatives.GetSize(); ++i) {
        if (m_cAlternatives[i]->TryFirst(pContext)) {
            pContext->m_cBacktrack.Push(i);
            return 1;
        }
    }
    return 0;
}

int CAlternativeElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    if (m_cAlternatives.GetSize() == 0) {
        return 1;
    }
    return TryFrom(pContext, 0);
}

int CAlternativeElxT::TryNext(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (m_cAlternatives.GetSize() == 0) {
        return 0;
    }
    const int i = pContext->m_cBacktrack.Pop();
    if (i < 0 || i >= m_cAlternatives.GetSize()) {
        return 0;
    }
    if (m_cAlternatives[i]->TryNext(pContext)) {
        pContext->m_cBacktrack.Push(i);
        return 1;
    }
    return TryFrom(pContext, i + 1);
}
