// The STP port settings dialog, opened from the port table on the simulated
// switch: stepping through the rows, the one SET of a port and its values,
// the cost refusals, combos without a selection, the loopback detection
// exclusion, a port that could not be read and a table without rows.
#include "features/layer2/CPrivateSpanTPort.h"
#include "features/layer2/CPrivateSpanTree.h"
#include "stp/StpTestSupport.h"

using namespace stptest;

namespace {

const char* const kCaption = " Port STP Configuration";

// The one SET of port p as the dialog writes it, in its order.
std::vector<std::string> PortSet(int p, const std::string& state, const std::string& priority, const std::string& cost,
                                 const std::string& tcn, const std::string& migrate, const std::string& p2p,
                                 const std::string& role, const std::string& edge)
{
    return {Int(PortOid(4, p), state), Int(PortOid(2, p), priority), Int(PortOid(5, p), cost),
            Int(PortOid(18, p), tcn),  Int(PortOid(12, p), migrate), Int(PortOid(14, p), p2p),
            Int(PortOid(17, p), role), Int(PortOid(16, p), edge)};
}

class PortDialogTest : public StpTest
{
protected:
    // Opens the table, selects `row` (none for -1), opens the port dialog
    // with "Port Config" and acts on it. True when the table was read again
    // after the port dialog ended.
    bool OnPortDialog(int row, const std::function<void(CWnd&)>& act)
    {
        bool readAgain = false;
        const std::size_t before = PortWalks();
        CPrivateSpanTree table;
        RunModal<CPrivateSpanTree>(table, [&](CPrivateSpanTree& t) {
            ASSERT_TRUE(WaitForPortWalk(t, before + 1));
            if (row >= 0)
                ClickRow(TableList(t), row);
            bool opened = false;
            WhenDialogOpens(kCaption, act, &opened);
            ClickButton(t, IDC_STP_TABLE_PORT_CONFIG);
            ASSERT_TRUE(opened);
            readAgain = Pump([&] { return PortWalks() >= before + 2; }, 5000);
            if (readAgain) {
                ASSERT_TRUE(WaitForPortWalk(t, before + 2));
            }
        });
        return readAgain;
    }
};

} // namespace

TEST_F(PortDialogTest, StepsThroughTheRowsAndStopsAtTheEnds)
{
    StartStpSwitch();
    const bool readAgain = OnPortDialog(-1, [](CWnd& d) {
        // No row selected: the first.
        EXPECT_EQ(d.GetWindowText(), kCaption);
        EXPECT_EQ(Text(d, IDC_STP_PORT_NUMBER), "1");
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_PREV));
        EXPECT_TRUE(Enabled(d, IDC_STP_PORT_NEXT));
        EXPECT_EQ(Text(d, IDC_STP_PORT_COST), "20000");
        EXPECT_EQ(Text(d, IDC_STP_PORT_PRIORITY), "128");
        EXPECT_EQ(ComboSelection(d, IDC_STP_PORT_EDGE), "Auto");
        EXPECT_EQ(ComboSelection(d, IDC_STP_PORT_P2P), "Auto");
        EXPECT_EQ(ComboSelection(d, IDC_STP_PORT_RESTRICTED_ROLE), "False");
        EXPECT_EQ(ComboSelection(d, IDC_STP_PORT_RESTRICTED_TCN), "False");
        EXPECT_EQ(ComboSelection(d, IDC_STP_PORT_MIGRATE), "Disabled");
        EXPECT_TRUE(Checked(d, IDC_STP_PORT_ENABLE));

        ClickButton(d, IDC_STP_PORT_NEXT);
        EXPECT_EQ(Text(d, IDC_STP_PORT_NUMBER), "2");
        EXPECT_TRUE(Enabled(d, IDC_STP_PORT_PREV));
        ClickButton(d, IDC_STP_PORT_PREV);
        EXPECT_EQ(Text(d, IDC_STP_PORT_NUMBER), "1");
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_PREV));
        ClickButton(d, IDCANCEL);
    });
    EXPECT_FALSE(readAgain);

    OnPortDialog(27, [](CWnd& d) {
        EXPECT_EQ(Text(d, IDC_STP_PORT_NUMBER), "28");
        EXPECT_TRUE(Enabled(d, IDC_STP_PORT_PREV));
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_NEXT));
        EXPECT_EQ(Text(d, IDC_STP_PORT_COST), "0");
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortDialogTest, OkWritesThePortInOneSetAndTheTableReadsAgain)
{
    StartStpSwitch();
    BoxRecorder boxes;
    // "AUTO/20000" in the table: the cost in use is written as the cost.
    EXPECT_TRUE(OnPortDialog(0, [](CWnd& d) { ClickButton(d, IDOK); }));
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(Sets(), (RequestList{PortSet(1, "1", "128", "20000", "2", "2", "2", "2", "2")}));
    EXPECT_EQ(sim->Get(PortOid(5, 1)), "20000");
}

TEST_F(PortDialogTest, ComboItemsAreWrittenAsTheirValues)
{
    struct Case
    {
        int edgeItem;
        const char* edge;
        int p2pItem;
        const char* p2p;
    };
    // Edge: True, False, Auto; point-to-point: Force True, Force False, Auto.
    const Case cases[] = {{1, "0", 0, "0"}, {0, "1", 1, "1"}};
    StartStpSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.edge);
        m_ownSets = Requests("SET").size();
        OnPortDialog(1, [&](CWnd& d) {
            ChooseInCombo(d, IDC_STP_PORT_EDGE, c.edgeItem);
            ChooseInCombo(d, IDC_STP_PORT_P2P, c.p2pItem);
            ChooseInCombo(d, IDC_STP_PORT_MIGRATE, 0);
            Item<CComboBox>(d, IDC_STP_PORT_PRIORITY).SetCurSel(2);
            d.GetDlgItem(IDC_STP_PORT_COST)->SetWindowText("0");
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(Sets(), (RequestList{PortSet(2, "1", "32", "0", "2", "1", c.p2p, "2", c.edge)}));
    }
    EXPECT_EQ(sim->Get(PortOid(16, 2)), "1");
}

TEST_F(PortDialogTest, CostsOutOfRangeAreRefusedAndTheDialogStillCloses)
{
    StartStpSwitch();
    for (const char* cost : {"200000001", "-1"}) {
        SCOPED_TRACE(cost);
        BoxRecorder boxes;
        const bool readAgain = OnPortDialog(0, [&](CWnd& d) {
            d.GetDlgItem(IDC_STP_PORT_COST)->SetWindowText(cost);
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Invalid Path Cost(1-200000000)"});
        EXPECT_TRUE(readAgain);
    }
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortDialogTest, ACostThatIsNoNumberKeepsTheDialogOpenAndWritesNothing)
{
    StartStpSwitch();
    BoxRecorder boxes;
    OnPortDialog(0, [&](CWnd& d) {
        d.GetDlgItem(IDC_STP_PORT_COST)->SetWindowText("auto");
        ClickButton(d, IDOK);
        PumpFor(200);
        EXPECT_TRUE(d.IsWindowVisible());
    });
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortDialogTest, CombosWithoutASelectionAddNoBinding)
{
    StartStpSwitch();
    OnPortDialog(0, [](CWnd& d) {
        for (int id : {IDC_STP_PORT_RESTRICTED_TCN, IDC_STP_PORT_MIGRATE, IDC_STP_PORT_P2P,
                       IDC_STP_PORT_RESTRICTED_ROLE, IDC_STP_PORT_EDGE})
            Item<CComboBox>(d, id).SetCurSel(-1);
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(Sets(), (RequestList{{Int(PortOid(4, 1), "1"), Int(PortOid(2, 1), "128"), Int(PortOid(5, 1), "20000")}}));
}

TEST_F(PortDialogTest, EnablingAPortWithLoopbackDetectionIsRefusedWithItsNumber)
{
    StartStpSwitch();
    SetInt(kLbdGlobal, 1);
    SetInt(LbdPort(3), 1);
    BoxRecorder boxes;
    const bool readAgain = OnPortDialog(2, [](CWnd& d) {
        // The table switched it off when it opened.
        EXPECT_FALSE(Checked(d, IDC_STP_PORT_ENABLE));
        ClickButton(d, IDC_STP_PORT_ENABLE);
        ClickButton(d, IDOK);
    });
    EXPECT_TRUE(readAgain);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"STP port 3 can not both support Spanning Tree and LBD-enabled mode."});
    // Only the table's own write when it opened.
    EXPECT_EQ(Sets(), RequestList{{Int(StpPortEnable(3), "2")}});

    // Disabled globally: no port state is read, and the port is written.
    SetInt(kLbdGlobal, 2);
    std::size_t portReads = 0;
    OnPortDialog(2, [&](CWnd& d) {
        ClickButton(d, IDC_STP_PORT_ENABLE);
        portReads = GetsBelow(kLbdPortColumn);
        ClickButton(d, IDOK);
        EXPECT_EQ(GetsBelow(kLbdPortColumn), portReads);
    });
    const RequestList sets = Sets();
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets.back().front(), Int(PortOid(4, 3), "1"));
    EXPECT_EQ(sim->Get(StpPortEnable(3)), "1");
}

TEST_F(PortDialogTest, APortWhoseSettingsCouldNotBeReadIsNotWritten)
{
    StartStpSwitch();
    BoxRecorder boxes;
    OnPortDialog(0, [&](CWnd& d) {
        ASSERT_TRUE(sim->SilenceFor(3500));
        ClickButton(d, IDC_STP_PORT_REFRESH);
        PumpFor(600);
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"The settings of port 1 could not be read from the switch; nothing was written."});
    EXPECT_TRUE(Sets().empty());
}

TEST_F(PortDialogTest, WithoutRowsNothingIsReadOrWritten)
{
    StartSwitch({KorvelSimulator::BaseData()}, 28);
    BoxRecorder boxes;
    OnPortDialog(-1, [](CWnd& d) {
        EXPECT_EQ(Text(d, IDC_STP_PORT_NUMBER), "");
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_PREV));
        EXPECT_FALSE(Enabled(d, IDC_STP_PORT_NEXT));
        ClickButton(d, IDOK);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(GetsBelow(PortColumn(12)) + GetsBelow(PortColumn(4)), 0u);
}
