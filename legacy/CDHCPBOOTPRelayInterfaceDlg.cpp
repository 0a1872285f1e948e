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
    m_readReport.Begin();
    m_arrWalkServers.clear();
    m_cLogic.StartInterfaceWalk();
}

LRESULT CDHCPBOOTPRelayInterfaceDlg::OnRelayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CDHCPBootpLogic::kNotifyServerEnd) {
        if (lParam == 0) {
            // The list keeps the last complete read.
            m_readReport.Fail("the relay server list", m_bListRead);
            return 0;
        }
        m_bListRead = true;
        m_arrServers = m_arrWalkServers;
        m_listServers.DeleteAllItems();
        for (std::size_t nRow = 0; nRow < m_arrServers.size(); ++nRow) {
            m_listServers.SetOrInsertItemText(static_cast<int>(nRow), 0, "System");
            m_listServers.SetOrInsertItemText(static_cast<int>(nRow), 1, m_arrServers[nRow].c_str());
        }
        return 0;
    }
    if (wParam != CDHCPBootpLogic::kNotifyServer || lParam == 0)
        return 0;
    const auto& row = *reinterpret_cast<const DHCP_relay_server_info*>(lParam);
    if (row.strRowStatus == "1")
        m_arrWalkServers.push_back(row.strServer);
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
    CWriteReport report;
    const std::string strWhat = "the relay server " + strAddress;
    if (m_cLogic.SetInterfaceServer(strAddress, "5", report, strWhat)) {
        Sleep(50);
        if (!m_cLogic.SetInterfaceServer(strAddress, "1", report, strWhat))
            report.SetProgress("Its row was created but is not in service.");
    }
    if (!report.Report())
        OnRefresh();
}

void CDHCPBOOTPRelayInterfaceDlg::OnDelete()
{
    const int nRow = m_listServers.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the server to delete", MB_OK);
        return;
    }
    if (nRow >= static_cast<int>(m_arrServers.size()))
        return;
    // The row is known by the address of its own index, as listed.
    const std::string strAddress = m_arrServers[static_cast<std::size_t>(nRow)];
    CWriteReport report;
    m_cLogic.SetInterfaceServer(strAddress, "6", report, "the deletion of relay server " + strAddress);
    if (!report.Report())
        OnRefresh();
}

void CDHCPBOOTPRelayInterfaceDlg::OnClose()
{
    EndDialog(IDCANCEL);
}
