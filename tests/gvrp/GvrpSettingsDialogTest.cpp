// The GVRP Settings dialog on the simulated switch: the port list and the
// buttons the walks give back, a port range written and read back, each
// refusal with its message, a write the switch refuses, the port boxes, the
// value boxes of a switch without GVRP, and closing while the walks run.
#include "features/ports_vlans/CGVRPSettings.h"
#include "gvrp/GvrpTestSupport.h"
#include "resources/ports_vlans.h"

#include <QElapsedTimer>

namespace gvrp_test {

using namespace gvrptest;

namespace {

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_GVRP_LIST);
}

std::string RowText(CListCtrl& list, int row)
{
    std::string text;
    for (int col = 0; col < 5; ++col)
        text += (col ? "|" : "") + list.GetItemText(row, col);
    return text;
}

// The three walks have ended with the whole table listed: the buttons are
// back and the switch is asked for no more rows.
bool WaitForWalks(GvrpTest& test, CWnd& d, int rows = 28)
{
    if (!Pump([&] { return Enabled(d, IDC_GVRP_REFRESH) && List(d).GetItemCount() == rows; }, 20000))
        return false;
    for (int turn = 0; turn < 100; ++turn) {
        const std::size_t asked = test.GetNextCount();
        PumpFor(150);
        if (test.GetNextCount() == asked && Enabled(d, IDC_GVRP_APPLY))
            return true;
    }
    return false;
}

struct Entry
{
    std::string from, to, pvid;
    int gvrp = 0, ingress = 1, frameType = 0; // item positions of the value boxes
};

void Fill(CWnd& d, const Entry& e)
{
    d.GetDlgItem(IDC_GVRP_FROM_PORT)->SetWindowText(e.from);
    d.GetDlgItem(IDC_GVRP_TO_PORT)->SetWindowText(e.to);
    d.GetDlgItem(IDC_GVRP_PVID)->SetWindowText(e.pvid);
    Item<CComboBox>(d, IDC_GVRP_STATE).SetCurSel(e.gvrp);
    Item<CComboBox>(d, IDC_GVRP_INGRESS).SetCurSel(e.ingress);
    Item<CComboBox>(d, IDC_GVRP_FRAME_TYPE).SetCurSel(e.frameType);
}

class GvrpSettingsDialogTest : public GvrpTest
{
};

} // namespace

TEST_F(GvrpSettingsDialogTest, ListsThePortTableAndGivesTheButtonsBackAfterTheWalks)
{
    StartGvrpSwitch();
    ASSERT_EQ(sim->Set(PortOid(3, 2), SnmpValueInteger, "1"), 0);
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        EXPECT_EQ(d.GetWindowText(), "GVRP Settings");
        EXPECT_EQ(RowText(List(d), 0), "1|1|Disabled|Enabled|AllFrames");
        EXPECT_EQ(RowText(List(d), 1), "2|1|Enabled|Enabled|AllFrames");
        EXPECT_EQ(RowText(List(d), 27), "28|1|Disabled|Enabled|AllFrames");
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_TO_PORT), "28");
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_STATE), "Disabled");
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_INGRESS), "Enabled");
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_FRAME_TYPE), "Admit All");
        for (int id : {IDC_GVRP_STATE, IDC_GVRP_INGRESS, IDC_GVRP_FRAME_TYPE, IDC_GVRP_PVID, IDC_GVRP_FROM_PORT,
                       IDC_GVRP_TO_PORT})
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
}

TEST_F(GvrpSettingsDialogTest, ARefreshHoldsItsButtonsBackUntilAllItsWalksEndedAndListsOnlyItsOwnRows)
{
    StartGvrpSwitch();
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        ASSERT_TRUE(sim->SetReplyDelay(20));
        ClickButton(d, IDC_GVRP_REFRESH);
        EXPECT_FALSE(Enabled(d, IDC_GVRP_REFRESH));
        EXPECT_FALSE(Enabled(d, IDC_GVRP_APPLY));
        ASSERT_TRUE(Pump([&] { return List(d).GetItemCount() >= 5; }, 10000));
        // A second refresh while the first one's walks run (as a write's
        // "AddFinished" starts one).
        ::SendMessage(d.GetSafeHwnd(), WM_LOGIC_NOTIFY, CGVRPFunLogic::kNotifyAddFinished,
                      reinterpret_cast<LPARAM>("AddFinished"));
        bool early = false;
        ASSERT_TRUE(Pump(
            [&] {
                const bool back = Enabled(d, IDC_GVRP_REFRESH) || Enabled(d, IDC_GVRP_APPLY);
                early = early || (back && List(d).GetItemCount() < 28);
                return back && List(d).GetItemCount() == 28;
            },
            20000));
        EXPECT_FALSE(early);
        ASSERT_TRUE(sim->SetReplyDelay(0));
        ASSERT_TRUE(WaitForWalks(*this, d));
        for (int row = 0; row < 28; ++row)
            EXPECT_EQ(List(d).GetItemText(row, 0), std::to_string(row + 1));
    });
}

TEST_F(GvrpSettingsDialogTest, WithGvrpOffTheValueBoxesAreDisabled)
{
    StartGvrpSwitch();
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        for (int id : {IDC_GVRP_STATE, IDC_GVRP_INGRESS, IDC_GVRP_FRAME_TYPE})
            EXPECT_FALSE(Enabled(d, id)) << id;
        for (int id : {IDC_GVRP_PVID, IDC_GVRP_FROM_PORT, IDC_GVRP_TO_PORT, IDC_GVRP_APPLY})
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
}

TEST_F(GvrpSettingsDialogTest, ApplyWritesEveryPortOfTheRangeAndListsTheNewValues)
{
    StartGvrpSwitch();
    BoxRecorder boxes;
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        Fill(d, {"1", "4", "4094", 1, 0, 1});
        ClickButton(d, IDC_GVRP_APPLY);
        ASSERT_TRUE(WaitForWalks(*this, d));
        EXPECT_EQ(RowText(List(d), 0), "1|4094|Enabled|Disabled|TaggedOnly");
        EXPECT_EQ(RowText(List(d), 3), "4|4094|Enabled|Disabled|TaggedOnly");
        EXPECT_EQ(RowText(List(d), 4), "5|1|Disabled|Enabled|AllFrames");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    std::vector<std::vector<std::string>> expected;
    for (int port = 1; port <= 4; ++port)
        expected.push_back(PortSet(port, "4094", "1", "2", "2"));
    for (int port = 1; port <= 4; ++port) {
        EXPECT_EQ(sim->Get(PortOid(2, port)), "4094");
        EXPECT_EQ(sim->Get(PortOid(3, port)), "1");
        EXPECT_EQ(sim->Get(PortOid(4, port)), "2");
        EXPECT_EQ(sim->Get(PortOid(5, port)), "2");
    }
    EXPECT_EQ(Sets(), expected);
}

TEST_F(GvrpSettingsDialogTest, RefusalsShowTheirMessageAndWriteNothing)
{
    const std::string pvidMessage = "PVID Range is 1-4094";
    const std::string trunkMessage = "Some ports in the same LA Group are not be included.";
    struct Case
    {
        Entry entry;
        std::string message;
    };
    const Case cases[] = {
        {{"1", "4", ""}, pvidMessage},
        {{"1", "4", "0"}, pvidMessage},
        {{"1", "4", "4095"}, pvidMessage},
        // Trunk 1 holds ports 27 and 28, trunk 2 ports 25 and 26.
        {{"20", "27", "5"}, trunkMessage},
        {{"26", "28", "5"}, trunkMessage},
        {{"28", "28", "5"}, trunkMessage},
    };
    StartGvrpSwitch();
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.entry.from + ".." + c.entry.to + " PVID " + c.entry.pvid);
            BoxRecorder boxes;
            Fill(d, c.entry);
            ClickButton(d, IDC_GVRP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            ASSERT_EQ(boxes.Calls().size(), 1U);
            EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
            EXPECT_TRUE(Enabled(d, IDC_GVRP_APPLY));
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(GvrpSettingsDialogTest, RangeThatTheSwitchRefusesGivesApplyBackWithoutRefreshing)
{
    StartGvrpSwitch();
    BoxRecorder boxes;
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        ASSERT_TRUE(sim->RefuseNextSet(PortOid(2, 3), 5));
        const std::size_t walksBefore = Requests("GETNEXT").size();
        Fill(d, {"1", "4", "7", 1, 1, 0});
        ClickButton(d, IDC_GVRP_APPLY);
        EXPECT_TRUE(Enabled(d, IDC_GVRP_APPLY));
        // No "AddFinished": the list is not read again.
        PumpFor(300);
        EXPECT_EQ(Requests("GETNEXT").size(), walksBefore);
        EXPECT_EQ(List(d).GetItemCount(), 28);
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Could not write the GVRP settings of port 3: the switch refused it (general "
                                       "error).\nPorts 1-2 were written; port 3 and later were not."});
    EXPECT_EQ(Sets().size(), 3U);
    EXPECT_EQ(sim->Get(PortOid(2, 2)), "7");
    EXPECT_EQ(sim->Get(PortOid(2, 3)), "1");
    EXPECT_EQ(sim->Get(PortOid(2, 4)), "1");
}

TEST_F(GvrpSettingsDialogTest, PortBoxesKeepToNotBelowFromAndTypedPortsAreChecked)
{
    StartGvrpSwitch();
    BoxRecorder boxes(IDOK);
    CGVRPSettings dialog;
    RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
        ASSERT_TRUE(WaitForWalks(*this, d));
        EXPECT_EQ(Item<CComboBox>(d, IDC_GVRP_FROM_PORT).GetCount(), 28);
        ChooseInCombo(d, IDC_GVRP_FROM_PORT, 9);
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_TO_PORT), "10");
        ChooseInCombo(d, IDC_GVRP_TO_PORT, 4);
        EXPECT_EQ(ComboSelection(d, IDC_GVRP_TO_PORT), "10");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"'To Port' can not be smaller than 'From Port'"});

        // A To Port typed below the From Port writes no port and refreshes.
        const std::size_t walksBefore = Requests("GETNEXT").size();
        Fill(d, {"10", "5", "3"});
        ClickButton(d, IDC_GVRP_APPLY);
        ASSERT_TRUE(WaitForWalks(*this, d));
        EXPECT_GT(Requests("GETNEXT").size(), walksBefore);

        // Ports the switch does not have are not written.
        for (const Entry& e : {Entry{"0", "2", "3"}, Entry{"20", "99", "3"}, Entry{"x", "2", "3"}}) {
            Fill(d, e);
            ClickButton(d, IDC_GVRP_APPLY);
            EXPECT_TRUE(Enabled(d, IDC_GVRP_APPLY)) << e.from << ".." << e.to;
        }
    });
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(boxes.Calls().size(), 1U);
}

TEST_F(GvrpSettingsDialogTest, ClosingWhileTheWalksRunIsClean)
{
    StartGvrpSwitch();
    ASSERT_TRUE(sim->SetReplyDelay(200));
    for (int wait : {0, 300, 700}) {
        SCOPED_TRACE(wait);
        CGVRPSettings dialog;
        RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings&) { PumpFor(wait); });
    }
    ASSERT_TRUE(sim->SetReplyDelay(0));
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace gvrp_test
