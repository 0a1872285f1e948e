// The Power Saving Settings dialog on the simulated switch: the summary and
// check boxes as read, the fields each kind and state shows, the bindings
// each Apply writes, the port lists refused before anything is sent, the
// profile names offered once their slow walk has ended, and a profile chosen
// by its exact name.
#include "common/CReadReport.h"
#include "features/poe_rmon/CPowerSaveDlg.h"
#include "poe/PoeTestSupport.h"
#include "resources/power_saving.h"

namespace power_saving_test {

using namespace poetest;

namespace {

const std::string kSavingRoot = "1.3.6.1.4.1.32473.10.76.19.1.31.";

std::string PsOid(const std::string& relative)
{
    return kSavingRoot + relative;
}

constexpr int kLed = 0, kPortShutoff = 1, kHibernation = 2;
constexpr int kEnabled = 0, kDisabled = 1;

CListCtrl& Summary(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_PS_SUMMARY);
}

std::vector<std::string> SummaryRows(CWnd& d)
{
    std::vector<std::string> rows;
    for (int row = 0; row < Summary(d).GetItemCount(); ++row) {
        std::string text;
        for (int col = 0; col < 5; ++col)
            text += (col ? "|" : "") + Summary(d).GetItemText(row, col);
        rows.push_back(text);
    }
    return rows;
}

std::vector<std::string> ComboEntries(CWnd& d, int id)
{
    CComboBox& box = Item<CComboBox>(d, id);
    std::vector<std::string> entries(static_cast<std::size_t>(box.GetCount()));
    for (int i = 0; i < box.GetCount(); ++i)
        box.GetLBText(i, entries[static_cast<std::size_t>(i)]);
    return entries;
}

// The form as a user fills it: the kind, the state, then the other fields.
struct Form
{
    int type;
    int state;
    std::string ports;
    int profile1 = 0; // position in the list: 0 "None", 1 "Office hours", 2 "Night"
    int profile2 = 0;
};

void Fill(CWnd& d, const Form& f)
{
    ChooseInCombo(d, IDC_PS_TYPE, f.type);
    ChooseInCombo(d, IDC_PS_STATE, f.state);
    if (f.type != kHibernation)
        d.GetDlgItem(IDC_PS_PORTS)->SetWindowText(f.ports);
    ChooseInCombo(d, IDC_PS_PROFILE1, f.profile1);
    ChooseInCombo(d, IDC_PS_PROFILE2, f.profile2);
}

class PowerSaveDialogTest : public PoeTest
{
protected:
    void StartSavingSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("power_saving.snmprec")}, 28);
    }
};

} // namespace

TEST_F(PowerSaveDialogTest, OpensWithTheSwitchsSettingsAndTheFormReset)
{
    StartSavingSwitch();
    CPowerSaveDlg dialog;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Power Saving Settings ");
        // Port standby is neither offered nor summarised; "None" reads as no
        // profile, an all-zero bitmap as no port.
        EXPECT_EQ(ComboEntries(d, IDC_PS_TYPE),
                  (std::vector<std::string>{"LED Shut-off", "Port Shut-off", "System Hibernation"}));
        EXPECT_EQ(SummaryRows(d), (std::vector<std::string>{"LED_Shutoff|Enabled|Office hours||1-3,5",
                                                             "Port_Shutoff|Disabled|||None",
                                                             "System_Hibernation|Enabled|Night||All Port"}));
        EXPECT_TRUE(Checked(d, IDC_PS_LINK_STATUS));
        EXPECT_FALSE(Checked(d, IDC_PS_CABLE_LENGTH));
        EXPECT_FALSE(d.GetDlgItem(IDC_PS_CABLE_LENGTH)->IsWindowVisible());
        // The row left waiting has no name.
        for (int id : {IDC_PS_PROFILE1, IDC_PS_PROFILE2}) {
            EXPECT_EQ(ComboEntries(d, id), (std::vector<std::string>{"None", "Office hours", "Night"}));
            EXPECT_EQ(ComboSelection(d, id), "None");
            EXPECT_FALSE(Enabled(d, id));
        }
        EXPECT_EQ(ComboSelection(d, IDC_PS_TYPE), "LED Shut-off");
        EXPECT_EQ(ComboSelection(d, IDC_PS_STATE), "Disabled");
        EXPECT_FALSE(Enabled(d, IDC_PS_PORTS));
        EXPECT_EQ(d.GetDlgItem(IDC_PS_PORTS)->GetWindowText(), "");
    });
}

TEST_F(PowerSaveDialogTest, EachKindShowsItsRecordAndTheStateEnablesTheFields)
{
    StartSavingSwitch();
    CPowerSaveDlg dialog;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        ChooseInCombo(d, IDC_PS_TYPE, kHibernation);
        EXPECT_EQ(d.GetDlgItem(IDC_PS_PORTS)->GetWindowText(), "All Port");
        EXPECT_EQ(ComboSelection(d, IDC_PS_STATE), "Enabled");
        EXPECT_EQ(ComboSelection(d, IDC_PS_PROFILE1), "Night");
        EXPECT_EQ(ComboSelection(d, IDC_PS_PROFILE2), "None");
        EXPECT_TRUE(Enabled(d, IDC_PS_PROFILE1));
        // Hibernation covers every port: its field stays shut.
        ChooseInCombo(d, IDC_PS_STATE, kDisabled);
        ChooseInCombo(d, IDC_PS_STATE, kEnabled);
        EXPECT_FALSE(Enabled(d, IDC_PS_PORTS));
        EXPECT_TRUE(Enabled(d, IDC_PS_PROFILE2));

        ChooseInCombo(d, IDC_PS_TYPE, kLed);
        EXPECT_EQ(d.GetDlgItem(IDC_PS_PORTS)->GetWindowText(), "1-3,5");
        EXPECT_EQ(ComboSelection(d, IDC_PS_PROFILE1), "Office hours");
        EXPECT_TRUE(Enabled(d, IDC_PS_PORTS));

        ChooseInCombo(d, IDC_PS_TYPE, kPortShutoff);
        EXPECT_EQ(ComboSelection(d, IDC_PS_STATE), "Disabled");
        EXPECT_FALSE(Enabled(d, IDC_PS_PORTS));
        EXPECT_FALSE(Enabled(d, IDC_PS_PROFILE1));
        ChooseInCombo(d, IDC_PS_STATE, kEnabled);
        EXPECT_TRUE(Enabled(d, IDC_PS_PORTS));
        EXPECT_TRUE(Enabled(d, IDC_PS_PROFILE1));
    });
}

TEST_F(PowerSaveDialogTest, ApplyWritesTheChosenKindOrRefusesItsPortList)
{
    auto state = [](int kind, const std::string& v) {
        return Int(PsOid(kind == 4 ? "4.1.0" : std::to_string(kind) + ".2.0"), v);
    };
    auto profiles = [](int kind, const std::string& first, const std::string& second) {
        if (kind == 4)
            return std::vector<std::string>{Text(PsOid("4.2.0"), first), Text(PsOid("4.3.0"), second)};
        const std::string k = std::to_string(kind);
        return std::vector<std::string>{Text(PsOid(k + ".3.0"), first), Text(PsOid(k + ".4.0"), second)};
    };
    auto ports = [](int kind, const std::string& hex) { return PsOid(std::to_string(kind) + ".1.0") + "|4x|" + hex; };
    auto join = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case
    {
        Form form;
        std::vector<std::string> bindings; // empty: refused
        std::string message;
    };
    const Case cases[] = {
        // The form of the hint; "None" goes as an empty name.
        {{kLed, kEnabled, "1-4,6", 2, 0},
         join({state(1, "1"), ports(1, "f4000000")}, profiles(1, "Night", "")), ""},
        {{kPortShutoff, kEnabled, "", 1, 2},
         join({state(2, "1"), ports(2, "00000000")}, profiles(2, "Office hours", "Night")), ""},
        {{kPortShutoff, kEnabled, " 27, 28 ", 0, 0}, join({state(2, "1"), ports(2, "00000030")}, profiles(2, "", "")),
         ""},
        // Disabled: only the state, whatever the other fields hold.
        {{kLed, kDisabled, "1-3", 1, 2}, {state(1, "2")}, ""},
        // Hibernation: no ports.
        {{kHibernation, kEnabled, "", 1, 2}, join({state(4, "1")}, profiles(4, "Office hours", "Night")), ""},
        {{kLed, kEnabled, "1;2"}, {}, "Invalid Portlist"},
        {{kLed, kEnabled, "1,a"}, {}, "Invalid Portlist"},
        {{kLed, kEnabled, "1.2"}, {}, "Invalid Portlist"},
        {{kLed, kEnabled, "29"}, {}, "Invalid Portlist"},
        {{kPortShutoff, kEnabled, "5-3"}, {}, "Invalid Portlist"},
    };
    StartSavingSwitch();
    CPowerSaveDlg dialog;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE("kind " + std::to_string(c.form.type) + " state " + std::to_string(c.form.state) +
                         " ports \"" + c.form.ports + "\"");
            BoxRecorder boxes;
            const std::size_t before = Sets().size();
            Fill(d, c.form);
            ClickButton(d, IDC_PS_APPLY);
            if (c.bindings.empty()) {
                EXPECT_EQ(SetsAfter(before), std::vector<std::vector<std::string>>{});
            } else {
                EXPECT_EQ(SetsAfter(before), std::vector<std::vector<std::string>>{c.bindings});
                // Read again: the form is reset.
                EXPECT_EQ(ComboSelection(d, IDC_PS_STATE), "Disabled");
                EXPECT_EQ(ComboSelection(d, IDC_PS_TYPE), "LED Shut-off");
            }
            EXPECT_EQ(boxes.Texts(),
                      c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        }
        // The summary shows what the switch holds now.
        EXPECT_EQ(SummaryRows(d), (std::vector<std::string>{"LED_Shutoff|Disabled|Night||1-4,6",
                                                             "Port_Shutoff|Enabled|||27-28",
                                                             "System_Hibernation|Enabled|Office hours|Night|All Port"}));
    });
}

TEST_F(PowerSaveDialogTest, LinkStatusDetectionIsWrittenAndReadBack)
{
    StartSavingSwitch();
    CPowerSaveDlg dialog;
    BoxRecorder boxes;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        ASSERT_TRUE(Checked(d, IDC_PS_LINK_STATUS));
        ClickButton(d, IDC_PS_LINK_STATUS);
        // A refused write is said and not read back: the box keeps the user's choice.
        ASSERT_TRUE(sim->RefuseNextSet(PsOid("6.0"), 5));
        const std::size_t gets = Requests("GET").size();
        ClickButton(d, IDC_PS_APPLY_GLOBAL);
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{
                      "Could not write the link status detection: the switch refused it (general error)."});
        EXPECT_EQ(Requests("GET").size(), gets);
        EXPECT_EQ(sim->Get(PsOid("6.0")), "1");
        ClickButton(d, IDC_PS_APPLY_GLOBAL);
        EXPECT_EQ(sim->Get(PsOid("6.0")), "2");
        EXPECT_GT(Requests("GET").size(), gets);
        EXPECT_FALSE(Checked(d, IDC_PS_LINK_STATUS));
        ClickButton(d, IDC_PS_LINK_STATUS);
        ClickButton(d, IDC_PS_APPLY_GLOBAL);
        EXPECT_EQ(sim->Get(PsOid("6.0")), "1");
    });
}

TEST_F(PowerSaveDialogTest, SlowlyArrivingNamesAreAllOfferedAndChosenByTheirExactName)
{
    StartSavingSwitch();
    // "Workday" comes before "Work": the first name that begins with "Work"
    // is not the one the kind names.
    ASSERT_EQ(sim->Set(ProfileOid(21, 4), SnmpValueInteger, "4"), 0);
    ASSERT_EQ(sim->Set(ProfileOid(2, 4), SnmpValueOctetString, "Workday"), 0);
    ASSERT_EQ(sim->Set(ProfileOid(21, 5), SnmpValueInteger, "4"), 0);
    ASSERT_EQ(sim->Set(ProfileOid(2, 5), SnmpValueOctetString, "Work"), 0);
    ASSERT_EQ(sim->Set(PsOid("1.3.0"), SnmpValueOctetString, "Work"), 0);
    ASSERT_EQ(sim->Set(PsOid("1.4.0"), SnmpValueOctetString, "Workday"), 0);
    ASSERT_EQ(sim->Set(PsOid("2.3.0"), SnmpValueOctetString, "work"), 0);
    ASSERT_TRUE(sim->SetReplyDelay(300));
    CPowerSaveDlg dialog;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        EXPECT_EQ(ComboEntries(d, IDC_PS_PROFILE1),
                  (std::vector<std::string>{"None", "Office hours", "Night", "Workday", "Work"}));
        ChooseInCombo(d, IDC_PS_TYPE, kLed);
        EXPECT_EQ(ComboSelection(d, IDC_PS_PROFILE1), "Work");
        EXPECT_EQ(ComboSelection(d, IDC_PS_PROFILE2), "Workday");
        // Case counts: "work" is no profile the lists offer.
        ChooseInCombo(d, IDC_PS_TYPE, kPortShutoff);
        EXPECT_EQ(ComboSelection(d, IDC_PS_PROFILE1), "");
        ChooseInCombo(d, IDC_PS_TYPE, kLed);
        ASSERT_TRUE(sim->SetReplyDelay(0));
        const std::size_t before = Sets().size();
        ClickButton(d, IDC_PS_APPLY);
        ASSERT_EQ(SetsAfter(before).size(), 1U);
        EXPECT_EQ(SetsAfter(before)[0][2], Text(PsOid("1.3.0"), "Work"));
        EXPECT_EQ(SetsAfter(before)[0][3], Text(PsOid("1.4.0"), "Workday"));
        // A name the lists do not offer goes back as it was read, not empty.
        ChooseInCombo(d, IDC_PS_TYPE, kPortShutoff);
        ChooseInCombo(d, IDC_PS_STATE, kEnabled);
        d.GetDlgItem(IDC_PS_PORTS)->SetWindowText("3");
        ClickButton(d, IDC_PS_APPLY);
        ASSERT_EQ(SetsAfter(before).size(), 2U);
        EXPECT_EQ(SetsAfter(before)[1][2], Text(PsOid("2.3.0"), "work"));
    });
    EXPECT_EQ(sim->Get(PsOid("1.3.0")), "Work");
}

TEST_F(PowerSaveDialogTest, NothingIsWrittenBeforeASuccessfulRead)
{
    StartSavingSwitch();
    ASSERT_TRUE(sim->SilenceFor(6000));
    CPowerSaveDlg dialog;
    BoxRecorder boxes;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        // The failed read leaves the summary empty; the form's defaults
        // (LED shut-off, "Disabled") are not the switch's.
        EXPECT_EQ(Summary(d).GetItemCount(), 0);
        ClickButton(d, IDC_PS_APPLY);
        ClickButton(d, IDC_PS_APPLY_GLOBAL);
        EXPECT_EQ(Sets(), std::vector<std::vector<std::string>>{});
    });
    // The silent switch is said once (its names are not asked for as well),
    // and each Apply says why it wrote nothing.
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{CReadReport::Text("the power saving settings", false),
                                                               CReadReport::UnreadText("the power saving settings"),
                                                               CReadReport::UnreadText("the link status detection")}));
}

// States outside enabled/disabled are
// unknown: shown empty, and nothing the switch did not give is written back.
TEST_F(PowerSaveDialogTest, ValuesTheSwitchCannotMeanAreUnknownAndNotWrittenBack)
{
    StartSavingSwitch();
    ASSERT_EQ(sim->Set(PsOid("1.2.0"), SnmpValueInteger, "7"), 0);
    ASSERT_EQ(sim->Set(PsOid("6.0"), SnmpValueInteger, "0"), 0);
    const std::size_t before = Sets().size();
    CPowerSaveDlg dialog;
    BoxRecorder boxes;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        EXPECT_EQ(SummaryRows(d), (std::vector<std::string>{"LED_Shutoff||Office hours||1-3,5",
                                                             "Port_Shutoff|Disabled|||None",
                                                             "System_Hibernation|Enabled|Night||All Port"}));
        EXPECT_FALSE(Checked(d, IDC_PS_LINK_STATUS));
        ChooseInCombo(d, IDC_PS_TYPE, kLed);
        EXPECT_EQ(ComboSelection(d, IDC_PS_STATE), "");
        ClickButton(d, IDC_PS_APPLY);
        ClickButton(d, IDC_PS_APPLY_GLOBAL);
        EXPECT_TRUE(SetsAfter(before).empty());
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{CReadReport::UnreadText("the power saving settings"),
                                                               CReadReport::UnreadText("the link status detection")}));
}

// A write the switch refuses or leaves unanswered is said; after a silent
// switch the dialog does not read again.
TEST_F(PowerSaveDialogTest, ARefusedOrUnansweredWriteIsSaid)
{
    StartSavingSwitch();
    CPowerSaveDlg dialog;
    BoxRecorder boxes;
    RunModal<CPowerSaveDlg>(dialog, [&](CPowerSaveDlg& d) {
        ASSERT_TRUE(sim->RefuseNextSet(PsOid("6.0"), 5));
        ClickButton(d, IDC_PS_LINK_STATUS);
        ClickButton(d, IDC_PS_APPLY_GLOBAL);
        Fill(d, {kLed, kDisabled, ""});
        ASSERT_TRUE(sim->SilenceFor(6000));
        ClickButton(d, IDC_PS_APPLY);
    });
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{
                  "Could not write the link status detection: the switch refused it (general error).",
                  "Could not write the power saving settings: the switch did not answer."}));
    ASSERT_TRUE(Pump([&] { std::string v; return sim->Get(PsOid("6.0"), v); }, 10000));
    EXPECT_EQ(sim->Get(PsOid("6.0")), "1");
}

} // namespace power_saving_test
