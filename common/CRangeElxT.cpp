#include "common/CRangeElxT.h"

#include "common/CMatchContext.h"

void CRangeElxT::AddRange(char chLow, char chHigh)
{
    m_cRanges.Push(chLow);
    m_cRanges.Push(chHigh);
}

void CRangeElxT::AddChar(char ch)
{
    m_cChars.Push(ch);
}

bool CRangeElxT::HoldsChar(char ch) const
{
    const signed char c = static_cast<signed char>(ch);
    for (int i = 0; i + 1 < m_cRanges.GetSize(); i += 2) {
        if (static_cast<signed char>(m_cRanges[i]) <= c && c <= static_cast<signed char>(m_cRanges[i + 1])) {
            return true;
        }
    }
    for (int i = 0; i < m_cChars.GetSize(); ++i) {
        if (m_cChars[i] == ch) {
            return true;
        }
    }
    return false;
}

bool CRangeElxT::IsMember(CMatchContext* pContext, char ch) const
{
    if (HoldsChar(ch)) {
        return true;
    }
    const int nPosition = pContext->m_nPosition;
    for (int i = 0; i < m_cClasses.GetSize(); ++i) {
        if (m_cClasses[i]->TryFirst(pContext)) {
            pContext->m_nPosition = nPosition;
            return true;
        }
    }
    return false;
}

int CRangeElxT::TryFirst(CMatchContext* pContext) const
{
    char ch = 0;
    if (!pContext->PeekChar(m_bBackward, ch) || IsMember(pContext, ch) != (m_bInclude != 0)) {
        return 0;
    }
    pContext->Step(m_bBackward, 1);
    return 1;
}

int CRangeElxT::TryNext(CMatchContext* pContext) const
{
    pContext->Step(m_bBackward, -1);
    return 0;
}
