#include "features/layer2/CStaticMACDlg.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/static_mac.h"

#include <iterator>
#include <strings.h>

namespace {

constexpr ListColumn kStaticMacColumns[] = {{"ID", 80}, {"Port", 100}, {"MAC Address", 200}, {"VID", 140}};
constexpr int kEntryColumnPort = 1;
constexpr int kEntryColumnMac = 2;
constexpr int kEntryColumnVid = 3;

constexpr int kMaxEntries = 256;
constexpr int kMacTextLength = 17;

const char* const kNeedUplink = "Please choose at least one uplink port when disabling auto learning.";

bool SameText(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

std::string SelectedText(const CComboBox& combo)
{
    std::string strText;
    if (combo.GetCurSel() != CB_ERR)
        combo.GetLBText(combo.GetCurSel(), strText);
    return strText;
}

} // namespace

BEGIN_MESSAGE_MAP(CStaticMACDlg, CDialog)
    ON_BN_CLICKED(IDC_SMAC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_SMAC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SMAC_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_SMAC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SMAC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SMAC_LEARN_ENABLED, OnLearningRadio)
    ON_BN_CLICKED(IDC_SMAC_LEARN_DISABLED, OnLearningRadio)
    ON_MESSAGE(WM_STATIC_MAC_NOTIFY, OnStaticMacNotify)
    ON_MESSAGE(WM_VLAN_LIST_NOTIFY, OnVlanListNotify)
END_MESSAGE_MAP()

CStaticMACDlg::CStaticMACDlg(CWnd* pParent) : CDialog(IDD_STATIC_MAC, pParent) {}

CStaticMACDlg::~CStaticMACDlg() = default;

BOOL CStaticMACDlg::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CStaticMACDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SMAC_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_SMAC_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_SMAC_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_SMAC_UPLINK, m_editUplink);
    DDX_Control(pDX, IDC_SMAC_LIST, m_list);
    DDX_Control(pDX, IDC_SMAC_MAC, m_editMac);
    DDX_Control(pDX, IDC_SMAC_VID, m_comboVid);
    DDX_Control(pDX, IDC_SMAC_PORT, m_comboPort);
    DDX_Radio(pDX, IDC_SMAC_LEARN_ENABLED, m_nLearning);
}

BOOL CStaticMACDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_list, kStaticMacColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort)
        m_comboPort.AddString(std::to_string(nPort));
    m_comboPort.SetCurSel(0);
    m_editMac.SetLimitText(kMacTextLength);

    m_logic.m_hNotifyWnd = GetSafeHwnd();
    m_logic.m_moduleBase.SetHwnd(GetSafeHwnd());
    OnRefresh();
    return TRUE;
}

void CStaticMACDlg::ResetAddFields()
{
    m_comboVid.SetCurSel(0);
    m_comboPort.SetCurSel(0);
    m_editMac.SetWindowText("");
}

void CStaticMACDlg::ReadLearningRadio()
{
    m_nLearning = IsDlgButtonChecked(IDC_SMAC_LEARN_ENABLED) == BST_CHECKED    ? 0
                  : IsDlgButtonChecked(IDC_SMAC_LEARN_DISABLED) == BST_CHECKED ? 1
                                                                               : -1;
}

void CStaticMACDlg::OnRefresh()
{
    m_readReport.Begin();
    Refresh();
}

void CStaticMACDlg::Refresh()
{
    // The controls the walks give back are taken first: while this waits
    // for the switch, the end of a walk started here may already arrive.
    m_btnAdd.EnableWindow(FALSE);
    m_btnDelete.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    m_comboVid.ResetContent();
    m_comboVid.EnableWindow(FALSE);
    m_logic.m_moduleBase.StartVlanWalk();

    const CStaticMACLogic::ReadResult result = m_logic.ReadLearning();
    // A state the switch cannot mean selects neither button.
    const std::string& strState = m_logic.m_strLearningState;
    const bool bEnabled = strState == "1";
    m_nLearning = bEnabled ? 0 : strState == "2" ? 1 : -1;
    m_editUplink.SetWindowText(m_logic.m_strUplinkPorts);
    m_editUplink.EnableWindow(bEnabled ? TRUE : FALSE);
    CheckDlgButton(IDC_SMAC_LEARN_ENABLED, bEnabled ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SMAC_LEARN_DISABLED, m_nLearning == 1 ? BST_CHECKED : BST_UNCHECKED);
    if (result != CStaticMACLogic::ReadResult::Answered)
        m_readReport.Fail("the MAC address learning settings", m_logic.LearningRead());
    // A silent switch is not asked for the table too.
    if (result == CStaticMACLogic::ReadResult::Silent) {
        WalkEnded(false);
        return;
    }

    m_pendingEntries.clear();
    m_bWalkFailed = false;
    if (!m_logic.StartWalk())
        WalkEnded(false);
    m_logic.m_moduleBase.StartTrunkWalk();
}

void CStaticMACDlg::WalkEnded(bool bComplete)
{
    if (bComplete) {
        m_list.DeleteAllItems();
        for (const STATIC_MAC_info& entry : m_pendingEntries) {
            const int nRow = m_list.GetItemCount();
            m_list.InsertItem(nRow, std::to_string(nRow + 1));
            m_list.SetItemText(nRow, kEntryColumnPort, entry.strPort);
            m_list.SetItemText(nRow, kEntryColumnMac, entry.strMac);
            m_list.SetItemText(nRow, kEntryColumnVid, entry.strVid);
        }
        m_bListRead = true;
    } else {
        m_readReport.Fail("the static MAC list", m_bListRead);
    }
    m_pendingEntries.clear();
    m_btnAdd.EnableWindow(TRUE);
    m_btnDelete.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
}

LRESULT CStaticMACDlg::OnStaticMacNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CStaticMACLogic::kNotifyEntry && lParam != 0)
        m_pendingEntries.push_back(*reinterpret_cast<const STATIC_MAC_info*>(lParam));
    else if (wParam == CStaticMACLogic::kNotifyFailed)
        m_bWalkFailed = true;
    else if (wParam == CStaticMACLogic::kNotifyFinished)
        WalkEnded(!m_bWalkFailed);
    return 0;
}

void CStaticMACDlg::AfterWrite(CWriteReport& report)
{
    report.Report();
    // A silent switch is not asked again at once.
    if (!report.TimedOut())
        OnRefresh();
}

LRESULT CStaticMACDlg::OnVlanListNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0 && lParam != 0) {
        m_comboVid.AddString(reinterpret_cast<const VLAN_list_info*>(lParam)->strVlanId);
    } else if (wParam == 2) {
        m_comboVid.SetCurSel(0);
        m_comboVid.EnableWindow(TRUE);
    } else if (wParam == 1) {
        // The walk failed: the VLANs of the last complete walk are offered
        // again, none when there was none.
        const std::vector<std::string> ids = m_logic.m_moduleBase.GetVlanIds();
        m_comboVid.ResetContent();
        for (const std::string& strId : ids)
            m_comboVid.AddString(strId);
        m_comboVid.SetCurSel(0);
        m_comboVid.EnableWindow(ids.empty() ? FALSE : TRUE);
        m_readReport.Fail("the VLAN list", !ids.empty());
    }
    return 0;
}

void CStaticMACDlg::OnLearningRadio()
{
    ReadLearningRadio();
    m_editUplink.EnableWindow(m_nLearning == 0 ? TRUE : FALSE);
}

void CStaticMACDlg::OnAdd()
{
    const std::string strVid = SelectedText(m_comboVid);
    const std::string strPort = SelectedText(m_comboPort);
    std::string strMac;
    m_editMac.GetWindowText(strMac);

    // The checks below compare with the list: not with one never read.
    if (!m_bListRead) {
        CReadReport::RefuseUnread("the static MAC list");
        return;
    }
    if (m_list.GetItemCount() >= kMaxEntries) {
        AfxMessageBox("Only support 256  Static Mac entries.");
        ResetAddFields();
        return;
    }
    std::string strAsymmetric;
    m_readReport.Begin();
    if (m_logic.GetAsymmetricVlanState(strAsymmetric) == CStaticMACLogic::ReadResult::Silent) {
        m_readReport.Fail("the asymmetric VLAN state");
        return;
    }
    if (strAsymmetric == "1" && strVid != "1") {
        AfxMessageBox("The VLAN ID must equal to 1 when asymmetric VLAN enable.");
        ResetAddFields();
        return;
    }
    if (!CUtils::CheckMacAddress(strMac, false)) {
        ResetAddFields();
        return;
    }
    // Without the switch's own address there is nothing to compare with.
    std::string strDeviceMac;
    m_logic.m_moduleBase.GetDeviceMac(strDeviceMac);
    if (!strDeviceMac.empty() && SameText(strMac, strDeviceMac)) {
        AfxMessageBox("Could not be device MAC.");
        return;
    }
    if (m_logic.m_moduleBase.IsTrunkReady()) {
        const std::vector<int> trunkPorts = m_logic.m_moduleBase.GetTrunkPorts();
        const int nPort = CUtils::RowPort(strPort);
        if (nPort != 0 && nPort <= static_cast<int>(trunkPorts.size()) &&
            trunkPorts[static_cast<size_t>(nPort - 1)] != 0) {
            AfxMessageBox("Cannot add  ports with different FDB-destination-hit configurations to an aggregated link.");
            ResetAddFields();
            return;
        }
    }
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow) {
        if (SameText(m_list.GetItemText(nRow, kEntryColumnMac), strMac) &&
            m_list.GetItemText(nRow, kEntryColumnVid) == strVid) {
            AfxMessageBox("The entry is already in the Static MAC Address List.");
            ResetAddFields();
            return;
        }
    }
    // No VLAN to put the entry in (the VLAN walk gave none).
    if (strVid.empty()) {
        AfxMessageBox("Please select a VID.");
        return;
    }
    CWriteReport report;
    m_logic.SetEntry({strVid, strMac, strPort}, CStaticMACLogic::kActionCreate, report);
    ResetAddFields();
    AfterWrite(report);
}

void CStaticMACDlg::OnDelete()
{
    ReadLearningRadio();
    const int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the entry to delete.");
        return;
    }
    std::string strUplink;
    m_editUplink.GetWindowText(strUplink);
    if (m_nLearning == 1 && strUplink.empty()) {
        AfxMessageBox(kNeedUplink);
        return;
    }
    const STATIC_MAC_info entry{m_list.GetItemText(nRow, kEntryColumnVid), m_list.GetItemText(nRow, kEntryColumnMac),
                                m_list.GetItemText(nRow, kEntryColumnPort)};
    CWriteReport report;
    m_logic.SetEntry(entry, CStaticMACLogic::kActionDestroy, report);
    AfterWrite(report);
}

void CStaticMACDlg::OnClose()
{
    EndDialog(IDCANCEL);
}

void CStaticMACDlg::OnApply()
{
    // The state and the uplinks are written back: not before they were read.
    if (!m_logic.LearningRead()) {
        CReadReport::RefuseUnread("the MAC address learning settings");
        return;
    }
    ReadLearningRadio();
    const std::string strState = m_nLearning == 0 ? "1" : "2";
    std::string strUplink;
    m_editUplink.GetWindowText(strUplink);

    if (!CUtils::IsPlainNumberList(strUplink)) {
        AfxMessageBox("Invalid Portlist.");
        OnRefresh();
        return;
    }
    std::vector<int> flags(static_cast<size_t>(std::max(g_nPortCount, 0)), 0);
    if (!strUplink.empty() && !CUtils::ParsePortList(strUplink, flags)) {
        OnRefresh();
        return;
    }
    const std::vector<int> trunkPorts = m_logic.m_moduleBase.GetTrunkPorts();
    for (size_t i = 0; i < trunkPorts.size(); ++i) {
        if (trunkPorts[i] != 0 && (i >= flags.size() || flags[i] == 0)) {
            AfxMessageBox("Cannot add a Auto-learn disabled port to an aggregated link.");
            OnRefresh();
            return;
        }
    }
    if (m_nLearning == 0 && m_list.GetItemCount() == 0 && strUplink.empty()) {
        AfxMessageBox(kNeedUplink);
        OnRefresh();
        return;
    }
    // Enabling writes the uplinks after the state: an empty list is refused
    // before anything is sent.
    if (m_nLearning == 0 && strUplink.empty()) {
        AfxMessageBox("Please input port value.");
        OnRefresh();
        return;
    }
    CWriteReport report;
    m_logic.SetLearning(strState, strUplink, report);
    AfterWrite(report);
}
