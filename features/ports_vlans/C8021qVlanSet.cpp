#include "features/ports_vlans/C8021qVlanSet.h"

#include "common/CCodeConvert.h"
#include "common/CModuleBase.h"
#include "common/CReadReport.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "common/ListColumn.h"
#include "common/VlanTableOids.h"
#include "features/ports_vlans/CKSXPVIDConfig.h"
#include "features/ports_vlans/CKSXVlanAdd.h"
#include "features/ports_vlans/CPVIDConfigLogic.h"
#include "features/ports_vlans/CVlanAddLogic.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/ui/CDataExchange.h"
#include "resources/ports_vlans.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <set>

namespace {

const std::string kAsymmetricState = KorvelOid("10.76.19.1.7.5.0");
const std::string kVoiceVlanState = KorvelOid("10.76.19.1.21.1.2.0");
const std::string kVoiceVlanId = KorvelOid("10.76.19.1.21.1.3.0");
const std::string kSurveillanceVlanState = KorvelOid("10.76.19.1.26.1.1.0");
const std::string kSurveillanceVlanId = KorvelOid("10.76.19.1.26.1.2.0");
const std::string kIPInterfaceVlanColumn = KorvelOid("10.76.19.1.41.1.1.1.2");

constexpr int kMaxVlanRows = 256;

// What a failed read names (CReadReport).
const char* const kVlanListText = "the VLAN list";
const char* const kVoiceText = "the voice and surveillance VLAN settings";
const char* const kPvidText = "the PVIDs";
const char* const kIPInterfaceText = "the IP interfaces";

constexpr ListColumn kVlanListColumns[] = {{"VLAN ID", 80, LVCFMT_LEFT},
                                           {"VLAN Name", 120, LVCFMT_CENTER},
                                           {"No.of Ports", 100, LVCFMT_LEFT},
                                           {"Tagged Port Member", 220, LVCFMT_LEFT},
                                           {"Untag Port Member", 220, LVCFMT_LEFT}};

// The buttons that wait for the reads of a refresh; those that edit are
// offered only while VLAN editing is allowed.
struct WalkButton
{
    int nID;
    bool bNeedsEditable;
};
constexpr WalkButton kWalkButtons[] = {
    {IDC_VLAN_APPLY, false},   {IDC_VLAN_ADD, true},  {IDC_VLAN_EDIT, true},           {IDC_VLAN_DELETE, true},
    {IDC_VLAN_REFRESH, false}, {IDC_VLAN_PVID, true}, {static_cast<int>(IDOK), false},
};

// The reads of a refresh that run on their own sessions: the voice and
// surveillance read and the PVID, IP interface and static VLAN walks.
constexpr int kRefreshReads = 4;

// How every call-back of this dialog begins. A stale reply (an id the
// session no longer knows) is dropped; a known id with a non-zero status ends
// the request (SignalDone is called here); status 0 brings a reply to process.
enum class ReplyKind
{
    Stale,
    Ended,
    Current
};
ReplyKind SortReply(CCommonSNMP& session, int nRequestID, int nStatus)
{
    if (!session.FindRequestID(nRequestID))
        return ReplyKind::Stale;
    if (nStatus != 0) {
        session.SignalDone();
        return ReplyKind::Ended;
    }
    return ReplyKind::Current;
}

} // namespace

BEGIN_MESSAGE_MAP(C8021qVlanSet, CDialog)
    ON_BN_CLICKED(IDC_VLAN_APPLY, OnApplyAsymmetric)
    ON_BN_CLICKED(IDC_VLAN_ADD, OnAdd)
    ON_BN_CLICKED(IDC_VLAN_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_VLAN_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_VLAN_REFRESH, OnRefresh)
    ON_BN_CLICKED(IDC_VLAN_PVID, OnPvid)
    ON_NOTIFY(NM_DBLCLK, IDC_VLAN_LIST, OnListDblClk)
    ON_MESSAGE(WM_READ_FAILED, OnReadFailed)
END_MESSAGE_MAP()

C8021qVlanSet::C8021qVlanSet(CWnd* pParent) : CDialog(IDD_8021Q_VLAN, pParent) {}

C8021qVlanSet::~C8021qVlanSet() = default;

BOOL C8021qVlanSet::DestroyWindow()
{
    OutputDebugString("==================DestroyWindow===============");
    m_cCommonSNMP.Close();
    OutputDebugString("==================m_cCommonSNMP.Close===============");
    m_cCommonSNMPTable.Close();
    OutputDebugString("==================m_cCommonSNMPTable.Close===============");
    m_cCommonSNMPVoiceVlan.Close();
    OutputDebugString("==================m_cCommonSNMPVoiceVlan.Close===============");
    m_cCommonSNMPTableVlan.Close();
    OutputDebugString("==================m_cCommonSNMPTableVlan.Close===============");
    m_cCommonSNMPTableVlanDelete.Close();
    OutputDebugString("==================m_cCommonSNMPTableVlanDelete.Close===============");
    m_cCommonSNMPTableIPIf.Close();
    return CDialog::DestroyWindow();
}

void C8021qVlanSet::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VLAN_LIST, m_listVlan);
    DDX_Control(pDX, IDC_VLAN_ASYMMETRIC, m_chkAsymmetric);
}

BOOL C8021qVlanSet::OnInitDialog()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    CDialog::OnInitDialog();

    InsertListColumns(m_listVlan, kVlanListColumns);
    SetWindowText("802.1Q VLAN Configuration");
    m_listVlan.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);

    m_nPortCount = g_nPortCount;
    {
        std::lock_guard lock(m_csData);
        m_pPvid.assign(static_cast<size_t>(std::max(m_nPortCount, 0)), 0);
        m_PvidBuilding = m_pPvid;
    }
    m_chkAsymmetric.SetCheck(BST_UNCHECKED);

    if (!g_bVlanEditable) {
        for (const WalkButton& button : kWalkButtons) {
            if (button.bNeedsEditable)
                EnableItem(button.nID, FALSE);
        }
    }
    RefreshAll();
    return TRUE;
}

void C8021qVlanSet::OnOK()
{
    OnCancel();
}

void C8021qVlanSet::RefreshAll()
{
    // The reads of the previous refresh end here: Close waits for a running
    // call-back and forgets the outstanding ids, so what they deliver late is
    // dropped as stale and never reaches the records below. One that ends
    // meanwhile gives no buttons back.
    {
        std::lock_guard lock(m_csData);
        m_nPendingReads = 0;
        m_pszReadFailed = nullptr;
    }
    m_cCommonSNMPVoiceVlan.Close();
    m_cCommonSNMPTableVlan.Close();
    m_cCommonSNMPTable.Close();
    m_cCommonSNMPTableIPIf.Close();
    m_readReport.Begin();

    // The one read that holds the window goes first: a switch that does not
    // answer it is not asked for the rest now, so the window waits at most
    // one time-out and says it once. The lists keep the last complete read.
    if (!ReadAsymmetricState()) {
        bool bKeptLast = false;
        {
            std::lock_guard lock(m_csData);
            bKeptLast = m_bListRead;
        }
        m_readReport.Fail(kVlanListText, bKeptLast);
        EnableWalkButtons(TRUE);
        return;
    }
    {
        std::lock_guard lock(m_csData);
        m_nPendingReads = kRefreshReads;
    }
    StartVoiceSurveillanceRead();
    StartPvidWalk();
    StartIPInterfaceWalk();
    StartStaticVlanWalk();
}

LRESULT C8021qVlanSet::OnReadFailed(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        m_readReport.Fail(reinterpret_cast<const char*>(lParam), wParam != 0);
    return 0;
}

void C8021qVlanSet::StartVoiceSurveillanceRead()
{
    m_cCommonSNMPVoiceVlan.Open(0);
    for (const std::string* pOid : {&kVoiceVlanState, &kVoiceVlanId, &kSurveillanceVlanState, &kSurveillanceVlanId})
        m_cCommonSNMPVoiceVlan.AddValue(*pOid, 4);
    if (!m_cCommonSNMPVoiceVlan.StartAsync(&C8021qVlanSet::OnVoiceSurveillanceReply, this))
        EndRead(kVoiceText);
}

int C8021qVlanSet::OnVoiceSurveillanceReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021qVlanSet*>(pUserData);
    const ReplyKind kind = SortReply(pThis->m_cCommonSNMPVoiceVlan, nRequestID, nStatus);
    if (kind != ReplyKind::Current) {
        if (kind == ReplyKind::Ended)
            pThis->EndRead(kVoiceText);
        return 0;
    }
    // A switch without these objects (an error in place of the reply, or no
    // value) has no voice or surveillance VLAN: nothing is held by them. A
    // state outside its set or a VLAN id outside 1..4094 is unknown (0):
    // deleting and the mode change are refused until they are read.
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    const bool bAbsent = nErrorStatus != 0;
    const auto state = [&](int i) {
        if (bAbsent || !CModuleBase::HasValue(pResponse.get(), i))
            return 2;
        return std::atoi(CModuleBase::EnumText(pResponse.get(), i, {1, 2}).c_str());
    };
    const auto vid = [&](int i) {
        if (bAbsent)
            return 0;
        return std::atoi(CModuleBase::RangeText(pResponse.get(), i, 1, 4094).c_str());
    };
    {
        std::lock_guard lock(pThis->m_csData);
        pThis->m_nVoiceVlanState = state(0);
        pThis->m_nVoiceVid = vid(1);
        pThis->m_nSurveillanceVlanState = state(2);
        pThis->m_nSurveillanceVid = vid(3);
    }
    pThis->m_cCommonSNMPVoiceVlan.SignalDone();
    pThis->EndRead();
    return 0;
}

bool C8021qVlanSet::ReadAsymmetricState()
{
    m_cCommonSNMP.Open(0);
    m_cCommonSNMP.AddValue(kAsymmetricState, 4);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cCommonSNMP.send(pResponse, 0) != 0 || !pResponse)
        return false;
    // A state outside its set (or an error in place of it) is unknown.
    m_strAsymState = CModuleBase::EnumText(pResponse.get(), 0, {1, 2});
    m_chkAsymmetric.SetCheck(m_strAsymState == "1" ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

void C8021qVlanSet::StartPvidWalk()
{
    {
        // A port the walk gives no PVID has none known (0).
        std::lock_guard lock(m_csData);
        m_nPvidRows = 0;
        m_PvidBuilding.assign(m_pPvid.size(), 0);
    }
    m_cCommonSNMPTable.Open(1);
    m_cCommonSNMPTable.AddValue(kPvidColumn, 4);
    if (!m_cCommonSNMPTable.StartAsync(&C8021qVlanSet::OnPvidReply, this))
        EndRead(kPvidText);
}

int C8021qVlanSet::OnPvidReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021qVlanSet*>(pUserData);
    const ReplyKind kind = SortReply(pThis->m_cCommonSNMPTable, nRequestID, nStatus);
    if (kind != ReplyKind::Current) {
        if (kind == ReplyKind::Ended && nStatus == SnmpStatusEndOfWalk) {
            // The PVIDs of a complete walk replace the last ones whole.
            {
                std::lock_guard lock(pThis->m_csData);
                pThis->m_pPvid = pThis->m_PvidBuilding;
                pThis->m_bPvidsRead = true;
            }
            pThis->EndRead();
        } else if (kind == ReplyKind::Ended) {
            pThis->EndRead(kPvidText);
        }
        return 0;
    }
    // The row's index is its port; a row of a port the switch does not have
    // is ignored.
    std::string strSuffix;
    pThis->m_cCommonSNMPTable.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nPort = CUtils::RowPort(strSuffix);
    const int nPvid = std::atoi(CModuleBase::RangeText(pResponse.get(), 0, 1, 4094).c_str());
    {
        std::lock_guard lock(pThis->m_csData);
        if (nPort >= 1 && nPort <= static_cast<int>(pThis->m_PvidBuilding.size())) {
            pThis->m_PvidBuilding[static_cast<size_t>(nPort - 1)] = nPvid;
            ++pThis->m_nPvidRows;
        }
    }
    pResponse.reset();
    pThis->ContinueWalk(pThis->m_cCommonSNMPTable, &C8021qVlanSet::OnPvidReply, kPvidText);
    return 0;
}

void C8021qVlanSet::StartIPInterfaceWalk()
{
    {
        std::lock_guard lock(m_csData);
        m_IPIfBuilding.clear();
        m_bIPIfBuildingKnown = true;
    }
    m_cCommonSNMPTableIPIf.Open(1);
    m_cCommonSNMPTableIPIf.AddValue(kIPInterfaceVlanColumn, 4);
    if (!m_cCommonSNMPTableIPIf.StartAsync(&C8021qVlanSet::OnIPInterfaceReply, this))
        EndRead(kIPInterfaceText);
}

void C8021qVlanSet::ContinueWalk(CCommonSNMP& session, SnmpCallback pfnCallback, const char* pszWhat)
{
    // A step that cannot start ends the walk as a failed one.
    if (!session.StartAsync(pfnCallback, this)) {
        session.SignalDone();
        EndRead(pszWhat);
    }
}

int C8021qVlanSet::OnIPInterfaceReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021qVlanSet*>(pUserData);
    const ReplyKind kind = SortReply(pThis->m_cCommonSNMPTableIPIf, nRequestID, nStatus);
    if (kind != ReplyKind::Current) {
        if (kind == ReplyKind::Ended && nStatus == SnmpStatusEndOfWalk) {
            // The interfaces of a complete walk replace the last ones whole;
            // one whose VLAN is unknown leaves every VLAN possibly held.
            {
                std::lock_guard lock(pThis->m_csData);
                pThis->m_arrIPIfVlan = pThis->m_IPIfBuilding;
                pThis->m_bIPIfRead = pThis->m_bIPIfBuildingKnown;
            }
            pThis->EndRead();
        } else if (kind == ReplyKind::Ended) {
            pThis->EndRead(kIPInterfaceText);
        }
        return 0;
    }
    {
        const std::string strVid = CModuleBase::RangeText(pResponse.get(), 0, 1, 4094);
        std::lock_guard lock(pThis->m_csData);
        if (strVid.empty())
            pThis->m_bIPIfBuildingKnown = false;
        pThis->m_IPIfBuilding.push_back(strVid);
    }
    pResponse.reset();
    pThis->ContinueWalk(pThis->m_cCommonSNMPTableIPIf, &C8021qVlanSet::OnIPInterfaceReply, kIPInterfaceText);
    return 0;
}

void C8021qVlanSet::StartStaticVlanWalk()
{
    EnableWalkButtons(FALSE);
    {
        std::lock_guard lock(m_csData);
        m_VlanBuilding.clear();
    }
    // A session that cannot run requests starts no walk: the read ends here.
    if (!m_cCommonSNMPTableVlan.Open(1)) {
        EndStaticVlanWalk(false);
        return;
    }
    for (const std::string* pOid : {&kVlanNameColumn, &kVlanEgressColumn, &kVlanUntaggedColumn, &kVlanRowStatusColumn})
        m_cCommonSNMPTableVlan.AddValue(*pOid, 4);
    // A walk that cannot start ends as a failed one: the buttons come back.
    if (!m_cCommonSNMPTableVlan.StartAsync(&C8021qVlanSet::OnStaticVlanReply, this))
        EndStaticVlanWalk(false);
}

int C8021qVlanSet::OnStaticVlanReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<C8021qVlanSet*>(pUserData);
    CCommonSNMP& session = pThis->m_cCommonSNMPTableVlan;
    if (!session.FindRequestID(nRequestID))
        return 0;
    // The end of the table or a failure: either way the walk is over.
    if (nStatus != 0) {
        pThis->EndStaticVlanWalk(nStatus == SnmpStatusEndOfWalk);
        return 0;
    }
    pThis->StoreStaticVlanRow(pResponse.get());
    pResponse.reset();
    if (!session.StartAsync(&C8021qVlanSet::OnStaticVlanReply, pThis))
        pThis->EndStaticVlanWalk(false);
    return 0;
}

void C8021qVlanSet::StoreStaticVlanRow(CSnmp* pResponse)
{
    VLAN_entry_info record;
    std::string strRowStatus;
    // Every binding of a row carries the row's index, the VLAN id.
    std::string strSuffix;
    m_cCommonSNMPTableVlan.GetIndexSuffix(0, pResponse, strSuffix);
    record.nVid = CUtils::RowVlanId(strSuffix);
    // Only values of the column's type count: a name or a port bitmap served
    // as a number is unknown, never decoded from its text.
    std::string strName;
    std::string strEgress;
    std::string strUntagged;
    if (CModuleBase::OctetValue(pResponse, 0, strName))
        CCodeConvert::Utf8ToAnsi(strName, record.szName);
    const bool bEgress = CModuleBase::OctetValue(pResponse, 1, strEgress);
    const bool bUntagged = CModuleBase::OctetValue(pResponse, 2, strUntagged);
    if (bEgress)
        record.szEgressPorts = CUtils::PortBitmapToList(strEgress, record.nEgressCount);
    if (bUntagged)
        record.szUntaggedPorts = CUtils::PortBitmapToList(strUntagged, record.nUntaggedCount);
    strRowStatus = CModuleBase::EnumText(pResponse, 3, {1, 2, 3, 4, 5, 6});
    record.bPortsRead = bEgress && bUntagged;
    // Rows that are not active (one being created, say) are neither listed
    // nor kept, and neither are rows whose index no VLAN can have.
    if (strRowStatus != "1" || record.nVid == 0)
        return;

    record.nNonMemberCount = g_nPortCount - record.nEgressCount - record.nForbiddenCount;
    std::lock_guard lock(m_csData);
    m_VlanBuilding.push_back(record);
}

void C8021qVlanSet::EndStaticVlanWalk(bool bComplete)
{
    bool bKeptLast = false;
    if (bComplete) {
        VLAN_entry_list records;
        {
            std::lock_guard lock(m_csData);
            m_pVlanList = m_VlanBuilding;
            m_bListRead = true;
            records = m_pVlanList;
        }
        // Carried to the UI thread; the lock is not held meanwhile.
        ShowVlanList(records);
    } else {
        std::lock_guard lock(m_csData);
        bKeptLast = m_bListRead;
    }
    m_cCommonSNMPTableVlan.SignalDone();
    EndRead(bComplete ? nullptr : kVlanListText, bKeptLast);
}

void C8021qVlanSet::ShowVlanList(const VLAN_entry_list& records)
{
    m_listVlan.DeleteAllItems();
    for (size_t i = 0; i < records.size(); ++i) {
        const VLAN_entry_info& record = records[i];
        const int nRow = static_cast<int>(i);
        m_listVlan.SetOrInsertItemText(nRow, 0, std::to_string(record.nVid).c_str(), -1);
        m_listVlan.SetOrInsertItemText(nRow, 1, record.szName.c_str(), -1);
        // Member ports the switch did not give are shown as unknown: empty.
        const bool bKnown = record.bPortsRead;
        m_listVlan.SetOrInsertItemText(nRow, 2, bKnown ? std::to_string(record.nEgressCount).c_str() : "", -1);
        m_listVlan.SetOrInsertItemText(
            nRow, 3, bKnown ? TaggedPortList(record.szEgressPorts, record.szUntaggedPorts).c_str() : "", -1);
        m_listVlan.SetOrInsertItemText(nRow, 4, bKnown ? record.szUntaggedPorts.c_str() : "", -1);
    }
    // The untagged members take the width they need (never less than the
    // column's own); the list scrolls sideways to them.
    constexpr int kUntaggedColumn = 4;
    m_listVlan.SetColumnWidth(kUntaggedColumn, LVSCW_AUTOSIZE_USEHEADER);
    if (m_listVlan.GetColumnWidth(kUntaggedColumn) < kVlanListColumns[kUntaggedColumn].width)
        m_listVlan.SetColumnWidth(kUntaggedColumn, kVlanListColumns[kUntaggedColumn].width);
}

void C8021qVlanSet::EndRead(const char* pszFailed, bool bKeptLast)
{
    bool bLast = false;
    const char* pszSay = nullptr;
    bool bSayKept = false;
    {
        std::lock_guard lock(m_csData);
        // A failed read of the current refresh is kept until all of its reads
        // are in; then one is said, the list's before any other.
        if (pszFailed != nullptr && m_nPendingReads > 0 && (m_pszReadFailed == nullptr || pszFailed == kVlanListText)) {
            m_pszReadFailed = pszFailed;
            m_bReadFailedKept = bKeptLast;
        }
        if (m_nPendingReads > 0)
            bLast = --m_nPendingReads == 0;
        if (bLast) {
            pszSay = m_pszReadFailed;
            bSayKept = m_bReadFailedKept;
            m_pszReadFailed = nullptr;
        }
    }
    // Said on the UI thread.
    if (pszSay != nullptr)
        PostMessage(WM_READ_FAILED, bSayKept ? 1 : 0, reinterpret_cast<LPARAM>(pszSay));
    // The buttons come back once every read of the refresh is in, so that
    // Apply and Delete judge by what the switch holds; the lock is not held
    // while the UI thread carries this out.
    if (bLast)
        EnableWalkButtons(TRUE);
}

void C8021qVlanSet::EnableWalkButtons(BOOL bEnable)
{
    for (const WalkButton& button : kWalkButtons)
        EnableItem(button.nID, bEnable && (!button.bNeedsEditable || g_bVlanEditable));
}

void C8021qVlanSet::EnableItem(int nID, BOOL bEnable)
{
    if (CWnd* pItem = GetDlgItem(nID))
        pItem->EnableWindow(bEnable);
}

std::string C8021qVlanSet::TaggedPortList(const std::string& strEgress, const std::string& strUntagged)
{
    // Port numbers are compared, never used as indexes: a list may name a
    // port above the port count.
    std::set<int> untagged;
    for (const std::string& item : CVlanAddLogic::ListItems(strUntagged)) {
        const int nPort = std::atoi(item.c_str());
        if (nPort > 0)
            untagged.insert(nPort);
    }
    std::string strTagged;
    for (const std::string& item : CVlanAddLogic::ListItems(strEgress)) {
        const int nPort = std::atoi(item.c_str());
        if (nPort > 0 && untagged.count(nPort) == 0)
            strTagged += "," + item;
    }
    return strTagged.empty() ? strTagged : strTagged.substr(1);
}

void C8021qVlanSet::OnApplyAsymmetric()
{
    const std::string strNewState = m_chkAsymmetric.GetCheck() == BST_CHECKED ? "1" : "2";
    // Without a state the switch can mean, the box shows a guess: nothing is written from it.
    if (m_strAsymState != "1" && m_strAsymState != "2") {
        AfxMessageBox("The asymmetric VLAN state could not be read. Please refresh.");
        RestoreAsymmetricBox();
        return;
    }
    size_t nInterfaces = 0;
    int nVoiceState = 0;
    int nSurveillanceState = 0;
    bool bInterfacesRead = false;
    {
        std::lock_guard lock(m_csData);
        nInterfaces = m_arrIPIfVlan.size();
        nVoiceState = m_nVoiceVlanState;
        nSurveillanceState = m_nSurveillanceVlanState;
        bInterfacesRead = m_bIPIfRead;
    }
    // The rules below judge by what the switch holds: not by a guess.
    const char* pszUnread = !bInterfacesRead                              ? kIPInterfaceText
                            : nVoiceState == 0 || nSurveillanceState == 0 ? kVoiceText
                                                                          : nullptr;
    if (pszUnread != nullptr) {
        CReadReport::RefuseUnread(pszUnread);
        RestoreAsymmetricBox();
        return;
    }
    // A refused or cancelled change puts the box back as the switch has it:
    // Add, Edit and Delete take the mode from the box.
    if (strNewState != m_strAsymState && nInterfaces >= 2) {
        AfxMessageBox("Multiple Interfaces are set, the VLAN mode can not be changed.");
        RestoreAsymmetricBox();
        return;
    }
    if (nVoiceState == 1) {
        AfxMessageBox("Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\nIf you could disable it, "
                      "please set it through the web!");
        RestoreAsymmetricBox();
        return;
    }
    if (nSurveillanceState == 1) {
        AfxMessageBox("Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!");
        RestoreAsymmetricBox();
        return;
    }
    if (AfxMessageBox("The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be reset to "
                      "default.",
                      MB_OKCANCEL) != IDOK) {
        RestoreAsymmetricBox();
        return;
    }

    m_cCommonSNMP.Open(3);
    m_cCommonSNMP.AddValue(kAsymmetricState, 1, strNewState);
    CWriteReport report;
    if (!report.Send(m_cCommonSNMP, "the asymmetric VLAN state")) {
        report.Report();
        // A switch that did not answer is not asked again now.
        if (report.TimedOut()) {
            m_chkAsymmetric.SetCheck(m_strAsymState == "1" ? BST_CHECKED : BST_UNCHECKED);
            return;
        }
        RestoreAsymmetricBox();
    }
    RefreshAll();
}

void C8021qVlanSet::RestoreAsymmetricBox()
{
    // The state last read, unless the switch tells otherwise now.
    m_chkAsymmetric.SetCheck(m_strAsymState == "1" ? BST_CHECKED : BST_UNCHECKED);
    ReadAsymmetricState();
}

VLAN_entry_list C8021qVlanSet::CopyVlanList() const
{
    std::lock_guard lock(m_csData);
    return m_pVlanList;
}

void C8021qVlanSet::RunVlanAddDialog(BYTE bAdd, int nVid)
{
    // The nested dialog reads a copy that no walk of ours changes meanwhile.
    const VLAN_entry_list records = CopyVlanList();
    CKSXVlanAdd dialog;
    dialog.m_bAdd = bAdd;
    dialog.m_nPortCount = m_nPortCount;
    dialog.m_pVlanList = &records;
    dialog.m_nAsymMode = m_chkAsymmetric.GetCheck() == BST_CHECKED ? 1 : 2;
    dialog.m_nVid = nVid;
    if (dialog.DoModal() == IDOK)
        RefreshAll();
}

void C8021qVlanSet::OnAdd()
{
    if (m_listVlan.GetItemCount() >= kMaxVlanRows) {
        AfxMessageBox(" Number of VLAN group is over limit");
        return;
    }
    RunVlanAddDialog(1, 0);
}

bool C8021qVlanSet::SelectedVlanId(const char* pszNoSelection, std::string& strVid)
{
    if (m_listVlan.GetItemCount() == 0) {
        AfxMessageBox(pszNoSelection);
        return false;
    }
    const int nRow = m_listVlan.GetNextItem(-1, LVNI_SELECTED);
    if (nRow < 0) {
        AfxMessageBox(pszNoSelection, MB_ICONINFORMATION);
        return false;
    }
    strVid = m_listVlan.GetItemText(nRow, 0);
    return true;
}

void C8021qVlanSet::OnEdit()
{
    std::string strVid;
    if (!SelectedVlanId("Please select the VLAN !", strVid))
        return;
    const int nVid = std::atoi(strVid.c_str());
    if (nVid <= 0) {
        AfxMessageBox("Invalid VLAN ID!");
        return;
    }
    // Ports the switch did not give are not known: editing would write them
    // as none.
    const VLAN_entry_list records = CopyVlanList();
    for (const VLAN_entry_info& record : records) {
        if (record.nVid == nVid && !record.bPortsRead) {
            AfxMessageBox("The member ports of VLAN " + strVid + " could not be read. Refresh and try again.");
            return;
        }
    }
    RunVlanAddDialog(0, nVid);
}

BOOL C8021qVlanSet::CanDeleteVlan(const std::string& strVid)
{
    const int nVid = std::atoi(strVid.c_str());
    const bool bAsymmetric = m_chkAsymmetric.GetCheck() == BST_CHECKED;
    const char* pszRefusal = nullptr;
    const char* pszUnread = nullptr;
    {
        std::lock_guard lock(m_csData);
        const size_t nPorts = std::min(m_pPvid.size(), static_cast<size_t>(std::max(m_nPortCount, 0)));
        const auto begin = m_pPvid.begin();
        const auto end = m_pPvid.begin() + static_cast<long>(nPorts);
        // What holds a VLAN must have been read: an unknown PVID, voice or
        // surveillance VLAN or IP interface may be this one.
        const auto unknownVid = [](int nState, int nHeldVid) { return nState == 0 || (nState == 1 && nHeldVid == 0); };
        if (strVid == "1")
            pszRefusal = "Can't delete the default VLAN!";
        else if (bAsymmetric && (!m_bPvidsRead || std::find(begin, end, 0) != end))
            pszUnread = kPvidText;
        else if (unknownVid(m_nVoiceVlanState, m_nVoiceVid) || unknownVid(m_nSurveillanceVlanState, m_nSurveillanceVid))
            pszUnread = kVoiceText;
        else if (!m_bIPIfRead)
            pszUnread = kIPInterfaceText;
        else if (bAsymmetric && std::find(m_pPvid.begin(), m_pPvid.begin() + static_cast<long>(nPorts), nVid) !=
                                    m_pPvid.begin() + static_cast<long>(nPorts))
            pszRefusal = "The VID is one of The PVID, so it cannot be deleted.";
        else if (m_nVoiceVlanState == 1 && nVid == m_nVoiceVid)
            pszRefusal = "The VLAN ID is Voice VLAN ID.";
        else if (m_nSurveillanceVlanState == 1 && nVid == m_nSurveillanceVid)
            pszRefusal = "The VLAN ID is Surveillance VLAN ID.";
        else if (std::find(m_arrIPIfVlan.begin(), m_arrIPIfVlan.end(), strVid) != m_arrIPIfVlan.end())
            pszRefusal = "The VLAN ID is IP Interface VLAN.";
    }
    if (pszUnread != nullptr) {
        CReadReport::RefuseUnread(pszUnread);
        return FALSE;
    }
    if (pszRefusal == nullptr)
        return TRUE;
    AfxMessageBox(pszRefusal);
    return FALSE;
}

void C8021qVlanSet::OnDelete()
{
    std::string strVid;
    if (!SelectedVlanId("Please select the VLAN want to be deleted!", strVid))
        return;
    if (!CanDeleteVlan(strVid))
        return;
    const std::string strQuestion =
        "The VLAN " + strVid + " settings in IGMP Snooping and MAC Address Table maybe be affected, continue?";
    if (AfxMessageBox(strQuestion, MB_OKCANCEL) != IDOK) {
        RefreshAll();
        return;
    }
    m_cCommonSNMPTableVlanDelete.Open(3);
    m_cCommonSNMPTableVlanDelete.AddValue(kVlanRowStatusColumn + "." + strVid, 1, "6");
    CWriteReport report;
    // A switch that did not answer is not asked again now.
    if (!report.Send(m_cCommonSNMPTableVlanDelete, "the deletion of VLAN " + strVid) && report.Report() &&
        report.TimedOut())
        return;
    RefreshAll();
}

void C8021qVlanSet::OnRefresh()
{
    RefreshAll();
}

void C8021qVlanSet::OnPvid()
{
    // The nested dialog reads a copy that no walk of ours changes meanwhile.
    // The records are all it needs of the list.
    const VLAN_entry_list records = CopyVlanList();
    CKSXPVIDConfig dialog;
    dialog.m_pVlanList = &records;
    dialog.DoModal();
    // Also after Cancel: a write refused half-way has changed some PVIDs.
    RefreshAll();
}

void C8021qVlanSet::OnListDblClk(NMHDR* /*pNMHDR*/, LRESULT* pResult)
{
    *pResult = 0;
    if (g_bVlanEditable)
        OnEdit();
}
