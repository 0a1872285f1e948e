#include "common/CBoundaryElxT.h"

#include "common/CMatchContext.h"

namespace {

bool IsWordChar(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_';
}

} // namespace

bool CBoundaryElxT::Test(const CMatchContext* pContext) const
{
    const int p = pContext->m_nPosition;
    const int nLength = pContext->m_nTextLength;
    const char* pText = pContext->m_pText;
    const char chBefore = p > 0 ? pText[p - 1] : 0;
    const char chAfter = p < nLength ? pText[p] : 0;
    switch (m_eKind) {
    case TextStart:
        return p == 0;
    case TextEnd:
        return p == nLength;
    case EndBeforeFinalBreak:
        return p == nLength || (nLength >= 1 && pText[nLength - 1] == '\n' && p == nLength - 1) ||
               (nLength >= 2 && pText[nLength - 2] == '\r' && pText[nLength - 1] == '\n' && p == nLength - 2);
    case LineStart:
        return p == 0 || chBefore == '\n' || (chBefore == '\r' && chAfter != '\n');
    case LineEnd:
        return p == nLength || chAfter == '\r' || (chAfter == '\n' && chBefore != '\r');
    case WordBoundary:
        return IsWordChar(chBefore) != IsWordChar(chAfter);
    }
    return false;
}

int CBoundaryElxT::TryFirst(CMatchContext* pContext) const
{
    return Test(pContext) == (m_bInclude != 0);
}

int CBoundaryElxT::TryNext(CMatchContext*) const
{
    return 0;
}
