// The Trunk Configuration dialog on the simulated switch: the list of trunks,
// the state and channel-mode writes, the fields a click or a key fills, and
// the member picker it opens.
#include "trunk/TrunkPickerSupport.h"

#include "features/ports_vlans/CTrunkConfigDlg.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/WindowRegistry.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTimer>

namespace trunk_test {

namespace {

using Row = std::vector<std::string>;

// The switch is chosen before the dialog is made: its sessions take the
// address when they are constructed.
struct SwitchChosen
{
    explicit SwitchChosen(const KorvelSimulator& sim)
    {
        EnsureApplication();
        UseSwitch(sim);
    }
};

// The dialog opened modelessly on the simulator, once its first walk is through.
struct OpenDialog : SwitchChosen
{
    explicit OpenDialog(const KorvelSimulator& sim) : SwitchChosen(sim)
    {
        dialog.Create(IDD_TRUNK_CONFIG, nullptr);
        dialog.ShowWindow(SW_SHOW);
        WaitForWalk();
    }
    ~OpenDialog() { dialog.DestroyWindow(); }

    CListCtrl& List() const { return *static_cast<CListCtrl*>(dialog.GetDlgItem(IDC_TRUNK_LIST)); }
    CComboBox& Mode() const { return *static_cast<CComboBox*>(dialog.GetDlgItem(IDC_TRUNK_MODE)); }
    bool Enabled(int id) const { return dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE; }
    std::string Text(int id) const { return dialog.GetDlgItem(id)->GetWindowText(); }
    bool EnableTicked() const { return ButtonOf(dialog, IDC_TRUNK_ENABLE)->isChecked(); }

    bool WaitForWalk()
    {
        return PumpUntil([&] { return Enabled(IDC_TRUNK_REFRESH); });
    }
    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        for (int row = 0; row < List().GetItemCount(); ++row)
            rows.push_back({List().GetItemText(row, 0), List().GetItemText(row, 1), List().GetItemText(row, 2)});
        return rows;
    }
    void ClickRow(int row)
    {
        auto* view = static_cast<QAbstractItemView*>(List().GetWidget());
        CRect cell;
        List().GetSubItemRect(row, 0, LVIR_LABEL, cell);
        Click(view->viewport(), view->viewport()->mapFrom(view, QPoint(cell.CenterPoint().x, cell.CenterPoint().y)));
    }
    void Key(int key) { SendKey(List().GetWidget(), key); }
    // Chooses a mode in the combo as the user would; -1 leaves none chosen.
    void ChooseMode(int item) { Mode().SetCurSel(item); }
    void Press(int id)
    {
        ClickControl(dialog, id);
        WaitForWalk();
    }

    CTrunkConfigDlg dialog;
};

// The picker the dialog runs modally, while it runs.
CKSXTrunkPort* RunningPicker()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || widget->windowTitle() != "Trunk member")
            continue;
        if (WindowRecord* rec = WindowRegistry::FromWidget(widget))
            return dynamic_cast<CKSXTrunkPort*>(rec->object);
    }
    return nullptr;
}

const std::vector<Row> kSimulatorTrunks = {
    {"1", "LACP", "27,28"}, {"2", "Static", "25,26"}, {"3", "Static", ""}, {"4", "LACP", ""},
    {"5", "LACP", ""},      {"6", "LACP", ""},        {"7", "LACP", ""},   {"8", "LACP", ""},
};

} // namespace

TEST(TrunkConfigDlg, ListsTheTrunksInTableOrderWithTheirModesAndMembers)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);
    EXPECT_EQ(d.Rows(), kSimulatorTrunks);
    EXPECT_TRUE(d.EnableTicked());
    EXPECT_TRUE(d.Enabled(IDC_TRUNK_PORT_MEMBER));
    EXPECT_TRUE(d.Enabled(IDC_TRUNK_APPLY_STATE));
    EXPECT_EQ(d.dialog.GetWindowText(), "Trunk Configuration");
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "");

    // A mode outside the switch's set is shown as unknown.
    ASSERT_EQ(sim.Set(SwitchOid("8.1.3.1.3.4"), SnmpValueInteger, "9"), 0);
    d.Press(IDC_TRUNK_REFRESH);
    EXPECT_EQ(d.Rows()[3], (Row{"4", "", ""}));
    EXPECT_EQ(d.Rows().size(), kSimulatorTrunks.size());
}

TEST(TrunkConfigDlg, ApplyWritesTheLinkAggregationState)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    ASSERT_EQ(sim.Set(SwitchOid("8.1.2.0"), SnmpValueInteger, "2"), 0);
    OpenDialog d(sim);
    EXPECT_FALSE(d.EnableTicked());
    EXPECT_FALSE(d.Enabled(IDC_TRUNK_PORT_MEMBER));

    ClickControl(d.dialog, IDC_TRUNK_ENABLE);
    d.Press(IDC_TRUNK_APPLY_STATE);
    EXPECT_EQ(sim.Get(SwitchOid("8.1.2.0")), "1");
    EXPECT_TRUE(d.Enabled(IDC_TRUNK_PORT_MEMBER));

    ClickControl(d.dialog, IDC_TRUNK_ENABLE);
    d.Press(IDC_TRUNK_APPLY_STATE);
    EXPECT_EQ(sim.Get(SwitchOid("8.1.2.0")), "2");
    EXPECT_FALSE(d.EnableTicked());
    EXPECT_FALSE(d.Enabled(IDC_TRUNK_PORT_MEMBER));
}

TEST(TrunkConfigDlg, ApplyWithoutAStateReadWritesNothing)
{
    // The switch does not answer the state: the box shows no state of the switch.
    KorvelSimulator sim({KorvelSimulator::BaseData()});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);
    EXPECT_FALSE(d.Enabled(IDC_TRUNK_APPLY_STATE));
    EXPECT_FALSE(d.Enabled(IDC_TRUNK_PORT_MEMBER));
    ClickControl(d.dialog, IDC_TRUNK_APPLY_STATE);
    EXPECT_TRUE(SetRequests(sim).empty());
}

TEST(TrunkConfigDlg, ApplyWritesTheChannelModeOfTheClickedTrunk)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);
    BoxRecorder boxes;

    d.ClickRow(0);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "1");
    EXPECT_EQ(d.Mode().GetCurSel(), 0);
    // The mode the list shows: nothing to send.
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_TRUE(SetRequests(sim).empty());

    d.ChooseMode(1);
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_EQ(sim.Get(SwitchOid("8.1.3.1.3.1")), "2");
    EXPECT_EQ(d.Rows()[0], (Row{"1", "Static", "27,28"}));

    d.ChooseMode(2);
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_EQ(sim.Get(SwitchOid("8.1.3.1.3.1")), "3");
    EXPECT_EQ(d.Rows()[0], (Row{"1", "Disable", "27,28"}));
    EXPECT_EQ(SetRequests(sim),
              (std::vector<Row>{{SwitchOid("8.1.3.1.3.1") + "|2|2"}, {SwitchOid("8.1.3.1.3.1") + "|2|3"}}));
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST(TrunkConfigDlg, ApplyComparesWithTheRowOfTheTrunkWhateverItsPlace)
{
    // Trunks 2, 5 and 7: trunk 5 is the second row.
    KorvelSimulator sim({TestData("trunk-sparse.snmprec")});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);
    ASSERT_EQ(d.Rows(), (std::vector<Row>{{"2", "LACP", "1,2"}, {"5", "Static", "3,4"}, {"7", "LACP", ""}}));
    BoxRecorder boxes;

    d.ClickRow(1);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "5");
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_TRUE(SetRequests(sim).empty());
    d.ChooseMode(0);
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_EQ(sim.Get(SwitchOid("8.1.3.1.3.5")), "1");
    EXPECT_TRUE(boxes.Calls().empty());

    // Trunk 7 has no members.
    d.ClickRow(2);
    d.ChooseMode(1);
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The minimum port numbers for an aggregated link is 2."});
    EXPECT_EQ(sim.Get(SwitchOid("8.1.3.1.3.7")), "1");
}

TEST(TrunkConfigDlg, RefusalsOfTheButtons)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);
    BoxRecorder boxes;

    // No trunk picked yet.
    d.Press(IDC_TRUNK_PORT_MEMBER);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select the Trunk !"});

    d.ClickRow(0);
    d.ChooseMode(2);
    d.Press(IDC_TRUNK_PORT_MEMBER);
    EXPECT_EQ(boxes.Texts().back(), "Please select the Channel Mode (LACP or Static) first.");

    ClickControl(d.dialog, IDC_TRUNK_ENABLE);
    d.Press(IDC_TRUNK_APPLY_MODE);
    EXPECT_EQ(boxes.Texts().back(), "Link Aggregation State is disable.");
    EXPECT_EQ(boxes.Calls().size(), 3U);
    EXPECT_TRUE(SetRequests(sim).empty());
}

TEST(TrunkConfigDlg, UpAndDownCopyTheNeighbouringRowIntoTheFields)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);

    d.ClickRow(1);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "2");
    EXPECT_EQ(d.Mode().GetCurSel(), 1);
    d.Key(Qt::Key_Down);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "3");
    d.Key(Qt::Key_Up);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "2");
    d.Key(Qt::Key_Right);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "2");
    d.Key(Qt::Key_Up);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "1");
    // Up on the first row leaves the fields.
    d.Key(Qt::Key_Up);
    EXPECT_EQ(d.Text(IDC_TRUNK_ID), "1");
    EXPECT_EQ(d.Mode().GetCurSel(), 0);
}

TEST(TrunkConfigDlg, PortMemberRunsThePickerForTheTrunkAndRefreshesAfterItsWrite)
{
    KorvelSimulator sim({KorvelSimulator::BaseData(), TrunkData()});
    ASSERT_TRUE(sim.Running());
    OpenDialog d(sim);
    BoxRecorder boxes;
    d.ClickRow(2);
    d.ChooseMode(0);

    // Cancel: nothing written.
    std::string trunkId;
    std::string mode;
    bool found = false;
    QTimer::singleShot(0, [&] {
        if (CKSXTrunkPort* picker = RunningPicker()) {
            found = true;
            trunkId = picker->GetDlgItem(IDC_TRUNK_MEMBER_ID)->GetWindowText();
            mode = picker->GetDlgItem(IDC_TRUNK_MEMBER_MODE)->GetWindowText();
            ClickControl(*picker, IDCANCEL);
        }
    });
    d.Press(IDC_TRUNK_PORT_MEMBER);
    EXPECT_TRUE(found);
    EXPECT_EQ(trunkId, "3");
    EXPECT_EQ(mode, "LACP");
    EXPECT_TRUE(SetRequests(sim).empty());

    // OK with ports 3 and 4: written, and the list shows them.
    QTimer::singleShot(0, [&] {
        if (CKSXTrunkPort* picker = RunningPicker()) {
            ClickControl(*picker, IDC_TRUNK_MEMBER_CHECK_FIRST + 2);
            ClickControl(*picker, IDC_TRUNK_MEMBER_CHECK_FIRST + 3);
            ClickControl(*picker, IDOK);
        }
    });
    d.Press(IDC_TRUNK_PORT_MEMBER);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(d.Rows()[2], (Row{"3", "LACP", "3,4"}));
}

} // namespace trunk_test
