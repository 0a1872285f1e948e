// The 802.1X port settings on the simulated switch: the list and the initial
// controls, the three SETs per port, the range and option refusals with their
// messages, aggregated links inside a range, a SET the switch refuses, the
// From and To rules, and a switch with 802.1X off.
#include "dot1x/Dot1xTestSupport.h"
#include "features/security/C8021XPortSettings.h"
#include "resources/dot1x.h"

namespace dot1x_test {

using namespace dot1xtest;

namespace {

CListCtrl& SettingsList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_8021X_PORT_LIST);
}

// What the user enters; an empty text leaves the control as it is.
struct Entry
{
    Entry(int f = 1, int t = 28, std::string cap = "", std::string control = "", std::string reauth = "",
          std::string dir = "", std::vector<std::string> editTexts = {})
        : from(f), to(t), capability(std::move(cap)), portControl(std::move(control)), reAuth(std::move(reauth)),
          direction(std::move(dir)), edits(std::move(editTexts))
    {
    }
    int from, to;
    std::string capability, portControl, reAuth, direction;
    // QuietPeriod, SuppTimeout, ServerTimeout, MaxReq, TxPeriod, ReAuthPeriod.
    std::vector<std::string> edits;
};
constexpr int kEditIds[] = {IDC_8021X_QUIET_PERIOD, IDC_8021X_SUPP_TIMEOUT, IDC_8021X_SERVER_TIMEOUT,
                            IDC_8021X_MAX_REQ,      IDC_8021X_TX_PERIOD,    IDC_8021X_REAUTH_PERIOD};

void SelectText(CWnd& d, int id, const std::string& text)
{
    if (text.empty())
        return;
    CComboBox& box = Item<CComboBox>(d, id);
    for (int i = 0; i < box.GetCount(); ++i) {
        std::string item;
        box.GetLBText(i, item);
        if (item == text) {
            box.SetCurSel(i);
            return;
        }
    }
    box.SetWindowText(text); // typed
}

void Fill(CWnd& d, const Entry& e)
{
    Item<CComboBox>(d, IDC_8021X_FROM_PORT).SetCurSel(e.from - 1);
    Item<CComboBox>(d, IDC_8021X_TO_PORT).SetCurSel(e.to - 1);
    SelectText(d, IDC_8021X_CAPABILITY, e.capability);
    SelectText(d, IDC_8021X_PORT_CONTROL, e.portControl);
    SelectText(d, IDC_8021X_REAUTH, e.reAuth);
    SelectText(d, IDC_8021X_DIRECTION, e.direction);
    for (std::size_t i = 0; i < e.edits.size(); ++i)
        d.GetDlgItem(kEditIds[i])->SetWindowText(e.edits[i]);
}

// The three SETs of one port.
std::vector<std::vector<std::string>> PortSets(int port, const std::string& capability, const std::string& control,
                                               const std::vector<std::string>& values)
{
    std::vector<std::string> rest;
    const int columns[] = {2, 3, 4, 5, 6, 7, 8, 11};
    for (std::size_t i = 0; i < values.size(); ++i)
        rest.push_back(PortOid(columns[i], port) + "|2|" + values[i]);
    return {{PortOid(10, port) + "|2|" + capability}, {PortOid(9, port) + "|2|" + control}, rest};
}
const std::vector<std::string> kDefaults = {"60", "30", "30", "2", "30", "3600", "2", "0"};

class PortSettingsDialogTest : public Dot1xTest
{
protected:
    // The walks have ended with the whole table listed.
    bool WaitForList(CWnd& d, bool buttons = true)
    {
        return Pump([&] { return SettingsList(d).GetItemCount() == 28 && (!buttons || Enabled(d, IDC_8021X_PORT_REFRESH)); },
                    20000) &&
               WaitForQuiet();
    }
    // Runs the dialog; act gets it once its walks have ended.
    void Run(const std::function<void(CWnd&)>& act)
    {
        C8021XPortSettings dialog;
        RunModal<C8021XPortSettings>(dialog, [&](C8021XPortSettings& d) {
            ASSERT_TRUE(WaitForList(d));
            act(d);
        });
    }
};

} // namespace

TEST_F(PortSettingsDialogTest, ListsTheSwitchsPortsAndStartsWithTheDefaults)
{
    StartDot1xSwitch();
    ASSERT_EQ(sim->Set(PortOid(9, 3), SnmpValueInteger, "2"), 0);
    ASSERT_EQ(sim->Set(PortOid(10, 3), SnmpValueInteger, "1"), 0);
    ASSERT_EQ(sim->Set(PortOid(11, 3), SnmpValueInteger, "1"), 0);
    Run([&](CWnd& d) {
        EXPECT_EQ(d.GetWindowText(), "802.1X Port Settings");
        EXPECT_EQ(RowText(SettingsList(d), 0, 11), "1|Both|Force Authorized|30|60|30|30|2|3600|Disabled|None");
        EXPECT_EQ(RowText(SettingsList(d), 2, 11), "3|In|Auto|30|60|30|30|2|3600|Disabled|Authenticator");
        EXPECT_EQ(SettingsList(d).GetItemText(27, 0), "28");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_TO_PORT), "28");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_REAUTH), "Disabled");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_CAPABILITY), "None");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_PORT_CONTROL), "Force Authorized");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_DIRECTION), "Both");
        EXPECT_EQ(Item<CComboBox>(d, IDC_8021X_PORT_CONTROL).GetCurSel(), 1);
        EXPECT_FALSE(Enabled(d, IDC_8021X_PORT_CONTROL));
        const std::pair<int, const char*> edits[] = {{IDC_8021X_QUIET_PERIOD, "60"},   {IDC_8021X_SUPP_TIMEOUT, "30"},
                                                     {IDC_8021X_SERVER_TIMEOUT, "30"}, {IDC_8021X_MAX_REQ, "2"},
                                                     {IDC_8021X_TX_PERIOD, "30"},      {IDC_8021X_REAUTH_PERIOD, "3600"}};
        for (const auto& [id, text] : edits)
            EXPECT_EQ(Text(d, id), text) << id;
        EXPECT_TRUE(Enabled(d, IDC_8021X_PORT_APPLY));
        // Capability decides whether Port Control counts.
        ChooseInCombo(d, IDC_8021X_CAPABILITY, 0);
        EXPECT_EQ(ComboSelection(d, IDC_8021X_CAPABILITY), "Authenticator");
        EXPECT_TRUE(Enabled(d, IDC_8021X_PORT_CONTROL));
        ChooseInCombo(d, IDC_8021X_CAPABILITY, 1);
        EXPECT_FALSE(Enabled(d, IDC_8021X_PORT_CONTROL));
    });
}

TEST_F(PortSettingsDialogTest, ApplyWritesThreeSetsPerPortAndReloads)
{
    struct Case
    {
        const char* name;
        Entry entry;
        std::string capability, control;
    };
    const Case cases[] = {
        {"authenticator AUTO", {3, 4, "Authenticator", "AUTO", "Enabled", "In", {"10", "20", "40", "5", "15", "100"}},
         "1", "2"},
        {"authenticator Force UnAuthorized", {6, 6, "Authenticator", "Force UnAuthorized"}, "1", "1"},
        {"None writes 2 and 3 whatever Port Control shows", {7, 7, "None", "AUTO"}, "2", "3"},
    };
    StartDot1xSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = Requests("SET").size();
        BoxRecorder boxes;
        Run([&](CWnd& d) {
            Fill(d, c.entry);
            ClickButton(d, IDC_8021X_PORT_APPLY);
            ASSERT_TRUE(WaitForList(d));
            // The controls are back to their initial contents.
            EXPECT_EQ(Text(d, IDC_8021X_QUIET_PERIOD), "60");
            EXPECT_EQ(ComboSelection(d, IDC_8021X_CAPABILITY), "None");
            EXPECT_EQ(ComboSelection(d, IDC_8021X_TO_PORT), "28");
        });
        EXPECT_TRUE(boxes.Calls().empty());
        const Entry& e = c.entry;
        std::vector<std::string> values = kDefaults;
        if (!e.edits.empty()) {
            values = e.edits;
            values.insert(values.end(), {"1", "1"});
        }
        std::vector<std::vector<std::string>> expected;
        for (int port = e.from; port <= e.to; ++port) {
            for (auto& set : PortSets(port, c.capability, c.control, values))
                expected.push_back(set);
        }
        EXPECT_EQ(Sets(before), expected);
        EXPECT_EQ(sim->Get(PortOid(9, e.to)), c.control);
        EXPECT_EQ(sim->Get(PortOid(10, e.to)), c.capability);
    }
    EXPECT_EQ(sim->Get(PortOid(2, 3)), "10");
    EXPECT_EQ(sim->Get(PortOid(11, 4)), "1");
    EXPECT_EQ(sim->Get(PortOid(9, 5)), "3"); // outside every range
}

TEST_F(PortSettingsDialogTest, RefusalsShowTheirMessageAndWriteNothing)
{
    const std::string trunkMessage = "Cannot add the 802.1X-enabled port to an aggregated link.";
    const std::string allMessage = "Could not set all port AUTO or Force Unauthorized to the port access control";
    struct Case
    {
        const char* name;
        Entry entry;
        std::string message;
        bool noneAfter = false; // Capability set to None after Port Control
    };
    const Case cases[] = {
        // Trunk 1 holds ports 27 and 28, trunk 2 ports 25 and 26.
        {"one port of a link", {20, 27}, trunkMessage},
        {"a link split", {26, 28}, trunkMessage},
        {"every port AUTO", {1, 28, "Authenticator", "AUTO"}, allMessage},
        {"every port Force UnAuthorized", {1, 28, "Authenticator", "Force UnAuthorized"}, allMessage},
        {"every port, None with Port Control on AUTO", {1, 28, "Authenticator", "AUTO"}, allMessage, true},
        {"typed ReAuthentication", {1, 2, "", "", "Sometimes"}, "\"Sometimes\" is not a choice of ReAuthentication."},
        {"typed Capability", {1, 2, "Auth"}, "\"Auth\" is not a choice of Capability."},
        {"typed Direction", {1, 2, "", "", "", "Out"}, "\"Out\" is not a choice of Direction."},
        {"typed Port Control", {1, 2, "Authenticator", "auto"}, "\"auto\" is not a choice of Port Control."},
    };
    StartDot1xSwitch();
    Run([&](CWnd& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            BoxRecorder boxes;
            Fill(d, c.entry);
            if (c.noneAfter)
                SelectText(d, IDC_8021X_CAPABILITY, "None");
            ClickButton(d, IDC_8021X_PORT_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            EXPECT_TRUE(Enabled(d, IDC_8021X_PORT_APPLY));
            // The entries stay for the next try.
            EXPECT_EQ(ComboSelection(d, IDC_8021X_FROM_PORT), std::to_string(c.entry.from));
            Fill(d, {1, 28, "None", "Force Authorized", "Disabled", "Both"});
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortSettingsDialogTest, WholeLinksInsideTheRangeAreLeftAsTheyAre)
{
    StartDot1xSwitch();
    BoxRecorder boxes;
    Run([&](CWnd& d) {
        // A refused range first: each check judges only its own range.
        Fill(d, {26, 28});
        ClickButton(d, IDC_8021X_PORT_APPLY);
        ASSERT_EQ(boxes.Calls().size(), 1U);
        Fill(d, {1, 28, "Authenticator", "Force Authorized", "Enabled"});
        ClickButton(d, IDC_8021X_PORT_APPLY);
        ASSERT_TRUE(WaitForList(d));
    });
    // The skipped members are named.
    ASSERT_EQ(boxes.Calls().size(), 2U);
    EXPECT_EQ(boxes.Calls()[1].text,
              "Ports 25,26,27,28 belong to an aggregated link: their 802.1X settings are left as they are.");
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 24U * 3U);
    EXPECT_EQ(sets.front(), std::vector<std::string>{PortOid(10, 1) + "|2|1"});
    EXPECT_EQ(sets.back().front(), PortOid(2, 24) + "|2|60");
    for (int port : {1, 24})
        EXPECT_EQ(sim->Get(PortOid(8, port)), "1");
    for (int port : {25, 26, 27, 28})
        EXPECT_EQ(sim->Get(PortOid(8, port)), "2");
}

TEST_F(PortSettingsDialogTest, ASetTheSwitchRefusesStopsTheLoopAndIsSaid)
{
    StartDot1xSwitch();
    ASSERT_TRUE(sim->RefuseNextSet(PortOid(9, 4), 5));
    BoxRecorder boxes;
    Run([&](CWnd& d) {
        Fill(d, {3, 6, "Authenticator", "AUTO"});
        ClickButton(d, IDC_8021X_PORT_APPLY);
        ASSERT_TRUE(WaitForList(d));
        EXPECT_EQ(SettingsList(d).GetItemText(2, 2), "Auto");
        EXPECT_EQ(SettingsList(d).GetItemText(3, 2), "Force Authorized");
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Could not write the port control of port 4: the switch refused it (general "
                                       "error).\nPort 3 was written; port 4 and later were not."});
    auto expected = PortSets(3, "1", "2", kDefaults);
    expected.push_back({PortOid(10, 4) + "|2|1"});
    expected.push_back({PortOid(9, 4) + "|2|2"}); // refused: nothing after it
    EXPECT_EQ(Sets(), expected);
    EXPECT_EQ(sim->Get(PortOid(10, 5)), "2");
}

TEST_F(PortSettingsDialogTest, FromAndToKeepTheRangeInOrder)
{
    StartDot1xSwitch();
    Run([&](CWnd& d) {
        BoxRecorder boxes;
        ChooseInCombo(d, IDC_8021X_FROM_PORT, 9);
        EXPECT_EQ(ComboSelection(d, IDC_8021X_FROM_PORT), "10");
        EXPECT_EQ(ComboSelection(d, IDC_8021X_TO_PORT), "10");
        EXPECT_TRUE(boxes.Calls().empty());
        ChooseInCombo(d, IDC_8021X_TO_PORT, 4);
        EXPECT_EQ(ComboSelection(d, IDC_8021X_TO_PORT), "10");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"\"to port\" can not be smaller than \"from port\""});
        ChooseInCombo(d, IDC_8021X_TO_PORT, 19);
        EXPECT_EQ(ComboSelection(d, IDC_8021X_TO_PORT), "20");
        EXPECT_EQ(boxes.Calls().size(), 1U);
    });
}

TEST_F(PortSettingsDialogTest, With8021xOffTheListIsFilledButTheButtonsStayDisabled)
{
    StartDot1xSwitch();
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    C8021XPortSettings dialog;
    RunModal<C8021XPortSettings>(dialog, [&](C8021XPortSettings& d) {
        ASSERT_TRUE(WaitForList(d, false));
        EXPECT_FALSE(Enabled(d, IDC_8021X_PORT_APPLY));
        EXPECT_FALSE(Enabled(d, IDC_8021X_PORT_REFRESH));
    });
    EXPECT_TRUE(Sets(1).empty());
}

TEST_F(PortSettingsDialogTest, ParametersOutsideTheirLabelsRangesAreRefusedBeforeAnythingIsSent)
{
    struct Case
    {
        std::vector<std::string> edits; // QuietPeriod, SuppTimeout, ServerTimeout, MaxReq, TxPeriod, ReAuthPeriod
        std::string message;
    };
    const Case cases[] = {
        {{"60", "30", "30", "0"}, "MaxReq must be a number from 1 to 10. Nothing was written."},
        {{"60", "30", "30", "11"}, "MaxReq must be a number from 1 to 10. Nothing was written."},
        {{"", "30"}, "QuietPeriod must be a number from 0 to 65535. Nothing was written."},
        {{"60", "0"}, "SuppTimeout must be a number from 1 to 65535. Nothing was written."},
        {{"60", "30", "70000"}, "ServerTimeout must be a number from 1 to 65535. Nothing was written."},
        {{"60", "30", "30", "2", "0"}, "TxPeriod must be a number from 1 to 65535. Nothing was written."},
        {{"60", "30", "30", "2", "30", ""}, "ReAuthPeriod must be a number from 1 to 65535. Nothing was written."},
    };
    StartDot1xSwitch();
    Run([&](CWnd& d) {
        for (const Case& c : cases) {
            BoxRecorder boxes;
            Fill(d, {3, 4, "", "", "", "", c.edits});
            ClickButton(d, IDC_8021X_PORT_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            for (std::size_t i = 0; i < std::size(kEditIds); ++i)
                d.GetDlgItem(kEditIds[i])->SetWindowText(kDefaults[i]);
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortSettingsDialogTest, ASilentSwitchCostsOneUnansweredSetAndIsSaid)
{
    StartDot1xSwitch();
    BoxRecorder boxes;
    std::size_t setsBefore = 0;
    Run([&](CWnd& d) {
        Fill(d, {1, 8});
        setsBefore = Sets().size();
        // Every reply comes after the time-out: the request is received,
        // never answered in time.
        ASSERT_TRUE(sim->SetReplyDelay(3500));
        ClickButton(d, IDC_8021X_PORT_APPLY);
        ASSERT_FALSE(boxes.Calls().empty());
        EXPECT_EQ(boxes.Calls()[0].text, "Could not write the 802.1X capability of port 1: the switch did not answer.\n"
                                         "Nothing was written.");
    });
    // The switch serves its requests in order: once it has taken back the
    // delay, it has received (and logged) every SET the dialog sent. One went
    // unanswered; nothing was sent after it.
    ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(0); }, 60000));
    EXPECT_EQ(Sets(setsBefore).size(), 1U);
}

} // namespace dot1x_test
