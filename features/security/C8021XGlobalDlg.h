// "802.1X Global Settings": the 802.1X state, whether EAPOL frames are
// forwarded while 802.1X is off, and the authentication protocol.
//
// Opened by the main window's "802.1X Global Settings" (command 32890). The
// three values are read with single GETs on the UI thread; Apply writes only
// what differs from the last read, in one SET: the forward value only while
// (or when) 802.1X goes off, the protocol only while (or when) it goes on.
// Apply is refused while the last read of the three values failed or gave a
// value outside its set: the choices then shown are no values of the switch.
// A failed read the user started (opening, Refresh, the read after Apply) is
// said once; a refused or unanswered write is said.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"

#include <string>

class C8021XGlobalDlg : public CDialog
{
public:
    explicit C8021XGlobalDlg(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

    // The switch's objects (integers): state and forward value 1 enabled,
    // 2 disabled; protocol 1 RADIUS, 2 local.
    static const std::string kAuthStateOid;
    static const std::string kAuthProtocolOid;
    static const std::string kForwardEapolOid;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void LoadSettings();
    void OnRefresh();
    void OnAuthStateEnabled();
    void OnAuthStateDisabled();

    DECLARE_MESSAGE_MAP()

private:
    CComboBox m_comboProtocol;
    int m_nAuthState = -1;    // 0 Enabled, 1 Disabled
    int m_nForwardEapol = -1; // 0 Enabled, 1 Disabled
    CCommonSNMP m_cCommonSNMP;
    CModuleBase m_Module;
    std::string m_strAuthState;
    std::string m_strForwardEapol;
    std::string m_strAuthProtocol;
    bool m_bReadComplete = false; // the last LoadSettings read all three values
    CReadReport m_readReport;
};
