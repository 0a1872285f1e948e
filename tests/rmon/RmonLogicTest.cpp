// CRMON on the simulated switch: the global state read and written, each
// walk's list from tables whose rows do not line up, the creation and removal
// sequences the switch receives, and the switch's EntryStatus rows.
#include "common/CUtils.h"
#include "features/poe_rmon/CRMON.h"
#include "rmon/RmonTestSupport.h"

#include <map>

namespace rmon_test {

using namespace rmontest;

namespace {

// The owner window: counts the walks' end messages by table.
class RmonOwner : public CWnd
{
public:
    RmonOwner() { CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0); }
    ~RmonOwner() override { DestroyWindow(); }

    std::map<WPARAM, int> finished;
    int risingEventsRead = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_WALK_FINISHED) {
            ++finished[wParam];
            return 0;
        }
        if (message == WM_RMON_ALARM_EVENTS_READ) {
            ++risingEventsRead;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class RmonLogicTest : public RmonTest
{
protected:
    // Runs one walk to its end message.
    bool Walk(CRMON& rmon, RmonOwner& owner, int table, int (CRMON::*start)())
    {
        rmon.SetHwnd(owner.GetSafeHwnd());
        const int before = owner.finished[static_cast<WPARAM>(table)];
        (rmon.*start)();
        return Pump([&] { return owner.finished[static_cast<WPARAM>(table)] > before; }, 20000);
    }
};

template <class Record, class IndexOf> std::vector<int> Indexes(const std::vector<Record>& rows, IndexOf indexOf)
{
    std::vector<int> indexes;
    for (const Record& r : rows)
        indexes.push_back(indexOf(r));
    return indexes;
}

} // namespace

// 1 is on, 2 off; anything else the switch cannot mean is unknown (-1).
TEST_F(RmonLogicTest, GlobalStateReadsOnOnlyForOne)
{
    StartRmonSwitch();
    struct Case
    {
        const char* value;
        int on;
    };
    for (const Case& c : {Case{"1", 1}, Case{"2", 0}, Case{"0", -1}, Case{"3", -1}}) {
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, c.value), 0);
        CRMON rmon;
        int on = 7;
        EXPECT_TRUE(rmon.GetState(&on)) << c.value;
        EXPECT_EQ(on, c.on) << c.value;
    }
    sim.reset();
    StartRmonSwitch({Fixture("rmon-state-text.snmprec")});
    CRMON rmon;
    int on = 7;
    EXPECT_TRUE(rmon.GetState(&on));
    EXPECT_EQ(on, -1);
}

TEST_F(RmonLogicTest, SilentSwitchLeavesTheStateAsItWas)
{
    StartRmonSwitch();
    g_strTimeout = "500";
    ASSERT_TRUE(sim->SilenceFor(5000));
    CRMON rmon;
    int on = 7;
    EXPECT_FALSE(rmon.GetState(&on));
    EXPECT_EQ(on, 7);
}

TEST_F(RmonLogicTest, StateIsWrittenAsOneOrTwo)
{
    StartRmonSwitch();
    CRMON rmon;
    int off = 0;
    ASSERT_TRUE(rmon.SetState(&off));
    EXPECT_EQ(sim->Get(kState), "2");
    int on = 1;
    ASSERT_TRUE(rmon.SetState(&on));
    EXPECT_EQ(sim->Get(kState), "1");
    EXPECT_EQ(SetLines(), (std::vector<std::string>{kState + "|2|2", kState + "|2|1"}));
}

TEST_F(RmonLogicTest, EthernetStatisticsWalkPlacesEachValueByItsIndex)
{
    StartRmonSwitch();
    RmonOwner owner;
    CRMON rmon;
    ASSERT_TRUE(Walk(rmon, owner, CRMON::kEthernetStatistics, &CRMON::StartEthernetStatisticsWalk));
    EXPECT_TRUE(rmon.IsTableRead(CRMON::kEthernetStatistics));
    const auto rows = rmon.GetEthernetStatistics();
    // In the order the walk met the indexes: 3 lives only in etherStats.
    EXPECT_EQ(Indexes(rows, [](const RMON_ethernet_statistics_info& r) { return r.control.nIndex; }),
              (std::vector<int>{1, 2, 3, 4, 6, 8}));
    std::map<int, RMON_ethernet_statistics_info> byIndex;
    for (const auto& r : rows)
        byIndex[r.control.nIndex] = r;
    EXPECT_EQ(byIndex[1].control.nPort, 1);
    EXPECT_EQ(byIndex[1].control.strOwner, "alpha");
    EXPECT_EQ(byIndex[1].control.nStatus, 1);
    EXPECT_EQ(byIndex[1].uOctets, 3000000000U);
    EXPECT_EQ(byIndex[1].uDropEvents, 11U);
    EXPECT_EQ(byIndex[1].uPackets, 50000U);
    EXPECT_EQ(byIndex[1].uBroadcastPackets, 300U);
    EXPECT_EQ(byIndex[1].uMulticastPackets, 200U);
    EXPECT_EQ(byIndex[2].control.nPort, 3);
    EXPECT_EQ(byIndex[2].control.strOwner, "");
    EXPECT_EQ(byIndex[2].uOctets, 2147483647U);
    EXPECT_EQ(byIndex[3].control.nStatus, 4); // not the switch's row: never shown
    EXPECT_EQ(byIndex[4].control.nPort, 5);
    EXPECT_EQ(byIndex[4].control.nStatus, 3);
    EXPECT_EQ(byIndex[4].uOctets, 0U);
    EXPECT_EQ(byIndex[8].uDropEvents, 4294967295U);
    EXPECT_EQ(byIndex[8].uPackets, 2147483648U);
}

TEST_F(RmonLogicTest, HistoryAlarmAndEventWalksFillTheirLists)
{
    StartRmonSwitch();
    RmonOwner owner;
    CRMON rmon;
    ASSERT_TRUE(Walk(rmon, owner, CRMON::kHistoryControl, &CRMON::StartHistoryControlWalk));
    ASSERT_TRUE(Walk(rmon, owner, CRMON::kAlarm, &CRMON::StartAlarmWalk));
    ASSERT_TRUE(Walk(rmon, owner, CRMON::kEvent, &CRMON::StartEventWalk));

    const auto history = rmon.GetHistoryControl();
    EXPECT_EQ(Indexes(history, [](const auto& r) { return r.nIndex; }), (std::vector<int>{1, 3, 5, 7}));
    EXPECT_EQ(history[0].nPort, 2);
    EXPECT_EQ(history[0].nBucketsRequested, 50);
    EXPECT_EQ(history[0].nBucketsGranted, 50);
    EXPECT_EQ(history[0].nInterval, 1800);
    EXPECT_EQ(history[0].strOwner, "h1");
    EXPECT_EQ(history[1].nStatus, 3);
    EXPECT_EQ(history[2].nBucketsGranted, 10);
    EXPECT_EQ(history[3].nStatus, 4); // only in the standard table

    const auto alarms = rmon.GetAlarms();
    ASSERT_EQ(Indexes(alarms, [](const auto& r) { return r.nIndex; }), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(alarms[0].nInterval, 30);
    EXPECT_EQ(alarms[0].strVariable, "1.3.6.1.2.1.2.2.1.10.1");
    EXPECT_EQ(alarms[0].nSampleType, 2);
    EXPECT_EQ(alarms[0].nRisingThreshold, 1000);
    EXPECT_EQ(alarms[0].nFallingThreshold, 100);
    EXPECT_EQ(alarms[0].nRisingEventIndex, 1);
    EXPECT_EQ(alarms[0].nFallingEventIndex, 2);
    EXPECT_EQ(alarms[0].strOwner, "a1");
    EXPECT_EQ(alarms[0].nStatus, 1);
    EXPECT_EQ(alarms[1].nStatus, 3);

    const auto events = rmon.GetEvents();
    ASSERT_EQ(Indexes(events, [](const auto& r) { return r.nIndex; }), (std::vector<int>{1, 2, 3, 9}));
    EXPECT_EQ(events[0].strDescription, "rise");
    EXPECT_EQ(events[0].nType, 4);
    EXPECT_EQ(events[0].strCommunity, "public");
    EXPECT_EQ(events[0].strOwner, "e1");
    EXPECT_EQ(events[0].nStatus, 1);
    // 12345 hundredths: 123 seconds.
    EXPECT_EQ(events[0].strLastTimeSent, CUtils::FormatDuration(123));
    EXPECT_EQ(events[0].strLastTimeSent, "2 mins,3 secs");
    EXPECT_EQ(events[1].strLastTimeSent, "0");
    EXPECT_EQ(events[3].nStatus, 0);
}

TEST_F(RmonLogicTest, CommunityAndRisingEventWalks)
{
    StartRmonSwitch();
    RmonOwner owner;
    CRMON rmon;
    rmon.SetHwnd(owner.GetSafeHwnd());
    rmon.StartCommunityWalk();
    ASSERT_TRUE(Pump([&] { return rmon.GetCommunityNames().size() == 2; }, 20000));
    // In the switch's order: the names are indexed by their length first.
    EXPECT_EQ(rmon.GetCommunityNames(), (std::vector<std::string>{"public", "private"}));

    rmon.StartAlarmRisingEventWalk();
    ASSERT_TRUE(Pump([&] { return owner.risingEventsRead == 1; }, 20000));
    EXPECT_EQ(rmon.GetAlarmRisingEvents(), (std::vector<std::string>{"1", "3", "1"}));
    EXPECT_TRUE(rmon.IsAlarmRisingEvent("3"));
    EXPECT_FALSE(rmon.IsAlarmRisingEvent("2"));
    EXPECT_FALSE(rmon.IsAlarmRisingEvent("01"));
    EXPECT_TRUE(owner.finished.empty());
}

TEST_F(RmonLogicTest, FailedWalkEndsAsFinishedAndKeepsTheLastRows)
{
    StartRmonSwitch();
    RmonOwner owner;
    CRMON rmon;
    ASSERT_TRUE(Walk(rmon, owner, CRMON::kEthernetStatistics, &CRMON::StartEthernetStatisticsWalk));
    g_strTimeout = "500";
    CRMON silent;
    ASSERT_TRUE(sim->SilenceFor(30000));
    ASSERT_TRUE(Walk(rmon, owner, CRMON::kEthernetStatistics, &CRMON::StartEthernetStatisticsWalk));
    EXPECT_EQ(rmon.GetEthernetStatistics().size(), 6U);
    // A switch that never answered: nothing was read.
    ASSERT_TRUE(Walk(silent, owner, CRMON::kEthernetStatistics, &CRMON::StartEthernetStatisticsWalk));
    EXPECT_TRUE(silent.GetEthernetStatistics().empty());
    EXPECT_FALSE(silent.IsTableRead(CRMON::kEthernetStatistics));
}

// The creation sequences as the switch receives them.
TEST_F(RmonLogicTest, CreationWritesTwoEachColumnThenOne)
{
    StartRmonSwitch();
    CRMON rmon;
    const std::string status10 = Cell(kEthernetEntry, 4, 10);
    RMON_ethernet_control_info row;
    row.nIndex = 10;
    row.nPort = 12;
    row.strOwner = "ops";
    ASSERT_TRUE(rmon.AddEthernetStatistics(row));
    EXPECT_EQ(SetLines(), (std::vector<std::string>{status10 + "|2|2",
                                                    Cell(kEthernetEntry, 2, 10) + "|6|" + kIfIndex + ".12",
                                                    Cell(kEthernetEntry, 3, 10) + "|4|ops", status10 + "|2|1"}));
    // The status was asked first, on its own.
    const auto gets = Requests("GET");
    ASSERT_FALSE(gets.empty());
    EXPECT_EQ(gets.back(), (std::vector<std::string>{status10 + "|5|"}));
    // The switch's own row follows the valid one.
    EXPECT_EQ(sim->Get(status10), "1");
    EXPECT_EQ(sim->Get("1.3.6.1.2.1.16.1.1.1.2.10"), kIfIndex + ".12");

    RMON_history_control_configuration history;
    history.nIndex = 20;
    history.nPort = 3;
    history.nBucketsRequested = 25;
    history.nInterval = 60;
    history.strOwner = "h";
    const std::size_t before = SetLines().size();
    ASSERT_TRUE(rmon.AddHistoryControl(history));
    EXPECT_EQ(SetLines(before),
              (std::vector<std::string>{Cell(kHistoryEntry, 6, 20) + "|2|2",
                                        Cell(kHistoryEntry, 2, 20) + "|6|" + kIfIndex + ".3",
                                        Cell(kHistoryEntry, 3, 20) + "|2|25", Cell(kHistoryEntry, 4, 20) + "|2|60",
                                        Cell(kHistoryEntry, 5, 20) + "|4|h", Cell(kHistoryEntry, 6, 20) + "|2|1"}));
    EXPECT_EQ(sim->Get("1.3.6.1.2.1.16.2.1.1.4.20"), "25");

    RMON_alarm_configuration alarm;
    alarm.nIndex = 30;
    alarm.nInterval = 15;
    alarm.strVariable = "1.3.6.1.2.1.2.2.1.10.4";
    alarm.nSampleType = 1;
    alarm.nRisingThreshold = 500;
    alarm.nFallingThreshold = 50;
    alarm.nRisingEventIndex = 1;
    alarm.nFallingEventIndex = 2;
    alarm.strOwner = "al";
    const std::size_t beforeAlarm = SetLines().size();
    ASSERT_TRUE(rmon.AddAlarm(alarm));
    EXPECT_EQ(SetLines(beforeAlarm),
              (std::vector<std::string>{
                  Cell(kAlarmEntry, 10, 30) + "|2|2", Cell(kAlarmEntry, 3, 30) + "|6|1.3.6.1.2.1.2.2.1.10.4",
                  Cell(kAlarmEntry, 2, 30) + "|2|15", Cell(kAlarmEntry, 4, 30) + "|2|1",
                  Cell(kAlarmEntry, 5, 30) + "|2|500", Cell(kAlarmEntry, 6, 30) + "|2|50",
                  Cell(kAlarmEntry, 7, 30) + "|2|1", Cell(kAlarmEntry, 8, 30) + "|2|2",
                  Cell(kAlarmEntry, 9, 30) + "|4|al", Cell(kAlarmEntry, 10, 30) + "|2|1"}));
}

TEST_F(RmonLogicTest, EventCommunityGoesOnlyWithATrap)
{
    StartRmonSwitch();
    CRMON rmon;
    struct Case
    {
        int index;
        int type;
        const char* community;
        bool written;
    };
    for (const Case& c : {Case{40, 2, "public", false}, Case{41, 1, "public", false}, Case{42, 3, "", false},
                          Case{43, 4, "private", true}}) {
        RMON_event_configuration event;
        event.nIndex = c.index;
        event.nType = c.type;
        event.strCommunity = c.community;
        event.strDescription = "d";
        event.strOwner = "o";
        const std::size_t before = SetLines().size();
        ASSERT_TRUE(rmon.AddEvent(event)) << c.index;
        std::vector<std::string> expected{Cell(kEventEntry, 6, c.index) + "|2|2",
                                          Cell(kEventEntry, 2, c.index) + "|4|d",
                                          Cell(kEventEntry, 3, c.index) + "|2|" + std::to_string(c.type)};
        if (c.written)
            expected.push_back(Cell(kEventEntry, 4, c.index) + "|4|" + c.community);
        expected.push_back(Cell(kEventEntry, 5, c.index) + "|4|o");
        expected.push_back(Cell(kEventEntry, 6, c.index) + "|2|1");
        EXPECT_EQ(SetLines(before), expected) << c.index;
        if (!c.written) {
            EXPECT_EQ(event.strCommunity, "") << c.index;
        }
    }
    EXPECT_EQ(sim->Get("1.3.6.1.2.1.16.9.1.1.5.43"), "0");
}

// A row left underCreation is removed first; a missing index is not, whether
// the switch answers the status GET with noSuchName (SNMPv1) or an exception
// (SNMPv3).
TEST_F(RmonLogicTest, OnlyARowNotValidIsRemovedFirst)
{
    StartRmonSwitch();
    struct Case
    {
        const char* version;
        int index;
        bool removedFirst;
    };
    for (const Case& c : {Case{"1", 4, true}, Case{"1", 50, false}, Case{"3", 51, false}, Case{"3", 6, true}}) {
        g_strSnmpVersion = c.version;
        g_strSecurityLevel = "1";
        g_strUserName = "korvel-none";
        CRMON rmon;
        RMON_ethernet_control_info row;
        row.nIndex = c.index;
        row.nPort = 5;
        const std::size_t before = SetLines().size();
        ASSERT_TRUE(rmon.AddEthernetStatistics(row)) << c.version << " " << c.index;
        const auto sets = SetLines(before);
        const std::string status = Cell(kEthernetEntry, 4, c.index);
        ASSERT_FALSE(sets.empty());
        EXPECT_EQ(sets.front(), status + (c.removedFirst ? "|2|4" : "|2|2")) << c.version << " " << c.index;
        EXPECT_EQ(sets.size(), c.removedFirst ? 5U : 4U) << c.version << " " << c.index;
        EXPECT_EQ(sim->Get(status), "1");
    }
    g_strSnmpVersion = "1";
}

TEST_F(RmonLogicTest, RefusedColumnStopsTheCreation)
{
    StartRmonSwitch();
    CRMON rmon;
    ASSERT_TRUE(sim->RefuseNextSet(Cell(kEthernetEntry, 3, 11), 5));
    const std::size_t before = SetLines().size();
    RMON_ethernet_control_info row;
    row.nIndex = 11;
    row.nPort = 2;
    row.strOwner = "x";
    EXPECT_FALSE(rmon.AddEthernetStatistics(row));
    const auto sets = SetLines(before);
    ASSERT_EQ(sets.size(), 3U);
    EXPECT_EQ(sets.back(), Cell(kEthernetEntry, 3, 11) + "|4|x");
    EXPECT_EQ(sim->Get(Cell(kEthernetEntry, 4, 11)), "3"); // left underCreation
}

TEST_F(RmonLogicTest, DeleteIsOneInvalid)
{
    StartRmonSwitch();
    CRMON rmon;
    struct Case
    {
        BOOL (CRMON::*remove)(int, CWriteReport*);
        std::string status;
        std::string standard; // the switch's own row, gone with it
    };
    const Case cases[] = {
        {&CRMON::DeleteEthernetStatistics, Cell(kEthernetEntry, 4, 1), "1.3.6.1.2.1.16.1.1.1.1.1"},
        {&CRMON::DeleteEthernetStatistics, Cell(kEthernetEntry, 4, 6), ""},
        {&CRMON::DeleteHistoryControl, Cell(kHistoryEntry, 6, 5), "1.3.6.1.2.1.16.2.1.1.4.5"},
        {&CRMON::DeleteAlarm, Cell(kAlarmEntry, 10, 2), ""},
        {&CRMON::DeleteEvent, Cell(kEventEntry, 6, 1), "1.3.6.1.2.1.16.9.1.1.5.1"},
    };
    for (const Case& c : cases) {
        const std::size_t before = SetLines().size();
        const int index = std::stoi(c.status.substr(c.status.rfind('.') + 1));
        EXPECT_TRUE((rmon.*c.remove)(index, nullptr)) << c.status;
        EXPECT_EQ(SetLines(before), (std::vector<std::string>{c.status + "|2|4"}));
        EXPECT_FALSE(sim->Has(c.status)) << c.status;
        if (!c.standard.empty()) {
            EXPECT_FALSE(sim->Has(c.standard)) << c.standard;
        }
    }
}

} // namespace rmon_test
