// A write the switch refuses or does not answer, over the Apply paths of the
// port, VLAN, trunk and GVRP dialogs: the message names what was not written
// and why, a sequence stops at the failed write, and a switch that does not
// answer costs one unanswered request before the window is free.
#include "features/ports_vlans/CGVRPSettings.h"
#include "features/ports_vlans/CGVRPTime.h"
#include "features/ports_vlans/CManagVlanSetDlg.h"
#include "features/ports_vlans/CPortDescription.h"
#include "features/ports_vlans/CTrunkConfigDlg.h"
#include "gvrp/GvrpTestSupport.h"
#include "pvid/PvidTestSupport.h"
#include "resources/ports_vlans.h"

#include <functional>

namespace apply_failure_test {

using namespace gvrptest;

namespace {

const std::string kTrunkState = "1.3.6.1.4.1.32473.10.76.19.1.8.1.2.0";
const std::string kDescription = "1.3.6.1.4.1.32473.10.76.19.1.1.16.1.2.";

struct ApplyCase
{
    const char* name;
    // Opens the dialog, waits for its reads and starts the Apply path.
    std::function<void()> apply;
    std::string refusedOid;  // the SET carrying it is refused
    std::string refused;     // the message then
    std::size_t refusedSets; // SETs sent, the refused one last
    std::string silent;      // the message when the switch does not answer
};

// Runs between the dialog's reads and the user's action.
std::function<void()> g_beforeAct;

template <class Dialog> void OpenAndAct(const std::function<bool(Dialog&)>& ready, const std::function<void(Dialog&)>& act)
{
    Dialog dialog;
    RunModal<Dialog>(dialog, [&](Dialog& d) {
        ASSERT_TRUE(Pump([&] { return ready(d); }, 20000));
        if (g_beforeAct)
            g_beforeAct();
        act(d);
    });
}

class ApplyFailureTest : public GvrpTest
{
protected:
    void StartFullSwitch()
    {
        StartSwitch({KorvelSimulator::BaseData(), DataFile("trunk"), DataFile("vlan"), DataFile("gvrp"),
                     pvidtest::PvidData(), DataFile("ports")},
                    28);
    }
    // Every request the switch has handled, the test's controls aside.
    std::size_t HandledRequests() const
    {
        std::size_t count = 0;
        for (const char* kind : {"GET", "GETNEXT", "SET"})
            count += Requests(kind).size();
        return count;
    }
    // Waits until the switch has handled every request sent before: a
    // control write queued behind them, with a long time-out of its own.
    bool Settle() const
    {
        CSnmpV1 request(SnmpPduSet);
        request.setCommunity(KorvelSimulator::WriteCommunity().c_str());
        request.addValue(kSimReplyDelay, SnmpValueInteger, "0");
        CSnmp* reply = nullptr;
        if (request.send(sim->Host().c_str(), reply, 30000) != SnmpStatusOk)
            return false;
        delete reply;
        return true;
    }

    std::vector<ApplyCase> Cases()
    {
        const auto gvrpReady = [](CGVRPSettings& d) {
            return Enabled(d, IDC_GVRP_APPLY) && Enabled(d, IDC_GVRP_REFRESH) &&
                   Item<CListCtrl>(d, IDC_GVRP_LIST).GetItemCount() == 28;
        };
        return {
            {"GvrpPortRange",
             [=] {
                 OpenAndAct<CGVRPSettings>(gvrpReady, [](CGVRPSettings& d) {
                     d.GetDlgItem(IDC_GVRP_PVID)->SetWindowText("1");
                     ClickButton(d, IDC_GVRP_APPLY);
                 });
             },
             PortOid(2, 5),
             "Could not write the GVRP settings of port 5: the switch refused it (general error).\n"
             "Ports 1-4 were written; port 5 and later were not.",
             5,
             "Could not write the GVRP settings of port 1: the switch did not answer.\nNothing was written."},
            {"GvrpTimers",
             [] {
                 OpenAndAct<CGVRPTime>([](CGVRPTime& d) { return Enabled(d, IDC_GVRPTIME_APPLY); },
                                [](CGVRPTime& d) { ClickButton(d, IDC_GVRPTIME_APPLY); });
             },
             kJoin,
             "Could not write the GVRP settings: the switch refused it (general error).",
             1,
             "Could not write the GVRP settings: the switch did not answer."},
            {"ManagementVlan",
             [] {
                 OpenAndAct<CManagVlanSetDlg>(
                     [](CManagVlanSetDlg& d) {
                         return Checked(d, IDC_MGMTVLAN_ENABLE) && Item<CComboBox>(d, IDC_MGMTVLAN_VID).GetCurSel() >= 0;
                     },
                     [](CManagVlanSetDlg& d) { ClickButton(d, IDOK); });
             },
             pvidtest::kManagementState,
             "Could not write the management VLAN settings: the switch refused it (general error).",
             1,
             // Its members are read first: that read is the one unanswered request.
             "The member ports of VLAN 10 could not be read from the switch. Press Refresh and try again."},
            {"PortDescriptionRange",
             [] {
                 OpenAndAct<CPortDescription>(
                     [](CPortDescription& d) {
                         return Enabled(d, IDC_PORTDESC_APPLY) &&
                                Item<CListCtrl>(d, IDC_PORTDESC_LIST).GetItemCount() == 28;
                     },
                     [](CPortDescription& d) {
                         ChooseInCombo(d, IDC_PORTDESC_TO, 27);
                         d.GetDlgItem(IDC_PORTDESC_TEXT)->SetWindowText("x");
                         ClickButton(d, IDC_PORTDESC_APPLY);
                     });
             },
             kDescription + "16",
             "Could not write the description of ports 16-28: the switch refused it (general error).\n"
             "Ports 1-15 were written; port 16 and later were not.",
             2,
             "Could not write the description of ports 1-15: the switch did not answer.\nNothing was written."},
            {"TrunkState",
             [] {
                 OpenAndAct<CTrunkConfigDlg>([](CTrunkConfigDlg& d) { return Enabled(d, IDC_TRUNK_REFRESH); },
                                      [](CTrunkConfigDlg& d) { ClickButton(d, IDC_TRUNK_APPLY_STATE); });
             },
             kTrunkState,
             "Could not write the link aggregation state: the switch refused it (general error).",
             1,
             "Could not write the link aggregation state: the switch did not answer."},
        };
    }
};

} // namespace

TEST_F(ApplyFailureTest, ARefusedWriteIsSaidAndEndsTheSequence)
{
    StartFullSwitch();
    for (const ApplyCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(sim->RefuseNextSet(c.refusedOid, 5));
        const std::size_t before = Requests("SET").size();
        BoxRecorder boxes;
        c.apply();
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.refused});
        const auto sets = Sets(before);
        ASSERT_EQ(sets.size(), c.refusedSets);
        // Nothing after the refused write was sent.
        bool carries = false;
        for (const std::string& binding : sets.back())
            carries = carries || binding.rfind(c.refusedOid + "|", 0) == 0;
        EXPECT_TRUE(carries) << sets.back().front();
    }
}

TEST_F(ApplyFailureTest, ASilentSwitchCostsOneUnansweredRequest)
{
    StartFullSwitch();
    g_strTimeout = "1000";
    for (const ApplyCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::size_t before = 0;
        // From the user's action on, every reply comes long after the
        // time-out: each request sent is one the dialog waited for in vain.
        g_beforeAct = [&] {
            ASSERT_TRUE(Settle());
            before = HandledRequests();
            ASSERT_TRUE(sim->SetReplyDelay(4000));
        };
        BoxRecorder boxes;
        c.apply();
        g_beforeAct = nullptr;
        ASSERT_TRUE(Settle());
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.silent});
        EXPECT_EQ(HandledRequests() - before, 1U);
    }
}

} // namespace apply_failure_test
