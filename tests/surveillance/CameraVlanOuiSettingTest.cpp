// The surveillance OUI table dialog on the simulated switch: entries listed
// with their masks, added and deleted, the default row it protects, bad and
// duplicate addresses, a failed second write rolled back, and a full table.
#include "features/ports_vlans/CCameraVLANOUISetting.h"
#include "resources/ports_vlans.h"
#include "surveillance/SurveillanceTestSupport.h"

namespace surveillance_test {

using namespace survtest;

namespace {

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SURVOUI_LIST);
}

const std::vector<std::string> kDefaultRows = {
    "1 | Korvel Camera | 1A-6E-40-00-00-00 | FF-FF-FF-00-00-00",
    "2 | Korvel Camera Gen2 | 1A-6E-41-00-00-00 | FF-FF-FF-00-00-00",
};

class CameraVlanOuiSettingTest : public SurveillanceTest
{
protected:
    static bool WaitForList(CWnd& d, int rows)
    {
        return Pump([&] { return Enabled(d, IDC_SURVOUI_REFRESH) && List(d).GetItemCount() == rows; }, 20000);
    }
    static void AddEntry(CWnd& d, const std::string& description, const std::string& address)
    {
        d.SetDlgItemText(IDC_SURVOUI_DESCRIPTION, description);
        d.SetDlgItemText(IDC_SURVOUI_ADDRESS, address);
        ClickButton(d, IDC_SURVOUI_ADD);
    }
};

} // namespace

TEST_F(CameraVlanOuiSettingTest, AddsShowsAndDeletesEntries)
{
    StartSurveillanceSwitch();
    BoxRecorder boxes;
    CCameraVLANOUISetting dialog;
    RunModal<CCameraVLANOUISetting>(dialog, [&](CCameraVLANOUISetting& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(d.GetWindowText(), "Auto Surveillance VLAN OUI Settings");
        EXPECT_EQ(Rows(List(d), 4), kDefaultRows);
        // Twelve digits without dashes are an address too.
        AddEntry(d, "Recorder", "0a1b2c3d4e5f");
        ASSERT_TRUE(WaitForList(d, 3));
        EXPECT_EQ(Rows(List(d), 4)[0], "1 | Recorder | 0A-1B-2C-3D-4E-5F | 00-00-00-00-00-00");
        std::string text;
        d.GetDlgItemText(IDC_SURVOUI_ADDRESS, text);
        EXPECT_EQ(text, "");

        ClickRow(List(d), 0);
        ClickButton(d, IDC_SURVOUI_DELETE);
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(Rows(List(d), 4), kDefaultRows);
    });
    EXPECT_TRUE(boxes.Calls().empty());
    const std::string index = ".10.27.44.61.78.95";
    EXPECT_EQ(SetBindings(),
              (std::vector<std::string>{Component(5, index) + "|2|4", Component(2, index) + "|4|Recorder",
                                        Component(5, index) + "|2|6"}));
    EXPECT_FALSE(sim->Has(Component(5, index)));
}

TEST_F(CameraVlanOuiSettingTest, OnlyTheFirstDefaultRowIsProtected)
{
    StartSurveillanceSwitch();
    BoxRecorder boxes;
    CCameraVLANOUISetting dialog;
    RunModal<CCameraVLANOUISetting>(dialog, [&](CCameraVLANOUISetting& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        ClickButton(d, IDC_SURVOUI_DELETE);
        ClickRow(List(d), 0);
        ClickButton(d, IDC_SURVOUI_DELETE);
        ClickRow(List(d), 1);
        ClickButton(d, IDC_SURVOUI_DELETE);
        ASSERT_TRUE(WaitForList(d, 1));
    });
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Please Selecte the OUI Entry you would to delete",
                                                              "The default Surveillance OUI can not be deleted."}));
    EXPECT_EQ(SetBindings(), std::vector<std::string>{Component(5, kSecondDefaultIndex) + "|2|6"});
    EXPECT_TRUE(sim->Has(Component(5, kFirstDefaultIndex)));
}

TEST_F(CameraVlanOuiSettingTest, RefusesBadAndDuplicateAddresses)
{
    const std::string format = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    struct Case
    {
        std::string description;
        std::string address;
        std::string message;
    };
    const Case cases[] = {
        {"a/b", "00-11-22-33-44-66", "Invalid Description."},
        {"", "00112233445", format},
        {"", "0011223344556", format},
        {"", "00-11-22-33-44-5G", format},
        {"", "00-11-22-33-44-", format},
        {"", "00:11:22:33:44:55", format},
        {"", "00-00-00-00-00-00", format},
        {"", "01-00-00-00-00-01", "Multicast MAC  is not allowed."},
        {"", "1A-6E-40-00-00-05", "This OUI is default, please select the default mode!"},
        {"", "1a6e40000005", "This OUI is default, please select the default mode!"},
        {"", "0A-BB-CC-DD-EE-FF", "The OUI is already exist!"},
        {"", "0a-bb-cc-dd-ee-ff", "The OUI is already exist!"},
        {"", "0abbccddeeff", "The OUI is already exist!"},
        {"", "1a-6e-41-00-00-00", "The OUI is already exist!"},
    };
    StartSurveillanceSwitch();
    MakeRow(".10.187.204.221.238.255", "upper");
    BoxRecorder boxes;
    CCameraVLANOUISetting dialog;
    RunModal<CCameraVLANOUISetting>(dialog, [&](CCameraVLANOUISetting& d) {
        ASSERT_TRUE(WaitForList(d, 3));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.address);
            const std::size_t before = boxes.Calls().size();
            AddEntry(d, c.description, c.address);
            ASSERT_EQ(boxes.Calls().size(), before + 1);
            EXPECT_EQ(boxes.Calls().back().text, c.message);
            std::string text;
            d.GetDlgItemText(IDC_SURVOUI_ADDRESS, text);
            EXPECT_EQ(text, c.address);
        }
    });
    EXPECT_EQ(SetBindings(2), std::vector<std::string>{});
}

TEST_F(CameraVlanOuiSettingTest, AFailedSecondWriteRemovesTheHalfMadeRow)
{
    StartSurveillanceSwitch();
    const std::string index = ".0.17.34.51.68.85";
    ASSERT_TRUE(sim->RefuseNextSet(Component(2, index), 5));
    BoxRecorder boxes;
    CCameraVLANOUISetting dialog;
    RunModal<CCameraVLANOUISetting>(dialog, [&](CCameraVLANOUISetting& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        AddEntry(d, "nvr", "00-11-22-33-44-55");
        PumpFor(300);
        EXPECT_EQ(List(d).GetItemCount(), 2);
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"Failed to add the OUI entry.\nThe entry was created and taken away again."});
    EXPECT_EQ(SetBindings(), (std::vector<std::string>{Component(5, index) + "|2|4", Component(2, index) + "|4|nvr",
                                                       Component(5, index) + "|2|6"}));
    EXPECT_FALSE(sim->Has(Component(5, index)));
}

TEST_F(CameraVlanOuiSettingTest, AFullTableTakesNoMoreEntries)
{
    // The second default row counts as user-defined here: with it, four rows
    // of the user's leave room for none, five fill the table over.
    for (int rows : {3, 4, 5}) {
        SCOPED_TRACE(rows);
        StartSurveillanceSwitch();
        for (int i = 0; i < rows; ++i)
            MakeRow(".0.1.2.3.4." + std::to_string(10 + i), "user" + std::to_string(i));
        BoxRecorder boxes;
        CCameraVLANOUISetting dialog;
        RunModal<CCameraVLANOUISetting>(dialog, [&](CCameraVLANOUISetting& d) {
            ASSERT_TRUE(WaitForList(d, rows + 2));
            AddEntry(d, "one more", "00-01-02-03-04-99");
            PumpFor(300);
        });
        if (rows < 4) {
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_TRUE(sim->Has(Component(5, ".0.1.2.3.4.153")));
        } else {
            EXPECT_EQ(boxes.Texts(),
                      std::vector<std::string>{"OUI Table is full,Maximum user defined OUI is 5."});
            EXPECT_FALSE(sim->Has(Component(5, ".0.1.2.3.4.153")));
        }
    }
}

} // namespace surveillance_test
