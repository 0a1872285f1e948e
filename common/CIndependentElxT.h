// An atomic group `(?>…)`: its content matches once and is never backtracked into.
#pragma once

#include "common/ElxInterface.h"

class CIndependentElxT : public ElxInterface
{
public:
    explicit CIndependentElxT(ElxInterface* pInner) : m_pInner(pInner) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    ElxInterface* m_pInner;
};
