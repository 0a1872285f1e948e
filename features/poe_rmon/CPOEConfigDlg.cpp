#include "features/poe_rmon/CPOEConfigDlg.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "features/poe_rmon/ColumnWidths.h"
#include "features/poe_rmon/PoeTables.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/poe.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <memory>

using poe_tables::DecimalValue;

namespace {

// The From and To lists offer these ports, whatever the model.
constexpr int kListedPorts = 24;
constexpr int kSetTimeoutMs = 20000;
constexpr DWORD kPauseAfterPortMs = 300;

const char* const kNoTimeRange = "N/A";

// A walk of the dialog's read ended without its table (failed, cut short or
// not started); wParam 0 the time profile names, 1 the port table.
constexpr UINT WM_POE_READ_FAILED = WM_APP + 1010;

std::string PortColumn(int nColumn)
{
    return KorvelOid("10.76.19.1.22.1.1." + std::to_string(nColumn));
}
// A port's cell: its row is unit 1, port n.
std::string PortCell(int nColumn, int nPort)
{
    return PortColumn(nColumn) + ".1." + std::to_string(nPort);
}
// The columns the port table walk asks for, in this order.
constexpr int kWalkColumns[] = {3, 4, 5, 6, 9, 10, 11, 12, 13, 7, 8};
enum WalkValue
{
    kState,
    kTimeRange,
    kPriority,
    kClass,
    kPower,
    kVoltage,
    kCurrent,
    kClassification,
    kStatus,
    kUserDefined,
    kUserLimit,
};

const char* const kColumnHeadings[] = {"Index",      "State",      "Time Range",  "Priority",       "Power Limit",
                                       "Power(W)",   "Voltage(V)", "Current(mA)", "Classification", "Status"};
const char* const kStates[] = {"Enable", "Disable"};
const char* const kPriorities[] = {"Low", "Normal", "High"};
const char* const kPowerLimits[] = {"Auto", "Class 1", "Class 2", "Class 3", "Class 4"};

// The text of a value of a set numbered from 1; empty for a value outside
// it, one the switch cannot mean.
template <std::size_t N> std::string SetText(const char* const (&texts)[N], const std::string& strValue)
{
    for (std::size_t i = 0; i < N; ++i)
        if (strValue == std::to_string(i + 1))
            return texts[i];
    return "";
}

template <std::size_t N> void FillCombo(CComboBox& combo, const char* const (&texts)[N], int nSelect)
{
    combo.ResetContent();
    for (const char* text : texts)
        combo.AddString(text);
    combo.SetCurSel(nSelect);
}

std::string SelectedText(const CComboBox& combo)
{
    std::string text;
    if (combo.GetCurSel() != CB_ERR)
        combo.GetLBText(combo.GetCurSel(), text);
    return text;
}

// A user-defined power limit is a number of watts, nothing before or after it.
bool IsPowerNumber(const std::string& strWatts)
{
    if (strWatts.empty() || std::isspace(static_cast<unsigned char>(strWatts.front())))
        return false;
    char* pEnd = nullptr;
    const double dWatts = std::strtod(strWatts.c_str(), &pEnd);
    return pEnd == strWatts.c_str() + strWatts.size() && std::isfinite(dWatts) && dWatts >= 0.0;
}

// A user-defined power limit must be a multiple of 0.2 W, judged in single
// precision.
bool IsPowerStep(const std::string& strWatts)
{
    const float a = static_cast<float>(std::strtod(strWatts.c_str(), nullptr));
    const float b = a * 10.0F / 2.0F;
    const int n = static_cast<int>(b + 0.5F);
    return std::fabs(b - static_cast<float>(n)) <= 0.000001F;
}

} // namespace

BEGIN_MESSAGE_MAP(CPOEConfigDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_POE_LIST, OnItemChanged)
    ON_BN_CLICKED(IDC_POE_REFRESH, OnRefresh)
    ON_NOTIFY(NM_CLICK, IDC_POE_LIST, OnListClick)
    ON_BN_CLICKED(IDC_POE_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_POE_FROM_PORT, OnFromPortChanged)
    ON_CBN_SELCHANGE(IDC_POE_TO_PORT, OnToPortChanged)
    ON_BN_CLICKED(IDC_POE_USER_DEFINE, OnUserDefine)
    ON_MESSAGE(WM_POE_READ_FAILED, OnReadFailed)
END_MESSAGE_MAP()

CPOEConfigDlg::CPOEConfigDlg(CWnd* pParent) : CDialog(IDD_POE_CONFIG, pParent) {}

// The sessions stop with the members: a running walk ends before the list goes.
CPOEConfigDlg::~CPOEConfigDlg() = default;

BOOL CPOEConfigDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMPTimeRang.Close();
    OutputDebugString("==================m_cCommonSNMPTimeRang.Close===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void CPOEConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_POE_WATTS, m_editWatts);
    DDX_Control(pDX, IDC_POE_USER_DEFINE, m_CtrlUserdefe);
    DDX_Control(pDX, IDC_POE_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_POE_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_POE_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_POE_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_POE_STATE, m_comboState);
    DDX_Control(pDX, IDC_POE_PRIORITY, m_comboPriority);
    DDX_Control(pDX, IDC_POE_POWER_LIMIT, m_comboPowerLimit);
    DDX_Control(pDX, IDC_POE_TIME_RANGE, m_comboTimeRange);
    DDX_Control(pDX, IDC_POE_LIST, m_listPorts);
    DDX_CBIndex(pDX, IDC_POE_TIME_RANGE, m_nTimeRangeSel);
}

BOOL CPOEConfigDlg::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    const UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    for (int i = 0; i < static_cast<int>(std::size(kColumnHeadings)); ++i)
        m_listPorts.InsertAutoWidthColumn(kColumnHeadings[i], i, -1, nMask, LVCFMT_LEFT);
    m_listPorts.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    for (int port = 1; port <= kListedPorts; ++port) {
        m_comboFromPort.AddString(std::to_string(port));
        m_comboToPort.AddString(std::to_string(port));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(kListedPorts - 1);
    FillCombo(m_comboState, kStates, 0);
    FillCombo(m_comboPriority, kPriorities, 1);
    FillCombo(m_comboPowerLimit, kPowerLimits, 0);
    m_editWatts.EnableWindow(FALSE);

    m_comboTimeRange.AddString(kNoTimeRange);
    m_comboTimeRange.SetCurSel(0);
    m_readReport.Begin();
    GetTimeRange();
    return TRUE;
}

void CPOEConfigDlg::GetTimeRange()
{
    OutputDebugString("GetTimeRangeGetTimeRangeGetTimeRange");
    // Opening stops a walk still running, so none of its rows lands here.
    m_cCommonSNMPTimeRang.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_TimeRangesBuilding.clear();
    }
    m_cCommonSNMPTimeRang.AddValue(poe_tables::TimeProfileColumn(1), SnmpValueNull);
    m_cCommonSNMPTimeRang.AddValue(poe_tables::TimeProfileColumn(2), SnmpValueNull);
    EnableButtons(FALSE);
    if (!m_cCommonSNMPTimeRang.StartAsync(&CPOEConfigDlg::OnTimeRangeReply, this))
        OnReadFailed(0, 0);
}

int CPOEConfigDlg::OnTimeRangeReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPOEConfigDlg*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTimeRang;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        if (nStatus == SnmpStatusEndOfWalk) {
            {
                std::lock_guard lock(pThis->m_csWalkData);
                pThis->m_nTimeRangeIds.clear();
                pThis->m_strTimeRangeNames.clear();
                for (const auto& [nId, strName] : pThis->m_TimeRangesBuilding) {
                    pThis->m_nTimeRangeIds.push_back(nId);
                    pThis->m_strTimeRangeNames.push_back(strName);
                }
            }
            pThis->ShowTimeRangeNames();
            pThis->RefreshPortTable();
        } else {
            ::SendMessage(pThis->GetSafeHwnd(), WM_POE_READ_FAILED, 0, 0);
        }
        return 0;
    }
    if (CModuleBase::HasValue(pResponse.get(), 0) && CModuleBase::HasValue(pResponse.get(), 1)) {
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_TimeRangesBuilding.emplace_back(DecimalValue(CModuleBase::ValueText(pResponse.get(), 0)),
                                                 CModuleBase::ValueText(pResponse.get(), 1));
    }
    if (!session.StartAsync(&CPOEConfigDlg::OnTimeRangeReply, pThis)) {
        session.SignalDone();
        ::SendMessage(pThis->GetSafeHwnd(), WM_POE_READ_FAILED, 0, 0);
    }
    return 0;
}

void CPOEConfigDlg::ShowTimeRangeNames()
{
    std::vector<std::string> names;
    {
        std::lock_guard lock(m_csWalkData);
        names = m_strTimeRangeNames;
    }
    m_comboTimeRange.ResetContent();
    m_comboTimeRange.AddString(kNoTimeRange);
    for (const std::string& strName : names)
        m_comboTimeRange.AddString(strName);
    m_comboTimeRange.SetCurSel(0);
}

void CPOEConfigDlg::RefreshPortTable()
{
    m_cCommonSNMP.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_PortRowsBuilding.clear();
    }
    for (int nColumn : kWalkColumns)
        m_cCommonSNMP.AddValue(PortColumn(nColumn), SnmpValueNull);
    OutputDebugString("----------ResetEvent(pThis->m_hEvenSnmpGet) ");
    EnableButtons(FALSE);
    if (!m_cCommonSNMP.StartAsync(&CPOEConfigDlg::OnPortTableReply, this))
        OnReadFailed(1, 0);
}

int CPOEConfigDlg::OnPortTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPOEConfigDlg*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        if (nStatus == SnmpStatusEndOfWalk) {
            std::map<int, PortRow> rows;
            {
                std::lock_guard lock(pThis->m_csWalkData);
                rows = pThis->m_PortRowsBuilding;
            }
            pThis->ShowPortRows(rows);
            pThis->EnableButtons(TRUE);
        } else {
            ::SendMessage(pThis->GetSafeHwnd(), WM_POE_READ_FAILED, 1, 0);
        }
        return 0;
    }
    std::string strIndex;
    session.GetIndexSuffix(0, pResponse.get(), strIndex);
    if (const int nPort = CUtils::RowUnitPort(strIndex); nPort != 0) {
        PortRow row;
        for (int i = 0; i < static_cast<int>(std::size(kWalkColumns)); ++i)
            row.push_back(CModuleBase::ValueText(pResponse.get(), i));
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_PortRowsBuilding[nPort] = std::move(row);
    }
    if (!session.StartAsync(&CPOEConfigDlg::OnPortTableReply, pThis)) {
        session.SignalDone();
        ::SendMessage(pThis->GetSafeHwnd(), WM_POE_READ_FAILED, 1, 0);
    }
    return 0;
}

std::string CPOEConfigDlg::TimeRangeText(const std::string& strId)
{
    if (strId == "0")
        return kNoTimeRange;
    const int nId = DecimalValue(strId);
    std::string strName;
    std::lock_guard lock(m_csWalkData);
    for (std::size_t i = 0; i < m_nTimeRangeIds.size(); ++i)
        if (m_nTimeRangeIds[i] == nId)
            strName = m_strTimeRangeNames[i];
    return strName;
}

void CPOEConfigDlg::ShowPortRows(const std::map<int, PortRow>& rows)
{
    m_listPorts.DeleteAllItems();
    int nRow = 0;
    for (const auto& [nPort, row] : rows) {
        // A user-defined limit shows only while the port is enabled.
        const std::string strLimit = row[kUserDefined] == "1" && row[kState] == "1"
                                         ? row[kUserLimit]
                                         : SetText(kPowerLimits, row[kClass]);
        const std::string cells[] = {std::to_string(nRow + 1),   SetText(kStates, row[kState]),
                                     TimeRangeText(row[kTimeRange]), SetText(kPriorities, row[kPriority]),
                                     strLimit,                   row[kPower],
                                     row[kVoltage],              row[kCurrent],
                                     row[kClassification],       row[kStatus]};
        for (int nCell = 0; nCell < static_cast<int>(std::size(cells)); ++nCell)
            m_listPorts.SetOrInsertItemText(nRow, nCell, cells[nCell].c_str());
        ++nRow;
    }
    // A column first as wide as its heading widens to the texts the switch
    // gave (a status such as "Time-based OFF"); it never narrows.
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(kColumnHeadings)); ++nColumn)
        m_listPorts.SetColumnWidth(
            nColumn, std::max(m_listPorts.GetColumnWidth(nColumn), ColumnNeed(m_listPorts, nColumn, "", 15)));
}

LRESULT CPOEConfigDlg::OnReadFailed(WPARAM wParam, LPARAM /*lParam*/)
{
    // The list and the names keep what the last complete walks gave.
    if (wParam == 0) {
        bool bKept = false;
        {
            std::lock_guard lock(m_csWalkData);
            bKept = !m_nTimeRangeIds.empty();
        }
        m_readReport.Fail("the time profile names", bKept);
    }
    else
        m_readReport.Fail("the PoE port table", m_listPorts.GetItemCount() > 0);
    EnableButtons(TRUE);
    return 0;
}

void CPOEConfigDlg::OnRefresh()
{
    m_readReport.Begin();
    GetTimeRange();
}

void CPOEConfigDlg::OnListClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
}

void CPOEConfigDlg::OnApply()
{
    UpdateData(TRUE);
    ApplyRange();
}

void CPOEConfigDlg::ApplyRange()
{
    // A user-defined limit that cannot be one is refused before anything goes out.
    if (m_CtrlUserdefe.GetCheck() == BST_CHECKED) {
        const std::string strWatts = m_editWatts.GetWindowText();
        if (!IsPowerNumber(strWatts)) {
            AfxMessageBox("The per-port power limit must be a number of watts.", MB_OK);
            return;
        }
        if (!IsPowerStep(strWatts)) {
            AfxMessageBox("The per-port power limit must be a multiple of 0.2", MB_OK);
            return;
        }
    }
    CWaitCursor wait;
    const int nFirst = DecimalValue(SelectedText(m_comboFromPort));
    const int nLast = DecimalValue(SelectedText(m_comboToPort));
    CWriteReport report;
    for (int nPort = nFirst; nPort <= nLast; ++nPort) {
        m_cCommonSNMPSet.Open(SnmpPduSet);
        SetPortValues(nPort);
        // The first refused or unanswered port ends the range.
        if (!report.Send(m_cCommonSNMPSet, "the PoE settings of port " + std::to_string(nPort), kSetTimeoutMs)) {
            report.SetProgress(CWriteReport::PortProgress("Ports", nFirst, nPort));
            break;
        }
        Sleep(kPauseAfterPortMs);
    }
    // What the switch holds now, also after a refusal; a switch that did not
    // answer is not asked again within the same Apply.
    if (report.Report() && report.TimedOut())
        return;
    m_readReport.Begin();
    RefreshPortTable();
}

void CPOEConfigDlg::SetPortValues(int nPort)
{
    const bool bDisable = SelectedText(m_comboState) == "Disable";
    m_cCommonSNMPSet.AddValue(PortCell(3, nPort), SnmpValueInteger, bDisable ? "2" : "1");

    std::string strTimeRange = "0";
    const std::string strRangeName = SelectedText(m_comboTimeRange);
    if (!bDisable && strRangeName != kNoTimeRange) {
        std::lock_guard lock(m_csWalkData);
        for (std::size_t i = 0; i < m_strTimeRangeNames.size(); ++i)
            if (m_strTimeRangeNames[i] == strRangeName)
                strTimeRange = std::to_string(m_nTimeRangeIds[i]);
    }
    m_cCommonSNMPSet.AddValue(PortCell(4, nPort), SnmpValueInteger, strTimeRange);

    const int nPriority = m_comboPriority.GetCurSel();
    const std::string strPriority = bDisable || nPriority == CB_ERR ? "2" : std::to_string(nPriority + 1);
    m_cCommonSNMPSet.AddValue(PortCell(5, nPort), SnmpValueInteger, strPriority);

    const bool bUserDefine = m_CtrlUserdefe.GetCheck() == BST_CHECKED;
    DebugTrace("PoE port %d: user define %d, state %s, time range %s, priority %s", nPort, bUserDefine ? 1 : 0,
               bDisable ? "2" : "1", strTimeRange.c_str(), strPriority.c_str());
    if (!bUserDefine) {
        m_cCommonSNMPSet.AddValue(PortCell(7, nPort), SnmpValueInteger, "2");
        m_comboPowerLimit.EnableWindow(TRUE);
        const int nClass = m_comboPowerLimit.GetCurSel();
        const std::string strClass = bDisable || nClass == CB_ERR ? "1" : std::to_string(nClass + 1);
        m_cCommonSNMPSet.AddValue(PortCell(6, nPort), SnmpValueInteger, strClass);
        return;
    }
    m_cCommonSNMPSet.AddValue(PortCell(7, nPort), SnmpValueInteger, "1");
    m_comboPowerLimit.EnableWindow(FALSE);
    const std::string strWatts = m_editWatts.GetWindowText();
    m_cCommonSNMPSet.AddValueLen(PortCell(8, nPort), SnmpValueOctetString, strWatts.data(),
                                 static_cast<int>(strWatts.size()));
}

void CPOEConfigDlg::OnItemChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    const int nRow = m_listPorts.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    if (nRow < m_comboFromPort.GetCount()) {
        m_comboFromPort.SetCurSel(nRow);
        m_comboToPort.SetCurSel(nRow);
    }
    const std::string strState = m_listPorts.GetItemText(nRow, 1);
    if (strState == "Enable" || strState == "Disable")
        m_comboState.SetCurSel(strState == "Enable" ? 0 : 1);
}

void CPOEConfigDlg::OnFromPortChanged()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CPOEConfigDlg::OnToPortChanged()
{
    if (DecimalValue(SelectedText(m_comboToPort)) < DecimalValue(SelectedText(m_comboFromPort)) &&
        AfxMessageBox("'To Port' can not be smaller than 'From Port'", MB_OK) == IDOK)
        m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CPOEConfigDlg::OnUserDefine()
{
    UpdateData(TRUE);
    const bool bUserDefine = m_CtrlUserdefe.GetCheck() == BST_CHECKED;
    m_comboPowerLimit.EnableWindow(bUserDefine ? FALSE : TRUE);
    m_editWatts.EnableWindow(bUserDefine ? TRUE : FALSE);
}

void CPOEConfigDlg::EnableButtons(BOOL bEnable)
{
    m_btnRefresh.EnableWindow(bEnable);
    m_btnApply.EnableWindow(bEnable);
}
