#include "platform/ui/CClientDC.h"

#include "platform/ui/DrawSurface.h"
#include "platform/ui/WindowAccess.h"
#include "platform/ui/WindowSurface.h"

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    if (!pWnd)
        return;
    auto surface = OnWindow(pWnd, std::shared_ptr<gdi_detail::DrawSurface>(),
                            [](WindowRecord& rec) { return WindowSurface::Of(rec); });
    if (surface)
        AttachSurface(std::move(surface));
}

CClientDC::~CClientDC() = default;
