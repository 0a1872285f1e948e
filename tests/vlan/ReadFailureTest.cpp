// The ports and VLAN dialogs on a switch that gives what no switch can mean
// (a hole in a column, a row no port can have, a value outside its set or of
// another type) or falls silent in the middle of a walk: what each shows,
// the one message of the failed read, and that nothing unread is written.
#include "features/ports_vlans/C8021qVlanSet.h"
#include "features/ports_vlans/CCameraVLANOUISetting.h"
#include "features/ports_vlans/CCameraVlanSetting.h"
#include "features/ports_vlans/CGVRPSettings.h"
#include "features/ports_vlans/CKSXPVIDConfig.h"
#include "features/ports_vlans/CPortDescription.h"
#include "resources/ports_vlans.h"
#include "vlan/VlanTestSupport.h"

#include <functional>
#include <string>
#include <vector>

namespace vlan_test {

using namespace vlantest;

namespace reads {

const std::string kEnterprise = "1.3.6.1.4.1.32473.10.76.19.1";

std::string Data(const std::string& name)
{
    return KorvelSimulator::TestData(name + ".snmprec");
}
std::string Fixture(const std::string& folder, const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/" + folder + "/fixtures/" + name + ".snmprec";
}

std::string ShownPvid(CWnd& d, int port)
{
    return Text(d, IDC_PVID_EDIT_FIRST + port - 1);
}
// The PVID dialog has read once the last port shows its PVID.
bool PvidsShown(CWnd& d)
{
    return Pump([&] { return !ShownPvid(d, 28).empty(); }, 20000);
}

class ReadFailureTest : public VlanTest
{
public:
    using VlanTest::WaitForSideReads;

    // Refresh, then silence once the walk has asked from askedFrom: the
    // switch dies in the middle of the walk.
    void CutShort(CWnd& d, int refreshId, const std::string& askedFrom)
    {
        const auto asked = [&] {
            std::size_t n = 0;
            for (const auto& request : Requests("GETNEXT"))
                n += !request.empty() && request[0].rfind(askedFrom + "|", 0) == 0 ? 1 : 0;
            return n;
        };
        const std::size_t before = asked();
        ASSERT_TRUE(sim->SetReplyDelay(150));
        ClickButton(d, refreshId);
        ASSERT_TRUE(Pump([&] { return asked() > before; }, 20000));
        ASSERT_TRUE(sim->SilenceFor(30000));
    }
};

struct ReadCase
{
    const char* name;
    std::vector<std::string> files; // after the base data file
    // Opens the dialog, checks what it shows and tries what must not write.
    std::function<void(ReadFailureTest&)> act;
    std::vector<std::string> boxes; // the messages, in order
};

std::string Again(const std::string& what)
{
    return what + " could not be read again from the switch; the last complete read is shown.";
}

const VLAN_entry_list kNoVlans;

const ReadCase kCases[] = {
    {"PVIDs: a hole, rows of ports the switch lacks, one outside 1..4094, one of another type",
     {Data("vlan"), Fixture("pvid", "pvid-hostile")},
     [](ReadFailureTest&) {
         CKSXPVIDConfig dialog;
         dialog.m_pVlanList = &kNoVlans;
         RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
             ASSERT_TRUE(PvidsShown(d));
             EXPECT_EQ(ShownPvid(d, 3), "10");
             for (int port : {4, 5, 6})
                 EXPECT_EQ(ShownPvid(d, port), "") << port;
             ClickButton(d, IDOK);
         });
     },
     {"The PVIDs could not be read from the switch. Press Refresh and try again."}},
    {"port descriptions: a hole, rows of ports the switch lacks, one of another type",
     {Data("ports"), Fixture("ports", "description-hostile")},
     [](ReadFailureTest&) {
         CPortDescription dialog;
         RunModal<CPortDescription>(dialog, [&](CPortDescription& d) {
             ASSERT_TRUE(ListFilled(d, IDC_PORTDESC_LIST, IDC_PORTDESC_REFRESH, 28));
             EXPECT_EQ(FirstColumn(d, IDC_PORTDESC_LIST), Numbers(1, 28));
             const auto rows = ListRows(d, IDC_PORTDESC_LIST, 2);
             EXPECT_EQ(rows[1], "2|Server rack A");
             EXPECT_EQ(rows[2], "3|");
             EXPECT_EQ(rows[4], "5|");
         });
     },
     {}},
    {"GVRP port rows: a PVID and a state served as text",
     {Data("trunk"), Data("vlan"), Data("gvrp"), Fixture("gvrp", "gvrp-wrong-types")},
     [](ReadFailureTest&) {
         CGVRPSettings dialog;
         RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
             ASSERT_TRUE(ListFilled(d, IDC_GVRP_LIST, IDC_GVRP_REFRESH, 28));
             const auto rows = ListRows(d, IDC_GVRP_LIST, 3);
             EXPECT_EQ(rows[3], "4||Disabled");
             EXPECT_EQ(rows[4], "5|1|");
         });
     },
     {}},
    {"VLANs: a name and a port bitmap served as numbers",
     {Data("vlan"), Fixture("vlan", "vlan-wrong-types")},
     [](ReadFailureTest&) {
         C8021qVlanSet dialog;
         RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
             ASSERT_TRUE(ListFilled(d, IDC_VLAN_LIST, IDC_VLAN_REFRESH, 7));
             const auto rows = ListRows(d, IDC_VLAN_LIST, 5);
             EXPECT_EQ(rows[3], "20||1|26|");
             EXPECT_EQ(rows[6], "100|lab|||");
             // Editing VLAN 100 would write its unknown ports as none.
             ClickRow(Item<CListCtrl>(d, IDC_VLAN_LIST), 6);
             ClickButton(d, IDC_VLAN_EDIT);
         });
     },
     {"The member ports of VLAN 100 could not be read. Refresh and try again."}},
    {"auto surveillance: the port bitmap served as a number, a priority outside 0..7",
     {Data("vlan"), Data("surveillance"), Fixture("surveillance", "settings-hostile")},
     [](ReadFailureTest&) {
         CCameraVlanSetting dialog;
         RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
             ASSERT_TRUE(Pump([&] { return Text(d, IDC_SURV_VLAN_ID) == "30"; }, 20000));
             PumpFor(200);
             EXPECT_EQ(Text(d, IDC_SURV_PORTS), "");
             EXPECT_EQ(ComboSelection(d, IDC_SURV_PRIORITY), "");
             EXPECT_FALSE(Enabled(d, IDC_SURV_APPLY));
         });
     },
     {}},
    {"PVIDs: the switch silent in the middle of Refresh",
     {Data("vlan")},
     [](ReadFailureTest& test) {
         CKSXPVIDConfig dialog;
         dialog.m_pVlanList = &kNoVlans;
         RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
             ASSERT_TRUE(PvidsShown(d));
             test.CutShort(d, IDC_PVID_REFRESH, kPvidColumn + ".10");
             PumpFor(3000);
             // The PVIDs of the last complete read stay.
             EXPECT_EQ(ShownPvid(d, 3), "10");
             EXPECT_EQ(ShownPvid(d, 28), "1");
         });
     },
     {Again("The PVIDs")}},
    {"port descriptions: the switch silent in the middle of Refresh",
     {Data("ports")},
     [](ReadFailureTest& test) {
         CPortDescription dialog;
         RunModal<CPortDescription>(dialog, [&](CPortDescription& d) {
             ASSERT_TRUE(ListFilled(d, IDC_PORTDESC_LIST, IDC_PORTDESC_REFRESH, 28));
             const auto before = ListRows(d, IDC_PORTDESC_LIST, 2);
             test.CutShort(d, IDC_PORTDESC_REFRESH, kEnterprise + ".1.16.1.1.5");
             ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_PORTDESC_REFRESH) && Enabled(d, IDC_PORTDESC_APPLY); }));
             EXPECT_EQ(ListRows(d, IDC_PORTDESC_LIST, 2), before);
         });
     },
     {Again("The port descriptions")}},
    {"GVRP ports: the switch silent in the middle of Refresh",
     {Data("trunk"), Data("vlan"), Data("gvrp")},
     [](ReadFailureTest& test) {
         CGVRPSettings dialog;
         RunModal<CGVRPSettings>(dialog, [&](CGVRPSettings& d) {
             ASSERT_TRUE(ListFilled(d, IDC_GVRP_LIST, IDC_GVRP_REFRESH, 28));
             const auto before = ListRows(d, IDC_GVRP_LIST, 5);
             test.CutShort(d, IDC_GVRP_REFRESH, kEnterprise + ".30.5.1.1.20");
             ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_GVRP_REFRESH); }));
             EXPECT_EQ(ListRows(d, IDC_GVRP_LIST, 5), before);
         });
     },
     {Again("The GVRP port settings")}},
    {"VLANs: the switch silent in the middle of Refresh",
     {Data("vlan")},
     [](ReadFailureTest& test) {
         C8021qVlanSet dialog;
         RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
             ASSERT_TRUE(ListFilled(d, IDC_VLAN_LIST, IDC_VLAN_REFRESH, 7));
             test.WaitForSideReads(28);
             const auto before = ListRows(d, IDC_VLAN_LIST, 5);
             test.CutShort(d, IDC_VLAN_REFRESH, VlanColumn(1, 10));
             ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_VLAN_REFRESH); }));
             EXPECT_EQ(ListRows(d, IDC_VLAN_LIST, 5), before);
         });
     },
     {Again("The VLAN list")}},
    {"surveillance OUIs: the switch silent in the middle of Refresh",
     {Data("vlan"), Data("surveillance")},
     [](ReadFailureTest& test) {
         CCameraVLANOUISetting dialog;
         RunModal<CCameraVLANOUISetting>(dialog, [&](CCameraVLANOUISetting& d) {
             ASSERT_TRUE(ListFilled(d, IDC_SURVOUI_LIST, IDC_SURVOUI_REFRESH, 2));
             const auto before = ListRows(d, IDC_SURVOUI_LIST, 4);
             test.CutShort(d, IDC_SURVOUI_REFRESH, kEnterprise + ".26.2.1.1.2");
             ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SURVOUI_REFRESH); }));
             EXPECT_EQ(ListRows(d, IDC_SURVOUI_LIST, 4), before);
         });
     },
     {Again("The surveillance OUI list")}},
};

} // namespace reads

using reads::ReadFailureTest;

TEST_F(ReadFailureTest, EachDialogShowsWhatItCouldReadSaysWhatItCouldNotAndWritesNothingElse)
{
    for (const reads::ReadCase& c : reads::kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> files{KorvelSimulator::BaseData()};
        files.insert(files.end(), c.files.begin(), c.files.end());
        StartSwitch(files, 28);
        g_strTimeout = "1500";
        BoxRecorder boxes;
        c.act(*this);
        EXPECT_EQ(boxes.Texts(), c.boxes);
        EXPECT_TRUE(Requests("SET").empty());
    }
}

} // namespace vlan_test
