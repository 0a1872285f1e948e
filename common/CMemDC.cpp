#include "common/CMemDC.h"

CMemDC::CMemDC(CDC* pDC) : m_pDC(pDC), m_bMemDC(pDC != nullptr && !pDC->IsPrinting())
{
    if (pDC == nullptr)
        return;
    if (m_bMemDC) {
        pDC->GetClipBox(&m_rect);
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
        m_pOldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
    } else {
        AttachSurface(pDC->Surface());
    }
}

CMemDC::~CMemDC()
{
    if (m_pDC == nullptr)
        return;
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_pOldBitmap);
    } else {
        AttachSurface(nullptr);
    }
}
