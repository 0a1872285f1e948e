// "Device Parameter Configuration": the switch's address (g_strDeviceIP) and
// the default request time-out (g_strTimeout, milliseconds). Sessions built
// afterwards use the new values. OK stores and closes, Apply stores and stays
// open, Close leaves the values alone. An empty or zero time-out is refused
// with a message and nothing is stored. Sends nothing to the switch.
#pragma once

#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CIPAddressCtrl.h"

#include <string>

class SetupDlg : public CDialog
{
public:
    explicit SetupDlg(CWnd* pParent = nullptr);

    // 1 once OK or Apply stored the values.
    unsigned char m_bStored = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnApply();

    DECLARE_MESSAGE_MAP()

private:
    // Moves the controls' data in and stores them; FALSE (with a message)
    // when the time-out is refused.
    BOOL Store();

    std::string m_strInitialIP;
    std::string m_strInitialTimeout;
    std::string m_strInitialHost;
    CEdit m_editTimeout;
    CButton m_chkHidden;
    CIPAddressCtrl m_ipHidden;
    CIPAddressCtrl m_ipDevice;
};
