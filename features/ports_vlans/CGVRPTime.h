// "GVRP Global Settings": GVRP on or off for the whole switch, and its Join,
// Leave and LeaveAll timers.
//
// Opened by the main window's command ID_GVRP_TIME (32835), which no menu item
// sends. The state is read synchronously, the timers by m_GVRPFunLogic's
// global read, which reports to this window with WM_LOGIC_NOTIFY; Apply,
// Refresh and Close wait for it. Until the state and the timers have been
// read Apply stays off, so nothing the switch did not say is written back to
// it; a read that fails gives back Refresh and Close only.
#pragma once

#include "common/CReadReport.h"
#include "features/ports_vlans/CGVRPFunLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>

class CGVRPTime : public CDialog
{
public:
    explicit CGVRPTime(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnClose();
    void OnApply();
    void OnEnabledClicked();
    void OnDisabledClicked();
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void EnableTimerEdits(BOOL bEnable);
    void EnableButtons(BOOL bEnable);

    CButton m_btnApply;
    CButton m_btnClose;
    CButton m_btnRefresh;
    CEdit m_editLeaveAll;
    CEdit m_editLeave;
    CEdit m_editJoin;
    CButton m_radioEnabled;
    CReadReport m_readReport;
    CGVRPFunLogic m_GVRPFunLogic;
    std::string m_strGvrpState; // the global state as last read
};
