// "SNMP Trap Configuration": which traps the switch's agent sends; six
// general traps and, on PoE models (a "p" or "P" in the model name), three
// PoE traps.
//
// Opened by the main window's command ID_SNMP_TRAP (32846). The switches are
// read once, synchronously, while the page opens; the record arrives inside
// that read. Apply writes every shown switch in one SET and stays off until
// the read has succeeded with a known value (1 on, 2 off) for every shown
// switch, so a failed read (every box clear) never turns all traps off; a
// value outside the two leaves its box clear and Apply off.
#pragma once

#include "common/CReadReport.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

class CSNMPTrapSetting : public CDialog
{
public:
    explicit CSNMPTrapSetting(CWnd* pParent = nullptr);
    ~CSNMPTrapSetting() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    CButton m_checkAuth;
    CButton m_checkBootup;
    CButton m_checkLink;
    CButton m_checkRstp;
    CButton m_checkFirmware;
    CButton m_checkPoePower;
    CButton m_checkPoeError;
    CButton m_checkPoeBudget;
    CButton m_checkDuplicateIp;
    CButton m_checkCpu;
    // 1 on a PoE model.
    int m_bPoe = 0;
    CButton m_checkLoopback;
    // TRUE once the switches have been read.
    BOOL m_bRead = FALSE;
    CReadReport m_readReport;
    CSNMPConfig m_cSNMPConfig;
};
