// The Add and Edit VLAN dialog on the simulated switch: adding a VLAN with
// members from the VLAN dialog, editing one, the refusals of Apply, the
// grid's clicks, the name's length, and the grids of 28, 48 and 52 ports.
#include "features/ports_vlans/C8021qVlanSet.h"
#include "features/ports_vlans/CKSXVlanAdd.h"
#include "resources/ports_vlans.h"
#include "vlan/VlanTestSupport.h"

#include <QKeyEvent>

namespace vlan_test {

using namespace vlantest;

namespace {

VLAN_entry_info Record(int vid, const std::string& name, const std::string& egress, const std::string& untagged)
{
    VLAN_entry_info record;
    record.nVid = vid;
    record.szName = name;
    record.szEgressPorts = egress;
    record.szUntaggedPorts = untagged;
    record.nEgressCount = egress.empty() ? 0 : static_cast<int>(std::count(egress.begin(), egress.end(), ',')) + 1;
    record.nUntaggedCount =
        untagged.empty() ? 0 : static_cast<int>(std::count(untagged.begin(), untagged.end(), ',')) + 1;
    return record;
}

// The records of the VLAN data of the 28-port switch, as the VLAN dialog reads them.
VLAN_entry_list Records28()
{
    return {Record(1, "default", Ports(1, 28), Ports(1, 24)),
            Record(2, "sales", "5,6,7,8", ""),
            Record(10, "Engineering", "1,2,3,4,25", ""),
            Record(20, "Voice", "26", ""),
            Record(30, "Cameras", "27,28", ""),
            Record(50, "B\xC3\xBCro", "", ""),
            Record(100, "lab", "9,10", "")};
}

int Tagged(int port)
{
    return IDC_VLANADD_TAGGED_FIRST + port - 1;
}
int Untagged(int port)
{
    return IDC_VLANADD_UNTAGGED_FIRST + port - 1;
}
int NotMember(int port)
{
    return IDC_VLANADD_NOT_MEMBER_FIRST + port - 1;
}

// Which box of the port is checked: 'T', 'U', 'N', or '?' for none or several.
char StateOf(CWnd& d, int port)
{
    const bool t = Checked(d, Tagged(port)), u = Checked(d, Untagged(port)), n = Checked(d, NotMember(port));
    return t + u + n != 1 ? '?' : t ? 'T' : u ? 'U' : 'N';
}
std::string States(CWnd& d, int ports)
{
    std::string states;
    for (int p = 1; p <= ports; ++p)
        states += StateOf(d, p);
    return states;
}

// Types the text into an edit, one character after another.
void TypeText(CWnd& edit, const std::string& utf8)
{
    for (QChar ch : QString::fromStdString(utf8)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.GetWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(edit.GetWidget(), &release);
    }
}

// The SETs of Apply, in order, as the simulator logs them: the row status
// before the change and the all-ports egress mask (none for an empty text),
// the untagged, egress and forbidden masks, the name, and the activation.
struct ApplyWrites
{
    int vid;
    std::string begin, allPorts, untagged, egress, forbidden, name;

    std::vector<std::string> Bindings() const
    {
        std::vector<std::string> bindings;
        if (!begin.empty())
            bindings.push_back(VlanColumn(5, vid) + "|2|" + begin);
        if (!allPorts.empty())
            bindings.push_back(VlanColumn(2, vid) + "|4x|" + allPorts);
        bindings.push_back(VlanColumn(4, vid) + "|4x|" + untagged);
        bindings.push_back(VlanColumn(2, vid) + "|4x|" + egress);
        bindings.push_back(VlanColumn(3, vid) + "|4x|" + forbidden);
        bindings.push_back(VlanColumn(1, vid) + "|4|" + name);
        bindings.push_back(VlanColumn(5, vid) + "|2|1");
        return bindings;
    }
};
const std::string kNone28 = "0000000000000000";
const std::string kAll28 = "fffffff000000000";

class VlanAddDialogTest : public VlanTest
{
protected:
    // Opens the dialog on the records, lets `act` work on it once the trunk
    // walk has read the groups, and hands over DoModal's result.
    INT_PTR RunAddDialog(BYTE bAdd, int vid, const VLAN_entry_list& records, int asymMode,
                         const std::function<void(CKSXVlanAdd&)>& act)
    {
        CKSXVlanAdd dialog;
        dialog.m_bAdd = bAdd;
        dialog.m_nVid = vid;
        dialog.m_nPortCount = g_nPortCount;
        dialog.m_pVlanList = &records;
        dialog.m_nAsymMode = asymMode;
        return RunModal<CKSXVlanAdd>(dialog, [&](CKSXVlanAdd& d) {
            WaitForTrunkWalk();
            act(d);
        });
    }
};

} // namespace

TEST_F(VlanAddDialogTest, AddWithMembersCreatesTheRowAndItsPortSets)
{
    StartSwitch(Switch28(), 28);
    BoxRecorder boxes;
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        CListCtrl& list = Item<CListCtrl>(d, IDC_VLAN_LIST);
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_VLAN_ADD) && list.GetItemCount() == 7; }, 20000));
        bool opened = false;
        WhenDialogOpens(
            "Add VLAN",
            [&](CWnd& add) {
                WaitForTrunkWalk();
                // Every port starts as a non-member.
                EXPECT_EQ(States(add, 28), std::string(28, 'N'));
                EXPECT_TRUE(Enabled(add, IDC_VLANADD_VID));
                add.GetDlgItem(IDC_VLANADD_VID)->SetWindowText("150");
                add.GetDlgItem(IDC_VLANADD_NAME)->SetWindowText("Test Lab");
                ClickButton(add, Tagged(5));
                ClickButton(add, Untagged(25));
                // Port 6 is untagged in VLAN 1: without asymmetric mode the click is undone.
                ClickButton(add, Untagged(6));
                EXPECT_EQ(States(add, 8), "NNNNTNNN");
                EXPECT_EQ(StateOf(add, 25), 'U');
                ClickButton(add, IDOK);
            },
            &opened);
        ClickButton(d, IDC_VLAN_ADD);
        EXPECT_TRUE(opened);
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_VLAN_ADD) && list.GetItemCount() == 8; }, 20000));
        const int row = RowOf(list, "150");
        ASSERT_GE(row, 0);
        EXPECT_EQ(list.GetItemText(row, 1), "Test Lab");
        EXPECT_EQ(list.GetItemText(row, 2), "2");
        EXPECT_EQ(list.GetItemText(row, 3), "5");
        EXPECT_EQ(list.GetItemText(row, 4), "25");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(SetBindings(),
              (ApplyWrites{150, "5", kAll28, "0000008000000000", "0800008000000000", kNone28, "Test Lab"}.Bindings()));
    EXPECT_EQ(sim->Get(VlanColumn(5, 150)), "1");
}

TEST_F(VlanAddDialogTest, ApplyRefusesBadEntriesAndWritesNothing)
{
    StartSwitch(Switch28(), 28);
    const std::string range = "Invalid VLAN ID, VLAN ID should be (2-4094) !";
    struct Case
    {
        std::string vid, name;
        std::vector<int> tagged;
        std::string message;
    };
    const Case cases[] = {
        {"1", "a", {}, range},
        {"4095", "a", {}, range},
        {"", "a", {}, range},
        {"10", "a", {}, "The VLAN ID has been used, please input again !"},
        {"150", "", {}, "Vlan name is not allow empty."},
        {"150", "a.b", {}, "Invalid Vlan name."},
        {"150", "a,b", {}, "Invalid Vlan name."},
        {"150", "x/y", {}, "Invalid Vlan name."},
        // Ports 27 and 28 are trunk group 1: a VLAN takes the trunk whole.
        {"150", "a", {27}, "Members in VLAN have to be in the same trunk !"},
    };
    const VLAN_entry_list records = Records28();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vid + " " + c.name);
        BoxRecorder boxes;
        bool stayedOpen = false;
        const INT_PTR result = RunAddDialog(1, 0, records, 2, [&](CKSXVlanAdd& d) {
            d.GetDlgItem(IDC_VLANADD_VID)->SetWindowText(c.vid);
            d.GetDlgItem(IDC_VLANADD_NAME)->SetWindowText(c.name);
            for (int port : c.tagged)
                ClickButton(d, Tagged(port));
            ClickButton(d, IDOK);
            stayedOpen = IsWindow(d.GetSafeHwnd()) != FALSE;
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(result, IDCANCEL);
        ASSERT_EQ(boxes.Calls().size(), 1U);
        EXPECT_EQ(boxes.Calls()[0].text, c.message);
        EXPECT_TRUE(Requests("SET").empty());
    }
}

TEST_F(VlanAddDialogTest, TheNameIsCutTo20CharactersAndTravelsAsUtf8)
{
    StartSwitch(Switch28(), 28);
    const VLAN_entry_list records = Records28();
    BoxRecorder boxes;
    std::string typed, pasted, vid;
    const INT_PTR result = RunAddDialog(1, 0, records, 2, [&](CKSXVlanAdd& d) {
        CWnd& name = *d.GetDlgItem(IDC_VLANADD_NAME);
        d.GetDlgItem(IDC_VLANADD_VID)->SetWindowText("123456");
        vid = d.GetDlgItem(IDC_VLANADD_VID)->GetWindowText();
        name.SetWindowText("a name that is far too long");
        pasted = name.GetWindowText();
        name.SetWindowText("");
        TypeText(name, "B\xC3\xBCro Nord 1234567890X");
        typed = name.GetWindowText();
        d.GetDlgItem(IDC_VLANADD_VID)->SetWindowText("200");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(vid, "1234");
    EXPECT_EQ(pasted, "a name that is far t");
    EXPECT_EQ(typed, "B\xC3\xBCro Nord 1234567890");
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(sim->Get(VlanColumn(1, 200)), "B\xC3\xBCro Nord 1234567890");
}

TEST_F(VlanAddDialogTest, EditChangesTheMembersAndTheName)
{
    StartSwitch(Switch28(), 28);
    const VLAN_entry_list records = Records28();
    BoxRecorder boxes;
    const INT_PTR result = RunAddDialog(0, 10, records, 2, [&](CKSXVlanAdd& d) {
        EXPECT_EQ(d.GetWindowText(), "Edit VLAN");
        EXPECT_FALSE(Enabled(d, IDC_VLANADD_VID));
        EXPECT_TRUE(Enabled(d, IDC_VLANADD_NAME));
        EXPECT_EQ(d.GetDlgItem(IDC_VLANADD_VID)->GetWindowText(), "10");
        EXPECT_EQ(d.GetDlgItem(IDC_VLANADD_NAME)->GetWindowText(), "Engineering");
        EXPECT_EQ(States(d, 28), "TTTT" + std::string(20, 'N') + "TNNN");
        ClickButton(d, NotMember(1));
        ClickButton(d, Untagged(26));
        ClickButton(d, Untagged(2)); // untagged in VLAN 1: undone
        d.GetDlgItem(IDC_VLANADD_NAME)->SetWindowText("Eng-2");
        EXPECT_EQ(States(d, 28), "NTTT" + std::string(20, 'N') + "TUNN");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(SetBindings(),
              (ApplyWrites{10, "2", kAll28, "0000004000000000", "700000c000000000", kNone28, "Eng-2"}.Bindings()));
    EXPECT_EQ(sim->Get(VlanColumn(5, 10)), "1");
}

TEST_F(VlanAddDialogTest, EditOfTheDefaultVlanKeepsItsNameAndRowStatus)
{
    StartSwitch(Switch28(), 28);
    const VLAN_entry_list records = Records28();
    BoxRecorder boxes;
    const INT_PTR result = RunAddDialog(0, 1, records, 2, [&](CKSXVlanAdd& d) {
        EXPECT_FALSE(Enabled(d, IDC_VLANADD_VID));
        EXPECT_FALSE(Enabled(d, IDC_VLANADD_NAME));
        EXPECT_EQ(States(d, 28), std::string(24, 'U') + "TTTT");
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
    // No "not in service" first and no write of all ports.
    EXPECT_EQ(SetBindings(), (ApplyWrites{1, "", "", "ffffff0000000000", kAll28, kNone28, "default"}.Bindings()));
}

TEST_F(VlanAddDialogTest, EditWithoutMembersNeedsAnotherVlanWithMembers)
{
    StartSwitch(Switch28(), 28);
    const std::string message = "You have to include at least one member in the vlan";
    struct Case
    {
        VLAN_entry_list records;
        bool accepted;
    };
    const Case cases[] = {
        {{Record(20, "Voice", "26", ""), Record(50, "B\xC3\xBCro", "", "")}, false},
        {Records28(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.accepted);
        BoxRecorder boxes;
        const INT_PTR result = RunAddDialog(0, 20, c.records, 2, [&](CKSXVlanAdd& d) {
            ClickButton(d, NotMember(26));
            ClickButton(d, IDOK);
        });
        if (c.accepted) {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_EQ(HexValue(VlanColumn(2, 20)), kNone28);
        } else {
            EXPECT_EQ(result, IDCANCEL);
            ASSERT_EQ(boxes.Calls().size(), 1U);
            EXPECT_EQ(boxes.Calls()[0].text, message);
            EXPECT_TRUE(Requests("SET").empty());
        }
    }
}

TEST_F(VlanAddDialogTest, GridBoxesOfAPortActAsOneChoice)
{
    StartSwitch(Switch28(), 28);
    const VLAN_entry_list records = Records28();
    // Add without asymmetric mode: a checked box stays checked; port 1 is
    // untagged in VLAN 1 and cannot be made untagged here.
    RunAddDialog(1, 0, records, 2, [&](CKSXVlanAdd& d) {
        ClickButton(d, NotMember(3));
        EXPECT_EQ(StateOf(d, 3), 'N');
        ClickButton(d, Tagged(3));
        ClickButton(d, Tagged(3));
        EXPECT_EQ(StateOf(d, 3), 'T');
        ClickButton(d, Untagged(1));
        EXPECT_EQ(StateOf(d, 1), 'N');
        ClickButton(d, Untagged(26));
        EXPECT_EQ(StateOf(d, 26), 'U');
    });
    // With asymmetric mode it can.
    RunAddDialog(1, 0, records, 1, [&](CKSXVlanAdd& d) {
        ClickButton(d, Untagged(1));
        EXPECT_EQ(StateOf(d, 1), 'U');
    });
    // Edit: a port this VLAN had untagged may be made untagged again after
    // it was moved to Tagged.
    RunAddDialog(0, 1, records, 2, [&](CKSXVlanAdd& d) {
        ClickButton(d, Tagged(1));
        EXPECT_EQ(StateOf(d, 1), 'T');
        ClickButton(d, Untagged(1));
        EXPECT_EQ(StateOf(d, 1), 'U');
        // Port 2 stays untagged: its own click changes nothing.
        ClickButton(d, Untagged(2));
        EXPECT_EQ(StateOf(d, 2), 'U');
    });
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(VlanAddDialogTest, GridHasOneRowUpTo28PortsAndTwoFor48And52)
{
    struct Case
    {
        int ports;
        int perRow;
        int width, height;
    };
    const Case cases[] = {{28, 28, 570, 360}, {48, 24, 530, 400}, {52, 26, 550, 440}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        StartSwitch(c.ports == 52 ? Switch52() : Switch28(), c.ports);
        const VLAN_entry_list none;
        RunAddDialog(1, 0, none, 2, [&](CKSXVlanAdd& d) {
            CRect window;
            d.GetWindowRect(&window);
            EXPECT_EQ(window.left, 200);
            EXPECT_EQ(window.top, 200);
            // The size asked for, give or take the frame the window system adds.
            EXPECT_NEAR(window.Width(), c.width, 8);
            EXPECT_NEAR(window.Height(), c.height, 8);
            EXPECT_EQ(d.GetDlgItem(IDC_VLANADD_PORT_LABEL_FIRST + c.ports - 1)->GetWindowText(),
                      std::to_string(c.ports));
            EXPECT_EQ(d.GetDlgItem(Tagged(c.ports + 1)), nullptr);
            const CRect first = ClientRectOf(d, Tagged(1));
            const CRect second = ClientRectOf(d, Tagged(2));
            const CRect last = ClientRectOf(d, Tagged(c.ports));
            EXPECT_EQ(second.left - first.left, 17);
            EXPECT_EQ(last.left, first.left + (c.perRow - 1) * 17);
            if (c.perRow == c.ports) {
                EXPECT_EQ(last.top, first.top);
            } else {
                // The first port of the second row sits under port 1.
                const CRect below = ClientRectOf(d, Tagged(c.perRow + 1));
                EXPECT_EQ(below.left, first.left);
                EXPECT_EQ(below.top, first.top + 35);
                EXPECT_EQ(ClientRectOf(d, Untagged(c.perRow + 1)).top, ClientRectOf(d, Untagged(1)).top + 22);
                EXPECT_EQ(ClientRectOf(d, NotMember(c.perRow + 1)).top, ClientRectOf(d, NotMember(1)).top + 20);
            }
            // The rows of one port do not overlap, and all lie inside the member box.
            const CRect group = ClientRectOf(d, IDC_VLANADD_MEMBER_GROUP);
            const CRect lastTagged = ClientRectOf(d, Tagged(c.ports));
            const CRect firstUntagged = ClientRectOf(d, Untagged(1));
            const CRect lastUntagged = ClientRectOf(d, Untagged(c.ports));
            const CRect firstNotMember = ClientRectOf(d, NotMember(1));
            EXPECT_GE(ClientRectOf(d, IDC_VLANADD_UNTAGGED_LABEL).top, lastTagged.bottom);
            EXPECT_GE(ClientRectOf(d, IDC_VLANADD_NOT_MEMBER_LABEL).top, lastUntagged.bottom);
            EXPECT_GT(firstNotMember.top, firstUntagged.bottom);
            EXPECT_LE(ClientRectOf(d, NotMember(c.ports)).bottom, group.bottom);
            EXPECT_LE(ClientRectOf(d, NotMember(c.ports)).right, group.right);
            EXPECT_FALSE(d.GetDlgItem(IDC_VLANADD_FORBIDDEN_FIRST)->IsWindowVisible());
        });
    }
}

TEST_F(VlanAddDialogTest, A52PortVlanIsWrittenWithTwelveByteMasks)
{
    StartSwitch(Switch52(), 52);
    const VLAN_entry_list none;
    const INT_PTR result = RunAddDialog(1, 0, none, 2, [&](CKSXVlanAdd& d) {
        d.GetDlgItem(IDC_VLANADD_VID)->SetWindowText("300");
        d.GetDlgItem(IDC_VLANADD_NAME)->SetWindowText("wide");
        ClickButton(d, Tagged(52));
        ClickButton(d, Untagged(26));
        ClickButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(SetBindings(), (ApplyWrites{300, "5", "fffffffffffff00000000000", "000000400000000000000000",
                                          "000000400000100000000000", "000000000000000000000000", "wide"}
                                  .Bindings()));
}

} // namespace vlan_test
