#include "features/security/CTrafficSegDlg.h"

#include "common/CReadReport.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/PortRows.h"
#include "features/ports_vlans/WalkMessages.h"
#include "platform/snmp/CSnmp.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/main.h"
#include "resources/segmentation.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kSegmentPortsMaxOctets = 8;
constexpr DWORD kPauseBetweenPorts = 50;
const char* const kAll = "ALL";
const char* const kTrunkRefused = "The link aggregation member port can not be configured.";

size_t PortCount()
{
    return static_cast<size_t>(std::max(g_nPortCount, 0));
}

} // namespace

BEGIN_MESSAGE_MAP(CTrafficSegDlg, ClxDialog)
    ON_BN_CLICKED(IDC_SEG_REFRESH, OnRefresh)
    ON_MESSAGE(WM_WALK_FINISHED, OnWalkEnded)
    ON_BN_CLICKED(IDC_SEG_APPLY_STATE, OnApplyState)
    ON_BN_CLICKED(IDC_SEG_APPLY_PORTS, OnApplyPorts)
    ON_CBN_SELCHANGE(IDC_SEG_FROM_PORT, OnFromPortChange)
    ON_BN_CLICKED(IDC_SEG_SELECT_ALL, OnSelectAll)
    ON_BN_CLICKED(IDC_SEG_CLEAR, OnClear)
END_MESSAGE_MAP()

CTrafficSegDlg::CTrafficSegDlg(CWnd* pParent)
    : ClxDialog(IDD_TRAFFIC_SEG, pParent), m_portValue(PortCount(), 0), m_arrForwardLists(PortCount()),
      m_arrRangeTexts(PortCount())
{
}

CTrafficSegDlg::~CTrafficSegDlg()
{
    // The walk's call-back touches this object: it has ended once the
    // session is closed.
    m_cSnmpWalk.Close();
}

BOOL CTrafficSegDlg::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_TrafficSeg.CloseSessions();
    OutputDebugString("==================m_TrafficSeg.CloseSessions===============");
    m_cSnmpWalk.Close();
    OutputDebugString("==================m_cSnmpWalk.Close===============");
    return ClxDialog::DestroyWindow();
}

void CTrafficSegDlg::DoDataExchange(CDataExchange* pDX)
{
    ClxDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEG_APPLY_STATE, m_btnApplyState);
    DDX_Control(pDX, IDC_SEG_APPLY_PORTS, m_btnApplyPorts);
    DDX_Control(pDX, IDC_SEG_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_SEG_LIST, m_listForwarding);
    DDX_Control(pDX, IDC_SEG_FROM_PORT, m_comboFromPort);
    DDX_Control(pDX, IDC_SEG_STATE, m_chkState);
}

BOOL CTrafficSegDlg::OnInitDialog()
{
    ClxDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_hSelf = GetSafeHwnd();

    m_listForwarding.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_listForwarding.InsertColumn(0, "Port", LVCFMT_LEFT, 150);
    m_listForwarding.InsertColumn(1, "Forwarding Port", LVCFMT_LEFT, 300);

    m_comboFromPort.AddString(kAll);
    for (int nPort = 1; nPort <= g_nPortCount; ++nPort)
        m_comboFromPort.AddString(std::to_string(nPort));
    m_comboFromPort.SetCurSel(0);

    CreatePortPanels();
    OnRefresh();
    return TRUE;
}

// The labels start under "To Port", the check boxes as high as that text
// under them; the rows end 2 pixels inside the group box around From Port.
// Beyond 28 ports each line of boxes stays under its own line of labels.
void CTrafficSegDlg::CreatePortPanels()
{
    const CRect rcToPort = ClientRectOf(*this, IDC_SEG_TO_PORT_LABEL);
    PortRowsPlace place;
    place.ptFirst = CPoint(rcToPort.left, rcToPort.bottom);
    place.nRight = ClientRectOf(*this, IDC_SEG_PORT_GROUP).right - 2;
    place.nBox = rcToPort.Height();
    CreatePortRows(*this, g_nPortCount, place, IDC_SEG_LABEL_FIRST, BS_AUTOCHECKBOX, IDC_SEG_BOX_FIRST, m_pPortLabels,
                   m_pPortChecks);
}

void CTrafficSegDlg::EnableAllBoxes(BOOL bEnable)
{
    for (int i = 0; i < g_nPortCount && m_pPortChecks; ++i)
        m_pPortChecks->EnableButton(bEnable, i);
}

void CTrafficSegDlg::CheckAllBoxes(int nCheck)
{
    for (int i = 0; i < g_nPortCount && m_pPortChecks; ++i)
        m_pPortChecks->SetCheck(nCheck, i);
}

int CTrafficSegDlg::FromPort() const
{
    const int nSel = m_comboFromPort.GetCurSel();
    return nSel > 0 && nSel <= g_nPortCount ? nSel : 0;
}

void CTrafficSegDlg::OnRefresh()
{
    m_comboFromPort.SetCurSel(0);
    EnableAllBoxes(TRUE);
    CheckAllBoxes(BST_UNCHECKED);

    m_btnApplyState.EnableWindow(FALSE);
    m_btnApplyPorts.EnableWindow(FALSE);
    m_btnRefresh.EnableWindow(FALSE);
    // Opening stops a walk that still runs, so none of its rows lands here.
    m_cSnmpWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csLists);
        m_Building.assign(PortCount(), std::nullopt);
    }
    m_cSnmpWalk.AddValue(CTrafficSeg::kPortColumn, SnmpValueNull);
    m_cSnmpWalk.AddValue(CTrafficSeg::kForwardColumn, SnmpValueNull);
    m_readReport.Begin();
    if (m_TrafficSeg.SetHwnd(GetSafeHwnd()))
        m_TrafficSeg.StartTrunkWalk();
    // A walk that cannot start ends here, failed: the buttons come back.
    if (!m_cSnmpWalk.StartAsync(&CTrafficSegDlg::OnForwardingTableReply, this, 0))
        OnWalkEnded(1, 0);
}

int CTrafficSegDlg::OnForwardingTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CTrafficSegDlg*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0) {
        if (nStatus == -2) {
            // The table is complete: it replaces the last one whole, each
            // port's bitmap as a port list and as range text.
            std::lock_guard lock(pThis->m_csLists);
            pThis->m_arrForwardLists.assign(pThis->m_Building.size(), std::nullopt);
            pThis->m_arrRangeTexts.assign(pThis->m_Building.size(), std::string());
            for (size_t i = 0; i < pThis->m_Building.size(); ++i) {
                if (!pThis->m_Building[i])
                    continue;
                const std::string& strBitmap = *pThis->m_Building[i];
                int nCount = 0;
                pThis->m_arrForwardLists[i] = CUtils::PortBitmapToList(strBitmap, nCount);
                CUtils::PortBitmapToRangeText(strBitmap, static_cast<int>(strBitmap.size()), 1, g_nPortCount,
                                              pThis->m_arrRangeTexts[i]);
            }
        }
        ::SendMessage(pThis->m_hSelf.load(), WM_WALK_FINISHED, nStatus == -2 ? 0 : 1, 0);
        session.SignalDone();
        return 0;
    }
    // The row's index is its port: a row of a port the switch does not have
    // is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    // A value that is no port bitmap (an OCTET STRING) is never decoded: the
    // port shows no set.
    std::string strBitmap;
    if (const int nPort = CUtils::RowPort(strSuffix);
        nPort != 0 && CModuleBase::OctetValue(pResponse.get(), 1, strBitmap)) {
        if (strBitmap.size() > kSegmentPortsMaxOctets)
            strBitmap.resize(kSegmentPortsMaxOctets);
        std::lock_guard lock(pThis->m_csLists);
        if (static_cast<size_t>(nPort) <= pThis->m_Building.size())
            pThis->m_Building[static_cast<size_t>(nPort - 1)] = strBitmap;
    }
    session.StartRequest(&CTrafficSegDlg::OnForwardingTableReply, pThis, 0, 0);
    return 0;
}

LRESULT CTrafficSegDlg::OnWalkEnded(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == 0) {
        // The rows of the table just published, in port order.
        std::vector<std::pair<int, std::string>> rows;
        {
            std::lock_guard lock(m_csLists);
            for (size_t i = 0; i < m_arrForwardLists.size() && i < m_arrRangeTexts.size(); ++i)
                if (m_arrForwardLists[i])
                    rows.emplace_back(static_cast<int>(i) + 1, m_arrRangeTexts[i]);
        }
        m_listForwarding.DeleteAllItems();
        for (size_t r = 0; r < rows.size(); ++r) {
            const int nRow = static_cast<int>(r);
            m_listForwarding.SetOrInsertItemText(nRow, 0, std::to_string(rows[r].first).c_str());
            m_listForwarding.SetOrInsertItemText(nRow, 1, rows[r].second.c_str());
        }
        m_bListRead = true;
    }
    m_btnApplyState.EnableWindow(TRUE);
    m_btnApplyPorts.EnableWindow(TRUE);
    m_btnRefresh.EnableWindow(TRUE);
    if (wParam != 0) {
        // The list keeps its last complete table. A switch that did not
        // answer the walk is not asked for the state as well: the state is
        // unknown until a Refresh reads it.
        m_readReport.Fail("the forwarding table", m_bListRead);
        m_TrafficSeg.m_strState.clear();
        m_bStateRead = false;
        ShowStateControls();
        return 0;
    }
    ShowState();
    return 0;
}

void CTrafficSegDlg::ShowState()
{
    m_bStateRead = m_TrafficSeg.GetState() != FALSE;
    if (!m_bStateRead)
        m_readReport.Fail("the traffic segmentation state");
    ShowStateControls();
}

void CTrafficSegDlg::ShowStateControls()
{
    // An unknown state shows no check and keeps the port settings closed.
    const BOOL bOn = m_TrafficSeg.m_strState == "1" ? TRUE : FALSE;
    m_chkState.SetCheck(bOn ? BST_CHECKED : BST_UNCHECKED);
    m_btnApplyPorts.EnableWindow(bOn);
    m_comboFromPort.EnableWindow(bOn);
    EnableAllBoxes(bOn);
}

void CTrafficSegDlg::OnApplyState()
{
    // After a failed read the box shows no state of the switch's.
    if (!m_bStateRead) {
        CReadReport::RefuseUnread("the traffic segmentation state");
        return;
    }
    CWriteReport report;
    m_TrafficSeg.SetState(m_chkState.GetCheck() == BST_CHECKED ? "1" : "2", report);
    report.Report();
    OnRefresh();
}

void CTrafficSegDlg::OnFromPortChange()
{
    EnableAllBoxes(TRUE);
    const int nPort = FromPort();
    if (nPort == 0) {
        CheckAllBoxes(BST_UNCHECKED);
        return;
    }
    m_pPortChecks->EnableButton(FALSE, nPort - 1);
    std::fill(m_portValue.begin(), m_portValue.end(), 0);
    {
        // A port without a row of the table shows an empty set.
        std::lock_guard lock(m_csLists);
        const std::optional<std::string>& list = m_arrForwardLists[static_cast<size_t>(nPort - 1)];
        if (list)
            CUtils::ApplyPortList(*list, m_portValue, 1);
    }
    for (int i = 0; i < g_nPortCount; ++i)
        m_pPortChecks->SetCheck(m_portValue[static_cast<size_t>(i)] != 0 ? BST_CHECKED : BST_UNCHECKED, i);
}

void CTrafficSegDlg::OnSelectAll()
{
    CheckAllBoxes(BST_CHECKED);
}

void CTrafficSegDlg::OnClear()
{
    const int nPort = FromPort();
    for (int i = 0; i < g_nPortCount; ++i)
        if (i + 1 != nPort)
            m_pPortChecks->SetCheck(BST_UNCHECKED, i);
}

std::vector<int> CTrafficSegDlg::BoxFlags(int nOwnPort) const
{
    std::vector<int> flags(PortCount(), 0);
    for (int i = 0; i < g_nPortCount; ++i)
        flags[static_cast<size_t>(i)] = m_pPortChecks->GetCheck(i) == BST_CHECKED ? 1 : 0;
    if (nOwnPort >= 1 && nOwnPort <= g_nPortCount)
        flags[static_cast<size_t>(nOwnPort - 1)] = 1;
    return flags;
}

std::vector<BYTE> CTrafficSegDlg::Bitmap(const std::vector<int>& flags)
{
    return CUtils::PortFlagsToBitmap(flags);
}

void CTrafficSegDlg::OnApplyPorts()
{
    const int nFrom = FromPort();
    // Every set is judged before the first is written: a refusal writes nothing.
    std::vector<std::pair<int, std::vector<int>>> sets;
    if (nFrom == 0) {
        for (int nPort = 1; nPort <= g_nPortCount; ++nPort)
            sets.emplace_back(nPort, BoxFlags(nPort));
    } else {
        sets.emplace_back(nFrom, BoxFlags(0));
    }
    for (const auto& [nPort, flags] : sets) {
        if (!m_TrafficSeg.CheckTrunkConsistency(flags)) {
            AfxMessageBox(kTrunkRefused);
            return;
        }
    }
    // A set the switch refuses or leaves unanswered ends the write, which
    // is said; the refresh shows what it holds.
    CWriteReport report;
    for (const auto& [nPort, flags] : sets) {
        std::copy(flags.begin(), flags.end(), m_portValue.begin());
        if (!m_TrafficSeg.SetForwardingPorts(std::to_string(nPort), Bitmap(flags), report)) {
            if (sets.size() > 1)
                report.SetProgress(CWriteReport::PortProgress("Ports", sets.front().first, nPort));
            break;
        }
        Sleep(kPauseBetweenPorts);
    }
    report.Report();
    CheckAllBoxes(BST_UNCHECKED);
    OnRefresh();
}
