#include "common/CGlobalElxT.h"

#include "common/CMatchContext.h"

int CGlobalElxT::TryFirst(CMatchContext* pContext) const
{
    return pContext->m_nPosition == pContext->m_nStartPosition;
}

int CGlobalElxT::TryNext(CMatchContext*) const
{
    return 0;
}
