// The link refresh: the interface walk against the simulated switch, and the
// rules that turn a port's link, speed and type into its LED and port part.
#include "PollingTestSupport.h"

namespace polling_test {

using namespace polling_test;

namespace {

struct PortCase
{
    int port;
    BYTE led;
    int part; // the port part's status afterwards
};

} // namespace

TEST(LinkStatus, WalkSetsLedsAndPortsFromTheSwitch)
{
    PolledSwitch polled(kPuffin);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;

    ASSERT_TRUE(panel.WalkLinks());
    // KSX-Puffin's data: port 1 down, 2 up at 1 Gb/s, 3 up at 100 Mb/s, 5
    // administratively down, 25 (type 3) up at 1 Gb/s.
    const PortCase cases[] = {
        {1, CPanelStatus::LED_NONE, PORTENABLE},   {2, CPanelStatus::LED_GREEN, PORTLINK10},
        {3, CPanelStatus::LED_AMBER, PORTLINK100}, {5, CPanelStatus::LED_DARK, PORTDISABLED},
        {25, CPanelStatus::LED_GREEN, PORTLINK10},
    };
    for (const PortCase& c : cases) {
        EXPECT_EQ(panel.Led(c.port), c.led) << "port " << c.port;
        EXPECT_EQ(panel.PortPart(c.port - 1), c.part) << "port " << c.port;
    }
    EXPECT_EQ(panel.PortState(2), 2);
    EXPECT_EQ(panel.PortState(25), 3);
    EXPECT_GE(panel.Owner().m_nInvalidates, 1);

    // One row per request, five columns each; the walk ends at the first row
    // past the last port (the VLAN interface 1001), not at the table's end.
    const auto rows = LogLinesOf(sim, "GETNEXT");
    ASSERT_EQ(rows.size(), 29u);
    EXPECT_NE(rows.front().find("1.3.6.1.2.1.2.2.1.3|5|"), std::string::npos);
    EXPECT_NE(rows.front().find(kPortType + "|5|"), std::string::npos);
}

TEST(LinkStatus, ComboPortOnItsSecondMediumLightsItsSecondPart)
{
    PolledSwitch polled(kBellis);
    ASSERT_TRUE(polled.Ready());
    KorvelSimulator& sim = polled.sim;
    PolledPanel& panel = polled.panel;
    // Port 26 (combo ports 25 to 28) reports its fibre medium, link up at 1 Gb/s.
    ASSERT_EQ(sim.Set(kPortType + ".26", SnmpValueInteger, "3"), 0);

    ASSERT_TRUE(panel.WalkLinks());
    // Port parts: 0..27 the ports, 28..31 the second parts of ports 25..28.
    EXPECT_EQ(panel.PortPart(29), PORTLINK10);
    EXPECT_EQ(panel.PortPart(25), PORTENABLE);
    EXPECT_EQ(panel.Led(26), CPanelStatus::LED_GREEN);
    EXPECT_EQ(panel.PortState(26), 3);
    // Port 25 uses its copper medium: its own part shows the link.
    EXPECT_EQ(panel.PortPart(24), PORTLINK10);
    EXPECT_EQ(panel.PortPart(28), PORTENABLE);
}

TEST(LinkStatus, RefreshRules)
{
    PolledPanel panel(kBellis);
    ASSERT_TRUE(panel.Parsed());
    CPanelStatus& status = panel.Status();
    // A second part that showed something goes back to PORTENABLE with port 1.
    static_cast<CPort*>(panel.Root().FindChildByClass("CPort", 28))->SetStatus(PORTLINK10);

    struct Row
    {
        const char* admin;
        const char* oper;
        const char* port;
        const char* speed;
        const char* type;
    };
    const Row rows[] = {
        {"1", "1", "1", "1000000000", "2"},  // gigabit port at 1 Gb/s
        {"2", "1", "2", "1000000000", "2"},  // administratively down, whatever its link
        {"1", "1", "3", "100000000", "2"},   // gigabit port at 100 Mb/s
        {"1", "1", "4", "100000000", "1"},   // fast port at 100 Mb/s
        {"1", "1", "5", "10000000", "1"},    // fast port at 10 Mb/s
        {"1", "1", "6", "1000000000", "9"},  // unknown port type
        {"1", "2", "7", "1000000000", "2"},  // link down
        {"1", "1", "26", "1000000000", "4"}, // combo port on its second medium
        {"1", "1", "0", "1000000000", "2"},  // port numbers from the switch outside the panel
        {"1", "1", "29", "1000000000", "2"}, {"1", "1", "150", "1000000000", "2"},
    };
    std::string admin, oper, index, speed, type;
    for (const Row& r : rows) {
        admin += std::string(r.admin) + ",";
        oper += std::string(r.oper) + ",";
        index += std::string(r.port) + ",";
        speed += std::string(r.speed) + ",";
        type += std::string(r.type) + ",";
    }
    status.RefreshLinkStatus(admin, oper, index, speed, type);

    const PortCase cases[] = {
        {1, CPanelStatus::LED_GREEN, PORTLINK10},  {2, CPanelStatus::LED_DARK, PORTDISABLED},
        {3, CPanelStatus::LED_AMBER, PORTLINK100}, {4, CPanelStatus::LED_GREEN, PORTLINK10},
        {5, CPanelStatus::LED_AMBER, PORTLINK100}, {6, CPanelStatus::LED_NONE, PORTENABLE},
        {7, CPanelStatus::LED_NONE, PORTENABLE},   {26, CPanelStatus::LED_GREEN, PORTENABLE},
        {8, CPanelStatus::LED_NONE, PORTENABLE},
    };
    for (const PortCase& c : cases) {
        EXPECT_EQ(panel.Led(c.port), c.led) << "port " << c.port;
        EXPECT_EQ(panel.PortPart(c.port - 1), c.part) << "port " << c.port;
    }
    EXPECT_EQ(panel.PortState(2), 2);
    EXPECT_EQ(panel.PortState(26), 4);
    EXPECT_EQ(panel.PortPart(29), PORTLINK10);
    EXPECT_EQ(panel.PortPart(28), PORTENABLE);
    EXPECT_EQ(panel.Owner().m_nTimers, 1);
}

} // namespace polling_test
