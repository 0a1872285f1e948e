// "RMON Alarm Configuration": the switch's alarm rows; an alarm samples one
// interface counter (1.3.6.1.2.1.2.2.1.X.Y) and names a rising and a falling
// event, which must exist in the event table.
//
// Opened by the main window's command ID_RMON_ALARM (32883). Apply first
// reads the event table afresh; when that walk has ended, the inputs are
// checked and the alarm is created, then the alarm table is read again.
#pragma once

#include "common/CReportCtrl.h"
#include "features/poe_rmon/CRMON.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <string>
#include <vector>

// Posted to the dialog once the event walk of an Apply has been handled:
// the check and the creation run from it.
inline constexpr UINT WM_RMON_ALARM_CHECK = WM_APP + 1005;

class CRmonAlarm : public CDialog
{
public:
    explicit CRmonAlarm(CWnd* pParent = nullptr);
    ~CRmonAlarm() override;

    // TRUE for exactly 1.3.6.1.2.1.2.2.1.X.Y with X 10 to 21 and Y 1 to the
    // port count, both in digits.
    static BOOL IsValidVariable(const std::string& strVariable);

protected:
    BOOL DestroyWindow() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void EnableControls(BOOL bEnable);
    BOOL Refresh();
    void OnRefresh();
    // Starts the event walk; the check follows its end.
    BOOL OnApply();
    void OnApplyClicked();
    void FillList();
    // The input checks with their messages, then the creation.
    BOOL CheckAndAdd(CWriteReport& report);
    // Every edit empty but the interval (300); "Absolute value".
    void ResetInputs();
    BOOL DeleteRow(int nRow, CWriteReport& report);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    // Keeps at most five characters in the index edit.
    void OnIndexChange();

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editRisingEvent;
    CReportCtrl m_list;
    CEdit m_editVariable;
    CEdit m_editRisingThreshold;
    CEdit m_editOwner;
    CEdit m_editInterval;
    CEdit m_editIndex;
    CEdit m_editFallingEvent;
    CEdit m_editFallingThreshold;
    CComboBox m_comboSampleType;
    CButton m_btnRefresh;
    CButton m_btnClose;
    CButton m_btnApply;
    CRMON m_rmon;
    CReadReport m_readReport;
    std::vector<int> m_arrEventIndexes; // read by the event walk of the last Apply
    std::vector<int> m_arrAlarmIndexes; // of the alarms shown
    bool m_bCheckPending = false;       // an Apply waits for its event walk
};
