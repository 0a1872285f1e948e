// The 802.1Q VLAN dialog on the simulated switch: the list, deleting a VLAN and
// the refusals of Delete, Edit and Apply, the asymmetric VLAN mode, the limit
// of Add, a read-only session, a failed walk, and a change applied while the
// list is still being read.
#include "features/ports_vlans/C8021qVlanSet.h"
#include "resources/ports_vlans.h"
#include "vlan/VlanTestSupport.h"

#include <cstdlib>
#include <fstream>

namespace vlan_test {

using namespace vlantest;

namespace {

struct RowTexts
{
    std::string vid, name, ports, tagged, untagged;
    bool operator==(const RowTexts&) const = default;
};
void PrintTo(const RowTexts& row, std::ostream* out)
{
    *out << "{" << row.vid << " | " << row.name << " | " << row.ports << " | " << row.tagged << " | " << row.untagged
         << "}";
}

std::vector<RowTexts> Rows(CListCtrl& list)
{
    std::vector<RowTexts> rows;
    for (int i = 0; i < list.GetItemCount(); ++i)
        rows.push_back({list.GetItemText(i, 0), list.GetItemText(i, 1), list.GetItemText(i, 2), list.GetItemText(i, 3),
                        list.GetItemText(i, 4)});
    return rows;
}

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_VLAN_LIST);
}

// The VLAN walk has ended with this many rows: the buttons it gives back at
// its end are back, the last of them too.
bool WaitForList(CWnd& d, int rows, int timeoutMs = 20000)
{
    return Pump(
        [&] {
            return Enabled(d, IDC_VLAN_REFRESH) && Enabled(d, IDOK) &&
                   (!g_bVlanEditable || Enabled(d, IDC_VLAN_DELETE)) && List(d).GetItemCount() == rows;
        },
        timeoutMs);
}

const std::vector<RowTexts> kRows28 = {
    {"1", "default", "28", "25,26,27,28", Ports(1, 24)},
    {"2", "sales", "4", "5,6,7,8", ""},
    {"10", "Engineering", "5", "1,2,3,4,25", ""},
    {"20", "Voice", "1", "26", ""},
    {"30", "Cameras", "2", "27,28", ""},
    {"50", "B\xC3\xBCro", "0", "", ""},
    {"100", "lab", "2", "9,10", ""},
};
const int kRowCount28 = static_cast<int>(kRows28.size());

using IntegerSets = std::vector<std::pair<std::string, std::string>>;

class VlanDialogTest : public VlanTest
{
protected:
    // The 28-port switch with more data files, and integer objects set
    // before the dialog opens (each one SET in the simulator's log).
    void StartSwitch28With(const std::vector<std::string>& extraFiles, const IntegerSets& sets)
    {
        std::vector<std::string> files = Switch28();
        files.insert(files.end(), extraFiles.begin(), extraFiles.end());
        StartSwitch(files, 28);
        for (const auto& [oid, value] : sets)
            ASSERT_EQ(sim->Set(oid, SnmpValueInteger, value), 0);
    }

    // Opens the dialog, waits for its reads, selects the VLAN (none for an
    // empty text), clicks the button and hands over the message boxes shown.
    std::vector<MessageBoxCall> ClickWithVlan(const std::string& vid, int button, int answer = IDCANCEL)
    {
        BoxRecorder boxes(answer);
        C8021qVlanSet dialog;
        RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
            EXPECT_TRUE(WaitForList(d, kRowCount28));
            WaitForSideReads(g_nPortCount);
            if (!vid.empty()) {
                ASSERT_GE(RowOf(List(d), vid), 0);
                ClickRow(List(d), RowOf(List(d), vid));
            }
            ClickButton(d, button);
        });
        return boxes.Calls();
    }
};

} // namespace

TEST_F(VlanDialogTest, ListShowsTheActiveVlansOfTheSwitch)
{
    struct Case
    {
        std::vector<std::string> files;
        int ports;
        std::vector<RowTexts> rows;
    };
    std::vector<RowTexts> rows52 = kRows28;
    rows52[0] = {"1", "default", "52", "49,50,51,52", Ports(1, 48)};
    rows52[2] = {"10", "Engineering", "8", "1,2,3,4,49,50,51", "52"};
    const Case cases[] = {{Switch28(), 28, kRows28}, {Switch52(), 52, rows52}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ports);
        StartSwitch(c.files, c.ports);
        C8021qVlanSet dialog;
        RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
            ASSERT_TRUE(WaitForList(d, static_cast<int>(c.rows.size())));
            // VLAN 40 is not in service: not listed.
            EXPECT_EQ(Rows(List(d)), c.rows);
            EXPECT_EQ(d.GetWindowText(), "802.1Q VLAN Configuration");
            EXPECT_FALSE(Checked(d, IDC_VLAN_ASYMMETRIC));
            for (int id : {IDC_VLAN_APPLY, IDC_VLAN_ADD, IDC_VLAN_EDIT, IDC_VLAN_DELETE, IDC_VLAN_REFRESH,
                           IDC_VLAN_PVID, static_cast<int>(IDOK)})
                EXPECT_TRUE(Enabled(d, id)) << id;
        });
    }
}

TEST_F(VlanDialogTest, WithoutEditingAddEditDeleteAndPvidStayDisabled)
{
    StartSwitch(Switch28(), 28);
    g_bVlanEditable = 0;
    BoxRecorder boxes;
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(WaitForList(d, kRowCount28));
        for (int id : {IDC_VLAN_ADD, IDC_VLAN_EDIT, IDC_VLAN_DELETE, IDC_VLAN_PVID})
            EXPECT_FALSE(Enabled(d, id)) << id;
        for (int id : {IDC_VLAN_APPLY, IDC_VLAN_REFRESH, static_cast<int>(IDOK)})
            EXPECT_TRUE(Enabled(d, id)) << id;
        // A double-click opens nothing either.
        DoubleClickRow(List(d), 1);
        PumpFor(200);
        EXPECT_EQ(FindDialog("Edit VLAN"), nullptr);
    });
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(VlanDialogTest, DeleteRemovesTheVlanAfterTheQuestion)
{
    StartSwitch(Switch28(), 28);
    BoxRecorder boxes(IDOK);
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(WaitForList(d, kRowCount28));
        ClickRow(List(d), RowOf(List(d), "50"));
        ClickButton(d, IDC_VLAN_DELETE);
        ASSERT_TRUE(WaitForList(d, kRowCount28 - 1));
        EXPECT_EQ(RowOf(List(d), "50"), -1);
    });
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text,
              "The VLAN 50 settings in IGMP Snooping and MAC Address Table maybe be affected, continue?");
    EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, MB_OKCANCEL);
    EXPECT_EQ(SetBindings(), std::vector<std::string>{VlanColumn(5, 50) + "|2|6"});
    EXPECT_FALSE(sim->Has(VlanColumn(5, 50)));
    EXPECT_FALSE(sim->Has(VlanColumn(2, 50)));
}

TEST_F(VlanDialogTest, DeleteRefusesTheVlansOthersHoldOnTo)
{
    const std::string question10 =
        "The VLAN 10 settings in IGMP Snooping and MAC Address Table maybe be affected, continue?";
    struct Case
    {
        const char* what;
        std::vector<std::string> extraFiles;
        IntegerSets sets;
        std::string vid;
        std::string message;
    };
    const Case cases[] = {
        {"default VLAN", {}, {}, "1", "Can't delete the default VLAN!"},
        {"PVID in asymmetric mode",
         {},
         {{kAsymmetricState, "1"}},
         "10",
         "The VID is one of The PVID, so it cannot be deleted."},
        {"PVID without asymmetric mode", {}, {}, "10", question10},
        // The rows of ports 0 and 4294967295 name no port: VLAN 30 is no port's PVID.
        {"PVID rows of ports the switch does not have",
         {std::string(KORVEL_SOURCE_DIR) + "/tests/pvid/fixtures/stray-rows.snmprec"},
         {{kAsymmetricState, "1"}},
         "30",
         "The VLAN 30 settings in IGMP Snooping and MAC Address Table maybe be affected, continue?"},
        {"voice VLAN", {}, {{kVoiceState, "1"}}, "20", "The VLAN ID is Voice VLAN ID."},
        {"surveillance VLAN", {}, {{kSurveillanceState, "1"}}, "30", "The VLAN ID is Surveillance VLAN ID."},
        {"IP interface VLAN", {FixtureData("two-interfaces.snmprec")}, {}, "10", "The VLAN ID is IP Interface VLAN."},
        {"voice before IP interface",
         {FixtureData("two-interfaces.snmprec")},
         {{kVoiceState, "1"}, {kVoiceVid, "10"}},
         "10",
         "The VLAN ID is Voice VLAN ID."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(StartSwitch28With(c.extraFiles, c.sets));
        const std::size_t ownSets = c.sets.size();
        const std::vector<MessageBoxCall> calls = ClickWithVlan(c.vid, IDC_VLAN_DELETE, IDCANCEL);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0].text, c.message);
        EXPECT_TRUE(SetBindings(ownSets).empty());
        EXPECT_EQ(sim->Get(VlanColumn(5, std::atoi(c.vid.c_str()))), "1");
    }
}

TEST_F(VlanDialogTest, EditAndDeleteAskForASelection)
{
    StartSwitch(Switch28(), 28);
    for (int button : {IDC_VLAN_EDIT, IDC_VLAN_DELETE}) {
        const std::vector<MessageBoxCall> calls = ClickWithVlan("", button);
        ASSERT_EQ(calls.size(), 1U);
        EXPECT_EQ(calls[0].text,
                  button == IDC_VLAN_EDIT ? "Please select the VLAN !" : "Please select the VLAN want to be deleted!");
        EXPECT_EQ(calls[0].type & MB_ICONMASK, MB_ICONINFORMATION);
    }
}

TEST_F(VlanDialogTest, ARowOfAVlanIdNoVlanCanHaveIsNotListed)
{
    StartSwitch28With({FixtureData("vlan-zero.snmprec")}, {});
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(WaitForList(d, kRowCount28));
        EXPECT_EQ(Rows(List(d)), kRows28);
    });
    EXPECT_TRUE(Requests("SET").empty());
}

TEST_F(VlanDialogTest, AFailedReadLeavesAnEmptyListAndTheButtonsBack)
{
    StartSwitch(Switch28(), 28);
    // Silent for longer than the dialog's reads may take on a loaded machine,
    // so that no retry of them is answered.
    ASSERT_TRUE(sim->SilenceFor(60000));
    BoxRecorder boxes;
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(WaitForList(d, 0));
        for (int id : {IDC_VLAN_APPLY, IDC_VLAN_ADD, IDC_VLAN_EDIT, IDC_VLAN_DELETE, static_cast<int>(IDOK)})
            EXPECT_TRUE(Enabled(d, id)) << id;
        ClickButton(d, IDC_VLAN_EDIT);
        ClickButton(d, IDC_VLAN_DELETE);
    });
    // The switch that does not answer is said once, before the buttons' own messages.
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 3U);
    EXPECT_EQ(calls[0].text, "The VLAN list could not be read from the switch.");
    EXPECT_EQ(calls[1].text, "Please select the VLAN !");
    EXPECT_EQ(calls[1].type, MB_OK);
    EXPECT_EQ(calls[2].text, "Please select the VLAN want to be deleted!");
    EXPECT_EQ(calls[2].type, MB_OK);
}

TEST_F(VlanDialogTest, ApplyChangesTheAsymmetricModeOnlyWhenNothingHoldsIt)
{
    const std::string multiple = "Multiple Interfaces are set, the VLAN mode can not be changed.";
    const std::string voice = "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\nIf you could "
                              "disable it, please set it through the web!";
    const std::string surveillance = "Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!";
    const std::string question =
        "The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be reset to default.";
    struct Case
    {
        const char* what;
        std::vector<std::string> extraFiles;
        IntegerSets sets;
        bool check; // tick the box before Apply
        int answer; // to the question
        std::string message;
        std::string written; // the state written, empty for none
    };
    const std::string twoIf = FixtureData("two-interfaces.snmprec");
    const Case cases[] = {
        {"two interfaces, mode changed", {twoIf}, {}, true, IDOK, multiple, ""},
        {"two interfaces, mode kept", {twoIf}, {}, false, IDCANCEL, question, ""},
        {"voice VLAN, box unchanged", {}, {{kVoiceState, "1"}}, false, IDOK, voice, ""},
        {"surveillance VLAN", {}, {{kSurveillanceState, "1"}}, true, IDOK, surveillance, ""},
        {"question cancelled", {}, {}, true, IDCANCEL, question, ""},
        {"mode changed", {}, {}, true, IDOK, question, "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(StartSwitch28With(c.extraFiles, c.sets));
        const std::size_t ownSets = c.sets.size();
        BoxRecorder boxes(c.answer);
        C8021qVlanSet dialog;
        bool checkedAfter = false;
        RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
            ASSERT_TRUE(WaitForList(d, kRowCount28));
            WaitForSideReads(28);
            if (c.check)
                ClickButton(d, IDC_VLAN_ASYMMETRIC);
            ClickButton(d, IDC_VLAN_APPLY);
            WaitForList(d, kRowCount28);
            checkedAfter = Checked(d, IDC_VLAN_ASYMMETRIC);
        });
        ASSERT_FALSE(boxes.Calls().empty());
        EXPECT_EQ(boxes.Calls()[0].text, c.message);
        if (c.written.empty()) {
            EXPECT_TRUE(SetBindings(ownSets).empty());
            EXPECT_EQ(sim->Get(kAsymmetricState), "2");
        } else {
            EXPECT_EQ(SetBindings(ownSets), std::vector<std::string>{kAsymmetricState + "|2|" + c.written});
            EXPECT_EQ(sim->Get(kAsymmetricState), c.written);
            EXPECT_TRUE(checkedAfter);
        }
        // A refused or cancelled change puts the box back as the switch has it.
        if (c.written.empty()) {
            EXPECT_FALSE(checkedAfter);
        }
    }
}

TEST_F(VlanDialogTest, AddIsRefusedAt256Vlans)
{
    // A switch with 256 active VLANs.
    const std::string path = std::string(KORVEL_BINARY_DIR) + "/vlan-256-" + std::to_string(getpid()) + ".snmprec";
    {
        std::ofstream out(path);
        for (int vid = 2; vid <= 256; ++vid) {
            out << VlanColumn(1, vid) << "|4|v" << vid << "\n"
                << VlanColumn(2, vid) << "|4x|00000000\n"
                << VlanColumn(3, vid) << "|4x|00000000\n"
                << VlanColumn(4, vid) << "|4x|00000000\n"
                << VlanColumn(5, vid) << "|2|1\n";
        }
        // VLAN 40 and 50 of the base data are replaced; 40 becomes active.
    }
    StartSwitch({KorvelSimulator::BaseData(), VlanData(), path}, 28);
    BoxRecorder boxes;
    C8021qVlanSet dialog;
    bool opened = true;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(WaitForList(d, 256, 60000));
        WhenDialogOpens(
            "Add VLAN", [](CWnd&) {}, &opened, 500);
        ClickButton(d, IDC_VLAN_ADD);
        PumpFor(600);
    });
    std::remove(path.c_str());
    EXPECT_FALSE(opened);
    ASSERT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(boxes.Calls()[0].text, " Number of VLAN group is over limit");
}

TEST_F(VlanDialogTest, AChangeAppliedWhileTheListIsReadLeavesEachVlanOnce)
{
    StartSwitch(Switch28(), 28);
    ASSERT_TRUE(sim->SetReplyDelay(60));
    BoxRecorder boxes;
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        // Edit the first VLAN as soon as it is listed, and apply at once:
        // the refresh that follows starts while the first walk still runs.
        ASSERT_TRUE(Pump([&] { return List(d).GetItemCount() >= 1; }, 20000));
        for (int id : {IDC_VLAN_APPLY, IDC_VLAN_ADD, IDC_VLAN_EDIT, IDC_VLAN_DELETE, IDC_VLAN_REFRESH, IDC_VLAN_PVID,
                       static_cast<int>(IDOK)})
            EXPECT_FALSE(Enabled(d, id)) << id;
        bool opened = false;
        WhenDialogOpens(
            "Edit VLAN", [](CWnd& edit) { ClickButton(edit, IDOK); }, &opened);
        DoubleClickRow(List(d), 0);
        EXPECT_TRUE(opened);
        ASSERT_TRUE(WaitForList(d, kRowCount28, 30000));
        PumpFor(1000);
        EXPECT_EQ(Rows(List(d)), kRows28);
    });
    EXPECT_TRUE(boxes.Calls().empty());
}

TEST_F(VlanDialogTest, TheButtonsComeBackOnlyWhenEveryReadIsIn)
{
    // The PVID walk (28 rows) ends well after the VLAN list (8 rows).
    StartSwitch28With({}, {{kAsymmetricState, "1"}});
    ASSERT_TRUE(sim->SetReplyDelay(30));
    const std::string lastPvid = kPvidColumn + ".28|";
    auto pvidWalkAtEnd = [&] {
        for (const auto& request : Requests("GETNEXT"))
            for (const std::string& b : request)
                if (b.rfind(lastPvid, 0) == 0)
                    return true;
        return false;
    };
    BoxRecorder boxes(IDCANCEL);
    C8021qVlanSet dialog;
    RunModal<C8021qVlanSet>(dialog, [&](C8021qVlanSet& d) {
        ASSERT_TRUE(Pump([&] { return List(d).GetItemCount() == kRowCount28; }, 20000));
        // Close is the last button given back.
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDOK); }, 20000));
        EXPECT_TRUE(pvidWalkAtEnd());
        for (int id : {IDC_VLAN_APPLY, IDC_VLAN_ADD, IDC_VLAN_EDIT, IDC_VLAN_DELETE, IDC_VLAN_REFRESH, IDC_VLAN_PVID})
            EXPECT_TRUE(Enabled(d, id)) << id;
        // Port 26's PVID has been read: its VLAN is held.
        ClickRow(List(d), RowOf(List(d), "20"));
        ClickButton(d, IDC_VLAN_DELETE);
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The VID is one of The PVID, so it cannot be deleted."});
}

} // namespace vlan_test
