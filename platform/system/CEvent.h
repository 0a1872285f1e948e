// An event object: manual reset (stays set until reset) or auto reset (one
// successful wait takes the signal). A wait made on the UI thread keeps serving
// window calls carried from other threads (UiThreadWait.h).
#pragma once

#include "platform/system/WinTypes.h"

#include <condition_variable>
#include <mutex>

class CEvent
{
public:
    explicit CEvent(BOOL initiallySet = FALSE, BOOL manualReset = FALSE);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    BOOL SetEvent();
    BOOL ResetEvent();

    // Waits until the event is set or `timeoutMs` passes (INFINITE: no limit).
    // TRUE when the event was set; an auto-reset event is then reset again.
    BOOL Lock(DWORD timeoutMs = INFINITE);

    bool IsManualReset() const { return m_manualReset; }

private:
    bool TakeSignal(); // under m_lock

    const bool m_manualReset;
    bool m_set;
    std::mutex m_lock;
    std::condition_variable m_changed;
};
