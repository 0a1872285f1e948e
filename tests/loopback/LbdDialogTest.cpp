// The loopback detection dialog on the simulated switch: the port list with
// the looped VLANs, the global Apply with its refusals and its delayed
// refresh, the port Apply with its spanning-tree and link aggregation
// refusals, and the port boxes.
#include "features/layer2/CLoopbackDetection.h"
#include "loopback/LoopbackTestSupport.h"
#include "resources/loopback.h"

#include <QElapsedTimer>

namespace loopback_test {

using namespace lbdtest;

namespace {

CListCtrl& PortList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_LBD_LIST);
}

// The refresh has ended: the dialog is usable again with every port listed.
bool WaitForRefresh(CWnd& d, int rows = 28)
{
    return Pump([&] { return d.IsWindowEnabled() && PortList(d).GetItemCount() == rows; }, 20000);
}

bool Checked(CWnd& d, int id)
{
    return d.IsDlgButtonChecked(id) == BST_CHECKED;
}

class LbdDialogTest : public LbdTest
{
};

} // namespace

TEST_F(LbdDialogTest, ListsEveryPortWithTheVlansInWhichALoopShutIt)
{
    StartLbdSwitch();
    CLoopbackDetection dialog;
    RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        EXPECT_EQ(d.GetWindowText(), "Loopback Detection Settings");
        const struct
        {
            int row;
            const char* port;
            const char* state;
            const char* status;
        } rows[] = {
            {0, "1", "Disabled", "Normal"},
            {1, "2", "Enabled", "Normal"},
            {2, "3", "Disabled", "Disabled VID = 10,20"},
            {4, "5", "Disabled", "Disabled VID = 10"},
            {5, "6", "Disabled", "Disabled"},
            {27, "28", "Disabled", "Normal"},
        };
        for (const auto& r : rows) {
            EXPECT_EQ(PortList(d).GetItemText(r.row, 0), r.port);
            EXPECT_EQ(PortList(d).GetItemText(r.row, 1), r.state) << r.port;
            EXPECT_EQ(PortList(d).GetItemText(r.row, 2), r.status) << r.port;
        }
        EXPECT_TRUE(Checked(d, IDC_LBD_ENABLED));
        EXPECT_FALSE(Checked(d, IDC_LBD_DISABLED));
        EXPECT_EQ(d.GetDlgItem(IDC_LBD_INTERVAL)->GetWindowText(), "10");
        EXPECT_EQ(d.GetDlgItem(IDC_LBD_RECOVER_TIME)->GetWindowText(), "60");
        EXPECT_EQ(ComboSelection(d, IDC_LBD_MODE), "Port_based");
        EXPECT_FALSE(Enabled(d, IDC_LBD_VLAN_LIST));
        EXPECT_EQ(ComboSelection(d, IDC_LBD_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_LBD_TO_PORT), "28");
        EXPECT_EQ(ComboSelection(d, IDC_LBD_PORT_STATE), "Disable");
        for (int id : {IDC_LBD_APPLY_GLOBAL, IDC_LBD_APPLY_PORTS, IDC_LBD_REFRESH, IDC_LBD_LIST})
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
}

TEST_F(LbdDialogTest, EnablingWithSpanningTreeOnALoopbackPortIsRefusedNamingIt)
{
    StartLbdSwitch();
    SetInt(kStpGlobal, 1);
    BoxRecorder boxes;
    CLoopbackDetection dialog;
    RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        ClickButton(d, IDC_LBD_APPLY_GLOBAL);
        const auto calls = boxes.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, "LBD port 2 can not both support Spanning Tree and LBD-enabled mode.");
        EXPECT_TRUE(Sets().empty());
        for (int id : {IDC_LBD_APPLY_GLOBAL, IDC_LBD_APPLY_PORTS, IDC_LBD_REFRESH})
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
}

TEST_F(LbdDialogTest, ATrunkPortInTheRangeIsRefusedAndTheDialogRefreshes)
{
    StartLbdSwitch();
    BoxRecorder boxes;
    CLoopbackDetection dialog;
    RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        Item<CComboBox>(d, IDC_LBD_TO_PORT).SetCurSel(3);
        Item<CComboBox>(d, IDC_LBD_PORT_STATE).SetCurSel(1);
        const std::size_t walks = VlanLoopWalks();
        ClickButton(d, IDC_LBD_APPLY_PORTS);
        const auto calls = boxes.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, "LA 3 port can not support in LBD-enabled mode");
        EXPECT_TRUE(Sets().empty());
        ASSERT_TRUE(Pump([&] { return VlanLoopWalks() > walks; }, 20000));
        ASSERT_TRUE(WaitForRefresh(d));
    });
}

TEST_F(LbdDialogTest, PortApplyWritesTheRangeAndRefreshes)
{
    StartLbdSwitch();
    BoxRecorder boxes;
    CLoopbackDetection dialog;
    RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        Item<CComboBox>(d, IDC_LBD_FROM_PORT).SetCurSel(4);
        Item<CComboBox>(d, IDC_LBD_TO_PORT).SetCurSel(5);
        Item<CComboBox>(d, IDC_LBD_PORT_STATE).SetCurSel(1);
        ClickButton(d, IDC_LBD_APPLY_PORTS);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(Sets(), (RequestList{{Int(PortState(5), "1")}, {Int(PortState(6), "1")}}));
        ASSERT_TRUE(Pump([&] { return PortList(d).GetItemText(5, 1) == "Enabled"; }, 20000));
        ASSERT_TRUE(WaitForRefresh(d));
        EXPECT_EQ(PortList(d).GetItemText(4, 1), "Enabled");
    });
}

TEST_F(LbdDialogTest, ToPortBelowFromPortIsPutBack)
{
    StartLbdSwitch();
    BoxRecorder boxes;
    CLoopbackDetection dialog;
    RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        ChooseInCombo(d, IDC_LBD_FROM_PORT, 4);
        EXPECT_EQ(ComboSelection(d, IDC_LBD_TO_PORT), "5");
        ChooseInCombo(d, IDC_LBD_TO_PORT, 1);
        const auto calls = boxes.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].text, "'To Port' can not be smaller than 'From Port'");
        EXPECT_EQ(ComboSelection(d, IDC_LBD_TO_PORT), "5");
    });
}

TEST_F(LbdDialogTest, GlobalApplyChecksTheVlanListInVlanModeAndRereadsLater)
{
    struct Case
    {
        int mode; // Mode box position
        const char* vlans;
        const char* refusal; // nullptr: written
        qint64 refreshMs;
    };
    const Case cases[] = {
        {1, "", "Invalid VLAN List", 0},
        {0, "", nullptr, 3000},
        {1, "10,20", nullptr, 6000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " '" + c.vlans + "'");
        StartLbdSwitch();
        m_ownSets = 0;
        BoxRecorder boxes;
        CLoopbackDetection dialog;
        RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
            ASSERT_TRUE(WaitForRefresh(d));
            ChooseInCombo(d, IDC_LBD_MODE, c.mode);
            EXPECT_EQ(Enabled(d, IDC_LBD_VLAN_LIST), c.mode == 1);
            if (c.mode == 1)
                d.GetDlgItem(IDC_LBD_VLAN_LIST)->SetWindowText(c.vlans);
            const std::size_t walks = VlanLoopWalks();
            QElapsedTimer clock;
            clock.start();
            ClickButton(d, IDC_LBD_APPLY_GLOBAL);
            const auto calls = boxes.Calls();
            if (c.refusal != nullptr) {
                ASSERT_EQ(calls.size(), 1u);
                EXPECT_EQ(calls[0].text, c.refusal);
                EXPECT_TRUE(Sets().empty());
                EXPECT_TRUE(Enabled(d, IDC_LBD_APPLY_GLOBAL));
                EXPECT_TRUE(Enabled(d, IDC_LBD_REFRESH));
                return;
            }
            EXPECT_TRUE(calls.empty());
            ASSERT_EQ(Sets().size(), 1u);
            EXPECT_EQ(Sets()[0].size(), 5u);
            EXPECT_EQ(sim->Get(kMode), std::to_string(c.mode + 1));
            EXPECT_EQ(sim->Get(kVlanList), c.vlans);
            EXPECT_FALSE(Enabled(d, IDC_LBD_APPLY_GLOBAL));
            ASSERT_TRUE(Pump([&] { return VlanLoopWalks() > walks; }, c.refreshMs + 20000));
            // The window timer may fire up to 5 % early.
            EXPECT_GE(clock.elapsed(), c.refreshMs * 9 / 10);
            ASSERT_TRUE(WaitForRefresh(d));
            EXPECT_TRUE(Enabled(d, IDC_LBD_APPLY_GLOBAL));
        });
    }
}

TEST_F(LbdDialogTest, DisablingWritesTheStateAloneAndLeavesOnlyTheGlobalSettings)
{
    StartLbdSwitch();
    BoxRecorder boxes;
    CLoopbackDetection dialog;
    RunModal<CLoopbackDetection>(dialog, [&](CLoopbackDetection& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        ClickButton(d, IDC_LBD_DISABLED);
        for (int id : {IDC_LBD_INTERVAL, IDC_LBD_RECOVER_TIME, IDC_LBD_MODE, IDC_LBD_VLAN_LIST})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Enabled(d, IDC_LBD_APPLY_PORTS));
        const std::size_t walks = VlanLoopWalks();
        ClickButton(d, IDC_LBD_APPLY_GLOBAL);
        EXPECT_TRUE(boxes.Calls().empty());
        EXPECT_EQ(Sets(), RequestList{{Int(kState, "2")}});
        ASSERT_TRUE(Pump([&] { return VlanLoopWalks() > walks; }, 25000));
        ASSERT_TRUE(Pump([&] { return d.IsWindowEnabled(); }, 20000));
        EXPECT_TRUE(Checked(d, IDC_LBD_DISABLED));
        EXPECT_TRUE(Enabled(d, IDC_LBD_APPLY_GLOBAL));
        for (int id : {IDC_LBD_APPLY_PORTS, IDC_LBD_REFRESH, IDC_LBD_LIST, IDC_LBD_FROM_PORT, IDC_LBD_INTERVAL})
            EXPECT_FALSE(Enabled(d, id)) << id;
    });
}

} // namespace loopback_test
