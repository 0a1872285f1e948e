#include "app/CKorvelModuleDlg.h"

#include "app/CAboutDlg.h"
#include "app/CDeviceProfile.h"
#include "app/CKorvelModuleApp.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "features/agent_tools/CFirmDownLoad.h"
#include "features/agent_tools/CIPAddrTable.h"
#include "features/agent_tools/CIntfList.h"
#include "features/agent_tools/CResetDevice.h"
#include "features/layer2/CLoopbackDetection.h"
#include "features/layer2/CIGMPSnoopConfig.h"
#include "features/layer2/CJumboFrameconfigdlg.h"
#include "features/layer2/CLLDPGroup.h"
#include "features/layer2/CLLDPMED.h"
#include "features/layer2/CLLDPREMOTEINFO.h"
#include "features/layer2/CMultiFilterModeConfig.h"
#include "features/layer2/CBandWidthControlDlg.h"
#include "features/layer2/CPortMirroringdlg.h"
#include "features/agent_tools/CSNMPCommunity.h"
#include "features/agent_tools/CSNMPEngineID.h"
#include "features/agent_tools/CSNMPGlobal.h"
#include "features/agent_tools/CSNMPGroup.h"
#include "features/agent_tools/CSNMPHost.h"
#include "features/agent_tools/CSNMPTrapSetting.h"
#include "features/agent_tools/CSNMPUser.h"
#include "features/agent_tools/CSNMPViewTree.h"
#include "features/agent_tools/CSnmpDevIden.h"
#include "features/agent_tools/CSwitchDatabase.h"
#include "features/agent_tools/CSyslogHostCfgDlg.h"
#include "features/agent_tools/CTcpPortInfo.h"
#include "features/agent_tools/CUdpPortInfo.h"
#include "features/layer2/CPrivateSpanTBridge.h"
#include "features/poe_rmon/CRMONEthernetStatistics.h"
#include "features/poe_rmon/CRMONEvent.h"
#include "features/poe_rmon/CRMONHistoryControl.h"
#include "features/poe_rmon/CRmonAlarm.h"
#include "features/poe_rmon/CRmonStatus.h"
#include "features/layer2/CStaticMACDlg.h"
#include "features/poe_rmon/CPOEConfigDlg.h"
#include "features/poe_rmon/CPOEGlobal.h"
#include "features/poe_rmon/CPowerSaveDlg.h"
#include "features/poe_rmon/CTimeProfileInfo.h"
#include "features/poe_rmon/TimeRangInfo.h"
#include "features/ports_vlans/C8021qVlanSet.h"
#include "features/security/CIMPBBlackList.h"
#include "features/security/CIMPBSmartBinding.h"
#include "features/security/CIMPBWhiteList.h"
#include "features/security/CSmartBindingSettings.h"
#include "features/security/CARPSpoofSetting.h"
#include "features/security/CStormControlDlg.h"
#include "features/security/CTrafficSegDlg.h"
#include "features/ports_vlans/CCameraVLANOUISetting.h"
#include "features/ports_vlans/CCameraVlanSetting.h"
#include "features/ports_vlans/CGVRPSettings.h"
#include "features/ports_vlans/CGVRPTime.h"
#include "features/ports_vlans/CManagVlanSetDlg.h"
#include "features/ports_vlans/CPortDescription.h"
#include "features/ports_vlans/CPortSetInfo.h"
#include "features/ports_vlans/CTrunkConfigDlg.h"
#include "features/security/C8021XAuRadiusServerDLG.h"
#include "features/security/C8021XGlobalDlg.h"
#include "features/security/C8021XPortSettings.h"
#include "features/security/C8021XUserDLG.h"
#include "features/security/CDHCPServerScreenDlg.h"
#include "features/security/Dot1xPortConfig.h"
#include "legacy/CDeviceCfgDlg.h"
#include "panel/CMyBitmapApp.h"
#include "panel/CPanelDeviceThread.h"
#include "panel/CPort.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"

#include <algorithm>

BYTE g_bBlinkPhase = 0;

namespace {

// The bitmaps the painting draws, preloaded in this order.
constexpr UINT kPreloadedBitmaps[] = {
    IDB_LED_DARK_ODD,     IDB_LED_DARK_EVEN,   IDB_LED_GREEN_EVEN,       IDB_LED_GREEN_ODD,       IDB_LAMP_POWER,
    IDB_LAMP_POWER_LARGE, IDB_LED_AMBER_EVEN,  IDB_LED_AMBER_ODD,        IDB_LAMP_FAULT,          IDB_LAMP_MODE_LIT,
    IDB_LAMP_DARK,        IDB_LAMP_POWER_DARK, IDB_LED_GREEN_LARGE_EVEN, IDB_LED_GREEN_LARGE_ODD,
};

// Popups of the menu bar and of "Device Manager   ".
constexpr int kDeviceManagerPopup = 0;
constexpr int kAboutPopup = 3;
constexpr int kPoePopup = 8;

// What models without PoE lose, by command.
constexpr UINT kPoeCommands[] = {ID_POE_PORT_SETTINGS,  ID_POE_TIME_RANGE,     ID_LLDP_MED,
                                 ID_POE_RESERVED_32857, ID_POE_RESERVED_32858, ID_POE_GLOBAL};
// How long the window waits for the polling thread to end before it lets it
// go.
constexpr DWORD kPollingStopMs = 1000;
// The period of the LED blink timer.
constexpr UINT kBlinkMs = 200;
// Save Configuration: the object written, and the time-out of the write.
const std::string kSaveConfiguration = KorvelOid("10.76.19.1.1.10.0");
constexpr int kSaveTimeoutMs = 4000;

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
    // The command table: one line per command, in the order of the menu's
    // design (a command without a line here has its menu item grayed). A
    // feature dialog's command is enabled by its line (and the include of the
    // dialog's header): OnFeatureDialog hides the main window and pauses the
    // polling while the dialog runs, OnPlainDialog runs it over the panel.
    ON_COMMAND(ID_DEVICE_CONFIGURE, OnFeatureDialog<CDeviceCfgDlg>)
    ON_COMMAND(ID_PORT_CONFIGURATION, OnFeatureDialog<CPortSetInfo>)
    ON_COMMAND(ID_PORT_DESCRIPTION, OnFeatureDialog<CPortDescription>)
    ON_COMMAND(ID_NO_ACTION_32790, OnNoAction)
    ON_COMMAND(ID_NO_ACTION_32783, OnNoAction)
    ON_COMMAND(ID_NO_ACTION_32781, OnNoAction)
    ON_COMMAND(ID_TELNET, OnTelnet)
    ON_COMMAND(ID_WEB, OnWeb)
    ON_COMMAND(ID_APP_ABOUT, OnFeatureDialog<CAboutDlg>)
    ON_COMMAND(ID_8021X_PORT_CONFIG, OnFeatureDialog<Dot1xPortConfig>)
    ON_COMMAND(ID_REBOOT, OnReboot)
    ON_COMMAND(ID_SYSTEM_INFORMATION, OnFeatureDialog<CSnmpDevIden>)
    ON_COMMAND(ID_INTERFACE_TABLE, OnFeatureDialog<CIntfList>)
    ON_COMMAND(ID_IP_TABLE, OnFeatureDialog<CIPAddrTable>)
    ON_COMMAND(ID_FORWARDING_TABLE, OnFeatureDialog<CSwitchDatabase>)
    ON_COMMAND(ID_TCP_SERVICE, OnFeatureDialog<CTcpPortInfo>)
    ON_COMMAND(ID_UDP_SERVICE, OnFeatureDialog<CUdpPortInfo>)
    ON_COMMAND(ID_SPANNING_TREE, OnFeatureDialog<CPrivateSpanTBridge>)
    ON_COMMAND(ID_TRUNK_CONFIGURATION, OnFeatureDialog<CTrunkConfigDlg>)
    ON_COMMAND(ID_FIRMWARE_UPGRADE, OnFeatureDialog<CFirmDownLoad>)
    ON_COMMAND(ID_SYSLOG_HOST, OnFeatureDialog<CSyslogHostCfgDlg>)
    ON_COMMAND(ID_VLAN_CONFIGURATION, OnFeatureDialog<C8021qVlanSet>)
    ON_COMMAND(ID_SAVE_CONFIGURATION, OnSaveConfiguration)
    ON_COMMAND(ID_JUMBO_FRAME, OnFeatureDialog<CJumboFrameconfigdlg>)
    ON_COMMAND(ID_LLDP_GLOBAL, OnFeatureDialog<CLLDPGroup>)
    ON_COMMAND(ID_LLDP_MED, OnFeatureDialog<CLLDPMED>)
    ON_COMMAND(ID_LLDP_REMOTE_INFO, OnFeatureDialog<CLLDPREMOTEINFO>)
    ON_COMMAND(ID_POE_TIME_RANGE, OnFeatureDialog<TimeRangInfo>)
    ON_COMMAND(ID_RMON_GLOBAL, OnFeatureDialog<CRmonStatus>)
    ON_COMMAND(ID_RMON_ALARM, OnFeatureDialog<CRmonAlarm>)
    ON_COMMAND(ID_RMON_ETHERNET_STATISTICS, OnFeatureDialog<CRMONEthernetStatistics>)
    ON_COMMAND(ID_RMON_EVENT, OnFeatureDialog<CRMONEvent>)
    ON_COMMAND(ID_RMON_HISTORY_CONTROL, OnFeatureDialog<CRMONHistoryControl>)
    ON_COMMAND(ID_MULTICAST_FILTERING, OnFeatureDialog<CMultiFilterModeConfig>)
    ON_COMMAND(ID_DHCP_SERVER_SCREENING, OnFeatureDialog<CDHCPServerScreenDlg>)
    ON_COMMAND(ID_ARP_SPOOFING, OnFeatureDialog<CARPSpoofSetting>)
    ON_COMMAND(ID_POE_PORT_SETTINGS, OnFeatureDialog<CPOEConfigDlg>)
    ON_COMMAND(ID_SNMP_COMMUNITY, OnFeatureDialog<CSNMPCommunity>)
    ON_COMMAND(ID_SNMP_ENGINE_ID, OnFeatureDialog<CSNMPEngineID>)
    ON_COMMAND(ID_SNMP_GLOBAL, OnFeatureDialog<CSNMPGlobal>)
    ON_COMMAND(ID_SNMP_GROUP, OnFeatureDialog<CSNMPGroup>)
    ON_COMMAND(ID_SNMP_HOST, OnPlainDialog<CSNMPHost>)
    ON_COMMAND(ID_SNMP_TRAP, OnFeatureDialog<CSNMPTrapSetting>)
    ON_COMMAND(ID_SNMP_USER, OnFeatureDialog<CSNMPUser>)
    ON_COMMAND(ID_SNMP_VIEW, OnFeatureDialog<CSNMPViewTree>)
    ON_COMMAND(ID_SURVEILLANCE_OUI, OnFeatureDialog<CCameraVLANOUISetting>)
    ON_COMMAND(ID_SURVEILLANCE_VLAN, OnFeatureDialog<CCameraVlanSetting>)
    ON_COMMAND(ID_GVRP_TIME, OnFeatureDialog<CGVRPTime>)
    ON_COMMAND(ID_GVRP_SETTINGS, OnFeatureDialog<CGVRPSettings>)
    ON_COMMAND(ID_STATIC_MAC, OnFeatureDialog<CStaticMACDlg>)
    ON_COMMAND(ID_IGMP_SNOOPING, OnFeatureDialog<CIGMPSnoopConfig>)
    ON_COMMAND(ID_LOOPBACK_DETECTION, OnFeatureDialog<CLoopbackDetection>)
    ON_COMMAND(ID_POWER_SAVING, OnFeatureDialog<CPowerSaveDlg>)
    ON_COMMAND(ID_8021X_GLOBAL, OnFeatureDialog<C8021XGlobalDlg>)
    ON_COMMAND(ID_8021X_PORT_SETTINGS, OnFeatureDialog<C8021XPortSettings>)
    ON_COMMAND(ID_8021X_USER, OnFeatureDialog<C8021XUserDLG>)
    ON_COMMAND(ID_8021X_RADIUS, OnFeatureDialog<C8021XAuRadiusServerDLG>)
    ON_COMMAND(ID_STORM_CONTROL, OnFeatureDialog<CStormControlDlg>)
    ON_COMMAND(ID_TRAFFIC_SEGMENTATION, OnFeatureDialog<CTrafficSegDlg>)
    ON_COMMAND(ID_PORT_MIRRORING, OnFeatureDialog<CPortMirroringdlg>)
    ON_COMMAND(ID_BANDWIDTH_CONTROL, OnFeatureDialog<CBandWidthControlDlg>)
    ON_COMMAND(ID_WHITE_LIST, OnFeatureDialog<CIMPBWhiteList>)
    ON_COMMAND(ID_BLACK_LIST, OnFeatureDialog<CIMPBBlackList>)
    ON_COMMAND(ID_SMART_BINDING, OnFeatureDialog<CIMPBSmartBinding>)
    ON_COMMAND(ID_SMART_BINDING_SETTINGS, OnFeatureDialog<CSmartBindingSettings>)
    ON_COMMAND(ID_TIME_PROFILE, OnFeatureDialog<CTimeProfileInfo>)
    ON_COMMAND(ID_POE_GLOBAL, OnFeatureDialog<CPOEGlobal>)
    ON_COMMAND(ID_MANAGEMENT_VLAN, OnFeatureDialog<CManagVlanSetDlg>)
    ON_COMMAND_RANGE(ID_NO_ACTION_FIRST, ID_NO_ACTION_LAST, OnNoActionRange)
END_MESSAGE_MAP()

CKorvelModuleDlg::CKorvelModuleDlg(CWnd* pParent)
    : CBitmapDialog(IDD_KORVELMODULE_DIALOG, pParent), m_pStatus(std::make_shared<CPanelStatus>()),
      m_bFeatureDialogOpen(m_pStatus->m_bFeatureDialogOpen), m_pPortStates(m_pStatus->m_pPortStates),
      m_bLinkLedMode(m_pStatus->m_bLinkLedMode), m_bPoeLimitLamp(m_pStatus->m_bPoeLimitLamp),
      m_strFanStatus(m_pStatus->m_strFanStatus), m_bDeviceReachable(m_pStatus->m_bDeviceReachable),
      m_LedState(m_pStatus->m_LedState), m_strProfilePath(CDeviceProfile::ProfilePath())
{
    m_hIcon = LoadIconResource(IDI_MODULE);
    // The bitmap cache, with a hidden window of its own.
    m_pBitmapCache = std::make_unique<CMyBitmapApp>();
    m_pBitmapCache->ResetLedPositions();
    m_pBitmapCache->Create(IDD_ABOUTBOX, nullptr);
    g_pBitmapCache = m_pBitmapCache.get();
}

CKorvelModuleDlg::~CKorvelModuleDlg()
{
    // DestroyWindow has done this unless the window was never destroyed.
    EndPolling();
    if (g_pBitmapCache == m_pBitmapCache.get())
        g_pBitmapCache = nullptr;
    m_pBitmapCache->DestroyWindow();
}

void CKorvelModuleDlg::DoDataExchange(CDataExchange* pDX)
{
    CBitmapDialog::DoDataExchange(pDX);
}

bool CKorvelModuleDlg::ReadDeviceProfile()
{
    // Values the profile does not reach keep what they had.
    CDeviceProfile profile;
    profile.m_strModelName = m_strModelName;
    profile.m_bPoeModel = m_bPoeModel != 0;
    profile.m_nPortCount = m_nPortCount;
    profile.m_nComboPortCount = m_nComboPortCount;
    profile.m_nComboPortIndex = m_nComboPortIndex;
    profile.m_strXmlName = m_strXmlName;
    const bool read = profile.ReadDeviceProfile(m_strProfilePath, this);
    m_strModelName = profile.m_strModelName;
    m_bPoeModel = profile.m_bPoeModel ? 1 : 0;
    m_nPortCount = profile.m_nPortCount;
    m_nComboPortCount = profile.m_nComboPortCount;
    m_nComboPortIndex = profile.m_nComboPortIndex;
    m_strXmlName = profile.m_strXmlName;
    return read;
}

BOOL CKorvelModuleDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CBitmapDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    {
        std::lock_guard lock(LedLock());
        m_bLinkLedMode = 1;
        m_bPoeLimitLamp = 0;
        m_strFanStatus.assign(1, '1'); // fan in order
    }
    // Without a profile or a panel there is nothing to show or poll: the
    // user is told, and the module ends before its window shows.
    if (!ReadDeviceProfile()) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    if (!CDeviceProfile::StaysInFolder(m_strXmlName) || !LoadPanelFromXml(m_strXmlName)) {
        MessageBox("Cannot read the panel description \"" + m_strXmlName + "\" !");
        EndDialog(IDCANCEL);
        return FALSE;
    }
    // Every port state 0, every LED not drawn.
    m_pStatus->SetProfile(m_bPoeModel != 0, m_nPortCount, g_nPoePortCount, m_nComboPortCount, m_nComboPortIndex);
    SetWindowText(m_strModelName + ": " + g_strDeviceIP);
    PrepareMenus();

    // The pointer over the panel's parts: the hand over ports and console-type
    // parts.
    CVirtualDev::SetCursorAction([this](PartCursor cursor) { m_bHandCursor = cursor == PartCursor::Hand; });
    // A click on a port opens the port configuration over the running panel.
    CPort::SetClickAction([this](CPort&) { OnPlainDialog<CPortSetInfo>(); });

    m_pDC = GetDC();
    for (UINT id : kPreloadedBitmaps)
        m_pBitmapCache->LoadBitmap(m_pDC, id);

    // The status polling.
    m_pStatus->Attach(this, &m_root);
    if (m_bPolling) {
        m_pPanelThread = std::make_shared<CPanelDeviceThread>();
        m_pPanelThread->SetOwner(m_pStatus);
        if (!m_pPanelThread->CreateThread())
            m_pPanelThread.reset();
    }
    return TRUE;
}

void CKorvelModuleDlg::PrepareMenus()
{
    const std::string about = "About " + m_strModelName;
    if (CMenu* menu = GetMenu()) {
        if (CMenu* aboutPopup = menu->GetSubMenu(kAboutPopup))
            aboutPopup->ModifyMenu(0, MF_BYPOSITION | MF_STRING, ID_APP_ABOUT, about);
        if (CMenu* deviceManager = menu->GetSubMenu(kDeviceManagerPopup)) {
            if (CDeviceProfile::IsFastEthernetModel(m_strModelName))
                deviceManager->DeleteMenu(ID_JUMBO_FRAME, MF_BYCOMMAND);
            if (!CDeviceProfile::IsPoeModel(m_strModelName)) {
                for (UINT id : kPoeCommands)
                    deviceManager->DeleteMenu(id, MF_BYCOMMAND);
                deviceManager->DeleteMenu(kPoePopup, MF_BYPOSITION);
            }
        }
        GrayCommandsWithoutHandler(menu);
    }
    // This platform shows the system menu as the panel's context menu.
    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        systemMenu->AppendMenu(MF_SEPARATOR);
        systemMenu->AppendMenu(MF_STRING, IDM_SYS_ABOUT, about + "  Module");
    }
}

void CKorvelModuleDlg::GrayCommandsWithoutHandler(CMenu* menu)
{
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        if (CMenu* popup = menu->GetSubMenu(i)) {
            GrayCommandsWithoutHandler(popup);
            continue;
        }
        const UINT id = menu->GetMenuItemID(i);
        if (id != 0 && !HandlesCommand(id))
            menu->EnableMenuItem(i, MF_BYPOSITION | MF_GRAYED);
    }
}

LRESULT CKorvelModuleDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_uInstanceMsg && g_uInstanceMsg != 0) {
        // While a dialog runs over the main window, that dialog comes
        // forward; the main window stays as the dialog left it.
        if (CWnd* pPopup = GetLastActivePopup(); pPopup != this) {
            pPopup->SetForegroundWindow();
            return CBitmapDialog::DefWindowProc(message, wParam, lParam);
        }
        // Raised above every window but left an ordinary one.
        ShowWindow(SW_SHOWNORMAL);
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow();
    }
    return CBitmapDialog::DefWindowProc(message, wParam, lParam);
}

BOOL CKorvelModuleDlg::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // While a dialog or a question runs over the main window, the window is
    // disabled: a command that reaches it then (one queued before the dialog
    // came up) starts nothing.
    if (!IsWindowEnabled())
        return TRUE;
    return CBitmapDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
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
    if (!m_pPanelThread)
        return;
    m_pPanelThread->Stop(kPollingStopMs);
    m_pPanelThread.reset();
}

void CKorvelModuleDlg::EndPolling()
{
    if (m_bPollingEnded)
        return;
    m_bPollingEnded = true;
    StopPanelThread();
    // Closed sessions forget their requests: late walk replies are dropped.
    // From here on neither the polling nor a walk touches the window.
    m_pStatus->End();
    CPort::SetClickAction({});
    CVirtualDev::SetCursorAction({});
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
    // Also when the dialog was ended without one of its close paths.
    EndPolling();
    m_cCommonSNMPset.Close();
    OutputDebugString("==================m_cCommonSNMPset.Close===============");
    {
        std::lock_guard lock(LedLock());
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
// Commands that act at once

bool CKorvelModuleDlg::Ask(const std::string& strQuestion) const
{
    return MessageBox(strQuestion, std::string(), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

void CKorvelModuleDlg::OnTelnet()
{
    if (!Ask("Do you want to TELNET this device?"))
        return;
    // A Telnet that cannot be started is not reported.
    CUtils::StartTelnet();
}

void CKorvelModuleDlg::OnWeb()
{
    if (!Ask("Do you want to access this device with browser?"))
        return;
    if (CUtils::GetBrowserPath().empty()) {
        MessageBox("Failed to get IE path !");
        return;
    }
    CUtils::StartBrowser();
}

void CKorvelModuleDlg::OnSaveConfiguration()
{
    if (!Ask("Do you want to save the configuration?"))
        return;
    m_cCommonSNMPset.Open(SnmpPduSet);
    m_cCommonSNMPset.AddValue(kSaveConfiguration, SnmpValueInteger, "1");
    std::unique_ptr<CSnmp> pResponse;
    const int nStatus = m_cCommonSNMPset.send(pResponse, kSaveTimeoutMs);
    // A reply that refuses the write is no success.
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (pResponse)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    const bool bSaved = nStatus == 0 && pResponse && nErrorStatus == 0;
    MessageBox(bSaved ? "           Success!           " : "           Failed!            ");
}

void CKorvelModuleDlg::OnReboot()
{
    if (!Ask("Do you want to reboot the device?"))
        return;
    CResetDevice reset;
    if (reset.CanReboot())
        reset.Reboot();
    else
        MessageBox("FW upgrade/backup or config backup/restore is already progressing. ");
}

void CKorvelModuleDlg::OnNoAction() {}

void CKorvelModuleDlg::OnNoActionRange(UINT /*nID*/) {}

// ---------------------------------------------------------------------------
// What the polling asks of the window

void CKorvelModuleDlg::ResetPortLeds()
{
    CBitmapDialog::ResetPortLeds();
}

void CKorvelModuleDlg::InvalidatePanel()
{
    Invalidate();
}

void CKorvelModuleDlg::ArmBlinkTimer()
{
    SetTimer(IDT_LED_BLINK, kBlinkMs);
}

// ---------------------------------------------------------------------------
// Painting

void CKorvelModuleDlg::OnPaint()
{
    CBitmapDialog::OnPaint();
    std::lock_guard lock(LedLock());
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
    std::lock_guard lock(LedLock());
    DrawCached(static_cast<UINT>(lParam), m_ptLed.x, m_ptLed.y);
    return 0;
}

void CKorvelModuleDlg::DrawLedBitmap(CPoint point, UINT id)
{
    std::lock_guard lock(LedLock());
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
    return CPanelStatus::GetLedPosition(m_root, portPart, point);
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
