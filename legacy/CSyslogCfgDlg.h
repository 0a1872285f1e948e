// "Syslog Configuration": the older branch's global syslog settings
// (korvelEnterprise.10.94.89.89.82.2.1.0 to .4.0): the syslog state and the
// lowest severity logged to the console, the log file and the log cache. A
// frame dialog that reads the four values with the one-shot read when it opens
// and on Refresh, and writes all four on Apply (or Enter); SNMPv1 only.
#pragma once

#include "legacy/CLegacyFrame.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"

class CSyslogCfgDlg : public CLegacyFrame
{
public:
    explicit CSyslogCfgDlg(CWnd* pParent = nullptr);

    // The settings' OIDs in request order: state, console, log file, log cache.
    static std::vector<std::string> SettingOids();

    void RefreshTable() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Apply: writes the four settings; the dialog stays open.
    void OnOK() override;
    void OnCancel() override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadFailed() override;

    void OnApply();
    void OnClose();
    void ReadSettings();
    void WriteSettings();

    CComboBox m_cbCache;
    CComboBox m_cbFile;
    CComboBox m_cbConsole;
    CButton m_chkEnable;
    CButton m_chkClearCache;
    CButton m_chkClearLogfile;
    CButton m_btnApply;
    CButton m_btnClose;
    // Apply writes nothing until the settings were read: it would otherwise
    // switch syslog off and every severity to "Emergency".
    bool m_bSettingsRead = false;

    DECLARE_MESSAGE_MAP()
};
