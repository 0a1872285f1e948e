// The PoE path of PoE models: the LED mode and limit read, the PoE port walk,
// the PoE-limit lamp, and the skipping of reads while a walk is pending.
#include "PollingTestSupport.h"

namespace polling_test {

using namespace polling_test;

namespace {

// One PoE read of the polling and the walk it starts, to their end.
int ReadPoe(PolledPanel& panel)
{
    const int result = panel.Status().Get10PPOEOrLinkStatus();
    if (result == 0)
        Eventually([&] { return panel.Status().m_bWalkPending == 0; }, 8000);
    return result;
}

} // namespace

TEST(PoeStatus, PoeLedModeWalksThePoeStates)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    ASSERT_EQ(sim.Set(kPoeLedMode, SnmpValueInteger, "2"), 0);

    ASSERT_EQ(ReadPoe(panel), 0);
    EXPECT_EQ(panel.Status().m_bWalkPending, 0);
    {
        std::lock_guard lock(panel.Status().Lock());
        EXPECT_EQ(panel.Status().m_bLinkLedMode, 0);
    }
    // Before the walk every port was reset: its dark LED drawn where its LED is.
    const auto draws = panel.Owner().Draws();
    ASSERT_EQ(draws.size(), 28u);
    for (int i = 0; i < 28; ++i) {
        CPoint at;
        ASSERT_TRUE(CPanelStatus::GetLedPosition(panel.Root(), i, at));
        EXPECT_EQ(draws[static_cast<size_t>(i)].point, at) << i;
        EXPECT_EQ(draws[static_cast<size_t>(i)].id, (i + 1) % 2 == 0 ? IDB_LED_DARK_EVEN : IDB_LED_DARK_ODD) << i;
    }

    // KSX-Puffin's data: port 1 "POWER OFF", 2 "POWER ON", 6 "Time-based OFF",
    // 7 "Searching"; ports 25 to 28 have no PoE.
    struct Case
    {
        int port;
        BYTE led;
        int part;
    };
    const Case cases[] = {
        {1, CPanelStatus::LED_DARK, PORTDISABLED},  {2, CPanelStatus::LED_GREEN, PORTLINK10},
        {6, CPanelStatus::LED_DARK, PORTDISABLED},  {7, CPanelStatus::LED_AMBER, PORTLINK100},
        {24, CPanelStatus::LED_DARK, PORTDISABLED}, {25, CPanelStatus::LED_NONE, PORTDISABLED},
        {28, CPanelStatus::LED_NONE, PORTDISABLED},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(panel.Led(c.port), c.led) << "port " << c.port;
        EXPECT_EQ(panel.PortPart(c.port - 1), c.part) << "port " << c.port;
    }
    EXPECT_EQ(panel.PortState(2), 2);
    EXPECT_EQ(panel.PortState(25), 0);
    EXPECT_GE(panel.Owner().m_nTimers, 1);
    EXPECT_TRUE(LogLinesOf(sim, "GETNEXT").front().find(kPoePortStatus + "|5|") != std::string::npos);
}

TEST(PoeStatus, LimitLampLightsAtOrBelowFifteenPointFour)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;

    const std::pair<const char*, int> cases[] = {
        {"15.4", 1}, {"7", 1}, {"15.5", 0}, {"185.0", 0}, {"unlimited", 0}, {"", 0},
    };
    for (const auto& [limit, lit] : cases) {
        ASSERT_EQ(sim.Set(kPoeLimit, SnmpValueOctetString, limit), 0);
        ASSERT_EQ(ReadPoe(panel), 0) << limit;
        std::lock_guard lock(panel.Status().Lock());
        EXPECT_EQ(panel.Status().m_bPoeLimitLamp, lit) << '"' << limit << '"';
        // Link LED mode: the link walk ran.
        EXPECT_EQ(panel.Status().m_bLinkLedMode, 1);
    }
}

TEST(PoeStatus, FailedReadsAreRetriedAfterThreeSkips)
{
    // A switch without the PoE objects: every read comes back without a value.
    PolledSwitch polled(kCorvid, {ModelData("KVT-CorvidR2")});
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    panel.Status().SetProfile(true, kCorvid.ports, kCorvid.ports, 0, 0);

    const auto poeReads = [&] {
        int n = 0;
        for (const std::string& line : LogLinesOf(sim, "GET"))
            n += line.find(kPoeLedMode) != std::string::npos ? 1 : 0;
        return n;
    };
    const int expectedReads[] = {1, 1, 1, 1, 2, 2};
    for (int cycle = 0; cycle < 6; ++cycle) {
        EXPECT_EQ(panel.Status().Get10PPOEOrLinkStatus(), -1) << cycle;
        EXPECT_EQ(poeReads(), expectedReads[cycle]) << cycle;
        EXPECT_EQ(panel.Status().m_bWalkPending, 1) << cycle;
    }
    EXPECT_TRUE(LogLinesOf(sim, "GETNEXT").empty());
}

// Rows of unit 0, of port 0 and of another unit are no ports of this panel:
// they change no port's state.
TEST(PoeStatus, RowsOfOtherUnitsAndOfPortZeroAreSkipped)
{
    PolledSwitch polled(kPuffin, {KorvelSimulator::BaseData(), ModelData(kPuffin.name),
                                  std::string(KORVEL_SOURCE_DIR) + "/tests/hostile/fixtures/poe-foreign-rows.snmprec"});
    ASSERT_TRUE(polled.Ready());
    ASSERT_EQ(polled.sim.Set(kPoeLedMode, SnmpValueInteger, "2"), 0);
    PolledPanel& panel = polled.panel;
    ASSERT_EQ(ReadPoe(panel), 0);
    const std::pair<int, BYTE> leds[] = {
        {1, CPanelStatus::LED_DARK}, {2, CPanelStatus::LED_GREEN}, {7, CPanelStatus::LED_AMBER}};
    for (const auto& [port, led] : leds)
        EXPECT_EQ(panel.Led(port), led) << "port " << port;
}

} // namespace polling_test
