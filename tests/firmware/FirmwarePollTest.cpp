// The transfer's status poll when the switch goes quiet: time-outs counted
// before the transfer runs, not after; the overall time-out from the start; a
// restart during the transfer; Enter and Escape while it runs; closing while
// a poll is out. These wait for
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
    // The overall time-out runs from the start: kept at its real length
    // under the scale, it is no part of this test.
    dialog.m_nOverallConfigMs *= 10;
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
    dialog.m_nOverallConfigMs *= 10;
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

// A firmware upgrade whose switch restarts before it reports the end: the
// polls that time out in the silence are not counted, and the status "0" the
// restarted switch reads (its uptime gone back) is no success: the result is
// unknown.
TEST_F(FirmwareTest, ARestartDuringTheTransferEndsWithTheResultUnknown)
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
    EXPECT_EQ(boxes.Texts().back(), "The switch restarted during the transfer. The result of the transfer is unknown.");
    // Each poll read the uptime with the status.
    for (const auto& get : Requests("GET"))
        EXPECT_EQ(get, (std::vector<std::string>{kFirmware + ".6.0|5|", "1.3.6.1.2.1.1.3.0|5|"}));
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

// A switch that stays preparing ("4") or running ("3"): the overall time-out,
// which runs from the operation whatever the status (shortened here through
// the dialog's own member), ends the transfer.
TEST_F(FirmwareTest, AStuckTransferEndsAtTheOverallTimeOut)
{
    for (const char* steps : {"4", "4:200,3"}) {
        SCOPED_TRACE(steps);
        StartFirmwareSwitch(steps);
        Boxes boxes;
        CFirmDownLoad dialog;
        dialog.m_nOverallConfigMs = 5000;
        RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
            boxes.Watch(&d);
            Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            ASSERT_TRUE(WaitForEnd(d, boxes, 1, 30000));
            EXPECT_EQ(Bar(d), 0);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                                     "Time out! Please check TFTP Server IP and network.\n You may close the current "
                                     "device Nimbex Module and implement 'Device Discovery'to restart it"});
        EXPECT_GE(Requests("GET").size(), 1u);
        sim.reset();
    }
}

// Enter, Escape and the close box do not end the dialog while a transfer is
// followed; once it has ended, Escape does.
TEST_F(FirmwareTest, EnterAndEscapeDuringATransferKeepTheDialog)
{
    StartFirmwareSwitch("4:300,3:1500,1");
    Boxes boxes;
    CFirmDownLoad dialog;
    const INT_PTR result = RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
        boxes.Watch(&d);
        Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
        ClickButton(d, IDC_FIRM_APPLY);
        ASSERT_FALSE(InputsEnabled(d));
        SendKey(d.GetWidget(), Qt::Key_Return);
        SendKey(d.GetWidget(), Qt::Key_Escape);
        d.SendMessage(WM_CLOSE, 0, 0);
        PumpFor(200);
        ASSERT_TRUE(IsWindow(d.GetSafeHwnd()));
        ASSERT_TRUE(WaitForEnd(d, boxes, 1, 30000));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Success!"});
        SendKey(d.GetWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// The firmware's overall time-out (260 s from the operation, here scaled to
// 5.2 s), with its own text.
TEST_F(FirmwareTest, FirmwareOverallTimeOutHasItsOwnText)
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

// Status replies that succeed but carry no bindings are failed polls: before
// the switch has said "3" the fourth in a row ends the transfer with the
// poll's time-out message, after it the overall time-out (shortened through
// the dialog's own member) does. Either way well within the overall
// time-out, and the dialog is free again: its inputs are back and Escape
// closes it.
TEST_F(FirmwareTest, StatusRepliesWithoutBindingsEndTheTransfer)
{
    const std::string kOverallTimeout =
        "Time out! Please check TFTP Server IP and network.\n You may close the current "
        "device Nimbex Module and implement 'Device Discovery'to restart it";
    struct Case
    {
        const char* name;
        const char* steps;
        bool afterRunning; // the replies lose their bindings once a "3" was read
        UINT overallMs;
        std::string message;
    };
    const Case cases[] = {
        {"from the first poll", "4", false, 30000, kConfigTimeout},
        {"after running", "3", true, 9000, kOverallTimeout},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartFirmwareSwitch(c.steps);
        if (!c.afterRunning) {
            ASSERT_EQ(sim->Set(kSimEmptyReplyOid, SnmpValueObjectId, kConfig + ".6.0"), 0);
        }
        Boxes boxes;
        RequestClock clock(*sim);
        CFirmDownLoad dialog;
        dialog.m_nOverallConfigMs = c.overallMs;
        const INT_PTR result = RunModal<CFirmDownLoad>(dialog, [&](CFirmDownLoad& d) {
            boxes.Watch(&d);
            Fill(d, "192.168.1.5", "a.cfg", kBackup, kConfiguration);
            ClickButton(d, IDC_FIRM_APPLY);
            if (c.afterRunning) {
                // The first poll reads "3"; every later one reads nothing.
                ASSERT_TRUE(Pump(
                    [&] {
                        clock.Sample();
                        return !clock.Times("GET", kConfig + ".6.0|").empty();
                    },
                    10000));
                ASSERT_EQ(sim->Set(kSimEmptyReplyOid, SnmpValueObjectId, kConfig + ".6.0"), 0);
            }
            ASSERT_TRUE(WaitForEnd(d, boxes, 1, 40000, &clock));
            EXPECT_EQ(Bar(d), 0);
            SendKey(d.GetWidget(), Qt::Key_Escape);
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        const auto operation = clock.Times("SET", kConfig + ".5.0|");
        const auto polls = clock.Times("GET", kConfig + ".6.0|");
        ASSERT_EQ(operation.size(), 1u);
        EXPECT_GE(polls.size(), c.afterRunning ? 2u : 4u);
        // Ended by the polls, or by the overall time-out and no later.
        const long took = Ms(RequestClock::Clock::now() - operation[0]);
        EXPECT_LT(took, static_cast<long>(c.overallMs) + 2000);
        if (c.afterRunning) {
            EXPECT_GE(took, static_cast<long>(c.overallMs) - 500);
        }
        EXPECT_TRUE(CCommonSNMP::WaitForWorkers(15000));
        sim.reset();
    }
}
