// An element repeated exactly m_nCount times (`{n}`, and every quantifier
// whose minimum equals its maximum). Its fixed part is also the minimum of
// the open quantifiers derived from it.
#pragma once

#include "common/ElxInterface.h"

class CRepeatElxT : public ElxInterface
{
public:
    CRepeatElxT(ElxInterface* pElement, int nCount) : m_pElement(pElement), m_nCount(nCount) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    ElxInterface* m_pElement;
    int m_nCount;

protected:
    // The first way of matching the m_nCount iterations.
    int MatchFixed(CMatchContext* pContext) const;
    // Their next way; on failure every iteration is undone.
    int MatchNextFixed(CMatchContext* pContext) const;
    // Asks the element for a non-empty way after it matched empty at nFrom;
    // false when it can only match empty (it is then undone).
    bool SeekNonEmpty(CMatchContext* pContext, int nFrom) const;

private:
    // Matches iterations i to m_nCount - 1, backtracking into earlier ones.
    int MatchIterations(CMatchContext* pContext, int i) const;
};
