#include "features/poe_rmon/CRmonAlarm.h"

#include "common/Globals.h"
#include "features/poe_rmon/ColumnWidths.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/rmon.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

namespace {

constexpr int kAlarmButtonColumn = 9;

// The list's columns with their first widths, before the rows are known.
struct AlarmColumn {
    const char* pszHeading;
    int nWidth;
};
constexpr AlarmColumn kAlarmColumns[] = {
    {"Index", 50},           {"Interval", 70},          {"Variable", 70},            {"Sample Type", 120},
    {"Rising Threshold", 130}, {"Falling Threshold", 135}, {"Rising Event Index", 150}, {"Falling Event Index", 150},
    {"Owner", 50},           {"", 70}};
static_assert(std::size(kAlarmColumns) == kAlarmButtonColumn + 1);
constexpr int kIndexMaxChars = 5;
const std::string kInterfaceEntry = "1.3.6.1.2.1.2.2.1.";

// A whole number of at most five digits, nothing else; -1 otherwise.
int SmallNumber(const std::string& text)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return -1;
    return std::stoi(text);
}

} // namespace

BEGIN_MESSAGE_MAP(CRmonAlarm, CDialog)
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_RMON_ALARM_APPLY, OnApplyClicked)
    ON_BN_CLICKED(IDC_RMON_ALARM_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_RMON_ALARM_CLOSE, OnClose)
    ON_EN_CHANGE(IDC_RMON_ALARM_INDEX, OnIndexChange)
END_MESSAGE_MAP()

CRmonAlarm::CRmonAlarm(CWnd* pParent) : CDialog(IDD_RMON_ALARM, pParent) {}

CRmonAlarm::~CRmonAlarm() = default;

BOOL CRmonAlarm::IsValidVariable(const std::string& strVariable)
{
    if (strVariable.compare(0, kInterfaceEntry.size(), kInterfaceEntry) != 0)
        return FALSE;
    const std::string strRest = strVariable.substr(kInterfaceEntry.size());
    const std::size_t dot = strRest.find('.');
    if (dot == std::string::npos)
        return FALSE;
    const int nColumn = SmallNumber(strRest.substr(0, dot));
    const int nPort = SmallNumber(strRest.substr(dot + 1));
    return nColumn >= 10 && nColumn <= 21 && nPort >= 1 && nPort <= g_nPortCount ? TRUE : FALSE;
}

BOOL CRmonAlarm::DestroyWindow()
{
    m_rmon.CloseSessions();
    return CDialog::DestroyWindow();
}

void CRmonAlarm::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RMON_ALARM_RISING_EVENT, m_editRisingEvent);
    DDX_Control(pDX, IDC_RMON_ALARM_LIST, m_list);
    DDX_Control(pDX, IDC_RMON_ALARM_VARIABLE, m_editVariable);
    DDX_Control(pDX, IDC_RMON_ALARM_RISING_THRESHOLD, m_editRisingThreshold);
    DDX_Control(pDX, IDC_RMON_ALARM_OWNER, m_editOwner);
    DDX_Control(pDX, IDC_RMON_ALARM_INTERVAL, m_editInterval);
    DDX_Control(pDX, IDC_RMON_ALARM_INDEX, m_editIndex);
    DDX_Control(pDX, IDC_RMON_ALARM_FALLING_EVENT, m_editFallingEvent);
    DDX_Control(pDX, IDC_RMON_ALARM_FALLING_THRESHOLD, m_editFallingThreshold);
    DDX_Control(pDX, IDC_RMON_ALARM_SAMPLE_TYPE, m_comboSampleType);
    DDX_Control(pDX, IDC_RMON_ALARM_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_RMON_ALARM_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_RMON_ALARM_APPLY, m_btnApply);
}

LRESULT CRmonAlarm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_WALK_FINISHED || message == WM_WALK_STALE) && wParam == CRMON::kEvent) {
        m_arrEventIndexes.clear();
        for (const RMON_event_configuration& event : m_rmon.GetEvents())
            m_arrEventIndexes.push_back(event.nIndex);
        EnableControls(TRUE);
        // The check's status GET uses the session whose worker is waiting
        // for this handler: it runs once the handler has returned.
        if (m_bCheckPending) {
            m_bCheckPending = false;
            PostMessage(WM_RMON_ALARM_CHECK, 0, 0);
        }
    } else if ((message == WM_WALK_FINISHED || message == WM_WALK_STALE) && wParam == CRMON::kAlarm) {
        FillList();
        if (message == WM_WALK_FINISHED)
            SayWalkEnd(m_readReport, lParam == CRMON::kWalkFailed, "the RMON alarm list",
                       m_rmon.IsTableRead(CRMON::kAlarm) != FALSE);
    } else if (message == WM_RMON_ALARM_CHECK) {
        EnableControls(FALSE);
        CWriteReport report;
        CheckAndAdd(report);
        EnableControls(TRUE);
        if (ReadAgainAfter(report))
            Refresh();
        return 0;
    } else if (message == WM_CELL_BUTTON_CLICK) {
        CWriteReport report;
        DeleteRow(static_cast<int>(wParam), report);
        if (ReadAgainAfter(report))
            Refresh();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CRmonAlarm::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("RMON Alarm Configuration");
    m_editOwner.LimitText(kRmonOwnerMaxChars);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(kAlarmColumns)); ++nColumn)
        m_list.InsertColumn(nColumn, kAlarmColumns[nColumn].pszHeading, LVCFMT_LEFT, kAlarmColumns[nColumn].nWidth);
    m_comboSampleType.AddString("Absolute value");
    m_comboSampleType.AddString("Delta value");
    ResetInputs();
    PostMessage(WM_SIZE, 0, 0);
    Refresh();
    return TRUE;
}

void CRmonAlarm::EnableControls(BOOL bEnable)
{
    for (CEdit* edit : {&m_editRisingEvent, &m_editVariable, &m_editRisingThreshold, &m_editOwner, &m_editInterval,
                        &m_editIndex, &m_editFallingEvent, &m_editFallingThreshold})
        edit->EnableWindow(bEnable);
    m_comboSampleType.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
    m_btnClose.EnableWindow(bEnable);
    // Nothing is created before the alarm table was read once.
    m_btnApply.EnableWindow(bEnable && m_rmon.IsTableRead(CRMON::kAlarm));
}

BOOL CRmonAlarm::Refresh()
{
    m_readReport.Begin();
    EnableControls(FALSE);
    if (!m_rmon.SetHwnd(GetSafeHwnd())) {
        EnableControls(TRUE);
        return FALSE;
    }
    return m_rmon.StartAlarmWalk();
}

void CRmonAlarm::OnRefresh()
{
    Refresh();
}

BOOL CRmonAlarm::OnApply()
{
    EnableControls(FALSE);
    if (!m_rmon.SetHwnd(GetSafeHwnd())) {
        EnableControls(TRUE);
        return FALSE;
    }
    m_bCheckPending = true;
    return m_rmon.StartEventWalk();
}

void CRmonAlarm::OnApplyClicked()
{
    OnApply();
}

void CRmonAlarm::FillList()
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        m_list.RemoveButton(nRow, kAlarmButtonColumn, 0);
    m_list.DeleteAllItems();
    m_arrAlarmIndexes.clear();
    for (const RMON_alarm_configuration& alarm : m_rmon.GetAlarms()) {
        if (alarm.nStatus != 1)
            continue;
        const int nRow = m_list.InsertItem(m_list.GetItemCount(), std::to_string(alarm.nIndex));
        m_list.SetItemText(nRow, 1, KnownNumber(alarm.Known(1), alarm.nInterval));
        m_list.SetItemText(nRow, 2, alarm.strVariable);
        m_list.SetItemText(nRow, 3, !alarm.Known(3) ? "" : alarm.nSampleType == 1 ? "Absolute value" : "Delta value");
        m_list.SetItemText(nRow, 4, KnownNumber(alarm.Known(4), alarm.nRisingThreshold));
        m_list.SetItemText(nRow, 5, KnownNumber(alarm.Known(5), alarm.nFallingThreshold));
        m_list.SetItemText(nRow, 6, KnownNumber(alarm.Known(6), alarm.nRisingEventIndex));
        m_list.SetItemText(nRow, 7, KnownNumber(alarm.Known(7), alarm.nFallingEventIndex));
        m_list.SetItemText(nRow, 8, alarm.strOwner);
        m_list.AddButton(nRow, kAlarmButtonColumn, ButtonSpec(0, "Delete"));
        m_arrAlarmIndexes.push_back(alarm.nIndex);
    }
    EnableControls(TRUE);
    PostMessage(WM_SIZE, 0, 0);
}

BOOL CRmonAlarm::CheckAndAdd(CWriteReport& report)
{
    auto refuse = [this](const char* pszText) {
        MessageBox(pszText, "", MB_OK);
        return FALSE;
    };
    RMON_alarm_configuration alarm;
    alarm.nIndex = CRMON::ToNumber(m_editIndex.GetWindowText());
    if (alarm.nIndex < 1 || alarm.nIndex > 65535)
        return refuse("Index number must be between 1 and 65535!");
    if (Contains(m_arrAlarmIndexes, alarm.nIndex))
        return refuse("Index had already exits!");
    alarm.nInterval = CRMON::ToNumber(m_editInterval.GetWindowText());
    if (alarm.nInterval < 1)
        return refuse("Interval number must be between 1 and 2147483647!");
    alarm.strVariable = m_editVariable.GetWindowText();
    if (!IsValidVariable(alarm.strVariable))
        return refuse("Variable Format is 1.3.6.1.2.1.2.2.1.X.Y!\nX = standard MIB Entry between 10~21\nY = Device "
                      "Port Number");
    const int nSelection = m_comboSampleType.GetCurSel();
    if (nSelection != 0 && nSelection != 1)
        return FALSE;
    alarm.nSampleType = nSelection + 1;
    alarm.nRisingThreshold = CRMON::ToNumber(m_editRisingThreshold.GetWindowText());
    if (alarm.nRisingThreshold < 0)
        return refuse("Rising Threshold must be between 0 and 2^31-1!");
    alarm.nFallingThreshold = CRMON::ToNumber(m_editFallingThreshold.GetWindowText());
    if (alarm.nFallingThreshold < 0)
        return refuse("Filling Threshold must be between 0 and 2^31-1!");
    alarm.nRisingEventIndex = CRMON::ToNumber(m_editRisingEvent.GetWindowText());
    if (alarm.nRisingEventIndex < 1 || alarm.nRisingEventIndex > 65535)
        return refuse("Rising event index must be between 1 and 65535!");
    if (alarm.nFallingThreshold >= alarm.nRisingThreshold)
        return refuse("Falling-threshold should be less than Rising-threshold !");
    if (!Contains(m_arrEventIndexes, alarm.nRisingEventIndex))
        return refuse("Event Index is not exist,please add first!");
    alarm.nFallingEventIndex = CRMON::ToNumber(m_editFallingEvent.GetWindowText());
    if (alarm.nFallingEventIndex < 1 || alarm.nFallingEventIndex > 65535)
        return refuse("Failling event index must be between 1 and 65535!");
    if (!Contains(m_arrEventIndexes, alarm.nFallingEventIndex))
        return refuse("Event Index is not exist,please add first!");
    alarm.strOwner = m_editOwner.GetWindowText();
    return m_rmon.AddAlarm(alarm, &report);
}

void CRmonAlarm::ResetInputs()
{
    for (CEdit* edit : {&m_editRisingEvent, &m_editVariable, &m_editRisingThreshold, &m_editOwner, &m_editIndex,
                        &m_editFallingEvent, &m_editFallingThreshold})
        edit->SetWindowText("");
    m_editInterval.SetWindowText("300");
    m_comboSampleType.SetCurSel(0);
}

BOOL CRmonAlarm::DeleteRow(int nRow, CWriteReport& report)
{
    if (!m_list.IsValidItem(nRow))
        return FALSE;
    const int nIndex = CRMON::ToNumber(m_list.GetItemText(nRow, 0));
    m_list.RemoveButton(nRow, kAlarmButtonColumn, 0);
    return m_rmon.DeleteAlarm(nIndex, &report);
}

void CRmonAlarm::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}

void CRmonAlarm::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (!m_list.GetSafeHwnd())
        return;
    // Each column as wide as its heading and rows need (a variable's OID is
    // longer than its first width); the variable and owner columns share what
    // the list has left, and the Delete column stays on the list.
    std::vector<int> widths;
    for (int nColumn = 0; nColumn < kAlarmButtonColumn; ++nColumn)
        widths.push_back(ColumnNeed(m_list, nColumn, kAlarmColumns[nColumn].pszHeading, 16));
    widths.push_back(kAlarmColumns[kAlarmButtonColumn].nWidth);
    SetShareOfWidth(m_list, widths, {2, 8});
    m_list.RepositionButtons();
}

void CRmonAlarm::OnIndexChange()
{
    const std::string strText = m_editIndex.GetWindowText();
    if (static_cast<int>(strText.size()) <= kIndexMaxChars)
        return;
    int nStart = 0;
    int nEnd = 0;
    m_editIndex.GetSel(nStart, nEnd);
    m_editIndex.SetWindowText(strText.substr(0, kIndexMaxChars));
    m_editIndex.SetSel(nStart, nStart);
}
