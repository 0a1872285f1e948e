#include "platform/ui/CWnd.h"

#include "platform/ui/CDC.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CFont.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/GdiObjectData.h"
#include "platform/ui/MenuRegistry.h"
#include "platform/ui/MessageRouter.h"
#include "platform/ui/ModalScope.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/TextCopy.h"
#include "platform/ui/TimerScale.h"
#include "platform/ui/WindowAccess.h"
#include "platform/ui/WindowFactory.h"
#include "platform/ui/WindowFont.h"
#include "platform/ui/WindowSurface.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

struct CWnd::Owned
{
    std::vector<std::unique_ptr<CWnd>> objects;
    std::vector<std::unique_ptr<CDC>> contexts; // GetDC until ReleaseDC
    std::unique_ptr<WindowFont> font;           // GetFont
};

namespace {

// The largest size, and distance from the origin, of a window's placement.
constexpr int kMaxPlacement = QWIDGETSIZE_MAX;

HWND ChildWithId(const WindowRecord& rec, int id)
{
    for (HWND child : rec.children) {
        if (WindowRecord* c = WindowRegistry::Find(child); c && c->id == id)
            return child;
    }
    return nullptr;
}

CWnd* ObjectOf(HWND h)
{
    WindowRecord* rec = WindowRegistry::Find(h);
    return rec ? rec->object : nullptr;
}

QRect WindowRectOf(const WindowRecord& rec)
{
    QWidget* w = rec.widget;
    if (!(rec.style & WS_CHILD))
        return rec.Outer()->frameGeometry();
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

// The window's rectangle in its parent's client pixels (top-level: on the screen).
QRect PlacementOf(const WindowRecord& rec)
{
    return (rec.style & WS_CHILD) ? rec.widget->geometry() : rec.Outer()->frameGeometry();
}

void SetTopmost(WindowRecord& rec, bool on)
{
    QWidget* w = rec.Outer();
    if (rec.style & WS_CHILD)
        return;
    rec.exStyle = on ? (rec.exStyle | WS_EX_TOPMOST) : (rec.exStyle & ~WS_EX_TOPMOST);
    if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != on) {
        const bool visible = w->isVisible();
        const QPoint pos = w->pos();
        w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (visible) {
            w->move(pos);
            w->show();
        }
    }
    if (on)
        w->raise();
}

void Center(WindowRecord& rec, const WindowRecord* over)
{
    QWidget* w = rec.Outer();
    QRect area;
    if (over && over->widget && over->Outer()->isVisible() && !over->Outer()->isMinimized())
        area = WindowRectOf(*over);
    else if (QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    const QSize size = w->frameGeometry().size();
    ++rec.moving;
    w->move(area.center() - QPoint(size.width() / 2, size.height() / 2));
    --rec.moving;
    rec.placed = true;
}

// Client pixels of the window to screen pixels, or back.
void MapPoints(const CWnd* wnd, LPPOINT points, int count, bool toScreen)
{
    if (!points)
        return;
    OnWindow(wnd, [&](WindowRecord& rec) {
        for (int i = 0; i < count; ++i) {
            const QPoint at(points[i].x, points[i].y);
            const QPoint p = toScreen ? rec.widget->mapToGlobal(at) : rec.widget->mapFromGlobal(at);
            points[i].x = p.x();
            points[i].y = p.y();
        }
    });
}

void MapRect(const CWnd* wnd, LPRECT rect, bool toScreen)
{
    if (!rect)
        return;
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    MapPoints(wnd, corners, 2, toScreen);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

bool ParseInt(const std::string& text, bool isSigned, long long& value)
{
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (isSigned && i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const std::size_t digits = i;
    value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = value * 10 + (text[i++] - '0');
        if (value > 0xFFFFFFFFLL)
            return false;
    }
    if (i == digits)
        return false;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i != text.size())
        return false;
    if (negative)
        value = -value;
    return isSigned ? (value >= INT_MIN && value <= INT_MAX) : true;
}

} // namespace

namespace msgmap {

CWnd* WndFromHandle(HWND h)
{
    return CWnd::FromHandle(h);
}

CPoint PointFromLParam(LPARAM l)
{
    return CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l));
}

} // namespace msgmap

const CWnd CWnd::wndTop(reinterpret_cast<HWND>(0));
const CWnd CWnd::wndBottom(reinterpret_cast<HWND>(1));
const CWnd CWnd::wndTopMost(reinterpret_cast<HWND>(-1));
const CWnd CWnd::wndNoTopMost(reinterpret_cast<HWND>(-2));

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::CWnd(HWND special)
{
    m_hWnd = special;
}

CWnd::~CWnd()
{
    const HWND h = m_hWnd.load();
    if (h && WindowRegistry::IsAlive(h)) {
        RunForWindow(h, [&] {
            WindowRecord* rec = WindowRegistry::Find(h);
            if (!rec)
                return;
            if (rec->defaultObject == this && rec->object != this) {
                rec->defaultObject = nullptr;
            } else if (rec->object == this) {
                WindowFactory::Destroy(h);
            }
        });
    }
    delete m_owned;
}

void CWnd::KeepOwned(std::unique_ptr<CWnd> object)
{
    if (!m_owned)
        m_owned = new Owned;
    // Objects of windows destroyed since (an earlier run of a dialog) can go.
    auto& objects = m_owned->objects;
    objects.erase(std::remove_if(objects.begin(), objects.end(), [](const auto& o) { return !o->m_hWnd.load(); }),
                  objects.end());
    objects.push_back(std::move(object));
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return RunForWindow(hWnd, static_cast<CWnd*>(nullptr), [&] { return ObjectOf(hWnd); });
}

CWnd* CWnd::GetFocus()
{
    CWnd* focus = nullptr;
    UiThreadCalls::Run(nullptr, [&] {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return;
        if (WindowRecord* rec = WindowRegistry::Owning(QApplication::focusWidget()))
            focus = rec->object;
    });
    return focus;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (m_hWnd.load() || !hWnd)
        return FALSE;
    return RunForWindow(hWnd, FALSE, [&] {
        WindowRecord* rec = WindowRegistry::Find(hWnd);
        if (!rec)
            return FALSE;
        if (rec->object && rec->object != this && rec->object != rec->defaultObject)
            rec->object->m_hWnd = nullptr;
        m_hWnd = hWnd;
        WindowFactory::AttachObject(*rec, this);
        return TRUE;
    });
}

HWND CWnd::Detach()
{
    const HWND h = m_hWnd.exchange(nullptr);
    RunForWindow(h, [&] {
        WindowRecord* rec = WindowRegistry::Find(h);
        if (!rec || rec->object != this)
            return;
        CWnd* fallback = rec->defaultObject != this ? rec->defaultObject : nullptr;
        if (fallback)
            fallback->m_hWnd = h;
        WindowFactory::AttachObject(*rec, fallback);
    });
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    RunForWindow(hWnd, [&] { PreSubclassWindow(); });
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    CWnd* item = pParent ? pParent->GetDlgItem(static_cast<int>(nID)) : nullptr;
    return item ? SubclassWindow(item->m_hWnd.load()) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    return Detach();
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* /*pContext*/)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, nullptr);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam)
{
    if (m_hWnd.load())
        return FALSE;
    CREATESTRUCT cs;
    cs.lpCreateParams = lpParam;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd.load() : nullptr;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    cs.lpszName = lpszWindowName;
    cs.lpszClass = lpszClassName;
    BOOL created = FALSE;
    UiThreadCalls::Run(nullptr, [&] {
        if (!PreCreateWindow(cs))
            return;
        if ((cs.style & WS_CHILD) && !WindowRegistry::IsAlive(cs.hwndParent))
            return;
        const RECT r{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
        const HWND h = WindowFactory::CreateWindowFor(this, cs.lpszClass, cs.lpszName ? cs.lpszName : "", cs.style,
                                                      cs.dwExStyle, r, cs.hwndParent, static_cast<int>(nID));
        if (!h)
            return;
        if (MessageRouter::Send(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
            WindowFactory::Destroy(h);
            return;
        }
        created = TRUE;
    });
    return created;
}

BOOL CWnd::DestroyWindow()
{
    const HWND h = m_hWnd.load();
    return RunForWindow(h, FALSE, [&] {
        WindowFactory::Destroy(h);
        return TRUE;
    });
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd.load(), message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd.load(), message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    CWnd* item = GetDlgItem(nID);
    return item ? item->SendMessage(message, wParam, lParam) : 0;
}

void CWnd::SetWindowText(const std::string& text)
{
    OnWindow(this, [&](WindowRecord& rec) {
        rec.text = text;
        WindowFactory::ShowText(rec);
    });
}

void CWnd::GetWindowText(std::string& text) const
{
    text = GetWindowText();
}

std::string CWnd::GetWindowText() const
{
    return OnWindow(this, std::string(), [](WindowRecord& rec) { return WindowFactory::CurrentText(rec); });
}

int CWnd::GetWindowText(char* buffer, int maxCount) const
{
    return CopyToBuffer(GetWindowText(), buffer, maxCount);
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(GetWindowText().size());
}

void CWnd::SetDlgItemText(int nID, const std::string& text)
{
    if (CWnd* item = GetDlgItem(nID))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int nID, std::string& text) const
{
    CWnd* item = GetDlgItem(nID);
    text = item ? item->GetWindowText() : std::string();
    return static_cast<int>(text.size());
}

int CWnd::GetDlgItemText(int nID, char* buffer, int maxCount) const
{
    CWnd* item = GetDlgItem(nID);
    if (!item) {
        if (buffer && maxCount > 0)
            buffer[0] = '\0';
        return 0;
    }
    return item->GetWindowText(buffer, maxCount);
}

void CWnd::SetDlgItemInt(int nID, UINT value, BOOL bSigned)
{
    SetDlgItemText(nID, bSigned ? std::to_string(static_cast<int>(value)) : std::to_string(value));
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    std::string text;
    long long value = 0;
    const bool ok = GetDlgItem(nID) && (GetDlgItemText(nID, text), ParseInt(text, bSigned != FALSE, value));
    if (lpTrans)
        *lpTrans = ok ? TRUE : FALSE;
    return ok ? static_cast<UINT>(value) : 0;
}

void CWnd::CheckDlgButton(int nID, UINT nCheck)
{
    OnWindow(this, [&](WindowRecord& rec) {
        WindowRecord* item = WindowRegistry::Find(ChildWithId(rec, nID));
        if (!item)
            return;
        if (auto* box = qobject_cast<QCheckBox*>(item->widget.data()); box && box->isTristate())
            box->setCheckState(nCheck == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                           : (nCheck ? Qt::Checked : Qt::Unchecked));
        else if (auto* button = qobject_cast<QAbstractButton*>(item->widget.data()))
            button->setChecked(nCheck != 0);
    });
}

UINT CWnd::IsDlgButtonChecked(int nID) const
{
    return OnWindow(this, 0U, [&](WindowRecord& rec) -> UINT {
        WindowRecord* item = WindowRegistry::Find(ChildWithId(rec, nID));
        if (!item)
            return 0;
        if (auto* box = qobject_cast<QCheckBox*>(item->widget.data()))
            return box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE : (box->isChecked() ? 1 : 0);
        auto* button = qobject_cast<QAbstractButton*>(item->widget.data());
        return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    });
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    OnWindow(this, [&](WindowRecord& rec) {
        for (HWND child : rec.children) {
            WindowRecord* item = WindowRegistry::Find(child);
            if (!item || item->id < nIDFirstButton || item->id > nIDLastButton)
                continue;
            if (auto* button = qobject_cast<QAbstractButton*>(item->widget.data()))
                button->setChecked(item->id == nIDCheckButton);
        }
    });
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    return OnWindow(this, 0, [&](WindowRecord& rec) {
        for (HWND child : rec.children) {
            WindowRecord* item = WindowRegistry::Find(child);
            if (!item || item->id < nIDFirstButton || item->id > nIDLastButton)
                continue;
            if (auto* button = qobject_cast<QAbstractButton*>(item->widget.data()); button && button->isChecked())
                return item->id;
        }
        return 0;
    });
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return OnWindow(this, static_cast<CWnd*>(nullptr),
                    [&](WindowRecord& rec) { return ObjectOf(ChildWithId(rec, nID)); });
}

int CWnd::GetDlgCtrlID() const
{
    return OnWindow(this, 0, [](WindowRecord& rec) { return rec.id; });
}

int CWnd::SetDlgCtrlID(int nID)
{
    return OnWindow(this, 0, [&](WindowRecord& rec) { return std::exchange(rec.id, nID); });
}

CWnd* CWnd::GetParent() const
{
    return OnWindow(this, static_cast<CWnd*>(nullptr),
                    [](WindowRecord& rec) { return ObjectOf(rec.parent ? rec.parent : rec.owner); });
}

CWnd* CWnd::GetOwner() const
{
    return GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    return OnWindow(this, static_cast<CWnd*>(nullptr), [](WindowRecord& rec) {
        WindowRecord* r = &rec;
        while (r->parent) {
            WindowRecord* up = WindowRegistry::Find(r->parent);
            if (!up)
                break;
            r = up;
        }
        return r->object;
    });
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return OnWindow(this, static_cast<CWnd*>(nullptr), [&](WindowRecord& rec) -> CWnd* {
        if (nCmd == GW_CHILD)
            return rec.children.empty() ? nullptr : ObjectOf(rec.children.front());
        if (nCmd == GW_OWNER)
            return ObjectOf(rec.owner);
        WindowRecord* parent = WindowRegistry::Find(rec.parent);
        if (!parent)
            return nullptr;
        const auto& siblings = parent->children;
        auto self = std::find(siblings.begin(), siblings.end(), rec.hwnd);
        switch (nCmd) {
        case GW_HWNDFIRST:
            return ObjectOf(siblings.front());
        case GW_HWNDLAST:
            return ObjectOf(siblings.back());
        case GW_HWNDNEXT:
            return self != siblings.end() && self + 1 != siblings.end() ? ObjectOf(*(self + 1)) : nullptr;
        case GW_HWNDPREV:
            return self != siblings.begin() && self != siblings.end() ? ObjectOf(*(self - 1)) : nullptr;
        default:
            return nullptr;
        }
    });
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    if (!pWnd)
        return FALSE;
    const HWND self = m_hWnd.load();
    const HWND other = pWnd->m_hWnd.load();
    return RunForWindow(other, FALSE, [&] {
        WindowRecord* r = WindowRegistry::Find(other);
        while (r && r->parent) {
            if (r->parent == self)
                return TRUE;
            r = WindowRegistry::Find(r->parent);
        }
        return FALSE;
    });
}

DWORD CWnd::GetStyle() const
{
    return OnWindow(this, DWORD{0}, [](WindowRecord& rec) {
        DWORD style = rec.style & ~WS_VISIBLE;
        if (!rec.Outer()->isHidden())
            style |= WS_VISIBLE;
        if (!(rec.style & WS_CHILD) && rec.Outer()->isMinimized())
            style |= WS_MINIMIZE;
        return style;
    });
}

DWORD CWnd::GetExStyle() const
{
    return OnWindow(this, DWORD{0}, [](WindowRecord& rec) { return rec.exStyle; });
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        const DWORD old = rec.style;
        rec.style = (old & ~dwRemove) | dwAdd;
        if (rec.style == old)
            return FALSE;
        WindowFactory::ApplyStyle(rec, old);
        // The frame keeps its look and sizing until it is told of the change.
        if (nFlags & SWP_FRAMECHANGED)
            WindowFactory::ApplyFrame(rec);
        return TRUE;
    });
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT /*nFlags*/)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        const DWORD old = rec.exStyle;
        const DWORD now = (old & ~dwRemove) | dwAdd;
        if (now == old)
            return FALSE;
        rec.exStyle = now;
        if ((now ^ old) & WS_EX_TOPMOST)
            SetTopmost(rec, (now & WS_EX_TOPMOST) != 0);
        return TRUE;
    });
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        QWidget* w = rec.Outer();
        const BOOL wasVisible = !w->isHidden();
        if (nCmdShow == SW_HIDE) {
            w->hide();
            rec.style &= ~WS_VISIBLE;
            return wasVisible;
        }
        rec.style |= WS_VISIBLE;
        if (rec.style & WS_CHILD) {
            w->show();
            return wasVisible;
        }
        if (!rec.placed)
            Center(rec, WindowRegistry::Find(rec.owner));
        switch (nCmdShow) {
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            w->showMinimized();
            break;
        case SW_SHOWMAXIMIZED:
            w->showMaximized();
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            w->showNormal();
            break;
        default:
            w->show();
            break;
        }
        return wasVisible;
    });
}

BOOL CWnd::IsWindowVisible() const
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) { return rec.Outer()->isVisible() ? TRUE : FALSE; });
}

BOOL CWnd::IsIconic() const
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) {
        return !(rec.style & WS_CHILD) && rec.Outer()->isMinimized() ? TRUE : FALSE;
    });
}

BOOL CWnd::IsZoomed() const
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) {
        return !(rec.style & WS_CHILD) && rec.Outer()->isMaximized() ? TRUE : FALSE;
    });
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        const BOOL wasDisabled = (rec.style & WS_DISABLED) ? TRUE : FALSE;
        rec.style = bEnable ? (rec.style & ~WS_DISABLED) : (rec.style | WS_DISABLED);
        rec.Outer()->setEnabled(bEnable != FALSE);
        return wasDisabled;
    });
}

BOOL CWnd::IsWindowEnabled() const
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) { return (rec.style & WS_DISABLED) ? FALSE : TRUE; });
}

BOOL CWnd::SetForegroundWindow()
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) {
        QWidget* top = rec.widget->window();
        // A window that a modal loop holds cannot come forward: the modal window does.
        if (QWidget* modal = ModalScope::Innermost(); modal && ModalScope::Blocks(top))
            top = modal;
        top->raise();
        top->activateWindow();
        return TRUE;
    });
}

CWnd* CWnd::GetLastActivePopup() const
{
    CWnd* popup = OnWindow(this, static_cast<CWnd*>(nullptr), [](WindowRecord& rec) -> CWnd* {
        if (!ModalScope::Blocks(rec.Outer()))
            return nullptr;
        WindowRecord* modal = WindowRegistry::Find(ModalScope::InnermostDialog());
        return modal ? modal->object : nullptr;
    });
    return popup ? popup : const_cast<CWnd*>(this);
}

void CWnd::BringWindowToTop()
{
    OnWindow(this, [](WindowRecord& rec) { rec.Outer()->raise(); });
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL /*bRepaint*/)
{
    // Bounded before the rectangle adds them up: no window is larger than the
    // window system allows, nor placed further out.
    const QRect rect(std::clamp(x, -kMaxPlacement, kMaxPlacement), std::clamp(y, -kMaxPlacement, kMaxPlacement),
                     std::clamp(nWidth, 0, kMaxPlacement), std::clamp(nHeight, 0, kMaxPlacement));
    OnWindow(this, [&](WindowRecord& rec) { WindowFactory::Place(rec, rect); });
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (!lpRect)
        return;
    auto extent = [](LONG from, LONG to) {
        return static_cast<int>(std::clamp<long long>(static_cast<long long>(to) - from, 0, kMaxPlacement));
    };
    MoveWindow(lpRect->left, lpRect->top, extent(lpRect->left, lpRect->right), extent(lpRect->top, lpRect->bottom),
               bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        if (!(nFlags & SWP_NOZORDER) && pWndInsertAfter) {
            if (pWndInsertAfter == &wndTopMost)
                SetTopmost(rec, true);
            else if (pWndInsertAfter == &wndNoTopMost)
                SetTopmost(rec, false);
            else if (pWndInsertAfter == &wndTop)
                rec.Outer()->raise();
            else if (pWndInsertAfter == &wndBottom)
                rec.Outer()->lower();
        }
        if (nFlags & SWP_FRAMECHANGED)
            WindowFactory::ApplyFrame(rec);
        if ((nFlags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
            QRect r = PlacementOf(rec);
            if (!(nFlags & SWP_NOMOVE))
                r.moveTo(x, y);
            if (!(nFlags & SWP_NOSIZE))
                r.setSize(QSize(cx, cy));
            WindowFactory::Place(rec, r);
        }
        if (nFlags & SWP_SHOWWINDOW) {
            rec.style |= WS_VISIBLE;
            if (!(rec.style & WS_CHILD) && !rec.placed)
                Center(rec, WindowRegistry::Find(rec.owner));
            rec.Outer()->show();
        } else if (nFlags & SWP_HIDEWINDOW) {
            rec.style &= ~WS_VISIBLE;
            rec.Outer()->hide();
        }
        return TRUE;
    });
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    *lpRect = OnWindow(this, RECT{}, [](WindowRecord& rec) {
        const QRect r = WindowRectOf(rec);
        return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    });
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    *lpRect = OnWindow(this, RECT{}, [](WindowRecord& rec) {
        return RECT{0, 0, rec.widget->width(), rec.widget->height()};
    });
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    MapPoints(this, lpPoint, 1, true);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    MapRect(this, lpRect, true);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    MapPoints(this, lpPoint, 1, false);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    MapRect(this, lpRect, false);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    const HWND over = pAlternateOwner ? pAlternateOwner->m_hWnd.load() : nullptr;
    OnWindow(this, [&](WindowRecord& rec) {
        if (!(rec.style & WS_CHILD))
            Center(rec, WindowRegistry::Find(over ? over : rec.owner));
    });
}

void CWnd::Invalidate(BOOL /*bErase*/)
{
    OnWindow(this, [](WindowRecord& rec) {
        rec.invalid = true;
        rec.widget->update();
        if (auto* area = qobject_cast<QAbstractScrollArea*>(rec.widget.data()))
            area->viewport()->update();
    });
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (!lpRect) {
        Invalidate(bErase);
        return;
    }
    OnWindow(this, [](WindowRecord& rec) {
        // The whole image is erased and painted again, so all of it is shown.
        rec.invalid = true;
        rec.widget->update();
    });
}

void CWnd::UpdateWindow()
{
    OnWindow(this, [](WindowRecord& rec) {
        if (rec.widget->isVisible())
            rec.widget->repaint();
    });
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, void* /*prgnUpdate*/, UINT flags)
{
    if (flags & (RDW_INVALIDATE | RDW_ERASE))
        InvalidateRect(lpRectUpdate, (flags & RDW_ERASE) != 0);
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        UpdateWindow();
    return m_hWnd.load() ? TRUE : FALSE;
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    OnWindow(this, [&](WindowRecord& rec) {
        rec.widget->setUpdatesEnabled(bRedraw != FALSE);
        if (bRedraw)
            rec.widget->update();
    });
}

CWnd* CWnd::SetFocus()
{
    CWnd* previous = GetFocus();
    OnWindow(this, [](WindowRecord& rec) {
        if (!(rec.style & WS_CHILD))
            rec.widget->activateWindow();
        rec.widget->setFocus(Qt::OtherFocusReason);
    });
    return previous;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return OnWindow(this, UINT_PTR{0}, [&](WindowRecord& rec) -> UINT_PTR {
        UINT_PTR id = nIDEvent;
        if (id == 0) {
            id = 0x7FFF0000;
            while (rec.timers.count(id))
                ++id;
        }
        if (auto old = rec.timers.find(id); old != rec.timers.end()) {
            old->second->stop();
            old->second->deleteLater();
            rec.timers.erase(old);
        }
        auto* timer = new QTimer(rec.widget);
        timer->setInterval(static_cast<int>(std::min<UINT>(ScaledTimerPeriod(nElapse), INT_MAX)));
        const HWND h = rec.hwnd;
        QObject::connect(timer, &QTimer::timeout, timer, [h, id, lpfnTimer] {
            if (lpfnTimer)
                lpfnTimer(h, WM_TIMER, id, 0);
            else
                MessageRouter::Send(h, WM_TIMER, id, 0);
        });
        timer->start();
        rec.timers[id] = timer;
        return id;
    });
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        auto it = rec.timers.find(nIDEvent);
        if (it == rec.timers.end())
            return FALSE;
        it->second->stop();
        it->second->deleteLater();
        rec.timers.erase(it);
        return TRUE;
    });
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return OnWindow(this, static_cast<HICON>(nullptr), [&](WindowRecord& rec) {
        HICON& slot = bBigIcon ? rec.bigIcon : rec.smallIcon;
        const HICON previous = std::exchange(slot, hIcon);
        const HICON shown = rec.bigIcon ? rec.bigIcon : rec.smallIcon;
        rec.Outer()->setWindowIcon(shown ? ResourceImages::Icon(shown) : QIcon());
        return previous;
    });
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return OnWindow(this, static_cast<HICON>(nullptr),
                    [&](WindowRecord& rec) { return bBigIcon ? rec.bigIcon : rec.smallIcon; });
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType) const
{
    return ShowMessageBox(text, caption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    return OnWindow(this, FALSE, [&](WindowRecord&) {
        CDataExchange dx(this, bSaveAndValidate);
        DoDataExchange(&dx);
        return dx.m_bFailed ? FALSE : TRUE;
    });
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

void CWnd::BeginWaitCursor()
{
    CWaitCursor::Begin();
}
void CWnd::EndWaitCursor()
{
    CWaitCursor::End();
}
void CWnd::RestoreWaitCursor()
{
    CWaitCursor::RestoreCurrent();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
    } else if (message == WM_NOTIFY) {
        handled = OnNotify(wParam, lParam, &result);
    } else {
        msgmap::Call call;
        call.message = message;
        call.wParam = wParam;
        call.lParam = lParam;
        handled = RunMapEntry(msgmap::Kind::Message, call, &result);
    }
    if (handled && pResult)
        *pResult = result;
    return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        CWnd* child = FromHandle(control);
        if (child && child != this && child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    if (header->hwndFrom) {
        CWnd* child = FromHandle(header->hwndFrom);
        if (child && child != this && child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
            return TRUE;
    }
    msgmap::Call call;
    call.message = WM_NOTIFY;
    call.wParam = wParam;
    call.lParam = lParam;
    call.id = static_cast<UINT>(header->idFrom);
    call.code = header->code;
    return RunMapEntry(msgmap::Kind::Notify, call, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    msgmap::Call call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    if (message == WM_COMMAND) {
        call.id = LOWORD(wParam);
        call.code = HIWORD(wParam);
        return RunMapEntry(msgmap::Kind::ReflectCommand, call, pResult);
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        call.id = static_cast<UINT>(header->idFrom);
        call.code = header->code;
        return RunMapEntry(msgmap::Kind::ReflectNotify, call, pResult);
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND self = m_hWnd.load();
    MessageRouter::RequestDefault(self, message);
    WindowRecord* rec = WindowRegistry::Find(self);
    if (!rec)
        return 0;
    switch (message) {
    case WM_CLOSE: {
        if (rec->style & WS_CHILD)
            return 0;
        if (!rec->dialog) {
            DestroyWindow();
            return 0;
        }
        // A dialog closes through its Cancel command, unless its Cancel button is disabled.
        const HWND cancel = ChildWithId(*rec, IDCANCEL);
        if (WindowRecord* c = WindowRegistry::Find(cancel); c && (c->style & WS_DISABLED))
            return 0;
        MessageRouter::Send(self, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return 0;
    }
    case DM_GETDEFID:
        return rec->dialog && rec->defId ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(rec->defId), DC_HASDEFID))
                                         : 0;
    case DM_SETDEFID: {
        if (!rec->dialog)
            return FALSE;
        for (HWND child : rec->children) {
            WindowRecord* c = WindowRegistry::Find(child);
            if (!c || c->className != WC_BUTTON)
                continue;
            const DWORD type = c->style & BS_TYPEMASK;
            if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON)
                continue;
            const DWORD old = c->style;
            c->style = (old & ~BS_TYPEMASK) | (c->id == static_cast<int>(wParam) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            WindowFactory::ApplyStyle(*c, old);
        }
        rec->defId = static_cast<UINT>(wParam);
        return TRUE;
    }
    case WM_ERASEBKGND: {
        // Fills the window's image with its background colour.
        auto* dc = reinterpret_cast<CDC*>(wParam);
        if (!dc || !rec->widget)
            return 0;
        const RECT client{0, 0, rec->widget->width(), rec->widget->height()};
        dc->FillSolidRect(&client, WindowSurface::Background(*rec));
        return TRUE;
    }
    case WM_SETTEXT:
        rec->text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        WindowFactory::ShowText(*rec);
        return TRUE;
    case WM_SYSCOMMAND:
        // The commands of the system menu's own items.
        if (rec->style & WS_CHILD)
            return 0;
        if ((wParam & 0xFFF0) == SC_CLOSE)
            MessageRouter::Send(self, WM_CLOSE, 0, 0);
        else if ((wParam & 0xFFF0) == SC_MINIMIZE)
            ShowWindow(SW_MINIMIZE);
        return 0;
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(WindowFactory::CurrentText(*rec).size());
    case WM_GETTEXT:
        return CopyToBuffer(WindowFactory::CurrentText(*rec), reinterpret_cast<char*>(lParam),
                            static_cast<int>(std::min<WPARAM>(wParam, INT_MAX)));
    default:
        return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/)
{
    return FALSE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& /*cs*/)
{
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

CDC* CWnd::GetDC()
{
    return OnWindow(this, static_cast<CDC*>(nullptr), [&](WindowRecord& rec) {
        auto dc = std::make_unique<CDC>();
        dc->AttachSurface(WindowSurface::Of(rec));
        if (!m_owned)
            m_owned = new Owned;
        m_owned->contexts.push_back(std::move(dc));
        return m_owned->contexts.back().get();
    });
}

int CWnd::ReleaseDC(CDC* pDC)
{
    int released = 0;
    UiThreadCalls::Run(nullptr, [&] {
        if (!m_owned || !pDC)
            return;
        auto& contexts = m_owned->contexts;
        auto it = std::find_if(contexts.begin(), contexts.end(), [&](const auto& dc) { return dc.get() == pDC; });
        if (it == contexts.end())
            return;
        contexts.erase(it);
        released = 1;
    });
    return released;
}

void CWnd::SetFont(CFont* pFont, BOOL /*bRedraw*/)
{
    if (!pFont || !pFont->Data() || pFont->Data()->kind != gdi_detail::GdiKind::Font)
        return;
    const QFont font = pFont->Data()->font;
    OnWindow(this, [&](WindowRecord& rec) {
        rec.font = font;
        rec.widget->setFont(font);
    });
}

CFont* CWnd::GetFont() const
{
    return OnWindow(this, static_cast<CFont*>(nullptr), [this](WindowRecord& rec) -> CFont* {
        if (!m_owned)
            m_owned = new Owned;
        if (!m_owned->font)
            m_owned->font = std::make_unique<WindowFont>();
        m_owned->font->Assign(rec.font);
        return m_owned->font.get();
    });
}

CMenu* CWnd::GetMenu() const
{
    return OnWindow(this, static_cast<CMenu*>(nullptr),
                    [](WindowRecord& rec) { return (rec.style & WS_CHILD) ? nullptr : CMenu::FromHandle(rec.menu); });
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    const HMENU menu = pMenu ? pMenu->m_hMenu : nullptr;
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        if ((rec.style & WS_CHILD) || (menu && !MenuRegistry::Find(menu)))
            return FALSE;
        rec.menu = menu;
        WindowFactory::SetMenuBar(rec, menu);
        return TRUE;
    });
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return OnWindow(this, static_cast<CMenu*>(nullptr), [&](WindowRecord& rec) -> CMenu* {
        if ((rec.style & WS_CHILD) || !(rec.style & WS_SYSMENU))
            return nullptr;
        if (bRevert) {
            if (const HMENU changed = std::exchange(rec.systemMenu, nullptr))
                MenuRegistry::Destroy(changed);
            return nullptr;
        }
        if (!MenuRegistry::Find(rec.systemMenu))
            rec.systemMenu = MenuRegistry::CreateSystemMenu(rec.style);
        return CMenu::FromHandle(rec.systemMenu);
    });
}

QWidget* CWnd::GetWidget() const
{
    WindowRecord* rec = WindowRegistry::Find(m_hWnd.load());
    return rec ? rec->widget.data() : nullptr;
}

LRESULT CWnd::Default()
{
    const MSG* msg = MessageRouter::CurrentMessage();
    if (!msg || msg->hwnd != m_hWnd.load())
        return 0;
    return DefWindowProc(msg->message, msg->wParam, msg->lParam);
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnSizing(UINT, LPRECT)
{
    Default();
}
void CWnd::OnGetMinMaxInfo(MINMAXINFO*)
{
    Default();
}
void CWnd::OnShowWindow(BOOL, UINT)
{
    Default();
}
void CWnd::OnPaint()
{
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnDestroy()
{
    Default();
}
int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}
HCURSOR CWnd::OnQueryDragIcon()
{
    return reinterpret_cast<HCURSOR>(Default());
}
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*)
{
    return static_cast<BOOL>(Default());
}
BOOL CWnd::OnQueryNewPalette()
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnPaletteChanged(CWnd*)
{
    Default();
}

BOOL IsWindow(HWND hWnd)
{
    return WindowRegistry::IsAlive(hWnd) ? TRUE : FALSE;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == HWND_BROADCAST) {
        UiThreadCalls::Run(nullptr, [&] {
            for (HWND top : WindowRegistry::TopLevelWindows())
                MessageRouter::Send(top, message, wParam, lParam);
        });
        return 0;
    }
    return RunForWindow(hWnd, LRESULT{0}, [&] { return MessageRouter::Send(hWnd, message, wParam, lParam); });
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hWnd == HWND_BROADCAST) {
        for (HWND top : WindowRegistry::TopLevelWindows())
            UiThreadCalls::Post(top, [=] { MessageRouter::Send(top, message, wParam, lParam); });
        return TRUE;
    }
    if (!WindowRegistry::IsAlive(hWnd))
        return FALSE;
    return UiThreadCalls::Post(hWnd, [=] { MessageRouter::Send(hWnd, message, wParam, lParam); }) ? TRUE : FALSE;
}

UINT RegisterWindowMessage(const char* name)
{
    if (!name || !*name)
        return 0;
    // Programs register their messages during static initialisation.
    static std::mutex lock;
    static std::map<std::string, UINT> numbers;
    std::lock_guard guard(lock);
    auto [it, inserted] = numbers.emplace(name, 0);
    if (inserted)
        it->second = 0xC000 + static_cast<UINT>(numbers.size()) - 1;
    return it->second;
}
