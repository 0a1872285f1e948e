// The report-view list: columns, rows and cells, item data, states and
// selection, extended styles, and the notifications of the user's clicks and keys.
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTreeWidget>

namespace ui_test {

namespace {

struct FilledList
{
    FilledList()
    {
        EnsureApplication();
        d.Create(IDD_UI_TEST);
        d.ShowWindow(SW_SHOW);
        CListCtrl& list = d.m_list;
        list.InsertColumn(0, "TrunkID    ", LVCFMT_LEFT, list.GetStringWidth("TrunkID    ") + 15);
        list.InsertColumn(1, "Mode", LVCFMT_CENTER, 80);
        list.InsertColumn(2, "Members", LVCFMT_LEFT, 100);
        for (int row = 0; row < 5; ++row) {
            list.InsertItem(list.GetItemCount(), std::to_string(row + 1));
            list.SetItemText(row, 1, row % 2 ? "Static" : "LACP");
            list.SetItemText(row, 2, std::to_string(row * 2 + 1) + "," + std::to_string(row * 2 + 2));
        }
        d.itemChanges.clear();
    }
    ~FilledList() { d.DestroyWindow(); }
    QWidget* Viewport() { return static_cast<QAbstractItemView*>(d.m_list.GetWidget())->viewport(); }
    QPoint CellCentre(int row, int column)
    {
        CRect cell;
        d.m_list.GetSubItemRect(row, column, LVIR_LABEL, cell);
        return Viewport()->mapFrom(d.m_list.GetWidget(), QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
    }
    TestDialog d;
};

} // namespace

TEST(ListCtrl, ColumnsRowsCellsAndItemData)
{
    FilledList f;
    CListCtrl& list = f.d.m_list;
    EXPECT_EQ(list.GetItemCount(), 5);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 3);
    EXPECT_EQ(list.GetColumnWidth(0), list.GetStringWidth("TrunkID    ") + 15);
    EXPECT_GT(list.GetStringWidth("TrunkID    "), list.GetStringWidth("TrunkID"));
    EXPECT_EQ(list.GetItemText(3, 0), "4");
    EXPECT_EQ(list.GetItemText(3, 1), "Static");
    EXPECT_EQ(list.GetItemText(3, 2), "7,8");
    EXPECT_FALSE(list.SetItemText(9, 1, "no such row"));
    EXPECT_FALSE(list.SetItemText(0, 3, "no such column"));

    LVCOLUMN column;
    char heading[32] = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ASSERT_TRUE(list.GetColumn(1, &column));
    EXPECT_STREQ(heading, "Mode");
    EXPECT_EQ(column.fmt, LVCFMT_CENTER);
    EXPECT_EQ(column.cx, 80);

    // A row inserted in the middle; item data stays with its row.
    list.SetItemData(4, 0x55);
    EXPECT_EQ(list.InsertItem(2, "new"), 2);
    EXPECT_EQ(list.InsertItem(99, "end"), 6);
    EXPECT_EQ(list.GetItemData(5), 0x55U);
    EXPECT_EQ(list.GetItemText(3, 1), "LACP");
    LVFINDINFO find;
    find.flags = LVFI_PARAM;
    find.lParam = 0x55;
    EXPECT_EQ(list.FindItem(&find), 5);
    find.flags = LVFI_STRING;
    find.psz = "NEW";
    EXPECT_EQ(list.FindItem(&find), 2);

    // A column inserted before existing ones moves their cells along.
    EXPECT_EQ(list.InsertColumn(1, "Port", LVCFMT_RIGHT, 40), 1);
    EXPECT_EQ(list.GetItemText(0, 2), "LACP");
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetItemText(0, 1), "LACP");

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), "2");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_TRUE(f.d.itemChanges.empty()); // inserting and deleting rows changes no item's state
}

TEST(ListCtrl, StatesSelectionAndCheckBoxes)
{
    FilledList f;
    CListCtrl& list = f.d.m_list;
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);

    ASSERT_TRUE(list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);
    ASSERT_FALSE(f.d.itemChanges.empty());
    const NMLISTVIEW& change = f.d.itemChanges.back();
    EXPECT_EQ(change.iItem, 3);
    EXPECT_EQ(change.uChanged, LVIF_STATE);
    EXPECT_TRUE(change.uNewState & LVIS_SELECTED);

    // Single selection: selecting another row leaves one selected.
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 1U);
    POSITION pos = list.GetFirstSelectedItemPosition();
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(list.GetNextSelectedItem(pos), 1);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 3);
    EXPECT_EQ(list.GetNextItem(1, LVNI_BELOW), 2);
    EXPECT_EQ(list.GetNextItem(4, LVNI_ALL), -1);

    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES), 0U);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    EXPECT_FALSE(list.GetCheck(2));
    f.d.itemChanges.clear();
    EXPECT_TRUE(list.SetCheck(2, TRUE));
    EXPECT_TRUE(list.GetCheck(2));
    ASSERT_EQ(f.d.itemChanges.size(), 1U);
    EXPECT_EQ(f.d.itemChanges[0].uNewState & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(2));
    EXPECT_EQ(f.d.itemChanges[0].uOldState & LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(1));
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 0U);
}

TEST(ListCtrl, ClicksKeysAndDoubleClicksReachTheDialog)
{
    FilledList f;
    CListCtrl& list = f.d.m_list;
    Click(f.Viewport(), f.CellCentre(1, 2));
    ASSERT_EQ(f.d.listClicks.size(), 1U);
    EXPECT_EQ(f.d.listClicks[0].iItem, 1);
    EXPECT_EQ(f.d.listClicks[0].iSubItem, 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetSelectionMark(), 1);
    bool selectionReported = false;
    for (const NMLISTVIEW& c : f.d.itemChanges)
        selectionReported |= c.iItem == 1 && (c.uNewState & LVIS_SELECTED) && !(c.uOldState & LVIS_SELECTED);
    EXPECT_TRUE(selectionReported);

    // The key comes before the list moves its selection.
    SendKey(list.GetWidget(), Qt::Key_Down);
    ASSERT_EQ(f.d.keyDowns.size(), 1U);
    EXPECT_EQ(f.d.keyDowns[0].first, VK_DOWN);
    EXPECT_EQ(f.d.keyDowns[0].second, 1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);

    // A click beside the rows leaves no row selected.
    const QPoint below(f.Viewport()->width() - 3, f.Viewport()->height() - 3);
    Click(f.Viewport(), below);
    ASSERT_EQ(f.d.listClicks.size(), 2U);
    EXPECT_EQ(f.d.listClicks[1].iItem, -1);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);

    SendMouse(f.Viewport(), QEvent::MouseButtonDblClick, f.CellCentre(4, 0));
    ASSERT_EQ(f.d.listDoubleClicks.size(), 1U);
    EXPECT_EQ(f.d.listDoubleClicks[0].iItem, 4);

    // The test list has no sort header; a list made at run time with one reports column clicks.
    CListCtrl runtime;
    ASSERT_TRUE(
        runtime.Create(WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(5, 5, 200, 100), &f.d, IDC_TEST_RUNTIME_LIST));
    runtime.InsertColumn(0, "A", LVCFMT_LEFT, 50);
    runtime.InsertColumn(1, "B", LVCFMT_LEFT, 50);
    auto* header = static_cast<QTreeWidget*>(runtime.GetWidget())->header();
    emit header->sectionClicked(1);
    EXPECT_EQ(f.d.columnClicks, std::vector<int>{1});
}

TEST(ListCtrl, GeometryOfRowsAndCells)
{
    FilledList f;
    CListCtrl& list = f.d.m_list;
    CRect row;
    ASSERT_TRUE(list.GetItemRect(2, row, LVIR_BOUNDS));
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_LABEL, cell));
    EXPECT_EQ(cell.left, row.left + list.GetColumnWidth(0));
    EXPECT_EQ(cell.Width(), 80);
    EXPECT_EQ(cell.top, row.top);
    EXPECT_EQ(list.HitTest(cell.CenterPoint()), 2);
    LVHITTESTINFO hit;
    hit.pt = cell.CenterPoint();
    EXPECT_EQ(list.SubItemHitTest(&hit), 2);
    EXPECT_EQ(hit.iSubItem, 1);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_GE(list.GetCountPerPage(), 3);
    for (int i = 0; i < 40; ++i)
        list.InsertItem(list.GetItemCount(), "more");
    EXPECT_TRUE(list.EnsureVisible(44, FALSE));
    EXPECT_GT(list.GetTopIndex(), 0);
}

} // namespace ui_test
