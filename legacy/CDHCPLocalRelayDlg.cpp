#include "legacy/CDHCPLocalRelayDlg.h"

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"
#include "resources/main.h"

BEGIN_MESSAGE_MAP(CDHCPLocalRelayDlg, CDialog)
    ON_BN_CLICKED(IDC_DHCPLR_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DHCPLR_APPLY_GLOBAL, OnApplyGlobal)
    ON_BN_CLICKED(IDC_DHCPLR_APPLY_VLAN, OnApplyVlan)
    ON_CBN_SELCHANGE(IDC_DHCPLR_VID, OnVidChange)
    ON_MESSAGE(WM_DHCP_RELAY_NOTIFY, OnRelayNotify)
END_MESSAGE_MAP()

CDHCPLocalRelayDlg::CDHCPLocalRelayDlg(CWnd* pParent) : CDialog(IDD_DHCP_LOCAL_RELAY, pParent) {}

CDHCPLocalRelayDlg::~CDHCPLocalRelayDlg() = default;

BOOL CDHCPLocalRelayDlg::DestroyWindow()
{
    m_cLogic.m_cSnmpWalk.Close();
    return CDialog::DestroyWindow();
}

void CDHCPLocalRelayDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DHCPLR_LIST, m_listVlans);
    DDX_Control(pDX, IDC_DHCPLR_VLAN_NAME, m_editVlanName);
    DDX_Control(pDX, IDC_DHCPLR_STATE, m_cbState);
    DDX_Control(pDX, IDC_DHCPLR_VID, m_cbVid);
    DDX_Control(pDX, IDC_DHCPLR_ENABLE, m_chkEnable);
}

BOOL CDHCPLocalRelayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_listVlans.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_listVlans.InsertColumn(0, "VLAN ID", LVCFMT_LEFT, 80);
    m_listVlans.InsertColumn(1, "VLAN name", LVCFMT_LEFT, 120);
    m_listVlans.InsertColumn(2, "State", LVCFMT_LEFT, 80);
    m_cbState.AddString("Enabled");
    m_cbState.AddString("Disabled");
    m_editVlanName.EnableWindow(FALSE);
    m_cLogic.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CDHCPLocalRelayDlg::OnRefresh()
{
    m_readReport.Begin();
    EnableWindow(FALSE);
    GetDlgItem(IDC_DHCPLR_REFRESH)->EnableWindow(FALSE);
    m_walkRows.clear();
    // However the read ends (a walk that cannot start included), its end
    // notification brings the window back.
    m_cLogic.ReadLocalRelay();
}

LRESULT CDHCPLocalRelayDlg::OnRelayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CDHCPBootpLogic::kNotifyLocalGlobal) {
        // An unread state (or one outside its set) leaves the box unchecked
        // and Apply refused; a failed read keeps what the box showed.
        const char* pszState = reinterpret_cast<const char*>(lParam);
        if (pszState != nullptr || !m_bGlobalRead)
            m_chkEnable.SetCheck(pszState != nullptr && std::string(pszState) == "1" ? BST_CHECKED : BST_UNCHECKED);
        m_bGlobalRead = pszState != nullptr;
    } else if (wParam == CDHCPBootpLogic::kNotifyLocalRow && lParam != 0) {
        const auto& row = *reinterpret_cast<const DHCP_local_relay_info*>(lParam);
        if (row.strRowStatus == "1")
            m_walkRows.push_back(row);
    } else if (wParam == CDHCPBootpLogic::kNotifyLocalEnd) {
        if (lParam != 0)
            ShowRows();
        GetDlgItem(IDC_DHCPLR_REFRESH)->EnableWindow(TRUE);
        EnableWindow(TRUE);
        if (lParam == 0)
            m_readReport.Fail("the DHCP local relay list", m_bListRead);
    }
    return 0;
}

void CDHCPLocalRelayDlg::ShowRows()
{
    m_bListRead = true;
    m_listVlans.DeleteAllItems();
    m_cbVid.ResetContent();
    m_editVlanName.SetWindowText("");
    m_cbState.SetCurSel(-1);
    for (std::size_t i = 0; i < m_walkRows.size(); ++i) {
        const DHCP_local_relay_info& row = m_walkRows[i];
        const int nRow = static_cast<int>(i);
        m_listVlans.SetOrInsertItemText(nRow, 0, row.strVlanId.c_str());
        m_listVlans.SetOrInsertItemText(nRow, 1, row.strVlanName.c_str());
        m_listVlans.SetOrInsertItemText(nRow, 2, StateWord(row.strState));
        m_cbVid.AddString(row.strVlanId);
    }
    if (!m_walkRows.empty()) {
        m_cbVid.SetCurSel(0);
        OnVidChange();
    }
}

const char* CDHCPLocalRelayDlg::StateWord(const std::string& strState)
{
    // A state outside its set is unknown: shown empty.
    return strState == "1" ? "Enabled" : strState == "2" ? "Disabled" : "";
}

void CDHCPLocalRelayDlg::OnVidChange()
{
    std::string strVid;
    const int nSel = m_cbVid.GetCurSel();
    if (nSel < 0)
        return;
    m_cbVid.GetLBText(nSel, strVid);
    for (int nRow = 0; nRow < m_listVlans.GetItemCount(); ++nRow) {
        if (m_listVlans.GetItemText(nRow, 0) == strVid) {
            const std::string strState = m_listVlans.GetItemText(nRow, 2);
            m_editVlanName.SetWindowText(m_listVlans.GetItemText(nRow, 1));
            m_cbState.SetCurSel(strState == "Enabled" ? 0 : strState == "Disabled" ? 1 : -1);
            break;
        }
    }
}

void CDHCPLocalRelayDlg::OnApplyGlobal()
{
    if (!m_bGlobalRead) {
        AfxMessageBox("The settings could not be read from the switch. Press Refresh and try again.", MB_OK);
        return;
    }
    CWriteReport report;
    m_cLogic.SetLocalRelayGlobal(m_chkEnable.GetCheck() == BST_CHECKED ? "1" : "2", report);
    if (!report.Report())
        OnRefresh();
}

void CDHCPLocalRelayDlg::OnApplyVlan()
{
    std::string strVid;
    m_cbVid.GetWindowText(strVid);
    if (strVid.empty())
        return;
    if (m_cbState.GetCurSel() < 0) {
        // The VLAN's state was not read as one of its values.
        CReadReport::RefuseUnread("the DHCP local relay state of VLAN " + strVid);
        return;
    }
    CWriteReport report;
    m_cLogic.SetLocalRelayVlan(strVid, m_cbState.GetCurSel() == 0 ? "1" : "2", report);
    if (!report.Report())
        OnRefresh();
}
