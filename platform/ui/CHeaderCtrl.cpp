#include "platform/ui/CHeaderCtrl.h"

#include "platform/ui/ListViewWidget.h"
#include "platform/ui/TextCopy.h"
#include "platform/ui/WindowAccess.h"

#include <QHeaderView>

namespace {

// Runs fn with the header, its list and the item at nPos; FALSE when there is none.
template <class F> BOOL OnHeaderItem(const CHeaderCtrl* header, int nPos, F&& fn)
{
    return OnWidget<QHeaderView>(header, FALSE, [&](QHeaderView* view, WindowRecord&) {
        auto* list = dynamic_cast<ListViewWidget*>(view->parentWidget());
        if (!list || nPos < 0 || nPos >= view->count())
            return FALSE;
        fn(view, list);
        return TRUE;
    });
}

} // namespace

int CHeaderCtrl::GetItemCount() const
{
    return OnWidget<QHeaderView>(this, -1, [](QHeaderView* header, WindowRecord&) { return header->count(); });
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
{
    if (!pHeaderItem)
        return FALSE;
    return OnHeaderItem(this, nPos, [&](QHeaderView* header, ListViewWidget* list) {
        if (pHeaderItem->mask & HDI_WIDTH)
            pHeaderItem->cxy = header->sectionSize(nPos);
        if (pHeaderItem->mask & HDI_FORMAT)
            pHeaderItem->fmt = HDF_STRING | (list->columns[static_cast<std::size_t>(nPos)].format & LVCFMT_JUSTIFYMASK);
        if (pHeaderItem->mask & HDI_TEXT)
            CopyToBuffer(list->headerItem()->text(nPos).toStdString(), pHeaderItem->pszText, pHeaderItem->cchTextMax);
    });
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
{
    if (!pHeaderItem)
        return FALSE;
    return OnHeaderItem(this, nPos, [&](QHeaderView* header, ListViewWidget* list) {
        ++list->quiet;
        if (pHeaderItem->mask & HDI_WIDTH)
            header->resizeSection(nPos, std::max(0, pHeaderItem->cxy));
        if (pHeaderItem->mask & HDI_FORMAT)
            list->headerItem()->setTextAlignment(nPos, ListViewWidget::AlignmentOf(pHeaderItem->fmt));
        if ((pHeaderItem->mask & HDI_TEXT) && pHeaderItem->pszText)
            list->headerItem()->setText(nPos, QString::fromUtf8(pHeaderItem->pszText));
        --list->quiet;
    });
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!lpRect)
        return FALSE;
    return OnWidget<QHeaderView>(this, FALSE, [&](QHeaderView* header, WindowRecord&) {
        if (nIndex < 0 || nIndex >= header->count())
            return FALSE;
        const int left = header->sectionViewportPosition(nIndex);
        *lpRect = RECT{left, 0, left + header->sectionSize(nIndex), header->height()};
        return TRUE;
    });
}
