// A list control in report view that keeps a record per row (user data, a
// text and a background colour per cell), knows row states (selected,
// checked, focused) and check-box modes, edits cells in place, sorts by a
// clicked column heading (see CCellTextCompare for the order), moves and swaps
// rows, and carries push or radio-style buttons over cells (CButtonEx).
//
// It tells its parent with WM_REPORT_CLICK (a click changed a check box),
// WM_REPORT_SORTED (a sort by column finished) and WM_REPORT_EDITED (an
// in-place edit changed a cell). Cell buttons send WM_CELL_BUTTON_CLICK and
// WM_CELL_BUTTON_CHECK (CButtonEx.h).
//
// Cell buttons stay on the cell they were made for: sorting, moving or
// deleting rows moves the rows' contents but not the buttons. A button whose
// row no longer exists is hidden. A dialog may remove the very button whose
// click it is handling.
//
// The control keeps state of its own beside the list's: use it on the UI
// thread (a walk call-back hands its rows to the dialog with SendMessage, and
// the dialog fills the list in that message's handler).
#pragma once

#include "common/ButtonSpec.h"
#include "common/CButtonEx.h"
#include "common/CButtonInfo.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListCtrl.h"

#include <climits>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Messages to the parent window.
inline constexpr UINT WM_REPORT_CLICK = WM_APP + 10000;  // wParam row, lParam the mouse message
inline constexpr UINT WM_REPORT_SORTED = WM_APP + 10001; // wParam column, lParam TRUE ascending
inline constexpr UINT WM_REPORT_EDITED = WM_APP + 10002; // wParam row, lParam column

// Row states. As a mask 0 matches no row, RC_ITEM_ALL every row, and any
// other value the rows that have all of its states.
inline constexpr DWORD RC_ITEM_ALL = 0x01;
inline constexpr DWORD RC_ITEM_SELECTED = 0x02;
inline constexpr DWORD RC_ITEM_UNSELECTED = 0x04;
inline constexpr DWORD RC_ITEM_CHECKED = 0x08;
inline constexpr DWORD RC_ITEM_UNCHECKED = 0x10;
inline constexpr DWORD RC_ITEM_FOCUSED = 0x20;
inline constexpr DWORD RC_ITEM_UNFOCUSED = 0x40;

// Check-box modes.
inline constexpr int RC_CHKBOX_NONE = 0;
inline constexpr int RC_CHKBOX_NORMAL = 1;
inline constexpr int RC_CHKBOX_SINGLE = 2;   // checking a row unchecks the others
inline constexpr int RC_CHKBOX_DISABLED = 3; // clicks do not change the check boxes

// Format flags of SetItemDate.
inline constexpr DWORD VAR_TIMEVALUEONLY = 0x04;
inline constexpr DWORD VAR_DATEVALUEONLY = 0x08;

class CReportCtrl : public CListCtrl
{
public:
    CReportCtrl();
    ~CReportCtrl() override;

    // rect null: the parent's whole client area.
    BOOL Create(CWnd* pParentWnd, UINT nID, LPCRECT lpRect = nullptr, DWORD dwStyle = WS_BORDER | WS_TABSTOP);
    // The report view, the scroll bars and visibility are always kept.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    // Adds LVS_EX_SUBITEMIMAGES.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    void SetGridLines(BOOL bSet = TRUE);
    void SetFullRowSelect(BOOL bSet = TRUE);
    BOOL HasColumnHeader() const;
    void ResizeToParent();

    // --- Columns ---
    int InsertColumn(int nCol, const std::string& heading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    // "heading,width,format;..." with width 100 when missing and format 1
    // centred, 2 right-aligned, else left-aligned. Deletes every row and
    // column first; TRUE when at least one column was made.
    BOOL SetColumns(const std::string& columns);
    BOOL DeleteColumn(int nCol);
    BOOL DeleteAllColumns();
    int GetColumnCount() const;
    std::string GetHeaderText(int nCol) const;
    BOOL SetHeaderText(int nCol, const char* text);

    // --- Rows ---
    int InsertItem(int nIndex, const std::string& text);
    int InsertItem(int nIndex, const std::string& text, int nImage);
    int InsertItem(const LVITEM* pItem);
    int InsertItem(UINT nMask, int nItem, const std::string& text, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    // A row with texts[0] in column 0, texts[1] in column 1, ... as far as
    // there are columns.
    int InsertItemTexts(int nIndex, const std::vector<std::string>& texts);
    BOOL DeleteItem(int nItem, BOOL bSelectNextItem = FALSE);
    // Mask RC_ITEM_ALL deletes every row; another mask the rows matching it.
    // Returns the number of rows deleted.
    int DeleteAllItems(DWORD dwStates = RC_ITEM_ALL);
    int GetItemCount(DWORD dwStates = RC_ITEM_ALL) const;
    BOOL IsValidItem(int nItem) const;

    BOOL SetItemText(int nItem, int nSubItem, const std::string& text);
    BOOL SetItemInt(int nItem, int nSubItem, int value);
    BOOL SetItemLong(int nItem, int nSubItem, long value);
    BOOL SetItemUInt(int nItem, int nSubItem, unsigned int value);
    BOOL SetItemULong(int nItem, int nSubItem, unsigned long value);
    // nPrecision < 0: as many places as needed (2.5, 3); else exactly that many.
    BOOL SetItemDouble(int nItem, int nSubItem, double value, int nPrecision = -1);
    // An absent date writes "". Dates read "YYYY-MM-DD HH:MM:SS"; the time is
    // left out at midnight and the date on the zero date 1899-12-30, unless
    // VAR_DATEVALUEONLY or VAR_TIMEVALUEONLY choose one part.
    BOOL SetItemDate(int nItem, int nSubItem, const std::optional<std::tm>& date, DWORD dwFlags = 0);
    BOOL SetItemChar(int nItem, int nSubItem, char value);

    // The user data of a row lives in its record.
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItem(const LVITEM* pItem);

    // --- Colours (-1: the system colour) ---
    // A valid row and column: that cell; a valid row only: the whole row; a
    // valid column only: that column of every row; neither: every cell.
    void SetItemTextColor(int nItem = -1, int nSubItem = -1, COLORREF color = static_cast<COLORREF>(-1),
                          BOOL bRedraw = TRUE);
    void SetItemBkColor(int nItem = -1, int nSubItem = -1, COLORREF color = static_cast<COLORREF>(-1),
                        BOOL bRedraw = TRUE);
    // -1 for a cell that does not exist.
    COLORREF GetItemTextColor(int nItem, int nSubItem) const;
    COLORREF GetItemBkColor(int nItem, int nSubItem) const;

    // --- Row states ---
    DWORD GetItemStates(int nItem) const;
    BOOL TestItemStates(int nItem, DWORD dwStates) const;
    BOOL SetItemStates(int nItem, DWORD dwNewStates);
    int SetAllItemStates(DWORD dwOldStates, DWORD dwNewStates);
    int FindNextItem(DWORD dwStates, int nStart = -1) const;
    int FindPrevItem(DWORD dwStates, int nStart = -1) const;
    // 0 inverts the selection, 1 the check marks.
    void InvertItems(int nType);
    BOOL SetCheck(int nItem, BOOL bCheck = TRUE);
    void SetCheckboxMode(int nMode);
    int GetCheckboxMode() const;

    // --- In-place editing ---
    void SetEditable(BOOL bSet = TRUE);
    BOOL IsEditable() const;
    BOOL StartEdit(int nItem, int nSubItem);
    // Closes the editor; with bCommit a changed text goes into the cell.
    // TRUE when the cell changed.
    BOOL EndEdit(BOOL bCommit = TRUE);
    BOOL IsEditing() const;
    CEdit* GetEditControl();

    // --- Images ---
    BOOL SetItemImage(int nItem, int nSubItem, int nImage);
    int GetItemImage(int nItem, int nSubItem) const;

    // --- Sorting and moving rows ---
    void SortByColumn(int nColumn, BOOL bAscending = TRUE);
    BOOL SortRange(int nFirst, int nLast);
    int CompareCells(int nItem1, int nItem2) const;
    int GetSortColumn() const;
    BOOL IsSortAscending() const;
    void SetSortable(BOOL bSet);
    BOOL IsSortable() const;
    // Rows whose text in the sort column equals it stay in place and split the
    // list into groups that are sorted apart. nullptr: none.
    void SetSeparatorText(const char* text);
    const char* GetSeparatorText() const;

    // The row's new index, or -1 for an invalid row.
    int MoveTo(int nItem, int nNewIndex);
    int MoveUp(int nItem, int nCount = 1);
    int MoveDown(int nItem, int nCount = 1);
    int MoveToTop(int nItem);
    int MoveToBottom(int nItem);
    BOOL SwapItems(int nItem1, int nItem2);

    // --- Cell buttons ---
    // FALSE for an invalid row or column, a column 4 pixels wide or less, a
    // type other than 0 or 1, or a cell that has a button already.
    BOOL AddButton(int nItem, int nSubItem, ButtonSpec spec);
    BOOL CreateButton(int nItem, int nSubItem, ButtonSpec spec);
    // Types 0 and 1 remove the cell's buttons; the list is repainted either way.
    BOOL RemoveButton(int nItem, int nSubItem, int nType);
    BOOL DeleteButtons(int nItem, int nSubItem);
    BOOL EnableButton(int nItem, int nSubItem, int nType, BOOL bEnable);
    BOOL HasButton(int nItem, int nSubItem, int nType) const;
    // Puts every button on its cell, hidden when its row is off the page.
    void RepositionButtons();
    BOOL PositionButton(int nItem, int nSubItem, CButtonEx& button);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // The record behind every row.
    struct ReportRowInfo
    {
        DWORD_PTR userData = 0;
        std::vector<COLORREF> textColors; // one per column
        std::vector<COLORREF> bkColors;
    };
    // A row's whole content while rows are rewritten.
    struct ReportRowSnapshot
    {
        ReportRowInfo* record = nullptr;
        DWORD states = 0;
        std::vector<int> images;
        std::vector<std::string> texts;
    };

    static void ForceStyle(DWORD& style);
    void ResetSortState();
    ReportRowInfo* NewRecord(DWORD_PTR userData);
    void FreeRecord(ReportRowInfo* record);
    void FreeAllRecords();
    ReportRowInfo* RecordOf(int nItem) const;
    int InsertWithRecord(LVITEM item);
    // Gives every row the colours of a new column at index; returns index.
    int AddColumnColors(int index);
    ReportRowSnapshot TakeSnapshot(int nItem) const;
    void WriteSnapshot(int nItem, const ReportRowSnapshot& snapshot);
    void QuickSortRows(std::vector<int>& rows, int low, int high) const;
    void ApplySingleCheck(int nCheckedItem);
    BOOL ProcessCheckChange(int nItem, BOOL bWasChecked, BOOL bIsChecked, UINT nMsg);
    void OnMouseButton(UINT nMsg, UINT nFlags, CPoint point);
    CButtonInfo* FindButtons(int nItem, int nSubItem);
    const CButtonInfo* FindButtons(int nItem, int nSubItem) const;
    void FreeRetiredButtons();
    void SetCellColor(bool text, int nItem, int nSubItem, COLORREF color, BOOL bRedraw);
    COLORREF CellColor(bool text, int nItem, int nSubItem) const;
    void ShowRowColors(int nItem);
    void ShowAllColors();

    std::unique_ptr<CEdit> m_pWndEdit;
    std::optional<std::string> m_strSeparator;
    BOOL m_bAllowEdit = FALSE;
    int m_nEditItem = -1;
    int m_nEditSubItem = -1;
    int m_nChkStyle = RC_CHKBOX_NORMAL;
    DWORD m_dwEditAlign = ES_LEFT;
    int m_nSortCol = -1;
    BOOL m_bSortAscending = TRUE;
    std::vector<CButtonInfo> m_aButtons;

    std::map<const ReportRowInfo*, std::unique_ptr<ReportRowInfo>> m_records;
    // Buttons removed while a click was being reported; freed afterwards.
    std::vector<std::unique_ptr<CButtonEx>> m_retiredButtons;
    int m_nChangingChecks = 0; // > 0 while the control itself sets check marks
    int m_nMouseDepth = 0;     // > 0 while the list handles a mouse button this control saw first
};
