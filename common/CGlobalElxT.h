// `\G` under RX_CONTINUE_ANCHOR: matches where the match attempt started.
#pragma once

#include "common/ElxInterface.h"

class CGlobalElxT : public ElxInterface
{
public:
    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;
};
