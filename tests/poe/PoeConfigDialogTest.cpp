// The PoE Configuration dialog on the simulated switch: the list's cells,
// the time profiles offered, one SET per port of a range with the values
// the form gives, a refused power limit, the range corrections, the buttons
// held back while its two walks run, and more time profiles than eight.
#include "common/CReadReport.h"
#include "features/poe_rmon/CPOEConfigDlg.h"
#include "poe/PoeTestSupport.h"

namespace poe_test {

using namespace poetest;

namespace {

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_POE_LIST);
}

std::string RowText(CListCtrl& list, int row)
{
    std::string text;
    for (int col = 0; col < 10; ++col)
        text += (col ? "|" : "") + list.GetItemText(row, col);
    return text;
}

// Both walks have ended: the buttons are back with the whole table listed.
bool WaitForTable(CWnd& d, int rows = 24)
{
    return Pump(
        [&] { return Enabled(d, IDC_POE_REFRESH) && Enabled(d, IDC_POE_APPLY) && List(d).GetItemCount() == rows; },
        20000);
}

// The bindings of one port's SET.
std::vector<std::string> PortSet(int port, const std::string& state, const std::string& range,
                                 const std::string& priority, const std::string& limitKind, const std::string& limit)
{
    std::vector<std::string> set{Int(PortOid(3, port), state), Int(PortOid(4, port), range),
                                 Int(PortOid(5, port), priority), Int(PortOid(7, port), limitKind)};
    set.push_back(limitKind == "1" ? Text(PortOid(8, port), limit) : Int(PortOid(6, port), limit));
    return set;
}

class PoeConfigDialogTest : public PoeTest
{
};

} // namespace

TEST_F(PoeConfigDialogTest, ListsThePortTableWithTheProfileNamesAndTheLimitThatApplies)
{
    StartPoeSwitch();
    const std::vector<std::string> expected = {
        "1|Enable|Office|Normal|Auto|4.5|53.5|84|Class 2|POWER ON",
        // A profile id that no profile has.
        "2|Enable||Normal|Auto|0.0|0.0|0|N/A|POWER ON",
        // A user-defined limit shows on an enabled port only.
        "3|Enable|N/A|Normal|15.4|0.0|0.0|0|N/A|POWER OFF",
        "4|Disable|N/A|Normal|Class 2|0.0|0.0|0|N/A|POWER OFF",
        "5|Enable|N/A|High|Class 4|0.0|0.0|0|N/A|POWER OFF",
        "6|Enable|Weekend|Normal|Auto|0.0|0.0|0|N/A|POWER OFF",
        // Values the switch cannot mean show as unknown.
        "7||N/A|||0.0|0.0|0|N/A|POWER OFF",
        "8|Enable|N/A|Normal|Auto|0.0|0.0|0|N/A|POWER OFF",
    };
    CPOEConfigDlg dialog;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        EXPECT_EQ(d.GetWindowText(), "PoE Configuration");
        for (int row = 0; row < static_cast<int>(expected.size()); ++row)
            EXPECT_EQ(RowText(List(d), row), expected[static_cast<std::size_t>(row)]);
        EXPECT_EQ(RowText(List(d), 23), "24|Enable|N/A|Normal|Auto|0.0|0.0|0|N/A|POWER OFF");
        EXPECT_EQ(ComboTexts(d, IDC_POE_TIME_RANGE), (std::vector<std::string>{"N/A", "Office", "Night", "Weekend"}));
        EXPECT_EQ(ComboSelection(d, IDC_POE_TIME_RANGE), "N/A");
        EXPECT_EQ(ComboSelection(d, IDC_POE_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_POE_TO_PORT), "24");
        EXPECT_EQ(ComboSelection(d, IDC_POE_STATE), "Enable");
        EXPECT_EQ(ComboSelection(d, IDC_POE_PRIORITY), "Normal");
        EXPECT_EQ(ComboSelection(d, IDC_POE_POWER_LIMIT), "Auto");
        EXPECT_FALSE(Checked(d, IDC_POE_USER_DEFINE));
        EXPECT_FALSE(Enabled(d, IDC_POE_WATTS));
        EXPECT_TRUE(Enabled(d, IDC_POE_APPLY));
    });
}

TEST_F(PoeConfigDialogTest, ApplySendsOneSetPerPortOfTheRangeWithTheFormsValues)
{
    struct Case
    {
        const char* name;
        int state, range, priority, limit; // positions in the lists
        bool userDefine;
        std::string watts;
        std::vector<std::string> (*expected)(int port);
    };
    const Case cases[] = {
        {"enabled with a profile", 0, 3, 2, 3, false, "", [](int p) { return PortSet(p, "1", "5", "3", "2", "4"); }},
        // Disable writes no profile, normal priority and Auto, whatever the lists show.
        {"disabled", 1, 3, 2, 3, false, "", [](int p) { return PortSet(p, "2", "0", "2", "2", "1"); }},
        {"user-defined limit", 0, 0, 0, 0, true, "15.4", [](int p) { return PortSet(p, "1", "0", "1", "1", "15.4"); }},
        {"user-defined limit with a profile", 0, 1, 1, 0, true, "7.0",
         [](int p) { return PortSet(p, "1", "1", "2", "1", "7.0"); }},
    };
    StartPoeSwitch();
    CPOEConfigDlg dialog;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            BoxRecorder boxes;
            const std::size_t before = Sets().size();
            ChooseInCombo(d, IDC_POE_FROM_PORT, 9);
            EXPECT_EQ(ComboSelection(d, IDC_POE_TO_PORT), "10");
            ChooseInCombo(d, IDC_POE_TO_PORT, 11);
            Item<CComboBox>(d, IDC_POE_STATE).SetCurSel(c.state);
            Item<CComboBox>(d, IDC_POE_TIME_RANGE).SetCurSel(c.range);
            Item<CComboBox>(d, IDC_POE_PRIORITY).SetCurSel(c.priority);
            Item<CComboBox>(d, IDC_POE_POWER_LIMIT).SetCurSel(c.limit);
            if (Checked(d, IDC_POE_USER_DEFINE) != c.userDefine)
                ClickButton(d, IDC_POE_USER_DEFINE);
            EXPECT_EQ(Enabled(d, IDC_POE_WATTS), c.userDefine);
            EXPECT_EQ(Enabled(d, IDC_POE_POWER_LIMIT), !c.userDefine);
            d.GetDlgItem(IDC_POE_WATTS)->SetWindowText(c.watts);
            ClickButton(d, IDC_POE_APPLY);
            ASSERT_TRUE(WaitForTable(d));
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_EQ(SetsAfter(before),
                      (std::vector<std::vector<std::string>>{c.expected(10), c.expected(11), c.expected(12)}));
        }
        // The list shows what the last Apply wrote.
        EXPECT_EQ(RowText(List(d), 9), "10|Enable|Office|Normal|7.0|0.0|0.0|0|N/A|POWER OFF");
    });
    EXPECT_EQ(sim->Get(PortOid(8, 11)), "7.0");
    EXPECT_EQ(sim->Get(PortOid(4, 12)), "1");
}

TEST_F(PoeConfigDialogTest, APowerLimitThatIsNoNumberOrNoMultipleOfAFifthOfAWattSendsNothing)
{
    const std::string kNoNumber = "The per-port power limit must be a number of watts.";
    const std::string kNoStep = "The per-port power limit must be a multiple of 0.2";
    const struct
    {
        const char* watts;
        std::string message;
    } cases[] = {{"0.3", kNoStep}, {"15.5", kNoStep},    {"abc", kNoNumber},
                 {"", kNoNumber},  {"15.4W", kNoNumber}, {"-2", kNoNumber}};
    StartPoeSwitch();
    CPOEConfigDlg dialog;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        for (const auto& c : cases) {
            SCOPED_TRACE(c.watts);
            BoxRecorder boxes;
            ClickButton(d, IDC_POE_USER_DEFINE);
            ASSERT_TRUE(Checked(d, IDC_POE_USER_DEFINE));
            d.GetDlgItem(IDC_POE_WATTS)->SetWindowText(c.watts);
            ClickButton(d, IDC_POE_APPLY);
            EXPECT_TRUE(Enabled(d, IDC_POE_APPLY));
            ClickButton(d, IDC_POE_USER_DEFINE);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
    });
    EXPECT_TRUE(Sets().empty());
}

// A port the switch refuses, or does not answer, ends the range there: the
// message names the port, why, and the ports written before it.
TEST_F(PoeConfigDialogTest, TheRangeStopsAtTheFirstPortTheSwitchRefusesOrLeavesUnanswered)
{
    struct Case
    {
        const char* name;
        bool silent;
        std::vector<std::string> messages;
        std::size_t sets; // SETs the switch received
    };
    const Case cases[] = {
        {"refused",
         false,
         {"Could not write the PoE settings of port 12: the switch refused it (general error).\n"
          "Ports 10-11 were written; port 12 and later were not."},
         3},
        // The silent switch logs nothing: one request, then the window is free.
        {"silent",
         true,
         {"Could not write the PoE settings of port 10: the switch did not answer.\nNothing was written."},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartPoeSwitch();
        CPOEConfigDlg dialog;
        BoxRecorder boxes;
        RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
            ASSERT_TRUE(WaitForTable(d));
            ChooseInCombo(d, IDC_POE_FROM_PORT, 9);
            ChooseInCombo(d, IDC_POE_TO_PORT, 13);
            Item<CComboBox>(d, IDC_POE_STATE).SetCurSel(1);
            if (c.silent)
                ASSERT_TRUE(sim->SilenceFor(25000));
            else
                ASSERT_TRUE(sim->RefuseNextSet(PortOid(3, 12), 5));
            ClickButton(d, IDC_POE_APPLY);
            // After a refusal the table is read again; after silence it is not.
            if (c.silent)
                EXPECT_TRUE(Enabled(d, IDC_POE_APPLY));
            else
                EXPECT_TRUE(WaitForTable(d));
        });
        EXPECT_EQ(boxes.Texts(), c.messages);
        EXPECT_EQ(Sets().size(), c.sets);
        if (!c.silent) {
            // Nothing after the refused port: port 13 keeps its state.
            EXPECT_EQ(sim->Get(PortOid(3, 11)), "2");
            EXPECT_EQ(sim->Get(PortOid(3, 13)), "1");
        }
    }
}

TEST_F(PoeConfigDialogTest, TheRangeFollowsTheListAndAToPortBelowFromPortIsCorrected)
{
    StartPoeSwitch();
    BoxRecorder boxes;
    CPOEConfigDlg dialog;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        ClickRow(List(d), 3);
        EXPECT_EQ(ComboSelection(d, IDC_POE_FROM_PORT), "4");
        EXPECT_EQ(ComboSelection(d, IDC_POE_TO_PORT), "4");
        EXPECT_EQ(ComboSelection(d, IDC_POE_STATE), "Disable");
        ChooseInCombo(d, IDC_POE_FROM_PORT, 4);
        EXPECT_EQ(ComboSelection(d, IDC_POE_TO_PORT), "5");
        ChooseInCombo(d, IDC_POE_TO_PORT, 2);
        EXPECT_EQ(ComboSelection(d, IDC_POE_TO_PORT), "5");
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PoeConfigDialogTest, RefreshAndApplyWaitForBothWalksAndTheNamesAreListedOnce)
{
    StartPoeSwitch();
    CPOEConfigDlg dialog;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        ASSERT_TRUE(sim->SetReplyDelay(30));
        ClickButton(d, IDC_POE_REFRESH);
        bool early = false;
        const std::size_t askedBefore = Requests("GETNEXT").size();
        ASSERT_TRUE(Pump(
            [&] {
                const bool back = Enabled(d, IDC_POE_REFRESH) || Enabled(d, IDC_POE_APPLY);
                // Back only once the port table walk has read its last row.
                early = early || (back && Requests("GETNEXT").size() < askedBefore + 24);
                return back;
            },
            20000));
        EXPECT_FALSE(early);
        EXPECT_EQ(List(d).GetItemCount(), 24);
        EXPECT_EQ(ComboTexts(d, IDC_POE_TIME_RANGE), (std::vector<std::string>{"N/A", "Office", "Night", "Weekend"}));
    });
}

TEST_F(PoeConfigDialogTest, AFailedNamesWalkGivesTheButtonsBackAndLeavesThePortTableUnread)
{
    StartPoeSwitch();
    CPOEConfigDlg dialog;
    BoxRecorder boxes;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        const std::size_t asked = Requests("GETNEXT").size();
        ASSERT_TRUE(sim->SilenceFor(8000));
        ClickButton(d, IDC_POE_REFRESH);
        EXPECT_FALSE(Enabled(d, IDC_POE_APPLY));
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_POE_REFRESH) && Enabled(d, IDC_POE_APPLY); }, 20000));
        // The last complete reads stay.
        EXPECT_EQ(List(d).GetItemCount(), 24);
        EXPECT_EQ(ComboTexts(d, IDC_POE_TIME_RANGE), (std::vector<std::string>{"N/A", "Office", "Night", "Weekend"}));
        // A silent switch logs nothing; the port table was not asked for.
        const auto requests = Requests("GETNEXT");
        for (std::size_t i = asked; i < requests.size(); ++i)
            EXPECT_EQ(requests[i][0].rfind(kProfiles, 0), 0U) << requests[i][0];
    });
    // Said once, and the list is the last complete one.
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CReadReport::Text("the time profile names", true)});
}

TEST_F(PoeConfigDialogTest, MoreThanEightProfilesAreAllOfferedEachWithItsId)
{
    StartPoeSwitch();
    for (int index = 11; index <= 20; ++index) {
        ASSERT_EQ(sim->Set(ProfileOid(21, index), SnmpValueInteger, "4"), 0);
        ASSERT_EQ(sim->Set(ProfileOid(2, index), SnmpValueOctetString, "P" + std::to_string(index)), 0);
    }
    CPOEConfigDlg dialog;
    RunModal<CPOEConfigDlg>(dialog, [&](CPOEConfigDlg& d) {
        ASSERT_TRUE(WaitForTable(d));
        const auto names = ComboTexts(d, IDC_POE_TIME_RANGE);
        ASSERT_EQ(names.size(), 14U);
        EXPECT_EQ(names.back(), "P20");
        ChooseInCombo(d, IDC_POE_FROM_PORT, 0);
        ChooseInCombo(d, IDC_POE_TO_PORT, 0);
        Item<CComboBox>(d, IDC_POE_TIME_RANGE).SetCurSel(13);
        ClickButton(d, IDC_POE_APPLY);
        ASSERT_TRUE(WaitForTable(d));
        EXPECT_EQ(List(d).GetItemText(0, 2), "P20");
    });
    EXPECT_EQ(sim->Get(PortOid(4, 1)), "20");
}

} // namespace poe_test
