// The Time Range Information dialog and its range editor on the simulated
// switch: the list's cells, Delete, the free index an Add takes, an edit's
// three writes, and a refused write reported and retried.
#include "features/poe_rmon/TimeRangInfo.h"
#include "common/CReadReport.h"
#include "poe/PoeTestSupport.h"

namespace poe_test {

using namespace poetest;

namespace {

const char* const kEditor = "Time Based PoE Config";

CListCtrl& RangeList(CWnd& d)
{
    return Item<CListCtrl>(d, IDC_TR_LIST);
}

std::vector<std::string> Rows(CListCtrl& list)
{
    std::vector<std::string> rows;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        std::string text;
        for (int col = 0; col < 6; ++col)
            text += (col ? "|" : "") + list.GetItemText(row, col);
        rows.push_back(text);
    }
    return rows;
}

bool WaitForList(CWnd& d, int rows)
{
    return Pump([&] { return Enabled(d, IDC_TR_REFRESH) && Enabled(d, IDC_TR_ADD) && RangeList(d).GetItemCount() == rows; },
                20000);
}

// The row-status values the switch was sent, each with the index it named.
std::vector<std::string> RowStatusWrites(const std::vector<std::vector<std::string>>& sets)
{
    std::vector<std::string> writes;
    const std::string column = kRanges + ".21.";
    for (const auto& set : sets)
        for (const std::string& binding : set)
            if (binding.rfind(column, 0) == 0)
                writes.push_back(binding.substr(column.size()));
    return writes;
}

// The editor's form: a name, then 08:00 to 17:00 on no date.
void FillNewRange(CWnd& editor, const std::string& name)
{
    editor.GetDlgItem(IDC_TRE_NAME)->SetWindowText(name);
    Item<CComboBox>(editor, IDC_TRE_START_HOUR).SetCurSel(8);
    Item<CComboBox>(editor, IDC_TRE_END_HOUR).SetCurSel(17);
}

class TimeRangeDialogTest : public PoeTest
{
protected:
    // Leaves the time range table holding these rows: index and whether it
    // is in service (the others are created and left waiting).
    void SetRanges(const std::vector<std::pair<int, bool>>& rows)
    {
        for (int index = 1; index <= 4; ++index)
            ASSERT_EQ(sim->Set(RangeOid(21, index), SnmpValueInteger, "6"), 0);
        for (const auto& [index, active] : rows) {
            ASSERT_EQ(sim->Set(RangeOid(21, index), SnmpValueInteger, "5"), 0);
            ASSERT_EQ(sim->Set(RangeOid(2, index), SnmpValueOctetString, "R" + std::to_string(index)), 0);
            if (active) {
                ASSERT_EQ(sim->Set(RangeOid(21, index), SnmpValueInteger, "1"), 0);
            }
        }
    }
};

} // namespace

TEST_F(TimeRangeDialogTest, ListsTheRangesInServiceWithTheirDaysAndTimes)
{
    StartPoeSwitch();
    TimeRangInfo dialog;
    RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(d.GetWindowText(), "Time Range Information");
        EXPECT_EQ(Rows(RangeList(d)), (std::vector<std::string>{"Workdays|Mon,Tue,Wed,Thu,Fri|||08:00|18:00",
                                                            "Spring||2010/03/07|2010/06/30|08:05|17:30"}));
    });
}

TEST_F(TimeRangeDialogTest, DeleteDestroysTheSelectedRangeAtOnceAndReadsTheTableAgain)
{
    StartPoeSwitch();
    BoxRecorder boxes;
    TimeRangInfo dialog;
    RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        // Without a selection: the message, with the information icon.
        ClickButton(d, IDC_TR_DELETE);
        ClickButton(d, IDC_TR_EDIT);
        // A delete the switch refuses leaves the list as it is.
        ASSERT_TRUE(sim->RefuseNextSet(RangeOid(21, 3), 5));
        ClickRow(RangeList(d), 1);
        ClickButton(d, IDC_TR_DELETE);
        EXPECT_TRUE(Enabled(d, IDC_TR_REFRESH));
        EXPECT_EQ(RangeList(d).GetItemCount(), 2);
        ClickRow(RangeList(d), 1);
        ClickButton(d, IDC_TR_DELETE);
        ASSERT_TRUE(WaitForList(d, 1));
        EXPECT_EQ(RangeList(d).GetItemText(0, 0), "Workdays");
    });
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 3U);
    EXPECT_EQ(calls[0].text, "Please select the Time Range to be deleted!");
    EXPECT_EQ(calls[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(calls[1].text, "Please select the Time Range to be edit!");
    // The refused delete is said.
    EXPECT_EQ(calls[2].text, "Could not write the removal of time range 3: the switch refused it (general error).");
    EXPECT_EQ(Sets(), (std::vector<std::vector<std::string>>{{Int(RangeOid(21, 3), "6")}, {Int(RangeOid(21, 3), "6")}}));
    EXPECT_FALSE(sim->Has(RangeOid(2, 3)));
}

TEST_F(TimeRangeDialogTest, AddTakesTheFreeIndexTheLastWalkShows)
{
    struct Case
    {
        const char* name;
        std::vector<std::pair<int, bool>> rows;
        int index; // 0: nothing written
        std::string message;
        bool replaced = false;
    };
    std::vector<std::pair<int, bool>> eight;
    for (int index = 1; index <= 8; ++index)
        eight.emplace_back(index, true);
    const Case cases[] = {
        {"1, 2 and 4 listed", {{1, true}, {2, true}, {4, true}}, 3, ""},
        {"1, 2 and 3 listed", {{1, true}, {2, true}, {3, true}}, 4, ""},
        // The row not in service is replaced.
        {"2 not in service", {{1, true}, {2, false}}, 2, "", true},
        {"2 not in service before 3", {{1, true}, {2, false}, {3, true}}, 2, "", true},
        {"eight in service", eight, 0, "The max number of PoE Time Range is 8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartPoeSwitch();
        SetRanges(c.rows);
        const std::size_t before = Sets().size();
        BoxRecorder boxes;
        TimeRangInfo dialog;
        RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
            ASSERT_TRUE(Pump([&] { return Enabled(d, IDC_TR_ADD); }, 20000));
            const int listed = RangeList(d).GetItemCount();
            bool opened = false;
            WhenDialogOpens(kEditor, [](CWnd& editor) {
                FillNewRange(editor, "New range");
                ClickButton(editor, IDC_TRE_APPLY);
            }, &opened);
            ClickButton(d, IDC_TR_ADD);
            EXPECT_TRUE(opened);
            ASSERT_TRUE(WaitForList(d, c.index ? listed + 1 : listed));
        });
        const auto sets = SetsAfter(before);
        if (c.index) {
            const std::string index = std::to_string(c.index);
            const std::vector<std::string> create{index + "|2|5", index + "|2|1"};
            const std::vector<std::string> replace{index + "|2|5", index + "|2|6", index + "|2|5", index + "|2|1"};
            EXPECT_EQ(RowStatusWrites(sets), c.replaced ? replace : create);
            EXPECT_EQ(sim->Get(RangeOid(2, c.index)), "New range");
            EXPECT_EQ(sim->Get(RangeOid(21, c.index)), "1");
            EXPECT_TRUE(boxes.Calls().empty());
        } else {
            EXPECT_TRUE(sets.empty());
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        }
    }
}

TEST_F(TimeRangeDialogTest, WithNoIndexFreeBelowEightTheAddIsReported)
{
    // 1, 2 and 3 in service, 4 not ready: the walk leaves no index free.
    StartPoeSwitch();
    ASSERT_EQ(sim->Set(RangeOid(21, 2), SnmpValueInteger, "1"), 0);
    BoxRecorder boxes;
    TimeRangInfo dialog;
    RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
        ASSERT_TRUE(WaitForList(d, 3));
        WhenDialogOpens(kEditor, [](CWnd& editor) {
            FillNewRange(editor, "New range");
            ClickButton(editor, IDC_TRE_APPLY);
        });
        ClickButton(d, IDC_TR_ADD);
        ASSERT_TRUE(WaitForList(d, 3));
    });
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"There is no free index for a new Time Range."});
    EXPECT_EQ(Sets().size(), 1U);
}

TEST_F(TimeRangeDialogTest, EditDestroysTheRangeThenCreatesItAgainWrittenWhole)
{
    StartPoeSwitch();
    const std::size_t before = Sets().size();
    TimeRangInfo dialog;
    RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        ClickRow(RangeList(d), 1);
        WhenDialogOpens(kEditor, [](CWnd& editor) {
            // The range as the switch holds it, once read.
            ASSERT_TRUE(Pump([&] { return editor.GetDlgItem(IDC_TRE_NAME)->GetWindowText() == "Spring"; }, 10000));
            EXPECT_FALSE(Enabled(editor, IDC_TRE_NAME));
            EXPECT_TRUE(Checked(editor, IDC_TRE_DATE));
            EXPECT_TRUE(Enabled(editor, IDC_TRE_FROM_YEAR));
            EXPECT_EQ(ComboSelection(editor, IDC_TRE_FROM_MONTH), "3");
            EXPECT_EQ(ComboSelection(editor, IDC_TRE_START_MINUTE), "5");
            EXPECT_EQ(ComboSelection(editor, IDC_TRE_END_MINUTE), "30");
            ClickButton(editor, IDC_TRE_ALL_DAYS);
            Item<CComboBox>(editor, IDC_TRE_START_HOUR).SetCurSel(9);
            ClickButton(editor, IDC_TRE_APPLY);
        });
        ClickButton(d, IDC_TR_EDIT);
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(Rows(RangeList(d))[1], "Spring|Mon,Tue,Wed,Thu,Fri,Sat,Sun|2010/03/07|2010/06/30|09:05|17:30");
    });
    auto cell = [](int column, const std::string& value) { return Int(RangeOid(column, 3), value); };
    std::vector<std::string> row{Text(RangeOid(2, 3), "Spring"), cell(3, "1"),  cell(4, "2010"), cell(5, "3"),
                                 cell(6, "7"),                    cell(9, "2010"), cell(10, "6"),   cell(11, "30"),
                                 cell(7, "9"),                    cell(8, "5"),    cell(12, "17"),  cell(13, "30")};
    for (int column = 14; column <= 20; ++column)
        row.push_back(cell(column, "1"));
    row.push_back(cell(21, "1"));
    EXPECT_EQ(SetsAfter(before), (std::vector<std::vector<std::string>>{{cell(21, "6")}, {cell(21, "5")}, row}));
}

TEST_F(TimeRangeDialogTest, ARefusedEditWriteIsReportedAndApplyRetriesWithoutASecondDestroy)
{
    StartPoeSwitch();
    const std::size_t before = Sets().size();
    BoxRecorder boxes;
    TimeRangInfo dialog;
    RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        ClickRow(RangeList(d), 0);
        WhenDialogOpens(kEditor, [&](CWnd& editor) {
            ASSERT_TRUE(Pump([&] { return editor.GetDlgItem(IDC_TRE_NAME)->GetWindowText() == "Workdays"; }, 10000));
            ASSERT_TRUE(sim->RefuseNextSet(RangeOid(2, 1), 5));
            ClickButton(editor, IDC_TRE_APPLY);
            EXPECT_TRUE(IsWindow(editor.GetSafeHwnd()));
            EXPECT_FALSE(sim->Has(RangeOid(2, 1)));
            ClickButton(editor, IDC_TRE_APPLY);
        });
        ClickButton(d, IDC_TR_EDIT);
        ASSERT_TRUE(WaitForList(d, 2));
        EXPECT_EQ(RangeList(d).GetItemText(0, 0), "Workdays");
    });
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"The Time Range could not be written and has been removed."});
    EXPECT_EQ(RowStatusWrites(SetsAfter(before)),
              (std::vector<std::string>{"1|2|6", "1|2|5", "1|2|1", "1|2|6", "1|2|5", "1|2|1"}));
    EXPECT_EQ(sim->Get(RangeOid(21, 1)), "1");
    EXPECT_EQ(sim->Get(RangeOid(12, 1)), "18");
}

TEST_F(TimeRangeDialogTest, AnEditWritesNothingUntilTheRangeHasBeenRead)
{
    StartPoeSwitch();
    const std::size_t before = Sets().size();
    BoxRecorder boxes;
    TimeRangInfo dialog;
    RunModal<TimeRangInfo>(dialog, [&](TimeRangInfo& d) {
        ASSERT_TRUE(WaitForList(d, 2));
        ClickRow(RangeList(d), 1);
        // The read gets no answer.
        ASSERT_TRUE(sim->SilenceFor(6000));
        WhenDialogOpens(kEditor, [&](CWnd& editor) {
            ClickButton(editor, IDC_TRE_APPLY);
            PumpFor(4500);
            ClickButton(editor, IDC_TRE_APPLY);
            EXPECT_TRUE(IsWindow(editor.GetSafeHwnd()));
        });
        ClickButton(d, IDC_TR_EDIT);
    });
    // The failed read is said once, when its time-out ends.
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"The Time Range has not been read yet, please wait.",
                                                               CReadReport::Text("the time range", false),
                                                               "The Time Range has not been read yet, please wait."}));
    EXPECT_EQ(SetsAfter(before).size(), 0U);
}

} // namespace poe_test
