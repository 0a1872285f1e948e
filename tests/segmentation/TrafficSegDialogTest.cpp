// The Traffic Segmentation dialog on the 28-port sample model's switch
// (every port forwards to every port; trunk 1 holds ports 27 and 28, trunk 2
// ports 25 and 26): the state's hold on the port controls, a port's set, the
// "ALL" and single-port writes, the trunk refusal, and a table with a row
// missing.
#include "features/security/CTrafficSegDlg.h"
#include "mirror/PortRowsCheck.h"
#include "resources/segmentation.h"
#include "support/FeatureDialogTest.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/ui/CListCtrl.h"

#include <string>
#include <vector>

namespace segmentation_test {

namespace {

const std::string kSeg = "1.3.6.1.4.1.32473.10.76.19.1.14.9";
const std::string kState = kSeg + ".1.0";
const std::string kTrunk = "1.3.6.1.4.1.32473.10.76.19.1.8.1.3.1.2.";

std::string Forward(int port)
{
    return kSeg + ".2.1.2." + std::to_string(port);
}

int Box(int port)
{
    return IDC_SEG_BOX_FIRST + port - 1;
}

bool Settled()
{
    return Pump([] { return CCommonSNMP::WaitForWorkers(0); }, 20000);
}

std::vector<int> CheckedPorts(CWnd& d)
{
    std::vector<int> ports;
    for (int port = 1; port <= 28; ++port)
        if (d.IsDlgButtonChecked(Box(port)) == BST_CHECKED)
            ports.push_back(port);
    return ports;
}

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SEG_LIST);
}

// What a state that could not be read says: when it is read, and when Apply
// is refused.
std::vector<std::string> StateUnreadMessages()
{
    return {"The traffic segmentation state could not be read from the switch.",
            "The traffic segmentation state could not be read from the switch. Press Refresh and try again."};
}

class TrafficSegDialogTest : public FeatureDialogTest
{
protected:
    void StartPuffin(const std::string& fixture = {})
    {
        std::vector<std::string> args = KorvelSimulator::ModelArgs("KSX-Puffin");
        if (!fixture.empty()) {
            args.push_back("--data");
            args.push_back(std::string(KORVEL_SOURCE_DIR) + "/tests/segmentation/fixtures/" + fixture);
        }
        StartSwitch({}, 28, args);
    }
    void NoTrunks()
    {
        for (int group : {1, 2})
            ASSERT_EQ(sim->Set(kTrunk + std::to_string(group), SnmpValueOctetString, std::string(4, '\0')), 0);
    }
    std::vector<std::vector<std::string>> Sets() const { return Requests("SET"); }
    void Run(const std::function<void(CTrafficSegDlg&)>& act)
    {
        CTrafficSegDlg dialog;
        RunModal<CTrafficSegDlg>(dialog, [&](CTrafficSegDlg& d) {
            ASSERT_TRUE(Settled());
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SEG_REFRESH); }));
            act(d);
        });
    }
    void ApplyAndSettle(CWnd& d, int id)
    {
        ClickButton(d, id);
        ASSERT_TRUE(Settled());
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SEG_REFRESH); }));
    }
};

} // namespace

TEST_F(TrafficSegDialogTest, PortLabelsAndBoxesLeaveEachOtherClearOn28And52Ports)
{
    for (const auto& [model, ports] : {std::pair<std::string, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        StartSwitch({}, ports, KorvelSimulator::ModelArgs(model));
        Run([&](CTrafficSegDlg& d) {
            portrows::ExpectClearPortRows(d, ports, IDC_SEG_LABEL_FIRST, {UINT(IDC_SEG_BOX_FIRST)},
                                          portrows::RectOf(d, IDC_SEG_PORT_GROUP));
            // The rows stay above the buttons under them.
            const CRect last = portrows::RectOf(d, IDC_SEG_BOX_FIRST + ports - 1);
            for (int id : {IDC_SEG_SELECT_ALL, IDC_SEG_CLEAR, IDC_SEG_APPLY_PORTS})
                EXPECT_LT(last.bottom, portrows::RectOf(d, id).top) << id;
        });
    }
}

TEST_F(TrafficSegDialogTest, StateOffHoldsThePortControlsUntilItIsSwitchedOn)
{
    StartPuffin();
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    const std::size_t setsBefore = Sets().size();
    Run([&](CTrafficSegDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Traffic Segmentation Settings ");
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_SEG_STATE) == BST_CHECKED);
        for (int id : {IDC_SEG_FROM_PORT, IDC_SEG_APPLY_PORTS, Box(1), Box(28)})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Enabled(d, IDC_SEG_APPLY_STATE));
        ASSERT_EQ(List(d).GetItemCount(), 28);
        EXPECT_EQ(List(d).GetItemText(4, 0), "5");
        EXPECT_EQ(List(d).GetItemText(4, 1), "1-28");

        ClickButton(d, IDC_SEG_STATE);
        ApplyAndSettle(d, IDC_SEG_APPLY_STATE);
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_SEG_STATE) == BST_CHECKED);
        for (int id : {IDC_SEG_FROM_PORT, IDC_SEG_APPLY_PORTS, Box(1), Box(28)})
            EXPECT_TRUE(Enabled(d, id)) << id;
    });
    auto sets = Sets();
    sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(setsBefore));
    EXPECT_EQ(sets, (std::vector<std::vector<std::string>>{{kState + "|2|1"}}));
}

TEST_F(TrafficSegDialogTest, AllWritesEveryPortTheCheckedPortsAndItself)
{
    StartPuffin();
    NoTrunks();
    const std::size_t setsBefore = Sets().size();
    BoxRecorder boxes;
    Run([&](CTrafficSegDlg& d) {
        ASSERT_EQ(ComboSelection(d, IDC_SEG_FROM_PORT), "ALL");
        ClickButton(d, Box(1));
        ClickButton(d, Box(2));
        ApplyAndSettle(d, IDC_SEG_APPLY_PORTS);
        EXPECT_TRUE(CheckedPorts(d).empty());
        EXPECT_EQ(List(d).GetItemText(0, 1), "1-2");
        EXPECT_EQ(List(d).GetItemText(4, 1), "1-2,5");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    auto sets = Sets();
    sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(setsBefore));
    ASSERT_EQ(sets.size(), 28U);
    EXPECT_EQ(sets[0], std::vector<std::string>{Forward(1) + "|4x|c0000000"});
    EXPECT_EQ(sets[1], std::vector<std::string>{Forward(2) + "|4x|c0000000"});
    EXPECT_EQ(sets[4], std::vector<std::string>{Forward(5) + "|4x|c8000000"});
    EXPECT_EQ(sets[27], std::vector<std::string>{Forward(28) + "|4x|c0000010"});
}

TEST_F(TrafficSegDialogTest, APortShowsItsSetAndClearKeepsItsOwnBox)
{
    StartPuffin("seg-missing-rows.snmprec");
    const std::size_t setsBefore = Sets().size();
    Run([&](CTrafficSegDlg& d) {
        // No row of port 3: the list skips it, and the rows after it keep
        // their own ports and sets.
        ASSERT_EQ(List(d).GetItemCount(), 27);
        EXPECT_EQ(List(d).GetItemText(2, 0), "4");
        EXPECT_EQ(List(d).GetItemText(2, 1), "1,3-4,9");
        EXPECT_EQ(List(d).GetItemText(3, 1), "1-28");

        ChooseInCombo(d, IDC_SEG_FROM_PORT, 4);
        EXPECT_EQ(CheckedPorts(d), (std::vector<int>{1, 3, 4, 9}));
        EXPECT_FALSE(Enabled(d, Box(4)));
        EXPECT_TRUE(Enabled(d, Box(3)));
        ClickButton(d, IDC_SEG_CLEAR);
        EXPECT_EQ(CheckedPorts(d), (std::vector<int>{4}));

        // Port 3 has no row: an empty set.
        ChooseInCombo(d, IDC_SEG_FROM_PORT, 3);
        EXPECT_TRUE(CheckedPorts(d).empty());
        ClickButton(d, IDC_SEG_SELECT_ALL);
        EXPECT_EQ(CheckedPorts(d).size(), 28U);

        // One port's write: the boxes as they are.
        ChooseInCombo(d, IDC_SEG_FROM_PORT, 6);
        ClickButton(d, IDC_SEG_CLEAR);
        ClickButton(d, Box(7));
        ApplyAndSettle(d, IDC_SEG_APPLY_PORTS);
        EXPECT_EQ(ComboSelection(d, IDC_SEG_FROM_PORT), "ALL");
    });
    auto sets = Sets();
    sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(setsBefore));
    EXPECT_EQ(sets, (std::vector<std::vector<std::string>>{{Forward(6) + "|4x|06000000"}}));
}

TEST_F(TrafficSegDialogTest, ASetSplittingATrunkIsRefusedBeforeAnythingIsWritten)
{
    StartPuffin();
    const std::string refused = "The link aggregation member port can not be configured.";
    BoxRecorder boxes;
    Run([&](CTrafficSegDlg& d) {
        // "ALL" would give ports 25 to 28 sets of their own port without its
        // partner: refused for every port, ports 1 to 24 included.
        ClickButton(d, Box(1));
        ClickButton(d, Box(2));
        ClickButton(d, IDC_SEG_APPLY_PORTS);
        // One port with one member of trunk 1 only (its own box keeps the
        // check of its set, all ports).
        ChooseInCombo(d, IDC_SEG_FROM_PORT, 3);
        ClickButton(d, IDC_SEG_CLEAR);
        ClickButton(d, Box(27));
        ClickButton(d, IDC_SEG_APPLY_PORTS);
        // Both members pass.
        ClickButton(d, Box(28));
        ApplyAndSettle(d, IDC_SEG_APPLY_PORTS);
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{refused, refused}));
    EXPECT_EQ(Sets(), (std::vector<std::vector<std::string>>{{Forward(3) + "|4x|20000030"}}));
}

TEST_F(TrafficSegDialogTest, StateApplyAfterAFailedReadWritesNothing)
{
    StartPuffin("seg-no-state.snmprec");
    BoxRecorder boxes;
    Run([&](CTrafficSegDlg& d) {
        ClickButton(d, IDC_SEG_STATE);
        ClickButton(d, IDC_SEG_APPLY_STATE);
    });
    EXPECT_EQ(boxes.Texts(), StateUnreadMessages());
    EXPECT_TRUE(Sets().empty());
}

// A forwarding set that is no port bitmap is never decoded into ports, and a
// state outside its set is unknown: no check, Apply refused.
TEST_F(TrafficSegDialogTest, AWrongTypedSetAndAnOutOfSetStateAreUnknown)
{
    StartPuffin("seg-hostile.snmprec");
    BoxRecorder boxes;
    Run([&](CTrafficSegDlg& d) {
        CListCtrl& list = Item<CListCtrl>(d, IDC_SEG_LIST);
        ASSERT_EQ(list.GetItemCount(), 27);
        EXPECT_EQ(list.GetItemText(2, 0), "4");
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_SEG_STATE) == BST_CHECKED);
        ClickButton(d, IDC_SEG_APPLY_STATE);
    });
    EXPECT_EQ(boxes.Texts(), StateUnreadMessages());
    EXPECT_TRUE(Sets().empty());
}

} // namespace segmentation_test
