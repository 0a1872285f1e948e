// The forwarding table viewer on the simulated switch: pages of 100 entries
// at 0, 100, 101 and 250 entries, the status texts and addresses, the ageing
// time, a walk cut short, and closing during a walk.
#include "features/agent_tools/CSwitchDatabase.h"
#include "resources/fdb.h"
#include "support/FeatureDialogTest.h"
#include "vlan/VlanTestSupport.h"

#include "common/CListCtrlEx.h"

namespace fdb_test {

using vlantest::Texts;

namespace {

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/fdb/fixtures/" + name;
}

CListCtrlEx& List(CWnd& d)
{
    return Item<CListCtrlEx>(d, IDC_FDB_LIST);
}

// The entry numbers of the page shown, first and last; 0, 0 when empty.
std::pair<int, int> Page(CWnd& d)
{
    CListCtrlEx& list = List(d);
    const int n = list.GetItemCount();
    if (n == 0)
        return {0, 0};
    return {std::stoi(list.GetItemText(0, 0)), std::stoi(list.GetItemText(n - 1, 0))};
}

class ForwardingTableTest : public FeatureDialogTest
{
protected:
    void StartFdb(const std::string& fixture)
    {
        StartSwitch({KorvelSimulator::BaseData(), Fixture(fixture)}, 28);
    }
    // The walk has ended: every one of `entries` GETNEXT replies came, and
    // Refresh is back.
    bool WalkEnded(CWnd& d, std::size_t entries)
    {
        return Pump([&] { return Requests("GETNEXT").size() >= entries + 1 && Enabled(d, IDC_FDB_REFRESH); },
                    30000);
    }
};

} // namespace

TEST(ForwardingTableText, AddressAndStatusTexts)
{
    struct Case
    {
        const char* index;
        const char* mac;
    };
    const Case cases[] = {
        {".1.0.17.34.51.68.85", "00-11-22-33-44-55"},
        {".10.0.17.34.51.68.85", "00-11-22-33-44-55"},
        {".4094.170.187.204.221.238.255", "AA-BB-CC-DD-EE-FF"},
        {".1.0.17.34", "00-11-22-00-00-00"},
        {"", "00-00-00-00-00-00"},
        {".1.256.1.2.3.4.5", "00-01-02-03-04-05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSwitchDatabase::MacFromIndex(c.index), c.mac) << c.index;
    const char* const statuses[][2] = {{"1", "Other"}, {"2", "Invalid"}, {"3", "Learn"}, {"4", "Own"},
                                       {"5", "Static"}, {"6", "6"},       {"", ""}};
    for (const auto& s : statuses)
        EXPECT_EQ(CSwitchDatabase::StatusText(s[0]), s[1]) << s[0];
}

TEST_F(ForwardingTableTest, PagesOfAHundred)
{
    struct Case
    {
        const char* fixture;
        std::size_t entries;
        // The pages Next shows, one after the other, from the first.
        std::vector<std::pair<int, int>> pages;
    };
    const Case cases[] = {
        {"fdb-0.snmprec", 0, {{0, 0}}},
        {"fdb-100.snmprec", 100, {{1, 100}}},
        {"fdb-101.snmprec", 101, {{1, 100}, {101, 101}}},
        {"fdb-250.snmprec", 250, {{1, 100}, {101, 200}, {201, 250}}},
    };
    for (const Case& c : cases) {
        StartFdb(c.fixture);
        CSwitchDatabase dialog;
        RunModal<CSwitchDatabase>(dialog, [&](CSwitchDatabase& d) {
            ASSERT_TRUE(WalkEnded(d, c.entries)) << c.fixture;
            EXPECT_EQ(d.GetWindowText(), "Forwarding Table");
            EXPECT_EQ(d.GetDlgItem(IDC_FDB_AGE_TIME)->GetWindowText(), "300");
            EXPECT_FALSE(Enabled(d, IDC_FDB_BACK)) << c.fixture;
            for (std::size_t i = 0; i < c.pages.size(); ++i) {
                EXPECT_EQ(Page(d), c.pages[i]) << c.fixture << " page " << i;
                const bool last = i + 1 == c.pages.size();
                EXPECT_EQ(Enabled(d, IDC_FDB_NEXT), !last) << c.fixture << " page " << i;
                EXPECT_EQ(Enabled(d, IDC_FDB_BACK), i > 0) << c.fixture << " page " << i;
                if (!last)
                    ClickButton(d, IDC_FDB_NEXT);
            }
            // Back to the first page.
            for (std::size_t i = c.pages.size(); i > 1; --i) {
                ClickButton(d, IDC_FDB_BACK);
                EXPECT_EQ(Page(d), c.pages[i - 2]) << c.fixture;
            }
            EXPECT_FALSE(Enabled(d, IDC_FDB_BACK)) << c.fixture;
        });
        sim.reset();
    }
}

TEST_F(ForwardingTableTest, ShowsPortAddressAndStatus)
{
    StartFdb("fdb-kinds.snmprec");
    CSwitchDatabase dialog;
    RunModal<CSwitchDatabase>(dialog, [&](CSwitchDatabase& d) {
        ASSERT_TRUE(WalkEnded(d, 4));
        std::vector<std::string> rows;
        for (int r = 0; r < List(d).GetItemCount(); ++r)
            rows.push_back(List(d).GetItemText(r, 0) + "|" + List(d).GetItemText(r, 1) + "|" +
                           List(d).GetItemText(r, 2) + "|" + List(d).GetItemText(r, 3));
        // Walk order: database 1 first; the same address in database 10 too.
        EXPECT_EQ(rows, (std::vector<std::string>{"1|3|00-11-22-33-44-55|Learn", "2|6|01-02-03-04-05-06|Own",
                                                  "3|5|AA-BB-CC-DD-EE-FF|6", "4|4|00-11-22-33-44-55|Static"}));
    });
}

// The table is taken whole when the walk ends: a walk cut short by a switch
// that falls silent never shows as a complete table. On opening the list
// stays empty; on Refresh the last complete table stays, with its paging.
// Either is said once.
TEST_F(ForwardingTableTest, AWalkCutShortIsSaidAndNeverShownAsComplete)
{
    StartFdb("fdb-250.snmprec");
    g_strTimeout = "1000";
    BoxRecorder boxes;
    auto silenceMidWalk = [&](std::size_t after) {
        ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() >= after; }, 30000));
        ASSERT_TRUE(sim->SilenceFor(3000));
    };
    {
        ASSERT_TRUE(sim->SetReplyDelay(10));
        CSwitchDatabase dialog;
        RunModal<CSwitchDatabase>(dialog, [&](CSwitchDatabase& d) {
            silenceMidWalk(20);
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_FDB_REFRESH); }, 30000));
            EXPECT_EQ(List(d).GetItemCount(), 0);
            EXPECT_FALSE(Enabled(d, IDC_FDB_NEXT));
        });
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The forwarding table could not be read from the switch."});
    ASSERT_TRUE(Pump([&] { std::string v; return sim->Get("1.3.6.1.2.1.17.4.2.0", v, 200); }, 20000));
    ASSERT_TRUE(sim->SetReplyDelay(0));

    CSwitchDatabase dialog;
    RunModal<CSwitchDatabase>(dialog, [&](CSwitchDatabase& d) {
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_FDB_NEXT); }, 30000));
        EXPECT_EQ(Page(d), std::make_pair(1, 100));
        ClickButton(d, IDC_FDB_NEXT);
        const std::size_t before = Requests("GETNEXT").size();
        ASSERT_TRUE(sim->SetReplyDelay(10));
        ClickButton(d, IDC_FDB_REFRESH);
        silenceMidWalk(before + 20);
        ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_FDB_REFRESH); }, 30000));
        EXPECT_EQ(Page(d), std::make_pair(101, 200));
        EXPECT_TRUE(Enabled(d, IDC_FDB_NEXT));
        EXPECT_TRUE(Enabled(d, IDC_FDB_BACK));
    });
    const auto texts = boxes.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "The forwarding table could not be read again from the switch; the last complete read is shown.");
}

TEST_F(ForwardingTableTest, ClosingDuringTheWalkIsClean)
{
    StartFdb("fdb-250.snmprec");
    ASSERT_TRUE(sim->SetReplyDelay(20));
    CSwitchDatabase dialog;
    RunModal<CSwitchDatabase>(dialog, [&](CSwitchDatabase& d) {
        ASSERT_TRUE(Pump([&] { return Requests("GETNEXT").size() >= 10; }, 30000));
        d.EndDialog(IDCANCEL);
    });
    EXPECT_TRUE(CCommonSNMP::WaitForWorkers(10000));
}

} // namespace fdb_test
