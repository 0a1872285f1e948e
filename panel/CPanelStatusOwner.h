// The window that shows the polled front panel, as the status polling sees
// it: the few things the polling thread and its walks ask of it. The main
// window implements it and attaches itself to its CPanelStatus while it
// shows the panel (CPanelStatus::Attach / Detach).
//
// Threads: every member is called from the polling thread or an SNMP worker
// thread, only while the window is attached. InvalidatePanel and
// ArmBlinkTimer are window calls (carried to the UI thread and waited for),
// so the polling never makes them while it holds CPanelStatus::Lock().
#pragma once

#include "platform/system/WinTypes.h"
#include "platform/ui/CPoint.h"

class CPanelStatusOwner
{
public:
    virtual ~CPanelStatusOwner() = default;

    // Draws the cached bitmap resource id with its top-left corner at point
    // through the window's kept device context (the point becomes the
    // window's LED position).
    virtual void DrawLedBitmap(CPoint point, UINT id) = 0;
    // After a status walk timed out: the panel's ports back to their resting
    // statuses.
    virtual void ResetPortLeds() = 0;
    // Repaints the whole window.
    virtual void InvalidatePanel() = 0;
    // Arms the 200 ms LED blink timer (arming it again restarts its period).
    virtual void ArmBlinkTimer() = 0;
};
