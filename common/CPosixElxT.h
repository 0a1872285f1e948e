// A POSIX character class `[:name:]` (negated by `[:^name:]`), tested with
// the standard character classification of the same name. An unknown name
// gives a class that never matches.
#pragma once

#include "common/ElxInterface.h"

class CPosixElxT : public ElxInterface
{
public:
    // pName: the class text from its first colon, e.g. ":alpha:" or ":^digit:".
    CPosixElxT(const char* pName, int nLength, int bBackward);

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    int (*m_pfnClass)(int) = nullptr; // called with the character as unsigned char
    int m_bBackward;
    int m_bInclude = 1;
};
