#include "platform/snmp/SnmpAsyncRunner.h"

#include "platform/system/UiThreadWait.h"

#include <mutex>
#include <thread>

struct SnmpAsyncRunner::Gate::Data
{
    std::mutex mutex;
    bool stopped = false;
    int inside = 0; // call-backs running
};

namespace {
// The gate whose call-back runs on this thread, if any.
thread_local const void* t_insideGate = nullptr;
} // namespace

bool SnmpAsyncRunner::Gate::Enter()
{
    std::lock_guard guard(d->mutex);
    if (d->stopped)
        return false;
    ++d->inside;
    t_insideGate = d.get();
    return true;
}

void SnmpAsyncRunner::Gate::Leave()
{
    {
        std::lock_guard guard(d->mutex);
        --d->inside;
        t_insideGate = nullptr;
    }
    ui_wait::Wake();
}

SnmpAsyncRunner::SnmpAsyncRunner() : m(std::make_shared<Gate>())
{
    m->d = std::make_shared<Gate::Data>();
}

SnmpAsyncRunner::~SnmpAsyncRunner()
{
    Stop();
}

bool SnmpAsyncRunner::Start(std::function<void(Gate& gate)> job)
{
    {
        std::lock_guard guard(m->d->mutex);
        if (m->d->stopped)
            return false;
    }
    try {
        std::thread([gate = m, job = std::move(job)]() mutable { job(*gate); }).detach();
    } catch (...) {
        return false;
    }
    return true;
}

void SnmpAsyncRunner::Stop()
{
    auto data = m->d;
    int self = 0;
    {
        std::lock_guard guard(data->mutex);
        data->stopped = true;
        self = t_insideGate == data.get() ? 1 : 0;
    }
    ui_wait::WaitServingUi(
        [&] {
            std::lock_guard guard(data->mutex);
            return data->inside <= self;
        },
        INFINITE);
}
