// Platform-internal: making the widgets of windows (from dialog templates and
// from Create), attaching objects to them, applying styles, and destroying them.
#pragma once

#include "platform/ui/ResourceTypes.h"
#include "platform/ui/UiTypes.h"

#include <QFont>
#include <QRect>

#include <memory>
#include <string>
#include <vector>

class CWnd;
class QWidget;
struct WindowRecord;

class WindowFactory
{
public:
    // The window of a dialog template, hidden, with every control; the dialog
    // object is attached to it, each control gets an object of its class
    // (owned by the dialog object) until a member is bound to it.
    static HWND CreateDialogWindow(CWnd* dialog, const DialogTemplate& t, HWND owner);

    // A child window (WS_CHILD; the rectangle in the parent's client pixels)
    // or a top-level window (the rectangle on the screen, frame included).
    static HWND CreateWindowFor(CWnd* object, const char* className, const std::string& text, DWORD style,
                                DWORD exStyle, const RECT& rect, HWND parent, int id);

    // Sends WM_DESTROY to the window and its children, detaches their objects,
    // removes the widgets, then calls each object's PostNcDestroy.
    static void Destroy(HWND hwnd);

    // The object now gets the window's messages.
    static void AttachObject(WindowRecord& rec, CWnd* object);
    // Makes the widget follow a style change.
    static void ApplyStyle(WindowRecord& rec, DWORD oldStyle);
    // A top-level window's frame follows its style (SWP_FRAMECHANGED): whether
    // the user may size it, and its title bar's buttons.
    static void ApplyFrame(WindowRecord& rec);
    // Shows rec.text on the widget.
    static void ShowText(WindowRecord& rec);
    // The text the widget holds now (edits and combo boxes change it themselves).
    static std::string CurrentText(const WindowRecord& rec);
    // Moves a window: a child in its parent's client pixels, a top-level one on
    // the screen with its frame.
    static void Place(WindowRecord& rec, const QRect& rect);
    // Checks the radio button and clears the others of its group.
    static void CheckInGroup(HWND radio);

    // Sends WM_SIZE when the window's size differs from the one last reported.
    static void ReportSize(WindowRecord& rec);

    // Top-level windows: shows the menu in a bar above the client area (the
    // first menu puts the window's widget into a frame that holds the bar;
    // the widget stays the client area). Null hides the bar.
    static void SetMenuBar(WindowRecord& rec, HMENU menu);
    // A window with a menu bar: its frame follows the client area's size and limits.
    static void FitFrame(WindowRecord& rec);
    // The height of the window's menu bar; 0 without one.
    static int MenuBarHeight(const WindowRecord& rec);
    // Keeps an object the layer made for a control until owner goes.
    static void Keep(CWnd* owner, std::unique_ptr<CWnd> object);

    static QFont DialogFont(const std::string& face, int points, int weight, bool italic);
    static void BaseUnits(const QFont& font, int& x, int& y);
    static QRect DialogUnitsToPixels(int baseX, int baseY, int x, int y, int cx, int cy);
};
