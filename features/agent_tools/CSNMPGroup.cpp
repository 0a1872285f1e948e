#include "features/agent_tools/CSNMPGroup.h"

#include "common/CModuleBase.h"
#include "common/ComboText.h"
#include "common/ListColumn.h"
#include "features/agent_tools/SNMP_group_info.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

#include <iterator>

namespace {

constexpr DWORD kRefreshAfterWritePauseMs = 50;
constexpr int kMaxGroups = 50;
constexpr int kModelV3 = 2;

const std::string kGroupRowStatus = KorvelOid("10.76.19.1.25.3.1.1.7");

constexpr ListColumn kGroupColumns[] = {{"Group Name", 100},  {"Read View", 100},      {"Write View", 100},
                                        {"Notify View", 100}, {"Security Model", 100}, {"Security Level", 100}};
const char* const kModels[] = {"v1", "v2c", "v3"};
const char* const kLevels[] = {"NoAuthNoPriv", "AuthNoPriv", "AuthPriv"};

} // namespace

BEGIN_MESSAGE_MAP(CSNMPGroup, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_GROUP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_GROUP_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SNMP_GROUP_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SNMP_GROUP_CANCEL, OnCancelInput)
    ON_BN_CLICKED(IDC_SNMP_GROUP_CLOSE, OnClose)
    ON_CBN_SELCHANGE(IDC_SNMP_GROUP_MODEL, OnModelChange)
END_MESSAGE_MAP()

CSNMPGroup::CSNMPGroup(CWnd* pParent) : CDialog(IDD_SNMP_GROUP, pParent) {}

CSNMPGroup::~CSNMPGroup() = default;

BOOL CSNMPGroup::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPGroup::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_GROUP_LIST, m_listGroups);
    DDX_Control(pDX, IDC_SNMP_GROUP_NAME, m_editName);
    DDX_Control(pDX, IDC_SNMP_GROUP_READ_VIEW, m_editReadView);
    DDX_Control(pDX, IDC_SNMP_GROUP_WRITE_VIEW, m_editWriteView);
    DDX_Control(pDX, IDC_SNMP_GROUP_NOTIFY_VIEW, m_editNotifyView);
    DDX_Control(pDX, IDC_SNMP_GROUP_MODEL, m_comboModel);
    DDX_Control(pDX, IDC_SNMP_GROUP_LEVEL, m_comboLevel);
}

BOOL CSNMPGroup::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listGroups, kGroupColumns, LVCFMT_LEFT);
    m_listGroups.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (const char* pszText : kModels)
        m_comboModel.AddString(pszText);
    for (const char* pszText : kLevels)
        m_comboLevel.AddString(pszText);
    m_comboModel.SetCurSel(0);
    m_comboLevel.SetCurSel(0);
    m_comboLevel.EnableWindow(FALSE);
    for (CEdit* pEdit : {&m_editName, &m_editReadView, &m_editWriteView, &m_editNotifyView})
        pEdit->LimitText(CSNMPConfig::kNameLength);
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CSNMPGroup::EnableButtons(BOOL bEnable)
{
    for (int nId : {IDC_SNMP_GROUP_APPLY, IDC_SNMP_GROUP_CANCEL, IDC_SNMP_GROUP_DELETE, IDC_SNMP_GROUP_REFRESH})
        GetDlgItem(nId)->EnableWindow(bEnable);
}

void CSNMPGroup::OnRefresh()
{
    EnableButtons(FALSE);
    m_rowsBuilding.Begin();
    m_cSNMPConfig.StartGroupWalk();
}

LRESULT CSNMPGroup::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0) {
        const auto* pInfo = reinterpret_cast<const SNMP_group_info*>(lParam);
        if (pInfo != nullptr && (*pInfo)[6] == "1")
            m_rowsBuilding.Add({(*pInfo)[0], (*pInfo)[1], (*pInfo)[2], (*pInfo)[3], (*pInfo)[4], (*pInfo)[5]});
    } else if (wParam == 1) {
        m_rowsBuilding.End(m_listGroups, lParam, "the group list");
        EnableButtons(TRUE);
    }
    return 0;
}

void CSNMPGroup::OnApply()
{
    CWaitCursor wait;
    const std::string strName = m_editName.GetWindowText();
    if (strName.empty()) {
        AfxMessageBox("Please enter valid group name!");
        return;
    }
    if (!CSNMPConfig::HasNoSpecialChars(strName)) {
        AfxMessageBox("Invalid Group Name.");
        return;
    }
    const std::string strModel = Selection(m_comboModel);
    for (int i = 0; i < m_listGroups.GetItemCount(); ++i) {
        if (m_listGroups.GetItemText(i, 0) == strName && m_listGroups.GetItemText(i, 4) == strModel) {
            AfxMessageBox("This Group Entry already exists.");
            return;
        }
    }
    if (m_listGroups.GetItemCount() >= kMaxGroups) {
        AfxMessageBox("Maximum number of Group Entry is 50.");
        return;
    }

    const std::string strLevel = Selection(m_comboLevel);
    const std::string strOid = kGroupRowStatus + CSNMPConfig::GroupIndex(strName, strModel, strLevel);
    CWriteReport report;
    if (m_cSNMPConfig.CreateRow(report, strOid, "group entry \"" + strName + "\"", [&] {
            return m_cSNMPConfig.WriteGroup(report, strName, strModel, strLevel, m_editReadView.GetWindowText(),
                                            m_editWriteView.GetWindowText(), m_editNotifyView.GetWindowText());
        })) {
        ClearForm();
        m_comboLevel.EnableWindow(FALSE);
    }
    if (!CSNMPConfig::ReadAfterWrite(report))
        return;
    Sleep(kRefreshAfterWritePauseMs);
    OnRefresh();
}

void CSNMPGroup::OnDelete()
{
    POSITION pos = m_listGroups.GetFirstSelectedItemPosition();
    const int nItem = pos != nullptr ? m_listGroups.GetNextSelectedItem(pos) : -1;
    if (nItem < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    const std::string strName = m_listGroups.GetItemText(nItem, 0);
    const std::string strIndex =
        CSNMPConfig::GroupIndex(strName, m_listGroups.GetItemText(nItem, 4), m_listGroups.GetItemText(nItem, 5));
    CWriteReport report;
    m_cSNMPConfig.DeleteRow(report, kGroupRowStatus + strIndex, "group entry \"" + strName + "\"");
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPGroup::ClearForm()
{
    for (CEdit* pEdit : {&m_editName, &m_editReadView, &m_editWriteView, &m_editNotifyView})
        pEdit->SetWindowText("");
    m_comboModel.SetCurSel(0);
    m_comboLevel.SetCurSel(0);
}

void CSNMPGroup::OnCancelInput()
{
    ClearForm();
    OnRefresh();
}

void CSNMPGroup::OnClose()
{
    OnCancel();
}

void CSNMPGroup::OnModelChange()
{
    m_comboLevel.EnableWindow(m_comboModel.GetCurSel() == kModelV3 ? TRUE : FALSE);
}
