// The module's main window: a modal dialog that shows the managed switch's
// front panel, carries the feature menu, and holds the per-port LED states
// that the status polling fills and the painting shows.
//
// Threads. The window lives on the UI thread. The status polling (its thread
// and the SNMP sessions' walk call-backs) writes the LED states, the port
// states, the lamp flags and the LED position, and draws LED bitmaps through
// the kept device context, while the UI thread paints from the same members.
// All of these are guarded by LedLock(). Lock order: LedLock(), then
// CVirtualDev::PanelLock(), then the bitmap cache's and the image's own
// locks. Never make a window call (Invalidate, SetTimer, SendMessage, ...)
// from another thread while holding LedLock(): such calls wait for the UI
// thread, which may itself be waiting for the lock in OnPaint.
#pragma once

#include "common/CCommonSNMP.h"
#include "panel/CBitmapDialog.h"
#include "platform/ui/CPoint.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

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

class CKorvelModuleDlg : public CBitmapDialog
{
public:
    // Most ports a switch has.
    static constexpr int kMaxPorts = 100;

    explicit CKorvelModuleDlg(CWnd* pParent = nullptr);
    ~CKorvelModuleDlg() override;

    // Closes the sessions, then destroys the window.
    BOOL DestroyWindow() override;

    // Reads the device profile (User.ini) into the members and the
    // process-wide profile values; reports its own errors.
    void ReadDeviceProfile();
    // The User.ini to read; the one beside the executable unless set.
    void SetProfilePath(const std::string& path) { m_strProfilePath = path; }

    // Draws cached bitmap id at point through the kept device context, as
    // the LED position m_ptLed. Any thread; takes LedLock().
    void DrawLedBitmap(CPoint point, UINT id);
    // Top-left corner of the first child part of port part index (counted
    // from 0 among the root's ports): where that port's LED is drawn. False
    // when the panel has no such port or the port has no child part.
    bool GetLedPosition(int portPart, CPoint& point) const;

    std::recursive_mutex& LedLock() const { return m_ledLock; }

    // Status lists gathered by the link walk and the PoE walk.
    std::string m_strAdminStatusList;
    std::string m_strOperStatusList;
    std::string m_strIfIndexList;
    std::string m_strSpeedList;
    std::string m_strPortTypeList;
    std::string m_strXmlName;
    std::string m_strPoeStatusList;
    std::string m_strPoePortList;
    std::string m_strModelName;

    // The polling thread; started at the end of OnInitDialog and stopped by
    // every way the dialog ends (StopPanelThread).
    CPanelDeviceThread* m_pPanelThread = nullptr;
    // 1 while a feature dialog started from the menu runs: polling pauses.
    std::atomic<BYTE> m_bFeatureDialogOpen{0};
    BYTE m_bPoeModel = 0;
    HICON m_hIcon = nullptr;
    // The window's kept device context: every LED and lamp bitmap is drawn
    // through it, from any thread.
    CDC* m_pDC = nullptr;
    int m_nPortCount = 28;
    int m_nComboPortCount = 0;
    int m_nComboPortIndex = 0;

    // Guarded by LedLock().
    // Per port: the port type after a link refresh, 2 after a PoE refresh.
    std::vector<int> m_pPortStates;
    // Where the next LED bitmap is drawn.
    CPoint m_ptLed;
    // 1: the LEDs show link and speed; 0: they show the PoE state.
    int m_bLinkLedMode = 1;
    int m_bPoeLimitLamp = 0;
    // "1" fan in order, "2" fan fault.
    std::string m_strFanStatus = "1";
    // The last reachability check succeeded; nothing is claimed before one.
    BYTE m_bDeviceReachable = 0;
    // Per port (index 0 for port 1): 0 amber, 1 green (blinking in link
    // mode), 2 dark, 3 not drawn.
    std::array<BYTE, kMaxPorts> m_LedState{};

    // The sessions of the polling and of Save Configuration: reachability,
    // Save Configuration, fan, link walk, PoE values, PoE walk. DestroyWindow
    // closes them, after the polling thread has stopped.
    CCommonSNMP m_cCommonSNMP;
    CCommonSNMP m_cCommonSNMPset;
    CCommonSNMP m_cCommonSNMPFan;
    CCommonSNMP m_cCommonSNMPDevStat;
    CCommonSNMP m_cCommonSNMPPoe;
    CCommonSNMP m_cCommonSNMPPoeStat;

    // A port walk was started and has not ended.
    std::atomic<BYTE> m_bWalkPending{0};

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
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnDrawBitmapMessage(WPARAM wParam, LPARAM lParam);

    // Runs a feature dialog the way every menu command does: the main window
    // is hidden and minimised and polling pauses while the dialog runs.
    void RunFeatureDialog(CDialog& dialog);
    // The handler of a menu command that opens dialog TDialog:
    //   ON_COMMAND(ID_TRUNK_CONFIGURATION, OnFeatureDialog<CTrunkConfigDlg>)
    template <class TDialog> void OnFeatureDialog()
    {
        TDialog dialog;
        RunFeatureDialog(dialog);
    }

    DECLARE_MESSAGE_MAP()

private:
    // Every close path goes through here before the dialog ends.
    void StopPanelThread();
    // The painting's two layers over the panel (LedLock() held).
    void DrawLamps();
    void DrawLeds();
    void DrawCached(UINT id, int x, int y);

    std::string m_strProfilePath;
    std::unique_ptr<CMyBitmapApp> m_pBitmapCache;
    // The pointer shape the panel's parts asked for during one mouse move.
    bool m_bHandCursor = false;
    mutable std::recursive_mutex m_ledLock;
};
