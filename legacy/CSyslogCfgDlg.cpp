#include "legacy/CSyslogCfgDlg.h"

#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CWriteReport.h"
#include "legacy/LegacyWrite.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/MessageMap.h"
#include "resources/legacy.h"

namespace {

std::string SelectionCode(const CComboBox& list)
{
    const int sel = list.GetCurSel();
    return std::to_string(sel < 0 ? 0 : sel);
}

} // namespace

BEGIN_MESSAGE_MAP(CSyslogCfgDlg, CLegacyFrame)
    ON_BN_CLICKED(IDC_SYSCFG_APPLY, OnApply)
    ON_BN_CLICKED(IDC_SYSCFG_CLOSE, OnClose)
END_MESSAGE_MAP()

CSyslogCfgDlg::CSyslogCfgDlg(CWnd* pParent) : CLegacyFrame(IDD_SYSLOG_CFG, pParent)
{
    m_strCaption = "Syslog Configuration";
    m_nRefreshId = IDC_SYSCFG_REFRESH;
    m_bReadOnInit = false;
}

std::vector<std::string> CSyslogCfgDlg::SettingOids()
{
    return {KorvelOid("10.94.89.89.82.2.1.0"), KorvelOid("10.94.89.89.82.2.2.0"), KorvelOid("10.94.89.89.82.2.3.0"),
            KorvelOid("10.94.89.89.82.2.4.0")};
}

void CSyslogCfgDlg::DoDataExchange(CDataExchange* pDX)
{
    CLegacyFrame::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSCFG_CACHE, m_cbCache);
    DDX_Control(pDX, IDC_SYSCFG_FILE, m_cbFile);
    DDX_Control(pDX, IDC_SYSCFG_CONSOLE, m_cbConsole);
    DDX_Control(pDX, IDC_SYSCFG_ENABLE, m_chkEnable);
    DDX_Control(pDX, IDC_SYSCFG_CLEAR_CACHE, m_chkClearCache);
    DDX_Control(pDX, IDC_SYSCFG_CLEAR_LOGFILE, m_chkClearLogfile);
    DDX_Control(pDX, IDC_SYSCFG_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_SYSCFG_CLOSE, m_btnClose);
}

BOOL CSyslogCfgDlg::OnInitDialog()
{
    CLegacyFrame::OnInitDialog();
    ReadSettings();
    return TRUE;
}

void CSyslogCfgDlg::RefreshTable()
{
    CWaitCursor wait;
    ReadSettings();
}

void CSyslogCfgDlg::ReadSettings()
{
    ReadOnce(SettingOids());
}

void CSyslogCfgDlg::OnReadReply(CSnmp& reply)
{
    if (reply.getVarBindCount() < 4)
        return;
    // Severity codes 0 to 8 are list positions; a state or code outside its
    // set, or of another type, is unknown: no entry, no check, and Apply
    // refuses until a read brings every value.
    bool bAllKnown = true;
    CComboBox* const lists[] = {&m_cbConsole, &m_cbFile, &m_cbCache};
    for (int i = 0; i < 3; ++i) {
        const std::string code = CModuleBase::RangeText(&reply, i + 1, 0, 8);
        lists[i]->SetCurSel(code.empty() ? -1 : std::stoi(code));
        bAllKnown = bAllKnown && !code.empty();
    }
    const std::string state = CModuleBase::EnumText(&reply, 0, {1, 2});
    m_chkEnable.SetCheck(state == "1" ? BST_CHECKED : BST_UNCHECKED);
    m_bSettingsRead = bAllKnown && !state.empty();
}

void CSyslogCfgDlg::OnOK()
{
    UpdateData(TRUE);
    WriteSettings();
}

void CSyslogCfgDlg::OnCancel()
{
    CLegacyFrame::OnCancel();
}

void CSyslogCfgDlg::OnApply()
{
    OnOK();
}

void CSyslogCfgDlg::OnClose()
{
    OnCancel();
}

void CSyslogCfgDlg::WriteSettings()
{
    if (m_nSnmpVersion != 1)
        return;
    if (!m_bSettingsRead) {
        CReadReport::RefuseUnread("the syslog settings");
        return;
    }
    const std::vector<std::string> oids = SettingOids();
    CWriteReport report;
    legacy_write::SendV1(report, m_szDeviceIP, m_szWriteCommunity,
                         {{oids[0], SnmpValueInteger, m_chkEnable.GetCheck() == BST_CHECKED ? "1" : "2"},
                          {oids[1], SnmpValueInteger, SelectionCode(m_cbConsole)},
                          {oids[2], SnmpValueInteger, SelectionCode(m_cbFile)},
                          {oids[3], SnmpValueInteger, SelectionCode(m_cbCache)}},
                         "the syslog settings");
    report.Report();
}

void CSyslogCfgDlg::OnReadFailed()
{
    m_readReport.Fail("the syslog settings");
}
