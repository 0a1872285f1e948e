// "DHCP BOOTP Relay Global Settings": the relay's state, hops count limit and
// time threshold, and the relay agent information option 82 (state, check,
// policy, remote ID type and text). Apply writes them when hops (1-16) and
// threshold (0-65535) are in range; it is refused until a read has
// succeeded, while a state the switch gave outside its set shows no
// selection, and with no policy selected. A refused or unanswered write is
// said. A failed read leaves the fields as they were and is said. The remote
// ID is written back byte for byte as it was read unless it was edited.
#pragma once

#include "common/CReadReport.h"
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
    std::string m_strRemoteIdRead;  // the remote ID's bytes as read
    std::string m_strRemoteIdShown; // the text its edit showed for them
    CReadReport m_readReport;
    CDHCPBootpLogic m_cLogic;
};
