// "GVRP Settings": the switch's GVRP port table, and one write of PVID, GVRP
// state, ingress checking and acceptable frame type to a range of ports.
//
// Opened by the main window's command ID_GVRP_SETTINGS (32836), which no menu
// item sends. The reads are the work of m_GVRPFunLogic: its port table, VLAN
// and trunk walks report to this window with WM_LOGIC_NOTIFY; the list takes
// the port table whole at the end of its walk (a failed walk leaves it as it
// was); Refresh and Apply come back once all three walks of a refresh have
// ended. A range that splits a link aggregation group is refused.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/ports_vlans/CGVRPFunLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CGVRPSettings : public CDialog
{
public:
    explicit CGVRPSettings(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnRefresh();
    void OnApply();
    LRESULT OnLogicNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTrunkWalkEnd(WPARAM wParam, LPARAM lParam);
    void OnFromPortChange();
    void OnToPortChange();

    DECLARE_MESSAGE_MAP()

private:
    void EnableValueCombos(BOOL bEnable);
    // One walk of the refresh has ended; the last gives the buttons back.
    void OnWalkEnded();

    CButton m_btnApply;
    CEdit m_editPvid;
    CButton m_btnRefresh;
    CComboBox m_comboIngressChecking;
    CComboBox m_comboAcceptFrameType;
    CComboBox m_comboToPort;
    CComboBox m_comboFromPort;
    CComboBox m_comboGvrp;
    CListCtrlEx m_listPorts;
    int m_nFinishedWalks = 0;
    CReadReport m_readReport;
    CGVRPFunLogic m_GVRPFunLogic;
};
