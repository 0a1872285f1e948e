#include "features/ports_vlans/CTrunkConfigDlg.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "features/ports_vlans/CKSXTrunkPort.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <cstdlib>
#include <memory>

namespace {

const std::string kTrunkStateOid = KorvelOid("10.76.19.1.8.1.2.0");
const std::string kTrunkMembersColumn = KorvelOid("10.76.19.1.8.1.3.1.2");
const std::string kTrunkModeColumn = KorvelOid("10.76.19.1.8.1.3.1.3");

// Mode texts of the list and the combo, in the combo's order.
const char* const kModeLacp = "LACP";
const char* const kModeStatic = "Static";
const char* const kModeDisable = "Disable";

} // namespace

BEGIN_MESSAGE_MAP(CTrunkConfigDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_TRUNK_LIST, OnListItemChanged)
    ON_BN_CLICKED(IDC_TRUNK_REFRESH, OnRefresh)
    ON_NOTIFY(NM_CLICK, IDC_TRUNK_LIST, OnListClick)
    ON_BN_CLICKED(IDC_TRUNK_APPLY_MODE, OnApplyChannelMode)
    ON_BN_CLICKED(IDC_TRUNK_PORT_MEMBER, OnPortMember)
    ON_BN_CLICKED(IDC_TRUNK_APPLY_STATE, OnApplyTrunkState)
    ON_NOTIFY(LVN_KEYDOWN, IDC_TRUNK_LIST, OnListKeyDown)
END_MESSAGE_MAP()

CTrunkConfigDlg::CTrunkConfigDlg(CWnd* pParent) : CDialog(IDD_TRUNK_CONFIG, pParent) {}

// The sessions stop with the members: a running walk ends before the list goes.
CTrunkConfigDlg::~CTrunkConfigDlg() = default;

void CTrunkConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TRUNK_ID, m_editTrunkId);
    DDX_Control(pDX, IDC_TRUNK_LIST, m_listTrunk);
    DDX_Control(pDX, IDC_TRUNK_MODE, m_comboMode);
    DDX_Control(pDX, IDC_TRUNK_ENABLE, m_checkEnable);
}

BOOL CTrunkConfigDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    const UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    m_listTrunk.InsertAutoWidthColumn("TrunkID    ", 0, -1, nMask, LVCFMT_LEFT);
    m_listTrunk.InsertAutoWidthColumn("PortChannelMode    ", 1, -1, nMask, LVCFMT_LEFT);
    m_listTrunk.InsertAutoWidthColumn("PortMember                            ", 2, -1, nMask, LVCFMT_LEFT);
    m_listTrunk.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    GetDlgItem(IDC_TRUNK_PORT_MEMBER)->EnableWindow(FALSE);
    // Nothing to apply until the state has been read.
    GetDlgItem(IDC_TRUNK_APPLY_STATE)->EnableWindow(FALSE);

    OnRefresh();
    return TRUE;
}

void CTrunkConfigDlg::OnListItemChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
}

void CTrunkConfigDlg::OnRefresh()
{
    ReadTrunkState();
    StartTrunkTableWalk();
}

void CTrunkConfigDlg::ReadTrunkState()
{
    if (!m_cStateSNMP.Open(SnmpPduGet) || m_cStateSNMP.AddValue(kTrunkStateOid, SnmpValueNull) != 0)
        return;
    std::unique_ptr<CSnmp> response;
    if (m_cStateSNMP.send(response, 0) != SnmpStatusOk || !response)
        return;
    int nError = 0;
    int nErrorIndex = 0;
    response->getError(&nError, &nErrorIndex);
    if (nError != 0 || response->getVarBindCount() < 1)
        return;
    const std::string strState = CModuleBase::IntegerText(response.get(), 0);
    const bool bEnabled = strState == "1";
    m_checkEnable.SetCheck(bEnabled ? BST_CHECKED : BST_UNCHECKED);
    GetDlgItem(IDC_TRUNK_PORT_MEMBER)->EnableWindow(bEnabled);
    // A state outside 1 and 2 is unknown: the box would write a guess.
    m_bStateRead = bEnabled || strState == "2";
    GetDlgItem(IDC_TRUNK_APPLY_STATE)->EnableWindow(m_bStateRead ? TRUE : FALSE);
}

void CTrunkConfigDlg::StartTrunkTableWalk()
{
    // Opening stops a walk that still runs, so none of its rows lands in the
    // emptied list.
    const bool bReady = m_cTableSNMP.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_rowsBuilding.clear();
    }
    if (!bReady || m_cTableSNMP.AddValue(kTrunkMembersColumn, SnmpValueNull) != 0 ||
        m_cTableSNMP.AddValue(kTrunkModeColumn, SnmpValueNull) != 0)
        return;
    // Refresh comes back when the walk's call-back sees its end.
    GetDlgItem(IDC_TRUNK_REFRESH)->EnableWindow(FALSE);
    // A walk that cannot start ends as a failed one: Refresh comes back.
    if (!m_cTableSNMP.StartAsync(&CTrunkConfigDlg::OnTrunkRowReply, this))
        GetDlgItem(IDC_TRUNK_REFRESH)->EnableWindow(TRUE);
}

int CTrunkConfigDlg::OnTrunkRowReply(CSnmp* pResponse, int nRequestId, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> response(pResponse);
    auto* pDlg = static_cast<CTrunkConfigDlg*>(pUserData);
    if (!pDlg->m_cTableSNMP.FindRequestID(nRequestId))
        return 0;
    if (nStatus != SnmpStatusOk || !response) {
        // The end of the table shows its rows whole; a failure keeps the list.
        if (nStatus == SnmpStatusEndOfWalk)
            pDlg->ShowBuiltRows();
        if (CWnd* pRefresh = pDlg->GetDlgItem(IDC_TRUNK_REFRESH))
            pRefresh->EnableWindow(TRUE);
        return 0;
    }

    // Binding 0 is the member column, whose row index is the trunk id;
    // binding 1 the mode column (1 LACP, 2 Static, 3 Disable).
    TrunkRow row;
    const int nCount = response->getVarBindCount();
    if (nCount > 0) {
        // Members served as another type than a port bitmap are unknown: none shown.
        std::string bitmap;
        CModuleBase::OctetValue(response.get(), 0, bitmap);
        int nPorts = 0;
        row.strMembers = CUtils::PortBitmapToList(bitmap, nPorts);
        std::string strSuffix;
        pDlg->m_cTableSNMP.GetIndexSuffix(0, response.get(), strSuffix);
        row.strTrunkId = !strSuffix.empty() && strSuffix[0] == '.' ? strSuffix.substr(1) : strSuffix;
    }
    if (nCount > 1) {
        const std::string value = CModuleBase::IntegerText(response.get(), 1);
        row.strMode = value == "1" ? kModeLacp : value == "2" ? kModeStatic : value == "3" ? kModeDisable : "";
    }
    {
        std::lock_guard lock(pDlg->m_csRows);
        pDlg->m_rowsBuilding.push_back(row);
    }
    response.reset();
    // A next step that cannot start ends the walk as a failed one: the list
    // stays, Refresh comes back.
    if (!pDlg->m_cTableSNMP.StartAsync(&CTrunkConfigDlg::OnTrunkRowReply, pDlg)) {
        if (CWnd* pRefresh = pDlg->GetDlgItem(IDC_TRUNK_REFRESH))
            pRefresh->EnableWindow(TRUE);
    }
    return 0;
}

void CTrunkConfigDlg::ShowBuiltRows()
{
    std::vector<TrunkRow> rows;
    {
        std::lock_guard lock(m_csRows);
        rows = m_rowsBuilding;
    }
    m_listTrunk.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const int nRow = static_cast<int>(i);
        m_listTrunk.SetOrInsertItemText(nRow, 0, rows[i].strTrunkId.c_str(), -1);
        m_listTrunk.SetOrInsertItemText(nRow, 1, rows[i].strMode.c_str(), -1);
        m_listTrunk.SetOrInsertItemText(nRow, 2, rows[i].strMembers.c_str(), -1);
    }
}

void CTrunkConfigDlg::CopyRowToFields(int nRow)
{
    m_editTrunkId.SetWindowText(m_listTrunk.GetItemText(nRow, 0));
    const std::string strMode = m_listTrunk.GetItemText(nRow, 1);
    int nItem = -1;
    for (int i = 0; i < m_comboMode.GetCount() && nItem < 0; ++i) {
        std::string strItem;
        m_comboMode.GetLBText(i, strItem);
        if (strItem == strMode)
            nItem = i;
    }
    m_comboMode.SetCurSel(nItem);
    m_strMemberList = m_listTrunk.GetItemText(nRow, 2);
}

std::string CTrunkConfigDlg::GetModeText() const
{
    const int nSelected = m_comboMode.GetCurSel();
    std::string strMode;
    if (nSelected >= 0)
        m_comboMode.GetLBText(nSelected, strMode);
    return strMode;
}

void CTrunkConfigDlg::OnListClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    m_strMemberList.clear();
    const int nRow = m_listTrunk.GetNextItem(-1, LVNI_SELECTED);
    if (nRow >= 0)
        CopyRowToFields(nRow);
    *pResult = 0;
}

void CTrunkConfigDlg::OnListKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pKey = reinterpret_cast<const NMLVKEYDOWN*>(pNMHDR);
    if (pKey->wVKey != VK_UP && pKey->wVKey != VK_DOWN)
        return;
    const int nSelected = m_listTrunk.GetNextItem(-1, LVNI_SELECTED);
    if (nSelected < 0)
        return;
    const int nTarget = pKey->wVKey == VK_UP ? nSelected - 1 : nSelected + 1;
    if (nTarget >= 0 && nTarget < m_listTrunk.GetItemCount())
        CopyRowToFields(nTarget);
}

void CTrunkConfigDlg::OnApplyTrunkState()
{
    if (!m_bStateRead)
        return;
    const bool bEnable = m_checkEnable.GetCheck() == BST_CHECKED;
    m_cStateSNMP.Open(SnmpPduSet);
    m_cStateSNMP.AddValue(kTrunkStateOid, SnmpValueInteger, bEnable ? "1" : "2");
    CWriteReport report;
    if (!report.Send(m_cStateSNMP, "the link aggregation state")) {
        report.Report();
        // The box goes back to what the switch has; a switch that did not
        // answer is not asked again now.
        if (!report.TimedOut())
            OnRefresh();
        return;
    }
    Sleep(10);
    OnRefresh();
}

int CTrunkConfigDlg::FindTrunkRow(const std::string& strTrunkId) const
{
    const int nRows = m_listTrunk.GetItemCount();
    for (int nRow = 0; nRow < nRows; ++nRow)
        if (m_listTrunk.GetItemText(nRow, 0) == strTrunkId)
            return nRow;
    return -1;
}

void CTrunkConfigDlg::OnApplyChannelMode()
{
    if (m_checkEnable.GetCheck() != BST_CHECKED) {
        AfxMessageBox("Link Aggregation State is disable.", MB_OK);
        return;
    }
    const std::string strTrunkId = m_editTrunkId.GetWindowText();
    const std::string strMode = GetModeText();
    if (strTrunkId.empty())
        return;
    // The row that shows this trunk; a trunk no longer listed reads as empty.
    const int nRow = FindTrunkRow(strTrunkId);
    const std::string strListedMode = nRow >= 0 ? m_listTrunk.GetItemText(nRow, 1) : std::string();
    const std::string strListedMembers = nRow >= 0 ? m_listTrunk.GetItemText(nRow, 2) : std::string();
    if (strMode == strListedMode)
        return;
    if (nRow >= 0 && strListedMode.empty()) {
        AfxMessageBox("The channel mode of trunk " + strTrunkId + " could not be read. Please refresh.", MB_OK);
        return;
    }
    if (strListedMembers.empty()) {
        AfxMessageBox("The minimum port numbers for an aggregated link is 2.", MB_OK);
        return;
    }
    SetChannelMode(std::atoi(strTrunkId.c_str()));
}

void CTrunkConfigDlg::SetChannelMode(int nTrunkId)
{
    const int nSelected = m_comboMode.GetCurSel();
    const char* pszValue = nSelected == 0 ? "1" : nSelected == 1 ? "2" : "3";
    m_cStateSNMP.Open(SnmpPduSet);
    m_cStateSNMP.AddValue(kTrunkModeColumn + "." + std::to_string(nTrunkId), SnmpValueInteger, pszValue);
    CWriteReport report;
    if (!report.Send(m_cStateSNMP, "the channel mode of trunk " + std::to_string(nTrunkId))) {
        report.Report();
        if (!report.TimedOut())
            OnRefresh();
        return;
    }
    Sleep(50);
    OnRefresh();
}

void CTrunkConfigDlg::OnPortMember()
{
    const std::string strMode = GetModeText();
    if (strMode == kModeDisable) {
        AfxMessageBox("Please select the Channel Mode (LACP or Static) first.", MB_OK);
        return;
    }
    const std::string strTrunkId = m_editTrunkId.GetWindowText();
    if (strTrunkId.empty()) {
        AfxMessageBox("Please select the Trunk !", MB_OK);
        return;
    }
    const int nRow = FindTrunkRow(strTrunkId);
    if (nRow >= 0)
        m_strMemberList = m_listTrunk.GetItemText(nRow, 2);

    CKSXTrunkPort picker;
    picker.m_strTrunkID = strTrunkId;
    picker.m_strChannelMode = strMode;
    picker.m_strPortMember = m_strMemberList;
    if (picker.DoModal() == IDOK)
        OnRefresh();
}
