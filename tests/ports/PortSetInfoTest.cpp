// The port configuration dialog on the simulated switch: its list, a change
// of one port, the rules that refuse a change, a failed walk and closing
// during a walk.
#include "features/ports_vlans/CPortSetInfo.h"
#include "ports/PortsTestSupport.h"
#include "resources/ports_vlans.h"

namespace {

struct RowTexts
{
    std::string port, link, speed, mdix, flowControl;
    bool operator==(const RowTexts&) const = default;
};

RowTexts Row(CListCtrl& list, int row)
{
    return {list.GetItemText(row, 0), list.GetItemText(row, 1), list.GetItemText(row, 2), list.GetItemText(row, 3),
            list.GetItemText(row, 4)};
}

// Waits for the port table walk: the list is filled and Refresh is back.
bool WaitForList(CPortSetInfo& d)
{
    return PumpUntil([&] { return Enabled(d, IDC_PORTSET_REFRESH) && Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemCount() > 0; },
                     20000);
}

class PortSetInfoTest : public PortsTest
{
};

} // namespace

TEST_F(PortSetInfoTest, ListShowsEveryPortOfTheSwitch)
{
    struct Case
    {
        std::vector<std::string> files;
        int ports;
    };
    const Case cases[] = {
        {{KorvelSimulator::BaseData(), PortsData()}, 28},
        {{KorvelSimulator::BaseData(), PortsData(), ModelData("KSX-Alcor R2")}, 52},
        {{KorvelSimulator::BaseData(), PortsData(), ModelData("KVT-CorvidR2")}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        StartSwitch(c.files, c.ports);
        CPortSetInfo dialog;
        RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
            ASSERT_TRUE(WaitForList(d));
            CListCtrl& list = Item<CListCtrl>(d, IDC_PORTSET_LIST);
            ASSERT_EQ(list.GetItemCount(), c.ports);
            EXPECT_EQ(Row(list, 0), (RowTexts{"1", "1000M Full", "Auto", "Auto", "Enabled"}));
            EXPECT_EQ(Row(list, 1), (RowTexts{"2", "1000M Full", "Auto", "MDI", "Disabled"}));
            EXPECT_EQ(Row(list, 2), (RowTexts{"3", "100M Full", "100M Full", "Auto", "Disabled"}));
            EXPECT_EQ(Row(list, 3), (RowTexts{"4", "Down", "Disable", "Auto", "Disabled"}));
            EXPECT_EQ(list.GetItemText(c.ports - 1, 0), std::to_string(c.ports));
            // No port is chosen yet.
            EXPECT_EQ(d.GetDlgItem(IDC_PORTSET_PORT_ID)->GetWindowText(), "");
            EXPECT_EQ(list.GetSelectedCount(), 0U);
        });
    }
}
