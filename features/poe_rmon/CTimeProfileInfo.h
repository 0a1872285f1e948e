// "Time Profile Info": the switch's time profiles in service (name,
// weekdays, first and last day, start and end time); adds one from the
// fields at the top and deletes the selected one.
//
// Opened by the main window's command ID_TIME_PROFILE (32855). The rows of a
// walk replace the list whole once the walk has ended.
#pragma once

#include "common/CListCtrlEx.h"
#include "common/CReadReport.h"
#include "features/poe_rmon/CPowSavSettings.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"

#include <array>
#include <string>
#include <vector>

class CTimeProfileInfo : public CDialog
{
public:
    explicit CTimeProfileInfo(CWnd* pParent = nullptr);
    ~CTimeProfileInfo() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnAdd();
    void RefreshList();
    void OnDelete();
    void OnDate();
    void OnAllDays();
    void OnFromDayChange();
    void OnToDayChange();
    LRESULT OnTimeProfileNotify(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CheckProfileName(const std::string& strName);
    BOOL CheckProfileTimes();
    int FindFreeIndex() const;
    void EnableDateLists(BOOL bEnable);

    std::array<CButton, 7> m_checkWeekdays;
    CButton m_checkAllDays;
    CButton m_checkDate;
    CEdit m_editName;
    CReadReport m_readReport;
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
    CListCtrlEx m_listProfiles;
    // Year, month, day, hour, minute of the first day and start time and of
    // the last day and end time, as CheckProfileTimes took them.
    std::array<std::string, 5> m_strFrom;
    std::array<std::string, 5> m_strTo;
    // The index of the profile in each list row; the rows of the walk in
    // progress until its end.
    std::vector<int> m_nRowIndex;
    std::vector<TIME_profile_info> m_RowsBuilding;
    // Its sessions stop with it, before the controls above go.
    CPowSavSettings m_PowSavSettings;
};
