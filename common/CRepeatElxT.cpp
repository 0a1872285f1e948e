#include "common/CRepeatElxT.h"

#include "common/CMatchContext.h"

int CRepeatElxT::MatchIterations(CMatchContext* pContext, int i) const
{
    while (i < m_nCount) {
        if (m_pElement->TryFirst(pContext)) {
            ++i;
            continue;
        }
        // Ask the earlier iterations, the latest first, for another way.
        for (;;) {
            if (i == 0) {
                return 0;
            }
            --i;
            if (m_pElement->TryNext(pContext)) {
                ++i;
                break;
            }
        }
    }
    return 1;
}

int CRepeatElxT::MatchFixed(CMatchContext* pContext) const
{
    return MatchIterations(pContext, 0);
}

int CRepeatElxT::MatchNextFixed(CMatchContext* pContext) const
{
    int i = m_nCount;
    for (;;) {
        if (i == 0) {
            return 0;
        }
        --i;
        if (m_pElement->TryNext(pContext)) {
            break;
        }
    }
    return MatchIterations(pContext, i + 1);
}

bool CRepeatElxT::SeekNonEmpty(CMatchContext* pContext, int nFrom) const
{
    while (pContext->m_nPosition == nFrom) {
        if (!m_pElement->TryNext(pContext)) {
            return false;
        }
    }
    return true;
}

int CRepeatElxT::TryFirst(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    return MatchFixed(pContext);
}

int CRepeatElxT::TryNext(CMatchContext* pContext) const
{
    CMatchContext::CDepthGuard guard(pContext);
    return MatchNextFixed(pContext);
}
