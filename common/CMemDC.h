// An off-screen device context: drawing on it between construction and
// destruction lands on the target context in one copy when it is destroyed,
// so that what is drawn does not flicker. Callers draw in the target's
// coordinates. On a printer context it draws on the target directly.
#pragma once

#include "platform/ui/CBitmap.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CRect.h"

class CMemDC : public CDC
{
public:
    explicit CMemDC(CDC* pDC);
    ~CMemDC() override;

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = nullptr;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
