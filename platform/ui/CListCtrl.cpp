#include "platform/ui/CListCtrl.h"

#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/ListViewWidget.h"
#include "platform/ui/TextCopy.h"
#include "platform/ui/WindowAccess.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

namespace {

using Column = ListViewWidget::Column;

// The layer's own changes send no LVN_ITEMCHANGED and no HDN_ENDTRACK.
struct Quiet
{
    explicit Quiet(ListViewWidget* list) : list(list) { ++list->quiet; }
    ~Quiet() { --list->quiet; }
    ListViewWidget* list;
};

int ColumnCount(ListViewWidget* list)
{
    return static_cast<int>(list->columns.size());
}

void SetCellText(ListViewWidget* list, QTreeWidgetItem* item, int column, const std::string& text)
{
    item->setText(column, QString::fromStdString(text));
    const int format = column < ColumnCount(list) ? list->columns[static_cast<std::size_t>(column)].format : 0;
    item->setTextAlignment(column, ListViewWidget::AlignmentOf(format));
}

int TextWidth(ListViewWidget* list, const QString& text)
{
    return QFontMetrics(list->font()).horizontalAdvance(text);
}

// Moves the cells of every row one column to the right from column `from`
// (insert) or one column to the left onto `from` (delete).
void ShiftCells(ListViewWidget* list, int from, bool insert)
{
    const int count = ColumnCount(list);
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = list->topLevelItem(r);
        if (insert) {
            for (int c = count; c > from; --c) {
                item->setText(c, item->text(c - 1));
                item->setData(c, ListViewWidget::kImageRole, item->data(c - 1, ListViewWidget::kImageRole));
            }
            item->setText(from, QString());
            item->setData(from, ListViewWidget::kImageRole, QVariant());
        } else {
            for (int c = from; c < count; ++c) {
                item->setText(c, item->text(c + 1));
                item->setData(c, ListViewWidget::kImageRole, item->data(c + 1, ListViewWidget::kImageRole));
            }
        }
    }
}

void ApplyHeader(ListViewWidget* list, int column, const QString& heading, int format)
{
    list->headerItem()->setText(column, heading);
    list->headerItem()->setTextAlignment(column, ListViewWidget::AlignmentOf(format));
}

int Insert(ListViewWidget* list, const LVITEM& source)
{
    const int at = std::clamp(source.iItem, 0, list->topLevelItemCount());
    auto* item = new QTreeWidgetItem;
    item->setData(0, ListViewWidget::kDataRole,
                  QVariant::fromValue<qlonglong>((source.mask & LVIF_PARAM) ? source.lParam : 0));
    {
        Quiet quiet(list);
        list->insertTopLevelItem(at, item);
        list->PrepareItem(item);
        SetCellText(list, item, 0, (source.mask & LVIF_TEXT) && source.pszText ? source.pszText : "");
        if (source.mask & LVIF_IMAGE)
            item->setData(0, ListViewWidget::kImageRole, source.iImage);
    }
    if (list->selectionMark >= at)
        ++list->selectionMark;
    return at;
}

bool ApplyState(ListViewWidget* list, int row, UINT state, UINT mask)
{
    QTreeWidgetItem* item = list->topLevelItem(row);
    if (!item)
        return false;
    if (mask & LVIS_SELECTED) {
        const bool select = (state & LVIS_SELECTED) != 0;
        if (select && list->selectionMode() == QAbstractItemView::SingleSelection) {
            for (QTreeWidgetItem* other : list->selectedItems()) {
                if (other != item)
                    other->setSelected(false);
            }
        }
        item->setSelected(select);
    }
    if (mask & LVIS_FOCUSED) {
        // Focus given by the program does not scroll the list.
        const bool autoScroll = list->hasAutoScroll();
        list->setAutoScroll(false);
        if (state & LVIS_FOCUSED)
            list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        else if (list->currentItem() == item)
            list->setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
        list->setAutoScroll(autoScroll);
    }
    if ((mask & LVIS_STATEIMAGEMASK) && (list->ExtendedStyle() & LVS_EX_CHECKBOXES)) {
        const UINT image = (state & LVIS_STATEIMAGEMASK) >> 12;
        if (image == 1 || image == 2)
            item->setCheckState(0, image == 2 ? Qt::Checked : Qt::Unchecked);
    }
    return true;
}

// A rectangle of the viewport in the list's client pixels.
RECT ToClient(ListViewWidget* list, const QRect& r)
{
    const QPoint topLeft = list->viewport()->mapTo(list, r.topLeft());
    return RECT{topLeft.x(), topLeft.y(), topLeft.x() + r.width(), topLeft.y() + r.height()};
}

QRect RowRect(ListViewWidget* list, int row)
{
    QRect r = list->visualItemRect(list->topLevelItem(row));
    int width = 0;
    for (int c = 0; c < list->header()->count(); ++c)
        width += list->header()->sectionSize(c);
    r.setLeft(-list->horizontalScrollBar()->value());
    r.setWidth(width);
    return r;
}

int Hit(ListViewWidget* list, POINT pt, UINT* flags, int* subItem)
{
    const QPoint inViewport = list->viewport()->mapFrom(list, QPoint(pt.x, pt.y));
    const QModelIndex index = list->viewport()->rect().contains(inViewport) ? list->indexAt(inViewport) : QModelIndex();
    if (flags)
        *flags = index.isValid() ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
    if (subItem)
        *subItem = index.isValid() ? index.column() : -1;
    return index.isValid() ? index.row() : -1;
}

} // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTVIEW, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    if (!pColumn || nCol < 0)
        return -1;
    return OnWidget<ListViewWidget>(this, -1, [&](ListViewWidget* list, WindowRecord&) {
        Quiet quiet(list);
        const int at = std::min(nCol, ColumnCount(list));
        Column column;
        column.format = (pColumn->mask & LVCF_FMT) ? pColumn->fmt : LVCFMT_LEFT;
        column.subItem = (pColumn->mask & LVCF_SUBITEM) ? pColumn->iSubItem : 0;
        column.image = (pColumn->mask & LVCF_IMAGE) ? pColumn->iImage : -1;
        column.order = (pColumn->mask & LVCF_ORDER) ? pColumn->iOrder : at;
        const QString heading =
            (pColumn->mask & LVCF_TEXT) && pColumn->pszText ? QString::fromUtf8(pColumn->pszText) : QString();
        ShiftCells(list, at, true);
        list->columns.insert(list->columns.begin() + at, column);
        list->setColumnCount(ColumnCount(list));
        for (int c = ColumnCount(list) - 1; c > at; --c)
            ApplyHeader(list, c, list->headerItem()->text(c - 1), list->columns[static_cast<std::size_t>(c)].format);
        ApplyHeader(list, at, heading, column.format);
        const int width = (pColumn->mask & LVCF_WIDTH) ? pColumn->cx : TextWidth(list, heading) + 12;
        for (int c = ColumnCount(list) - 1; c > at; --c)
            list->header()->resizeSection(c, list->header()->sectionSize(c - 1));
        list->header()->resizeSection(at, std::max(0, width));
        return at;
    });
}

int CListCtrl::InsertColumn(int nCol, const std::string& heading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<char*>(heading.c_str());
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (nCol < 0 || nCol >= ColumnCount(list))
            return FALSE;
        Quiet quiet(list);
        std::vector<int> widths;
        std::vector<QString> headings;
        for (int c = 0; c < ColumnCount(list); ++c) {
            if (c == nCol)
                continue;
            widths.push_back(list->header()->sectionSize(c));
            headings.push_back(list->headerItem()->text(c));
        }
        ShiftCells(list, nCol, false);
        list->columns.erase(list->columns.begin() + nCol);
        list->setColumnCount(ColumnCount(list));
        for (int c = 0; c < ColumnCount(list); ++c) {
            ApplyHeader(list, c, headings[static_cast<std::size_t>(c)],
                        list->columns[static_cast<std::size_t>(c)].format);
            list->header()->resizeSection(c, widths[static_cast<std::size_t>(c)]);
        }
        return TRUE;
    });
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    if (!pColumn)
        return FALSE;
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (nCol < 0 || nCol >= ColumnCount(list))
            return FALSE;
        const Column& column = list->columns[static_cast<std::size_t>(nCol)];
        if (pColumn->mask & LVCF_FMT)
            pColumn->fmt = column.format;
        if (pColumn->mask & LVCF_WIDTH)
            pColumn->cx = list->header()->sectionSize(nCol);
        if (pColumn->mask & LVCF_SUBITEM)
            pColumn->iSubItem = column.subItem;
        if (pColumn->mask & LVCF_IMAGE)
            pColumn->iImage = column.image;
        if (pColumn->mask & LVCF_ORDER)
            pColumn->iOrder = column.order;
        if (pColumn->mask & LVCF_TEXT)
            CopyToBuffer(list->headerItem()->text(nCol).toStdString(), pColumn->pszText, pColumn->cchTextMax);
        return TRUE;
    });
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    if (!pColumn)
        return FALSE;
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (nCol < 0 || nCol >= ColumnCount(list))
            return FALSE;
        Quiet quiet(list);
        Column& column = list->columns[static_cast<std::size_t>(nCol)];
        if (pColumn->mask & LVCF_FMT)
            column.format = pColumn->fmt;
        if (pColumn->mask & LVCF_SUBITEM)
            column.subItem = pColumn->iSubItem;
        if (pColumn->mask & LVCF_IMAGE)
            column.image = pColumn->iImage;
        const QString heading = (pColumn->mask & LVCF_TEXT) && pColumn->pszText ? QString::fromUtf8(pColumn->pszText)
                                                                                : list->headerItem()->text(nCol);
        ApplyHeader(list, nCol, heading, column.format);
        if (pColumn->mask & LVCF_WIDTH)
            list->header()->resizeSection(nCol, std::max(0, pColumn->cx));
        return TRUE;
    });
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return OnWidget<ListViewWidget>(this, 0, [&](ListViewWidget* list, WindowRecord&) {
        return nCol >= 0 && nCol < ColumnCount(list) ? list->header()->sectionSize(nCol) : 0;
    });
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (nCol < 0 || nCol >= ColumnCount(list))
            return FALSE;
        Quiet quiet(list);
        int width = cx;
        if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
            width = cx == LVSCW_AUTOSIZE_USEHEADER ? TextWidth(list, list->headerItem()->text(nCol)) : 0;
            for (int r = 0; r < list->topLevelItemCount(); ++r)
                width = std::max(width, TextWidth(list, list->topLevelItem(r)->text(nCol)));
            width += 12;
        }
        list->header()->resizeSection(nCol, std::max(0, width));
        return TRUE;
    });
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return OnWindow(this, static_cast<CHeaderCtrl*>(nullptr), [](WindowRecord& rec) -> CHeaderCtrl* {
        if (rec.children.empty())
            return nullptr;
        WindowRecord* header = WindowRegistry::Find(rec.children.front());
        return header && header->className == "SysHeader32" ? static_cast<CHeaderCtrl*>(header->object) : nullptr;
    });
}

int CListCtrl::GetItemCount() const
{
    return OnWidget<ListViewWidget>(this, 0,
                                    [](ListViewWidget* list, WindowRecord&) { return list->topLevelItemCount(); });
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
    if (!pItem || pItem->iItem < 0 || pItem->iSubItem != 0)
        return -1;
    return OnWidget<ListViewWidget>(this, -1, [&](ListViewWidget* list, WindowRecord&) {
        const int at = Insert(list, *pItem);
        if (pItem->mask & LVIF_STATE)
            ApplyState(list, at, pItem->state, pItem->stateMask);
        return at;
    });
}

int CListCtrl::InsertItem(int nItem, const std::string& text)
{
    return InsertItem(LVIF_TEXT, nItem, text, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, const std::string& text, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, text, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, const std::string& text, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item;
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(text.c_str());
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (nItem < 0 || nItem >= list->topLevelItemCount())
            return FALSE;
        Quiet quiet(list);
        delete list->takeTopLevelItem(nItem);
        if (list->selectionMark == nItem)
            list->selectionMark = -1;
        else if (list->selectionMark > nItem)
            --list->selectionMark;
        return TRUE;
    });
}

BOOL CListCtrl::DeleteAllItems()
{
    return OnWidget<ListViewWidget>(this, FALSE, [](ListViewWidget* list, WindowRecord&) {
        Quiet quiet(list);
        list->clear();
        list->selectionMark = -1;
        return TRUE;
    });
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const std::string& text)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(nItem);
        if (!item || nSubItem < 0 || (nSubItem > 0 && nSubItem >= ColumnCount(list)))
            return FALSE;
        SetCellText(list, item, nSubItem, text);
        return TRUE;
    });
}

BOOL CListCtrl::SetItemColors(int nItem, int nSubItem, COLORREF text, COLORREF back)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(nItem);
        if (!item || nSubItem < 0 || nSubItem >= std::max(1, ColumnCount(list)))
            return FALSE;
        const auto brush = [](COLORREF c) {
            return c == static_cast<COLORREF>(-1) ? QVariant() : QVariant(QBrush(QColor(GetRValue(c), GetGValue(c), GetBValue(c))));
        };
        item->setData(nSubItem, Qt::ForegroundRole, brush(text));
        item->setData(nSubItem, Qt::BackgroundRole, brush(back));
        return TRUE;
    });
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    return OnWidget<ListViewWidget>(this, std::string(), [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(nItem);
        return item && nSubItem >= 0 ? item->text(nSubItem).toStdString() : std::string();
    });
}

int CListCtrl::GetItemText(int nItem, int nSubItem, char* buffer, int nLen) const
{
    return CopyToBuffer(GetItemText(nItem, nSubItem), buffer, nLen);
}

BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    if (!pItem)
        return FALSE;
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(pItem->iItem);
        const int sub = pItem->iSubItem;
        if (!item || sub < 0 || (sub > 0 && sub >= ColumnCount(list)))
            return FALSE;
        if (pItem->mask & LVIF_TEXT)
            SetCellText(list, item, sub, pItem->pszText ? pItem->pszText : "");
        if (pItem->mask & LVIF_IMAGE)
            item->setData(sub, ListViewWidget::kImageRole, pItem->iImage);
        if ((pItem->mask & LVIF_PARAM) && sub == 0)
            item->setData(0, ListViewWidget::kDataRole, QVariant::fromValue<qlonglong>(pItem->lParam));
        if ((pItem->mask & LVIF_STATE) && sub == 0)
            ApplyState(list, pItem->iItem, pItem->state, pItem->stateMask);
        return TRUE;
    });
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, const char* text, int nImage, UINT nState, UINT nStateMask,
                        LPARAM lParam)
{
    LVITEM item;
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(text);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    if (!pItem)
        return FALSE;
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(pItem->iItem);
        const int sub = pItem->iSubItem;
        if (!item || sub < 0)
            return FALSE;
        if (pItem->mask & LVIF_TEXT)
            CopyToBuffer(item->text(sub).toStdString(), pItem->pszText, pItem->cchTextMax);
        if (pItem->mask & LVIF_IMAGE) {
            const QVariant image = item->data(sub, ListViewWidget::kImageRole);
            pItem->iImage = image.isValid() ? image.toInt() : -1;
        }
        if (pItem->mask & LVIF_PARAM)
            pItem->lParam = static_cast<LPARAM>(item->data(0, ListViewWidget::kDataRole).toLongLong());
        if (pItem->mask & LVIF_STATE)
            pItem->state = list->ItemState(pItem->iItem) & pItem->stateMask;
        return TRUE;
    });
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    return OnWidget<ListViewWidget>(this, DWORD_PTR{0}, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(nItem);
        return item ? static_cast<DWORD_PTR>(item->data(0, ListViewWidget::kDataRole).toLongLong()) : DWORD_PTR{0};
    });
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(nItem);
        if (!item)
            return FALSE;
        item->setData(0, ListViewWidget::kDataRole, QVariant::fromValue<qlonglong>(static_cast<qlonglong>(dwData)));
        return TRUE;
    });
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return OnWidget<ListViewWidget>(
        this, 0U, [&](ListViewWidget* list, WindowRecord&) { return list->ItemState(nItem) & nMask; });
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (nItem >= 0)
            return ApplyState(list, nItem, nState, nMask) ? TRUE : FALSE;
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            ApplyState(list, r, nState, nMask & ~LVIS_FOCUSED);
        return TRUE;
    });
}

BOOL CListCtrl::GetCheck(int nItem) const
{
    return (GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) == 2 ? TRUE : FALSE;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return OnWidget<ListViewWidget>(this, -1, [&](ListViewWidget* list, WindowRecord&) {
        const int count = list->topLevelItemCount();
        const UINT flags = static_cast<UINT>(nFlags);
        if (flags & LVNI_ABOVE)
            return nItem > 0 && nItem < count ? nItem - 1 : -1;
        if (flags & LVNI_BELOW)
            return nItem + 1 < count ? nItem + 1 : -1;
        for (int r = nItem < 0 ? 0 : nItem + 1; r < count; ++r) {
            const UINT state = list->ItemState(r);
            if ((flags & LVNI_SELECTED) && !(state & LVIS_SELECTED))
                continue;
            if ((flags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED))
                continue;
            return r;
        }
        return -1;
    });
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const int current = static_cast<int>(reinterpret_cast<std::uintptr_t>(pos)) - 1;
    const int next = GetNextItem(current, LVNI_SELECTED);
    pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(next + 1));
    return current;
}

UINT CListCtrl::GetSelectedCount() const
{
    return OnWidget<ListViewWidget>(
        this, 0U, [](ListViewWidget* list, WindowRecord&) { return static_cast<UINT>(list->selectedItems().size()); });
}

int CListCtrl::GetSelectionMark() const
{
    return OnWidget<ListViewWidget>(this, -1, [](ListViewWidget* list, WindowRecord&) {
        return list->selectionMark < list->topLevelItemCount() ? list->selectionMark : -1;
    });
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    return OnWidget<ListViewWidget>(
        this, -1, [&](ListViewWidget* list, WindowRecord&) { return std::exchange(list->selectionMark, iIndex); });
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const
{
    if (!pFindInfo)
        return -1;
    return OnWidget<ListViewWidget>(this, -1, [&](ListViewWidget* list, WindowRecord&) {
        const int count = list->topLevelItemCount();
        const int first = nStart < 0 ? 0 : nStart + 1;
        const int span = (pFindInfo->flags & LVFI_WRAP) ? count : std::max(0, count - first);
        const QString wanted = QString::fromUtf8(pFindInfo->psz ? pFindInfo->psz : "");
        for (int n = 0; n < span; ++n) {
            const int r = (first + n) % std::max(1, count);
            QTreeWidgetItem* item = list->topLevelItem(r);
            if (pFindInfo->flags & LVFI_PARAM) {
                if (item->data(0, ListViewWidget::kDataRole).toLongLong() == pFindInfo->lParam)
                    return r;
            } else if (pFindInfo->flags & LVFI_PARTIAL) {
                if (item->text(0).startsWith(wanted, Qt::CaseInsensitive))
                    return r;
            } else if (item->text(0).compare(wanted, Qt::CaseInsensitive) == 0) {
                return r;
            }
        }
        return -1;
    });
}

DWORD CListCtrl::GetExtendedStyle() const
{
    return OnWidget<ListViewWidget>(this, DWORD{0},
                                    [](ListViewWidget* list, WindowRecord&) { return list->ExtendedStyle(); });
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return OnWidget<ListViewWidget>(this, DWORD{0}, [&](ListViewWidget* list, WindowRecord&) {
        const DWORD old = list->ExtendedStyle();
        list->SetExtendedStyle(dwNewStyle);
        return old;
    });
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL /*bPartialOK*/)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        QTreeWidgetItem* item = list->topLevelItem(nItem);
        if (!item)
            return FALSE;
        list->scrollToItem(item);
        return TRUE;
    });
}

int CListCtrl::GetStringWidth(const std::string& text) const
{
    return OnWidget<ListViewWidget>(
        this, 0, [&](ListViewWidget* list, WindowRecord&) { return TextWidth(list, QString::fromStdString(text)); });
}

int CListCtrl::GetTopIndex() const
{
    return OnWidget<ListViewWidget>(this, 0, [](ListViewWidget* list, WindowRecord&) {
        const QModelIndex top = list->indexAt(QPoint(1, 1));
        return top.isValid() ? top.row() : 0;
    });
}

int CListCtrl::GetCountPerPage() const
{
    return OnWidget<ListViewWidget>(this, 0, [](ListViewWidget* list, WindowRecord&) {
        int rowHeight = list->topLevelItemCount() > 0 ? list->visualItemRect(list->topLevelItem(0)).height() : 0;
        if (rowHeight <= 0)
            rowHeight = QFontMetrics(list->font()).height() + 4;
        return std::max(0, list->viewport()->height() / rowHeight);
    });
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect)
        return FALSE;
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (!list->topLevelItem(nItem))
            return FALSE;
        QRect r = RowRect(list, nItem);
        if (nCode == LVIR_LABEL || nCode == LVIR_ICON)
            r = list->visualRect(list->model()->index(nItem, 0));
        *lpRect = ToClient(list, r);
        return TRUE;
    });
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        if (!list->topLevelItem(iItem) || iSubItem < 0 || iSubItem >= std::max(1, ColumnCount(list)))
            return FALSE;
        const QRect r = (iSubItem == 0 && nArea == static_cast<int>(LVIR_BOUNDS))
                            ? RowRect(list, iItem)
                            : list->visualRect(list->model()->index(iItem, iSubItem));
        ref = CRect(ToClient(list, r));
        return TRUE;
    });
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    return OnWidget<ListViewWidget>(
        this, -1, [&](ListViewWidget* list, WindowRecord&) { return Hit(list, pt, pFlags, nullptr); });
}

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const
{
    if (!pHitTestInfo)
        return -1;
    return OnWidget<ListViewWidget>(this, -1, [&](ListViewWidget* list, WindowRecord&) {
        pHitTestInfo->iItem = Hit(list, pHitTestInfo->pt, &pHitTestInfo->flags, nullptr);
        return pHitTestInfo->iItem;
    });
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* pInfo)
{
    if (!pInfo)
        return -1;
    return OnWidget<ListViewWidget>(this, -1, [&](ListViewWidget* list, WindowRecord&) {
        pInfo->iItem = Hit(list, pInfo->pt, &pInfo->flags, &pInfo->iSubItem);
        return pInfo->iItem;
    });
}

BOOL CListCtrl::RedrawItems(int /*nFirst*/, int /*nLast*/)
{
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::Update(int /*nItem*/)
{
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::Scroll(CSize size)
{
    return OnWidget<ListViewWidget>(this, FALSE, [&](ListViewWidget* list, WindowRecord&) {
        list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->value() + size.cx);
        int rowHeight = list->topLevelItemCount() > 0 ? list->visualItemRect(list->topLevelItem(0)).height() : 1;
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->value() + size.cy / std::max(1, rowHeight));
        return TRUE;
    });
}
