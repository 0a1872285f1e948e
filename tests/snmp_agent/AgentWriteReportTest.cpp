// Writes the switch refuses or leaves unanswered on the agent pages: each
// Apply and Delete says what was not written and why, once, and sends nothing
// after the failed SET; a silent switch costs one unanswered request. Reads:
// a value outside its set is unknown and not written; rows with holes are
// placed by their own index.
#include "features/agent_tools/CSNMPCommunity.h"
#include "features/agent_tools/CSNMPGlobal.h"
#include "features/agent_tools/CSNMPHost.h"
#include "features/agent_tools/CSNMPTrapSetting.h"
#include "features/agent_tools/CSNMPUser.h"
#include "snmp_agent/AgentTestSupport.h"

#include <functional>

namespace snmp_agent_test {

using namespace agenttest;

namespace {

const std::string kCommunityStatus = kAgent + ".5.1.1.3";

class AgentWriteReportTest : public AgentTest
{
public:
    // Runs the page, waits until `ready`, then `act`; the boxes shown.
    template <class Dialog>
    std::vector<std::string> Run(const std::function<bool(CWnd&)>& ready, const std::function<void(CWnd&)>& act)
    {
        BoxRecorder boxes;
        Dialog dialog;
        RunModal<Dialog>(dialog, [&](Dialog& d) {
            ASSERT_TRUE(Pump([&] { return ready(d); }, 15000));
            act(d);
            PumpFor(200);
        });
        return boxes.Texts();
    }
};

bool ApplyOn(CWnd& d, int id)
{
    return Enabled(d, id);
}

void SelectRow(CWnd& d, int listId, const std::string& first)
{
    CListCtrl& list = Item<CListCtrl>(d, listId);
    for (int i = 0; i < list.GetItemCount(); ++i) {
        if (list.GetItemText(i, 0) == first) {
            ClickRow(list, i);
            return;
        }
    }
    ADD_FAILURE() << "no row " << first;
}

} // namespace

// Every Apply and Delete of the agent pages against a refusing switch: the
// message names what was not written and the agent's error, and nothing is
// sent after the refused SET.
TEST_F(AgentWriteReportTest, ARefusedWriteIsSaidAndEndsTheAction)
{
    struct Case
    {
        const char* page;
        std::string refused; // the object whose SET the switch refuses
        std::function<std::vector<std::string>(AgentWriteReportTest&)> run;
        std::string message;
        std::vector<std::string> lastSet;
    };
    const std::string newComm = kCommunityStatus + CSNMPConfig::NameToOidIndex("newcomm");
    const std::string oldHost = HostOid(6, "4.192.168.1.100.1");
    const Case cases[] = {
        {"state", kAgentState,
         [](AgentWriteReportTest& t) {
             return t.Run<CSNMPGlobal>([](CWnd& d) { return ApplyOn(d, IDC_SNMP_APPLY); },
                                       [](CWnd& d) { ClickButton(d, IDC_SNMP_APPLY); });
         },
         "Could not write the SNMP state: the switch refused it (general error).",
         {Int(kAgentState, "1")}},
        {"traps", Trap(1),
         [](AgentWriteReportTest& t) {
             return t.Run<CSNMPTrapSetting>([](CWnd& d) { return ApplyOn(d, IDC_SNMP_TRAP_APPLY); },
                                            [](CWnd& d) { ClickButton(d, IDC_SNMP_TRAP_APPLY); });
         },
         "Could not write the trap settings: the switch refused it (general error).",
         {}},
        {"community add", newComm,
         [](AgentWriteReportTest& t) {
             return t.Run<CSNMPCommunity>([](CWnd& d) { return ApplyOn(d, IDC_SNMP_COMMUNITY_REFRESH); },
                                          [](CWnd& d) {
                                              d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->SetWindowText("newcomm");
                                              ClickButton(d, IDC_SNMP_COMMUNITY_APPLY);
                                          });
         },
         "Could not write community entry \"newcomm\": the switch refused it (general error).",
         {Int(newComm, "5")}},
        {"trap host delete", oldHost,
         [](AgentWriteReportTest& t) {
             return t.Run<CSNMPHost>([](CWnd& d) { return ApplyOn(d, IDC_SNMP_HOST_REFRESH); },
                                     [](CWnd& d) {
                                         SelectRow(d, IDC_SNMP_HOST_LIST, "192.168.1.100");
                                         ClickButton(d, IDC_SNMP_HOST_DELETE);
                                     });
         },
         "Could not write the deletion of trap host entry 192.168.1.100: the switch refused it (general error).",
         {Int(oldHost, "6")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        m_ownSets = 0;
        StartAgentSwitch("KSX-Bellis");
        ASSERT_TRUE(sim->RefuseNextSet(c.refused, 5));
        const std::vector<std::string> boxes = c.run(*this);
        EXPECT_EQ(boxes, std::vector<std::string>{c.message});
        const RequestList sets = Sets();
        ASSERT_EQ(sets.size(), 1u) << "nothing after the refused SET";
        if (!c.lastSet.empty()) {
            EXPECT_EQ(sets.back(), c.lastSet);
        }
        sim.reset();
    }
}

// The switch answers each request only after the time-out: the request is
// received (and counted), its answer never comes in time.
TEST_F(AgentWriteReportTest, ASilentSwitchCostsOneUnansweredWrite)
{
    StartAgentSwitch();
    g_strTimeout = "1000";
    std::vector<std::string> boxes = Run<CSNMPCommunity>(
        [](CWnd& d) { return ApplyOn(d, IDC_SNMP_COMMUNITY_REFRESH); },
        [&](CWnd& d) {
            d.GetDlgItem(IDC_SNMP_COMMUNITY_NAME)->SetWindowText("newcomm");
            ASSERT_TRUE(sim->SetReplyDelay(2500));
            const std::size_t walks = Requests("GETNEXT").size();
            ClickButton(d, IDC_SNMP_COMMUNITY_APPLY);
            // The page is free again without reading the list again.
            EXPECT_TRUE(Enabled(d, IDC_SNMP_COMMUNITY_APPLY));
            EXPECT_EQ(Requests("GETNEXT").size(), walks);
        });
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "Could not write community entry \"newcomm\": the switch did not answer."});
    ASSERT_TRUE(Pump([&] { return !Sets().empty(); }, 15000));
    // The late answer to the first SET has come: no second one was sent.
    ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(0); }, 15000));
    EXPECT_EQ(Sets().size(), 1u);
}

// A trap switch outside {1, 2} is unknown: its box is clear and Apply stays
// refused, so a value never read is never written.
TEST_F(AgentWriteReportTest, AnOutOfSetTrapSwitchKeepsApplyRefused)
{
    for (const char* value : {"7", "0", "-1", "2147483647"}) {
        SCOPED_TRACE(value);
        m_ownSets = 0;
        StartAgentSwitch("KSX-Bellis");
        SetObject(Trap(3), SnmpValueInteger, value);
        const std::vector<std::string> boxes = Run<CSNMPTrapSetting>(
            [&](CWnd&) { return GetsOf(Trap(3)) >= 1; },
            [](CWnd& d) {
                PumpFor(300);
                EXPECT_FALSE(Checked(d, IDC_SNMP_TRAP_LINK));
                EXPECT_FALSE(Enabled(d, IDC_SNMP_TRAP_APPLY));
                d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SNMP_TRAP_APPLY, BN_CLICKED), 0);
            });
        EXPECT_EQ(boxes, std::vector<std::string>{
                             "The trap settings could not be read from the switch. Press Refresh and try again."});
        EXPECT_TRUE(Sets().empty());
        sim.reset();
    }
}

// A user row with holes in its columns is still listed, named by its own
// index; a switch that does not answer is said once, and the list opens empty.
TEST_F(AgentWriteReportTest, UserRowsArePlacedByTheirOwnIndex)
{
    // The user "holey" (V2c) has only its group and its status.
    g_strModelName = "KSX-Bellis";
    StartSwitch({KorvelSimulator::BaseData(), AgentData(),
                 std::string(KORVEL_SOURCE_DIR) + "/tests/snmp_agent/fixtures/user-holes.snmprec"},
                28);
    std::vector<std::string> names;
    const std::vector<std::string> boxes = Run<CSNMPUser>(
        [](CWnd& d) { return ApplyOn(d, IDC_SNMP_USER_REFRESH); },
        [&](CWnd& d) {
            CListCtrl& list = Item<CListCtrl>(d, IDC_SNMP_USER_LIST);
            for (int i = 0; i < list.GetItemCount(); ++i)
                names.push_back(list.GetItemText(i, 0) + "/" + list.GetItemText(i, 2));
        });
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(std::find(names.begin(), names.end(), "holey/V2c"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "v1user/V1"), names.end());

    ASSERT_TRUE(sim->SilenceFor(6000));
    g_strTimeout = "1000";
    const std::vector<std::string> silent = Run<CSNMPUser>(
        [](CWnd& d) { return ApplyOn(d, IDC_SNMP_USER_REFRESH); },
        [](CWnd& d) { EXPECT_EQ(Item<CListCtrl>(d, IDC_SNMP_USER_LIST).GetItemCount(), 0); });
    EXPECT_EQ(silent, std::vector<std::string>{"The user list could not be read from the switch."});
}

} // namespace snmp_agent_test
