#include "legacy/CDHCPBOOTPRelayGlobalDlg.h"

#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"
#include "resources/main.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

const char* const kUnreadText = "The settings could not be read from the switch. Press Refresh and try again.";

int RelayNumber(const std::string& text)
{
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

} // namespace

BEGIN_MESSAGE_MAP(CDHCPBOOTPRelayGlobalDlg, CDialog)
    ON_BN_CLICKED(IDC_DHCPR_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DHCPR_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_DHCPR_REMOTE_ID_TYPE, OnRemoteIdTypeChange)
    ON_MESSAGE(WM_DHCP_RELAY_NOTIFY, OnRelayNotify)
END_MESSAGE_MAP()

CDHCPBOOTPRelayGlobalDlg::CDHCPBOOTPRelayGlobalDlg(CWnd* pParent) : CDialog(IDD_DHCP_RELAY_GLOBAL, pParent) {}

CDHCPBOOTPRelayGlobalDlg::~CDHCPBOOTPRelayGlobalDlg() = default;

void CDHCPBOOTPRelayGlobalDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DHCPR_HOPS, m_editHops);
    DDX_Control(pDX, IDC_DHCPR_THRESHOLD, m_editThreshold);
    DDX_Control(pDX, IDC_DHCPR_REMOTE_ID, m_editRemoteID);
    DDX_Control(pDX, IDC_DHCPR_OPTION82_STATE, m_cbOption82State);
    DDX_Control(pDX, IDC_DHCPR_REMOTE_ID_TYPE, m_cbRemoteIDType);
    DDX_Control(pDX, IDC_DHCPR_RELAY_STATE, m_cbRelayState);
    DDX_Control(pDX, IDC_DHCPR_POLICY, m_cbPolicy);
    DDX_Control(pDX, IDC_DHCPR_CHECK, m_cbCheck);
}

BOOL CDHCPBOOTPRelayGlobalDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    for (CComboBox* box : {&m_cbRelayState, &m_cbOption82State, &m_cbCheck}) {
        box->AddString("Disabled");
        box->AddString("Enabled");
    }
    for (const char* entry : {"Replace", "Drop", "Keep"})
        m_cbPolicy.AddString(entry);
    m_cbRemoteIDType.AddString("Default");
    m_cbRemoteIDType.AddString("User Define");
    for (CComboBox* box : {&m_cbRelayState, &m_cbOption82State, &m_cbCheck, &m_cbPolicy, &m_cbRemoteIDType})
        box->SetCurSel(0);
    m_editRemoteID.SetLimitText(32);
    m_cLogic.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CDHCPBOOTPRelayGlobalDlg::OnRefresh()
{
    m_readReport.Begin();
    if (m_cLogic.GetGlobals())
        m_bRead = true;
    else
        m_readReport.Fail("the DHCP/BOOTP relay settings", m_bRead);
}

LRESULT CDHCPBOOTPRelayGlobalDlg::OnRelayNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam != CDHCPBootpLogic::kNotifyGlobals || lParam == 0)
        return 0;
    const auto& info = *reinterpret_cast<const DHCP_relay_global_info*>(lParam);
    // An unknown state (empty: outside its set) leaves no selection.
    const auto enabledItem = [](const std::string& state) { return state.empty() ? -1 : state == "1" ? 1 : 0; };
    m_cbRelayState.SetCurSel(enabledItem(info.strRelayState));
    m_editHops.SetWindowText(info.strHops);
    m_editThreshold.SetWindowText(info.strThreshold);
    m_cbOption82State.SetCurSel(enabledItem(info.strOption82State));
    m_cbOption82State.EnableWindow(FALSE);
    m_cbCheck.SetCurSel(enabledItem(info.strOption82Check));
    const int nPolicy = info.strOption82Policy.empty() ? 0 : RelayNumber(info.strOption82Policy);
    m_cbPolicy.SetCurSel(nPolicy >= 1 && nPolicy <= 3 ? nPolicy - 1 : -1);
    m_cbRemoteIDType.SetCurSel(info.strRemoteIdType.empty() ? -1 : info.strRemoteIdType == "1" ? 0 : 1);
    m_editRemoteID.EnableWindow(m_cbRemoteIDType.GetCurSel() != 0);
    m_editRemoteID.SetWindowText(info.strRemoteId);
    m_strRemoteIdRead = info.strRemoteId;
    m_editRemoteID.GetWindowText(m_strRemoteIdShown);
    return 0;
}

void CDHCPBOOTPRelayGlobalDlg::OnRemoteIdTypeChange()
{
    m_editRemoteID.EnableWindow(m_cbRemoteIDType.GetCurSel() != 0);
}

void CDHCPBOOTPRelayGlobalDlg::OnApply()
{
    if (!m_bRead) {
        AfxMessageBox(kUnreadText, MB_OK);
        return;
    }
    // A state the switch gave outside its set was never read.
    if (m_cbRelayState.GetCurSel() < 0 || m_cbCheck.GetCurSel() < 0 || m_cbRemoteIDType.GetCurSel() < 0) {
        AfxMessageBox(kUnreadText, MB_OK);
        return;
    }
    DHCP_relay_global_info info;
    info.strRelayState = m_cbRelayState.GetCurSel() == 1 ? "1" : "2";
    m_editHops.GetWindowText(info.strHops);
    const int nHops = RelayNumber(info.strHops);
    if (nHops < 1 || nHops > 16) {
        AfxMessageBox("BOOTP Relay Hops Count Limit rang is 1-16", MB_OK);
        return;
    }
    info.strHops = std::to_string(nHops);
    m_editThreshold.GetWindowText(info.strThreshold);
    const int nThreshold = RelayNumber(info.strThreshold);
    if (nThreshold < 0 || nThreshold > 65535) {
        AfxMessageBox("BOOTP Relay Time Threshold is 0-65535 ", MB_OK);
        return;
    }
    // The switch gets the numbers checked (an empty threshold is 0).
    info.strThreshold = std::to_string(nThreshold);
    info.strOption82Check = m_cbCheck.GetCurSel() == 1 ? "1" : "2";
    const int nPolicy = m_cbPolicy.GetCurSel();
    if (nPolicy < 0) {
        AfxMessageBox("Please select the DHCP Relay Agent Information Option 82 Policy.", MB_OK);
        return;
    }
    info.strOption82Policy = std::to_string(nPolicy + 1);
    info.strRemoteIdType = m_cbRemoteIDType.GetCurSel() == 0 ? "1" : "2";
    m_editRemoteID.GetWindowText(info.strRemoteId);
    // An unedited remote ID goes back as the bytes it was read as, not as
    // the edit's version of them.
    if (info.strRemoteId == m_strRemoteIdShown)
        info.strRemoteId = m_strRemoteIdRead;
    CWriteReport report;
    m_cLogic.SetGlobals(info, report);
    if (!report.Report())
        OnRefresh();
}
