#include "features/poe_rmon/CTimeProfileInfo.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/ComboText.h"
#include "common/ListColumn.h"
#include "features/poe_rmon/PoeTables.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/power_saving.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kProfileNameLength = 20;
constexpr int kMaxProfiles = 8;

constexpr int kProfileWeekdayIds[] = {IDC_TP_MONDAY, IDC_TP_TUESDAY,  IDC_TP_WEDNESDAY, IDC_TP_THURSDAY,
                                      IDC_TP_FRIDAY, IDC_TP_SATURDAY, IDC_TP_SUNDAY};

constexpr ListColumn kTimeProfileColumns[] = {{"Profile Name", 100, LVCFMT_LEFT}, {"Weekdays", 180, LVCFMT_LEFT},
                                              {"From Day", 80, LVCFMT_CENTER},    {"To Day", 80, LVCFMT_CENTER},
                                              {"Start Time", 80, LVCFMT_CENTER},  {"End Time", 70, LVCFMT_CENTER}};

std::string LastTwo(const std::string& strText)
{
    return strText.size() > 2 ? strText.substr(strText.size() - 2) : strText;
}

std::string DayText(const TIME_point_info& point)
{
    return point.strYear + "/" + LastTwo(point.strMonth) + "/" + LastTwo(point.strDay);
}

} // namespace

BEGIN_MESSAGE_MAP(CTimeProfileInfo, CDialog)
    ON_BN_CLICKED(IDC_TP_ADD, OnAdd)
    ON_BN_CLICKED(IDC_TP_REFRESH, RefreshList)
    ON_BN_CLICKED(IDC_TP_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_TP_DATE, OnDate)
    ON_BN_CLICKED(IDC_TP_ALL_DAYS, OnAllDays)
    ON_CBN_SELCHANGE(IDC_TP_FROM_MONTH, OnFromDayChange)
    ON_CBN_SELCHANGE(IDC_TP_FROM_YEAR, OnFromDayChange)
    ON_CBN_SELCHANGE(IDC_TP_TO_MONTH, OnToDayChange)
    ON_CBN_SELCHANGE(IDC_TP_TO_YEAR, OnToDayChange)
    ON_MESSAGE(WM_TIME_PROFILE_NOTIFY, OnTimeProfileNotify)
END_MESSAGE_MAP()

CTimeProfileInfo::CTimeProfileInfo(CWnd* pParent) : CDialog(IDD_TIME_PROFILE, pParent) {}

CTimeProfileInfo::~CTimeProfileInfo() = default;

void CTimeProfileInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (std::size_t i = 0; i < m_checkWeekdays.size(); ++i)
        DDX_Control(pDX, kProfileWeekdayIds[i], m_checkWeekdays[i]);
    DDX_Control(pDX, IDC_TP_ALL_DAYS, m_checkAllDays);
    DDX_Control(pDX, IDC_TP_DATE, m_checkDate);
    DDX_Control(pDX, IDC_TP_NAME, m_editName);
    DDX_Control(pDX, IDC_TP_START_MINUTE, m_comboStartMinute);
    DDX_Control(pDX, IDC_TP_START_HOUR, m_comboStartHour);
    DDX_Control(pDX, IDC_TP_FROM_YEAR, m_comboFromYear);
    DDX_Control(pDX, IDC_TP_FROM_MONTH, m_comboFromMonth);
    DDX_Control(pDX, IDC_TP_FROM_DAY, m_comboFromDay);
    DDX_Control(pDX, IDC_TP_TO_YEAR, m_comboToYear);
    DDX_Control(pDX, IDC_TP_TO_MONTH, m_comboToMonth);
    DDX_Control(pDX, IDC_TP_TO_DAY, m_comboToDay);
    DDX_Control(pDX, IDC_TP_END_MINUTE, m_comboEndMinute);
    DDX_Control(pDX, IDC_TP_END_HOUR, m_comboEndHour);
    DDX_Control(pDX, IDC_TP_LIST, m_listProfiles);
}

BOOL CTimeProfileInfo::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    InsertListColumns(m_listProfiles, kTimeProfileColumns);
    m_listProfiles.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    FillNumbers(m_comboFromYear, 2011, 2029);
    FillNumbers(m_comboToYear, 2011, 2029);
    FillNumbers(m_comboFromMonth, 1, 12);
    FillNumbers(m_comboToMonth, 1, 12);
    FillNumbers(m_comboFromDay, 1, 31);
    FillNumbers(m_comboToDay, 1, 31);
    FillNumbers(m_comboStartHour, 0, 23);
    FillNumbers(m_comboEndHour, 0, 23);
    FillNumbers(m_comboStartMinute, 0, 59);
    FillNumbers(m_comboEndMinute, 0, 59);
    m_editName.LimitText(kProfileNameLength);
    m_PowSavSettings.m_hOwnerWnd = GetSafeHwnd();
    RefreshList();
    return TRUE;
}

void CTimeProfileInfo::RefreshList()
{
    m_readReport.Begin();
    m_RowsBuilding.clear();
    m_PowSavSettings.StartTimeProfileWalk();
}

LRESULT CTimeProfileInfo::OnTimeProfileNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0) {
        if (const auto* pProfile = reinterpret_cast<const TIME_profile_info*>(lParam);
            pProfile != nullptr && pProfile->strRowStatus == "1")
            m_RowsBuilding.push_back(*pProfile);
        return 0;
    }
    if (wParam == 2) {
        // The walk failed: the list keeps the last complete read.
        m_RowsBuilding.clear();
        m_readReport.Fail("the time profile list", m_listProfiles.GetItemCount() > 0);
        return 0;
    }
    // The walk has read the whole table: every profile in service is listed.
    m_listProfiles.DeleteAllItems();
    m_nRowIndex.clear();
    for (const TIME_profile_info& profile : m_RowsBuilding) {
        std::string strDays;
        for (std::size_t i = 0; i < profile.strWeekdays.size(); ++i)
            if (profile.strWeekdays[i] == "1")
                strDays += poe_tables::kWeekdayTexts[i];
        if (!strDays.empty())
            strDays.pop_back();
        const bool bDate = profile.strDateFlag == "1";
        const std::string cells[] = {profile.strName,
                                     strDays,
                                     bDate ? DayText(profile.from) : "",
                                     bDate ? DayText(profile.to) : "",
                                     LastTwo(profile.from.strHour) + ":" + LastTwo(profile.from.strMinute),
                                     LastTwo(profile.to.strHour) + ":" + LastTwo(profile.to.strMinute)};
        const int nRow = static_cast<int>(m_nRowIndex.size());
        m_nRowIndex.push_back(poe_tables::DecimalValue(profile.strIndex));
        for (int nCell = 0; nCell < static_cast<int>(std::size(cells)); ++nCell)
            m_listProfiles.SetOrInsertItemText(nRow, nCell, cells[nCell].c_str());
    }
    m_RowsBuilding.clear();
    return 0;
}

void CTimeProfileInfo::OnAdd()
{
    if (m_listProfiles.GetItemCount() >= kMaxProfiles) {
        AfxMessageBox("The Max entry is 8.", MB_OK);
        return;
    }
    if (!CheckProfileName(m_editName.GetWindowText()))
        return;
    const bool bDate = m_checkDate.GetCheck() == BST_CHECKED;
    if (!CheckProfileTimes())
        return;
    TIME_profile_info profile;
    profile.strIndex = std::to_string(FindFreeIndex());
    profile.strName = m_editName.GetWindowText();
    profile.strDateFlag = bDate ? "1" : "2";
    if (bDate) {
        profile.from.strYear = m_strFrom[0];
        profile.from.strMonth = m_strFrom[1];
        profile.from.strDay = m_strFrom[2];
        profile.to.strYear = m_strTo[0];
        profile.to.strMonth = m_strTo[1];
        profile.to.strDay = m_strTo[2];
    }
    profile.from.strHour = m_strFrom[3];
    profile.from.strMinute = m_strFrom[4];
    profile.to.strHour = m_strTo[3];
    profile.to.strMinute = m_strTo[4];
    for (std::size_t i = 0; i < m_checkWeekdays.size(); ++i)
        profile.strWeekdays[i] = m_checkWeekdays[i].GetCheck() == BST_CHECKED ? "1" : "2";
    CWriteReport report;
    m_PowSavSettings.AddTimeProfile(profile, report);
    // What the switch holds now, unless it did not answer.
    if (!report.Report() || !report.TimedOut())
        RefreshList();
}

BOOL CTimeProfileInfo::CheckProfileName(const std::string& strName)
{
    if (strName.empty()) {
        AfxMessageBox("The Profile name can not be empty,please input it.", MB_OK);
        return FALSE;
    }
    if (!CUtils::HasNoSpecialChars(strName)) {
        AfxMessageBox("Invalid Profile name.", MB_OK);
        return FALSE;
    }
    for (int nRow = 0; nRow < m_listProfiles.GetItemCount(); ++nRow) {
        if (m_listProfiles.GetItemText(nRow, 0) == strName) {
            AfxMessageBox("The Profile Name is exist.", MB_OK);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CTimeProfileInfo::CheckProfileTimes()
{
    const bool bDate = m_checkDate.GetCheck() == BST_CHECKED;
    if (bDate) {
        EnableDateLists(TRUE);
        if (!Selected(m_comboFromYear, m_strFrom[0]) || !Selected(m_comboFromMonth, m_strFrom[1]) ||
            !Selected(m_comboFromDay, m_strFrom[2]) || !Selected(m_comboToYear, m_strTo[0]) ||
            !Selected(m_comboToMonth, m_strTo[1]) || !Selected(m_comboToDay, m_strTo[2]))
            return FALSE;
    } else {
        EnableDateLists(FALSE);
        for (std::size_t i = 0; i < 3; ++i)
            m_strFrom[i] = m_strTo[i] = "2";
    }
    if (!Selected(m_comboStartHour, m_strFrom[3]) || !Selected(m_comboStartMinute, m_strFrom[4]) ||
        !Selected(m_comboEndHour, m_strTo[3]) || !Selected(m_comboEndMinute, m_strTo[4]))
        return FALSE;
    const std::string strProblem =
        poe_tables::ScheduleProblem(m_strFrom, m_strTo, !bDate, "'Start Time' can't be greater than 'End Time'");
    if (!strProblem.empty()) {
        AfxMessageBox(strProblem, MB_OK);
        return FALSE;
    }
    return TRUE;
}

int CTimeProfileInfo::FindFreeIndex() const
{
    for (int i = 0; i < kMaxProfiles; ++i) {
        const auto pos = static_cast<std::size_t>(i);
        if (pos >= m_nRowIndex.size() || m_nRowIndex[pos] != i + 1)
            return i + 1;
    }
    return 0;
}

void CTimeProfileInfo::OnDelete()
{
    const int nRow = m_listProfiles.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0 || nRow >= static_cast<int>(m_nRowIndex.size())) {
        AfxMessageBox("Please select the Time Range to be deleted!", MB_OK | MB_ICONINFORMATION);
        return;
    }
    CWriteReport report;
    m_PowSavSettings.DeleteTimeProfile(std::to_string(m_nRowIndex[static_cast<std::size_t>(nRow)]), report);
    if (!report.Report() || !report.TimedOut())
        RefreshList();
}

void CTimeProfileInfo::OnDate()
{
    UpdateData(TRUE);
    EnableDateLists(m_checkDate.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void CTimeProfileInfo::OnAllDays()
{
    UpdateData(TRUE);
    for (CButton& day : m_checkWeekdays)
        day.SetCheck(m_checkAllDays.GetCheck());
    UpdateData(FALSE);
}

void CTimeProfileInfo::OnFromDayChange()
{
    CUtils::FillDayCombo(&m_comboFromYear, &m_comboFromMonth, &m_comboFromDay);
}

void CTimeProfileInfo::OnToDayChange()
{
    CUtils::FillDayCombo(&m_comboToYear, &m_comboToMonth, &m_comboToDay);
}

void CTimeProfileInfo::EnableDateLists(BOOL bEnable)
{
    for (CComboBox* pCombo : {&m_comboFromYear, &m_comboFromMonth, &m_comboFromDay, &m_comboToYear,
                              &m_comboToMonth, &m_comboToDay})
        pCombo->EnableWindow(bEnable);
}
