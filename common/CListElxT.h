// A sequence of elements, each matched after the one before it; every group
// of the pattern is one. Built backward it is matched from its last element
// to its first.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CListElxT : public ElxInterface
{
public:
    explicit CListElxT(int bBackward) : m_bBackward(bBackward) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    CBufferT<ElxInterface*> m_cElements;
    int m_bBackward;

private:
    // The k-th element in matching order.
    ElxInterface* At(int k) const;
    // Matches the elements from the k-th on, backtracking into earlier ones.
    int MatchFrom(CMatchContext* pContext, int k) const;
};
