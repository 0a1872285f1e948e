// The reboot object: it refuses while the switch saves its configuration or
// transfers firmware or a configuration, and otherwise sends the reboot SET.
#include "PollingTestSupport.h"

#include "features/agent_tools/CResetDevice.h"

namespace polling_test {

using namespace polling_test;

TEST(ResetDevice, CanRebootOnlyWhenNothingIsInProgress)
{
    // The transfer states are the switch's own (read-only): the simulator's
    // controls set them.
    KorvelSimulator sim({KorvelSimulator::BaseData(), FirmwareData()});
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim, kPuffin);

    struct Case
    {
        const char* what;
        const char* save;
        const char* firmware;
        const char* config;
        BOOL can;
    };
    const Case cases[] = {
        {"idle", "2", "1", "1", TRUE},
        {"saving the configuration", "1", "1", "1", FALSE},
        {"firmware transfer state 3", "2", "3", "1", FALSE},
        {"firmware transfer state 4", "2", "4", "1", FALSE},
        {"firmware transfer state 2", "2", "2", "1", TRUE},
        {"configuration transfer state 4", "2", "1", "4", FALSE},
        {"configuration transfer state 3", "2", "1", "3", FALSE},
        {"configuration transfer state 2", "2", "0", "2", TRUE},
        {"both transfers done", "2", "0", "0", TRUE},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Set(kSaveInProgress, SnmpValueInteger, c.save), 0);
        ASSERT_EQ(sim.Set(kSimFirmwareStatus, SnmpValueInteger, c.firmware), 0);
        ASSERT_EQ(sim.Set(kSimConfigStatus, SnmpValueInteger, c.config), 0);
        EXPECT_NE(sim.Set(kFirmwareTransfer, SnmpValueInteger, "1"), 0);
        CResetDevice reset;
        EXPECT_EQ(reset.CanReboot(), c.can) << c.what;
    }
    EXPECT_EQ(LogLinesOf(sim, "SET").size(), 4 * std::size(cases));
    EXPECT_NE(LogLinesOf(sim, "GET").front().find(kSaveInProgress + "|5|"), std::string::npos);
}

TEST(ResetDevice, RebootSendsTheRebootSetAndTheSwitchGoesQuiet)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim, kPuffin);
    {
        CResetDevice reset;
        reset.Reboot();
    }
    const auto sets = LogLinesOf(sim, "SET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0].find("quenbor"), std::string::npos);
    EXPECT_NE(sets[0].find(kReboot + "|2|1"), std::string::npos);
    // Restarting: nothing answers for a while.
    std::string value;
    EXPECT_FALSE(sim.Get(kReboot, value, 500));
}

TEST(ResetDevice, UnreachableSwitchDoesNotBlockTheReboot)
{
    KorvelSimulator sim;
    ASSERT_TRUE(sim.Running());
    UseSwitch(sim, kPuffin);
    ASSERT_TRUE(sim.SilenceFor(5000));
    g_strTimeout = "500";
    CResetDevice reset;
    EXPECT_EQ(reset.CanReboot(), TRUE);
}

} // namespace polling_test
