#include "features/security/C8021XUserDLG.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/dot1x.h"
#include "resources/main.h"

#include <iterator>

namespace {

constexpr int kMaxText = 15;
constexpr int kMinText = 4;
const char* const kCheckInput = "please check what you put";

constexpr int kEditIds[] = {IDC_8021X_USER_NAME, IDC_8021X_USER_PASSWORD, IDC_8021X_USER_CONFIRM};
constexpr int kControlIds[] = {IDC_8021X_USER_NAME,   IDC_8021X_USER_PASSWORD, IDC_8021X_USER_CONFIRM,
                               IDC_8021X_USER_LIST,   IDC_8021X_USER_ADD,      IDC_8021X_USER_DELETE,
                               IDC_8021X_USER_REFRESH, IDC_8021X_USER_CLOSE};

std::string UserColumn(int nColumn, const std::string& strIndex)
{
    return C8021XSettingLogic::kUserEntry + "." + std::to_string(nColumn) + strIndex;
}

// One row-status SET on a session made for it; true when accepted.
bool SetUserRowStatus(CWriteReport& report, const std::string& strIndex, const char* pszValue,
                      const std::string& strWhat)
{
    CCommonSNMP session;
    session.Open(SnmpPduSet);
    session.AddValue(UserColumn(3, strIndex), SnmpValueInteger, pszValue);
    return report.Send(session, strWhat);
}

} // namespace

BEGIN_MESSAGE_MAP(C8021XUserDLG, CDialog)
    ON_BN_CLICKED(IDC_8021X_USER_ADD, OnAdd)
    ON_BN_CLICKED(IDC_8021X_USER_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_8021X_USER_REFRESH, ResetAndReload)
    ON_BN_CLICKED(IDC_8021X_USER_CLOSE, OnClose)
END_MESSAGE_MAP()

C8021XUserDLG::C8021XUserDLG(CWnd* pParent) : CDialog(IDD_8021X_USER, pParent) {}

std::string C8021XUserDLG::MakeNameIndex(const std::string& strName)
{
    std::string strIndex = "." + std::to_string(strName.size());
    for (unsigned char c : strName)
        strIndex += "." + std::to_string(static_cast<unsigned>(c));
    return strIndex;
}

BOOL C8021XUserDLG::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_Logic.CloseSessions();
    OutputDebugString("==================m_Logic.CloseSessions===============");
    return CDialog::DestroyWindow();
}

BOOL C8021XUserDLG::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void C8021XUserDLG::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_8021X_USER_LIST, m_listUsers);
}

BOOL C8021XUserDLG::OnInitDialog()
{
    CDialog::OnInitDialog();
    InitControls();
    StartRead();
    return TRUE;
}

void C8021XUserDLG::InitControls()
{
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    for (int id : kEditIds)
        static_cast<CEdit*>(GetDlgItem(id))->SetLimitText(kMaxText);
    GetDlgItem(IDC_8021X_USER_TOTAL)->EnableWindow(FALSE);
    m_listUsers.InsertColumn(0, "Id", LVCFMT_CENTER, 50);
    m_listUsers.InsertColumn(1, " User Name", LVCFMT_CENTER, 150);
    m_listUsers.InsertColumn(2, " Password ", LVCFMT_CENTER, 150);
    m_listUsers.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
}

void C8021XUserDLG::EnableControls(BOOL bEnable)
{
    for (int id : kControlIds)
        GetDlgItem(id)->EnableWindow(bEnable);
}

void C8021XUserDLG::StartRead()
{
    // One new user action: opening, Refresh, the read after Add or Delete.
    m_readReport.Begin();
    EnableControls(FALSE);
    if (m_Logic.SetHwnd(GetSafeHwnd()))
        m_Logic.StartUserWalk();
}

LRESULT C8021XUserDLG::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WALK_FINISHED) {
        // A walk cut short keeps the list of the last complete one.
        if (!m_Logic.LastWalkComplete())
            m_readReport.Fail("the user list", m_bListRead);
        m_bListRead = m_bListRead || m_Logic.LastWalkComplete();
    }
    if (message == WM_WALK_FINISHED || message == WM_WALK_STALE)
        FillUserList();
    return CDialog::WindowProc(message, wParam, lParam);
}

void C8021XUserDLG::FillUserList()
{
    const std::vector<X8021_User_Statistics_Info> users = m_Logic.GetUserList();
    m_listUsers.DeleteAllItems();
    m_rowIndexes.clear();
    GetDlgItem(IDC_8021X_USER_TOTAL)->SetWindowText(std::to_string(users.size()));
    int nRow = 0;
    for (const X8021_User_Statistics_Info& user : users) {
        if (user.nRowStatus != 1)
            continue;
        m_rowIndexes.push_back(user.strIndex);
        m_listUsers.SetOrInsertItemText(nRow, 0, std::to_string(nRow + 1).c_str());
        m_listUsers.SetOrInsertItemText(nRow, 1, user.strUserName.c_str());
        m_listUsers.SetOrInsertItemText(nRow, 2, user.strPassword.c_str());
        ++nRow;
    }
    EnableControls(TRUE);
}

BOOL C8021XUserDLG::CheckUserInput(const std::string& strName, const std::string& strPassword,
                                   const std::string& strConfirm)
{
    if (strName.size() < kMinText) {
        AfxMessageBox("Please Confirm user name length must large than 4 characters.");
        auto* pName = static_cast<CEdit*>(GetDlgItem(IDC_8021X_USER_NAME));
        pName->SetFocus();
        pName->SetSel(0, -1);
        return FALSE;
    }
    if (strPassword.size() < kMinText) {
        AfxMessageBox("Please Confirm password length must large than 4 characters.");
        return FALSE;
    }
    if (strPassword != strConfirm) {
        AfxMessageBox("Please Confirm User Password!");
        return FALSE;
    }
    return TRUE;
}

BOOL C8021XUserDLG::IsNewUserName(const std::string& strName)
{
    for (const X8021_User_Statistics_Info& user : m_Logic.GetUserList()) {
        if (user.strUserName == strName) {
            AfxMessageBox("Duplicate 802.1X User Name");
            return FALSE;
        }
    }
    return TRUE;
}

void C8021XUserDLG::OnAdd()
{
    std::string strName;
    std::string strPassword;
    std::string strConfirm;
    GetDlgItem(IDC_8021X_USER_NAME)->GetWindowText(strName);
    GetDlgItem(IDC_8021X_USER_PASSWORD)->GetWindowText(strPassword);
    GetDlgItem(IDC_8021X_USER_CONFIRM)->GetWindowText(strConfirm);
    if (!CheckUserInput(strName, strPassword, strConfirm) || !IsNewUserName(strName))
        return;

    const std::string strIndex = MakeNameIndex(strName);
    CWriteReport report;
    if (!SetUserRowStatus(report, strIndex, "4", "the new user " + strName)) {
        report.Report(kCheckInput);
        return;
    }
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValue(UserColumn(2, strIndex), SnmpValueOctetString, strPassword);
    if (!report.Send(m_cCommonSNMP, "the password of user " + strName) ||
        !SetUserRowStatus(report, strIndex, "1", "the activation of user " + strName)) {
        // The row just created would stay an active user without the
        // chosen password: it goes again (unless the switch is silent).
        if (!report.TimedOut()) {
            CWriteReport cleanup;
            SetUserRowStatus(cleanup, strIndex, "6", "user " + strName);
        }
        report.Report(kCheckInput);
        ResetAndReload();
        return;
    }
    ResetAndReload();
}

void C8021XUserDLG::OnDelete()
{
    const int nRow = m_listUsers.GetSelectionMark();
    if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_rowIndexes.size()) {
        AfxMessageBox("Please Choose One To Delete Or Check If Have Any Data");
        return;
    }
    // The row is named by its own index, never by the name it shows.
    CWriteReport report;
    SetUserRowStatus(report, m_rowIndexes[static_cast<std::size_t>(nRow)], "6",
                     "the deletion of user " + m_listUsers.GetItemText(nRow, 1));
    report.Report();
    ResetAndReload();
}

void C8021XUserDLG::ResetAndReload()
{
    for (int id : kEditIds)
        GetDlgItem(id)->SetWindowText("");
    StartRead();
}

void C8021XUserDLG::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}
