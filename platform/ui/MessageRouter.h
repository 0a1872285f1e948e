// Platform-internal: delivering messages to windows on the UI thread.
#pragma once

#include "platform/ui/UiTypes.h"

class MessageRouter
{
public:
    // Runs the window's WindowProc; 0 when the handle names no window.
    static LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // A Qt event seen as a message: sent only when the window's message map
    // handles the message. True when the event is done with; false when the
    // widget should still process it (nobody handled the message, or the
    // handler asked for the default processing).
    static bool SendFromEvent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

    // A control tells its parent: WM_COMMAND with its id and code.
    static void NotifyCommand(HWND control, UINT code);
    // A control tells its parent: WM_NOTIFY; fills the header from the control.
    // With `handled`, the caller does the parent's default processing itself:
    // *handled is false when nobody handled the notification or the handler
    // asked for the default processing.
    static LRESULT NotifyParent(HWND control, NMHDR& header, UINT code, bool* handled = nullptr);

    // The default processing of the message being handled was asked for.
    static void RequestDefault(HWND hwnd, UINT message);
    // The message being handled on this thread, or null.
    static const MSG* CurrentMessage();
    // > 0 while any message is being handled: widgets on the stack must not
    // be deleted at once.
    static int Depth();
};
