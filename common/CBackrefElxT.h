// A back-reference `\n`, `\k<name>`, `\g<name>`: the text a group captured,
// matched again at the position.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CBackrefElxT : public ElxInterface
{
public:
    CBackrefElxT(int nNumber, int bBackward, int bIgnoreCase)
        : m_nNumber(nNumber), m_bBackward(bBackward), m_bIgnoreCase(bIgnoreCase)
    {
    }

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    int m_nNumber; // -1 until resolved, -3 when the name was not found
    int m_bBackward;
    int m_bIgnoreCase;
    CBufferT<char> m_cName;
};
