#include "platform/ui/UiThreadCalls.h"

#include "platform/system/UiThreadWait.h"
#include "platform/ui/WindowRegistry.h"

#include <QCoreApplication>
#include <QObject>
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

std::mutex g_lock;
std::condition_variable g_finished;
std::deque<std::shared_ptr<Carried>> g_queue;
QObject* g_dispatcher = nullptr; // lives on the UI thread, child of the application object
bool g_drainPosted = false;
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

// Asks the event loop to serve the queue; with g_lock held.
void PostDrainLocked()
{
    if (!g_dispatcher || g_drainPosted)
        return;
    g_drainPosted = true;
    QMetaObject::invokeMethod(g_dispatcher, [] { UiThreadCalls::Serve(); }, Qt::QueuedConnection);
}

void DispatcherGone()
{
    std::deque<std::shared_ptr<Carried>> orphans;
    {
        std::lock_guard lock(g_lock);
        g_dispatcher = nullptr;
        g_drainPosted = false;
        orphans.swap(g_queue);
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
    g_dispatcher = new QObject(app);
    QObject::connect(g_dispatcher, &QObject::destroyed, [] { DispatcherGone(); });
    if (!g_queue.empty())
        PostDrainLocked();
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
        // No window exists yet, so nothing but a message box can get here: hand
        // it to the application's thread directly.
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return false;
        QMetaObject::invokeMethod(app, [&fn] { fn(); }, Qt::BlockingQueuedConnection);
        return true;
    }
    if (!target) {
        // Nothing serves the queue once the application object is gone.
        std::lock_guard lock(g_lock);
        if (!g_dispatcher && !QCoreApplication::instance())
            return false;
    }
    auto item = std::make_shared<Carried>();
    item->target = target;
    item->fn = &fn;
    {
        std::lock_guard lock(g_lock);
        g_queue.push_back(item);
        PostDrainLocked();
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
    QMetaObject::invokeMethod(
        g_dispatcher,
        [target, fn = std::move(fn)] {
            if (!target || WindowRegistry::IsAlive(target))
                fn();
        },
        Qt::QueuedConnection);
    return true;
}

void UiThreadCalls::Serve()
{
    for (;;) {
        std::shared_ptr<Carried> item;
        {
            std::lock_guard lock(g_lock);
            if (g_queue.empty()) {
                g_drainPosted = false;
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
