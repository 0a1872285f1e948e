// The empty string: matches everywhere without moving. One shared instance
// per compiler.
#pragma once

#include "common/ElxInterface.h"

class CEmptyElxT : public ElxInterface
{
public:
    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;
};
