// A window: a dialog, a control of a dialog, or a window the program creates.
//
// A CWnd object is attached to a window by its handle m_hWnd. Every member
// that touches the window may be called from any thread: from another thread
// the call is carried to the UI thread and waited for (UiThreadCalls.h), and a
// call for a window that no longer exists does nothing and returns 0 / empty.
#pragma once

#include "platform/ui/CCmdTarget.h"
#include "platform/ui/CPoint.h"
#include "platform/ui/CRect.h"
#include "platform/ui/CSize.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/UiConstants.h"

#include <atomic>
#include <memory>
#include <string>

class CDataExchange;
class CDC;
class CFont;
class CMenu;
class CScrollBar;
class QWidget;

using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

class CWnd : public CCmdTarget
{
public:
    CWnd();
    ~CWnd() override;

    // The window's handle; null while no window is attached.
    std::atomic<HWND> m_hWnd{nullptr};
    HWND GetSafeHwnd() const { return m_hWnd.load(); }
    operator HWND() const { return m_hWnd.load(); }

    // The object attached to a window (UI thread), or null.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd) { return FromHandle(hWnd); }
    static CWnd* GetFocus();
    // Insert-after positions of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Attaching: from then on this object's message map and virtual functions
    // serve the window.
    BOOL Attach(HWND hWnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // Creates a child window (WS_CHILD) or a top-level window. The class names
    // the control ("Button", "Edit", "Static", "ComboBox", "ListBox",
    // "SysListView32", "msctls_progress32", "SysIPAddress32"); any other name
    // or null makes a plain window the program paints itself. The rectangle is
    // in the parent's client pixels.
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    // Destroys the window and its children (WM_DESTROY to each); the object stays.
    virtual BOOL DestroyWindow();

    // Messages. SendMessage runs the window's WindowProc and returns its
    // result (from another thread: on the UI thread, waiting for it);
    // PostMessage queues the message for the UI thread's event loop.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Text.
    void SetWindowText(const std::string& text);
    void GetWindowText(std::string& text) const;
    std::string GetWindowText() const;
    int GetWindowText(char* buffer, int maxCount) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, const std::string& text);
    int GetDlgItemText(int nID, std::string& text) const;
    int GetDlgItemText(int nID, char* buffer, int maxCount) const;
    void SetDlgItemInt(int nID, UINT value, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nID, UINT nCheck);
    UINT IsDlgButtonChecked(int nID) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;

    // Children and parents.
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    BOOL IsChild(const CWnd* pWnd) const;

    // Styles.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Showing and enabling. ShowWindow returns whether it was visible before,
    // EnableWindow whether it was disabled before.
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    // Brings the window forward; a window that a modal loop holds brings the
    // modal window forward instead.
    BOOL SetForegroundWindow();
    // The window of the innermost modal loop that holds this one (a dialog
    // over it), or this window itself when none does.
    CWnd* GetLastActivePopup() const;
    void BringWindowToTop();

    // Position and size: a top-level window in screen pixels (frame included),
    // a child in its parent's client pixels.
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // pWndInsertAfter: &wndTopMost / &wndNoTopMost switch topmost on and off.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, void* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);

    // Focus.
    CWnd* SetFocus();

    // Timers: WM_TIMER with the id (or the call-back) every nElapse ms on the UI thread.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Icons.
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    // A message box owned by this window.
    int MessageBox(const std::string& text, const std::string& caption = std::string(), UINT nType = MB_OK) const;

    // Dialog data exchange: DoDataExchange from the controls (TRUE) or to them
    // (FALSE). FALSE when a check refused a value (it has said so).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Message processing, in the order a message meets them: WindowProc
    // (override it to see every message), OnWndMsg (the message map, with
    // OnCommand and OnNotify for commands and notifications, which first offer
    // them to the sending control's OnChildNotify), DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Keys go first to the focused window's and then each parent's
    // PreTranslateMessage; TRUE swallows the key. Dialogs take Enter and Escape here.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // Platform-internal: the widget that shows this window (UI thread only).
    QWidget* GetWidget() const;

    // A device context on the window's kept image (see CClientDC), valid
    // until ReleaseDC or until this object goes; drawing through it from any
    // thread shows on the window.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    // The font the window's text is shown in; GetFont's object belongs to this window.
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // Top-level windows: the menu shown in the menu bar (null: none). The
    // menu bar lies above the client area, whose (0,0) stays under it; the
    // window grows by the bar's height. The window's menu goes with it.
    // GetMenu's object belongs to the menu.
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    // The window's system menu (windows with WS_SYSMENU): Minimize (with a
    // minimize box), a separator and Close, to which the program may add
    // items. The window manager's own system menu cannot take them, so once
    // asked for, this menu is the window's context menu: a right click in
    // the client area that no control takes for itself shows it, and its
    // items send WM_SYSCOMMAND with their id (Close and Minimize act by
    // default). bRevert: back to the plain menu, which shows nothing; null.
    CMenu* GetSystemMenu(BOOL bRevert) const;

protected:
    // The default processing of the message being handled.
    LRESULT Default();

    // The default handlers: each runs the default processing.
    void OnTimer(UINT_PTR nIDEvent);
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, LPRECT pRect);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnClose();
    void OnDestroy();
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnSysCommand(UINT nID, LPARAM lParam);
    HCURSOR OnQueryDragIcon();
    BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);

    DECLARE_MESSAGE_MAP()

private:
    friend class WindowFactory;
    explicit CWnd(HWND special);
    // Objects the layer made for the controls of this window's template (and
    // list headers): they serve a control until a member is bound to it, and
    // stay until this object goes, so a pointer GetDlgItem gave stays valid.
    void KeepOwned(std::unique_ptr<CWnd> object);
    struct Owned;
    mutable Owned* m_owned = nullptr;
};

// Any thread.
BOOL IsWindow(HWND hWnd);
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The number of a message registered by name: the same name gives the same
// number in this process (0xC000 and up).
UINT RegisterWindowMessage(const char* name);
