// A list view in report view: columns with headings, rows of items whose
// sub-items are the cells of the other columns, item data, selection, focus
// and check marks (LVS_EX_CHECKBOXES). What the user does reaches the parent as
// WM_NOTIFY: NM_CLICK, NM_DBLCLK, NM_RCLICK (NMITEMACTIVATE), LVN_ITEMCHANGED
// (NMLISTVIEW; also for SetItemState), LVN_KEYDOWN (NMLVKEYDOWN, before the
// selection moves) and LVN_COLUMNCLICK; its header sends the list HDN_ENDTRACK.
// Coordinates are in the list's client pixels, header included.
#pragma once

#include "platform/ui/CWnd.h"

class CHeaderCtrl;

class CListCtrl : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Columns. A width of -1 sizes the column to its heading.
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    int InsertColumn(int nCol, const std::string& heading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    int GetColumnWidth(int nCol) const;
    // cx may be LVSCW_AUTOSIZE (widest cell) or LVSCW_AUTOSIZE_USEHEADER (cells and heading).
    BOOL SetColumnWidth(int nCol, int cx);
    CHeaderCtrl* GetHeaderCtrl() const;

    // Items; -1 when an insertion fails.
    int GetItemCount() const;
    int InsertItem(const LVITEM* pItem);
    int InsertItem(int nItem, const std::string& text);
    int InsertItem(int nItem, const std::string& text, int nImage);
    int InsertItem(UINT nMask, int nItem, const std::string& text, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    BOOL SetItemText(int nItem, int nSubItem, const std::string& text);
    std::string GetItemText(int nItem, int nSubItem) const;
    int GetItemText(int nItem, int nSubItem, char* buffer, int nLen) const;
    BOOL SetItem(const LVITEM* pItem);
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, const char* text, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    BOOL GetItem(LVITEM* pItem) const;
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    // The text and background colour a cell is drawn in while its row is not
    // selected; static_cast<COLORREF>(-1) gives it the list's own colour back.
    // The colours belong to the cell position: inserting or deleting columns
    // does not move them.
    BOOL SetItemColors(int nItem, int nSubItem, COLORREF text, COLORREF back);

    // States: LVIS_SELECTED, LVIS_FOCUSED, the check mark's state image
    // (INDEXTOSTATEIMAGEMASK(1) clear, (2) ticked). Item -1 means every item.
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetCheck(int nItem) const;
    BOOL SetCheck(int nItem, BOOL fCheck = TRUE);
    // The next item after nItem (-1: from the first) with the flags
    // (LVNI_ALL, LVNI_SELECTED, LVNI_FOCUSED, LVNI_BELOW, LVNI_ABOVE); -1 when none.
    int GetNextItem(int nItem, int nFlags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    UINT GetSelectedCount() const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    // LVFI_PARAM, LVFI_STRING, LVFI_PARTIAL, LVFI_WRAP; -1 when nothing matches.
    int FindItem(LVFINDINFO* pFindInfo, int nStart = -1) const;

    // View.
    DWORD GetExtendedStyle() const;
    // Sets the whole extended style; returns the previous one.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    // Pixel width of the text in the list's font.
    int GetStringWidth(const std::string& text) const;
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const;
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int HitTest(LVHITTESTINFO* pHitTestInfo) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo);
    BOOL RedrawItems(int nFirst, int nLast);
    BOOL Update(int nItem);
    BOOL Scroll(CSize size);
};
