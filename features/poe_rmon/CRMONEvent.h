// "RMON Event Configuration": the switch's event rows; an event that sends a
// trap names one of the switch's SNMP communities, and an event that an
// alarm uses as its rising event cannot be deleted.
//
// Opened by the main window's command ID_RMON_EVENT (32884). Every refresh
// reads the alarms' rising events first, then the event table, whose end
// (WM_WALK_FINISHED) rebuilds the list. The community names are read once,
// when the dialog opens.
#pragma once

#include "common/CReportCtrl.h"
#include "features/poe_rmon/CRMON.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <vector>

class CRMONEvent : public CDialog
{
public:
    explicit CRMONEvent(CWnd* pParent = nullptr);
    ~CRMONEvent() override;

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void EnableControls(BOOL bEnable);
    // Starts the rising-event walk; its end starts the event walk.
    BOOL Refresh();
    void OnRefresh();
    void OnApply();
    void FillList();
    // The input checks with their messages, then the creation.
    BOOL CheckAndAdd(CWriteReport& report);
    // Refused (with its message) for an alarm's rising event.
    BOOL DeleteRow(int nRow, CWriteReport& report);
    // Every edit empty, "None".
    void ResetInputs();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnEditChange();

    DECLARE_MESSAGE_MAP()

private:
    void SetColumnWidths();

    CReportCtrl m_list;
    CEdit m_editOwner;
    CEdit m_editIndex;
    CEdit m_editDescription;
    CEdit m_editCommunity;
    CComboBox m_comboType;
    CButton m_btnRefresh;
    CButton m_btnClose;
    CButton m_btnApply;
    CRMON m_rmon;
    CReadReport m_readReport;
    std::vector<int> m_arrIndexes; // of the events shown
};
