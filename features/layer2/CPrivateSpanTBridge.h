// "STP Global Settings": spanning tree on or off for the whole switch, its
// protocol version, bridge priority, transmit hold count and timers, and the
// root bridge the switch reports. "Port Setting" opens the port table
// (CPrivateSpanTree).
//
// Opened by the main window's command ID_SPANNING_TREE (32813). The twelve
// scalars are read in one asynchronous GET; its call-back, on the session's
// worker thread, hands the values to the window (WM_STP_BRIDGE_READ), which
// fills the controls on the UI thread. Apply stays off until a read has
// succeeded, so nothing the switch did not say is written back to it, and
// while a read runs. Apply writes with synchronous SETs on the UI thread in a
// fixed order and reads again; before it switches spanning tree on it asks
// m_cStpLogic whether loopback detection runs anywhere, since a port may not
// run both.
//
// Objects, korvelEnterprise.10.76.19.1.6.1 (integers; times in hundredths of a
// second, shown and entered in whole seconds):
//   .1.0 state (1 enabled, 2 disabled) | .2.0 version (0 STP, 2 RSTP, 3 MSTP)
//   .3.0 bridge priority | .4.0 transmit hold count | .8.0 root bridge (8
//   octets) | .9.0 root cost | .10.0 root port | .11.0 root maximum age
//   .14.0 root forward delay | .15.0 maximum age | .16.0 hello time
//   .17.0 forward delay
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "features/layer2/CSTPLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CSnmp;

// The global read has ended: lParam a STP_bridge_info* valid during the call,
// or 0 when the read failed.
inline constexpr UINT WM_STP_BRIDGE_READ = WM_APP + 1010;

class CPrivateSpanTBridge : public CDialog
{
public:
    explicit CPrivateSpanTBridge(CWnd* pParent = nullptr);
    ~CPrivateSpanTBridge() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Apply: checks the values and writes them; the dialog stays open.
    void OnOK() override;

    void OnPortSetting();
    void OnRefresh();
    void OnStateClicked();
    void OnVersionChange();
    LRESULT OnBridgeRead(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void ReadBridgeSettings();
    // Says what the Apply could not write and reads the settings again.
    void EndApply(class CWriteReport& report);
    static int OnBridgeSettingsReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // The exclusion check: FALSE, after its message, when loopback detection
    // runs on a port (and is not disabled globally).
    BOOL CheckLbdPorts();
    // The version list, the priority combo and the four edits.
    void EnableSettings(BOOL bEnable);

    // The sessions come first and go last: a running call-back sends to this
    // window, which the destructor stops before the controls go.
    CCommonSNMP m_cCommonSNMP;     // the asynchronous read
    CCommonSNMP m_cCommonSNMPSet;  // SETs
    CCommonSNMP m_cCommonSNMPSet0; // SETs
    // "1" when the last read found spanning tree enabled, "0" otherwise;
    // empty until a read has succeeded (Apply is refused until then).
    std::string m_strStpState;
    CEdit m_editTxHoldCount;
    CEdit m_editMaxAge;
    CEdit m_editForwardDelay;
    CEdit m_editHelloTime;
    CButton m_checkStpState;
    int m_nMaxAge = 0;       // seconds
    int m_nForwardDelay = 0; // seconds
    int m_nHelloTime = 0;    // seconds
    int m_nPriority = 0;
    CComboBox m_comboPriority;
    CComboBox m_comboVersion;
    CSTPLogic m_cStpLogic;
    CReadReport m_readReport;
};
