// The LLDP Remote Port Information dialog on the simulated switch: the
// neighbours' rows and count, the subtype texts, an empty table, a row
// without values, LLDP disabled, and a state read that fails.
#include "common/CReadReport.h"
#include "common/Globals.h"
#include "features/layer2/CLLDPREMOTEINFO.h"
#include "lldp/LldpTestSupport.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/SnmpMessage.h"
#include "platform/snmp/SnmpValueType.h"
#include "resources/lldp.h"

#include <memory>

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
        ASSERT_TRUE(
            Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH) && RemoteList(d).GetItemCount() == 2; }, 20000));
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
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Get LLDP remote port information unsuccessful!"});
        EXPECT_EQ(RemoteList(d).GetItemCount(), 0);
        EXPECT_EQ(Count(d), "0");
    });
    EXPECT_TRUE(Requests("GETNEXT").empty());
}

// A Refresh whose walk dies keeps the neighbours of the last complete walk
// and their count, gives Refresh back and says so once.
TEST_F(LldpRemoteInfoTest, AFailedRefreshKeepsTheLastNeighboursAndSaysSo)
{
    StartLldpSwitch();
    g_strTimeout = "1500";
    BoxRecorder boxes;
    CLLDPREMOTEINFO dialog;
    RunModal<CLLDPREMOTEINFO>(dialog, [&](CLLDPREMOTEINFO& d) {
        ASSERT_TRUE(ListFilled(d, IDC_LLDP_REMOTE_LIST, IDC_LLDP_REMOTE_REFRESH, 2));
        const std::vector<std::string> before = ListRows(d, IDC_LLDP_REMOTE_LIST, 9);
        const std::string kept = CReadReport::Text("the LLDP remote port information", true);

        const std::size_t stepsBefore = Requests("GETNEXT").size();
        ASSERT_TRUE(sim->SetReplyDelay(150));
        ClickButton(d, IDC_LLDP_REMOTE_REFRESH);
        ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() > stepsBefore; }, 10000));
        ASSERT_TRUE(sim->SilenceFor(4000));
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH); }, 20000));
        EXPECT_EQ(ListRows(d, IDC_LLDP_REMOTE_LIST, 9), before);
        EXPECT_EQ(Count(d), "  2");
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{kept});

    });
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(LldpRemoteInfoTest, ARowWithoutValuesIsSaidAndTheCountGoesToZero)
{
    // The walk step never hands such a row over from the simulated switch;
    // the window gets what the walk's call-back sends it for one.
    StartLldpSwitch();
    BoxRecorder boxes;
    CLLDPREMOTEINFO dialog;
    RunModal<CLLDPREMOTEINFO>(dialog, [&](CLLDPREMOTEINFO& d) {
        ASSERT_TRUE(
            Pump([&] { return Enabled(d, IDC_LLDP_REMOTE_REFRESH) && RemoteList(d).GetItemCount() == 2; }, 20000));
        d.SendMessage(WM_LLDP_REMOTE_NO_ROW, 0, 0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"There is no LLDP Remote Port"});
        EXPECT_EQ(Count(d), "0");
        EXPECT_EQ(RemoteList(d).GetItemCount(), 2);
    });
}

TEST(LldpRemoteRows, AStepWithoutValuesIsNoRemotePortAndAForeignPortIsSkipped)
{
    const auto step = [](std::initializer_list<std::pair<int, long long>> values) {
        auto response = std::make_unique<CSnmp>();
        std::vector<SnmpBinding>& bindings = response->message().bindings;
        bindings.resize(7);
        for (SnmpBinding& b : bindings)
            b.type = SnmpNoValue;
        for (const auto& [column, number] : values) {
            SnmpBinding& b = bindings[static_cast<std::size_t>(column)];
            b.type = 0x02; // INTEGER
            b.number = number;
            b.valueText = std::to_string(number);
        }
        return response;
    };
    const std::string kAtPort5 = ".300.5.2";
    struct Case
    {
        const char* what;
        std::unique_ptr<CSnmp> response;
        std::string suffix;
        CLLDPREMOTEINFO::RowKind kind;
    };
    Case cases[] = {
        {"no binding", std::make_unique<CSnmp>(), "", CLLDPREMOTEINFO::RowKind::NoBinding},
        {"no column with a value", step({}), kAtPort5, CLLDPREMOTEINFO::RowKind::NoBinding},
        {"one value", step({{2, 7}}), kAtPort5, CLLDPREMOTEINFO::RowKind::Row},
        {"port 0", step({{0, 4}}), ".300.0.2", CLLDPREMOTEINFO::RowKind::Skipped},
        {"a port beyond the switch's", step({{0, 4}}), ".300.29.2", CLLDPREMOTEINFO::RowKind::Skipped},
    };
    const int nSavedPorts = g_nPortCount;
    g_nPortCount = 28;
    for (Case& c : cases) {
        CLLDPREMOTEINFO::RemoteRow row;
        EXPECT_EQ(CLLDPREMOTEINFO::BuildRemoteRow(c.response.get(), c.suffix, row), c.kind) << c.what;
        if (c.kind == CLLDPREMOTEINFO::RowKind::Row) {
            EXPECT_EQ(row[0], "5");
            EXPECT_EQ(row[4], "Local");
        }
    }
    g_nPortCount = nSavedPorts;
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
    const Case cases[] = {{"1", "ChassisComponent", "InterfaceAlias"},
                          {"6", "InterfaceName", "AgentCircuitld"},
                          {"7", "Local", "Local"},
                          {"0", "", ""},
                          {"8", "", ""},
                          {"", "", ""}};
    for (const Case& c : cases) {
        EXPECT_EQ(CLLDPREMOTEINFO::ChassisSubtypeText(c.value), c.chassis) << c.value;
        EXPECT_EQ(CLLDPREMOTEINFO::PortSubtypeText(c.value), c.port) << c.value;
    }
}

} // namespace lldp_test
