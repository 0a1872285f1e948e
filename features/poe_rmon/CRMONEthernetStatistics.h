// "RMON Ethernet Statistics Configuration": the switch's Ethernet statistics
// rows with their counters, at most one per port; a row is added for a port
// and removed with the Delete button of its line.
//
// Opened by the main window's command ID_RMON_ETHERNET_STATISTICS (32881).
// The rows come from its CRMON's walk, whose end (WM_WALK_FINISHED) rebuilds
// the list; every change is followed by one new walk.
#pragma once

#include "common/CReportCtrl.h"
#include "features/poe_rmon/CRMON.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CRMONEthernetStatistics : public CDialog
{
public:
    explicit CRMONEthernetStatistics(CWnd* pParent = nullptr);
    ~CRMONEthernetStatistics() override;

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void EnableControls(BOOL bEnable);
    // Starts the walk; the controls come back when the list is rebuilt.
    BOOL Refresh();
    void OnRefresh();
    void FillList();
    void OnApply();
    // Removes the row's entry from the switch; TRUE when it was accepted.
    BOOL DeleteRow(int nRow, CWriteReport& report);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnEditChange();

    DECLARE_MESSAGE_MAP()

private:
    void SetColumnWidths();

    CReportCtrl m_list;
    CEdit m_editPort;
    CEdit m_editOwner;
    CEdit m_editIndex;
    CButton m_btnRefresh;
    CButton m_btnClose;
    CButton m_btnApply;
    CRMON m_rmon;
    CReadReport m_readReport;
    // What the last walk read: the ports and indexes of the valid rows, and
    // of the rows that are not valid (same order).
    std::vector<int> m_arrValidPorts;
    std::vector<int> m_arrInvalidPorts;
    std::vector<int> m_arrInvalidIndexes;
    std::vector<int> m_arrValidIndexes;
};
