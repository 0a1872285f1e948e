#include "features/layer2/CMultiFilterModeConfig.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/ListColumn.h"
#include "common/VlanTableOids.h"
#include "features/layer2/Layer2Writes.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/mfilter.h"

#include <iterator>
#include <memory>

namespace {

const std::string kVlanIdColumn = KorvelOid("10.76.19.1.7.8.1.1");
const std::string kModeColumn = KorvelOid("10.76.19.1.7.8.1.2");

// The mode combo's items, in the order of the values written ("0", "1").
const char* const kModeTexts[] = {"Forward Unregistered Groups", "Filtering Unregistered Groups"};

const std::string kFilterWhat = "the multicast filtering modes";

constexpr ListColumn kFilterModeColumns[] = {{"VLAN ID", 100}, {"VLAN Name", 150}, {"Multicast Filtering Mode", 320}};

} // namespace

BEGIN_MESSAGE_MAP(CMultiFilterModeConfig, CDialog)
    ON_BN_CLICKED(IDC_MFILTER_APPLY, OnApply)
    ON_BN_CLICKED(IDC_MFILTER_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDCANCEL, OnClose)
    ON_BN_CLICKED(IDC_MFILTER_ALL, OnAllClicked)
    ON_MESSAGE(WM_MFILTER_WALK_END, OnWalkEnd)
END_MESSAGE_MAP()

CMultiFilterModeConfig::CMultiFilterModeConfig(CWnd* pParent) : CDialog(IDD_MULTICAST_FILTER, pParent) {}

CMultiFilterModeConfig::~CMultiFilterModeConfig()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMPTable.Close();
}

BOOL CMultiFilterModeConfig::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    return CDialog::DestroyWindow();
}

void CMultiFilterModeConfig::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MFILTER_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_MFILTER_ALL, m_checkAll);
    DDX_Control(pDX, IDC_MFILTER_VLAN, m_comboVlan);
    DDX_Control(pDX, IDC_MFILTER_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_MFILTER_LIST, m_list);
    DDX_Control(pDX, IDC_MFILTER_MODE, m_comboMode);
}

BOOL CMultiFilterModeConfig::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    InsertListColumns(m_list, kFilterModeColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    for (const char* pszText : kModeTexts)
        m_comboMode.AddString(pszText);
    m_comboMode.SetCurSel(0);
    OnRefresh();
    return TRUE;
}

void CMultiFilterModeConfig::EnableButtons(BOOL bEnable)
{
    m_btnApply.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
}

void CMultiFilterModeConfig::OnRefresh()
{
    m_readReport.Begin();
    // Opening stops a walk that still runs: its late rows are stale. The list
    // keeps its rows until the walk has read the whole table.
    const bool bReady = m_cCommonSNMPTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_rowsBuilding.clear();
    }
    EnableButtons(FALSE);
    if (bReady) {
        for (const std::string* pColumn : {&kVlanIdColumn, &kVlanNameColumn, &kModeColumn})
            m_cCommonSNMPTable.AddValue(*pColumn, SnmpValueNull);
    }
    if (!bReady || !m_cCommonSNMPTable.StartAsync(&CMultiFilterModeConfig::OnFilterReply, this))
        WalkFailed();
}

void CMultiFilterModeConfig::WalkFailed()
{
    EnableButtons(TRUE);
    m_readReport.Fail(kFilterWhat, m_bListRead);
}

int CMultiFilterModeConfig::OnFilterReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CMultiFilterModeConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        pThis->SendMessage(WM_MFILTER_WALK_END, nStatus == SnmpStatusEndOfWalk ? 1 : 0, 0);
        return 0;
    }
    // The step's bindings stand at one row's index, the VLAN's: a VLAN the
    // filtering table lacks (only the VLAN table knows it) has no row, nor
    // has an index that is no VLAN id.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nVid = CUtils::RowVlanId(strSuffix);
    const bool bFiltered = CModuleBase::HasValue(pResponse.get(), 0) || CModuleBase::HasValue(pResponse.get(), 2);
    if (nVid != 0 && bFiltered) {
        FilterRow row;
        row.strVlanId = std::to_string(nVid);
        row.strName = CModuleBase::ValueText(pResponse.get(), 1);
        const std::string strMode = CModuleBase::EnumText(pResponse.get(), 2, {0, 1});
        if (!strMode.empty())
            row.strMode = kModeTexts[strMode == "0" ? 0 : 1];
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_rowsBuilding.push_back(row);
    }
    session.StartRequest(&CMultiFilterModeConfig::OnFilterReply, pThis, 0, 0);
    return 0;
}

LRESULT CMultiFilterModeConfig::OnWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam != 1) {
        WalkFailed();
        return 0;
    }
    std::vector<FilterRow> rows;
    {
        std::lock_guard lock(m_csRows);
        rows = m_rowsBuilding;
    }
    m_list.DeleteAllItems();
    m_comboVlan.ResetContent();
    for (const FilterRow& row : rows) {
        const int nRow = m_list.GetItemCount();
        m_list.SetOrInsertItemText(nRow, 0, row.strVlanId.c_str());
        m_list.SetOrInsertItemText(nRow, 1, row.strName.c_str());
        m_list.SetOrInsertItemText(nRow, 2, row.strMode.c_str());
        m_comboVlan.AddString(row.strVlanId);
    }
    m_comboVlan.SetCurSel(rows.empty() ? -1 : 0);
    m_bListRead = true;
    EnableButtons(TRUE);
    return 0;
}

void CMultiFilterModeConfig::OnAllClicked()
{
    m_comboVlan.EnableWindow(m_checkAll.GetCheck() == BST_CHECKED ? FALSE : TRUE);
}

void CMultiFilterModeConfig::OnApply()
{
    if (!m_btnApply.IsWindowEnabled())
        return;
    // The VLANs written are the ones a walk listed: none before one has.
    if (!m_bListRead) {
        CReadReport::RefuseUnread(kFilterWhat);
        return;
    }
    const std::string strValue = m_comboMode.GetCurSel() == 0 ? "0" : "1";
    std::vector<std::string> vlans;
    if (m_checkAll.GetCheck() == BST_CHECKED) {
        for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
            vlans.push_back(m_list.GetItemText(nRow, 0));
    } else if (m_comboVlan.GetCurSel() >= 0) {
        std::string strVid;
        m_comboVlan.GetLBText(m_comboVlan.GetCurSel(), strVid);
        vlans.push_back(strVid);
    }
    // No VLAN listed: nothing to write.
    if (vlans.empty())
        return;
    CWriteReport report;
    const std::string strWhat = vlans.size() == 1 && m_checkAll.GetCheck() != BST_CHECKED
                                    ? "the multicast filtering mode of VLAN " + vlans.front()
                                    : "the multicast filtering mode of the listed VLANs";
    std::vector<layer2::IntegerBinding> bindings;
    for (const std::string& strVid : vlans)
        bindings.emplace_back(kModeColumn + "." + strVid, strValue);
    layer2::SendIntegers(report, m_cCommonSNMP, bindings, strWhat);
    report.Report();
    // A silent switch is not asked again at once.
    if (!report.TimedOut())
        OnRefresh();
}

void CMultiFilterModeConfig::OnClose()
{
    OnCancel();
}
