// The RMON 1 statistics table and its counter views on the simulated switch:
// the rows and titles, Add and Delete through the etherStatsTable's
// EntryStatus, group paging, the counters each slot and row reads, late
// replies, and nothing sent over SNMPv3.
#include "legacy/CRmon1Entry.h"
#include "legacy/CStatisticRmon1.h"
#include "legacy/CStatisticRmonCnt.h"
#include "legacy/CStatisticRmonInf.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"
#include "tools/korvel-sim/SimControlMib.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>

namespace rmon1_statistics_test {

using namespace legacytest;

namespace {

const std::string kEntry = "1.3.6.1.2.1.16.1.1.1";

std::string Fixture(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/tests/rmon1_statistics/fixtures/" + name;
}

void DoubleClickListRow(CListCtrl& list, int row)
{
    auto* view = static_cast<QAbstractItemView*>(list.GetWidget());
    const QPoint at = RowPoint(list, row);
    ClickRow(list, row);
    SendMouse(view->viewport(), QEvent::MouseButtonDblClick, at);
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, at);
}

// The statistics table with its entry dialog's answer and its counter views
// run by the test.
class Rmon1Table : public CStatisticRmon1
{
public:
    // Index, interface and property that the entry dialog answers; no
    // answer: Cancel.
    std::optional<std::array<std::string, 3>> entry;
    std::function<void(CDialog&)> inView;
    int views = 0;

protected:
    bool AskEntry(std::string& index, std::string& interfaceNumber, std::string& property) override
    {
        if (!entry)
            return false;
        index = (*entry)[0];
        interfaceNumber = (*entry)[1];
        property = (*entry)[2];
        return true;
    }
    void RunView(CDialog& view) override
    {
        ++views;
        ::RunModal<CDialog>(view, inView ? inView : [](CDialog&) {});
    }
};

class Rmon1Test : public LegacyTest
{
protected:
    std::vector<MessageBoxCall> boxes;
    int answer = IDOK;
    void SetUp() override
    {
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            boxes.push_back(call);
            return answer;
        });
    }
    void TearDown() override
    {
        SetMessageBoxHook({});
        LegacyTest::TearDown();
    }
    void StartRows(int rows) { StartLegacySwitch({Fixture("rows-" + std::to_string(rows) + ".snmprec")}); }
    // The etherStatsTable column each GET of the switch asked, in order.
    std::vector<std::string> CounterGets() const
    {
        std::vector<std::string> asked;
        for (const auto& request : Requests("GET"))
            if (!request.empty() && request[0].rfind(kEntry + ".", 0) == 0)
                asked.push_back(request[0].substr(0, request[0].find('|')));
        return asked;
    }
};

// The slots of the group view: each label and value, and whether it is enabled.
struct Slot
{
    std::string label;
    std::string value;
    bool enabled;
};

Slot SlotOf(CWnd& view, int slot)
{
    return {Text(view, IDC_RMON1_ITEM_FIRST + slot), Text(view, IDC_RMON1_VALUE_FIRST + slot),
            Enabled(view, IDC_RMON1_VALUE_FIRST + slot) && Enabled(view, IDC_RMON1_ITEM_FIRST + slot)};
}

bool WaitForValues(CWnd& view, int first, int count, const std::function<std::string(int)>& expected,
                   int timeoutMs = 10000)
{
    return PumpPosted(
        [&] {
            for (int k = first; k < first + count; ++k)
                if (Text(view, IDC_RMON1_VALUE_FIRST + k) != expected(k))
                    return false;
            return true;
        },
        timeoutMs);
}

} // namespace

TEST(Rmon1WordsTest, DataSourcesAndRowNumbers)
{
    const std::pair<const char*, const char*> sources[] = {{"1.3.6.1.2.1.2.2.1.1.5", "Interface #5"},
                                                           {"1.3.6.1.2.1.2.2.1.1.12", "Interface #12"},
                                                           {"0.0", "0.0"},
                                                           {"", ""}};
    for (const auto& [source, text] : sources)
        EXPECT_EQ(CStatisticRmon1::InterfaceText(source), text) << source;
    const std::pair<const char*, bool> numbers[] = {{"1", true},  {"65535", true}, {"2147483647", true},
                                                    {"0", false}, {"", false},     {"1.", false},
                                                    {"-3", false}, {" 4", false},  {"2147483648", false}};
    for (const auto& [text, ok] : numbers)
        EXPECT_EQ(CRmon1Entry::IsRowNumber(text), ok) << text;
    EXPECT_EQ(CStatisticRmonCnt::CounterColumn(0), 4);  // Octects
    EXPECT_EQ(CStatisticRmonCnt::CounterColumn(8), 13); // Collisions
    EXPECT_EQ(CStatisticRmonCnt::CounterColumn(14), 19);
    EXPECT_EQ(CStatisticRmonCnt::CounterColumn(15), 0);
}

TEST_F(Rmon1Test, ListsTheRowsAndTitlesTheClickedPort)
{
    StartRows(30);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        EXPECT_EQ(d.GetWindowText(), " RMON 1 Statistic Information:  Port 1");
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 30));
        ASSERT_TRUE(PumpPosted([&] { return d.m_nIfNumber == 29; }));
        const Rows rows = ListRows(d, IDC_RMON1_LIST);
        ASSERT_EQ(rows.size(), 30u);
        EXPECT_EQ(rows[11], (std::vector<std::string>{"12", "Interface #12"}));
        EXPECT_EQ(rows[29], (std::vector<std::string>{"1234", "Interface #40"}));
        EXPECT_EQ(Text(d, IDC_RMON1_COUNT), "30");
        EXPECT_EQ(d.m_nIndexCount, 30);
        EXPECT_EQ(d.m_strIndexList[29], "1234");
        EXPECT_FALSE(Enabled(d, IDC_RMON1_DELETE));
        ClickRow(List(d, IDC_RMON1_LIST), 11);
        EXPECT_EQ(d.GetWindowText(), " RMON1 Group Info - Port : 12");
        EXPECT_TRUE(Enabled(d, IDC_RMON1_DELETE));
        // Beyond ifNumber: port 1.
        ClickRow(List(d, IDC_RMON1_LIST), 29);
        EXPECT_EQ(d.GetWindowText(), " RMON1 Group Info - Port : 1");
        ClickButton(d, IDC_RMON1_REFRESH);
        EXPECT_FALSE(Enabled(d, IDC_RMON1_DELETE));
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 30));
        EXPECT_EQ(d.m_nIndexCount, 30);
    });
}

TEST_F(Rmon1Test, PortOneWhenIfNumberIsLower)
{
    StartLegacySwitch({Fixture("rows-24.snmprec"), Fixture("if-number-5.snmprec")});
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 24));
        ClickRow(List(d, IDC_RMON1_LIST), 11);
        EXPECT_EQ(d.GetWindowText(), " RMON1 Group Info - Port : 1");
        ClickRow(List(d, IDC_RMON1_LIST), 4);
        EXPECT_EQ(d.GetWindowText(), " RMON1 Group Info - Port : 5");
    });
}

TEST_F(Rmon1Test, AddCreatesARowAndDeleteRemovesItAfterOk)
{
    StartRows(24);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 24));
        d.entry = std::array<std::string, 3>{"77", "9", "Nimbex"};
        ClickButton(d, IDC_RMON1_ADD);
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 25));
        const Rows rows = ListRows(d, IDC_RMON1_LIST);
        EXPECT_EQ(rows.back(), (std::vector<std::string>{"77", "Interface #9"}));
        EXPECT_EQ(d.m_strIndexList.back(), "77");

        ClickRow(List(d, IDC_RMON1_LIST), 24);
        answer = IDCANCEL;
        ClickButton(d, IDC_RMON1_DELETE);
        PumpFor(300);
        EXPECT_EQ(List(d, IDC_RMON1_LIST).GetItemCount(), 25);
        answer = IDOK;
        ClickButton(d, IDC_RMON1_DELETE);
        ASSERT_TRUE(PumpPosted([&] { return !d.WalkRunning() && List(d, IDC_RMON1_LIST).GetItemCount() == 24; }, 15000));
        EXPECT_FALSE(Enabled(d, IDC_RMON1_DELETE));
    });
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Do you want to delete the control item?");
    EXPECT_EQ(boxes[0].type & 0xF, static_cast<UINT>(MB_OKCANCEL));
    const auto sets = Requests("SET");
    ASSERT_EQ(sets.size(), 2u); // Cancel sends nothing
    EXPECT_EQ(sets[0], (std::vector<std::string>{kEntry + ".21.77|2|2", kEntry + ".2.77|6|1.3.6.1.2.1.2.2.1.1.9",
                                                 kEntry + ".20.77|4|Nimbex"}));
    EXPECT_EQ(sets[1], (std::vector<std::string>{kEntry + ".21.77|2|4"}));
    EXPECT_EQ(sim->Get(kEntry + ".1.77"), "<none>");
}

TEST_F(Rmon1Test, EntryDialogTakesOnlyNumbers)
{
    StartRows(24);
    struct Case
    {
        const char* index;
        const char* interfaceNumber;
        bool accepted;
    };
    const Case cases[] = {{"", "", false}, {"5", "", false}, {"", "3", false}, {"5a", "3", false},
                          {"5", "3.", false}, {"5", "3", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.index) + "/" + c.interfaceNumber);
        boxes.clear();
        CRmon1Entry entry;
        const INT_PTR result = RunModal<CRmon1Entry>(entry, [&](CRmon1Entry& e) {
            EXPECT_EQ(Text(e, IDC_RMON1_ENTRY_PROPERTY), "Nimbex");
            e.SetDlgItemText(IDC_RMON1_ENTRY_INDEX, c.index);
            e.SetDlgItemText(IDC_RMON1_ENTRY_INTERFACE, c.interfaceNumber);
            ClickButton(e, IDOK);
            PumpFor(50);
            if (!c.accepted) {
                EXPECT_TRUE(IsWindow(e.GetSafeHwnd()));
                EXPECT_EQ(Text(e, IDC_RMON1_ENTRY_INDEX), c.index); // nothing lost
            }
        });
        EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL);
        EXPECT_EQ(boxes.size(), c.accepted ? 0u : 1u);
        if (c.accepted) {
            EXPECT_EQ(entry.m_strIndex, c.index);
            EXPECT_EQ(entry.m_strInterface, c.interfaceNumber);
        }
    }
}

TEST_F(Rmon1Test, GroupViewPagesThirtyRows)
{
    StartRows(30);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 30));
        d.inView = [&](CDialog& v) {
            auto& view = dynamic_cast<CStatisticRmonCnt&>(v);
            EXPECT_EQ(view.GetWindowText(), "RMON 1 Parameter Information");
            EXPECT_EQ(view.m_nGroupCount, 2);
            EXPECT_TRUE(Enabled(view, IDC_RMON1_NEXT_GROUP));
            EXPECT_EQ(ComboSelection(view, IDC_RMON1_GROUP_COUNTER), "Octects");
            ASSERT_TRUE(WaitForValues(view, 0, 24, [](int k) { return std::to_string(4000 + k + 1); }));
            EXPECT_EQ(SlotOf(view, 0).label, "Item 1");
            EXPECT_EQ(SlotOf(view, 23).label, "Item 24");

            ClickButton(view, IDC_RMON1_NEXT_GROUP);
            EXPECT_EQ(view.m_nGroup, 2);
            ASSERT_TRUE(WaitForValues(view, 0, 5, [](int k) { return std::to_string(4000 + 25 + k); }));
            ASSERT_TRUE(WaitForValues(view, 5, 1, [](int) { return std::string("5234"); }));
            EXPECT_EQ(SlotOf(view, 5).label, "Item 123"); // the first three characters of 1234
            for (int k = 6; k < 24; ++k) {
                const Slot slot = SlotOf(view, k);
                EXPECT_EQ(slot.label, "Item ") << k;
                EXPECT_EQ(slot.value, "") << k;
                EXPECT_FALSE(slot.enabled) << k;
            }
            ChooseInCombo(view, IDC_RMON1_GROUP_COUNTER, 8);
            EXPECT_EQ(ComboSelection(view, IDC_RMON1_GROUP_COUNTER), "Collisions");
            ASSERT_TRUE(WaitForValues(view, 0, 5, [](int k) { return std::to_string(13000 + 25 + k); }));

            ClickButton(view, IDC_RMON1_NEXT_GROUP); // wraps
            EXPECT_EQ(view.m_nGroup, 1);
            for (int k = 0; k < 24; ++k)
                EXPECT_TRUE(SlotOf(view, k).enabled) << k;
            ASSERT_TRUE(WaitForValues(view, 0, 24, [](int k) { return std::to_string(13000 + k + 1); }));
            ClickButton(view, IDC_RMON1_PREV_GROUP); // from group 1 to the last
            EXPECT_EQ(view.m_nGroup, 2);
            EXPECT_FALSE(SlotOf(view, 6).enabled);
        };
        ClickButton(d, IDC_RMON1_PARAMETER);
        EXPECT_EQ(d.views, 1);
    });
    // Group 2 asked six slots a time, and "Collisions" column 13.
    const auto gets = CounterGets();
    EXPECT_NE(std::find(gets.begin(), gets.end(), kEntry + ".13.1234"), gets.end());
    EXPECT_NE(std::find(gets.begin(), gets.end(), kEntry + ".4.1234"), gets.end());
    for (const std::string& oid : gets)
        EXPECT_TRUE(oid.rfind(kEntry + ".4.", 0) == 0 || oid.rfind(kEntry + ".13.", 0) == 0) << oid;
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Rmon1Test, GroupCountsFollowTheRows)
{
    const std::pair<int, int> cases[] = {{24, 1}, {49, 3}};
    for (const auto& [rows, groups] : cases) {
        SCOPED_TRACE(rows);
        StartRows(rows);
        Rmon1Table dialog;
        RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, rows));
            d.inView = [&](CDialog& v) {
                auto& view = dynamic_cast<CStatisticRmonCnt&>(v);
                EXPECT_EQ(view.m_nGroupCount, groups);
                EXPECT_EQ(Enabled(view, IDC_RMON1_NEXT_GROUP), groups > 1);
                EXPECT_EQ(Enabled(view, IDC_RMON1_PREV_GROUP), groups > 1);
                if (groups == 3) {
                    ClickButton(view, IDC_RMON1_PREV_GROUP);
                    EXPECT_EQ(view.m_nGroup, 3);
                    ASSERT_TRUE(WaitForValues(view, 0, 1, [](int) { return std::string("4049"); }));
                    EXPECT_FALSE(SlotOf(view, 1).enabled);
                }
            };
            ClickButton(d, IDC_RMON1_PARAMETER);
            if (rows == 49) {
                EXPECT_EQ(ListRows(d, IDC_RMON1_LIST)[48][1], "0.0"); // no interface: as received
            }
        });
    }
}

TEST_F(Rmon1Test, ALateReplyForAnEarlierGroupIsDropped)
{
    StartRows(30);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 30));
        ASSERT_TRUE(sim->SetReplyDelay(40)); // group 1's 24 replies take about a second
        d.inView = [&](CDialog& v) {
            auto& view = dynamic_cast<CStatisticRmonCnt&>(v);
            ClickButton(view, IDC_RMON1_NEXT_GROUP);
            ASSERT_TRUE(WaitForValues(view, 0, 6, [](int k) { return std::to_string(k < 5 ? 4025 + k : 5234); },
                                      15000));
            PumpFor(500);
            for (int k = 6; k < 24; ++k)
                EXPECT_EQ(SlotOf(view, k).value, "") << k;
        };
        ClickButton(d, IDC_RMON1_PARAMETER);
    });
}

// On a switch slower than the view's tick, every slot still fills: a slot
// asks again only once its reply (or time-out) came, so no request of a slot
// is outrun by its next one.
TEST_F(Rmon1Test, TheCounterViewOnASlowSwitchFillsEverySlot)
{
    StartRows(24);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 24));
        ASSERT_TRUE(sim->SetReplyDelay(120)); // one round of 24 replies outlasts a tick
        d.inView = [&](CDialog& v) {
            EXPECT_TRUE(WaitForValues(v, 0, 24, [](int k) { return std::to_string(4000 + k + 1); }, 30000));
        };
        ClickButton(d, IDC_RMON1_PARAMETER);
    });
}

TEST_F(Rmon1Test, InterfaceViewRowsFollowTheirOwnListsAndTimersReRead)
{
    StartRows(24);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 24));
        d.inView = [&](CDialog& v) {
            auto& view = dynamic_cast<CStatisticRmonInf&>(v);
            EXPECT_EQ(view.GetWindowText(), "RMON 1 Interface Information");
            for (int id : CStatisticRmonInf::kIndexListIds)
                EXPECT_EQ(ComboSelection(view, id), "3") << id;
            // Row r reads column r + 2 of the third row.
            ASSERT_TRUE(WaitForValues(view, 0, 17, [](int r) { return std::to_string((r + 3) * 1000 + 3); }));
            ChooseInCombo(view, CStatisticRmonInf::kIndexListIds[4], 9); // row 5: index 10
            ASSERT_TRUE(WaitForValues(view, 4, 1, [](int) { return std::string("7010"); }));
            EXPECT_EQ(Text(view, IDC_RMON1_VALUE_FIRST + 3), "6003");
            EXPECT_EQ(Text(view, IDC_RMON1_VALUE_FIRST + 5), "8003");
            // A typed index that is no number asks nothing for its row.
            const std::size_t before = CounterGets().size();
            view.GetDlgItem(CStatisticRmonInf::kIndexListIds[0])->SetWindowText("x");
            ClickButton(view, IDC_RMON1_INTERFACE_REFRESH);
            PumpFor(300);
            const auto gets = CounterGets();
            for (std::size_t i = before; i < gets.size(); ++i)
                EXPECT_NE(gets[i].rfind(kEntry + ".3.", 0), 0u) << gets[i];
            // The counters grow; the 5-second timer shows it.
            ASSERT_EQ(sim->Set(kSimCounterStep, SnmpValueInteger, "100"), 0);
            EXPECT_TRUE(WaitForValues(view, 1, 1, [](int) { return std::string("4103"); }, 15000));
        };
        DoubleClickListRow(List(d, IDC_RMON1_LIST), 2);
        EXPECT_EQ(d.views, 1);
        // The Interface button opens the view for the selected row too.
        d.inView = [&](CDialog& view) { EXPECT_EQ(ComboSelection(view, CStatisticRmonInf::kIndexListIds[16]), "5"); };
        ClickRow(List(d, IDC_RMON1_LIST), 4);
        ClickButton(d, IDC_RMON1_INTERFACE);
        EXPECT_EQ(d.views, 2);
    });
}

TEST_F(Rmon1Test, GroupViewTimerReReads)
{
    StartRows(24);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 24));
        d.inView = [&](CDialog& v) {
            ASSERT_TRUE(WaitForValues(v, 0, 1, [](int) { return std::string("4001"); }));
            ASSERT_EQ(sim->Set(kSimCounterStep, SnmpValueInteger, "7"), 0);
            EXPECT_TRUE(PumpPosted([&] { return Text(v, IDC_RMON1_VALUE_FIRST) != "4001"; }, 10000));
        };
        ClickButton(d, IDC_RMON1_PARAMETER);
    });
}

TEST_F(Rmon1Test, ClosingTheViewsWhileRepliesArriveIsClean)
{
    StartRows(49);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_RMON1_LIST, 49));
        ASSERT_TRUE(sim->SetReplyDelay(20));
        for (int round = 0; round < 3; ++round) {
            d.inView = [&](CDialog&) { PumpFor(100 + 50 * round); };
            ClickButton(d, IDC_RMON1_PARAMETER);
            ClickButton(d, IDC_RMON1_INTERFACE);
        }
        EXPECT_EQ(d.views, 6);
    });
    PumpFor(1500);
}

TEST_F(Rmon1Test, NothingIsSentOverSnmpV3)
{
    StartRows(24);
    UseV3(kAuthPriv);
    Rmon1Table dialog;
    RunModal<Rmon1Table>(dialog, [&](Rmon1Table& d) {
        PumpFor(300);
        EXPECT_EQ(List(d, IDC_RMON1_LIST).GetItemCount(), 0);
        d.entry = std::array<std::string, 3>{"77", "9", "Nimbex"};
        ClickButton(d, IDC_RMON1_ADD);
        d.inView = [](CDialog&) { PumpFor(300); };
        ClickButton(d, IDC_RMON1_PARAMETER);
        ClickButton(d, IDC_RMON1_INTERFACE);
        PumpFor(300);
        EXPECT_EQ(Text(d, IDC_RMON1_COUNT), "0");
    });
    EXPECT_EQ(RequestCount(), 0u);
}

} // namespace rmon1_statistics_test
