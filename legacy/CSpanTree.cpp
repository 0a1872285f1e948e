#include "legacy/CSpanTree.h"

#include "common/CReadReport.h"
#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "features/ports_vlans/WalkMessages.h"
#include "legacy/CLegacyText.h"
#include "legacy/CSpanTreePortParam.h"
#include "platform/snmp/CSnmp.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/legacy_config.h"
#include "resources/main.h"

#include <algorithm>
#include <memory>

namespace {

const std::string kPortTable = "1.3.6.1.2.1.17.2.15.1.";
// The walk's columns, binding i feeding list column i.
const int kColumnObjects[CSpanTree::kColumns] = {1, 2, 5, 4, 3, 6, 7, 8, 9, 10};
const char* const kHeadings[CSpanTree::kColumns] = {"Port",
                                                    "Priority",
                                                    "Cost ",
                                                    "Enable",
                                                    "Status  ",
                                                    " ==Designated Root== ",
                                                    "Designated Cost",
                                                    " ==Designated Bridge== ",
                                                    "Designated Port",
                                                    "Forwardings"};
constexpr int kLeastBindings = 6;

std::string StateWord(const std::string& value)
{
    static const char* const kWords[] = {"Disabled", "Blocked", "Monitored", "Learn", "Forward", "Token"};
    if (value.size() == 1 && value[0] >= '1' && value[0] <= '6')
        return kWords[value[0] - '1'];
    return value;
}

} // namespace

BEGIN_MESSAGE_MAP(CSpanTree, CDialog)
    ON_BN_CLICKED(IDC_LSTPT_PORT_CONFIG, OnPortConfig)
    ON_BN_CLICKED(IDC_LSTPT_BRIDGE_CONFIG, OnBridgeConfig)
    ON_BN_CLICKED(IDC_LSTPT_REFRESH, OnRefresh)
    ON_WM_SHOWWINDOW()
    ON_NOTIFY(NM_DBLCLK, IDC_LSTPT_LIST, OnListDoubleClick)
    ON_MESSAGE(WM_WALK_FINISHED, OnWalkFinished)
    ON_MESSAGE(WM_WALK_FAILED, OnWalkFailed)
END_MESSAGE_MAP()

CSpanTree::CSpanTree(CWnd* pParent) : CDialog(IDD_LEGACY_STP_TABLE, pParent) {}

CSpanTree::~CSpanTree()
{
    m_cCommonSNMP.Close();
}

BOOL CSpanTree::DestroyWindow()
{
    m_cCommonSNMP.Close();
    return CDialog::DestroyWindow();
}

void CSpanTree::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LSTPT_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_LSTPT_BRIDGE_CONFIG, m_btnBridgeConfig);
    DDX_Control(pDX, IDC_LSTPT_PORT_CONFIG, m_btnPortConfig);
    DDX_Control(pDX, IDC_LSTPT_COUNT, m_staticCount);
    DDX_Control(pDX, IDC_LSTPT_LIST, m_list);
}

BOOL CSpanTree::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    for (int i = 0; i < kColumns; ++i)
        m_list.InsertAutoWidthColumn(kHeadings[i], i, -1, 0xF, 0);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    SetWindowText("Spanning Tree Table");
    return TRUE;
}

void CSpanTree::OnCancel()
{
    CDialog::OnCancel();
}

void CSpanTree::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // Every showing reads the table again (not the hiding). The walk starts
    // here rather than from a posted Refresh: a message posted now would wait
    // for whatever runs the window's loop to return.
    if (bShow)
        OnRefresh();
}

void CSpanTree::OnBridgeConfig() {}

void CSpanTree::OnRefresh()
{
    RefreshTable();
}

void CSpanTree::RefreshTable()
{
    m_readReport.Begin();
    // The rows shown stay until the walk has read the whole table.
    m_btnPortConfig.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    m_cCommonSNMP.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_RowsBuilding.clear();
    }
    for (int nObject : kColumnObjects)
        m_cCommonSNMP.AddValue(kPortTable + std::to_string(nObject), SnmpValueNull);
    // A walk that cannot start ends as a failed one: the buttons come back.
    if (!m_cCommonSNMP.StartAsync(&CSpanTree::OnPortRow, this))
        ::SendMessage(GetSafeHwnd(), WM_WALK_FAILED, 0, 0);
}

int CSpanTree::OnPortRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSpanTree*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse || pResponse->getVarBindCount() < kLeastBindings) {
        session.SignalDone();
        ::SendMessage(pThis->GetSafeHwnd(), nStatus == SnmpStatusEndOfWalk ? WM_WALK_FINISHED : WM_WALK_FAILED, 0,
                      0);
        return 0;
    }
    // The row's port is its own index; a port the switch cannot have is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        Row row;
        const int nCount = std::min(pResponse->getVarBindCount(), kColumns);
        for (int i = 0; i < nCount; ++i) {
            if (!CModuleBase::HasValue(pResponse.get(), i))
                continue;
            const std::string strValue = CModuleBase::ValueText(pResponse.get(), i);
            // The designated root and bridge, and the designated port (two
            // bytes: priority and number), are bytes, not text.
            if (i == 5 || i == 7 || i == 8)
                row[i] = CLegacyText::IdentifierText(strValue);
            else if (i == 3)
                row[i] = strValue == "1" ? "Y" : "N";
            else if (i == 4)
                row[i] = StateWord(strValue);
            else
                row[i] = strValue;
        }
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_RowsBuilding.emplace_back(nPort, row);
    }
    session.StartRequest(&CSpanTree::OnPortRow, pThis, 0, 0);
    return 1;
}

LRESULT CSpanTree::OnWalkFinished(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    {
        std::vector<std::pair<int, Row>> rows;
        {
            std::lock_guard lock(m_csRows);
            rows.swap(m_RowsBuilding);
        }
        m_list.DeleteAllItems();
        int nItem = 0;
        for (const auto& entry : rows) {
            const Row& row = entry.second;
            m_list.SetOrInsertItemText(nItem, 0, row[0].c_str());
            for (int i = 1; i < kColumns; ++i)
                m_list.SetOrInsertItemText(nItem, i, row[i].c_str());
            ++nItem;
        }
        m_staticCount.SetWindowText(std::to_string(nItem));
    }
    EndWalk();
    return 0;
}

LRESULT CSpanTree::OnWalkFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    EndWalk();
    // The list keeps its last complete read.
    m_readReport.Fail("the spanning tree port table", m_list.GetItemCount() > 0);
    return 0;
}

void CSpanTree::EndWalk()
{
    m_btnPortConfig.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
}

void CSpanTree::OnPortConfig()
{
    // Nothing to configure before a row is shown.
    if (m_list.GetItemCount() == 0)
        return;
    CSpanTreePortParam port;
    port.m_pSpanTree = this;
    if (port.DoModal() == IDOK) {
        m_list.DeleteAllItems();
        m_staticCount.SetWindowText("0");
        RefreshTable();
    }
}

void CSpanTree::OnListDoubleClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (m_list.GetItemCount() != 0 && m_list.GetNextItem(-1, LVNI_SELECTED) >= 0)
        OnPortConfig();
}
