// A switch that stops answering: the reachability check shows every port
// disabled with a dark LED, and a walk that times out resets the ports.
#include "PollingTestSupport.h"

namespace polling_test {

using namespace polling_test;

TEST(Reachability, UnansweredCheckDarkensEveryPort)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;

    ASSERT_TRUE(panel.WalkLinks());
    ASSERT_EQ(panel.Status().CheckDeviceReachable(), 0);
    {
        std::lock_guard lock(panel.Status().Lock());
        EXPECT_EQ(panel.Status().m_bDeviceReachable, 1);
    }
    ASSERT_EQ(panel.Led(2), CPanelStatus::LED_GREEN);
    panel.Owner().Clear();

    ASSERT_TRUE(sim.SilenceFor(3000));
    const auto start = Clock::now();
    EXPECT_NE(panel.Status().CheckDeviceReachable(), 0);
    EXPECT_LT(MsSince(start), 2500);
    {
        std::lock_guard lock(panel.Status().Lock());
        EXPECT_EQ(panel.Status().m_bDeviceReachable, 0);
    }
    const auto draws = panel.Owner().Draws();
    ASSERT_EQ(draws.size(), 28u);
    for (int port = 1; port <= 28; ++port) {
        EXPECT_EQ(panel.Led(port), CPanelStatus::LED_NONE) << port;
        EXPECT_EQ(panel.PortPart(port - 1), PORTDISABLED) << port;
        EXPECT_EQ(draws[static_cast<size_t>(port - 1)].id, port % 2 == 0 ? IDB_LED_DARK_EVEN : IDB_LED_DARK_ODD)
            << port;
    }
}

TEST(Reachability, WalkTimeOutResetsThePorts)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    ASSERT_TRUE(panel.WalkLinks());
    ASSERT_EQ(panel.Led(2), CPanelStatus::LED_GREEN);

    // Silent for longer than a row's time-out.
    ASSERT_TRUE(sim.SilenceFor(7000));
    panel.Status().GetDeviceValues();
    ASSERT_TRUE(Eventually([&] { return panel.Owner().m_nResets > 0; }, 8000));
    for (int port = 1; port <= 28; ++port)
        EXPECT_EQ(panel.Led(port), CPanelStatus::LED_NONE) << port;
    EXPECT_TRUE(Eventually([&] { return panel.Owner().m_nInvalidates >= 2; }, 1000));
}

} // namespace polling_test
