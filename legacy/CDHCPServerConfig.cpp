#include "legacy/CDHCPServerConfig.h"

#include "common/CWriteReport.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/UiThreadWait.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/legacy.h"
#include "resources/main.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

const std::string kScreeningPorts = KorvelOid("10.76.19.1.14.7.1.0");

} // namespace

BEGIN_MESSAGE_MAP(CDHCPServerConfig, CDialog)
    ON_BN_CLICKED(IDC_DHCPSC_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_DHCPSC_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_DHCPSC_FROM, OnFromChange)
    ON_CBN_SELCHANGE(IDC_DHCPSC_TO, OnToChange)
    ON_BN_CLICKED(IDC_DHCPSC_CLOSE, OnClose)
    ON_MESSAGE(WM_TRUNK_WALK_ABORTED, OnTrunkWalkEnded)
END_MESSAGE_MAP()

CDHCPServerConfig::CDHCPServerConfig(CWnd* pParent) : CDialog(IDD_DHCP_SCREEN_PORTS, pParent) {}

CDHCPServerConfig::~CDHCPServerConfig() = default;

BOOL CDHCPServerConfig::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    // The trunk walk's end goes nowhere once the window is gone; the walk
    // itself ends with m_cTrunks.
    m_bTrunkWalkRunning = false;
    return CDialog::DestroyWindow();
}

void CDHCPServerConfig::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DHCPSC_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_DHCPSC_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_DHCPSC_STATE, m_cbState);
    DDX_Control(pDX, IDC_DHCPSC_TO, m_cbToPort);
    DDX_Control(pDX, IDC_DHCPSC_FROM, m_cbFromPort);
    DDX_Control(pDX, IDC_DHCPSC_LIST, m_listPorts);
}

BOOL CDHCPServerConfig::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_listPorts.InsertColumn(0, "Port", LVCFMT_CENTER, 100);
    m_listPorts.InsertColumn(1, "State", LVCFMT_CENTER, 400);
    m_listPorts.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_nPortCount = std::max(g_nPortCount, 0);
    m_pPortState.assign(static_cast<std::size_t>(m_nPortCount), 2);
    m_cTrunks.SetHwnd(GetSafeHwnd());
    for (int port = 1; port <= m_nPortCount; ++port) {
        m_cbFromPort.AddString(std::to_string(port));
        m_cbToPort.AddString(std::to_string(port));
    }
    m_cbFromPort.SetCurSel(0);
    m_cbToPort.SetCurSel(m_nPortCount - 1);
    m_cbState.AddString("Disabled");
    m_cbState.AddString("Enabled");
    m_cbState.SetCurSel(0);
    OnRefresh();
    return TRUE;
}

void CDHCPServerConfig::OnRefresh()
{
    m_bTrunkWalkRunning = true;
    m_cTrunks.StartTrunkWalk();
    m_readReport.Begin();
    ReadScreening();
}

LRESULT CDHCPServerConfig::OnTrunkWalkEnded(WPARAM, LPARAM)
{
    m_bTrunkWalkRunning = false;
    return 0;
}

void CDHCPServerConfig::ReadScreening()
{
    m_cCommonSNMP.Open(SnmpPduGet);
    m_cCommonSNMP.AddValue(kScreeningPorts, SnmpValueNull);
    m_btnApply.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    std::unique_ptr<CSnmp> pResponse;
    bool bRead = false;
    std::string strBitmap;
    if (m_cCommonSNMP.send(pResponse, 0) == 0 && pResponse) {
        int nErrorStatus = 0;
        int nErrorIndex = 0;
        pResponse->getError(&nErrorStatus, &nErrorIndex);
        // Only a port bitmap is read as one: a value of another type is never
        // decoded from its text.
        bRead = nErrorStatus == 0 && CModuleBase::OctetValue(pResponse.get(), 0, strBitmap);
    }
    if (!bRead) {
        // The list keeps the last complete read; Apply waits for a new one.
        const bool bKeptLast = m_listPorts.GetItemCount() > 0;
        m_bRead = false;
        m_btnApply.EnableWindow(TRUE);
        m_btnRefresh.EnableWindow(TRUE);
        m_readReport.Fail("the DHCP server screening ports", bKeptLast);
        return;
    }
    {
        // Every port is set: those not in the bitmap are disabled.
        std::vector<int> enabled(static_cast<std::size_t>(m_nPortCount), 0);
        int nCount = 0;
        const std::string strList = CUtils::PortBitmapToList(strBitmap, nCount);
        CUtils::ApplyPortList(strList, enabled, 1);
        for (int i = 0; i < m_nPortCount; ++i)
            m_pPortState[static_cast<std::size_t>(i)] = enabled[static_cast<std::size_t>(i)] == 1 ? 1 : 2;
        m_bRead = true;
        // The rows are replaced whole by a read that succeeded.
        m_listPorts.DeleteAllItems();
        for (int i = 0; i < m_nPortCount; ++i) {
            m_listPorts.SetOrInsertItemText(i, 0, std::to_string(i + 1).c_str());
            m_listPorts.SetOrInsertItemText(i, 1, m_pPortState[static_cast<std::size_t>(i)] == 1 ? "Enabled" : "Disabled");
        }
    }
    m_btnApply.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
}

void CDHCPServerConfig::OnApply()
{
    if (!m_bRead) {
        AfxMessageBox("The settings could not be read from the switch. Press Refresh and try again.", MB_OK);
        return;
    }
    // The aggregated links are judged on a complete walk.
    if (m_bTrunkWalkRunning) {
        const DWORD dwWait = static_cast<DWORD>(std::max(std::atoi(g_strTimeout.c_str()), 0)) + 1000;
        ui_wait::WaitServingUi([this] { return !m_bTrunkWalkRunning; }, dwWait);
    }
    if (m_bTrunkWalkRunning || m_cTrunks.IsTrunkReady() != 1) {
        AfxMessageBox("The aggregated links could not be read from the switch. Press Refresh and try again.", MB_OK);
        return;
    }
    std::string strFrom;
    std::string strTo;
    m_cbFromPort.GetWindowText(strFrom);
    m_cbToPort.GetWindowText(strTo);
    const int nFrom = std::atoi(strFrom.c_str());
    const int nTo = std::atoi(strTo.c_str());
    const int nState = m_cbState.GetCurSel() == 1 ? 1 : 2;
    std::vector<int> states = m_pPortState;
    for (int port = std::max(nFrom, 1); port <= std::min(nTo, m_nPortCount); ++port)
        states[static_cast<std::size_t>(port - 1)] = nState;
    if (!m_cTrunks.CheckTrunkConsistency(states)) {
        AfxMessageBox("Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.",
                      MB_OK);
        return;
    }
    std::vector<int> flags(states.size(), 0);
    for (std::size_t i = 0; i < states.size(); ++i)
        flags[i] = states[i] == 1 ? 1 : 0;
    const std::vector<BYTE> octets = CUtils::PortFlagsToBitmap(flags);
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValueLen(kScreeningPorts, SnmpValueOctetString, octets.data(), static_cast<int>(octets.size()));
    CWriteReport report;
    if (report.Send(m_cCommonSNMP, "the DHCP server screening ports")) {
        m_pPortState = states;
        OnRefresh();
    }
    report.Report();
}

void CDHCPServerConfig::OnFromChange()
{
    m_cbToPort.SetCurSel(m_cbFromPort.GetCurSel());
}

void CDHCPServerConfig::OnToChange()
{
    if (m_cbToPort.GetCurSel() < m_cbFromPort.GetCurSel()) {
        AfxMessageBox("'To Port' can not be smaller than 'From Port'", MB_OK);
        m_cbToPort.SetCurSel(m_cbFromPort.GetCurSel());
    }
}

void CDHCPServerConfig::OnClose()
{
    EndDialog(IDCANCEL);
}
