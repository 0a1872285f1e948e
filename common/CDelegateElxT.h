// A call `(?R)`, `(?n)` or `(?R<name>)`: matches the whole pattern or a group
// again at the position. An unresolved call matches the empty string.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CDelegateElxT : public ElxInterface
{
public:
    explicit CDelegateElxT(int nNumber) : m_nNumber(nNumber) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    ElxInterface* m_pTarget = nullptr; // null until resolved
    int m_nNumber;                     // 0 the whole pattern; -3 while given by name
    CBufferT<char> m_cName;
};
