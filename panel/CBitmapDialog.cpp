#include "panel/CBitmapDialog.h"

#include "panel/CBmpPalette.h"
#include "panel/CMyBitmapApp.h"
#include "panel/CParseDevXML.h"
#include "panel/CPort.h"
#include "platform/system/DebugTrace.h"

#include <mutex>

namespace {

// Port statuses after a walk timed out: the ports of a 48-port body, then the
// four ports of a 52-port switch.
constexpr int kBodyPorts = 48;
constexpr int kAllPorts = 52;

} // namespace

BEGIN_MESSAGE_MAP(CBitmapDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CBitmapDialog::CBitmapDialog() = default;

CBitmapDialog::CBitmapDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CBitmapDialog::~CBitmapDialog()
{
    m_modules.clear();
}

void CBitmapDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

int CBitmapDialog::LoadPanelFromXml(const std::string& fileName)
{
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int frameWidth = window.Width() - client.Width();
    const int frameHeight = window.Height() - client.Height();
    DebugTrace("==========================%d", frameHeight);

    CParseDevXML reader;
    reader.Parse(fileName.c_str(), &m_root, m_modules,
                 g_pBitmapCache != nullptr ? &g_pBitmapCache->LedPositions() : nullptr);
    if (!reader.HasPanel())
        return 0;

    m_nDrawMode = 1;
    {
        std::lock_guard lock(CVirtualDev::PanelLock());
        m_bmpBackground.LoadFromFile(m_root.GetBitmapFile());
    }

    // The DEVICEPANEL gives the window's place and the size of its client area.
    CRect placed;
    m_root.GetRect(&placed);
    placed.right += frameWidth;
    placed.bottom += frameHeight;
    MoveWindow(&placed, TRUE);
    return 1;
}

void CBitmapDialog::ResetPortLeds()
{
    int port = 0;
    for (int i = 0; i < m_root.GetChildCount(); ++i) {
        CVirtualDev* child = m_root.GetChild(i);
        const std::string className = CVirtualDev::GetClassName(child);
        if (className == "CPort") {
            ++port;
            if (port <= kBodyPorts)
                static_cast<CPort*>(child)->SetStatus(PORTENABLE);
            else if (port <= kAllPorts)
                static_cast<CPort*>(child)->SetStatus(PORTEMPTY);
        } else if (className == "CModule") {
            static_cast<CModule*>(child)->ResetPorts();
        }
    }
}

BOOL CBitmapDialog::OnEraseBkgnd(CDC* pDC)
{
    std::unique_lock lock(CVirtualDev::PanelLock());
    if (m_bmpBackground.IsEmpty()) {
        lock.unlock();
        return CDialog::OnEraseBkgnd(pDC);
    }
    CRect client;
    GetClientRect(&client);
    const int width = m_bmpBackground.GetWidth();
    const int height = m_bmpBackground.GetHeight();
    if (m_nDrawMode == 1) {
        m_bmpBackground.DrawStretched(pDC, 0, 0, client.Width(), client.Height());
        // The parts draw on this erase's context only while it lasts.
        m_root.SetOwner(this, client);
        m_root.SetDC(pDC);
        m_root.DrawChildren();
        m_root.SetDC(nullptr);
    } else if (m_nDrawMode == 2) {
        lock.unlock();
        CDialog::OnEraseBkgnd(pDC);
        lock.lock();
        m_bmpBackground.DrawAt(pDC, (client.Width() - width) / 2, (client.Height() - height) / 2);
    } else if (width > 0 && height > 0) {
        for (int y = 0; y < client.Height(); y += height) {
            for (int x = 0; x < client.Width(); x += width)
                m_bmpBackground.DrawAt(pDC, x, y);
        }
    }
    return TRUE;
}

BOOL CBitmapDialog::RealizeBackgroundPalette(BOOL bForceBackground)
{
    CDC* dc = GetDC();
    if (dc == nullptr)
        return FALSE;
    CPalette* previous = dc->SelectPalette(m_bmpBackground.GetPalette(), bForceBackground);
    const UINT changed = dc->RealizePalette();
    dc->SelectPalette(previous, TRUE);
    ReleaseDC(dc);
    if (changed == 0)
        return FALSE;
    Invalidate(TRUE);
    return TRUE;
}

BOOL CBitmapDialog::OnQueryNewPalette()
{
    if (m_bmpBackground.GetPalette() == nullptr || GetSafeHwnd() == nullptr)
        return CDialog::OnQueryNewPalette();
    return RealizeBackgroundPalette(FALSE);
}

void CBitmapDialog::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (m_bmpBackground.GetPalette() == nullptr || GetSafeHwnd() == nullptr || pFocusWnd == this ||
        (pFocusWnd != nullptr && IsChild(pFocusWnd))) {
        CDialog::OnPaletteChanged(pFocusWnd);
        return;
    }
    RealizeBackgroundPalette(TRUE);
}
