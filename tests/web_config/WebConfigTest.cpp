// The web service dialog on the simulated switch: the service rows and their
// words, a click filling the configuration boxes, Apply over SNMPv1 (the
// table read again once the write has answered) and SNMPv3, a refused write,
// what Apply refuses (no row picked, an idle time-out that is not a decimal
// number, another SNMP version), and closing while the switch is slow.
#include "legacy/CWebConfigDlg.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy_config.h"

#include <algorithm>

namespace web_config_test {

using namespace legacytest;

namespace {

const Rows kServices = {{"1", "HTTP", "enable", "80", "8", "http", "", "300"},
                        {"2", "HTTPS", "disable", "443", "4", "https", "cert-01", "600"},
                        {"3", "Web API", "default", "8080", "2", "default", "", "120"}};

std::string BoxText(CWnd& d, int id)
{
    return d.GetDlgItem(id)->GetWindowText();
}

// The binding as the simulator logs it: OID|TYPE|VALUE.
std::string Written(const char* column, const char* index, const char* value)
{
    return CWebConfigDlg::ServiceOid(column, index) + "|2|" + value;
}

class WebConfigTest : public LegacyTest
{
protected:
    void TearDown() override
    {
        SetMessageBoxHook({});
        LegacyTest::TearDown();
    }
    // Waits until neither the write nor a read is awaited and the list holds
    // its three rows.
    static bool Settled(CWebConfigDlg& d)
    {
        return PumpPosted(
            [&] { return !d.WritePending() && !d.WalkRunning() && List(d, IDC_WEB_LIST).GetItemCount() == 3; });
    }
    std::vector<std::string> messages;
    void RecordMessages()
    {
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            messages.push_back(call.text);
            return IDOK;
        });
    }
};

} // namespace

TEST_F(WebConfigTest, ServiceRowsAndAClickFillsTheBoxes)
{
    StartLegacySwitch();
    CWebConfigDlg dialog;
    RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_WEB_LIST, 3));
        EXPECT_EQ(d.GetWindowText(), "Web Service Configuration");
        EXPECT_EQ(ListRows(d, IDC_WEB_LIST), kServices);
        EXPECT_EQ(List(d, IDC_WEB_LIST).GetHeaderCtrl()->GetItemCount(), 8);
        EXPECT_FALSE(Enabled(d, IDC_WEB_INDEX));

        ClickRow(List(d, IDC_WEB_LIST), 1);
        EXPECT_EQ(BoxText(d, IDC_WEB_INDEX), "2");
        EXPECT_EQ(BoxText(d, IDC_WEB_UDP_PORT), "443");
        EXPECT_EQ(BoxText(d, IDC_WEB_IDLE_TIMEOUT), "600");
        EXPECT_EQ(ComboSelection(d, IDC_WEB_STATUS), "disable");
        ClickRow(List(d, IDC_WEB_LIST), 0);
        EXPECT_EQ(ComboSelection(d, IDC_WEB_STATUS), "enable");
        // "default" is no entry of the combo: its selection is cleared, and
        // Apply writes the state 1.
        ClickRow(List(d, IDC_WEB_LIST), 2);
        EXPECT_EQ(BoxText(d, IDC_WEB_INDEX), "3");
        EXPECT_EQ(ComboSelection(d, IDC_WEB_STATUS), "");
        ClickButton(d, IDC_WEB_APPLY);
        ASSERT_TRUE(Settled(d));
    });
    const auto sets = Requests("SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0],
              (std::vector<std::string>{Written("4", "3", "8080"), Written("8", "3", "120"), Written("3", "3", "1")}));
}

TEST_F(WebConfigTest, SnmpV1ApplyIsReadBackOnceTheSwitchHasAnswered)
{
    StartLegacySwitch();
    RecordMessages();
    std::size_t firstRead = 0;
    CWebConfigDlg dialog;
    RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_WEB_LIST, 3));
        firstRead = Requests("GETNEXT").size();
        ClickRow(List(d, IDC_WEB_LIST), 0);
        d.GetDlgItem(IDC_WEB_UDP_PORT)->SetWindowText("8081");
        d.GetDlgItem(IDC_WEB_IDLE_TIMEOUT)->SetWindowText("450");
        ChooseInCombo(d, IDC_WEB_STATUS, 0);
        // A slow switch: no read starts while the write is awaited.
        ASSERT_TRUE(sim->SetReplyDelay(400));
        ClickButton(d, IDC_WEB_APPLY);
        EXPECT_TRUE(d.WritePending());
        EXPECT_FALSE(d.WalkRunning());
        ASSERT_TRUE(Settled(d));
        EXPECT_EQ(ListRows(d, IDC_WEB_LIST)[0],
                  (std::vector<std::string>{"1", "HTTP", "disable", "8081", "8", "http", "", "450"}));

        EXPECT_TRUE(messages.empty());

        // A write the switch refuses is said and changes nothing; the list
        // read back shows so.
        ASSERT_TRUE(sim->SetReplyDelay(0));
        ASSERT_TRUE(sim->RefuseNextSet(CWebConfigDlg::ServiceOid("4", "1"), 3));
        d.GetDlgItem(IDC_WEB_UDP_PORT)->SetWindowText("9090");
        ClickButton(d, IDC_WEB_APPLY);
        ASSERT_TRUE(Settled(d));
        EXPECT_EQ(List(d, IDC_WEB_LIST).GetItemText(0, 3), "8081");
    });
    EXPECT_EQ(messages, std::vector<std::string>{
                            "Could not write the settings of service 1: the switch refused it (bad value)."});
    EXPECT_EQ(sim->Get(CWebConfigDlg::ServiceOid("4", "1")), "8081");
    EXPECT_EQ(sim->Get(CWebConfigDlg::ServiceOid("8", "1")), "450");
    EXPECT_EQ(sim->Get(CWebConfigDlg::ServiceOid("3", "1")), "2");
    EXPECT_EQ(Requests("SET").size(), 2u);
    // Nothing was read between Apply and the write: the read after it came
    // once the switch had answered.
    const auto lines = sim->LogLines();
    const std::string written = CWebConfigDlg::ServiceOid("4", "1") + "|";
    const auto isSet = [&](const std::string& line) {
        return line.rfind("SET\t", 0) == 0 && line.find(written) != std::string::npos;
    };
    const auto isRead = [](const std::string& line) { return line.rfind("GETNEXT\t", 0) == 0; };
    const auto firstSet = std::find_if(lines.begin(), lines.end(), isSet);
    EXPECT_EQ(static_cast<std::size_t>(std::count_if(lines.begin(), firstSet, isRead)), firstRead);
}

TEST_F(WebConfigTest, SnmpV3ApplyReachesTheSwitchAndIsReadBack)
{
    StartLegacySwitch();
    UseV3(kAuthPriv);
    CWebConfigDlg dialog;
    RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
        ASSERT_EQ(ListRows(d, IDC_WEB_LIST), kServices);
        ClickRow(List(d, IDC_WEB_LIST), 1);
        d.GetDlgItem(IDC_WEB_UDP_PORT)->SetWindowText("8443");
        ChooseInCombo(d, IDC_WEB_STATUS, 1);
        ClickButton(d, IDC_WEB_APPLY);
        EXPECT_EQ(ListRows(d, IDC_WEB_LIST)[1],
                  (std::vector<std::string>{"2", "HTTPS", "enable", "8443", "4", "https", "cert-01", "600"}));
    });
    EXPECT_EQ(sim->Get(CWebConfigDlg::ServiceOid("4", "2")), "8443");
    EXPECT_EQ(sim->Get(CWebConfigDlg::ServiceOid("3", "2")), "3");
    ASSERT_EQ(Requests("SET").size(), 1u);
}

TEST_F(WebConfigTest, ApplySendsNothingWithoutARowOrWithAnIdleTimeOutThatIsNotDecimal)
{
    StartLegacySwitch();
    RecordMessages();
    CWebConfigDlg dialog;
    RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_WEB_LIST, 3));
        const std::size_t before = RequestCount();
        // No row picked: nothing is written, nor read again.
        d.GetDlgItem(IDC_WEB_UDP_PORT)->SetWindowText("81");
        d.GetDlgItem(IDC_WEB_IDLE_TIMEOUT)->SetWindowText("10");
        ClickButton(d, IDC_WEB_APPLY);
        PumpPosted([] { return false; }, 300);
        EXPECT_EQ(RequestCount(), before);
        EXPECT_FALSE(d.WalkRunning());

        ClickRow(List(d, IDC_WEB_LIST), 0);
        for (const char* text : {"12a", "", "-5", " 30", "2147483648", "0x10"}) {
            d.GetDlgItem(IDC_WEB_IDLE_TIMEOUT)->SetWindowText(text);
            ClickButton(d, IDC_WEB_APPLY);
        }
        // A UDP port that cannot be a number is refused the same way.
        d.GetDlgItem(IDC_WEB_IDLE_TIMEOUT)->SetWindowText("10");
        for (const char* text : {"abc", "", "80x"}) {
            d.GetDlgItem(IDC_WEB_UDP_PORT)->SetWindowText(text);
            ClickButton(d, IDC_WEB_APPLY);
        }
        PumpPosted([] { return false; }, 300);
        EXPECT_EQ(RequestCount(), before);
    });
    std::vector<std::string> expected(6, "MaxIdleTimeOut must be a decimal number.");
    expected.insert(expected.end(), 3, "UDP Port must be a decimal number.");
    EXPECT_EQ(messages, expected);
}

TEST_F(WebConfigTest, AnotherSnmpVersionReadsAndWritesNothing)
{
    StartLegacySwitch();
    g_strSnmpVersion = "2";
    CWebConfigDlg dialog;
    RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
        ClickButton(d, IDC_WEB_REFRESH);
        ClickButton(d, IDC_WEB_APPLY);
        PumpPosted([] { return false; }, 300);
        EXPECT_EQ(List(d, IDC_WEB_LIST).GetItemCount(), 0);
    });
    EXPECT_EQ(RequestCount(), 0u);
}

// Closing while a read, or a write, awaits a slow switch: the late replies
// reach nothing (the sanitizer builds watch this).
TEST_F(WebConfigTest, ClosingWhileTheSwitchIsSlow)
{
    StartLegacySwitch();
    {
        ASSERT_TRUE(sim->SetReplyDelay(800));
        CWebConfigDlg dialog;
        RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
            EXPECT_TRUE(d.WalkRunning());
            ClickButton(d, IDCANCEL);
        });
    }
    ASSERT_TRUE(sim->SetReplyDelay(0));
    {
        CWebConfigDlg dialog;
        RunModal<CWebConfigDlg>(dialog, [&](CWebConfigDlg& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_WEB_LIST, 3));
            ClickRow(List(d, IDC_WEB_LIST), 1);
            ASSERT_TRUE(sim->SetReplyDelay(800));
            ClickButton(d, IDC_WEB_APPLY);
            EXPECT_TRUE(d.WritePending());
            ClickButton(d, IDC_WEB_REFRESH);
            ClickButton(d, IDCANCEL);
        });
    }
    PumpFor(2000);
    EXPECT_EQ(Requests("SET").size(), 1u);
}

} // namespace web_config_test
