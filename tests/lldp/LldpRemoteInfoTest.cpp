// The LLDP Remote Port Information dialog on the simulated switch: the
// neighbours' rows and count, the subtype texts, an empty table, LLDP
// disabled, and a state read that fails.
#include "features/layer2/CLLDPREMOTEINFO.h"
#include "lldp/LldpTestSupport.h"
#include "resources/lldp.h"

namespace lldp_test {

using namespace lldptest;

namespace {

CListCtrl& RemoteList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_LLDP_REMOTE_LIST);
}

std::string RemoteRow(CWnd& d, int row)
{
    std::string text;
    for (int col = 0; col < 9; ++col)
        text += (col ? "|" : "") + RemoteList(d).GetItemText(row, col);
    return text;
}

std::string Count(CWnd& d)
{
    return d.GetDlgItem(IDC_LLDP_REMOTE_COUNT)->GetWindowText();
}

class LldpRemoteInfoTest : public LldpTest
{
};

} // namespace

TEST_F(LldpRemoteInfoTest, ListsTheNeighboursWithTheirLocalPortAndNumber)
{
    StartLldpSwitch();
    ASSERT_EQ(sim->Set(RemoteOid(4, 2), SnmpValueInteger, "8"), 0);
    ASSERT_EQ(sim->Set(RemoteOid(6, 2), SnmpValueInteger, "6"), 0);
    BoxRecorder boxes;
    CLLDPREMOTEINFO dialog;
    RunModal<CLLDPREMOTEINFO>(dialog, [&](CLLDPREMOTEINFO& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH) && RemoteList(d).GetItemCount() == 2; },
                         20000));
        EXPECT_EQ(d.GetWindowText(), "LLDP Remote Port Information");
        EXPECT_EQ(RemoteRow(d, 0),
                  "5|  1|MacAddress|1A-6E-41-00-00-01|Local|1|phone port|desk-phone-12|Korvel IP Phone");
        // Chassis subtype 8 is none; port subtype 6 is spelled as the switch's
        // documentation spells it.
        EXPECT_EQ(RemoteRow(d, 1),
                  "5|  2||02-4B-56-AA-00-00|AgentCircuitld|port 3|uplink to office|office-switch|Korvel Office Switch");
        EXPECT_EQ(Count(d), "  2");
        EXPECT_TRUE(RemoteList(d).IsWindowEnabled());

        // Refresh lists the table anew, not after the old rows.
        ClickButton(d, IDC_LLDP_REMOTE_REFRESH);
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH); }, 20000));
        EXPECT_EQ(RemoteList(d).GetItemCount(), 2);
        EXPECT_EQ(Count(d), "  2");
    });
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(LldpRemoteInfoTest, NoNeighbourNoRowAndACountOfZero)
{
    StartLldpSwitch({std::string(KORVEL_SOURCE_DIR) + "/tests/lldp/fixtures/lldp-no-neighbour.snmprec"});
    CLLDPREMOTEINFO dialog;
    RunModal<CLLDPREMOTEINFO>(dialog, [&](CLLDPREMOTEINFO& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH); }, 20000));
        PumpFor(200);
        EXPECT_EQ(RemoteList(d).GetItemCount(), 0);
        EXPECT_EQ(Count(d), "0");
    });
}

TEST_F(LldpRemoteInfoTest, LldpDisabledLeavesTheListDisabledThoughItIsRead)
{
    StartLldpSwitch();
    ASSERT_EQ(sim->Set(kState, SnmpValueInteger, "2"), 0);
    CLLDPREMOTEINFO dialog;
    RunModal<CLLDPREMOTEINFO>(dialog, [&](CLLDPREMOTEINFO& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH); }, 20000));
        EXPECT_EQ(RemoteList(d).GetItemCount(), 2);
        EXPECT_FALSE(RemoteList(d).IsWindowEnabled());
    });
}

TEST_F(LldpRemoteInfoTest, AFailedStateReadIsReportedAndNothingIsWalked)
{
    StartLldpSwitch();
    ASSERT_TRUE(sim->SilenceFor(5000));
    BoxRecorder boxes;
    CLLDPREMOTEINFO dialog;
    RunModal<CLLDPREMOTEINFO>(dialog, [&](CLLDPREMOTEINFO& d) {
        EXPECT_EQ(BoxTexts(boxes), std::vector<std::string>{"Get LLDP remote port information unsuccessful!"});
        EXPECT_EQ(RemoteList(d).GetItemCount(), 0);
        EXPECT_EQ(Count(d), "0");
    });
    EXPECT_TRUE(Requests("GETNEXT").empty());
}

TEST(LldpRemoteTexts, IndexPartsChassisIdsAndSubtypes)
{
    std::string port, remote;
    EXPECT_TRUE(CLLDPREMOTEINFO::SplitRemoteIndex(".300.5.2", port, remote));
    EXPECT_EQ(port + "/" + remote, "5/2");
    EXPECT_FALSE(CLLDPREMOTEINFO::SplitRemoteIndex(".5.2", port, remote));
    EXPECT_FALSE(CLLDPREMOTEINFO::SplitRemoteIndex("", port, remote));

    EXPECT_EQ(CLLDPREMOTEINFO::FormatChassisId(std::string("\x02\x4b\x56", 3)), "02-4B-56-00-00-00");
    EXPECT_EQ(CLLDPREMOTEINFO::FormatChassisId(std::string("\x02\x4b\x56\x01\x02\x03\x04", 7)), "02-4B-56-01-02-03");

    struct Case
    {
        std::string value, chassis, port;
    };
    const Case cases[] = {{"1", "ChassisComponent", "InterfaceAlias"}, {"6", "InterfaceName", "AgentCircuitld"},
                          {"7", "Local", "Local"},                     {"0", "", ""},
                          {"8", "", ""},                               {"", "", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(CLLDPREMOTEINFO::ChassisSubtypeText(c.value), c.chassis) << c.value;
        EXPECT_EQ(CLLDPREMOTEINFO::PortSubtypeText(c.value), c.port) << c.value;
    }
}

} // namespace lldp_test
