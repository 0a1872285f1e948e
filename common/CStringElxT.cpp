#include "common/CStringElxT.h"

#include "common/CMatchContext.h"

#include <cctype>

bool CStringElxT::SameText(const char* pText, const char* pOther, int n, int bIgnoreCase)
{
    for (int i = 0; i < n; ++i) {
        const unsigned char a = static_cast<unsigned char>(pText[i]);
        const unsigned char b = static_cast<unsigned char>(pOther[i]);
        if (a != b && (!bIgnoreCase || std::toupper(a) != std::toupper(b))) {
            return false;
        }
    }
    return true;
}

int CStringElxT::TryFirst(CMatchContext* pContext) const
{
    const int n = m_cText.GetSize();
    const int nPosition = pContext->m_nPosition;
    if (m_bBackward ? n > nPosition : n > pContext->m_nTextLength - nPosition) {
        return 0;
    }
    const int nFrom = m_bBackward ? nPosition - n : nPosition;
    if (!SameText(pContext->m_pText + nFrom, m_cText.GetBuffer(), n, m_bIgnoreCase)) {
        return 0;
    }
    pContext->Step(m_bBackward, n);
    return 1;
}

int CStringElxT::TryNext(CMatchContext* pContext) const
{
    pContext->Step(m_bBackward, -m_cText.GetSize());
    return 0;
}
