// The feature logic behind the port configuration and port description
// dialogs; each dialog owns one by value.
//
// It walks the switch's port control table and port description table and
// keeps one record per port of each (a row goes to the record of its port;
// a walk's records replace the last ones whole when it reaches the end of
// its table, and a walk that fails leaves them as they were),
// writes the speed, MDI/MDIX and flow control of one port, writes one
// description to a range of ports, and holds the rules the port
// configuration dialog applies before it writes.
//
// Walks tell the owner window (CModuleBase::SetHwnd) how they ended with the
// messages of WalkMessages.h, sent from the walk's worker thread:
//   port table walk:  end of table -> WM_WALK_STALE, failure -> WM_WALK_FAILED
//   description walk: end of table -> WM_WALK_FINISHED, failure ->
//                     WM_WALK_FAILED, a reply of an older walk
//                     -> WM_WALK_STALE (only while no newer walk runs)
// A walk that cannot start is reported as failed before its Start returns.
// The records may be read on any thread through the Get... copies.
//
// Port control table, korvelEnterprise.10.76.19.1.1.13.1, integer columns:
//   .1 port number | .2 speed: 1 1000M full, 2 100M full, 3 100M half,
//   4 10M full, 5 10M half, 6 Auto, 7 disabled | .3 link status: 1 down,
//   2 1000M full, 3 100M full, 4 100M half, 5 10M full, 6 10M half |
//   .4 MDI/MDIX: 1 Auto, 2 MDI, 3 MDIX | .5 flow control: 1 enabled,
//   2 disabled | .7 media type: 1 and 3 cannot run at 1000M, 3 and 4 fibre,
//   4 fibre with a 1000Base-X SFP module.
// Port description table, korvelEnterprise.10.76.19.1.1.16.1: .1 port number,
// .2 description (octet string).
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/ports_vlans/PORT_description_info.h"
#include "features/ports_vlans/PORT_description_range.h"
#include "features/ports_vlans/PORT_setting_info.h"
#include "features/ports_vlans/WalkMessages.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class CPortConfigLogic : public CModuleBase
{
public:
    // Codes of the port table's speed and flow control columns.
    static constexpr int kSpeedAuto = 6;
    static constexpr int kFlowControlEnabled = 1;

    CPortConfigLogic();
    ~CPortConfigLogic() override;

    CPortConfigLogic(const CPortConfigLogic&) = delete;
    CPortConfigLogic& operator=(const CPortConfigLogic&) = delete;

    // --- Port control table ---

    // Starts the walk on m_cSnmpGetSet; 1 when it started, 0 when it could not.
    int StartPortTableWalk();
    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // Stores one row of the walk in progress into record nIndex; nothing
    // when nIndex is not a record. The walk's records are published whole
    // when it reaches the end of the table.
    void StorePortRow(int nIndex, int nPort, int nSpeed, int nMdix, int nFlowControl, int nLinkStatus, int nMediaType);
    // Writes the speed, MDI/MDIX and flow control of one port in one SET;
    // TRUE when the switch accepted it (the report, when given, holds a failure).
    BOOL SetPortSetting(const PORT_setting_info& setting, CWriteReport* pReport = nullptr);

    // --- Port description table ---

    // Starts the walk on m_cSnmpTrunkWalk; TRUE when it started.
    BOOL StartDescriptionWalk();
    static int OnDescriptionReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    // Stores row nRow (counted from 1) into record nRow - 1 of the walk in
    // progress; nothing beyond the port count. The walk's records are
    // published whole when it reaches the end of the table.
    void StoreDescriptionRow(int nRow, int nPort, const std::string& strDescription);
    // Writes one description to the ports From .. To, in requests of at most
    // 15 ports with 100 ms after each full one (up to 16 ports go in one).
    // TRUE when every request was accepted; the first request refused or
    // unanswered ends it (the report, when given, holds the failure and
    // the ports written before it).
    BOOL SetDescriptions(const PORT_description_range& range, CWriteReport* pReport = nullptr);

    // --- Records ---

    std::vector<PORT_setting_info> GetPortSettings() const;
    std::vector<PORT_description_info> GetDescriptions() const;
    // The port count taken at construction; both record arrays have this many records.
    int GetPortNum() const { return m_nPortNum; }
    // TRUE for a port number of this switch (1 .. port count).
    BOOL IsPortInRange(int nPort) const;

    // --- Rules of the port configuration dialog ---
    // nIndex is the record (list row) the user chose and nPort its port
    // number. Each returns TRUE to let the write go on; FALSE after showing
    // its message where it has one. The trunk rules show none: the dialog does.

    // A trunk member whose group has another member keeps its current value.
    BOOL CheckTrunkSpeed(int nIndex, int nPort, int nSpeed) const;
    BOOL CheckTrunkFlowControl(int nIndex, int nPort, int nFlowControl) const;
    BOOL CheckTrunkMdix(int nIndex, int nPort, int nMdix) const;
    // A fibre port runs MDI/MDIX Auto only.
    BOOL CheckMdix(int nIndex, int nPort, int nMdix) const;
    // The speed the port's media allows; a forced speed is confirmed; no half
    // duplex on a trunk member.
    BOOL CheckSpeed(int nIndex, int nPort, int nSpeed) const;
    // The only port with a link cannot be disabled.
    BOOL CheckNotAllDisabled(int nIndex, int nSpeed) const;
    // Enabling flow control is confirmed.
    BOOL ConfirmFlowControl(int nFlowControl) const;

private:
    void InitPortTables();
    BOOL IsRecordIndex(int nIndex) const;
    PORT_setting_info PortRecord(int nIndex) const;
    // The trunk group of a port, 0 for none (and for a port out of range).
    int TrunkGroupOf(int nPort) const;
    BOOL HasOtherTrunkMember(int nPort) const;
    BOOL KeepsTrunkValue(int nIndex, int nPort, int PORT_setting_info::*pField, int nValue) const;
    BOOL SetDescriptionRequest(int nFirstPort, int nLastPort, const std::string& strDescription, CWriteReport* pReport);
    // One SET of the items: through the report when given, else SetValues.
    BOOL SendItems(const SNMP_VARBIND* pItems, int nCount, CWriteReport* pReport, const std::string& strWhat);
    void NotifyOwner(UINT message) const;

    mutable std::mutex m_recordsLock;                      // guards both record arrays
    std::vector<PORT_description_info> m_pPortDesc;        // published by the last complete description walk
    std::vector<PORT_description_info> m_PortDescBuilding; // rows of the description walk in progress
    std::vector<PORT_setting_info> m_pPortSetting;         // published by the last complete port table walk
    std::vector<PORT_setting_info> m_PortSettingBuilding;  // rows of the port table walk in progress
    std::atomic<int> m_nRowCount{0};                       // rows the walk in progress has delivered
    int m_nPortNum = 0;
    std::atomic<bool> m_bDescriptionWalkRunning{false};
};
