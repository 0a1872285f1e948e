// The logic behind the RMON dialogs: the switch's RMON global state, its four
// RMON tables (Ethernet statistics, history control, alarm, event) and two
// lists the dialogs check against (the switch's community names, the rising
// event of every alarm).
//
// Each table is read by an asynchronous walk whose end reaches the owner
// window (CModuleBase::SetHwnd) as WM_WALK_FINISHED, wParam the table (0
// Ethernet statistics, 1 history control, 2 alarm, 3 event), also when the
// walk failed; a reply of a walk that is no longer current as WM_WALK_STALE.
// The rising-event walk ends with WM_RMON_ALARM_EVENTS_READ (wParam 4); the
// community walk tells no one. A walk's rows replace the last ones whole when
// it reaches the end of its table; a failed walk keeps the last complete
// ones. The lists are read through the accessors, which copy them under the
// object's lock.
//
// Rows are created and removed through their EntryStatus column (1 valid,
// 2 createRequest, 3 underCreation, 4 invalid): a row not valid at the index
// is removed first, then "2", one SET per column, "1".
#pragma once

#include "common/CModuleBase.h"
#include "features/poe_rmon/RMON_alarm_configuration.h"
#include "features/poe_rmon/RMON_ethernet_control_info.h"
#include "features/poe_rmon/RMON_ethernet_statistics_info.h"
#include "features/poe_rmon/RMON_event_configuration.h"
#include "features/poe_rmon/RMON_history_control_configuration.h"
#include "features/ports_vlans/WalkMessages.h"

#include <mutex>
#include <string>
#include <vector>

class CWriteReport;

inline constexpr UINT WM_RMON_ALARM_EVENTS_READ = WM_APP + 1004;

class CRMON : public CModuleBase
{
public:
    // wParam of the walks' messages.
    enum Table
    {
        kEthernetStatistics = 0,
        kHistoryControl = 1,
        kAlarm = 2,
        kEvent = 3,
        kAlarmRisingEvents = 4,
    };

    CRMON();
    ~CRMON() override;

    // RMON on (1), off (0) or a value the switch cannot mean (-1); the GET
    // failing leaves *pnOn as it was.
    BOOL GetState(int* pnOn);
    // Writes 1 for on, 2 for off; TRUE when the switch accepted it. A
    // refusal or silence is recorded on the report when one is given.
    BOOL SetState(int* pnOn, CWriteReport* pReport = nullptr);

    // lParam of WM_WALK_FINISHED and WM_RMON_ALARM_EVENTS_READ for a walk
    // that failed, was cut short or could not start (0 when it read its table).
    static constexpr LPARAM kWalkFailed = 1;

    // The walks; each returns at once, 0 when it could not start.
    int StartEthernetStatisticsWalk();
    int StartHistoryControlWalk();
    int StartAlarmWalk();
    int StartEventWalk();
    int StartCommunityWalk();
    int StartAlarmRisingEventWalk();

    // Ends every session: no walk runs or reports once it returns.
    void CloseSessions();

    // TRUE when an alarm names this text as its rising event.
    BOOL IsAlarmRisingEvent(const std::string& strText) const;

    // Creation (the index not valid on the switch is removed first) and
    // removal of a row; TRUE when every SET was accepted. The first SET
    // refused or unanswered ends it and is recorded on the report when one
    // is given.
    BOOL AddEthernetStatistics(RMON_ethernet_control_info& row, CWriteReport* pReport = nullptr);
    BOOL AddHistoryControl(RMON_history_control_configuration& row, CWriteReport* pReport = nullptr);
    BOOL AddAlarm(RMON_alarm_configuration& row, CWriteReport* pReport = nullptr);
    BOOL AddEvent(RMON_event_configuration& row, CWriteReport* pReport = nullptr);
    BOOL DeleteEthernetStatistics(int nIndex, CWriteReport* pReport = nullptr);
    BOOL DeleteHistoryControl(int nIndex, CWriteReport* pReport = nullptr);
    BOOL DeleteAlarm(int nIndex, CWriteReport* pReport = nullptr);
    BOOL DeleteEvent(int nIndex, CWriteReport* pReport = nullptr);

    // Copies of what the last complete walks read.
    std::vector<RMON_ethernet_statistics_info> GetEthernetStatistics() const;
    std::vector<RMON_history_control_configuration> GetHistoryControl() const;
    std::vector<RMON_alarm_configuration> GetAlarms() const;
    std::vector<RMON_event_configuration> GetEvents() const;
    std::vector<std::string> GetCommunityNames() const;
    std::vector<std::string> GetAlarmRisingEvents() const;
    // TRUE once a walk of the table has read it to its end.
    BOOL IsTableRead(int nTable) const;

    // The row index of an instance part: the number after its first dot
    // (".5" and ".5.1" give 5); -1 without a dot.
    static int ParseIndexSuffix(const std::string& strSuffix);
    // Decimal text as strtol reads it (base 10), clamped to the signed
    // 32-bit range.
    static int ToNumber(const std::string& strText);
    // Decimal text as an unsigned 32-bit counter (clamped; a sign gives 0).
    static unsigned int ToCounter(const std::string& strText);
    // The data source of a port: the ifIndex instance 1.3.6.1.2.1.2.2.1.1.PORT.
    static std::string DataSource(int nPort);

protected:
    static int OnEthernetStatisticsReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnHistoryControlReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnAlarmReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnEventReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnCommunityReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnAlarmRisingEventReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    // One value of a row (the column at position nPosition, of the BER type
    // nType) into the rows being read; under m_csLists. A value of another
    // type than its column's, or outside its set, leaves the cell unknown.
    void StoreEthernetStatisticsColumn(int nIndex, int nPosition, int nType, const std::string& strValue);
    void StoreHistoryControlColumn(int nIndex, int nPosition, int nType, const std::string& strValue);
    void StoreAlarmColumn(int nIndex, int nPosition, int nType, const std::string& strValue);
    void StoreEventColumn(int nIndex, int nPosition, int nType, const std::string& strValue);

    // Starts a GETNEXT walk of the columns on the session.
    int StartWalk(CCommonSNMP& session, const std::vector<std::string>& columns, SnmpCallback pfnCallback,
                  int nTimeout);
    // Starts a walk of one of the four tables; one that cannot start ends at
    // once with WM_WALK_FINISHED as failed.
    int StartTableWalk(int nTable, CCommonSNMP& session, const std::vector<std::string>& columns,
                       SnmpCallback pfnCallback, int nTimeout);
    // A reply of one of the four table walks.
    using StoreColumn = void (CRMON::*)(int nIndex, int nPosition, int nType, const std::string& strValue);
    int OnTableReply(CSnmp* pResponse, int nRequestID, int nStatus, CCommonSNMP& session, int nTable,
                     StoreColumn store, SnmpCallback pfnSelf);
    // A reply of one of the two text walks; TRUE when the walk goes on.
    bool OnTextReply(CSnmp* pResponse, int nStatus, CCommonSNMP& session,
                     std::vector<std::string>& building, std::vector<std::string>& published,
                     SnmpCallback pfnSelf);
    // Takes the rows of a table's walk whole.
    void PublishTable(int nTable);

    // Creates a row: removes a row not valid at the index, "2", each column
    // in order, "1".
    struct ColumnValue
    {
        std::string strColumn; // the column's identifier, without index
        std::string strValue;
        int nType;
    };
    BOOL CreateRow(const std::string& strStatusColumn, int nIndex, const std::vector<ColumnValue>& columns,
                   CWriteReport* pReport, const std::string& strWhat);
    BOOL SetOne(const std::string& strOid, const std::string& strValue, int nType, CWriteReport* pReport,
                const std::string& strWhat);
    // "the RMON alarm row 5"
    static std::string RowWhat(const char* pszTable, int nIndex);

    // What the walks fill and the dialogs read. Declared before the sessions
    // below, which are closed first (a running call-back may touch these).
    mutable std::mutex m_csLists;
    std::vector<RMON_ethernet_statistics_info> m_listEthernetStatistics;
    std::vector<RMON_history_control_configuration> m_listHistoryControl;
    std::vector<RMON_alarm_configuration> m_listAlarm;
    std::vector<RMON_event_configuration> m_listEvent;
    std::vector<std::string> m_arrCommunityNames;
    std::vector<std::string> m_arrAlarmRisingEvents;
    // The rows of the walks in progress.
    std::vector<RMON_ethernet_statistics_info> m_buildEthernetStatistics;
    std::vector<RMON_history_control_configuration> m_buildHistoryControl;
    std::vector<RMON_alarm_configuration> m_buildAlarm;
    std::vector<RMON_event_configuration> m_buildEvent;
    std::vector<std::string> m_buildCommunityNames;
    std::vector<std::string> m_buildAlarmRisingEvents;
    bool m_bTableRead[4] = {false, false, false, false};

    CCommonSNMP m_cSnmpCommunityWalk;
    CCommonSNMP m_cSnmpAlarmWalk;
};
