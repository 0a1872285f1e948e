// The Bandwidth Control dialog on the 28-port sample model's switch (trunk 1
// holds ports 27 and 28, trunk 2 ports 25 and 26; no limit on any port): the
// rate table, the rate checks, the SETs of each direction, the trunk refusal
// and the From/To rules.
#include "features/layer2/CBandWidthControlDlg.h"
#include "support/FeatureDialogTest.h"
#include "resources/bandwidth.h"

#include "common/CCommonSNMP.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/ui/CListCtrl.h"

#include <string>
#include <vector>

namespace bandwidth_test {

namespace {

const std::string kTable = "1.3.6.1.4.1.32473.10.76.19.1.13.1.2.1";

std::string Tx(int port)
{
    return kTable + ".2." + std::to_string(port);
}
std::string Rx(int port)
{
    return kTable + ".3." + std::to_string(port);
}

bool Settled()
{
    return Pump([] { return CCommonSNMP::WaitForWorkers(0); }, 20000);
}

CListCtrl& List(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_BANDWIDTH_LIST);
}

std::string Row(CWnd& d, int row)
{
    return List(d).GetItemText(row, 0) + "|" + List(d).GetItemText(row, 1) + "|" + List(d).GetItemText(row, 2);
}

enum Type { RX_ONLY = 0, TX_ONLY = 1, BOTH = 2 };

struct Entry
{
    int from, to;
    Type type;
    std::string rate; // "" with noLimit: No Limit "Enabled"
    bool noLimit = false;
};

void Fill(CWnd& d, const Entry& e)
{
    Item<CComboBox>(d, IDC_BANDWIDTH_FROM_PORT).SetCurSel(e.from - 1);
    Item<CComboBox>(d, IDC_BANDWIDTH_TO_PORT).SetCurSel(e.to - 1);
    Item<CComboBox>(d, IDC_BANDWIDTH_TYPE).SetCurSel(e.type);
    Item<CComboBox>(d, IDC_BANDWIDTH_NO_LIMIT).SetCurSel(e.noLimit ? 0 : 1);
    d.GetDlgItem(IDC_BANDWIDTH_RATE)->SetWindowText(e.rate);
}

class BandwidthDialogTest : public FeatureDialogTest
{
protected:
    void StartPuffin() { StartModelSwitch("KSX-Puffin", 28); }
    std::vector<std::vector<std::string>> Sets() const { return Requests("SET"); }
    std::vector<std::vector<std::string>> SetsSince(std::size_t n) const
    {
        auto sets = Sets();
        sets.erase(sets.begin(), sets.begin() + static_cast<std::ptrdiff_t>(std::min(n, sets.size())));
        return sets;
    }
    void Run(const std::function<void(CBandWidthControlDlg&)>& act)
    {
        CBandWidthControlDlg dialog;
        RunModal<CBandWidthControlDlg>(dialog, [&](CBandWidthControlDlg& d) {
            ASSERT_TRUE(Settled());
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_BANDWIDTH_APPLY); }));
            act(d);
        });
    }
};

} // namespace

TEST_F(BandwidthDialogTest, ListsEveryPortsRatesWithNoLimitForZero)
{
    StartPuffin();
    ASSERT_EQ(sim->Set(Tx(3), SnmpValueInteger, "1000"), 0);
    ASSERT_EQ(sim->Set(Rx(4), SnmpValueInteger, "64"), 0);
    Run([&](CBandWidthControlDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Bandwidth Control");
        ASSERT_EQ(List(d).GetItemCount(), 28);
        EXPECT_EQ(Row(d, 0), "1|No Limit|No Limit");
        EXPECT_EQ(Row(d, 2), "3|1000|No Limit");
        EXPECT_EQ(Row(d, 3), "4|No Limit|64");
        EXPECT_EQ(Row(d, 27), "28|No Limit|No Limit");
        EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_FROM_PORT), "1");
        EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TO_PORT), "28");
        EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TYPE), "Rx");
        EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_NO_LIMIT), "Disabled");
        EXPECT_TRUE(Enabled(d, IDC_BANDWIDTH_RATE));
        EXPECT_TRUE(Enabled(d, IDC_BANDWIDTH_REFRESH));
        EXPECT_FALSE(d.GetDlgItem(IDC_BANDWIDTH_GIGABIT_NOTE)->IsWindowVisible());
        // No limit "Enabled" takes the rate edit away.
        ChooseInCombo(d, IDC_BANDWIDTH_NO_LIMIT, 0);
        EXPECT_FALSE(Enabled(d, IDC_BANDWIDTH_RATE));
        ChooseInCombo(d, IDC_BANDWIDTH_NO_LIMIT, 1);
        EXPECT_TRUE(Enabled(d, IDC_BANDWIDTH_RATE));
    });
}

TEST_F(BandwidthDialogTest, ApplySendsOneRequestPerPortRxBeforeTxAndResetsTheControls)
{
    struct Case
    {
        const char* name;
        Entry entry;
        std::vector<std::vector<std::string>> sets;
    };
    const Case cases[] = {
        {"Both: Rx first", {2, 4, BOTH, "64"},
         {{Rx(2) + "|2|64", Tx(2) + "|2|64"}, {Rx(3) + "|2|64", Tx(3) + "|2|64"}, {Rx(4) + "|2|64", Tx(4) + "|2|64"}}},
        {"Tx, From = To", {7, 7, TX_ONLY, "1024000"}, {{Tx(7) + "|2|1024000"}}},
        {"Rx", {23, 24, RX_ONLY, "500"}, {{Rx(23) + "|2|500"}, {Rx(24) + "|2|500"}}},
        {"No Limit writes 0", {2, 3, BOTH, "", true}, {{Rx(2) + "|2|0", Tx(2) + "|2|0"}, {Rx(3) + "|2|0", Tx(3) + "|2|0"}}},
    };
    StartPuffin();
    BoxRecorder boxes;
    Run([&](CBandWidthControlDlg& d) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            const std::size_t before = Sets().size();
            Fill(d, c.entry);
            ClickButton(d, IDC_BANDWIDTH_APPLY);
            EXPECT_FALSE(Enabled(d, IDC_BANDWIDTH_APPLY));
            ASSERT_TRUE(Settled());
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_BANDWIDTH_APPLY); }));
            EXPECT_EQ(SetsSince(before), c.sets);
            EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_FROM_PORT), "1");
            EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TO_PORT), "28");
            EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TYPE), "Rx");
            EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_NO_LIMIT), "Disabled");
            EXPECT_EQ(d.GetDlgItem(IDC_BANDWIDTH_RATE)->GetWindowText(), "");
        }
        // What the re-read lists.
        EXPECT_EQ(Row(d, 1), "2|No Limit|No Limit");
        EXPECT_EQ(Row(d, 3), "4|64|64");
        EXPECT_EQ(Row(d, 6), "7|1024000|No Limit");
        EXPECT_EQ(Row(d, 22), "23|No Limit|500");
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(sim->Get(Tx(4)), "64");
    EXPECT_EQ(sim->Get(Rx(3)), "0");
}

TEST_F(BandwidthDialogTest, RefusalsShowTheirMessageAndWriteNothing)
{
    const std::string invalid = "Invalid Rate.";
    const struct
    {
        Entry entry;
        std::string message;
    } cases[] = {
        {{1, 2, RX_ONLY, "63"}, invalid},
        {{1, 2, RX_ONLY, "1024001"}, invalid},
        {{1, 2, TX_ONLY, "0"}, invalid},
        {{1, 2, BOTH, ""}, invalid},
        {{1, 2, BOTH, "99999999999"}, invalid},
        // The rate is checked before the range.
        {{25, 25, BOTH, "63"}, invalid},
        {{20, 25, BOTH, "100"}, "You can't set the rate of Ports:25.because they are in aggregated link."},
        {{24, 28, RX_ONLY, "", true}, "You can't set the rate of Ports:25,26,27,28.because they are in aggregated link."},
    };
    StartPuffin();
    Run([&](CBandWidthControlDlg& d) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.entry.from) + ".." + std::to_string(c.entry.to) + " rate " + c.entry.rate);
            BoxRecorder boxes;
            Fill(d, c.entry);
            ClickButton(d, IDC_BANDWIDTH_APPLY);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            EXPECT_TRUE(Enabled(d, IDC_BANDWIDTH_APPLY));
            // What the user entered stays.
            EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_FROM_PORT), std::to_string(c.entry.from));
        }
    });
    EXPECT_TRUE(Sets().empty());
}

TEST_F(BandwidthDialogTest, ToFollowsFromAndIsNeverBelowIt)
{
    StartPuffin();
    Run([&](CBandWidthControlDlg& d) {
        ChooseInCombo(d, IDC_BANDWIDTH_FROM_PORT, 9); // port 10
        EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TO_PORT), "10");
        {
            BoxRecorder boxes;
            ChooseInCombo(d, IDC_BANDWIDTH_TO_PORT, 11); // 12: fine
            EXPECT_TRUE(boxes.Calls().empty());
            EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TO_PORT), "12");
        }
        BoxRecorder boxes;
        ChooseInCombo(d, IDC_BANDWIDTH_TO_PORT, 4); // 5: below From
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{" \"To port\"cannot be smaller than \"From Port\" "});
        EXPECT_EQ(ComboSelection(d, IDC_BANDWIDTH_TO_PORT), "10");
    });
}

TEST_F(BandwidthDialogTest, ARangeIsJudgedByTheTrunkGroupsReadWhenTheDialogOpened)
{
    StartPuffin();
    // Ports 25 and 26 leave trunk 2 before the dialog opens.
    ASSERT_EQ(sim->Set("1.3.6.1.4.1.32473.10.76.19.1.8.1.3.1.2.2", SnmpValueOctetString, std::string(4, '\0')), 0);
    BoxRecorder boxes;
    Run([&](CBandWidthControlDlg& d) {
        Fill(d, {25, 26, TX_ONLY, "128"});
        ClickButton(d, IDC_BANDWIDTH_APPLY);
        ASSERT_TRUE(Settled());
    });
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_EQ(sim->Get(Tx(25)), "128");
    EXPECT_EQ(sim->Get(Tx(26)), "128");
}

TEST_F(BandwidthDialogTest, ClosingWhileTheWalksRunDropsTheirRows)
{
    StartPuffin();
    ASSERT_TRUE(sim->SetReplyDelay(100));
    CBandWidthControlDlg dialog;
    RunModal<CBandWidthControlDlg>(dialog, [&](CBandWidthControlDlg& d) {
        EXPECT_FALSE(Enabled(d, IDC_BANDWIDTH_APPLY));
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(Settled());
    EXPECT_FALSE(IsWindow(dialog.GetSafeHwnd()));
}

} // namespace bandwidth_test
