// A combo box: a drop-down list (CBS_DROPDOWNLIST) or a field the user can
// also type in (CBS_DROPDOWN), sorted with CBS_SORT. A selection the user
// makes reaches the parent as CBN_SELCHANGE (SetCurSel sends nothing); typing
// as CBN_EDITCHANGE. Searches ignore case.
#pragma once

#include "platform/ui/CWnd.h"

class CComboBox : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCount() const;
    // CB_ERR when nothing is selected.
    int GetCurSel() const;
    // -1 (or an index past the end, which returns CB_ERR) clears the selection.
    int SetCurSel(int nSelect);

    // In sorted position with CBS_SORT, else at the end; returns the index.
    int AddString(const std::string& text);
    // At nIndex (-1: at the end), never sorted; CB_ERR past the end.
    int InsertString(int nIndex, const std::string& text);
    // Returns the number of items left, or CB_ERR.
    int DeleteString(UINT nIndex);
    void ResetContent();

    void GetLBText(int nIndex, std::string& text) const;
    int GetLBTextLen(int nIndex) const;

    // The first item after nStartAfter (-1: from the top), wrapping round,
    // that begins with text / equals text; CB_ERR when none does.
    int FindString(int nStartAfter, const std::string& text) const;
    int FindStringExact(int nIndexStart, const std::string& text) const;
    // Selects what FindString finds; CB_ERR (selection unchanged) when nothing.
    int SelectString(int nStartAfter, const std::string& text);

    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);

    // The most characters the field takes; 0 lifts the limit.
    BOOL LimitText(int nMaxChars);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int nStartChar, int nEndChar);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const;
};
