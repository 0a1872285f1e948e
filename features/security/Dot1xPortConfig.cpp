#include "features/security/Dot1xPortConfig.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/ComboText.h"
#include "common/Globals.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/dot1x.h"
#include "resources/main.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

const std::string kTrunkMemberColumn = KorvelOid("10.76.19.1.8.1.3.1.2");

constexpr int kBatchSize = 30;
constexpr int kControlUnknown = -1; // a row without its control
constexpr DWORD kBatchPauseMs = 100;

const char* const kHeadings[] = {"Index",
                                 "AuthControlledPortStatus",
                                 "AuthControlledPortControl",
                                 "QuietPeriod",
                                 "TxPeriod",
                                 "SuppTimeout",
                                 "ServerTimeout",
                                 "MaxReq",
                                 "ReAuthPeriod",
                                 "ReAuthEnabled"};

const char* StatusText(const std::string& strValue)
{
    return strValue == "1" ? "Authorized" : strValue == "2" ? "Unauthorized" : "other";
}

const char* ControlText(int nValue)
{
    switch (nValue) {
    case 1:
        return "Force Unauthorized";
    case 2:
        return "Auto";
    case 3:
        return "Force Authorized";
    default:
        return "other";
    }
}

} // namespace

const std::string Dot1xPortConfig::kPortControlColumn = KorvelOid("10.76.19.1.11.2.9.1.2");
const std::string Dot1xPortConfig::kPortStatusColumn = KorvelOid("10.76.19.1.11.2.9.1.3");

BEGIN_MESSAGE_MAP(Dot1xPortConfig, CDialog)
    ON_BN_CLICKED(IDC_DOT1X_REFRESH, OnRefresh)
    ON_CBN_SELCHANGE(IDC_DOT1X_FROM_PORT, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_DOT1X_TO_PORT, OnToPortChange)
    ON_MESSAGE(WM_WALK_FINISHED, OnStatusWalkEnd)
    ON_MESSAGE(WM_WALK_FAILED, OnStatusWalkFailed)
END_MESSAGE_MAP()

Dot1xPortConfig::Dot1xPortConfig(CWnd* pParent) : CDialog(IDD_DOT1X_PORT_CONFIG, pParent) {}

Dot1xPortConfig::~Dot1xPortConfig()
{
    // No call-back may run once the arrays go.
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPTableTrunkInfo.Close();
}

void Dot1xPortConfig::SetParameterTexts(const std::array<std::string, 7>& texts)
{
    m_strParameters = texts;
}

BOOL Dot1xPortConfig::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPTableTrunkInfo.Close();
    OutputDebugString("==================m_cCommonSNMPTableTrunkInfo.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    return CDialog::DestroyWindow();
}

void Dot1xPortConfig::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnApply);
    DDX_Control(pDX, IDC_DOT1X_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_DOT1X_CONTROL, m_comboControl);
    DDX_Control(pDX, IDC_DOT1X_TO_PORT, m_comboToPort);
    DDX_Control(pDX, IDC_DOT1X_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_DOT1X_LIST, m_listPorts);
}

BOOL Dot1xPortConfig::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    {
        std::lock_guard lock(m_csPortData);
        const auto nPorts = static_cast<std::size_t>(std::max(g_nPortCount, 0));
        PortContrl.assign(nPorts, 0);
        m_TrunkData.assign(nPorts, 0);
    }
    int nColumn = 0;
    for (const char* heading : kHeadings) {
        m_listPorts.InsertAutoWidthColumn(heading, nColumn, -1, 0xF, 0);
        ++nColumn;
    }
    m_listPorts.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
        m_comboFromPort.AddString(std::to_string(nPort));
        m_comboToPort.AddString(std::to_string(nPort));
    }
    m_comboFromPort.SetCurSel(0);
    m_comboToPort.SetCurSel(g_nPortCount - 1);
    for (const char* item : {"Force Unauthorized", "Auto", "Force Authorized"})
        m_comboControl.AddString(item);
    m_comboControl.SetCurSel(1);

    StartTrunkWalk();
    OnRefresh();
    return TRUE;
}

void Dot1xPortConfig::EnableButtons(BOOL bEnable)
{
    m_btnApply.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
}

void Dot1xPortConfig::OnRefresh()
{
    // One new user action: opening, Refresh.
    m_readReport.Begin();
    StartStatusWalk();
}

// --- Walks ---

void Dot1xPortConfig::StartStatusWalk()
{
    // Opening ends a walk that still runs; the list and the controls of the
    // last complete walk stay until this one has read its end.
    m_cCommonSNMPTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csPortData);
        m_StatusBuilding.clear();
        m_bStatusComplete = false;
    }
    m_cCommonSNMPTable.AddValue(kPortStatusColumn, SnmpValueNull);
    m_cCommonSNMPTable.AddValue(kPortControlColumn, SnmpValueNull);
    EnableButtons(FALSE);
    // A walk that cannot start ends here, failed: the buttons come back.
    if (!m_cCommonSNMPTable.StartAsync(&Dot1xPortConfig::OnStatusTableReply, this, 0))
        OnStatusWalkFailed(0, 0);
}

void Dot1xPortConfig::StartTrunkWalk()
{
    m_cCommonSNMPTableTrunkInfo.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csPortData);
        m_TrunkBuilding.assign(static_cast<std::size_t>(std::max(g_nPortCount, 0)), 0);
    }
    m_cCommonSNMPTableTrunkInfo.AddValue(kTrunkMemberColumn, SnmpValueNull);
    m_cCommonSNMPTableTrunkInfo.StartRequest(&Dot1xPortConfig::OnTrunkTableReply, this, 0, 0);
}

int Dot1xPortConfig::OnStatusTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<Dot1xPortConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        session.SignalDone();
        ::SendMessage(pThis->GetSafeHwnd(), nStatus == SnmpStatusEndOfWalk ? WM_WALK_FINISHED : WM_WALK_FAILED, 0, 0);
        return 0;
    }
    // The row's index is its port; a row of a port the switch does not have
    // is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        StatusRow row;
        row.nPort = nPort;
        // A value the row lacks is unknown: shown empty, and a control
        // nobody read is never judged by the all-ports rules.
        if (CModuleBase::HasValue(pResponse.get(), 0))
            row.strStatus = StatusText(CModuleBase::IntegerText(pResponse.get(), 0));
        if (CModuleBase::HasValue(pResponse.get(), 1)) {
            const std::string strControl = CModuleBase::IntegerText(pResponse.get(), 1);
            row.nControl = strControl == "1" ? 1 : strControl == "2" ? 2 : strControl == "3" ? 3 : 0;
            row.strControl = ControlText(row.nControl);
        } else {
            row.nControl = kControlUnknown;
        }
        std::lock_guard lock(pThis->m_csPortData);
        pThis->m_StatusBuilding.push_back(row);
    }
    session.StartRequest(&Dot1xPortConfig::OnStatusTableReply, pThis, 0, 0);
    return 0;
}

int Dot1xPortConfig::OnTrunkTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<Dot1xPortConfig*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTableTrunkInfo;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        if (nStatus == SnmpStatusEndOfWalk) {
            // The table is complete: its groups replace the last ones whole.
            std::lock_guard lock(pThis->m_csPortData);
            pThis->m_TrunkData = pThis->m_TrunkBuilding;
        }
        session.SignalDone();
        return 0;
    }
    // A member bitmap is an octet string: any other type names no ports.
    std::string strBitmap;
    int nCount = 0;
    const std::string strPorts = CModuleBase::OctetValue(pResponse.get(), 0, strBitmap)
                                     ? CUtils::PortBitmapToList(strBitmap, nCount)
                                     : std::string();
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nGroup = strSuffix.size() > 1 ? std::atoi(strSuffix.substr(1).c_str()) : 0;
    if (nCount > 0 && nGroup > 0) {
        std::lock_guard lock(pThis->m_csPortData);
        CUtils::ApplyPortList(strPorts, pThis->m_TrunkBuilding, nGroup);
    }
    session.StartRequest(&Dot1xPortConfig::OnTrunkTableReply, pThis, 0, 0);
    return 0;
}

LRESULT Dot1xPortConfig::OnStatusWalkEnd(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    std::vector<StatusRow> rows;
    {
        std::lock_guard lock(m_csPortData);
        rows = m_StatusBuilding;
        std::fill(PortContrl.begin(), PortContrl.end(), 0);
        for (const StatusRow& row : rows) {
            if (row.nPort >= 1 && row.nPort <= static_cast<int>(PortContrl.size()))
                PortContrl[static_cast<std::size_t>(row.nPort - 1)] = row.nControl;
        }
        m_bStatusComplete = true;
    }
    m_bListRead = true;
    m_listPorts.DeleteAllItems();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int nRow = static_cast<int>(i);
        m_listPorts.SetOrInsertItemText(nRow, 0, std::to_string(rows[i].nPort).c_str());
        m_listPorts.SetOrInsertItemText(nRow, 1, rows[i].strStatus.c_str());
        m_listPorts.SetOrInsertItemText(nRow, 2, rows[i].strControl.c_str());
        for (int col = 0; col < 7; ++col)
            m_listPorts.SetOrInsertItemText(nRow, 3 + col, m_strParameters[static_cast<std::size_t>(col)].c_str());
    }
    EnableButtons(TRUE);
    return 0;
}

LRESULT Dot1xPortConfig::OnStatusWalkFailed(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // The list keeps the last complete table; Apply stays refused until a
    // walk completes.
    EnableButtons(TRUE);
    m_readReport.Fail("the port states", m_bListRead);
    return 0;
}

// --- Apply ---

void Dot1xPortConfig::OnOK()
{
    // Apply, also by Enter: the dialog stays open.
    OnApply();
}

bool Dot1xPortConfig::SendBatch(CWriteReport& report, int nFirstPort, int nLastPort, DWORD dwPauseMs)
{
    const std::string strPorts = nFirstPort == nLastPort
                                     ? "port " + std::to_string(nFirstPort)
                                     : "ports " + std::to_string(nFirstPort) + "-" + std::to_string(nLastPort);
    if (!report.Send(m_cCommonSNMP, "the port control of " + strPorts))
        return false;
    Sleep(dwPauseMs);
    return true;
}

void Dot1xPortConfig::OnApply()
{
    const int nFrom = std::atoi(ComboText(m_comboFromPort).c_str());
    const int nTo = std::atoi(ComboText(m_comboToPort).c_str());
    const int nSelected = m_comboControl.GetCurSel();
    if (nFrom < 1 || nTo > g_nPortCount || nTo < nFrom || nSelected < 0)
        return;

    int nForceUnauthorized = 0;
    int nAuto = 0;
    bool bTrunk = false;
    bool bComplete = false;
    bool bUnknown = false;
    {
        std::lock_guard lock(m_csPortData);
        bComplete = m_bStatusComplete;
        for (int nPort = 1; nPort <= g_nPortCount; ++nPort) {
            const auto nIndex = static_cast<std::size_t>(nPort - 1);
            if (nPort >= nFrom && nPort <= nTo) {
                bTrunk = bTrunk || (nIndex < m_TrunkData.size() && m_TrunkData[nIndex] != 0);
            } else if (nIndex < PortContrl.size()) {
                bUnknown = bUnknown || PortContrl[nIndex] == kControlUnknown;
                nForceUnauthorized += PortContrl[nIndex] == 1 ? 1 : 0;
                nAuto += PortContrl[nIndex] == 2 ? 1 : 0;
            }
        }
    }
    if (bTrunk) {
        AfxMessageBox("Cannot add an aggregated link to the 802.1X-enabled port");
        return;
    }
    // The all-ports rules judge the ports outside the range by the last walk:
    // unread ports would count as neither Auto nor Force Unauthorized.
    if (!bComplete || bUnknown) {
        CReadReport::RefuseUnread("the port states");
        return;
    }
    const int nControl = nSelected + 1;
    const int n = nTo - nFrom + 1;
    if (nControl == 1 && nForceUnauthorized + n == g_nPortCount) {
        AfxMessageBox("Could not set all port  Force Unauthorized to the port access control.");
        return;
    }
    if (nControl == 2 && nAuto + n == g_nPortCount) {
        AfxMessageBox("Could not set all port AUTO  to the port access control.");
        return;
    }
    if ((nControl == 1 || nControl == 2) && nForceUnauthorized + nAuto + n == g_nPortCount) {
        AfxMessageBox("Could not set all port AUTO or Force Unauthorized to the port access control.");
        return;
    }

    // Each batch is a request of its own, of at most 30 ports; the first
    // batch the switch refuses or leaves unanswered ends the range.
    const std::string strControl = std::to_string(nControl);
    CWriteReport report;
    for (int nBatch = nFrom; nBatch <= nTo; nBatch += kBatchSize) {
        const int nLast = std::min(nBatch + kBatchSize - 1, nTo);
        m_cCommonSNMP.Open(SnmpPduSet);
        for (int nPort = nBatch; nPort <= nLast; ++nPort)
            m_cCommonSNMP.AddValue(kPortControlColumn + "." + std::to_string(nPort), SnmpValueInteger, strControl);
        if (!SendBatch(report, nBatch, nLast, nLast - nBatch + 1 == kBatchSize ? kBatchPauseMs : 0)) {
            report.SetProgress(CWriteReport::PortProgress("Ports", nFrom, nBatch));
            break;
        }
    }
    report.Report();
    m_readReport.Begin();
    StartStatusWalk();
}

void Dot1xPortConfig::OnFromPortChange()
{
    m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}

void Dot1xPortConfig::OnToPortChange()
{
    const int nFrom = std::atoi(ComboText(m_comboFromPort).c_str());
    const int nTo = std::atoi(ComboText(m_comboToPort).c_str());
    if (nTo < nFrom && MessageBox("'To Port' can not be smaller than 'From Port'") == IDOK)
        m_comboToPort.SetCurSel(m_comboFromPort.GetCurSel());
}
