#include "platform/ui/WindowSurface.h"

#include "platform/ui/CDC.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/DrawSurface.h"
#include "platform/ui/MessageRouter.h"
#include "platform/ui/UiThreadCalls.h"
#include "platform/ui/WindowRegistry.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include <atomic>

namespace {

// The window whose image this thread is painting: its own drawing needs no
// further showing.
thread_local HWND t_painting = nullptr;

// Shows the window again after a drawing on its image, from any thread; the
// showings that pile up while one is pending are one.
void ScheduleShow(HWND hwnd, const std::shared_ptr<std::atomic<bool>>& pending)
{
    if (UiThreadCalls::IsUiThread() && t_painting == hwnd)
        return;
    if (pending->exchange(true))
        return;
    const bool posted = UiThreadCalls::Post(hwnd, [hwnd, pending] {
        pending->store(false);
        if (WindowRecord* rec = WindowRegistry::Find(hwnd); rec && rec->widget)
            rec->widget->update();
    });
    if (!posted)
        pending->store(false);
}

} // namespace

COLORREF WindowSurface::Background(const WindowRecord& rec)
{
    const QColor c = rec.widget ? rec.widget->palette().color(rec.widget->backgroundRole()) : QColor(0xF0, 0xF0, 0xF0);
    return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}

std::shared_ptr<gdi_detail::DrawSurface> WindowSurface::Of(WindowRecord& rec)
{
    const QSize size = rec.widget ? rec.widget->size().expandedTo(QSize(1, 1)) : QSize(1, 1);
    const COLORREF bg = Background(rec);
    const QRgb fill = qRgb(GetRValue(bg), GetGValue(bg), GetBValue(bg));
    if (!rec.surface) {
        rec.surface = gdi_detail::MakeSurface(size.width(), size.height(), fill);
        const HWND hwnd = rec.hwnd;
        auto pending = std::make_shared<std::atomic<bool>>(false);
        rec.surface->SetChangedHandler([hwnd, pending](const QRect&) { ScheduleShow(hwnd, pending); });
        return rec.surface;
    }
    // The image keeps its identity (contexts hold it) and follows the window's size.
    std::lock_guard lock(rec.surface->Lock());
    QImage& image = rec.surface->Image();
    if (image.size() != size) {
        QImage fitted(size, image.format());
        fitted.fill(fill);
        QPainter painter(&fitted);
        painter.drawImage(0, 0, image);
        painter.end();
        image = fitted;
    }
    return rec.surface;
}

bool WindowSurface::Paint(WindowRecord& rec, QPaintEvent* event)
{
    CWnd* object = rec.object;
    const bool paints = object && (object->HandlesMessage(WM_PAINT) || object->HandlesMessage(WM_ERASEBKGND));
    if (!paints && !rec.surface)
        return false;
    const HWND hwnd = rec.hwnd;
    std::shared_ptr<gdi_detail::DrawSurface> surface = Of(rec);
    if (rec.invalid) {
        rec.invalid = false;
        const HWND outer = t_painting;
        t_painting = hwnd;
        CDC dc;
        dc.AttachSurface(surface);
        // Unhandled, the default processing fills the image with the background.
        MessageRouter::Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        if (object && object->HandlesMessage(WM_PAINT))
            MessageRouter::Send(hwnd, WM_PAINT, 0, 0);
        t_painting = outer;
    }
    WindowRecord* now = WindowRegistry::Find(hwnd);
    if (!now || !now->widget)
        return true;
    QPainter painter(now->widget);
    surface->Show(painter, event->rect());
    return true;
}
