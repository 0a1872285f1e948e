// Platform-internal: a window's kept image. The device contexts of a window
// (CPaintDC, CClientDC, GetDC) draw on it, from any thread; the UI thread shows
// it. A window that handles WM_PAINT or WM_ERASEBKGND is shown from its image:
// when the window was invalidated (shown the first time, resized,
// Invalidate), its paint event erases the image (WM_ERASEBKGND) and has it
// painted (WM_PAINT) first; a drawing on the image outside painting only
// shows again, as drawing on a window's screen would.
#pragma once

#include "platform/ui/UiTypes.h"

#include <memory>

class QPaintEvent;
struct WindowRecord;
namespace gdi_detail {
class DrawSurface;
}

class WindowSurface
{
public:
    // The window's image, made or fitted to the window's size (UI thread).
    static std::shared_ptr<gdi_detail::DrawSurface> Of(WindowRecord& rec);
    // The paint event of the window's widget: true when the window was shown
    // from its image (the widget does not paint itself then).
    static bool Paint(WindowRecord& rec, QPaintEvent* event);
    // The colour an erase fills the window with.
    static COLORREF Background(const WindowRecord& rec);
};
