#include "features/security/CARPSpoofSetting.h"

#include "common/CWriteReport.h"
#include "common/CModuleBase.h"
#include "common/CUtils.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "features/ports_vlans/WalkMessages.h"
#include "features/security/CAddARPEntry.h"
#include "platform/snmp/CSnmp.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "resources/arp.h"
#include "resources/main.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kArpPortsMaxOctets = 8;
constexpr ListColumn kArpSpoofColumns[] = {
    {"Index", 50}, {"Router/Gateway IP Address", 190}, {"Router/Gateway MAC Address", 195}, {"Ports", 150}};

// The gateway address of a row index ".a.b.c.d"; empty for any other index.
std::string AddressOfIndex(const std::string& strSuffix)
{
    unsigned a = 0;
    unsigned b = 0;
    unsigned c = 0;
    unsigned d = 0;
    char extra = 0;
    if (std::sscanf(strSuffix.c_str(), ".%u.%u.%u.%u%c", &a, &b, &c, &d, &extra) != 4 || a > 255 || b > 255 ||
        c > 255 || d > 255)
        return std::string();
    return std::to_string(a) + "." + std::to_string(b) + "." + std::to_string(c) + "." + std::to_string(d);
}

std::string ArpMacText(const std::string& bytes)
{
    // Bytes a short value lacks count as zero.
    auto b = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) : 0U; };
    char szMac[18];
    std::snprintf(szMac, sizeof szMac, "%02X-%02X-%02X-%02X-%02X-%02X", b(0), b(1), b(2), b(3), b(4), b(5));
    return szMac;
}

} // namespace

BEGIN_MESSAGE_MAP(CARPSpoofSetting, CDialog)
    ON_BN_CLICKED(IDC_ARP_REFRESH, OnRefresh)
    ON_MESSAGE(WM_WALK_FINISHED, OnWalkEnded)
    ON_BN_CLICKED(IDC_ARP_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ARP_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ARP_CLOSE, OnCloseClicked)
END_MESSAGE_MAP()

CARPSpoofSetting::CARPSpoofSetting(CWnd* pParent) : CDialog(IDD_ARP_SPOOF_SETTING, pParent) {}

CARPSpoofSetting::~CARPSpoofSetting()
{
    // The walk's call-back touches this object: it has ended once the
    // session is closed.
    m_cCommonSNMPTable.Close();
}

BOOL CARPSpoofSetting::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    return CDialog::DestroyWindow();
}

void CARPSpoofSetting::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ARP_LIST, m_listEntries);
    DDX_Control(pDX, IDC_ARP_TOTAL, m_editTotal);
    DDX_Control(pDX, IDC_ARP_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_ARP_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_ARP_REFRESH, m_btnRefresh);
}

BOOL CARPSpoofSetting::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();
    SetIcon(LoadIconResource(IDI_MODULE), TRUE);
    m_hSelf = GetSafeHwnd();
    InsertListColumns(m_listEntries, kArpSpoofColumns, LVCFMT_CENTER);
    m_listEntries.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    m_editTotal.SetWindowText("0");
    OnRefresh();
    return TRUE;
}

void CARPSpoofSetting::EnableButtons(BOOL bEnable)
{
    m_btnAdd.EnableWindow(bEnable);
    m_btnDelete.EnableWindow(bEnable);
    m_btnRefresh.EnableWindow(bEnable);
}

void CARPSpoofSetting::OnRefresh()
{
    StartTableWalk();
}

void CARPSpoofSetting::StartTableWalk()
{
    EnableButtons(FALSE);
    // Opening stops a walk that still runs, so none of its rows lands here.
    m_cCommonSNMPTable.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_Building.clear();
    }
    for (int nColumn = 1; nColumn <= 4; ++nColumn)
        m_cCommonSNMPTable.AddValue(CAddARPEntry::kTable + "." + std::to_string(nColumn), SnmpValueNull);
    // One new user action (opening, Refresh, the read after Add or Delete).
    m_readReport.Begin();
    // A walk that cannot start ends here, failed: the buttons come back.
    if (!m_cCommonSNMPTable.StartAsync(&CARPSpoofSetting::OnArpTableReply, this, 0))
        OnWalkEnded(1, 0);
}

int CARPSpoofSetting::OnArpTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CARPSpoofSetting*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTable;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0) {
        if (nStatus == -2) {
            // The table is complete: its rows replace the last ones whole.
            std::lock_guard lock(pThis->m_csRows);
            pThis->m_Entries = pThis->m_Building;
        }
        ::SendMessage(pThis->m_hSelf.load(), WM_WALK_FINISHED, nStatus == -2 ? 0 : 1, 0);
        session.SignalDone();
        return 0;
    }
    // Each row is placed by the index of its row status, which every row has.
    std::string strSuffix;
    session.GetIndexSuffix(3, pResponse.get(), strSuffix);
    ARP_entry_info row;
    row.strAddress = AddressOfIndex(strSuffix);
    if (!row.strAddress.empty()) {
        row.strMac = ArpMacText(CModuleBase::ValueText(pResponse.get(), 1));
        std::string strBitmap = CModuleBase::ValueText(pResponse.get(), 2);
        if (strBitmap.size() > kArpPortsMaxOctets)
            strBitmap.resize(kArpPortsMaxOctets);
        CUtils::PortBitmapToRangeText(strBitmap, static_cast<int>(strBitmap.size()), 1, g_nPortCount, row.strPorts);
        row.strRowStatus = CModuleBase::IntegerText(pResponse.get(), 3);
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_Building.push_back(row);
    }
    session.StartRequest(&CARPSpoofSetting::OnArpTableReply, pThis, 0, 0);
    return 0;
}

LRESULT CARPSpoofSetting::OnWalkEnded(WPARAM wParam, LPARAM /*lParam*/)
{
    if (wParam == 0) {
        std::vector<ARP_entry_info> entries;
        {
            std::lock_guard lock(m_csRows);
            entries = m_Entries;
        }
        m_listEntries.DeleteAllItems();
        int nListed = 0;
        for (const ARP_entry_info& entry : entries) {
            if (entry.strRowStatus != "1")
                continue;
            m_listEntries.SetOrInsertItemText(nListed, 0, std::to_string(nListed + 1).c_str());
            m_listEntries.SetOrInsertItemText(nListed, 1, entry.strAddress.c_str());
            m_listEntries.SetOrInsertItemText(nListed, 2, entry.strMac.c_str());
            m_listEntries.SetOrInsertItemText(nListed, 3, entry.strPorts.c_str());
            ++nListed;
        }
        m_editTotal.SetWindowText(std::to_string(nListed));
        m_bListRead = true;
    } else {
        // The list keeps its last complete table.
        m_readReport.Fail("the ARP spoofing prevention list", m_bListRead);
    }
    EnableButtons(TRUE);
    return 0;
}

void CARPSpoofSetting::OnAdd()
{
    if (m_listEntries.GetItemCount() >= kMaxEntries) {
        AfxMessageBox("The Maximum of Entry is 64, can not add any more");
        return;
    }
    CAddARPEntry dialog(this);
    {
        std::lock_guard lock(m_csRows);
        dialog.SetExistingEntries(m_Entries);
    }
    dialog.DoModal();
    StartTableWalk();
}

void CARPSpoofSetting::OnDelete()
{
    const int nRow = m_listEntries.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox("Please select the entry you would be delete!");
        return;
    }
    const std::string strAddress = m_listEntries.GetItemText(nRow, 1);
    m_cCommonSNMP.Open(SnmpPduSet);
    m_cCommonSNMP.AddValue(CAddARPEntry::ColumnOid(4, strAddress), SnmpValueInteger, "6");
    CWriteReport report;
    if (!report.Send(m_cCommonSNMP, "the deletion of the entry " + strAddress)) {
        report.Report();
        return;
    }
    Sleep(50);
    StartTableWalk();
}

void CARPSpoofSetting::OnCloseClicked()
{
    OnCancel();
}
