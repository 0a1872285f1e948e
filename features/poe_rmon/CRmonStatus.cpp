#include "features/poe_rmon/CRmonStatus.h"

#include "common/CWriteReport.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/rmon.h"

BEGIN_MESSAGE_MAP(CRmonStatus, CDialog)
    ON_BN_CLICKED(IDC_RMON_STATUS_ENABLE, OnEnable)
    ON_BN_CLICKED(IDC_RMON_STATUS_DISABLE, OnDisable)
    ON_BN_CLICKED(IDC_RMON_STATUS_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_RMON_STATUS_APPLY, OnApply)
    ON_BN_CLICKED(IDC_RMON_STATUS_CLOSE, OnClose)
END_MESSAGE_MAP()

CRmonStatus::CRmonStatus(CWnd* pParent) : CDialog(IDD_RMON_STATUS, pParent) {}

CRmonStatus::~CRmonStatus() = default;

BOOL CRmonStatus::DestroyWindow()
{
    m_rmon.CloseSessions();
    return CDialog::DestroyWindow();
}

void CRmonStatus::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RMON_STATUS_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_RMON_STATUS_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_RMON_STATUS_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_RMON_STATUS_ENABLE, m_radioEnable);
    DDX_Control(pDX, IDC_RMON_STATUS_DISABLE, m_radioDisable);
}

BOOL CRmonStatus::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_readReport.Begin();
    Refresh();
    return TRUE;
}

void CRmonStatus::EnableButtons(BOOL bEnable)
{
    m_btnClose.EnableWindow(bEnable);
    // Nothing is written before the state was read once.
    m_btnApply.EnableWindow(bEnable && m_bStateRead);
    m_btnRefresh.EnableWindow(bEnable);
}

BOOL CRmonStatus::Refresh()
{
    EnableButtons(FALSE);
    int nOn = 0;
    const BOOL bRead = m_rmon.GetState(&nOn);
    if (bRead) {
        m_bStateRead = TRUE;
        // A state the switch cannot mean checks neither button.
        m_radioEnable.SetCheck(nOn == 1 ? BST_CHECKED : BST_UNCHECKED);
        m_radioDisable.SetCheck(nOn == 0 ? BST_CHECKED : BST_UNCHECKED);
    } else {
        m_readReport.Fail("the RMON state", m_bStateRead != FALSE);
    }
    EnableButtons(TRUE);
    return bRead;
}

void CRmonStatus::OnRefresh()
{
    m_readReport.Begin();
    Refresh();
}

void CRmonStatus::OnApply()
{
    // Neither button checked: the switch gave no state and the user chose none.
    if (!m_bStateRead ||
        (m_radioEnable.GetCheck() != BST_CHECKED && m_radioDisable.GetCheck() != BST_CHECKED)) {
        CReadReport::RefuseUnread("the RMON state");
        return;
    }
    int nOn = m_radioEnable.GetCheck() == BST_CHECKED ? 1 : 0;
    EnableButtons(FALSE);
    CWriteReport report;
    m_rmon.SetState(&nOn, &report);
    EnableButtons(TRUE);
    // What the switch holds now, unless it did not answer.
    if (report.Report() && report.TimedOut())
        return;
    m_readReport.Begin();
    Refresh();
}

void CRmonStatus::OnEnable()
{
    m_radioEnable.SetCheck(BST_CHECKED);
    m_radioDisable.SetCheck(BST_UNCHECKED);
}

void CRmonStatus::OnDisable()
{
    m_radioEnable.SetCheck(BST_UNCHECKED);
    m_radioDisable.SetCheck(BST_CHECKED);
}

void CRmonStatus::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}
