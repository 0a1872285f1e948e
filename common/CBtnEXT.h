// One control per switch port, laid out on a dialog at run time: a row of
// port-number labels, or a row of check boxes (or other buttons), spaced
// evenly between two horizontal bounds. Up to 28 ports lie in one row; more
// are split into two rows of half the count, the second under the first.
// Control i (port i + 1) has the id first id + i, so the dialog handles the
// buttons' clicks through a command-id range.
#pragma once

#include "platform/ui/CButton.h"
#include "platform/ui/CRect.h"
#include "platform/ui/CStatic.h"

#include <memory>
#include <vector>

class ClxDialog;

class CBtnEXT
{
public:
    // The style that makes port-number labels (SS_CENTER | SS_SUNKEN); any
    // other style makes buttons of that style.
    static constexpr UINT LABEL_STYLE = 4097;

    // nCount controls (the device's port count), each nBoxSize pixels square;
    // nRowGap pixels (plus 2) between the first and the second row.
    CBtnEXT(int nCount, int nBoxSize, int nRowGap);
    virtual ~CBtnEXT();
    CBtnEXT(const CBtnEXT&) = delete;
    CBtnEXT& operator=(const CBtnEXT&) = delete;

    // The dialog the controls are created on; set before Create.
    void SetParentDlg(ClxDialog* pDlg);
    // Spaces the controls of one row so that they fill nLeft..nRight; the
    // truncated remainder stays free at the right. A single control per row
    // gets no spacing.
    void ComputeSpacing(int nLeft, int nRight);
    void SetSpacing(int nSpacing);

    // Creates and shows the controls (replacing those of an earlier call). nPlacement 0 starts the first row at the
    // reference rectangle's right edge and top, 1 at its left edge and bottom.
    void Create(UINT nStyle, UINT nFirstID, CRect rcRef, int nPlacement);
    void Create(UINT nStyle, UINT nFirstID, int x1, int y1, int x2, int y2, int nPlacement);

    // From the top left of port 1's control to the bottom right of the last
    // port's, in the parent's client coordinates; empty before Create.
    void GetBoundingRect(CRect* pRect) const;
    void GetBoundingRect(CRect& rect) const { GetBoundingRect(&rect); }

    // The button of port nIndex + 1; an index outside 0 .. count - 1, or an
    // object made of labels, does nothing (GetCheck gives BST_UNCHECKED).
    void EnableButton(BOOL bEnable, int nIndex);
    void SetCheck(int nCheck, int nIndex);
    int GetCheck(int nIndex) const;

    // ShowWindow(nCmdShow) for every control.
    void ShowAll(int nCmdShow);

private:
    int PerRow() const;
    void DestroyControls();
    CButton* Button(int nIndex) const;

    std::vector<std::unique_ptr<CButton>> m_buttons;
    std::vector<std::unique_ptr<CStatic>> m_labels;
    int m_nBoxSize;
    int m_nRowGap;
    int m_nCount;
    UINT m_nFirstID = 0;
    int m_nExtraRowGap = 2;
    int m_nSpacing = 0;
    ClxDialog* m_pParent = nullptr;
    int m_nState = 1;
};
