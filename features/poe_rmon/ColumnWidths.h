// Column widths of the PoE and RMON lists: a column is at least as wide as
// its heading and every row's text need, so no value is cut.
#pragma once

#include "platform/ui/CListCtrl.h"
#include "platform/ui/CRect.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

// The width column nColumn needs for its heading and the text of every row,
// plus nPad pixels.
inline int ColumnNeed(const CListCtrl& list, int nColumn, const std::string& strHeading, int nPad)
{
    int nWidth = list.GetStringWidth(strHeading);
    for (int nRow = 0; nRow < list.GetItemCount(); ++nRow)
        nWidth = std::max(nWidth, list.GetStringWidth(list.GetItemText(nRow, nColumn)));
    return nWidth + nPad;
}

// Sets the columns to the given widths; what the list's window has left
// beyond them (less 20 pixels for a scroll bar) is shared by the columns in
// sharing. The widths are never made smaller, so the last column (the
// buttons of a report list) stays on the list whenever the columns fit.
inline void SetShareOfWidth(CListCtrl& list, std::vector<int> widths, const std::vector<int>& sharing)
{
    CRect rcList;
    list.GetWindowRect(&rcList);
    const int nSpare = rcList.Width() - 20 - std::accumulate(widths.begin(), widths.end(), 0);
    if (nSpare > 0 && !sharing.empty()) {
        const int nShare = nSpare / static_cast<int>(sharing.size());
        for (int nColumn : sharing)
            widths[nColumn] += nShare;
    }
    for (int nColumn = 0; nColumn < static_cast<int>(widths.size()); ++nColumn)
        list.SetColumnWidth(nColumn, widths[nColumn]);
}
