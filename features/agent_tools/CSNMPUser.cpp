#include "features/agent_tools/CSNMPUser.h"

#include "common/CModuleBase.h"
#include "common/ComboText.h"
#include "common/ListColumn.h"
#include "features/agent_tools/SNMP_user_info.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/snmp_agent.h"

#include <initializer_list>
#include <iterator>

namespace {

constexpr int kMaxUsers = 50;
constexpr int kVersionV3 = 2;
constexpr int kPrivDes = 0;

const std::string kUserRowStatus = KorvelOid("10.76.19.1.25.2.1.1.8");

constexpr ListColumn kUserColumns[] = {
    {"User Name", 100}, {"Group Name", 100}, {"SNMP Version", 100}, {"Auth Protocol", 105}, {"Priv-Protocol", 105}};

const char* const kUserVersions[] = {"V1", "V2c", "V3"};
const char* const kAuthProtocols[] = {"MD5", "SHA"};
const char* const kPrivProtocols[] = {"DES", "None"};

} // namespace

BEGIN_MESSAGE_MAP(CSNMPUser, CDialog)
    ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)
    ON_BN_CLICKED(IDC_SNMP_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SNMP_USER_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SNMP_USER_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SNMP_USER_CANCEL, OnCancelInput)
    ON_BN_CLICKED(IDC_SNMP_USER_CLOSE, OnClose)
    ON_BN_CLICKED(IDC_SNMP_USER_ENCRYPTED, OnEncryptedClicked)
    ON_CBN_SELCHANGE(IDC_SNMP_USER_VERSION, OnVersionChange)
    ON_CBN_SELCHANGE(IDC_SNMP_USER_PRIV_PROTOCOL, OnPrivProtocolChange)
END_MESSAGE_MAP()

CSNMPUser::CSNMPUser(CWnd* pParent) : CDialog(IDD_SNMP_USER, pParent) {}

CSNMPUser::~CSNMPUser() = default;

BOOL CSNMPUser::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cSNMPConfig.CloseAll();
    return CDialog::DestroyWindow();
}

void CSNMPUser::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SNMP_USER_LIST, m_listUsers);
    DDX_Control(pDX, IDC_SNMP_USER_NAME, m_editName);
    DDX_Control(pDX, IDC_SNMP_USER_GROUP, m_editGroup);
    DDX_Control(pDX, IDC_SNMP_USER_VERSION, m_comboVersion);
    DDX_Control(pDX, IDC_SNMP_USER_ENCRYPTED, m_checkEncrypted);
    DDX_Control(pDX, IDC_SNMP_USER_AUTH_PROTOCOL, m_comboAuth);
    DDX_Control(pDX, IDC_SNMP_USER_AUTH_PASSWORD, m_editAuthPassword);
    DDX_Control(pDX, IDC_SNMP_USER_PRIV_PROTOCOL, m_comboPriv);
    DDX_Control(pDX, IDC_SNMP_USER_PRIV_PASSWORD, m_editPrivPassword);
}

BOOL CSNMPUser::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_listUsers, kUserColumns, LVCFMT_LEFT);
    m_listUsers.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (const char* pszText : kUserVersions)
        m_comboVersion.AddString(pszText);
    for (const char* pszText : kAuthProtocols)
        m_comboAuth.AddString(pszText);
    for (const char* pszText : kPrivProtocols)
        m_comboPriv.AddString(pszText);
    m_editName.LimitText(CSNMPConfig::kNameLength);
    m_editGroup.LimitText(CSNMPConfig::kNameLength);
    ResetForm();
    m_cSNMPConfig.m_hOwnerWnd = GetSafeHwnd();
    OnRefresh();
    return TRUE;
}

void CSNMPUser::ResetForm()
{
    for (CEdit* pEdit : {&m_editName, &m_editGroup, &m_editAuthPassword, &m_editPrivPassword})
        pEdit->SetWindowText("");
    for (CComboBox* pBox : {&m_comboVersion, &m_comboAuth, &m_comboPriv})
        pBox->SetCurSel(0);
    for (CWnd* pWnd : std::initializer_list<CWnd*>{&m_comboAuth, &m_comboPriv, &m_editAuthPassword,
                                                   &m_editPrivPassword, &m_checkEncrypted})
        pWnd->EnableWindow(FALSE);
    m_checkEncrypted.SetCheck(BST_UNCHECKED);
}

void CSNMPUser::EnableButtons(BOOL bEnable)
{
    for (int nId : {IDC_SNMP_APPLY, IDC_SNMP_USER_CANCEL, IDC_SNMP_USER_DELETE, IDC_SNMP_USER_REFRESH})
        GetDlgItem(nId)->EnableWindow(bEnable);
}

void CSNMPUser::OnRefresh()
{
    EnableButtons(FALSE);
    m_rowsBuilding.Begin();
    m_cSNMPConfig.StartUserWalk();
}

LRESULT CSNMPUser::OnLogicNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 111) {
        const auto* pInfo = reinterpret_cast<const SNMP_user_info*>(lParam);
        if (pInfo != nullptr && (*pInfo)[7] == "1")
            m_rowsBuilding.Add({(*pInfo)[0], (*pInfo)[1], (*pInfo)[2], (*pInfo)[3], (*pInfo)[5]});
    } else if (wParam == 1) {
        m_rowsBuilding.End(m_listUsers, lParam, "the user list");
        EnableButtons(TRUE);
    }
    return 0;
}

void CSNMPUser::RefusePassword(CEdit& edit, const char* pszMessage)
{
    AfxMessageBox(pszMessage);
    edit.SetFocus();
    edit.SetSel(0, -1);
}

void CSNMPUser::OnApply()
{
    const std::string strName = CSNMPConfig::Trimmed(m_editName.GetWindowText());
    if (strName.empty()) {
        AfxMessageBox("Please enter valid User Name ");
        return;
    }
    if (!CSNMPConfig::HasNoSpecialChars(strName)) {
        AfxMessageBox("Invalid User Name .");
        return;
    }
    const std::string strGroup = CSNMPConfig::Trimmed(m_editGroup.GetWindowText());
    if (strGroup.empty()) {
        AfxMessageBox("Please enter valid Group Name ");
        return;
    }
    if (!CSNMPConfig::HasNoSpecialChars(strGroup)) {
        AfxMessageBox("Invalid Group Name.");
        return;
    }
    const std::string strVersion = Selection(m_comboVersion);
    for (int i = 0; i < m_listUsers.GetItemCount(); ++i) {
        if (m_listUsers.GetItemText(i, 0) == strName && m_listUsers.GetItemText(i, 2) == strVersion) {
            AfxMessageBox("This User Entry already exists.");
            return;
        }
    }
    if (m_listUsers.GetItemCount() >= kMaxUsers) {
        AfxMessageBox("Maximum number of User Entry is 50.");
        return;
    }

    std::string strAuth = "None";
    std::string strAuthPassword;
    std::string strPriv = "None";
    std::string strPrivPassword;
    if (m_checkEncrypted.GetCheck() == BST_CHECKED) {
        strAuth = Selection(m_comboAuth);
        strAuthPassword = CSNMPConfig::Trimmed(m_editAuthPassword.GetWindowText());
        if (strAuthPassword.empty()) {
            AfxMessageBox("Auth-Protocol Password can't be empty.");
            return;
        }
        if (strAuth == "MD5" && strAuthPassword.size() > 32) {
            RefusePassword(m_editAuthPassword, " MD5 Max. Password length is 32.");
            return;
        }
        if (strAuth == "SHA" && strAuthPassword.size() > 40) {
            RefusePassword(m_editAuthPassword, " SHA Max. Password length is 40.");
            return;
        }
        strPriv = Selection(m_comboPriv);
        if (strPriv == "DES") {
            strPrivPassword = CSNMPConfig::Trimmed(m_editPrivPassword.GetWindowText());
            if (strPrivPassword.empty()) {
                AfxMessageBox("Priv-Protocol Password can't be empty.");
                return;
            }
            if (strPrivPassword.size() > 32) {
                RefusePassword(m_editPrivPassword, " DES Max. Password length is 32.");
                return;
            }
        }
    }

    const std::string strOid = kUserRowStatus + CSNMPConfig::NameModelIndex(strName, strVersion);
    CWriteReport report;
    if (m_cSNMPConfig.CreateRow(report, strOid, "user entry \"" + strName + "\"", [&] {
            return m_cSNMPConfig.WriteUser(report, strName, strVersion, strGroup, strAuth, strAuthPassword, strPriv,
                                           strPrivPassword);
        }))
        ResetForm();
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPUser::OnDelete()
{
    POSITION pos = m_listUsers.GetFirstSelectedItemPosition();
    const int nItem = pos != nullptr ? m_listUsers.GetNextSelectedItem(pos) : -1;
    if (nItem < 0) {
        AfxMessageBox("Please select the item would be delete!\n");
        return;
    }
    const std::string strName = m_listUsers.GetItemText(nItem, 0);
    const std::string strIndex = CSNMPConfig::NameModelIndex(strName, m_listUsers.GetItemText(nItem, 2));
    CWriteReport report;
    m_cSNMPConfig.DeleteRow(report, kUserRowStatus + strIndex, "user entry \"" + strName + "\"");
    if (CSNMPConfig::ReadAfterWrite(report))
        OnRefresh();
}

void CSNMPUser::OnCancelInput()
{
    for (CEdit* pEdit : {&m_editName, &m_editGroup, &m_editAuthPassword, &m_editPrivPassword})
        pEdit->SetWindowText("");
    for (CComboBox* pBox : {&m_comboAuth, &m_comboPriv, &m_comboVersion})
        pBox->SetCurSel(0);
    m_checkEncrypted.EnableWindow(FALSE);
    OnRefresh();
}

void CSNMPUser::OnClose()
{
    OnCancel();
}

void CSNMPUser::OnVersionChange()
{
    if (m_comboVersion.GetCurSel() == kVersionV3) {
        m_checkEncrypted.EnableWindow(TRUE);
    } else {
        m_checkEncrypted.EnableWindow(FALSE);
        m_comboAuth.EnableWindow(FALSE);
        m_comboPriv.EnableWindow(FALSE);
    }
}

void CSNMPUser::OnEncryptedClicked()
{
    const BOOL bChecked = m_checkEncrypted.GetCheck() == BST_CHECKED ? TRUE : FALSE;
    m_comboAuth.EnableWindow(bChecked);
    m_comboPriv.EnableWindow(bChecked);
    m_editAuthPassword.EnableWindow(bChecked);
    if (m_comboPriv.GetCurSel() == kPrivDes)
        m_editPrivPassword.EnableWindow(TRUE);
}

void CSNMPUser::OnPrivProtocolChange()
{
    m_editPrivPassword.EnableWindow(m_comboPriv.GetCurSel() == kPrivDes ? TRUE : FALSE);
}
