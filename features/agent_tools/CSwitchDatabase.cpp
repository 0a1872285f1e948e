#include "features/agent_tools/CSwitchDatabase.h"

#include "common/CModuleBase.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "resources/fdb.h"
#include "resources/main.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const char* const kFdbStatus = "1.3.6.1.2.1.17.7.1.2.2.1.3";
const char* const kFdbPort = "1.3.6.1.2.1.17.7.1.2.2.1.2";
const char* const kAgingTime = "1.3.6.1.2.1.17.4.2.0";
constexpr int kPageSize = 100;
// The walk's end for the UI thread: wParam 1 when it read the whole table.
constexpr UINT WM_FDB_WALK_END = WM_USER + 278;

} // namespace

BEGIN_MESSAGE_MAP(CSwitchDatabase, CDialog)
    ON_BN_CLICKED(IDC_FDB_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_FDB_NEXT, OnNext)
    ON_BN_CLICKED(IDC_FDB_BACK, OnBack)
    ON_BN_CLICKED(IDC_FDB_CLOSE, OnClose)
    ON_MESSAGE(WM_FDB_WALK_END, OnWalkEnd)
END_MESSAGE_MAP()

CSwitchDatabase::CSwitchDatabase(CWnd* pParent) : CDialog(IDD_FORWARDING_TABLE, pParent) {}

CSwitchDatabase::~CSwitchDatabase()
{
    m_cCommonSNMP.Close();
}

std::string CSwitchDatabase::MacFromIndex(const std::string& strIndex)
{
    // The arcs after the filtering database id; an index of fewer than seven
    // arcs is never read past its end.
    std::vector<unsigned long> arcs;
    std::size_t pos = 0;
    while (pos < strIndex.size()) {
        if (strIndex[pos] == '.') {
            ++pos;
            continue;
        }
        char* pEnd = nullptr;
        arcs.push_back(std::strtoul(strIndex.c_str() + pos, &pEnd, 10));
        const std::size_t next = static_cast<std::size_t>(pEnd - strIndex.c_str());
        pos = next > pos ? next : pos + 1;
    }
    std::string strMac;
    for (std::size_t i = 1; i <= 6; ++i) {
        const unsigned long nOctet = i < arcs.size() && arcs[i] <= 255 ? arcs[i] : 0;
        char sz[4];
        std::snprintf(sz, sizeof sz, "%02lX", nOctet);
        if (i > 1)
            strMac += '-';
        strMac += sz;
    }
    return strMac;
}

std::string CSwitchDatabase::StatusText(const std::string& strStatus)
{
    static const char* const kNames[] = {"Other", "Invalid", "Learn", "Own", "Static"};
    if (!strStatus.empty() && strStatus[0] >= '1' && strStatus[0] <= '5')
        return kNames[strStatus[0] - '1'];
    return strStatus;
}

BOOL CSwitchDatabase::DestroyWindow()
{
    m_bClosing = true;
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPGetTime.Close();
    OutputDebugString("==================m_cCommonSNMPGetTime.Close===============");
    return CDialog::DestroyWindow();
}

void CSwitchDatabase::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FDB_LIST, m_list);
}

BOOL CSwitchDatabase::OnInitDialog()
{
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetWindowText("Forwarding Table");
    m_list.InsertColumn(0, "ID ", LVCFMT_CENTER, 80);
    m_list.InsertColumn(1, "Port", LVCFMT_CENTER, 100);
    m_list.InsertColumn(2, " MAC Address ", LVCFMT_CENTER, 210);
    m_list.InsertColumn(3, " Status ", LVCFMT_CENTER, 117);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    GetDlgItem(IDC_FDB_REFRESH)->EnableWindow(FALSE);
    GetDlgItem(IDC_FDB_REFRESH)->SetFocus();
    m_readReport.Begin();
    StartWalk();
    ReadAgingTime();
    return TRUE;
}

void CSwitchDatabase::StartWalk()
{
    // The previous walk stops first, so no late entry of it is gathered.
    m_cCommonSNMP.Open(1);
    {
        std::lock_guard lock(m_csEntries);
        m_arrBuilding.clear();
    }
    GetDlgItem(IDC_FDB_REFRESH)->EnableWindow(FALSE);
    GetDlgItem(IDC_FDB_NEXT)->EnableWindow(FALSE);
    GetDlgItem(IDC_FDB_BACK)->EnableWindow(FALSE);
    m_cCommonSNMP.AddValue(kFdbStatus, SnmpValueNull);
    m_cCommonSNMP.AddValue(kFdbPort, SnmpValueNull);
    if (!m_cCommonSNMP.StartAsync(&CSwitchDatabase::OnFdbRow, this))
        OnWalkEnd(0, 0);
}

void CSwitchDatabase::AppendRow(const FWD_TABLE& entry)
{
    const int nRow = m_list.GetItemCount();
    m_list.SetOrInsertItemText(nRow, 0, std::to_string(entry.nEntry).c_str());
    m_list.SetOrInsertItemText(nRow, 1, entry.strPort.c_str());
    m_list.SetOrInsertItemText(nRow, 2, entry.strMac.c_str());
    m_list.SetOrInsertItemText(nRow, 3, entry.strStatus.c_str());
}

int CSwitchDatabase::FirstShown()
{
    if (m_list.GetItemCount() == 0)
        return 0;
    return std::atoi(m_list.GetItemText(0, 0).c_str());
}

int CSwitchDatabase::OnFdbRow(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CSwitchDatabase*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMP;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        session.SignalDone();
        pThis->SendMessage(WM_FDB_WALK_END, nStatus == -2 ? 1 : 0, 0);
        return 0;
    }
    FWD_TABLE entry;
    std::string strIndex;
    session.GetIndexSuffix(0, pResponse.get(), strIndex);
    entry.strMac = MacFromIndex(strIndex);
    entry.strStatus = StatusText(CModuleBase::IntegerText(pResponse.get(), 0));
    entry.strPort = CModuleBase::IntegerText(pResponse.get(), 1);
    {
        std::lock_guard lock(pThis->m_csEntries);
        entry.nEntry = static_cast<int>(pThis->m_arrBuilding.size()) + 1;
        pThis->m_arrBuilding.push_back(entry);
    }
    if (!session.StartAsync(&CSwitchDatabase::OnFdbRow, pThis))
        pThis->SendMessage(WM_FDB_WALK_END, 0, 0);
    return 0;
}

LRESULT CSwitchDatabase::OnWalkEnd(WPARAM wParam, LPARAM /*lParam*/)
{
    if (m_bClosing)
        return 0;
    GetDlgItem(IDC_FDB_REFRESH)->EnableWindow(TRUE);
    if (wParam == 0) {
        // The table shown stays, with its paging.
        m_readReport.Fail("the forwarding table", m_bHaveTable);
        const int nFirst = FirstShown();
        GetDlgItem(IDC_FDB_NEXT)->EnableWindow(nFirst > 0 && static_cast<int>(m_arrEntries.size()) > nFirst + kPageSize - 1);
        GetDlgItem(IDC_FDB_BACK)->EnableWindow(nFirst > 1);
        return 0;
    }
    {
        std::lock_guard lock(m_csEntries);
        m_arrEntries.swap(m_arrBuilding);
        m_arrBuilding.clear();
    }
    m_bHaveTable = true;
    m_list.DeleteAllItems();
    ShowEntries(1, kPageSize);
    GetDlgItem(IDC_FDB_NEXT)->EnableWindow(static_cast<int>(m_arrEntries.size()) > kPageSize);
    GetDlgItem(IDC_FDB_BACK)->EnableWindow(FALSE);
    return 0;
}

void CSwitchDatabase::ReadAgingTime()
{
    m_cCommonSNMPGetTime.Open(0);
    m_cCommonSNMPGetTime.AddValue(kAgingTime, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMPGetTime.send(pResponse, 0) != 0 || !pResponse || pResponse->getVarBindCount() < 1)
        return;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    if (nErrorStatus != 0 || !CModuleBase::HasValue(pResponse.get(), 0))
        return;
    GetDlgItem(IDC_FDB_AGE_TIME)->SetWindowText(CModuleBase::IntegerText(pResponse.get(), 0));
}

void CSwitchDatabase::ShowPage(int nDirection)
{
    const int nCount = static_cast<int>(m_arrEntries.size());
    const int nFirst = FirstShown();
    int nNewFirst = 0;
    int nNewLast = 0;
    if (nDirection == 3) {
        nNewFirst = nFirst + kPageSize;
        nNewLast = nFirst + 2 * kPageSize - 1 < nCount ? nFirst + 2 * kPageSize - 1 : nCount;
        ShowEntries(nNewFirst, nNewLast);
        GetDlgItem(IDC_FDB_BACK)->EnableWindow(TRUE);
    } else {
        nNewFirst = nFirst - kPageSize;
        nNewLast = nFirst - 1;
        ShowEntries(nNewFirst, nNewLast);
    }
    GetDlgItem(IDC_FDB_NEXT)->EnableWindow(nCount > nNewLast);
    GetDlgItem(IDC_FDB_BACK)->EnableWindow(nNewFirst > 1);
}

void CSwitchDatabase::ShowEntries(int nFirst, int nLast)
{
    const int nCount = static_cast<int>(m_arrEntries.size());
    if (nCount < nFirst || nFirst < 1)
        return;
    m_list.DeleteAllItems();
    for (int n = nFirst; n <= nLast && n <= nCount; ++n)
        AppendRow(m_arrEntries[static_cast<std::size_t>(n - 1)]);
}

void CSwitchDatabase::OnRefresh()
{
    m_readReport.Begin();
    StartWalk();
    ReadAgingTime();
}

void CSwitchDatabase::OnNext()
{
    ShowPage(3);
}

void CSwitchDatabase::OnBack()
{
    ShowPage(2);
}

void CSwitchDatabase::OnClose()
{
    EndDialog(IDCANCEL);
}
