#include "legacy/CDHCPBOOTPRelayInterfaceDlg.h"

#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"
#include "resources/main.h"

#include <algorithm>

namespace {

constexpr int kMaxRelayServers = 4;

} // namespace

BEGIN_MESSAGE_MAP(CDHCPBOOTPRelayInterfaceDlg, CDialog)
    ON_BN_CLICKED(IDC_DHCPRI_APPLY, OnApply)
    ON_BN_CLICKED(IDC_DHCPRI_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DHCPRI_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_DHCPRI_DELETE, OnDelete)
    ON_MESSAGE(WM_DHCP_RELAY_NOTIFY, OnRelayNotify)
END_MESSAGE_MAP()

CDHCPBOOTPRelayInterfaceDlg::CDHCPBOOTPRelayInterfaceDlg(CWnd* pParent) : CDialog(IDD_DHCP_RELAY_INTERFACE, pParent)
{
}

CDHCPBOOTPRelayInterfaceDlg::~CDHCPBOOTPRelayInterfaceDlg() = default;

BOOL CDHCPBOOTPRelayInterfaceDlg::DestroyWindow()
{
    // Late rows of a running walk are dropped.
    m_cLogic.m_cSnmpWalk.Close();
    return CDialog::DestroyWindow();
}

void CDHCPBOOTPRelayInterfaceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DHCPRI_INTERFACE, m_editInterface);
    DDX_Control(pDX, IDC_DHCPRI_SERVER, m_ipServer);
    DDX_Control(pDX, IDC_DHCPRI_LIST, m_listServers);
}

BOOL CDHCPBOOTPRelayInterfaceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_listServers.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_listServers.InsertColumn(0, "Interface", LVCFMT_LEFT, 80);
    m_listServers.InsertColumn(1, "Server", LVCFMT_LEFT, 120);
    m_editInterface.SetWindowText("System");
    m_cLogic.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CDHCPBOOTPRelayInterfaceDlg::OnRefresh()
{
    m_listServers.DeleteAllItems();
    m_arrServers.clear();
    m_cLogic.StartInterfaceWalk();
}

LRESULT CDHCPBOOTPRelayInterfaceDlg::OnRelayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != CDHCPBootpLogic::kNotifyServer || lParam == 0)
        return 0;
    const auto& row = *reinterpret_cast<const DHCP_relay_server_info*>(lParam);
    if (row.strRowStatus != "1")
        return 0;
    const int nRow = m_listServers.GetItemCount();
    m_listServers.SetOrInsertItemText(nRow, 0, row.strInterface.c_str());
    m_listServers.SetOrInsertItemText(nRow, 1, row.strServer.c_str());
    m_arrServers.push_back(row.strServer);
    return 0;
}

void CDHCPBOOTPRelayInterfaceDlg::OnApply()
{
    BYTE f0 = 0, f1 = 0, f2 = 0, f3 = 0;
    m_ipServer.GetAddress(f0, f1, f2, f3);
    const std::string strAddress =
        std::to_string(f0) + "." + std::to_string(f1) + "." + std::to_string(f2) + "." + std::to_string(f3);
    if (m_listServers.GetItemCount() >= kMaxRelayServers) {
        AfxMessageBox("Maximum number of servers(4) has been reached.", MB_OK);
        return;
    }
    if (std::find(m_arrServers.begin(), m_arrServers.end(), strAddress) != m_arrServers.end()) {
        AfxMessageBox("Server IP Already Exist. ", MB_OK);
        return;
    }
    if (!m_cLogic.SetInterfaceServer(strAddress, "5"))
        return;
    Sleep(50);
    if (m_cLogic.SetInterfaceServer(strAddress, "1"))
        OnRefresh();
}

void CDHCPBOOTPRelayInterfaceDlg::OnDelete()
{
    const int nRow = m_listServers.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the server to delete", MB_OK);
        return;
    }
    if (m_cLogic.SetInterfaceServer(m_listServers.GetItemText(nRow, 1), "6"))
        OnRefresh();
}

void CDHCPBOOTPRelayInterfaceDlg::OnClose()
{
    EndDialog(IDCANCEL);
}
