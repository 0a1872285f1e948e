// The spanning tree port table and port dialogs, reached from "Bridge Config"
// through "Port Setting" and "&Port Config": the rows' words and byte forms,
// Prev and Next bounds, the path cost check, aggregated link ports and an
// empty table.
#include "legacy/CSpanTree.h"
#include "legacy/CSpanTreeBridgeParam.h"
#include "legacy/CSpanTreePortParam.h"
#include "legacy/LegacyTestSupport.h"

namespace legacy_test {

namespace {

bool WaitForTable(CWnd& t, int rows)
{
    return Pump([&] { return Enabled(t, IDC_LSTPT_REFRESH) && Rows(t, IDC_LSTPT_LIST) == rows; }, 10000);
}

class SpanTreePortTest : public LegacyTest
{
protected:
    // Runs the bridge dialog, opens the port table from it and runs `act` on
    // the table once its walk has read `rows` rows.
    void WithTable(int rows, const std::function<void(CSpanTree&)>& act)
    {
        CSpanTreeBridgeParam bridge;
        bool ran = false;
        RunModal<CSpanTreeBridgeParam>(bridge, [&](CSpanTreeBridgeParam& b) {
            ASSERT_TRUE(Pump([&] { return Enabled(b, IDC_LSTPB_PORT_SETTING); }, 10000));
            auto done = OnNextModal<CSpanTree>([&](CSpanTree& t) {
                ASSERT_TRUE(WaitForTable(t, rows)) << Rows(t, IDC_LSTPT_LIST) << " rows, refresh "
                                                   << Enabled(t, IDC_LSTPT_REFRESH) << ", count "
                                                   << Text(t, IDC_LSTPT_COUNT);
                act(t);
                ran = true;
            });
            ClickButton(b, IDC_LSTPB_PORT_SETTING);
        });
        EXPECT_TRUE(ran);
    }
    // Opens the port dialog from the table and runs `act` on it.
    static void WithPort(CSpanTree& t, const std::function<void(CSpanTreePortParam&)>& act)
    {
        auto done = OnNextModal<CSpanTreePortParam>(act);
        ClickButton(t, IDC_LSTPT_PORT_CONFIG);
        EXPECT_TRUE(*done);
    }
};

} // namespace

TEST_F(SpanTreePortTest, ShowsEachRowsWordsAndBytes)
{
    StartLegacySwitch();
    WithTable(6, [&](CSpanTree& t) {
        EXPECT_EQ(t.GetWindowText(), "Spanning Tree Table");
        EXPECT_EQ(Text(t, IDC_LSTPT_COUNT), "6");
        struct Row
        {
            int row;
            const char *port, *enable, *status, *bridge, *designatedPort;
        };
        const Row rows[] = {
            {0, "1", "Y", "Forward", "80 00", "80 01"},
            {1, "2", "Y", "Monitored", "80:00:00:11:22:33:44:55", "80 02"},
            {2, "3", "Y", "Token", "80:00:00:11:22:33:44:55", "80 03"},
            {3, "4", "N", "7", "80:00:00:11:22:33:44:55", "80 04"},
        };
        for (const Row& r : rows) {
            SCOPED_TRACE(r.row);
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 0), r.port);
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 1), "128");
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 2), "20000");
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 3), r.enable);
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 4), r.status);
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 5), "80:00:00:11:22:33:44:55");
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 7), r.bridge);
            EXPECT_EQ(Cell(t, IDC_LSTPT_LIST, r.row, 8), r.designatedPort);
        }
    });
}

TEST_F(SpanTreePortTest, PrevAndNextStayWithinTheRows)
{
    StartLegacySwitch();
    WithTable(6, [&](CSpanTree& t) {
        WithPort(t, [&](CSpanTreePortParam& p) {
            EXPECT_EQ(p.GetWindowText(), " Port STP Configuration");
            EXPECT_EQ(Text(p, IDC_LSTPP_PORT), "1");
            EXPECT_FALSE(Enabled(p, IDC_LSTPP_PREV));
            EXPECT_TRUE(Enabled(p, IDC_LSTPP_NEXT));
            EXPECT_EQ(Text(p, IDC_LSTPP_PRIORITY), "128");
            EXPECT_EQ(Text(p, IDC_LSTPP_PATH_COST), "20000");
            EXPECT_TRUE(IsChecked(p, IDC_LSTPP_ENABLE));
            EXPECT_EQ(Text(p, IDC_LSTPP_DESIG_BRIDGE), "80 00");
            for (int i = 0; i < 8; ++i)
                p.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LSTPP_NEXT, BN_CLICKED), 0);
            EXPECT_EQ(Text(p, IDC_LSTPP_PORT), "6");
            EXPECT_TRUE(Enabled(p, IDC_LSTPP_PREV));
            EXPECT_FALSE(Enabled(p, IDC_LSTPP_NEXT));
            ClickButton(p, IDC_LSTPP_PREV);
            ClickButton(p, IDC_LSTPP_PREV);
            EXPECT_EQ(Text(p, IDC_LSTPP_PORT), "4");
            EXPECT_EQ(Text(p, IDC_LSTPP_STATUS), "7");
            EXPECT_FALSE(IsChecked(p, IDC_LSTPP_ENABLE));
            for (int i = 0; i < 8; ++i)
                p.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LSTPP_PREV, BN_CLICKED), 0);
            EXPECT_EQ(Text(p, IDC_LSTPP_PORT), "1");
            EXPECT_FALSE(Enabled(p, IDC_LSTPP_PREV));
        });
    });
}

TEST_F(SpanTreePortTest, ChecksThePathCostAndWritesThePort)
{
    StartLegacySwitch();
    BoxRecorder boxes;
    WithTable(6, [&](CSpanTree& t) {
        WithPort(t, [&](CSpanTreePortParam& p) {
            for (const char* refused : {"200000001", "-1"}) {
                Type(p, IDC_LSTPP_PATH_COST, refused);
                ClickButton(p, IDC_LSTPP_APPLY);
            }
            EXPECT_EQ(Messages(boxes),
                      (std::vector<std::string>{"Invalid Path Cost(1-200000000)", "Invalid Path Cost(1-200000000)"}));
            EXPECT_TRUE(Sets().empty());

            Type(p, IDC_LSTPP_PATH_COST, "0");
            Type(p, IDC_LSTPP_PRIORITY, "64");
            ClickButton(p, IDC_LSTPP_ENABLE);
            ClickButton(p, IDC_LSTPP_APPLY);
            const RequestList expected = {
                {Int(StpPortOid(2, 1), "64"), Int(PathCostOid(1), "0"), Int(StpPortOid(4, 1), "2")}};
            EXPECT_EQ(Sets(), expected);
            EXPECT_EQ(sim->Get(StpPortOid(2, 1)), "64");
            EXPECT_EQ(boxes.Calls().size(), 2u);
        });
    });
}

TEST_F(SpanTreePortTest, LeavesAggregatedLinkPortsAlone)
{
    StartLegacySwitch();
    BoxRecorder boxes;
    WithTable(6, [&](CSpanTree& t) {
        static_cast<CListCtrl*>(t.GetDlgItem(IDC_LSTPT_LIST))->SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
        WithPort(t, [&](CSpanTreePortParam& p) {
            ASSERT_EQ(Text(p, IDC_LSTPP_PORT), "5");
            // Unchanged: nothing sent, nothing said.
            Type(p, IDC_LSTPP_PATH_COST, "20000");
            ClickButton(p, IDC_LSTPP_APPLY);
            EXPECT_TRUE(boxes.Calls().empty());
            Type(p, IDC_LSTPP_PATH_COST, "30000");
            ClickButton(p, IDC_LSTPP_APPLY);
            EXPECT_EQ(Messages(boxes), std::vector<std::string>{
                                           "Cannot add ports with different STP configurations to an aggregated link."});
            EXPECT_TRUE(Sets().empty());
        });
    });
}

TEST_F(SpanTreePortTest, AnEmptyTableOpensNoPortDialog)
{
    StartSwitch({KorvelSimulator::BaseData(), std::string(KORVEL_SOURCE_DIR) + "/tests/legacy/fixtures/legacy.snmprec",
                 std::string(KORVEL_SOURCE_DIR) + "/tests/legacy/fixtures/no_stp_ports.snmprec"},
                28);
    WithTable(0, [&](CSpanTree& t) {
        ClickButton(t, IDC_LSTPT_PORT_CONFIG);
        t.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LSTPT_PORT_CONFIG, BN_CLICKED), 0);
        // Both returned at once: no port dialog ran.
        EXPECT_EQ(Rows(t, IDC_LSTPT_LIST), 0);
    });
}

} // namespace legacy_test
