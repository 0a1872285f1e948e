// The report list of the feature dialogs: a list control with one operation
// that inserts a column as wide as its heading and one that writes a cell,
// inserting the row for its first cell.
#pragma once

#include "platform/ui/CListCtrl.h"

class CListCtrlEx : public CListCtrl
{
public:
    // Inserts column nCol whose width is the heading's width in the list's
    // font plus 15 pixels (blanks of the heading included). With LVCF_SUBITEM
    // in nMask the column's sub-item is nSubItem, or nCol when nSubItem is -1.
    // Returns the new column's index, or -1.
    int InsertAutoWidthColumn(const char* lpszHeading, int nCol, int nSubItem, unsigned nMask, int nFormat);

    // Sub-item 0 inserts a new row at nItem with the text as its label; any
    // other sub-item sets that cell of row nItem. nImage -1 sets no image.
    void SetOrInsertItemText(int nItem, int nSubItem, const char* lpszText, int nImage = -1);

protected:
    DECLARE_MESSAGE_MAP()
};
