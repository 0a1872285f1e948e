// The trap host page on the simulated switch: the hosts listed, a host added
// (IPv4, IPv6, link-local) and deleted, Apply's refusals in their order, the
// limit of 10, a failed refresh, closing during the walk, and the panel's
// polling going on while the page is open.
#include "features/agent_tools/CSNMPHost.h"
#include "polling/LiveWindowSupport.h"
#include "snmp_agent/AgentTestSupport.h"

#include "common/CCommonSNMP.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

using Rows = std::vector<std::vector<std::string>>;

const Rows kListed = {
    {"fe80::1234%eth0", "V1", "trapcomm"},
    {"2001:db8::10", "V3-AuthNoPriv", "korvel-md5"},
    {"192.168.1.100", "V2c", "public"},
};

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SNMP_HOST_LIST);
}

// The list's rows, sorted, so no test depends on the table's order.
Rows ListRows(CWnd& d)
{
    Rows rows;
    for (int i = 0; i < List(d).GetItemCount(); ++i)
        rows.push_back({List(d).GetItemText(i, 0), List(d).GetItemText(i, 1), List(d).GetItemText(i, 2)});
    std::sort(rows.begin(), rows.end(), std::greater<>());
    return rows;
}

Rows Sorted(Rows rows)
{
    std::sort(rows.begin(), rows.end(), std::greater<>());
    return rows;
}

// Until the walk in progress has ended (its end enables Refresh again).
bool WaitForWalk(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SNMP_HOST_REFRESH); }, 15000);
}

void Type(CWnd& d, const std::string& address, int version, const std::string& name)
{
    d.GetDlgItem(IDC_SNMP_HOST_ADDRESS)->SetWindowText(address);
    Item<CComboBox>(d, IDC_SNMP_HOST_VERSION).SetCurSel(version);
    d.GetDlgItem(IDC_SNMP_HOST_NAME)->SetWindowText(name);
}

// Adds a host through the page and waits for the refresh that follows.
void AddHost(CWnd& d, const std::string& address, int version, const std::string& name)
{
    Type(d, address, version, name);
    ClickButton(d, IDC_SNMP_APPLY);
    ASSERT_TRUE(WaitForWalk(d)) << address;
}

int RowOf(CWnd& d, const std::string& address)
{
    for (int i = 0; i < List(d).GetItemCount(); ++i)
        if (List(d).GetItemText(i, 0) == address)
            return i;
    return -1;
}

class HostTableTest : public AgentTest
{
};

} // namespace

TEST_F(HostTableTest, ListsTheActiveHostsAndAddsAndDeletesAnIPv4Host)
{
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPHost dialog;
    RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(d.GetWindowText(), "SNMP Host Table");
        EXPECT_FALSE(d.GetDlgItem(IDC_SNMP_HOST_ADD)->IsWindowVisible());
        EXPECT_EQ(ComboSelection(d, IDC_SNMP_HOST_VERSION), "V1");
        // The row not in service is not listed; the unknown type has no address.
        EXPECT_EQ(ListRows(d), kListed);

        AddHost(d, "10.0.0.5", 1, "  comm5 ");
        const std::string index = "4.10.0.0.5.1";
        EXPECT_EQ(Sets(), (RequestList{{Int(HostOid(6, index), "5")},
                                       {Str(HostOid(3, index), "comm5"), Int(HostOid(4, index), "2")},
                                       {Int(HostOid(6, index), "1")}}));
        Rows expected = kListed;
        expected.push_back({"10.0.0.5", "V2c", "comm5"});
        EXPECT_EQ(ListRows(d), Sorted(expected));
        EXPECT_EQ(sim->Get(HostOid(6, index)), "1");
        // The inputs are cleared.
        EXPECT_EQ(d.GetDlgItem(IDC_SNMP_HOST_ADDRESS)->GetWindowText(), "");
        EXPECT_EQ(d.GetDlgItem(IDC_SNMP_HOST_NAME)->GetWindowText(), "");
        EXPECT_EQ(ComboSelection(d, IDC_SNMP_HOST_VERSION), "V1");

        ClickRow(List(d), RowOf(d, "10.0.0.5"));
        ClickButton(d, IDC_SNMP_HOST_DELETE);
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(Sets().back(), std::vector<std::string>{Int(HostOid(6, index), "6")});
        EXPECT_FALSE(sim->Has(HostOid(6, index)));
        EXPECT_EQ(ListRows(d), kListed);
    });
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(HostTableTest, IPv6HostsAndLinkLocalHostsWithTheirInterfaceName)
{
    StartAgentSwitch();
    const std::string linkLocal = "16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1.2";
    const std::string global = "16.32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1.2";
    CSNMPHost dialog;
    RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
        ASSERT_TRUE(WaitForWalk(d));
        {
            // Without "%" it is no address; with an empty interface name it
            // gets the link-local message.
            BoxRecorder boxes;
            Type(d, "fe80::1", 0, "trap6");
            ClickButton(d, IDC_SNMP_APPLY);
            Type(d, "fe80::1%", 0, "trap6");
            ClickButton(d, IDC_SNMP_APPLY);
            EXPECT_EQ(boxes.Texts(),
                      (std::vector<std::string>{
                          "Invalid Host IP.",
                          "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName"}));
            EXPECT_TRUE(Sets().empty());
        }
        BoxRecorder boxes;
        AddHost(d, "fe80::1%eth1", 0, "trap6");
        AddHost(d, "2001:DB8::1", 4, "priv-user");
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(Sets(), (RequestList{{Int(HostOid(6, linkLocal), "5")},
                                       {Str(HostOid(3, linkLocal), "trap6"), Int(HostOid(4, linkLocal), "1"),
                                        Str(HostOid(5, linkLocal), "eth1")},
                                       {Int(HostOid(6, linkLocal), "1")},
                                       {Int(HostOid(6, global), "5")},
                                       {Str(HostOid(3, global), "priv-user"), Int(HostOid(4, global), "5")},
                                       {Int(HostOid(6, global), "1")}}));
        Rows expected = kListed;
        expected.push_back({"fe80::1%eth1", "V1", "trap6"});
        expected.push_back({"2001:db8::1", "V3-AuthPriv", "priv-user"});
        EXPECT_EQ(ListRows(d), Sorted(expected));

        // Deleting a link-local host: its row by the 16 octets.
        ClickRow(List(d), RowOf(d, "fe80::1%eth1"));
        ClickButton(d, IDC_SNMP_HOST_DELETE);
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(Sets().back(), std::vector<std::string>{Int(HostOid(6, linkLocal), "6")});
        EXPECT_EQ(RowOf(d, "fe80::1%eth1"), -1);
    });
}

TEST_F(HostTableTest, TheNameGoesWholeAsUtf8AndAHostWithoutAddressIsNotDeletedByAGuess)
{
    StartAgentSwitch();
    CSNMPHost dialog;
    RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
        ASSERT_TRUE(WaitForWalk(d));
        // Through the page: 32 characters of three octets each.
        std::string euros;
        for (int i = 0; i < 32; ++i)
            euros += "\xe2\x82\xac";
        AddHost(d, "10.0.0.7", 1, euros);
        EXPECT_EQ(sim->Get(HostOid(3, "4.10.0.0.7.1")), euros);
        EXPECT_NE(RowOf(d, "10.0.0.7"), -1);

        // A name longer than any fixed buffer, written through the object.
        CSNMPConfig config;
        auto& edit = Item<CEditEXIPV6>(d, IDC_SNMP_HOST_ADDRESS);
        edit.SetWindowText("10.0.0.8");
        edit.OnKillFocus(nullptr);
        const std::string name = std::string(150, 'n') + "\xc3\xa9";
        CWriteReport report;
        config.SetRowStatus(report, HostOid(6, "4.10.0.0.8.1"), "5", "the row");
        config.m_pAddressEdit = &edit;
        config.WriteHost(report, name, "ignored", "3");
        EXPECT_EQ(sim->Get(HostOid(3, "4.10.0.0.8.1")), name);
        EXPECT_EQ(sim->Get(HostOid(4, "4.10.0.0.8.1")), "3");

        // A row whose index is no address (type 3) is not listed.
        EXPECT_EQ(RowOf(d, ""), -1);
    });
}

TEST_F(HostTableTest, ApplyRefusesInItsOrderAndSendsNothing)
{
    const std::string duplicate = "This IP Address has used,please enter other IP Address";
    struct Case
    {
        std::string address;
        std::string name;
        std::string message;
    };
    const Case cases[] = {
        {"", "comm", "Invalid Host IP."},
        {"10.0.0.256", "comm", "Invalid Host IP."},
        {"fe80::9", "comm", "Invalid Host IP."},
        {"fe80::9%", "comm", "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName"},
        {"fe80::9%" + std::string(21, 'e'), "comm", "Interface name too long."},
        {"fe80::9%e/1", "comm", "Invalid Interface Name. "},
        // The duplicate check comes before the name checks, also for a
        // listed link-local host whose row shows "%" and its interface name.
        {"192.168.1.100", "", duplicate},
        {"2001:0db8:0:0::10", "", duplicate},
        {"fe80::1234%eth7", "a.b", duplicate},
        {"10.0.0.6", "   ", "The Community String or SNMPv3 User Name can not be empty."},
        {"10.0.0.6", "a.b", "Invalid Community String/SNMPv3 User Name. "},
        {"10.0.0.6", "x/y", "Invalid Community String/SNMPv3 User Name. "},
    };
    StartAgentSwitch();
    CSNMPHost dialog;
    RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
        ASSERT_TRUE(WaitForWalk(d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.address + "/" + c.name);
            BoxRecorder boxes;
            Type(d, c.address, 1, c.name);
            ClickButton(d, IDC_SNMP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
        BoxRecorder boxes;
        ClickButton(d, IDC_SNMP_HOST_DELETE);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please Selecte the Item you would delete"});
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(HostTableTest, TenHostsAtMost)
{
    StartAgentSwitch();
    // Without the row not in service and the one whose index is no address,
    // the switch holds three hosts.
    SetObject(HostOid(6, "4.10.0.0.99.1"), SnmpValueInteger, "6");
    SetObject(HostOid(6, "4.10.9.9.9.3"), SnmpValueInteger, "6");
    CSNMPHost dialog;
    RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
        ASSERT_TRUE(WaitForWalk(d));
        for (int host = 1; host <= 7; ++host)
            AddHost(d, "10.0.1." + std::to_string(host), 1, "c" + std::to_string(host));
        ASSERT_EQ(List(d).GetItemCount(), 10);
        const std::size_t sets = Sets().size();
        BoxRecorder boxes;
        Type(d, "10.0.1.11", 1, "c11");
        ClickButton(d, IDC_SNMP_APPLY);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Maximum number of Host Entry is 10."});
        EXPECT_EQ(Sets().size(), sets);
    });
    // The switch itself takes no eleventh row either.
    EXPECT_NE(sim->Set(HostOid(6, "4.10.0.1.11.1"), SnmpValueInteger, "5"), 0);
    EXPECT_FALSE(sim->Has(HostOid(6, "4.10.0.1.11.1")));
}

TEST_F(HostTableTest, AFailedRefreshKeepsTheListAndClosingDuringAWalkIsClean)
{
    StartAgentSwitch();
    g_strTimeout = "1000";
    {
        BoxRecorder boxes;
        CSNMPHost dialog;
        RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
            ASSERT_TRUE(WaitForWalk(d));
            ASSERT_TRUE(sim->SilenceFor(6000));
            ClickButton(d, IDC_SNMP_HOST_REFRESH);
            EXPECT_FALSE(Enabled(d, IDC_SNMP_APPLY));
            ASSERT_TRUE(WaitForWalk(d));
            EXPECT_EQ(ListRows(d), kListed);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The trap host list could not be read again from "
                                                                 "the switch; the last complete read is shown."});
    }
    // Rows come slowly; the page closes in the middle of its walk.
    ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(300); }, 10000));
    for (int wait : {0, 700}) {
        CSNMPHost dialog;
        RunModal<CSNMPHost>(dialog, [&](CSNMPHost& d) {
            PumpFor(wait);
            EXPECT_FALSE(Enabled(d, IDC_SNMP_HOST_REFRESH));
        });
    }
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

TEST(SNMPHostPanel, PollingGoesOnWhileTheHostTableIsOpen)
{
    using namespace polling_test;
    KorvelSimulator sim({KorvelSimulator::BaseData(), ModelData("KSX-Puffin"), AgentData()});
    ASSERT_TRUE(sim.Running());
    RunLiveWindow(kPuffin, sim, [&](CKorvelModuleDlg& d) {
        ASSERT_TRUE(PumpUntil([&] { return LedOf(d, 3) == CPanelStatus::LED_AMBER; }, 5000));
        bool opened = false;
        bool mainShown = false;
        bool followed = false;
        WhenDialogOpens(
            "SNMP Host Table",
            [&](CWnd& host) {
                mainShown = d.IsWindowVisible() && !d.IsIconic();
                // Port 3 is switched off on the switch: the panel shows it.
                sim.Set(kIfAdminStatus + ".3", SnmpValueInteger, "2");
                followed = PumpUntil([&] { return LedOf(d, 3) == CPanelStatus::LED_DARK; }, 9000);
                static_cast<CDialog&>(host).EndDialog(IDOK);
            },
            &opened);
        d.SendMessage(WM_COMMAND, MAKEWPARAM(ID_SNMP_HOST, BN_CLICKED), 0);
        EXPECT_TRUE(opened);
        EXPECT_TRUE(mainShown);
        EXPECT_TRUE(followed);
    });
}

} // namespace snmp_agent_test
