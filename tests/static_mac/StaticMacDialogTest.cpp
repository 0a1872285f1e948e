// The static MAC dialog on the simulated switch: the active entries listed,
// the Add checks in their order, adding and deleting a row, and the learning
// state with its uplink ports written and refused.
#include "features/layer2/CStaticMACDlg.h"
#include "resources/static_mac.h"
#include "support/FeatureDialogTest.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace static_mac_test {

namespace {

const std::string kKorvel = "1.3.6.1.4.1.32473.10.76.19.1";
const std::string kLearning = kKorvel + ".9.1.0";
const std::string kUplinks = kKorvel + ".9.2.0";
const std::string kAsymmetricVlan = kKorvel + ".7.5.0";
// A column of the static table at the row of VID, MAC octets ("0.17.34.51.68.85") and port.
std::string StaticCell(int column, const std::string& index)
{
    return kKorvel + ".9.3.1." + std::to_string(column) + "." + index;
}

using RequestList = std::vector<std::vector<std::string>>;

CListCtrl& EntryList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_SMAC_LIST);
}

std::string RowText(CWnd& d, int row)
{
    std::string text;
    for (int col = 0; col < 4; ++col)
        text += (col ? "|" : "") + EntryList(d).GetItemText(row, col);
    return text;
}

// The refresh has ended: the table walk gave the buttons back, the VLAN walk
// the VID box, and the trunk walk the aggregated links the checks need.
bool WaitForRefresh(CStaticMACDlg& d)
{
    return Pump([&] { return Enabled(d, IDC_SMAC_ADD) && Enabled(d, IDC_SMAC_VID) && d.TrunksRead(); }, 20000);
}

void Choose(CWnd& d, int id, const std::string& text)
{
    ASSERT_NE(Item<CComboBox>(d, id).SelectString(-1, text), CB_ERR) << text;
}

// The 28-port switch of static_mac.snmprec with the VLANs of vlan.snmprec:
// learning on with uplinks 1, 2, 7 and 8; trunk 1 holds ports 7 and 8;
// asymmetric VLAN off; two active entries and one not in service.
class StaticMacDialogTest : public FeatureDialogTest
{
protected:
    void StartMacSwitch(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> files{KorvelSimulator::BaseData(), KorvelSimulator::TestData("vlan.snmprec"),
                                       KorvelSimulator::TestData("static_mac.snmprec")};
        files.insert(files.end(), extra.begin(), extra.end());
        StartSwitch(files, 28);
    }
    void SetInt(const std::string& oid, int value)
    {
        ASSERT_EQ(sim->Set(oid, SnmpValueInteger, std::to_string(value)), 0) << oid;
        ++m_ownSets;
    }
    RequestList Sets() const
    {
        RequestList sets = Requests("SET");
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(m_ownSets, sets.size())));
        return sets;
    }

    std::size_t m_ownSets = 0;
};

} // namespace

TEST_F(StaticMacDialogTest, ListsTheActiveEntriesAndTheLearningState)
{
    StartMacSwitch();
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        EXPECT_EQ(d.GetWindowText(), "Static MAC Configuration");
        ASSERT_EQ(EntryList(d).GetItemCount(), 2);
        EXPECT_EQ(RowText(d, 0), "1|3|00-11-22-33-44-55|1");
        EXPECT_EQ(RowText(d, 1), "2|4|00-11-22-33-44-66|10");
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_SMAC_LEARN_ENABLED), static_cast<UINT>(BST_CHECKED));
        EXPECT_EQ(d.GetDlgItem(IDC_SMAC_UPLINK)->GetWindowText(), "1-2,7-8");
        EXPECT_TRUE(Enabled(d, IDC_SMAC_UPLINK));
        CComboBox& vids = Item<CComboBox>(d, IDC_SMAC_VID);
        std::vector<std::string> items;
        for (int i = 0; i < vids.GetCount(); ++i) {
            std::string text;
            vids.GetLBText(i, text);
            items.push_back(text);
        }
        // The VLAN ids of the static VLAN table, in its order.
        ASSERT_GE(items.size(), 4u);
        EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 4),
                  (std::vector<std::string>{"1", "2", "10", "20"}));
        EXPECT_EQ(ComboSelection(d, IDC_SMAC_VID), "1");
        EXPECT_EQ(ComboSelection(d, IDC_SMAC_PORT), "1");

        ClickButton(d, IDC_SMAC_LEARN_DISABLED);
        EXPECT_FALSE(Enabled(d, IDC_SMAC_UPLINK));
        ClickButton(d, IDC_SMAC_LEARN_ENABLED);
        EXPECT_TRUE(Enabled(d, IDC_SMAC_UPLINK));
    });
}

TEST_F(StaticMacDialogTest, AddRunsItsChecksAndCreatesTheRow)
{
    StartMacSwitch();
    struct Case
    {
        const char* vid;
        const char* port;
        const char* mac;
        const char* message; // nullptr: created
        const char* index;   // of the created row
        bool keepsFields;
    };
    const Case cases[] = {
        {"10", "1", "02-a0-c9-4d-00-00", "Could not be device MAC.", nullptr, true},
        {"10", "1", "02-A0-C9-4D-00-00", "Could not be device MAC.", nullptr, true},
        {"1", "1", "01-00-5E-00-00-01", "Multicast MAC is not allowed.", nullptr, false},
        {"1", "7", "00-11-22-33-44-99",
         "Cannot add  ports with different FDB-destination-hit configurations to an aggregated link.", nullptr, false},
        {"1", "9", "00-11-22-33-44-55", "The entry is already in the Static MAC Address List.", nullptr, false},
        {"10", "1", "02-A0-C9-4D-00-01", nullptr, "10.2.160.201.77.0.1.1", false},
        {"10", "9", "00-11-22-33-44-55", nullptr, "10.0.17.34.51.68.85.9", false},
    };
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        int rows = 2;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.vid) + " " + c.port + " " + c.mac);
            Choose(d, IDC_SMAC_VID, c.vid);
            Choose(d, IDC_SMAC_PORT, c.port);
            d.GetDlgItem(IDC_SMAC_MAC)->SetWindowText(c.mac);
            const std::size_t sets = Sets().size();
            BoxRecorder boxes;
            ClickButton(d, IDC_SMAC_ADD);
            const auto calls = boxes.Calls();
            if (c.message != nullptr) {
                ASSERT_EQ(calls.size(), 1u);
                EXPECT_EQ(calls[0].text, c.message);
                EXPECT_EQ(Sets().size(), sets);
                EXPECT_EQ(d.GetDlgItem(IDC_SMAC_MAC)->GetWindowText(), c.keepsFields ? c.mac : "");
                continue;
            }
            EXPECT_TRUE(calls.empty());
            ASSERT_EQ(Sets().size(), sets + 1);
            EXPECT_EQ(Sets().back(), std::vector<std::string>{StaticCell(4, c.index) + "|2|4"});
            EXPECT_EQ(sim->Get(StaticCell(4, c.index)), "1");
            EXPECT_EQ(sim->Get(StaticCell(1, c.index)), c.vid);
            EXPECT_EQ(sim->Get(StaticCell(3, c.index)), c.port);
            ++rows;
            ASSERT_TRUE(Pump([&] { return EntryList(d).GetItemCount() == rows && Enabled(d, IDC_SMAC_ADD); }, 20000))
                << EntryList(d).GetItemCount() << " "
                << (EntryList(d).GetItemCount() > 0 ? RowText(d, EntryList(d).GetItemCount() - 1) : "");
            ASSERT_TRUE(WaitForRefresh(d));
            EXPECT_EQ(d.GetDlgItem(IDC_SMAC_MAC)->GetWindowText(), "");
        }
        // In the switch's order, numbered by position.
        EXPECT_EQ(RowText(d, 1), "2|9|00-11-22-33-44-55|10");
        EXPECT_EQ(RowText(d, 2), "3|4|00-11-22-33-44-66|10");
        EXPECT_EQ(RowText(d, 3), "4|1|02-A0-C9-4D-00-01|10");
    });
}

TEST_F(StaticMacDialogTest, WithAsymmetricVlanOnlyVlanOneIsAccepted)
{
    StartMacSwitch();
    SetInt(kAsymmetricVlan, 1);
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        BoxRecorder boxes;
        Choose(d, IDC_SMAC_VID, "10");
        d.GetDlgItem(IDC_SMAC_MAC)->SetWindowText("00-11-22-33-44-99");
        ClickButton(d, IDC_SMAC_ADD);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "The VLAN ID must equal to 1 when asymmetric VLAN enable.");
        EXPECT_TRUE(Sets().empty());

        Choose(d, IDC_SMAC_VID, "1");
        d.GetDlgItem(IDC_SMAC_MAC)->SetWindowText("00-11-22-33-44-99");
        ClickButton(d, IDC_SMAC_ADD);
        EXPECT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(sim->Get(StaticCell(4, "1.0.17.34.51.68.153.1")), "1");
    });
}

TEST_F(StaticMacDialogTest, A256thEntryIsRefusedBeforeAnyOtherCheck)
{
    const std::string path =
        (std::filesystem::temp_directory_path() / ("korvel-static-mac-" + std::to_string(getpid()) + ".snmprec"))
            .string();
    {
        std::ofstream file(path);
        for (int i = 0; i < 256; ++i)
            file << StaticCell(4, "1.0.17.34.0." + std::to_string(i / 200) + "." + std::to_string(i % 200) + ".1")
                 << "|2|1\n";
    }
    StartMacSwitch({path});
    SetInt(kAsymmetricVlan, 1);
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        ASSERT_TRUE(Pump([&] { return EntryList(d).GetItemCount() == 258; }, 20000));
        // Asymmetric VLAN with VID 10, and no MAC address at all: the count comes first.
        Choose(d, IDC_SMAC_VID, "10");
        BoxRecorder boxes;
        ClickButton(d, IDC_SMAC_ADD);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Only support 256  Static Mac entries.");
        EXPECT_EQ(ComboSelection(d, IDC_SMAC_VID), "1");
        EXPECT_TRUE(Sets().empty());
    });
    std::filesystem::remove(path);
}

TEST_F(StaticMacDialogTest, DeleteDestroysTheSelectedRowAfterItsChecks)
{
    StartMacSwitch();
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        BoxRecorder boxes;
        ClickButton(d, IDC_SMAC_DELETE);
        ASSERT_EQ(boxes.Calls().size(), 1u);
        EXPECT_EQ(boxes.Calls()[0].text, "Please select the entry to delete.");

        ClickRow(EntryList(d), 1);
        ClickButton(d, IDC_SMAC_LEARN_DISABLED);
        d.GetDlgItem(IDC_SMAC_UPLINK)->SetWindowText("");
        ClickButton(d, IDC_SMAC_DELETE);
        ASSERT_EQ(boxes.Calls().size(), 2u);
        EXPECT_EQ(boxes.Calls()[1].text, "Please choose at least one uplink port when disabling auto learning.");
        EXPECT_TRUE(Sets().empty());

        ClickButton(d, IDC_SMAC_LEARN_ENABLED);
        ClickButton(d, IDC_SMAC_DELETE);
        EXPECT_EQ(boxes.Calls().size(), 2u);
        const std::string index = "10.0.17.34.51.68.102.4";
        EXPECT_EQ(Sets(), RequestList{{StaticCell(4, index) + "|2|6"}});
        EXPECT_EQ(sim->Get(StaticCell(4, index)), "<none>");
        ASSERT_TRUE(WaitForRefresh(d));
        ASSERT_TRUE(Pump([&] { return EntryList(d).GetItemCount() == 1; }, 20000));
        EXPECT_EQ(RowText(d, 0), "1|3|00-11-22-33-44-55|1");
    });
}

TEST_F(StaticMacDialogTest, ApplyWritesTheLearningStateAndItsUplinksOrRefuses)
{
    struct Case
    {
        int radio;
        const char* uplinks;
        const char* message; // nullptr: written
        RequestList sets;
    };
    const std::string kTrunkRefusal = "Cannot add a Auto-learn disabled port to an aggregated link.";
    const Case cases[] = {
        {IDC_SMAC_LEARN_DISABLED, "1-2,7-8", nullptr, {{kLearning + "|2|2"}}},
        {IDC_SMAC_LEARN_ENABLED, "1,7-8", nullptr, {{kLearning + "|2|1"}, {kUplinks + "|4x|83000000"}}},
        {IDC_SMAC_LEARN_ENABLED, "1-2", kTrunkRefusal.c_str(), {}},
        {IDC_SMAC_LEARN_DISABLED, "7", kTrunkRefusal.c_str(), {}},
        {IDC_SMAC_LEARN_ENABLED, "a", "Invalid Portlist.", {}},
        {IDC_SMAC_LEARN_ENABLED, "1-40", "Invalid Portlist", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.uplinks) + (c.radio == IDC_SMAC_LEARN_ENABLED ? " enabled" : " disabled"));
        StartMacSwitch();
        m_ownSets = 0;
        CStaticMACDlg dialog;
        RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
            ASSERT_TRUE(WaitForRefresh(d));
            ClickButton(d, c.radio);
            d.GetDlgItem(IDC_SMAC_UPLINK)->SetWindowText(c.uplinks);
            BoxRecorder boxes;
            ClickButton(d, IDC_SMAC_APPLY);
            const auto calls = boxes.Calls();
            if (c.message != nullptr) {
                ASSERT_EQ(calls.size(), 1u);
                EXPECT_EQ(calls[0].text, c.message);
            } else {
                EXPECT_TRUE(calls.empty());
            }
            EXPECT_EQ(Sets(), c.sets);
            // The refresh shows the switch's state again.
            ASSERT_TRUE(WaitForRefresh(d));
            const bool enabled = sim->Get(kLearning) == "1";
            EXPECT_EQ(d.IsDlgButtonChecked(IDC_SMAC_LEARN_ENABLED) == BST_CHECKED, enabled);
            EXPECT_EQ(Enabled(d, IDC_SMAC_UPLINK), enabled);
        });
    }
}

// A VLAN walk that dies on Refresh gives the VID box back with the VLANs of
// the last complete walk, and says so once; it does not leave the box
// disabled and empty.
TEST_F(StaticMacDialogTest, AFailedVlanWalkOffersTheLastCompleteVlans)
{
    StartMacSwitch();
    g_strTimeout = "1500";
    BoxRecorder boxes;
    CStaticMACDlg dialog;
    RunModal<CStaticMACDlg>(dialog, [&](CStaticMACDlg& d) {
        ASSERT_TRUE(WaitForRefresh(d));
        const auto items = [&] { return ComboTexts(d, IDC_SMAC_VID); };
        const std::vector<std::string> before = items();
        ASSERT_GE(before.size(), 4u);
        const auto vlanSteps = [&] {
            std::size_t n = 0;
            for (const auto& request : Requests("GETNEXT"))
                n += !request.empty() && request[0].rfind(kKorvel + ".7.6.1.1", 0) == 0 ? 1 : 0;
            return n;
        };
        const std::size_t stepsBefore = vlanSteps();
        ASSERT_TRUE(sim->SetReplyDelay(150));
        ClickButton(d, IDC_SMAC_REFRESH);
        ASSERT_TRUE(Pump([&] { return vlanSteps() > stepsBefore; }, 10000));
        ASSERT_TRUE(sim->SilenceFor(30000));
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_SMAC_VID) && Enabled(d, IDC_SMAC_REFRESH); }, 20000));
        EXPECT_EQ(items(), before);
        EXPECT_EQ(ComboSelection(d, IDC_SMAC_VID), "1");
    });
    EXPECT_EQ(boxes.Calls().size(), 1u);
    EXPECT_TRUE(Requests("SET").empty());
}

} // namespace static_mac_test
