// "Loopback Detection Settings": the global state, mode, interval, recover
// time and VLAN list of loopback detection, its state on a range of ports, and
// a list of every port's state and loop status (naming the VLANs in which a
// loop shut the port).
//
// Opened by the main window's command ID_LOOPBACK_DETECTION (32873). The reads
// are the work of m_cLbdLogic: a refresh walks the trunk groups and the VLAN
// loop table, then reads the globals and walks the port table; the dialog is
// disabled until both have ended. Loopback detection and spanning tree refuse
// each other on a port, and a link aggregation member may not run it.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/layer2/CLBDetectionFunLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CLoopbackDetection : public CDialog
{
public:
    explicit CLoopbackDetection(CWnd* pParent = nullptr);

    // The one-shot timer that reads everything again after a global Apply.
    static constexpr UINT_PTR IDT_LBD_REFRESH = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApplyGlobal();
    void OnApplyPorts();
    // FALSE, after its message, when spanning tree runs on the port and
    // globally; TRUE otherwise, also when the switch does not answer.
    BOOL CheckStpConflict(int nPort);

    void OnRadioEnabled();
    void OnRadioDisabled();
    void OnModeChange();
    void OnFromPortChange();
    void OnToPortChange();
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);

    DECLARE_MESSAGE_MAP()

private:
    void OnGlobals(const LBD_global_info& info);
    void OnPortRow(const LBD_port_info& row);
    // The globals read or the port walk has ended; the later one ends the refresh.
    void OnReadEnded();
    void OnRefreshEnded();
    void EnableApplyButtons(BOOL bEnable);
    bool IsVlanMode() const;

    CLBDetectionFunLogic m_cLbdLogic;
    int m_bLbdEnabled = 0;
    // Whether the globals have been read since the dialog opened: the global
    // Apply writes what they filled in.
    bool m_bGlobalsRead = false;
    // The reads of a refresh that have not ended yet.
    int m_nPendingReads = 0;
    CReadReport m_readReport;
    bool m_bPortsRead = false;    // the list shows a complete port walk
    bool m_bClearOnFirstRow = false; // the refresh's rows replace the list
    CButton m_btnApplyPorts;
    CButton m_btnRefresh;
    CEdit m_editRecoverTime;
    CEdit m_editInterval;
    CComboBox m_comboPortState;
    CComboBox m_comboToPort;
    CComboBox m_comboFromPort;
    CComboBox m_comboMode;
    CListCtrlEx m_listPorts;
    CEdit m_editVlanList;
};
