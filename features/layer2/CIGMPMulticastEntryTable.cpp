#include "features/layer2/CIGMPMulticastEntryTable.h"

#include "common/ListColumn.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/igmp.h"
#include "resources/main.h"

#include <iterator>
#include <string>

namespace {

constexpr ListColumn kIgmpEntryColumns[] = {{"Group ID", 80},
                                            {"VLAN ID", 80},
                                            {"Multicast  Group", 150},
                                            {"Multicast MAC address", 180},
                                            {"Port Members", 140}};

} // namespace

BEGIN_MESSAGE_MAP(CIGMPMulticastEntryTable, CDialog)
    ON_BN_CLICKED(IDC_IGMPE_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDCANCEL, OnClose)
    ON_MESSAGE(WM_IGMP_ENTRY_NOTIFY, OnEntryNotify)
END_MESSAGE_MAP()

CIGMPMulticastEntryTable::CIGMPMulticastEntryTable(CWnd* pParent) : CDialog(IDD_IGMP_ENTRY_TABLE, pParent) {}

CIGMPMulticastEntryTable::~CIGMPMulticastEntryTable()
{
    // Before the list goes: once closed, no call-back of ours runs.
    m_logic.CloseSessions();
}

BOOL CIGMPMulticastEntryTable::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CIGMPMulticastEntryTable::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IGMPE_LIST, m_list);
}

BOOL CIGMPMulticastEntryTable::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    InsertListColumns(m_list, kIgmpEntryColumns, LVCFMT_LEFT);
    m_logic.m_hNotifyWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CIGMPMulticastEntryTable::OnRefresh()
{
    GetDlgItem(IDC_IGMPE_REFRESH)->EnableWindow(FALSE);
    // The list keeps its rows until the walk has read the whole table.
    m_rowsArriving.clear();
    m_logic.StartMulticastEntryWalk();
}

LRESULT CIGMPMulticastEntryTable::OnEntryNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CIGMPSnoopingLogic::kNotifyRow && lParam != 0) {
        m_rowsArriving.push_back(*reinterpret_cast<const IGMP_entry_info*>(lParam));
        return 0;
    }
    if (wParam != CIGMPSnoopingLogic::kNotifyEnd)
        return 0;
    if (lParam != 0) {
        m_list.DeleteAllItems();
        for (const IGMP_entry_info& row : m_rowsArriving) {
            const int nRow = m_list.GetItemCount();
            m_list.SetOrInsertItemText(nRow, 0, std::to_string(nRow + 1).c_str());
            for (int nColumn = 1; nColumn <= 4; ++nColumn)
                m_list.SetOrInsertItemText(nRow, nColumn, row.str[static_cast<std::size_t>(nColumn - 1)].c_str());
        }
    }
    m_rowsArriving.clear();
    GetDlgItem(IDC_IGMPE_REFRESH)->EnableWindow(TRUE);
    return 0;
}

void CIGMPMulticastEntryTable::OnClose()
{
    OnCancel();
}
