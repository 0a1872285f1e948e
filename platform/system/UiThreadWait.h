// Waiting on the user-interface thread.
//
// A worker thread that calls a window (SendMessage, filling a list) is carried
// to the UI thread and waits there for the answer. If the UI thread is itself
// waiting for that worker (an event, a join, a sleep), it must keep serving
// those carried calls or both would wait forever. The window layer registers
// the function that serves them; every wait of the system layer made on the UI
// thread goes through WaitServingUi.
#pragma once

#include "platform/system/WinTypes.h"

#include <functional>

namespace ui_wait {

// Called once by the window layer on the UI thread: that thread becomes the UI
// thread, and `serve` runs the calls other threads have carried to it.
void SetServer(std::function<void()> serve);

// True on the thread that registered the server.
bool IsUiThread();

// Called after a call was carried to the UI thread, and by anything whose
// state a UI-thread wait may be waiting for (an event set, a thread ended),
// so that the wait looks again at once.
void Wake();

// Waits until `ready` returns true or `timeoutMs` passes (INFINITE: no limit).
// On the UI thread it serves carried calls while it waits; elsewhere it only
// waits. `ready` is evaluated under no lock of this module. Returns ready().
bool WaitServingUi(const std::function<bool()>& ready, DWORD timeoutMs);

} // namespace ui_wait
