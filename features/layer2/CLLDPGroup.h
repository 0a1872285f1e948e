// "LLDP Global Settings": the LLDP state and its four timers (message TX hold
// multiplier, message TX interval, reinit delay, TX delay), each set with an
// Apply of its own, and the switch's own LLDP identity as the LLDP-MIB reports
// it (chassis ID subtype and ID, system name and description).
//
// Opened by the main window's command ID_LLDP_GLOBAL (32825). The nine objects
// are read in one asynchronous GET; its call-back, on the session's worker
// thread, hands the values to the window (WM_LLDP_GLOBAL_READ), which fills
// the controls on the UI thread. A read that fails (or cannot start) is said
// once per user action and leaves the controls as they were. A state other
// than 1 or 2 and a timer outside its range are shown empty. The state Apply
// stays off until a read has given a state; the timers are
// usable only while the state read is "1". Each write is sent once: a refused
// or unanswered SET is said and ends the Apply there, naming what was
// written before it. An accepted write is followed by a 2000 ms pause and a
// read; a silent switch is not read again at once.
//
// Objects: korvelEnterprise.10.76.19.1.24: .1.0 state (1 enabled, 2 disabled),
// .2.0 hold multiplier, .3.0 TX interval, .4.0 reinit delay, .5.0 TX delay
// (seconds); LLDP-MIB 1.0.8802.1.1.2.1.3: .1.0 chassis ID subtype, .2.0
// chassis ID, .3.0 system name, .4.0 system description.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

#include <array>
#include <string>

class CSnmp;
class CWriteReport;

// The global read has ended: lParam a std::array<std::string, 9>* of the nine
// values (valid during the call), or 0 when the read failed.
inline constexpr UINT WM_LLDP_GLOBAL_READ = WM_APP + 1024;

class CLLDPGroup : public CDialog
{
public:
    explicit CLLDPGroup(CWnd* pParent = nullptr);
    ~CLLDPGroup() override;

    BOOL DestroyWindow() override;

    // The LLDP-MIB chassis ID subtype's name; any other value as it is.
    static std::string ChassisSubtypeText(const std::string& strValue);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnBUTTONLldpEnableApply();
    void OnBUTTONLldpTimerApply();
    LRESULT OnGlobalRead(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void OnGetSystemInfo();
    static int OnSystemInfoReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // The message of the first timer rule the fields break; null when they pass.
    const char* CheckTimers(long long nHold, long long nInterval, long long nReinit, long long nDelay) const;
    // Says a failed write, then reads again unless the switch was silent.
    void AfterWrite(CWriteReport& report);
    void EnableTimers(BOOL bEnable);

    CButton m_checkEnable;
    CCommonSNMP m_cCommonSNMP;    // the read
    CCommonSNMP m_cCommonSNMPSet; // the SETs
    std::string m_strTxInterval;  // as last read; empty before
    std::string m_strTxDelay;
    bool m_bRead = false; // a read has given a state of 1 or 2
    CReadReport m_readReport;
};
