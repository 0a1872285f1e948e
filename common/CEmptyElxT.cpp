#include "common/CEmptyElxT.h"

int CEmptyElxT::TryFirst(CMatchContext*) const
{
    return 1;
}

int CEmptyElxT::TryNext(CMatchContext*) const
{
    return 0;
}
