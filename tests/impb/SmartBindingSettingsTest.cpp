// The smart binding port settings dialog on the simulated switch: the list's
// value mapping, a range written per port, the port boxes, the strict-mode
// warning, the aggregated-port refusal and the full-range guard.
#include "features/security/CSmartBindingSettings.h"
#include "resources/impb.h"
#include "support/FeatureDialogTest.h"

namespace impb_test {

namespace {

const std::string kPortTable = "1.3.6.1.4.1.32473.10.76.19.1.14.10.1.1";

using RequestList = std::vector<std::vector<std::string>>;

CListCtrl& PortList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SBS_LIST);
}

std::string RowText(CWnd& d, int row)
{
    std::string text;
    for (int col = 0; col < 4; ++col)
        text += (col ? "|" : "") + PortList(d).GetItemText(row, col);
    return text;
}

// The refresh has ended: every port listed, Apply back after the white-list walk.
bool WaitForRefresh(CWnd& d)
{
    return Pump([&] { return Enabled(d, IDC_SBS_APPLY) && PortList(d).GetItemCount() == 28; }, 20000);
}

std::string Cell(int column, int port)
{
    return kPortTable + "." + std::to_string(column) + "." + std::to_string(port) + "|2|";
}

class SmartBindingSettingsTest : public FeatureDialogTest
{
protected:
    void StartImpbSwitch(const std::vector<std::string>& fixtures = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("impb.snmprec")};
        for (const std::string& name : fixtures)
            files.push_back(std::string(KORVEL_SOURCE_DIR) + "/tests/impb/fixtures/" + name);
        StartSwitch(files, 28);
    }
};

} // namespace

TEST_F(SmartBindingSettingsTest, ListsEveryPortWithItsSettings)
{
    StartImpbSwitch();
    CSmartBindingSettings dialog;
    RunModal<CSmartBindingSettings>(dialog, [&](CSmartBindingSettings& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        EXPECT_EQ(d.GetWindowText(), "Smart Binding Settings");
        EXPECT_EQ(RowText(d, 0), "1|Disabled|Disabled|Disabled");
        EXPECT_EQ(RowText(d, 1), "2|Enabled|Enabled|Disabled");
        // An admin state outside the set shows as disabled.
        EXPECT_EQ(RowText(d, 2), "3|Disabled|Disabled|Disabled");
        EXPECT_EQ(RowText(d, 3), "4|Disabled|Disabled|Enabled");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_TO_PORT), "28");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_ADMIN_STATE), "Disabled");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_INSPECTION), "ARP Inspection");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_DHCP_SNOOPING), "Disabled");
    });
}

TEST_F(SmartBindingSettingsTest, ApplyWritesEachPortOfTheRangeAndRereads)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CSmartBindingSettings dialog;
    RunModal<CSmartBindingSettings>(dialog, [&](CSmartBindingSettings& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        Item<CComboBox>(d, IDC_SBS_FROM_PORT).SetCurSel(4);
        Item<CComboBox>(d, IDC_SBS_TO_PORT).SetCurSel(5);
        Item<CComboBox>(d, IDC_SBS_ADMIN_STATE).SetCurSel(1);
        Item<CComboBox>(d, IDC_SBS_INSPECTION).SetCurSel(1);
        Item<CComboBox>(d, IDC_SBS_DHCP_SNOOPING).SetCurSel(1);
        ClickButton(d, IDC_SBS_APPLY);
        EXPECT_TRUE(boxes.Calls().empty());
        const RequestList expected{{Cell(2, 5) + "1", Cell(3, 5) + "1", Cell(4, 5) + "1"},
                                   {Cell(2, 6) + "1", Cell(3, 6) + "1", Cell(4, 6) + "1"}};
        EXPECT_EQ(Requests("SET"), expected);
        ASSERT_TRUE(WaitForRefresh(d));
        EXPECT_EQ(RowText(d, 4), "5|Enabled|Enabled|Enabled");
        EXPECT_EQ(RowText(d, 6), "7|Disabled|Disabled|Disabled");
    });
}

TEST_F(SmartBindingSettingsTest, PortBoxesKeepTheirOrderAndIpInspectionWarns)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CSmartBindingSettings dialog;
    RunModal<CSmartBindingSettings>(dialog, [&](CSmartBindingSettings& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        ChooseInCombo(d, IDC_SBS_FROM_PORT, 4);
        EXPECT_EQ(ComboSelection(d, IDC_SBS_TO_PORT), "5");
        ChooseInCombo(d, IDC_SBS_TO_PORT, 2);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "'To Port' can not be smaller than 'From Port'");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_TO_PORT), "5");

        ChooseInCombo(d, IDC_SBS_INSPECTION, 1);
        ChooseInCombo(d, IDC_SBS_INSPECTION, 0);
        ChooseInCombo(d, IDC_SBS_INSPECTION, 1);
        const auto calls = boxes.Calls();
        ASSERT_EQ(calls.size(), 3u);
        for (std::size_t i : {1u, 2u})
            EXPECT_EQ(calls[i].text, "Warning! All enable address binding ports switch will change to strict mode.");
        EXPECT_EQ(ComboSelection(d, IDC_SBS_INSPECTION), "ARP+IP Inspection");
        EXPECT_TRUE(Requests("SET").empty());
    });
}

TEST_F(SmartBindingSettingsTest, EnablingOverAnAggregatedPortIsRefusedFromTheFirstApply)
{
    StartImpbSwitch();
    BoxRecorder boxes;
    CSmartBindingSettings dialog;
    RunModal<CSmartBindingSettings>(dialog, [&](CSmartBindingSettings& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        Item<CComboBox>(d, IDC_SBS_TO_PORT).SetCurSel(3);
        Item<CComboBox>(d, IDC_SBS_ADMIN_STATE).SetCurSel(1);
        ClickButton(d, IDC_SBS_APPLY);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Cannot add a port-security enabled port to an aggregated link.");
        EXPECT_TRUE(Requests("SET").empty());

        // Disabling the same range is sent.
        Item<CComboBox>(d, IDC_SBS_ADMIN_STATE).SetCurSel(0);
        ClickButton(d, IDC_SBS_APPLY);
        EXPECT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(Requests("SET").size(), 4u);
    });
}

TEST_F(SmartBindingSettingsTest, EnablingEveryPortNeedsAWhiteListEntry)
{
    struct Case
    {
        bool emptyWhiteList;
        bool refused;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(c.emptyWhiteList ? "empty white list" : "white list with entries");
        std::vector<std::string> fixtures{"no-trunk.snmprec"};
        if (c.emptyWhiteList)
            fixtures.push_back("empty-white-list.snmprec");
        StartImpbSwitch(fixtures);
        BoxRecorder boxes;
        CSmartBindingSettings dialog;
        RunModal<CSmartBindingSettings>(dialog, [&](CSmartBindingSettings& d) {
            ASSERT_TRUE(WaitForRefresh(d));
            Item<CComboBox>(d, IDC_SBS_ADMIN_STATE).SetCurSel(1);
            ClickButton(d, IDC_SBS_APPLY);
            if (c.refused) {
                ASSERT_EQ(boxes.Calls().size(), 1u);
                EXPECT_EQ(boxes.Calls()[0].text, "This operation will cause device to out of control.");
                EXPECT_EQ(ComboSelection(d, IDC_SBS_ADMIN_STATE), "Disabled");
                EXPECT_TRUE(Requests("SET").empty());
            } else {
                EXPECT_TRUE(boxes.Calls().empty());
                EXPECT_EQ(Requests("SET").size(), 28u);
            }
        });
    }
}

// A port the switch refuses, or does not answer, ends the range there; the
// message says what was written.
TEST_F(SmartBindingSettingsTest, AFailedPortEndsTheRangeAndIsSaidWithWhatWasWritten)
{
    struct Case
    {
        bool silent;
        std::string message;
        std::size_t sets; // SETs of the range the switch received
    };
    const Case cases[] = {
        {false,
         "Could not write the binding settings of port 7: the switch refused it (general error).\n"
         "Ports 5-6 were written; port 7 and later were not.",
         3},
        {true, "Could not write the binding settings of port 5: the switch did not answer.\nNothing was written.", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.silent ? "silent" : "refused");
        StartImpbSwitch();
        BoxRecorder boxes;
        std::size_t setsBefore = 0;
        CSmartBindingSettings dialog;
        RunModal<CSmartBindingSettings>(dialog, [&](CSmartBindingSettings& d) {
            ASSERT_TRUE(WaitForRefresh(d));
            Item<CComboBox>(d, IDC_SBS_FROM_PORT).SetCurSel(4);
            Item<CComboBox>(d, IDC_SBS_TO_PORT).SetCurSel(9);
            // A silent switch: every reply comes after the time-out.
            if (c.silent)
                ASSERT_TRUE(sim->SetReplyDelay(3500));
            else
                ASSERT_TRUE(sim->RefuseNextSet(kPortTable + ".2.7", 5));
            setsBefore = Requests("SET").size();
            ClickButton(d, IDC_SBS_APPLY);
                ASSERT_FALSE(boxes.Calls().empty());
            EXPECT_EQ(boxes.Calls()[0].text, c.message);
        });
        // The switch serves its requests in order: once it has taken back the
        // delay, it has received (and logged) every SET the dialog sent.
        ASSERT_TRUE(Pump([&] { return sim->SetReplyDelay(0); }, 60000));
        EXPECT_EQ(Requests("SET").size() - setsBefore, c.sets);
        ASSERT_TRUE(sim->Stop());
    }
}

} // namespace impb_test
