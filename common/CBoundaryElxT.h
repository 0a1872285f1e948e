// A zero-width test of the position: `^ $ \A \Z \z \b \B`.
#pragma once

#include "common/ElxInterface.h"

class CBoundaryElxT : public ElxInterface
{
public:
    enum Kind
    {
        TextStart,
        TextEnd,
        EndBeforeFinalBreak,
        LineStart,
        LineEnd,
        WordBoundary,
    };

    CBoundaryElxT(Kind eKind, int bInclude) : m_eKind(eKind), m_bInclude(bInclude) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    Kind m_eKind;
    int m_bInclude; // 0 for \B: succeeds where the test fails

private:
    bool Test(const CMatchContext* pContext) const;
};
