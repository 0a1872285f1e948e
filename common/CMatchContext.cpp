#include "common/CMatchContext.h"

#include <algorithm>

void CMatchContext::Reset(const char* pText, int nLength)
{
    m_cBacktrack.Clear();
    m_cCaptures.Clear();
    m_cCaptureIndex.Clear();
    m_nPosition = 0;
    m_nStartPosition = 0;
    m_nLastEnd = -1;
    m_nCloseCounter = 0;
    m_pText = pText;
    m_nTextLength = nLength;
    m_nDepth = 0;
    m_nSteps = 0;
}

int CMatchContext::FindCapture(int nGroup) const
{
    if (nGroup < 0 || nGroup >= m_cCaptureIndex.GetSize() || m_cCaptureIndex[nGroup] < 0) {
        return -1;
    }
    return FindCaptureBelow(nGroup, m_cCaptureIndex[nGroup] + CAPTURE_ENTRY_SIZE);
}

int CMatchContext::FindCaptureBelow(int nGroup, int nBelow) const
{
    int nOffset = std::min(nBelow, m_cCaptures.GetSize()) - CAPTURE_ENTRY_SIZE;
    if (nOffset < 0) {
        return -1;
    }
    nOffset -= nOffset % CAPTURE_ENTRY_SIZE;
    for (; nOffset >= 0; nOffset -= CAPTURE_ENTRY_SIZE) {
        if (m_cCaptures[nOffset + CAPTURE_GROUP] == nGroup) {
            return nOffset;
        }
    }
    return -1;
}

void CMatchContext::CutCaptures(int nHeight)
{
    if (nHeight < 0 || nHeight >= m_cCaptures.GetSize()) {
        return;
    }
    m_cCaptures.Restore(nHeight);
    for (int nGroup = 0; nGroup < m_cCaptureIndex.GetSize(); ++nGroup) {
        if (m_cCaptureIndex[nGroup] >= nHeight) {
            m_cCaptureIndex[nGroup] = FindCaptureBelow(nGroup, nHeight);
        }
    }
}
