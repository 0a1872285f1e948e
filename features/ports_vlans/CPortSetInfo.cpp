#include "features/ports_vlans/CPortSetInfo.h"

#include "common/ListColumn.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

// Posted to itself after a failed port table walk: the walk starts again once
// the failure has been handled, never inside the reply that reported it.
constexpr UINT WM_RESTART_WALK = WM_APP + 1100;

// The timer whose tick would start a new port table walk; nothing sets it.
constexpr UINT_PTR kWalkTimerId = 2032;

constexpr ListColumn kPortSettingColumns[] = {
    {" Port", 100}, {" Link Status ", 130}, {" Speed ", 140}, {" MDI/MDIX", 140}, {" Flow Control", 140},
};

// The texts of the codes of the port control table; code c is entry c - 1.
constexpr const char* kLinkTexts[] = {"Down", "1000M Full", "100M Full", "100M Half", "10M Full", "10M Half"};
constexpr const char* kSpeedTexts[] = {"1000M Full", "100M Full", "100M Half", "10M Full",
                                       "10M Half",   "Auto",      "Disable"};
constexpr const char* kMdixTexts[] = {"Auto", "MDI", "MDIX"};

constexpr int kFlowControlDisabled = 2;

template <std::size_t N> const char* CodeText(const char* const (&texts)[N], int code)
{
    return code >= 1 && code <= static_cast<int>(N) ? texts[code - 1] : "";
}

// The position of a text in a table, -1 when it is not there.
template <std::size_t N> int TextPosition(const char* const (&texts)[N], const std::string& text)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (text == texts[i])
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

BEGIN_MESSAGE_MAP(CPortSetInfo, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PORTSET_LIST, OnListItemChanged)
    ON_NOTIFY(NM_CLICK, IDC_PORTSET_LIST, OnListClick)
    ON_BN_CLICKED(IDC_PORTSET_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_PORTSET_APPLY, OnApply)
    ON_BN_CLICKED(IDCANCEL, OnCancel)
    ON_WM_TIMER()
    ON_MESSAGE(WM_RESTART_WALK, OnRestartWalk)
END_MESSAGE_MAP()

CPortSetInfo::CPortSetInfo(CWnd* pParent) : CDialog(IDD_PORT_SET_INFO, pParent)
{
    g_bDialogClosing = 0;
}

BOOL CPortSetInfo::DestroyWindow()
{
    g_bDialogClosing = 1;
    return CDialog::DestroyWindow();
}

void CPortSetInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PORTSET_LIST, m_list);
    DDX_Control(pDX, IDC_PORTSET_PORT_ID, m_editPortId);
    DDX_Control(pDX, IDC_PORTSET_SPEED, m_comboSpeed);
    DDX_Control(pDX, IDC_PORTSET_FLOW_CONTROL, m_comboFlowControl);
    DDX_Control(pDX, IDC_PORTSET_MDIX, m_comboMdix);
    DDX_Control(pDX, IDC_PORTSET_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_PORTSET_APPLY, m_btnApply);
}

LRESULT CPortSetInfo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_WALK_FINISHED:
    case WM_WALK_STALE:
        m_bListRead = true;
        EnableButtons(TRUE);
        FillPortList();
        ResetControls();
        break;
    case WM_WALK_FAILED:
        // The list keeps the last complete walk; nothing is applied until a
        // walk completes, but Refresh (and Close) stay usable while the walk
        // is tried again. The worker that reports the failure waits for this
        // handler: the next walk starts after it has returned.
        m_btnRefresh.EnableWindow(TRUE);
        m_btnApply.EnableWindow(FALSE);
        // Said once for the user's action; the walks tried again after it are
        // not. A walk that could not even start is not tried again by itself.
        m_readReport.Fail("the port settings", m_bListRead);
        if (!m_bStartingWalk)
            PostMessage(WM_RESTART_WALK);
        ResetControls();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CPortSetInfo::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    InsertListColumns(m_list, kPortSettingColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    m_comboFlowControl.AddString("Enabled");
    m_comboFlowControl.AddString("Disabled");
    m_comboFlowControl.SetCurSel(0);
    m_comboMdix.SetCurSel(0);
    m_comboSpeed.SetCurSel(0);

    m_PortConfigLogic.SetHwnd(GetSafeHwnd());
    Refresh();
    return TRUE;
}

void CPortSetInfo::OnListItemChanged(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    if (m_list.GetSelectedCount() > 0)
        m_comboSpeed.EnableWindow(TRUE);
    *pResult = 0;
}

void CPortSetInfo::OnListClick(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    const int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0)
        return;
    m_nSelectedIndex = nRow;
    m_editPortId.SetWindowText(m_list.GetItemText(nRow, 0));
    // An empty cell is a value the switch did not give or cannot mean: its
    // box shows no selection rather than a guess.
    const int nSpeedPos = TextPosition(kSpeedTexts, m_list.GetItemText(nRow, 2));
    m_comboSpeed.SetCurSel(nSpeedPos);
    const std::string strFlowControl = m_list.GetItemText(nRow, 4);
    m_comboFlowControl.SetCurSel(strFlowControl == "Enabled" ? 0 : strFlowControl == "Disabled" ? 1 : -1);
    const int nMdixPos = TextPosition(kMdixTexts, m_list.GetItemText(nRow, 3));
    m_comboMdix.SetCurSel(nMdixPos);
    m_bRowValuesKnown = nSpeedPos >= 0 && m_comboFlowControl.GetCurSel() >= 0 && nMdixPos >= 0;
}

void CPortSetInfo::Refresh()
{
    m_readReport.Begin();
    m_PortConfigLogic.StartTrunkWalk();
    EnableButtons(FALSE);
    StartPortTableWalk();
}

void CPortSetInfo::StartPortTableWalk()
{
    m_bStartingWalk = true;
    m_PortConfigLogic.StartPortTableWalk();
    m_bStartingWalk = false;
}

void CPortSetInfo::OnApply()
{
    std::string strPort;
    m_editPortId.GetWindowText(strPort);
    const int nPort = std::atoi(strPort.c_str());
    // A row whose port never arrived shows port 0: it cannot be applied.
    if (strPort.empty() || !m_PortConfigLogic.IsPortInRange(nPort)) {
        MessageBox("Please Select one port !");
        return;
    }
    // What Apply writes beside the user's change would be a guess.
    if (!m_bRowValuesKnown) {
        MessageBox("The settings of port " + strPort + " could not be read. Please refresh.");
        return;
    }
    const int nSpeedPos = m_comboSpeed.GetCurSel();
    const int nSpeed = nSpeedPos == CB_ERR ? CPortConfigLogic::kSpeedAuto : nSpeedPos + 1;
    const int nFlowControl =
        m_comboFlowControl.GetCurSel() == 1 ? kFlowControlDisabled : CPortConfigLogic::kFlowControlEnabled;
    const int nMdix = ChosenMdix();
    if (nMdix == 0) {
        MessageBox("Please Select one MDI/MDIX mode !");
        return;
    }

    if (!m_PortConfigLogic.CheckTrunkSpeed(m_nSelectedIndex, nPort, nSpeed)) {
        MessageBox("LA port can not support in different speed.");
        return;
    }
    if (!m_PortConfigLogic.CheckTrunkFlowControl(m_nSelectedIndex, nPort, nFlowControl)) {
        MessageBox("LA port can not support in different flow control.");
        return;
    }
    if (!m_PortConfigLogic.CheckTrunkMdix(m_nSelectedIndex, nPort, nMdix))
        return;
    if (!m_PortConfigLogic.CheckMdix(m_nSelectedIndex, nPort, nMdix) ||
        !m_PortConfigLogic.CheckSpeed(m_nSelectedIndex, nPort, nSpeed) ||
        !m_PortConfigLogic.CheckNotAllDisabled(m_nSelectedIndex, nSpeed) ||
        !m_PortConfigLogic.ConfirmFlowControl(nFlowControl))
        return;

    PORT_setting_info setting;
    setting.nPort = nPort;
    setting.nSpeed = nSpeed;
    setting.nMdix = nMdix;
    setting.nFlowControl = nFlowControl;
    CWriteReport report;
    // A switch that did not answer is not asked again now.
    if (!m_PortConfigLogic.SetPortSetting(setting, &report) && report.Report() && report.TimedOut())
        return;
    // The list shows what the switch took.
    Refresh();
}

void CPortSetInfo::OnTimer(UINT_PTR nIDEvent)
{
    KillTimer(nIDEvent);
    if (nIDEvent == kWalkTimerId)
        StartPortTableWalk();
}

LRESULT CPortSetInfo::OnRestartWalk(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // As Refresh, but the buttons stay as the failure left them.
    m_PortConfigLogic.StartTrunkWalk();
    StartPortTableWalk();
    return 0;
}

void CPortSetInfo::FillPortList()
{
    m_list.DeleteAllItems();
    const std::vector<PORT_setting_info> records = m_PortConfigLogic.GetPortSettings();
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const PORT_setting_info& record = records[static_cast<std::size_t>(i)];
        m_list.SetOrInsertItemText(i, 0, std::to_string(record.nPort).c_str(), -1);
        m_list.SetOrInsertItemText(i, 1, CodeText(kLinkTexts, record.nLinkStatus), -1);
        m_list.SetOrInsertItemText(i, 2, CodeText(kSpeedTexts, record.nSpeed), -1);
        m_list.SetOrInsertItemText(i, 3, CodeText(kMdixTexts, record.nMdix), -1);
        const char* pszFlowControl = record.nFlowControl == CPortConfigLogic::kFlowControlEnabled ? "Enabled"
                                     : record.nFlowControl == kFlowControlDisabled                ? "Disabled"
                                                                                                  : "";
        m_list.SetOrInsertItemText(i, 4, pszFlowControl, -1);
    }
}

void CPortSetInfo::ResetControls()
{
    m_comboFlowControl.SetCurSel(0);
    m_comboMdix.SetCurSel(0);
    m_comboSpeed.SetCurSel(0);
    m_editPortId.SetWindowText("");
}

void CPortSetInfo::EnableButtons(BOOL bEnable)
{
    m_btnRefresh.EnableWindow(bEnable);
    m_btnApply.EnableWindow(bEnable);
}

int CPortSetInfo::ChosenMdix() const
{
    // The box takes typed text too: it counts when it names an item.
    std::string strText;
    m_comboMdix.GetWindowText(strText);
    const int nPosition = m_comboMdix.FindStringExact(-1, strText);
    return nPosition == CB_ERR ? 0 : nPosition + 1;
}
