// The VLAN settings of IGMP snooping on the simulated switch: the list and
// the per-port router boxes, what selecting a row shows, the writes of one
// VLAN's states with their question, the router-port bitmap by port count,
// and the refusals.
#include "features/layer2/CIGMPSnoopingVLANSetting.h"
#include "igmp/IgmpTestSupport.h"
#include "mirror/PortRowsCheck.h"
#include "resources/igmp.h"

namespace igmp_test {

using namespace igmptest;
using vlantest::RowOf;
using vlantest::Texts;

namespace {

CListCtrl& VlanList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_IGMPV_LIST);
}

std::string VlanRowText(CWnd& d, int row)
{
    std::string text;
    for (int col = 0; col < 6; ++col)
        text += (col ? "|" : "") + VlanList(d).GetItemText(row, col);
    return text;
}

int Box(int port)
{
    return IDC_IGMPV_ROUTER_PORT_FIRST + port - 1;
}

// Ports whose box is ticked / enabled, as "1,2,3".
std::string BoxPorts(CWnd& d, bool enabledOnes)
{
    std::string text;
    for (int port = 1; port <= g_nPortCount; ++port) {
        const bool on = enabledOnes ? Enabled(d, Box(port)) : d.IsDlgButtonChecked(Box(port)) == BST_CHECKED;
        if (on)
            text += (text.empty() ? "" : ",") + std::to_string(port);
    }
    return text;
}

bool WaitForList(CWnd& d, int rows)
{
    return Pump([&] { return Enabled(d, IDC_IGMPV_REFRESH) && VlanList(d).GetItemCount() == rows; }, 20000);
}

// Selects the row of the VLAN as a user does; false when it is not listed.
bool SelectVlan(CWnd& d, const std::string& vid)
{
    const int row = RowOf(VlanList(d), vid);
    if (row < 0)
        return false;
    ClickRow(VlanList(d), row);
    return d.GetDlgItem(IDC_IGMPV_VLAN_ID)->GetWindowText() == vid;
}

class IgmpVlanSettingDialogTest : public IgmpTest
{
protected:
    // Runs the dialog with the global state "1" once its walks ended.
    void Run(const std::function<void(CIGMPSnoopingVLANSetting&)>& act, const std::string& state = "1")
    {
        CIGMPSnoopingVLANSetting dialog;
        dialog.m_strIgmpState = state;
        RunModal<CIGMPSnoopingVLANSetting>(dialog, [&](CIGMPSnoopingVLANSetting& d) {
            ASSERT_TRUE(WaitForList(d, 8));
            // The trunk walk beside it has read every group.
            PumpFor(300);
            act(d);
        });
    }
};

} // namespace

TEST_F(IgmpVlanSettingDialogTest, ListsEveryVlanAndAPortRowOfLabelsAndBoxes)
{
    StartIgmpSwitch();
    Run([&](CIGMPSnoopingVLANSetting& d) {
        EXPECT_EQ(d.GetWindowText(), "The VLAN Settings of IGMP snooping ");
        EXPECT_EQ(VlanRowText(d, 0), "1|default|Enabled|Enabled|Disabled|27,28");
        EXPECT_EQ(VlanRowText(d, 1), "2|sales|Enabled|Disabled|Enabled|");
        EXPECT_EQ(VlanRowText(d, 2), "10|Engineering|Disabled|Disabled|Disabled|");
        EXPECT_EQ(VlanRowText(d, 3), "20|Voice|Enabled|Disabled|Disabled|26");
        EXPECT_EQ(VlanList(d).GetItemText(7, 0), "100");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_STATE), "Enabled");
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_VLAN_ID)->GetWindowText(), "");
        // One row of 28: labels 1..28 above their boxes, evenly spaced.
        CRect first = vlantest::ClientRectOf(d, IDC_IGMPV_PORT_LABEL_FIRST);
        CRect last = vlantest::ClientRectOf(d, IDC_IGMPV_PORT_LABEL_FIRST + 27);
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_PORT_LABEL_FIRST + 27)->GetWindowText(), "28");
        EXPECT_EQ(first.top, last.top);
        EXPECT_LT(first.right, last.left);
        EXPECT_EQ(vlantest::ClientRectOf(d, Box(1)).top, first.bottom);
        EXPECT_EQ(d.GetDlgItem(Box(29)), nullptr);
        portrows::ExpectClearPortRows(d, 28, IDC_IGMPV_PORT_LABEL_FIRST, {UINT(IDC_IGMPV_ROUTER_PORT_FIRST)},
                                      vlantest::ClientRectOf(d, IDC_IGMPV_ROUTER_GROUP));
    });
}

TEST_F(IgmpVlanSettingDialogTest, SelectingARowShowsItsValuesAndOnlyItsMembersCanBeTicked)
{
    StartIgmpSwitch();
    // VLAN 2 (members 5-8) names port 1, no member, as a router port.
    ASSERT_EQ(sim->Set(VlanOid(6, 2), SnmpValueOctetString, std::string("\x80\0\0\0", 4)), 0);
    Run([&](CIGMPSnoopingVLANSetting& d) {
        ASSERT_TRUE(SelectVlan(d, "1"));
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_VLAN_NAME)->GetWindowText(), "default");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_STATE), "Enabled");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_QUERIER), "Enabled");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_FAST_LEAVE), "Disabled");
        EXPECT_EQ(BoxPorts(d, true), vlantest::Ports(1, 28));
        EXPECT_EQ(BoxPorts(d, false), "27,28");

        ASSERT_TRUE(SelectVlan(d, "2"));
        EXPECT_EQ(BoxPorts(d, true), "5,6,7,8");
        EXPECT_EQ(BoxPorts(d, false), "1");
        // A box that is not a member's cannot be ticked.
        ClickButton(d, Box(3));
        EXPECT_EQ(BoxPorts(d, false), "1");

        // A VLAN without router ports clears what the last one ticked.
        ASSERT_TRUE(SelectVlan(d, "10"));
        EXPECT_EQ(BoxPorts(d, false), "");
        EXPECT_EQ(BoxPorts(d, true), "1,2,3,4,25");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_STATE), "Disabled");
        EXPECT_FALSE(Enabled(d, IDC_IGMPV_QUERIER));
        EXPECT_FALSE(Enabled(d, IDC_IGMPV_FAST_LEAVE));
        ChooseInCombo(d, IDC_IGMPV_STATE, 0);
        EXPECT_TRUE(Enabled(d, IDC_IGMPV_QUERIER));
        EXPECT_TRUE(Enabled(d, IDC_IGMPV_FAST_LEAVE));

        ASSERT_TRUE(SelectVlan(d, "50"));
        EXPECT_EQ(BoxPorts(d, true), "");
    });
    EXPECT_EQ(Sets().size(), 1U); // the test's own
}

TEST_F(IgmpVlanSettingDialogTest, DisablingAVlanAsksAndWritesQuerierAndFastLeaveBeforeTheState)
{
    StartIgmpSwitch();
    Run([&](CIGMPSnoopingVLANSetting& d) {
        // No VLAN selected: nothing, not even a question.
        {
            BoxRecorder boxes(IDOK);
            ClickButton(d, IDC_IGMPV_APPLY);
            EXPECT_TRUE(boxes.Calls().empty());
        }
        ASSERT_TRUE(SelectVlan(d, "1"));
        ChooseInCombo(d, IDC_IGMPV_STATE, 1);
        {
            BoxRecorder boxes(IDCANCEL);
            ClickButton(d, IDC_IGMPV_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"All router ports of this VLAN will be deleted."});
            EXPECT_EQ(boxes.Calls().front().type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
        }
        EXPECT_TRUE(Sets().empty());
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_VLAN_ID)->GetWindowText(), "1");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_STATE), "Disabled");

        {
            BoxRecorder boxes(IDOK);
            ClickButton(d, IDC_IGMPV_APPLY);
            EXPECT_EQ(boxes.Calls().size(), 1U);
        }
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_VLAN_ID)->GetWindowText(), "");
        EXPECT_EQ(ComboSelection(d, IDC_IGMPV_STATE), "Enabled");
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPV_REFRESH) && VlanList(d).GetItemText(0, 2) == "Disabled"; },
                         20000));

        // Switching VLAN 10 on: the state alone first, then with the others.
        ASSERT_TRUE(SelectVlan(d, "10"));
        ChooseInCombo(d, IDC_IGMPV_STATE, 0);
        ChooseInCombo(d, IDC_IGMPV_QUERIER, 0);
        BoxRecorder boxes(IDOK);
        ClickButton(d, IDC_IGMPV_APPLY);
        EXPECT_TRUE(boxes.Calls().empty());
    });
    const std::vector<std::vector<std::string>> expected{
        {Int(VlanOid(4, 1), "1"), Int(VlanOid(8, 1), "2"), Int(VlanOid(2, 1), "2")},
        {Int(VlanOid(2, 10), "1")},
        {Int(VlanOid(2, 10), "1"), Int(VlanOid(4, 10), "1"), Int(VlanOid(8, 10), "2")}};
    EXPECT_EQ(Sets(), expected);
}

TEST_F(IgmpVlanSettingDialogTest, RouterPortsAreWrittenAsABitmapAndReadBack)
{
    StartIgmpSwitch();
    // No trunk, so that port 28 may go alone.
    ASSERT_EQ(sim->Set(kTrunkColumn + ".1", SnmpValueOctetString, std::string(4, '\0')), 0);
    Run([&](CIGMPSnoopingVLANSetting& d) {
        ASSERT_TRUE(SelectVlan(d, "1"));
        ClickButton(d, Box(27));
        ClickButton(d, Box(1));
        ClickButton(d, IDC_IGMPV_ROUTER_APPLY);
        EXPECT_EQ(BoxPorts(d, false), "");
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_VLAN_ID)->GetWindowText(), "");
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPV_REFRESH) && VlanList(d).GetItemText(0, 5) == "1,28"; },
                         20000));
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 2U);
    EXPECT_EQ(sets[1], std::vector<std::string>{VlanOid(6, 1) + "|4x|8000001000000000"});
}

TEST_F(IgmpVlanSettingDialogTest, RouterPortsRefusedWithoutAVlanOrWhenTheySplitATrunk)
{
    StartIgmpSwitch();
    Run([&](CIGMPSnoopingVLANSetting& d) {
        {
            BoxRecorder boxes(IDOK);
            ClickButton(d, IDC_IGMPV_ROUTER_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select VLAN first."});
        }
        // Trunk 1 holds ports 27 and 28.
        ASSERT_TRUE(SelectVlan(d, "1"));
        ClickButton(d, Box(28));
        BoxRecorder boxes(IDOK);
        ClickButton(d, IDC_IGMPV_ROUTER_APPLY);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Members of port channel must have the same status."});
        EXPECT_EQ(boxes.Calls().front().type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        EXPECT_EQ(d.GetDlgItem(IDC_IGMPV_VLAN_ID)->GetWindowText(), "1");
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(IgmpVlanSettingDialogTest, WithSnoopingOffBothApplyButtonsStayOff)
{
    StartIgmpSwitch();
    Run(
        [&](CIGMPSnoopingVLANSetting& d) {
            EXPECT_FALSE(Enabled(d, IDC_IGMPV_APPLY));
            EXPECT_FALSE(Enabled(d, IDC_IGMPV_ROUTER_APPLY));
            ClickButton(d, IDC_IGMPV_REFRESH);
            ASSERT_TRUE(WaitForList(d, 8));
            EXPECT_FALSE(Enabled(d, IDC_IGMPV_APPLY));
            EXPECT_FALSE(Enabled(d, IDC_IGMPV_ROUTER_APPLY));
            ASSERT_TRUE(SelectVlan(d, "20"));
            BoxRecorder boxes(IDOK);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IGMPV_ROUTER_APPLY, BN_CLICKED), 0);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_IGMPV_APPLY, BN_CLICKED), 0);
            EXPECT_TRUE(boxes.Calls().empty());
        },
        "2");
    EXPECT_TRUE(Sets().empty());
}

TEST_F(IgmpVlanSettingDialogTest, TwoRowsOfBoxesBeyondTwentyEightPortsAndABitmapOfTwelveOctets)
{
    StartIgmpSwitch({}, 52);
    Run([&](CIGMPSnoopingVLANSetting& d) {
        const CRect label1 = vlantest::ClientRectOf(d, IDC_IGMPV_PORT_LABEL_FIRST);
        const CRect label27 = vlantest::ClientRectOf(d, IDC_IGMPV_PORT_LABEL_FIRST + 26);
        EXPECT_GT(label27.top, label1.bottom);
        EXPECT_EQ(label27.left, label1.left);
        portrows::ExpectClearPortRows(d, 52, IDC_IGMPV_PORT_LABEL_FIRST, {UINT(IDC_IGMPV_ROUTER_PORT_FIRST)},
                                      vlantest::ClientRectOf(d, IDC_IGMPV_ROUTER_GROUP));
        ASSERT_TRUE(SelectVlan(d, "2"));
        ClickButton(d, Box(5));
        ClickButton(d, IDC_IGMPV_ROUTER_APPLY);
    });
    const auto sets = Sets();
    ASSERT_EQ(sets.size(), 1U);
    EXPECT_EQ(sets[0], std::vector<std::string>{VlanOid(6, 2) + "|4x|080000000000000000000000"});
}

TEST(IgmpRouterPortBitmap, ItsWidthFollowsThePortCount)
{
    struct Case
    {
        int ports;
        std::vector<int> routerPorts;
        std::string hex;
    };
    const Case cases[] = {
        {28, {1, 28}, "8000001000000000"},
        {52, {1, 52}, "800000000000100000000000"},
        {20, {1, 20}, "80001000"},
        {10, {2, 10}, "40400000"},
        {24, {24}, "00000100"},
        {48, {48}, "0000000000010000"},
        {5, {1}, "80"},
    };
    const int saved = g_nPortCount;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        g_nPortCount = c.ports;
        std::vector<int> flags(static_cast<std::size_t>(c.ports), 0);
        for (int port : c.routerPorts)
            flags[static_cast<std::size_t>(port - 1)] = 1;
        std::vector<BYTE> octets = CIGMPSnoopingVLANSetting::RouterPortBitmap(flags);
        EXPECT_EQ(vlantest::Hex(std::string(octets.begin(), octets.end())), c.hex);
    }
    g_nPortCount = saved;
}

} // namespace igmp_test
