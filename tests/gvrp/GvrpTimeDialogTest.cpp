// The GVRP Global Settings dialog on the simulated switch: the state and
// timers shown, timers written, each timer refusal, switching GVRP off and on,
// a state that cannot be read, and closing while the read runs.
#include "features/ports_vlans/CGVRPTime.h"
#include "gvrp/GvrpTestSupport.h"
#include "resources/ports_vlans.h"

namespace gvrp_test {

using namespace gvrptest;

namespace {

constexpr int kTimerEdits[] = {IDC_GVRPTIME_JOIN, IDC_GVRPTIME_LEAVE, IDC_GVRPTIME_LEAVEALL};
constexpr int kButtons[] = {IDC_GVRPTIME_APPLY, IDC_GVRPTIME_REFRESH, IDC_GVRPTIME_CLOSE};

// The global read has arrived: the buttons are back.
bool WaitForRead(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_GVRPTIME_APPLY) && Enabled(d, IDC_GVRPTIME_CLOSE); }, 10000);
}

std::string Timers(CWnd& d)
{
    return d.GetDlgItem(IDC_GVRPTIME_JOIN)->GetWindowText() + "/" + d.GetDlgItem(IDC_GVRPTIME_LEAVE)->GetWindowText() +
           "/" + d.GetDlgItem(IDC_GVRPTIME_LEAVEALL)->GetWindowText();
}

void TypeTimers(CWnd& d, const std::string& join, const std::string& leave, const std::string& leaveAll)
{
    d.GetDlgItem(IDC_GVRPTIME_JOIN)->SetWindowText(join);
    d.GetDlgItem(IDC_GVRPTIME_LEAVE)->SetWindowText(leave);
    d.GetDlgItem(IDC_GVRPTIME_LEAVEALL)->SetWindowText(leaveAll);
}

class GvrpTimeDialogTest : public GvrpTest
{
};

} // namespace

TEST_F(GvrpTimeDialogTest, ShowsTheStateAndTimersAndWritesNewTimers)
{
    StartGvrpSwitch();
    BoxRecorder boxes;
    CGVRPTime dialog;
    RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(d.GetWindowText(), "GVRP Global Settings");
        EXPECT_TRUE(Checked(d, IDC_GVRPTIME_ENABLED));
        EXPECT_FALSE(Checked(d, IDC_GVRPTIME_DISABLED));
        EXPECT_EQ(Timers(d), "200/600/10000");
        for (int id : kTimerEdits)
            EXPECT_TRUE(Enabled(d, id)) << id;
        EXPECT_FALSE(d.GetDlgItem(IDC_GVRPTIME_APPLY_HIDDEN)->IsWindowVisible());

        TypeTimers(d, "200", "401", "402");
        ClickButton(d, IDC_GVRPTIME_APPLY);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(Timers(d), "200/401/402");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Sets(),
              (std::vector<std::vector<std::string>>{{kJoin + "|2|200", kLeave + "|2|401", kLeaveAll + "|2|402"}}));
    EXPECT_EQ(sim->Get(kLeave), "401");
    EXPECT_EQ(sim->Get(kLeaveAll), "402");
}

// On the demo's switch of a 28-port and a 52-port model, Apply with nothing
// changed writes the timers back without a refusal.
TEST_F(GvrpTimeDialogTest, OnTheSampleModelsApplyUnchangedSucceeds)
{
    for (const auto& [model, ports] : {std::pair<const char*, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        StartModelSwitch(model, ports);
        const std::string timers = sim->Get(kJoin) + "/" + sim->Get(kLeave) + "/" + sim->Get(kLeaveAll);
        BoxRecorder boxes;
        CGVRPTime dialog;
        RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
            ASSERT_TRUE(WaitForRead(d));
            EXPECT_EQ(Timers(d), timers);
            ClickButton(d, IDC_GVRPTIME_APPLY);
            ASSERT_TRUE(WaitForRead(d));
        });
        for (const MessageBoxCall& box : boxes.Calls())
            ADD_FAILURE() << box.text;
        EXPECT_EQ(Sets().size(), 1U);
        EXPECT_EQ(sim->Get(kJoin) + "/" + sim->Get(kLeave) + "/" + sim->Get(kLeaveAll), timers);
    }
}

TEST_F(GvrpTimeDialogTest, TimerRefusalsShowTheirMessageAndWriteNothing)
{
    struct Case
    {
        const char *join, *leave, *leaveAll, *message;
    };
    const Case cases[] = {
        {"", "600", "10000", "Join Time(100-100000)."},
        {"200", "100001", "200000", "Leave Time(100-100000)."},
        {"200", "600", "99", "Leave_All Time(100-100000)."},
        {"200", "400", "10000", "Leave Time should be greater than 2*Join Time."},
        {"200", "401", "401", "Leave_All Time should be greater than Leave Time. "},
    };
    StartGvrpSwitch();
    CGVRPTime dialog;
    RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
        ASSERT_TRUE(WaitForRead(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.message);
            BoxRecorder boxes;
            TypeTimers(d, c.join, c.leave, c.leaveAll);
            ClickButton(d, IDC_GVRPTIME_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            // The dialog reads the switch again: its own values come back.
            ASSERT_TRUE(WaitForRead(d));
            EXPECT_EQ(Timers(d), "200/600/10000");
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(GvrpTimeDialogTest, SwitchingGvrpOffWritesTheStateOnlyAndOnAgainTheTimersToo)
{
    StartGvrpSwitch();
    CGVRPTime dialog;
    RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
        ASSERT_TRUE(WaitForRead(d));
        ClickButton(d, IDC_GVRPTIME_DISABLED);
        for (int id : kTimerEdits)
            EXPECT_FALSE(Enabled(d, id)) << id;
        TypeTimers(d, "1", "1", "1"); // not looked at
        ClickButton(d, IDC_GVRPTIME_APPLY);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_TRUE(Checked(d, IDC_GVRPTIME_DISABLED));
        EXPECT_FALSE(Checked(d, IDC_GVRPTIME_ENABLED));
        EXPECT_EQ(Timers(d), "200/600/10000");
        for (int id : kTimerEdits)
            EXPECT_FALSE(Enabled(d, id)) << id;
        for (int id : kButtons)
            EXPECT_TRUE(Enabled(d, id)) << id;

        // Disabled again: nothing to write.
        ClickButton(d, IDC_GVRPTIME_APPLY);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_EQ(Sets().size(), 1U);

        ClickButton(d, IDC_GVRPTIME_ENABLED);
        for (int id : kTimerEdits)
            EXPECT_TRUE(Enabled(d, id)) << id;
        TypeTimers(d, "300", "700", "900");
        ClickButton(d, IDC_GVRPTIME_APPLY);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_TRUE(Checked(d, IDC_GVRPTIME_ENABLED));
        EXPECT_EQ(Timers(d), "300/700/900");
    });
    EXPECT_EQ(Sets(),
              (std::vector<std::vector<std::string>>{
                  {kState + "|2|2"}, {kState + "|2|1", kJoin + "|2|300", kLeave + "|2|700", kLeaveAll + "|2|900"}}));
    EXPECT_EQ(sim->Get(kState), "1");
}

TEST_F(GvrpTimeDialogTest, WithoutTheStateNothingCanBeApplied)
{
    StartGvrpSwitch();
    g_strTimeout = "300";
    // Silent for longer than opening the dialog may take on a loaded machine.
    ASSERT_TRUE(sim->SilenceFor(4000));
    BoxRecorder boxes;
    CGVRPTime dialog;
    RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
        EXPECT_FALSE(Checked(d, IDC_GVRPTIME_ENABLED));
        EXPECT_FALSE(Checked(d, IDC_GVRPTIME_DISABLED));
        EXPECT_FALSE(Enabled(d, IDC_GVRPTIME_APPLY));
        EXPECT_TRUE(Enabled(d, IDC_GVRPTIME_REFRESH));
        EXPECT_TRUE(Enabled(d, IDC_GVRPTIME_CLOSE));
        for (int id : kTimerEdits)
            EXPECT_FALSE(Enabled(d, id)) << id;

        // Once the switch answers, Refresh brings everything back.
        ASSERT_TRUE(Pump(
            [&] {
                std::string state;
                return sim->Get(kState, state, 200);
            },
            20000));
        ClickButton(d, IDC_GVRPTIME_REFRESH);
        ASSERT_TRUE(WaitForRead(d));
        EXPECT_TRUE(Checked(d, IDC_GVRPTIME_ENABLED));
        EXPECT_EQ(Timers(d), "200/600/10000");
    });
    EXPECT_TRUE(Sets().empty());
    // The opening's failed read is said; the Refresh that read is not.
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The GVRP settings could not be read from the switch."});
}

TEST_F(GvrpTimeDialogTest, AFailedGlobalReadGivesBackRefreshAndCloseButNotApply)
{
    // The state reads; the read of the state with the timers is refused.
    StartSwitch(
        {KorvelSimulator::BaseData(), std::string(KORVEL_SOURCE_DIR) + "/tests/gvrp/fixtures/gvrp-state-only.snmprec"},
        28);
    BoxRecorder boxes;
    CGVRPTime dialog;
    const INT_PTR result = RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
        for (int turn = 0; turn < 2; ++turn) {
            SCOPED_TRACE(turn);
            if (turn == 1) {
                ClickButton(d, IDC_GVRPTIME_REFRESH);
                EXPECT_FALSE(Enabled(d, IDC_GVRPTIME_CLOSE));
            }
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_GVRPTIME_CLOSE); }, 10000));
            EXPECT_TRUE(Enabled(d, IDC_GVRPTIME_REFRESH));
            EXPECT_FALSE(Enabled(d, IDC_GVRPTIME_APPLY));
            EXPECT_TRUE(Checked(d, IDC_GVRPTIME_ENABLED));
            EXPECT_EQ(Timers(d), "//");
        }
        ClickButton(d, IDC_GVRPTIME_CLOSE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Sets().empty());
    // Said once for the opening and once for the Refresh.
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>(2, "The GVRP settings could not be read from the switch."));
}

TEST_F(GvrpTimeDialogTest, ClosingWhileTheGlobalReadRunsIsClean)
{
    StartGvrpSwitch();
    for (int wait : {0, 200}) {
        SCOPED_TRACE(wait);
        CGVRPTime dialog;
        RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
            ASSERT_TRUE(WaitForRead(d));
            // The state is read; the timers' read is still on its way.
            ASSERT_TRUE(sim->SetReplyDelay(400));
            ClickButton(d, IDC_GVRPTIME_REFRESH);
            PumpFor(wait);
            EXPECT_FALSE(Enabled(d, IDC_GVRPTIME_CLOSE));
            dialog.EndDialog(IDCANCEL);
        });
        ASSERT_TRUE(sim->SetReplyDelay(0));
    }
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace gvrp_test
