// The syslog host configuration on the simulated switch: the settings and the
// last server row shown, Apply's checks and writes (port range, link-local
// addresses and their interface names, the not-active row replaced), the
// state Apply, refusals, and a failed read that must not switch syslog off.
#include "features/agent_tools/CSyslogHostCfgDlg.h"
#include "resources/syslog.h"
#include "support/FeatureDialogTest.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"

#include <QApplication>
#include <QKeyEvent>

namespace syslog_test {

namespace {

const std::string kSyslog = "1.3.6.1.4.1.32473.10.76.19.1.16.2";
const std::string kState = kSyslog + ".1.0";
const std::string kTimeStamp = kSyslog + ".2.0";
const std::string kSeverity = kSyslog + ".3.0";
const std::string kFacility = kSyslog + ".4.0";
const std::string kPort = kSyslog + ".5.1.3";
const std::string kZone = kSyslog + ".5.1.4";
const std::string kRowStatus = kSyslog + ".5.1.5";
const std::string kRow10009 = ".1.4.10.0.0.9";
const std::string kRowFe805 = ".2.16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.5";

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/syslog/fixtures/" + name;
}

void TypeDigits(CWnd& edit, const std::string& text)
{
    for (QChar ch : QString::fromStdString(text)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.GetWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.GetWidget(), &release);
    }
}

class SyslogHostTest : public FeatureDialogTest
{
protected:
    void StartSyslog(const std::string& fixture)
    {
        StartSwitch({KorvelSimulator::BaseData(), Fixture(fixture)}, 28);
    }
    // The SETs the switch received after the first `skip`, one text per
    // request with its bindings joined by " ".
    std::vector<std::string> Sets(std::size_t skip = 0) const
    {
        std::vector<std::string> sets;
        for (const auto& request : Requests("SET")) {
            std::string text;
            for (const std::string& binding : request)
                text += (text.empty() ? "" : " ") + binding;
            sets.push_back(text);
        }
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
    // The read has ended: the settings reply and the server walk's end.
    bool ReadDone(std::size_t gets, std::size_t walkSteps)
    {
        return Pump([&] { return Requests("GET").size() >= gets && Requests("GETNEXT").size() >= walkSteps; },
                    15000) &&
               (PumpFor(300), true);
    }
};

} // namespace

TEST_F(SyslogHostTest, ShowsTheSettingsAndWritesThemBack)
{
    StartSyslog("syslog.snmprec");
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(ReadDone(1, 2));
        EXPECT_EQ(Item<CButton>(d, IDC_SYSLOG_ENABLE).GetCheck(), BST_CHECKED);
        EXPECT_EQ(ComboSelection(d, IDC_SYSLOG_SEVERITY), "Informational");
        EXPECT_EQ(ComboSelection(d, IDC_SYSLOG_FACILITY), "Local4");
        EXPECT_EQ(ComboSelection(d, IDC_SYSLOG_TIME_STAMP), "Disabled");
        EXPECT_EQ(Text(d, IDC_SYSLOG_SERVER), "10.0.0.9");
        EXPECT_EQ(Text(d, IDC_SYSLOG_PORT), "5514");
        EXPECT_TRUE(Enabled(d, IDC_SYSLOG_APPLY));
        EXPECT_TRUE(Enabled(d, IDC_SYSLOG_SERVER));

        ClickButton(d, IDC_SYSLOG_APPLY);
        EXPECT_EQ(Sets(), (std::vector<std::string>{
                              kRowStatus + kRow10009 + "|2|6", kRowStatus + kRow10009 + "|2|5",
                              kPort + kRow10009 + "|2|5514", kRowStatus + kRow10009 + "|2|1",
                              kSeverity + "|2|6 " + kFacility + "|2|160 " + kTimeStamp + "|2|2"}));
        EXPECT_EQ(sim->Get(kPort + kRow10009), "5514");
        EXPECT_EQ(sim->Get(kRowStatus + kRow10009), "1");
    });
}

TEST_F(SyslogHostTest, RefusesBadInputAndWritesNothing)
{
    struct Case
    {
        const char* address;
        const char* port;
        const char* message;
    };
    const Case cases[] = {
        {"10.0.0.20", "", "Invalid UDP port range (1-65535)"},
        {"10.0.0.20", "0", "Invalid UDP port range (1-65535)"},
        {"10.0.0.256", "514", "Invalid Syslog Sever IP address."},
        {"fe80::5", "514", "Invalid Syslog Sever IP address."},
        {"fe80::5%", "514", "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName"},
        {"fe80::5%bad#name", "514", "Invalid Interface Name. "},
        {"FE80::5%bad#name", "514", "Invalid Interface Name. "},
        {"fe80::5%averyveryverylonginterface", "514", "Interface name too long."},
    };
    StartSyslog("syslog.snmprec");
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(ReadDone(1, 2));
        for (const Case& c : cases) {
            d.GetDlgItem(IDC_SYSLOG_SERVER)->SetWindowText(c.address);
            d.GetDlgItem(IDC_SYSLOG_PORT)->SetWindowText(c.port);
            BoxRecorder boxes;
            ClickButton(d, IDC_SYSLOG_APPLY);
            const auto calls = boxes.Calls();
            ASSERT_EQ(calls.size(), 1U) << c.address << " " << c.port;
            EXPECT_EQ(calls[0].text, c.message) << c.address << " " << c.port;
            ASSERT_TRUE(ReadDone(0, 0));
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(SyslogHostTest, PortTakesFiveDigitsAndUpTo65535)
{
    StartSyslog("syslog.snmprec");
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(ReadDone(1, 2));
        CWnd& port = *d.GetDlgItem(IDC_SYSLOG_PORT);
        port.SetWindowText("");
        TypeDigits(port, "655359");
        EXPECT_EQ(port.GetWindowText(), "65535");
        d.GetDlgItem(IDC_SYSLOG_SERVER)->SetWindowText("10.0.0.20");
        BoxRecorder boxes;
        ClickButton(d, IDC_SYSLOG_APPLY);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(sim->Get(kPort + ".1.4.10.0.0.20"), "65535");
        EXPECT_EQ(sim->Get(kRowStatus + ".1.4.10.0.0.20"), "1");
        EXPECT_FALSE(sim->Has(kRowStatus + kRow10009)) << "the old server is replaced";
    });
}

TEST_F(SyslogHostTest, LinkLocalServerIsWrittenWithItsInterfaceName)
{
    for (const char* typed : {"fe80::5%eth1", "FE80::5%eth1"}) {
        StartSyslog("syslog.snmprec");
        CSyslogHostCfgDlg dialog;
        RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
            ASSERT_TRUE(ReadDone(1, 2));
            d.GetDlgItem(IDC_SYSLOG_SERVER)->SetWindowText(typed);
            d.GetDlgItem(IDC_SYSLOG_PORT)->SetWindowText("514");
            BoxRecorder boxes;
            ClickButton(d, IDC_SYSLOG_APPLY);
            EXPECT_TRUE(boxes.Calls().empty()) << typed;
            EXPECT_EQ(sim->Get(kZone + kRowFe805), "eth1") << typed;
            EXPECT_EQ(sim->Get(kRowStatus + kRowFe805), "1") << typed;
            // The re-read shows the server with its interface name.
            ASSERT_TRUE(Pump([&] { return Text(d, IDC_SYSLOG_SERVER) == "fe80::5%eth1"; }, 15000)) << typed;
        });
        sim.reset();
    }
}

TEST_F(SyslogHostTest, NotActiveLastRowIsShownAsZeroAndReplaced)
{
    StartSyslog("inactive-last.snmprec");
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(ReadDone(1, 3));
        EXPECT_EQ(Text(d, IDC_SYSLOG_SERVER), "0.0.0.0");
        EXPECT_EQ(Text(d, IDC_SYSLOG_PORT), "0");
        d.GetDlgItem(IDC_SYSLOG_SERVER)->SetWindowText("10.0.0.30");
        d.GetDlgItem(IDC_SYSLOG_PORT)->SetWindowText("514");
        ClickButton(d, IDC_SYSLOG_APPLY);
        const auto sets = Sets();
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets[0], kRowStatus + kRowFe805 + "|2|6");
        EXPECT_FALSE(sim->Has(kRowStatus + kRowFe805));
        EXPECT_EQ(sim->Get(kRowStatus + ".1.4.10.0.0.30"), "1");
        EXPECT_EQ(sim->Get(kRowStatus + kRow10009), "1") << "only the row read last is replaced";
    });
}

TEST_F(SyslogHostTest, ARefusedNewServerIsReportedAndTheOldOneKept)
{
    StartSyslog("syslog.snmprec");
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(ReadDone(1, 2));
        d.GetDlgItem(IDC_SYSLOG_SERVER)->SetWindowText("10.0.0.40");
        ASSERT_TRUE(sim->RefuseNextSet(kRowStatus + ".1.4.10.0.0.40", 5));
        BoxRecorder boxes;
        ClickButton(d, IDC_SYSLOG_APPLY);
        const auto calls = boxes.Calls();
        ASSERT_EQ(calls.size(), 1U);
        EXPECT_EQ(calls[0].text, "Could not write the syslog server 10.0.0.40: the switch refused it (general error).\n"
                                 "The syslog server 10.0.0.9 was kept.");
        EXPECT_FALSE(sim->Has(kRowStatus + ".1.4.10.0.0.40"));
        // The old server goes first; after the refused step only the old
        // server is put back as it was read, and the settings are not written.
        EXPECT_EQ(Sets(), (std::vector<std::string>{
                              kRowStatus + kRow10009 + "|2|6", kRowStatus + ".1.4.10.0.0.40|2|5",
                              kRowStatus + kRow10009 + "|2|5", kPort + kRow10009 + "|2|5514",
                              kRowStatus + kRow10009 + "|2|1"}));
        EXPECT_EQ(sim->Get(kRowStatus + kRow10009), "1");
        EXPECT_EQ(sim->Get(kPort + kRow10009), "5514");
    });
}

TEST_F(SyslogHostTest, StateApplyWritesAndTheReReadDisablesTheSettings)
{
    StartSyslog("syslog.snmprec");
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(ReadDone(1, 2));
        ClickButton(d, IDC_SYSLOG_ENABLE);
        EXPECT_FALSE(Enabled(d, IDC_SYSLOG_SERVER));
        EXPECT_TRUE(Enabled(d, IDC_SYSLOG_APPLY)) << "the click leaves Apply alone";
        ClickButton(d, IDC_SYSLOG_STATE_APPLY);
        EXPECT_EQ(Sets(), (std::vector<std::string>{kState + "|2|2"}));
        ASSERT_TRUE(Pump([&] { return !Enabled(d, IDC_SYSLOG_APPLY); }, 15000));
        EXPECT_FALSE(Enabled(d, IDC_SYSLOG_FACILITY));
        EXPECT_FALSE(Enabled(d, IDC_SYSLOG_PORT));
    });
    EXPECT_EQ(sim->Get(kState), "2");
}

TEST_F(SyslogHostTest, FailedReadNeverSwitchesSyslogOff)
{
    StartSyslog("syslog.snmprec");
    g_strTimeout = "500";
    // Silent for longer than the dialog's reads may take on a loaded machine.
    ASSERT_TRUE(sim->SilenceFor(6000));
    BoxRecorder boxes;
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        PumpFor(1500);
        EXPECT_FALSE(Enabled(d, IDC_SYSLOG_STATE_APPLY));
        EXPECT_EQ(Item<CButton>(d, IDC_SYSLOG_ENABLE).GetCheck(), BST_UNCHECKED);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SYSLOG_STATE_APPLY, BN_CLICKED), 0);
        // Nothing is selected in the lists yet: the lower Apply stops too.
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SYSLOG_APPLY, BN_CLICKED), 0);
        PumpFor(300);
    });
    std::string state;
    ASSERT_TRUE(Pump([&] { return sim->Get(kState, state, 200); }, 20000));
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(state, "1");
}

TEST_F(SyslogHostTest, ClosingWhileTheServerWalkRunsIsClean)
{
    StartSyslog("inactive-last.snmprec");
    ASSERT_TRUE(sim->SetReplyDelay(300));
    CSyslogHostCfgDlg dialog;
    RunModal<CSyslogHostCfgDlg>(dialog, [&](CSyslogHostCfgDlg& d) {
        ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() >= 1; }, 15000));
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace syslog_test
