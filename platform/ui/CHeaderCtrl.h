// The header of a list control (CListCtrl::GetHeaderCtrl): one item per column.
#pragma once

#include "platform/ui/CWnd.h"

class CHeaderCtrl : public CWnd
{
public:
    int GetItemCount() const;
    // HDI_TEXT, HDI_WIDTH, HDI_FORMAT in the mask.
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
};
