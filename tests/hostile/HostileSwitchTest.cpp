// The feature dialogs on a switch that gives what no real switch holds: a
// table with holes, rows whose index no port or VLAN can have, values outside
// a field's set, a switch that falls silent in the middle of a walk. Each
// state is a data file of its own (fixtures/); each dialog shows what the
// switch can mean, shows the rest as unknown, and writes nothing.
#include "features/ports_vlans/C8021qVlanSet.h"
#include "features/ports_vlans/CCameraVLANOUISetting.h"
#include "features/ports_vlans/CCameraVlanSetting.h"
#include "features/ports_vlans/CGVRPSettings.h"
#include "features/ports_vlans/CGVRPTime.h"
#include "features/ports_vlans/CManagVlanSetDlg.h"
#include "features/ports_vlans/CPortDescription.h"
#include "features/ports_vlans/CPortSetInfo.h"
#include "features/ports_vlans/CTrunkConfigDlg.h"
#include "resources/ports_vlans.h"
#include "vlan/VlanTestSupport.h"

#include <QElapsedTimer>

#include <functional>
#include <string>
#include <vector>

using namespace vlantest;

namespace {

std::string Data(const std::string& name)
{
    return KorvelSimulator::TestData(name + ".snmprec");
}

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/hostile/fixtures/" + name + ".snmprec";
}

class HostileSwitchTest : public VlanTest
{
public:
    using VlanTest::WaitForSideReads;
};

struct HostileCase
{
    const char* name;
    std::vector<std::string> files; // after the base data file
    // Opens the dialog on the switch, checks what it shows and tries what
    // must not write.
    std::function<void(HostileSwitchTest&)> check;
};

const std::vector<std::string> kActiveVlans = {"1", "2", "10", "20", "30", "50", "100"};

const HostileCase kCases[] = {
    {"holes in each column of the VLAN table",
     {Data("vlan"), Fixture("vlan-holes")},
     [](HostileSwitchTest&) {
         BoxRecorder boxes;
         C8021qVlanSet dialog;
         RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
             ASSERT_TRUE(ListFilled(d, IDC_VLAN_LIST, IDC_VLAN_REFRESH, 7));
             // Every VLAN in its own row; a cell the switch did not give is empty.
             EXPECT_EQ(ListRows(d, IDC_VLAN_LIST, 5),
                       (std::vector<std::string>{"1|default|28|25,26,27,28|" + Ports(1, 24), "2||4|5,6,7,8|",
                                                 "10|Engineering|||", "20|Voice|1|26|", "30|Cameras|||",
                                                 "50|B\xC3\xBCro|0||", "100|lab|2|9,10|"}));
             // Editing VLAN 10 would write its unknown ports as none.
             ClickRow(Item<CListCtrl>(d, IDC_VLAN_LIST), 2);
             ClickButton(d, IDC_VLAN_EDIT);
         });
         EXPECT_EQ(boxes.Texts(),
                   std::vector<std::string>{"The member ports of VLAN 10 could not be read. Refresh and try again."});
     }},
    {"VLAN rows whose ids no VLAN can have",
     {Data("vlan"), Fixture("vlan-impossible-ids")},
     [](HostileSwitchTest&) {
         C8021qVlanSet dialog;
         RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
             ASSERT_TRUE(ListFilled(d, IDC_VLAN_LIST, IDC_VLAN_REFRESH, 7));
             EXPECT_EQ(FirstColumn(d, IDC_VLAN_LIST), kActiveVlans);
         });
     }},
    {"an asymmetric VLAN state outside its set",
     {Data("vlan"), Fixture("vlan-asymmetric-unknown")},
     [](HostileSwitchTest& test) {
         BoxRecorder boxes;
         C8021qVlanSet dialog;
         RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
             ASSERT_TRUE(ListFilled(d, IDC_VLAN_LIST, IDC_VLAN_REFRESH, 7));
             test.WaitForSideReads(28);
             EXPECT_FALSE(Checked(d, IDC_VLAN_ASYMMETRIC));
             ClickButton(d, IDC_VLAN_ASYMMETRIC);
             ClickButton(d, IDC_VLAN_APPLY);
         });
         EXPECT_EQ(boxes.Texts(),
                   std::vector<std::string>{"The asymmetric VLAN state could not be read. Please refresh."});
     }},
    {"a management VLAN state outside its set",
     {Data("vlan"), Fixture("management-state-unknown")},
     [](HostileSwitchTest&) {
         BoxRecorder boxes;
         CManagVlanSetDlg dialog;
         RunModal<CManagVlanSetDlg>(dialog, [&](CManagVlanSetDlg& d) {
             CComboBox& vids = Item<CComboBox>(d, IDC_MGMTVLAN_VID);
             ASSERT_TRUE(Pump([&] { return vids.GetCount() == 7; }, 20000));
             PumpFor(200);
             EXPECT_FALSE(Checked(d, IDC_MGMTVLAN_ENABLE));
             EXPECT_FALSE(Checked(d, IDC_MGMTVLAN_DISABLE));
             EXPECT_EQ(ComboSelection(d, IDC_MGMTVLAN_VID), "");
             ClickButton(d, IDC_MGMTVLAN_ENABLE);
             ClickButton(d, IDOK);
         });
         EXPECT_EQ(boxes.Texts(),
                   std::vector<std::string>{
                       "The management VLAN settings could not be read from the switch. Please refresh."});
     }},
    {"a GVRP state outside its set",
     {Data("trunk"), Data("vlan"), Data("gvrp"), Fixture("gvrp-junk")},
     [](HostileSwitchTest&) {
         CGVRPTime dialog;
         RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
             ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_GVRPTIME_REFRESH); }, 20000));
             PumpFor(300);
             EXPECT_FALSE(Checked(d, IDC_GVRPTIME_ENABLED));
             EXPECT_FALSE(Checked(d, IDC_GVRPTIME_DISABLED));
             EXPECT_FALSE(Enabled(d, IDC_GVRPTIME_APPLY));
             EXPECT_TRUE(Enabled(d, IDC_GVRPTIME_CLOSE));
         });
     }},
    {"GVRP timers of the wrong type",
     {Data("trunk"), Data("vlan"), Data("gvrp"), Fixture("gvrp-timers-junk")},
     [](HostileSwitchTest&) {
         BoxRecorder boxes;
         CGVRPTime dialog;
         RunModal<CGVRPTime>(dialog, [&](CGVRPTime& d) {
             ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_GVRPTIME_APPLY); }, 20000));
             EXPECT_TRUE(Checked(d, IDC_GVRPTIME_ENABLED));
             EXPECT_EQ(d.GetDlgItem(IDC_GVRPTIME_JOIN)->GetWindowText(), "");
             EXPECT_EQ(d.GetDlgItem(IDC_GVRPTIME_LEAVE)->GetWindowText(), "");
             EXPECT_EQ(d.GetDlgItem(IDC_GVRPTIME_LEAVEALL)->GetWindowText(), "10000");
             ClickButton(d, IDC_GVRPTIME_APPLY);
         });
         EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Join Time(100-100000)."});
     }},
    {"GVRP port rows of ports the switch lacks, values outside their sets",
     {Data("trunk"), Data("vlan"), Data("gvrp"), Fixture("gvrp-port-rows")},
     [](HostileSwitchTest&) {
         CGVRPSettings dialog;
         RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
             ASSERT_TRUE(ListFilled(d, IDC_GVRP_LIST, IDC_GVRP_REFRESH, 28));
             EXPECT_EQ(FirstColumn(d, IDC_GVRP_LIST), Numbers(1, 28));
             const auto rows = ListRows(d, IDC_GVRP_LIST, 5);
             EXPECT_EQ(rows[1], "2|1|||");
             EXPECT_EQ(rows[2].substr(0, 3), "3||");
         });
     }},
    {"a link aggregation state and channel modes outside their sets",
     {Data("trunk"), Fixture("trunk-unknown")},
     [](HostileSwitchTest&) {
         CTrunkConfigDlg dialog;
         RunModal<CTrunkConfigDlg>(dialog, [&](CTrunkConfigDlg& d) {
             ASSERT_TRUE(ListFilled(d, IDC_TRUNK_LIST, IDC_TRUNK_REFRESH, 8));
             EXPECT_FALSE(Checked(d, IDC_TRUNK_ENABLE));
             EXPECT_FALSE(Enabled(d, IDC_TRUNK_APPLY_STATE));
             const auto rows = ListRows(d, IDC_TRUNK_LIST, 2);
             EXPECT_EQ(rows[0], "1|");
             EXPECT_EQ(rows[1], "2|");
             EXPECT_EQ(rows[2], "3|Static");
         });
     }},
    {"port rows of ports the switch lacks, a missing speed",
     {Data("ports"), Fixture("port-rows")},
     [](HostileSwitchTest&) {
         CPortSetInfo dialog;
         RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
             ASSERT_TRUE(ListFilled(d, IDC_PORTSET_LIST, IDC_PORTSET_REFRESH, 28));
             EXPECT_EQ(FirstColumn(d, IDC_PORTSET_LIST), Numbers(1, 28));
             const auto rows = ListRows(d, IDC_PORTSET_LIST, 5);
             EXPECT_EQ(rows[4].substr(0, 2), "5|");
             EXPECT_EQ(Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemText(4, 2), "");
             EXPECT_EQ(Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemText(4, 4), "");
         });
     }},
    {"a port's speed, MDI/MDIX and flow control outside their sets",
     {Data("ports"), Fixture("port-rows")},
     [](HostileSwitchTest&) {
         BoxRecorder boxes;
         CPortSetInfo dialog;
         RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
             ASSERT_TRUE(ListFilled(d, IDC_PORTSET_LIST, IDC_PORTSET_REFRESH, 28));
             CListCtrl& list = Item<CListCtrl>(d, IDC_PORTSET_LIST);
             // A port the switch gave whole selects each value; one it did not
             // leaves the box without a selection, not with the last port's.
             ClickRow(list, 0);
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_SPEED), "Auto");
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_MDIX), "Auto");
             EXPECT_NE(ComboSelection(d, IDC_PORTSET_FLOW_CONTROL), "");
             ClickRow(list, 4);
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_SPEED), "");
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_FLOW_CONTROL), "");
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_MDIX), "Auto");
             ClickRow(list, 5);
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_MDIX), "");
             EXPECT_EQ(ComboSelection(d, IDC_PORTSET_SPEED), "Auto");
             ClickButton(d, IDC_PORTSET_APPLY);
         });
         EXPECT_EQ(boxes.Texts(),
                   std::vector<std::string>{"The settings of port 6 could not be read. Please refresh."});
     }},
};

} // namespace

TEST_F(HostileSwitchTest, EachDialogShowsWhatTheSwitchCanMeanAndWritesNothing)
{
    for (const HostileCase& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> files{KorvelSimulator::BaseData()};
        files.insert(files.end(), c.files.begin(), c.files.end());
        StartSwitch(files, 28);
        c.check(*this);
        EXPECT_TRUE(Requests("SET").empty());
    }
}

// A walk that dies keeps the last complete list and gives the buttons back.
struct CutShortCase
{
    const char* name;
    std::vector<std::string> files; // after the base data file
    // Opens the dialog and hands it to the check below.
    std::function<void(const std::function<void(CWnd&)>&)> open;
    int list;
    int refresh;
    int button; // one more the walk holds back
    int rows;
    int columns;
    // The switch dies once a step of the walk has asked from here.
    std::string askedFrom;
    // What the failed Refresh says, once (empty: walks run side by side, and
    // whichever fails first is said).
    std::string said;
};

template <class Dialog> void OpenModal(const std::function<void(CWnd&)>& check)
{
    Dialog dialog;
    RunModal<Dialog>(dialog, [&](Dialog& d) { check(d); });
}

const std::string kEnterprise = "1.3.6.1.4.1.32473.10.76.19.1";

const CutShortCase kCutShortCases[] = {
    {"the VLAN list",
     {Data("vlan")},
     OpenModal<C8021qVlanSet>,
     IDC_VLAN_LIST,
     IDC_VLAN_REFRESH,
     IDC_VLAN_EDIT,
     7,
     5,
     VlanColumn(1, 10),
     "The VLAN list could not be read again from the switch; the last complete read is shown."},
    {"the GVRP port list",
     {Data("trunk"), Data("vlan"), Data("gvrp")},
     OpenModal<CGVRPSettings>,
     IDC_GVRP_LIST,
     IDC_GVRP_REFRESH,
     IDC_GVRP_APPLY,
     28,
     5,
     kEnterprise + ".30.5.1.1.2",
     ""},
    {"the port description list",
     {Data("ports")},
     OpenModal<CPortDescription>,
     IDC_PORTDESC_LIST,
     IDC_PORTDESC_REFRESH,
     IDC_PORTDESC_APPLY,
     28,
     2,
     kEnterprise + ".1.16.1.1.2",
     "The port descriptions could not be read again from the switch; the last complete read is shown."},
    {"the surveillance OUI list",
     {Data("vlan"), Data("surveillance")},
     OpenModal<CCameraVLANOUISetting>,
     IDC_SURVOUI_LIST,
     IDC_SURVOUI_REFRESH,
     IDC_SURVOUI_ADD,
     2,
     4,
     kEnterprise + ".26.2.1.1.2",
     "The surveillance OUI list could not be read again from the switch; the last complete read is shown."},
    {"the surveillance component list",
     {Data("vlan"), Data("surveillance")},
     OpenModal<CCameraVlanSetting>,
     IDC_SURV_LIST,
     IDC_SURV_REFRESH,
     IDC_SURV_REFRESH,
     2,
     4,
     kEnterprise + ".26.2.1.1.4",
     ""},
};

TEST_F(HostileSwitchTest, AListCutShortKeepsTheLastCompleteList)
{
    for (const CutShortCase& c : kCutShortCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> files{KorvelSimulator::BaseData()};
        files.insert(files.end(), c.files.begin(), c.files.end());
        StartSwitch(files, 28);
        g_strTimeout = "1500";
        BoxRecorder boxes;
        c.open([&](CWnd& d) {
            ASSERT_TRUE(ListFilled(d, c.list, c.refresh, c.rows));
            const std::vector<std::string> before = ListRows(d, c.list, c.columns);
            const auto asked = [&] {
                size_t n = 0;
                for (const auto& request : Requests("GETNEXT"))
                    n += !request.empty() && request[0].rfind(c.askedFrom + "|", 0) == 0 ? 1 : 0;
                return n;
            };
            const size_t askedBefore = asked();
            ASSERT_TRUE(sim->SetReplyDelay(150));
            ClickButton(d, c.refresh);
            ASSERT_TRUE(Pump([&] { return asked() > askedBefore; }, 20000));
            ASSERT_TRUE(sim->SilenceFor(30000));
            EXPECT_FALSE(Enabled(d, c.refresh));
            ASSERT_TRUE(Pump([&] { return Enabled(d, c.refresh) && Enabled(d, c.button); }, 30000));
            EXPECT_EQ(ListRows(d, c.list, c.columns), before);
        });
        if (c.said.empty())
            EXPECT_EQ(boxes.Calls().size(), 1U);
        else
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.said});
        EXPECT_TRUE(Requests("SET").empty());
    }
}

// Port Configuration tries a failed walk again; Refresh and Close stay usable
// meanwhile, and nothing is applied until a walk has completed.
TEST_F(HostileSwitchTest, PortConfigurationRetriesAFailedWalkWithRefreshUsable)
{
    StartSwitch({KorvelSimulator::BaseData(), Data("ports")}, 28);
    ASSERT_TRUE(sim->SilenceFor(14000));
    BoxRecorder boxes;
    CPortSetInfo dialog;
    RunModal<CPortSetInfo>(dialog, [&](CPortSetInfo& d) {
        // The first walk fails when its step times out (8 s); the next waits out the silence.
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_PORTSET_REFRESH); }, 12000));
        EXPECT_FALSE(Enabled(d, IDC_PORTSET_APPLY));
        EXPECT_EQ(Item<CListCtrl>(d, IDC_PORTSET_LIST).GetItemCount(), 0);
        ASSERT_TRUE(ListFilled(d, IDC_PORTSET_LIST, IDC_PORTSET_REFRESH, 28));
        EXPECT_TRUE(Pump([&] { return Enabled(d, IDC_PORTSET_APPLY); }, 5000));
    });
    // The opening read's failure is said once; the retries that follow are the dialog's own.
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The port settings could not be read from the switch."});
}
