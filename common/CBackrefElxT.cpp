#include "common/CBackrefElxT.h"

#include "common/CMatchContext.h"
#include "common/CStringElxT.h"

#include <algorithm>

int CBackrefElxT::TryFirst(CMatchContext* pContext) const
{
    const int nEntry = pContext->FindCapture(m_nNumber);
    if (nEntry < 0) {
        return 0;
    }
    const int nPosition = pContext->m_nPosition;
    const int nStart = pContext->m_cCaptures[nEntry + CAPTURE_START];
    int nEnd = pContext->m_cCaptures[nEntry + CAPTURE_END];
    if (nEnd == -1) {
        nEnd = nPosition; // the group is still open
    }
    const int nFrom = std::min(nStart, nEnd);
    const int n = std::max(nStart, nEnd) - nFrom;
    if (m_bBackward ? n > nPosition : n > pContext->m_nTextLength - nPosition) {
        return 0;
    }
    const char* pHere = pContext->m_pText + (m_bBackward ? nPosition - n : nPosition);
    if (!CStringElxT::SameText(pContext->m_pText + nFrom, pHere, n, m_bIgnoreCase)) {
        return 0;
    }
    pContext->m_cBacktrack.Push(nPosition);
    pContext->Step(m_bBackward, n);
    return 1;
}

int CBackrefElxT::TryNext(CMatchContext* pContext) const
{
    pContext->m_nPosition = pContext->m_cBacktrack.Pop();
    return 0;
}
