// Buttons over cells: kept on their cells through column resizes and
// scrolling, hidden off the page, reporting clicks to the dialog.
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace report_test {

namespace {

using Message = ReportDemoDialog::Message;

// Every row's button lies on its cell, shown exactly while the row is on the
// page (the row just below the page may be partly visible and keeps it).
void ExpectButtonsFollowTheirCells(ReportFixture& f)
{
    CReportCtrl& list = f.d.m_list;
    const int top = list.GetTopIndex();
    const int page = list.GetCountPerPage();
    ASSERT_GT(page, 2);
    int shown = 0;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        SCOPED_TRACE("row " + std::to_string(r) + ", top " + std::to_string(top));
        QAbstractButton* button = f.ButtonOver(r, 3);
        ASSERT_NE(button, nullptr);
        const bool onPage = r >= top && r <= top + page;
        EXPECT_EQ(button->isVisible(), onPage);
        shown += onPage ? 1 : 0;
    }
    EXPECT_GT(shown, 2);
}

} // namespace

TEST(CellButtons, FollowColumnResizesAndScrollingAndHideOffThePage)
{
    ReportFixture f;
    f.FillNumbered(40);
    CReportCtrl& list = f.d.m_list;
    ASSERT_EQ(list.GetTopIndex(), 0);
    ExpectButtonsFollowTheirCells(f);
    const int before = f.Cell(0, 3).left;

    // The user drags the divider after "Port" to the right.
    f.Tree()->header()->resizeSection(1, list.GetColumnWidth(1) + 40);
    ASSERT_EQ(f.Cell(0, 3).left, before + 40);
    ExpectButtonsFollowTheirCells(f);

    // One page down: the buttons of the rows above are hidden, the newly
    // shown rows have theirs, each on its own cell.
    const int page = list.GetCountPerPage();
    list.Scroll(CSize(0, page * f.Cell(0, 0).Height()));
    ASSERT_EQ(list.GetTopIndex(), page);
    ExpectButtonsFollowTheirCells(f);
    EXPECT_FALSE(f.ButtonOver(0, 3)->isVisible());
    EXPECT_TRUE(f.ButtonOver(page, 3)->isVisible());

    // The scroll bar and the wheel move them too.
    f.Tree()->verticalScrollBar()->setValue(3);
    ASSERT_EQ(list.GetTopIndex(), 3);
    ExpectButtonsFollowTheirCells(f);

    // So does a list that grows with its dialog.
    CRect rect;
    list.GetWindowRect(&rect);
    f.d.ScreenToClient(&rect);
    list.MoveWindow(rect.left, rect.top, rect.Width() + 30, rect.Height() + 60);
    ExpectButtonsFollowTheirCells(f);

    // Scrolling sideways keeps them on their cells.
    f.Tree()->horizontalScrollBar()->setValue(20);
    ExpectButtonsFollowTheirCells(f);
}

TEST(CellButtons, ClicksReachTheDialogWithRowAndColumn)
{
    ReportFixture f;
    f.FillNumbered(5);
    f.ClickButton(3, 3);
    f.ClickButton(0, 3);
    EXPECT_EQ(f.d.messages, (std::vector<Message>{{WM_CELL_BUTTON_CLICK, 3, 3}, {WM_CELL_BUTTON_CLICK, 0, 3}}));

    // A radio-style button checks itself on its first click and stays checked.
    ASSERT_TRUE(f.d.m_list.AddButton(2, 1, ButtonSpec(1, "Use")));
    QAbstractButton* radio = f.ButtonOver(2, 1);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->text().toStdString(), "Use");
    EXPECT_FALSE(radio->isChecked());
    f.d.messages.clear();
    f.ClickButton(2, 1);
    EXPECT_TRUE(radio->isChecked());
    f.ClickButton(2, 1);
    EXPECT_TRUE(radio->isChecked());
    EXPECT_EQ(f.d.messages, (std::vector<Message>{{WM_CELL_BUTTON_CHECK, 2, 1}, {WM_CELL_BUTTON_CHECK, 2, 1}}));

    // A disabled button reports nothing.
    EXPECT_TRUE(f.d.m_list.EnableButton(0, 3, 0, FALSE));
    f.d.messages.clear();
    f.ClickButton(0, 3);
    EXPECT_TRUE(f.d.messages.empty());
}

TEST(CellButtons, RefusesNarrowColumnsBadCellsAndSecondButtons)
{
    ReportFixture f;
    f.FillNumbered(3);
    CReportCtrl& list = f.d.m_list;
    list.SetColumnWidth(2, 4);
    EXPECT_FALSE(list.AddButton(0, 2, ButtonSpec(0, "Go")));
    list.SetColumnWidth(2, 5);
    EXPECT_TRUE(list.AddButton(0, 2, ButtonSpec(0, "Go")));

    struct Case
    {
        int row;
        int column;
        int type;
    };
    const Case refused[] = {
        {0, 2, 0},  // the cell has a button already
        {0, 3, 1},  // so has this one, whatever the type
        {3, 2, 0},  // no such row
        {-1, 2, 0}, //
        {1, 4, 0},  // no such column
        {1, -1, 0}, //
        {1, 2, 2},  // no such type
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column) + " type " + std::to_string(c.type));
        EXPECT_FALSE(list.AddButton(c.row, c.column, ButtonSpec(c.type, "No")));
    }
    EXPECT_EQ(f.Buttons().size(), 4u);

    // Removing with an unknown type removes nothing.
    EXPECT_FALSE(list.RemoveButton(0, 2, 2));
    EXPECT_TRUE(list.HasButton(0, 2, 0));
    EXPECT_FALSE(list.HasButton(0, 2, 1));
    EXPECT_TRUE(list.RemoveButton(0, 2, 0));
    EXPECT_FALSE(list.HasButton(0, 2, 0));
    EXPECT_EQ(f.ButtonOver(0, 2), nullptr);
}

TEST(CellButtons, TheDialogMayRebuildTheListFromTheClickedButton)
{
    // As the RMON dialogs do: the click deletes the row's entry and the list
    // is filled again, the clicked button going with the rest.
    ReportFixture f;
    std::vector<std::vector<std::string>> entries = {{"1"}, {"2"}, {"3"}, {"4"}};
    f.d.Fill(entries);
    f.d.onCellClick = [&](int row, int column) {
        f.d.m_list.RemoveButton(row, column, 0);
        entries.erase(entries.begin() + row);
        f.d.Fill(entries);
    };
    f.ClickButton(1, 3);
    EXPECT_EQ(f.Column(0), "1 3 4");
    f.ClickButton(2, 3);
    EXPECT_EQ(f.Column(0), "1 3");
    PumpUntil([] { return false; }, 50);
    for (int r = 0; r < 2; ++r)
        EXPECT_NE(f.ButtonOver(r, 3), nullptr);
}

} // namespace report_test
