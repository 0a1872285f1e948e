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
    EnableWindow(FALSE);
    m_listVlans.DeleteAllItems();
    m_cbVid.ResetContent();
    GetDlgItem(IDC_DHCPLR_REFRESH)->EnableWindow(FALSE);
    m_cLogic.ReadLocalRelay();
}

LRESULT CDHCPLocalRelayDlg::OnRelayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CDHCPBootpLogic::kNotifyLocalGlobal) {
        const char* pszState = reinterpret_cast<const char*>(lParam);
        m_bGlobalRead = pszState != nullptr;
        m_chkEnable.SetCheck(pszState != nullptr && std::string(pszState) == "1" ? BST_CHECKED : BST_UNCHECKED);
    } else if (wParam == CDHCPBootpLogic::kNotifyLocalRow && lParam != 0) {
        const auto& row = *reinterpret_cast<const DHCP_local_relay_info*>(lParam);
        if (row.strRowStatus != "1")
            return 0;
        const int nRow = m_listVlans.GetItemCount();
        m_listVlans.SetOrInsertItemText(nRow, 0, row.strVlanId.c_str());
        m_listVlans.SetOrInsertItemText(nRow, 1, row.strVlanName.c_str());
        m_listVlans.SetOrInsertItemText(nRow, 2, row.strState == "1" ? "Enabled" : "Disabled");
        m_cbVid.AddString(row.strVlanId);
        if (nRow == 0) {
            m_cbVid.SetCurSel(0);
            m_editVlanName.SetWindowText(row.strVlanName);
            m_cbState.SetCurSel(row.strState == "1" ? 0 : 1);
        }
    } else if (wParam == CDHCPBootpLogic::kNotifyLocalEnd) {
        GetDlgItem(IDC_DHCPLR_REFRESH)->EnableWindow(TRUE);
        EnableWindow(TRUE);
    }
    return 0;
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
            m_editVlanName.SetWindowText(m_listVlans.GetItemText(nRow, 1));
            m_cbState.SetCurSel(m_listVlans.GetItemText(nRow, 2) == "Disabled" ? 1 : 0);
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
    if (m_cLogic.SetLocalRelayGlobal(m_chkEnable.GetCheck() == BST_CHECKED ? "1" : "2"))
        OnRefresh();
}

void CDHCPLocalRelayDlg::OnApplyVlan()
{
    std::string strVid;
    m_cbVid.GetWindowText(strVid);
    if (strVid.empty())
        return;
    if (m_cLogic.SetLocalRelayVlan(strVid, m_cbState.GetCurSel() == 0 ? "1" : "2"))
        OnRefresh();
}
