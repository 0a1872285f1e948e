// A text field (one line, or several with ES_MULTILINE). Every change of its
// text, by the user or by SetWindowText, reaches the parent as EN_CHANGE;
// losing the focus as EN_KILLFOCUS. ES_NUMBER takes digits only, ES_PASSWORD
// hides the text, ES_READONLY refuses typing.
#pragma once

#include "platform/ui/CWnd.h"

class CEdit : public CWnd
{
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The most characters the user can enter; 0 lifts the limit.
    void SetLimitText(UINT nMax);
    void LimitText(int nChars = 0);
    UINT GetLimitText() const;

    // Selection in characters; (0, -1) selects everything, (-1, ...) nothing.
    void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
    void SetSel(DWORD dwSelection, BOOL bNoScroll = FALSE);
    // Start in the low word, end in the high word.
    DWORD GetSel() const;
    void GetSel(int& nStartChar, int& nEndChar) const;
    void ReplaceSel(const std::string& text, BOOL bCanUndo = FALSE);

    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
    void SetPasswordChar(char ch);
    char GetPasswordChar() const;
    BOOL GetModify() const;
    void SetModify(BOOL bModified = TRUE);
    int GetLineCount() const;

    void Clear();
    void Copy();
    void Cut();
    void Paste();
    BOOL Undo();
    BOOL CanUndo() const;
};
