#include "features/agent_tools/CSNMPGlobal.h"

#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

BEGIN_MESSAGE_MAP(CSNMPGlobal, CDialog)
    ON_WM_COPYDATA()
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_CANCEL, OnCancel)
END_MESSAGE_MAP()

CSNMPGlobal::CSNMPGlobal(CWnd* pParent) : CDialog(IDD_SNMP_GLOBAL, pParent) {}

CSNMPGlobal::~CSNMPGlobal() = default;

BOOL CSNMPGlobal::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPGlobal::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_GLOBAL_STATE, m_checkState);
}

BOOL CSNMPGlobal::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    // Nothing to apply until the switch has told its state.
    GetDlgItem(IDC_SNMP_APPLY)->EnableWindow(FALSE);
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    m_readReport.Begin();
    m_cSNMPConfig.GetAgentState();
    return TRUE;
}

BOOL CSNMPGlobal::OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)
{
    const ULONG_PTR dwState = pCopyDataStruct != nullptr ? pCopyDataStruct->dwData : 0;
    m_checkState.SetCheck(dwState == 1 ? BST_CHECKED : BST_UNCHECKED);
    // A state outside the two is unknown: nothing is written until the
    // switch has told one of them.
    m_bStateRead = dwState == 1 || dwState == 2 ? TRUE : FALSE;
    GetDlgItem(IDC_SNMP_APPLY)->EnableWindow(m_bStateRead);
    return CDialog::OnCopyData(pWnd, pCopyDataStruct);
}

LRESULT CSNMPGlobal::OnLogicNotify(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == 2)
        m_readReport.Fail("the SNMP state", m_bStateRead != FALSE);
    return 0;
}

void CSNMPGlobal::OnApply()
{
    if (!m_bStateRead) {
        CReadReport::RefuseUnread("the SNMP state");
        return;
    }
    CWriteReport report;
    m_cSNMPConfig.SetAgentState(report, m_checkState.GetCheck() == BST_CHECKED ? "1" : "2");
    if (report.Report())
        return;
    m_readReport.Begin();
    m_cSNMPConfig.GetAgentState();
}

void CSNMPGlobal::OnCancel()
{
    CDialog::OnCancel();
}
