#include "platform/ui/CListBox.h"

#include "platform/ui/TextCopy.h"
#include "platform/ui/WindowAccess.h"

#include <QListWidget>

namespace {

constexpr int kDataRole = Qt::UserRole;

struct Quiet
{
    explicit Quiet(WindowRecord& rec) : rec(rec) { ++rec.quietNotifications; }
    ~Quiet() { --rec.quietNotifications; }
    WindowRecord& rec;
};

int Find(QListWidget* list, int start, const std::string& text, bool exact)
{
    return FindItemText(list->count(), start, text, exact, [list](int i) { return list->item(i)->text(); });
}

} // namespace

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTBOX, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CListBox::GetCount() const
{
    return OnWidget<QListWidget>(this, LB_ERR, [](QListWidget* list, WindowRecord&) { return list->count(); });
}

int CListBox::GetCurSel() const
{
    return OnWidget<QListWidget>(this, LB_ERR, [](QListWidget* list, WindowRecord&) {
        const auto selected = list->selectedItems();
        if (list->selectionMode() != QAbstractItemView::SingleSelection)
            return list->currentRow() < 0 ? LB_ERR : list->currentRow();
        return selected.isEmpty() ? LB_ERR : list->row(selected.front());
    });
}

int CListBox::SetCurSel(int nSelect)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord& rec) {
        Quiet quiet(rec);
        if (nSelect < 0 || nSelect >= list->count()) {
            list->clearSelection();
            list->setCurrentRow(-1);
            return LB_ERR;
        }
        list->setCurrentRow(nSelect, QItemSelectionModel::ClearAndSelect);
        list->scrollToItem(list->item(nSelect));
        return nSelect;
    });
}

int CListBox::AddString(const std::string& text)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord& rec) {
        Quiet quiet(rec);
        const QString item = QString::fromStdString(text);
        int at = list->count();
        if (rec.style & LBS_SORT) {
            at = 0;
            while (at < list->count() && QString::compare(list->item(at)->text(), item, Qt::CaseInsensitive) <= 0)
                ++at;
        }
        list->insertItem(at, item);
        return at;
    });
}

int CListBox::InsertString(int nIndex, const std::string& text)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord& rec) {
        if (nIndex > list->count())
            return LB_ERR;
        Quiet quiet(rec);
        const int at = nIndex < 0 ? list->count() : nIndex;
        list->insertItem(at, QString::fromStdString(text));
        return at;
    });
}

int CListBox::DeleteString(UINT nIndex)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord& rec) {
        if (static_cast<int>(nIndex) >= list->count())
            return LB_ERR;
        Quiet quiet(rec);
        delete list->takeItem(static_cast<int>(nIndex));
        return list->count();
    });
}

void CListBox::ResetContent()
{
    OnWidget<QListWidget>(this, [](QListWidget* list, WindowRecord& rec) {
        Quiet quiet(rec);
        list->clear();
    });
}

void CListBox::GetText(int nIndex, std::string& text) const
{
    text = OnWidget<QListWidget>(this, std::string(), [&](QListWidget* list, WindowRecord&) {
        return nIndex >= 0 && nIndex < list->count() ? list->item(nIndex)->text().toStdString() : std::string();
    });
}

int CListBox::GetTextLen(int nIndex) const
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord&) {
        return nIndex >= 0 && nIndex < list->count() ? static_cast<int>(list->item(nIndex)->text().toStdString().size())
                                                     : LB_ERR;
    });
}

int CListBox::FindString(int nStartAfter, const std::string& text) const
{
    return OnWidget<QListWidget>(
        this, LB_ERR, [&](QListWidget* list, WindowRecord&) { return Find(list, nStartAfter, text, false); });
}

int CListBox::FindStringExact(int nIndexStart, const std::string& text) const
{
    return OnWidget<QListWidget>(this, LB_ERR,
                                 [&](QListWidget* list, WindowRecord&) { return Find(list, nIndexStart, text, true); });
}

int CListBox::SelectString(int nStartAfter, const std::string& text)
{
    const int at = FindString(nStartAfter, text);
    if (at != LB_ERR)
        SetCurSel(at);
    return at;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return OnWidget<QListWidget>(this, static_cast<DWORD_PTR>(LB_ERR), [&](QListWidget* list, WindowRecord&) {
        if (nIndex < 0 || nIndex >= list->count())
            return static_cast<DWORD_PTR>(LB_ERR);
        return static_cast<DWORD_PTR>(list->item(nIndex)->data(kDataRole).toULongLong());
    });
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord&) {
        if (nIndex < 0 || nIndex >= list->count())
            return LB_ERR;
        list->item(nIndex)->setData(kDataRole, QVariant::fromValue<qulonglong>(dwItemData));
        return 0;
    });
}

int CListBox::GetSel(int nIndex) const
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord&) {
        if (nIndex < 0 || nIndex >= list->count())
            return LB_ERR;
        return list->item(nIndex)->isSelected() ? 1 : 0;
    });
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord& rec) {
        if (nIndex >= list->count())
            return LB_ERR;
        Quiet quiet(rec);
        for (int i = 0; i < list->count(); ++i) {
            if (nIndex < 0 || i == nIndex)
                list->item(i)->setSelected(bSelect != FALSE);
        }
        return 0;
    });
}

int CListBox::GetSelCount() const
{
    return OnWidget<QListWidget>(
        this, LB_ERR, [](QListWidget* list, WindowRecord&) { return static_cast<int>(list->selectedItems().size()); });
}

int CListBox::GetSelItems(int nMaxItems, int* rgIndex) const
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord&) {
        int n = 0;
        for (int i = 0; i < list->count() && n < nMaxItems; ++i) {
            if (list->item(i)->isSelected() && rgIndex)
                rgIndex[n++] = i;
        }
        return n;
    });
}

int CListBox::GetTopIndex() const
{
    return OnWidget<QListWidget>(this, 0, [](QListWidget* list, WindowRecord&) {
        QListWidgetItem* top = list->itemAt(2, 2);
        return top ? list->row(top) : 0;
    });
}

int CListBox::SetTopIndex(int nIndex)
{
    return OnWidget<QListWidget>(this, LB_ERR, [&](QListWidget* list, WindowRecord&) {
        if (nIndex < 0 || nIndex >= list->count())
            return LB_ERR;
        list->scrollToItem(list->item(nIndex), QAbstractItemView::PositionAtTop);
        return 0;
    });
}
