// The MIB-II table viewers on the simulated switch: what each lists and how
// (status names, speeds, TCP states, the IP title), the entries count, an
// empty table, and closing while a slow walk runs.
#include "features/agent_tools/CIPAddrTable.h"
#include "features/agent_tools/CIntfList.h"
#include "features/agent_tools/CTcpPortInfo.h"
#include "features/agent_tools/CUdpPortInfo.h"
#include "resources/mib2.h"
#include "support/FeatureDialogTest.h"

#include "common/CListCtrlEx.h"

namespace mib2_test {

namespace {

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/mib2/fixtures/" + name;
}

std::vector<std::string> Rows(CWnd& d, int listId, int columns)
{
    auto& list = Item<CListCtrlEx>(d, listId);
    std::vector<std::string> rows;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        std::string text;
        for (int c = 0; c < columns; ++c)
            text += (c ? "|" : "") + list.GetItemText(r, c);
        rows.push_back(text);
    }
    return rows;
}

class Mib2ViewerTest : public FeatureDialogTest
{
protected:
    void StartTables() { StartSwitch({KorvelSimulator::BaseData(), Fixture("tables.snmprec")}, 28); }
    // Waits for the walk to end with the list holding `rows` rows.
    static bool WalkEnded(CWnd& d, int listId, int refreshId, int rows)
    {
        return Pump([&] { return Enabled(d, refreshId) && Item<CListCtrlEx>(d, listId).GetItemCount() == rows; },
                    15000);
    }
};

} // namespace

TEST(Mib2ViewerText, InterfaceStatusAndSpeed)
{
    CIntfList viewer;
    struct Case
    {
        int column;
        const char* value;
        const char* text;
    };
    const Case cases[] = {
        {1, "1", "Connected"},        {1, "2", "UnConnected"},  {1, "3", "Test"},
        {1, "5", "Unknown"},          {1, "7", "Unknown"},      {2, "100000000", "100M"},
        {2, "999999", "0M"},          {2, "2147483648", "2147M"}, {2, "4294967295", "4294M"},
        {0, "12", "12"},              {2, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(viewer.FormatColumn(c.column, c.value), c.text) << c.column << " " << c.value;
}

TEST(Mib2ViewerText, TcpStateNames)
{
    const char* const names[] = {"closed",    "closed",    "listen",   "synSent", "synReceived",
                                 "established", "finWait1", "finWait2", "closeWait", "lastAck",
                                 "closing",   "timeWait",  "deleteTCB", "closed"};
    for (int state = 0; state <= 13; ++state)
        EXPECT_EQ(CTcpPortInfo::StateName(std::to_string(state)), names[state]) << state;
    EXPECT_EQ(CTcpPortInfo::StateName(""), "closed");
}

TEST_F(Mib2ViewerTest, InterfaceTableListsEveryInterfaceAndCountsThem)
{
    StartTables();
    CIntfList dialog;
    RunModal<CIntfList>(dialog, [&](CIntfList& d) {
        ASSERT_TRUE(WalkEnded(d, IDC_INTF_LIST, IDC_INTF_REFRESH, 7))
            << Requests("GETNEXT").size() << " " << Item<CListCtrlEx>(d, IDC_INTF_LIST).GetItemCount() << " "
            << Enabled(d, IDC_INTF_REFRESH);
        EXPECT_EQ(d.GetWindowText(), "Interface Table");
        EXPECT_EQ(Rows(d, IDC_INTF_LIST, 3),
                  (std::vector<std::string>{"1|Connected|100M", "2|UnConnected|0M", "3|Test|4294M", "4|Unknown|1000M",
                                            "5|Unknown|10M", "6|Unknown|0M", "7|Unknown|2147M"}));
        EXPECT_EQ(d.GetDlgItem(IDC_INTF_ENTRIES)->GetWindowText(), "7");
        // Refresh walks again from an empty list.
        ASSERT_TRUE(sim->SetReplyDelay(100));
        ClickButton(d, IDC_INTF_REFRESH);
        EXPECT_FALSE(Enabled(d, IDC_INTF_REFRESH));
        ASSERT_TRUE(WalkEnded(d, IDC_INTF_LIST, IDC_INTF_REFRESH, 7));
        EXPECT_EQ(d.GetDlgItem(IDC_INTF_ENTRIES)->GetWindowText(), "7");
    });
}

TEST_F(Mib2ViewerTest, IpTableIsTitledWithTheSwitchAddress)
{
    StartTables();
    CIPAddrTable dialog;
    RunModal<CIPAddrTable>(dialog, [&](CIPAddrTable& d) {
        ASSERT_TRUE(WalkEnded(d, IDC_IPADDR_LIST, IDC_IPADDR_REFRESH, 2));
        EXPECT_EQ(d.GetWindowText(), "IP Table : " + g_strDeviceIP);
        EXPECT_EQ(Rows(d, IDC_IPADDR_LIST, 2),
                  (std::vector<std::string>{"10.0.0.1|255.255.255.0", "192.168.5.9|255.255.0.0"}));
        EXPECT_EQ(d.GetDlgItem(IDC_IPADDR_ENTRIES)->GetWindowText(), "2");
    });
}

TEST_F(Mib2ViewerTest, TcpAndUdpServices)
{
    StartTables();
    {
        CTcpPortInfo dialog;
        RunModal<CTcpPortInfo>(dialog, [&](CTcpPortInfo& d) {
            ASSERT_TRUE(WalkEnded(d, IDC_TCPINFO_LIST, IDC_TCPINFO_REFRESH, 13));
            EXPECT_EQ(d.GetWindowText(), "TCP Service");
            const auto rows = Rows(d, IDC_TCPINFO_LIST, 5);
            EXPECT_EQ(rows[0], "1001|10.0.0.1|10.0.0.101|40001|closed");
            EXPECT_EQ(rows[1], "1002|10.0.0.1|10.0.0.102|40002|listen");
            EXPECT_EQ(rows[4], "1005|10.0.0.1|10.0.0.105|40005|established");
            EXPECT_EQ(rows[11], "1012|10.0.0.1|10.0.0.112|40012|deleteTCB");
            EXPECT_EQ(rows[12], "1013|10.0.0.1|10.0.0.113|40013|closed");
        });
    }
    CUdpPortInfo dialog;
    RunModal<CUdpPortInfo>(dialog, [&](CUdpPortInfo& d) {
        ASSERT_TRUE(WalkEnded(d, IDC_UDPINFO_LIST, IDC_UDPINFO_REFRESH, 2));
        EXPECT_EQ(d.GetWindowText(), "UDP Service");
        EXPECT_EQ(Rows(d, IDC_UDPINFO_LIST, 2), (std::vector<std::string>{"161|0.0.0.0", "514|10.0.0.1"}));
    });
}

TEST_F(Mib2ViewerTest, EmptyTablesAndADeadSwitch)
{
    StartSwitch({KorvelSimulator::BaseData(), Fixture("tables.snmprec"), Fixture("no-ip.snmprec")}, 28);
    {
        CIPAddrTable dialog;
        RunModal<CIPAddrTable>(dialog, [&](CIPAddrTable& d) {
            ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() >= 1 && Enabled(d, IDC_IPADDR_REFRESH); },
                             15000));
            EXPECT_EQ(Item<CListCtrlEx>(d, IDC_IPADDR_LIST).GetItemCount(), 0);
            EXPECT_EQ(d.GetDlgItem(IDC_IPADDR_ENTRIES)->GetWindowText(), "0");
        });
    }
    // A switch that stops answering: the walk ends, Refresh comes back.
    g_strTimeout = "500";
    ASSERT_TRUE(sim->SilenceFor(5000));
    BoxRecorder boxes;
    CUdpPortInfo dialog;
    RunModal<CUdpPortInfo>(dialog, [&](CUdpPortInfo& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_UDPINFO_REFRESH); }, 15000));
        EXPECT_EQ(Item<CListCtrlEx>(d, IDC_UDPINFO_LIST).GetItemCount(), 0);
    });
    ASSERT_EQ(boxes.Calls().size(), 1u);
    EXPECT_EQ(boxes.Calls()[0].text, "The table could not be read from the switch.");
}

TEST_F(Mib2ViewerTest, ClosingDuringASlowWalkIsClean)
{
    StartTables();
    ASSERT_TRUE(sim->SetReplyDelay(200));
    CTcpPortInfo dialog;
    RunModal<CTcpPortInfo>(dialog, [&](CTcpPortInfo& d) {
        ASSERT_TRUE(Pump([&] { return Item<CListCtrlEx>(d, IDC_TCPINFO_LIST).GetItemCount() >= 2; }, 15000));
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace mib2_test
