#include "features/security/CIMPBSmartBinding.h"

#include "common/CWriteReport.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/impb.h"
#include "resources/main.h"

#include <cstdlib>
#include <iterator>

namespace {

constexpr ListColumn kSmartBindingColumns[] = {
    {"VID", 100}, {"IP Address", 160}, {"Mac Address", 170}, {"Port", 110}, {"Binding", 100}};
constexpr int kColumnIP = 1;
constexpr int kColumnMac = 2;
constexpr int kColumnPort = 3;
constexpr int kColumnBinding = 4;

constexpr int kMacTextLength = 17;
constexpr UINT kScanTimerMs = 4000;
constexpr DWORD kBindingRefreshPauseMs = 50;

// The field judged as it holds now (it may still have the focus).
bool IsValidAddress(CEditEXIPV6& edit)
{
    edit.OnKillFocus(nullptr);
    return edit.m_nStatus == 1;
}

} // namespace

BEGIN_MESSAGE_MAP(CIMPBSmartBinding, CDialog)
    ON_BN_CLICKED(IDC_SB_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SB_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SB_SCAN, OnScan)
    ON_BN_CLICKED(IDC_SB_BINDING, OnBinding)
    ON_MESSAGE(WM_IMPB_ENTRY_NOTIFY, OnEntryNotify)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CIMPBSmartBinding::CIMPBSmartBinding(CWnd* pParent) : CDialog(IDD_IMPB_SMART_BINDING, pParent)
{
    // An address with a "%" zone is invalid in all three.
    m_editScanFrom.m_bZoneAllowed = 0;
    m_editScanTo.m_bZoneAllowed = 0;
    m_editAddress.m_bZoneAllowed = 0;
}

BOOL CIMPBSmartBinding::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CIMPBSmartBinding::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SB_MAC, m_editMac);
    DDX_Control(pDX, IDC_SB_PORT, m_editPort);
    DDX_Control(pDX, IDC_SB_LIST, m_list);
    DDX_Control(pDX, IDC_SB_SCAN, m_btnScan);
    DDX_Control(pDX, IDC_SB_SCAN_FROM, m_editScanFrom);
    DDX_Control(pDX, IDC_SB_SCAN_TO, m_editScanTo);
    DDX_Control(pDX, IDC_SB_ADDRESS, m_editAddress);
}

BOOL CIMPBSmartBinding::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    InsertListColumns(m_list, kSmartBindingColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_editMac.SetLimitText(kMacTextLength);
    m_logic.SetHwnd(GetSafeHwnd());
    OnRefresh();
    return TRUE;
}

void CIMPBSmartBinding::OnRefresh()
{
    // One new user action (the scan's timer reads quietly).
    m_readReport.Begin();
    m_bQuietRead = false;
    StartRead();
}

void CIMPBSmartBinding::StartRead()
{
    // The list stays until a complete walk replaces it.
    GetDlgItem(IDC_SB_REFRESH)->EnableWindow(FALSE);
    m_btnScan.EnableWindow(FALSE);
    m_rows.clear();
    m_logic.StartLearnedWalk();
}

LRESULT CIMPBSmartBinding::OnEntryNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CIMPFunclogic::kNotifyRow && lParam != 0) {
        m_rows.push_back(*reinterpret_cast<const IMPB_entry_info*>(lParam));
    } else if (wParam == CIMPFunclogic::kNotifyEnd) {
        if (m_logic.EntryWalkComplete()) {
            m_list.DeleteAllItems();
            for (const IMPB_entry_info& row : m_rows) {
                const int nRow = m_list.GetItemCount();
                m_list.InsertItem(nRow, row.strVid);
                m_list.SetItemText(nRow, kColumnIP, row.strIP);
                m_list.SetItemText(nRow, kColumnMac, row.strMac);
                m_list.SetItemText(nRow, kColumnPort, row.strPort);
                m_list.SetItemText(nRow, kColumnBinding, row.strState == "1" ? "Binding" : "Not Binding");
            }
            m_bListRead = true;
        } else if (!m_bQuietRead) {
            m_readReport.Fail("the learned entries", m_bListRead);
        }
        m_btnScan.EnableWindow(TRUE);
        GetDlgItem(IDC_SB_REFRESH)->EnableWindow(TRUE);
    }
    return 0;
}

void CIMPBSmartBinding::OnAdd()
{
    if (!IsValidAddress(m_editAddress)) {
        AfxMessageBox("Invalid IP Address.");
        return;
    }
    std::string strMac;
    std::string strPort;
    m_editMac.GetWindowText(strMac);
    m_editPort.GetWindowText(strPort);
    if (!CUtils::CheckMacAddress(strMac, false))
        return;
    const int nPort = std::atoi(strPort.c_str());
    if (nPort <= 0 || nPort > g_nPortCount) {
        AfxMessageBox("Invalid port number.");
        return;
    }
    IMPB_entry_info entry;
    m_editAddress.GetWindowText(entry.strIP);
    entry.strMac = strMac;
    entry.strVid = "1";
    entry.strPort = strPort;
    entry.strState = "1";
    CWriteReport report;
    m_logic.SetWhiteListEntry(entry, CIMPFunclogic::kActionAdd, &report);
    report.Report();
    m_editMac.SetWindowText("");
    m_editPort.SetWindowText("");
    m_editAddress.SetWindowText("");
}

void CIMPBSmartBinding::OnScan()
{
    if (!IsValidAddress(m_editScanFrom)) {
        AfxMessageBox("Invalid From IP Address.");
        return;
    }
    if (!IsValidAddress(m_editScanTo)) {
        AfxMessageBox("Invalid To IP Address.");
        return;
    }
    if (m_editScanFrom.m_strAddrType != m_editScanTo.m_strAddrType) {
        AfxMessageBox("Invalid IP address !");
        return;
    }
    m_logic.m_pScanFrom = &m_editScanFrom;
    m_logic.m_pScanTo = &m_editScanTo;
    IMPB_scan_info scan;
    m_editScanFrom.GetWindowText(scan.strFrom);
    m_editScanTo.GetWindowText(scan.strTo);
    scan.strStart = "1";
    CWriteReport report;
    const BOOL bStarted = m_logic.StartScan(scan, &report);
    report.Report();
    if (!bStarted)
        return;
    m_editScanFrom.SetWindowText("");
    m_editScanTo.SetWindowText("");
    m_btnScan.EnableWindow(FALSE);
    SetTimer(kScanTimer, kScanTimerMs);
}

void CIMPBSmartBinding::OnTimer(UINT_PTR /*nIDEvent*/)
{
    const int nCount = m_list.GetItemCount();
    if (nCount != m_nLastCount) {
        m_nLastCount = nCount;
        m_bQuietRead = true;
        StartRead();
        return;
    }
    KillTimer(kScanTimer);
    m_btnScan.EnableWindow(TRUE);
    m_nLastCount = -1;
}

void CIMPBSmartBinding::OnBinding()
{
    const int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the item would be binding!\n");
        return;
    }
    if (m_list.GetItemText(nRow, kColumnBinding) == "Binding") {
        AfxMessageBox("The entry is binding.");
        return;
    }
    IMPB_entry_info entry;
    entry.strIP = m_list.GetItemText(nRow, kColumnIP);
    entry.strMac = m_list.GetItemText(nRow, kColumnMac);
    entry.strPort = m_list.GetItemText(nRow, kColumnPort);
    entry.strVid = "1";
    entry.strState = "1";
    CWriteReport report;
    m_logic.BindLearnedEntry(entry, &report);
    report.Report();
    Sleep(kBindingRefreshPauseMs);
    OnRefresh();
}
