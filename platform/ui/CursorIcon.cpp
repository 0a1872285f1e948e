#include "platform/ui/CursorIcon.h"

#include "platform/ui/MessageRouter.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/UiThreadCalls.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>

#include <atomic>

namespace {

std::atomic<HCURSOR> g_cursor{nullptr};

} // namespace

HICON LoadIconResource(UINT id)
{
    return ResourceImages::LoadIcon(id);
}
HICON LoadStandardIconResource(UINT idi)
{
    return ResourceImages::StandardIcon(idi);
}
HCURSOR LoadCursorResource(UINT id)
{
    return ResourceImages::LoadCursor(id);
}
HCURSOR LoadStandardCursorResource(UINT idc)
{
    return ResourceImages::StandardCursor(idc);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR previous = g_cursor.exchange(cursor);
    UiThreadCalls::Run(nullptr, [&] {
        QWidget* target = nullptr;
        if (const MSG* msg = MessageRouter::CurrentMessage()) {
            if (WindowRecord* rec = WindowRegistry::Find(msg->hwnd))
                target = rec->widget;
        }
        if (!target && qobject_cast<QApplication*>(QCoreApplication::instance()))
            target = QApplication::activeWindow();
        if (!target)
            return;
        if (cursor)
            target->setCursor(ResourceImages::Cursor(cursor));
        else
            target->unsetCursor();
    });
    return previous;
}

HCURSOR GetCursor()
{
    return g_cursor.load();
}

SIZE GetIconSize(HICON icon)
{
    const QSize s = ResourceImages::IconSize(icon);
    SIZE size;
    size.cx = s.width();
    size.cy = s.height();
    return size;
}

POINT GetCursorHotSpot(HCURSOR cursor)
{
    const QPoint p = ResourceImages::HotSpot(cursor);
    POINT point;
    point.x = p.x();
    point.y = p.y();
    return point;
}
