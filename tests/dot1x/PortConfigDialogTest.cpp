// The 802.1X port access control (command 32792) on the simulated switch: the
// list with the caller's parameter texts, the all-ports rules, the aggregated
// link refusal, the batches of 30 ports, a port missing from the table, and
// Apply refused after a walk that did not complete.
#include "dot1x/Dot1xTestSupport.h"
#include "features/security/Dot1xPortConfig.h"
#include "resources/dot1x.h"

namespace dot1x_test {

using namespace dot1xtest;

namespace {

CListCtrl& AccessList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_DOT1X_LIST);
}

const std::string kAutoMessage = "Could not set all port AUTO  to the port access control.";
const std::string kUnauthorizedMessage = "Could not set all port  Force Unauthorized to the port access control.";
const std::string kEitherMessage = "Could not set all port AUTO or Force Unauthorized to the port access control.";
const std::string kTrunkMessage = "Cannot add an aggregated link to the 802.1X-enabled port";
const std::string kUnreadMessage = "The port states could not be read from the switch. Press Refresh and try again.";

// Control items: 0 Force Unauthorized, 1 Auto, 2 Force Authorized.
void Choose(CWnd& d, int from, int to, int control)
{
    Item<CComboBox>(d, IDC_DOT1X_FROM_PORT).SetCurSel(from - 1);
    Item<CComboBox>(d, IDC_DOT1X_TO_PORT).SetCurSel(to - 1);
    Item<CComboBox>(d, IDC_DOT1X_CONTROL).SetCurSel(control);
}

class PortConfigDialogTest : public Dot1xTest
{
protected:
    // The status walk has ended with `rows` rows and given the buttons back.
    bool WaitForWalk(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_DOT1X_REFRESH) && AccessList(d).GetItemCount() == rows; }, 20000) &&
               WaitForQuiet();
    }
};

} // namespace

TEST_F(PortConfigDialogTest, ListsEachPortWithTheCallersParameterTexts)
{
    StartDot1xSwitch();
    ASSERT_EQ(sim->Set(ControlOid(6), SnmpValueInteger, "4"), 0);
    Dot1xPortConfig dialog;
    dialog.SetParameterTexts({"61", "31", "32", "33", "3", "3601", "Enabled"});
    RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
        ASSERT_TRUE(WaitForWalk(d, 28));
        EXPECT_EQ(d.GetWindowText(), "802.1X Port Configuration");
        EXPECT_EQ(RowText(AccessList(d), 0, 10), "1|Unauthorized|Auto|61|31|32|33|3|3601|Enabled");
        EXPECT_EQ(RowText(AccessList(d), 4, 10), "5|Authorized|Force Authorized|61|31|32|33|3|3601|Enabled");
        EXPECT_EQ(AccessList(d).GetItemText(5, 2), "other");
        EXPECT_EQ(ComboSelection(d, IDC_DOT1X_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_DOT1X_TO_PORT), "28");
        EXPECT_EQ(ComboSelection(d, IDC_DOT1X_CONTROL), "Auto");
        EXPECT_TRUE(Enabled(d, IDOK));
    });
}

TEST_F(PortConfigDialogTest, TheAllPortsRulesJudgeThePortsOutsideTheRange)
{
    struct Case
    {
        const char* name;
        std::string others, port5; // the switch's controls, before
        std::vector<std::pair<int, std::string>> changes;
        int from, to, control;
        std::string message; // empty: written
    };
    const Case cases[] = {
        {"Auto for port 5", "2", "3", {}, 5, 5, 1, kAutoMessage},
        {"Force Unauthorized for port 5", "2", "3", {}, 5, 5, 0, kEitherMessage},
        {"Force Authorized for port 5", "2", "3", {}, 5, 5, 2, ""},
        {"Auto with another port other", "2", "3", {{6, "4"}}, 5, 5, 1, ""},
        {"Force Unauthorized with every other port so", "1", "3", {}, 5, 5, 0, kUnauthorizedMessage},
        {"Auto for a range, every other port Auto", "2", "2", {}, 1, 24, 1, kAutoMessage},
    };
    StartDot1xSwitch();
    // No aggregated links here.
    SetTrunkMembers(1, std::string(4, '\0'));
    SetTrunkMembers(2, std::string(4, '\0'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int port = 1; port <= 28; ++port)
            ASSERT_EQ(sim->Set(ControlOid(port), SnmpValueInteger, port == 5 ? c.port5 : c.others), 0);
        for (const auto& [port, value] : c.changes)
            ASSERT_EQ(sim->Set(ControlOid(port), SnmpValueInteger, value), 0);
        const std::size_t before = Requests("SET").size();
        BoxRecorder boxes;
        Dot1xPortConfig dialog;
        RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
            ASSERT_TRUE(WaitForWalk(d, 28));
            Choose(d, c.from, c.to, c.control);
            ClickButton(d, IDOK);
            ASSERT_TRUE(WaitForWalk(d, 28));
        });
        const auto sets = Requests("SET");
        if (c.message.empty()) {
            EXPECT_TRUE(boxes.Calls().empty());
            ASSERT_EQ(sets.size(), before + 1);
            EXPECT_EQ(sets.back(), std::vector<std::string>{ControlOid(c.from) + "|2|" +
                                                            std::to_string(c.control + 1)});
        } else {
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(sets.size(), before);
        }
    }
}

TEST_F(PortConfigDialogTest, ARangeTouchingAnAggregatedLinkIsRefused)
{
    StartDot1xSwitch();
    BoxRecorder boxes;
    Dot1xPortConfig dialog;
    RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
        ASSERT_TRUE(WaitForWalk(d, 28));
        // Trunk 2 holds ports 25 and 26: part of it, and all of it.
        for (auto [from, to] : {std::pair{24, 25}, std::pair{25, 26}, std::pair{28, 28}})
            Choose(d, from, to, 2), ClickButton(d, IDOK);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>(3, kTrunkMessage));
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortConfigDialogTest, ARangeIsWrittenInBatchesOfThirtyPorts)
{
    struct Case
    {
        int to;
        std::vector<std::pair<int, int>> batches;
    };
    const Case cases[] = {{52, {{1, 30}, {31, 52}}}, {30, {{1, 30}}}};
    StartDot1xSwitch({KorvelSimulator::ModelData("KSX-Alcor R2", "system.snmprec"),
                      FixtureData("dot1x-access-52.snmprec")},
                     52);
    SetTrunkMembers(1, std::string(8, '\0'));
    SetTrunkMembers(2, std::string(8, '\0'));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        const std::size_t before = Requests("SET").size();
        BoxRecorder boxes;
        Dot1xPortConfig dialog;
        RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
            ASSERT_TRUE(WaitForWalk(d, 52));
            Choose(d, 1, c.to, 2);
            ClickButton(d, IDOK);
            ASSERT_TRUE(WaitForWalk(d, 52));
        });
        EXPECT_TRUE(boxes.Calls().empty());
        std::vector<std::vector<std::string>> expected;
        for (auto [first, last] : c.batches) {
            expected.emplace_back();
            for (int port = first; port <= last; ++port)
                expected.back().push_back(ControlOid(port) + "|2|3");
        }
        EXPECT_EQ(Sets(before), expected);
    }
}

TEST_F(PortConfigDialogTest, EachRowIsListedAtItsOwnPortAndAnUnreadControlRefusesApply)
{
    StartDot1xSwitch({FixtureData("dot1x-access-hole.snmprec")});
    SetTrunkMembers(1, std::string(4, '\0'));
    SetTrunkMembers(2, std::string(4, '\0'));
    {
        Dot1xPortConfig dialog;
        RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
            ASSERT_TRUE(WaitForWalk(d, 27));
            EXPECT_EQ(AccessList(d).GetItemText(3, 0), "4");
            EXPECT_EQ(AccessList(d).GetItemText(4, 0), "6");
            EXPECT_EQ(AccessList(d).GetItemText(4, 2), "Auto");
            EXPECT_EQ(AccessList(d).GetItemText(26, 0), "28");
        });
    }

    // Port 7's control is missing: the row is still listed at its port, the
    // control unknown (never "other"), and Apply is refused rather than
    // judging by a control nobody read.
    ASSERT_EQ(sim->Stop(), true);
    StartDot1xSwitch({FixtureData("dot1x-access-no-control.snmprec")});
    BoxRecorder boxes;
    Dot1xPortConfig dialog;
    RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
        ASSERT_TRUE(WaitForWalk(d, 28));
        EXPECT_EQ(AccessList(d).GetItemText(6, 0), "7");
        EXPECT_EQ(AccessList(d).GetItemText(6, 2), "");
        EXPECT_EQ(AccessList(d).GetItemText(7, 2), "Auto");
        Choose(d, 1, 1, 2);
        ClickButton(d, IDOK);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kUnreadMessage});
    });
    EXPECT_TRUE(Sets().empty());
}

// A Refresh the switch does not answer keeps the last complete list and says
// so once; the buttons come back.
TEST_F(PortConfigDialogTest, AFailedRefreshKeepsTheListAndIsSaidOnce)
{
    StartDot1xSwitch();
    BoxRecorder boxes;
    Dot1xPortConfig dialog;
    RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
        ASSERT_TRUE(WaitForWalk(d, 28));
        ASSERT_TRUE(sim->SilenceFor(5000));
        ClickButton(d, IDC_DOT1X_REFRESH);
        ASSERT_TRUE(Pump([&] { return !boxes.Calls().empty() && Enabled(d, IDC_DOT1X_REFRESH); }, 20000));
        EXPECT_EQ(AccessList(d).GetItemCount(), 28);
        EXPECT_EQ(AccessList(d).GetItemText(4, 2), "Force Authorized");
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{
                  "The port states could not be read again from the switch; the last complete read is shown."});
}

TEST_F(PortConfigDialogTest, ToBelowFromIsSetBackAfterItsMessage)
{
    StartDot1xSwitch();
    BoxRecorder boxes;
    Dot1xPortConfig dialog;
    RunModal<Dot1xPortConfig>(dialog, [&](Dot1xPortConfig& d) {
        ASSERT_TRUE(WaitForWalk(d, 28));
        ChooseInCombo(d, IDC_DOT1X_FROM_PORT, 9);
        EXPECT_EQ(ComboSelection(d, IDC_DOT1X_TO_PORT), "10");
        ChooseInCombo(d, IDC_DOT1X_TO_PORT, 4);
        EXPECT_EQ(ComboSelection(d, IDC_DOT1X_TO_PORT), "10");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});
    });
}

} // namespace dot1x_test
