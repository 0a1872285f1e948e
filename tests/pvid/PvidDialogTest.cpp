// The PVID dialog on the simulated switch: the PVIDs shown and written per
// port for 16, 28 and 52 ports, opened from the VLAN dialog's PVID button, the
// refusals of Apply (trunk members, unknown and empty VLANs, no completed
// read), rows of ports the switch does not have, a refused write, and closing
// while the walk still runs.
#include "features/ports_vlans/C8021qVlanSet.h"
#include "features/ports_vlans/CKSXPVIDConfig.h"
#include "pvid/PvidTestSupport.h"
#include "resources/ports_vlans.h"

#include <map>

namespace pvid_test {

using namespace vlantest;
using namespace pvidtest;

namespace {

// The listed VLANs as the VLAN dialog hands them over: id and member count
// are what the dialog looks at.
VLAN_entry_list Records()
{
    VLAN_entry_list records;
    for (auto [vid, members] :
         std::vector<std::pair<int, int>>{{1, 28}, {2, 4}, {10, 5}, {20, 1}, {30, 2}, {50, 0}, {100, 2}}) {
        VLAN_entry_info record;
        record.nVid = vid;
        record.nEgressCount = members;
        records.push_back(record);
    }
    return records;
}

int Edit(int port)
{
    return IDC_PVID_EDIT_FIRST + port - 1;
}
std::string Shown(CWnd& d, int port)
{
    return d.GetDlgItem(Edit(port))->GetWindowText();
}
// Types a PVID into the port's edit.
void Enter(CWnd& d, int port, const std::string& text)
{
    d.GetDlgItem(Edit(port))->SetWindowText(text);
}

// Every port's PVID: 1 but where `other` says.
std::vector<std::string> Pvids(int ports, const std::map<int, int>& other)
{
    std::vector<std::string> pvids;
    for (int p = 1; p <= ports; ++p)
        pvids.push_back(std::to_string(other.count(p) ? other.at(p) : 1));
    return pvids;
}

class PvidDialogTest : public VlanTest
{
protected:
    // The PVID walk has reached the end of the table: every edit shows a value.
    static bool WaitForPvids(CWnd& d, int ports, int timeoutMs = 20000)
    {
        return Pump(
            [&] {
                for (int p = 1; p <= ports; ++p)
                    if (Shown(d, p).empty())
                        return false;
                return true;
            },
            timeoutMs);
    }
    static std::vector<std::string> ShownPvids(CWnd& d, int ports)
    {
        std::vector<std::string> shown;
        for (int p = 1; p <= ports; ++p)
            shown.push_back(Shown(d, p));
        return shown;
    }
    // The PVIDs the switch holds now.
    std::vector<std::string> SwitchPvids(int ports) const
    {
        std::vector<std::string> pvids;
        for (int p = 1; p <= ports; ++p)
            pvids.push_back(sim->Get(PvidOid(p)));
        return pvids;
    }
    // Opens the dialog on the records, waits for its read, enters the PVIDs,
    // clicks Apply and hands over the message boxes; result gets DoModal's
    // (IDCANCEL when Apply left the dialog open).
    std::vector<MessageBoxCall> ApplyWith(const std::map<int, std::string>& entries, INT_PTR* result)
    {
        BoxRecorder boxes;
        const VLAN_entry_list records = Records();
        CKSXPVIDConfig dialog;
        dialog.m_pVlanList = &records;
        dialog.m_nVlanCount = static_cast<int>(records.size());
        dialog.m_strVlanList = "1,2,10,20,30,50,100";
        *result = RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
            ASSERT_TRUE(WaitForPvids(d, g_nPortCount));
            WaitForTrunkWalk();
            for (const auto& [port, text] : entries)
                Enter(d, port, text);
            ClickButton(d, IDOK);
        });
        return boxes.Calls();
    }
};

} // namespace

TEST_F(PvidDialogTest, ShowsAndWritesThePvidOfEveryPort)
{
    struct Label
    {
        int port, left, top;
    };
    struct Case
    {
        int ports;
        std::vector<std::string> files;
        std::vector<Label> labels; // where some port numbers stand
        std::map<int, std::string> entries;
        std::map<int, int> written; // PVIDs other than 1 after Apply
    };
    const Case cases[] = {
        // Rows of 8 with wider spacing; the switch's rows of ports 17 to 28 are ignored.
        {16, PvidSwitch28(), {{1, 25, 65}, {8, 375, 65}, {9, 25, 110}}, {{16, "100"}}, {{3, 10}, {16, 100}}},
        {28,
         PvidSwitch28(),
         {{1, 25, 65}, {14, 545, 65}, {15, 25, 110}, {28, 545, 110}},
         {{5, "2"}, {26, "1"}},
         {{3, 10}, {5, 2}}},
        // Four rows of 13.
        {52,
         {KorvelSimulator::BaseData(), VlanData(), Model52Data(), vlantest::FixtureData("vlan-52.snmprec")},
         {{1, 25, 65}, {13, 505, 65}, {14, 25, 110}, {40, 25, 200}, {52, 505, 200}},
         {{41, "2"}, {52, "10"}},
         {{3, 10}, {26, 20}, {41, 2}, {52, 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        StartSwitch(c.files, c.ports);
        const std::vector<std::string> before = SwitchPvids(c.ports);
        const VLAN_entry_list records = Records();
        BoxRecorder boxes;
        CKSXPVIDConfig dialog;
        dialog.m_pVlanList = &records;
        const INT_PTR result = RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
            EXPECT_EQ(d.GetWindowText(), "PVID Configuration");
            for (const Label& label : c.labels) {
                const CRect rect = ClientRectOf(d, IDC_PVID_PORT_LABEL_FIRST + label.port - 1);
                EXPECT_EQ(std::make_pair(rect.left, rect.top), std::make_pair(label.left, label.top)) << label.port;
                EXPECT_EQ(d.GetDlgItem(IDC_PVID_PORT_LABEL_FIRST + label.port - 1)->GetWindowText(),
                          std::to_string(label.port));
                EXPECT_EQ(ClientRectOf(d, Edit(label.port)).top, label.top + 20);
            }
            EXPECT_EQ(d.GetDlgItem(Edit(c.ports + 1)), nullptr);
            ASSERT_TRUE(WaitForPvids(d, c.ports));
            EXPECT_EQ(ShownPvids(d, c.ports), before);
            for (const auto& [port, text] : c.entries)
                Enter(d, port, text);
            ClickButton(d, IDOK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(boxes.Calls().empty());
        // One SET per port, in port order, each an Unsigned32.
        std::vector<std::string> expected;
        const std::vector<std::string> pvids = Pvids(c.ports, c.written);
        for (int p = 1; p <= c.ports; ++p)
            expected.push_back(PvidOid(p) + "|66|" + pvids[static_cast<size_t>(p - 1)]);
        EXPECT_EQ(Requests("SET").size(), static_cast<size_t>(c.ports));
        EXPECT_EQ(SetBindings(), expected);
        EXPECT_EQ(SwitchPvids(c.ports), pvids);
    }
}

// On the demo's switch of a 28-port and a 52-port model, Apply with nothing
// changed writes every port's PVID back without a refusal: trunk members
// carry one PVID.
TEST_F(PvidDialogTest, OnTheSampleModelsApplyUnchangedSucceeds)
{
    for (const auto& [model, ports] : {std::pair<const char*, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        StartModelSwitch(model, ports);
        const std::vector<std::string> before = SwitchPvids(ports);
        BoxRecorder boxes;
        C8021qVlanSet dialog;
        RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_VLAN_REFRESH) && Enabled(d, IDOK); }, 20000));
            bool opened = false;
            WhenDialogOpens(
                "PVID Configuration",
                [&](CWnd& pvid) {
                    ASSERT_TRUE(WaitForPvids(pvid, ports));
                    EXPECT_EQ(ShownPvids(pvid, ports), before);
                    WaitForTrunkWalk();
                    ClickButton(pvid, IDOK);
                },
                &opened);
            ClickButton(d, IDC_VLAN_PVID);
            EXPECT_TRUE(opened);
        });
        for (const MessageBoxCall& box : boxes.Calls())
            ADD_FAILURE() << box.text;
        EXPECT_EQ(Requests("SET").size(), static_cast<size_t>(ports));
        EXPECT_EQ(SwitchPvids(ports), before);
    }
}

TEST_F(PvidDialogTest, ThePvidButtonOpensTheDialogOnTheListedVlans)
{
    StartSwitch(PvidSwitch28(), 28);
    BoxRecorder boxes;
    C8021qVlanSet dialog;
    std::vector<std::string> shown;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_VLAN_REFRESH) && Enabled(d, IDOK); }, 20000));
        bool opened = false;
        WhenDialogOpens(
            "PVID Configuration",
            [&](CWnd& pvid) {
                ASSERT_TRUE(WaitForPvids(pvid, 28));
                shown = ShownPvids(pvid, 28);
                // VLAN 20 is listed and has a member: the walk's records reached the dialog.
                Enter(pvid, 7, "20");
                ClickButton(pvid, IDOK);
            },
            &opened);
        ClickButton(d, IDC_VLAN_PVID);
        EXPECT_TRUE(opened);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(shown, Pvids(28, {{3, 10}, {26, 20}}));
    EXPECT_EQ(sim->Get(PvidOid(7)), "20");
}

TEST_F(PvidDialogTest, ApplyRefusesWhatTheRulesForbid)
{
    const std::string differ = "You should let all Trunk member in the same PVID !";
    const std::string trunk = "Setting PVID on a Trunk is not supported. Please use Web interface for the settings.";
    struct Case
    {
        const char* what;
        std::map<int, std::string> entries;
        std::string message;
    };
    // Ports 27 and 28 form trunk group 1.
    const Case cases[] = {
        {"one trunk member changed", {{27, "10"}}, differ},
        {"the whole trunk changed", {{27, "10"}, {28, "10"}}, trunk},
        {"VLAN without members", {{5, "50"}}, "Invalid PVID,VlAN is empty"},
        {"VLAN not listed", {{5, "40"}}, "Invalid PVID"},
        {"empty edit", {{5, ""}}, "Invalid PVID"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartSwitch(PvidSwitch28(), 28);
        INT_PTR result = 0;
        const std::vector<MessageBoxCall> calls = ApplyWith(c.entries, &result);
        EXPECT_EQ(result, IDCANCEL) << "the dialog stays open";
        EXPECT_EQ(Texts(calls), std::vector<std::string>{c.message});
        EXPECT_TRUE(Requests("SET").empty());
    }
}

TEST_F(PvidDialogTest, ApplyIsRefusedUntilAReadHasCompleted)
{
    StartSwitch(PvidSwitch28(), 28);
    // The first read gets no answer.
    ASSERT_TRUE(sim->SilenceFor(3500));
    const VLAN_entry_list records = Records();
    BoxRecorder boxes;
    CKSXPVIDConfig dialog;
    dialog.m_pVlanList = &records;
    std::vector<std::string> refusals;
    const INT_PTR result = RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
        PumpFor(4000);
        EXPECT_EQ(Shown(d, 1), "");
        ClickButton(d, IDOK);
        refusals = boxes.Texts();
        // Once a read has completed, Apply writes.
        ClickButton(d, IDC_PVID_REFRESH);
        ASSERT_TRUE(WaitForPvids(d, 28));
        Enter(d, 9, "100");
        ClickButton(d, IDOK);
    });
    // The failed read is said when it fails, and Apply refused until one completes.
    EXPECT_EQ(refusals,
              (std::vector<std::string>{"The PVIDs could not be read from the switch.",
                                        "The PVIDs could not be read from the switch. Press Refresh and try again."}));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Requests("SET").size(), 28U);
    EXPECT_EQ(SwitchPvids(28), Pvids(28, {{3, 10}, {9, 100}, {26, 20}}));
}

TEST_F(PvidDialogTest, RowsOfPortsTheSwitchDoesNotHaveAreIgnored)
{
    StartSwitch({KorvelSimulator::BaseData(), VlanData(), PvidFixture("stray-rows.snmprec")}, 28);
    INT_PTR result = 0;
    EXPECT_TRUE(ApplyWith({}, &result).empty());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(SwitchPvids(28), Pvids(28, {{3, 10}, {26, 20}}));
    EXPECT_EQ(Requests("SET").size(), 28U);
}

TEST_F(PvidDialogTest, ARefusedWriteStopsTheWritesAndKeepsTheDialogOpen)
{
    StartSwitch(PvidSwitch28(), 28);
    ASSERT_TRUE(sim->RefuseNextSet(PvidOid(3), 5));
    const size_t ownSets = Requests("SET").size();
    INT_PTR result = 0;
    EXPECT_EQ(Texts(ApplyWith({{2, "10"}, {4, "10"}}, &result)),
              std::vector<std::string>{"Could not write the PVID of port 3: the switch refused it (general error).\n"
                                       "Ports 1-2 were written; port 3 and later were not."});
    EXPECT_EQ(result, IDCANCEL);
    // Ports 1 to 3 were sent; port 2 kept its new PVID, port 4 was not written.
    EXPECT_EQ(SetBindings(ownSets).size(), 3U);
    EXPECT_EQ(sim->Get(PvidOid(2)), "10");
    EXPECT_EQ(sim->Get(PvidOid(4)), "1");
}

TEST_F(PvidDialogTest, ClosingWhileTheReadRunsLeavesTheEditsAlone)
{
    StartSwitch(PvidSwitch28(), 28);
    ASSERT_TRUE(sim->SetReplyDelay(40));
    for (int round = 0; round < 3; ++round) {
        const VLAN_entry_list records = Records();
        CKSXPVIDConfig dialog;
        dialog.m_pVlanList = &records;
        RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
            PumpFor(100 + 150 * round);
            EXPECT_EQ(Shown(d, 1), "");
            ClickButton(d, IDCANCEL);
        });
    }
    PumpFor(300);
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(PvidDialogTest, ARefreshForgetsATrunkThatIsGone)
{
    StartSwitch(PvidSwitch28(), 28);
    const std::string lastGroup = kTrunkColumn + ".8|";
    auto trunkWalksAtEnd = [&] {
        int walks = 0;
        for (const auto& request : Requests("GETNEXT"))
            for (const std::string& b : request)
                if (b.rfind(lastGroup, 0) == 0)
                    ++walks;
        return walks;
    };
    const VLAN_entry_list records = Records();
    BoxRecorder boxes;
    CKSXPVIDConfig dialog;
    dialog.m_pVlanList = &records;
    const INT_PTR result = RunModal<CKSXPVIDConfig>(dialog, [&](CKSXPVIDConfig& d) {
        ASSERT_TRUE(WaitForPvids(d, 28));
        WaitForTrunkWalk();
        // Trunk group 1 (ports 27 and 28) is dissolved on the switch.
        ASSERT_EQ(sim->Set(kTrunkColumn + ".1", SnmpValueOctetString, std::string(4, '\0')), 0);
        ClickButton(d, IDC_PVID_REFRESH);
        ASSERT_TRUE(Pump([&] { return trunkWalksAtEnd() >= 2; }, 20000));
        PumpFor(150);
        Enter(d, 27, "10");
        Enter(d, 28, "20");
        ClickButton(d, IDOK);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(SwitchPvids(28), Pvids(28, {{3, 10}, {26, 20}, {27, 10}, {28, 20}}));
}

} // namespace pvid_test
