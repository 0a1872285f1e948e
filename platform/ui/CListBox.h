// A list box: single selection, or several with LBS_MULTIPLESEL or
// LBS_EXTENDEDSEL; sorted with LBS_SORT. With LBS_NOTIFY the user's
// selection reaches the parent as LBN_SELCHANGE, a double click as LBN_DBLCLK.
#pragma once

#include "platform/ui/CWnd.h"

class CListBox : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int AddString(const std::string& text);
    int InsertString(int nIndex, const std::string& text);
    int DeleteString(UINT nIndex);
    void ResetContent();
    void GetText(int nIndex, std::string& text) const;
    int GetTextLen(int nIndex) const;
    int FindString(int nStartAfter, const std::string& text) const;
    int FindStringExact(int nIndexStart, const std::string& text) const;
    int SelectString(int nStartAfter, const std::string& text);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);

    // Several selected items (LBS_MULTIPLESEL, LBS_EXTENDEDSEL).
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    int GetSelItems(int nMaxItems, int* rgIndex) const;
    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
};
