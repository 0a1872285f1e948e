// Two or more alternatives, tried in order.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CAlternativeElxT : public ElxInterface
{
public:
    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    CBufferT<ElxInterface*> m_cAlternatives;

private:
    // Tries the alternatives from the i-th on; pushes the index of the one that matches.
    int TryFrom(CMatchContext* pContext, int i) const;
};
