// The agent state and engine ID pages on the simulated switch: the state
// shown, written and read back; Apply refused until the state has been read;
// the engine ID's rules in their order, its write and read-back.
#include "features/agent_tools/CSNMPEngineID.h"
#include "features/agent_tools/CSNMPGlobal.h"
#include "snmp_agent/AgentTestSupport.h"

namespace snmp_agent_test {

using namespace agenttest;

namespace {

class AgentPageTest : public AgentTest
{
protected:
    bool WaitForStateReads(CWnd& d, std::size_t reads) const
    {
        return Pump([&] { return GetsOf(kAgentState) >= reads && Enabled(d, IDC_SNMP_APPLY); }, 10000);
    }
    bool WaitForEngineID(CWnd& d, const std::string& text) const
    {
        return Pump([&] { return d.GetDlgItem(IDC_SNMP_ENGINE_TEXT)->GetWindowText() == text; }, 10000);
    }
};

} // namespace

TEST_F(AgentPageTest, StatePageWritesTheBoxAndShowsTheSwitchsAnswer)
{
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPGlobal dialog;
    RunModal<CSNMPGlobal>(dialog, [&](CSNMPGlobal& d) {
        ASSERT_TRUE(WaitForStateReads(d, 1));
        EXPECT_EQ(d.GetWindowText(), "SNMP Global State Settings");
        EXPECT_TRUE(Checked(d, IDC_SNMP_GLOBAL_STATE));

        // Off, then on again: each write is followed by a read.
        ClickButton(d, IDC_SNMP_GLOBAL_STATE);
        ClickButton(d, IDC_SNMP_APPLY);
        ASSERT_TRUE(WaitForStateReads(d, 2));
        PumpFor(300);
        EXPECT_FALSE(Checked(d, IDC_SNMP_GLOBAL_STATE));
        ClickButton(d, IDC_SNMP_GLOBAL_STATE);
        ClickButton(d, IDC_SNMP_APPLY);
        ASSERT_TRUE(WaitForStateReads(d, 3));
        PumpFor(300);
        EXPECT_TRUE(Checked(d, IDC_SNMP_GLOBAL_STATE));

        // A refused write is said, reads nothing, keeps the box.
        ClickButton(d, IDC_SNMP_GLOBAL_STATE);
        ASSERT_TRUE(sim->RefuseNextSet(kAgentState, 5));
        ClickButton(d, IDC_SNMP_APPLY);
        PumpFor(500);
        EXPECT_EQ(GetsOf(kAgentState), 3u);
        EXPECT_FALSE(Checked(d, IDC_SNMP_GLOBAL_STATE));
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Could not write the SNMP state: the switch refused it (general error)."});
    EXPECT_EQ(Sets(), (RequestList{{Int(kAgentState, "2")}, {Int(kAgentState, "1")}, {Int(kAgentState, "2")}}));
    EXPECT_EQ(sim->Get(kAgentState), "1");
}

TEST_F(AgentPageTest, StatePageRefusesApplyUntilTheStateIsRead)
{
    StartAgentSwitch();
    // A switch whose agent is off still answers: the page shows it off.
    SetObject(kAgentState, SnmpValueInteger, "2");
    {
        CSNMPGlobal dialog;
        RunModal<CSNMPGlobal>(dialog, [&](CSNMPGlobal& d) {
            ASSERT_TRUE(WaitForStateReads(d, 1));
            EXPECT_FALSE(Checked(d, IDC_SNMP_GLOBAL_STATE));
        });
    }
    // The read gets no answer: the box stays clear and Apply off.
    ASSERT_TRUE(sim->SilenceFor(20000));
    BoxRecorder boxes;
    CSNMPGlobal dialog;
    RunModal<CSNMPGlobal>(dialog, [&](CSNMPGlobal& d) {
        PumpFor(4500);
        EXPECT_FALSE(Checked(d, IDC_SNMP_GLOBAL_STATE));
        EXPECT_FALSE(Enabled(d, IDC_SNMP_APPLY));
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SNMP_APPLY, BN_CLICKED), 0);
    });
    EXPECT_TRUE(Sets().empty());
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"The SNMP state could not be read from the switch.",
                                        "The SNMP state could not be read from the switch. Press Refresh and try "
                                        "again."}));
}

TEST_F(AgentPageTest, EngineIDRulesInTheirOrderSendNothing)
{
    const std::string length = "ID length is 10-64";
    const std::string character = "the accepted character is from 0 to F";
    struct Case
    {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"123456789", length},   {"12G4", length},            {"12345678G0", character},  {"12345 7890", character},
        {" 1234567890", character},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSNMPEngineID::CheckEngineID(c.text), c.message) << c.text;
    // The edit takes no more than 64 characters; the rule holds anyway.
    EXPECT_EQ(CSNMPEngineID::CheckEngineID(std::string(65, 'a')), length);
    EXPECT_EQ(CSNMPEngineID::CheckEngineID(std::string(64, 'F')), "");

    StartAgentSwitch();
    CSNMPEngineID dialog;
    RunModal<CSNMPEngineID>(dialog, [&](CSNMPEngineID& d) {
        ASSERT_TRUE(WaitForEngineID(d, "80007e5903001122334455"));
        EXPECT_EQ(d.GetWindowText(), "SNMP Engine ID");
        EXPECT_FALSE(d.GetDlgItem(IDC_SNMP_ENGINE_DEFAULT)->IsWindowVisible());
        for (const Case& c : cases) {
            BoxRecorder boxes;
            d.GetDlgItem(IDC_SNMP_ENGINE_TEXT)->SetWindowText(c.text);
            ClickButton(d, IDC_SNMP_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message}) << c.text;
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(AgentPageTest, EngineIDIsWrittenAsOctetsAndReadBackInLowerCase)
{
    StartAgentSwitch();
    BoxRecorder boxes;
    CSNMPEngineID dialog;
    RunModal<CSNMPEngineID>(dialog, [&](CSNMPEngineID& d) {
        ASSERT_TRUE(WaitForEngineID(d, "80007e5903001122334455"));
        // 11 digits: a leading zero makes 6 octets; the read-back shows 12.
        d.GetDlgItem(IDC_SNMP_ENGINE_TEXT)->SetWindowText("123456789AB");
        ClickButton(d, IDC_SNMP_APPLY);
        EXPECT_TRUE(WaitForEngineID(d, "0123456789ab"));

        // A write the switch refuses is said, then the read-back shows what it kept.
        ASSERT_TRUE(sim->RefuseNextSet(kEngineID, 5));
        d.GetDlgItem(IDC_SNMP_ENGINE_TEXT)->SetWindowText("FFEEDDCCBBAA");
        ClickButton(d, IDC_SNMP_APPLY);
        EXPECT_TRUE(WaitForEngineID(d, "0123456789ab"));
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Could not write the engine ID: the switch refused it (general error)."});
    EXPECT_EQ(Sets(), (RequestList{{Hex(kEngineID, "0123456789ab")}, {Hex(kEngineID, "ffeeddccbbaa")}}));
    EXPECT_EQ(GetsOf(kEngineID), 3u);
}

} // namespace snmp_agent_test
