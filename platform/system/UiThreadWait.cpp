#include "platform/system/UiThreadWait.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace ui_wait {
namespace {

std::mutex g_lock;
std::condition_variable g_woken;
std::uint64_t g_wakeCount = 0;
std::function<void()> g_serve;
std::atomic<std::thread::id> g_uiThread{};

// Upper bound of one sleep between two looks at `ready`; Wake() ends it early.
constexpr auto kSlice = std::chrono::milliseconds(5);

} // namespace

void SetServer(std::function<void()> serve)
{
    std::lock_guard lock(g_lock);
    g_serve = std::move(serve);
    g_uiThread = std::this_thread::get_id();
}

bool IsUiThread()
{
    return g_uiThread.load() == std::this_thread::get_id();
}

void Wake()
{
    {
        std::lock_guard lock(g_lock);
        ++g_wakeCount;
    }
    g_woken.notify_all();
}

bool WaitServingUi(const std::function<bool()>& ready, DWORD timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const bool forever = timeoutMs == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeoutMs);
    const bool onUi = IsUiThread();
    for (;;) {
        std::uint64_t seen;
        std::function<void()> serve;
        {
            std::lock_guard lock(g_lock);
            seen = g_wakeCount;
            if (onUi)
                serve = g_serve;
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
        std::unique_lock lock(g_lock);
        g_woken.wait_until(lock, until, [&] { return g_wakeCount != seen; });
    }
}

} // namespace ui_wait
