// "Telnet Configuration": the Telnet sessions open on the switch and its
// Telnet settings (korvelEnterprise.10.94.89.89.58). The session table is the
// frame's walk (SNMPv1 or SNMPv3); the password and time-out are read and the
// time-out written over SNMPv1 only; one session's status is read and written
// over either version.
#pragma once

#include "common/CReadReport.h"
#include "legacy/CLegacyFrame.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"

class CTelnetCfgDlg : public CLegacyFrame
{
public:
    static constexpr UINT WM_TELNET_REPLY = WM_APP + 0x0A21;

    explicit CTelnetCfgDlg(CWnd* pParent = nullptr);
    ~CTelnetCfgDlg() override;

    BOOL DestroyWindow() override;

    // Whether an SNMPv1 settings or status read, or a write, awaits its reply.
    bool ScalarPending() const { return m_nScalarRequest != 0; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnRefresh() override;
    std::vector<LegacyCell> BindingCells(CSnmp& reply, int binding) override;

    void OnSessionItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnSessionClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnApplyTelnetSettings();
    void OnApplySessionStatus();
    LRESULT OnScalarReply(WPARAM wParam, LPARAM lParam);

    void ReadTelnetSettings();
    void ReadSessionStatus(const std::string& id);
    // One SNMPv1 request of the scalar pair; its reply comes back as `kind`.
    bool SendScalar(int pduType, const std::string& community, const std::vector<LegacyValue>& values, int kind);
    void SelectStatus(const std::string& value);
    void ShowSettings(CSnmp& response);
    void SettingsReadFailed();

    CEdit m_editTimeout;
    CEdit m_edit217;
    CEdit m_edit216;
    CEdit m_editSessionId;
    CButton m_btnRefresh;
    CComboBox m_cbStatus;
    CButton m_chk205;
    CButton m_chk203;
    CButton m_chk213;
    CEdit m_editPassword;
    CButton m_chk206;
    CComboBox m_cb210;

    // The scalar pair: the request and the sender of everything but the
    // session walk. One request at a time: the awaited one and its kind.
    std::unique_ptr<CSnmpV1> m_scalarRequest;
    std::unique_ptr<CSnmp4w> m_scalarSender;
    std::shared_ptr<LegacyReplyToken> m_scalarToken;
    int m_nScalarRequest = 0;
    int m_nScalarKind = 0;
    // The time-out Apply writes nothing until the settings were read whole.
    bool m_bSettingsRead = false;
    bool m_bSettingsShown = false; // the boxes show an earlier read
    CReadReport m_readReport;
    // The session whose status a click asked for while a request was out.
    std::string m_strQueuedStatusId;
    // The session whose status the SNMPv1 write awaited sets.
    std::string m_strWrittenSession;

    DECLARE_MESSAGE_MAP()
};
