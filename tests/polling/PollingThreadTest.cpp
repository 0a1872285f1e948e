// The polling thread: its cycle against the simulated switch, the pause while
// a feature dialog runs, and stopping it, also while it or a walk is inside a
// request to a slow switch.
#include "PollingTestSupport.h"

#include "panel/CPanelDeviceThread.h"

namespace polling_test {

using namespace polling_test;

namespace {

inline const std::string kFanState = KorvelOid("10.76.19.1.1.15.1.0");

std::shared_ptr<CPanelDeviceThread> StartPolling(PolledPanel& panel)
{
    auto thread = std::make_shared<CPanelDeviceThread>();
    thread->SetOwner(panel.StatusPtr());
    EXPECT_TRUE(thread->CreateThread());
    return thread;
}

size_t ReadsSeen(const KorvelSimulator& sim)
{
    return LogLinesOf(sim, "GET").size() + LogLinesOf(sim, "GETNEXT").size();
}

// The window's side of ending: stop the thread, close the sessions, detach.
// Afterwards the owner must not be called again.
void EndLikeTheWindow(PolledPanel& panel, std::shared_ptr<CPanelDeviceThread>& thread, DWORD stopMs)
{
    thread->Stop(stopMs);
    thread.reset();
    panel.Status().End();
    panel.Owner().m_bGone = true;
}

} // namespace

TEST(PollingThread, FollowsTheSwitch)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    auto thread = StartPolling(panel);

    // The first cycle comes after half a second.
    ASSERT_TRUE(Eventually([&] { return panel.Led(2) == CPanelStatus::LED_GREEN; }, 4000));
    {
        std::lock_guard lock(panel.Status().Lock());
        EXPECT_EQ(panel.Status().m_bDeviceReachable, 1);
        EXPECT_EQ(panel.Status().m_strFanStatus, "1");
    }

    // Port 2 is switched off and the fan fails: the next cycle shows both.
    ASSERT_EQ(sim.Set(kIfAdminStatus + ".2", SnmpValueInteger, "2"), 0);
    ASSERT_EQ(sim.Set(kFanState, SnmpValueInteger, "2"), 0);
    const auto changed = Clock::now();
    ASSERT_TRUE(Eventually([&] { return panel.Led(2) == CPanelStatus::LED_DARK; }, 9000));
    EXPECT_GT(MsSince(changed), 0);
    EXPECT_EQ(panel.PortPart(1), PORTDISABLED);
    {
        std::lock_guard lock(panel.Status().Lock());
        EXPECT_EQ(panel.Status().m_strFanStatus, "2");
    }

    // Stopping in a wait is prompt.
    const auto start = Clock::now();
    EXPECT_TRUE(thread->Stop(1000));
    EXPECT_LT(MsSince(start), 500);
}

TEST(PollingThread, NothingIsSentWhileAFeatureDialogIsOpen)
{
    PolledSwitch polled(kBellis);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    panel.Status().m_bFeatureDialogOpen = 1;
    auto thread = StartPolling(panel);

    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_EQ(ReadsSeen(sim), 0u);

    panel.Status().m_bFeatureDialogOpen = 0;
    // The dialog closed during the cycle's wait: the next cycle reads again.
    EXPECT_TRUE(Eventually([&] { return ReadsSeen(sim) > 0; }, 7000));
    EXPECT_TRUE(thread->Stop(1000));
}

TEST(PollingThread, ThreadInsideASlowRequestIsLetGoSafely)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel* panel = &polled.panel;
    // A switch that has stopped answering: the cycle's reachability check
    // (1000 ms) and fan read (500 ms) fail, then the PoE read waits 5000 ms.
    ASSERT_TRUE(sim.SilenceFor(10000));
    auto thread = StartPolling(*panel);
    ASSERT_TRUE(Eventually([&] { return panel->Owner().Draws().size() >= 28; }, 4000));
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));

    std::weak_ptr<CPanelStatus> status = panel->StatusPtr();
    const auto start = Clock::now();
    EXPECT_FALSE(thread->Stop(100));
    EXPECT_LT(MsSince(start), 600);
    thread.reset();
    RecordingOwner& owner = panel->Owner();
    panel->Status().End();
    owner.m_bGone = true;
    panel->StatusPtr().reset();
    // The thread still holds the status; it lets go of it when its request
    // ends, without calling the window again.
    EXPECT_FALSE(status.expired());
    EXPECT_TRUE(CPanelDeviceThread::WaitForThreads(8000));
    EXPECT_TRUE(status.expired());
    EXPECT_EQ(owner.m_nCallsWhenGone, 0);
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(5000));
}

TEST(PollingThread, EndingDuringAWalkOnASlowSwitchIsClean)
{
    PolledSwitch polled(kBellis);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    ASSERT_TRUE(sim.SetReplyDelay(150));
    auto thread = StartPolling(panel);
    // A few rows into the interface walk.
    ASSERT_TRUE(Eventually([&] { return LogLinesOf(sim, "GETNEXT").size() >= 3; }, 5000));

    EndLikeTheWindow(panel, thread, 1000);
    const size_t rowsAtEnd = LogLinesOf(sim, "GETNEXT").size();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    // The walk stopped with the session: at most the row in flight went out.
    EXPECT_LE(LogLinesOf(sim, "GETNEXT").size(), rowsAtEnd + 1);
    EXPECT_EQ(panel.Owner().m_nCallsWhenGone, 0);
    EXPECT_LT(LogLinesOf(sim, "GETNEXT").size(), 28u);
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(5000));
}

TEST(PollingThread, NoWalkStartsAfterTheStopAndTheClose)
{
    // A thread that was let go comes back from opening a walk's session after
    // the window asked it to stop and closed the sessions: nothing goes out.
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    PolledPanel& panel = polled.panel;
    panel.Status().RequestStop();
    panel.Status().Close();
    panel.Status().GetDeviceValues();
    panel.Status().GetPOEPortStatus();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(LogLinesOf(polled.sim, "GETNEXT").size(), 0u);
    EXPECT_EQ(panel.Owner().m_nTimers, 0);
}

} // namespace polling_test
