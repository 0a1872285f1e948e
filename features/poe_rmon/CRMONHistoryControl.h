// "RMON History Control Configuration": the switch's history control rows;
// a row is added with its port, buckets and interval, and removed with the
// Delete button of its line. A port may have several rows.
//
// Opened by the main window's command ID_RMON_HISTORY_CONTROL (32882). The
// rows come from its CRMON's walk, whose end (WM_WALK_FINISHED) rebuilds the
// list; every change is followed by one new walk.
#pragma once

#include "common/CReportCtrl.h"
#include "features/poe_rmon/CRMON.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CRMONHistoryControl : public CDialog
{
public:
    explicit CRMONHistoryControl(CWnd* pParent = nullptr);
    ~CRMONHistoryControl() override;

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void EnableControls(BOOL bEnable);
    BOOL Refresh();
    void OnRefresh();
    void FillList();
    void OnApply();
    // Index and port empty, interval 1800, 50 buckets.
    void ResetInputs();
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
    CEdit m_editInterval;
    CEdit m_editIndex;
    CEdit m_editBuckets;
    CButton m_btnRefresh;
    CButton m_btnClose;
    CButton m_btnApply;
    CRMON m_rmon;
    CReadReport m_readReport;
    std::vector<int> m_arrIndexes; // of the rows shown
};
