// Moving and swapping rows: the rows' texts, data, colours and states move,
// the cell buttons stay on their cells.
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace report_test {

namespace {

using Message = ReportDemoDialog::Message;

struct MoveFixture : ReportFixture
{
    MoveFixture()
    {
        FillNumbered(5);
        for (int r = 0; r < 5; ++r)
            d.m_list.SetItemData(r, static_cast<DWORD_PTR>(100 + r));
        d.m_list.SetItemBkColor(1, -1, RGB(255, 255, 0), FALSE);       // row "2"
        d.m_list.SetItemStates(2, RC_ITEM_SELECTED | RC_ITEM_FOCUSED); // row "3"
    }

    // Each row's data, colour and states still belong to its Index text.
    void ExpectRowsIntact()
    {
        for (int r = 0; r < d.m_list.GetItemCount(); ++r) {
            const int index = std::stoi(d.m_list.GetItemText(r, 0));
            SCOPED_TRACE("row with index " + std::to_string(index));
            EXPECT_EQ(d.m_list.GetItemText(r, 2), "owner " + std::to_string(index));
            EXPECT_EQ(d.m_list.GetItemData(r), static_cast<DWORD_PTR>(99 + index));
            EXPECT_EQ(d.m_list.GetItemBkColor(r, 2), index == 2 ? RGB(255, 255, 0) : GetSysColor(COLOR_WINDOW));
            EXPECT_EQ(d.m_list.TestItemStates(r, RC_ITEM_SELECTED | RC_ITEM_FOCUSED), index == 3);
        }
    }

    // One shown button on each row's last cell, and no other.
    void ExpectButtonOnEveryRow()
    {
        EXPECT_EQ(Buttons().size(), static_cast<size_t>(d.m_list.GetItemCount()));
        for (int r = 0; r < d.m_list.GetItemCount(); ++r) {
            SCOPED_TRACE(r);
            EXPECT_TRUE(d.m_list.HasButton(r, 3, 0));
            QAbstractButton* button = ButtonOver(r, 3);
            ASSERT_NE(button, nullptr);
            EXPECT_TRUE(button->isVisible());
            EXPECT_EQ(button->text().toStdString(), "Delete");
        }
    }
};

} // namespace

TEST(ReportRows, MovesAndSwapsKeepTheRowsDataAndTheButtons)
{
    MoveFixture f;
    CReportCtrl& list = f.d.m_list;
    struct Step
    {
        const char* what;
        std::function<int()> act;
        int result;
        const char* order;
    };
    const Step steps[] = {
        {"row 0 to index 3", [&] { return list.MoveTo(0, 3); }, 3, "2 3 4 1 5"},
        {"swap 0 and 4", [&] { return list.SwapItems(0, 4); }, TRUE, "5 3 4 1 2"},
        {"row 0 to the bottom", [&] { return list.MoveToBottom(0); }, 4, "3 4 1 2 5"},
        {"row 4 up far beyond the top", [&] { return list.MoveUp(4, 100); }, 0, "5 3 4 1 2"},
        {"row 0 down by the largest count", [&] { return list.MoveDown(0, INT_MAX); }, 4, "3 4 1 2 5"},
        {"row 3 to the top", [&] { return list.MoveToTop(3); }, 0, "2 3 4 1 5"},
        {"row 2 onto itself", [&] { return list.MoveTo(2, 2); }, 2, "2 3 4 1 5"},
        {"swap a row with itself", [&] { return list.SwapItems(1, 1); }, TRUE, "2 3 4 1 5"},
        {"no such row", [&] { return list.MoveTo(5, 0); }, -1, "2 3 4 1 5"},
        {"swap with no such row", [&] { return list.SwapItems(0, 9); }, FALSE, "2 3 4 1 5"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        EXPECT_EQ(step.act(), step.result);
        EXPECT_EQ(f.Column(0), step.order);
        f.ExpectRowsIntact();
        f.ExpectButtonOnEveryRow();
    }

    // A moved list is no longer in a sorted order.
    list.SortByColumn(0, TRUE);
    list.MoveTo(0, 1);
    EXPECT_EQ(list.GetSortColumn(), -1);

    // The button of a cell reports that cell, whatever row moved there.
    f.d.messages.clear();
    f.ClickButton(1, 3);
    EXPECT_EQ(f.d.messages, (std::vector<Message>{{WM_CELL_BUTTON_CLICK, 1, 3}}));
}

TEST(ReportRows, DeletingRowsLeavesNoButtonOverEmptySpace)
{
    MoveFixture f;
    EXPECT_TRUE(f.d.m_list.DeleteItem(4));
    EXPECT_EQ(f.d.m_list.GetItemCount(), 4);
    // The cell's button outlives the row, as the list keeps buttons by cell,
    // but it is no longer shown.
    EXPECT_TRUE(f.d.m_list.HasButton(4, 3, 0));
    int shown = 0;
    for (QAbstractButton* button : f.Buttons())
        shown += button->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 4);

    // Deleting by state: the selected row only.
    EXPECT_EQ(f.d.m_list.DeleteAllItems(RC_ITEM_SELECTED), 1);
    EXPECT_EQ(f.Column(0), "1 2 4");
    EXPECT_EQ(f.d.m_list.DeleteAllItems(RC_ITEM_ALL), 3);
    EXPECT_EQ(f.d.m_list.GetItemCount(), 0);
    for (QAbstractButton* button : f.Buttons())
        EXPECT_FALSE(button->isVisible());
}

} // namespace report_test
