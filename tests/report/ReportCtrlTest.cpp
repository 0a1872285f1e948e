// The report list's own behaviour: typed cell texts, colours, row states and
// check-box modes, in-place editing.
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <ctime>
#include <functional>
#include <optional>

namespace report_test {

namespace {

using Message = ReportDemoDialog::Message;

std::tm Moment(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

QPoint InViewport(ReportFixture& f, QPoint inList)
{
    return f.Tree()->viewport()->mapFrom(f.Tree(), inList);
}

} // namespace

TEST(ReportCtrl, TypedSettersWriteTheirTexts)
{
    ReportFixture f;
    f.FillNumbered(1);
    CReportCtrl& list = f.d.m_list;
    struct Case
    {
        std::function<BOOL()> set;
        const char* text;
    };
    const Case cases[] = {
        {[&] { return list.SetItemDouble(0, 1, 2.5); }, "2.5"},
        {[&] { return list.SetItemDouble(0, 1, 3.0); }, "3"},
        {[&] { return list.SetItemDouble(0, 1, 2.5, 2); }, "2.50"},
        {[&] { return list.SetItemDouble(0, 1, 1234.56, 0); }, "1235"},
        {[&] { return list.SetItemDouble(0, 1, 100.0, -1); }, "100"},
        {[&] { return list.SetItemInt(0, 1, -7); }, "-7"},
        {[&] { return list.SetItemLong(0, 1, 123456L); }, "123456"},
        {[&] { return list.SetItemUInt(0, 1, 4000000000U); }, "4000000000"},
        {[&] { return list.SetItemChar(0, 1, 'x'); }, "x"},
        {[&] { return list.SetItemDate(0, 1, Moment(2020, 1, 2, 3, 4, 5)); }, "2020-01-02 03:04:05"},
        {[&] { return list.SetItemDate(0, 1, Moment(2020, 1, 2, 0, 0, 0)); }, "2020-01-02"},
        {[&] { return list.SetItemDate(0, 1, Moment(1899, 12, 30, 13, 0, 0)); }, "13:00:00"},
        {[&] { return list.SetItemDate(0, 1, Moment(2020, 1, 2, 3, 4, 5), VAR_DATEVALUEONLY); }, "2020-01-02"},
        {[&] { return list.SetItemDate(0, 1, Moment(2020, 1, 2, 3, 4, 5), VAR_TIMEVALUEONLY); }, "03:04:05"},
        {[&] { return list.SetItemDate(0, 1, std::nullopt); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_TRUE(c.set());
        EXPECT_EQ(list.GetItemText(0, 1), c.text);
    }
    EXPECT_FALSE(list.SetItemInt(1, 1, 5));
}

TEST(ReportCtrl, ColoursByCellRowAndColumnFollowColumnInserts)
{
    ReportFixture f;
    f.FillNumbered(3);
    CReportCtrl& list = f.d.m_list;
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF blue = RGB(0, 0, 255);
    EXPECT_EQ(list.GetItemTextColor(0, 0), text);
    EXPECT_EQ(list.GetItemBkColor(0, 0), GetSysColor(COLOR_WINDOW));

    list.SetItemTextColor(2, -1, red);  // the whole of row 2
    list.SetItemTextColor(-1, 1, blue); // column 1 of every row
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(std::to_string(r) + "," + std::to_string(c));
            EXPECT_EQ(list.GetItemTextColor(r, c), c == 1 ? blue : (r == 2 ? red : text));
        }
    }
    EXPECT_EQ(list.GetItemTextColor(3, 0), static_cast<COLORREF>(-1));
    EXPECT_EQ(list.GetItemTextColor(0, 4), static_cast<COLORREF>(-1));

    // A column inserted at 1 pushes the former column 1 to 2.
    ASSERT_EQ(list.InsertColumn(1, "New", LVCFMT_LEFT, 50), 1);
    EXPECT_EQ(list.GetItemTextColor(0, 1), text);
    EXPECT_EQ(list.GetItemTextColor(0, 2), blue);
    EXPECT_EQ(list.GetItemTextColor(2, 1), text);
    EXPECT_EQ(list.GetItemTextColor(2, 3), red);
    ASSERT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetItemTextColor(0, 1), blue);

    // The list draws a cell's background in its colour; -1 gives the cell its usual one.
    list.SetItemBkColor(1, 2, RGB(0, 160, 0));
    const CRect cell = f.Cell(1, 2);
    const QPoint probe = InViewport(f, QPoint(cell.right - 4, cell.top + 3));
    auto colourAtProbe = [&] { return f.Tree()->viewport()->grab().toImage().pixelColor(probe); };
    EXPECT_EQ(colourAtProbe(), QColor(0, 160, 0));
    list.SetItemBkColor(1, 2, static_cast<COLORREF>(-1));
    EXPECT_EQ(list.GetItemBkColor(1, 2), GetSysColor(COLOR_WINDOW));
    EXPECT_NE(colourAtProbe(), QColor(0, 160, 0));
}

TEST(ReportCtrl, RowStatesMasksAndSearches)
{
    ReportFixture f;
    f.FillNumbered(6);
    CReportCtrl& list = f.d.m_list;
    list.SetCheckboxMode(RC_CHKBOX_NORMAL);
    list.SetCheck(1);
    list.SetCheck(4);
    list.SetItemStates(4, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    EXPECT_EQ(list.GetItemStates(4), RC_ITEM_SELECTED | RC_ITEM_CHECKED | RC_ITEM_FOCUSED);
    EXPECT_EQ(list.GetItemStates(0), RC_ITEM_UNSELECTED | RC_ITEM_UNCHECKED | RC_ITEM_UNFOCUSED);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_ALL), 6);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 2);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED | RC_ITEM_UNSELECTED), 1);
    EXPECT_EQ(list.GetItemCount(0), 0);
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED), 1);
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED, 1), 4);
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED, 4), -1);
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED, -9), 1);
    EXPECT_EQ(list.FindPrevItem(RC_ITEM_CHECKED), 4);
    EXPECT_EQ(list.FindPrevItem(RC_ITEM_CHECKED, 4), 1);
    EXPECT_EQ(list.FindPrevItem(RC_ITEM_CHECKED, 99), 4);
    EXPECT_FALSE(list.SetItemStates(0, 0));
    EXPECT_FALSE(list.SetItemStates(6, RC_ITEM_CHECKED));

    EXPECT_EQ(list.SetAllItemStates(RC_ITEM_CHECKED, RC_ITEM_UNCHECKED), 2);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 0);
    list.InvertItems(1);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 6);

    // Single mode keeps the first checked row only, and any later check alone.
    list.SetCheckboxMode(RC_CHKBOX_SINGLE);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1);
    EXPECT_TRUE(list.TestItemStates(0, RC_ITEM_CHECKED));
    list.SetCheck(3);
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED), 3);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1);
}

TEST(ReportCtrl, CheckBoxClicksFollowTheMode)
{
    ReportFixture f;
    f.FillNumbered(6);
    CReportCtrl& list = f.d.m_list;
    auto clickCheckBox = [&](int row) {
        const CRect cell = f.Cell(row, 0);
        Click(f.Tree()->viewport(), InViewport(f, QPoint(cell.left + 10, (cell.top + cell.bottom) / 2)));
    };

    list.SetCheckboxMode(RC_CHKBOX_SINGLE);
    list.SetCheck(1);
    f.d.messages.clear();
    clickCheckBox(4);
    EXPECT_EQ(f.Column(0), "1 2 3 4 5 6");
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED), 4);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1);
    EXPECT_EQ(list.GetItemStates(4), RC_ITEM_SELECTED | RC_ITEM_CHECKED | RC_ITEM_FOCUSED);
    EXPECT_EQ(f.d.messages, (std::vector<Message>{{WM_REPORT_CLICK, 4, WM_LBUTTONDOWN}}));

    list.SetCheckboxMode(RC_CHKBOX_DISABLED);
    f.d.messages.clear();
    clickCheckBox(2);
    clickCheckBox(4);
    EXPECT_EQ(list.FindNextItem(RC_ITEM_CHECKED), 4);
    EXPECT_EQ(list.GetItemCount(RC_ITEM_CHECKED), 1);
    EXPECT_TRUE(f.d.messages.empty());

    // The space key never changes a check box.
    list.SetCheckboxMode(RC_CHKBOX_NORMAL);
    list.SetItemStates(2, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    list.SetFocus();
    SendKey(f.Tree(), Qt::Key_Space);
    EXPECT_FALSE(list.TestItemStates(2, RC_ITEM_CHECKED));
}

TEST(ReportCtrl, EditsCellsInPlace)
{
    ReportFixture f;
    f.FillNumbered(3);
    CReportCtrl& list = f.d.m_list;
    list.SetEditable();
    auto clickCell = [&](int row, int column) {
        const CRect cell = f.Cell(row, column);
        Click(f.Tree()->viewport(), InViewport(f, QPoint(cell.left + 5, (cell.top + cell.bottom) / 2)));
    };
    CEdit* editor = list.GetEditControl();

    // A first click selects the row, a second one opens the editor on the cell.
    clickCell(1, 2);
    EXPECT_FALSE(list.IsEditing());
    clickCell(1, 2);
    ASSERT_TRUE(list.IsEditing());
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(editor->GetWindowText(), "owner 2");
    CRect rect;
    editor->GetWindowRect(&rect);
    list.ScreenToClient(&rect);
    EXPECT_EQ(rect.left, f.Cell(1, 2).left);
    EXPECT_EQ(rect.top, f.Cell(1, 2).top);

    // Enter after a change writes the cell and tells the dialog.
    editor->SetWindowText("edited");
    SendKey(editor->GetWidget(), Qt::Key_Return);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_FALSE(editor->IsWindowVisible());
    EXPECT_EQ(list.GetItemText(1, 2), "edited");
    EXPECT_EQ(f.d.messages, (std::vector<Message>{{WM_REPORT_EDITED, 1, 2}}));
    EXPECT_TRUE(f.d.IsWindowVisible()); // Enter went to the editor, not to the dialog

    // Tab goes on to the next column, from the last one back to column 0;
    // Down to the row below; Escape leaves the cell as it was.
    f.d.messages.clear();
    ASSERT_TRUE(list.StartEdit(1, 2));
    SendKey(editor->GetWidget(), Qt::Key_Tab);
    EXPECT_TRUE(list.IsEditing());
    EXPECT_EQ(editor->GetWindowText(), "");
    SendKey(editor->GetWidget(), Qt::Key_Tab);
    EXPECT_EQ(editor->GetWindowText(), "2");
    SendKey(editor->GetWidget(), Qt::Key_Down);
    EXPECT_EQ(editor->GetWindowText(), "3");
    editor->SetWindowText("changed");
    SendKey(editor->GetWidget(), Qt::Key_Escape);
    EXPECT_FALSE(list.IsEditing());
    EXPECT_EQ(list.GetItemText(2, 0), "3");
    EXPECT_TRUE(f.d.messages.empty());
    EXPECT_TRUE(f.d.IsWindowVisible());

    // Unchanged text sends nothing; an edit open when the rows change is committed.
    ASSERT_TRUE(list.StartEdit(0, 1));
    EXPECT_FALSE(list.EndEdit(TRUE));
    ASSERT_TRUE(list.StartEdit(0, 1));
    editor->SetWindowText("900");
    list.InsertItem(3, "4");
    EXPECT_EQ(list.GetItemText(0, 1), "900");
    EXPECT_EQ(f.d.messages, (std::vector<Message>{{WM_REPORT_EDITED, 0, 1}}));

    list.SetEditable(FALSE);
    EXPECT_FALSE(list.StartEdit(0, 1));
}

TEST(ReportCtrl, ColumnsFromAHeadingStringKeepTheirWidthOnADividerDoubleClick)
{
    ReportFixture f;
    f.FillNumbered(2);
    CReportCtrl& list = f.d.m_list;
    ASSERT_TRUE(list.SetColumns("Name,120;Speed,60,2;;Mode,,1;Note,80,7"));
    EXPECT_EQ(list.GetItemCount(), 0);
    ASSERT_EQ(list.GetColumnCount(), 4);
    const struct
    {
        const char* heading;
        int width;
        int format;
    } columns[] = {{"Name", 120, LVCFMT_LEFT},
                   {"Speed", 60, LVCFMT_RIGHT},
                   {"Mode", 100, LVCFMT_CENTER},
                   {"Note", 80, LVCFMT_LEFT}};
    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(list.GetHeaderText(c), columns[c].heading);
        EXPECT_EQ(list.GetColumnWidth(c), columns[c].width);
        LVCOLUMN column;
        column.mask = LVCF_FMT;
        ASSERT_TRUE(list.GetColumn(c, &column));
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[c].format);
    }
    EXPECT_TRUE(list.SetHeaderText(3, "Remark"));
    EXPECT_EQ(list.GetHeaderText(3), "Remark");
    EXPECT_TRUE(list.SetHeaderText(3, nullptr));
    EXPECT_EQ(list.GetHeaderText(3), "");
    EXPECT_EQ(list.GetHeaderText(4), "");

    // A double click on the divider after "Speed" leaves the column as it is.
    QHeaderView* header = f.Tree()->header();
    const QPoint divider(header->sectionViewportPosition(1) + header->sectionSize(1) - 1, header->height() / 2);
    SendMouse(header->viewport(), QEvent::MouseButtonPress, divider);
    SendMouse(header->viewport(), QEvent::MouseButtonRelease, divider);
    SendMouse(header->viewport(), QEvent::MouseButtonDblClick, divider);
    SendMouse(header->viewport(), QEvent::MouseButtonRelease, divider);
    EXPECT_EQ(list.GetColumnWidth(1), 60);

    EXPECT_TRUE(list.DeleteAllColumns());
    EXPECT_EQ(list.GetColumnCount(), 0);
    EXPECT_FALSE(list.SetColumns(";;"));
}

} // namespace report_test
