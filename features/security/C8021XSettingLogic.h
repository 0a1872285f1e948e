// The reading side of 802.1X: walks the port parameter table, the local user
// table and the RADIUS server table, and reads the switch's 802.1X state.
//
// The three walks run one at a time on the base's trunk-walk session (starting
// one ends a running one). Each keeps the rows of its last complete walk in a
// list, replaced whole when the walk reaches the end of its table; a failed
// walk keeps the list it had. The owner window (CModuleBase::SetHwnd) hears of
// each end with WM_WALK_FINISHED and of a reply of a walk that is no longer
// current with WM_WALK_STALE (wParam 0, lParam 0, sent from the walk's worker
// thread); it then copies the list it wants with the getters below. The
// lists are shared with the worker thread and guarded by one lock.
//
// 802.1X objects, korvelEnterprise.10.76.19.1.23:
//   .1.1.0 state (1 enabled, 2 disabled)
//   .2.1.1 port parameters, index port: .1 port, .2 quiet period, .3 supplicant
//          time-out, .4 server time-out, .5 maximum requests, .6 transmit
//          period, .7 re-authentication period, .8 re-authentication (1 enabled,
//          2 disabled), .9 port control (1 force unauthorized, 2 auto, 3 force
//          authorized), .10 capability (1 authenticator, 2 none), .11 direction
//          (0 both, 1 in)
//   .3.1.1 local users, index the length-prefixed name: .1 name, .2 password,
//          .3 row status
//   .4.2.1 RADIUS servers, index the server index: .1 index, .2 address type
//          (1 IPv4, 2 IPv6), .3 address (4 or 16 octets), .4 (read only as
//          text), .5 authentication port, .6 accounting port, .7 time-out,
//          .8 retransmit count, .9 key, .10 row status
#pragma once

#include "common/CModuleBase.h"
#include "features/ports_vlans/WalkMessages.h"
#include "features/security/X8021_AuRadiusServer_Statistics_info.h"
#include "features/security/X8021_User_Statistics_Info.h"
#include "features/security/X8021_statistics_info.h"

#include <mutex>
#include <string>
#include <vector>

class CSnmp;

class C8021XSettingLogic : public CModuleBase
{
public:
    C8021XSettingLogic();
    ~C8021XSettingLogic() override;

    C8021XSettingLogic(const C8021XSettingLogic&) = delete;
    C8021XSettingLogic& operator=(const C8021XSettingLogic&) = delete;

    static const std::string kStateOid;
    static const std::string kPortEntry;   // the port parameter table's entry
    static const std::string kUserEntry;   // the local user table's entry
    static const std::string kRadiusEntry; // the RADIUS server table's entry

    BOOL StartPortWalk();
    void StartUserWalk();
    BOOL StartRadiusWalk();
    // One GET of the 802.1X state into entry 0 of the global values; a failed
    // GET keeps the old value, a value outside 1..2 makes it 0. TRUE when a
    // state of the set was read.
    BOOL GetAuthState();
    // Whether the walk that ended last read its whole table (a walk that
    // could not start or was cut short did not).
    bool LastWalkComplete() const;
    // Stops every session: late replies are stale, and no call-back runs once
    // it returns.
    void CloseSessions();

    // Copies of the last complete walks, taken under the lock.
    std::vector<X8021_statistics_info> GetPortList() const;
    std::vector<X8021_User_Statistics_Info> GetUserList() const;
    std::vector<X8021_AuRadiusServer_Statistics_info> GetRadiusList() const;
    // Entry i (0..2) of the values GetAuthState read; entry 0 is the 802.1X
    // state, 0 until a GET succeeded.
    int GetGlobalValue(int nIndex) const;

    static int OnPortTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnUserTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnRadiusTableReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

private:
    // Opens the walk session for GETNEXT with the columns of an entry and
    // starts it.
    void StartWalk(const std::string& strEntry, const std::vector<int>& columns, SnmpCallback pfnReply);
    // How a reply begins: true for a row to take. A stale reply sends
    // WM_WALK_STALE; the end of the walk publishes its rows (end of table
    // only) through publish and sends WM_WALK_FINISHED.
    template <class Publish> bool IsWalkRow(int nRequestID, int nStatus, const CSnmp* pResponse, Publish publish);
    void Notify(UINT message) const;

    // What the walks write and the dialogs read. Declared before the
    // sessions, so the sessions (which wait for a running call-back) go first.
    mutable std::mutex m_csLists;
    std::vector<X8021_statistics_info> m_PortList;
    std::vector<X8021_User_Statistics_Info> m_UserList;
    std::vector<X8021_AuRadiusServer_Statistics_info> m_RadiusList;
    std::vector<X8021_statistics_info> m_PortBuilding;
    std::vector<X8021_User_Statistics_Info> m_UserBuilding;
    std::vector<X8021_AuRadiusServer_Statistics_info> m_RadiusBuilding;
    int m_nGlobalValues[3] = {0, 0, 0};
    bool m_bLastWalkComplete = false;

    CCommonSNMP m_cSnmpSpare;
    CCommonSNMP m_cSnmpSpare2;
};
