#include "platform/ui/UiThreadCalls.h"

#include "platform/system/UiThreadWait.h"
#include "platform/ui/UiCallDispatcher.h"
#include "platform/ui/WindowRegistry.h"

#include <QCoreApplication>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

namespace {

struct Carried
{
    HWND target = nullptr;
    const std::function<void()>* fn = nullptr;
    bool done = false;
    bool ran = false;
};

struct Posted
{
    HWND target = nullptr;
    std::function<void()> fn;
};

// Everything below is guarded by g_lock.
std::mutex g_lock;
std::condition_variable g_finished;
std::deque<std::shared_ptr<Carried>> g_queue;
std::deque<Posted> g_posted;
UiCallDispatcher* g_dispatcher = nullptr; // lives on the UI thread, child of the application object
bool g_servePending = false;
bool g_postedPending = false;
std::atomic<bool> g_installed{false};

void Finish(const std::shared_ptr<Carried>& item, bool ran)
{
    {
        std::lock_guard lock(g_lock);
        item->done = true;
        item->ran = ran;
    }
    g_finished.notify_all();
}

// Wakes the event loop; with g_lock held.
void WakeLoopLocked(bool& pending, QEvent::Type type)
{
    if (!g_dispatcher || pending)
        return;
    pending = true;
    QCoreApplication::postEvent(g_dispatcher, new QEvent(type));
}

void DispatcherGone()
{
    std::deque<std::shared_ptr<Carried>> orphans;
    {
        std::lock_guard lock(g_lock);
        g_dispatcher = nullptr;
        g_servePending = false;
        g_postedPending = false;
        orphans.swap(g_queue);
        g_posted.clear();
    }
    for (const auto& item : orphans)
        Finish(item, false);
}

} // namespace

void UiThreadCalls::Install()
{
    static std::once_flag server;
    std::call_once(server, [] {
        ui_wait::SetServer([] { UiThreadCalls::Serve(); });
        g_installed = true;
    });
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    std::lock_guard lock(g_lock);
    if (g_dispatcher)
        return;
    g_dispatcher = new UiCallDispatcher(app);
    QObject::connect(g_dispatcher, &QObject::destroyed, [] { DispatcherGone(); });
    if (!g_queue.empty())
        WakeLoopLocked(g_servePending, UiCallDispatcher::ServeEvent);
}

bool UiThreadCalls::IsUiThread()
{
    if (g_installed)
        return ui_wait::IsUiThread();
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

bool UiThreadCalls::Run(HWND target, const std::function<void()>& fn)
{
    if (IsUiThread()) {
        if (target && !WindowRegistry::IsAlive(target))
            return false;
        fn();
        return true;
    }
    if (target && !WindowRegistry::IsAlive(target))
        return false;
    if (!g_installed) {
        // No window exists yet, so only a message box can get here: hand it to
        // the application's thread directly.
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return false;
        QMetaObject::invokeMethod(
            app, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
        return true;
    }
    auto item = std::make_shared<Carried>();
    item->target = target;
    item->fn = &fn;
    {
        std::lock_guard lock(g_lock);
        // Nothing serves the queue once the application object is gone.
        if (!target && !g_dispatcher && !QCoreApplication::instance())
            return false;
        g_queue.push_back(item);
        WakeLoopLocked(g_servePending, UiCallDispatcher::ServeEvent);
    }
    ui_wait::Wake();
    std::unique_lock lock(g_lock);
    g_finished.wait(lock, [&] { return item->done; });
    return item->ran;
}

bool UiThreadCalls::Post(HWND target, std::function<void()> fn)
{
    std::lock_guard lock(g_lock);
    if (!g_dispatcher)
        return false;
    g_posted.push_back(Posted{target, std::move(fn)});
    WakeLoopLocked(g_postedPending, UiCallDispatcher::PostedEvent);
    return true;
}

void UiThreadCalls::Serve()
{
    for (;;) {
        std::shared_ptr<Carried> item;
        {
            std::lock_guard lock(g_lock);
            if (g_queue.empty()) {
                g_servePending = false;
                return;
            }
            item = g_queue.front();
            g_queue.pop_front();
        }
        const bool run = !item->target || WindowRegistry::IsAlive(item->target);
        if (run)
            (*item->fn)();
        Finish(item, run);
    }
}

void UiThreadCalls::DeliverPosted()
{
    // One at a time, so that a handler's nested loop goes on in order; the
    // messages posted meanwhile wait for the next turn of the loop.
    std::size_t turn = 0;
    {
        std::lock_guard lock(g_lock);
        g_postedPending = false;
        turn = g_posted.size();
    }
    for (; turn > 0; --turn) {
        Posted p;
        {
            std::lock_guard lock(g_lock);
            if (g_posted.empty())
                return;
            p = std::move(g_posted.front());
            g_posted.pop_front();
        }
        if (!p.target || WindowRegistry::IsAlive(p.target))
            p.fn();
    }
    std::lock_guard lock(g_lock);
    if (!g_posted.empty())
        WakeLoopLocked(g_postedPending, UiCallDispatcher::PostedEvent);
}

void UiThreadCalls::Synchronize()
{
    std::lock_guard lock(g_lock);
}
