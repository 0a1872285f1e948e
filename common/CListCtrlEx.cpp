#include "common/CListCtrlEx.h"

#include <string>

namespace {
constexpr int kHeadingMargin = 15;
}

BEGIN_MESSAGE_MAP(CListCtrlEx, CListCtrl)
END_MESSAGE_MAP()

int CListCtrlEx::InsertAutoWidthColumn(const char* lpszHeading, int nCol, int nSubItem, unsigned nMask, int nFormat)
{
    std::string heading = lpszHeading != nullptr ? lpszHeading : "";
    LVCOLUMN column;
    column.mask = nMask;
    column.fmt = nFormat;
    column.pszText = heading.data();
    column.cx = GetStringWidth(heading) + kHeadingMargin;
    if (nMask & LVCF_SUBITEM)
        column.iSubItem = nSubItem == -1 ? nCol : nSubItem;
    return InsertColumn(nCol, &column);
}

void CListCtrlEx::SetOrInsertItemText(int nItem, int nSubItem, const char* lpszText, int nImage)
{
    std::string text = lpszText != nullptr ? lpszText : "";
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = text.data();
    if (nImage != -1) {
        item.mask |= LVIF_IMAGE;
        item.iImage = nImage;
    }
    if (nSubItem == 0)
        InsertItem(&item);
    else
        SetItem(&item);
}
