// The legacy configuration pieces without a relay: the IPv4 address texts,
// the device parameter dialog, and the DHCP server screening port dialog on
// the simulated switch (28 and 52 ports, aggregated links, the range rule).
#include "common/Globals.h"
#include "legacy/CDHCPServerConfig.h"
#include "legacy/IPv4Text.h"
#include "legacy/SetupDlg.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "resources/legacy.h"
#include "support/FeatureDialogTest.h"

#include <algorithm>

namespace legacy_config_test {

namespace {

const std::string kScreening = "1.3.6.1.4.1.32473.10.76.19.1.14.7.1.0";

std::string TextOf(CWnd& d, int id)
{
    std::string text;
    d.GetDlgItem(id)->GetWindowText(text);
    return text;
}

class LegacyConfigTest : public FeatureDialogTest
{
protected:
    void TearDown() override
    {
        g_strTimeout = "3000";
    }
    // The 28-port switch: trunk 1 holds ports 27 and 28, trunk 2 ports 25
    // and 26; screening on ports 5 and 9.
    void StartScreeningSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("trunk.snmprec")}, 28);
        ASSERT_EQ(sim->Set(kScreening, SnmpValueOctetString, std::string("\x08\x80\x00\x00", 4)), 0);
    }
    bool WaitForPorts(CDHCPServerConfig& d)
    {
        return Pump([&] { return !d.TrunkWalkRunning() && Enabled(d, IDC_DHCPSC_APPLY); }, 20000);
    }
    std::vector<std::string> States(CWnd& d)
    {
        std::vector<std::string> states;
        CListCtrl& list = Item<CListCtrl>(d, IDC_DHCPSC_LIST);
        for (int row = 0; row < list.GetItemCount(); ++row)
            states.push_back(list.GetItemText(row, 1));
        return states;
    }
    void ApplyRange(CWnd& d, int from, int to, int state)
    {
        Item<CComboBox>(d, IDC_DHCPSC_FROM).SetCurSel(from - 1);
        Item<CComboBox>(d, IDC_DHCPSC_TO).SetCurSel(to - 1);
        Item<CComboBox>(d, IDC_DHCPSC_STATE).SetCurSel(state);
        ClickButton(d, IDC_DHCPSC_APPLY);
    }
};

} // namespace

TEST(IPv4TextTest, StepsAndChecksAddresses)
{
    const struct
    {
        const char* from;
        const char* to;
        int result;
    } steps[] = {
        {"10.0.0.1", "10.0.0.2", 0},
        {"10.0.0.254", "10.0.1.1", 0},
        {"10.0.255.254", "10.1.0.1", 0},
        {"126.255.255.254", "128.0.0.1", 0},
        {"223.255.255.254", "1.0.0.1", -1},
        {"0.0.0.5", "1.0.0.1", -1},
        {"1.2.3", "1.2.3", -1},         // does not parse: left as it was
        {"1.2.3.4.5", "1.2.3.4.5", -1}, // likewise
    };
    for (const auto& s : steps) {
        std::string text = s.from;
        EXPECT_EQ(NextIPv4Address(text), s.result) << s.from;
        EXPECT_EQ(text, s.to) << s.from;
    }
    const struct
    {
        const char* text;
        int result;
    } hosts[] = {
        {"10.1.1.1", 0},   {"223.1.1.1", 0},  {"127.0.0.1", -1}, {"224.0.0.1", -1},
        {"0.1.2.3", -1},   {"10.1.1.0", -1},  {"10.1.1.255", -1}, {"1.2.3", -1},
        {"1.2.3.4.5", -1}, {"", -1},
    };
    for (const auto& h : hosts)
        EXPECT_EQ(CheckIPv4Host(h.text), h.result) << h.text;

    int a = 0, b = 0, c = 0, d = 0;
    EXPECT_EQ(ParseIPv4Text(" 300.-1.x.07", a, b, c, d), 0);
    EXPECT_EQ((std::vector<int>{a, b, c, d}), (std::vector<int>{300, -1, 0, 7}));
    std::string text;
    FormatIPv4Text(192, 168, 0, 1, text);
    EXPECT_EQ(text, "192.168.0.1");
}

TEST_F(LegacyConfigTest, DeviceParametersOkApplyAndClose)
{
    EnsureApplication();
    g_strDeviceIP = "10.0.0.5:1161";
    g_strTimeout = "00500";
    BoxRecorder boxes;
    {
        // Apply, then Close: the applied values stay.
        SetupDlg dialog;
        RunModal<SetupDlg>(dialog, [&](SetupDlg& d) {
            EXPECT_EQ(d.GetWindowText(), "Device Parameter Configuration");
            EXPECT_EQ(TextOf(d, IDC_SETUP_TIMEOUT), "500");
            Item<CIPAddressCtrl>(d, IDC_SETUP_DEVICE_IP).SetAddress(10, 0, 0, 9);
            d.GetDlgItem(IDC_SETUP_TIMEOUT)->SetWindowText("2500");
            ClickButton(d, IDC_SETUP_APPLY);
            EXPECT_EQ(d.m_bStored, 1);
            Item<CIPAddressCtrl>(d, IDC_SETUP_DEVICE_IP).SetAddress(10, 0, 0, 77);
            ClickButton(d, IDCANCEL);
        });
    }
    EXPECT_EQ(g_strDeviceIP, "10.0.0.9:1161");
    EXPECT_EQ(g_strTimeout, "2500");
    {
        // An empty or zero time-out is refused; OK stores and closes.
        SetupDlg dialog;
        const INT_PTR result = RunModal<SetupDlg>(dialog, [&](SetupDlg& d) {
            for (const char* refused : {"", "0"}) {
                d.GetDlgItem(IDC_SETUP_TIMEOUT)->SetWindowText(refused);
                ClickButton(d, IDOK);
                EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
            }
            EXPECT_EQ(g_strTimeout, "2500");
            d.GetDlgItem(IDC_SETUP_TIMEOUT)->SetWindowText("4000");
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dialog.m_bStored, 1);
    }
    EXPECT_EQ(g_strTimeout, "4000");
    EXPECT_EQ(g_strDeviceIP, "10.0.0.9:1161");
    ASSERT_EQ(boxes.Calls().size(), 2U);
    EXPECT_EQ(boxes.Calls()[0].text, "Timeout must be a number of milliseconds greater than 0.");
}

TEST_F(LegacyConfigTest, ScreeningReadsEveryPortAndWritesFourBytes)
{
    StartScreeningSwitch();
    BoxRecorder boxes;
    CDHCPServerConfig dialog;
    RunModal<CDHCPServerConfig>(dialog, [&](CDHCPServerConfig& d) {
        ASSERT_TRUE(WaitForPorts(d));
        EXPECT_EQ(d.GetWindowText(), "DHCP Server Screening Port Settings");
        std::vector<std::string> states = States(d);
        ASSERT_EQ(states.size(), 28U);
        EXPECT_EQ(states[4], "Enabled");
        EXPECT_EQ(states[8], "Enabled");
        EXPECT_EQ(std::count(states.begin(), states.end(), "Enabled"), 2);

        // Port 9 disabled elsewhere: the next read disables it here too, so
        // Apply does not enable it again.
        ASSERT_EQ(sim->Set(kScreening, SnmpValueOctetString, std::string("\x08\x00\x00\x00", 4)), 0);
        ClickButton(d, IDC_DHCPSC_REFRESH);
        ASSERT_TRUE(WaitForPorts(d));
        ApplyRange(d, 1, 2, 1);
        ASSERT_TRUE(WaitForPorts(d));
        states = States(d);
        EXPECT_EQ(states[0], "Enabled");
        EXPECT_EQ(states[8], "Disabled");

        // An aggregated link's ports alike, or not at all.
        ApplyRange(d, 27, 27, 1);
        ApplyRange(d, 25, 28, 1);
        ASSERT_TRUE(WaitForPorts(d));
        states = States(d);
        EXPECT_EQ(std::count(states.begin(), states.end(), "Enabled"), 7);
        EXPECT_EQ(states[27], "Enabled");
    });
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text,
              "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.");
    // After the test's own two writes: the dialog's two.
    const auto sets = Requests("SET");
    ASSERT_EQ(sets.size(), 4U);
    EXPECT_EQ(sets[2], std::vector<std::string>{kScreening + "|4x|c8000000"});
    EXPECT_EQ(sets[3], std::vector<std::string>{kScreening + "|4x|c80000f0"});
}

TEST_F(LegacyConfigTest, ScreeningOnFiftyTwoPortsWritesEightBytes)
{
    StartModelSwitch("KSX-Alcor R2", 52);
    CDHCPServerConfig dialog;
    RunModal<CDHCPServerConfig>(dialog, [&](CDHCPServerConfig& d) {
        ASSERT_TRUE(WaitForPorts(d));
        ASSERT_EQ(States(d).size(), 52U);
        ApplyRange(d, 1, 1, 1);
        ASSERT_TRUE(WaitForPorts(d));
        EXPECT_EQ(States(d)[0], "Enabled");
    });
    const auto sets = Requests("SET");
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(sets[0], std::vector<std::string>{kScreening + "|4x|8000000000000000"});
}

TEST_F(LegacyConfigTest, ScreeningRangeRuleAndApplyBeforeARead)
{
    StartScreeningSwitch();
    BoxRecorder boxes;
    {
        CDHCPServerConfig dialog;
        RunModal<CDHCPServerConfig>(dialog, [&](CDHCPServerConfig& d) {
            ASSERT_TRUE(WaitForPorts(d));
            ChooseInCombo(d, IDC_DHCPSC_FROM, 9);
            EXPECT_EQ(ComboSelection(d, IDC_DHCPSC_TO), "10");
            ChooseInCombo(d, IDC_DHCPSC_TO, 4);
            EXPECT_EQ(ComboSelection(d, IDC_DHCPSC_TO), "10");
        });
    }
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text, "'To Port' can not be smaller than 'From Port'");

    // The switch does not answer the read: Apply writes nothing.
    sim.reset();
    StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("trunk.snmprec")}, 28);
    g_strTimeout = "500";
    ASSERT_TRUE(sim->SilenceFor(1500));
    CDHCPServerConfig dialog;
    RunModal<CDHCPServerConfig>(dialog, [&](CDHCPServerConfig& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_DHCPSC_APPLY); }, 20000));
        EXPECT_TRUE(States(d).empty());
        ApplyRange(d, 1, 1, 1);
    });
    // The failed read is said once, then Apply is refused.
    ASSERT_EQ(boxes.Calls().size(), 3U);
    EXPECT_EQ(boxes.Calls()[1].text, "The DHCP server screening ports could not be read from the switch.");
    EXPECT_EQ(boxes.Calls()[2].text, "The settings could not be read from the switch. Press Refresh and try again.");
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(LegacyConfigTest, ClosingDuringTheTrunkWalkIsClean)
{
    StartScreeningSwitch();
    ASSERT_TRUE(sim->SetReplyDelay(150));
    CDHCPServerConfig dialog;
    RunModal<CDHCPServerConfig>(dialog, [&](CDHCPServerConfig& d) {
        ASSERT_TRUE(Pump([&] { return !Requests("GETNEXT").empty(); }, 20000));
        d.EndDialog(IDCANCEL);
    });
    PumpFor(300);
}

} // namespace legacy_config_test
