#include "features/security/CStormControlDlg.h"

#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/storm.h"

#include <cstdlib>

namespace {

constexpr int kUnitKbps = 64;
constexpr int kHighestN = 16000;
const char* const kTypes[] = {"Broadcast Only", "Multicast & Broadcast", "Multicast & Broadcast & Unknown Unicast"};

// The number of a text of digits (at most 9), -1 for any other text.
int Number(const std::string& strText)
{
    if (strText.empty() || strText.size() > 9 || strText.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::atoi(strText.c_str());
}

} // namespace

BEGIN_MESSAGE_MAP(CStormControlDlg, CDialog)
    ON_BN_CLICKED(IDC_STORM_REFRESH, OnRefresh)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_STORM_APPLY, OnApply)
    ON_BN_CLICKED(IDC_STORM_ENABLE, OnEnableClicked)
    ON_EN_CHANGE(IDC_STORM_N, OnChangeN)
END_MESSAGE_MAP()

CStormControlDlg::CStormControlDlg(CWnd* pParent) : CDialog(IDD_STORM_CONTROL, pParent) {}

BOOL CStormControlDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_Logic.Stop();
    OutputDebugString("==================m_Logic.Stop===============");
    return CDialog::DestroyWindow();
}

void CStormControlDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STORM_ENABLE, m_chkEnable);
    DDX_Control(pDX, IDC_STORM_TYPE, m_comboType);
    DDX_Control(pDX, IDC_STORM_UNIT, m_editUnit);
    DDX_Control(pDX, IDC_STORM_N, m_editN);
    DDX_Control(pDX, IDC_STORM_THRESHOLD, m_editThreshold);
}

BOOL CStormControlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    for (const char* type : kTypes)
        m_comboType.AddString(type);
    m_comboType.SetCurSel(0);
    m_editUnit.SetWindowText("64Kbps  ");
    OnRefresh();
    return TRUE;
}

void CStormControlDlg::OnRefresh()
{
    // One new user action: opening, Refresh, the read after Apply.
    m_readReport.Begin();
    if (m_Logic.SetHwnd(GetSafeHwnd())) {
        m_bRead = m_Logic.GetGlobals() != FALSE;
        if (!m_bRead)
            m_readReport.Fail("the storm control settings");
    }
}

LRESULT CStormControlDlg::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CStormControlLogic::kNotifyWriteFinished) {
        OnRefresh();
        return 0;
    }
    if (wParam != CStormControlLogic::kNotifyRead || lParam == 0)
        return 0;
    m_OldValues = *reinterpret_cast<const STORM_control_info*>(lParam);
    m_chkEnable.SetCheck(m_OldValues.strState == "1" ? BST_CHECKED : BST_UNCHECKED);
    // A type outside the list selects none.
    const int nType = Number(m_OldValues.strType);
    m_comboType.SetCurSel(nType >= 1 && nType <= 3 ? nType - 1 : -1);
    m_editThreshold.SetWindowText(m_OldValues.strThreshold);
    const int nThreshold = Number(m_OldValues.strThreshold);
    m_editN.SetWindowText(nThreshold < 0 ? std::string() : std::to_string(nThreshold / kUnitKbps));
    EnableValues();
    return 0;
}

void CStormControlDlg::EnableValues()
{
    const BOOL bEnable = m_chkEnable.GetCheck() == BST_CHECKED ? TRUE : FALSE;
    m_editN.EnableWindow(bEnable);
    m_comboType.EnableWindow(bEnable);
}

void CStormControlDlg::OnEnableClicked()
{
    EnableValues();
}

void CStormControlDlg::OnChangeN()
{
    std::string strN;
    m_editN.GetWindowText(strN);
    const int nN = Number(strN);
    m_editThreshold.SetWindowText(strN.empty() ? std::string() : std::to_string(nN < 0 ? 0 : nN * kUnitKbps));
}

void CStormControlDlg::OnApply()
{
    // Without a read the controls show no switch values, and the write
    // would put those over the switch's settings.
    if (!m_bRead) {
        CReadReport::RefuseUnread("the storm control settings");
        return;
    }
    std::string strN;
    m_editN.GetWindowText(strN);
    const int nN = Number(strN);
    if (nN < 1 || nN > kHighestN) {
        AfxMessageBox("Invalid input of N ( input range must between 1~16000)");
        return;
    }
    STORM_control_info newValues;
    newValues.strState = std::string(m_chkEnable.GetCheck() == BST_CHECKED ? "1" : "2", 1);
    // With no type selected (the switch's was unknown) the type stays as read.
    const int nType = m_comboType.GetCurSel();
    newValues.strType = nType >= 0 ? std::to_string(nType + 1) : m_OldValues.strType;
    newValues.strThreshold = std::to_string(nN * kUnitKbps);
    CWriteReport report;
    m_Logic.SetGlobals(m_OldValues, newValues, report);
    report.Report();
}
