#include "features/poe_rmon/CRMON.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "features/poe_rmon/RmonDialogs.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/snmp/SnmpPduType.h"
#include "platform/snmp/SnmpStatus.h"
#include "platform/snmp/SnmpValueType.h"
#include "platform/system/DebugTrace.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <memory>

namespace {

const std::string kGlobalState = KorvelOid("10.76.19.1.47.1.0");
const std::string kEthernetEntry = KorvelOid("10.76.19.1.47.2.1.1");
const std::string kHistoryEntry = KorvelOid("10.76.19.1.47.3.1.1");
const std::string kAlarmEntry = KorvelOid("10.76.19.1.47.4.1.1");
const std::string kEventEntry = KorvelOid("10.76.19.1.47.5.1.1");
const std::string kCommunityNames = KorvelOid("10.76.19.1.25.5.1.1.1");
const std::string kIfIndexColumn = "1.3.6.1.2.1.2.2.1.1";
constexpr int kEventWalkTimeout = 6000;
// Indexes an RMON row can have.

std::string Column(const std::string& entry, int nColumn)
{
    return entry + "." + std::to_string(nColumn);
}

std::string Instance(const std::string& column, int nIndex)
{
    return column + "." + std::to_string(nIndex);
}

std::vector<std::string> Columns(const std::string& entry, int nCount, std::vector<std::string> more = {})
{
    std::vector<std::string> columns;
    for (int c = 1; c <= nCount; ++c)
        columns.push_back(Column(entry, c));
    columns.insert(columns.end(), more.begin(), more.end());
    return columns;
}

// The record of the index in a list, appended (defaults, with the index) when
// there is none.
template <class Record, class IndexOf> Record& RecordOf(std::vector<Record>& list, int nIndex, IndexOf indexOf)
{
    auto it = std::find_if(list.begin(), list.end(), [&](Record& r) { return indexOf(r) == nIndex; });
    if (it != list.end())
        return *it;
    list.emplace_back();
    indexOf(list.back()) = nIndex;
    return list.back();
}

// BER types of the cells the walks read.
constexpr int kIntegerType = 0x02;
constexpr int kOctetStringType = 0x04;
constexpr int kObjectIdType = 0x06;
constexpr int kCounterType = 0x41;
constexpr int kTimeTicksType = 0x43;
// EntryStatus of a row whose status cell is not an INTEGER: never valid.
constexpr int kStatusUnknown = 0;

// An INTEGER cell within [nLow, nHigh] into nValue; false (nValue kept) for
// any other.
bool IntegerOf(int nType, const std::string& strText, long long nLow, long long nHigh, int& nValue)
{
    if (nType != kIntegerType || strText.empty())
        return false;
    const long long nRead = std::strtoll(strText.c_str(), nullptr, 10);
    if (nRead < nLow || nRead > nHigh)
        return false;
    nValue = static_cast<int>(nRead);
    return true;
}

bool CounterOf(int nType, const std::string& strText, unsigned int& uValue)
{
    if (nType != kCounterType || strText.empty())
        return false;
    uValue = CRMON::ToCounter(strText);
    return true;
}

bool TextOf(int nType, const std::string& strText, std::string& strValue)
{
    if (nType != kOctetStringType)
        return false;
    strValue = strText;
    return true;
}

// A data source: the ifIndex instance of a port the switch has.
bool PortOf(int nType, const std::string& strText, int& nPort)
{
    const std::string strPrefix = kIfIndexColumn + ".";
    std::string strOid = strText;
    if (!strOid.empty() && strOid[0] == '.')
        strOid.erase(0, 1);
    if (nType != kObjectIdType || strOid.rfind(strPrefix, 0) != 0)
        return false;
    const std::string strPort = strOid.substr(strPrefix.size());
    if (strPort.empty() || strPort.find_first_not_of("0123456789") != std::string::npos || strPort.size() > 9)
        return false;
    const int nRead = std::atoi(strPort.c_str());
    if (nRead < 1 || nRead > g_nPortCount)
        return false;
    nPort = nRead;
    return true;
}

int StatusOf(int nType, const std::string& strText)
{
    return nType == kIntegerType ? CRMON::ToNumber(strText) : kStatusUnknown;
}

void MarkKnown(unsigned int& uKnown, int nPosition, bool bKnown)
{
    if (bKnown)
        uKnown |= 1U << nPosition;
    else
        uKnown &= ~(1U << nPosition);
}

} // namespace

CRMON::CRMON() = default;

CRMON::~CRMON()
{
    // The walks' call-backs write this object's lists: no call-back may run
    // once it goes, and none tells the owner of an end any more.
    m_hOwnerWnd = nullptr;
    CloseSessions();
}

void CRMON::CloseSessions()
{
    m_cSnmpTrunkWalk.Close();
    m_cSnmpAlarmWalk.Close();
    m_cSnmpCommunityWalk.Close();
    m_cSnmpGetSet.Close();
}

int CRMON::ParseIndexSuffix(const std::string& strSuffix)
{
    const std::size_t dot = strSuffix.find('.');
    if (dot == std::string::npos)
        return -1;
    return ToNumber(strSuffix.substr(dot + 1));
}

int CRMON::ToNumber(const std::string& strText)
{
    const long long value = std::strtoll(strText.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

unsigned int CRMON::ToCounter(const std::string& strText)
{
    std::size_t i = 0;
    while (i < strText.size() && std::isspace(static_cast<unsigned char>(strText[i])))
        ++i;
    if (i < strText.size() && strText[i] == '-')
        return 0;
    const unsigned long long value = std::strtoull(strText.c_str(), nullptr, 10);
    return static_cast<unsigned int>(std::min<unsigned long long>(value, UINT_MAX));
}

std::string CRMON::DataSource(int nPort)
{
    return Instance(kIfIndexColumn, nPort);
}

// --- Global state ---

BOOL CRMON::GetState(int* pnOn)
{
    m_cSnmpGetSet.Open(SnmpPduGet);
    m_cSnmpGetSet.AddValue(kGlobalState, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    if (m_cSnmpGetSet.send(pResponse, 0) != SnmpStatusOk || !pResponse ||
        pResponse->getError(&nErrorStatus, &nErrorIndex) != 0 || nErrorStatus != 0)
        return FALSE;
    // Only an INTEGER 1 or 2 is a state; anything else is unknown.
    const std::string strState = EnumText(pResponse.get(), 0, {1, 2});
    *pnOn = strState == "1" ? 1 : strState == "2" ? 0 : -1;
    return TRUE;
}

BOOL CRMON::SetState(int* pnOn, CWriteReport* pReport)
{
    return SetOne(kGlobalState, *pnOn == 1 ? "1" : "2", SnmpValueInteger, pReport, "the RMON state");
}

// --- Walks ---

int CRMON::StartWalk(CCommonSNMP& session, const std::vector<std::string>& columns, SnmpCallback pfnCallback,
                     int nTimeout)
{
    session.Open(SnmpPduGetNext);
    for (const std::string& column : columns)
        session.AddValue(column, SnmpValueNull);
    return session.StartAsync(pfnCallback, this, nTimeout) ? 1 : 0;
}

int CRMON::StartTableWalk(int nTable, CCommonSNMP& session, const std::vector<std::string>& columns,
                          SnmpCallback pfnCallback, int nTimeout)
{
    {
        std::lock_guard lock(m_csLists);
        switch (nTable) {
        case kEthernetStatistics: m_buildEthernetStatistics.clear(); break;
        case kHistoryControl: m_buildHistoryControl.clear(); break;
        case kAlarm: m_buildAlarm.clear(); break;
        case kEvent: m_buildEvent.clear(); break;
        default: break;
        }
    }
    if (StartWalk(session, columns, pfnCallback, nTimeout))
        return 1;
    // A walk that cannot start ends at once, as a failed one.
    SendMessage(m_hOwnerWnd, WM_WALK_FINISHED, static_cast<WPARAM>(nTable), kWalkFailed);
    return 0;
}

int CRMON::StartEthernetStatisticsWalk()
{
    return StartTableWalk(kEthernetStatistics, m_cSnmpTrunkWalk,
                          Columns(kEthernetEntry, 4,
                                  {"1.3.6.1.2.1.16.1.1.1.3", "1.3.6.1.2.1.16.1.1.1.4", "1.3.6.1.2.1.16.1.1.1.5",
                                   "1.3.6.1.2.1.16.1.1.1.6", "1.3.6.1.2.1.16.1.1.1.7"}),
                          &CRMON::OnEthernetStatisticsReply, 0);
}

int CRMON::StartHistoryControlWalk()
{
    return StartTableWalk(kHistoryControl, m_cSnmpTrunkWalk, Columns(kHistoryEntry, 6, {"1.3.6.1.2.1.16.2.1.1.4"}),
                          &CRMON::OnHistoryControlReply, 0);
}

int CRMON::StartAlarmWalk()
{
    return StartTableWalk(kAlarm, m_cSnmpAlarmWalk, Columns(kAlarmEntry, 10), &CRMON::OnAlarmReply, 0);
}

int CRMON::StartEventWalk()
{
    return StartTableWalk(kEvent, m_cSnmpTrunkWalk, Columns(kEventEntry, 6, {"1.3.6.1.2.1.16.9.1.1.5"}),
                          &CRMON::OnEventReply, kEventWalkTimeout);
}

int CRMON::StartCommunityWalk()
{
    {
        std::lock_guard lock(m_csLists);
        m_buildCommunityNames.clear();
    }
    return StartWalk(m_cSnmpCommunityWalk, {kCommunityNames}, &CRMON::OnCommunityReply, 0);
}

int CRMON::StartAlarmRisingEventWalk()
{
    {
        std::lock_guard lock(m_csLists);
        m_buildAlarmRisingEvents.clear();
    }
    if (StartWalk(m_cSnmpAlarmWalk, {Column(kAlarmEntry, 7)}, &CRMON::OnAlarmRisingEventReply, 0))
        return 1;
    SendMessage(m_hOwnerWnd, WM_RMON_ALARM_EVENTS_READ, kAlarmRisingEvents, kWalkFailed);
    return 0;
}

int CRMON::OnEthernetStatisticsReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CRMON*>(pUserData);
    return pThis->OnTableReply(pResponse, nRequestID, nStatus, pThis->m_cSnmpTrunkWalk, kEthernetStatistics,
                               &CRMON::StoreEthernetStatisticsColumn, &CRMON::OnEthernetStatisticsReply);
}

int CRMON::OnHistoryControlReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CRMON*>(pUserData);
    return pThis->OnTableReply(pResponse, nRequestID, nStatus, pThis->m_cSnmpTrunkWalk, kHistoryControl,
                               &CRMON::StoreHistoryControlColumn, &CRMON::OnHistoryControlReply);
}

int CRMON::OnAlarmReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CRMON*>(pUserData);
    return pThis->OnTableReply(pResponse, nRequestID, nStatus, pThis->m_cSnmpAlarmWalk, kAlarm,
                               &CRMON::StoreAlarmColumn, &CRMON::OnAlarmReply);
}

int CRMON::OnEventReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CRMON*>(pUserData);
    return pThis->OnTableReply(pResponse, nRequestID, nStatus, pThis->m_cSnmpTrunkWalk, kEvent,
                               &CRMON::StoreEventColumn, &CRMON::OnEventReply);
}

int CRMON::OnTableReply(CSnmp* pResponseIn, int nRequestID, int nStatus, CCommonSNMP& session, int nTable,
                        StoreColumn store, SnmpCallback pfnSelf)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    if (!session.FindRequestID(nRequestID)) {
        OutputDebugString("FindRequestID");
        SendMessage(m_hOwnerWnd, WM_WALK_STALE, static_cast<WPARAM>(nTable), 0);
        return 0;
    }
    if (nStatus != 0) {
        OutputDebugString("iStatus != CSnmp4w::EC_NO_ERROR");
        // The end of the table: its rows replace the last ones. A failed walk
        // keeps the last complete rows.
        if (nStatus == SnmpStatusEndOfWalk)
            PublishTable(nTable);
        session.SignalDone();
        SendMessage(m_hOwnerWnd, WM_WALK_FINISHED, static_cast<WPARAM>(nTable),
                    nStatus == SnmpStatusEndOfWalk ? 0 : kWalkFailed);
        return 0;
    }

    const int nCount = pResponse ? pResponse->getVarBindCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        // A cell the table lacks at this row holds nothing to store.
        if (!HasValue(pResponse.get(), i))
            continue;
        std::string strSuffix;
        session.GetIndexSuffix(i, pResponse.get(), strSuffix);
        const int nIndex = ParseIndexSuffix(strSuffix);
        if (nIndex < kRmonFirstIndex || nIndex > kRmonLastIndex)
            continue;
        const std::string strValue = ValueText(pResponse.get(), i);
        int nType = 0;
        char* pszIgnored = nullptr;
        pResponse->getValue(i, &nType, &pszIgnored);
        {
            std::lock_guard lock(m_csLists);
            (this->*store)(nIndex, i, nType, strValue);
        }
        OutputDebugString(strValue);
    }
    pResponse.reset();
    if (!session.StartAsync(pfnSelf, this)) {
        session.SignalDone();
        SendMessage(m_hOwnerWnd, WM_WALK_FINISHED, static_cast<WPARAM>(nTable), kWalkFailed);
    }
    return 0;
}

void CRMON::PublishTable(int nTable)
{
    std::lock_guard lock(m_csLists);
    switch (nTable) {
    case kEthernetStatistics:
        m_listEthernetStatistics = m_buildEthernetStatistics;
        break;
    case kHistoryControl:
        m_listHistoryControl = m_buildHistoryControl;
        break;
    case kAlarm:
        m_listAlarm = m_buildAlarm;
        break;
    case kEvent:
        m_listEvent = m_buildEvent;
        break;
    default:
        return;
    }
    m_bTableRead[nTable] = true;
}

void CRMON::StoreEthernetStatisticsColumn(int nIndex, int nPosition, int nType, const std::string& strValue)
{
    RMON_ethernet_statistics_info& row = RecordOf(
        m_buildEthernetStatistics, nIndex, [](RMON_ethernet_statistics_info& r) -> int& { return r.control.nIndex; });
    bool bKnown = false;
    switch (nPosition) {
    case 1:
        bKnown = PortOf(nType, strValue, row.control.nPort);
        break;
    case 2:
        bKnown = TextOf(nType, strValue, row.control.strOwner);
        break;
    case 3:
        row.control.nStatus = StatusOf(nType, strValue);
        break;
    case 4:
        bKnown = CounterOf(nType, strValue, row.uDropEvents);
        break;
    case 5:
        bKnown = CounterOf(nType, strValue, row.uOctets);
        break;
    case 6:
        bKnown = CounterOf(nType, strValue, row.uPackets);
        break;
    case 7:
        bKnown = CounterOf(nType, strValue, row.uBroadcastPackets);
        break;
    case 8:
        bKnown = CounterOf(nType, strValue, row.uMulticastPackets);
        break;
    default: break;
    }
    MarkKnown(row.uKnown, nPosition, bKnown);
}

void CRMON::StoreHistoryControlColumn(int nIndex, int nPosition, int nType, const std::string& strValue)
{
    RMON_history_control_configuration& row = RecordOf(
        m_buildHistoryControl, nIndex, [](RMON_history_control_configuration& r) -> int& { return r.nIndex; });
    bool bKnown = false;
    switch (nPosition) {
    case 1:
        bKnown = PortOf(nType, strValue, row.nPort);
        break;
    case 2:
        bKnown = IntegerOf(nType, strValue, 1, kRmonLastIndex, row.nBucketsRequested);
        break;
    case 3:
        bKnown = IntegerOf(nType, strValue, 1, 3600, row.nInterval);
        break;
    case 4:
        bKnown = TextOf(nType, strValue, row.strOwner);
        break;
    case 5:
        row.nStatus = StatusOf(nType, strValue);
        break;
    case 6:
        bKnown = IntegerOf(nType, strValue, 0, kRmonLastIndex, row.nBucketsGranted);
        break;
    default: break;
    }
    MarkKnown(row.uKnown, nPosition, bKnown);
}

void CRMON::StoreAlarmColumn(int nIndex, int nPosition, int nType, const std::string& strValue)
{
    RMON_alarm_configuration& row =
        RecordOf(m_buildAlarm, nIndex, [](RMON_alarm_configuration& r) -> int& { return r.nIndex; });
    bool bKnown = false;
    switch (nPosition) {
    case 1:
        bKnown = IntegerOf(nType, strValue, 0, INT_MAX, row.nInterval);
        break;
    case 2:
        bKnown = nType == kObjectIdType;
        if (bKnown)
            row.strVariable = strValue;
        break;
    case 3:
        bKnown = IntegerOf(nType, strValue, 1, 2, row.nSampleType);
        break;
    case 4:
        bKnown = IntegerOf(nType, strValue, INT_MIN, INT_MAX, row.nRisingThreshold);
        break;
    case 5:
        bKnown = IntegerOf(nType, strValue, INT_MIN, INT_MAX, row.nFallingThreshold);
        break;
    case 6:
        bKnown = IntegerOf(nType, strValue, 0, kRmonLastIndex, row.nRisingEventIndex);
        break;
    case 7:
        bKnown = IntegerOf(nType, strValue, 0, kRmonLastIndex, row.nFallingEventIndex);
        break;
    case 8:
        bKnown = TextOf(nType, strValue, row.strOwner);
        break;
    case 9:
        row.nStatus = StatusOf(nType, strValue);
        break;
    default: break;
    }
    MarkKnown(row.uKnown, nPosition, bKnown);
}

void CRMON::StoreEventColumn(int nIndex, int nPosition, int nType, const std::string& strValue)
{
    RMON_event_configuration& row =
        RecordOf(m_buildEvent, nIndex, [](RMON_event_configuration& r) -> int& { return r.nIndex; });
    bool bKnown = false;
    switch (nPosition) {
    case 1:
        bKnown = TextOf(nType, strValue, row.strDescription);
        break;
    case 2:
        bKnown = IntegerOf(nType, strValue, 1, 4, row.nType);
        break;
    case 3:
        bKnown = TextOf(nType, strValue, row.strCommunity);
        break;
    case 4:
        bKnown = TextOf(nType, strValue, row.strOwner);
        break;
    case 5:
        row.nStatus = StatusOf(nType, strValue);
        break;
    case 6: // eventLastTimeSent, in hundredths of a second
        bKnown = nType == kTimeTicksType;
        row.strLastTimeSent =
            bKnown ? CUtils::FormatDuration(static_cast<unsigned int>(ToCounter(strValue) / 100)) : std::string();
        break;
    default: break;
    }
    MarkKnown(row.uKnown, nPosition, bKnown);
}

bool CRMON::OnTextReply(CSnmp* pResponseIn, int nStatus, CCommonSNMP& session,
                        std::vector<std::string>& building, std::vector<std::string>& published,
                        SnmpCallback pfnSelf)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    if (nStatus != 0) {
        OutputDebugString("iStatus != CSnmp4w::EC_NO_ERROR");
        if (nStatus == SnmpStatusEndOfWalk) {
            std::lock_guard lock(m_csLists);
            published = building;
        }
        session.SignalDone();
        return false;
    }
    const int nCount = pResponse ? pResponse->getVarBindCount() : 0;
    for (int i = 0; i < nCount; ++i) {
        if (!HasValue(pResponse.get(), i))
            continue;
        std::lock_guard lock(m_csLists);
        building.push_back(ValueText(pResponse.get(), i));
    }
    pResponse.reset();
    if (!session.StartAsync(pfnSelf, this)) {
        session.SignalDone();
        return false;
    }
    return true;
}

int CRMON::OnCommunityReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CRMON*>(pUserData);
    if (!pThis->m_cSnmpCommunityWalk.FindRequestID(nRequestID)) {
        OutputDebugString("FindRequestID");
        delete pResponse;
        return 0;
    }
    pThis->OnTextReply(pResponse, nStatus, pThis->m_cSnmpCommunityWalk, pThis->m_buildCommunityNames,
                       pThis->m_arrCommunityNames, &CRMON::OnCommunityReply);
    return 0;
}

int CRMON::OnAlarmRisingEventReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus)
{
    auto* pThis = static_cast<CRMON*>(pUserData);
    if (!pThis->m_cSnmpAlarmWalk.FindRequestID(nRequestID)) {
        OutputDebugString("FindRequestID");
        if (nStatus == 0)
            SendMessage(pThis->m_hOwnerWnd, WM_RMON_ALARM_EVENTS_READ, kAlarmRisingEvents, 0);
        delete pResponse;
        return 0;
    }
    if (!pThis->OnTextReply(pResponse, nStatus, pThis->m_cSnmpAlarmWalk,
                            pThis->m_buildAlarmRisingEvents, pThis->m_arrAlarmRisingEvents,
                            &CRMON::OnAlarmRisingEventReply))
        SendMessage(pThis->m_hOwnerWnd, WM_RMON_ALARM_EVENTS_READ, kAlarmRisingEvents, 0);
    return 0;
}

BOOL CRMON::IsAlarmRisingEvent(const std::string& strText) const
{
    std::lock_guard lock(m_csLists);
    return std::find(m_arrAlarmRisingEvents.begin(), m_arrAlarmRisingEvents.end(), strText) !=
                   m_arrAlarmRisingEvents.end()
               ? TRUE
               : FALSE;
}

std::vector<RMON_ethernet_statistics_info> CRMON::GetEthernetStatistics() const
{
    std::lock_guard lock(m_csLists);
    return m_listEthernetStatistics;
}

std::vector<RMON_history_control_configuration> CRMON::GetHistoryControl() const
{
    std::lock_guard lock(m_csLists);
    return m_listHistoryControl;
}

std::vector<RMON_alarm_configuration> CRMON::GetAlarms() const
{
    std::lock_guard lock(m_csLists);
    return m_listAlarm;
}

std::vector<RMON_event_configuration> CRMON::GetEvents() const
{
    std::lock_guard lock(m_csLists);
    return m_listEvent;
}

std::vector<std::string> CRMON::GetCommunityNames() const
{
    std::lock_guard lock(m_csLists);
    return m_arrCommunityNames;
}

std::vector<std::string> CRMON::GetAlarmRisingEvents() const
{
    std::lock_guard lock(m_csLists);
    return m_arrAlarmRisingEvents;
}

BOOL CRMON::IsTableRead(int nTable) const
{
    std::lock_guard lock(m_csLists);
    return nTable >= 0 && nTable < 4 && m_bTableRead[nTable] ? TRUE : FALSE;
}

// --- Rows ---

BOOL CRMON::SetOne(const std::string& strOid, const std::string& strValue, int nType, CWriteReport* pReport,
                   const std::string& strWhat)
{
    CWriteReport ownReport;
    CWriteReport& report = pReport != nullptr ? *pReport : ownReport;
    m_cSnmpGetSet.Open(SnmpPduSet);
    m_cSnmpGetSet.AddValueLen(strOid, nType, strValue.data(), static_cast<int>(strValue.size()));
    return report.Send(m_cSnmpGetSet, strWhat) ? TRUE : FALSE;
}

BOOL CRMON::CreateRow(const std::string& strStatusColumn, int nIndex, const std::vector<ColumnValue>& columns,
                      CWriteReport* pReport, const std::string& strWhat)
{
    CWriteReport ownReport;
    CWriteReport* pRecord = pReport != nullptr ? pReport : &ownReport;
    const std::string strStatus = Instance(strStatusColumn, nIndex);

    // A row at the index that is not valid (a creation left half done) is
    // removed first. No row reads as nothing to remove; a switch that does
    // not answer is not written to.
    m_cSnmpTrunkWalk.Open(SnmpPduGet);
    m_cSnmpTrunkWalk.AddValue(strStatus, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    if (m_cSnmpTrunkWalk.send(pResponse, 0) != 0 || !pResponse) {
        pRecord->Silent(strWhat);
        return FALSE;
    }
    int nErrorStatus = 0;
    int nErrorIndex = 0;
    pResponse->getError(&nErrorStatus, &nErrorIndex);
    const std::string strNow =
        nErrorStatus == 0 && HasValue(pResponse.get(), 0) ? ValueText(pResponse.get(), 0) : std::string();
    if (!strNow.empty() && strNow != "1" && !SetOne(strStatus, "4", SnmpValueInteger, pRecord, strWhat))
        return FALSE;

    // Each SET stops the creation at the first the switch refuses or leaves
    // unanswered.
    if (!SetOne(strStatus, "2", SnmpValueInteger, pRecord, strWhat))
        return FALSE;
    for (const ColumnValue& column : columns) {
        if (!SetOne(Instance(column.strColumn, nIndex), column.strValue, column.nType, pRecord, strWhat))
            return FALSE;
    }
    return SetOne(strStatus, "1", SnmpValueInteger, pRecord, strWhat);
}

BOOL CRMON::AddEthernetStatistics(RMON_ethernet_control_info& row, CWriteReport* pReport)
{
    return CreateRow(Column(kEthernetEntry, 4), row.nIndex,
                     {{Column(kEthernetEntry, 2), DataSource(row.nPort), SnmpValueObjectId},
                      {Column(kEthernetEntry, 3), row.strOwner, SnmpValueOctetString}},
                     pReport, RowWhat("Ethernet statistics", row.nIndex));
}

BOOL CRMON::AddHistoryControl(RMON_history_control_configuration& row, CWriteReport* pReport)
{
    return CreateRow(Column(kHistoryEntry, 6), row.nIndex,
                     {{Column(kHistoryEntry, 2), DataSource(row.nPort), SnmpValueObjectId},
                      {Column(kHistoryEntry, 3), std::to_string(row.nBucketsRequested), SnmpValueInteger},
                      {Column(kHistoryEntry, 4), std::to_string(row.nInterval), SnmpValueInteger},
                      {Column(kHistoryEntry, 5), row.strOwner, SnmpValueOctetString}},
                     pReport, RowWhat("history control", row.nIndex));
}

BOOL CRMON::AddAlarm(RMON_alarm_configuration& row, CWriteReport* pReport)
{
    return CreateRow(Column(kAlarmEntry, 10), row.nIndex,
                     {{Column(kAlarmEntry, 3), row.strVariable, SnmpValueObjectId},
                      {Column(kAlarmEntry, 2), std::to_string(row.nInterval), SnmpValueInteger},
                      {Column(kAlarmEntry, 4), std::to_string(row.nSampleType), SnmpValueInteger},
                      {Column(kAlarmEntry, 5), std::to_string(row.nRisingThreshold), SnmpValueInteger},
                      {Column(kAlarmEntry, 6), std::to_string(row.nFallingThreshold), SnmpValueInteger},
                      {Column(kAlarmEntry, 7), std::to_string(row.nRisingEventIndex), SnmpValueInteger},
                      {Column(kAlarmEntry, 8), std::to_string(row.nFallingEventIndex), SnmpValueInteger},
                      {Column(kAlarmEntry, 9), row.strOwner, SnmpValueOctetString}},
                     pReport, RowWhat("alarm", row.nIndex));
}

BOOL CRMON::AddEvent(RMON_event_configuration& row, CWriteReport* pReport)
{
    // No community goes with an event that sends no trap.
    if (row.nType == 1 || row.nType == 2)
        row.strCommunity.clear();
    std::vector<ColumnValue> columns = {{Column(kEventEntry, 2), row.strDescription, SnmpValueOctetString},
                                        {Column(kEventEntry, 3), std::to_string(row.nType), SnmpValueInteger}};
    if (!row.strCommunity.empty())
        columns.push_back({Column(kEventEntry, 4), row.strCommunity, SnmpValueOctetString});
    columns.push_back({Column(kEventEntry, 5), row.strOwner, SnmpValueOctetString});
    return CreateRow(Column(kEventEntry, 6), row.nIndex, columns, pReport, RowWhat("event", row.nIndex));
}

BOOL CRMON::DeleteEthernetStatistics(int nIndex, CWriteReport* pReport)
{
    return SetOne(Instance(Column(kEthernetEntry, 4), nIndex), "4", SnmpValueInteger, pReport,
                  "the removal of " + RowWhat("Ethernet statistics", nIndex));
}

BOOL CRMON::DeleteHistoryControl(int nIndex, CWriteReport* pReport)
{
    return SetOne(Instance(Column(kHistoryEntry, 6), nIndex), "4", SnmpValueInteger, pReport,
                  "the removal of " + RowWhat("history control", nIndex));
}

BOOL CRMON::DeleteAlarm(int nIndex, CWriteReport* pReport)
{
    return SetOne(Instance(Column(kAlarmEntry, 10), nIndex), "4", SnmpValueInteger, pReport,
                  "the removal of " + RowWhat("alarm", nIndex));
}

BOOL CRMON::DeleteEvent(int nIndex, CWriteReport* pReport)
{
    return SetOne(Instance(Column(kEventEntry, 6), nIndex), "4", SnmpValueInteger, pReport,
                  "the removal of " + RowWhat("event", nIndex));
}

std::string CRMON::RowWhat(const char* pszTable, int nIndex)
{
    return std::string("the RMON ") + pszTable + " row " + std::to_string(nIndex);
}
