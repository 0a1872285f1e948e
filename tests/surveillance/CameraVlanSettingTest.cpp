// The auto surveillance VLAN dialog on the simulated switch: the global
// settings read and written, the refusals of Apply, Apply waiting for the
// VLAN modes, entries added, shown and deleted, the default rows, bad and
// duplicate addresses, a failed second write rolled back, and a full table.
#include "features/ports_vlans/CCameraVlanSetting.h"
#include "resources/ports_vlans.h"
#include "surveillance/SurveillanceTestSupport.h"

#include "platform/ui/CButton.h"

namespace surveillance_test {

using namespace survtest;

namespace {

CListCtrl& CameraList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SURV_LIST);
}

const std::vector<std::string> kDefaultCameraRows = {
    "1 | Korvel Surveillance Device | Korvel Camera | 1A-6E-40-0X-XX-XX",
    "2 | Korvel Surveillance Device | Korvel Camera Gen2 | 1A-6E-41-XX-XX-XX",
};

class CameraVlanSettingTest : public SurveillanceTest
{
protected:
    // The dialog has read everything: the component table (rows), the global
    // settings after the VLAN table (Apply comes back), the voice OUIs and
    // the trunk groups.
    bool WaitForReads(CWnd& d, int rows, bool applyExpected = true)
    {
        const bool listed = Pump(
            [&] {
                return Enabled(d, IDC_SURV_REFRESH) && CameraList(d).GetItemCount() == rows &&
                       (!applyExpected || Enabled(d, IDC_SURV_APPLY));
            },
            20000);
        WaitForGetNextFrom(kVoiceOuiAddress + ".2");
        WaitForGetNextFrom(kEnterprise + ".8.1.3.1.2.8");
        return listed;
    }

    // Fills the global settings and clicks Apply.
    static void ApplyWith(CWnd& d, bool enabled, const std::string& vid, int priority, const std::string& ports)
    {
        d.CheckDlgButton(IDC_SURV_ENABLE, enabled ? BST_CHECKED : BST_UNCHECKED);
        d.SetDlgItemText(IDC_SURV_VLAN_ID, vid);
        Item<CComboBox>(d, IDC_SURV_PRIORITY).SetCurSel(priority);
        d.SetDlgItemText(IDC_SURV_PORTS, ports);
        ClickButton(d, IDC_SURV_APPLY);
    }

    // Types an entry (MAC mode, or OUI mode with the first three octets) and clicks Add.
    static void AddEntry(CWnd& d, bool ouiMode, int type, const std::string& description, const std::string& address)
    {
        ChooseInCombo(d, IDC_SURV_MODE, ouiMode ? 1 : 0);
        Item<CComboBox>(d, IDC_SURV_COMPONENT_TYPE).SetCurSel(type);
        d.SetDlgItemText(IDC_SURV_DESCRIPTION, description);
        d.SetDlgItemText(IDC_SURV_ADDRESS, address);
        ClickButton(d, IDC_SURV_ADD);
    }
};

} // namespace

TEST_F(CameraVlanSettingTest, ReadsTheGlobalSettingsAndWritesThemWithApply)
{
    StartSurveillanceSwitch();
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 2));
        EXPECT_EQ(d.GetWindowText(), "Auto Surveillance VLAN Settings");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_SURV_ENABLE), static_cast<UINT>(BST_CHECKED));
        std::string text;
        d.GetDlgItemText(IDC_SURV_VLAN_ID, text);
        EXPECT_EQ(text, "30");
        EXPECT_EQ(Item<CComboBox>(d, IDC_SURV_PRIORITY).GetCurSel(), 5);
        d.GetDlgItemText(IDC_SURV_PORTS, text);
        EXPECT_EQ(text, "27-28");
        EXPECT_EQ(Rows(CameraList(d), 4), kDefaultCameraRows);
        for (int id : {IDC_SURV_ADD, IDC_SURV_DELETE, IDC_SURV_VLAN_ID, IDC_SURV_PORTS, IDC_SURV_MODE})
            EXPECT_TRUE(Enabled(d, id)) << id;

        // New settings on a VLAN the switch does not have yet.
        ApplyWith(d, true, "60", 3, "1-4");
        EXPECT_EQ(SetBindings(), (std::vector<std::string>{kVlanId + "|2|60", kPriority + "|2|3",
                                                           kPorts + "|4x|f0000000", kState + "|2|1"}));
        ASSERT_TRUE(WaitForReads(d, 2));
        d.GetDlgItemText(IDC_SURV_PORTS, text);
        EXPECT_EQ(text, "1-4");

        // Disabling writes the state alone, and the controls follow the state read back.
        ApplyWith(d, false, "60", 3, "1-4");
        EXPECT_EQ(SetBindings(1), std::vector<std::string>{kState + "|2|2"});
        ASSERT_TRUE(WaitForReads(d, 2));
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_SURV_ENABLE), static_cast<UINT>(BST_UNCHECKED));
        for (int id : {IDC_SURV_ADD, IDC_SURV_DELETE, IDC_SURV_VLAN_ID, IDC_SURV_PORTS, IDC_SURV_PRIORITY})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Enabled(d, IDC_SURV_APPLY));
    });
    EXPECT_TRUE(boxes.Calls().empty()) << boxes.Texts().front();
    EXPECT_EQ(sim->Get(kVlanId), "60");
    EXPECT_EQ(sim->Get(kPriority), "3");
    EXPECT_EQ(sim->Get(kState), "2");
}

// On the demo's switch of a 28-port and a 52-port model, Apply with nothing
// changed writes the settings back without a question or a refusal.
TEST_F(CameraVlanSettingTest, OnTheSampleModelsApplyUnchangedSucceeds)
{
    for (const auto& [model, ports] : {std::pair<const char*, int>{"KSX-Puffin", 28}, {"KSX-Alcor R2", 52}}) {
        SCOPED_TRACE(model);
        g_strModelName = model;
        StartModelSwitch(model, ports);
        const std::string uplinks = HexValue(kPorts);
        BoxRecorder boxes;
        CCameraVlanSetting dialog;
        RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
            ASSERT_TRUE(WaitForReads(d, 2));
            ClickButton(d, IDC_SURV_APPLY);
            PumpFor(200);
        });
        for (const MessageBoxCall& box : boxes.Calls())
            ADD_FAILURE() << box.text;
        EXPECT_EQ(SetBindings().size(), 4U);
        EXPECT_EQ(sim->Get(kState), "1");
        EXPECT_EQ(HexValue(kPorts), uplinks);
    }
}

TEST_F(CameraVlanSettingTest, ApplyAsksBeforeTakingAnExistingVlanAndNotesPoeOnPoeModels)
{
    const std::string question = "The VLAN ID 30 already exists, still apply? \nIf yes, the original setting of VLAN "
                                 "30 members will be removed.";
    const std::string poeNote = "Switch will automatically turn on PoE function to all the member ports of "
                                "surveillance VLAN, \nplease ensure all the member ports of surveillance VLAN "
                                "connected to PoE power devices.";
    struct Case
    {
        const char* model;
        const char* startState;
        int answer;
        std::vector<std::string> boxes;
        bool written;
    };
    const Case cases[] = {
        {"KSX-Bellis", "1", IDCANCEL, {question}, false},
        {"KSX-Bellis", "1", IDOK, {question}, true},
        // The PoE note comes only when the VLAN is being turned on.
        {"KSX-Puffin P", "2", IDOK, {question, poeNote}, true},
        {"KSX-Puffin P", "1", IDOK, {question}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model) + " state " + c.startState + " answer " + std::to_string(c.answer));
        StartSurveillanceSwitch();
        ASSERT_EQ(sim->Set(kState, SnmpValueInteger, c.startState), 0);
        g_strModelName = c.model;
        BoxRecorder boxes(c.answer);
        CCameraVlanSetting dialog;
        RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
            ASSERT_TRUE(WaitForReads(d, 2));
            ApplyWith(d, true, "30", 5, "27-28");
            PumpFor(200);
        });
        EXPECT_EQ(boxes.Texts(), c.boxes);
        EXPECT_EQ(boxes.Calls()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(SetBindings(1).size(), c.written ? 4U : 0U);
    }
}

TEST_F(CameraVlanSettingTest, ApplyRefusesWhatTheSwitchCannotTake)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<std::string, std::string>> sets;
        std::string vid;
        std::string ports;
        std::string message;
    };
    const Case cases[] = {
        {"asymmetric mode",
         {{kAsymmetric, "1"}},
         "60",
         "1-4",
         "Auto Surveillance Vlan can not support in Asymmetric VLAN mode."},
        {"default VLAN", {}, "1", "1-4", "Default VLAN cannot be set as Auto Surveillance VLAN."},
        {"VLAN 0", {}, "0", "1-4", "The VLAN ID value range is 2 - 4094"},
        {"VLAN 4095", {}, "4095", "1-4", "The VLAN ID value range is 2 - 4094"},
        {"voice VLAN", {{kVoiceState, "1"}}, "20", "1-4", "The VLAN ID already is voice VLAN ID."},
        {"disabled voice VLAN", {}, "20", "x", "Invalid Portlist"},
        {"port above the count", {}, "60", "1-29", "Invalid Portlist"},
        {"half a trunk",
         {},
         "60",
         "1,27",
         "If Link Aggregation member port is selected, it must have the same port list as Auto Surveillance VLAN "
         "Tagged Uplink/Downlink Port."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartSurveillanceSwitch();
        for (const auto& [oid, value] : c.sets)
            ASSERT_EQ(sim->Set(oid, SnmpValueInteger, value), 0);
        BoxRecorder boxes;
        CCameraVlanSetting dialog;
        RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
            ASSERT_TRUE(WaitForReads(d, 2));
            ApplyWith(d, true, c.vid, 5, c.ports);
            PumpFor(100);
        });
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(SetBindings(c.sets.size()), std::vector<std::string>{});
    }
}

TEST_F(CameraVlanSettingTest, WithoutAPriorityApplyRefusesToEnableButMayDisable)
{
    // A priority outside 0..7 selects no position of the Priority box.
    StartSurveillanceSwitch();
    ASSERT_EQ(sim->Set(kPriority, SnmpValueInteger, "9"), 0);
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 2));
        EXPECT_EQ(Item<CComboBox>(d, IDC_SURV_PRIORITY).GetCurSel(), -1);
        ClickButton(d, IDC_SURV_APPLY);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please select the Priority."});
        EXPECT_TRUE(SetBindings(1).empty());

        d.CheckDlgButton(IDC_SURV_ENABLE, BST_UNCHECKED);
        ClickButton(d, IDC_SURV_APPLY);
        EXPECT_EQ(SetBindings(1), std::vector<std::string>{kState + "|2|2"});
        PumpFor(200);
    });
    EXPECT_EQ(boxes.Calls().size(), 1U);
    EXPECT_EQ(sim->Get(kPriority), "9");
}

TEST_F(CameraVlanSettingTest, ApplyWaitsForTheVlanModes)
{
    // Without the VLAN data the asymmetric mode and the voice VLAN cannot be
    // read: Apply stays refused, also once the global settings are in.
    StartSurveillanceSwitch(false);
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 2, false));
        ASSERT_TRUE(Pump([&] {
            std::string vid;
            d.GetDlgItemText(IDC_SURV_VLAN_ID, vid);
            return vid == "30";
        }));
        EXPECT_FALSE(Enabled(d, IDC_SURV_APPLY));
        ApplyWith(d, true, "60", 3, "1-4");
        PumpFor(100);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_TRUE(SetBindings().empty());
    EXPECT_EQ(sim->Get(kVlanId), "30");
}

TEST_F(CameraVlanSettingTest, AddsShowsAndDeletesMacAndOuiEntries)
{
    StartSurveillanceSwitch();
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 2));
        AddEntry(d, false, 2, "Door encoder", "00-1b-22-33-44-55");
        ASSERT_TRUE(WaitForReads(d, 3));
        AddEntry(d, true, 3, "", "00-AA-BB");
        ASSERT_TRUE(WaitForReads(d, 4));
        EXPECT_EQ(Rows(CameraList(d), 4), (std::vector<std::string>{
                                        "1 | Video Encoder | Door encoder | 00-1B-22-33-44-55",
                                        "2 | Network Storage |  | 00-AA-BB-00-00-00",
                                        "3 | Korvel Surveillance Device | Korvel Camera | 1A-6E-40-0X-XX-XX",
                                        "4 | Korvel Surveillance Device | Korvel Camera Gen2 | 1A-6E-41-XX-XX-XX",
                                    }));
        std::string text;
        d.GetDlgItemText(IDC_SURV_ADDRESS, text);
        EXPECT_EQ(text, "");

        ClickRow(CameraList(d), 0);
        ClickButton(d, IDC_SURV_DELETE);
        ASSERT_TRUE(WaitForReads(d, 3));
        EXPECT_EQ(CameraList(d).GetItemText(0, 3), "00-AA-BB-00-00-00");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    const std::string mac = ".0.27.34.51.68.85";
    const std::string oui = ".0.170.187.0.0.0";
    EXPECT_EQ(SetBindings(), (std::vector<std::string>{
                                 Component(5, mac) + "|2|4",
                                 Component(2, mac) + "|4|Door encoder",
                                 Component(4, mac) + "|2|2",
                                 Component(5, oui) + "|2|4",
                                 Component(2, oui) + "|4|",
                                 Component(4, oui) + "|2|3",
                                 Component(3, oui) + "|4x|ffffff000000",
                                 Component(5, mac) + "|2|6",
                             }));
    EXPECT_FALSE(sim->Has(Component(5, mac)));
    EXPECT_EQ(sim->Get(Component(4, oui)), "3");
}

TEST_F(CameraVlanSettingTest, TheDefaultRowsCannotBeDeleted)
{
    StartSurveillanceSwitch();
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 2));
        ClickButton(d, IDC_SURV_DELETE);
        for (int row : {0, 1}) {
            ClickRow(CameraList(d), row);
            ClickButton(d, IDC_SURV_DELETE);
        }
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Please Selecte the OUI Entry you would to delete",
                                                              "The default Surveillance OUI can not be deleted.",
                                                              "The default Surveillance OUI can not be deleted."}));
    EXPECT_TRUE(SetBindings().empty());
    EXPECT_TRUE(sim->Has(Component(5, kFirstDefaultIndex)));
    EXPECT_TRUE(sim->Has(Component(5, kSecondDefaultIndex)));
}

TEST_F(CameraVlanSettingTest, RefusesBadAndDuplicateAddresses)
{
    const std::string format = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    struct Case
    {
        bool ouiMode;
        std::string description;
        std::string address;
        std::string message;
    };
    const Case cases[] = {
        {false, "cam;1", "00-11-22-33-44-66", "Invalid Description."},
        {false, "", "00-11-22", format},
        {true, "", "001122", format},
        {false, "", "001122334466", format},
        {false, "", "00-11-22-33-44-6G", format},
        {false, "", "00-11-22-33-44--6", format},
        {false, "", "00-00-00-00-00-00", format},
        {false, "", "FF-FF-FF-FF-FF-FF", "Broadcast MAC is not allowed."},
        {false, "", "ff-ff-ff-ff-ff-ff", "Broadcast MAC is not allowed."},
        {false, "", "01-00-00-00-00-01", "Multicast MAC is not allowed."},
        {false, "", "5E-12-34-00-00-01", "The OUI is already exist at Voice Vlan OUI Table!"},
        {true, "", "5e-12-34", "The OUI is already exist at Voice Vlan OUI Table!"},
        {false, "", "1A-6E-40-00-00-01", "This OUI is default, please select the default mode!"},
        {false, "", "1a-6e-41-3f-00-00", "This OUI is default, please select the default mode!"},
        {false, "", "0A-BB-CC-DD-EE-FF", "The OUI is already exist!"},
        {false, "", "0a-bb-cc-dd-ee-ff", "The OUI is already exist!"},
        {true, "", "00-aa-bb", "The OUI is already exist!"},
    };
    StartSurveillanceSwitch();
    MakeRow(".10.187.204.221.238.255", "upper");
    MakeRow(".0.170.187.0.0.0", "oui");
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 4));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.address);
            const std::size_t before = boxes.Calls().size();
            AddEntry(d, c.ouiMode, 0, c.description, c.address);
            ASSERT_EQ(boxes.Calls().size(), before + 1);
            EXPECT_EQ(boxes.Calls().back().text, c.message);
            // A refused entry stays as typed.
            std::string text;
            d.GetDlgItemText(IDC_SURV_ADDRESS, text);
            EXPECT_EQ(text, c.address);
        }
        // The other voice OUI does not count for the rule.
        AddEntry(d, true, 0, "", "5E-12-35");
        ASSERT_TRUE(WaitForReads(d, 5));
    });
    EXPECT_EQ(boxes.Calls().size(), std::size(cases));
    EXPECT_EQ(SetBindings(4).size(), 3U + 1U);
    EXPECT_TRUE(sim->Has(Component(5, ".94.18.53.0.0.0")));
}

TEST_F(CameraVlanSettingTest, AFailedSecondWriteRemovesTheHalfMadeRow)
{
    StartSurveillanceSwitch();
    const std::string index = ".0.17.34.51.68.85";
    ASSERT_TRUE(sim->RefuseNextSet(Component(2, index), 5));
    BoxRecorder boxes;
    CCameraVlanSetting dialog;
    RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
        ASSERT_TRUE(WaitForReads(d, 2));
        AddEntry(d, false, 1, "viewer", "00-11-22-33-44-55");
        PumpFor(300);
        EXPECT_EQ(CameraList(d).GetItemCount(), 2);
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Failed to add the OUI entry.\nThe entry was created and taken away again."});
    EXPECT_EQ(SetBindings(), (std::vector<std::string>{Component(5, index) + "|2|4", Component(2, index) + "|4|viewer",
                                                       Component(4, index) + "|2|1", Component(5, index) + "|2|6"}));
    EXPECT_FALSE(sim->Has(Component(5, index)));
    EXPECT_FALSE(sim->Has(Component(1, index)));
}

TEST_F(CameraVlanSettingTest, AFullTableTakesNoMoreEntries)
{
    // Five user rows fill the table, and so do more than five (made elsewhere).
    for (int rows : {4, 5, 6}) {
        SCOPED_TRACE(rows);
        StartSurveillanceSwitch();
        for (int i = 0; i < rows; ++i)
            MakeRow(".0.1.2.3.4." + std::to_string(10 + i), "user" + std::to_string(i));
        BoxRecorder boxes;
        CCameraVlanSetting dialog;
        RunModal<CCameraVlanSetting>(dialog, [&](CCameraVlanSetting& d) {
            ASSERT_TRUE(WaitForReads(d, rows + 2));
            AddEntry(d, false, 0, "one more", "00-01-02-03-04-99");
            PumpFor(300);
        });
        if (rows < 5) {
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_TRUE(sim->Has(Component(5, ".0.1.2.3.4.153")));
        } else {
            EXPECT_EQ(boxes.Texts(),
                      std::vector<std::string>{"OUI Table is full,Maximum user defined OUI is 5."});
            EXPECT_EQ(SetBindings(2 * static_cast<std::size_t>(rows)).size(), 0U);
        }
    }
}

} // namespace surveillance_test
