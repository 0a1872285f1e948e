// The transfer's status poll when the switch goes quiet: time-outs counted
// before the transfer runs, not after; the overall time-out; an upgrade that
// ends in the switch's reboot; closing while a poll is out. These wait for
// the polls' 6 s time-outs, some with the window timers scaled down.
#include "firmware/FirmwareTestSupport.h"

#include "common/CCommonSNMP.h"

#include <algorithm>

using namespace firmwaretest;

namespace {

const std::string kConfigTimeout = "Get Config BackUp/Upgrade status Time Out !";

// Follows the largest count of poll time-outs while the test waits.
struct CountWatch
{
    int highest = 0;
    void Sample() { highest = std::max(highest, g_nStatusTimeoutCount.load()); }
};

} // namespace

// Three time-outs, then an answer: the count goes back to 0 and the transfer
// carries on to its end.
TEST_F(FirmwareTest, ThreePollTimeOutsThenAnAnswerResetTheCount)
{
    // Quiet for 15 s from the operation: polls at 0.3, 6.6 and 12.9 s time out.
    StartFirmwareSwitch("q:15000,4:500,3:500,1");
    SetWindowTimerScale(0.1);
    Boxes boxes;
    CountWatch count;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(Pump(
            [&] {
                count.Sample();
                return boxes.Count() >= 1 && InputsEnabled(d);
            },
            60000));
    });
    EXPECT_EQ(count.highest, 3);
    EXPECT_EQ(g_nStatusTimeoutCount, 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Success!"});
}

// The fourth time-out in a row before any "3" ends the transfer; the next
// transfer counts from 0 again, so its first time-out does not end it.
TEST_F(FirmwareTest, FourthTimeOutBeforeRunningEndsAndTheNextTransferCountsAfresh)
{
    StartFirmwareSwitch("q:21000,4");
    SetWindowTimerScale(0.1);
    Boxes boxes;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(WaitForEnd(d, boxes, 1, 60000));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kConfigTimeout});

        // The switch answers again; this transfer's first poll times out.
        ASSERT_TRUE(Pump([&] { return sim->Has(kConfig + ".6.0"); }, 10000));
        ASSERT_EQ(sim->Set(kSimTransferSteps, SnmpValueOctetString, "q:4000,1"), 0);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(WaitForEnd(d, boxes, 2, 30000));
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kConfigTimeout, "Success!"}));
}

// After a "3", time-outs are not counted: the poll goes on every 3 s (plus
// its 6 s) until the overall time-out of 150 s (here scaled to 30 s).
TEST_F(FirmwareTest, AfterRunningPollingGoesOnUntilTheOverallTimeOut)
{
    StartFirmwareSwitch("4:200,3:1000,q:120000");
    SetWindowTimerScale(0.2);
    Boxes boxes;
    RequestClock clock(*sim);
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(WaitForEnd(d, boxes, 1, 60000, &clock));
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                                 "Time out! Please check TFTP Server IP and network.\n You may close the current device "
                                 "Nimbex Module and implement 'Device Discovery'to restart it"});
    // Four unanswered polls (6 s each) did not end it: the overall time-out did.
    const auto operation = clock.Times("SET", kConfig + ".5.0|");
    ASSERT_EQ(operation.size(), 1u);
    EXPECT_GE(Ms(RequestClock::Clock::now() - operation[0]), 29000);
    EXPECT_EQ(g_nStatusTimeoutCount, 0);
    // The dialog is gone and its late replies with it.
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(15000));
}

// A firmware upgrade whose switch reboots at its end: the polls that time out
// in the silence are not counted, and the status "0" the switch comes back
// with is the success.
TEST_F(FirmwareTest, FirmwareUpgradeThroughTheRebootSilence)
{
    StartFirmwareSwitch("4:500,3:9000,r");
    ASSERT_EQ(sim->Set(kSimRebootMs, SnmpValueInteger, "10000"), 0);
    SetWindowTimerScale(0.5);
    Boxes boxes;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "image.bin", kUpgrade, kFirmwareFile);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(WaitForEnd(d, boxes, 2, 60000));
    });
    EXPECT_EQ(boxes.Texts().back(), "Success!");
    EXPECT_EQ(sim->Get(kFirmware + ".6.0"), "0");
    EXPECT_EQ(sim->Get(kConfig + ".6.0"), "0");
    // sysUpTime counts from the restart.
    std::string ticks;
    ASSERT_TRUE(sim->Get("1.3.6.1.2.1.1.3.0", ticks));
    EXPECT_LT(std::stol(ticks), 2000);
}

// The dialog closes (its close box) while a poll waits for a quiet switch:
// the sessions are closed, the late reply is dropped, no box comes.
TEST_F(FirmwareTest, ClosingDuringAPollDropsTheLateReply)
{
    StartFirmwareSwitch("q:20000,1");
    Boxes boxes;
    {
        CFirmDownLoad dialog;
        RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
            Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            ASSERT_TRUE(Pump([&] { return Requests("SET").size() == 3; }, 10000));
            PumpFor(3500); // the first poll is out
            d.EndDialog(IDCANCEL);
        });
    }
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(15000));
    PumpFor(500);
    EXPECT_EQ(boxes.Count(), 0u);
}

// A switch that stays preparing ("4"): polled every second without an overall
// time-out, while the bar stops at 89 (timers scaled: a poll each 50 ms).
TEST_F(FirmwareTest, PreparingForeverKeepsPollingAndTheBarStopsAt89)
{
    StartFirmwareSwitch("4");
    SetWindowTimerScale(0.05);
    Boxes boxes;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(Pump([&] { return Bar(d) == 89; }, 30000));
        const std::size_t polls = Requests("GET").size();
        // Several progress periods later: still 89, still polling, no end.
        PumpFor(1500);
        EXPECT_EQ(Bar(d), 89);
        EXPECT_GT(Requests("GET").size(), polls + 3);
        EXPECT_FALSE(Enabled(d, IDC_FIRM_APPLY));
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(boxes.Count(), 0u);
}

// The firmware's overall time-out (260 s, here scaled to 5.2 s) after the
// last "3", with its own text.
TEST_F(FirmwareTest, FirmwareOverallTimeOutAfterTheLastRunningAnswer)
{
    StartFirmwareSwitch("4:200,3:600,q:60000");
    SetWindowTimerScale(0.02);
    Boxes boxes;
    CFirmDownLoad dialog;
    RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "image.bin", kBackup, kFirmwareFile);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_TRUE(WaitForEnd(d, boxes, 1, 30000));
        EXPECT_EQ(Bar(d), 0);
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Time out! Please check TFTP Server IP and network."});
}
