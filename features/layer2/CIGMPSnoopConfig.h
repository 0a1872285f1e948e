// "IGMP Snooping Configuration": IGMP snooping on or off, its six timers and
// counters and "Report to all ports"; "&IGMP Vlan Info" opens the per-VLAN
// settings (CIGMPSnoopingVLANSetting) with the snooping state as last read.
//
// Opened by the main window's command ID_IGMP_SNOOPING (32837). The globals
// are read with one synchronous GET through m_logic; the fields are filled
// only when it succeeds (WM_IGMP_NOTIFY wParam 2), and Apply stays off until
// then, so nothing the switch did not say is written back to it. Apply checks
// the six fields in a fixed order (the first out of range stops it with its
// message), asks before switching snooping off, writes only what changed and
// reads again.
#pragma once

#include "common/CReadReport.h"
#include "features/layer2/CIGMPSnoopingLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CIGMPSnoopConfig : public CDialog
{
public:
    explicit CIGMPSnoopConfig(CWnd* pParent = nullptr);
    ~CIGMPSnoopConfig() override;

    BOOL DestroyWindow() override;

    // The number an edit's text starts with (leading digits only; none, as
    // in an empty text, is 0); a number too large for an int is INT_MAX.
    static int LeadingNumber(const std::string& strText);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApply();
    void OnRefresh();
    void OnVlanInfo();
    void OnEnableClicked();
    void OnClose();
    LRESULT OnIgmpNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The six edits and "Report to all ports".
    void EnableFields(BOOL bEnable);
    // One read of the settings; a failure is said once per user action.
    void ReadSettings();

    CButton m_checkEnable;
    CEdit m_editRouterTimeout;
    CEdit m_editRobustness;
    CEdit m_editQueryInterval;
    CEdit m_editMaxResponse;
    CEdit m_editLastMember;
    CEdit m_editHostTimeout;
    CIGMPSnoopingLogic m_logic;
    CReadReport m_readReport;
    bool m_bRead = false; // the fields show a read of the switch
};
