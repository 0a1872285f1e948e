#include "common/CDelegateElxT.h"

#include "common/CMatchContext.h"

int CDelegateElxT::TryFirst(CMatchContext* pContext) const
{
    if (!m_pTarget) {
        return 1;
    }
    CMatchContext::CDepthGuard guard(pContext);
    if (!guard.Allowed()) {
        return 0;
    }
    return m_pTarget->TryFirst(pContext);
}

int CDelegateElxT::TryNext(CMatchContext* pContext) const
{
    if (!m_pTarget) {
        return 0;
    }
    CMatchContext::CDepthGuard guard(pContext);
    return m_pTarget->TryNext(pContext);
}
