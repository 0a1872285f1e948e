#include "features/agent_tools/CSNMPViewTree.h"

#include "common/CModuleBase.h"
#include "common/ListColumn.h"
#include "features/agent_tools/SNMP_view_info.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

constexpr int kMaxViews = 50;

const std::string kViewRowStatus = KorvelOid("10.76.19.1.25.4.1.1.5");

constexpr ListColumn kViewColumns[] = {{"View Name", 100}, {"Subtree OID", 100}, {"OID Mask", 100}, {"View Type", 100}};
const char* const kTypes[] = {"Included", "Excluded"};


} // namespace

BEGIN_MESSAGE_MAP(CSNMPViewTree, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_VIEW_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SNMP_VIEW_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SNMP_CANCEL, OnCancelInput)
    ON_BN_CLICKED(IDC_SNMP_VIEW_CLOSE, OnClose)
END_MESSAGE_MAP()

CSNMPViewTree::CSNMPViewTree(CWnd* pParent) : CDialog(IDD_SNMP_VIEW, pParent) {}

CSNMPViewTree::~CSNMPViewTree() = default;

BOOL CSNMPViewTree::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPViewTree::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_VIEW_LIST, m_listViews);
    DDX_Control(pDX, IDC_SNMP_VIEW_NAME, m_editName);
    DDX_Control(pDX, IDC_SNMP_VIEW_SUBTREE, m_editSubtree);
    DDX_Control(pDX, IDC_SNMP_VIEW_MASK, m_editMask);
    DDX_Control(pDX, IDC_SNMP_VIEW_TYPE, m_comboType);
}

BOOL CSNMPViewTree::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listViews, kViewColumns, LVCFMT_LEFT);
    m_listViews.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (const char* pszText : kTypes)
        m_comboType.AddString(pszText);
    m_comboType.SetCurSel(0);
    m_editName.LimitText(CSNMPConfig::kNameLength);
    m_editSubtree.LimitText(CSNMPConfig::kNameLength);
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CSNMPViewTree::EnableButtons(BOOL bEnable)
{
    for (int nId : {IDC_SNMP_APPLY, IDC_SNMP_CANCEL, IDC_SNMP_VIEW_DELETE, IDC_SNMP_VIEW_REFRESH})
        GetDlgItem(nId)->EnableWindow(bEnable);
}

void CSNMPViewTree::OnRefresh()
{
    EnableButtons(FALSE);
    m_rowsBuilding.Begin();
    m_cSNMPConfig.StartViewWalk();
}

LRESULT CSNMPViewTree::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0) {
        const auto* pInfo = reinterpret_cast<const SNMP_view_info*>(lParam);
        if (pInfo != nullptr && (*pInfo)[4] == "1")
            m_rowsBuilding.Add({(*pInfo)[0], (*pInfo)[1], (*pInfo)[2], (*pInfo)[3]});
    } else if (wParam == 1) {
        m_rowsBuilding.End(m_listViews, lParam, "the view list");
        EnableButtons(TRUE);
    }
    return 0;
}

std::string CSNMPViewTree::CheckEntry(const std::string& strName, const std::string& strSubtree,
                                      const std::string& strMask)
{
    const std::string strTrimmedName = CSNMPConfig::Trimmed(strName);
    if (strTrimmedName.empty())
        return "Please enter valid view name.";
    if (!CSNMPConfig::HasNoSpecialChars(strTrimmedName))
        return "Invalid View Name.";
    if (strSubtree.find_first_not_of("0123456789.") != std::string::npos)
        return "Please enter valid subtree OID";
    const std::vector<std::string> arcs = CSNMPConfig::SplitDots(strSubtree);
    for (const std::string& arc : arcs) {
        if (arc.empty())
            return "Please enter valid subtree OID .";
    }
    const std::string strTrimmedMask = CSNMPConfig::Trimmed(strMask);
    if (strTrimmedMask.empty())
        return "Please enter valid OID Mask.";
    const std::vector<std::string> elements = CSNMPConfig::SplitDots(strTrimmedMask);
    for (const std::string& element : elements) {
        if (element != "0" && element != "1" && element != "01" && element != "00")
            return "Please enter valid OID Mask.";
    }
    if (elements.size() > arcs.size())
        return "Invalid  OID length";
    return std::string();
}

void CSNMPViewTree::OnApply()
{
    const std::string strName = m_editName.GetWindowText();
    const std::string strSubtree = m_editSubtree.GetWindowText();
    const std::string strMask = m_editMask.GetWindowText();
    const std::string strRefusal = CheckEntry(strName, strSubtree, strMask);
    if (!strRefusal.empty()) {
        AfxMessageBox(strRefusal);
        return;
    }
    const std::string strTrimmedName = CSNMPConfig::Trimmed(strName);
    for (int i = 0; i < m_listViews.GetItemCount(); ++i) {
        if (m_listViews.GetItemText(i, 0) == strTrimmedName && m_listViews.GetItemText(i, 1) == strSubtree) {
            AfxMessageBox("This View Entry already exist.");
            return;
        }
    }
    if (m_listViews.GetItemCount() >= kMaxViews) {
        AfxMessageBox("Maximum number of View Entry is 50.");
        return;
    }

    std::string strType;
    m_comboType.GetLBText(std::max(m_comboType.GetCurSel(), 0), strType);
    const std::string strOid = kViewRowStatus + CSNMPConfig::ViewIndex(strTrimmedName, strSubtree);
    CWriteReport report;
    if (m_cSNMPConfig.CreateRow(report, strOid, "view entry \"" + strTrimmedName + "\"", [&] {
            return m_cSNMPConfig.WriteView(report, strTrimmedName, strSubtree, CSNMPConfig::Trimmed(strMask),
                                           strType);
        }))
        ClearForm();
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPViewTree::OnDelete()
{
    POSITION pos = m_listViews.GetFirstSelectedItemPosition();
    const int nItem = pos != nullptr ? m_listViews.GetNextSelectedItem(pos) : -1;
    if (nItem < 0) {
        AfxMessageBox("Please Selecte the Item you would delete");
        return;
    }
    const std::string strName = m_listViews.GetItemText(nItem, 0);
    const std::string strIndex = CSNMPConfig::ViewIndex(strName, m_listViews.GetItemText(nItem, 1));
    CWriteReport report;
    m_cSNMPConfig.DeleteRow(report, kViewRowStatus + strIndex, "view entry \"" + strName + "\"");
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPViewTree::ClearForm()
{
    for (CEdit* pEdit : {&m_editName, &m_editSubtree, &m_editMask})
        pEdit->SetWindowText("");
    m_comboType.SetCurSel(0);
}

void CSNMPViewTree::OnCancelInput()
{
    ClearForm();
    OnRefresh();
}

void CSNMPViewTree::OnClose()
{
    OnCancel();
}
