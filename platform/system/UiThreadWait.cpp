#include "platform/system/UiThreadWait.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace ui_wait {
namespace {

// Never destroyed: a detached thread may still end (and wake) while the
// process exits and destroys its statics.
struct Shared
{
    std::mutex lock;
    std::condition_variable woken;
    std::uint64_t wakeCount = 0;
    std::function<void()> serve;
    std::atomic<std::thread::id> uiThread{};
};

Shared& State()
{
    static Shared* const shared = new Shared;
    return *shared;
}

// Upper bound of one sleep between two looks at `ready`; Wake() ends it early.
constexpr auto kSlice = std::chrono::milliseconds(5);

} // namespace

void SetServer(std::function<void()> serve)
{
    Shared& s = State();
    std::lock_guard lock(s.lock);
    s.serve = std::move(serve);
    s.uiThread = std::this_thread::get_id();
}

bool IsUiThread()
{
    return State().uiThread.load() == std::this_thread::get_id();
}

void Wake()
{
    Shared& s = State();
    {
        std::lock_guard lock(s.lock);
        ++s.wakeCount;
    }
    s.woken.notify_all();
}

bool WaitServingUi(const std::function<bool()>& ready, DWORD timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const bool forever = timeoutMs == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
    const bool onUi = IsUiThread();
    Shared& s = State();
    for (;;) {
        std::uint64_t seen;
        std::function<void()> serve;
        {
            std::lock_guard lock(s.lock);
            seen = s.wakeCount;
            if (onUi)
                serve = s.serve;
        }
        if (serve)
            serve();
        if (ready())
            return true;
        const auto now = Clock::now();
        if (!forever && now >= deadline)
            return false;
        auto until = now + kSlice;
        if (!forever && deadline < until)
            until = deadline;
        std::unique_lock lock(s.lock);
        s.woken.wait_until(lock, until, [&] { return s.wakeCount != seen; });
    }
}

} // namespace ui_wait
