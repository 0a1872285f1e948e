// The 802.1X global settings on the simulated switch: what each state shows,
// which changes Apply writes in its one SET (and which it leaves out), and
// Apply refused after a failed read.
#include "dot1x/Dot1xTestSupport.h"
#include "features/security/C8021XGlobalDlg.h"
#include "platform/ui/CButton.h"
#include "resources/dot1x.h"

namespace dot1x_test {

using namespace dot1xtest;

namespace {

bool Checked(CWnd& d, int id)
{
    return Item<CButton>(d, id).GetCheck() == BST_CHECKED;
}

class GlobalDialogTest : public Dot1xTest
{
};

} // namespace

TEST_F(GlobalDialogTest, ShowsTheSwitchsValuesAndEnablesByTheState)
{
    struct Case
    {
        std::string state, forward, protocol;
        bool authEnabled, forwardEnabled;
        std::string protocolShown;
    };
    const Case cases[] = {
        {"1", "2", "1", true, false, "RADIUS"},
        {"2", "1", "2", false, true, "Local"},
    };
    StartDot1xSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + c.state);
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, c.state), 0);
        ASSERT_EQ(sim->Set(kForward, SnmpValueInteger, c.forward), 0);
        ASSERT_EQ(sim->Set(kProtocol, SnmpValueInteger, c.protocol), 0);
        C8021XGlobalDlg dialog;
        RunModal<C8021XGlobalDlg>(dialog, [&](C8021XGlobalDlg& d) {
            EXPECT_EQ(d.GetWindowText(), "802.1X Global Settings ");
            EXPECT_EQ(Checked(d, IDC_8021X_AUTH_ENABLED), c.authEnabled);
            EXPECT_EQ(Checked(d, IDC_8021X_AUTH_DISABLED), !c.authEnabled);
            EXPECT_EQ(Checked(d, IDC_8021X_FORWARD_ENABLED), c.forward == "1");
            EXPECT_EQ(Checked(d, IDC_8021X_FORWARD_DISABLED), c.forward != "1");
            EXPECT_EQ(ComboSelection(d, IDC_8021X_PROTOCOL), c.protocolShown);
            EXPECT_EQ(Enabled(d, IDC_8021X_PROTOCOL), c.authEnabled);
            EXPECT_EQ(Enabled(d, IDC_8021X_FORWARD_ENABLED), c.forwardEnabled);
            EXPECT_EQ(Enabled(d, IDC_8021X_FORWARD_DISABLED), c.forwardEnabled);
        });
    }
    EXPECT_TRUE(Sets(6).empty()); // the test's own six
}

TEST_F(GlobalDialogTest, ApplyWritesOnlyTheChangesThatGoWithTheNewState)
{
    struct Case
    {
        const char* name;
        std::string state; // the switch's state before
        std::vector<int> clicks;
        int protocolItem;  // -1 leaves the combo
        std::vector<std::string> expected; // the one SET, empty for none
        std::string stateAfter;
    };
    const Case cases[] = {
        {"off with forwarding in one request", "1", {IDC_8021X_AUTH_DISABLED, IDC_8021X_FORWARD_ENABLED}, -1,
         {kState + "|2|2", kForward + "|2|1"}, "2"},
        {"protocol alone while disabled", "2", {}, 0, {}, "2"},
        {"nothing changed", "1", {}, -1, {}, "1"},
        {"on with the protocol", "2", {IDC_8021X_AUTH_ENABLED}, 1, {kState + "|2|1", kProtocol + "|2|2"}, "1"},
        {"protocol alone while enabled", "1", {}, 1, {kProtocol + "|2|2"}, "1"},
    };
    StartDot1xSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, c.state), 0);
        ASSERT_EQ(sim->Set(kForward, SnmpValueInteger, "2"), 0);
        ASSERT_EQ(sim->Set(kProtocol, SnmpValueInteger, "1"), 0);
        const std::size_t before = Requests("SET").size();
        BoxRecorder boxes;
        C8021XGlobalDlg dialog;
        RunModal<C8021XGlobalDlg>(dialog, [&](C8021XGlobalDlg& d) {
            for (int id : c.clicks)
                ClickButton(d, id);
            if (c.protocolItem >= 0)
                Item<CComboBox>(d, IDC_8021X_PROTOCOL).SetCurSel(c.protocolItem);
            const std::size_t gets = Requests("GET").size();
            ClickButton(d, IDOK);
            // Apply reads the three values again.
            EXPECT_EQ(Requests("GET").size(), gets + 3);
            EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
        });
        const auto sets = Sets(before);
        if (c.expected.empty())
            EXPECT_TRUE(sets.empty());
        else
            EXPECT_EQ(sets, std::vector<std::vector<std::string>>{c.expected});
        EXPECT_EQ(sim->Get(kState), c.stateAfter);
        EXPECT_TRUE(boxes.Calls().empty());
    }
}

TEST_F(GlobalDialogTest, AfterAFailedReadApplyIsRefusedAndWritesNothing)
{
    StartDot1xSwitch({FixtureData("dot1x-no-state.snmprec")});
    BoxRecorder boxes;
    C8021XGlobalDlg dialog;
    RunModal<C8021XGlobalDlg>(dialog, [&](C8021XGlobalDlg& d) {
        // An unread state is unknown: no radio, the protocol combo off, the
        // forward radios as they were; the failed read is said once.
        EXPECT_FALSE(Checked(d, IDC_8021X_AUTH_DISABLED));
        EXPECT_FALSE(Checked(d, IDC_8021X_AUTH_ENABLED));
        EXPECT_FALSE(Enabled(d, IDC_8021X_PROTOCOL));
        EXPECT_TRUE(Enabled(d, IDC_8021X_FORWARD_ENABLED));
        ClickButton(d, IDC_8021X_FORWARD_ENABLED);
        ClickButton(d, IDOK);
        EXPECT_EQ(boxes.Texts(),
                  (std::vector<std::string>{
                      "The 802.1X settings could not be read from the switch.",
                      "The 802.1X settings could not be read from the switch. Press Refresh and try again."}));
    });
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(sim->Get(kForward), "2");
}

// A state outside its set, or of another type, is unknown: no radio, and
// Apply refused; a switch that does not answer costs one GET's time-out
// before the dialog shows, and is said once.
TEST_F(GlobalDialogTest, AnUnknownStateIsShownAsNoneAndADeadSwitchCostsOneTimeOut)
{
    const std::pair<int, std::string> states[] = {{SnmpValueInteger, "0"}, {SnmpValueInteger, "2147483647"}};
    for (const auto& [type, value] : states) {
        SCOPED_TRACE(value);
        StartDot1xSwitch();
        ASSERT_EQ(sim->Set(kState, type, value), 0);
        BoxRecorder boxes;
        C8021XGlobalDlg dialog;
        RunModal<C8021XGlobalDlg>(dialog, [&](C8021XGlobalDlg& d) {
            EXPECT_FALSE(Checked(d, IDC_8021X_AUTH_ENABLED));
            EXPECT_FALSE(Checked(d, IDC_8021X_AUTH_DISABLED));
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(boxes.Texts(),
                  (std::vector<std::string>{
                      "The 802.1X settings could not be read from the switch.",
                      "The 802.1X settings could not be read from the switch. Press Refresh and try again."}));
        EXPECT_TRUE(Sets(1).empty()); // past the test's own
        ASSERT_TRUE(sim->Stop());
    }

    StartDot1xSwitch();
    const std::size_t gets = Requests("GET").size();
    ASSERT_TRUE(sim->SetReplyDelay(3500)); // every reply comes after the time-out
    BoxRecorder boxes;
    C8021XGlobalDlg dialog;
    RunModal<C8021XGlobalDlg>(dialog, [&](C8021XGlobalDlg& d) {
        EXPECT_FALSE(Checked(d, IDC_8021X_AUTH_ENABLED));
        EXPECT_FALSE(Checked(d, IDC_8021X_AUTH_DISABLED));
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"The 802.1X settings could not be read from the switch."});
    // The switch serves its requests in order: once it has taken back the
    // delay, it has received (and logged) every GET the dialog sent.
    ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(0); }, 30000));
    EXPECT_EQ(Requests("GET").size(), gets + 1);
}

} // namespace dot1x_test
