// The Multicast Filtering Mode Configuration dialog on the simulated switch:
// the rows and VLAN ids the walk gives, the mode texts, the write for one VLAN
// or for all in one SET, and the cases that write nothing.
#include "features/layer2/CMultiFilterModeConfig.h"
#include "resources/mfilter.h"
#include "vlan/VlanTestSupport.h"

#include "common/CReadReport.h"

namespace mfilter_test {

namespace {

const std::string kModeColumn = "1.3.6.1.4.1.32473.10.76.19.1.7.8.1.2";
const std::string kForward = "Forward Unregistered Groups";
const std::string kFilter = "Filtering Unregistered Groups";

std::string Mode(int vid, const std::string& value)
{
    return kModeColumn + "." + std::to_string(vid) + "|2|" + value;
}

CListCtrl& FilterList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_MFILTER_LIST);
}

std::vector<std::string> Rows(CWnd& d)
{
    std::vector<std::string> rows;
    for (int row = 0; row < FilterList(d).GetItemCount(); ++row)
        rows.push_back(FilterList(d).GetItemText(row, 0) + "|" + FilterList(d).GetItemText(row, 1) + "|" +
                       FilterList(d).GetItemText(row, 2));
    return rows;
}

bool WaitForWalk(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_MFILTER_REFRESH); }, 20000);
}

class MultiFilterModeDialogTest : public FeatureDialogTest
{
protected:
    void StartFilterSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), KorvelSimulator::TestData("mfilter.snmprec")}, 28);
    }
};

} // namespace

TEST_F(MultiFilterModeDialogTest, ListsEveryVlanWithItsModeAndOffersTheirIds)
{
    StartFilterSwitch();
    CMultiFilterModeConfig dialog;
    RunModal<CMultiFilterModeConfig>(dialog, [&](CMultiFilterModeConfig& d) {
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(d.GetWindowText(), "Multicast Filtering Mode Configuration");
        // A value outside 0 and 1 (here 2) is no mode: it is shown empty.
        EXPECT_EQ(Rows(d), (std::vector<std::string>{"1|default|" + kForward, "2|sales|" + kFilter, "100|lab|"}));
        CComboBox& vlans = Item<CComboBox>(d, IDC_MFILTER_VLAN);
        ASSERT_EQ(vlans.GetCount(), 3);
        std::string last;
        vlans.GetLBText(2, last);
        EXPECT_EQ(last, "100");
        EXPECT_EQ(ComboSelection(d, IDC_MFILTER_VLAN), "1");
        EXPECT_EQ(ComboSelection(d, IDC_MFILTER_MODE), kForward);
        EXPECT_TRUE(Enabled(d, IDC_MFILTER_APPLY));

        ClickButton(d, IDC_MFILTER_ALL);
        EXPECT_FALSE(Enabled(d, IDC_MFILTER_VLAN));
        ClickButton(d, IDC_MFILTER_ALL);
        EXPECT_TRUE(Enabled(d, IDC_MFILTER_VLAN));
    });
}

TEST_F(MultiFilterModeDialogTest, ApplyWritesOneVlanOrEveryListedVlanInOneSet)
{
    StartFilterSwitch();
    CMultiFilterModeConfig dialog;
    RunModal<CMultiFilterModeConfig>(dialog, [&](CMultiFilterModeConfig& d) {
        ASSERT_TRUE(WaitForWalk(d));
        ChooseInCombo(d, IDC_MFILTER_VLAN, 1);
        ChooseInCombo(d, IDC_MFILTER_MODE, 0);
        ClickButton(d, IDC_MFILTER_APPLY);
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(FilterList(d).GetItemText(1, 2), kForward);

        ClickButton(d, IDC_MFILTER_ALL);
        ChooseInCombo(d, IDC_MFILTER_MODE, 1);
        ClickButton(d, IDC_MFILTER_APPLY);
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(Rows(d),
                  (std::vector<std::string>{"1|default|" + kFilter, "2|sales|" + kFilter, "100|lab|" + kFilter}));
    });
    const std::vector<std::vector<std::string>> expected{{Mode(2, "0")}, {Mode(1, "1"), Mode(2, "1"), Mode(100, "1")}};
    EXPECT_EQ(Requests("SET"), expected);
}

TEST_F(MultiFilterModeDialogTest, NoVlanListedNoWrite)
{
    StartFilterSwitch();
    ASSERT_TRUE(sim->SilenceFor(5000));
    BoxRecorder boxes;
    CMultiFilterModeConfig dialog;
    RunModal<CMultiFilterModeConfig>(dialog, [&](CMultiFilterModeConfig& d) {
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(FilterList(d).GetItemCount(), 0);
        ClickButton(d, IDC_MFILTER_APPLY);
        ClickButton(d, IDC_MFILTER_ALL);
        ClickButton(d, IDC_MFILTER_APPLY);
    });
    EXPECT_TRUE(Requests("SET").empty());
    // The silent switch is said once; each Apply refuses.
    const std::string refusal = CReadReport::UnreadText("the multicast filtering modes");
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{CReadReport::Text("the multicast filtering modes", false), refusal, refusal}));
}

TEST_F(MultiFilterModeDialogTest, AFailedWalkKeepsTheLastList)
{
    StartFilterSwitch();
    CMultiFilterModeConfig dialog;
    RunModal<CMultiFilterModeConfig>(dialog, [&](CMultiFilterModeConfig& d) {
        ASSERT_TRUE(WaitForWalk(d));
        const std::vector<std::string> before = Rows(d);
        ASSERT_EQ(before.size(), 3U);
        ASSERT_TRUE(sim->SilenceFor(5000));
        BoxRecorder boxes;
        ClickButton(d, IDC_MFILTER_REFRESH);
        EXPECT_FALSE(Enabled(d, IDC_MFILTER_APPLY));
        ASSERT_TRUE(WaitForWalk(d));
        EXPECT_EQ(Rows(d), before);
        EXPECT_EQ(ComboSelection(d, IDC_MFILTER_VLAN), "1");
        EXPECT_EQ(boxes.Texts(),
                  std::vector<std::string>{CReadReport::Text("the multicast filtering modes", true)});
    });
}

} // namespace mfilter_test
