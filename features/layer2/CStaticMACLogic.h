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
//   wParam 1, lParam "Finished"        the walk ended, however
//
// Objects, korvelEnterprise.10.76.19.1: static table .9.3.1, index VID, the
// six octets of the MAC address and the port: .1 VID, .2 MAC (six octets),
// .3 port, .4 row status (1 active, 4 create-and-go, 6 destroy); .9.1.0
// learning state (1 enabled, 2 disabled); .9.2.0 uplink ports (port bitmap);
// .7.5.0 asymmetric VLAN (1 enabled).
#pragma once

#include "common/CModuleBase.h"
#include "features/layer2/STATIC_MAC_info.h"

#include <atomic>
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
    static constexpr int kActionCreate = 1;
    static constexpr int kActionDestroy = 3;

    // Starts the table walk; a walk still running is stopped first.
    void StartWalk();
    // Creates (action 1) or destroys (action 3) the entry's row; TRUE only
    // when the switch took it. Any other action does nothing and gives TRUE.
    BOOL SetEntry(const STATIC_MAC_info& entry, int nAction);
    // Writes the learning state and, when enabling, the uplink ports. TRUE:
    // what the switch holds afterwards is read back by the refresh.
    BOOL SetLearning(const std::string& strState, const std::string& strUplinkPorts);
    // Reads the learning state (empty when the read fails) and the uplink
    // ports (unchanged when that read fails).
    void ReadLearning();
    // The asymmetric VLAN state; empty when the read fails.
    void GetAsymmetricVlanState(std::string& strState);
    // Stops the walk and the SET session; no call-back runs once it returns.
    void CloseSessions();

    static int OnStaticMacReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    CModuleBase m_moduleBase;
    std::string m_strLearningState;
    std::string m_strUplinkPorts;
    std::atomic<HWND> m_hNotifyWnd{nullptr};

private:
    // The entries of the walk in progress, under m_csWalkData.
    std::mutex m_csWalkData;
    std::vector<STATIC_MAC_info> m_EntriesBuilding;

    CCommonSNMP m_cSnmpWalk;
    CCommonSNMP m_cSnmpSet;
};
