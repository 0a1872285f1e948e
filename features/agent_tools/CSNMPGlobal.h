// "SNMP Global State Settings": switches the switch's SNMP agent on or off.
//
// Opened by the main window's command ID_SNMP_GLOBAL (32839). The state is
// read asynchronously when the page opens and again after each accepted
// write; the answer comes as WM_COPYDATA (dwData 1 enabled, 2 disabled).
// Apply stays off until a read has answered with one of those, so a failed
// read (which leaves the box clear) never switches the agent off.
#pragma once

#include "common/CReadReport.h"
#include "features/agent_tools/CSNMPConfig.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"

class CSNMPGlobal : public CDialog
{
public:
    explicit CSNMPGlobal(CWnd* pParent = nullptr);
    ~CSNMPGlobal() override;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnApply();
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()

private:
    CButton m_checkState;
    // 1 once the switch has told its state.
    BOOL m_bStateRead = FALSE;
    CReadReport m_readReport;
    // Last: its destructor closes the sessions while the controls still exist.
    CSNMPConfig m_cSNMPConfig;
};
