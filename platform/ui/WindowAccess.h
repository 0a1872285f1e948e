// Platform-internal: the pattern of every window operation. It runs on the UI
// thread (carried there from other threads) while the object's window exists,
// with the window's record and widget; otherwise it gives the fallback.
#pragma once

#include "platform/ui/CWnd.h"
#include "platform/ui/UiThreadCalls.h"
#include "platform/ui/WindowRegistry.h"

template <class R, class F> R OnWindow(const CWnd* wnd, R fallback, F&& fn)
{
    const HWND h = wnd->m_hWnd.load();
    return RunForWindow(h, fallback, [&]() -> R {
        WindowRecord* rec = WindowRegistry::Find(h);
        return rec && rec->widget ? fn(*rec) : fallback;
    });
}

template <class F> void OnWindow(const CWnd* wnd, F&& fn)
{
    const HWND h = wnd->m_hWnd.load();
    RunForWindow(h, [&] {
        if (WindowRecord* rec = WindowRegistry::Find(h); rec && rec->widget)
            fn(*rec);
    });
}

// The same with the widget as the type W (dynamic_cast); nothing when it is another kind.
template <class W, class R, class F> R OnWidget(const CWnd* wnd, R fallback, F&& fn)
{
    return OnWindow(wnd, fallback, [&](WindowRecord& rec) -> R {
        W* w = dynamic_cast<W*>(rec.widget.data());
        return w ? fn(w, rec) : fallback;
    });
}

template <class W, class F> void OnWidget(const CWnd* wnd, F&& fn)
{
    OnWindow(wnd, [&](WindowRecord& rec) {
        if (W* w = dynamic_cast<W*>(rec.widget.data()))
            fn(w, rec);
    });
}
