#include "common/CFontStatic.h"

#include "platform/ui/CFont.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/SysColor.h"

BEGIN_MESSAGE_MAP(CFontStatic, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CFontStatic::CFontStatic() = default;

void CFontStatic::SetFontStyle(int nStyle)
{
    if (nStyle & FS_BOLD)
        m_bBold = 1;
    if (nStyle & FS_ITALIC)
        m_bItalic = 1;
    if (nStyle & FS_UNDERLINED)
        m_bUnderlined = 1;
    if (nStyle & FS_STRIKETHROUGH)
        m_bStrikethrough = 1;
    if (nStyle & FS_ANTIALIAS)
        m_bAntialias = 1;
    m_bCenter = (nStyle & FS_CENTER) ? 1 : 0;
    m_bRight = !m_bCenter && (nStyle & FS_RIGHT) ? 1 : 0;
    m_bLeft = !m_bCenter && !m_bRight ? 1 : 0;
}

void CFontStatic::SetBackground(COLORREF crBackground)
{
    m_crBackground = crBackground;
    m_bBackground = 1;
}

void CFontStatic::SetTextFont(const std::string& strFace, int nHeight, COLORREF crText, int nStyle)
{
    m_strFace = strFace;
    m_nHeight = nHeight;
    m_crText = crText;
    SetFontStyle(nStyle);
}

void CFontStatic::PreSubclassWindow()
{
    ModifyStyle(0, SS_NOTIFY);
    CStatic::PreSubclassWindow();
}

void CFontStatic::OnPaint()
{
    CPaintDC dc(this);
    const std::string text = GetWindowText();
    CRect rc;
    GetClientRect(&rc);

    dc.FillSolidRect(&rc, m_bBackground ? m_crBackground : GetSysColor(COLOR_BTNFACE));
    dc.SetTextColor(m_crText);
    dc.SetBkMode(TRANSPARENT);

    CFont font;
    const BOOL made = font.CreateFont(m_nHeight, 0, 0, 0, m_bBold ? FW_HEAVY : FW_NORMAL, m_bItalic, m_bUnderlined,
                                      m_bStrikethrough, 1, 2, 1, m_bAntialias ? ANTIALIASED_QUALITY : 0, 0, m_strFace);

    UINT format = DT_LEFT;
    if (m_bCenter)
        format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    else if (m_bRight)
        format = DT_RIGHT;
    format |= DT_NOPREFIX | DT_WORDBREAK;

    if (made) {
        CFont* pOld = dc.SelectObject(&font);
        dc.DrawText(text, &rc, format);
        dc.SelectObject(pOld);
    } else if (!m_bFontErrorShown) {
        m_bFontErrorShown = true;
        AfxMessageBox("Font could not be created!", MB_OK);
    }
}
