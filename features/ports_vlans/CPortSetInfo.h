// "Port Configuration": every port of the switch with its link status, speed,
// MDI/MDIX and flow control; the user changes the speed, MDI/MDIX and flow
// control of one port at a time.
//
// Opened by the main window's command ID_PORT_CONFIGURATION (32774) and by a
// click on a port of the front panel, always on the whole list with no port
// chosen. Reading, writing and the rules are the work of m_PortConfigLogic.
// The port table walk reports its end to this window (WalkMessages.h); a
// failed walk is started again, without limit, until one ends or the dialog
// is closed.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "common/Globals.h"
#include "features/ports_vlans/CPortConfigLogic.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

class CPortSetInfo : public CDialog
{
public:
    explicit CPortSetInfo(CWnd* pParent = nullptr);

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    void Refresh();
    void OnApply();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnRestartWalk(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Starts the port table walk; a start that fails is not tried again.
    void StartPortTableWalk();
    void FillPortList();
    void ResetControls();
    void EnableButtons(BOOL bEnable);
    // The MDI/MDIX code the box stands for (typed text matching an item
    // counts as that item); 0 when it stands for none.
    int ChosenMdix() const;

    CListCtrlEx m_list;
    CEdit m_editPortId;
    CComboBox m_comboSpeed;
    CComboBox m_comboFlowControl;
    CComboBox m_comboMdix;
    CButton m_btnRefresh;
    CButton m_btnApply;
    int m_nSelectedIndex = 0; // the list row the user last clicked
    // The clicked row's speed, MDI/MDIX and flow control were all read: a
    // row with a value the switch did not give (or cannot mean) is not applied.
    bool m_bRowValuesKnown = true;
    CReadReport m_readReport;
    bool m_bListRead = false;     // a port table walk has completed
    bool m_bStartingWalk = false; // inside StartPortTableWalk
    CPortConfigLogic m_PortConfigLogic;
};
