#include "features/security/CDHCPServerScreenDlg.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/dhcp_screen.h"
#include "resources/main.h"

#include <algorithm>

namespace {

constexpr int kMaxServers = 5;

} // namespace

BEGIN_MESSAGE_MAP(CDHCPServerScreenDlg, CDialog)
    ON_BN_CLICKED(IDC_DHCP_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DHCP_PORTS_ADD, OnSetTrustedPorts)
    ON_BN_CLICKED(IDC_DHCP_SERVER_ADD, OnAddServer)
    ON_BN_CLICKED(IDC_DHCP_DELETE, OnDeleteServer)
    ON_BN_CLICKED(IDC_DHCP_CLOSE, OnClose)
    ON_MESSAGE(WM_DHCP_SCREEN_NOTIFY, OnServerNotify)
END_MESSAGE_MAP()

CDHCPServerScreenDlg::CDHCPServerScreenDlg(CWnd* pParent) : CDialog(IDD_DHCP_SCREEN, pParent) {}

BOOL CDHCPServerScreenDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_Logic.Stop();
    OutputDebugString("==================m_Logic.Stop===============");
    return CDialog::DestroyWindow();
}

void CDHCPServerScreenDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DHCP_SERVER_ADDRESS, m_editAddress);
    DDX_Control(pDX, IDC_DHCP_SERVER_LIST, m_listServers);
}

BOOL CDHCPServerScreenDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_Logic.SetHwnd(GetSafeHwnd());
    m_editAddress.m_bZoneAllowed = 0;
    m_listServers.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_listServers.InsertColumn(0, "Index", LVCFMT_LEFT, 150);
    m_listServers.InsertColumn(1, "IP Address", LVCFMT_LEFT, 450);
    OnRefresh();
    return TRUE;
}

void CDHCPServerScreenDlg::EnableServerButtons(BOOL bEnable)
{
    for (int id : {IDC_DHCP_DELETE, IDC_DHCP_REFRESH, IDC_DHCP_SERVER_ADD})
        GetDlgItem(id)->EnableWindow(bEnable);
}

void CDHCPServerScreenDlg::OnRefresh()
{
    // One new user action: opening, Refresh, the read after a write.
    m_readReport.Begin();
    const int nRead = m_Logic.GetTrustedPorts(m_strTrustedPorts);
    if (nRead != CDHCPServerLogic::kReadOk)
        m_readReport.Fail("the trusted ports", m_bPortsRead);
    m_bPortsRead = m_bPortsRead || nRead == CDHCPServerLogic::kReadOk;
    GetDlgItem(IDC_DHCP_TRUSTED_PORTS)->SetWindowText("");
    GetDlgItem(IDC_DHCP_TRUSTED_PORTS)->SetWindowText(m_strTrustedPorts);
    EnableServerButtons(FALSE);
    // A switch that did not answer is not walked as well: one time-out.
    if (nRead == CDHCPServerLogic::kReadSilent) {
        m_Logic.EndServerWalkUnread();
        return;
    }
    m_Logic.StartServerWalk();
    m_Logic.StartTrunkWalk();
}

LRESULT CDHCPServerScreenDlg::OnServerNotify(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam != CDHCPServerLogic::kNotifyFinished)
        return 0;
    // The list is replaced whole by a complete walk; a failed one keeps it.
    if (m_Logic.IsServerTableRead()) {
        m_listServers.DeleteAllItems();
        for (const DHCP_server_info& row : m_Logic.GetServerRows()) {
            if (row.strRowStatus != "1")
                continue;
            const int nRow = m_listServers.GetItemCount();
            m_listServers.SetOrInsertItemText(nRow, 0, row.strIndex.c_str());
            m_listServers.SetOrInsertItemText(nRow, 1, row.strAddress.c_str());
        }
        m_bListRead = true;
    } else {
        m_readReport.Fail("the server list", m_bListRead);
    }
    EnableServerButtons(TRUE);
    return 0;
}

void CDHCPServerScreenDlg::OnSetTrustedPorts()
{
    std::string strPorts;
    GetDlgItem(IDC_DHCP_TRUSTED_PORTS)->GetWindowText(strPorts);
    if (strPorts == m_strTrustedPorts)
        return;
    CWriteReport report;
    if (m_Logic.SetTrustedPorts(strPorts, report))
        OnRefresh();
    report.Report();
}

void CDHCPServerScreenDlg::OnAddServer()
{
    // The address is checked as it stands now: it is what would be written.
    m_editAddress.OnKillFocus(nullptr);
    if (m_editAddress.m_nStatus != 1) {
        AfxMessageBox("Invalid server IP address.", MB_OK);
        return;
    }
    // The new index must name no row the switch holds, listed or not: the
    // rows of a walk that did not complete are unknown.
    if (!m_Logic.IsServerTableRead()) {
        AfxMessageBox("The server table could not be read from the switch. Press Refresh and try again.", MB_OK);
        return;
    }
    const std::vector<DHCP_server_info> rows = m_Logic.GetServerRows();
    int nIndex = 0;
    for (int i = 1; i <= kMaxServers && nIndex == 0; ++i) {
        if (std::none_of(rows.begin(), rows.end(), [i](const auto& row) { return row.strIndex == std::to_string(i); }))
            nIndex = i;
    }
    if (nIndex == 0) {
        AfxMessageBox("The maximum entries is 5.", MB_OK);
        return;
    }
    std::string strAddress;
    m_editAddress.GetWindowText(strAddress);
    if (m_editAddress.m_strAddrType == "2")
        strAddress = CUtils::CompressIPv6(CUtils::ExpandIPv6(m_editAddress.m_strAddress));
    for (int nRow = 0; nRow < m_listServers.GetItemCount(); ++nRow) {
        if (m_listServers.GetItemText(nRow, 1) == strAddress) {
            AfxMessageBox("Duplicate server IP address.", MB_OK);
            return;
        }
    }
    m_Logic.SetAddressEdit(&m_editAddress);
    CWriteReport report;
    if (m_Logic.SetServerRow(std::to_string(nIndex), strAddress, CDHCPServerLogic::kAddRow, report))
        OnRefresh();
    report.Report();
}

void CDHCPServerScreenDlg::OnDeleteServer()
{
    const int nRow = m_listServers.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the entry to delete.", MB_OK);
        return;
    }
    CWriteReport report;
    if (m_Logic.SetServerRow(m_listServers.GetItemText(nRow, 0), "", CDHCPServerLogic::kDeleteRow, report))
        OnRefresh();
    report.Report();
}

void CDHCPServerScreenDlg::OnClose()
{
    EndDialog(IDCANCEL);
}
