// Platform-internal: the live windows by handle. Every window the layer
// creates has a record here from its creation to its destruction; a handle
// that is not here names no window (handles are never reused). Records are
// made, changed and read on the UI thread; IsAlive may be asked anywhere.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <vector>

class CWnd;
class QEventLoop;
namespace gdi_detail {
class DrawSurface;
}
class QTimer;

struct WindowRecord
{
    HWND hwnd = nullptr;
    QPointer<QWidget> widget;
    CWnd* object = nullptr;     // the CWnd this window is attached to
    HWND parent = nullptr;      // child windows: the parent; top-level windows: none
    HWND owner = nullptr;       // top-level windows: the owner given at creation
    std::vector<HWND> children; // in creation order (the template's order)
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string className; // Button, Edit, ..., "#32770" for dialogs, or the class a Create named
    std::string text;      // the window text as set (statics show it without '&' marks)
    bool dialog = false;
    UINT defId = 0;    // dialogs: the default push button's id (0: none)
    QFont font;        // the font of the window (a dialog's font is its template's)
    int baseUnitX = 0; // dialogs: the font's dialog base units
    int baseUnitY = 0;
    bool placed = false; // top-level: moved by the program before it was first shown
    // Top-level: the frame's style, which says whether the user may size the
    // window and which buttons its title bar has. It is the style the window
    // was made with; a later style change reaches the frame only with
    // SWP_FRAMECHANGED (ModifyStyle's nFlags or SetWindowPos).
    DWORD frameStyle = 0;
    bool destroying = false;
    int moving = 0;                  // > 0 while the layer itself moves or sizes the window
    QSize sentSize{-1, -1};          // the size the last WM_SIZE reported
    CWnd* defaultObject = nullptr;   // the object the layer made for a template control, if any
    QEventLoop* modalLoop = nullptr; // dialogs: the loop of DoModal while it runs
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    // The window's kept image, once something draws on the window (WindowSurface).
    std::shared_ptr<gdi_detail::DrawSurface> surface;
    bool invalid = true; // the image must be erased and painted again before it is shown
    std::map<UINT_PTR, QTimer*> timers;
    int quietNotifications = 0; // > 0 while the layer itself changes a control
    // Top-level windows: the menu bar's menu and the system menu, once there are any;
    // the frame that holds the menu bar above the widget, once a menu was set.
    HMENU menu = nullptr;
    HMENU systemMenu = nullptr;
    QPointer<QWidget> frame;

    // The widget that is the window on the screen: the frame when there is
    // one, otherwise the window's own widget (which is always the client area).
    QWidget* Outer() const { return frame ? frame.data() : widget.data(); }
};

class WindowRegistry
{
public:
    // Registers a record and gives it a new handle.
    static HWND Add(WindowRecord record);
    static WindowRecord* Find(HWND hwnd);
    static WindowRecord* FromWidget(const QWidget* widget);
    // The record of the widget or of its nearest ancestor that has one.
    static WindowRecord* Owning(const QWidget* widget);
    static void Remove(HWND hwnd);
    static bool IsAlive(HWND hwnd);
    static std::vector<HWND> TopLevelWindows();
};
