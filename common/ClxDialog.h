// Base of the dialogs the user may resize: topmost, a sizing frame with a size
// grip in the lower right corner, never smaller than its size when it was
// initialised, and the controls of a layout table moved or stretched whenever
// the client area changes size.
#pragma once

#include "common/LxLayoutItem.h"
#include "platform/ui/CBitmap.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CStatic.h"

class ClxDialog : public CDialog
{
public:
    ClxDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    ~ClxDialog() override;

    // Derived dialogs call it first in their own OnInitDialog. Returns TRUE.
    BOOL OnInitDialog() override;

    // Registers the layout table (not copied: it must outlive the window).
    // FALSE and no change for a null table or a count of 0 or less.
    BOOL SetLayout(const LxLayoutItem* pLayout, int nCount);

    // Whether OnInitDialog shows the size grip (1, the default) or hides it
    // (0); set it before the window is created.
    void ShowSizeGrip(int bShow);

protected:
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, LPRECT pRect);

    DECLARE_MESSAGE_MAP()

private:
    int m_nLastCx = 0;
    int m_nLastCy = 0;
    // Outer size at initialisation, and the frame's share of it then.
    int m_nMinWidth = 0;
    int m_nMinHeight = 0;
    int m_nMinFrameWidth = 0;
    int m_nMinFrameHeight = 0;
    const LxLayoutItem* m_pLayout = nullptr;
    int m_nLayoutCount = 0;
    int m_bShowGrip = 1;
    CStatic m_wndGrip;
    CBitmap m_bmpGrip;
    BITMAP m_bmGrip{};
};
