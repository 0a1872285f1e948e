// The syslog, CLI and Telnet settings dialogs of the older branch on the
// simulated switch: what they read, what Apply writes, Apply refused before a
// read, and nothing sent under another SNMP version (the Telnet session status
// over SNMPv3 too).
#include "legacy/CCLIControlDlg.h"
#include "legacy/CRmonControlDlg.h"
#include "legacy/CSyslogCfgDlg.h"
#include "legacy/CTelnetCfgDlg.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"

#include <fstream>
#include <functional>

namespace legacy_cfg_test {

using namespace legacytest;

namespace {

std::string Older(const std::string& relative)
{
    return KorvelOid("10.94.89.89." + relative);
}

std::string BoxText(CWnd& d, int id)
{
    return d.GetDlgItem(id)->GetWindowText();
}

bool Checked(CWnd& d, int id)
{
    return Item<CButton>(d, id).GetCheck() == BST_CHECKED;
}

class LegacySettingsTest : public LegacyTest
{
protected:
    void TearDown() override
    {
        SetMessageBoxHook({});
        LegacyTest::TearDown();
    }
};

} // namespace

TEST_F(LegacySettingsTest, SyslogSettingsAreReadAndWrittenWhole)
{
    StartLegacySwitch();
    CSyslogCfgDlg dialog;
    RunModal<CSyslogCfgDlg>(dialog, [&](CSyslogCfgDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return ComboSelection(d, IDC_SYSCFG_CACHE) == "NotActive"; }));
        EXPECT_EQ(d.GetWindowText(), "Syslog Configuration");
        EXPECT_TRUE(Checked(d, IDC_SYSCFG_ENABLE));
        EXPECT_EQ(ComboSelection(d, IDC_SYSCFG_CONSOLE), "Error");
        EXPECT_EQ(ComboSelection(d, IDC_SYSCFG_FILE), "Info");

        ChooseInCombo(d, IDC_SYSCFG_CONSOLE, 7);
        ChooseInCombo(d, IDC_SYSCFG_FILE, 8);
        ChooseInCombo(d, IDC_SYSCFG_CACHE, 0);
        ClickButton(d, IDC_SYSCFG_ENABLE);
        ClickButton(d, IDC_SYSCFG_APPLY);
        EXPECT_TRUE(IsWindow(d.GetSafeHwnd())) << "Apply keeps the dialog open";
        EXPECT_EQ(sim->Get(Older("82.2.1.0")), "2");
        EXPECT_EQ(sim->Get(Older("82.2.2.0")), "7");
        EXPECT_EQ(sim->Get(Older("82.2.3.0")), "8");
        EXPECT_EQ(sim->Get(Older("82.2.4.0")), "0");

    });
}

// A data file that serves one object with the value (and type) given.
std::string ServedAs(const std::string& oid, int type, const std::string& value)
{
    const std::string path = testing::TempDir() + "legcfg_served_" + std::to_string(type) + "_" +
                             std::to_string(std::hash<std::string>{}(oid + value)) + ".snmprec";
    std::ofstream(path) << oid << "|" << type << "|" << value << "\n";
    return path;
}

// A value the switch cannot mean (outside its set or range, or of another
// type) is shown as unknown, and Apply is refused with the house message
// until a read brings every written value: nothing is sent.
TEST_F(LegacySettingsTest, ValuesTheSwitchCannotMeanAreUnknownAndNeverWritten)
{
    enum Dialog { kSyslog, kCli, kRmon };
    struct Case
    {
        Dialog dialog;
        const char* oid;
        int type;
        const char* value;
        int control; // the box or list left empty; 0 for the syslog state box
    };
    const Case cases[] = {
        {kSyslog, "82.2.3.0", 2, "9", IDC_SYSCFG_FILE},
        {kSyslog, "82.2.2.0", 2, "-1", IDC_SYSCFG_CONSOLE},
        {kSyslog, "82.2.4.0", 4, "3", IDC_SYSCFG_CACHE},
        {kSyslog, "82.2.1.0", 2, "2147483647", 0},
        {kCli, "74.2.0", 2, "-5", IDC_CLI_TIMEOUT},
        {kCli, "74.4.0", 4, "20", IDC_CLI_HISTORY_SIZE},
        {kCli, "74.3.0", 2, "0", 0},
        {kRmon, "49.6.0", 4, "50", IDC_INFO_EDIT_1312},
    };
    const char* const unread[] = {"The syslog settings", "The CLI settings", "The RMON control settings"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.oid + std::string(" = ") + c.value);
        StartLegacySwitch({ServedAs(Older(c.oid), c.type, c.value)});
        BoxRecorder boxes;
        auto act = [&](CWnd& d, int probe, int apply) {
            // The read has arrived once a box it always fills is filled.
            ASSERT_TRUE(PumpPosted([&] { return !BoxText(d, probe).empty(); }));
            if (c.control != 0) {
                EXPECT_EQ(BoxText(d, c.control), "");
            }
            ClickButton(d, apply);
        };
        if (c.dialog == kSyslog) {
            CSyslogCfgDlg dialog;
            RunModal<CSyslogCfgDlg>(dialog, [&](CSyslogCfgDlg& d) {
                const int probe = c.control == IDC_SYSCFG_CONSOLE ? IDC_SYSCFG_FILE : IDC_SYSCFG_CONSOLE;
                ASSERT_TRUE(PumpPosted([&] { return !ComboSelection(d, probe).empty(); }));
                if (c.control != 0) {
                    EXPECT_EQ(ComboSelection(d, c.control), "");
                } else {
                    EXPECT_FALSE(Checked(d, IDC_SYSCFG_ENABLE));
                }
                ClickButton(d, IDC_SYSCFG_APPLY);
            });
        } else if (c.dialog == kCli) {
            CCLIControlDlg dialog;
            RunModal<CCLIControlDlg>(dialog, [&](CCLIControlDlg& d) {
                act(d, IDC_CLI_SSH_HISTORY_SIZE, IDC_CLI_APPLY);
                if (c.control == 0) {
                    EXPECT_FALSE(Checked(d, IDC_CLI_HISTORY_ENABLE));
                }
            });
        } else {
            CRmonControlDlg dialog;
            RunModal<CRmonControlDlg>(dialog, [&](CRmonControlDlg& d) { act(d, IDC_INFO_EDIT_1310, IDC_INFO_APPLY); });
        }
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text,
                  std::string(unread[c.dialog]) + " could not be read from the switch. Press Refresh and try again.");
        EXPECT_TRUE(Requests("SET").empty());
        sim.reset();
    }
}

TEST_F(LegacySettingsTest, SyslogApplyWritesNothingBeforeARead)
{
    StartLegacySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(4000));
    BoxRecorder boxes;
    CSyslogCfgDlg dialog;
    RunModal<CSyslogCfgDlg>(dialog, [&](CSyslogCfgDlg& d) {
        ClickButton(d, IDC_SYSCFG_APPLY);
        EXPECT_TRUE(Requests("SET").empty());
        EXPECT_EQ(ComboSelection(d, IDC_SYSCFG_CONSOLE), "");
    });
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text,
              "The syslog settings could not be read from the switch. Press Refresh and try again.");
}

TEST_F(LegacySettingsTest, SettingsDialogsSendNothingUnderSnmpV3)
{
    StartLegacySwitch();
    UseV3(kAuthPriv);
    CSyslogCfgDlg syslog;
    RunModal<CSyslogCfgDlg>(syslog, [&](CSyslogCfgDlg& d) {
        PumpPosted([] { return false; }, 300);
        ClickButton(d, IDC_SYSCFG_REFRESH);
        ClickButton(d, IDC_SYSCFG_APPLY);
        EXPECT_EQ(ComboSelection(d, IDC_SYSCFG_CONSOLE), "");
        EXPECT_FALSE(Checked(d, IDC_SYSCFG_ENABLE));
    });
    CCLIControlDlg cli;
    RunModal<CCLIControlDlg>(cli, [&](CCLIControlDlg& d) {
        PumpPosted([] { return false; }, 300);
        ClickButton(d, IDC_CLI_REFRESH);
        ClickButton(d, IDC_CLI_APPLY);
        EXPECT_EQ(BoxText(d, IDC_CLI_TIMEOUT), "");
    });
    CTelnetCfgDlg telnet;
    RunModal<CTelnetCfgDlg>(telnet, [&](CTelnetCfgDlg& d) {
        // The session walk runs over SNMPv3; the settings are SNMPv1 only.
        EXPECT_EQ(List(d, IDC_TELNET_SESSION_LIST).GetItemCount(), 3);
        d.GetDlgItem(IDC_TELNET_TIMEOUT)->SetWindowText("30");
        ClickButton(d, IDC_TELNET_APPLY_SETTINGS);
        EXPECT_EQ(BoxText(d, IDC_TELNET_PASSWORD), "");
    });
    EXPECT_TRUE(Requests("SET").empty());
    for (const auto& request : Requests("GET"))
        for (const std::string& binding : request)
            EXPECT_EQ(binding.find(Older("58.2")), std::string::npos) << binding;
    g_strSnmpVersion = "2";
    CSyslogCfgDlg other;
    RunModal<CSyslogCfgDlg>(other, [&](CSyslogCfgDlg& d) {
        PumpPosted([] { return false; }, 300);
        ClickButton(d, IDC_SYSCFG_APPLY);
    });
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(LegacySettingsTest, CliSettingsAreReadAndTheWritableSixWritten)
{
    StartLegacySwitch();
    CCLIControlDlg dialog;
    RunModal<CCLIControlDlg>(dialog, [&](CCLIControlDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return BoxText(d, IDC_CLI_SSH_HISTORY_SIZE) == "25"; }));
        EXPECT_EQ(d.GetWindowText(), "CLI Configuration");
        const std::pair<int, const char*> boxes[] = {{IDC_CLI_TIMEOUT, "300"},        {IDC_CLI_HISTORY_SIZE, "20"},
                                                     {IDC_CLI_SSH_TIMEOUT, "600"},    {IDC_CLI_TELNET_TIMEOUT, "900"},
                                                     {IDC_CLI_TELNET_HISTORY_SIZE, "15"}};
        for (const auto& [id, text] : boxes)
            EXPECT_EQ(BoxText(d, id), text) << id;
        EXPECT_TRUE(Checked(d, IDC_CLI_HISTORY_ENABLE));
        EXPECT_FALSE(Checked(d, IDC_CLI_TELNET_HISTORY_ENABLE));
        EXPECT_TRUE(Checked(d, IDC_CLI_SSH_HISTORY_ENABLE));
        EXPECT_FALSE(Enabled(d, IDC_CLI_TELNET_TIMEOUT));
        EXPECT_EQ(Item<CEdit>(d, IDC_CLI_TIMEOUT).GetLimitText(), 32u);
        EXPECT_EQ(Item<CEdit>(d, IDC_CLI_HISTORY_SIZE).GetLimitText(), 32u);

        d.GetDlgItem(IDC_CLI_TIMEOUT)->SetWindowText("450");
        d.GetDlgItem(IDC_CLI_SSH_TIMEOUT)->SetWindowText("1200");
        ClickButton(d, IDC_CLI_HISTORY_ENABLE);
        ClickButton(d, IDC_CLI_APPLY);
        EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
    });
    const std::pair<const char*, const char*> written[] = {{"74.2.0", "450"}, {"74.3.0", "2"},  {"74.4.0", "20"},
                                                          {"74.6.0", "1200"}, {"74.7.0", "900"}, {"74.8.0", "2"}};
    for (const auto& [oid, value] : written)
        EXPECT_EQ(sim->Get(Older(oid)), value) << oid;
    ASSERT_EQ(Requests("SET").size(), 1u);
    EXPECT_EQ(Requests("SET")[0].size(), 6u) << "the read-only three are never written";
}

TEST_F(LegacySettingsTest, CliRefusesNumbersThatAreNotDecimal)
{
    StartLegacySwitch();
    std::vector<std::string> messages;
    SetMessageBoxHook([&](const MessageBoxCall& call) {
        messages.push_back(call.text);
        return IDOK;
    });
    CCLIControlDlg dialog;
    RunModal<CCLIControlDlg>(dialog, [&](CCLIControlDlg& d) {
        ASSERT_TRUE(PumpPosted([&] { return BoxText(d, IDC_CLI_TIMEOUT) == "300"; }));
        const std::pair<int, const char*> cases[] = {
            {IDC_CLI_TIMEOUT, "12a"}, {IDC_CLI_HISTORY_SIZE, ""}, {IDC_CLI_SSH_TIMEOUT, "-5"}, {IDC_CLI_TIMEOUT, "4294967296"}};
        for (const auto& [id, text] : cases) {
            const std::string before = BoxText(d, id);
            d.GetDlgItem(id)->SetWindowText(text);
            ClickButton(d, IDC_CLI_APPLY);
            d.GetDlgItem(id)->SetWindowText(before);
        }
    });
    EXPECT_EQ(messages.size(), 4u);
    if (!messages.empty()) {
        EXPECT_EQ(messages[0], "CliTimeout must be a decimal number.");
    }
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(LegacySettingsTest, TelnetSessionsSettingsAndWrites)
{
    StartLegacySwitch();
    CTelnetCfgDlg dialog;
    RunModal<CTelnetCfgDlg>(dialog, [&](CTelnetCfgDlg& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_TELNET_SESSION_LIST, 3));
        ASSERT_TRUE(PumpPosted([&] { return BoxText(d, IDC_TELNET_TIMEOUT) == "10"; }));
        EXPECT_EQ(BoxText(d, IDC_TELNET_PASSWORD), "telnet-pass");
        EXPECT_EQ(ListRows(d, IDC_TELNET_SESSION_LIST),
                  (Rows{{"1", "192.168.0.21", "2026-12-10 08:15:02", "Connected"},
                        {"2", "192.168.0.34", "2026-12-10 09:40:51", "Unconnected"},
                        {"3", "10.20.0.7", "2026-12-10 11:02:17", "Connected"}}));

        // Session Apply with no session chosen sends nothing.
        ClickButton(d, IDC_TELNET_APPLY_STATUS);
        EXPECT_TRUE(Requests("SET").empty());

        ClickRow(List(d, IDC_TELNET_SESSION_LIST), 1);
        EXPECT_EQ(BoxText(d, IDC_TELNET_SESSION_ID), "2");
        EXPECT_TRUE(PumpPosted([&] { return !d.ScalarPending(); }));
        EXPECT_EQ(ComboSelection(d, IDC_TELNET_STATUS), "UnConnected");

        ClickRow(List(d, IDC_TELNET_SESSION_LIST), 0);
        EXPECT_TRUE(PumpPosted([&] { return !d.ScalarPending(); }));
        EXPECT_EQ(ComboSelection(d, IDC_TELNET_STATUS), "Connected");
        ChooseInCombo(d, IDC_TELNET_STATUS, 1);
        ClickButton(d, IDC_TELNET_APPLY_STATUS);
        // The list is read again once the write has answered.
        ASSERT_TRUE(PumpPosted([&] {
            return !d.ScalarPending() && !d.WalkRunning() &&
                   List(d, IDC_TELNET_SESSION_LIST).GetItemCount() == 3 &&
                   List(d, IDC_TELNET_SESSION_LIST).GetItemText(0, 3) == "Unconnected";
        }));
        EXPECT_EQ(sim->Get(Older("58.4.1.4.1")), "2");

        // A time-out write does not cut a session walk short.
        ClickButton(d, IDC_TELNET_REFRESH);
        d.GetDlgItem(IDC_TELNET_TIMEOUT)->SetWindowText("25");
        ClickButton(d, IDC_TELNET_APPLY_SETTINGS);
        ASSERT_TRUE(PumpPosted([&] { return !d.ScalarPending() && !d.WalkRunning(); }));
        EXPECT_EQ(List(d, IDC_TELNET_SESSION_LIST).GetItemCount(), 3);
        EXPECT_EQ(sim->Get(Older("58.3.0")), "25");
        EXPECT_EQ(BoxText(d, IDC_TELNET_TIMEOUT), "25");
    });
}

// The Telnet time-out: text that is not a number is refused before anything
// goes out, a refused write is said, and a session clicked while the write
// is out neither replaces it nor loses its read-back.
TEST_F(LegacySettingsTest, TelnetTimeoutRefusalsAndAClickDuringTheWrite)
{
    StartLegacySwitch();
    BoxRecorder boxes;
    CTelnetCfgDlg dialog;
    RunModal<CTelnetCfgDlg>(dialog, [&](CTelnetCfgDlg& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_TELNET_SESSION_LIST, 3));
        ASSERT_TRUE(PumpPosted([&] { return BoxText(d, IDC_TELNET_TIMEOUT) == "10"; }));
        for (const char* text : {"abc", "", "-3", "12x"}) {
            d.GetDlgItem(IDC_TELNET_TIMEOUT)->SetWindowText(text);
            ClickButton(d, IDC_TELNET_APPLY_SETTINGS);
        }
        EXPECT_TRUE(Requests("SET").empty());

        ASSERT_TRUE(sim->RefuseNextSet(Older("58.3.0"), 3));
        d.GetDlgItem(IDC_TELNET_TIMEOUT)->SetWindowText("25");
        ClickButton(d, IDC_TELNET_APPLY_SETTINGS);
        // The read-back shows what the switch kept.
        ASSERT_TRUE(PumpPosted([&] { return !d.ScalarPending() && BoxText(d, IDC_TELNET_TIMEOUT) == "10"; }));

        ASSERT_TRUE(sim->SetReplyDelay(300));
        d.GetDlgItem(IDC_TELNET_TIMEOUT)->SetWindowText("30");
        ClickButton(d, IDC_TELNET_APPLY_SETTINGS);
        ASSERT_TRUE(d.ScalarPending());
        ClickRow(List(d, IDC_TELNET_SESSION_LIST), 1);
        const auto statusReads = [&] {
            std::size_t n = 0;
            for (const auto& request : Requests("GET"))
                n += request.size() == 1 && request[0].rfind(Older("58.4.1.4.2"), 0) == 0 ? 1 : 0;
            return n;
        };
        ASSERT_TRUE(PumpPosted([&] { return statusReads() == 1 && !d.ScalarPending(); }, 10000));
        EXPECT_EQ(BoxText(d, IDC_TELNET_TIMEOUT), "30");
        EXPECT_EQ(sim->Get(Older("58.3.0")), "30");
    });
    std::vector<std::string> expected(4, "Timeout must be a decimal number.");
    expected.push_back("Could not write the Telnet time-out: the switch refused it (bad value).");
    std::vector<std::string> shown;
    for (const auto& call : boxes.Calls())
        shown.push_back(call.text);
    EXPECT_EQ(shown, expected);
}

TEST_F(LegacySettingsTest, TelnetSessionStatusOverSnmpV3)
{
    StartLegacySwitch();
    ASSERT_EQ(sim->Set(Older("58.4.1.4.3"), SnmpValueInteger, "3"), 0);
    UseV3(kAuthPriv);
    CTelnetCfgDlg dialog;
    RunModal<CTelnetCfgDlg>(dialog, [&](CTelnetCfgDlg& d) {
        ASSERT_EQ(List(d, IDC_TELNET_SESSION_LIST).GetItemCount(), 3);
        // A status other than 1 shows as "Unconnected".
        EXPECT_EQ(List(d, IDC_TELNET_SESSION_LIST).GetItemText(2, 3), "Unconnected");
        ClickRow(List(d, IDC_TELNET_SESSION_LIST), 2);
        EXPECT_EQ(BoxText(d, IDC_TELNET_SESSION_ID), "3");
        EXPECT_EQ(ComboSelection(d, IDC_TELNET_STATUS), "UnConnected");
        ChooseInCombo(d, IDC_TELNET_STATUS, 0);
        ClickButton(d, IDC_TELNET_APPLY_STATUS);
        EXPECT_EQ(List(d, IDC_TELNET_SESSION_LIST).GetItemText(2, 3), "Connected");
    });
    EXPECT_EQ(sim->Get(Older("58.4.1.4.3")), "1");
}

} // namespace legacy_cfg_test
