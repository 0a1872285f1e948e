// A push button, default push button, check box (plain, automatic, three-state),
// radio button (plain, automatic) or group box. Clicks reach the parent as
// BN_CLICKED; an automatic radio button clears the rest of its group.
#pragma once

#include "platform/ui/CWnd.h"

class CButton : public CWnd
{
public:
    using CWnd::Create;
    // A button created at run time; the style holds its kind (BS_AUTOCHECKBOX, ...).
    BOOL Create(const char* lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // The check state with BST_PUSHED while the button is held down and BST_FOCUS while it has the focus.
    UINT GetState() const;
    void SetState(BOOL bHighlight);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};
