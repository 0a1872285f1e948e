#include "legacy/CCLIControlDlg.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

namespace {

std::string CliOid(const char* arc)
{
    return KorvelOid(std::string("10.94.89.89.74.") + arc + ".0");
}

} // namespace

BEGIN_MESSAGE_MAP(CCLIControlDlg, CLegacyFrame)
    ON_BN_CLICKED(IDC_CLI_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CLI_CLOSE, OnClose)
    ON_EN_CHANGE(IDC_CLI_HISTORY_SIZE, OnEditChange)
    ON_EN_CHANGE(IDC_CLI_TIMEOUT, OnEditChange)
    ON_EN_CHANGE(IDC_CLI_SSH_TIMEOUT, OnEditChange)
END_MESSAGE_MAP()

CCLIControlDlg::CCLIControlDlg(CWnd* pParent) : CLegacyFrame(IDD_CLI_CONTROL, pParent)
{
    m_strCaption = "CLI Configuration";
    m_nRefreshId = IDC_CLI_REFRESH;
    m_bReadOnInit = false;
}

std::vector<std::string> CCLIControlDlg::SettingOids()
{
    return {CliOid("2"), CliOid("3"), CliOid("4"), CliOid("6"), CliOid("7"),
            CliOid("8"), CliOid("9"), CliOid("10"), CliOid("11")};
}

void CCLIControlDlg::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLI_HIDDEN_1302, m_st1302);
    DDX_Control(pDX, IDC_CLI_HISTORY_ENABLE, m_chkHistoryEnable);
    DDX_Control(pDX, IDC_CLI_HIDDEN_1102, m_chk1102);
    DDX_Control(pDX, IDC_CLI_HIDDEN_1099, m_chk1099);
    DDX_Control(pDX, IDC_CLI_SSH_HISTORY_ENABLE, m_chkSshHistoryEnable);
    DDX_Control(pDX, IDC_CLI_TELNET_HISTORY_ENABLE, m_chkTelnetHistoryEnable);
    DDX_Control(pDX, IDC_CLI_SSH_HISTORY_SIZE, m_editSshHistorySize);
    DDX_Control(pDX, IDC_CLI_TELNET_HISTORY_SIZE, m_editTelnetHistorySize);
    DDX_Control(pDX, IDC_CLI_TELNET_TIMEOUT, m_editTelnetTimeout);
    DDX_Control(pDX, IDC_CLI_SSH_TIMEOUT, m_editSshTimeout);
    DDX_Control(pDX, IDC_CLI_TIMEOUT, m_editTimeout);
    DDX_Control(pDX, IDC_CLI_HISTORY_SIZE, m_editHistorySize);
    DDX_Control(pDX, IDC_CLI_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_CLI_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_CLI_HIDDEN_1304, m_st1304);
    DDX_Control(pDX, IDC_CLI_HIDDEN_1303, m_st1303);
    DDX_Text(pDX, IDC_CLI_HISTORY_SIZE, m_strHistorySize);
    DDV_MaxChars(pDX, m_strHistorySize, 32);
    DDX_Text(pDX, IDC_CLI_TIMEOUT, m_strTimeout);
    DDV_MaxChars(pDX, m_strTimeout, 32);
    DDX_Text(pDX, IDC_CLI_SSH_TIMEOUT, m_strSshTimeout);
    DDV_MaxChars(pDX, m_strSshTimeout, 60);
    DDX_Text(pDX, IDC_CLI_TELNET_TIMEOUT, m_strTelnetTimeout);
    DDV_MaxChars(pDX, m_strTelnetTimeout, 60);
}

BOOL CCLIControlDlg::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    ReadCliSettings();
    return TRUE;
}

void CCLIControlDlg::RefreshTable()
{
    CWaitCursor wait;
    ReadCliSettings();
}

void CCLIControlDlg::ReadCliSettings()
{
    ReadOnce(SettingOids());
}

void CCLIControlDlg::OnReadReply(CSnmp& reply)
{
    if (reply.getVarBindCount() < 9)
        return;
    CEdit* const boxes[] = {&m_editTimeout,        &m_editHistorySize,       &m_editSshTimeout,
                            &m_editTelnetTimeout,  &m_editTelnetHistorySize, &m_editSshHistorySize};
    const int boxValues[] = {0, 2, 3, 4, 6, 8};
    // The first four boxes and the first two checks are written back as they
    // were read: a value of another type or out of its range is shown
    // unknown and refuses Apply until a read brings it whole.
    bool bAllKnown = true;
    for (int i = 0; i < 6; ++i) {
        if (i < 4) {
            const std::string text = CModuleBase::RangeText(&reply, boxValues[i], 0, 4294967295LL);
            boxes[i]->SetWindowText(text);
            bAllKnown = bAllKnown && !text.empty();
        } else {
            boxes[i]->SetWindowText(ValueText(reply, boxValues[i]));
        }
    }
    CButton* const checks[] = {&m_chkHistoryEnable, &m_chkTelnetHistoryEnable, &m_chkSshHistoryEnable};
    const int checkValues[] = {1, 5, 7};
    for (int i = 0; i < 3; ++i) {
        if (i < 2) {
            const std::string state = CModuleBase::EnumText(&reply, checkValues[i], {1, 2});
            checks[i]->SetCheck(state == "1" ? BST_CHECKED : BST_UNCHECKED);
            bAllKnown = bAllKnown && !state.empty();
        } else {
            checks[i]->SetCheck(ValueText(reply, checkValues[i]) == "1" ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    m_bSettingsRead = bAllKnown;
}

void CCLIControlDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    WriteCliSettings();
}

void CCLIControlDlg::OnCancel()
{
    CLegacyFrame::OnCancel();
}

void CCLIControlDlg::OnApply()
{
    OnOK();
}

void CCLIControlDlg::OnClose()
{
    OnCancel();
}

void CCLIControlDlg::WriteCliSettings()
{
    if (m_nSnmpVersion != 1)
        return;
    if (!m_bSettingsRead) {
        CReadReport::RefuseUnread("the CLI settings");
        return;
    }
    const struct
    {
        const char* label;
        const std::string& text;
    } numbers[] = {{"CliTimeout", m_strTimeout},
                   {"CliHistorySize", m_strHistorySize},
                   {"CliSshTimeout", m_strSshTimeout},
                   {"CliTelnetTimeout", m_strTelnetTimeout}};
    for (const auto& number : numbers) {
        if (!legacy_write::IsDecimalNumber(number.text, 0xFFFFFFFFULL)) {
            AfxMessageBox(std::string(number.label) + " must be a decimal number.");
            return;
        }
    }
    const auto flag = [](const CButton& check) { return check.GetCheck() == BST_CHECKED ? "1" : "2"; };
    CWriteReport report;
    legacy_write::SendV1(report, m_szDeviceIP, m_szWriteCommunity,
                         {{CliOid("2"), SnmpValueUnsigned, m_strTimeout},
                          {CliOid("3"), SnmpValueInteger, flag(m_chkHistoryEnable)},
                          {CliOid("4"), SnmpValueUnsigned, m_strHistorySize},
                          {CliOid("6"), SnmpValueUnsigned, m_strSshTimeout},
                          {CliOid("7"), SnmpValueUnsigned, m_strTelnetTimeout},
                          {CliOid("8"), SnmpValueInteger, flag(m_chkTelnetHistoryEnable)}},
                         "the CLI settings");
    report.Report();
}

void CCLIControlDlg::OnReadFailed()
{
    m_readReport.Fail("the CLI settings");
}
