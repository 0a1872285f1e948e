// Platform-internal: a modal loop's hold on the module's other windows. While
// a scope lives, every other top-level window of the module takes no input (it
// is disabled, WS_DISABLED included, as a modal loop disables its owner), its
// close box does nothing, and bringing it forward brings the scope's window
// forward instead. At the end each window is enabled again. Scopes nest: an inner one (a message box over a dialog)
// blocks the outer one's window too, and each gives back what it took.
// UI thread only.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class ModalScope
{
public:
    explicit ModalScope(QWidget* modal);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    // The window of the innermost running modal loop; null when none runs.
    static QWidget* Innermost();
    // The innermost running modal window that is one of the registry's (a
    // dialog, not a message box); null when none runs.
    static HWND InnermostDialog();
    // True when a running modal loop holds this top-level window.
    static bool Blocks(const QWidget* window);
    // The window a new dialog or message box without an owner belongs to:
    // the innermost modal window, else the active window of the module, else
    // its main window's. Null when there is none of them.
    static QWidget* ActiveWindow();
    // The top-level window (of the registry) whose widget on the screen is window.
    static HWND WindowOf(const QWidget* window);
    // Tells the window system that window belongs to owner: it stays above it.
    static void KeepAbove(QWidget* window, QWidget* owner);

private:
    QPointer<QWidget> m_modal;
    std::vector<QPointer<QWidget>> m_blocked;
};
