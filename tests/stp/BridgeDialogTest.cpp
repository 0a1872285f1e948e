// The STP Global Settings dialog on the simulated switch: the settings shown,
// Apply's refusals, its write sequence with spanning tree on already, switched
// on and switched off, the loopback detection exclusion, MSTP, and a switch
// that does not answer.
#include "features/layer2/CPrivateSpanTBridge.h"
#include "stp/StpTestSupport.h"

using namespace stptest;

namespace {

constexpr int kSettingControls[] = {IDC_STP_VERSION, IDC_STP_PRIORITY,      IDC_STP_TX_HOLD,
                                    IDC_STP_MAX_AGE, IDC_STP_FORWARD_DELAY, IDC_STP_HELLO_TIME};

// The read has arrived: Apply is on.
bool WaitForRead(CWnd& d, std::size_t reads, const std::function<std::size_t()>& readsSoFar)
{
    return Pump([&] { return readsSoFar() >= reads && Enabled(d, IDOK); }, 10000);
}

struct Values
{
    const char *txHold, *maxAge, *forwardDelay, *helloTime;
};

void Type(CWnd& d, const Values& v)
{
    d.GetDlgItem(IDC_STP_TX_HOLD)->SetWindowText(v.txHold);
    d.GetDlgItem(IDC_STP_MAX_AGE)->SetWindowText(v.maxAge);
    d.GetDlgItem(IDC_STP_FORWARD_DELAY)->SetWindowText(v.forwardDelay);
    d.GetDlgItem(IDC_STP_HELLO_TIME)->SetWindowText(v.helloTime);
}

class BridgeDialogTest : public StpTest
{
protected:
    // The global reads so far: GETs that ask for the state among others.
    std::size_t Reads() const
    {
        std::size_t count = 0;
        for (const auto& request : Requests("GET"))
            if (request.size() == 12 && request[10] == Asked(kState))
                ++count;
        return count;
    }
    bool WaitForRead(CWnd& d, std::size_t reads) const
    {
        return ::WaitForRead(d, reads, [this] { return Reads(); });
    }
};

} // namespace

TEST_F(BridgeDialogTest, ShowsTheSwitchsSettingsInWholeSeconds)
{
    StartStpSwitch();
    BoxRecorder boxes;
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        EXPECT_EQ(d.GetWindowText(), "STP Global Settings");
        EXPECT_TRUE(Checked(d, IDC_STP_STATE));
        EXPECT_EQ(ComboSelection(d, IDC_STP_VERSION), "RSTP");
        EXPECT_EQ(Text(d, IDC_STP_PRIORITY), "32768");
        EXPECT_EQ(Text(d, IDC_STP_TX_HOLD), "6");
        EXPECT_EQ(Text(d, IDC_STP_MAX_AGE), "20");
        EXPECT_EQ(Text(d, IDC_STP_FORWARD_DELAY), "15");
        EXPECT_EQ(Text(d, IDC_STP_HELLO_TIME), "2");
        EXPECT_EQ(Text(d, IDC_STP_ROOT_BRIDGE), "80:00:00:11:22:33:44:55");
        EXPECT_EQ(Text(d, IDC_STP_ROOT_COST), "0");
        EXPECT_EQ(Text(d, IDC_STP_ROOT_PORT), "0");
        EXPECT_EQ(Text(d, IDC_STP_ROOT_MAX_AGE), "20");
        EXPECT_EQ(Text(d, IDC_STP_ROOT_FORWARD_DELAY), "15");
        for (int id : kSettingControls)
            EXPECT_TRUE(Enabled(d, id)) << id;
        EXPECT_TRUE(Enabled(d, IDC_STP_PORT_SETTING));

        // The box switches the settings, not the port table's button.
        ClickButton(d, IDC_STP_STATE);
        for (int id : kSettingControls)
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Enabled(d, IDC_STP_PORT_SETTING));
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(Sets().empty());
}

TEST_F(BridgeDialogTest, ApplyRefusesValuesOutOfRangeWithTheirMessageAndWritesNothing)
{
    const std::string holdCount = "Invalid Transmit Hold Count(1-10).";
    const std::string age = "Invalid Age Time value, the valid Age Time range is  (6-40)s !";
    const std::string delay = "Invalid Forward Delay value, the valid Forward Delay range is (4-30)s !";
    const std::string hello = "Invalid Hello Time value, the valid Hello Time range is (1-10)s !";
    const std::string helloAge = "To set the parameters Hello Time and Max Age the following relation is to be "
                                 "satisfied: \nMax Age >= (2*(Hello Time + 1.0))";
    const std::string delayAge = "To set the parameters Forward Delay and Max Age, the following relation is to be "
                                 "satisfied: \n2*(Forward Delay - 1) >= Max Age";
    struct Case
    {
        Values values;
        std::string message;
    };
    const Case cases[] = {
        {{"0", "20", "15", "2"}, holdCount},  {{"11", "20", "15", "2"}, holdCount},
        {{"x", "20", "15", "2"}, holdCount},  {{"6", "5", "15", "2"}, age},
        {{"6", "41", "25", "2"}, age},        {{"6", "", "15", "2"}, age},
        {{"6", "20", "3", "2"}, delay},       {{"6", "20", "31", "2"}, delay},
        {{"6", "20", "15", "0"}, hello},      {{"6", "20", "15", "11"}, hello},
        {{"6", "7", "15", "3"}, helloAge},    {{"6", "7", "4", "2"}, delayAge},
    };
    StartStpSwitch();
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.values.txHold) + "/" + c.values.maxAge + "/" + c.values.forwardDelay + "/" +
                         c.values.helloTime);
            BoxRecorder boxes;
            Type(d, c.values);
            ClickButton(d, IDOK);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
    });
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(GetsBelow(kLbdPortColumn), 0u);
}

TEST_F(BridgeDialogTest, WithSpanningTreeOnApplyWritesTheTimersInItsOrderAndNoState)
{
    StartStpSwitch();
    BoxRecorder boxes;
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        // The boundaries: 6 >= 2 * (2 + 1) and 2 * (4 - 1) >= 6.
        Type(d, {"10", "6", "4", "2"});
        d.GetDlgItem(IDC_STP_PRIORITY)->SetWindowText("4096");
        ChooseInCombo(d, IDC_STP_VERSION, 0);
        ClickButton(d, IDOK);
        ASSERT_TRUE(WaitForRead(d, 2));
        EXPECT_EQ(Text(d, IDC_STP_MAX_AGE), "6");
        EXPECT_EQ(Text(d, IDC_STP_FORWARD_DELAY), "4");
        EXPECT_EQ(ComboSelection(d, IDC_STP_VERSION), "STP");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Sets(), (RequestList{{Int(kHello, "100"), Int(kForwardDelay, "3000")},
                                   {Int(kTxHold, "10")},
                                   {Int(kMaxAge, "600")},
                                   {Int(kForwardDelay, "400")},
                                   {Int(kHello, "200")},
                                   {Int(kPriority, "4096"), Int(kVersion, "0")}}));
    EXPECT_EQ(GetsBelow(kKorvel + ".17"), 0u);
    EXPECT_EQ(sim->Get(kPriority), "4096");
}

TEST_F(BridgeDialogTest, SwitchingOnIsRefusedWhileLoopbackDetectionRunsOnAPort)
{
    StartStpSwitch();
    SetInt(kState, 2);
    SetInt(kLbdGlobal, 1);
    SetInt(LbdPort(5), 1);
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        EXPECT_FALSE(Checked(d, IDC_STP_STATE));
        for (int id : kSettingControls)
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_SETTING));

        BoxRecorder boxes;
        ClickButton(d, IDC_STP_STATE);
        ClickButton(d, IDOK);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{
                      "STP port can not support Spanning Tree and LBD-enabled mode at the same time."});
    });
    EXPECT_TRUE(Sets().empty());
    // The ports up to the first with loopback detection.
    EXPECT_EQ(GetsBelow(kLbdPortColumn), 5u);
    EXPECT_EQ(sim->Get(kState), "2");
}

TEST_F(BridgeDialogTest, SwitchingOnWithLoopbackDetectionOffReadsNoPortAndWritesTheStateFirst)
{
    StartStpSwitch();
    SetInt(kState, 2);
    SetInt(LbdPort(5), 1); // not looked at: disabled globally
    BoxRecorder boxes;
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        ClickButton(d, IDC_STP_STATE);
        ClickButton(d, IDOK);
        ASSERT_TRUE(WaitForRead(d, 2));
        EXPECT_TRUE(Checked(d, IDC_STP_STATE));
        EXPECT_TRUE(Enabled(d, IDC_STP_PORT_SETTING));
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(GetsBelow(kLbdPortColumn), 0u);
    EXPECT_EQ(GetsBelow(kKorvel + ".17.1"), 1u);
    const RequestList sets = Sets();
    ASSERT_EQ(sets.size(), 7u);
    EXPECT_EQ(sets[0], std::vector<std::string>{Int(kState, "1")});
    EXPECT_EQ(sets[1], (std::vector<std::string>{Int(kHello, "100"), Int(kForwardDelay, "3000")}));
    EXPECT_EQ(sets[6], (std::vector<std::string>{Int(kPriority, "32768"), Int(kVersion, "2")}));
    EXPECT_EQ(sim->Get(kState), "1");
}

TEST_F(BridgeDialogTest, UncheckingWritesOnlyTheStateAndCheckingAgainWritesItAgain)
{
    StartStpSwitch();
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        ClickButton(d, IDC_STP_STATE);
        Type(d, {"1", "40", "30", "1"}); // not written
        ClickButton(d, IDOK);
        ASSERT_TRUE(WaitForRead(d, 2));
        EXPECT_FALSE(Checked(d, IDC_STP_STATE));
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_SETTING));
        EXPECT_EQ(Sets(), RequestList{{Int(kState, "2")}});

        // The switch has it off now: checking the box writes the state again.
        ClickButton(d, IDC_STP_STATE);
        ClickButton(d, IDOK);
        ASSERT_TRUE(WaitForRead(d, 3));
        EXPECT_TRUE(Checked(d, IDC_STP_STATE));
    });
    const RequestList sets = Sets();
    ASSERT_GE(sets.size(), 2u);
    EXPECT_EQ(sets[1], std::vector<std::string>{Int(kState, "1")});
    EXPECT_EQ(sim->Get(kState), "1");
}

TEST_F(BridgeDialogTest, MstpShowsNoVersionAndApplyWritesThePriorityAlone)
{
    StartStpSwitch({Fixture("mstp.snmprec")});
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        EXPECT_EQ(Item<CComboBox>(d, IDC_STP_VERSION).GetCurSel(), CB_ERR);
        EXPECT_FALSE(Enabled(d, IDC_STP_HELLO_TIME));
        // Six octets are no bridge identifier.
        EXPECT_EQ(Text(d, IDC_STP_ROOT_BRIDGE), "");
        ClickButton(d, IDOK);
        ASSERT_TRUE(WaitForRead(d, 2));
    });
    const RequestList sets = Sets();
    ASSERT_EQ(sets.size(), 6u);
    EXPECT_EQ(sets.back(), std::vector<std::string>{Int(kPriority, "32768")});
    EXPECT_EQ(sim->Get(kVersion), "3");
}

TEST_F(BridgeDialogTest, APriorityThatIsNoNumberIsRefused)
{
    StartStpSwitch();
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        ASSERT_TRUE(WaitForRead(d, 1));
        BoxRecorder boxes;
        d.GetDlgItem(IDC_STP_PRIORITY)->SetWindowText("high");
        ClickButton(d, IDOK);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Invalid Bridge Priority."});
    });
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(sim->Get(kPriority), "32768");
}

TEST_F(BridgeDialogTest, WithoutARead_ApplyStaysOffAndTheFailedReadIsSaidOnce)
{
    StartStpSwitch();
    g_strTimeout = "300";
    ASSERT_TRUE(sim->SilenceFor(4000));
    BoxRecorder boxes;
    CPrivateSpanTBridge dialog;
    RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
        PumpFor(800);
        EXPECT_FALSE(Enabled(d, IDOK));
        EXPECT_EQ(Text(d, IDC_STP_ROOT_BRIDGE), "");
        // Once the switch answers again, Refresh brings the values.
        PumpFor(3500);
        ClickButton(d, IDC_STP_REFRESH);
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDOK); }, 10000));
        EXPECT_EQ(Text(d, IDC_STP_TX_HOLD), "6");
    });
    EXPECT_TRUE(Sets().empty());
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "The spanning tree settings could not be read from the switch.");
}

// A write the switch refuses or leaves unanswered ends the Apply there, and
// the one message names it and what was written before it.
TEST_F(BridgeDialogTest, AFailedTimerWriteEndsTheApplyAndIsSaid)
{
    struct Case
    {
        const char* name;
        std::string refusedOid; // empty: the switch falls silent instead
        std::size_t setsSent;   // distinct requests the switch took in
        const char* message;
    };
    const Case cases[] = {
        {"max age refused", kMaxAge, 3,
         "Could not write the Max Age: the switch refused it (bad value).\n"
         "The interim Hello Time and Forward Delay and the Transmit Hold Count were written; nothing after them "
         "was."},
        // A silent switch keeps no record of what it was sent.
        {"silent", "", 0,
         "Could not write the interim Hello Time and Forward Delay: the switch did not answer.\nNothing was "
         "written."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartStpSwitch();
        g_strTimeout = "500";
        BoxRecorder boxes;
        CPrivateSpanTBridge dialog;
        RunModal<CPrivateSpanTBridge>(dialog, [&](CPrivateSpanTBridge& d) {
            ASSERT_TRUE(WaitForRead(d, 1));
            Type(d, {"10", "6", "4", "2"});
            if (c.refusedOid.empty())
                ASSERT_TRUE(sim->SilenceFor(3000));
            else
                ASSERT_TRUE(sim->RefuseNextSet(c.refusedOid, 10));
            ClickButton(d, IDOK);
        });
        const auto calls = boxes.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, c.message);
        // Retries of one request repeat its bindings; nothing after the failed one was sent.
        RequestList sets = Sets();
        sets.erase(std::unique(sets.begin(), sets.end()), sets.end());
        EXPECT_EQ(sets.size(), c.setsSent);
    }
}
