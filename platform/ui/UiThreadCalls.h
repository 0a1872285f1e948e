// Platform-internal: running window work on the UI thread.
//
// A window may be called from any thread. A call made on another thread is
// carried to the UI thread: it joins a queue, the UI thread is woken both in
// its event loop and in any wait of ui_wait (UiThreadWait.h), whichever
// serves the queue first runs the call, and the calling thread waits for it.
// A call aimed at a window that no longer exists when its turn comes does not
// run.
#pragma once

#include "platform/ui/UiTypes.h"

#include <functional>

class UiThreadCalls
{
public:
    // On the UI thread, with the application object in place: makes this the
    // UI thread (once) and gets the event loop ready to serve carried calls.
    static void Install();

    // True on the UI thread (before Install: when no other thread could be it).
    static bool IsUiThread();

    // Runs fn on the UI thread and waits for it. With a target window, fn runs
    // only while that window exists. True when fn ran.
    static bool Run(HWND target, const std::function<void()>& fn);

    // Queues fn for the UI thread's event loop without waiting (PostMessage);
    // it runs later only while the target window exists. False when there is
    // no event loop to post to.
    static bool Post(HWND target, std::function<void()> fn);

    // Runs every carried call that is waiting (the event loop, and the UI
    // thread's ui_wait server).
    static void Serve();
    // Delivers the posted messages (the event loop only).
    static void DeliverPosted();
    // Takes and releases the lock under which wake-ups are posted.
    static void Synchronize();
};

// Runs fn on the UI thread for the window h and returns its result, or
// fallback when h is null or names no window (any more).
template <class R, class F> R RunForWindow(HWND h, R fallback, F&& fn)
{
    if (!h)
        return fallback;
    R result = fallback;
    UiThreadCalls::Run(h, [&] { result = fn(); });
    return result;
}

template <class F> void RunForWindow(HWND h, F&& fn)
{
    if (h)
        UiThreadCalls::Run(h, [&] { fn(); });
}
