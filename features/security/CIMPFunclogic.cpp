#include "features/security/CIMPFunclogic.h"

#include "common/CEditEXIPV6.h"
#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

const std::string kRoot = KorvelOid("10.76.19.1.14.10");
const std::string kPortTable = kRoot + ".1.1";
const std::string kLearnedTable = kRoot + ".2.1";
const std::string kWhiteListTable = kRoot + ".3.1";
const std::string kBlackListTable = kRoot + ".4.1";
const std::string kScanFrom = kRoot + ".5.0";
const std::string kScanTo = kRoot + ".6.0";
const std::string kScanStart = kRoot + ".7.0";

constexpr int kLearnedWalkTimeoutMs = 6000;
constexpr DWORD kWhiteListAddPauseMs = 500;
constexpr DWORD kScanPauseMs = 50;

bool IsIPv6(const std::string& strIP)
{
    return strIP.find(':') != std::string::npos;
}

std::string WithoutColons(std::string strText)
{
    strText.erase(std::remove(strText.begin(), strText.end(), ':'), strText.end());
    return strText;
}

// The first six octets of a MAC value as "00-1A-2B-3C-4D-5E"; octets the
// value lacks count as zero.
std::string BindingMacText(const std::string& strBytes)
{
    unsigned char octets[6] = {};
    std::copy_n(strBytes.begin(), std::min<size_t>(strBytes.size(), 6), octets);
    char szMac[18];
    std::snprintf(szMac, sizeof szMac, "%02X-%02X-%02X-%02X-%02X-%02X", octets[0], octets[1], octets[2], octets[3],
                  octets[4], octets[5]);
    return szMac;
}

} // namespace

CIMPFunclogic::CIMPFunclogic() = default;

CIMPFunclogic::~CIMPFunclogic()
{
    // No call-back of ours may run once the rows go.
    CloseSessions();
}

void CIMPFunclogic::CloseSessions()
{
    m_cSnmpEntryWalk.Close();
    m_cSnmpSet.Close();
    m_cSnmpPortWalk.Close();
}

void CIMPFunclogic::Notify(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ::SendMessage(m_hOwnerWnd, message, wParam, lParam);
}

// --- Walks ---

void CIMPFunclogic::StartPortTableWalk()
{
    m_cSnmpPortWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_PortRows.clear();
    }
    for (const char* pszColumn : {".1", ".2", ".3", ".4"})
        m_cSnmpPortWalk.AddValue(kPortTable + pszColumn, SnmpValueNull);
    // A walk that cannot start ends here, failed.
    if (!m_cSnmpPortWalk.StartAsync(&CIMPFunclogic::OnPortTableReply, this, 0)) {
        m_bPortWalkComplete = false;
        Notify(WM_IMPB_PORT_NOTIFY, kNotifyEnd, 0);
    }
}

int CIMPFunclogic::OnPortTableReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CIMPFunclogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpPortWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        pThis->m_bPortWalkComplete = nStatus == SnmpStatusEndOfWalk;
        if (nStatus == SnmpStatusEndOfWalk) {
            std::vector<IMPB_port_info> rows;
            {
                std::lock_guard lock(pThis->m_csRows);
                rows = pThis->m_PortRows;
            }
            for (IMPB_port_info& row : rows)
                pThis->Notify(WM_IMPB_PORT_NOTIFY, kNotifyRow, reinterpret_cast<LPARAM>(&row));
        }
        session.SignalDone();
        pThis->Notify(WM_IMPB_PORT_NOTIFY, kNotifyEnd, 0);
        return 0;
    }
    // The row's index is its port: a port the switch does not have is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    if (const int nPort = CUtils::RowPort(strSuffix); nPort != 0) {
        IMPB_port_info row;
        row.strPort = std::to_string(nPort);
        row.strAdminState = CModuleBase::ValueText(pResponse.get(), 1);
        row.strInspectIP = CModuleBase::ValueText(pResponse.get(), 2);
        row.strDhcpSnooping = CModuleBase::ValueText(pResponse.get(), 3);
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_PortRows.push_back(row);
    }
    session.StartRequest(&CIMPFunclogic::OnPortTableReply, pThis, 0, 0);
    return 0;
}

void CIMPFunclogic::StartLearnedWalk()
{
    StartEntryWalk(EntryTable::Learned);
}

void CIMPFunclogic::StartWhiteListWalk()
{
    StartEntryWalk(EntryTable::WhiteList);
}

void CIMPFunclogic::StartBlackListWalk()
{
    StartEntryWalk(EntryTable::BlackList);
}

void CIMPFunclogic::StartEntryWalk(EntryTable table)
{
    // Opening stops another entry walk that still runs.
    m_cSnmpEntryWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csRows);
        m_EntryRows.clear();
    }
    SnmpCallback pfnReply = nullptr;
    int nTimeout = 0;
    switch (table) {
    case EntryTable::Learned:
        for (const char* pszColumn : {".1", ".4", ".2", ".3", ".5"})
            m_cSnmpEntryWalk.AddValue(kLearnedTable + pszColumn, SnmpValueNull);
        pfnReply = &CIMPFunclogic::OnLearnedReply;
        nTimeout = kLearnedWalkTimeoutMs;
        break;
    case EntryTable::WhiteList:
        m_nWhiteListCount = 0;
        for (const char* pszColumn : {".1", ".2", ".3", ".4"})
            m_cSnmpEntryWalk.AddValue(kWhiteListTable + pszColumn, SnmpValueNull);
        pfnReply = &CIMPFunclogic::OnWhiteListReply;
        break;
    case EntryTable::BlackList:
        for (const char* pszColumn : {".1", ".2", ".3", ".4", ".5"})
            m_cSnmpEntryWalk.AddValue(kBlackListTable + pszColumn, SnmpValueNull);
        pfnReply = &CIMPFunclogic::OnBlackListReply;
        break;
    }
    // A walk that cannot start ends here, failed.
    if (!m_cSnmpEntryWalk.StartAsync(pfnReply, this, nTimeout)) {
        m_bEntryWalkComplete = false;
        Notify(WM_IMPB_ENTRY_NOTIFY, kNotifyEnd, 0);
    }
}

int CIMPFunclogic::OnLearnedReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    return OnEntryReply(pResponse, nRequestID, pUserData, nStatus, EntryTable::Learned);
}

int CIMPFunclogic::OnWhiteListReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    return OnEntryReply(pResponse, nRequestID, pUserData, nStatus, EntryTable::WhiteList);
}

int CIMPFunclogic::OnBlackListReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    return OnEntryReply(pResponse, nRequestID, pUserData, nStatus, EntryTable::BlackList);
}

int CIMPFunclogic::OnEntryReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus, EntryTable table)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CIMPFunclogic*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpEntryWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != 0 || !pResponse) {
        pThis->m_bEntryWalkComplete = nStatus == SnmpStatusEndOfWalk;
        if (nStatus == SnmpStatusEndOfWalk) {
            std::vector<IMPB_entry_info> rows;
            {
                std::lock_guard lock(pThis->m_csRows);
                rows = pThis->m_EntryRows;
            }
            for (IMPB_entry_info& row : rows)
                pThis->Notify(WM_IMPB_ENTRY_NOTIFY, kNotifyRow, reinterpret_cast<LPARAM>(&row));
        }
        session.SignalDone();
        pThis->Notify(WM_IMPB_ENTRY_NOTIFY, kNotifyEnd, 0);
        return 0;
    }
    CSnmp* p = pResponse.get();
    IMPB_entry_info row;
    switch (table) {
    case EntryTable::Learned:
        row.strMac = BindingMacText(CModuleBase::ValueText(p, 0));
        row.strVid = CModuleBase::ValueText(p, 1);
        row.strPort = CModuleBase::ValueText(p, 2);
        row.strIP = CModuleBase::ValueText(p, 3);
        row.strState = CModuleBase::ValueText(p, 4);
        break;
    case EntryTable::WhiteList: {
        std::string strSuffix;
        session.GetIndexSuffix(0, p, strSuffix);
        if (!strSuffix.empty())
            row.strIP = CModuleBase::ValueText(p, 0);
        row.strMac = BindingMacText(CModuleBase::ValueText(p, 1));
        row.strPort = CModuleBase::ValueText(p, 2);
        row.strState = CModuleBase::ValueText(p, 3);
        ++pThis->m_nWhiteListCount;
        break;
    }
    case EntryTable::BlackList: {
        row.strMac = BindingMacText(CModuleBase::ValueText(p, 0));
        row.strVid = CModuleBase::ValueText(p, 1);
        row.strPort = CModuleBase::ValueText(p, 2);
        const std::string strIP = CModuleBase::ValueText(p, 3);
        row.strIP = strIP.find('.') != std::string::npos ? strIP : CUtils::CompressIPv6(strIP);
        row.strState = CModuleBase::ValueText(p, 4);
        break;
    }
    }
    {
        std::lock_guard lock(pThis->m_csRows);
        pThis->m_EntryRows.push_back(row);
    }
    session.StartRequest(table == EntryTable::Learned       ? &CIMPFunclogic::OnLearnedReply
                         : table == EntryTable::WhiteList ? &CIMPFunclogic::OnWhiteListReply
                                                          : &CIMPFunclogic::OnBlackListReply,
                         pThis, 0, table == EntryTable::Learned ? kLearnedWalkTimeoutMs : 0);
    return 0;
}

// --- Index forms ---

std::string CIMPFunclogic::WhiteListIndex(const IMPB_entry_key& entry)
{
    const std::string strMacSuffix = CUtils::HexToOidSuffix(entry.strMac);
    if (!IsIPv6(entry.strIP))
        return ".4." + entry.strIP + strMacSuffix;
    return ".16" + CUtils::HexToOidSuffix(WithoutColons(CUtils::ExpandIPv6(entry.strIP))) + strMacSuffix;
}

std::string CIMPFunclogic::LearnedIndex(const IMPB_entry_key& entry)
{
    const std::string strMacSuffix = CUtils::HexToOidSuffix(entry.strMac);
    if (!IsIPv6(entry.strIP))
        return strMacSuffix + "." + entry.strPort + ".4." + entry.strIP;
    return strMacSuffix + "." + entry.strPort + ".16" + CUtils::HexToOidSuffix(WithoutColons(entry.strIP));
}

std::string CIMPFunclogic::BlackListIndex(const IMPB_entry_key& entry)
{
    return CUtils::HexToOidSuffix(entry.strMac) + "." + entry.strVid + "." + entry.strPort;
}

// --- Writes ---

BOOL CIMPFunclogic::SetPortRange(const std::string& strFrom, const std::string& strTo, const IMPB_port_info& values,
                                 CWriteReport* pReport)
{
    CWriteReport local;
    CWriteReport& report = pReport != nullptr ? *pReport : local;
    // Ports of this switch only; the first port the switch refuses or leaves
    // unanswered ends the range.
    const int nFrom = std::max(std::atoi(strFrom.c_str()), 1);
    const int nTo = std::min(std::atoi(strTo.c_str()), g_nPortCount);
    for (int nPort = nFrom; nPort <= nTo; ++nPort) {
        const std::string strIndex = "." + std::to_string(nPort);
        m_cSnmpSet.Open(SnmpPduSet);
        m_cSnmpSet.AddValue(kPortTable + ".2" + strIndex, SnmpValueInteger, values.strAdminState);
        m_cSnmpSet.AddValue(kPortTable + ".3" + strIndex, SnmpValueInteger, values.strInspectIP);
        m_cSnmpSet.AddValue(kPortTable + ".4" + strIndex, SnmpValueInteger, values.strDhcpSnooping);
        if (!report.Send(m_cSnmpSet, "the binding settings of port " + std::to_string(nPort))) {
            report.SetProgress(CWriteReport::PortProgress("Ports", nFrom, nPort));
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CIMPFunclogic::CheckAggregatedPorts(const std::string& strFrom, const std::string& strTo,
                                         const std::string& strState)
{
    // Only enabling is judged: the walk (and, on a silent switch, its
    // time-out) is spared otherwise.
    if (strState != "1")
        return TRUE;
    // The membership this walk delivers (or, when it fails, the last
    // complete one) is what the range is judged by.
    StartTrunkWalk();
    m_cSnmpTrunkWalk.WaitDone();
    const std::vector<int> trunkPorts = GetTrunkPorts();
    const int nFrom = std::max(std::atoi(strFrom.c_str()), 1);
    const int nTo = std::min(std::atoi(strTo.c_str()), static_cast<int>(trunkPorts.size()));
    for (int nPort = nFrom; nPort <= nTo; ++nPort) {
        if (trunkPorts[static_cast<size_t>(nPort - 1)] != 0)
            return FALSE;
    }
    return TRUE;
}

BOOL CIMPFunclogic::SetWhiteListEntry(const IMPB_entry_info& entry, int nAction, CWriteReport* pReport)
{
    if (nAction != kActionAdd && nAction != kActionDelete)
        return FALSE;
    CWriteReport local;
    CWriteReport& report = pReport != nullptr ? *pReport : local;
    const std::string strIndex = WhiteListIndex(entry);
    const std::string strRowStatus = kWhiteListTable + ".4" + strIndex;
    const std::string strEntry = "the white list entry " + entry.strIP;
    OutputDebugString(CUtils::HexToOidSuffix(entry.strMac).c_str());
    OutputDebugString(strRowStatus.c_str());
    auto setRowStatus = [&](CWriteReport& into, const char* pszValue, const std::string& strWhat) {
        m_cSnmpSet.Open(SnmpPduSet);
        m_cSnmpSet.AddValue(strRowStatus, SnmpValueInteger, pszValue);
        return into.Send(m_cSnmpSet, strWhat);
    };
    if (nAction == kActionDelete)
        return setRowStatus(report, "6", "the deletion of " + strEntry) ? TRUE : FALSE;
    if (!setRowStatus(report, "5", strEntry))
        return FALSE;
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kWhiteListTable + ".3" + strIndex, SnmpValueInteger, entry.strPort);
    if (report.Send(m_cSnmpSet, "the port of " + strEntry)) {
        Sleep(kWhiteListAddPauseMs);
        if (setRowStatus(report, "1", "the activation of " + strEntry)) {
            AfxMessageBox("Success.");
            return TRUE;
        }
    }
    // A row left waiting is no entry: it goes again, unless the switch is
    // silent (one time-out per action).
    if (!report.TimedOut()) {
        CWriteReport cleanup;
        setRowStatus(cleanup, "6", strEntry);
    }
    return FALSE;
}

BOOL CIMPFunclogic::BindLearnedEntry(const IMPB_entry_info& entry, CWriteReport* pReport)
{
    CWriteReport local;
    CWriteReport& report = pReport != nullptr ? *pReport : local;
    OutputDebugString(CUtils::HexToOidSuffix(entry.strMac).c_str());
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kLearnedTable + ".5" + LearnedIndex(entry), SnmpValueInteger, entry.strState);
    return report.Send(m_cSnmpSet, "the binding of " + entry.strIP) ? TRUE : FALSE;
}

BOOL CIMPFunclogic::DeleteBlackListEntry(const IMPB_entry_info& entry, CWriteReport* pReport)
{
    CWriteReport local;
    CWriteReport& report = pReport != nullptr ? *pReport : local;
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kBlackListTable + ".5" + BlackListIndex(entry), SnmpValueInteger, "1");
    return report.Send(m_cSnmpSet, "the deletion of the black list entry " + entry.strMac) ? TRUE : FALSE;
}

BOOL CIMPFunclogic::StartScan(const IMPB_scan_info& scan, CWriteReport* pReport)
{
    CWriteReport local;
    CWriteReport& report = pReport != nullptr ? *pReport : local;
    if (m_pScanFrom != nullptr && m_pScanTo != nullptr) {
        m_cSnmpSet.Open(SnmpPduSet);
        m_pScanFrom->AddAddressValue(&m_cSnmpSet, kScanFrom);
        m_pScanTo->AddAddressValue(&m_cSnmpSet, kScanTo);
        if (!report.Send(m_cSnmpSet, "the scan range"))
            return FALSE;
        Sleep(kScanPauseMs);
    }
    m_cSnmpSet.Open(SnmpPduSet);
    m_cSnmpSet.AddValue(kScanStart, SnmpValueInteger, scan.strStart);
    return report.Send(m_cSnmpSet, "the start of the scan") ? TRUE : FALSE;
}
