#include "features/layer2/CPrivateSpanTree.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "features/layer2/CPrivateSpanTPort.h"
#include "features/layer2/CSTPLogic.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/stp.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

const std::string kStpPortEnable = "1.3.6.1.2.1.17.2.15.1.4";

std::string PortColumn(int nColumn)
{
    return CPrivateSpanTree::kPortTable + "." + std::to_string(nColumn);
}

// A value and the text it is shown as; a value none names is shown as it came.
struct ValueText
{
    const char* value;
    const char* text;
};
constexpr ValueText kStateTexts[] = {{"1", "Enabled"}, {"2", "Disabled"}};
constexpr ValueText kEdgeTexts[] = {{"0", "False"}, {"1", "True"}, {"2", "Auto"}};
constexpr ValueText kP2PTexts[] = {{"0", "Force True"}, {"1", "Force False"}, {"2", "Auto"}};
constexpr ValueText kTrueFalseTexts[] = {{"1", "True"}, {"2", "False"}};
constexpr ValueText kStatusTexts[] = {{"1", "Disabled"}, {"2", "Discarding"}, {"4", "Learning"}, {"5", "Forwarding"}};

template <std::size_t N> std::string Mapped(const ValueText (&texts)[N], const std::string& strValue)
{
    for (const ValueText& t : texts) {
        if (strValue == t.value)
            return t.text;
    }
    return strValue;
}

// The walked columns in the order of the request, and the list column each
// fills (-1: the operative cost, which goes into column 3 through the rule
// below).
struct WalkColumn
{
    int nTableColumn;
    int nListColumn;
};
constexpr WalkColumn kWalkColumns[] = {{1, 0},  {4, 1},  {2, 2},  {5, 3},  {16, 4},
                                       {14, 5}, {17, 6}, {18, 7}, {3, 8},  {6, -1}};
// A reply with fewer values ends the walk.
constexpr int kLeastPortValues = 6;

std::string MappedText(int nListColumn, const std::string& strValue)
{
    switch (nListColumn) {
    case 1:
        return Mapped(kStateTexts, strValue);
    case 4:
        return Mapped(kEdgeTexts, strValue);
    case 5:
        return Mapped(kP2PTexts, strValue);
    case 6:
    case 7:
        return Mapped(kTrueFalseTexts, strValue);
    case 8:
        return Mapped(kStatusTexts, strValue);
    default:
        return strValue;
    }
}

// The port of a row index suffix (".5" gives 5); 0 for one that is no port of
// this switch.
int PortOfSuffix(const std::string& strSuffix)
{
    if (strSuffix.size() < 2 || strSuffix[0] != '.' || strSuffix.find('.', 1) != std::string::npos)
        return 0;
    const std::string strNumber = strSuffix.substr(1);
    if (strNumber.find_first_not_of("0123456789") != std::string::npos || !CSTPLogic::IsWholeNumber(strNumber))
        return 0;
    const long long nPort = CSTPLogic::WholeNumber(strNumber);
    return nPort >= 1 && nPort <= g_nPortCount ? static_cast<int>(nPort) : 0;
}

// Width 0: as wide as the heading.
constexpr ListColumn kStpPortColumns[] = {
    {"Port", 0}, {"State", 100},           {"Priority", 0},         {"External Cost ", 120}, {"Edge", 0},
    {"P2P", 80}, {"Restricted Role", 120}, {"Restricted TCN", 120}, {"Port Status", 100}};

} // namespace

const std::string CPrivateSpanTree::kPortTable = KorvelOid("10.76.19.1.6.2.1");

BEGIN_MESSAGE_MAP(CPrivateSpanTree, CDialog)
    ON_BN_CLICKED(IDC_STP_TABLE_PORT_CONFIG, OnPortConfig)
    ON_BN_CLICKED(IDC_STP_TABLE_REFRESH, OnRefresh)
    ON_WM_SHOWWINDOW()
    ON_NOTIFY(NM_DBLCLK, IDC_STP_TABLE_LIST, OnListDblClk)
    ON_MESSAGE(WM_STP_TABLE_WALK_END, OnWalkEnd)
END_MESSAGE_MAP()

CPrivateSpanTree::CPrivateSpanTree(CWnd* pParent) : CDialog(IDD_STP_PORT_TABLE, pParent) {}

CPrivateSpanTree::~CPrivateSpanTree()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMP.Close();
}

BOOL CPrivateSpanTree::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    return CDialog::DestroyWindow();
}

void CPrivateSpanTree::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STP_TABLE_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_STP_TABLE_PORT_CONFIG, m_btnPortConfig);
    DDX_Control(pDX, IDC_STP_TABLE_COUNT, m_staticCount);
    DDX_Control(pDX, IDC_STP_TABLE_LIST, m_listPorts);
}

BOOL CPrivateSpanTree::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    m_readReport.Begin();
    DisableStpOnLbdPorts();

    const UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    for (int i = 0; i < static_cast<int>(std::size(kStpPortColumns)); ++i) {
        if (kStpPortColumns[i].width == 0)
            m_listPorts.InsertAutoWidthColumn(kStpPortColumns[i].heading, i, -1, nMask, LVCFMT_LEFT);
        else
            m_listPorts.InsertColumn(i, kStpPortColumns[i].heading, LVCFMT_CENTER, kStpPortColumns[i].width);
    }
    m_listPorts.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    SetWindowText("Spanning Tree Table");
    // The first walk starts when the window is shown.
    return TRUE;
}

void CPrivateSpanTree::DisableStpOnLbdPorts()
{
    // One GET a port, and a SET where loopback detection runs; the first
    // request that fails ends it, so a silent switch costs one time-out.
    CWriteReport report;
    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        const std::string strIndex = "." + std::to_string(nPort);
        if (!m_cCommonSNMP.Open(SnmpPduGet) ||
            m_cCommonSNMP.AddValue(CSTPLogic::kLbdPortState + strIndex, SnmpValueNull) != 0)
            return;
        std::unique_ptr<CSnmp> pResponse;
        if (m_cCommonSNMP.send(pResponse, 0) != 0 || !pResponse) {
            m_readReport.Fail("the loopback detection states of the ports");
            return;
        }
        int nErrorStatus = 0;
        int nErrorIndex = 0;
        pResponse->getError(&nErrorStatus, &nErrorIndex);
        if (nErrorStatus != 0 || CModuleBase::IntegerText(pResponse.get(), 0) != "1")
            continue;
        if (!m_cCommonSNMP.Open(SnmpPduSet) ||
            m_cCommonSNMP.AddValue(kStpPortEnable + strIndex, SnmpValueInteger, "2") != 0)
            return;
        if (!report.Send(m_cCommonSNMP, "the spanning tree state of port " + std::to_string(nPort))) {
            report.Report();
            return;
        }
    }
}

void CPrivateSpanTree::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    // Read again whenever the table comes up (not as it goes). The walk
    // starts here rather than from a posted Refresh: a message posted now
    // would wait for whatever runs the window's loop to return.
    if (bShow) {
        m_listPorts.RedrawWindow();
        StartPortWalk();
    }
}

void CPrivateSpanTree::OnRefresh()
{
    m_readReport.Begin();
    m_listPorts.RedrawWindow();
    StartPortWalk();
}

void CPrivateSpanTree::StartPortWalk()
{
    // The walk before ends here: its late replies are stale.
    m_cCommonSNMP.Close();
    {
        std::lock_guard lock(m_csData);
        m_rowsRead.clear();
    }
    EnableButtons(FALSE);
    if (!m_cCommonSNMP.Open(SnmpPduGetNext)) {
        OnWalkEnd(0, 0);
        return;
    }
    for (const WalkColumn& column : kWalkColumns)
        m_cCommonSNMP.AddValue(PortColumn(column.nTableColumn), SnmpValueNull);
    // A walk that cannot start ends as a failed one.
    if (!m_cCommonSNMP.StartAsync(&CPrivateSpanTree::OnPortTableReply, this))
        OnWalkEnd(0, 0);
}

int CPrivateSpanTree::OnPortTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPrivateSpanTree*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse || pResponse->getVarBindCount() < kLeastPortValues) {
        const bool bComplete = nStatus == SnmpStatusEndOfWalk;
        if (bComplete) {
            std::lock_guard lock(pThis->m_csData);
            pThis->m_rows.clear();
            for (auto& [nPort, row] : pThis->m_rowsRead)
                pThis->m_rows.push_back(row);
        }
        session.SignalDone();
        // The window takes the rows on the UI thread; the lock is not held.
        pThis->SendMessage(WM_STP_TABLE_WALK_END, bComplete ? 1 : 0, 0);
        return 0;
    }
    pThis->StorePortRow(pResponse.get());
    session.StartRequest(&CPrivateSpanTree::OnPortTableReply, pThis, 0, 0);
    return 0;
}

void CPrivateSpanTree::StorePortRow(CSnmp* pResponse)
{
    const int nCount = std::min(pResponse->getVarBindCount(), static_cast<int>(std::size(kWalkColumns)));
    for (int i = 0; i < nCount; ++i) {
        // Each value goes to the row its own index names: a missing cell
        // never shifts a value into another port's row.
        std::string strSuffix;
        if (m_cCommonSNMP.GetIndexSuffix(i, pResponse, strSuffix) != 0)
            continue;
        const int nPort = PortOfSuffix(strSuffix);
        if (nPort == 0)
            continue;
        const std::string strValue = CModuleBase::ValueText(pResponse, i);
        const WalkColumn& column = kWalkColumns[i];
        std::lock_guard lock(m_csData);
        STP_port_info& row = m_rowsRead[nPort];
        row.nPort = nPort;
        row.strColumns[0] = std::to_string(nPort);
        if (column.nTableColumn == 5)
            row.strAdminCost = strValue;
        if (column.nTableColumn == 6)
            row.strOperCost = strValue;
        else
            row.strColumns[static_cast<std::size_t>(column.nListColumn)] = MappedText(column.nListColumn, strValue);
        // An automatic cost shows the cost in use.
        if (row.strAdminCost == "0" && !row.strOperCost.empty())
            row.strColumns[3] = row.strOperCost == "0" ? "0" : "AUTO/" + row.strOperCost;
    }
}

LRESULT CPrivateSpanTree::OnWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == 1) {
        std::vector<STP_port_info> rows;
        {
            std::lock_guard lock(m_csData);
            rows = m_rows;
        }
        FillList(rows);
        m_bListRead = true;
    } else {
        // The list keeps its last complete read.
        m_readReport.Fail("the spanning tree port table", m_bListRead);
    }
    EnableButtons(TRUE);
    return 0;
}

void CPrivateSpanTree::FillList(const std::vector<STP_port_info>& rows)
{
    m_listPorts.DeleteAllItems();
    for (int nRow = 0; nRow < static_cast<int>(rows.size()); ++nRow) {
        const STP_port_info& row = rows[static_cast<std::size_t>(nRow)];
        for (int nColumn = 0; nColumn < static_cast<int>(row.strColumns.size()); ++nColumn)
            m_listPorts.SetOrInsertItemText(nRow, nColumn, row.strColumns[static_cast<std::size_t>(nColumn)].c_str(), -1);
    }
    m_staticCount.SetWindowText(std::to_string(rows.size()));
}

void CPrivateSpanTree::EnableButtons(BOOL bEnable)
{
    m_btnPortConfig.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
}

void CPrivateSpanTree::OnPortConfig()
{
    CPrivateSpanTPort port;
    port.m_pTable = this;
    if (port.DoModal() == IDOK)
        StartPortWalk();
}

void CPrivateSpanTree::OnListDblClk(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    // Not while a walk runs: the rows are about to change.
    if (m_listPorts.GetSelectedCount() > 0 && m_btnPortConfig.IsWindowEnabled())
        OnPortConfig();
}

int CPrivateSpanTree::GetRowCount() const
{
    return m_listPorts.GetItemCount();
}

int CPrivateSpanTree::GetFirstSelectedRow() const
{
    return m_listPorts.GetNextItem(-1, LVNI_SELECTED);
}

std::string CPrivateSpanTree::GetRowText(int nRow, int nColumn) const
{
    return m_listPorts.GetItemText(nRow, nColumn);
}
