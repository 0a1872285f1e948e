#include "features/layer2/CIGMPSnoopingVLANSetting.h"

#include "common/CWriteReport.h"

#include "common/CUtils.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "common/PortRows.h"
#include "features/layer2/CIGMPMulticastEntryTable.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/MessageBox.h"
#include "resources/igmp.h"

#include <algorithm>
#include <iterator>

namespace {

// The most ports a device profile may give: the check boxes' command range.
constexpr int kMaxPorts = 512;
// More ports than this lie in two rows.

const char* const kEnabled = "Enabled";
const char* const kDisabled = "Disabled";

constexpr ListColumn kIgmpVlanColumns[] = {{"VLAN ID", 80},        {"VLAN Name", 80},   {"State ", 80},
                                           {"Querier State", 120}, {"Fast Leave", 100}, {"Static Router Ports ", 160}};

// A state as the list shows it; one the switch gave as neither is unknown.
const char* StateText(const std::string& strValue)
{
    return strValue == "1" ? kEnabled : strValue == "2" ? kDisabled : "";
}

// Selects the item that begins with the text; none for an unknown (empty) text.
void SelectByPrefix(CComboBox& combo, const std::string& strText)
{
    if (strText.empty())
        combo.SetCurSel(-1);
    else
        combo.SelectString(-1, strText);
}

// "1" for "Enabled" (index 0), "2" for "Disabled"; empty without a selection.
std::string SelectedState(const CComboBox& combo)
{
    const int nSel = combo.GetCurSel();
    return nSel == 0 ? "1" : nSel == 1 ? "2" : "";
}

} // namespace

BEGIN_MESSAGE_MAP(CIGMPSnoopingVLANSetting, ClxDialog)
    ON_BN_CLICKED(IDC_IGMPV_APPLY, OnApplyVlan)
    ON_BN_CLICKED(IDC_IGMPV_ROUTER_APPLY, OnApplyRouterPorts)
    ON_BN_CLICKED(IDC_IGMPV_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_IGMPV_VIEW_ENTRY, OnViewEntries)
    ON_BN_CLICKED(IDCANCEL, OnClose)
    ON_CBN_SELCHANGE(IDC_IGMPV_STATE, OnStateChange)
    ON_NOTIFY(NM_CLICK, IDC_IGMPV_LIST, OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_IGMPV_LIST, OnListDblClk)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_IGMPV_ROUTER_PORT_FIRST, IDC_IGMPV_ROUTER_PORT_FIRST + kMaxPorts - 1,
                     OnRouterPortClicked)
    ON_MESSAGE(WM_IGMP_NOTIFY, OnIgmpNotify)
END_MESSAGE_MAP()

CIGMPSnoopingVLANSetting::CIGMPSnoopingVLANSetting(CWnd* pParent) : ClxDialog(IDD_IGMP_VLAN_SETTING, pParent) {}

CIGMPSnoopingVLANSetting::~CIGMPSnoopingVLANSetting()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_logic.CloseSessions();
}

BOOL CIGMPSnoopingVLANSetting::DestroyWindow()
{
    m_logic.CloseSessions();
    return ClxDialog::DestroyWindow();
}

void CIGMPSnoopingVLANSetting::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IGMPV_VLAN_NAME, m_editVlanName);
    DDX_Control(pDX, IDC_IGMPV_FAST_LEAVE, m_comboFastLeave);
    DDX_Control(pDX, IDC_IGMPV_QUERIER, m_comboQuerier);
    DDX_Control(pDX, IDC_IGMPV_STATE, m_comboState);
    DDX_Control(pDX, IDC_IGMPV_VLAN_ID, m_editVlanId);
    DDX_Control(pDX, IDC_IGMPV_LIST, m_list);
}

BOOL CIGMPSnoopingVLANSetting::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    m_logic.m_hNotifyWnd = GetSafeHwnd();

    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    InsertListColumns(m_list, kIgmpVlanColumns, LVCFMT_LEFT);
    m_editVlanId.SetWindowText("");
    for (CComboBox* pCombo : {&m_comboState, &m_comboQuerier, &m_comboFastLeave})
        pCombo->SetCurSel(0);

    m_portValue.assign(static_cast<std::size_t>(std::max(g_nPortCount, 0)), 0);
    CreatePortRows();
    OnRefresh();
    return TRUE;
}

// The labels start 30 pixels under "Static Router Ports", the check boxes as
// high as that text under them; the rows fill the width from the text's left
// edge to 2 pixels inside the group box. Beyond 28 ports each line of boxes
// stays under its own line of labels.
void CIGMPSnoopingVLANSetting::CreatePortRows()
{
    const CRect rcText = ClientRectOf(*this, IDC_IGMPV_ROUTER_TEXT);
    PortRowsPlace place;
    place.ptFirst = CPoint(rcText.left, rcText.bottom + 30);
    place.nRight = ClientRectOf(*this, IDC_IGMPV_ROUTER_GROUP).right - 2;
    place.nBox = rcText.Height();
    ::CreatePortRows(*this, g_nPortCount, place, IDC_IGMPV_PORT_LABEL_FIRST, BS_AUTOCHECKBOX,
                     IDC_IGMPV_ROUTER_PORT_FIRST, m_pPortLabels, m_pPortButtons);
}

void CIGMPSnoopingVLANSetting::OnRefresh()
{
    m_readReport.Begin();
    const BOOL bEnabled = m_strIgmpState == "1" ? TRUE : FALSE;
    GetDlgItem(IDC_IGMPV_APPLY)->EnableWindow(bEnabled);
    GetDlgItem(IDC_IGMPV_ROUTER_APPLY)->EnableWindow(bEnabled);
    GetDlgItem(IDC_IGMPV_REFRESH)->EnableWindow(FALSE);
    // The list keeps its rows until the walk has read the whole table.
    m_rowsArriving.clear();
    m_logic.StartIgmpVlanWalk();
    m_logic.StartTrunkWalk();
}

LRESULT CIGMPSnoopingVLANSetting::OnIgmpNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CIGMPSnoopingLogic::kNotifyRow && lParam != 0) {
        m_rowsArriving.push_back(*reinterpret_cast<const IGMP_vlan_info*>(lParam));
    } else if (wParam == CIGMPSnoopingLogic::kNotifyEnd) {
        if (lParam != 0) {
            FillList();
            m_bListRead = true;
        } else {
            // The list keeps its last complete read.
            m_readReport.Fail("the IGMP snooping VLAN list", m_bListRead);
        }
        m_rowsArriving.clear();
        GetDlgItem(IDC_IGMPV_REFRESH)->EnableWindow(TRUE);
    }
    return 0;
}

void CIGMPSnoopingVLANSetting::FillList()
{
    m_list.DeleteAllItems();
    for (const IGMP_vlan_info& row : m_rowsArriving) {
        const int nRow = m_list.GetItemCount();
        m_list.SetOrInsertItemText(nRow, 0, row.str[0].c_str());
        m_list.SetOrInsertItemText(nRow, 1, row.str[1].c_str());
        for (int nColumn = 2; nColumn <= 4; ++nColumn)
            m_list.SetOrInsertItemText(nRow, nColumn, StateText(row.str[static_cast<std::size_t>(nColumn)]));
        m_list.SetOrInsertItemText(nRow, 5, row.str[5].c_str());
    }
}

void CIGMPSnoopingVLANSetting::OnListClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    const int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    const std::string strVid = m_list.GetItemText(nRow, 0);
    m_editVlanId.SetWindowText(strVid);
    m_editVlanName.SetWindowText(m_list.GetItemText(nRow, 1));
    const std::string strState = m_list.GetItemText(nRow, 2);
    SelectByPrefix(m_comboState, strState);
    SelectByPrefix(m_comboQuerier, m_list.GetItemText(nRow, 3));
    SelectByPrefix(m_comboFastLeave, m_list.GetItemText(nRow, 4));
    const BOOL bEnabled = strState == kEnabled ? TRUE : FALSE;
    m_comboQuerier.EnableWindow(bEnabled);
    m_comboFastLeave.EnableWindow(bEnabled);

    // Only the VLAN's member ports can be router ports.
    std::vector<int> members;
    CUtils::ApplyPortList(m_logic.GetVlanMemberPorts(strVid), members, 1);
    for (int i = 0; i < g_nPortCount; ++i) {
        const bool bMember = i < static_cast<int>(members.size()) && members[static_cast<std::size_t>(i)] != 0;
        m_pPortButtons->EnableButton(bMember ? TRUE : FALSE, i);
    }

    ClearRouterPorts();
    const std::string strRouterPorts = m_list.GetItemText(nRow, 5);
    if (!strRouterPorts.empty()) {
        CUtils::ApplyPortList(strRouterPorts, m_portValue, 1);
        for (int i = 0; i < g_nPortCount; ++i)
            if (m_portValue[static_cast<std::size_t>(i)] != 0)
                m_pPortButtons->SetCheck(BST_CHECKED, i);
    }
}

void CIGMPSnoopingVLANSetting::OnListDblClk(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
}

void CIGMPSnoopingVLANSetting::OnStateChange()
{
    const BOOL bEnabled = m_comboState.GetCurSel() == 0 ? TRUE : FALSE;
    m_comboFastLeave.EnableWindow(bEnabled);
    m_comboQuerier.EnableWindow(bEnabled);
}

void CIGMPSnoopingVLANSetting::OnRouterPortClicked(UINT nID)
{
    const int n = static_cast<int>(nID) - (IDC_IGMPV_ROUTER_PORT_FIRST - 1);
    if (n < 1 || n > g_nPortCount || !m_pPortButtons)
        return;
    m_portValue[static_cast<std::size_t>(n - 1)] = m_pPortButtons->GetCheck(n - 1) == BST_CHECKED ? 1 : 0;
}

void CIGMPSnoopingVLANSetting::OnApplyVlan()
{
    const std::string strVid = m_editVlanId.GetWindowText();
    if (strVid.empty() || !GetDlgItem(IDC_IGMPV_APPLY)->IsWindowEnabled())
        return;
    std::string strOldState;
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow) {
        if (m_list.GetItemText(nRow, 0) != strVid)
            continue;
        // A state the switch gave as neither stays unknown: nothing is written over it.
        const std::string strListed = m_list.GetItemText(nRow, 2);
        strOldState = std::string(strListed == kEnabled ? "1" : strListed == kDisabled ? "2" : "");
        break;
    }
    const std::string strNewState = SelectedState(m_comboState);
    const std::string strQuerier = SelectedState(m_comboQuerier);
    const std::string strFastLeave = SelectedState(m_comboFastLeave);
    // A box that shows no value would write a guess.
    if (strNewState.empty() || strQuerier.empty() || strFastLeave.empty())
        return;
    if (strNewState == "2" && AfxMessageBox("All router ports of this VLAN will be deleted.", MB_OKCANCEL) == IDCANCEL)
        return;
    CWriteReport report;
    m_logic.SetVlanSettings(strVid, strOldState, strNewState, strQuerier, strFastLeave, std::string(), &report);
    report.Report();
    // A silent switch is not asked again.
    if (!report.TimedOut())
        OnRefresh();
    ResetFields();
}

std::vector<BYTE> CIGMPSnoopingVLANSetting::RouterPortBitmap(const std::vector<int>& flags)
{
    std::string strMask;
    CUtils::PortFlagsToHex(flags, strMask);
    switch (g_nPortCount) {
    case 52:
        strMask += std::string(11, '0');
        break;
    case 28:
        strMask += std::string(9, '0');
        break;
    case 20:
        strMask += std::string(3, '0');
        break;
    default:
        CUtils::PadHexPortMask(strMask);
        break;
    }
    std::vector<BYTE> octets;
    CUtils::HexToByteValues(strMask, octets, static_cast<int>(strMask.size() / 2));
    return octets;
}

void CIGMPSnoopingVLANSetting::OnApplyRouterPorts()
{
    if (!GetDlgItem(IDC_IGMPV_ROUTER_APPLY)->IsWindowEnabled())
        return;
    const std::string strVid = m_editVlanId.GetWindowText();
    if (strVid.empty()) {
        AfxMessageBox("Please select VLAN first.", MB_OK);
        return;
    }
    if (!m_logic.CheckTrunkConsistency(m_portValue)) {
        AfxMessageBox("Members of port channel must have the same status.", MB_OK);
        return;
    }
    const std::vector<BYTE> bitmap = RouterPortBitmap(m_portValue);
    CWriteReport report;
    if (m_logic.SetRouterPorts(strVid, bitmap.data(), static_cast<int>(bitmap.size()), &report))
        OnRefresh();
    report.Report();
    ClearRouterPorts();
    ResetFields();
}

void CIGMPSnoopingVLANSetting::ClearRouterPorts()
{
    for (int i = 0; i < g_nPortCount; ++i)
        m_pPortButtons->SetCheck(BST_UNCHECKED, i);
    std::fill(m_portValue.begin(), m_portValue.end(), 0);
}

void CIGMPSnoopingVLANSetting::ResetFields()
{
    m_editVlanId.SetWindowText("");
    m_editVlanName.SetWindowText("");
    for (CComboBox* pCombo : {&m_comboState, &m_comboQuerier, &m_comboFastLeave}) {
        pCombo->SetCurSel(0);
        pCombo->EnableWindow(TRUE);
    }
}

void CIGMPSnoopingVLANSetting::OnViewEntries()
{
    CIGMPMulticastEntryTable entries;
    entries.DoModal();
}

void CIGMPSnoopingVLANSetting::OnClose()
{
    OnCancel();
}
