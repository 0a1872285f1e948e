#include "features/ports_vlans/CGVRPTime.h"

#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

BEGIN_MESSAGE_MAP(CGVRPTime, CDialog)
    ON_BN_CLICKED(IDC_GVRPTIME_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_GVRPTIME_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_GVRPTIME_APPLY, OnApply)
    ON_BN_CLICKED(IDC_GVRPTIME_ENABLED, OnEnabledClicked)
    ON_BN_CLICKED(IDC_GVRPTIME_DISABLED, OnDisabledClicked)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
END_MESSAGE_MAP()

CGVRPTime::CGVRPTime(CWnd* pParent) : CDialog(IDD_GVRP_TIME, pParent) {}

BOOL CGVRPTime::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_GVRPFunLogic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CGVRPTime::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GVRPTIME_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_GVRPTIME_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_GVRPTIME_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_GVRPTIME_LEAVEALL, m_editLeaveAll);
    DDX_Control(pDX, IDC_GVRPTIME_LEAVE, m_editLeave);
    DDX_Control(pDX, IDC_GVRPTIME_JOIN, m_editJoin);
    DDX_Control(pDX, IDC_GVRPTIME_ENABLED, m_radioEnabled);
}

BOOL CGVRPTime::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    OnRefresh();
    return TRUE;
}

void CGVRPTime::EnableTimerEdits(BOOL bEnable)
{
    m_editJoin.EnableWindow(bEnable);
    m_editLeave.EnableWindow(bEnable);
    m_editLeaveAll.EnableWindow(bEnable);
}

void CGVRPTime::EnableButtons(BOOL bEnable)
{
    m_btnRefresh.EnableWindow(bEnable);
    m_btnApply.EnableWindow(bEnable);
    m_btnClose.EnableWindow(bEnable);
}

void CGVRPTime::OnRefresh()
{
    // Without a state the switch can mean there is nothing to show or to
    // apply: only Refresh (and Close) stay.
    m_readReport.Begin();
    const int nStateRead = m_GVRPFunLogic.ReadState(m_strGvrpState);
    if (nStateRead != CGVRPFunLogic::kStateRead || m_strGvrpState.empty()) {
        m_strGvrpState.clear();
        CheckDlgButton(IDC_GVRPTIME_ENABLED, BST_UNCHECKED);
        CheckDlgButton(IDC_GVRPTIME_DISABLED, BST_UNCHECKED);
        EnableTimerEdits(FALSE);
        m_btnApply.EnableWindow(FALSE);
        m_btnRefresh.EnableWindow(TRUE);
        m_btnClose.EnableWindow(TRUE);
        if (nStateRead != CGVRPFunLogic::kStateRead)
            m_readReport.Fail("the GVRP settings");
        return;
    }
    const bool bEnabled = m_strGvrpState == "1";
    CheckDlgButton(IDC_GVRPTIME_ENABLED, bEnabled ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_GVRPTIME_DISABLED, bEnabled ? BST_UNCHECKED : BST_CHECKED);
    EnableTimerEdits(bEnabled ? TRUE : FALSE);

    if (m_GVRPFunLogic.SetHwnd(GetSafeHwnd())) {
        EnableButtons(FALSE);
        m_GVRPFunLogic.StartGlobalRead();
    }
}

void CGVRPTime::OnClose()
{
    OnCancel();
}

void CGVRPTime::OnApply()
{
    std::string strJoin;
    std::string strLeave;
    std::string strLeaveAll;
    m_editJoin.GetWindowText(strJoin);
    m_editLeave.GetWindowText(strLeave);
    m_editLeaveAll.GetWindowText(strLeaveAll);
    const std::string strNewState = m_radioEnabled.GetCheck() == BST_CHECKED ? "1" : "2";
    CWriteReport report;
    m_GVRPFunLogic.SetGlobal(m_strGvrpState, strNewState, strJoin, strLeave, strLeaveAll, &report);
    // A switch that did not answer is not asked again now.
    if (report.Report() && report.TimedOut())
        return;
    OnRefresh();
}

void CGVRPTime::OnEnabledClicked()
{
    EnableTimerEdits(TRUE);
}

void CGVRPTime::OnDisabledClicked()
{
    EnableTimerEdits(FALSE);
}

LRESULT CGVRPTime::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CGVRPFunLogic::kNotifyFailed) {
        m_readReport.Fail("the GVRP settings");
        return 0;
    }
    if (wParam == CGVRPFunLogic::kNotifyFinished) {
        // The read failed: nothing was shown, so nothing may be applied, but
        // the dialog can be read again or closed.
        m_btnRefresh.EnableWindow(TRUE);
        m_btnClose.EnableWindow(TRUE);
        return 0;
    }
    if (wParam != CGVRPFunLogic::kNotifyRow || lParam == 0)
        return 0;
    const auto* pInfo = reinterpret_cast<const GVRP_global_info*>(lParam);
    // The timers of a disabled GVRP are shown, not edited.
    if (pInfo->nEnabled != 1)
        EnableTimerEdits(FALSE);
    m_editJoin.SetWindowText(pInfo->strJoinTime);
    m_editLeave.SetWindowText(pInfo->strLeaveTime);
    m_editLeaveAll.SetWindowText(pInfo->strLeaveAllTime);
    m_btnClose.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
    // A state the switch cannot mean: shown as unknown, nothing to apply.
    if (pInfo->nEnabled < 0) {
        m_strGvrpState.clear();
        CheckDlgButton(IDC_GVRPTIME_ENABLED, BST_UNCHECKED);
        CheckDlgButton(IDC_GVRPTIME_DISABLED, BST_UNCHECKED);
        return 0;
    }
    m_btnApply.EnableWindow(TRUE);
    return 0;
}
