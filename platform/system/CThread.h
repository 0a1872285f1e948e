// A thread of the program. It is started with the function it runs and ends
// when that function returns; nothing ever kills it. Join waits for the end
// with a time-out; a thread that does not end in time is left running (or
// detached by its owner), so whatever it uses must be co-owned by it.
#pragma once

#include "platform/system/WinTypes.h"

#include <functional>
#include <memory>
#include <thread>

class CThread
{
public:
    CThread();
    // A thread that is still running is detached, never waited for or killed.
    ~CThread();
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // Starts `body` on a new thread. False while an earlier thread of this
    // object still runs, or when the system refuses a new thread.
    bool Start(std::function<void()> body);

    // Waits up to `timeoutMs` (INFINITE: no limit) for the thread's end; on
    // the UI thread it serves carried window calls meanwhile. True when the
    // thread has ended (or none was started).
    bool Join(DWORD timeoutMs = INFINITE);

    bool IsRunning() const;

    // Lets a running thread go on alone; this object can start another.
    void Detach();

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
