// One end of a capturing group: the opening mark starts a capture entry, the
// closing mark completes it. A group re-entered by a call keeps its outermost
// capture; a group repeated by a quantifier reports its last iteration.
#pragma once

#include "common/CBufferT.h"
#include "common/ElxInterface.h"

class CBracketElxT : public ElxInterface
{
public:
    CBracketElxT(int nNumber, int bClosing) : m_nNumber(nNumber), m_bClosing(bClosing) {}

    int TryFirst(CMatchContext* pContext) const override;
    int TryNext(CMatchContext* pContext) const override;

    int m_nNumber; // -1 until a named group is numbered
    int m_bClosing;
    CBufferT<char> m_cName; // of a named group, on its opening mark

private:
    int OpenFirst(CMatchContext* pContext) const;
    int CloseFirst(CMatchContext* pContext) const;
    void OpenUndo(CMatchContext* pContext) const;
    void CloseUndo(CMatchContext* pContext) const;
};
