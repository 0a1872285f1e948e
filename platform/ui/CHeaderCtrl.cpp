#include "platform/ui/CHeaderCtrl.h"

#include "platform/ui/ListViewWidget.h"
#include "platform/ui/WindowAccess.h"

#include <QHeaderView>

#include <cstring>

namespace {

ListViewWidget* ListOf(QHeaderView* header) { return dynamic_cast<ListViewWidget*>(header->parentWidget()); }

} // namespace

int CHeaderCtrl::GetItemCount() const
{
    return OnWidget<QHeaderView>(this, -1, [](QHeaderView* header, WindowRecord&) { return header->count(); });
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
{
    if (!pHeaderItem)
        return FALSE;
    return OnWidget<QHeaderView>(this, FALSE, [&](QHeaderView* header, WindowRecord&) {
        ListViewWidget* list = ListOf(header);
        if (!list || nPos < 0 || nPos >= header->count())
            return FALSE;
        if (pHeaderItem->mask & HDI_WIDTH)
            pHeaderItem->cxy = header->sectionSize(nPos);
        if (pHeaderItem->mask & HDI_FORMAT)
            pHeaderItem->fmt = HDF_STRING | (list->columns[static_cast<std::size_t>(nPos)].format & LVCFMT_JUSTIFYMASK);
        if ((pHeaderItem->mask & HDI_TEXT) && pHeaderItem->pszText && pHeaderItem->cchTextMax > 0) {
            const std::string text = list->headerItem()->text(nPos).toStdString();
            const std::size_t n = std::min(text.size(), static_cast<std::size_t>(pHeaderItem->cchTextMax - 1));
            std::memcpy(pHeaderItem->pszText, text.data(), n);
            pHeaderItem->pszText[n] = '\0';
        }
        return TRUE;
    });
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
{
    if (!pHeaderItem)
        return FALSE;
    return OnWidget<QHeaderView>(this, FALSE, [&](QHeaderView* header, WindowRecord&) {
        ListViewWidget* list = ListOf(header);
        if (!list || nPos < 0 || nPos >= header->count())
            return FALSE;
        ++list->quiet;
        if (pHeaderItem->mask & HDI_WIDTH)
            header->resizeSection(nPos, std::max(0, pHeaderItem->cxy));
        if (pHeaderItem->mask & HDI_FORMAT)
            list->headerItem()->setTextAlignment(nPos, ListViewWidget::AlignmentOf(pHeaderItem->fmt));
        if ((pHeaderItem->mask & HDI_TEXT) && pHeaderItem->pszText)
            list->headerItem()->setText(nPos, QString::fromUtf8(pHeaderItem->pszText));
        --list->quiet;
        return TRUE;
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
