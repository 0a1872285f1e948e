// The module's main window: a modal dialog that shows the managed switch's
// front panel, carries the feature menu with its command table, and shows
// the per-port LED states that the status polling fills.
//
// Threads. The window lives on the UI thread. The status polling (its thread
// and the SNMP sessions' walk call-backs) writes the LED states, the port
// states and the lamp flags, and draws LED bitmaps through the kept device
// context, while the UI thread paints from the same members. The polled
// states belong to the polled status (CPanelStatus), which the window shares
// with the polling thread so that nothing the thread or its walks can still
// touch goes away with the window; the members below are the window's names
// for them. All of these are guarded by LedLock(). Lock order: LedLock(), then
// CVirtualDev::PanelLock(), then the bitmap cache's and the image's own
// locks. Never make a window call (Invalidate, SetTimer, SendMessage, ...)
// from another thread while holding LedLock(): such calls wait for the UI
// thread, which may itself be waiting for the lock in OnPaint.
#pragma once

#include "common/CCommonSNMP.h"
#include "panel/CBitmapDialog.h"
#include "panel/CPanelStatus.h"
#include "panel/CPanelStatusOwner.h"
#include "platform/ui/CPoint.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CMenu;
class CMyBitmapApp;
class CPanelDeviceThread;

// The blink timer: every tick paints the lamps and LEDs and flips the blink
// phase. Armed by the status refreshes, never killed.
inline constexpr UINT IDT_LED_BLINK = 2052;
// Draws the cached bitmap lParam at m_ptLed (wParam is not used); the
// painting sends it to its own window.
inline constexpr UINT WM_DRAW_BITMAP_AT = WM_USER + 0x406;

// The blink phase: 0 or 1, flipped by every tick of the blink timer. Green
// LEDs are lit in phase 0 only. UI thread.
extern BYTE g_bBlinkPhase;

class CKorvelModuleDlg : public CBitmapDialog, public CPanelStatusOwner
{
public:
    // Most ports a switch has.
    static constexpr int kMaxPorts = CPanelStatus::kMaxPorts;

    explicit CKorvelModuleDlg(CWnd* pParent = nullptr);
    ~CKorvelModuleDlg() override;

    // Closes the sessions, then destroys the window.
    BOOL DestroyWindow() override;

    // Reads the device profile (User.ini) into the members and the
    // process-wide profile values; reports its own errors. False after one.
    bool ReadDeviceProfile();
    // The User.ini to read; the one beside the executable unless set.
    void SetProfilePath(const std::string& path) { m_strProfilePath = path; }

    // Draws cached bitmap id at point through the kept device context, as
    // the LED position m_ptLed. Any thread; takes LedLock().
    void DrawLedBitmap(CPoint point, UINT id) override;
    // Top-left corner of the first child part of port part index (counted
    // from 0 among the root's ports): where that port's LED is drawn. False
    // when the panel has no such port or the port has no child part.
    bool GetLedPosition(int portPart, CPoint& point) const;

    // What the polling asks of the window (CPanelStatusOwner): after a walk
    // timed out the ports go back to their resting statuses; the window is
    // repainted; the blink timer is armed.
    void ResetPortLeds() override;
    void InvalidatePanel() override;
    void ArmBlinkTimer() override;

    // Whether OnInitDialog starts the status polling (it does unless told
    // otherwise before; pictures and tests that set the states themselves
    // switch it off).
    void SetPolling(bool bPolling) { m_bPolling = bPolling; }

    std::recursive_mutex& LedLock() const { return m_pStatus->Lock(); }

    std::string m_strXmlName;
    std::string m_strModelName;

    // The polled status, shared with the polling thread; its five sessions
    // copy the connection parameters when the window is constructed.
    const std::shared_ptr<CPanelStatus> m_pStatus;
    // The polling thread; started at the end of OnInitDialog and stopped by
    // every way the dialog ends (StopPanelThread).
    std::shared_ptr<CPanelDeviceThread> m_pPanelThread;
    // 1 while a feature dialog started from the menu runs: polling pauses.
    std::atomic<BYTE>& m_bFeatureDialogOpen;
    BYTE m_bPoeModel = 0;
    HICON m_hIcon = nullptr;
    // The window's kept device context: every LED and lamp bitmap is drawn
    // through it, from any thread.
    CDC* m_pDC = nullptr;
    int m_nPortCount = 28;
    int m_nComboPortCount = 0;
    int m_nComboPortIndex = 0;

    // Guarded by LedLock(); all but m_ptLed are the polled status's.
    // Per port: the port type after a link refresh, 2 after a PoE refresh.
    std::vector<int>& m_pPortStates;
    // Where the next LED bitmap is drawn.
    CPoint m_ptLed;
    // 1: the LEDs show link and speed; 0: they show the PoE state.
    int& m_bLinkLedMode;
    int& m_bPoeLimitLamp;
    // "1" fan in order, "2" fan fault.
    std::string& m_strFanStatus;
    // The last reachability check succeeded; nothing is claimed before one.
    BYTE& m_bDeviceReachable;
    // Per port (index 0 for port 1): 0 amber, 1 green (blinking in link
    // mode), 2 dark, 3 not drawn.
    std::array<BYTE, kMaxPorts>& m_LedState;

    // The session of Save Configuration (the polling's five are the polled
    // status's). DestroyWindow closes the sessions after the polling thread
    // has stopped.
    CCommonSNMP m_cCommonSNMPset;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // The activation request of a second start brings the window to the front.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape: the polling stops first.
    void OnOK() override;
    void OnCancel() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnDrawBitmapMessage(WPARAM wParam, LPARAM lParam);

    // Runs a feature dialog the way almost every menu command does: the main
    // window is hidden and minimised and polling pauses while the dialog runs.
    void RunFeatureDialog(CDialog& dialog);
    // The handler of a menu command that opens dialog TDialog:
    //   ON_COMMAND(ID_TRUNK_CONFIGURATION, OnFeatureDialog<CTrunkConfigDlg>)
    template <class TDialog> void OnFeatureDialog()
    {
        TDialog dialog;
        RunFeatureDialog(dialog);
    }
    // The handler of a command whose dialog runs over the running panel: the
    // main window stays up and polling goes on.
    template <class TDialog> void OnPlainDialog()
    {
        TDialog dialog;
        dialog.DoModal();
    }

    // The commands of the Tools menu that act at once; each asks first.
    void OnTelnet();
    void OnWeb();
    void OnSaveConfiguration();
    void OnReboot();
    // Commands that do nothing.
    void OnNoAction();
    void OnNoActionRange(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    // Every close path goes through here before the dialog ends: the polling
    // thread's stop flag is set and its waits end; a thread that is inside a
    // request after 1000 ms is let go and ends after it on its own.
    void StopPanelThread();
    // The end of the polling, once: the thread stopped, the polled status's
    // sessions closed and the window detached from it, the panel's click and
    // pointer hooks cleared. From DestroyWindow, and from the destructor for a
    // window that was never destroyed.
    void EndPolling();
    // Model-dependent menu items: the About texts, the items the model lacks,
    // and gray items for the commands this window has no handler for.
    void PrepareMenus();
    void GrayCommandsWithoutHandler(CMenu* menu);
    // A question with OK and Cancel (Cancel the default); true for OK.
    bool Ask(const std::string& strQuestion) const;
    // The painting's two layers over the panel (LedLock() held).
    void DrawLamps();
    void DrawLeds();
    void DrawCached(UINT id, int x, int y);

    std::string m_strProfilePath;
    std::unique_ptr<CMyBitmapApp> m_pBitmapCache;
    // The pointer shape the panel's parts asked for during one mouse move.
    bool m_bHandCursor = false;
    bool m_bPolling = true;
    bool m_bPollingEnded = false;
};
