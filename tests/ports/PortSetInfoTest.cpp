// The port configuration dialog on the simulated switch: its list, a change
// of one port, the rules that refuse a change, a failed walk and closing
// during a walk.
#include "features/ports_vlans/CPortSetInfo.h"
#include "ports/PortsTestSupport.h"
#include "resources/ports_vlans.h"

#include <QElapsedTimer>

namespace ports_test {

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
    return PumpUntil(
        [&] { return Enabled(d, IDC_PORTSET_REFRESH) && Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemCount() > 0; },
        20000);
}

class PortSetInfoTest : public PortsTest
{
protected:
    // The trunk walk runs beside the port table walk and nothing waits for
    // it: wait until the simulator has answered its last row.
    void WaitForTrunkWalk()
    {
        const std::string lastRow = "1.3.6.1.4.1.32473.10.76.19.1.8.1.3.1.2.8|";
        PumpUntil(
            [&] {
                for (const auto& request : Requests("GETNEXT"))
                    if (!request.empty() && request[0].rfind(lastRow, 0) == 0)
                        return true;
                return false;
            },
            10000);
        PumpUntil([] { return false; }, 100);
    }

    // Opens the dialog, waits for both of its walks, then acts on it.
    void WhenReady(const std::function<void(CPortSetInfo&)>& act)
    {
        CPortSetInfo dialog;
        RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
            ASSERT_TRUE(WaitForList(d));
            WaitForTrunkWalk();
            act(d);
        });
    }

    // Chooses a row and the settings as a user does, then clicks Apply.
    // A position of -1 leaves a box as the click set it.
    void Apply(CPortSetInfo& d, int row, int speed, int mdix, int flowControl)
    {
        if (row >= 0)
            ClickRow(Item<CListCtrl>(d, IDC_PORTSET_LIST), row);
        if (speed >= 0)
            Item<CComboBox>(d, IDC_PORTSET_SPEED).SetCurSel(speed);
        if (mdix >= 0)
            Item<CComboBox>(d, IDC_PORTSET_MDIX).SetCurSel(mdix);
        if (flowControl >= 0)
            Item<CComboBox>(d, IDC_PORTSET_FLOW_CONTROL).SetCurSel(flowControl);
        ClickButton(d, IDC_PORTSET_APPLY);
    }
};

// Positions in the boxes.
constexpr int kSpeed1000Full = 0, kSpeed100Full = 1, kSpeed100Half = 2, kSpeedAuto = 5, kSpeedDisable = 6;
constexpr int kMdixMdi = 1, kMdixMdix = 2;
constexpr int kFlowEnabled = 0, kFlowDisabled = 1;
constexpr int kLeave = -1;

const std::string kForceMode =
    "The speed is set to force mode. \n* The speed mode must be the same as the counterpart. ";
const std::string kFlowQuestion = "QoS works best when Flow Control is disabled. \n* When Flow Control is enabled.QoS "
                                  "may not perform accurate bandwidth allocation. \n* Do you still want to enable "
                                  "Flow Control?. ";

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
        WhenReady([&](CPortSetInfo& d) {
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

TEST_F(PortSetInfoTest, ApplyWritesThePortInOneRequestAndRereadsTheList)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    BoxRecorder boxes(IDOK);
    WhenReady([&](CPortSetInfo& d) {
        CListCtrl& list = Item<CListCtrl>(d, IDC_PORTSET_LIST);
        ClickRow(list, 4);
        EXPECT_EQ(d.GetDlgItem(IDC_PORTSET_PORT_ID)->GetWindowText(), "5");
        EXPECT_EQ(Item<CComboBox>(d, IDC_PORTSET_SPEED).GetCurSel(), kSpeedAuto);
        EXPECT_EQ(Item<CComboBox>(d, IDC_PORTSET_FLOW_CONTROL).GetCurSel(), kFlowDisabled);
        Apply(d, kLeave, kSpeed100Full, kMdixMdix, kFlowEnabled);
        ASSERT_TRUE(WaitForList(d));
        EXPECT_EQ(Row(list, 4), (RowTexts{"5", "Down", "100M Full", "MDIX", "Enabled"}));
        EXPECT_EQ(d.GetDlgItem(IDC_PORTSET_PORT_ID)->GetWindowText(), "");

        // A typed MDI/MDIX text that names an item counts as that item.
        ClickRow(list, 5);
        Item<CComboBox>(d, IDC_PORTSET_MDIX).SetWindowText("mdi");
        ClickButton(d, IDC_PORTSET_APPLY);
        ASSERT_TRUE(WaitForList(d));
        EXPECT_EQ(Row(list, 5), (RowTexts{"6", "Down", "Auto", "MDI", "Disabled"}));
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kForceMode, kFlowQuestion}));
    const auto sets = Requests("SET");
    ASSERT_EQ(sets.size(), 2U);
    EXPECT_EQ(sets[0], (std::vector<std::string>{PortColumn(2, 5) + "|2|2", PortColumn(4, 5) + "|2|3",
                                                 PortColumn(5, 5) + "|2|1"}));
    EXPECT_EQ(sets[1], (std::vector<std::string>{PortColumn(2, 6) + "|2|6", PortColumn(4, 6) + "|2|2",
                                                 PortColumn(5, 6) + "|2|2"}));
    EXPECT_EQ(sim->Get(PortColumn(2, 5)), "2");
    EXPECT_EQ(sim->Get(PortColumn(4, 5)), "3");
    EXPECT_EQ(sim->Get(PortColumn(5, 5)), "1");
}

TEST_F(PortSetInfoTest, ChangeThatBreaksARuleIsRefusedAndNothingIsSent)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> extraFiles;
        int row, speed, mdix, flowControl;
        int answer;
        std::vector<std::string> messages;
    };
    const std::string base = KorvelSimulator::BaseData();
    const Case cases[] = {
        {"no row chosen", {}, kLeave, kLeave, kLeave, kLeave, IDOK, {"Please Select one port !"}},
        {"LA member with another member, new speed",
         {},
         26,
         kSpeed100Full,
         kLeave,
         kLeave,
         IDOK,
         {"LA port can not support in different speed."}},
        {"LA member with another member, new flow control",
         {},
         26,
         kLeave,
         kLeave,
         kFlowEnabled,
         IDOK,
         {"LA port can not support in different flow control."}},
        {"LA member with another member, new MDI/MDIX", {}, 26, kLeave, kMdixMdi, kLeave, IDOK, {}},
        {"fibre port, MDI", {}, 24, kLeave, kMdixMdi, kLeave, IDOK, {"Fiber Port  25 can not support MDI/MDIX mode."}},
        {"port without 1000M, 1000M",
         {},
         24,
         kSpeed1000Full,
         kLeave,
         kLeave,
         IDOK,
         {"Port 25 can not support 1000M speed."}},
        {"forced speed, Cancel", {}, 4, kSpeed100Full, kLeave, kLeave, IDCANCEL, {kForceMode}},
        {"flow control on, Cancel", {}, 4, kLeave, kLeave, kFlowEnabled, IDCANCEL, {kFlowQuestion}},
        {"the only port with a link, disabled",
         {FixtureData("one-link.snmprec")},
         0,
         kSpeedDisable,
         kLeave,
         kFlowDisabled,
         IDOK,
         {"Sorry, you can not disable all ports."}},
        {"lone LA member, half duplex",
         {FixtureData("single-member-trunk.snmprec")},
         4,
         kSpeed100Half,
         kLeave,
         kLeave,
         IDOK,
         {kForceMode, "Trunk member port  5 can not support in half-duplex mode."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> files{base, PortsData()};
        files.insert(files.end(), c.extraFiles.begin(), c.extraFiles.end());
        StartSwitch(files, 28);
        BoxRecorder boxes(c.answer);
        WhenReady([&](CPortSetInfo& d) { Apply(d, c.row, c.speed, c.mdix, c.flowControl); });
        EXPECT_EQ(boxes.Texts(), c.messages);
        EXPECT_TRUE(Requests("SET").empty());
    }
}

TEST_F(PortSetInfoTest, RowWithUnknownValuesAndUnknownMdixTextCannotBeApplied)
{
    // 10 full rows for 28 ports: rows 11 to 28 have only the media type the
    // base gives, every other cell is unknown.
    StartSwitch({KorvelSimulator::BaseData(), FixtureData("short-port-table.snmprec")}, 28);
    BoxRecorder boxes(IDOK);
    WhenReady([&](CPortSetInfo& d) {
        CListCtrl& list = Item<CListCtrl>(d, IDC_PORTSET_LIST);
        ASSERT_EQ(list.GetItemCount(), 28);
        EXPECT_EQ(Row(list, 20), (RowTexts{"21", "", "", "", ""}));
        Apply(d, 20, kSpeedAuto, kLeave, kLeave);

        // A typed MDI/MDIX text that names no item is refused.
        ClickRow(list, 5);
        Item<CComboBox>(d, IDC_PORTSET_MDIX).SetWindowText("Crossed");
        ClickButton(d, IDC_PORTSET_APPLY);
    });
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"The settings of port 21 could not be read. Please refresh.",
                                        "Please Select one MDI/MDIX mode !"}));
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(PortSetInfoTest, FailedWalkStartsAgainUntilTheSwitchAnswers)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    // Silent for as long as the dialog may take to open and ask on a loaded
    // machine, yet shorter than the first walk's step time-out (8 s), so the
    // walk after it is answered.
    ASSERT_TRUE(sim->SilenceFor(6000));
    BoxRecorder boxes;
    CPortSetInfo dialog;
    RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
        // The first walk fails when its step times out (8 s); the next one reads the table.
        QElapsedTimer timer;
        timer.start();
        ASSERT_TRUE(PumpUntil([&] { return Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemCount() == 28; }, 60000));
        EXPECT_GE(timer.elapsed(), 7000);
        EXPECT_EQ(Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemText(2, 2), "100M Full");
        EXPECT_TRUE(Enabled(d, IDC_PORTSET_REFRESH));
    });
    // The failure is said once; the walk tried again by itself says nothing.
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0].text, "The port settings could not be read from the switch.");
}

TEST_F(PortSetInfoTest, ClosingDuringAWalkStopsIt)
{
    StartSwitch({KorvelSimulator::BaseData(), PortsData()}, 28);
    ASSERT_TRUE(sim->SetReplyDelay(40));
    {
        CPortSetInfo dialog;
        RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
            PumpUntil([&] { return Requests("GETNEXT").size() >= 5; });
            EXPECT_FALSE(Enabled(d, IDC_PORTSET_REFRESH));
            ClickButton(d, IDCANCEL);
        });
        EXPECT_FALSE(IsWindow(dialog.GetSafeHwnd()));
        EXPECT_EQ(g_bDialogClosing, 1);
    }
    // Once the dialog object is gone its walks ask nothing more.
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
    const std::size_t requestsAfterClose = sim->LogLines().size();
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(sim->LogLines().size(), requestsAfterClose);
    EXPECT_LT(Requests("GETNEXT").size(), 40U);
}

} // namespace ports_test
