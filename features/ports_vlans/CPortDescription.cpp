#include "features/ports_vlans/CPortDescription.h"

#include "common/Globals.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "resources/ports_vlans.h"

#include <cstdlib>

namespace {

constexpr int kDescriptionMaxChars = 32;

// The port column is as wide as its widest text.
constexpr const char* kWidestPortText = "26(F_100)";

} // namespace

BEGIN_MESSAGE_MAP(CPortDescription, CDialog)
    ON_BN_CLICKED(IDC_PORTDESC_CLOSE, OnCancel)
    ON_BN_CLICKED(IDC_PORTDESC_REFRESH, Refresh)
    ON_BN_CLICKED(IDC_PORTDESC_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_PORTDESC_FROM, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_PORTDESC_TO, OnToPortChange)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CPortDescription::CPortDescription(CWnd* pParent) : CDialog(IDD_PORT_DESCRIPTION, pParent) {}

void CPortDescription::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PORTDESC_CLOSE, m_btnClose);
    DDX_Control(pDX, IDC_PORTDESC_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_PORTDESC_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_PORTDESC_LIST, m_list);
    DDX_Control(pDX, IDC_PORTDESC_TEXT, m_editDescription);
    DDX_Text(pDX, IDC_PORTDESC_TEXT, m_strDescription);
    DDX_Control(pDX, IDC_PORTDESC_FROM, m_comboFromPort);
    DDX_Control(pDX, IDC_PORTDESC_TO, m_comboToPort);
}

LRESULT CPortDescription::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_WALK_FINISHED || message == WM_WALK_STALE) {
        m_bListRead = true;
        FillDescriptionList();
    } else if (message == WM_WALK_FAILED) {
        // The list keeps the last complete walk; the buttons come back.
        EnableButtons(TRUE);
        m_readReport.Fail("the port descriptions", m_bListRead);
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CPortDescription::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowText("Port Description: " + g_strDeviceIP);
    m_editDescription.LimitText(kDescriptionMaxChars);

    m_list.InsertColumn(0, "Port", LVCFMT_LEFT);
    m_list.InsertColumn(1, "Description", LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    for (int port = 1; port <= g_nPortCount; ++port) {
        m_comboFromPort.AddString(std::to_string(port));
        m_comboToPort.AddString(std::to_string(port));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(0);

    m_list.GetHeaderCtrl()->EnableWindow(FALSE);
    // The column widths follow the list's size once the dialog is shown.
    PostMessage(WM_SIZE, 0, 0);
    Refresh();
    return TRUE;
}

void CPortDescription::Refresh()
{
    // The list keeps the last complete table until the walk has read its end.
    m_readReport.Begin();
    EnableButtons(FALSE);
    m_PortConfigLogic.SetHwnd(GetSafeHwnd());
    m_PortConfigLogic.StartDescriptionWalk();
}

void CPortDescription::OnApply()
{
    EnableButtons(FALSE);
    UpdateData(TRUE);
    std::string strFrom;
    std::string strTo;
    m_comboFromPort.GetLBText(m_comboFromPort.GetCurSel(), strFrom);
    m_comboToPort.GetLBText(m_comboToPort.GetCurSel(), strTo);

    PORT_description_range range;
    range.nFromPort = std::atoi(strFrom.c_str());
    range.nToPort = std::atoi(strTo.c_str());
    range.strDescription = m_strDescription;
    CWriteReport report;
    if (m_PortConfigLogic.SetDescriptions(range, &report)) {
        Refresh(); // the buttons come back when the walk ends
    } else {
        EnableButtons(TRUE);
        report.Report();
    }

    m_strDescription.clear();
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(0);
    UpdateData(FALSE);
}

void CPortDescription::OnFromPortChange()
{
    std::string strFrom;
    m_comboFromPort.GetLBText(m_comboFromPort.GetCurSel(), strFrom);
    m_comboToPort.SelectString(-1, strFrom);
}

void CPortDescription::OnToPortChange()
{
    const int nFrom = m_comboFromPort.GetCurSel();
    const int nTo = m_comboToPort.GetCurSel();
    if (nFrom == CB_ERR || nTo == CB_ERR || nTo >= nFrom)
        return;
    MessageBox("'To Port' can not be smaller than 'From Port'");
    m_comboToPort.SetCurSel(nFrom);
}

void CPortDescription::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    SetColumnWidths();
}

void CPortDescription::SetColumnWidths()
{
    if (!m_list.GetSafeHwnd())
        return;
    CRect rcList;
    m_list.GetWindowRect(&rcList);
    const int nPortWidth = m_list.GetStringWidth(kWidestPortText) + 15;
    m_list.SetColumnWidth(0, nPortWidth);
    m_list.SetColumnWidth(1, rcList.Width() - nPortWidth - 24);
}

void CPortDescription::FillDescriptionList()
{
    // Filled whole each time, so a second fill never adds rows.
    m_list.DeleteAllItems();
    const std::vector<PORT_description_info> records = m_PortConfigLogic.GetDescriptions();
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const PORT_description_info& record = records[static_cast<std::size_t>(i)];
        m_list.SetOrInsertItemText(i, 0, std::to_string(record.nPort).c_str(), -1);
        m_list.SetOrInsertItemText(i, 1, record.strDescription.c_str(), -1);
    }
    EnableButtons(TRUE);
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(0);
}

void CPortDescription::EnableButtons(BOOL bEnable)
{
    m_btnClose.EnableWindow(bEnable);
    m_btnApply.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
}
