#include "features/poe_rmon/TimeRangInfo.h"

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "common/ListColumn.h"
#include "features/poe_rmon/PoeTables.h"
#include "features/poe_rmon/TimeBasedConfig.h"
#include "platform/snmp/CSnmp.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/poe.h"

#include <iterator>
#include <memory>

using poe_tables::DecimalValue;

namespace {

// The walk ended without the table (failed, cut short or not started).
constexpr UINT WM_TIME_RANGE_READ_FAILED = WM_APP + 1011;

constexpr ListColumn kTimeRangeColumns[] = {{"Range Name", 80, LVCFMT_LEFT},   {"Weekdays", 200, LVCFMT_LEFT},
                                            {"From Day", 80, LVCFMT_CENTER},   {"To Day", 80, LVCFMT_CENTER},
                                            {"Start Time", 70, LVCFMT_CENTER}, {"End Time", 70, LVCFMT_CENTER}};

// The last two characters of "00" and the text: 7 shows as 07.
std::string TwoDigits(const std::string& strValue)
{
    const std::string strPadded = "00" + strValue;
    return strPadded.substr(strPadded.size() - 2);
}

// The cells of a row from its 21 values (value c - 1 is column .c).
std::vector<std::string> RowCells(const std::vector<std::string>& v)
{
    std::string strDays;
    for (int i = 0; i < 7; ++i)
        if (v[static_cast<std::size_t>(13 + i)] == "1")
            strDays += poe_tables::kWeekdayTexts[i];
    if (!strDays.empty())
        strDays.pop_back();
    const bool bDate = v[2] == "1";
    return {v[1],
            strDays,
            bDate ? v[3] + "/" + TwoDigits(v[4]) + "/" + TwoDigits(v[5]) : "",
            bDate ? v[8] + "/" + TwoDigits(v[9]) + "/" + TwoDigits(v[10]) : "",
            TwoDigits(v[6]) + ":" + TwoDigits(v[7]),
            TwoDigits(v[11]) + ":" + TwoDigits(v[12])};
}

} // namespace

BEGIN_MESSAGE_MAP(TimeRangInfo, CDialog)
    ON_BN_CLICKED(IDC_TR_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_TR_DELETE, OnBUTTONDelete)
    ON_BN_CLICKED(IDC_TR_ADD, OnAdd)
    ON_BN_CLICKED(IDC_TR_EDIT, OnEdit)
    ON_MESSAGE(WM_TIME_RANGE_READ_FAILED, OnReadFailed)
END_MESSAGE_MAP()

TimeRangInfo::TimeRangInfo(CWnd* pParent) : CDialog(IDD_POE_TIME_RANGES, pParent) {}

TimeRangInfo::~TimeRangInfo() = default;

BOOL TimeRangInfo::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void TimeRangInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TR_LIST, m_listRanges);
    DDX_Control(pDX, IDC_TR_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_TR_EDIT, m_btnEdit);
    DDX_Control(pDX, IDC_TR_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_TR_REFRESH, m_btnRefresh);
}

BOOL TimeRangInfo::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    InsertListColumns(m_listRanges, kTimeRangeColumns);
    m_listRanges.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    OnRefresh();
    return TRUE;
}

void TimeRangInfo::OnRefresh()
{
    m_readReport.Begin();
    // Opening stops a walk still running, so none of its rows lands here.
    m_cCommonSNMP.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_Building = Table();
    }
    for (int nColumn = 1; nColumn <= poe_tables::kRangeColumns; ++nColumn)
        m_cCommonSNMP.AddValue(poe_tables::TimeRangeColumn(nColumn), SnmpValueNull);
    EnableButtons(FALSE);
    if (!m_cCommonSNMP.StartAsync(&TimeRangInfo::OnTimeRangeTableReply, this))
        OnReadFailed(0, 0);
}

LRESULT TimeRangInfo::OnReadFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The list keeps the last complete read.
    m_readReport.Fail("the time range list", m_listRanges.GetItemCount() > 0);
    EnableButtons(TRUE);
    return 0;
}

int TimeRangInfo::OnTimeRangeTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<TimeRangInfo*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        if (nStatus == SnmpStatusEndOfWalk) {
            Table table;
            {
                std::lock_guard lock(pThis->m_csWalkData);
                table = pThis->m_Building;
                pThis->m_nTimeRangeIds = table.ids;
                pThis->m_strTimeRangeNames = table.names;
                pThis->m_strRowStatus = table.states;
            }
            pThis->ShowTable(table);
            pThis->EnableButtons(TRUE);
        } else {
            ::SendMessage(pThis->GetSafeHwnd(), WM_TIME_RANGE_READ_FAILED, 0, 0);
        }
        return 0;
    }
    // A row is known by its own index; one no range can have is left out.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nIndex = poe_tables::RowIndex(strSuffix);
    if (nIndex > 0) {
        std::vector<std::string> values;
        for (int i = 0; i < poe_tables::kRangeColumns; ++i)
            values.push_back(CModuleBase::ValueText(pResponse.get(), i));
        std::lock_guard lock(pThis->m_csWalkData);
        Table& t = pThis->m_Building;
        const std::size_t nListed = t.cells.size();
        if (t.ids.size() < nListed + 1)
            t.ids.resize(nListed + 1);
        t.ids[nListed] = nIndex;
        t.names.push_back(values[1]);
        t.states.push_back(values[poe_tables::kRowStatusColumn - 1]);
        if (values[poe_tables::kRowStatusColumn - 1] == "1")
            t.cells.push_back(RowCells(values));
    }
    if (!session.StartAsync(&TimeRangInfo::OnTimeRangeTableReply, pThis)) {
        session.SignalDone();
        ::SendMessage(pThis->GetSafeHwnd(), WM_TIME_RANGE_READ_FAILED, 0, 0);
    }
    return 0;
}

void TimeRangInfo::ShowTable(const Table& table)
{
    m_listRanges.DeleteAllItems();
    for (int nRow = 0; nRow < static_cast<int>(table.cells.size()); ++nRow) {
        const auto& cells = table.cells[static_cast<std::size_t>(nRow)];
        for (int nCell = 0; nCell < static_cast<int>(cells.size()); ++nCell)
            m_listRanges.SetOrInsertItemText(nRow, nCell, cells[static_cast<std::size_t>(nCell)].c_str());
    }
}

std::string TimeRangInfo::SelectedIndex(const char* pszMessage)
{
    if (m_listRanges.GetItemCount() == 0) {
        AfxMessageBox(pszMessage, MB_OK);
        return "";
    }
    const int nRow = m_listRanges.GetNextItem(-1, LVNI_SELECTED);
    int nIndex = 0;
    {
        std::lock_guard lock(m_csWalkData);
        if (nRow >= 0 && nRow < static_cast<int>(m_nTimeRangeIds.size()))
            nIndex = m_nTimeRangeIds[static_cast<std::size_t>(nRow)];
    }
    if (nIndex <= 0) {
        AfxMessageBox(pszMessage, MB_OK | MB_ICONINFORMATION);
        return "";
    }
    return std::to_string(nIndex);
}

void TimeRangInfo::OnBUTTONDelete()
{
    OutputDebugString("\n----------OnBUTTONDelete-------------\n");
    const std::string strIndex = SelectedIndex("Please select the Time Range to be deleted!");
    if (strIndex.empty())
        return;
    m_cCommonSNMPSet.Open(SnmpPduSet);
    m_cCommonSNMPSet.AddValue(poe_tables::TimeRangeCell(poe_tables::kRowStatusColumn, strIndex), SnmpValueInteger,
                              "6");
    CWriteReport report;
    if (report.Send(m_cCommonSNMPSet, "the removal of time range " + strIndex))
        OnRefresh();
    else
        report.Report();
}

void TimeRangInfo::OnAdd()
{
    RunEditor(true, "");
}

void TimeRangInfo::OnEdit()
{
    const std::string strIndex = SelectedIndex("Please select the Time Range to be edit!");
    if (!strIndex.empty())
        RunEditor(false, strIndex);
}

void TimeRangInfo::RunEditor(bool bAddMode, const std::string& strIndex)
{
    TimeBasedConfig editor;
    editor.m_bAddMode = bAddMode ? 1 : 0;
    editor.m_strIndex = strIndex;
    {
        std::lock_guard lock(m_csWalkData);
        editor.m_nTimeRangeIds = m_nTimeRangeIds;
        editor.m_strTimeRangeNames = m_strTimeRangeNames;
        editor.m_strRowStatus = m_strRowStatus;
    }
    editor.DoModal();
    OnRefresh();
}

void TimeRangInfo::EnableButtons(BOOL bEnable)
{
    for (CButton* pButton : {&m_btnAdd, &m_btnEdit, &m_btnDelete, &m_btnRefresh})
        pButton->EnableWindow(bEnable);
}
