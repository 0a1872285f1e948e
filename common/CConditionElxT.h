// A conditional `(?(condition)yes|no)`: the condition tests whether a group
// has been entered, or whether an assertion holds at the position.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CConditionElxT : public ElxInterface
{
public:
    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    int m_nNumber = -1;                   // the group tested; -1 when the condition is an assertion
    CBufferT<char> m_cText;               // the condition's text
    ElxInterface* m_pCondition = nullptr; // null when testing a group
    ElxInterface* m_pYes = nullptr;       // may be null
    ElxInterface* m_pNo = nullptr;        // may be null

private:
    bool TestCondition(CMatchContext* pContext) const;
};
