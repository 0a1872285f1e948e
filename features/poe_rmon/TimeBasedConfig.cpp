#include "features/poe_rmon/TimeBasedConfig.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/ComboText.h"
#include "features/poe_rmon/PoeTables.h"
#include "platform/snmp/CSnmp.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/poe.h"

#include <algorithm>
#include <memory>

using poe_tables::DecimalValue;
using poe_tables::TimeRangeCell;

namespace {

constexpr int kRangeNameLength = 20;

// The read of the range has its values (wParam 0, lParam: the 21 value
// texts, valid during the call) or failed (wParam 1).
constexpr UINT WM_RANGE_READ = WM_APP + 1101;

const char* const kNotRead = "The Time Range has not been read yet, please wait.";
const char* const kNotWritten = "The Time Range could not be written.";
const char* const kRemoved = "The Time Range could not be written and has been removed.";
const char* const kNoFreeIndex = "There is no free index for a new Time Range.";
const char* const kInvalidName = "Invalid TimeRange Name.";

constexpr int kRangeWeekdayIds[] = {IDC_TRE_MONDAY, IDC_TRE_TUESDAY,  IDC_TRE_WEDNESDAY, IDC_TRE_THURSDAY,
                                    IDC_TRE_FRIDAY, IDC_TRE_SATURDAY, IDC_TRE_SUNDAY};

// The first entry that begins with the text (5 selects 5, not 50); no
// selection when none does.
void SelectByPrefix(CComboBox& combo, const std::string& strValue)
{
    if (combo.SelectString(-1, strValue) == CB_ERR)
        combo.SetCurSel(-1);
}

} // namespace

BEGIN_MESSAGE_MAP(TimeBasedConfig, CDialog)
    ON_BN_CLICKED(IDC_TRE_APPLY, OnApply)
    ON_BN_CLICKED(IDC_TRE_DATE, OnDate)
    ON_BN_CLICKED(IDC_TRE_ALL_DAYS, OnCHECKAlldays)
    ON_MESSAGE(WM_RANGE_READ, OnRangeRead)
END_MESSAGE_MAP()

TimeBasedConfig::TimeBasedConfig(CWnd* pParent) : CDialog(IDD_POE_TIME_RANGE_EDIT, pParent) {}

TimeBasedConfig::~TimeBasedConfig() = default;

BOOL TimeBasedConfig::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void TimeBasedConfig::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (std::size_t i = 0; i < m_checkWeekdays.size(); ++i)
        DDX_Control(pDX, kRangeWeekdayIds[i], m_checkWeekdays[i]);
    DDX_Control(pDX, IDC_TRE_ALL_DAYS, m_checkAllDays);
    DDX_Control(pDX, IDC_TRE_DATE, m_checkDate);
    DDX_Control(pDX, IDC_TRE_NAME, m_editName);
    DDX_Control(pDX, IDC_TRE_START_MINUTE, m_comboStartMinute);
    DDX_Control(pDX, IDC_TRE_START_HOUR, m_comboStartHour);
    DDX_Control(pDX, IDC_TRE_FROM_YEAR, m_comboFromYear);
    DDX_Control(pDX, IDC_TRE_FROM_MONTH, m_comboFromMonth);
    DDX_Control(pDX, IDC_TRE_FROM_DAY, m_comboFromDay);
    DDX_Control(pDX, IDC_TRE_TO_YEAR, m_comboToYear);
    DDX_Control(pDX, IDC_TRE_TO_MONTH, m_comboToMonth);
    DDX_Control(pDX, IDC_TRE_TO_DAY, m_comboToDay);
    DDX_Control(pDX, IDC_TRE_END_MINUTE, m_comboEndMinute);
    DDX_Control(pDX, IDC_TRE_END_HOUR, m_comboEndHour);
    DDX_Text(pDX, IDC_TRE_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, kRangeNameLength);
}

BOOL TimeBasedConfig::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    FillNumbers(m_comboFromYear, 2009, 2037);
    FillNumbers(m_comboToYear, 2009, 2037);
    FillNumbers(m_comboFromMonth, 1, 12);
    FillNumbers(m_comboToMonth, 1, 12);
    FillNumbers(m_comboFromDay, 1, 31);
    FillNumbers(m_comboToDay, 1, 31);
    FillNumbers(m_comboStartHour, 0, 23);
    FillNumbers(m_comboEndHour, 0, 23);
    FillNumbers(m_comboStartMinute, 0, 59);
    FillNumbers(m_comboEndMinute, 0, 59);
    m_editName.LimitText(kRangeNameLength);
    if (!m_bAddMode) {
        m_editName.EnableWindow(FALSE);
        ReadRow(m_strIndex);
    }
    return TRUE;
}

void TimeBasedConfig::ReadRow(const std::string& strIndex)
{
    m_cCommonSNMP.Open(SnmpPduGet);
    for (int nColumn = 1; nColumn <= poe_tables::kRangeColumns; ++nColumn)
        m_cCommonSNMP.AddValue(TimeRangeCell(nColumn, strIndex), SnmpValueNull);
    if (!m_cCommonSNMP.StartAsync(&TimeBasedConfig::OnRowReply, this))
        OnRangeRead(1, 0);
}

int TimeBasedConfig::OnRowReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<TimeBasedConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    session.SignalDone();
    int nError = 0;
    int nErrorIndex = 0;
    if (nStatus != SnmpStatusOk || !pResponse || pResponse->getError(&nError, &nErrorIndex) != 0 || nError != 0) {
        pThis->SendMessage(WM_RANGE_READ, 1, 0);
        return 0;
    }
    std::vector<std::string> values;
    for (int i = 0; i < poe_tables::kRangeColumns; ++i)
        values.push_back(CModuleBase::ValueText(pResponse.get(), i));
    // Shown in one call on the UI thread, so Apply sees the range whole.
    pThis->SendMessage(WM_RANGE_READ, 0, reinterpret_cast<LPARAM>(&values));
    return 0;
}

LRESULT TimeBasedConfig::OnRangeRead(WPARAM wParam, LPARAM lParam)
{
    if (wParam != 0) {
        m_readReport.Fail("the time range");
        return 0;
    }
    const auto& v = *reinterpret_cast<const std::vector<std::string>*>(lParam);
    m_editName.SetWindowText(v[1]);
    const bool bDate = v[2] == "1";
    m_checkDate.SetCheck(bDate ? BST_CHECKED : BST_UNCHECKED);
    EnableDateLists(bDate ? TRUE : FALSE);
    if (bDate) {
        SelectByPrefix(m_comboFromYear, v[3]);
        SelectByPrefix(m_comboFromMonth, v[4]);
        SelectByPrefix(m_comboFromDay, v[5]);
        SelectByPrefix(m_comboToYear, v[8]);
        SelectByPrefix(m_comboToMonth, v[9]);
        SelectByPrefix(m_comboToDay, v[10]);
    }
    SelectByPrefix(m_comboStartHour, v[6]);
    SelectByPrefix(m_comboStartMinute, v[7]);
    SelectByPrefix(m_comboEndHour, v[11]);
    SelectByPrefix(m_comboEndMinute, v[12]);
    for (std::size_t i = 0; i < m_checkWeekdays.size(); ++i)
        m_checkWeekdays[i].SetCheck(v[13 + i] == "1" ? BST_CHECKED : BST_UNCHECKED);
    m_bRowRead = true;
    return 0;
}

void TimeBasedConfig::OnApply()
{
    UpdateData(TRUE);
    if (!m_bAddMode && !m_bRowRead) {
        AfxMessageBox(kNotRead, MB_OK);
        return;
    }
    if (m_bAddMode && !CheckName(m_strName))
        return;
    if (!CheckTimes())
        return;
    for (std::size_t i = 0; i < m_checkWeekdays.size(); ++i)
        m_strWeekdays[i] = m_checkWeekdays[i].GetCheck() == BST_CHECKED ? "1" : "2";
    if (m_bAddMode)
        m_strIndex = std::to_string(FindFreeIndex());
    if (m_strIndex == "0") {
        CDialog::OnOK();
        return;
    }
    // A change replaces the row: the old one goes first (once; a retry after
    // a refused write finds it gone).
    CWriteReport report;
    const std::string strWhat = "the time range " + m_strName;
    if (!m_bAddMode && !m_bRowRemoved) {
        if (!SetRowStatus(m_strIndex, "6", report, strWhat)) {
            report.Report(kNotWritten);
            return;
        }
        m_bRowRemoved = true;
    }
    // A free index may be that of a row left not in service: a switch
    // refuses to create it again, so it is replaced.
    CWriteReport create;
    bool bCreated = SetRowStatus(m_strIndex, "5", create, strWhat);
    if (!bCreated) {
        if (create.TimedOut())
            report.Silent(strWhat);
        else if (m_bAddMode && IsRowNotInService(m_strIndex))
            bCreated = SetRowStatus(m_strIndex, "6", report, strWhat) && SetRowStatus(m_strIndex, "5", report, strWhat);
        else
            report.Refused(strWhat, create.ErrorStatus());
    }
    if (!bCreated || !SetTimeRangValue(m_strIndex, report, strWhat)) {
        // A row the create left waiting would hold its index; a switch that
        // did not answer is not asked again.
        if (!report.TimedOut()) {
            CWriteReport cleanUp;
            SetRowStatus(m_strIndex, "6", cleanUp, strWhat);
        }
        report.Report(m_bAddMode ? kNotWritten : kRemoved);
        return;
    }
    CDialog::OnOK();
}

BOOL TimeBasedConfig::CheckName(const std::string& strName)
{
    if (strName.empty()) {
        AfxMessageBox("The TimeRange name can not be empty,please input it.", MB_OK);
        return FALSE;
    }
    if (!CUtils::HasNoSpecialChars(strName) ||
        std::find(m_strTimeRangeNames.begin(), m_strTimeRangeNames.end(), strName) != m_strTimeRangeNames.end()) {
        AfxMessageBox(kInvalidName, MB_OK);
        return FALSE;
    }
    return TRUE;
}

BOOL TimeBasedConfig::CheckTimes()
{
    if (m_checkDate.GetCheck() == BST_CHECKED) {
        EnableDateLists(TRUE);
        if (!Selected(m_comboFromYear, m_strFrom[0]) || !Selected(m_comboToYear, m_strTo[0]) ||
            !Selected(m_comboFromMonth, m_strFrom[1]) || !Selected(m_comboToMonth, m_strTo[1]) ||
            !Selected(m_comboFromDay, m_strFrom[2]) || !Selected(m_comboToDay, m_strTo[2]))
            return FALSE;
    } else {
        EnableDateLists(FALSE);
        for (int i = 0; i < 3; ++i)
            m_strFrom[static_cast<std::size_t>(i)] = m_strTo[static_cast<std::size_t>(i)] = "2";
    }
    if (!Selected(m_comboStartHour, m_strFrom[3]) || !Selected(m_comboEndHour, m_strTo[3]) ||
        !Selected(m_comboStartMinute, m_strFrom[4]) || !Selected(m_comboEndMinute, m_strTo[4]))
        return FALSE;

    const std::string strProblem =
        poe_tables::ScheduleProblem(m_strFrom, m_strTo, false, "'Start Time' can't be grater than 'End Time'");
    if (!strProblem.empty()) {
        AfxMessageBox(strProblem, MB_OK);
        return FALSE;
    }
    return TRUE;
}

int TimeBasedConfig::FindFreeIndex()
{
    const std::size_t nRows = std::min(m_strTimeRangeNames.size(), m_strRowStatus.size());
    const int nActive = static_cast<int>(
        std::count(m_strRowStatus.begin(), m_strRowStatus.begin() + static_cast<std::ptrdiff_t>(nRows), "1"));
    if (nActive >= poe_tables::kMaxRanges) {
        AfxMessageBox("The max number of PoE Time Range is 8", MB_OK);
        return 0;
    }
    // The lowest index missing from 1, 2, ... among the listed rows, or that
    // of a row not in service.
    for (int k = 0; k <= nActive; ++k) {
        const auto pos = static_cast<std::size_t>(k);
        const int nId = pos < m_nTimeRangeIds.size() ? m_nTimeRangeIds[pos] : 0;
        const bool bNotInService = pos < m_strRowStatus.size() && m_strRowStatus[pos] == "2";
        if (nId != k + 1 || bNotInService)
            return k + 1;
    }
    AfxMessageBox(kNoFreeIndex, MB_OK);
    return 0;
}

bool TimeBasedConfig::IsRowNotInService(const std::string& strIndex)
{
    m_cCommonSNMPSet.Open(SnmpPduGet);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(poe_tables::kRowStatusColumn, strIndex), SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    return m_cCommonSNMPSet.SendFor(pResponse) == CCommonSNMP::SendResult::Answered &&
           CModuleBase::IntegerText(pResponse.get(), 0) == "2";
}

bool TimeBasedConfig::SetRowStatus(const std::string& strIndex, const char* pszStatus, CWriteReport& report,
                                   const std::string& strWhat)
{
    m_cCommonSNMPSet.Open(SnmpPduSet);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(poe_tables::kRowStatusColumn, strIndex), SnmpValueInteger, pszStatus);
    return report.Send(m_cCommonSNMPSet, strWhat);
}

bool TimeBasedConfig::SetTimeRangValue(const std::string& strIndex, CWriteReport& report, const std::string& strWhat)
{
    OutputDebugString("===============SetTimeRangValue====================");
    m_cCommonSNMPSet.Open(SnmpPduSet);
    m_cCommonSNMPSet.AddValueLen(TimeRangeCell(2, strIndex), SnmpValueOctetString, m_strName.data(),
                                 static_cast<int>(m_strName.size()));
    OutputDebugString(TimeRangeCell(2, strIndex) + "       " + m_strName);
    const bool bDate = m_checkDate.GetCheck() == BST_CHECKED;
    m_cCommonSNMPSet.AddValue(TimeRangeCell(3, strIndex), SnmpValueInteger, bDate ? "1" : "2");
    if (bDate) {
        for (int i = 0; i < 3; ++i) {
            m_cCommonSNMPSet.AddValue(TimeRangeCell(4 + i, strIndex), SnmpValueInteger,
                                      m_strFrom[static_cast<std::size_t>(i)]);
        }
        for (int i = 0; i < 3; ++i) {
            m_cCommonSNMPSet.AddValue(TimeRangeCell(9 + i, strIndex), SnmpValueInteger,
                                      m_strTo[static_cast<std::size_t>(i)]);
        }
    }
    OutputDebugString("From " + m_strFrom[3] + ":" + m_strFrom[4] + "To " + m_strTo[3] + ":" + m_strTo[4]);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(7, strIndex), SnmpValueInteger, m_strFrom[3]);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(8, strIndex), SnmpValueInteger, m_strFrom[4]);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(12, strIndex), SnmpValueInteger, m_strTo[3]);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(13, strIndex), SnmpValueInteger, m_strTo[4]);
    for (std::size_t i = 0; i < m_strWeekdays.size(); ++i)
        m_cCommonSNMPSet.AddValue(TimeRangeCell(14 + static_cast<int>(i), strIndex), SnmpValueInteger,
                                  m_strWeekdays[i]);
    m_cCommonSNMPSet.AddValue(TimeRangeCell(poe_tables::kRowStatusColumn, strIndex), SnmpValueInteger, "1");
    return report.Send(m_cCommonSNMPSet, strWhat);
}

void TimeBasedConfig::OnDate()
{
    UpdateData(TRUE);
    EnableDateLists(m_checkDate.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void TimeBasedConfig::OnCHECKAlldays()
{
    OutputDebugString("================OnCHECKAlldays================");
    UpdateData(TRUE);
    for (CButton& day : m_checkWeekdays)
        day.SetCheck(m_checkAllDays.GetCheck());
    UpdateData(FALSE);
}

void TimeBasedConfig::EnableDateLists(BOOL bEnable)
{
    for (CComboBox* pCombo : {&m_comboFromYear, &m_comboFromMonth, &m_comboFromDay, &m_comboToYear,
                              &m_comboToMonth, &m_comboToDay})
        pCombo->EnableWindow(bEnable);
}
