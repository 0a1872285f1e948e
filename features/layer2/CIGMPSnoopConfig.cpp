#include "features/layer2/CIGMPSnoopConfig.h"

#include "common/CWriteReport.h"

#include "features/layer2/CIGMPSnoopingVLANSetting.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/igmp.h"
#include "resources/main.h"

#include <climits>
#include <cstddef>

namespace {

// The fields in the order Apply checks them: the edit, the global it holds
// (index into IGMP_global_info), its range and its message.
struct FieldRule
{
    int nEditId;
    std::size_t nGlobal;
    int nLowest;
    int nHighest;
    const char* pszMessage;
};
constexpr FieldRule kFieldRules[] = {
    {IDC_IGMP_HOST_TIMEOUT, 2, 130, 153025, "Invalid Host Timeout (130-153025 sec)."},
    {IDC_IGMP_ROUTER_TIMEOUT, 1, 60, 600, "Invalid Router Timeout (60-600 sec)."},
    {IDC_IGMP_ROBUSTNESS, 3, 2, 255, "Invalid Robustness Variable (2-255)."},
    {IDC_IGMP_LAST_MEMBER, 4, 1, 25, "Invalid Last Member Query Interval (1-25 sec)."},
    {IDC_IGMP_QUERY_INTERVAL, 5, 60, 600, "Invalid Query Interval (60-600 sec)."},
    {IDC_IGMP_MAX_RESPONSE, 6, 10, 25, "Invalid Max. Response Time (10-25 sec)."},
};

} // namespace

BEGIN_MESSAGE_MAP(CIGMPSnoopConfig, CDialog)
    ON_BN_CLICKED(IDC_IGMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_IGMP_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_IGMP_VLAN_INFO, OnVlanInfo)
    ON_BN_CLICKED(IDC_IGMP_ENABLE, OnEnableClicked)
    ON_BN_CLICKED(IDCANCEL, OnClose)
    ON_MESSAGE(WM_IGMP_NOTIFY, OnIgmpNotify)
END_MESSAGE_MAP()

CIGMPSnoopConfig::CIGMPSnoopConfig(CWnd* pParent) : CDialog(IDD_IGMP_SNOOPING, pParent) {}

CIGMPSnoopConfig::~CIGMPSnoopConfig() = default;

BOOL CIGMPSnoopConfig::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CIGMPSnoopConfig::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IGMP_ENABLE, m_checkEnable);
    DDX_Control(pDX, IDC_IGMP_ROUTER_TIMEOUT, m_editRouterTimeout);
    DDX_Control(pDX, IDC_IGMP_ROBUSTNESS, m_editRobustness);
    DDX_Control(pDX, IDC_IGMP_QUERY_INTERVAL, m_editQueryInterval);
    DDX_Control(pDX, IDC_IGMP_MAX_RESPONSE, m_editMaxResponse);
    DDX_Control(pDX, IDC_IGMP_LAST_MEMBER, m_editLastMember);
    DDX_Control(pDX, IDC_IGMP_HOST_TIMEOUT, m_editHostTimeout);
}

BOOL CIGMPSnoopConfig::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_logic.m_hNotifyWnd = GetSafeHwnd();
    // Nothing to apply until the switch's settings have been read.
    GetDlgItem(IDC_IGMP_APPLY)->EnableWindow(FALSE);
    OnRefresh();
    return TRUE;
}

void CIGMPSnoopConfig::OnRefresh()
{
    m_readReport.Begin();
    ReadSettings();
}

void CIGMPSnoopConfig::ReadSettings()
{
    GetDlgItem(IDC_IGMP_REFRESH)->EnableWindow(FALSE);
    if (!m_logic.ReadGlobals()) {
        // The fields keep the last read; Refresh comes back.
        m_readReport.Fail("the IGMP snooping settings", m_bRead);
        GetDlgItem(IDC_IGMP_REFRESH)->EnableWindow(TRUE);
    }
}

LRESULT CIGMPSnoopConfig::OnIgmpNotify(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam != CIGMPSnoopingLogic::kNotifyGlobals)
        return 0;
    const IGMP_global_info& info = m_logic.m_globalInfo;
    m_bRead = true;
    const bool bEnabled = info.str[0] == "1";
    m_checkEnable.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_IGMP_REPORT_ALL, info.str[7] == "1" ? BST_CHECKED : BST_UNCHECKED);
    for (const FieldRule& rule : kFieldRules)
        SetDlgItemText(rule.nEditId, info.str[rule.nGlobal]);
    EnableFields(bEnabled ? TRUE : FALSE);
    GetDlgItem(IDC_IGMP_REFRESH)->EnableWindow(TRUE);
    // A state the switch cannot mean would have the box write a guess.
    GetDlgItem(IDC_IGMP_APPLY)->EnableWindow(bEnabled || info.str[0] == "2");
    return 0;
}

void CIGMPSnoopConfig::EnableFields(BOOL bEnable)
{
    for (CEdit* pEdit : {&m_editRouterTimeout, &m_editRobustness, &m_editQueryInterval, &m_editMaxResponse,
                         &m_editLastMember, &m_editHostTimeout})
        pEdit->EnableWindow(bEnable);
    GetDlgItem(IDC_IGMP_REPORT_ALL)->EnableWindow(bEnable);
}

void CIGMPSnoopConfig::OnEnableClicked()
{
    EnableFields(m_checkEnable.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

int CIGMPSnoopConfig::LeadingNumber(const std::string& strText)
{
    long long nValue = 0;
    for (char c : strText) {
        if (c < '0' || c > '9')
            break;
        nValue = nValue * 10 + (c - '0');
        if (nValue > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(nValue);
}

void CIGMPSnoopConfig::OnApply()
{
    if (!GetDlgItem(IDC_IGMP_APPLY)->IsWindowEnabled())
        return;
    IGMP_global_info newInfo;
    newInfo.str[0] = m_checkEnable.GetCheck() == BST_CHECKED ? "1" : "2";
    // A value the switch gave outside its set is not written over with a guess.
    const std::string& strOldReportAll = m_logic.m_globalInfo.str[7];
    newInfo.str[7] = strOldReportAll != "1" && strOldReportAll != "2"
                         ? strOldReportAll
                         : IsDlgButtonChecked(IDC_IGMP_REPORT_ALL) == BST_CHECKED ? "1" : "2";
    for (const FieldRule& rule : kFieldRules) {
        const std::string strText = GetDlgItem(rule.nEditId)->GetWindowText();
        const int nValue = LeadingNumber(strText);
        if (nValue < rule.nLowest || nValue > rule.nHighest) {
            AfxMessageBox(rule.pszMessage, MB_OK);
            return;
        }
        newInfo.str[rule.nGlobal] = strText;
    }
    if (newInfo.str[0] == "2" && AfxMessageBox("All router ports will be deleted.", MB_OKCANCEL) == IDCANCEL) {
        OnRefresh();
        return;
    }
    CWriteReport report;
    m_logic.WriteGlobals(m_logic.m_globalInfo, newInfo, &report);
    report.Report();
    // A silent switch is not asked again.
    if (!report.TimedOut())
        OnRefresh();
}

void CIGMPSnoopConfig::OnVlanInfo()
{
    CIGMPSnoopingVLANSetting vlanSettings;
    vlanSettings.m_strIgmpState = m_logic.m_globalInfo.str[0];
    vlanSettings.DoModal();
}

void CIGMPSnoopConfig::OnClose()
{
    OnCancel();
}
