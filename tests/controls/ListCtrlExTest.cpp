// The list helpers: a column as wide as its heading in the list's font plus
// 15 pixels, its sub-item, and cells written row by row.
#include "controls/DemoSupport.h"
#include "platform/ui/CClientDC.h"
#include "platform/ui/CFont.h"

#include <gtest/gtest.h>

#include <string>

namespace controls_test {

namespace {

// The heading's width measured apart from the list, in the list's font.
int HeadingWidth(CListCtrlEx& list, const std::string& heading)
{
    CClientDC dc(&list);
    dc.SelectObject(list.GetFont());
    return dc.GetTextExtent(heading).cx;
}

TEST(ListCtrlEx, ColumnWidthsFollowTheHeadingInTheListsFont)
{
    OpenDemo open;
    CListCtrlEx& list = open.dialog.m_list;
    while (list.DeleteColumn(0)) {
    }
    const std::string headings[] = {"Index", " Group Name ", " Security Level    "};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(list.InsertAutoWidthColumn(headings[i].c_str(), i, -1, 0xF, LVCFMT_LEFT), i);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list.GetColumnWidth(i), HeadingWidth(list, headings[i]) + 15) << headings[i];
    EXPECT_GT(list.GetColumnWidth(1), HeadingWidth(list, "Group Name") + 15) << "the blanks widen the column";

    // A larger font gives wider columns, still heading plus 15.
    CFont large;
    ASSERT_TRUE(large.CreateFont(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, 1, 2, 1, 0, 0, "MS Sans Serif"));
    list.SetFont(&large);
    ASSERT_EQ(list.InsertAutoWidthColumn(" Group Name ", 3, -1, 0xF, LVCFMT_LEFT), 3);
    EXPECT_EQ(list.GetColumnWidth(3), HeadingWidth(list, " Group Name ") + 15);
    EXPECT_GT(list.GetColumnWidth(3), list.GetColumnWidth(1));
}

TEST(ListCtrlEx, SubItemOfTheNewColumn)
{
    OpenDemo open;
    CListCtrlEx& list = open.dialog.m_list;
    struct Case
    {
        int subItem;
        int expected;
    };
    // The demo already has columns 0 to 3; each case inserts column 4.
    for (const Case c : {Case{-1, 4}, Case{200, 200}}) {
        ASSERT_EQ(list.InsertAutoWidthColumn(" Port ", 4, c.subItem, 0xF, LVCFMT_LEFT), 4);
        LVCOLUMN column;
        column.mask = LVCF_SUBITEM;
        ASSERT_TRUE(list.GetColumn(4, &column));
        EXPECT_EQ(column.iSubItem, c.expected) << "sub-item " << c.subItem;
        list.DeleteColumn(4);
    }
}

TEST(ListCtrlEx, CellsAreWrittenRowByRowAndSubItemZeroAlwaysInserts)
{
    OpenDemo open;
    CListCtrlEx& list = open.dialog.m_list;
    list.DeleteAllItems();
    const char* rows[][3] = {{"1", "uplink", "Enabled"}, {"2", "server", "Disabled"}};
    for (const auto& row : rows) {
        const int item = list.GetItemCount();
        for (int sub = 0; sub < 3; ++sub)
            list.SetOrInsertItemText(item, sub, row[sub]);
    }
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 1), "server");
    EXPECT_EQ(list.GetItemText(0, 2), "Enabled");

    // Sub-item 0 at an index that exists inserts a new row there.
    list.SetOrInsertItemText(0, 0, "0");
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), "0");
    EXPECT_EQ(list.GetItemText(1, 1), "uplink");
}

} // namespace

} // namespace controls_test
