#include "features/poe_rmon/CRMONEthernetStatistics.h"

#include "common/Globals.h"
#include "features/poe_rmon/ColumnWidths.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/rmon.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kStatisticsButtonColumn = 8;

} // namespace

BEGIN_MESSAGE_MAP(CRMONEthernetStatistics, CDialog)
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_RMON_ETHER_APPLY, OnApply)
    ON_BN_CLICKED(IDC_RMON_ETHER_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_RMON_ETHER_CLOSE, OnClose)
    ON_EN_CHANGE(IDC_RMON_ETHER_INDEX, OnEditChange)
    ON_EN_CHANGE(IDC_RMON_ETHER_PORT, OnEditChange)
END_MESSAGE_MAP()

CRMONEthernetStatistics::CRMONEthernetStatistics(CWnd* pParent) : CDialog(IDD_RMON_ETHERNET_STATISTICS, pParent) {}

CRMONEthernetStatistics::~CRMONEthernetStatistics() = default;

BOOL CRMONEthernetStatistics::DestroyWindow()
{
    m_rmon.CloseSessions();
    return CDialog::DestroyWindow();
}

void CRMONEthernetStatistics::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RMON_ETHER_LIST, m_list);
    DDX_Control(pDX, IDC_RMON_ETHER_PORT, m_editPort);
    DDX_Control(pDX, IDC_RMON_ETHER_OWNER, m_editOwner);
    DDX_Control(pDX, IDC_RMON_ETHER_INDEX, m_editIndex);
    DDX_Control(pDX, IDC_RMON_ETHER_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_RMON_ETHER_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_RMON_ETHER_APPLY, m_btnApply);
}

LRESULT CRMONEthernetStatistics::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WALK_FINISHED || message == WM_WALK_STALE) {
        FillList();
        if (message == WM_WALK_FINISHED)
            SayWalkEnd(m_readReport, lParam == CRMON::kWalkFailed, "the RMON Ethernet statistics list",
                       m_rmon.IsTableRead(CRMON::kEthernetStatistics) != FALSE);
    } else if (message == WM_CELL_BUTTON_CLICK) {
        CWriteReport report;
        DeleteRow(static_cast<int>(wParam), report);
        // One new walk, whatever the switch answered, unless it was silent.
        if (ReadAgainAfter(report))
            Refresh();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CRMONEthernetStatistics::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("RMON Ethernet Statistics Configuration");
    m_editOwner.LimitText(kRmonOwnerMaxChars);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "Index");
    m_list.InsertColumn(1, "Port");
    m_list.InsertColumn(2, "Drop Event");
    m_list.InsertColumn(3, "Octets ");
    m_list.InsertColumn(4, "Packets ");
    m_list.InsertColumn(5, "Broadcast \n Packets");
    m_list.InsertColumn(6, "Multicast \n Packets");
    m_list.InsertColumn(7, "Owner");
    m_list.InsertColumn(8, "");
    // The columns have their widths before the first rows (and their
    // buttons) arrive, and again once the dialog is laid out.
    SetColumnWidths();
    PostMessage(WM_SIZE, 0, 0);
    Refresh();
    return TRUE;
}

void CRMONEthernetStatistics::EnableControls(BOOL bEnable)
{
    m_editPort.EnableWindow(bEnable);
    m_editOwner.EnableWindow(bEnable);
    m_editIndex.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
    m_btnClose.EnableWindow(bEnable);
    // Apply checks against the rows read: nothing is created before the
    // table was read once.
    m_btnApply.EnableWindow(bEnable && m_rmon.IsTableRead(CRMON::kEthernetStatistics));
}

BOOL CRMONEthernetStatistics::Refresh()
{
    m_readReport.Begin();
    EnableControls(FALSE);
    if (!m_rmon.SetHwnd(GetSafeHwnd())) {
        EnableControls(TRUE);
        return FALSE;
    }
    return m_rmon.StartEthernetStatisticsWalk();
}

void CRMONEthernetStatistics::OnRefresh()
{
    Refresh();
}

void CRMONEthernetStatistics::FillList()
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        m_list.RemoveButton(nRow, kStatisticsButtonColumn, 0);
    m_list.DeleteAllItems();
    m_arrValidPorts.clear();
    m_arrInvalidPorts.clear();
    m_arrInvalidIndexes.clear();
    m_arrValidIndexes.clear();

    for (const RMON_ethernet_statistics_info& row : m_rmon.GetEthernetStatistics()) {
        const RMON_ethernet_control_info& control = row.control;
        if (control.nStatus != 1) {
            m_arrInvalidIndexes.push_back(control.nIndex);
            m_arrInvalidPorts.push_back(control.nPort);
            continue;
        }
        const int nRow = m_list.InsertItem(m_list.GetItemCount(), std::to_string(control.nIndex));
        m_list.SetItemText(nRow, 1, KnownNumber(row.Known(1), control.nPort));
        m_list.SetItemText(nRow, 2, KnownNumber(row.Known(4), row.uDropEvents));
        m_list.SetItemText(nRow, 3, KnownNumber(row.Known(5), row.uOctets));
        m_list.SetItemText(nRow, 4, KnownNumber(row.Known(6), row.uPackets));
        m_list.SetItemText(nRow, 5, KnownNumber(row.Known(7), row.uBroadcastPackets));
        m_list.SetItemText(nRow, 6, KnownNumber(row.Known(8), row.uMulticastPackets));
        m_list.SetItemText(nRow, 7, control.strOwner);
        m_list.AddButton(nRow, kStatisticsButtonColumn, ButtonSpec(0, "Delete"));
        m_arrValidPorts.push_back(control.nPort);
        m_arrValidIndexes.push_back(control.nIndex);
    }
    EnableControls(TRUE);
    PostMessage(WM_SIZE, 0, 0);
}

void CRMONEthernetStatistics::OnApply()
{
    const int nIndex = CRMON::ToNumber(m_editIndex.GetWindowText());
    if (nIndex < kRmonFirstIndex || nIndex > kRmonLastIndex) {
        MessageBox("Index must be between 1 and 65535!", "", MB_OK);
        return;
    }
    if (Contains(m_arrValidIndexes, nIndex)) {
        MessageBox("Index had already exits!", "", MB_OK);
        return;
    }
    const int nPort = CRMON::ToNumber(m_editPort.GetWindowText());
    if (nPort < 1 || nPort > g_nPortCount) {
        char szText[64];
        std::snprintf(szText, sizeof szText, "Port number must be between 1 and %d!", g_nPortCount);
        MessageBox(szText, "", MB_OK);
        return;
    }
    if (Contains(m_arrValidPorts, nPort)) {
        MessageBox("Setting error. Port number had already exits!", "", MB_OK);
        return;
    }

    // Rows of the port that are not valid go first; one that cannot be
    // removed ends the Apply before the new row is created.
    CWriteReport report;
    for (std::size_t i = 0; i < m_arrInvalidPorts.size() && i < m_arrInvalidIndexes.size(); ++i) {
        if (m_arrInvalidPorts[i] == nPort && !m_rmon.DeleteEthernetStatistics(m_arrInvalidIndexes[i], &report))
            break;
    }

    RMON_ethernet_control_info row;
    row.nIndex = nIndex;
    row.nPort = nPort;
    row.strOwner = m_editOwner.GetWindowText();
    EnableControls(FALSE);
    if (!report.Failed())
        m_rmon.AddEthernetStatistics(row, &report);
    EnableControls(TRUE);

    m_editPort.SetWindowText("");
    m_editOwner.SetWindowText("");
    m_editIndex.SetWindowText("");
    if (ReadAgainAfter(report))
        Refresh();
}

BOOL CRMONEthernetStatistics::DeleteRow(int nRow, CWriteReport& report)
{
    if (!m_list.IsValidItem(nRow))
        return FALSE;
    const int nIndex = CRMON::ToNumber(m_list.GetItemText(nRow, 0));
    const int nPort = CRMON::ToNumber(m_list.GetItemText(nRow, 1));
    m_list.RemoveButton(nRow, kStatisticsButtonColumn, 0);
    const BOOL bDeleted = m_rmon.DeleteEthernetStatistics(nIndex, &report);
    if (bDeleted) {
        const auto it = std::find(m_arrValidPorts.begin(), m_arrValidPorts.end(), nPort);
        if (it != m_arrValidPorts.end())
            m_arrValidPorts.erase(it);
    }
    return bDeleted;
}

void CRMONEthernetStatistics::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}

void CRMONEthernetStatistics::OnEditChange() {}

void CRMONEthernetStatistics::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    SetColumnWidths();
}

void CRMONEthernetStatistics::SetColumnWidths()
{
    if (!m_list.GetSafeHwnd())
        return;
    // Every column at least as wide as its rows need; the counters at least
    // their heading's measure (octets the largest counter); Index, Port,
    // Owner and the buttons share what is left, so the buttons stay on the list.
    const auto measure = [this](int nColumn, const char* pszMeasure, int nPad) {
        return std::max(m_list.GetStringWidth(pszMeasure) + nPad, ColumnNeed(m_list, nColumn, "", 16));
    };
    const int nOctets = std::max(m_list.GetStringWidth("Octets    "), m_list.GetStringWidth("4294967295")) + 20;
    SetShareOfWidth(m_list,
                    {ColumnNeed(m_list, 0, "Index", 16), ColumnNeed(m_list, 1, "Port", 16), measure(2, "Drop Event ", 10),
                     std::max(nOctets, ColumnNeed(m_list, 3, "", 16)), measure(4, "Packets ", 15),
                     measure(5, "Broadcast \n Packets ", 10), measure(6, "Multicast \n Packets ", 10),
                     ColumnNeed(m_list, 7, "Owner", 16), m_list.GetStringWidth("Delete") + 24},
                    {0, 1, 7, kStatisticsButtonColumn});
    m_list.RepositionButtons();
}
