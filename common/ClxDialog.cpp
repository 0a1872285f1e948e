#include "common/ClxDialog.h"

#include "platform/ui/CDC.h"
#include "platform/ui/SysColor.h"

#include <algorithm>

namespace {

// The size grip: three groups of diagonal ridges, each a light line and two
// shadow lines, in the lower right triangle of a square.
void DrawSizeGrip(CBitmap& bitmap)
{
    constexpr int kSize = 13;
    bitmap.CreateCompatibleBitmap(nullptr, kSize, kSize);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int d = x + y - (kSize - 1);
            const int m = (d - 1) % 4;
            dc.SetPixel(x, y, d < 1 || m == 3 ? face : m == 0 ? light : shadow);
        }
    }
    dc.SelectObject(old);
}

} // namespace

BEGIN_MESSAGE_MAP(ClxDialog, CDialog)
ON_WM_SIZE()
ON_WM_SIZING()
END_MESSAGE_MAP()

ClxDialog::ClxDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

ClxDialog::~ClxDialog() = default;

BOOL ClxDialog::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    ModifyStyle(0, WS_THICKFRAME);

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    m_nMinWidth = rcWindow.Width();
    m_nMinHeight = rcWindow.Height();
    m_nMinFrameWidth = rcWindow.Width() - rcClient.Width();
    m_nMinFrameHeight = rcWindow.Height() - rcClient.Height();
    m_nLastCx = rcClient.Width();
    m_nLastCy = rcClient.Height();

    DrawSizeGrip(m_bmpGrip);
    m_bmpGrip.GetBitmap(&m_bmGrip);

    m_wndGrip.Create("", WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(0, 0, m_bmGrip.bmWidth, m_bmGrip.bmHeight), this, 0);
    m_wndGrip.SetBitmap(&m_bmpGrip);
    m_wndGrip.MoveWindow(m_nLastCx - m_bmGrip.bmWidth, m_nLastCy - m_bmGrip.bmHeight, m_bmGrip.bmWidth,
                         m_bmGrip.bmHeight, TRUE);
    m_wndGrip.ShowWindow(m_bShowGrip);
    return TRUE;
}

BOOL ClxDialog::SetLayout(const LxLayoutItem* pLayout, int nCount)
{
    if (pLayout == nullptr || nCount <= 0)
        return FALSE;
    m_pLayout = pLayout;
    m_nLayoutCount = nCount;
    return TRUE;
}

void ClxDialog::ShowSizeGrip(int bShow)
{
    m_bShowGrip = bShow;
}

void ClxDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);

    int dx = cx - m_nLastCx;
    int dy = cy - m_nLastCy;
    if (nType == SIZE_MINIMIZED)
        dx = dy = 0;

    for (int i = 0; i < m_nLayoutCount; ++i) {
        const LxLayoutItem& item = m_pLayout[i];
        if (item.nPercent < 0 || item.nPercent > 100)
            continue;
        CWnd* pCtrl = GetDlgItem(item.nID);
        if (pCtrl == nullptr || !::IsWindow(pCtrl->GetSafeHwnd()))
            continue;
        CRect rc;
        pCtrl->GetWindowRect(&rc);
        ScreenToClient(&rc);
        int left = rc.left;
        int top = rc.top;
        int width = rc.Width();
        int height = rc.Height();
        const int moveX = dx * item.nPercent / 100;
        const int moveY = dy * item.nPercent / 100;
        switch (item.nMode) {
        case 0:
            left += moveX;
            break;
        case 1:
            top += moveY;
            break;
        case 2:
            left += moveX;
            top += moveY;
            break;
        case 3:
            width += moveX;
            break;
        case 4:
            height += moveY;
            break;
        case 5:
            width += moveX;
            height += moveY;
            break;
        default:
            break;
        }
        pCtrl->MoveWindow(left, top, width, height, TRUE);
    }

    if (::IsWindow(m_wndGrip.GetSafeHwnd()))
        m_wndGrip.MoveWindow(cx - m_bmGrip.bmWidth, cy - m_bmGrip.bmHeight, m_bmGrip.bmWidth, m_bmGrip.bmHeight, TRUE);

    if (nType != SIZE_MINIMIZED) {
        m_nLastCx = cx;
        m_nLastCy = cy;
    }
}

void ClxDialog::OnSizing(UINT fwSide, LPRECT pRect)
{
    CDialog::OnSizing(fwSide, pRect);

    // The frame may have grown since initialisation (a window not yet shown
    // has none here); the minimum keeps the initial client size inside it.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CRect rcClient;
    GetClientRect(&rcClient);
    const int minWidth = m_nMinWidth + std::max(0, rcWindow.Width() - rcClient.Width() - m_nMinFrameWidth);
    const int minHeight = m_nMinHeight + std::max(0, rcWindow.Height() - rcClient.Height() - m_nMinFrameHeight);

    if (pRect->right - pRect->left <= minWidth)
        pRect->right = pRect->left + minWidth;
    if (pRect->bottom - pRect->top <= minHeight)
        pRect->bottom = pRect->top + minHeight;
}
