// The front panel's polled status: what the status polling reads from the
// switch (reachability, fan, PoE LED mode and limit, the link and PoE state
// of every port) and turns into LED states, port states and lamp flags, with
// the five SNMP sessions it reads them on and the reads themselves.
//
// The main window and the polling thread share one object (shared_ptr): the
// thread co-owns it, and the walks' call-backs run on sessions that are its
// members, so nothing they can still touch goes away with the window. The
// window attaches itself (Attach) while it shows the panel; the polling and
// the walks reach the window and its panel tree only while it is attached,
// and Detach waits until no one does.
//
// Threads and locks:
// - the polling thread runs the reads and starts the walks; the walk
//   call-backs run on the sessions' worker threads; the UI thread paints
//   from the states and runs Attach, Detach and Close.
// - Lock() guards the LED and port states, the lamp flags and the walk lists.
//   The painting takes it; a refresh holds it while it changes the states,
//   so a repaint never sees half a refresh.
// - Lock order: the owner lock (inside this class), then Lock(), then
//   CVirtualDev::PanelLock(), then the bitmap and image locks. The window
//   calls of CPanelStatusOwner are never made while Lock() is held.
#pragma once

#include "common/CCommonSNMP.h"
#include "panel/CPanelStatusOwner.h"
#include "platform/system/CEvent.h"
#include "platform/system/WinTypes.h"
#include "platform/ui/CPoint.h"

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

class CDevModule;
class CSnmp;

// How many cycles in a row skipped the PoE read because a PoE walk was still
// pending (polling thread).
extern std::atomic<int> g_nPoePollSkips;

class CPanelStatus
{
public:
    // Most ports a switch has.
    static constexpr int kMaxPorts = 100;

    // LED states by port (m_LedState).
    enum LedState : BYTE
    {
        LED_AMBER = 0, // link up below top speed
        LED_GREEN = 1, // link up at top speed, or PoE power on (blinks in link mode)
        LED_DARK = 2,  // port disabled, or PoE power off
        LED_NONE = 3,  // link down or unknown: nothing drawn
    };

    // The five sessions copy the connection parameters now.
    CPanelStatus();
    // Stops the sessions (each waits for its running call-back).
    ~CPanelStatus();

    CPanelStatus(const CPanelStatus&) = delete;
    CPanelStatus& operator=(const CPanelStatus&) = delete;

    // The device profile the polling works with; set before the polling
    // starts. Resets the port states to 0 and every LED to LED_NONE.
    void SetProfile(bool bPoeModel, int nPortCount, int nPoePortCount, int nComboPortCount, int nComboPortIndex);
    bool IsPoeModel() const { return m_bPoeModel; }

    // The window that shows the panel, and its panel tree (UI thread). From
    // Attach on, the polling sets the port parts' statuses and calls the
    // owner; Detach waits for a call in progress (serving the window calls it
    // carries) and from its return on neither is touched again.
    void Attach(CPanelStatusOwner* pOwner, CDevModule* pRoot);
    void Detach();

    // Asks the polling to stop: no new read or walk is started, and Pause
    // returns at once from then on.
    void RequestStop();
    bool IsStopping() const { return m_bStopping.load(); }
    // Waits ms milliseconds; false (at once) when a stop was asked for.
    bool Pause(DWORD ms);

    // Closes the sessions, so late walk replies are dropped; traces each.
    void Close();
    // The end of the polling for the window: RequestStop, Close, Detach.
    // UI thread.
    void End();

    // --- The reads of a polling cycle (polling thread) ---

    // GET of the reachability object (1000 ms); m_bDeviceReachable follows
    // it, and a switch that does not answer gets every port shown disabled.
    // Returns the request status.
    int CheckDeviceReachable();
    // GET of the fan state (500 ms); a failed read keeps the last state.
    void GetFanStatus();
    // The PoE LED mode and limit (5000 ms), then the link walk or (PoE LED
    // mode) the PoE walk. 0 when a walk was started, -1 otherwise (a walk
    // still pending, a failed read, no value).
    int Get10PPOEOrLinkStatus();
    // Starts the interface walk (link, speed, port type); none once a stop
    // was asked for.
    void GetDeviceValues();
    // Starts the PoE port status walk; none once a stop was asked for.
    void GetPOEPortStatus();
    // Every port shown disabled: LED not drawn, the dark LED bitmap drawn at
    // its place, port part PORTDISABLED.
    void ResetPoePortLeds();

    // Turns the comma-terminated lists of a link walk into LED states, port
    // states and port part statuses, and arms the blink timer.
    void RefreshLinkStatus(std::string admin, std::string oper, std::string index, std::string speed, std::string type);
    // The same for a PoE walk.
    void RefreshPOEPortStatus(std::string ports, std::string statuses);

    // The top-left corner of the first child part of port part portPart
    // (counted from 0 among the root's ports): where that port's LED is
    // drawn. False when there is no such port or it has no child part.
    static bool GetLedPosition(const CDevModule& root, int portPart, CPoint& point);

    // The walks' call-backs (SnmpCallback; user data: this object).
    static int OnDeviceValuesReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);
    static int OnPoePortStatusReply(CSnmp* pResponse, int nRequestID, void* pUserData, int nStatus);

    // --- State ---

    std::recursive_mutex& Lock() const { return m_lock; }

    // Guarded by Lock().
    // Per port (index 0 for port 1): LedState.
    std::array<BYTE, kMaxPorts> m_LedState{};
    // Per port: the port type after a link refresh, 2 after a PoE refresh.
    std::vector<int> m_pPortStates;
    // 1: the LEDs show link and speed; 0: they show the PoE state.
    int m_bLinkLedMode = 1;
    // The PoE limit lamp is lit.
    int m_bPoeLimitLamp = 0;
    // "1" fan in order, "2" fan fault.
    std::string m_strFanStatus = "1";
    // The last reachability check succeeded; nothing is claimed before one.
    BYTE m_bDeviceReachable = 0;

    // 1 while a feature dialog started from the menu runs: the polling sends
    // nothing then.
    std::atomic<BYTE> m_bFeatureDialogOpen{0};
    // A port walk was started and has not ended.
    std::atomic<BYTE> m_bWalkPending{0};

private:
    // Cuts text at the first separator: head is what stood before it, text
    // and rest what follows it. False (nothing changed) without a separator.
    static bool SplitAtSeparator(std::string& text, const std::string& separator, std::string& head, std::string& rest);
    // Sets the status of port part `part` (counted from 0 among the root's
    // ports); nothing without an attached panel or such a part. The owner
    // lock is held.
    void SetPortPart(int part, int status);
    // The end of a link walk or a PoE walk with the call-back's status (0: a
    // row past the last port). A walk that did not pass the last port first
    // clears every LED; one that passed it or reached the end of the table
    // refreshes from what it gathered; a link walk that timed out resets the
    // port parts. The window is repainted (not after a PoE walk's failure),
    // the session signals the end, and no walk is pending any more.
    void EndWalk(CCommonSNMP& session, int nStatus, bool bLinkWalk);
    // The refreshes with the lists the walk gathered.
    void RefreshGatheredLinks();
    void RefreshGatheredPoe();

    bool m_bPoeModel = false;
    int m_nPortCount = 0;
    int m_nPoePortCount = 0;
    int m_nComboPortCount = 0;
    int m_nComboPortIndex = 0;

    mutable std::recursive_mutex m_lock;
    // Guarded by m_lock: the lists the walks gather, comma-terminated.
    std::string m_strAdminStatusList;
    std::string m_strOperStatusList;
    std::string m_strIfIndexList;
    std::string m_strSpeedList;
    std::string m_strPortTypeList;
    std::string m_strPoeStatusList;
    std::string m_strPoePortList;

    // The attached window and panel tree, under m_ownerLock (recursive: a
    // call-back holds it across the refresh it runs).
    std::recursive_mutex m_ownerLock;
    CPanelStatusOwner* m_pOwner = nullptr;
    CDevModule* m_pRoot = nullptr;

    std::atomic<bool> m_bStopping{false};
    CEvent m_evStop{FALSE, TRUE};

    // Declared last: destroyed first, each waiting for its running call-back,
    // while everything a call-back touches still exists.
    CCommonSNMP m_cCommonSNMP;        // reachability
    CCommonSNMP m_cCommonSNMPFan;     // fan state
    CCommonSNMP m_cCommonSNMPDevStat; // interface walk
    CCommonSNMP m_cCommonSNMPPoe;     // PoE LED mode and limit
    CCommonSNMP m_cCommonSNMPPoeStat; // PoE walk
};
