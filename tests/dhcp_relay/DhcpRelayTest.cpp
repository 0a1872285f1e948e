// The DHCP/BOOTP relay dialogs and the DHCP information viewer on the
// simulated switch: the globals read and written with their range checks, a
// failed read that leaves the fields and refuses Apply, the relay servers
// added, refused and deleted, the local relay globally and per VLAN (VLANs
// joined by id, inactive and missing ones not listed), the information words,
// and closing while a walk runs.
#include "legacy/CDHCPBOOTPRelayGlobalDlg.h"
#include "legacy/CDHCPBOOTPRelayInterfaceDlg.h"
#include "legacy/CDHCPInfoDlg.h"
#include "legacy/CDHCPLocalRelayDlg.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "resources/legacy.h"
#include "support/FeatureDialogTest.h"

namespace dhcp_relay_test {

namespace {

const std::string kP = "1.3.6.1.4.1.32473.10.76.19.1";
const std::string kSystem = ".6.83.121.115.116.101.109.";

std::string ServerStatusOid(const std::string& address)
{
    return kP + ".28.2.1.1.3" + kSystem + address;
}

int Selection(CWnd& d, int id)
{
    return Item<CComboBox>(d, id).GetCurSel();
}

std::vector<std::string> ListColumn(CWnd& d, int id, int column)
{
    std::vector<std::string> values;
    CListCtrl& list = Item<CListCtrl>(d, id);
    for (int row = 0; row < list.GetItemCount(); ++row)
        values.push_back(list.GetItemText(row, column));
    return values;
}

void SetServerAddress(CWnd& d, BYTE a, BYTE b, BYTE c, BYTE e)
{
    Item<CIPAddressCtrl>(d, IDC_DHCPRI_SERVER).SetAddress(a, b, c, e);
}

class DhcpRelayTest : public FeatureDialogTest
{
protected:
    void StartRelaySwitch() { StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("dhcp_relay.snmprec")}, 28); }
    void TearDown() override { g_strSnmpVersion = std::string("1"); }

    // Waits until the walks have stopped asking.
    bool Settled()
    {
        for (int turn = 0; turn < 100; ++turn) {
            const std::size_t asked = Requests("GETNEXT").size() + Requests("GET").size();
            PumpFor(150);
            if (Requests("GETNEXT").size() + Requests("GET").size() == asked)
                return true;
        }
        return false;
    }
    bool WaitForServers(CWnd& d, int rows)
    {
        return Pump([&] { return Item<CListCtrl>(d, IDC_DHCPRI_LIST).GetItemCount() == rows; }, 20000) && Settled();
    }
    bool WaitForLocalRelay(CWnd& d)
    {
        return Pump([&] { return Enabled(d, IDC_DHCPLR_REFRESH) && d.IsWindowEnabled(); }, 20000) && Settled();
    }
};

} // namespace

TEST_F(DhcpRelayTest, GlobalSettingsAreShownAndWrittenBack)
{
    StartRelaySwitch();
    BoxRecorder boxes;
    CDHCPBOOTPRelayGlobalDlg dialog;
    RunModal<CDHCPBOOTPRelayGlobalDlg>(dialog, [&](CDHCPBOOTPRelayGlobalDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "DHCP BOOTP Relay Global Settings");
        EXPECT_TRUE(d.SettingsRead());
        EXPECT_EQ(Selection(d, IDC_DHCPR_RELAY_STATE), 1);
        EXPECT_EQ(Text(d, IDC_DHCPR_HOPS), "4");
        EXPECT_EQ(Text(d, IDC_DHCPR_THRESHOLD), "10");
        EXPECT_EQ(Selection(d, IDC_DHCPR_OPTION82_STATE), 1);
        EXPECT_FALSE(Enabled(d, IDC_DHCPR_OPTION82_STATE));
        EXPECT_EQ(Selection(d, IDC_DHCPR_CHECK), 1);
        EXPECT_EQ(ComboSelection(d, IDC_DHCPR_POLICY), "Keep");
        EXPECT_EQ(ComboSelection(d, IDC_DHCPR_REMOTE_ID_TYPE), "User Define");
        EXPECT_TRUE(Enabled(d, IDC_DHCPR_REMOTE_ID));
        EXPECT_EQ(Text(d, IDC_DHCPR_REMOTE_ID), "relay-7");

        // Default disables the remote ID, whose text is still written; an
        // empty threshold counts as 0.
        ChooseInCombo(d, IDC_DHCPR_REMOTE_ID_TYPE, 0);
        EXPECT_FALSE(Enabled(d, IDC_DHCPR_REMOTE_ID));
        d.GetDlgItem(IDC_DHCPR_HOPS)->SetWindowText("16");
        d.GetDlgItem(IDC_DHCPR_THRESHOLD)->SetWindowText("");
        ChooseInCombo(d, IDC_DHCPR_POLICY, 1);
        ChooseInCombo(d, IDC_DHCPR_RELAY_STATE, 0);
        ClickButton(d, IDC_DHCPR_APPLY);
        EXPECT_EQ(Text(d, IDC_DHCPR_THRESHOLD), "0");
        EXPECT_EQ(Selection(d, IDC_DHCPR_REMOTE_ID_TYPE), 0);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    ASSERT_EQ(Requests("SET").size(), 1U);
    EXPECT_EQ(Requests("SET")[0].size(), 7U); // the option 82 state is not written
    EXPECT_EQ(sim->Get(kP + ".28.1.1.0"), "2");
    EXPECT_EQ(sim->Get(kP + ".28.1.2.0"), "16");
    EXPECT_EQ(sim->Get(kP + ".28.1.3.0"), "0");
    EXPECT_EQ(sim->Get(kP + ".28.2.2.3.0"), "2");
    EXPECT_EQ(sim->Get(kP + ".28.2.2.4.0"), "1");
    EXPECT_EQ(sim->Get(kP + ".28.2.2.5.0"), "relay-7");
}

TEST_F(DhcpRelayTest, OutOfRangeHopsAndThresholdAreRefusedWithTheirMessage)
{
    StartRelaySwitch();
    const struct
    {
        const char* hops;
        const char* threshold;
        const char* message;
    } cases[] = {
        {"0", "10", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"17", "10", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"", "10", "BOOTP Relay Hops Count Limit rang is 1-16"},
        {"4", "65536", "BOOTP Relay Time Threshold is 0-65535 "},
    };
    BoxRecorder boxes;
    CDHCPBOOTPRelayGlobalDlg dialog;
    RunModal<CDHCPBOOTPRelayGlobalDlg>(dialog, [&](CDHCPBOOTPRelayGlobalDlg& d) {
        for (const auto& c : cases) {
            d.GetDlgItem(IDC_DHCPR_HOPS)->SetWindowText(c.hops);
            d.GetDlgItem(IDC_DHCPR_THRESHOLD)->SetWindowText(c.threshold);
            ClickButton(d, IDC_DHCPR_APPLY);
            // The fields keep what was typed.
            EXPECT_EQ(Text(d, IDC_DHCPR_HOPS), c.hops);
        }
    });
    ASSERT_EQ(boxes.Calls().size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(boxes.Calls()[i].text, cases[i].message) << i;
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(DhcpRelayTest, FailedReadOrUnknownPolicyKeepsApplyFromWriting)
{
    // The base switch has no relay objects: the read fails.
    StartSwitch({KorvelSimulator::BaseData()}, 28);
    BoxRecorder boxes;
    {
        CDHCPBOOTPRelayGlobalDlg dialog;
        RunModal<CDHCPBOOTPRelayGlobalDlg>(dialog, [&](CDHCPBOOTPRelayGlobalDlg& d) {
            EXPECT_FALSE(d.SettingsRead());
            EXPECT_EQ(Text(d, IDC_DHCPR_HOPS), "");
            EXPECT_TRUE(Enabled(d, IDC_DHCPR_OPTION82_STATE));
            d.GetDlgItem(IDC_DHCPR_HOPS)->SetWindowText("4");
            ClickButton(d, IDC_DHCPR_APPLY);
        });
    }
    // The failed read is said when the dialog opens, Apply is refused.
    ASSERT_EQ(boxes.Calls().size(), 2U);
    EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text("the DHCP/BOOTP relay settings", false));
    EXPECT_EQ(boxes.Calls()[1].text, "The settings could not be read from the switch. Press Refresh and try again.");
    EXPECT_TRUE(Requests("SET").empty());

    // A policy the switch cannot mean leaves no selection: nothing is written.
    sim.reset();
    StartRelaySwitch();
    ASSERT_EQ(sim->Set(kP + ".28.2.2.3.0", SnmpValueInteger, "9"), 0);
    const std::size_t sets = Requests("SET").size();
    CDHCPBOOTPRelayGlobalDlg dialog;
    RunModal<CDHCPBOOTPRelayGlobalDlg>(dialog, [&](CDHCPBOOTPRelayGlobalDlg& d) {
        EXPECT_EQ(Selection(d, IDC_DHCPR_POLICY), -1);
        ClickButton(d, IDC_DHCPR_APPLY);
    });
    ASSERT_EQ(boxes.Calls().size(), 3U);
    EXPECT_EQ(boxes.Calls()[2].text, "Please select the DHCP Relay Agent Information Option 82 Policy.");
    EXPECT_EQ(Requests("SET").size(), sets);
}

TEST_F(DhcpRelayTest, ServersAreAddedRefusedAndDeleted)
{
    StartRelaySwitch();
    BoxRecorder boxes;
    CDHCPBOOTPRelayInterfaceDlg dialog;
    RunModal<CDHCPBOOTPRelayInterfaceDlg>(dialog, [&](CDHCPBOOTPRelayInterfaceDlg& d) {
        // 10.2.2.2 is not in service: not listed.
        ASSERT_TRUE(WaitForServers(d, 1));
        EXPECT_EQ(Text(d, IDC_DHCPRI_INTERFACE), "System");
        EXPECT_EQ(ListColumn(d, IDC_DHCPRI_LIST, 0), std::vector<std::string>{"System"});
        EXPECT_EQ(ListColumn(d, IDC_DHCPRI_LIST, 1), std::vector<std::string>{"10.1.1.1"});

        // A duplicate, then three more servers, then a fifth.
        SetServerAddress(d, 10, 1, 1, 1);
        ClickButton(d, IDC_DHCPRI_APPLY);
        for (BYTE last : {3, 4, 5}) {
            SetServerAddress(d, 10, 3, 3, last);
            ClickButton(d, IDC_DHCPRI_APPLY);
            ASSERT_TRUE(WaitForServers(d, last - 1));
        }
        SetServerAddress(d, 10, 3, 3, 6);
        ClickButton(d, IDC_DHCPRI_APPLY);
        EXPECT_EQ(ListColumn(d, IDC_DHCPRI_LIST, 1),
                  (std::vector<std::string>{"10.1.1.1", "10.3.3.3", "10.3.3.4", "10.3.3.5"}));

        // Delete without a selection, then the second server.
        ClickButton(d, IDC_DHCPRI_DELETE);
        ClickRow(Item<CListCtrl>(d, IDC_DHCPRI_LIST), 1);
        ClickButton(d, IDC_DHCPRI_DELETE);
        ASSERT_TRUE(WaitForServers(d, 3));
        EXPECT_EQ(ListColumn(d, IDC_DHCPRI_LIST, 1), (std::vector<std::string>{"10.1.1.1", "10.3.3.4", "10.3.3.5"}));
    });
    std::vector<std::string> texts;
    for (const auto& call : boxes.Calls())
        texts.push_back(call.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Server IP Already Exist. ",
                                               "Maximum number of servers(4) has been reached.",
                                               "Please select the server to delete"}));
    // Each server: create and wait, then active.
    std::vector<std::string> statuses;
    for (const auto& set : Requests("SET")) {
        ASSERT_EQ(set.size(), 1U);
        if (set[0].rfind(ServerStatusOid("10.3.3.3") + "|", 0) == 0)
            statuses.push_back(set[0].substr(set[0].rfind('|') + 1));
    }
    EXPECT_EQ(statuses, (std::vector<std::string>{"5", "1", "6"}));
    EXPECT_EQ(sim->Get(ServerStatusOid("10.3.3.4")), "1");
    EXPECT_EQ(sim->Get(ServerStatusOid("10.3.3.3")), "<none>");
    EXPECT_EQ(sim->Get(ServerStatusOid("10.3.3.6")), "<none>");
}

TEST_F(DhcpRelayTest, LocalRelayListsActiveVlansByIdAndWritesTheirState)
{
    StartRelaySwitch();
    BoxRecorder boxes;
    CDHCPLocalRelayDlg dialog;
    RunModal<CDHCPLocalRelayDlg>(dialog, [&](CDHCPLocalRelayDlg& d) {
        ASSERT_TRUE(WaitForLocalRelay(d));
        // VLAN 7 is not active, VLAN 50 has no VLAN-table row.
        EXPECT_EQ(ListColumn(d, IDC_DHCPLR_LIST, 0), (std::vector<std::string>{"1", "2", "100"}));
        EXPECT_EQ(ListColumn(d, IDC_DHCPLR_LIST, 1), (std::vector<std::string>{"default", "sales", "lab"}));
        EXPECT_EQ(ListColumn(d, IDC_DHCPLR_LIST, 2), (std::vector<std::string>{"Enabled", "Disabled", "Disabled"}));
        EXPECT_EQ(Item<CComboBox>(d, IDC_DHCPLR_VID).GetCount(), 3);
        EXPECT_EQ(ComboSelection(d, IDC_DHCPLR_VID), "1");
        EXPECT_EQ(Text(d, IDC_DHCPLR_VLAN_NAME), "default");
        EXPECT_EQ(ComboSelection(d, IDC_DHCPLR_STATE), "Enabled");
        EXPECT_EQ(Item<CButton>(d, IDC_DHCPLR_ENABLE).GetCheck(), BST_CHECKED);

        ChooseInCombo(d, IDC_DHCPLR_VID, 2);
        EXPECT_EQ(Text(d, IDC_DHCPLR_VLAN_NAME), "lab");
        EXPECT_EQ(ComboSelection(d, IDC_DHCPLR_STATE), "Disabled");
        ChooseInCombo(d, IDC_DHCPLR_STATE, 0);
        ClickButton(d, IDC_DHCPLR_APPLY_VLAN);
        ASSERT_TRUE(WaitForLocalRelay(d));
        EXPECT_EQ(ListColumn(d, IDC_DHCPLR_LIST, 2), (std::vector<std::string>{"Enabled", "Disabled", "Enabled"}));

        Item<CButton>(d, IDC_DHCPLR_ENABLE).SetCheck(BST_UNCHECKED);
        ClickButton(d, IDC_DHCPLR_APPLY_GLOBAL);
        ASSERT_TRUE(WaitForLocalRelay(d));
        EXPECT_EQ(Item<CButton>(d, IDC_DHCPLR_ENABLE).GetCheck(), BST_UNCHECKED);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(sim->Get(kP + ".29.2.1.2.100"), "1");
    EXPECT_EQ(sim->Get(kP + ".29.1.0"), "2");
}

TEST_F(DhcpRelayTest, InformationWordsAndNothingWrittenOrReadUnderV3)
{
    StartRelaySwitch();
    BoxRecorder boxes;
    {
        CDHCPInfoDlg dialog;
        RunModal<CDHCPInfoDlg>(dialog, [&](CDHCPInfoDlg& d) {
            ASSERT_TRUE(Pump([&] { return !Text(d, IDC_DHCPI_MIB_VERSION).empty(); }, 20000));
            EXPECT_EQ(d.GetWindowText(), "DHCP Information");
            EXPECT_EQ(Text(d, IDC_DHCPI_MIB_VERSION), "2.1");
            EXPECT_EQ(Text(d, IDC_DHCPI_RELAY_EXISTS), "Yes");
            EXPECT_EQ(Text(d, IDC_DHCPI_SERVER_EXISTS), "No");
            // OK (Enter, or the hidden Apply) writes nothing and keeps the
            // dialog open.
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DHCPI_APPLY, BN_CLICKED), 0);
            PumpFor(300);
            EXPECT_TRUE(IsWindow(d.GetSafeHwnd()));
        });
    }
    EXPECT_EQ(Requests("SET").size(), 0U);

    // A read the switch refuses (no such objects) changes nothing.
    sim.reset();
    StartSwitch({KorvelSimulator::BaseData()}, 28);
    {
        CDHCPInfoDlg dialog;
        RunModal<CDHCPInfoDlg>(dialog, [&](CDHCPInfoDlg& d) {
            ASSERT_TRUE(Pump([&] { return Requests("GET").size() == 1; }, 20000));
            PumpFor(300);
            EXPECT_EQ(Text(d, IDC_DHCPI_RELAY_EXISTS), "");
        });
    }
    // ... and is said.
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text("the DHCP information", false));
    const std::size_t requests = sim->LogLines().size();
    g_strSnmpVersion = "3";
    CDHCPInfoDlg dialog;
    RunModal<CDHCPInfoDlg>(dialog, [&](CDHCPInfoDlg& d) {
        ClickButton(d, IDC_DHCPI_REFRESH);
        PumpFor(300);
        for (int id : {IDC_DHCPI_MIB_VERSION, IDC_DHCPI_RELAY_EXISTS, IDC_DHCPI_SERVER_EXISTS})
            EXPECT_EQ(Text(d, id), "");
    });
    EXPECT_EQ(sim->LogLines().size(), requests);
}

// Every write of the relay dialogs says a refused or an unanswered SET, sends
// nothing after it, and leaves the window free after one time-out.
TEST_F(DhcpRelayTest, EveryRelayWriteSaysARefusedOrUnansweredSet)
{
    // Each action arms the failure once its dialog has read, then writes.
    using Arm = std::function<void()>;
    struct Case
    {
        const char* name;
        std::string refuseOid; // empty: the switch goes silent
        std::function<void(const Arm&)> run;
        std::string message;
    };
    const auto global = [&](const Arm& arm) {
        CDHCPBOOTPRelayGlobalDlg dialog;
        RunModal<CDHCPBOOTPRelayGlobalDlg>(dialog, [&](CDHCPBOOTPRelayGlobalDlg& d) {
            arm();
            ClickButton(d, IDC_DHCPR_APPLY);
        });
    };
    const auto addServer = [&](const Arm& arm) {
        CDHCPBOOTPRelayInterfaceDlg dialog;
        RunModal<CDHCPBOOTPRelayInterfaceDlg>(dialog, [&](CDHCPBOOTPRelayInterfaceDlg& d) {
            ASSERT_TRUE(WaitForServers(d, 1));
            SetServerAddress(d, 10, 3, 3, 3);
            arm();
            ClickButton(d, IDC_DHCPRI_APPLY);
            EXPECT_EQ(ListColumn(d, IDC_DHCPRI_LIST, 1), std::vector<std::string>{"10.1.1.1"});
        });
    };
    const auto deleteServer = [&](const Arm& arm) {
        CDHCPBOOTPRelayInterfaceDlg dialog;
        RunModal<CDHCPBOOTPRelayInterfaceDlg>(dialog, [&](CDHCPBOOTPRelayInterfaceDlg& d) {
            ASSERT_TRUE(WaitForServers(d, 1));
            ClickRow(Item<CListCtrl>(d, IDC_DHCPRI_LIST), 0);
            arm();
            ClickButton(d, IDC_DHCPRI_DELETE);
        });
    };
    const auto localGlobal = [&](const Arm& arm) {
        CDHCPLocalRelayDlg dialog;
        RunModal<CDHCPLocalRelayDlg>(dialog, [&](CDHCPLocalRelayDlg& d) {
            ASSERT_TRUE(WaitForLocalRelay(d));
            arm();
            ClickButton(d, IDC_DHCPLR_APPLY_GLOBAL);
            EXPECT_TRUE(d.IsWindowEnabled());
        });
    };
    const auto localVlan = [&](const Arm& arm) {
        CDHCPLocalRelayDlg dialog;
        RunModal<CDHCPLocalRelayDlg>(dialog, [&](CDHCPLocalRelayDlg& d) {
            ASSERT_TRUE(WaitForLocalRelay(d));
            arm();
            ClickButton(d, IDC_DHCPLR_APPLY_VLAN);
        });
    };
    const std::string refused = ": the switch refused it (general error).";
    const std::string silent = ": the switch did not answer.";
    const Case cases[] = {
        {"global", kP + ".28.1.1.0", global, "Could not write the DHCP/BOOTP relay settings" + refused},
        {"global silent", "", global, "Could not write the DHCP/BOOTP relay settings" + silent},
        {"add", ServerStatusOid("10.3.3.3"), addServer, "Could not write the relay server 10.3.3.3" + refused},
        {"add silent", "", addServer, "Could not write the relay server 10.3.3.3" + silent},
        {"delete", ServerStatusOid("10.1.1.1"), deleteServer,
         "Could not write the deletion of relay server 10.1.1.1" + refused},
        {"local global", kP + ".29.1.0", localGlobal, "Could not write the DHCP local relay state" + refused},
        {"local VLAN", kP + ".29.2.1.2.1", localVlan, "Could not write the DHCP local relay state of VLAN 1" + refused},
        {"local VLAN silent", "", localVlan, "Could not write the DHCP local relay state of VLAN 1" + silent},
    };
    for (const Case& c : cases) {
        StartRelaySwitch();
        BoxRecorder boxes;
        std::size_t sets = 0;
        c.run([&] {
            if (c.refuseOid.empty())
                ASSERT_TRUE(sim->SilenceFor(60000));
            else
                ASSERT_TRUE(sim->RefuseNextSet(c.refuseOid, 5));
            sets = Requests("SET").size();
        });
        ASSERT_EQ(boxes.Calls().size(), 1u) << c.name;
        EXPECT_EQ(boxes.Calls()[0].text, c.message) << c.name;
        // Nothing was sent after the failed SET.
        EXPECT_LE(Requests("SET").size(), sets + 1) << c.name;
        sim.reset();
    }
}

// A Refresh that fails keeps the lists as they were and says it; a local
// relay read that cannot start brings the window back and says it.
TEST_F(DhcpRelayTest, FailedReadsKeepTheListsAndGiveTheWindowBack)
{
    StartRelaySwitch();
    {
        BoxRecorder boxes;
        CDHCPBOOTPRelayInterfaceDlg dialog;
        RunModal<CDHCPBOOTPRelayInterfaceDlg>(dialog, [&](CDHCPBOOTPRelayInterfaceDlg& d) {
            ASSERT_TRUE(WaitForServers(d, 1));
            ASSERT_TRUE(sim->SilenceFor(60000));
            ClickButton(d, IDC_DHCPRI_REFRESH);
            ASSERT_TRUE(Pump([&] { return !boxes.Calls().empty(); }, 20000));
            EXPECT_EQ(ListColumn(d, IDC_DHCPRI_LIST, 1), std::vector<std::string>{"10.1.1.1"});
        });
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text("the relay server list", true));
    }
    sim.reset();
    StartRelaySwitch();
    {
        BoxRecorder boxes;
        CDHCPLocalRelayDlg dialog;
        RunModal<CDHCPLocalRelayDlg>(dialog, [&](CDHCPLocalRelayDlg& d) {
            ASSERT_TRUE(WaitForLocalRelay(d));
            ASSERT_TRUE(sim->SilenceFor(60000));
            ClickButton(d, IDC_DHCPLR_REFRESH);
            ASSERT_TRUE(Pump([&] { return !boxes.Calls().empty(); }, 20000));
            EXPECT_TRUE(d.IsWindowEnabled());
            EXPECT_TRUE(Enabled(d, IDC_DHCPLR_REFRESH));
            EXPECT_EQ(ListColumn(d, IDC_DHCPLR_LIST, 0), (std::vector<std::string>{"1", "2", "100"}));
        });
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text("the DHCP local relay list", true));
    }
    // Version "2": no session can start; nothing is sent.
    const std::size_t requests = sim->LogLines().size();
    g_strSnmpVersion = "2";
    BoxRecorder boxes;
    CDHCPLocalRelayDlg dialog;
    RunModal<CDHCPLocalRelayDlg>(dialog, [&](CDHCPLocalRelayDlg& d) {
        EXPECT_TRUE(d.IsWindowEnabled());
        EXPECT_TRUE(Enabled(d, IDC_DHCPLR_REFRESH));
        EXPECT_EQ(Item<CListCtrl>(d, IDC_DHCPLR_LIST).GetItemCount(), 0);
    });
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, CReadReport::Text("the DHCP local relay list", false));
    EXPECT_EQ(sim->LogLines().size(), requests);
}

// A remote ID whose bytes are not UTF-8 goes back byte for byte when it was
// not edited.
TEST_F(DhcpRelayTest, AnUneditedRemoteIdIsWrittenBackAsRead)
{
    StartRelaySwitch();
    const std::string bytes = std::string("relay-\xff\xfe") + "7";
    ASSERT_EQ(sim->Set(kP + ".28.2.2.5.0", SnmpValueOctetString, bytes), 0);
    BoxRecorder boxes;
    CDHCPBOOTPRelayGlobalDlg dialog;
    RunModal<CDHCPBOOTPRelayGlobalDlg>(dialog, [&](CDHCPBOOTPRelayGlobalDlg& d) { ClickButton(d, IDC_DHCPR_APPLY); });
    EXPECT_TRUE(boxes.Calls().empty());
    ASSERT_EQ(Requests("SET").size(), 2U);
    EXPECT_EQ(sim->Get(kP + ".28.2.2.5.0"), bytes);
}

TEST_F(DhcpRelayTest, ClosingDuringAWalkIsClean)
{
    StartRelaySwitch();
    ASSERT_TRUE(sim->SetReplyDelay(200));
    {
        CDHCPBOOTPRelayInterfaceDlg dialog;
        RunModal<CDHCPBOOTPRelayInterfaceDlg>(dialog, [&](CDHCPBOOTPRelayInterfaceDlg& d) {
            ASSERT_TRUE(Pump([&] { return !Requests("GETNEXT").empty(); }, 20000));
            d.EndDialog(IDCANCEL);
        });
    }
    {
        CDHCPLocalRelayDlg dialog;
        RunModal<CDHCPLocalRelayDlg>(dialog, [&](CDHCPLocalRelayDlg& d) {
            ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() > 2; }, 20000));
            d.EndDialog(IDCANCEL);
        });
    }
    PumpFor(500);
}

} // namespace dhcp_relay_test
