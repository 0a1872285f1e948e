#include "platform/ui/CPaintDC.h"

#include "platform/ui/DrawSurface.h"
#include "platform/ui/WindowAccess.h"
#include "platform/ui/WindowSurface.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    if (!pWnd)
        return;
    auto surface = OnWindow(pWnd, std::shared_ptr<gdi_detail::DrawSurface>(), [&](WindowRecord& rec) {
        m_ps.rcPaint = RECT{0, 0, rec.widget->width(), rec.widget->height()};
        return WindowSurface::Of(rec);
    });
    if (surface)
        AttachSurface(std::move(surface));
    m_ps.hdc = GetSafeHdc();
}

CPaintDC::~CPaintDC() = default;
