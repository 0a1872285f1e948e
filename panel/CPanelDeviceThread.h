// The status-polling thread: while the main window is open it asks the switch
// every few seconds whether it answers, how its fan is and in which state its
// ports are (CPanelStatus does the reads), pausing while a feature dialog
// runs.
//
// The thread co-owns the status it polls and itself, so the window may let a
// thread that is still inside a request go: Stop sets the stop flag, ends
// every wait of the loop at once and waits for the loop's end; a thread that
// is inside a request then ends after that request, without touching the
// window again (the window detaches itself from the status). It is never
// killed.
#pragma once

#include "panel/CPanelStatus.h"
#include "platform/system/CThread.h"

#include <atomic>
#include <memory>

class CPanelDeviceThread : public std::enable_shared_from_this<CPanelDeviceThread>
{
public:
    CPanelDeviceThread() = default;
    // Stops the loop (see Stop) if it still runs.
    ~CPanelDeviceThread();

    CPanelDeviceThread(const CPanelDeviceThread&) = delete;
    CPanelDeviceThread& operator=(const CPanelDeviceThread&) = delete;

    // The status to poll; set before the thread starts.
    void SetOwner(std::shared_ptr<CPanelStatus> pOwner);

    // Starts Run on a thread of its own. False when it cannot be started (or
    // runs already).
    bool CreateThread();

    // The polling loop: -1 at once without an owner, else 0 when m_bStop ends
    // it.
    int Run();

    // Sets m_bStop, ends the loop's waits and waits up to timeoutMs for the
    // loop to end (on the UI thread serving window calls meanwhile). True
    // when it has ended; otherwise the thread is let go and ends on its own.
    bool Stop(DWORD timeoutMs);

    // Waits up to timeoutMs until every polling loop of the process has
    // ended, the ones that were let go included (on the UI thread serving
    // window calls meanwhile); for the end of the process. True when none is
    // left.
    static bool WaitForThreads(DWORD timeoutMs);

    // 1: the loop ends at its next look. Set only with the polled status's
    // stop request (RequestStop), which also ends the loop's waits.
    std::atomic<int> m_bStop{0};

private:
    // Sets m_bStop and asks the polled status to stop.
    void RequestStop();

    std::shared_ptr<CPanelStatus> m_pOwner;
    // A thread that is still running when the last owner goes (the loop's own
    // thread, at its end) is detached by ~CThread.
    CThread m_thread;
};
