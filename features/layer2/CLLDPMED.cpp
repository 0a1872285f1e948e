#include "features/layer2/CLLDPMED.h"

#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "features/layer2/CLLDPREMOTEINFO.h"
#include "features/layer2/Layer2Writes.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/lldp.h"
#include "resources/main.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>

namespace {

const std::string kTlvColumn = KorvelOid("10.76.19.1.24.7.1.2");

// The port boxes always offer ports 1 to 8.
constexpr int kBoxPorts = 8;
constexpr DWORD kPauseAfterWritesMs = 1000;
const std::string kMedWhat = "the LLDP-MED settings";

} // namespace

BEGIN_MESSAGE_MAP(CLLDPMED, CDialog)
    ON_BN_CLICKED(IDC_LLDP_MED_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_LLDP_MED_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_LLDP_MED_FROM, OnFromPortChange)
    ON_CBN_SELCHANGE(IDC_LLDP_MED_TO, OnToPortChange)
    ON_MESSAGE(WM_LLDP_MED_WALK_END, OnWalkEnd)
END_MESSAGE_MAP()

CLLDPMED::CLLDPMED(CWnd* pParent) : CDialog(IDD_LLDP_MED, pParent) {}

CLLDPMED::~CLLDPMED()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMP.Close();
}

BOOL CLLDPMED::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMPEnable.Close();
    OutputDebugString("==================m_cCommonSNMPEnable.Close===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPSet.Close();
    OutputDebugString("==================m_cCommonSNMPSet.Close===============");
    return CDialog::DestroyWindow();
}

void CLLDPMED::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LLDP_MED_FROM, m_comboFrom);
    DDX_Control(pDX, IDC_LLDP_MED_TO, m_comboTo);
    DDX_Control(pDX, IDC_LLDP_MED_TLV, m_comboTlv);
    DDX_Control(pDX, IDC_LLDP_MED_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_LLDP_MED_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_LLDP_MED_LIST, m_list);
}

BOOL CLLDPMED::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    for (int nPort = 1; nPort <= kBoxPorts; ++nPort) {
        char szItem[16];
        std::snprintf(szItem, sizeof szItem, "   %d ", nPort);
        m_comboFrom.AddString(szItem);
        m_comboTo.AddString(szItem);
    }
    m_comboFrom.SetCurSel(0);
    m_comboTo.SetCurSel(0);
    m_comboTlv.AddString("Enable");
    m_comboTlv.AddString("Disable");
    m_comboTlv.SetCurSel(1);
    m_list.InsertColumn(0, "   Port ", LVCFMT_CENTER, 80);
    m_list.InsertColumn(1, "Power PSE TLV", LVCFMT_CENTER, 300);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    // Nothing to apply until a read has found LLDP enabled.
    m_btnApply.EnableWindow(FALSE);
    OnRefresh();
    return TRUE;
}

void CLLDPMED::OnRefresh()
{
    m_readReport.Begin();
    GetLLDPEnable();
}

void CLLDPMED::GetLLDPEnable()
{
    OutputDebugString("--------GetLLDPEnable----GetLLDPEnable--------");
    std::unique_ptr<CSnmp> pResponse;
    const bool bAnswered =
        layer2::GetScalar(m_cCommonSNMPEnable, CLLDPREMOTEINFO::kLldpState, pResponse) == layer2::ReadResult::Answered;
    // A state outside 1 and 2 tells nothing: like no answer, nothing may be
    // written on it. Without an answer the walk is not tried either.
    const std::string strState = bAnswered ? CModuleBase::EnumText(pResponse.get(), 0, {1, 2}) : std::string();
    m_bStateRead = !strState.empty();
    if (!m_bStateRead) {
        m_bLldpEnabled = false;
        m_readReport.Fail(kMedWhat, m_bListRead);
        if (!bAnswered)
            return;
    } else {
        m_bLldpEnabled = strState == "1";
        if (!m_bLldpEnabled)
            AfxMessageBox("The LLDP is disable ,so can not set LLDP MED !", MB_OK);
        const BOOL bEnable = m_bLldpEnabled ? TRUE : FALSE;
        for (CWnd* pControl :
             std::initializer_list<CWnd*>{&m_comboFrom, &m_comboTo, &m_comboTlv, &m_list, &m_btnApply, &m_btnRefresh})
            pControl->EnableWindow(bEnable);
    }
    GetLLDPMedinfo();
}

void CLLDPMED::GetLLDPMedinfo()
{
    // Opening stops a walk that still runs: its late rows are stale. The list
    // keeps its rows until the walk has read the whole column.
    const bool bReady = m_cCommonSNMP.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_rowsBuilding.clear();
    }
    m_btnRefresh.EnableWindow(FALSE);
    if (!bReady || m_cCommonSNMP.AddValue(kTlvColumn, SnmpValueNull) != 0 ||
        !m_cCommonSNMP.StartAsync(&CLLDPMED::OnLLDPMedRow, this))
        WalkFailed();
}

void CLLDPMED::WalkFailed()
{
    m_btnRefresh.EnableWindow(TRUE);
    m_readReport.Fail(kMedWhat, m_bListRead);
}

int CLLDPMED::OnLLDPMedRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLLDPMED*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        pThis->SendMessage(WM_LLDP_MED_WALK_END, nStatus == SnmpStatusEndOfWalk ? 1 : 0, 0);
        return 0;
    }
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_rowsBuilding.emplace_back(nPort, CModuleBase::EnumText(pResponse.get(), 0, {1, 2}));
    }
    session.StartRequest(&CLLDPMED::OnLLDPMedRow, pThis, 0, 0);
    return 0;
}

LRESULT CLLDPMED::OnWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam != 1) {
        WalkFailed();
        return 0;
    }
    std::vector<std::pair<int, std::string>> rows;
    {
        std::lock_guard lock(m_csRows);
        rows = m_rowsBuilding;
    }
    m_list.DeleteAllItems();
    for (const auto& [nPort, strValue] : rows) {
        char szPort[16];
        std::snprintf(szPort, sizeof szPort, "    %d", nPort);
        const int nRow = m_list.GetItemCount();
        m_list.SetOrInsertItemText(nRow, 0, szPort);
        m_list.SetOrInsertItemText(nRow, 1, strValue == "1" ? "Enable" : strValue == "2" ? "Disable" : "");
    }
    m_bListRead = true;
    m_btnRefresh.EnableWindow(TRUE);
    return 0;
}

int CLLDPMED::SelectedPort(const CComboBox& combo)
{
    const int nSel = combo.GetCurSel();
    if (nSel < 0)
        return 0;
    std::string strText;
    combo.GetLBText(nSel, strText);
    return std::atoi(strText.c_str());
}

void CLLDPMED::OnApply()
{
    // Enter reaches here also while the button is off.
    if (!m_bStateRead) {
        CReadReport::RefuseUnread(kMedWhat);
        return;
    }
    if (!m_bLldpEnabled || !m_btnApply.IsWindowEnabled())
        return;
    OnSetLLDPMedinfo();
}

void CLLDPMED::OnSetLLDPMedinfo()
{
    CWaitCursor wait;
    OutputDebugString("--1------OnSetLLDPMedinfo---OnSetLLDPMedinfo-------");
    const int nFrom = SelectedPort(m_comboFrom);
    const int nTo = SelectedPort(m_comboTo);
    const std::string strValue = m_comboTlv.GetCurSel() == 0 ? "1" : "2";
    CWriteReport report;
    for (int nPort = nFrom; nPort >= 1 && nPort <= nTo; ++nPort) {
        if (!layer2::SendIntegers(report, m_cCommonSNMPSet, {{kTlvColumn + "." + std::to_string(nPort), strValue}},
                                  "the power PSE TLV of port " + std::to_string(nPort))) {
            report.SetProgress(CWriteReport::PortProgress("Ports", nFrom, nPort));
            break;
        }
    }
    report.Report();
    // A silent switch is not asked again at once.
    if (report.TimedOut())
        return;
    m_readReport.Begin();
    Sleep(kPauseAfterWritesMs);
    GetLLDPMedinfo();
}

void CLLDPMED::OnFromPortChange()
{
    m_comboTo.SetCurSel(m_comboFrom.GetCurSel());
}

void CLLDPMED::OnToPortChange()
{
    if (SelectedPort(m_comboTo) >= SelectedPort(m_comboFrom))
        return;
    if (AfxMessageBox("'To Port' can not be smaller than 'From Port'", MB_OK) == IDOK)
        m_comboTo.SetCurSel(m_comboFrom.GetCurSel());
}
