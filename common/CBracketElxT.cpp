#include "common/CBracketElxT.h"

#include "common/CMatchContext.h"

#include <climits>

int CBracketElxT::OpenFirst(CMatchContext* pContext) const
{
    CBufferT<int>& captures = pContext->m_cCaptures;
    pContext->m_cCaptureIndex.Prepare(m_nNumber, -1);
    const int nEntry = pContext->FindCapture(m_nNumber);
    if (nEntry >= 0 && captures[nEntry + CAPTURE_END] == -1) {
        --captures[nEntry + CAPTURE_NESTING]; // re-entered by a call before it closed
        return 1;
    }
    pContext->m_cCaptureIndex[m_nNumber] = captures.GetSize();
    captures.Push(m_nNumber);
    captures.Push(pContext->m_nPosition);
    captures.Push(-1);
    captures.Push(0);
    return 1;
}

int CBracketElxT::CloseFirst(CMatchContext* pContext) const
{
    CBufferT<int>& captures = pContext->m_cCaptures;
    const int nEntry = pContext->FindCapture(m_nNumber);
    if (nEntry < 0) {
        return 1;
    }
    if (captures[nEntry + CAPTURE_NESTING] < 0) {
        ++captures[nEntry + CAPTURE_NESTING]; // closing a re-entry
    } else {
        captures[nEntry + CAPTURE_END] = pContext->m_nPosition;
        captures[nEntry + CAPTURE_NESTING] = pContext->m_nCloseCounter;
        if (pContext->m_nCloseCounter < INT_MAX) {
            ++pContext->m_nCloseCounter; // it only has to stay 0 or more
        }
    }
    return 1;
}

void CBracketElxT::OpenUndo(CMatchContext* pContext) const
{
    CBufferT<int>& captures = pContext->m_cCaptures;
    const int nEntry = pContext->FindCapture(m_nNumber);
    if (nEntry < 0) {
        return;
    }
    if (captures[nEntry + CAPTURE_NESTING] < 0) {
        ++captures[nEntry + CAPTURE_NESTING];
        return;
    }
    if (nEntry + CAPTURE_ENTRY_SIZE == captures.GetSize()) {
        // The usual case: everything matched after this mark has been undone.
        captures.Restore(nEntry);
        pContext->m_cCaptureIndex[m_nNumber] = pContext->FindCaptureBelow(m_nNumber, nEntry);
    } else {
        pContext->CutCaptures(nEntry);
    }
}

void CBracketElxT::CloseUndo(CMatchContext* pContext) const
{
    CBufferT<int>& captures = pContext->m_cCaptures;
    const int nEntry = pContext->FindCapture(m_nNumber);
    if (nEntry < 0) {
        return;
    }
    if (captures[nEntry + CAPTURE_END] >= 0) {
        captures[nEntry + CAPTURE_END] = -1;
        captures[nEntry + CAPTURE_NESTING] = 0;
    } else {
        --captures[nEntry + CAPTURE_NESTING];
    }
}

int CBracketElxT::TryFirst(CMatchContext* pContext) const
{
    if (m_nNumber < 0) {
        return 0;
    }
    return m_bClosing ? CloseFirst(pContext) : OpenFirst(pContext);
}

int CBracketElxT::TryNext(CMatchContext* pContext) const
{
    if (m_nNumber >= 0) {
        m_bClosing ? CloseUndo(pContext) : OpenUndo(pContext);
    }
    return 0;
}
