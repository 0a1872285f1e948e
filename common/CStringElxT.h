// A run of literal characters.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CStringElxT : public ElxInterface
{
public:
    CStringElxT(const char* pText, int nLength, int bBackward, int bIgnoreCase)
        : m_cText(pText, nLength), m_bBackward(bBackward), m_bIgnoreCase(bIgnoreCase)
    {
    }

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    // Whether the first n characters of pText and pOther are equal; with
    // bIgnoreCase letters compare by their upper-case forms.
    static bool SameText(const char* pText, const char* pOther, int n, int bIgnoreCase);

    CBufferT<char> m_cText;
    int m_bBackward;
    int m_bIgnoreCase;
};
