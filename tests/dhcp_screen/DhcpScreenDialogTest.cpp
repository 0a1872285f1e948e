// DHCP server screening on the simulated switch: the trusted ports read from
// the inverted bitmap and written back, the port list and aggregated link
// refusals, the servers listed, the index a new server gets, the sixth
// server, a full-form IPv6 duplicate, a refused address SET cleaned up, and
// Delete.
#include "features/security/CDHCPServerScreenDlg.h"
#include "resources/dhcp_screen.h"
#include "support/FeatureDialogTest.h"
#include "vlan/VlanTestSupport.h"

#include <algorithm>

namespace dhcp_screen_test {

namespace {

const std::string kScreen = "1.3.6.1.4.1.32473.10.76.19.1.14.7";
const std::string kScreenedPorts = kScreen + ".1.0";
std::string ServerOid(int column, int index)
{
    return kScreen + ".3.1." + std::to_string(column) + "." + std::to_string(index);
}

CListCtrl& Servers(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_DHCP_SERVER_LIST);
}

// Every listed row as "INDEX|ADDRESS;".
std::string RowTextOf(CWnd& d)
{
    std::string text;
    for (int row = 0; row < Servers(d).GetItemCount(); ++row)
        text += Servers(d).GetItemText(row, 0) + "|" + Servers(d).GetItemText(row, 1) + ";";
    return text;
}

std::string TrustedPorts(CWnd& d)
{
    std::string text;
    d.GetDlgItem(IDC_DHCP_TRUSTED_PORTS)->GetWindowText(text);
    return text;
}

// The status values the row of `index` was sent, in order.
std::vector<std::string> StatusSets(const std::vector<std::vector<std::string>>& sets, int index)
{
    std::vector<std::string> values;
    const std::string prefix = ServerOid(4, index) + "|2|";
    for (const auto& set : sets) {
        if (set.size() == 1 && set[0].rfind(prefix, 0) == 0)
            values.push_back(set[0].substr(prefix.size()));
    }
    return values;
}

class DhcpScreenDialogTest : public FeatureDialogTest
{
protected:
    // The 28-port switch: ports 1 to 3 trusted; servers 1 (192.168.1.1) and
    // 3 (2001:db8::1) active, 4 not in service; trunk 1 holds ports 27 and
    // 28, trunk 2 ports 25 and 26.
    void StartScreenSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("trunk.snmprec"),
                     KorvelSimulator::TestData("dhcp_screen.snmprec")},
                    28);
    }
    std::vector<std::vector<std::string>> Sets(std::size_t skip = 0) const
    {
        auto sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(skip, sets.size())));
        return sets;
    }
    bool WaitForServers(CWnd& d, int rows)
    {
        if (!Pump([&] { return Enabled(d, IDC_DHCP_REFRESH) && Servers(d).GetItemCount() == rows; }, 20000))
            return false;
        for (int turn = 0; turn < 100; ++turn) {
            const std::size_t asked = Requests("GETNEXT").size();
            PumpFor(150);
            if (Requests("GETNEXT").size() == asked)
                return true;
        }
        return false;
    }
    // Runs the dialog; act gets it once its walks have ended.
    void Run(const std::function<void(CWnd&)>& act)
    {
        CDHCPServerScreenDlg dialog;
        RunModal<CDHCPServerScreenDlg>(dialog, [&](CDHCPServerScreenDlg& d) {
            ASSERT_TRUE(WaitForServers(d, 2));
            act(d);
        });
    }
    void AddServer(CWnd& d, const std::string& address)
    {
        d.GetDlgItem(IDC_DHCP_SERVER_ADDRESS)->SetWindowText(address);
        ClickButton(d, IDC_DHCP_SERVER_ADD);
    }
};

} // namespace

TEST_F(DhcpScreenDialogTest, TrustedPortsAreTheClearBitsAndAreWrittenInverted)
{
    StartScreenSwitch();
    BoxRecorder boxes;
    Run([&](CWnd& d) {
        EXPECT_EQ(d.GetWindowText(), "DHCP Server Screening Settings  ");
        EXPECT_EQ(TrustedPorts(d), "1-3");
        // Unchanged: nothing is sent.
        ClickButton(d, IDC_DHCP_PORTS_ADD);
        EXPECT_TRUE(Sets().empty());
        d.GetDlgItem(IDC_DHCP_TRUSTED_PORTS)->SetWindowText("1-4,9");
        ClickButton(d, IDC_DHCP_PORTS_ADD);
        ASSERT_TRUE(WaitForServers(d, 2));
        EXPECT_EQ(TrustedPorts(d), "1-4,9");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    ASSERT_EQ(Sets().size(), 1U);
    EXPECT_EQ(vlantest::Hex(sim->Get(kScreenedPorts)), "0f7ffff0");
}

TEST_F(DhcpScreenDialogTest, PortListsAreCheckedAndAggregatedLinksKeptWhole)
{
    struct Case
    {
        std::string ports, message; // empty message: written
    };
    const Case cases[] = {
        {"1,a", "Invalid Port list"},
        {"1", "The link aggregation member port can not be configured."},
        {"26-27", "The link aggregation member port can not be configured."},
        {"1-2", ""},
        {"1-2,25-28", ""},
    };
    StartScreenSwitch();
    ASSERT_EQ(sim->Set(vlantest::kTrunkColumn + ".3", SnmpValueOctetString, std::string("\xc0\0\0\0", 4)), 0);
    Run([&](CWnd& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.ports);
            BoxRecorder boxes;
            const std::size_t before = Requests("SET").size();
            d.GetDlgItem(IDC_DHCP_TRUSTED_PORTS)->SetWindowText(c.ports);
            ClickButton(d, IDC_DHCP_PORTS_ADD);
            if (c.message.empty()) {
                EXPECT_TRUE(boxes.Calls().empty());
                EXPECT_EQ(Requests("SET").size(), before + 1);
                ASSERT_TRUE(WaitForServers(d, 2));
                EXPECT_EQ(TrustedPorts(d), c.ports);
            } else {
                EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
                EXPECT_EQ(Requests("SET").size(), before);
            }
        }
    });
}

TEST_F(DhcpScreenDialogTest, ANewServerTakesTheLowestFreeIndexUpToFive)
{
    StartScreenSwitch();
    BoxRecorder boxes;
    Run([&](CWnd& d) {
        EXPECT_EQ(RowTextOf(d), "1|192.168.1.1;3|2001:db8::1;");
        // Server 2 is free; server 4 is held by a row that is not listed.
        AddServer(d, "10.0.0.9");
        ASSERT_TRUE(WaitForServers(d, 3));
        AddServer(d, "2001:db8::9");
        ASSERT_TRUE(WaitForServers(d, 4));
        EXPECT_EQ(RowTextOf(d), "1|192.168.1.1;2|10.0.0.9;3|2001:db8::1;5|2001:db8::9;");
        EXPECT_TRUE(boxes.Calls().empty());
        AddServer(d, "10.0.0.10");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The maximum entries is 5."});
    });
    const auto sets = Sets();
    EXPECT_EQ(StatusSets(sets, 2), (std::vector<std::string>{"5", "1"}));
    EXPECT_EQ(StatusSets(sets, 5), (std::vector<std::string>{"5", "1"}));
    ASSERT_EQ(sets.size(), 8U);
    EXPECT_EQ(sets[1], std::vector<std::string>{ServerOid(3, 2) + "|2|1"});
    // The type again, with the address (the list read back shows it).
    ASSERT_EQ(sets[2].size(), 2U);
    EXPECT_EQ(sets[2][0], ServerOid(3, 2) + "|2|1");
    EXPECT_EQ(sets[2][1].rfind(ServerOid(2, 2) + "|", 0), 0U);
    EXPECT_EQ(sim->Get(ServerOid(3, 5)), "2");
}

TEST_F(DhcpScreenDialogTest, AddRefusesABadOrListedAddressAndCleansUpARefusedWrite)
{
    struct Case
    {
        std::string address, message;
    };
    const Case cases[] = {
        {"10.0.0", "Invalid server IP address."},
        {"fe80::1%eth0", "Invalid server IP address."},
        {"192.168.1.1", "Duplicate server IP address."},
        {"2001:0db8:0000:0000:0000:0000:0000:0001", "Duplicate server IP address."},
    };
    StartScreenSwitch();
    ASSERT_TRUE(sim->RefuseNextSet(ServerOid(2, 2), 5));
    Run([&](CWnd& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.address);
            BoxRecorder boxes;
            AddServer(d, c.address);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
        EXPECT_TRUE(Sets().empty());
        BoxRecorder boxes;
        AddServer(d, "10.0.0.9");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Could not write the address of server 2: the switch refused it (general error)."});
    });
    EXPECT_EQ(StatusSets(Sets(), 2), (std::vector<std::string>{"5", "6"}));
    EXPECT_FALSE(sim->Has(ServerOid(4, 2)));
}

TEST_F(DhcpScreenDialogTest, DeleteDestroysTheSelectedServerAndNeedsAChoice)
{
    StartScreenSwitch();
    Run([&](CWnd& d) {
        {
            BoxRecorder boxes;
            ClickButton(d, IDC_DHCP_DELETE);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select the entry to delete."});
        }
        ClickRow(Servers(d), 1);
        ClickButton(d, IDC_DHCP_DELETE);
        ASSERT_TRUE(WaitForServers(d, 1));
    });
    EXPECT_EQ(Sets(), std::vector<std::vector<std::string>>{{ServerOid(4, 3) + "|2|6"}});
    EXPECT_FALSE(sim->Has(ServerOid(2, 3)));
}

} // namespace dhcp_screen_test
