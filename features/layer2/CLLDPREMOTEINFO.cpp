#include "features/layer2/CLLDPREMOTEINFO.h"

#include "common/CModuleBase.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/lldp.h"
#include "resources/main.h"

#include <cstdio>
#include <memory>

namespace {

const std::string kRemoteTable = "1.0.8802.1.1.2.1.4.1.1";
constexpr int kFirstColumn = 4;
constexpr int kColumnCount = 7; // .4 to .10

const char* const kRemoteChassisSubtypes[] = {"ChassisComponent", "InterfaceAlias", "PortComponent", "MacAddress",
                                              "NetworkAddress",   "InterfaceName",  "Local"};
const char* const kPortSubtypes[] = {"InterfaceAlias", "PortComponent",  "MacAddress", "NetworkAddress",
                                     "InterfaceName",  "AgentCircuitld", "Local"};

std::string SubtypeText(const char* const (&texts)[7], const std::string& strValue)
{
    for (int i = 1; i <= 7; ++i)
        if (strValue == std::to_string(i))
            return texts[i - 1];
    return std::string();
}

} // namespace

const std::string CLLDPREMOTEINFO::kLldpState = KorvelOid("10.76.19.1.24.1.0");

BEGIN_MESSAGE_MAP(CLLDPREMOTEINFO, CDialog)
    ON_BN_CLICKED(IDC_LLDP_REMOTE_FIND, OnFind)
    ON_BN_CLICKED(IDC_LLDP_REMOTE_REFRESH, OnRefresh)
    ON_MESSAGE(WM_LLDP_REMOTE_WALK_END, OnWalkEnd)
    ON_MESSAGE(WM_LLDP_REMOTE_NO_ROW, OnNoRemoteRow)
END_MESSAGE_MAP()

CLLDPREMOTEINFO::CLLDPREMOTEINFO(CWnd* pParent) : CDialog(IDD_LLDP_REMOTE, pParent) {}

CLLDPREMOTEINFO::~CLLDPREMOTEINFO()
{
    // Before the controls go: once closed, no call-back of ours runs.
    m_cCommonSNMP.Close();
}

BOOL CLLDPREMOTEINFO::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMPEnabled.Close();
    OutputDebugString("==================m_cCommonSNMPEnabled.Close===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    return CDialog::DestroyWindow();
}

void CLLDPREMOTEINFO::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LLDP_REMOTE_REFRESH, m_btnRefresh);
    DDX_Control(pDX, IDC_LLDP_REMOTE_COUNT, m_editCount);
    DDX_Control(pDX, IDC_LLDP_REMOTE_LIST, m_list);
}

BOOL CLLDPREMOTEINFO::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    const UINT nMask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    int nColumn = 0;
    for (const char* pszHeading : {"Port", "Entity", "Chassis ID Subtype"})
        m_list.InsertAutoWidthColumn(pszHeading, nColumn++, -1, nMask, LVCFMT_LEFT);
    m_list.InsertColumn(3, "Chassis ID", LVCFMT_CENTER, 150);
    m_list.InsertAutoWidthColumn("Port ID Subtype", 4, -1, nMask, LVCFMT_LEFT);
    m_list.InsertAutoWidthColumn("Port ID", 5, -1, nMask, LVCFMT_LEFT);
    for (const char* pszHeading : {"System Description", "System Name", "Port Description"})
        m_list.InsertColumn(6, pszHeading, LVCFMT_CENTER, 150);
    m_editCount.SetWindowText("0");
    m_readReport.Begin();
    CheckLLDPState();
    return TRUE;
}

void CLLDPREMOTEINFO::CheckLLDPState()
{
    std::unique_ptr<CSnmp> pResponse;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    const bool bSent = m_cCommonSNMPEnabled.Open(SnmpPduGet) &&
                       m_cCommonSNMPEnabled.AddValue(CLLDPREMOTEINFO::kLldpState, SnmpValueNull) == 0 &&
                       m_cCommonSNMPEnabled.getNext(pResponse, 0) == SnmpStatusOk && pResponse;
    if (bSent)
        pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (!bSent || nErrorStatus != 0) {
        AfxMessageBox("Get LLDP remote port information unsuccessful!", MB_OK);
        return;
    }
    if (!CModuleBase::HasValue(pResponse.get(), 0))
        return;
    const BOOL bEnabled = CModuleBase::ValueText(pResponse.get(), 0) == "2" ? FALSE : TRUE;
    m_list.EnableWindow(bEnabled);
    m_btnRefresh.EnableWindow(bEnabled);
    StartRemoteWalk();
}

void CLLDPREMOTEINFO::StartRemoteWalk()
{
    // Opening stops a walk that still runs: its late rows are stale. The list
    // keeps its rows until the walk has read the whole table.
    const bool bReady = m_cCommonSNMP.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_rowsBuilding.clear();
    }
    if (!bReady) {
        OnWalkEnd(0, 0); // a session that cannot run: the walk failed
        return;
    }
    for (int i = 0; i < kColumnCount; ++i)
        m_cCommonSNMP.AddValue(kRemoteTable + "." + std::to_string(kFirstColumn + i), SnmpValueNull);
    if (!m_cCommonSNMP.StartAsync(&CLLDPREMOTEINFO::OnRemoteRow, this)) {
        OnWalkEnd(0, 0); // no call-back will come: the walk failed
        return;
    }
    m_btnRefresh.EnableWindow(FALSE);
}

int CLLDPREMOTEINFO::OnRemoteRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CLLDPREMOTEINFO*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        pThis->SendMessage(WM_LLDP_REMOTE_WALK_END, nStatus == SnmpStatusEndOfWalk ? 1 : 0, 0);
        return 0;
    }
    // Every binding of the step stands at the row's index.
    std::string strSuffix;
    session.GetIndexSuffix(kColumnCount - 1, pResponse.get(), strSuffix);
    RemoteRow row;
    switch (BuildRemoteRow(pResponse.get(), strSuffix, row)) {
    case RowKind::Row: {
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_rowsBuilding.push_back(row);
        break;
    }
    case RowKind::NoBinding:
        pThis->SendMessage(WM_LLDP_REMOTE_NO_ROW, 0, 0);
        break;
    case RowKind::Skipped:
        break;
    }
    session.StartRequest(&CLLDPREMOTEINFO::OnRemoteRow, pThis, 0, 0);
    return 0;
}

// A row whose index names no port of this switch is skipped.
CLLDPREMOTEINFO::RowKind CLLDPREMOTEINFO::BuildRemoteRow(CSnmp* pResponse, const std::string& strSuffix, RemoteRow& row)
{
    bool bAny = false;
    for (int i = 0; i < kColumnCount; ++i)
        bAny = bAny || CModuleBase::HasValue(pResponse, i);
    if (!bAny)
        return RowKind::NoBinding;
    std::string strPort;
    std::string strRemote;
    const int nPort = SplitRemoteIndex(strSuffix, strPort, strRemote) ? std::atoi(strPort.c_str()) : 0;
    if (nPort < 1 || nPort > g_nPortCount || strPort.find_first_not_of("0123456789") != std::string::npos)
        return RowKind::Skipped;
    auto value = [&](int i) { return CModuleBase::ValueText(pResponse, i); };
    row = RemoteRow();
    row[0] = std::to_string(nPort);
    row[2] = ChassisSubtypeText(CModuleBase::IntegerText(pResponse, 0));
    row[3] = FormatChassisId(value(1));
    row[4] = PortSubtypeText(CModuleBase::IntegerText(pResponse, 2));
    for (int i = 3; i < kColumnCount; ++i)
        row[static_cast<std::size_t>(i + 2)] = value(i);
    return RowKind::Row;
}

// The walk goes on; the rows it has read so far are listed at its end.
LRESULT CLLDPREMOTEINFO::OnNoRemoteRow(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    AfxMessageBox("There is no LLDP Remote Port", MB_OK);
    m_editCount.SetWindowText("0");
    return 0;
}

LRESULT CLLDPREMOTEINFO::OnWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == 1) {
        std::vector<RemoteRow> rows;
        {
            std::lock_guard lock(m_csRows);
            rows = m_rowsBuilding;
        }
        m_list.DeleteAllItems();
        std::string strCount = "0";
        for (RemoteRow& row : rows) {
            char szNumber[16];
            std::snprintf(szNumber, sizeof szNumber, "  %d", m_list.GetItemCount() + 1);
            row[1] = strCount = szNumber;
            const int nRow = m_list.GetItemCount();
            for (int nColumn = 0; nColumn < static_cast<int>(row.size()); ++nColumn)
                m_list.SetOrInsertItemText(nRow, nColumn, row[static_cast<std::size_t>(nColumn)].c_str());
        }
        m_editCount.SetWindowText(strCount);
        m_bListRead = true;
    } else {
        // The list keeps the last complete walk, and the count counts it.
        const int nShown = m_list.GetItemCount();
        m_editCount.SetWindowText(nShown == 0 ? std::string("0") : m_list.GetItemText(nShown - 1, 1));
        m_readReport.Fail("the LLDP remote port information", m_bListRead);
    }
    m_btnRefresh.EnableWindow(TRUE);
    return 0;
}

void CLLDPREMOTEINFO::OnRefresh()
{
    m_readReport.Begin();
    m_editCount.SetWindowText("0");
    StartRemoteWalk();
}

void CLLDPREMOTEINFO::OnFind() {}

std::string CLLDPREMOTEINFO::FormatChassisId(const std::string& strOctets, int nLength)
{
    std::string strText;
    for (int i = 0; i < nLength; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const unsigned nOctet = n < strOctets.size() ? static_cast<unsigned char>(strOctets[n]) : 0U;
        char szPair[4];
        std::snprintf(szPair, sizeof szPair, "%02X", nOctet);
        strText += (i ? "-" : "") + std::string(szPair);
    }
    return strText;
}

bool CLLDPREMOTEINFO::SplitRemoteIndex(const std::string& strSuffix, std::string& strPort, std::string& strRemote)
{
    const std::size_t nLast = strSuffix.rfind('.');
    if (nLast == std::string::npos || nLast == 0)
        return false;
    const std::size_t nBefore = strSuffix.rfind('.', nLast - 1);
    if (nBefore == std::string::npos || nBefore == 0)
        return false;
    strPort = strSuffix.substr(nBefore + 1, nLast - nBefore - 1);
    strRemote = strSuffix.substr(nLast + 1);
    return true;
}

std::string CLLDPREMOTEINFO::ChassisSubtypeText(const std::string& strValue)
{
    return SubtypeText(kRemoteChassisSubtypes, strValue);
}

std::string CLLDPREMOTEINFO::PortSubtypeText(const std::string& strValue)
{
    return SubtypeText(kPortSubtypes, strValue);
}
