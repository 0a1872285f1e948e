// The range editor's checks in add mode, on the simulated switch: each
// refusal with its message and nothing written, and the entries that pass
// written whole under the free index.
#include "features/poe_rmon/TimeBasedConfig.h"
#include "poe/PoeTestSupport.h"

namespace poe_test {

using namespace poetest;

namespace {

struct Day
{
    int year, month, day;
};
struct Entry
{
    std::string name;
    bool date = false;
    Day first{2010, 1, 1}, last{2010, 1, 1};
    int startHour = 8, startMinute = 0, endHour = 17, endMinute = 0;
};

void Fill(CWnd& editor, const Entry& e)
{
    editor.GetDlgItem(IDC_TRE_NAME)->SetWindowText(e.name);
    if (Checked(editor, IDC_TRE_DATE) != e.date)
        ClickButton(editor, IDC_TRE_DATE);
    auto choose = [&](int id, int position) { Item<CComboBox>(editor, id).SetCurSel(position); };
    choose(IDC_TRE_FROM_YEAR, e.first.year - 2009);
    choose(IDC_TRE_FROM_MONTH, e.first.month - 1);
    choose(IDC_TRE_FROM_DAY, e.first.day - 1);
    choose(IDC_TRE_TO_YEAR, e.last.year - 2009);
    choose(IDC_TRE_TO_MONTH, e.last.month - 1);
    choose(IDC_TRE_TO_DAY, e.last.day - 1);
    choose(IDC_TRE_START_HOUR, e.startHour);
    choose(IDC_TRE_START_MINUTE, e.startMinute);
    choose(IDC_TRE_END_HOUR, e.endHour);
    choose(IDC_TRE_END_MINUTE, e.endMinute);
}

class TimeRangeEditorTest : public PoeTest
{
};

} // namespace

TEST_F(TimeRangeEditorTest, ChecksTheNameDaysAndTimesBeforeWritingAnything)
{
    const std::string invalidName = "Invalid TimeRange Name.";
    const std::string sameTimes = "'Start Time' and 'End Time' can't be the same";
    const std::string startAfterEnd = "'Start Time' can't be grater than 'End Time'";
    struct Case
    {
        Entry entry;
        std::string message; // empty: accepted
    };
    const Case cases[] = {
        {{""}, "The TimeRange name can not be empty,please input it."},
        {{"a.b"}, invalidName},
        {{"a,b"}, invalidName},
        {{"a\"b"}, invalidName},
        {{"a/b"}, invalidName},
        // A name a row already has, listed or not.
        {{"Spring"}, invalidName},
        {{"Parked"}, invalidName},
        {{"Night shift (B)"}, ""},
        {{"Late", false, {}, {}, 17, 0, 8, 0}, startAfterEnd},
        {{"Equal", false, {}, {}, 8, 0, 8, 0}, sameTimes},
        {{"Equal days", true, {2012, 5, 5}, {2013, 5, 5}, 8, 30, 8, 30}, sameTimes},
        {{"Year", true, {2012, 5, 5}, {2011, 6, 6}}, "'To year' can't be less than 'From year'"},
        {{"Month", true, {2012, 5, 5}, {2012, 4, 6}}, "'To month' can't be less than 'From month'"},
        {{"Day", true, {2012, 5, 5}, {2012, 5, 4}}, "'To day' can't be less than 'From day'"},
        // On different days any times pass, also an end before the start.
        {{"Overnight", true, {2012, 5, 5}, {2012, 5, 6}, 22, 0, 6, 0}, ""},
        {{"Same day late", true, {2012, 5, 5}, {2012, 5, 5}, 22, 0, 6, 0}, startAfterEnd},
        // Days are not checked against their month.
        {{"Feb 31", true, {2011, 2, 31}, {2011, 3, 1}}, ""},
    };
    StartPoeSwitch();
    for (const Case& c : cases) {
        SCOPED_TRACE("\"" + c.entry.name + "\"");
        const std::size_t before = Sets().size();
        BoxRecorder boxes;
        TimeBasedConfig editor;
        editor.m_bAddMode = 1;
        // Four rows in service, one not: index 5 is free.
        editor.m_nTimeRangeIds = {1, 2, 3, 4, 5};
        editor.m_strTimeRangeNames = {"Workdays", "Parked", "Spring", "Unready", "Fifth"};
        editor.m_strRowStatus = {"1", "1", "1", "1", "2"};
        const INT_PTR result = RunModal<TimeBasedConfig>(editor, [&](TimeBasedConfig& e) {
            Fill(e, c.entry);
            ClickButton(e, IDC_TRE_APPLY);
        });
        if (c.message.empty()) {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(boxes.Calls().empty());
            ASSERT_EQ(SetsAfter(before).size(), 2U);
            EXPECT_EQ(sim->Get(RangeOid(2, 5)), c.entry.name);
            ASSERT_EQ(sim->Set(RangeOid(21, 5), SnmpValueInteger, "6"), 0);
        } else {
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
            EXPECT_TRUE(SetsAfter(before).empty());
        }
    }
}

TEST_F(TimeRangeEditorTest, ARangeWithoutADateWritesNoDateColumns)
{
    StartPoeSwitch();
    TimeBasedConfig editor;
    editor.m_nTimeRangeIds = {1, 2, 3, 4};
    editor.m_strTimeRangeNames = {"Workdays", "Parked", "Spring", "Unready"};
    editor.m_strRowStatus = {"1", "1", "1", "1"};
    RunModal<TimeBasedConfig>(editor, [&](TimeBasedConfig& e) {
        EXPECT_EQ(e.GetWindowText(), "Time Based PoE Config");
        for (int id : {IDC_TRE_FROM_YEAR, IDC_TRE_FROM_MONTH, IDC_TRE_FROM_DAY, IDC_TRE_TO_YEAR, IDC_TRE_TO_MONTH,
                       IDC_TRE_TO_DAY})
            EXPECT_FALSE(Enabled(e, id)) << id;
        Fill(e, {"Mornings", false, {}, {}, 7, 15, 11, 45});
        e.CheckDlgButton(IDC_TRE_TUESDAY, BST_CHECKED);
        ClickButton(e, IDC_TRE_APPLY);
    });
    auto cell = [](int column, const std::string& value) { return Int(RangeOid(column, 5), value); };
    std::vector<std::string> row{Text(RangeOid(2, 5), "Mornings"), cell(3, "2"),  cell(7, "7"),
                                 cell(8, "15"),                    cell(12, "11"), cell(13, "45")};
    for (int column = 14; column <= 20; ++column)
        row.push_back(cell(column, column == 15 ? "1" : "2"));
    row.push_back(cell(21, "1"));
    EXPECT_EQ(Sets(), (std::vector<std::vector<std::string>>{{cell(21, "5")}, row}));
}

TEST_F(TimeRangeEditorTest, ARefusedCreateLeavesNoRowAndKeepsTheDialogOpen)
{
    StartPoeSwitch();
    BoxRecorder boxes;
    TimeBasedConfig editor;
    editor.m_nTimeRangeIds = {1, 2, 3, 4};
    editor.m_strTimeRangeNames = {"Workdays", "Parked", "Spring", "Unready"};
    editor.m_strRowStatus = {"1", "1", "1", "1"};
    const INT_PTR result = RunModal<TimeBasedConfig>(editor, [&](TimeBasedConfig& e) {
        Fill(e, {"Evenings", false, {}, {}, 18, 0, 22, 0});
        ASSERT_TRUE(sim->RefuseNextSet(RangeOid(2, 5), 5));
        ClickButton(e, IDC_TRE_APPLY);
        EXPECT_TRUE(IsWindow(e.GetSafeHwnd()));
        EXPECT_FALSE(sim->Has(RangeOid(21, 5)));
        ClickButton(e, IDC_TRE_APPLY);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The Time Range could not be written."});
    EXPECT_EQ(sim->Get(RangeOid(2, 5)), "Evenings");
}

} // namespace poe_test
