// A zero-width assertion: lookahead, lookbehind (its content was built
// backward), and a conditional's condition given by text.
#pragma once

#include "common/ElxInterface.h"

class CAssertElxT : public ElxInterface
{
public:
    CAssertElxT(ElxInterface* pInner, int bPositive) : m_pInner(pInner), m_bPositive(bPositive) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    ElxInterface* m_pInner;
    int m_bPositive;
};
