// "Time Based PoE Config": adds one PoE time range (name, optional first and
// last day, start and end time, weekdays) or changes an existing one.
//
// Only TimeRangInfo opens it: for an add with a free index chosen here from
// the copies of its last walk, for a change with the range's index. A new
// range is created with create-and-wait and written whole (every column and
// row status 1) in one SET; a change destroys the row first and creates it
// again under the same index; a free index that a row not in service holds
// is taken by replacing that row. Each write is checked: a refused one removes
// the half-made row, is reported and keeps the dialog open for a retry. In
// edit mode Apply waits until the range has been read.
#pragma once

#include "common/CCommonSNMP.h"
#include "common/CReadReport.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <array>
#include <string>
#include <vector>

class CSnmp;
class CWriteReport;

class TimeBasedConfig : public CDialog
{
public:
    explicit TimeBasedConfig(CWnd* pParent = nullptr);
    ~TimeBasedConfig() override;

    BOOL DestroyWindow() override;

    // Set by the opener before the run.
    BYTE m_bAddMode = 1;
    std::string m_strIndex;
    std::vector<int> m_nTimeRangeIds;
    std::vector<std::string> m_strTimeRangeNames;
    std::vector<std::string> m_strRowStatus;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnApply();
    void OnDate();
    void OnCHECKAlldays();

    DECLARE_MESSAGE_MAP()

private:
    void ReadRow(const std::string& strIndex);
    static int OnRowReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    LRESULT OnRangeRead(WPARAM wParam, LPARAM lParam);
    BOOL CheckName(const std::string& strName);
    BOOL CheckTimes();
    int FindFreeIndex();
    // The writes; TRUE when the switch accepted them.
    // One SET of the row's status; the whole row with its status "1".
    bool SetRowStatus(const std::string& strIndex, const char* pszStatus, CWriteReport& report,
                      const std::string& strWhat);
    bool SetTimeRangValue(const std::string& strIndex, CWriteReport& report, const std::string& strWhat);
    // Whether the switch holds a row under the index that is not in service.
    bool IsRowNotInService(const std::string& strIndex);
    void EnableDateLists(BOOL bEnable);

    // Year, month, day, hour, minute of the first day and start time, and of
    // the last day and end time, as CheckTimes took them.
    std::array<std::string, 5> m_strFrom;
    std::array<std::string, 5> m_strTo;
    // Monday to Sunday: "1" checked, "2" not.
    std::array<std::string, 7> m_strWeekdays;

    std::array<CButton, 7> m_checkWeekdays;
    CButton m_checkAllDays;
    CButton m_checkDate;
    CEdit m_editName;
    CComboBox m_comboStartMinute;
    CComboBox m_comboStartHour;
    CComboBox m_comboFromYear;
    CComboBox m_comboFromMonth;
    CComboBox m_comboFromDay;
    CComboBox m_comboToYear;
    CComboBox m_comboToMonth;
    CComboBox m_comboToDay;
    CComboBox m_comboEndMinute;
    CComboBox m_comboEndHour;
    std::string m_strName;

    // Edit mode: the range has been read, so Apply writes what the switch
    // held where the user changed nothing.
    bool m_bRowRead = false;
    CReadReport m_readReport;
    // Edit mode: the old row is gone (a retry does not destroy again).
    bool m_bRowRemoved = false;

    // The read's call-back uses the controls above: the sessions come after
    // them, so they are stopped before those go.
    CCommonSNMP m_cCommonSNMP;    // read of the range
    CCommonSNMP m_cCommonSNMPSet; // writes
};
