#include "features/security/CIMPBWhiteList.h"

#include "common/CWriteReport.h"
#include "common/ListColumn.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/impb.h"
#include "resources/main.h"

#include <iterator>

namespace {

constexpr ListColumn kWhiteListColumns[] = {{"IP Address", 200}, {"Mac Address", 220}, {"Port", 160}};

} // namespace

BEGIN_MESSAGE_MAP(CIMPBWhiteList, CDialog)
    ON_BN_CLICKED(IDC_WL_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_WL_DELETE, OnDelete)
    ON_MESSAGE(WM_IMPB_ENTRY_NOTIFY, OnEntryNotify)
END_MESSAGE_MAP()

CIMPBWhiteList::CIMPBWhiteList(CWnd* pParent) : CDialog(IDD_IMPB_WHITE_LIST, pParent) {}

BOOL CIMPBWhiteList::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CIMPBWhiteList::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WL_LIST, m_list);
    DDX_Control(pDX, IDC_WL_TOTAL, m_editTotal);
}

BOOL CIMPBWhiteList::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    InsertListColumns(m_list, kWhiteListColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_logic.SetHwnd(GetSafeHwnd());
    OnRefresh();
    return TRUE;
}

void CIMPBWhiteList::OnRefresh()
{
    // One new user action; the list stays until a complete walk replaces it.
    m_readReport.Begin();
    GetDlgItem(IDC_WL_REFRESH)->EnableWindow(FALSE);
    GetDlgItem(IDC_WL_DELETE)->EnableWindow(FALSE);
    m_rows.clear();
    m_logic.StartWhiteListWalk();
}

LRESULT CIMPBWhiteList::OnEntryNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CIMPFunclogic::kNotifyRow && lParam != 0) {
        m_rows.push_back(*reinterpret_cast<const IMPB_entry_info*>(lParam));
    } else if (wParam == CIMPFunclogic::kNotifyEnd) {
        if (m_logic.EntryWalkComplete()) {
            m_list.DeleteAllItems();
            for (const IMPB_entry_info& row : m_rows) {
                const int nRow = m_list.GetItemCount();
                m_list.InsertItem(nRow, row.strIP);
                m_list.SetItemText(nRow, 1, row.strMac);
                m_list.SetItemText(nRow, 2, row.strPort);
            }
            m_bListRead = true;
        } else {
            m_readReport.Fail("the white list", m_bListRead);
        }
        GetDlgItem(IDC_WL_REFRESH)->EnableWindow(TRUE);
        GetDlgItem(IDC_WL_DELETE)->EnableWindow(TRUE);
        m_editTotal.SetWindowText(std::to_string(m_list.GetItemCount()));
    }
    return 0;
}

void CIMPBWhiteList::OnDelete()
{
    const int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    IMPB_entry_info entry;
    entry.strIP = m_list.GetItemText(nRow, 0);
    entry.strMac = m_list.GetItemText(nRow, 1);
    entry.strPort = m_list.GetItemText(nRow, 2);
    entry.strVid = "1";
    entry.strState = "3";
    CWriteReport report;
    m_logic.SetWhiteListEntry(entry, CIMPFunclogic::kActionDelete, &report);
    report.Report();
    OnRefresh();
}
