// The management VLAN dialog on the simulated switch: the state, VLAN and name
// read, the active VLANs offered, the state buttons, Apply's one SET of state
// and VLAN id, its refusals (a VLAN without members, enabling without a VLAN,
// settings never read), and the name of a chosen VLAN.
#include "features/ports_vlans/CManagVlanSetDlg.h"
#include "pvid/PvidTestSupport.h"
#include "resources/ports_vlans.h"

#include <QComboBox>

namespace pvid_test {

using namespace vlantest;
using namespace pvidtest;

namespace {

// The active VLANs of the switch's data (VLAN 40 is not in service).
const std::vector<std::string> kActiveVlans = {"1", "2", "10", "20", "30", "50", "100"};

CComboBox& Vids(CWnd& d)
{
    return Item<CComboBox>(d, IDC_MGMTVLAN_VID);
}
std::vector<std::string> Items(CWnd& d)
{
    std::vector<std::string> items;
    for (int i = 0; i < Vids(d).GetCount(); ++i) {
        std::string text;
        Vids(d).GetLBText(i, text);
        items.push_back(text);
    }
    return items;
}
std::string Selected(CWnd& d)
{
    std::string text;
    if (Vids(d).GetCurSel() >= 0)
        Vids(d).GetLBText(Vids(d).GetCurSel(), text);
    return text;
}
std::string Name(CWnd& d)
{
    return d.GetDlgItem(IDC_MGMTVLAN_NAME)->GetWindowText();
}
// The user picks the VLAN id from the list.
void Choose(CWnd& d, const std::string& vid)
{
    auto* combo = static_cast<QComboBox*>(Vids(d).GetWidget());
    combo->setCurrentIndex(combo->findText(QString::fromStdString(vid)));
}

class ManagementVlanTest : public VlanTest
{
protected:
    // The switch of 28 ports with its management VLAN set as given.
    void StartWith(const std::string& state, const std::string& vid)
    {
        StartSwitch(PvidSwitch28(), 28);
        ASSERT_EQ(sim->Set(kManagementState, SnmpValueInteger, state), 0);
        ASSERT_EQ(sim->Set(kManagementVid, SnmpValueInteger, vid), 0);
    }
    // The walk has ended and the view is filled: a state button is checked.
    static bool WaitForView(CWnd& d, int timeoutMs = 20000)
    {
        return Pump([&] { return Checked(d, IDC_MGMTVLAN_ENABLE) || Checked(d, IDC_MGMTVLAN_DISABLE); }, timeoutMs);
    }
    // Opens the dialog, lets `act` work on the filled view and hands over the
    // message boxes.
    std::vector<MessageBoxCall> Run(const std::function<void(CManagVlanSetDlg&)>& act)
    {
        BoxRecorder boxes;
        CManagVlanSetDlg dialog;
        RunModal<CManagVlanSetDlg>(dialog, [&](CManagVlanSetDlg& d) {
            ASSERT_TRUE(WaitForView(d));
            act(d);
        });
        return boxes.Calls();
    }
};

} // namespace

TEST_F(ManagementVlanTest, ShowsTheStateTheVlanAndItsName)
{
    struct Case
    {
        std::string state, vid;
        bool enabled;
        std::string selected, name;
    };
    const Case cases[] = {
        {"1", "10", true, "10", "Engineering"},
        // After VLAN 40, which is not offered: the selection stays on its item.
        {"1", "100", true, "100", "lab"},
        {"1", "1", true, "1", "default"},
        {"2", "2", false, "2", "sales"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vid);
        ASSERT_NO_FATAL_FAILURE(StartWith(c.state, c.vid));
        const auto calls = Run([&](CManagVlanSetDlg& d) {
            EXPECT_EQ(d.GetWindowText(), "IEEE 802.1Q Management VLAN Configuration");
            EXPECT_EQ(Checked(d, IDC_MGMTVLAN_ENABLE), c.enabled);
            EXPECT_EQ(Checked(d, IDC_MGMTVLAN_DISABLE), !c.enabled);
            EXPECT_EQ(Items(d), kActiveVlans);
            EXPECT_EQ(Selected(d), c.selected);
            EXPECT_EQ(Name(d), c.name);
            EXPECT_EQ(Enabled(d, IDC_MGMTVLAN_VID), c.enabled);
        });
        EXPECT_TRUE(calls.empty());
    }
}

TEST_F(ManagementVlanTest, TheStateButtonsEnableTheVlanList)
{
    ASSERT_NO_FATAL_FAILURE(StartWith("2", "10"));
    Run([](CManagVlanSetDlg& d) {
        EXPECT_FALSE(Enabled(d, IDC_MGMTVLAN_VID));
        ClickButton(d, IDC_MGMTVLAN_ENABLE);
        EXPECT_TRUE(Enabled(d, IDC_MGMTVLAN_VID));
        ClickButton(d, IDC_MGMTVLAN_DISABLE);
        EXPECT_FALSE(Enabled(d, IDC_MGMTVLAN_VID));
    });
}

TEST_F(ManagementVlanTest, ApplyWritesStateAndVlanInOneRequest)
{
    struct Case
    {
        const char* what;
        int stateButton;
        std::string vid; // chosen, empty to keep the selection
        std::string state, written, name;
    };
    const Case cases[] = {
        {"another VLAN", IDC_MGMTVLAN_ENABLE, "2", "1", "2", "sales"},
        {"the default VLAN", IDC_MGMTVLAN_ENABLE, "1", "1", "1", "default"},
        {"disabled", IDC_MGMTVLAN_DISABLE, "", "2", "10", "Engineering"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(StartWith("1", "10"));
        const size_t ownSets = Requests("SET").size();
        std::vector<std::string> itemsAfter;
        std::string nameAfter;
        const auto calls = Run([&](CManagVlanSetDlg& d) {
            ClickButton(d, c.stateButton);
            if (!c.vid.empty())
                Choose(d, c.vid);
            ClickButton(d, IDOK);
            itemsAfter = Items(d);
            nameAfter = Name(d);
            // Apply keeps the dialog open; a second one writes the same.
            ClickButton(d, IDOK);
        });
        EXPECT_TRUE(calls.empty());
        const std::vector<std::string> request = {kManagementState + "|2|" + c.state,
                                                  kManagementVid + "|2|" + c.written};
        EXPECT_EQ(SetBindings(ownSets), [&] {
            std::vector<std::string> twice = request;
            twice.insert(twice.end(), request.begin(), request.end());
            return twice;
        }());
        EXPECT_EQ(Requests("SET").size(), ownSets + 2);
        EXPECT_EQ(sim->Get(kManagementState), c.state);
        EXPECT_EQ(sim->Get(kManagementVid), c.written);
        // The member check reads the egress ports of any VLAN but the default VLAN.
        bool membersRead = false;
        for (const auto& request : Requests("GET"))
            for (const std::string& binding : request)
                membersRead = membersRead || binding.rfind(VlanColumn(2, std::atoi(c.written.c_str())) + "|", 0) == 0;
        EXPECT_EQ(membersRead, c.written != "1");
        // The view shows what the switch holds, and keeps offering every active VLAN.
        EXPECT_EQ(itemsAfter, kActiveVlans);
        EXPECT_EQ(nameAfter, c.name);
    }
}

// On the demo's switch of a 28-port and a 52-port model, Apply with nothing
// changed writes the state and VLAN back without a refusal.
TEST_F(ManagementVlanTest, OnTheSampleModelsApplyUnchangedSucceeds)
{
    for (const auto& [model, ports] : {std::pair<const char*, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        StartModelSwitch(model, ports);
        const std::string state = sim->Get(kManagementState);
        const std::string vid = sim->Get(kManagementVid);
        for (const MessageBoxCall& box : Run([](CManagVlanSetDlg& d) { ClickButton(d, IDOK); }))
            ADD_FAILURE() << box.text;
        EXPECT_EQ(SetBindings(), (std::vector<std::string>{kManagementState + "|2|" + state,
                                                           kManagementVid + "|2|" + vid}));
    }
}

TEST_F(ManagementVlanTest, ApplyRefusals)
{
    struct Case
    {
        const char* what;
        std::string state, vid; // on the switch
        std::string chosen;     // empty: none
        std::string message;
    };
    const Case cases[] = {
        {"VLAN without members", "1", "10", "50", "Management VLAN could not be empty."},
        // The switch's VLAN 40 is not in service: nothing is selected.
        {"enabled without a VLAN", "2", "40", "", "Please select the management VLAN ID."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(StartWith(c.state, c.vid));
        const size_t ownSets = Requests("SET").size();
        const auto calls = Run([&](CManagVlanSetDlg& d) {
            ClickButton(d, IDC_MGMTVLAN_ENABLE);
            if (!c.chosen.empty())
                Choose(d, c.chosen);
            EXPECT_EQ(Selected(d), c.chosen);
            ClickButton(d, IDOK);
            // The refused empty VLAN refreshes the view.
            ASSERT_TRUE(WaitForView(d));
        });
        EXPECT_EQ(Texts(calls), std::vector<std::string>{c.message});
        EXPECT_EQ(Requests("SET").size(), ownSets);
        EXPECT_EQ(sim->Get(kManagementState), c.state);
        EXPECT_EQ(sim->Get(kManagementVid), c.vid);
    }
}

TEST_F(ManagementVlanTest, ApplyIsRefusedUntilTheSettingsAreRead)
{
    ASSERT_NO_FATAL_FAILURE(StartWith("1", "10"));
    const size_t ownSets = Requests("SET").size();
    ASSERT_TRUE(sim->SilenceFor(3500));
    BoxRecorder boxes;
    CManagVlanSetDlg dialog;
    RunModal<CManagVlanSetDlg>(dialog, [&](CManagVlanSetDlg& d) {
        PumpFor(4000);
        EXPECT_FALSE(Checked(d, IDC_MGMTVLAN_ENABLE) || Checked(d, IDC_MGMTVLAN_DISABLE));
        ClickButton(d, IDC_MGMTVLAN_DISABLE);
        ClickButton(d, IDOK);
    });
    // The failed read of the opening is said once; Apply then refuses.
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{
                  "The VLAN list could not be read from the switch.",
                  "The management VLAN settings could not be read from the switch. Please refresh."}));
    EXPECT_EQ(Requests("SET").size(), ownSets);
    EXPECT_EQ(sim->Get(kManagementState), "1");
}

TEST_F(ManagementVlanTest, ChoosingAVlanShowsItsName)
{
    ASSERT_NO_FATAL_FAILURE(StartWith("1", "10"));
    const size_t ownSets = Requests("SET").size();
    std::vector<std::string> names;
    const auto calls = Run([&](CManagVlanSetDlg& d) {
        for (const char* vid : {"30", "50", "1"}) {
            Choose(d, vid);
            names.push_back(Name(d));
        }
    });
    EXPECT_TRUE(calls.empty());
    // VLAN 1 shows its name as the switch has it.
    EXPECT_EQ(names, (std::vector<std::string>{"Cameras", "B\xC3\xBCro", "default"}));
    EXPECT_EQ(Requests("SET").size(), ownSets);
}

} // namespace pvid_test
