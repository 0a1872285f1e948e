#include "features/poe_rmon/CRMONHistoryControl.h"

#include "common/Globals.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/rmon.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kHistoryButtonColumn = 6;

} // namespace

BEGIN_MESSAGE_MAP(CRMONHistoryControl, CDialog)
    ON_BN_CLICKED(IDC_RMON_HISTORY_APPLY, OnApply)
    ON_BN_CLICKED(IDC_RMON_HISTORY_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_RMON_HISTORY_CLOSE, OnClose)
    ON_EN_CHANGE(IDC_RMON_HISTORY_INDEX, OnEditChange)
    ON_EN_CHANGE(IDC_RMON_HISTORY_PORT, OnEditChange)
    ON_EN_CHANGE(IDC_RMON_HISTORY_BUCKETS, OnEditChange)
    ON_EN_CHANGE(IDC_RMON_HISTORY_INTERVAL, OnEditChange)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CRMONHistoryControl::CRMONHistoryControl(CWnd* pParent) : CDialog(IDD_RMON_HISTORY_CONTROL, pParent) {}

CRMONHistoryControl::~CRMONHistoryControl() = default;

BOOL CRMONHistoryControl::DestroyWindow()
{
    m_rmon.CloseSessions();
    return CDialog::DestroyWindow();
}

void CRMONHistoryControl::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RMON_HISTORY_LIST, m_list);
    DDX_Control(pDX, IDC_RMON_HISTORY_PORT, m_editPort);
    DDX_Control(pDX, IDC_RMON_HISTORY_OWNER, m_editOwner);
    DDX_Control(pDX, IDC_RMON_HISTORY_INTERVAL, m_editInterval);
    DDX_Control(pDX, IDC_RMON_HISTORY_INDEX, m_editIndex);
    DDX_Control(pDX, IDC_RMON_HISTORY_BUCKETS, m_editBuckets);
    DDX_Control(pDX, IDC_RMON_HISTORY_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_RMON_HISTORY_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_RMON_HISTORY_APPLY, m_btnApply);
}

LRESULT CRMONHistoryControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WALK_FINISHED || message == WM_WALK_STALE) {
        FillList();
        if (message == WM_WALK_FINISHED)
            SayWalkEnd(m_readReport, lParam == CRMON::kWalkFailed, "the RMON history control list",
                       m_rmon.IsTableRead(CRMON::kHistoryControl) != FALSE);
    } else if (message == WM_CELL_BUTTON_CLICK) {
        CWriteReport report;
        DeleteRow(static_cast<int>(wParam), report);
        if (ReadAgainAfter(report))
            Refresh();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CRMONHistoryControl::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("RMON History Control Configuration");
    m_editOwner.LimitText(kRmonOwnerMaxChars);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "Index");
    m_list.InsertColumn(1, "Port");
    m_list.InsertColumn(2, "Buckets Requested");
    m_list.InsertColumn(3, "Buckets Granted");
    m_list.InsertColumn(4, "Interval");
    m_list.InsertColumn(5, "Owner");
    m_list.InsertColumn(6, "");
    ResetInputs();
    // The columns have their widths before the first rows (and their
    // buttons) arrive, and again once the dialog is laid out.
    SetColumnWidths();
    PostMessage(WM_SIZE, 0, 0);
    Refresh();
    return TRUE;
}

void CRMONHistoryControl::EnableControls(BOOL bEnable)
{
    for (CEdit* edit : {&m_editPort, &m_editOwner, &m_editInterval, &m_editIndex, &m_editBuckets})
        edit->EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
    m_btnClose.EnableWindow(bEnable);
    // Nothing is created before the table was read once.
    m_btnApply.EnableWindow(bEnable && m_rmon.IsTableRead(CRMON::kHistoryControl));
}

BOOL CRMONHistoryControl::Refresh()
{
    m_readReport.Begin();
    EnableControls(FALSE);
    if (!m_rmon.SetHwnd(GetSafeHwnd())) {
        EnableControls(TRUE);
        return FALSE;
    }
    return m_rmon.StartHistoryControlWalk();
}

void CRMONHistoryControl::OnRefresh()
{
    Refresh();
}

void CRMONHistoryControl::FillList()
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        m_list.RemoveButton(nRow, kHistoryButtonColumn, 0);
    m_list.DeleteAllItems();
    m_arrIndexes.clear();
    for (const RMON_history_control_configuration& row : m_rmon.GetHistoryControl()) {
        if (row.nStatus != 1)
            continue;
        const int nRow = m_list.InsertItem(m_list.GetItemCount(), std::to_string(row.nIndex));
        m_list.SetItemText(nRow, 1, KnownNumber(row.Known(1), row.nPort));
        m_list.SetItemText(nRow, 2, KnownNumber(row.Known(2), row.nBucketsRequested));
        m_list.SetItemText(nRow, 3, KnownNumber(row.Known(6), row.nBucketsGranted));
        m_list.SetItemText(nRow, 4, KnownNumber(row.Known(3), row.nInterval));
        m_list.SetItemText(nRow, 5, row.strOwner);
        m_list.AddButton(nRow, kHistoryButtonColumn, ButtonSpec(0, "Delete"));
        m_arrIndexes.push_back(row.nIndex);
    }
    EnableControls(TRUE);
    PostMessage(WM_SIZE, 0, 0);
}

void CRMONHistoryControl::OnApply()
{
    RMON_history_control_configuration row;
    row.nIndex = CRMON::ToNumber(m_editIndex.GetWindowText());
    row.nPort = CRMON::ToNumber(m_editPort.GetWindowText());
    row.nBucketsRequested = CRMON::ToNumber(m_editBuckets.GetWindowText());
    row.nInterval = CRMON::ToNumber(m_editInterval.GetWindowText());
    row.strOwner = m_editOwner.GetWindowText();

    char szPortText[64];
    std::snprintf(szPortText, sizeof szPortText, "Port number must be between 1 and %d!", g_nPortCount);
    const char* pszRefusal = nullptr;
    if (row.nIndex < 1 || row.nIndex > 65535)
        pszRefusal = "Index must be between 1 and 65535!";
    else if (std::find(m_arrIndexes.begin(), m_arrIndexes.end(), row.nIndex) != m_arrIndexes.end())
        pszRefusal = "Index had already exits!";
    else if (row.nPort < 1 || row.nPort > g_nPortCount)
        pszRefusal = szPortText;
    else if (row.nBucketsRequested < 1 || row.nBucketsRequested > 50)
        pszRefusal = "Buckets requested must be between 1 and 50!";
    else if (row.nInterval < 1 || row.nInterval > 3600)
        pszRefusal = "Interval must be between 1 and 3600!";
    if (pszRefusal != nullptr) {
        MessageBox(pszRefusal, "", MB_OK);
        return;
    }

    EnableControls(FALSE);
    CWriteReport report;
    m_rmon.AddHistoryControl(row, &report);
    EnableControls(TRUE);
    ResetInputs();
    if (ReadAgainAfter(report))
        Refresh();
}

void CRMONHistoryControl::ResetInputs()
{
    m_editPort.SetWindowText("");
    m_editOwner.SetWindowText("");
    m_editIndex.SetWindowText("");
    m_editInterval.SetWindowText("1800");
    m_editBuckets.SetWindowText("50");
}

BOOL CRMONHistoryControl::DeleteRow(int nRow, CWriteReport& report)
{
    if (!m_list.IsValidItem(nRow))
        return FALSE;
    const int nIndex = CRMON::ToNumber(m_list.GetItemText(nRow, 0));
    m_list.RemoveButton(nRow, kHistoryButtonColumn, 0);
    return m_rmon.DeleteHistoryControl(nIndex, &report);
}

void CRMONHistoryControl::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}

void CRMONHistoryControl::OnEditChange() {}

void CRMONHistoryControl::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    SetColumnWidths();
}

void CRMONHistoryControl::SetColumnWidths()
{
    if (!m_list.GetSafeHwnd())
        return;
    CRect rcList;
    m_list.GetWindowRect(&rcList);
    const int nRequested = m_list.GetStringWidth("Buckets Requested ") + 10;
    const int nGranted = m_list.GetStringWidth("Buckets Granted ") + 10;
    const int nInterval = m_list.GetStringWidth("Interval ") + 10;
    const int nRest = (rcList.Width() - nRequested - nGranted - nInterval - 20) / 4;
    m_list.SetColumnWidth(0, nRest);
    m_list.SetColumnWidth(1, nRest);
    m_list.SetColumnWidth(2, nRequested);
    m_list.SetColumnWidth(3, nGranted);
    m_list.SetColumnWidth(4, nInterval);
    m_list.SetColumnWidth(5, nRest);
    m_list.SetColumnWidth(kHistoryButtonColumn, nRest);
    m_list.RepositionButtons();
}
