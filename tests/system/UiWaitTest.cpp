// Events, threads and Sleep, and waits on the UI thread that keep serving the
// window calls other threads carry to it.
#include "platform/system/CEvent.h"
#include "platform/system/CThread.h"
#include "platform/system/Sleep.h"
#include "platform/system/UiThreadWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace system_test {

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// What the window layer does: a worker hands a call to the UI thread and
// waits for it to have run there.
class CarriedCalls
{
public:
    void Serve()
    {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard lock(m_lock);
            calls.swap(m_calls);
        }
        for (auto& call : calls)
            call();
    }

    void CarryAndWait(std::function<void()> call)
    {
        auto done = std::make_shared<std::atomic<bool>>(false);
        {
            std::lock_guard lock(m_lock);
            m_calls.push_back([call = std::move(call), done, this] {
                call();
                {
                    // Under the lock, or the waiter may test `done` just before it is set and sleep
                    // through the notification.
                    std::lock_guard lock(m_lock);
                    done->store(true);
                }
                m_ran.notify_all();
            });
        }
        ui_wait::Wake();
        std::unique_lock lock(m_lock);
        m_ran.wait(lock, [&] { return done->load(); });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_ran;
    std::deque<std::function<void()>> m_calls;
};

TEST(Event, ResetKindsAndInitialState)
{
    struct Case
    {
        BOOL initiallySet;
        BOOL manualReset;
        BOOL firstWait;
        BOOL secondWait;
    };
    const Case cases[] = {
        {FALSE, FALSE, FALSE, FALSE},
        {TRUE, FALSE, TRUE, FALSE}, // an auto-reset event lets one wait through
        {FALSE, TRUE, FALSE, FALSE},
        {TRUE, TRUE, TRUE, TRUE}, // a manual-reset event stays set
    };
    for (const auto& c : cases) {
        CEvent event(c.initiallySet, c.manualReset);
        EXPECT_EQ(event.Lock(0), c.firstWait) << c.initiallySet << c.manualReset;
        EXPECT_EQ(event.Lock(0), c.secondWait) << c.initiallySet << c.manualReset;
        event.SetEvent();
        EXPECT_EQ(event.Lock(0), TRUE);
        event.ResetEvent();
        EXPECT_EQ(event.Lock(0), FALSE);
    }
}

TEST(Event, TimedWaitEndsAtItsTimeOut)
{
    CEvent event;
    const auto start = Clock::now();
    EXPECT_EQ(event.Lock(80), FALSE);
    const auto waited = MsSince(start);
    EXPECT_GE(waited, 80);
    EXPECT_LT(waited, 2000);
}

TEST(Event, AutoResetWakesOneWaiterPerSet)
{
    CEvent event(FALSE, FALSE);
    std::atomic<int> woken{0};
    std::thread a([&] { woken += event.Lock(5000) ? 1 : 0; });
    std::thread b([&] { woken += event.Lock(5000) ? 1 : 0; });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    event.SetEvent();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(woken.load(), 1);
    event.SetEvent();
    a.join();
    b.join();
    EXPECT_EQ(woken.load(), 2);
}

TEST(Event, ManualResetWakesEveryWaiter)
{
    CEvent event(FALSE, TRUE);
    std::atomic<int> woken{0};
    std::thread a([&] { woken += event.Lock(5000) ? 1 : 0; });
    std::thread b([&] { woken += event.Lock(5000) ? 1 : 0; });
    event.SetEvent();
    a.join();
    b.join();
    EXPECT_EQ(woken.load(), 2);
}

TEST(Thread, JoinWithTimeOutAndRestart)
{
    auto release = std::make_shared<CEvent>(FALSE, TRUE);
    std::atomic<int> runs{0};
    CThread thread;
    EXPECT_TRUE(thread.Join(0)); // nothing started
    ASSERT_TRUE(thread.Start([release, &runs] {
        release->Lock();
        ++runs;
    }));
    EXPECT_TRUE(thread.IsRunning());
    EXPECT_FALSE(thread.Start([] {})); // one thread at a time
    EXPECT_FALSE(thread.Join(50));
    EXPECT_TRUE(thread.IsRunning());
    release->SetEvent();
    EXPECT_TRUE(thread.Join(5000));
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(runs.load(), 1);

    ASSERT_TRUE(thread.Start([&runs] { ++runs; }));
    EXPECT_TRUE(thread.Join(5000));
    EXPECT_EQ(runs.load(), 2);
}

TEST(Thread, OwnerGoesWhileThreadRunsOn)
{
    // The thread co-owns what it uses; its owner may go first.
    auto release = std::make_shared<CEvent>(FALSE, TRUE);
    auto finished = std::make_shared<CEvent>(FALSE, TRUE);
    const auto start = Clock::now();
    {
        CThread thread;
        ASSERT_TRUE(thread.Start([release, finished] {
            release->Lock();
            finished->SetEvent();
        }));
    } // neither waits for the thread nor kills it
    EXPECT_LT(MsSince(start), 1000);
    EXPECT_EQ(finished->Lock(0), FALSE);
    release->SetEvent();
    EXPECT_EQ(finished->Lock(5000), TRUE);
}

TEST(Thread, ExceptionEndsOnlyTheThread)
{
    CThread thread;
    ASSERT_TRUE(thread.Start([] { throw std::runtime_error("walk failed"); }));
    EXPECT_TRUE(thread.Join(5000));
}

// A worker carries a window call to the UI thread and then lets the UI
// thread's wait end. Each UI-thread wait must run the call meanwhile, or the
// worker and the UI thread would wait for each other.
TEST(UiWait, EveryWaitServesCarriedCalls)
{
    CarriedCalls carried;
    ui_wait::SetServer([&carried] { carried.Serve(); });
    ASSERT_TRUE(ui_wait::IsUiThread());
    const auto uiThread = std::this_thread::get_id();

    enum class Wait
    {
        Event,
        Join,
        Sleep
    };
    for (const Wait kind : {Wait::Event, Wait::Join, Wait::Sleep}) {
        SCOPED_TRACE(static_cast<int>(kind));
        auto ranOn = std::make_shared<std::thread::id>();
        auto workerDone = std::make_shared<CEvent>(FALSE, TRUE);
        CThread worker;
        ASSERT_TRUE(worker.Start([&carried, ranOn, workerDone] {
            carried.CarryAndWait([ranOn] { *ranOn = std::this_thread::get_id(); });
            workerDone->SetEvent();
        }));
        const auto start = Clock::now();
        switch (kind) {
        case Wait::Event:
            EXPECT_EQ(workerDone->Lock(10000), TRUE);
            break;
        case Wait::Join:
            EXPECT_TRUE(worker.Join(10000));
            break;
        case Wait::Sleep:
            Sleep(1500);
            EXPECT_GE(MsSince(start), 1500);
            EXPECT_EQ(workerDone->Lock(0), TRUE);
            break;
        }
        if (kind != Wait::Sleep) { // served at once, not at the time-out
            EXPECT_LT(MsSince(start), 5000);
        }
        EXPECT_EQ(*ranOn, uiThread);
        EXPECT_TRUE(worker.Join(10000));
    }
}

TEST(UiWait, OtherThreadsDoNotServe)
{
    std::atomic<int> served{0};
    ui_wait::SetServer([&served] { ++served; });
    const int before = served.load();
    std::thread other([] {
        EXPECT_FALSE(ui_wait::IsUiThread());
        CEvent event;
        EXPECT_EQ(event.Lock(30), FALSE);
        Sleep(30);
    });
    other.join();
    EXPECT_EQ(served.load(), before);
}

} // namespace

} // namespace system_test
