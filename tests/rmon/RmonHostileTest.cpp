// The four RMON table dialogs on a switch that gives what no real switch
// holds: a cell gone from a row, rows at indexes no row can have, values
// outside their sets or of another type than their column's, and a switch
// that falls silent in the middle of a walk. Each dialog lists every row in
// its own place, shows what it cannot mean as empty, says a failed read once
// and writes nothing of what it showed.
#include "common/CReadReport.h"
#include "features/poe_rmon/CRMONEthernetStatistics.h"
#include "features/poe_rmon/CRMONEvent.h"
#include "features/poe_rmon/CRMONHistoryControl.h"
#include "features/poe_rmon/CRmonAlarm.h"
#include "resources/rmon.h"
#include "rmon/RmonTestSupport.h"
#include "vlan/VlanTestSupport.h"

#include <functional>
#include <map>

namespace rmon_test {

using namespace rmontest;
using vlantest::Texts;

namespace {

template <class Dialog> void OpenModal(const std::function<void(CWnd&)>& check)
{
    Dialog dialog;
    RunModal<Dialog>(dialog, [&](Dialog& d) { check(d); });
}

struct RmonDialog
{
    const char* name;
    std::function<void(const std::function<void(CWnd&)>&)> open;
    int list;
    int refresh;
    int columns;      // before the Delete buttons
    const char* what; // the list, as a failed read names it
    std::string statusColumn;
};

const RmonDialog kDialogs[] = {
    {"Ethernet statistics", OpenModal<CRMONEthernetStatistics>, IDC_RMON_ETHER_LIST, IDC_RMON_ETHER_REFRESH, 8,
     "the RMON Ethernet statistics list", kEthernetEntry + ".4"},
    {"history control", OpenModal<CRMONHistoryControl>, IDC_RMON_HISTORY_LIST, IDC_RMON_HISTORY_REFRESH, 6,
     "the RMON history control list", kHistoryEntry + ".6"},
    {"alarm", OpenModal<CRmonAlarm>, IDC_RMON_ALARM_LIST, IDC_RMON_ALARM_REFRESH, 9, "the RMON alarm list",
     kAlarmEntry + ".10"},
    {"event", OpenModal<CRMONEvent>, IDC_RMON_EVENT_LIST, IDC_RMON_EVENT_REFRESH, 6, "the RMON event list",
     kEventEntry + ".6"},
};

using Rows = std::vector<std::string>;

// What the test switch's RMON data shows, per dialog.
const std::map<std::string, Rows> kSound = {
    {"Ethernet statistics",
     {"1|1|11|3000000000|50000|300|200|alpha", "2|3|0|2147483647|7|2|1|",
      "8|7|4294967295|4000000000|2147483648|9|8|big"}},
    {"history control", {"1|2|50|50|1800|h1", "5|6|10|10|60|"}},
    {"alarm",
     {"1|30|1.3.6.1.2.1.2.2.1.10.1|Delta value|1000|100|1|2|a1",
      "4|10|1.3.6.1.2.1.2.2.1.16.3|Delta value|900|90|1|3|a4"}},
    {"event", {"1|rise|Log and Trap|public|e1|2 mins,3 secs", "2|fall|Log||e2|0"}},
};

struct HostileState
{
    const char* name;
    const char* fixture;
    std::map<std::string, Rows> rows; // per dialog; the sound rows where missing
};

const HostileState kStates[] = {
    {"a cell gone from a row",
     "rmon-holes.snmprec",
     {{"Ethernet statistics",
       {"1||11|3000000000|50000|300|200|alpha", "2|3||2147483647|7|2|1|",
        "8|7|4294967295|4000000000|2147483648|9|8|big"}},
      {"history control", {"1||50|50|1800|h1", "5|6|10|10|60|"}},
      {"alarm",
       {"1||1.3.6.1.2.1.2.2.1.10.1|Delta value|1000|100|1|2|a1",
        "4|10|1.3.6.1.2.1.2.2.1.16.3|Delta value|900|90|1|3|a4"}},
      {"event", {"1|rise||public|e1|2 mins,3 secs", "2|fall|Log||e2|0"}}}},
    {"rows at indexes no row can have", "rmon-impossible-indexes.snmprec", {}},
    {"values outside their sets",
     "rmon-out-of-set.snmprec",
     {{"Ethernet statistics",
       {"1||11|3000000000|50000|300|200|alpha", "2|3|0|2147483647|7|2|1|",
        "8|7|4294967295|4000000000|2147483648|9|8|big"}},
      {"history control", {"1|||50||h1", "5|6|10|10|60|"}},
      {"alarm",
       {"1|30|1.3.6.1.2.1.2.2.1.10.1||1000|100||2|a1", "4|10|1.3.6.1.2.1.2.2.1.16.3|Delta value|900|90|1|3|a4"}},
      {"event", {"1|rise||public|e1|2 mins,3 secs", "2|fall|Log||e2|0"}}}},
    {"values of other types than their columns'",
     "rmon-wrong-types.snmprec",
     {{"Ethernet statistics", {"1||11||50000|300|200|alpha", "8|7|4294967295|4000000000|2147483648|9|8|big"}},
      {"history control", {"1|||50|1800|h1", "5|6|10|10|60|"}},
      {"alarm",
       {"1||1.3.6.1.2.1.2.2.1.10.1|Delta value|1000|100|1|2|",
        "4|10|1.3.6.1.2.1.2.2.1.16.3|Delta value|900|90|1|3|a4"}},
      {"event", {"1|rise||public|e1|2 mins,3 secs", "2||Log||e2|0"}}}},
};

class RmonHostileTest : public RmonTest
{
protected:
    static bool Filled(CWnd& d, const RmonDialog& dialog, std::size_t rows)
    {
        return Pump([&] { return Enabled(d, dialog.refresh) && ListRows(d, dialog.list, 1).size() == rows; }, 20000);
    }
};

} // namespace

// Each state in each dialog: the rows shown, no message, and nothing written
// but the deletion, by its own index, of the last row, which the user deletes.
TEST_F(RmonHostileTest, EachDialogShowsWhatTheSwitchCanMeanAndWritesOnlyWhatTheUserAsks)
{
    for (const HostileState& state : kStates) {
        for (const RmonDialog& dialog : kDialogs) {
            SCOPED_TRACE(std::string(state.name) + ", " + dialog.name);
            StartRmonSwitch({Fixture(state.fixture)});
            const auto own = state.rows.find(dialog.name);
            const Rows& expected = own != state.rows.end() ? own->second : kSound.at(dialog.name);
            BoxRecorder boxes;
            std::size_t setsBeforeDelete = 0;
            dialog.open([&](CWnd& d) {
                ASSERT_TRUE(Filled(d, dialog, expected.size()));
                EXPECT_EQ(ListRows(d, dialog.list, dialog.columns), expected);
                setsBeforeDelete = SetLines().size();
                // The last row goes by its own index, whatever the rows hold.
                ASSERT_TRUE(ClickDelete(d, dialog.list, static_cast<int>(expected.size()) - 1, dialog.columns));
                PumpFor(300);
            });
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{});
            EXPECT_EQ(setsBeforeDelete, 0u);
            const std::string index = expected.back().substr(0, expected.back().find('|'));
            EXPECT_EQ(SetLines(), std::vector<std::string>{dialog.statusColumn + "." + index + "|2|4"});
            sim.reset();
        }
    }
}

// A switch that falls silent in the middle of Refresh's walk: each list keeps
// its last complete read, the failure is said once, and nothing is written.
TEST_F(RmonHostileTest, AWalkCutShortKeepsTheLastCompleteListAndSaysItOnce)
{
    for (const RmonDialog& dialog : kDialogs) {
        SCOPED_TRACE(dialog.name);
        StartRmonSwitch();
        g_strTimeout = "1500";
        BoxRecorder boxes;
        dialog.open([&](CWnd& d) {
            const Rows& sound = kSound.at(dialog.name);
            ASSERT_TRUE(Filled(d, dialog, sound.size()));
            const std::size_t before = Requests("GETNEXT").size();
            ASSERT_TRUE(sim->SetReplyDelay(150));
            ClickButton(d, dialog.refresh);
            // The walk's second step is out: the switch goes quiet.
            ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() >= before + 2; }, 20000));
            ASSERT_TRUE(sim->SilenceFor(30000));
            // The event list reads the alarms' rising events first and does
            // not hold Refresh back while it reads: its end is the message.
            ASSERT_TRUE(Pump([&] { return !boxes.Calls().empty() && Enabled(d, dialog.refresh); }, 30000));
            PumpFor(300);
            EXPECT_EQ(ListRows(d, dialog.list, dialog.columns), sound);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CReadReport::Text(dialog.what, true)});
        EXPECT_TRUE(SetLines().empty());
        sim.reset();
    }
}

} // namespace rmon_test
