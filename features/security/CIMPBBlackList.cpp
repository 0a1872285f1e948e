#include "features/security/CIMPBBlackList.h"

#include "common/CWriteReport.h"
#include "common/CUtils.h"
#include "common/ListColumn.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/impb.h"
#include "resources/main.h"

#include <iterator>
#include <strings.h>

namespace {

constexpr ListColumn kBlackListColumns[] = {{"VID", 85}, {"IP Address", 185}, {"Mac Address", 200}, {"Port", 90}};

const char* const kShown = "2";
const char* const kHidden = "0";

} // namespace

BEGIN_MESSAGE_MAP(CIMPBBlackList, CDialog)
    ON_BN_CLICKED(IDC_BL_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_BL_FIND, OnFind)
    ON_BN_CLICKED(IDC_BL_DELETE, OnDelete)
    ON_MESSAGE(WM_IMPB_ENTRY_NOTIFY, OnEntryNotify)
END_MESSAGE_MAP()

CIMPBBlackList::CIMPBBlackList(CWnd* pParent) : CDialog(IDD_IMPB_BLACK_LIST, pParent) {}

BOOL CIMPBBlackList::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CIMPBBlackList::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BL_TOTAL, m_editTotal);
    DDX_Control(pDX, IDC_BL_VID, m_editVid);
    DDX_Control(pDX, IDC_BL_IP, m_editIP);
    DDX_Control(pDX, IDC_BL_MAC, m_editMac);
    DDX_Control(pDX, IDC_BL_PORT, m_editPort);
    DDX_Control(pDX, IDC_BL_LIST, m_list);
    DDX_Control(pDX, IDC_BL_FIND, m_btnFind);
}

BOOL CIMPBBlackList::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    InsertListColumns(m_list, kBlackListColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_logic.SetHwnd(GetSafeHwnd());
    OnRefresh();
    return TRUE;
}

void CIMPBBlackList::EnableButtons(BOOL bEnable)
{
    GetDlgItem(IDC_BL_DELETE)->EnableWindow(bEnable);
    GetDlgItem(IDC_BL_REFRESH)->EnableWindow(bEnable);
    m_btnFind.EnableWindow(bEnable);
}

void CIMPBBlackList::OnRefresh()
{
    // One new user action; the list stays until a complete walk replaces it.
    m_readReport.Begin();
    EnableButtons(FALSE);
    m_rows.clear();
    m_logic.StartBlackListWalk();
}

LRESULT CIMPBBlackList::OnEntryNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CIMPFunclogic::kNotifyRow && lParam != 0) {
        IMPB_entry_info row = *reinterpret_cast<const IMPB_entry_info*>(lParam);
        row.strState = kShown;
        m_rows.push_back(row);
    } else if (wParam == CIMPFunclogic::kNotifyEnd) {
        if (m_logic.EntryWalkComplete()) {
            m_vecEntries = m_rows;
            m_bListRead = true;
        } else {
            m_readReport.Fail("the black list", m_bListRead);
        }
        ShowVisibleEntries(m_vecEntries);
        EnableButtons(TRUE);
        m_editTotal.SetWindowText(std::to_string(m_list.GetItemCount()));
    }
    return 0;
}

void CIMPBBlackList::ShowVisibleEntries(const std::vector<IMPB_entry_info>& entries)
{
    m_list.DeleteAllItems();
    for (const IMPB_entry_info& entry : entries) {
        if (entry.strState != kShown)
            continue;
        const int nRow = m_list.GetItemCount();
        m_list.InsertItem(nRow, entry.strVid);
        m_list.SetItemText(nRow, 1, entry.strIP);
        m_list.SetItemText(nRow, 2, entry.strMac);
        m_list.SetItemText(nRow, 3, entry.strPort);
    }
}

void CIMPBBlackList::ApplyFindFilter(const IMPB_entry_key& criteria, std::vector<IMPB_entry_info>& entries)
{
    for (IMPB_entry_info& entry : entries) {
        if ((!criteria.strVid.empty() && criteria.strVid != entry.strVid) ||
            (!criteria.strPort.empty() && criteria.strPort != entry.strPort) ||
            (!criteria.strMac.empty() && strcasecmp(criteria.strMac.c_str(), entry.strMac.c_str()) != 0) ||
            (!criteria.strIP.empty() && criteria.strIP != entry.strIP))
            entry.strState = kHidden;
    }
}

void CIMPBBlackList::OnFind()
{
    IMPB_entry_key criteria;
    m_editIP.GetWindowText(criteria.strIP);
    m_editMac.GetWindowText(criteria.strMac);
    m_editVid.GetWindowText(criteria.strVid);
    m_editPort.GetWindowText(criteria.strPort);

    if (!criteria.strIP.empty()) {
        // The field is judged as it holds now, also when it kept the focus.
        m_editIP.OnKillFocus(nullptr);
        if (m_editIP.m_nStatus != 1) {
            AfxMessageBox("Please enter correct IP format.");
            return;
        }
    }
    if (!criteria.strMac.empty() && !CUtils::CheckMacAddress(criteria.strMac, false))
        return;
    if (criteria.strIP.find(':') != std::string::npos)
        criteria.strIP = CUtils::CompressIPv6(criteria.strIP);

    for (IMPB_entry_info& entry : m_vecEntries)
        entry.strState = kShown;
    ApplyFindFilter(criteria, m_vecEntries);
    ShowVisibleEntries(m_vecEntries);
    for (CEdit* pEdit : {static_cast<CEdit*>(&m_editIP), &m_editMac, &m_editPort, &m_editVid})
        pEdit->SetWindowText("");
}

void CIMPBBlackList::OnDelete()
{
    const int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    IMPB_entry_info entry;
    entry.strVid = m_list.GetItemText(nRow, 0);
    entry.strIP = m_list.GetItemText(nRow, 1);
    entry.strMac = m_list.GetItemText(nRow, 2);
    entry.strPort = m_list.GetItemText(nRow, 3);
    entry.strState = "3";
    CWriteReport report;
    m_logic.DeleteBlackListEntry(entry, &report);
    report.Report();
    OnRefresh();
}
