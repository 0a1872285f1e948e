// The STP port table on the simulated switch: the rows and their texts, each
// value in the row its own index names, spanning tree switched off on
// loopback detection ports before the first walk, and when the table is read
// again.
#include "features/layer2/CPrivateSpanTree.h"
#include "stp/StpTestSupport.h"

using namespace stptest;

namespace {

using Texts9 = std::vector<std::string>;

class PortTableTest : public StpTest
{
};

} // namespace

TEST_F(PortTableTest, ListsEveryPortWithItsTexts)
{
    StartStpSwitch({Fixture("table-values.snmprec")});
    CPrivateSpanTree table;
    RunModal<CPrivateSpanTree>(table, [&](CPrivateSpanTree& t) {
        ASSERT_TRUE(WaitForPortWalk(t, 1));
        EXPECT_EQ(t.GetWindowText(), "Spanning Tree Table");
        CListCtrl& list = TableList(t);
        ASSERT_EQ(list.GetItemCount(), 28);
        EXPECT_EQ(t.GetDlgItem(IDC_STP_TABLE_COUNT)->GetWindowText(), "28");
        const char* const headings[] = {"Port", "State",          "Priority",       "External Cost ", "Edge",
                                        "P2P",  "Restricted Role", "Restricted TCN", "Port Status"};
        for (int column = 0; column < 9; ++column) {
            LVCOLUMN info{};
            char text[64] = {};
            info.mask = LVCF_TEXT;
            info.pszText = text;
            info.cchTextMax = sizeof text;
            ASSERT_TRUE(list.GetColumn(column, &info));
            EXPECT_EQ(std::string(text), headings[column]);
        }
        // Automatic cost in use 20000; automatic with none in use; a cost set.
        EXPECT_EQ(Row(t, 0), (Texts9{"1", "Enabled", "128", "AUTO/20000", "Auto", "Auto", "False", "False",
                                     "Forwarding"}));
        EXPECT_EQ(Row(t, 4)[3], "0");
        EXPECT_EQ(Row(t, 2)[3], "200");
        // A status with no name is shown as the switch gave it.
        EXPECT_EQ(Row(t, 5)[8], "3");
        EXPECT_EQ(Row(t, 27)[0], "28");
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortTableTest, EachValueLandsInItsOwnPortsRow)
{
    StartSwitch({KorvelSimulator::BaseData(), Fixture("sparse-table.snmprec")}, 28);
    CPrivateSpanTree table;
    RunModal<CPrivateSpanTree>(table, [&](CPrivateSpanTree& t) {
        ASSERT_TRUE(WaitForPortWalk(t, 1));
        ASSERT_EQ(TableList(t).GetItemCount(), 3);
        EXPECT_EQ(Row(t, 0), (Texts9{"1", "Enabled", "128", "AUTO/20000", "False", "Auto", "False", "False",
                                     "Forwarding"}));
        EXPECT_EQ(Row(t, 1), (Texts9{"2", "Disabled", "64", "0", "", "Force True", "True", "False", "Discarding"}));
        EXPECT_EQ(Row(t, 2), (Texts9{"3", "Enabled", "32", "500", "True", "Force False", "False", "True", "Learning"}));
        EXPECT_EQ(t.GetDlgItem(IDC_STP_TABLE_COUNT)->GetWindowText(), "3");
    });
}

TEST_F(PortTableTest, LoopbackDetectionPortsLoseSpanningTreeBeforeTheFirstWalk)
{
    StartStpSwitch();
    SetInt(LbdPort(5), 1);
    SetInt(LbdPort(9), 1);
    CPrivateSpanTree table;
    RunModal<CPrivateSpanTree>(table, [&](CPrivateSpanTree& t) {
        ASSERT_TRUE(WaitForPortWalk(t, 1));
        EXPECT_EQ(Row(t, 4)[1], "Disabled");
        EXPECT_EQ(Row(t, 8)[1], "Disabled");
        EXPECT_EQ(Row(t, 5)[1], "Enabled");
    });
    EXPECT_EQ(Sets(), (RequestList{{Int(StpPortEnable(5), "2")}, {Int(StpPortEnable(9), "2")}}));
    EXPECT_EQ(GetsBelow(kLbdPortColumn), 28u);
    // Both writes come before the table's first request.
    const auto lines = sim->LogLines();
    const auto firstWalk = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("GETNEXT", 0) == 0 && line.find(Asked(PortColumn(1))) != std::string::npos;
    });
    const auto lastWrite = std::find_if(lines.rbegin(), lines.rend(), [](const std::string& line) {
        return line.find(StpPortEnable(9) + "|2|2") != std::string::npos;
    });
    ASSERT_NE(firstWalk, lines.end());
    ASSERT_NE(lastWrite, lines.rend());
    EXPECT_LT(std::distance(lines.begin(), lastWrite.base()), std::distance(lines.begin(), firstWalk) + 1);
    // One switch state: the port table shows it too.
    EXPECT_EQ(sim->Get(PortOid(4, 5)), "2");
}

TEST_F(PortTableTest, IsReadAgainWhenShownAndAfterOkButNotAfterClose)
{
    StartStpSwitch();
    CPrivateSpanTree table;
    RunModal<CPrivateSpanTree>(table, [&](CPrivateSpanTree& t) {
        ASSERT_TRUE(WaitForPortWalk(t, 1));

        bool opened = false;
        WhenDialogOpens(" Port STP Configuration", [](CWnd& port) { ClickButton(port, IDCANCEL); }, &opened);
        ClickButton(t, IDC_STP_TABLE_PORT_CONFIG);
        EXPECT_TRUE(opened);
        PumpFor(500);
        EXPECT_EQ(PortWalks(), 1u);

        opened = false;
        WhenDialogOpens(" Port STP Configuration", [](CWnd& port) { ClickButton(port, IDOK); }, &opened);
        ClickButton(t, IDC_STP_TABLE_PORT_CONFIG);
        EXPECT_TRUE(opened);
        ASSERT_TRUE(WaitForPortWalk(t, 2));

        t.ShowWindow(SW_HIDE);
        t.ShowWindow(SW_SHOW);
        ASSERT_TRUE(WaitForPortWalk(t, 3));
        EXPECT_EQ(TableList(t).GetItemCount(), 28);
    });
}

TEST_F(PortTableTest, AFailedWalkKeepsTheRowsOfTheLastOneAndSaysSo)
{
    StartStpSwitch();
    BoxRecorder boxes;
    CPrivateSpanTree table;
    RunModal<CPrivateSpanTree>(table, [&](CPrivateSpanTree& t) {
        ASSERT_TRUE(WaitForPortWalk(t, 1));
        ASSERT_TRUE(sim->SilenceFor(4500));
        ClickButton(t, IDC_STP_TABLE_REFRESH);
        EXPECT_FALSE(Enabled(t, IDC_STP_TABLE_REFRESH));
        ASSERT_TRUE(Pump([&] { return Enabled(t, IDC_STP_TABLE_REFRESH); }, 15000));
        EXPECT_EQ(TableList(t).GetItemCount(), 28);
        EXPECT_EQ(t.GetDlgItem(IDC_STP_TABLE_COUNT)->GetWindowText(), "28");
    });
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].text, "The spanning tree port table could not be read again from the switch; the last complete "
                             "read is shown.");
}
