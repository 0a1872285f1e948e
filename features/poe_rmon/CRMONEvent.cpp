#include "features/poe_rmon/CRMONEvent.h"

#include "features/poe_rmon/ColumnWidths.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/rmon.h"

#include <algorithm>

namespace {

constexpr int kEventButtonColumn = 6;
constexpr int kDescriptionMaxChars = 128;
constexpr int kCommunityMaxChars = 32;
constexpr std::size_t kCommunityMaxLength = 127;

const char* TypeWord(int nType)
{
    switch (nType) {
    case 1: return "None";
    case 2: return "Log";
    case 3: return "SNMP Trap";
    case 4: return "Log and Trap";
    default: return "";
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CRMONEvent, CDialog)
    ON_WM_SIZE()
    ON_EN_CHANGE(IDC_RMON_EVENT_INDEX, OnEditChange)
    ON_EN_CHANGE(IDC_RMON_EVENT_DESCRIPTION, OnEditChange)
    ON_EN_CHANGE(IDC_RMON_EVENT_COMMUNITY, OnEditChange)
    ON_BN_CLICKED(IDC_RMON_EVENT_APPLY, OnApply)
    ON_BN_CLICKED(IDC_RMON_EVENT_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_RMON_EVENT_CLOSE, OnClose)
END_MESSAGE_MAP()

CRMONEvent::CRMONEvent(CWnd* pParent) : CDialog(IDD_RMON_EVENT, pParent) {}

CRMONEvent::~CRMONEvent() = default;

BOOL CRMONEvent::DestroyWindow()
{
    m_rmon.CloseSessions();
    return CDialog::DestroyWindow();
}

void CRMONEvent::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RMON_EVENT_LIST, m_list);
    DDX_Control(pDX, IDC_RMON_EVENT_OWNER, m_editOwner);
    DDX_Control(pDX, IDC_RMON_EVENT_INDEX, m_editIndex);
    DDX_Control(pDX, IDC_RMON_EVENT_DESCRIPTION, m_editDescription);
    DDX_Control(pDX, IDC_RMON_EVENT_COMMUNITY, m_editCommunity);
    DDX_Control(pDX, IDC_RMON_EVENT_TYPE, m_comboType);
    DDX_Control(pDX, IDC_RMON_EVENT_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_RMON_EVENT_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_RMON_EVENT_APPLY, m_btnApply);
}

LRESULT CRMONEvent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_RMON_ALARM_EVENTS_READ) {
        EnableControls(FALSE);
        m_rmon.StartEventWalk();
        EnableControls(TRUE);
    } else if (message == WM_WALK_FINISHED || message == WM_WALK_STALE) {
        FillList();
        if (message == WM_WALK_FINISHED)
            SayWalkEnd(m_readReport, lParam == CRMON::kWalkFailed, "the RMON event list",
                       m_rmon.IsTableRead(CRMON::kEvent) != FALSE);
    } else if (message == WM_CELL_BUTTON_CLICK) {
        CWriteReport report;
        DeleteRow(static_cast<int>(wParam), report);
        if (ReadAgainAfter(report))
            Refresh();
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CRMONEvent::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("RMON Event Configuration");
    m_editOwner.LimitText(kRmonOwnerMaxChars);
    m_editDescription.LimitText(kDescriptionMaxChars);
    m_editCommunity.LimitText(kCommunityMaxChars);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, "Index");
    m_list.InsertColumn(1, "Description");
    m_list.InsertColumn(2, "Type");
    m_list.InsertColumn(3, "Community");
    m_list.InsertColumn(4, "Owner");
    m_list.InsertColumn(5, " Last Time Sent");
    m_list.InsertColumn(6, "");
    for (const char* word : {"None", "Log", "SNMP Trap", "Log and Trap"})
        m_comboType.AddString(word);
    ResetInputs();
    // The columns have their widths before the first rows (and their
    // buttons) arrive, and again once the dialog is laid out.
    SetColumnWidths();
    PostMessage(WM_SIZE, 0, 0);
    Refresh();
    m_rmon.StartCommunityWalk();
    return TRUE;
}

void CRMONEvent::EnableControls(BOOL bEnable)
{
    for (CEdit* edit : {&m_editOwner, &m_editIndex, &m_editDescription, &m_editCommunity})
        edit->EnableWindow(bEnable);
    m_comboType.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
    m_btnClose.EnableWindow(bEnable);
    // Nothing is created before the event table was read once.
    m_btnApply.EnableWindow(bEnable && m_rmon.IsTableRead(CRMON::kEvent));
}

BOOL CRMONEvent::Refresh()
{
    m_readReport.Begin();
    m_rmon.SetHwnd(GetSafeHwnd());
    m_rmon.StartAlarmRisingEventWalk();
    return TRUE;
}

void CRMONEvent::OnRefresh()
{
    Refresh();
}

void CRMONEvent::OnApply()
{
    EnableControls(FALSE);
    CWriteReport report;
    CheckAndAdd(report);
    ResetInputs();
    EnableControls(TRUE);
    if (ReadAgainAfter(report))
        Refresh();
}

void CRMONEvent::FillList()
{
    for (int nRow = 0; nRow < m_list.GetItemCount(); ++nRow)
        m_list.RemoveButton(nRow, kEventButtonColumn, 0);
    m_list.DeleteAllItems();
    m_arrIndexes.clear();
    for (const RMON_event_configuration& event : m_rmon.GetEvents()) {
        if (event.nStatus != 1)
            continue;
        const int nRow = m_list.InsertItem(m_list.GetItemCount(), std::to_string(event.nIndex));
        m_list.SetItemText(nRow, 1, event.strDescription);
        m_list.SetItemText(nRow, 2, event.Known(2) ? TypeWord(event.nType) : "");
        m_list.SetItemText(nRow, 3, event.strCommunity);
        m_list.SetItemText(nRow, 4, event.strOwner);
        m_list.SetItemText(nRow, 5, event.strLastTimeSent);
        m_list.AddButton(nRow, kEventButtonColumn, ButtonSpec(0, "Delete"));
        m_arrIndexes.push_back(event.nIndex);
    }
    EnableControls(TRUE);
    PostMessage(WM_SIZE, 0, 0);
}

BOOL CRMONEvent::CheckAndAdd(CWriteReport& report)
{
    auto refuse = [this](const char* pszText) {
        MessageBox(pszText, "", MB_OK);
        return FALSE;
    };
    RMON_event_configuration event;
    event.nIndex = CRMON::ToNumber(m_editIndex.GetWindowText());
    if (event.nIndex < 1 || event.nIndex > 65535)
        return refuse("Index number must be between 1 and 65535!");
    if (std::find(m_arrIndexes.begin(), m_arrIndexes.end(), event.nIndex) != m_arrIndexes.end())
        return refuse("Setting error. Index number had already exits!");
    event.strDescription = m_editDescription.GetWindowText();
    if (event.strDescription.empty())
        return refuse("Fill inputs which are marked '*'!");
    if (event.strDescription.size() > static_cast<std::size_t>(kDescriptionMaxChars))
        return refuse("The length of description can't be more than 128!");
    const int nSelection = m_comboType.GetCurSel();
    if (nSelection < 0 || nSelection > 3)
        return FALSE;
    event.nType = nSelection + 1;
    event.strCommunity = m_editCommunity.GetWindowText();
    if (event.strCommunity.size() > kCommunityMaxLength)
        return refuse("The length of community can't be more than 127!");
    if (event.nType == 3 || event.nType == 4) {
        // The names' walk may still run: they are read under CRMON's lock.
        const std::vector<std::string> names = m_rmon.GetCommunityNames();
        if (std::find(names.begin(), names.end(), event.strCommunity) == names.end())
            return refuse("Community Name doesn't exist on SNMP host table.\n Please create SNMP host table first.");
    }
    event.strOwner = m_editOwner.GetWindowText();
    return m_rmon.AddEvent(event, &report);
}

BOOL CRMONEvent::DeleteRow(int nRow, CWriteReport& report)
{
    if (!m_list.IsValidItem(nRow))
        return FALSE;
    const std::string strIndex = m_list.GetItemText(nRow, 0);
    if (m_rmon.IsAlarmRisingEvent(strIndex)) {
        MessageBox("This event cannot be deleted since dependent alarm entry exists !", "", MB_OK);
        return FALSE;
    }
    const int nIndex = CRMON::ToNumber(strIndex);
    m_list.RemoveButton(nRow, kEventButtonColumn, 0);
    const BOOL bDeleted = m_rmon.DeleteEvent(nIndex, &report);
    if (bDeleted) {
        const auto it = std::find(m_arrIndexes.begin(), m_arrIndexes.end(), nIndex);
        if (it != m_arrIndexes.end())
            m_arrIndexes.erase(it);
    }
    return bDeleted;
}

void CRMONEvent::ResetInputs()
{
    for (CEdit* edit : {&m_editOwner, &m_editIndex, &m_editDescription, &m_editCommunity})
        edit->SetWindowText("");
    m_comboType.SetCurSel(0);
}

void CRMONEvent::OnClose()
{
    SendMessage(WM_CLOSE, 0, 0);
}

void CRMONEvent::OnEditChange() {}

void CRMONEvent::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    SetColumnWidths();
}

void CRMONEvent::SetColumnWidths()
{
    if (!m_list.GetSafeHwnd())
        return;
    // Description, Community and Last Time Sent at least their heading's
    // measure, every column at least what its rows need; Index, Type, Owner
    // and the buttons share what is left, so the buttons stay on the list.
    const int nDescription = std::max(m_list.GetStringWidth("Description ") + 10, ColumnNeed(m_list, 1, "", 16));
    const int nCommunity = std::max(m_list.GetStringWidth("Community ") + 10, ColumnNeed(m_list, 3, "", 16));
    const int nLastSent = std::max(m_list.GetStringWidth("Last Time Sent ") + 10, ColumnNeed(m_list, 5, "", 16));
    SetShareOfWidth(m_list,
                    {ColumnNeed(m_list, 0, "Index", 16), nDescription, ColumnNeed(m_list, 2, "Type", 16), nCommunity,
                     ColumnNeed(m_list, 4, "Owner", 16), nLastSent, m_list.GetStringWidth("Delete") + 24},
                    {0, 2, 4, kEventButtonColumn});
    m_list.RepositionButtons();
}
