#include "app/CKorvelModuleDlg.h"

#include "app/CAboutDlg.h"
#include "app/CDeviceProfile.h"
#include "app/CKorvelModuleApp.h"
#include "common/Globals.h"
#include "panel/CMyBitmapApp.h"
#include "panel/CPort.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"

#include <algorithm>
#include <utility>

BYTE g_bBlinkPhase = 0;

namespace {

// The bitmaps the painting draws, preloaded in this order.
constexpr UINT kPreloadedBitmaps[] = {
    IDB_LED_DARK_ODD,     IDB_LED_DARK_EVEN,   IDB_LED_GREEN_EVEN,       IDB_LED_GREEN_ODD,       IDB_LAMP_POWER,
    IDB_LAMP_POWER_LARGE, IDB_LED_AMBER_EVEN,  IDB_LED_AMBER_ODD,        IDB_LAMP_FAULT,          IDB_LAMP_MODE_LIT,
    IDB_LAMP_DARK,        IDB_LAMP_POWER_DARK, IDB_LED_GREEN_LARGE_EVEN, IDB_LED_GREEN_LARGE_ODD,
};

// Port states that mean a combo port uses its second medium.
bool UsesSecondMedium(int portState)
{
    return portState == 3 || portState == 4;
}

} // namespace

BEGIN_MESSAGE_MAP(CKorvelModuleDlg, CBitmapDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_MESSAGE(WM_DRAW_BITMAP_AT, OnDrawBitmapMessage)
    // The command table: one line per menu command (a command without a line
    // here has its menu item grayed).
    ON_COMMAND(ID_APP_ABOUT, OnFeatureDialog<CAboutDlg>)
END_MESSAGE_MAP()

CKorvelModuleDlg::CKorvelModuleDlg(CWnd* pParent)
    : CBitmapDialog(IDD_KORVELMODULE_DIALOG, pParent), m_strProfilePath(CDeviceProfile::ProfilePath())
{
    m_hIcon = LoadIconResource(IDI_MODULE);
    m_LedState.fill(3);
    // The bitmap cache, with a hidden window of its own.
    m_pBitmapCache = std::make_unique<CMyBitmapApp>();
    m_pBitmapCache->ResetLedPositions();
    m_pBitmapCache->Create(IDD_ABOUTBOX, nullptr);
    g_pBitmapCache = m_pBitmapCache.get();
}

CKorvelModuleDlg::~CKorvelModuleDlg()
{
    CVirtualDev::SetCursorAction({});
    if (g_pBitmapCache == m_pBitmapCache.get())
        g_pBitmapCache = nullptr;
    m_pBitmapCache->DestroyWindow();
}

void CKorvelModuleDlg::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
}

void CKorvelModuleDlg::ReadDeviceProfile()
{
    // Values the profile does not reach keep what they had.
    CDeviceProfile profile;
    profile.m_strModelName = m_strModelName;
    profile.m_bPoeModel = m_bPoeModel != 0;
    profile.m_nPortCount = m_nPortCount;
    profile.m_nComboPortCount = m_nComboPortCount;
    profile.m_nComboPortIndex = m_nComboPortIndex;
    profile.m_strXmlName = m_strXmlName;
    profile.ReadDeviceProfile(m_strProfilePath, this);
    m_strModelName = profile.m_strModelName;
    m_bPoeModel = profile.m_bPoeModel ? 1 : 0;
    m_nPortCount = profile.m_nPortCount;
    m_nComboPortCount = profile.m_nComboPortCount;
    m_nComboPortIndex = profile.m_nComboPortIndex;
    m_strXmlName = profile.m_strXmlName;
}

BOOL CKorvelModuleDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CBitmapDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    {
        std::lock_guard lock(m_ledLock);
        m_bLinkLedMode = 1;
        m_bPoeLimitLamp = 0;
        m_strFanStatus.assign(1, '1'); // fan in order
    }
    ReadDeviceProfile();
    LoadPanelFromXml(m_strXmlName);
    {
        std::lock_guard lock(m_ledLock);
        m_pPortStates.assign(static_cast<std::size_t>(std::max(m_nPortCount, 0)), 0);
        m_LedState.fill(3);
    }
    SetWindowText(m_strModelName + ": " + g_strDeviceIP);

    // The pointer over the panel's parts: the hand over ports and console-type
    // parts.
    CVirtualDev::SetCursorAction([this](PartCursor cursor) { m_bHandCursor = cursor == PartCursor::Hand; });

    m_pDC = GetDC();
    for (UINT id : kPreloadedBitmaps)
        m_pBitmapCache->LoadBitmap(m_pDC, id);
    return TRUE;
}

LRESULT CKorvelModuleDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_uInstanceMsg && g_uInstanceMsg != 0) {
        // Raised above every window but left an ordinary one.
        ShowWindow(SW_SHOWNORMAL);
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
    }
    return CBitmapDialog::DefWindowProc(message, wParam, lParam);
}

void CKorvelModuleDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_SYS_ABOUT) {
        // Over the running panel: polling goes on.
        CAboutDlg about;
        about.DoModal();
        return;
    }
    CBitmapDialog::OnSysCommand(nID, lParam);
}

HCURSOR CKorvelModuleDlg::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(m_hIcon);
}

void CKorvelModuleDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    int x = point.x;
    int y = point.y;
    m_root.OnClick(x, y);
    CBitmapDialog::OnLButtonDown(nFlags, point);
}

void CKorvelModuleDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    // Each move starts from the window's arrow; a part under the point may
    // ask for the hand.
    m_bHandCursor = false;
    int x = point.x;
    int y = point.y;
    m_root.OnMouseMove(x, y);
    SetCursor(m_bHandCursor ? LoadCursorResource(IDC_PORT_HAND) : LoadStandardCursorResource(IDC_ARROW));
    CBitmapDialog::OnMouseMove(nFlags, point);
}

void CKorvelModuleDlg::StopPanelThread()
{
    // The polling thread is stopped here once it exists: its stop flag set,
    // up to 1000 ms for m_evThreadExit, then let go.
}

void CKorvelModuleDlg::OnClose()
{
    StopPanelThread();
    CBitmapDialog::OnClose();
}

void CKorvelModuleDlg::OnOK()
{
    StopPanelThread();
    CBitmapDialog::OnOK();
}

void CKorvelModuleDlg::OnCancel()
{
    StopPanelThread();
    CBitmapDialog::OnCancel();
}

BOOL CKorvelModuleDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    // A closed session forgets its requests: late walk replies are dropped.
    const std::pair<CCommonSNMP*, const char*> sessions[] = {
        {&m_cCommonSNMP, "m_cCommonSNMP"},
        {&m_cCommonSNMPset, "m_cCommonSNMPset"},
        {&m_cCommonSNMPFan, "m_cCommonSNMPFan"},
        {&m_cCommonSNMPPoe, "m_cCommonSNMPPoe"},
        {&m_cCommonSNMPDevStat, "m_cCommonSNMPDevStat"},
        {&m_cCommonSNMPPoeStat, "m_cCommonSNMPPoeStat"},
    };
    for (const auto& [session, name] : sessions) {
        session->Close();
        OutputDebugString(std::string("==================") + name + ".Close===============");
    }
    CVirtualDev::SetCursorAction({});
    {
        std::lock_guard lock(m_ledLock);
        if (m_pDC != nullptr)
            ReleaseDC(m_pDC);
        m_pDC = nullptr;
    }
    return CBitmapDialog::DestroyWindow();
}

void CKorvelModuleDlg::RunFeatureDialog(CDialog& dialog)
{
    ShowWindow(SW_HIDE);
    m_bFeatureDialogOpen = 1;
    ShowWindow(SW_MINIMIZE);
    dialog.DoModal();
    m_bFeatureDialogOpen = 0;
    ShowWindow(SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------
// Painting

void CKorvelModuleDlg::OnPaint()
{
    CBitmapDialog::OnPaint();
    std::lock_guard lock(m_ledLock);
    DrawLamps();
    DrawLeds();
}

void CKorvelModuleDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != IDT_LED_BLINK) {
        CBitmapDialog::OnTimer(nIDEvent);
        return;
    }
    // A tick paints with the current phase, then changes it.
    SendMessage(WM_PAINT);
    g_bBlinkPhase = g_bBlinkPhase == 0 ? 1 : 0;
}

LRESULT CKorvelModuleDlg::OnDrawBitmapMessage(WPARAM /*wParam*/, LPARAM lParam)
{
    std::lock_guard lock(m_ledLock);
    DrawCached(static_cast<UINT>(lParam), m_ptLed.x, m_ptLed.y);
    return 0;
}

void CKorvelModuleDlg::DrawLedBitmap(CPoint point, UINT id)
{
    std::lock_guard lock(m_ledLock);
    m_ptLed = point;
    DrawCached(id, point.x, point.y);
}

void CKorvelModuleDlg::DrawCached(UINT id, int x, int y)
{
    if (m_pDC != nullptr && m_pBitmapCache)
        m_pBitmapCache->DrawBitmap(m_pDC, id, x, y, 0, 0);
}

bool CKorvelModuleDlg::GetLedPosition(int portPart, CPoint& point) const
{
    const CVirtualDev* port = m_root.FindChildByClass("CPort", portPart);
    const CVirtualDev* first = port != nullptr ? port->GetChild(0) : nullptr;
    if (first == nullptr)
        return false;
    CRect rect;
    first->GetRect(&rect);
    point = rect.TopLeft();
    return true;
}

void CKorvelModuleDlg::DrawLamps()
{
    const bool reachable = m_bDeviceReachable == 1;
    const bool fanFault = m_strFanStatus == "2";
    const bool poeLimit = m_bPoeLimitLamp != 0;
    const bool linkMode = m_bLinkLedMode != 0;
    const auto lamp = [this](UINT id, int x, int y) { DrawCached(id, x, y); };
    // The two LED-mode lamps: the link lamp and the PoE lamp.
    const auto modeLamps = [&](int x, int yLink, int yPoe) {
        lamp(linkMode && reachable ? IDB_LAMP_MODE_LIT : IDB_LAMP_DARK, x, yLink);
        lamp(!linkMode && reachable ? IDB_LAMP_MODE_LIT : IDB_LAMP_DARK, x, yPoe);
    };

    const std::string& model = g_strModelName;
    if (model == "KSX-Alcor") {
        lamp(IDB_LAMP_POWER, 13, 30);
    } else if (model == "KSX-Alcor R2") {
        lamp(IDB_LAMP_POWER, 75, 77);
    } else if (model == "KSX-Bellis") {
        lamp(IDB_LAMP_POWER, 13, 30);
    } else if (model == "KSX-BellisX") {
        lamp(IDB_LAMP_POWER, 18, 32);
    } else if (model == "KVT-CorvidR2") {
        // No lamps.
    } else if (model == "KSX-Dunlin") {
        lamp(IDB_LAMP_POWER, 13, 31);
        if (fanFault && reachable)
            lamp(IDB_LAMP_FAULT, 38, 33);
    } else if (model == "KVT-EgretR2") {
        if (fanFault && reachable)
            lamp(IDB_LAMP_FAULT, 38, 33);
    } else if (model == "KSX-DunlinX") {
        lamp(IDB_LAMP_POWER, 15, 35);
        lamp(fanFault && reachable ? IDB_LAMP_FAULT : IDB_LAMP_DARK, 43, 36);
    } else if (model == "KSX-Puffin") {
        lamp(IDB_LAMP_POWER, 11, 28);
        if (poeLimit && reachable)
            lamp(IDB_LAMP_FAULT, 12, 42);
        if (fanFault && reachable)
            lamp(IDB_LAMP_FAULT, 13, 62);
        modeLamps(30, 52, 62);
    } else if (model == "KSX-PuffinX") {
        lamp(IDB_LAMP_POWER, 19, 26);
        lamp(poeLimit && reachable ? IDB_LAMP_FAULT : IDB_LAMP_DARK, 20, 65);
        lamp(fanFault && reachable ? IDB_LAMP_FAULT : IDB_LAMP_DARK, 20, 52);
        modeLamps(39, 53, 64);
    } else if (model == "KSX-Puffin R2") {
        lamp(IDB_LAMP_POWER_LARGE, 19, 25);
        if (poeLimit && reachable)
            lamp(IDB_LAMP_FAULT, 20, 59);
        if (fanFault && reachable)
            lamp(IDB_LAMP_FAULT, 20, 45);
        if (linkMode && reachable) {
            lamp(IDB_LAMP_MODE_LIT, 43, 46);
            lamp(IDB_LAMP_DARK, 43, 59);
        } else if (reachable) {
            lamp(IDB_LAMP_MODE_LIT, 42, 59);
            lamp(IDB_LAMP_DARK, 42, 46);
        } else {
            lamp(IDB_LAMP_DARK, 42, 59);
            lamp(IDB_LAMP_DARK, 42, 46);
            lamp(IDB_LAMP_DARK, 20, 59);
            lamp(IDB_LAMP_DARK, 20, 45);
            lamp(IDB_LAMP_DARK, 43, 46);
            lamp(IDB_LAMP_DARK, 43, 59);
        }
    }
}

void CKorvelModuleDlg::DrawLeds()
{
    const bool linkMode = m_bLinkLedMode != 0;
    const bool hasCombo = m_nComboPortCount > 0;
    const int lo = m_nComboPortIndex;
    const int hi = lo + m_nComboPortCount - 1;

    // The second parts of the combo ports start dark.
    for (int j = 0; hasCombo && j < m_nComboPortCount; ++j) {
        if (GetLedPosition(g_nPortCount + j, m_ptLed))
            DrawCached(IDB_LED_DARK_EVEN, m_ptLed.x, m_ptLed.y);
    }

    const int ports = std::min({m_nPortCount, kMaxPorts, static_cast<int>(m_pPortStates.size())});
    for (int i = 0; i < ports; ++i) {
        const int p = i + 1;
        const bool even = p % 2 == 0;
        if (!GetLedPosition(i, m_ptLed))
            continue;
        const CPoint own = m_ptLed;
        const bool secondMedium = UsesSecondMedium(m_pPortStates[static_cast<std::size_t>(i)]) && hasCombo;
        const bool inComboRange = lo <= p && p <= hi;
        const WPARAM led = 0x80 | static_cast<WPARAM>(i & 0x7F);
        if (linkMode && own.x != 0)
            DrawCached(even ? IDB_LED_DARK_EVEN : IDB_LED_DARK_ODD, own.x, own.y);
        switch (m_LedState[static_cast<std::size_t>(i)]) {
        case 0: // amber
            if (g_bBlinkPhase == 1 && secondMedium) {
                if (inComboRange && GetLedPosition(m_nPortCount - lo + p, m_ptLed))
                    SendMessage(WM_DRAW_BITMAP_AT, led, even ? IDB_LED_AMBER_EVEN : IDB_LED_AMBER_ODD);
            } else {
                SendMessage(WM_DRAW_BITMAP_AT, led, even ? IDB_LED_AMBER_EVEN : IDB_LED_AMBER_ODD);
            }
            break;
        case 1: // green, lit in phase 0 only
            if (g_bBlinkPhase != 0)
                break;
            if (secondMedium && inComboRange && !GetLedPosition(m_nPortCount - lo + p, m_ptLed))
                break;
            SendMessage(WM_DRAW_BITMAP_AT, led, even ? IDB_LED_GREEN_EVEN : IDB_LED_GREEN_ODD);
            break;
        case 2: // dark
            DrawCached(even ? IDB_LED_DARK_EVEN : IDB_LED_DARK_ODD, own.x, own.y);
            break;
        default: // not drawn
            break;
        }
    }
}
