// "CLI Configuration": the time-outs and command-history settings of the
// command-line interface and of its Telnet and SSH sessions
// (korvelEnterprise.10.94.89.89.74). A frame dialog that reads nine scalars
// with the one-shot read when it opens and on Refresh, and writes six of them
// on Apply (or Enter); SNMPv1 only.
#pragma once

#include "legacy/CLegacyFrame.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CStatic.h"

class CCLIControlDlg : public CLegacyFrame
{
public:
    explicit CCLIControlDlg(CWnd* pParent = nullptr);

    // The nine objects read, in request order (.74.2.0 ... .74.11.0, no .5).
    static std::vector<std::string> SettingOids();

    void RefreshTable() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Apply: writes the six writable settings; the dialog stays open.
    void OnOK() override;
    void OnCancel() override;
    void OnReadReply(CSnmp& reply) override;
    void OnReadFailed() override;

    void OnApply();
    void OnClose();
    void OnEditChange() {}
    void ReadCliSettings();
    void WriteCliSettings();

    CStatic m_st1302;
    CButton m_chkHistoryEnable;
    CButton m_chk1102;
    CButton m_chk1099;
    CButton m_chkSshHistoryEnable;
    CButton m_chkTelnetHistoryEnable;
    CEdit m_editSshHistorySize;
    CEdit m_editTelnetHistorySize;
    CEdit m_editTelnetTimeout;
    CEdit m_editSshTimeout;
    CEdit m_editTimeout;
    CEdit m_editHistorySize;
    CButton m_btnApply;
    CButton m_btnClose;
    CStatic m_st1304;
    CStatic m_st1303;
    std::string m_strHistorySize;
    std::string m_strTimeout;
    std::string m_strSshTimeout;
    std::string m_strTelnetTimeout;
    // Apply writes nothing until the settings were read: it would otherwise
    // write empty values and switch both histories off.
    bool m_bSettingsRead = false;

    DECLARE_MESSAGE_MAP()
};
