// Platform-internal: the Qt widgets that show menus. A menu bar or a popup
// is filled from a menu's items; choosing an item hands its id to a call-back.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QPointer>

#include <functional>
#include <vector>

class QObject;
class QPoint;
class QWidget;
struct WindowRecord;

class MenuWidgets
{
public:
    using Chosen = std::function<void(UINT id)>;

    // Adds the menu's items to a QMenuBar or QMenu: popup items open QMenus
    // filled the same way, grayed and disabled items cannot be chosen. The
    // actions and popups made directly under target go into made.
    static void Fill(QWidget* target, HMENU menu, const Chosen& chosen, std::vector<QPointer<QObject>>* made);

    // Shows the window's system menu at the point on the screen; choosing an
    // item posts WM_SYSCOMMAND with its id and the point to the window.
    static void PopupSystemMenu(WindowRecord& rec, const QPoint& at);
};
