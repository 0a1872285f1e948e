// The Multicast Entry Table on the simulated switch: the learned groups
// numbered in the switch's order, rows of a switch that indexes its table
// otherwise, an empty table, and the table opened from the VLAN settings.
#include "features/layer2/CIGMPMulticastEntryTable.h"
#include "features/layer2/CIGMPSnoopingVLANSetting.h"
#include "igmp/IgmpTestSupport.h"
#include "resources/igmp.h"

namespace igmp_test {

using namespace igmptest;

namespace {

CListCtrl& EntryList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_IGMPE_LIST);
}

std::vector<std::string> EntryRows(CWnd& d)
{
    std::vector<std::string> rows;
    for (int row = 0; row < EntryList(d).GetItemCount(); ++row) {
        std::string text;
        for (int col = 0; col < 5; ++col)
            text += (col ? "|" : "") + EntryList(d).GetItemText(row, col);
        rows.push_back(text);
    }
    return rows;
}

class IgmpEntryTableTest : public IgmpTest
{
};

} // namespace

TEST_F(IgmpEntryTableTest, ListsTheLearnedGroupsNumberedInTheSwitchsOrder)
{
    StartIgmpSwitch();
    CIGMPMulticastEntryTable dialog;
    RunModal<CIGMPMulticastEntryTable>(dialog, [&](CIGMPMulticastEntryTable& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPE_REFRESH) && EntryList(d).GetItemCount() == 3; }, 20000));
        EXPECT_EQ(d.GetWindowText(), "Multicast Entry Table");
        const std::vector<std::string> expected{"1|1|239.1.1.1|01-00-5E-01-01-01|1,2",
                                                "2|1|239.1.1.2|01-00-5E-01-01-02|",
                                                "3|10|239.255.255.250|01-00-5E-7F-FF-FA|3"};
        EXPECT_EQ(EntryRows(d), expected);

        // Refresh lists the table anew, not after the old rows.
        ClickButton(d, IDC_IGMPE_REFRESH);
        EXPECT_FALSE(Enabled(d, IDC_IGMPE_REFRESH));
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPE_REFRESH); }, 20000));
        EXPECT_EQ(EntryRows(d), expected);

        // A walk that fails keeps the list.
        ASSERT_TRUE(sim->SilenceFor(8000));
        ClickButton(d, IDC_IGMPE_REFRESH);
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPE_REFRESH); }, 20000));
        EXPECT_EQ(EntryRows(d), expected);
    });
}

TEST_F(IgmpEntryTableTest, RowsComeFromTheirColumnsWhateverFormTheIndexHas)
{
    // The groups are numbered by the switch, not indexed by VLAN id and
    // group address; a value outside its column's range or type is unknown.
    StartIgmpSwitch({Fixture("igmp-entry-number.snmprec")});
    CIGMPMulticastEntryTable dialog;
    RunModal<CIGMPMulticastEntryTable>(dialog, [&](CIGMPMulticastEntryTable& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPE_REFRESH); }, 20000));
        EXPECT_EQ(EntryRows(d),
                  (std::vector<std::string>{"1|20|224.0.1.22|01-00-5E-00-00-16|28",
                                            "2|1|239.1.1.1|01-00-5E-01-01-01|1,2", "3|||01-00-5E-00-00-01|"}));
    });
}

TEST_F(IgmpEntryTableTest, AnEmptyTableLeavesTheListEmptyAndGivesRefreshBack)
{
    StartIgmpSwitch({Fixture("igmp-empty.snmprec")});
    CIGMPMulticastEntryTable dialog;
    RunModal<CIGMPMulticastEntryTable>(dialog, [&](CIGMPMulticastEntryTable& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_IGMPE_REFRESH); }, 20000));
        EXPECT_EQ(EntryList(d).GetItemCount(), 0);
    });
}

TEST_F(IgmpEntryTableTest, TheVlanSettingsOpenIt)
{
    StartIgmpSwitch();
    CIGMPSnoopingVLANSetting dialog;
    dialog.m_strIgmpState = "1";
    bool opened = false;
    RunModal<CIGMPSnoopingVLANSetting>(dialog, [&](CIGMPSnoopingVLANSetting& d) {
        vlantest::WhenDialogOpens(
            "Multicast Entry Table",
            [&](CWnd& entries) {
                EXPECT_TRUE(Pump([&] { return EntryList(entries).GetItemCount() == 3; }, 20000));
            },
            &opened);
        ClickButton(d, IDC_IGMPV_VIEW_ENTRY);
    });
    EXPECT_TRUE(opened);
}

} // namespace igmp_test
