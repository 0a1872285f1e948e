#include "common/CReportCtrl.h"

#include "common/CCellTextCompare.h"
#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/SysColor.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

namespace {

constexpr COLORREF kDefaultColor = static_cast<COLORREF>(-1);

bool IsLeftButton(UINT nMsg)
{
    return nMsg == WM_LBUTTONDOWN || nMsg == WM_LBUTTONDBLCLK;
}

} // namespace

BEGIN_MESSAGE_MAP(CReportCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnClick)
    ON_NOTIFY_REFLECT_EX(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

CReportCtrl::CReportCtrl() : m_pWndEdit(std::make_unique<CEdit>()) {}

CReportCtrl::~CReportCtrl()
{
    m_aButtons.clear();
    m_retiredButtons.clear();
}

// ---------------------------------------------------------------------------
// Creation and styles

void CReportCtrl::ForceStyle(DWORD& style)
{
    style &= ~(LVS_NOSCROLL | LVS_EDITLABELS | LVS_TYPEMASK);
    style |= WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT;
}

BOOL CReportCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    ForceStyle(cs.style);
    return CListCtrl::PreCreateWindow(cs);
}

int CReportCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    ForceStyle(lpCreateStruct->style);
    return CListCtrl::OnCreate(lpCreateStruct);
}

void CReportCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    DWORD style = GetStyle();
    const DWORD before = style;
    ForceStyle(style);
    CListCtrl::ModifyStyle(before & ~style, style & ~before);
    CListCtrl::SetExtendedStyle(LVS_EX_SUBITEMIMAGES);
}

BOOL CReportCtrl::Create(CWnd* pParentWnd, UINT nID, LPCRECT lpRect, DWORD dwStyle)
{
    if (!pParentWnd)
        return FALSE;
    ForceStyle(dwStyle);
    CRect rect;
    if (lpRect)
        rect = *lpRect;
    else
        pParentWnd->GetClientRect(&rect);
    return CListCtrl::Create(dwStyle, rect, pParentWnd, nID);
}

BOOL CReportCtrl::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD kept = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | LVS_REPORT;
    dwRemove = (dwRemove | LVS_NOSCROLL | LVS_EDITLABELS | LVS_TYPEMASK) & ~kept;
    dwAdd = (dwAdd & ~(LVS_NOSCROLL | LVS_EDITLABELS | LVS_TYPEMASK)) | kept;
    return CListCtrl::ModifyStyle(dwRemove, dwAdd, nFlags);
}

BOOL CReportCtrl::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return CListCtrl::ModifyStyleEx(dwRemove & ~LVS_EX_SUBITEMIMAGES, dwAdd | LVS_EX_SUBITEMIMAGES, nFlags);
}

DWORD CReportCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return CListCtrl::SetExtendedStyle(dwNewStyle | LVS_EX_SUBITEMIMAGES);
}

void CReportCtrl::SetGridLines(BOOL bSet)
{
    const DWORD style = GetExtendedStyle();
    SetExtendedStyle(bSet ? (style | LVS_EX_GRIDLINES) : (style & ~LVS_EX_GRIDLINES));
}

void CReportCtrl::SetFullRowSelect(BOOL bSet)
{
    const DWORD style = GetExtendedStyle();
    SetExtendedStyle(bSet ? (style | LVS_EX_FULLROWSELECT) : (style & ~LVS_EX_FULLROWSELECT));
}

BOOL CReportCtrl::HasColumnHeader() const
{
    return (GetStyle() & LVS_NOCOLUMNHEADER) == 0;
}

void CReportCtrl::ResizeToParent()
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    CRect rect;
    parent->GetClientRect(&rect);
    MoveWindow(&rect);
}

// ---------------------------------------------------------------------------
// Row records

void CReportCtrl::ResetSortState()
{
    m_nSortCol = -1;
    m_bSortAscending = TRUE;
}

CReportCtrl::ReportRowInfo* CReportCtrl::NewRecord(DWORD_PTR userData)
{
    auto record = std::make_unique<ReportRowInfo>();
    record->userData = userData;
    const size_t columns = static_cast<size_t>(std::max(GetColumnCount(), 0));
    record->textColors.assign(columns, GetSysColor(COLOR_WINDOWTEXT));
    record->bkColors.assign(columns, GetSysColor(COLOR_WINDOW));
    ReportRowInfo* raw = record.get();
    m_records.emplace(raw, std::move(record));
    return raw;
}

void CReportCtrl::FreeRecord(ReportRowInfo* record)
{
    m_records.erase(record);
}

void CReportCtrl::FreeAllRecords()
{
    m_records.clear();
}

CReportCtrl::ReportRowInfo* CReportCtrl::RecordOf(int nItem) const
{
    if (!IsValidItem(nItem))
        return nullptr;
    auto* record = reinterpret_cast<ReportRowInfo*>(CListCtrl::GetItemData(nItem));
    const auto it = m_records.find(record);
    return it == m_records.end() ? nullptr : it->second.get();
}

int CReportCtrl::InsertWithRecord(LVITEM item)
{
    EndEdit(TRUE);
    ResetSortState();
    const DWORD_PTR userData = (item.mask & LVIF_PARAM) ? static_cast<DWORD_PTR>(item.lParam) : 0;
    ReportRowInfo* record = NewRecord(userData);
    item.mask |= LVIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(record);
    const int row = CListCtrl::InsertItem(&item);
    if (row < 0)
        FreeRecord(record);
    return row;
}

// ---------------------------------------------------------------------------
// Columns

int CReportCtrl::InsertColumn(int nCol, const std::string& heading, int nFormat, int nWidth, int nSubItem)
{
    EndEdit(TRUE);
    return AddColumnColors(CListCtrl::InsertColumn(nCol, heading, nFormat, nWidth, nSubItem));
}

int CReportCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    EndEdit(TRUE);
    return AddColumnColors(CListCtrl::InsertColumn(nCol, pColumn));
}

int CReportCtrl::AddColumnColors(int index)
{
    if (index < 0)
        return index;
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    for (auto& [key, record] : m_records) {
        const size_t at = std::min(static_cast<size_t>(index), record->textColors.size());
        record->textColors.insert(record->textColors.begin() + static_cast<std::ptrdiff_t>(at), text);
        record->bkColors.insert(record->bkColors.begin() + static_cast<std::ptrdiff_t>(at), back);
    }
    ShowAllColors();
    return index;
}

BOOL CReportCtrl::SetColumns(const std::string& columns)
{
    DeleteAllItems(RC_ITEM_ALL);
    DeleteAllColumns();
    int inserted = 0;
    size_t start = 0;
    while (start <= columns.size()) {
        size_t end = columns.find(';', start);
        if (end == std::string::npos)
            end = columns.size();
        const std::string piece = columns.substr(start, end - start);
        start = end + 1;
        if (piece.empty())
            continue;
        std::string fields[3];
        size_t from = 0;
        for (int f = 0; f < 3; ++f) {
            const size_t comma = f < 2 ? piece.find(',', from) : std::string::npos;
            fields[f] = piece.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
            if (comma == std::string::npos) {
                from = piece.size() + 1;
                break;
            }
            from = comma + 1;
        }
        int width = 100;
        if (!fields[1].empty())
            width = std::atoi(fields[1].c_str());
        const int code = std::atoi(fields[2].c_str());
        const int format = code == 1 ? LVCFMT_CENTER : (code == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT);
        if (InsertColumn(GetColumnCount(), fields[0], format, width) >= 0)
            ++inserted;
    }
    return inserted > 0;
}

BOOL CReportCtrl::DeleteColumn(int nCol)
{
    EndEdit(TRUE);
    if (!CListCtrl::DeleteColumn(nCol))
        return FALSE;
    for (auto& [key, record] : m_records) {
        if (nCol >= 0 && static_cast<size_t>(nCol) < record->textColors.size()) {
            record->textColors.erase(record->textColors.begin() + nCol);
            record->bkColors.erase(record->bkColors.begin() + nCol);
        }
    }
    ShowAllColors();
    return TRUE;
}

BOOL CReportCtrl::DeleteAllColumns()
{
    const int count = GetColumnCount();
    for (int i = 0; i < count; ++i)
        DeleteColumn(0);
    return GetColumnCount() == 0;
}

int CReportCtrl::GetColumnCount() const
{
    const CHeaderCtrl* header = GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

std::string CReportCtrl::GetHeaderText(int nCol) const
{
    const CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || nCol < 0 || nCol >= GetColumnCount())
        return std::string();
    char buffer[256] = {};
    HDITEM item;
    item.mask = HDI_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer) - 1;
    if (!header->GetItem(nCol, &item))
        return std::string();
    return std::string(buffer);
}

BOOL CReportCtrl::SetHeaderText(int nCol, const char* text)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    if (!header || nCol < 0 || nCol >= GetColumnCount())
        return FALSE;
    std::string value = text ? text : "";
    HDITEM item;
    item.mask = HDI_TEXT;
    item.pszText = value.data();
    return header->SetItem(nCol, &item);
}

// ---------------------------------------------------------------------------
// Rows

int CReportCtrl::InsertItem(int nIndex, const std::string& text)
{
    return InsertItem(LVIF_TEXT, nIndex, text, 0, 0, 0, 0);
}

int CReportCtrl::InsertItem(int nIndex, const std::string& text, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nIndex, text, 0, 0, nImage, 0);
}

int CReportCtrl::InsertItem(const LVITEM* pItem)
{
    if (!pItem)
        return -1;
    return InsertWithRecord(*pItem);
}

int CReportCtrl::InsertItem(UINT nMask, int nItem, const std::string& text, UINT nState, UINT nStateMask, int nImage,
                            LPARAM lParam)
{
    const LVITEM item{nMask, nItem, 0, nState, nStateMask, const_cast<char*>(text.c_str()), 0, nImage, lParam, 0};
    return InsertWithRecord(item);
}

int CReportCtrl::InsertItemTexts(int nIndex, const std::vector<std::string>& texts)
{
    const int row = InsertItem(nIndex, texts.empty() ? std::string() : texts[0]);
    if (row < 0)
        return row;
    const int columns = GetColumnCount();
    for (int c = 1; c < columns && static_cast<size_t>(c) < texts.size(); ++c)
        CListCtrl::SetItemText(row, c, texts[static_cast<size_t>(c)]);
    return row;
}

BOOL CReportCtrl::DeleteItem(int nItem, BOOL bSelectNextItem)
{
    if (!IsValidItem(nItem))
        return FALSE;
    if (m_nEditItem >= 0)
        EndEdit(m_nEditItem != nItem);
    if (bSelectNextItem)
        SetItemStates(nItem + 1, RC_ITEM_SELECTED);
    ReportRowInfo* record = RecordOf(nItem);
    const BOOL deleted = CListCtrl::DeleteItem(nItem);
    if (deleted && record)
        FreeRecord(record);
    if (deleted && !m_aButtons.empty())
        RepositionButtons();
    return deleted;
}

int CReportCtrl::DeleteAllItems(DWORD dwStates)
{
    EndEdit(FALSE);
    SetRedraw(FALSE);
    int deleted = 0;
    if (dwStates & RC_ITEM_ALL) {
        deleted = GetItemCount();
        CListCtrl::DeleteAllItems();
        FreeAllRecords();
    } else {
        for (int i = GetItemCount() - 1; i >= 0; --i) {
            if (TestItemStates(i, dwStates) && DeleteItem(i, FALSE))
                ++deleted;
        }
    }
    SetRedraw(TRUE);
    if (!m_aButtons.empty())
        RepositionButtons();
    return deleted;
}

int CReportCtrl::GetItemCount(DWORD dwStates) const
{
    const int count = CListCtrl::GetItemCount();
    if (dwStates & RC_ITEM_ALL)
        return count;
    int matching = 0;
    for (int i = 0; i < count; ++i) {
        if (TestItemStates(i, dwStates))
            ++matching;
    }
    return matching;
}

BOOL CReportCtrl::IsValidItem(int nItem) const
{
    return nItem >= 0 && nItem < CListCtrl::GetItemCount();
}

BOOL CReportCtrl::SetItemText(int nItem, int nSubItem, const std::string& text)
{
    EndEdit(TRUE);
    ResetSortState();
    return CListCtrl::SetItemText(nItem, nSubItem, text);
}

BOOL CReportCtrl::SetItemInt(int nItem, int nSubItem, int value)
{
    return SetItemText(nItem, nSubItem, std::to_string(value));
}

BOOL CReportCtrl::SetItemLong(int nItem, int nSubItem, long value)
{
    return SetItemText(nItem, nSubItem, std::to_string(value));
}

BOOL CReportCtrl::SetItemUInt(int nItem, int nSubItem, unsigned int value)
{
    return SetItemText(nItem, nSubItem, std::to_string(value));
}

BOOL CReportCtrl::SetItemULong(int nItem, int nSubItem, unsigned long value)
{
    return SetItemText(nItem, nSubItem, std::to_string(value));
}

BOOL CReportCtrl::SetItemDouble(int nItem, int nSubItem, double value, int nPrecision)
{
    // Not through printf: the number reads the same in every locale.
    char buffer[400];
    const int places = nPrecision < 0 ? 6 : std::min(nPrecision, 60);
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, places);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (nPrecision < 0 && text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    return SetItemText(nItem, nSubItem, text);
}

BOOL CReportCtrl::SetItemDate(int nItem, int nSubItem, const std::optional<std::tm>& date, DWORD dwFlags)
{
    if (!date)
        return SetItemText(nItem, nSubItem, std::string());
    const std::tm& t = *date;
    const bool zeroDate = t.tm_year == -1 && t.tm_mon == 11 && t.tm_mday == 30;
    const bool midnight = t.tm_hour == 0 && t.tm_min == 0 && t.tm_sec == 0;
    bool withDate = !zeroDate || midnight;
    bool withTime = !midnight;
    if (dwFlags & VAR_DATEVALUEONLY) {
        withDate = true;
        withTime = false;
    } else if (dwFlags & VAR_TIMEVALUEONLY) {
        withDate = false;
        withTime = true;
    }
    char buffer[64];
    std::string text;
    if (withDate) {
        std::snprintf(buffer, sizeof(buffer), "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
        text = buffer;
    }
    if (withTime) {
        std::snprintf(buffer, sizeof(buffer), "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
        text += (text.empty() ? "" : " ") + std::string(buffer);
    }
    return SetItemText(nItem, nSubItem, text);
}

BOOL CReportCtrl::SetItemChar(int nItem, int nSubItem, char value)
{
    return SetItemText(nItem, nSubItem, std::string(1, value));
}

BOOL CReportCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    ReportRowInfo* record = RecordOf(nItem);
    if (!record)
        return FALSE;
    record->userData = dwData;
    return TRUE;
}

DWORD_PTR CReportCtrl::GetItemData(int nItem) const
{
    const ReportRowInfo* record = RecordOf(nItem);
    return record ? record->userData : 0;
}

BOOL CReportCtrl::GetItem(LVITEM* pItem) const
{
    if (!pItem || !CListCtrl::GetItem(pItem))
        return FALSE;
    if (pItem->mask & LVIF_PARAM) {
        const ReportRowInfo* record = RecordOf(pItem->iItem);
        pItem->lParam = record ? static_cast<LPARAM>(record->userData) : 0;
    }
    return TRUE;
}

BOOL CReportCtrl::SetItem(const LVITEM* pItem)
{
    if (!pItem)
        return FALSE;
    LVITEM item = *pItem;
    if (item.mask & LVIF_PARAM) {
        if (!SetItemData(item.iItem, static_cast<DWORD_PTR>(item.lParam)))
            return FALSE;
        item.mask &= ~LVIF_PARAM;
    }
    return item.mask == 0 ? TRUE : CListCtrl::SetItem(&item);
}

// ---------------------------------------------------------------------------
// Colours

void CReportCtrl::SetCellColor(bool text, int nItem, int nSubItem, COLORREF color, BOOL bRedraw)
{
    if (color == kDefaultColor)
        color = GetSysColor(text ? COLOR_WINDOWTEXT : COLOR_WINDOW);
    const int columns = GetColumnCount();
    const bool validColumn = nSubItem >= 0 && nSubItem < columns;
    const int rows = CListCtrl::GetItemCount();
    const int firstRow = IsValidItem(nItem) ? nItem : 0;
    const int lastRow = IsValidItem(nItem) ? nItem : rows - 1;
    for (int r = firstRow; r <= lastRow; ++r) {
        ReportRowInfo* record = RecordOf(r);
        if (!record)
            continue;
        std::vector<COLORREF>& colors = text ? record->textColors : record->bkColors;
        for (int c = validColumn ? nSubItem : 0; c <= (validColumn ? nSubItem : columns - 1); ++c) {
            if (static_cast<size_t>(c) < colors.size())
                colors[static_cast<size_t>(c)] = color;
        }
        ShowRowColors(r);
    }
    if (bRedraw)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

void CReportCtrl::ShowRowColors(int nItem)
{
    // The system colours are the list's own, which follow the desktop's theme.
    const ReportRowInfo* record = RecordOf(nItem);
    if (!record)
        return;
    const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    for (size_t c = 0; c < record->textColors.size(); ++c) {
        const COLORREF text = record->textColors[c];
        const COLORREF back = record->bkColors[c];
        CListCtrl::SetItemColors(nItem, static_cast<int>(c), text == windowText ? kDefaultColor : text,
                                 back == window ? kDefaultColor : back);
    }
}

void CReportCtrl::ShowAllColors()
{
    for (int r = 0; r < CListCtrl::GetItemCount(); ++r)
        ShowRowColors(r);
}

COLORREF CReportCtrl::CellColor(bool text, int nItem, int nSubItem) const
{
    const ReportRowInfo* record = RecordOf(nItem);
    if (!record || nSubItem < 0 || nSubItem >= GetColumnCount())
        return kDefaultColor;
    const std::vector<COLORREF>& colors = text ? record->textColors : record->bkColors;
    return static_cast<size_t>(nSubItem) < colors.size() ? colors[static_cast<size_t>(nSubItem)] : kDefaultColor;
}

void CReportCtrl::SetItemTextColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw)
{
    SetCellColor(true, nItem, nSubItem, color, bRedraw);
}

void CReportCtrl::SetItemBkColor(int nItem, int nSubItem, COLORREF color, BOOL bRedraw)
{
    SetCellColor(false, nItem, nSubItem, color, bRedraw);
}

COLORREF CReportCtrl::GetItemTextColor(int nItem, int nSubItem) const
{
    return CellColor(true, nItem, nSubItem);
}

COLORREF CReportCtrl::GetItemBkColor(int nItem, int nSubItem) const
{
    return CellColor(false, nItem, nSubItem);
}

// ---------------------------------------------------------------------------
// Row states

DWORD CReportCtrl::GetItemStates(int nItem) const
{
    if (!IsValidItem(nItem))
        return 0;
    const UINT state = CListCtrl::GetItemState(nItem, LVIS_SELECTED | LVIS_FOCUSED);
    DWORD flags = 0;
    flags |= (state & LVIS_SELECTED) ? RC_ITEM_SELECTED : RC_ITEM_UNSELECTED;
    flags |= CListCtrl::GetCheck(nItem) ? RC_ITEM_CHECKED : RC_ITEM_UNCHECKED;
    flags |= (state & LVIS_FOCUSED) ? RC_ITEM_FOCUSED : RC_ITEM_UNFOCUSED;
    return flags;
}

BOOL CReportCtrl::TestItemStates(int nItem, DWORD dwStates) const
{
    if (!IsValidItem(nItem) || dwStates == 0)
        return FALSE;
    if (dwStates & RC_ITEM_ALL)
        return TRUE;
    return (GetItemStates(nItem) & dwStates) == dwStates;
}

BOOL CReportCtrl::SetItemStates(int nItem, DWORD dwNewStates)
{
    if (!IsValidItem(nItem) || dwNewStates == 0)
        return FALSE;
    BOOL ok = TRUE;
    if (dwNewStates & RC_ITEM_SELECTED)
        ok &= CListCtrl::SetItemState(nItem, LVIS_SELECTED, LVIS_SELECTED);
    if (dwNewStates & RC_ITEM_UNSELECTED)
        ok &= CListCtrl::SetItemState(nItem, 0, LVIS_SELECTED);
    if (dwNewStates & RC_ITEM_CHECKED)
        ok &= SetCheck(nItem, TRUE);
    if (dwNewStates & RC_ITEM_UNCHECKED)
        ok &= SetCheck(nItem, FALSE);
    if (dwNewStates & RC_ITEM_FOCUSED)
        ok &= CListCtrl::SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
    if (dwNewStates & RC_ITEM_UNFOCUSED)
        ok &= CListCtrl::SetItemState(nItem, 0, LVIS_FOCUSED);
    return ok ? TRUE : FALSE;
}

int CReportCtrl::SetAllItemStates(DWORD dwOldStates, DWORD dwNewStates)
{
    if (dwOldStates == 0 || dwNewStates == 0)
        return 0;
    int count = 0;
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i) {
        if (TestItemStates(i, dwOldStates)) {
            SetItemStates(i, dwNewStates);
            ++count;
        }
    }
    return count;
}

int CReportCtrl::FindNextItem(DWORD dwStates, int nStart) const
{
    if (nStart < -1)
        nStart = -1;
    for (int i = nStart + 1; i < CListCtrl::GetItemCount(); ++i) {
        if (TestItemStates(i, dwStates))
            return i;
    }
    return -1;
}

int CReportCtrl::FindPrevItem(DWORD dwStates, int nStart) const
{
    const int count = CListCtrl::GetItemCount();
    if (nStart < 0 || nStart >= count)
        nStart = count;
    for (int i = nStart - 1; i >= 0; --i) {
        if (TestItemStates(i, dwStates))
            return i;
    }
    return -1;
}

void CReportCtrl::InvertItems(int nType)
{
    for (int i = 0; i < CListCtrl::GetItemCount(); ++i) {
        if (nType == 0)
            SetItemStates(i, TestItemStates(i, RC_ITEM_SELECTED) ? RC_ITEM_UNSELECTED : RC_ITEM_SELECTED);
        else if (nType == 1)
            SetItemStates(i, TestItemStates(i, RC_ITEM_CHECKED) ? RC_ITEM_UNCHECKED : RC_ITEM_CHECKED);
    }
}

void CReportCtrl::ApplySingleCheck(int nCheckedItem)
{
    if (m_nChkStyle != RC_CHKBOX_SINGLE)
        return;
    ++m_nChangingChecks;
    const int count = CListCtrl::GetItemCount();
    int keep = nCheckedItem;
    for (int i = 0; i < count; ++i) {
        if (!CListCtrl::GetCheck(i))
            continue;
        if (keep < 0)
            keep = i;
        else if (i != keep)
            CListCtrl::SetCheck(i, FALSE);
    }
    --m_nChangingChecks;
}

BOOL CReportCtrl::SetCheck(int nItem, BOOL bCheck)
{
    if (!IsValidItem(nItem))
        return FALSE;
    ++m_nChangingChecks;
    const BOOL ok = CListCtrl::SetCheck(nItem, bCheck);
    --m_nChangingChecks;
    if (ok && bCheck)
        ApplySingleCheck(nItem);
    return ok;
}

void CReportCtrl::SetCheckboxMode(int nMode)
{
    m_nChkStyle = nMode;
    EndEdit(TRUE);
    const DWORD style = GetExtendedStyle();
    if (nMode == RC_CHKBOX_NONE) {
        SetExtendedStyle(style & ~LVS_EX_CHECKBOXES);
        return;
    }
    SetExtendedStyle(style | LVS_EX_CHECKBOXES);
    ApplySingleCheck(-1);
}

int CReportCtrl::GetCheckboxMode() const
{
    return m_nChkStyle;
}

BOOL CReportCtrl::ProcessCheckChange(int nItem, BOOL bWasChecked, BOOL bIsChecked, UINT nMsg)
{
    if (!IsValidItem(nItem) || m_nChkStyle == RC_CHKBOX_NONE || !bWasChecked == !bIsChecked)
        return FALSE;
    if (m_nChkStyle == RC_CHKBOX_DISABLED) {
        ++m_nChangingChecks;
        CListCtrl::SetCheck(nItem, bWasChecked);
        --m_nChangingChecks;
        return TRUE;
    }
    if (m_nChkStyle == RC_CHKBOX_SINGLE && bIsChecked)
        ApplySingleCheck(nItem);
    SetAllItemStates(RC_ITEM_SELECTED, RC_ITEM_UNSELECTED);
    SetItemStates(nItem, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_REPORT_CLICK, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nMsg));
    return TRUE;
}

// ---------------------------------------------------------------------------
// Mouse and keyboard

void CReportCtrl::OnMouseButton(UINT nMsg, UINT nFlags, CPoint point)
{
    LVHITTESTINFO hit;
    hit.pt.x = point.x;
    hit.pt.y = point.y;
    SubItemHitTest(&hit);
    const int row = hit.iItem;
    const int column = hit.iSubItem;
    const BOOL wasChecked = IsValidItem(row) && CListCtrl::GetCheck(row);
    const BOOL wasEditing = IsEditing();
    EndEdit(TRUE);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    const bool wasSelectedAndFocused =
        IsLeftButton(nMsg) && IsValidItem(row) && CListCtrl::GetItemState(row, both) == both;

    ++m_nMouseDepth;
    switch (nMsg) {
    case WM_LBUTTONDOWN:
        CListCtrl::OnLButtonDown(nFlags, point);
        break;
    case WM_LBUTTONDBLCLK:
        CListCtrl::OnLButtonDblClk(nFlags, point);
        break;
    case WM_MBUTTONDOWN:
        CListCtrl::OnMButtonDown(nFlags, point);
        break;
    case WM_MBUTTONDBLCLK:
        CListCtrl::OnMButtonDblClk(nFlags, point);
        break;
    case WM_RBUTTONDOWN:
        CListCtrl::OnRButtonDown(nFlags, point);
        break;
    case WM_RBUTTONDBLCLK:
        CListCtrl::OnRButtonDblClk(nFlags, point);
        break;
    default:
        break;
    }
    --m_nMouseDepth;

    const BOOL isChecked = IsValidItem(row) && CListCtrl::GetCheck(row);
    const BOOL handled = ProcessCheckChange(row, wasChecked, isChecked, nMsg);
    if (IsLeftButton(nMsg) && m_bAllowEdit && !handled && !wasEditing && wasSelectedAndFocused)
        StartEdit(row, column);
}

void CReportCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    OnMouseButton(WM_LBUTTONDOWN, nFlags, point);
}

void CReportCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnMouseButton(WM_LBUTTONDBLCLK, nFlags, point);
}

void CReportCtrl::OnMButtonDown(UINT nFlags, CPoint point)
{
    OnMouseButton(WM_MBUTTONDOWN, nFlags, point);
}

void CReportCtrl::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    OnMouseButton(WM_MBUTTONDBLCLK, nFlags, point);
}

void CReportCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    OnMouseButton(WM_RBUTTONDOWN, nFlags, point);
}

void CReportCtrl::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    OnMouseButton(WM_RBUTTONDBLCLK, nFlags, point);
}

BOOL CReportCtrl::OnItemChanged(NMHDR* pNMHDR, LRESULT* /*pResult*/)
{
    // A check mark the user changed outside a mouse message this control
    // handles (the list changes it when the button is released).
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (m_nChangingChecks > 0 || m_nMouseDepth > 0 || !(nm->uChanged & LVIF_STATE))
        return FALSE;
    const UINT was = nm->uOldState & LVIS_STATEIMAGEMASK;
    const UINT now = nm->uNewState & LVIS_STATEIMAGEMASK;
    if (was == 0 || now == 0 || was == now)
        return FALSE;
    ProcessCheckChange(nm->iItem, was == INDEXTOSTATEIMAGEMASK(2), now == INDEXTOSTATEIMAGEMASK(2), WM_LBUTTONDOWN);
    return FALSE; // the parent sees the change too
}

BOOL CReportCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        if (IsEditing()) {
            const int row = m_nEditItem;
            const int column = m_nEditSubItem;
            switch (pMsg->wParam) {
            case VK_TAB:
                EndEdit(TRUE);
                StartEdit(row, column + 1 < GetColumnCount() ? column + 1 : 0);
                return TRUE;
            case VK_RETURN:
                EndEdit(TRUE);
                return TRUE;
            case VK_ESCAPE:
                EndEdit(FALSE);
                return TRUE;
            case VK_UP:
                if (row > 0) {
                    EndEdit(TRUE);
                    StartEdit(row - 1, column);
                    EnsureVisible(row - 1, FALSE);
                    return TRUE;
                }
                break;
            case VK_DOWN:
                if (row < CListCtrl::GetItemCount() - 1) {
                    EndEdit(TRUE);
                    StartEdit(row + 1, column);
                    EnsureVisible(row + 1, FALSE);
                    return TRUE;
                }
                break;
            default:
                break;
            }
        } else if (pMsg->wParam == VK_SPACE) {
            return TRUE;
        }
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// In-place editing

void CReportCtrl::SetEditable(BOOL bSet)
{
    if (!bSet)
        EndEdit(TRUE);
    m_bAllowEdit = bSet;
}

BOOL CReportCtrl::IsEditable() const
{
    return m_bAllowEdit;
}

BOOL CReportCtrl::IsEditing() const
{
    return m_bAllowEdit && IsValidItem(m_nEditItem) && m_nEditSubItem >= 0 && m_nEditSubItem < GetColumnCount();
}

CEdit* CReportCtrl::GetEditControl()
{
    return m_pWndEdit.get();
}

BOOL CReportCtrl::StartEdit(int nItem, int nSubItem)
{
    if (!m_bAllowEdit || !IsValidItem(nItem) || nSubItem < 0 || nSubItem >= GetColumnCount())
        return FALSE;
    if (m_nEditItem == nItem && m_nEditSubItem == nSubItem)
        return TRUE;
    EndEdit(TRUE);
    m_nEditItem = nItem;
    m_nEditSubItem = nSubItem;
    SetAllItemStates(RC_ITEM_SELECTED, RC_ITEM_UNSELECTED);
    SetItemStates(nItem, RC_ITEM_SELECTED | RC_ITEM_FOCUSED);

    // The editor aligns its text like the column's heading.
    DWORD align = ES_LEFT;
    if (const CHeaderCtrl* header = GetHeaderCtrl()) {
        HDITEM item;
        item.mask = HDI_FORMAT;
        if (header->GetItem(nSubItem, &item)) {
            if (item.fmt & HDF_CENTER)
                align = ES_CENTER;
            else if (item.fmt & HDF_RIGHT)
                align = ES_RIGHT;
        }
    }
    if (m_pWndEdit->GetSafeHwnd() && align != m_dwEditAlign)
        m_pWndEdit->DestroyWindow();
    if (!m_pWndEdit->GetSafeHwnd()) {
        const DWORD style = WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL | align;
        RECT rect{0, 0, 1, 1};
        if (!m_pWndEdit->Create(style, rect, this, 0)) {
            m_nEditItem = -1;
            m_nEditSubItem = -1;
            return FALSE;
        }
    }
    m_dwEditAlign = align;

    m_pWndEdit->SetFont(GetFont());
    CRect rect;
    GetSubItemRect(nItem, nSubItem, LVIR_LABEL, rect);
    m_pWndEdit->MoveWindow(&rect);
    m_pWndEdit->SetWindowText(CListCtrl::GetItemText(nItem, nSubItem));
    m_pWndEdit->ShowWindow(SW_SHOW);
    m_pWndEdit->SetSel(0, -1);
    m_pWndEdit->SetFocus();
    return TRUE;
}

BOOL CReportCtrl::EndEdit(BOOL bCommit)
{
    if (m_nEditItem < 0 && m_nEditSubItem < 0)
        return FALSE;
    const int row = m_nEditItem;
    const int column = m_nEditSubItem;
    m_nEditItem = -1;
    m_nEditSubItem = -1;
    BOOL changed = FALSE;
    if (m_pWndEdit->GetSafeHwnd()) {
        if (bCommit && IsValidItem(row) && column >= 0 && column < GetColumnCount()) {
            const std::string text = m_pWndEdit->GetWindowText();
            if (text != CListCtrl::GetItemText(row, column)) {
                CListCtrl::SetItemText(row, column, text);
                ResetSortState();
                changed = TRUE;
            }
        }
        m_pWndEdit->ShowWindow(SW_HIDE);
    }
    if (changed) {
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_REPORT_EDITED, static_cast<WPARAM>(row), static_cast<LPARAM>(column));
    }
    return changed;
}

// ---------------------------------------------------------------------------
// Images

BOOL CReportCtrl::SetItemImage(int nItem, int nSubItem, int nImage)
{
    LVITEM item;
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.iImage = nImage;
    return IsValidItem(nItem) && nSubItem >= 0 && nSubItem < GetColumnCount() && CListCtrl::SetItem(&item);
}

int CReportCtrl::GetItemImage(int nItem, int nSubItem) const
{
    if (!IsValidItem(nItem) || nSubItem < 0 || nSubItem >= GetColumnCount())
        return -1;
    LVITEM item;
    item.mask = LVIF_IMAGE;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    return CListCtrl::GetItem(&item) ? item.iImage : -1;
}

// ---------------------------------------------------------------------------
// Sorting

void CReportCtrl::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* nm = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const int column = nm->iSubItem;
    SortByColumn(column, !(column == m_nSortCol && m_bSortAscending));
    *pResult = 0;
}

void CReportCtrl::SortByColumn(int nColumn, BOOL bAscending)
{
    EndEdit(TRUE);
    if (nColumn < 0 || nColumn >= GetColumnCount() || !IsSortable())
        return;
    m_nSortCol = nColumn;
    m_bSortAscending = bAscending;

    const int count = CListCtrl::GetItemCount();
    if (!m_strSeparator) {
        SortRange(0, count - 1);
    } else {
        int first = 0;
        for (int i = 0; i < count; ++i) {
            if (CListCtrl::GetItemText(i, nColumn) == *m_strSeparator) {
                SortRange(first, i - 1);
                first = i + 1;
            }
        }
        SortRange(first, count - 1);
    }

    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_REPORT_SORTED, static_cast<WPARAM>(nColumn), static_cast<LPARAM>(bAscending));
}

BOOL CReportCtrl::SortRange(int nFirst, int nLast)
{
    if (nFirst >= nLast || !IsValidItem(nFirst) || !IsValidItem(nLast))
        return FALSE;
    std::vector<int> rows;
    for (int i = nFirst; i <= nLast; ++i)
        rows.push_back(i);
    QuickSortRows(rows, 0, static_cast<int>(rows.size()) - 1);

    std::vector<ReportRowSnapshot> snapshots;
    snapshots.reserve(rows.size());
    for (int row : rows)
        snapshots.push_back(TakeSnapshot(row));
    SetRedraw(FALSE);
    for (size_t k = 0; k < snapshots.size(); ++k)
        WriteSnapshot(nFirst + static_cast<int>(k), snapshots[k]);
    SetRedraw(TRUE);
    Invalidate();
    return TRUE;
}

int CReportCtrl::CompareCells(int nItem1, int nItem2) const
{
    return CCellTextCompare::Compare(CListCtrl::GetItemText(nItem1, m_nSortCol),
                                     CListCtrl::GetItemText(nItem2, m_nSortCol));
}

void CReportCtrl::QuickSortRows(std::vector<int>& rows, int low, int high) const
{
    // Hoare partition around the middle element; the sign of the comparison
    // flips for a descending sort.
    const int direction = m_bSortAscending ? 1 : -1;
    const int pivot = rows[static_cast<size_t>((low + high) / 2)];
    int i = low;
    int j = high;
    do {
        while (direction * CompareCells(rows[static_cast<size_t>(i)], pivot) < 0)
            ++i;
        while (direction * CompareCells(rows[static_cast<size_t>(j)], pivot) > 0)
            --j;
        if (i <= j) {
            if (i != j)
                std::swap(rows[static_cast<size_t>(i)], rows[static_cast<size_t>(j)]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j)
        QuickSortRows(rows, low, j);
    if (i < high)
        QuickSortRows(rows, i, high);
}

int CReportCtrl::GetSortColumn() const
{
    return m_nSortCol;
}

BOOL CReportCtrl::IsSortAscending() const
{
    return m_bSortAscending;
}

void CReportCtrl::SetSortable(BOOL bSet)
{
    // Clickable headings are the header's buttons.
    if (!bSet)
        ResetSortState();
    CListCtrl::ModifyStyle(bSet ? LVS_NOSORTHEADER : 0, bSet ? 0 : LVS_NOSORTHEADER);
    if (CHeaderCtrl* header = GetHeaderCtrl())
        header->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
}

BOOL CReportCtrl::IsSortable() const
{
    return HasColumnHeader() && GetHeaderCtrl() && (GetStyle() & LVS_NOSORTHEADER) == 0;
}

void CReportCtrl::SetSeparatorText(const char* text)
{
    if (text)
        m_strSeparator = text;
    else
        m_strSeparator.reset();
}

const char* CReportCtrl::GetSeparatorText() const
{
    return m_strSeparator ? m_strSeparator->c_str() : nullptr;
}

// ---------------------------------------------------------------------------
// Moving rows

CReportCtrl::ReportRowSnapshot CReportCtrl::TakeSnapshot(int nItem) const
{
    ReportRowSnapshot snapshot;
    snapshot.record = RecordOf(nItem);
    snapshot.states = GetItemStates(nItem);
    const int columns = GetColumnCount();
    for (int c = 0; c < columns; ++c) {
        snapshot.images.push_back(GetItemImage(nItem, c));
        snapshot.texts.push_back(CListCtrl::GetItemText(nItem, c));
    }
    return snapshot;
}

void CReportCtrl::WriteSnapshot(int nItem, const ReportRowSnapshot& snapshot)
{
    SetItemStates(nItem, snapshot.states);
    CListCtrl::SetItemData(nItem, reinterpret_cast<DWORD_PTR>(snapshot.record));
    for (size_t c = 0; c < snapshot.texts.size(); ++c) {
        const int column = static_cast<int>(c);
        SetItemImage(nItem, column, snapshot.images[c]);
        CListCtrl::SetItemText(nItem, column, snapshot.texts[c]);
    }
    ShowRowColors(nItem);
}

int CReportCtrl::MoveTo(int nItem, int nNewIndex)
{
    if (!IsValidItem(nItem))
        return -1;
    EndEdit(TRUE);
    const int count = CListCtrl::GetItemCount();
    nNewIndex = std::clamp(nNewIndex, 0, count - 1);
    if (nNewIndex == nItem)
        return nItem;
    ResetSortState();
    const ReportRowSnapshot snapshot = TakeSnapshot(nItem);
    SetRedraw(FALSE);
    CListCtrl::DeleteItem(nItem);
    const int row = CListCtrl::InsertItem(nNewIndex, std::string());
    if (row >= 0)
        WriteSnapshot(row, snapshot);
    else
        FreeRecord(snapshot.record);
    SetRedraw(TRUE);
    Invalidate();
    return row;
}

int CReportCtrl::MoveUp(int nItem, int nCount)
{
    const long long target = static_cast<long long>(nItem) - nCount;
    return MoveTo(nItem, static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX)));
}

int CReportCtrl::MoveDown(int nItem, int nCount)
{
    const long long target = static_cast<long long>(nItem) + nCount;
    return MoveTo(nItem, static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX)));
}

int CReportCtrl::MoveToTop(int nItem)
{
    return MoveTo(nItem, -1);
}

int CReportCtrl::MoveToBottom(int nItem)
{
    return MoveTo(nItem, INT_MAX);
}

BOOL CReportCtrl::SwapItems(int nItem1, int nItem2)
{
    if (!IsValidItem(nItem1) || !IsValidItem(nItem2))
        return FALSE;
    EndEdit(TRUE);
    if (nItem1 == nItem2)
        return TRUE;
    ResetSortState();
    const ReportRowSnapshot first = TakeSnapshot(nItem1);
    const ReportRowSnapshot second = TakeSnapshot(nItem2);
    SetRedraw(FALSE);
    WriteSnapshot(nItem1, second);
    WriteSnapshot(nItem2, first);
    SetRedraw(TRUE);
    Invalidate();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Cell buttons

CButtonInfo* CReportCtrl::FindButtons(int nItem, int nSubItem)
{
    const CButtonInfo cell(nItem, nSubItem);
    const auto it = std::find(m_aButtons.begin(), m_aButtons.end(), cell);
    return it == m_aButtons.end() ? nullptr : &*it;
}

const CButtonInfo* CReportCtrl::FindButtons(int nItem, int nSubItem) const
{
    return const_cast<CReportCtrl*>(this)->FindButtons(nItem, nSubItem);
}

void CReportCtrl::FreeRetiredButtons()
{
    if (!CButtonEx::IsReportingClick())
        m_retiredButtons.clear();
}

BOOL CReportCtrl::AddButton(int nItem, int nSubItem, ButtonSpec spec)
{
    if (!IsValidItem(nItem) || nSubItem < 0 || nSubItem >= GetColumnCount() || GetColumnWidth(nSubItem) <= 4 ||
        (spec.m_nType != 0 && spec.m_nType != 1))
        return FALSE;
    return CreateButton(nItem, nSubItem, std::move(spec));
}

BOOL CReportCtrl::CreateButton(int nItem, int nSubItem, ButtonSpec spec)
{
    if (FindButtons(nItem, nSubItem))
        return FALSE;
    FreeRetiredButtons();
    auto button = std::make_unique<CButtonEx>();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (spec.m_nType == 1 ? BS_RADIOBUTTON : BS_PUSHBUTTON);
    RECT empty{0, 0, 0, 0};
    if (!button->Create(spec.m_strCaption.c_str(), style, empty, this, static_cast<UINT>(-1)))
        return FALSE;
    button->SetFont(GetFont());
    button->m_nRow = nItem;
    button->m_nColumn = nSubItem;
    button->m_strCaption = spec.m_strCaption;
    button->m_bCheckMode = spec.m_nType == 1;
    // Fitted to the cell at once, and hidden when its row is off the page.
    PositionButton(nItem, nSubItem, *button);
    CButtonInfo info(nItem, nSubItem);
    info.m_arButtons.push_back(std::move(button));
    m_aButtons.push_back(std::move(info));
    return TRUE;
}

BOOL CReportCtrl::RemoveButton(int nItem, int nSubItem, int nType)
{
    BOOL result = FALSE;
    if (nType == 0 || nType == 1)
        result = DeleteButtons(nItem, nSubItem);
    Invalidate(TRUE);
    UpdateWindow();
    return result;
}

BOOL CReportCtrl::DeleteButtons(int nItem, int nSubItem)
{
    const CButtonInfo cell(nItem, nSubItem);
    const auto it = std::find(m_aButtons.begin(), m_aButtons.end(), cell);
    if (it != m_aButtons.end()) {
        for (auto& button : it->m_arButtons) {
            if (button->GetSafeHwnd())
                button->DestroyWindow();
            m_retiredButtons.push_back(std::move(button));
        }
        m_aButtons.erase(it);
    }
    FreeRetiredButtons();
    return TRUE;
}

BOOL CReportCtrl::EnableButton(int nItem, int nSubItem, int nType, BOOL bEnable)
{
    if (nType != 0 && nType != 1)
        return FALSE;
    CButtonInfo* info = FindButtons(nItem, nSubItem);
    if (info && !info->m_arButtons.empty() && info->m_arButtons.front()->GetSafeHwnd())
        info->m_arButtons.front()->EnableWindow(bEnable);
    return TRUE;
}

BOOL CReportCtrl::HasButton(int nItem, int nSubItem, int nType) const
{
    return nType == 0 && FindButtons(nItem, nSubItem) != nullptr;
}

void CReportCtrl::RepositionButtons()
{
    for (CButtonInfo& info : m_aButtons) {
        if (!info.m_arButtons.empty() && info.m_arButtons.front()->GetSafeHwnd())
            PositionButton(info.m_nRow, info.m_nColumn, *info.m_arButtons.front());
    }
}

BOOL CReportCtrl::PositionButton(int nItem, int nSubItem, CButtonEx& button)
{
    if (!IsValidItem(nItem) || nSubItem < 0 || nSubItem >= GetColumnCount()) {
        // Its row is gone: a button over empty space would report a row that does not exist.
        if (button.GetSafeHwnd())
            button.ShowWindow(SW_HIDE);
        return FALSE;
    }
    const int top = GetTopIndex();
    const int page = GetCountPerPage();
    // The row just below the page may be partly visible and keeps its button.
    const bool visible = nItem >= top && nItem <= top + page;
    CRect rect;
    GetSubItemRect(nItem, nSubItem, LVIR_LABEL, rect);
    button.MoveWindow(&rect, TRUE);
    button.ShowWindow(visible ? SW_SHOW : SW_HIDE);
    button.Invalidate();
    button.UpdateWindow();
    return TRUE;
}

// ---------------------------------------------------------------------------
// Window messages

BOOL CReportCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (nm && nm->code == HDN_DIVIDERDBLCLICK) {
        // A double click on a divider leaves the column as wide as it is.
        *pResult = 0;
        return TRUE;
    }
    if (nm && nm->code == HDN_ENDTRACK) {
        SetRedraw(FALSE);
        RepositionButtons();
        SetRedraw(TRUE);
        Invalidate();
        UpdateWindow();
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CReportCtrl::OnDestroy()
{
    EndEdit(FALSE);
    CListCtrl::DeleteAllItems();
    FreeAllRecords();
    if (m_pWndEdit->GetSafeHwnd())
        m_pWndEdit->DestroyWindow();
    CListCtrl::OnDestroy();
}

void CReportCtrl::OnSize(UINT nType, int cx, int cy)
{
    CListCtrl::OnSize(nType, cx, cy);
    EndEdit(TRUE);
    RepositionButtons();
}

// The list tells of a scroll once its rows have moved.
void CReportCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    RepositionButtons();
    CListCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CReportCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    RepositionButtons();
    CListCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CReportCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    RepositionButtons();
    return CListCtrl::OnMouseWheel(nFlags, zDelta, pt);
}
