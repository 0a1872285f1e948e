// The main window polling the simulated switch: its LEDs show the switch's
// ports and follow them, and it closes cleanly while a walk or a request to a
// slow switch is under way.
#include "LiveWindowSupport.h"

#include "panel/CPanelDeviceThread.h"

namespace polling_test {

using namespace polling_test;

namespace {

constexpr COLORREF kLedAmber = RGB(244, 158, 24);
constexpr COLORREF kLedDark = RGB(18, 18, 20);

} // namespace

TEST(LiveWindow, LedsShowAndFollowTheSwitchsPorts)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Puffin")});
    ASSERT_TRUE(sim.Running());
    RunLiveWindow(kPuffin, sim, [&](CKorvelModuleDlg& d) {
        // KSX-Puffin's data: port 2 up at 1 Gb/s, port 3 up at 100 Mb/s,
        // port 5 administratively down.
        ASSERT_TRUE(PumpUntil([&] { return LedOf(d, 2) == CPanelStatus::LED_GREEN; }, 5000));
        EXPECT_EQ(LedOf(d, 3), CPanelStatus::LED_AMBER);
        EXPECT_EQ(LedOf(d, 5), CPanelStatus::LED_DARK);
        d.Invalidate();
        EXPECT_EQ(LedPixel(d, 2), kLedAmber);
        EXPECT_EQ(LedPixel(d, 4), kLedDark);

        // Port 3 is switched off on the switch: the next cycle shows it.
        ASSERT_EQ(sim.Set(kIfAdminStatus + ".3", SnmpValueInteger, "2"), 0);
        ASSERT_TRUE(PumpUntil([&] { return LedOf(d, 3) == CPanelStatus::LED_DARK; }, 9000));
        d.Invalidate();
        EXPECT_EQ(LedPixel(d, 2), kLedDark);
    });
}

// A close that waited for the walk or the switch would take 5 s or more; the
// bound leaves room for a loaded machine.
constexpr long kPromptCloseMs = 3500;

TEST(LiveWindow, ClosingDuringAWalkOnASlowSwitchIsClean)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Bellis")});
    ASSERT_TRUE(sim.Running());
    ASSERT_TRUE(sim.SetReplyDelay(200));
    long closeMs = 0;
    const INT_PTR result = RunLiveWindow(
        kBellis, sim,
        [&](CKorvelModuleDlg& d) {
            // A few rows into the interface walk.
            ASSERT_TRUE(PumpUntil([&] { return LogLinesOf(sim, "GETNEXT").size() >= 3; }, 8000));
            const auto start = Clock::now();
            d.SendMessage(WM_CLOSE);
            closeMs = MsSince(start);
        },
        true);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_LT(closeMs, kPromptCloseMs);
    const size_t rows = LogLinesOf(sim, "GETNEXT").size();
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_LE(LogLinesOf(sim, "GETNEXT").size(), rows + 1);
    EXPECT_TRUE(CPanelDeviceThread::WaitForThreads(0));
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(5000));
}

TEST(LiveWindow, ClosingWhileThePollingWaitsForASilentSwitchIsPrompt)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Puffin")});
    ASSERT_TRUE(sim.Running());
    // The switch does not answer: the cycle's reachability check and fan read
    // fail, then its PoE read waits 5000 ms.
    ASSERT_TRUE(sim.SilenceFor(20000));
    long closeMs = 0;
    RunLiveWindow(
        kPuffin, sim,
        [&](CKorvelModuleDlg& d) {
            PumpUntil([] { return false; }, 2800);
            const auto start = Clock::now();
            d.SendMessage(WM_CLOSE);
            closeMs = MsSince(start);
        },
        true);
    // The window went after its 1000 ms wait for the polling thread; the
    // thread it let go ended before the run did (as before the application's
    // end).
    EXPECT_GE(closeMs, 900);
    EXPECT_LT(closeMs, kPromptCloseMs);
    EXPECT_TRUE(CPanelDeviceThread::WaitForThreads(0));
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(5000));
}

} // namespace polling_test
