#include "features/security/CSmartBindingSettings.h"

#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/impb.h"
#include "resources/main.h"

#include <cstdlib>
#include <iterator>

namespace {

constexpr ListColumn kBindingSettingColumns[] = {
    {"Port", 80}, {"Admin State", 120}, {"Also inspect IP packets", 180}, {"DHCP Snooping", 120}};

constexpr DWORD kSettingsRefreshPauseMs = 50;

const char* EnabledText(const std::string& strValue)
{
    return strValue == "1" ? "Enabled" : "Disabled";
}

std::string SelectedText(const CComboBox& combo)
{
    std::string strText;
    if (combo.GetCurSel() != CB_ERR)
        combo.GetLBText(combo.GetCurSel(), strText);
    return strText;
}

} // namespace

BEGIN_MESSAGE_MAP(CSmartBindingSettings, CDialog)
    ON_BN_CLICKED(IDC_SBS_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_SBS_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_SBS_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_SBS_TO_PORT, OnToPortChange)
    ON_CBN_SELCHANGE(IDC_SBS_INSPECTION, OnInspectionChange)
    ON_MESSAGE(WM_IMPB_PORT_NOTIFY, OnPortNotify)
    ON_MESSAGE(WM_IMPB_ENTRY_NOTIFY, OnEntryNotify)
END_MESSAGE_MAP()

CSmartBindingSettings::CSmartBindingSettings(CWnd* pParent) : CDialog(IDD_SMART_BINDING_SETTINGS, pParent) {}

BOOL CSmartBindingSettings::DestroyWindow()
{
    m_logic.CloseSessions();
    return CDialog::DestroyWindow();
}

void CSmartBindingSettings::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SBS_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_SBS_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_SBS_ADMIN_STATE, m_comboAdminState);
    DDX_Control(pDX, IDC_SBS_INSPECTION, m_comboInspection);
    DDX_Control(pDX, IDC_SBS_DHCP_SNOOPING, m_comboDhcpSnooping);
    DDX_Control(pDX, IDC_SBS_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_SBS_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_SBS_LIST, m_list);
}

BOOL CSmartBindingSettings::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        m_comboFromPort.AddString(std::to_string(nPort));
        m_comboToPort.AddString(std::to_string(nPort));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);
    m_comboAdminState.AddString("Disabled");
    m_comboAdminState.AddString("Enabled");
    m_comboAdminState.SetCurSel(0);
    m_comboInspection.AddString("ARP Inspection");
    m_comboInspection.AddString("ARP+IP Inspection");
    m_comboInspection.SetCurSel(0);
    m_comboDhcpSnooping.AddString("Disabled");
    m_comboDhcpSnooping.AddString("Enabled");
    m_comboDhcpSnooping.SetCurSel(0);

    InsertListColumns(m_list, kBindingSettingColumns, LVCFMT_CENTER);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    m_logic.SetHwnd(GetSafeHwnd());
    OnRefresh();
    return TRUE;
}

void CSmartBindingSettings::OnRefresh()
{
    // One new user action; the list stays until a complete walk replaces it.
    m_readReport.Begin();
    m_btnRefresh.EnableWindow(FALSE);
    m_btnApply.EnableWindow(FALSE);
    m_rows.clear();
    m_logic.StartPortTableWalk();
}

LRESULT CSmartBindingSettings::OnPortNotify(WPARAM wParam, LPARAM lParam)
{
    if (wParam == CIMPFunclogic::kNotifyRow && lParam != 0) {
        m_rows.push_back(*reinterpret_cast<const IMPB_port_info*>(lParam));
    } else if (wParam == CIMPFunclogic::kNotifyEnd) {
        if (m_logic.PortWalkComplete()) {
            m_list.DeleteAllItems();
            for (const IMPB_port_info& row : m_rows) {
                const int nRow = m_list.GetItemCount();
                m_list.InsertItem(nRow, row.strPort);
                m_list.SetItemText(nRow, 1, EnabledText(row.strAdminState));
                m_list.SetItemText(nRow, 2, EnabledText(row.strInspectIP));
                m_list.SetItemText(nRow, 3, EnabledText(row.strDhcpSnooping));
            }
            m_bListRead = true;
        } else {
            m_readReport.Fail("the port settings", m_bListRead);
        }
        // Apply waits for the white list's count, which its full-range guard reads.
        m_logic.StartWhiteListWalk();
        m_btnRefresh.EnableWindow(TRUE);
    }
    return 0;
}

LRESULT CSmartBindingSettings::OnEntryNotify(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == CIMPFunclogic::kNotifyEnd)
        m_btnApply.EnableWindow(TRUE);
    return 0;
}

void CSmartBindingSettings::OnApply()
{
    const std::string strFrom = SelectedText(m_comboFromPort);
    const std::string strTo = SelectedText(m_comboToPort);
    IMPB_port_info values;
    values.strAdminState = m_comboAdminState.GetCurSel() > 0 ? "1" : "0";
    values.strInspectIP = m_comboInspection.GetCurSel() == 1 ? "1" : "0";
    values.strDhcpSnooping = m_comboDhcpSnooping.GetCurSel() > 0 ? "1" : "0";

    if (!m_logic.CheckAggregatedPorts(strFrom, strTo, values.strAdminState)) {
        AfxMessageBox("Cannot add a port-security enabled port to an aggregated link.");
        return;
    }
    if (std::atoi(strFrom.c_str()) == 1 && std::atoi(strTo.c_str()) == g_nPortCount && values.strAdminState == "1" &&
        m_logic.m_nWhiteListCount == 0) {
        AfxMessageBox("This operation will cause device to out of control.");
        m_comboAdminState.SetCurSel(0);
        return;
    }
    CWriteReport report;
    m_logic.SetPortRange(strFrom, strTo, values, &report);
    report.Report();
    Sleep(kSettingsRefreshPauseMs);
    OnRefresh();
}

void CSmartBindingSettings::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void CSmartBindingSettings::OnToPortChange()
{
    const int nFrom = m_comboFromPort.GetCurSel();
    if (std::atoi(SelectedText(m_comboToPort).c_str()) < std::atoi(SelectedText(m_comboFromPort).c_str())) {
        if (MessageBox("'To Port' can not be smaller than 'From Port'") == IDOK)
            m_comboToPort.SetCurSel(nFrom);
    }
}

void CSmartBindingSettings::OnInspectionChange()
{
    if (m_comboInspection.GetCurSel() == 1)
        AfxMessageBox("Warning! All enable address binding ports switch will change to strict mode.");
}
