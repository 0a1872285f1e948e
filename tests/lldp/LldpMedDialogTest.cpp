// The LLDP MED Settings dialog on the simulated switch: the rows of the power
// TLV column, the writes of a port range, LLDP disabled, and the port boxes'
// rule.
#include "features/layer2/CLLDPMED.h"
#include "lldp/LldpTestSupport.h"
#include "resources/lldp.h"

namespace lldp_test {

using namespace lldptest;

namespace {

CListCtrl& MedList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_LLDP_MED_LIST);
}

bool WaitForRows(CWnd& d, int rows)
{
    return Pump([&] { return Enabled(d, IDC_LLDP_MED_REFRESH) && MedList(d).GetItemCount() == rows; }, 20000);
}

class LldpMedDialogTest : public LldpTest
{
};

} // namespace

TEST_F(LldpMedDialogTest, ListsEveryPortsTlvAndWritesARangeOnePortAtATime)
{
    StartLldpSwitch();
    ASSERT_EQ(sim->Set(PseOid(2), SnmpValueInteger, "0"), 0);
    CLLDPMED dialog;
    RunModal<CLLDPMED>(dialog, [&](CLLDPMED& d) {
        ASSERT_TRUE(WaitForRows(d, 8));
        EXPECT_EQ(d.GetWindowText(), "LLDP MED Settings");
        for (int row = 0; row < 8; ++row)
            EXPECT_EQ(MedList(d).GetItemText(row, 0), "    " + std::to_string(row + 1));
        // A value outside 1 and 2 is no state: it is shown empty.
        EXPECT_EQ(MedList(d).GetItemText(0, 1), "Disable");
        EXPECT_EQ(MedList(d).GetItemText(1, 1), "");
        EXPECT_EQ(ComboSelection(d, IDC_LLDP_MED_TLV), "Disable");
        EXPECT_EQ(ComboSelection(d, IDC_LLDP_MED_FROM), "   1 ");

        ChooseInCombo(d, IDC_LLDP_MED_FROM, 2);
        EXPECT_EQ(ComboSelection(d, IDC_LLDP_MED_TO), "   3 ");
        ChooseInCombo(d, IDC_LLDP_MED_TO, 4);
        ChooseInCombo(d, IDC_LLDP_MED_TLV, 0);
        ClickButton(d, IDC_LLDP_MED_APPLY);
        ASSERT_TRUE(WaitForRows(d, 8));
        for (int row : {2, 3, 4})
            EXPECT_EQ(MedList(d).GetItemText(row, 1), "Enable") << row;
        EXPECT_EQ(MedList(d).GetItemText(5, 1), "Disable");
    });
    const std::vector<std::vector<std::string>> expected{
        {Int(PseOid(2), "0")}, {Int(PseOid(3), "1")}, {Int(PseOid(4), "1")}, {Int(PseOid(5), "1")}};
    EXPECT_EQ(Requests("SET"), expected);
}

TEST_F(LldpMedDialogTest, ToPortBelowFromPortIsRefused)
{
    StartLldpSwitch();
    CLLDPMED dialog;
    RunModal<CLLDPMED>(dialog, [&](CLLDPMED& d) {
        ASSERT_TRUE(WaitForRows(d, 8));
        ChooseInCombo(d, IDC_LLDP_MED_FROM, 4);
        BoxRecorder boxes(IDOK);
        ChooseInCombo(d, IDC_LLDP_MED_TO, 2);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});
        EXPECT_EQ(ComboSelection(d, IDC_LLDP_MED_TO), "   5 ");
    });
}

TEST_F(LldpMedDialogTest, LldpDisabledIsSaidAndLeavesOnlyTheListingAndClose)
{
    StartLldpSwitch();
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    BoxRecorder boxes(IDOK);
    CLLDPMED dialog;
    RunModal<CLLDPMED>(dialog, [&](CLLDPMED& d) {
        ASSERT_TRUE(Pump([&] { return MedList(d).GetItemCount() == 8; }, 20000));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The LLDP is disable ,so can not set LLDP MED !"});
        for (int id : {IDC_LLDP_MED_FROM, IDC_LLDP_MED_TO, IDC_LLDP_MED_TLV, IDC_LLDP_MED_LIST, IDC_LLDP_MED_APPLY})
            EXPECT_FALSE(Enabled(d, id)) << id;
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LLDP_MED_APPLY, BN_CLICKED), 0);
    });
    EXPECT_EQ(Requests("SET").size(), 1U); // the test's own
}

TEST_F(LldpMedDialogTest, WithoutAStateReadNothingIsListedOrWritten)
{
    StartLldpSwitch();
    ASSERT_TRUE(sim->SilenceFor(5000));
    BoxRecorder boxes;
    CLLDPMED dialog;
    RunModal<CLLDPMED>(dialog, [&](CLLDPMED& d) {
        EXPECT_FALSE(Enabled(d, IDC_LLDP_MED_APPLY));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LLDP_MED_APPLY, BN_CLICKED), 0);
        EXPECT_EQ(MedList(d).GetItemCount(), 0);
    });
    EXPECT_TRUE(Requests("SET").empty());
    EXPECT_TRUE(Requests("GETNEXT").empty());
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{
                  "The LLDP-MED settings could not be read from the switch.",
                  "The LLDP-MED settings could not be read from the switch. Press Refresh and try again."}));
}

} // namespace lldp_test
