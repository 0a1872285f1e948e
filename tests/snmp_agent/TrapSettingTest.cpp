// The trap settings page on the simulated switch: six switches on a model
// without PoE, nine on a PoE model, read and written in one request each;
// Apply refused after a failed read.
#include "features/agent_tools/CSNMPTrapSetting.h"
#include "snmp_agent/AgentTestSupport.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

class TrapSettingTest : public AgentTest
{
};

struct TrapBox
{
    int id;
    int object;
    bool poe;
};
const TrapBox kBoxes[] = {
    {IDC_SNMP_TRAP_AUTH, 1, false},      {IDC_SNMP_TRAP_BOOTUP, 2, false},    {IDC_SNMP_TRAP_LINK, 3, false},
    {IDC_SNMP_TRAP_RSTP, 4, false},      {IDC_SNMP_TRAP_FIRMWARE, 5, false},  {IDC_SNMP_TRAP_LOOPBACK, 11, false},
    {IDC_SNMP_TRAP_POE_POWER, 6, true},  {IDC_SNMP_TRAP_POE_ERROR, 7, true},  {IDC_SNMP_TRAP_POE_BUDGET, 8, true},
};

} // namespace

TEST_F(TrapSettingTest, ReadsAndWritesSixSwitchesWithoutPoeAndNineWithPoe)
{
    struct Case
    {
        std::string model;
        bool poe;
    };
    const Case cases[] = {{"KSX-Bellis", false}, {"KSX-Puffin", true}, {"KVT-pipit", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        m_ownSets = 0;
        StartAgentSwitch(c.model);
        BoxRecorder boxes;
        CSNMPTrapSetting dialog;
        RunModal<CSNMPTrapSetting>(dialog, [&](CSNMPTrapSetting& d) {
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SNMP_TRAP_APPLY); }));
            EXPECT_EQ(d.GetWindowText(), "SNMP Trap Configuration");
            // Fixture: RSTP (4), PoE power on and off (6) and the budget (8) off.
            for (const TrapBox& box : kBoxes) {
                const bool on = box.object != 4 && box.object != 6 && box.object != 8;
                EXPECT_EQ(d.GetDlgItem(box.id)->IsWindowVisible() != FALSE, !box.poe || c.poe) << box.id;
                EXPECT_EQ(Checked(d, box.id), on && (!box.poe || c.poe)) << box.id;
            }
            EXPECT_FALSE(d.GetDlgItem(IDC_SNMP_TRAP_DUPLICATE_IP)->IsWindowVisible());
            EXPECT_FALSE(d.GetDlgItem(IDC_SNMP_TRAP_CPU)->IsWindowVisible());
            ClickButton(d, IDC_SNMP_TRAP_RSTP);
            ClickButton(d, IDC_SNMP_TRAP_AUTH);
            ClickButton(d, IDC_SNMP_TRAP_APPLY);
        });
        EXPECT_TRUE(boxes.Calls().empty());

        std::vector<std::string> read{Asked(Trap(1)), Asked(Trap(2)), Asked(Trap(3)),
                                      Asked(Trap(4)), Asked(Trap(5)), Asked(Trap(11))};
        std::vector<std::string> written{Int(Trap(1), "2"), Int(Trap(2), "1"), Int(Trap(3), "1"),
                                         Int(Trap(4), "1"), Int(Trap(5), "1"), Int(Trap(11), "1")};
        if (c.poe) {
            read.insert(read.end(), {Asked(Trap(6)), Asked(Trap(7)), Asked(Trap(8))});
            written.insert(written.end(), {Int(Trap(6), "2"), Int(Trap(7), "1"), Int(Trap(8), "2")});
        }
        const RequestList gets = Requests("GET");
        EXPECT_EQ(std::count(gets.begin(), gets.end(), read), 1);
        EXPECT_EQ(Sets(), RequestList{written});
        EXPECT_EQ(sim->Get(Trap(4)), "1");
        EXPECT_EQ(sim->Get(Trap(1)), "2");
    }
}

TEST_F(TrapSettingTest, AfterAFailedReadApplyWritesNothing)
{
    StartAgentSwitch("KSX-Puffin");
    g_strTimeout = "1000";
    ASSERT_TRUE(sim->SilenceFor(8000));
    BoxRecorder boxes;
    CSNMPTrapSetting dialog;
    RunModal<CSNMPTrapSetting>(dialog, [&](CSNMPTrapSetting& d) {
        for (const TrapBox& box : kBoxes)
            EXPECT_FALSE(Checked(d, box.id)) << box.id;
        EXPECT_FALSE(Enabled(d, IDC_SNMP_TRAP_APPLY));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SNMP_TRAP_APPLY, BN_CLICKED), 0);
    });
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"The trap settings could not be read from the switch.",
                                        "The trap settings could not be read from the switch. Press Refresh and try "
                                        "again."}));
}

} // namespace snmp_agent_test
