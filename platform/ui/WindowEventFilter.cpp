#include "platform/ui/WindowEventFilter.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/ListViewWidget.h"
#include "platform/ui/MenuRegistry.h"
#include "platform/ui/MenuWidgets.h"
#include "platform/ui/MessageRouter.h"
#include "platform/ui/ModalScope.h"
#include "platform/ui/WindowFactory.h"
#include "platform/ui/WindowRegistry.h"
#include "platform/ui/WindowSurface.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

WindowEventFilter* Filter()
{
    static WindowEventFilter* filter = new WindowEventFilter;
    return filter;
}

UINT MouseFlags(const QMouseEvent* e)
{
    UINT flags = 0;
    if (e->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (e->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (e->buttons() & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (e->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

WindowRecord* TopOf(WindowRecord* rec)
{
    while (rec && rec->parent)
        rec = WindowRegistry::Find(rec->parent);
    return rec;
}

// The focus notification a control sends its parent, 0 for none.
UINT FocusCode(const WindowRecord& rec, bool in)
{
    if (qobject_cast<QLineEdit*>(rec.widget.data()) || qobject_cast<QPlainTextEdit*>(rec.widget.data()))
        return in ? EN_SETFOCUS : EN_KILLFOCUS;
    if (qobject_cast<QComboBox*>(rec.widget.data()))
        return in ? CBN_SETFOCUS : CBN_KILLFOCUS;
    if (qobject_cast<QListWidget*>(rec.widget.data()) && (rec.style & LBS_NOTIFY))
        return in ? LBN_SETFOCUS : LBN_KILLFOCUS;
    if (rec.className == WC_BUTTON && (rec.style & BS_NOTIFY))
        return in ? BN_SETFOCUS : BN_KILLFOCUS;
    return 0;
}

bool Key(QWidget* widget, QKeyEvent* e)
{
    WindowRecord* rec = WindowRegistry::Owning(widget);
    WindowRecord* top = TopOf(rec);
    // Keys of a popup (a combo box's list) stay with it.
    if (!rec || !top || widget->window() != top->Outer())
        return false;
    const UINT vk = WindowEventFilter::VirtualKey(e->key());
    if (!vk)
        return false;
    MSG msg;
    msg.hwnd = rec->hwnd;
    msg.message = e->type() == QEvent::KeyPress ? WM_KEYDOWN : WM_KEYUP;
    msg.wParam = vk;
    msg.lParam = 1;
    const HWND target = rec->hwnd;
    for (HWND h = target; h;) {
        WindowRecord* r = WindowRegistry::Find(h);
        if (!r)
            break;
        const HWND next = r->parent;
        if (r->object && r->object->PreTranslateMessage(&msg))
            return true;
        h = next;
    }
    return MessageRouter::SendFromEvent(target, msg.message, vk, 1);
}

bool Mouse(WindowRecord* rec, QWidget* widget, QMouseEvent* e)
{
    const QPoint p = widget->mapTo(rec->widget, e->position().toPoint());
    const LPARAM l =
        MAKELPARAM(static_cast<WORD>(static_cast<short>(p.x())), static_cast<WORD>(static_cast<short>(p.y())));
    UINT message = 0;
    const Qt::MouseButton b = e->button();
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        message = b == Qt::LeftButton ? WM_LBUTTONDOWN : b == Qt::RightButton ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
        break;
    case QEvent::MouseButtonRelease:
        message = b == Qt::LeftButton ? WM_LBUTTONUP : b == Qt::RightButton ? WM_RBUTTONUP : WM_MBUTTONUP;
        if (b == Qt::LeftButton && qobject_cast<QLabel*>(rec->widget.data()) && (rec->style & SS_NOTIFY))
            MessageRouter::NotifyCommand(rec->hwnd, STN_CLICKED);
        break;
    case QEvent::MouseButtonDblClick:
        message = b == Qt::LeftButton ? WM_LBUTTONDBLCLK : b == Qt::RightButton ? WM_RBUTTONDBLCLK : WM_MBUTTONDBLCLK;
        if (b == Qt::LeftButton && qobject_cast<QLabel*>(rec->widget.data()) && (rec->style & SS_NOTIFY))
            MessageRouter::NotifyCommand(rec->hwnd, STN_DBLCLK);
        break;
    default:
        message = WM_MOUSEMOVE;
        break;
    }
    return MessageRouter::SendFromEvent(rec->hwnd, message, MouseFlags(e), l);
}

void Size(WindowRecord* rec)
{
    QWidget* w = rec->Outer();
    const bool topLevel = !(rec->style & WS_CHILD);
    if (topLevel && rec->moving == 0 && (rec->frameStyle & WS_THICKFRAME) && w->isVisible() && !w->isMinimized() &&
        rec->object && rec->object->HandlesMessage(WM_SIZING)) {
        // The user sized the window: the window may correct the new rectangle.
        const QRect frame = w->frameGeometry();
        RECT r{frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()};
        const RECT before = r;
        MessageRouter::SendFromEvent(rec->hwnd, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
        if (r.left != before.left || r.top != before.top || r.right != before.right || r.bottom != before.bottom) {
            WindowFactory::Place(*rec, QRect(r.left, r.top, r.right - r.left, r.bottom - r.top));
            return;
        }
    }
    WindowFactory::ReportSize(*rec);
}

void MinMaxInfo(WindowRecord* rec)
{
    QWidget* w = rec->widget;
    if (!rec->object || !rec->object->HandlesMessage(WM_GETMINMAXINFO) || !(rec->frameStyle & WS_THICKFRAME))
        return;
    // The window system's frame and the menu bar around the client area.
    const QSize frame = rec->Outer()->frameGeometry().size() - rec->Outer()->geometry().size() +
                        QSize(0, WindowFactory::MenuBarHeight(*rec));
    MINMAXINFO info;
    info.ptMinTrackSize = POINT{w->minimumWidth() + frame.width(), w->minimumHeight() + frame.height()};
    info.ptMaxTrackSize = POINT{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    MessageRouter::SendFromEvent(rec->hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    w->setMinimumSize(std::max(0, static_cast<int>(info.ptMinTrackSize.x) - frame.width()),
                      std::max(0, static_cast<int>(info.ptMinTrackSize.y) - frame.height()));
    WindowFactory::FitFrame(*rec);
}

} // namespace

void WindowEventFilter::Watch(QWidget* widget)
{
    widget->installEventFilter(Filter());
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        if (!WindowRegistry::FromWidget(child))
            child->installEventFilter(Filter());
    }
}

UINT WindowEventFilter::VirtualKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    default:
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<UINT>('A' + (key - Qt::Key_A));
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<UINT>('0' + (key - Qt::Key_0));
        if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
            return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
        return 0;
    }
}

bool WindowEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    WindowRecord* own = WindowRegistry::FromWidget(widget);
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return Key(widget, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (!own) {
            // The viewport of a list: its mouse is the list's.
            auto* area = qobject_cast<QAbstractScrollArea*>(widget->parentWidget());
            if (area && area->viewport() == widget)
                own = WindowRegistry::FromWidget(area);
        }
        return own ? Mouse(own, widget, static_cast<QMouseEvent*>(event)) : false;
    }
    case QEvent::Wheel: {
        if (!own)
            return false;
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint global = wheel->globalPosition().toPoint();
        return MessageRouter::SendFromEvent(
            own->hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(wheel->angleDelta().y()))),
            MAKELPARAM(static_cast<WORD>(global.x()), static_cast<WORD>(global.y())));
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        if (!own || widget != own->widget)
            return false;
        auto* focus = static_cast<QFocusEvent*>(event);
        if (focus->reason() == Qt::PopupFocusReason)
            return false;
        const bool in = event->type() == QEvent::FocusIn;
        const HWND hwnd = own->hwnd;
        const UINT code = FocusCode(*own, in);
        WindowRecord* other = WindowRegistry::Owning(QApplication::focusWidget());
        const HWND otherHandle = other && other->hwnd != hwnd ? other->hwnd : nullptr;
        MessageRouter::SendFromEvent(hwnd, in ? WM_SETFOCUS : WM_KILLFOCUS, reinterpret_cast<WPARAM>(otherHandle), 0);
        if (code)
            MessageRouter::NotifyCommand(hwnd, code);
        return false;
    }
    case QEvent::Resize:
        if (own && widget == own->widget) {
            own->invalid = true;
            Size(own);
        } else if (!own) {
            // The rows' area of a list changed (the list was laid out anew, its
            // scroll bars came or went): its client area did.
            auto* list = dynamic_cast<ListViewWidget*>(widget->parentWidget());
            WindowRecord* rec = list && list->viewport() == widget ? WindowRegistry::FromWidget(list) : nullptr;
            if (rec && list->isVisible())
                MessageRouter::SendFromEvent(rec->hwnd, WM_SIZE, SIZE_RESTORED,
                                             MAKELPARAM(static_cast<WORD>(list->width()), static_cast<WORD>(list->height())));
        }
        return false;
    case QEvent::Show:
    case QEvent::Hide:
        if (own && widget == own->widget && !(own->style & WS_CHILD) && !event->spontaneous()) {
            const bool show = event->type() == QEvent::Show;
            if (show)
                MinMaxInfo(own);
            MessageRouter::SendFromEvent(own->hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        }
        return false;
    case QEvent::WindowStateChange:
        // (A window with a menu bar has it from its frame.)
        if (own && widget == own->widget && !(own->style & WS_CHILD)) {
            if (own->Outer()->isMinimized()) {
                own->sentSize = QSize(0, 0);
                MessageRouter::SendFromEvent(own->hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
            } else {
                WindowFactory::ReportSize(*own);
            }
        }
        return false;
    case QEvent::Close:
        if (own && widget == own->widget && !(own->style & WS_CHILD)) {
            event->ignore();
            // A window that a modal loop holds does not close: its close box does nothing.
            if (!ModalScope::Blocks(own->Outer()))
                MessageRouter::Send(own->hwnd, WM_CLOSE, 0, 0);
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        // What no control took for itself: a top-level window shows its system menu, once it was asked for.
        if (own && widget == own->widget && !(own->style & WS_CHILD) && MenuRegistry::Find(own->systemMenu)) {
            MenuWidgets::PopupSystemMenu(*own, static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        return false;
    case QEvent::Paint:
        return own && widget == own->widget && WindowSurface::Paint(*own, static_cast<QPaintEvent*>(event));
    default:
        return false;
    }
}
