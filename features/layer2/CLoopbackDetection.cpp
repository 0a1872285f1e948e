#include "features/layer2/CLoopbackDetection.h"

#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/loopback.h"
#include "resources/main.h"

#include <cstdlib>
#include <iterator>
#include <memory>

namespace {

constexpr ListColumn kLoopbackPortColumns[] = {
    {"Port", 100}, {"Loopdetect Detection State", 190}, {"Loop Status", 155}};

constexpr UINT kRefreshPortModeMs = 3000;
constexpr UINT kRefreshVlanModeMs = 6000;
constexpr int kStpCheckTimeoutMs = 2000;

const std::string kStpPortState = KorvelOid("10.76.19.1.6.2.1.4");
const std::string kStpGlobalState = KorvelOid("10.76.19.1.6.1.1.0");

} // namespace

BEGIN_MESSAGE_MAP(CLoopbackDetection, CDialog)
    ON_BN_CLICKED(IDC_LBD_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_LBD_APPLY_GLOBAL, OnApplyGlobal)
    ON_BN_CLICKED(IDC_LBD_APPLY_PORTS, OnApplyPorts)
    ON_BN_CLICKED(IDC_LBD_ENABLED, OnRadioEnabled)
    ON_BN_CLICKED(IDC_LBD_DISABLED, OnRadioDisabled)
    ON_CBN_SELCHANGE(IDC_LBD_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_LBD_TO_PORT, OnToPortChange)
    ON_CBN_SELCHANGE(IDC_LBD_MODE, OnModeChange)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CLoopbackDetection::CLoopbackDetection(CWnd* pParent) : CDialog(IDD_LOOPBACK_DETECTION, pParent) {}

void CLoopbackDetection::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LBD_APPLY_PORTS, m_btnApplyPorts);
    DDX_Control(pDX, IDC_LBD_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_LBD_RECOVER_TIME, m_editRecoverTime);
    DDX_Control(pDX, IDC_LBD_INTERVAL, m_editInterval);
    DDX_Control(pDX, IDC_LBD_PORT_STATE, m_comboPortState);
    DDX_Control(pDX, IDC_LBD_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_LBD_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_LBD_MODE, m_comboMode);
    DDX_Control(pDX, IDC_LBD_LIST, m_listPorts);
    DDX_Control(pDX, IDC_LBD_VLAN_LIST, m_editVlanList);
}

BOOL CLoopbackDetection::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listPorts, kLoopbackPortColumns, LVCFMT_LEFT);
    m_listPorts.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        m_comboFromPort.AddString(std::to_string(nPort));
        m_comboToPort.AddString(std::to_string(nPort));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);
    m_comboPortState.AddString("Disable");
    m_comboPortState.AddString("Enable");
    m_comboPortState.SetCurSel(0);

    OnRefresh();
    return TRUE;
}

bool CLoopbackDetection::IsVlanMode() const
{
    return m_comboMode.GetCurSel() == 1;
}

void CLoopbackDetection::EnableApplyButtons(BOOL bEnable)
{
    m_btnRefresh.EnableWindow(bEnable);
    m_btnApplyPorts.EnableWindow(bEnable);
    GetDlgItem(IDC_LBD_APPLY_GLOBAL)->EnableWindow(bEnable && m_bGlobalsRead ? TRUE : FALSE);
}

void CLoopbackDetection::OnRefresh()
{
    // The reads of an earlier refresh end first, so none of their ends lands in this one.
    m_cLbdLogic.CloseSessions();
    m_readReport.Begin();
    m_nPendingReads = 0;
    EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    // The list keeps what it shows until the port walk has read the table.
    m_bClearOnFirstRow = true;
    if (m_cLbdLogic.SetHwnd(GetSafeHwnd())) {
        m_cLbdLogic.StartTrunkWalk();
        m_cLbdLogic.StartVlanLoopWalk();
    } else {
        OnRefreshEnded();
    }
}

LRESULT CLoopbackDetection::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    switch (wParam) {
    case CLBDetectionFunLogic::kNotifyVlanLoopFinished:
        if (!m_cLbdLogic.VlanLoopWalkComplete()) {
            // A switch that failed the first walk is not asked twice more.
            m_readReport.Fail("the loopback detection table", m_bPortsRead);
            OnRefreshEnded();
            break;
        }
        // The refresh ends with the later of these two.
        m_nPendingReads = 2;
        m_cLbdLogic.ReadGlobals();
        m_cLbdLogic.StartPortWalk();
        break;
    case CLBDetectionFunLogic::kNotifyGlobals:
        if (lParam != 0)
            OnGlobals(*reinterpret_cast<const LBD_global_info*>(lParam));
        else
            m_readReport.Fail("the loopback detection settings", m_bGlobalsRead);
        OnReadEnded();
        break;
    case CLBDetectionFunLogic::kNotifyPortRow:
        if (lParam != 0)
            OnPortRow(*reinterpret_cast<const LBD_port_info*>(lParam));
        break;
    case CLBDetectionFunLogic::kNotifyPortWalkFinished:
        if (m_cLbdLogic.PortWalkComplete()) {
            if (m_bClearOnFirstRow)
                m_listPorts.DeleteAllItems();
            m_bClearOnFirstRow = false;
            m_bPortsRead = true;
        } else {
            m_readReport.Fail("the loopback detection table", m_bPortsRead);
        }
        OnReadEnded();
        break;
    case CLBDetectionFunLogic::kNotifyPortStatesWritten:
        // The port Apply reads again once it has said how the writes went.
        break;
    default:
        break;
    }
    return 0;
}

void CLoopbackDetection::OnGlobals(const LBD_global_info& info)
{
    m_bGlobalsRead = true;
    m_bLbdEnabled = info.bEnabled;
    m_editInterval.SetWindowText(info.strInterval);
    m_editRecoverTime.SetWindowText(info.strRecoverTime);
    // A mode outside the set selects nothing.
    const int nMode = std::atoi(info.strMode.c_str());
    m_comboMode.SetCurSel(nMode == 1 || nMode == 2 ? nMode - 1 : -1);
    m_editVlanList.SetWindowText(info.strVlanList);
    const bool bVlanMode = IsVlanMode();
    const BOOL bEnabled = m_bLbdEnabled ? TRUE : FALSE;
    CheckDlgButton(IDC_LBD_ENABLED, bEnabled ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_LBD_DISABLED, bEnabled ? BST_UNCHECKED : BST_CHECKED);
    for (CWnd* pControl : std::initializer_list<CWnd*>{&m_editInterval, &m_editRecoverTime, &m_comboFromPort,
                                                       &m_comboToPort, &m_comboPortState, &m_comboMode})
        pControl->EnableWindow(bEnabled);
    m_editVlanList.EnableWindow(bEnabled && bVlanMode ? TRUE : FALSE);
    if (!bVlanMode)
        m_editVlanList.SetWindowText("");
    if (bEnabled)
        m_btnApplyPorts.EnableWindow(TRUE);
}

void CLoopbackDetection::OnPortRow(const LBD_port_info& row)
{
    if (m_bClearOnFirstRow) {
        m_listPorts.DeleteAllItems();
        m_bClearOnFirstRow = false;
    }
    const int nRow = m_listPorts.GetItemCount();
    m_listPorts.InsertItem(nRow, row.strPort);
    m_listPorts.SetItemText(nRow, 1, row.strState);
    // The looped VLANs of the row's own port.
    std::string strVlans = m_cLbdLogic.GetLoopVlans(std::atoi(row.strPort.c_str()));
    if (strVlans.empty()) {
        m_listPorts.SetItemText(nRow, 2, row.strLoopStatus);
    } else {
        strVlans.pop_back();
        m_listPorts.SetItemText(nRow, 2, "Disabled VID = " + strVlans);
    }
}

void CLoopbackDetection::OnReadEnded()
{
    if (m_nPendingReads > 0 && --m_nPendingReads == 0)
        OnRefreshEnded();
}

void CLoopbackDetection::OnRefreshEnded()
{
    EnableWindow(TRUE);
    GetDlgItem(IDC_LBD_APPLY_GLOBAL)->EnableWindow(m_bGlobalsRead ? TRUE : FALSE);
    const BOOL bPorts = m_bLbdEnabled ? TRUE : FALSE;
    m_btnRefresh.EnableWindow(bPorts);
    m_btnApplyPorts.EnableWindow(bPorts);
    m_listPorts.EnableWindow(bPorts);
}

void CLoopbackDetection::OnApplyGlobal()
{
    EnableApplyButtons(FALSE);
    // Nothing is written before the globals were read.
    if (!m_bGlobalsRead) {
        EnableApplyButtons(TRUE);
        return;
    }
    const std::string strMode = std::to_string(m_comboMode.GetCurSel() + 1);
    std::string strInterval;
    std::string strRecoverTime;
    std::string strVlanList;
    m_editInterval.GetWindowText(strInterval);
    m_editRecoverTime.GetWindowText(strRecoverTime);
    m_editVlanList.GetWindowText(strVlanList);
    const std::string strState = IsDlgButtonChecked(IDC_LBD_ENABLED) == BST_CHECKED ? "1" : "2";

    if (strState == "1") {
        for (const LBD_port_info& port : m_cLbdLogic.GetPortInfo()) {
            if (port.strState == "Enabled" && !CheckStpConflict(std::atoi(port.strPort.c_str()))) {
                EnableApplyButtons(TRUE);
                return;
            }
        }
    }
    const bool bVlanMode = IsVlanMode();
    if (bVlanMode && strVlanList.empty()) {
        AfxMessageBox("Invalid VLAN List");
        EnableApplyButtons(TRUE);
        return;
    }
    // A mode the switch reported outside its set is not written as another.
    if (strState == "1" && m_comboMode.GetCurSel() < 0) {
        CReadReport::RefuseUnread("the loopback detection mode");
        EnableApplyButtons(TRUE);
        return;
    }
    CWriteReport report;
    if (!m_cLbdLogic.WriteGlobals(strState, strMode, strInterval, strRecoverTime, strVlanList, report)) {
        EnableApplyButtons(TRUE);
        return;
    }
    if (report.Report()) {
        EnableApplyButtons(TRUE);
        // A refused write: show what the switch holds. A silent one is not asked again.
        if (!report.TimedOut())
            OnRefresh();
        return;
    }
    SetTimer(IDT_LBD_REFRESH, bVlanMode ? kRefreshVlanModeMs : kRefreshPortModeMs);
}

void CLoopbackDetection::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != IDT_LBD_REFRESH)
        return;
    OnRefresh();
    KillTimer(IDT_LBD_REFRESH);
}

void CLoopbackDetection::OnApplyPorts()
{
    m_btnApplyPorts.EnableWindow(FALSE);
    std::string strFrom;
    std::string strTo;
    m_comboFromPort.GetWindowText(strFrom);
    m_comboToPort.GetWindowText(strTo);
    const int nFrom = std::atoi(strFrom.c_str());
    const int nTo = std::atoi(strTo.c_str());
    const std::string strState = m_comboPortState.GetCurSel() == 1 ? "1" : "2";

    if (strState == "1") {
        const std::vector<int> trunkPorts = m_cLbdLogic.GetTrunkPorts();
        for (int nPort = nFrom; nPort <= nTo; ++nPort) {
            if (!CheckStpConflict(nPort)) {
                m_btnApplyPorts.EnableWindow(TRUE);
                m_btnRefresh.EnableWindow(TRUE);
                return;
            }
            if (nPort >= 1 && nPort <= static_cast<int>(trunkPorts.size()) &&
                trunkPorts[static_cast<size_t>(nPort - 1)] != 0) {
                AfxMessageBox(("LA " + std::to_string(nPort) + " port can not support in LBD-enabled mode").c_str());
                m_btnApplyPorts.EnableWindow(TRUE);
                m_btnRefresh.EnableWindow(TRUE);
                OnRefresh();
                return;
            }
        }
    }
    CWriteReport report;
    m_cLbdLogic.WritePortStates(nFrom, nTo, strState, report);
    // A silent switch is not asked again; otherwise the list shows what the switch holds.
    if (report.Report() && report.TimedOut()) {
        m_btnApplyPorts.EnableWindow(TRUE);
        m_btnRefresh.EnableWindow(TRUE);
        return;
    }
    OnRefresh();
}

BOOL CLoopbackDetection::CheckStpConflict(int nPort)
{
    CCommonSNMP session;
    session.Open(SnmpPduGet);
    session.AddValue(kStpPortState + "." + std::to_string(nPort), SnmpValueNull);
    session.AddValue(kStpGlobalState, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (session.SendFor(pResponse, kStpCheckTimeoutMs) != CCommonSNMP::SendResult::Answered) {
        // Whether spanning tree runs on the port is not known: loopback
        // detection is not switched on over it, and no further port is asked.
        AfxMessageBox("The spanning tree state of port " + std::to_string(nPort) +
                      " could not be read from the switch; nothing was written.");
        return FALSE;
    }
    if (CModuleBase::IntegerText(pResponse.get(), 0) == "1" && CModuleBase::IntegerText(pResponse.get(), 1) == "1") {
        AfxMessageBox(("LBD port " + std::to_string(nPort) +
                       " can not both support Spanning Tree and LBD-enabled mode.")
                          .c_str());
        return FALSE;
    }
    return TRUE;
}

void CLoopbackDetection::OnRadioEnabled()
{
    m_editInterval.EnableWindow(TRUE);
    m_editRecoverTime.EnableWindow(TRUE);
    m_comboMode.EnableWindow(TRUE);
    m_editVlanList.EnableWindow(IsVlanMode() ? TRUE : FALSE);
}

void CLoopbackDetection::OnRadioDisabled()
{
    m_editInterval.EnableWindow(FALSE);
    m_editRecoverTime.EnableWindow(FALSE);
    m_comboMode.EnableWindow(FALSE);
    m_editVlanList.EnableWindow(FALSE);
}

void CLoopbackDetection::OnModeChange()
{
    if (IsVlanMode()) {
        m_editVlanList.EnableWindow(TRUE);
        m_editVlanList.SetWindowText(m_cLbdLogic.GetGlobalInfo().strVlanList);
    } else {
        m_editVlanList.EnableWindow(FALSE);
        m_editVlanList.SetWindowText("");
    }
}

void CLoopbackDetection::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CLoopbackDetection::OnToPortChange()
{
    std::string strFrom;
    std::string strTo;
    const int nFrom = m_comboFromPort.GetCurSel();
    const int nTo = m_comboToPort.GetCurSel();
    if (nFrom >= 0)
        m_comboFromPort.GetLBText(nFrom, strFrom);
    if (nTo >= 0)
        m_comboToPort.GetLBText(nTo, strTo);
    if (std::atoi(strTo.c_str()) < std::atoi(strFrom.c_str())) {
        if (MessageBox("'To Port' can not be smaller than 'From Port'") == IDOK)
            m_comboToPort.SetCurSel(nFrom);
    }
}
