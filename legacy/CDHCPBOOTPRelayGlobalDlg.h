// "DHCP BOOTP Relay Global Settings": the relay's state, hops count limit and
// time threshold, and the relay agent information option 82 (state, check,
// policy, remote ID type and text). Apply writes them when hops (1-16) and
// threshold (0-65535) are in range; it is refused until a read has
// succeeded, and with no policy selected. A failed read leaves the fields as
// they were.
#pragma once

#include "legacy/CDHCPBootpLogic.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CDHCPBOOTPRelayGlobalDlg : public CDialog
{
public:
    explicit CDHCPBOOTPRelayGlobalDlg(CWnd* pParent = nullptr);
    ~CDHCPBOOTPRelayGlobalDlg() override;

    // Whether a read of the settings has succeeded.
    bool SettingsRead() const { return m_bRead; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    void OnRemoteIdTypeChange();
    LRESULT OnRelayNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editHops;
    CEdit m_editThreshold;
    CEdit m_editRemoteID;
    CComboBox m_cbOption82State;
    CComboBox m_cbRemoteIDType;
    CComboBox m_cbRelayState;
    CComboBox m_cbPolicy;
    CComboBox m_cbCheck;
    bool m_bRead = false;
    CDHCPBootpLogic m_cLogic;
};
