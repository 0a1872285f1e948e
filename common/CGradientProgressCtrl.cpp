#include "common/CGradientProgressCtrl.h"

#include "common/CMemDC.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/SysColor.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

int Channel(COLORREF colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

} // namespace

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGradientProgressCtrl::CGradientProgressCtrl() : m_crBackground(GetSysColor(COLOR_BTNFACE)) {}

void CGradientProgressCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    m_nPos = nLower;
    CProgressCtrl::SetRange32(nLower, nUpper);
    CProgressCtrl::SetPos(nLower);
    Repaint();
}

int CGradientProgressCtrl::SetPos(int nPos)
{
    m_nPos = nPos;
    const int previous = CProgressCtrl::SetPos(nPos);
    Repaint();
    return previous;
}

int CGradientProgressCtrl::SetStep(int nStep)
{
    m_nStep = nStep;
    return CProgressCtrl::SetStep(nStep);
}

int CGradientProgressCtrl::StepIt()
{
    m_nPos += m_nStep;
    const int previous = CProgressCtrl::StepIt();
    Repaint();
    return previous;
}

void CGradientProgressCtrl::Repaint()
{
    if (::IsWindow(GetSafeHwnd()))
        Invalidate(FALSE);
}

void CGradientProgressCtrl::SetStartColor(COLORREF crStart)
{
    m_crStart = crStart;
}

void CGradientProgressCtrl::SetEndColor(COLORREF crEnd)
{
    m_crEnd = crEnd;
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CGradientProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);

    const int nPos = m_nPos;
    if (nPos <= m_nLower || m_nLower >= m_nUpper) {
        dc.FillSolidRect(&rcClient, GetSysColor(COLOR_BTNFACE));
        return;
    }

    // The share of the width is position / upper bound (the bar counts from
    // 0, not from the lower bound); a range that does not reach above 0 is
    // measured from its lower bound instead.
    double fraction = m_nUpper > 0 ? static_cast<double>(nPos) / m_nUpper
                                   : static_cast<double>(nPos - m_nLower) / (m_nUpper - m_nLower);
    fraction = std::clamp(fraction, 0.0, 1.0);
    DrawGradient(&dc, rcClient, static_cast<int>(fraction * rcClient.Width()));

    if (m_bShowPercent) {
        char text[16];
        std::snprintf(text, sizeof text, "%.0f%%", fraction * 100.0);
        dc.SetTextColor(m_crText);
        dc.SetBkMode(TRANSPARENT);
        dc.DrawText(text, &rcClient, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void CGradientProgressCtrl::DrawGradient(CDC* pDC, const CRect& rcClient, int nBarEnd)
{
    CMemDC memDC(pDC);
    nBarEnd = std::clamp(nBarEnd, 0, std::max(0, static_cast<int>(rcClient.right)));

    const int dr = Channel(m_crEnd, 0) - Channel(m_crStart, 0);
    const int dg = Channel(m_crEnd, 8) - Channel(m_crStart, 8);
    const int db = Channel(m_crEnd, 16) - Channel(m_crStart, 16);
    const int bands = std::max({std::abs(dr), std::abs(dg), std::abs(db)});

    if (bands == 0) {
        // One colour: no bands to step through.
        memDC.FillSolidRect(0, 0, nBarEnd, rcClient.bottom + 1, m_crStart);
        memDC.FillSolidRect(nBarEnd, 0, rcClient.right - nBarEnd, rcClient.bottom, m_crBackground);
        return;
    }

    const float bandWidth = static_cast<float>(rcClient.right) / bands;
    const float stepR = static_cast<float>(dr) / bands;
    const float stepG = static_cast<float>(dg) / bands;
    const float stepB = static_cast<float>(db) / bands;

    for (int i = 0; i < bands; ++i) {
        const int left = static_cast<int>(i * bandWidth);
        // The last band ends at the right edge, whatever the rounding of the band width.
        const int right = i == bands - 1 ? static_cast<int>(rcClient.right) : static_cast<int>((i + 1) * bandWidth);
        const auto r = static_cast<BYTE>(static_cast<int>(Channel(m_crStart, 0) + i * stepR) & 0xFF);
        const auto g = static_cast<BYTE>(static_cast<int>(Channel(m_crStart, 8) + i * stepG) & 0xFF);
        const auto b = static_cast<BYTE>(static_cast<int>(Channel(m_crStart, 16) + i * stepB) & 0xFF);
        CBrush brush(RGB(r, g, b));
        CRect band(left, 0, right, rcClient.bottom + 1);
        memDC.FillRect(&band, &brush);
        if (right > nBarEnd) {
            CRect rest(right, 0, rcClient.right, rcClient.bottom);
            memDC.FillSolidRect(&rest, m_crBackground);
            break;
        }
    }
}
