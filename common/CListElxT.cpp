#include "common/CListElxT.h"

#include "common/CMatchContext.h"

ElxInterface* CListElxT::At(int k) const
{
    return m_bBackward ? m_cElements[m_cElements.GetSize() - 1 - k] : m_cElements[k];
}

int CListElxT::MatchFrom(CMatchContext* pContext, int k) const
{
    const int nCount = m_cElements.GetSize();
    while (k < nCount) {
        if (At(k)->TryFirst(pContext)) {
            ++k;
            continue;
        }
        // Ask the earlier elements, nearest first, for another way.
        for (;;) {
            if (k == 0) {
                return 0;
            }
            --k;
            if (At(k)->TryNext(pContext)) {
                ++k;
                break;
            }
        }
    }
    return 1;
}

int CListElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    return MatchFrom(pContext, 0);
}

int CListElxT::TryNext(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    int k = m_cElements.GetSize();
    for (;;) {
        if (k == 0) {
            return 0;
        }
        --k;
        if (At(k)->TryNext(pContext)) {
            break;
        }
    }
    return MatchFrom(pContext, k + 1);
}
