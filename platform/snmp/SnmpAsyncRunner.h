// The threads of the asynchronous sends: one per request, running the
// exchange and then the caller's call-back. Stop() (also run by the
// destructor) makes later replies be dropped and waits for call-backs that
// are running, serving the UI thread while it waits (a call-back may be
// waiting for the UI thread). A call-back that destroys its own sender is
// not waited for. Exchanges still in flight finish on their own and touch
// nothing but their own data.
#pragma once

#include <functional>
#include <memory>

class SnmpAsyncRunner
{
public:
    class Gate;
    SnmpAsyncRunner();
    ~SnmpAsyncRunner();
    SnmpAsyncRunner(const SnmpAsyncRunner&) = delete;
    SnmpAsyncRunner& operator=(const SnmpAsyncRunner&) = delete;

    // Runs `job` on a new thread. The job calls gate.Enter() before it
    // touches its owner or runs the call-back (false: the owner is gone or
    // going, drop the reply) and gate.Leave() after.
    bool Start(std::function<void(Gate& gate)> job);
    void Stop();

private:
    std::shared_ptr<Gate> m;
};

class SnmpAsyncRunner::Gate
{
public:
    bool Enter();
    void Leave();

private:
    friend class SnmpAsyncRunner;
    struct Data;
    std::shared_ptr<Data> d;
};
