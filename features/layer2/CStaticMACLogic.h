// The SNMP side of the static MAC dialog (CStaticMACDlg), which owns it by
// value: the walk of the static unicast table, creating and destroying its
// rows, the MAC address learning state with its uplink ports, and the
// asymmetric VLAN state. Its CModuleBase serves single reads, row-status and
// port-list writes, and the trunk and VLAN walks; the dialog is its owner.
//
// WM_STATIC_MAC_NOTIFY to m_hNotifyWnd, sent from the walk's worker thread:
//   wParam 0, lParam STATIC_MAC_info*  one active entry (valid during the
//                                      call); a walk's entries are sent when
//                                      it has read the end of the table
//   wParam 2, lParam 0                 the walk failed: no entries come
//   wParam 1, lParam "Finished"        the walk ended, however
//
// Every write goes through the action's CWriteReport; the single reads say
// whether the switch answered, so that the dialog stops at the first that
// went unanswered. Values outside their set or of another type are unknown.
//
// Objects, korvelEnterprise.10.76.19.1: static table .9.3.1, index VID, the
// six octets of the MAC address and the port: .1 VID, .2 MAC (six octets),
// .3 port, .4 row status (1 active, 4 create-and-go, 6 destroy); .9.1.0
// learning state (1 enabled, 2 disabled); .9.2.0 uplink ports (port bitmap);
// .7.5.0 asymmetric VLAN (1 enabled).
#pragma once

#include "common/CModuleBase.h"
#include "common/CWriteReport.h"
#include "features/layer2/Layer2Writes.h"
#include "features/layer2/STATIC_MAC_info.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CSnmp;

inline constexpr UINT WM_STATIC_MAC_NOTIFY = WM_USER + 88;

class CStaticMACLogic
{
public:
    CStaticMACLogic();
    virtual ~CStaticMACLogic();

    CStaticMACLogic(const CStaticMACLogic&) = delete;
    CStaticMACLogic& operator=(const CStaticMACLogic&) = delete;

    static constexpr WPARAM kNotifyEntry = 0;
    static constexpr WPARAM kNotifyFinished = 1;
    static constexpr WPARAM kNotifyFailed = 2;
    static constexpr int kActionCreate = 1;
    static constexpr int kActionDestroy = 3;

    // How a read went: every GET answered (an unknown value included), one
    // refused by the switch, or one unanswered (nothing was asked after it).
    using ReadResult = layer2::ReadResult;

    // Starts the table walk; a walk still running is stopped first. False
    // when it could not start: then no message comes.
    bool StartWalk();
    // Creates (action 1) or destroys (action 3) the entry's row through the
    // report; TRUE only when the switch took it. Any other action does
    // nothing and gives TRUE.
    BOOL SetEntry(const STATIC_MAC_info& entry, int nAction, CWriteReport& report);
    // Writes the learning state and, when enabling, the uplink ports (a port
    // list the caller has checked), through the report; the first failure
    // ends it. TRUE when everything was accepted.
    BOOL SetLearning(const std::string& strState, const std::string& strUplinkPorts, CWriteReport& report);
    // Reads the learning state ("1", "2" or, for any other value, empty) and
    // the uplink ports (a port bitmap: any other type is unknown, empty; a
    // failed read keeps the last). The uplinks are not asked for when the
    // state read went unanswered.
    ReadResult ReadLearning();
    // Whether the last ReadLearning gave a state and uplink ports that Apply
    // may rest on.
    bool LearningRead() const { return m_bLearningRead; }
    // The asymmetric VLAN state; empty when the read fails.
    ReadResult GetAsymmetricVlanState(std::string& strState);
    // Stops the walk and the SET session; no call-back runs once it returns.
    void CloseSessions();

    static int OnStaticMacReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    CModuleBase m_moduleBase;
    std::string m_strLearningState;
    std::string m_strUplinkPorts;
    std::atomic<HWND> m_hNotifyWnd{nullptr};

private:
    bool m_bLearningRead = false;
    // The entries of the walk in progress, under m_csWalkData.
    std::mutex m_csWalkData;
    std::vector<STATIC_MAC_info> m_EntriesBuilding;

    CCommonSNMP m_cSnmpWalk;
    CCommonSNMP m_cSnmpSet;
};
