// Message maps: a static table per class that binds messages, commands and
// notifications to member functions.
//
//   // in the class:                 DECLARE_MESSAGE_MAP()
//   // in the .cpp:
//   BEGIN_MESSAGE_MAP(CTrunkDlg, CDialog)
//       ON_BN_CLICKED(IDC_REFRESH, OnRefresh)                   // void OnRefresh()
//       ON_CONTROL_RANGE(BN_CLICKED, 2001, 2052, OnPortCheck)  // void OnPortCheck(UINT id)
//       ON_NOTIFY(NM_CLICK, IDC_LIST, OnListClick)             // void OnListClick(NMHDR*, LRESULT*)
//       ON_MESSAGE(WM_LOGIC_NOTIFY, OnLogicNotify)             // LRESULT OnLogicNotify(WPARAM, LPARAM)
//       ON_WM_TIMER()                                          // void OnTimer(UINT_PTR id)
//   END_MESSAGE_MAP()
//
// Handlers are named without their class; each macro checks the handler's
// signature at compile time. The first matching entry of the most derived map
// runs; a message no entry handles goes on to the base class's map and then to
// the window's default processing.
#pragma once

#include "platform/ui/CPoint.h"
#include "platform/ui/UiConstants.h"

#include <type_traits>

class CCmdTarget;
class CWnd;
class CDC;
class CScrollBar;

namespace msgmap {

// A message as a handler entry sees it.
struct Call
{
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT id = 0;   // control or command id (WM_COMMAND, WM_NOTIFY)
    UINT code = 0; // notification code (WM_COMMAND, WM_NOTIFY)
};

// Runs the handler; TRUE when the message counts as handled.
using Invoker = BOOL (*)(CCmdTarget* target, const Call& call, LRESULT* result);

enum class Kind : unsigned char
{
    End,
    Command,        // WM_COMMAND by id range and notification code
    Notify,         // WM_NOTIFY by id range and notification code
    Message,        // any message by number
    Registered,     // a message whose number is held in a variable
    ReflectCommand, // WM_COMMAND handled by the control that sent it
    ReflectNotify,  // WM_NOTIFY handled by the control that sent it
};

struct Entry
{
    Kind kind = Kind::End;
    UINT message = 0;
    UINT code = 0;
    UINT idFirst = 0;
    UINT idLast = 0;
    const UINT* registered = nullptr;
    Invoker invoke = nullptr;
};

struct Map
{
    const Map* (*base)();
    const Entry* entries;
};

// The class and signature of a member function pointer.
template <class T> struct Member;
template <class C, class R, class... A> struct Member<R (C::*)(A...)>
{
    using Class = C;
    using Sig = R(A...);
};
template <auto F> using ClassOf = typename Member<decltype(F)>::Class;
template <auto F, class Sig> inline constexpr bool HasSig = std::is_same_v<typename Member<decltype(F)>::Sig, Sig>;

template <auto F> auto* Target(CCmdTarget* t)
{
    return static_cast<ClassOf<F>*>(t);
}

CWnd* WndFromHandle(HWND h);
CPoint PointFromLParam(LPARAM l);

constexpr Entry End()
{
    return Entry{};
}

constexpr Entry MakeMessage(UINT message, Invoker invoke)
{
    return Entry{Kind::Message, message, 0, 0, 0, nullptr, invoke};
}

// Commands and control notifications carried by WM_COMMAND.
template <auto F> constexpr Entry Control(UINT code, UINT first, UINT last)
{
    static_assert(HasSig<F, void()>, "a command or control handler is void Handler()");
    return Entry{
        Kind::Command, WM_COMMAND, code, first, last, nullptr, [](CCmdTarget* t, const Call&, LRESULT*) -> BOOL {
            (Target<F>(t)->*F)();
            return TRUE;
        }};
}
template <auto F> constexpr Entry ControlRange(UINT code, UINT first, UINT last)
{
    static_assert(HasSig<F, void(UINT)>, "a range handler is void Handler(UINT id)");
    return Entry{
        Kind::Command, WM_COMMAND, code, first, last, nullptr, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
            (Target<F>(t)->*F)(c.id);
            return TRUE;
        }};
}
template <auto F> constexpr Entry CommandEx(UINT first, UINT last)
{
    static_assert(HasSig<F, BOOL(UINT)>, "an extended command handler is BOOL Handler(UINT id)");
    return Entry{
        Kind::Command, WM_COMMAND, 0, first, last, nullptr, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
            return (Target<F>(t)->*F)(c.id);
        }};
}

// Notifications carried by WM_NOTIFY.
template <auto F> constexpr Entry Notify(UINT code, UINT first, UINT last)
{
    static_assert(HasSig<F, void(NMHDR*, LRESULT*)>, "a notification handler is void Handler(NMHDR*, LRESULT*)");
    return Entry{
        Kind::Notify, WM_NOTIFY, code, first, last, nullptr, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
            (Target<F>(t)->*F)(reinterpret_cast<NMHDR*>(c.lParam), r);
            return TRUE;
        }};
}
template <auto F> constexpr Entry NotifyRange(UINT code, UINT first, UINT last)
{
    static_assert(HasSig<F, void(UINT, NMHDR*, LRESULT*)>,
                  "a notification range handler is void Handler(UINT id, NMHDR*, LRESULT*)");
    return Entry{
        Kind::Notify, WM_NOTIFY, code, first, last, nullptr, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
            (Target<F>(t)->*F)(c.id, reinterpret_cast<NMHDR*>(c.lParam), r);
            return TRUE;
        }};
}

// Notifications a control handles itself before its parent sees them.
template <auto F> constexpr Entry NotifyReflect(UINT code)
{
    static_assert(HasSig<F, void(NMHDR*, LRESULT*)>,
                  "a reflected notification handler is void Handler(NMHDR*, LRESULT*)");
    return Entry{
        Kind::ReflectNotify, WM_NOTIFY, code, 0, 0, nullptr, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
            (Target<F>(t)->*F)(reinterpret_cast<NMHDR*>(c.lParam), r);
            return TRUE;
        }};
}
template <auto F> constexpr Entry NotifyReflectEx(UINT code)
{
    static_assert(
        HasSig<F, BOOL(NMHDR*, LRESULT*)>,
        "an extended reflected notification handler is BOOL Handler(NMHDR*, LRESULT*); FALSE lets the parent see it");
    return Entry{
        Kind::ReflectNotify, WM_NOTIFY, code, 0, 0, nullptr, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
            return (Target<F>(t)->*F)(reinterpret_cast<NMHDR*>(c.lParam), r);
        }};
}
template <auto F> constexpr Entry ControlReflect(UINT code)
{
    static_assert(HasSig<F, void()>, "a reflected control handler is void Handler()");
    return Entry{
        Kind::ReflectCommand, WM_COMMAND, code, 0, 0, nullptr, [](CCmdTarget* t, const Call&, LRESULT*) -> BOOL {
            (Target<F>(t)->*F)();
            return TRUE;
        }};
}
template <auto F> constexpr Entry ControlReflectEx(UINT code)
{
    static_assert(HasSig<F, BOOL()>,
                  "an extended reflected control handler is BOOL Handler(); FALSE lets the parent see it");
    return Entry{
        Kind::ReflectCommand, WM_COMMAND, code, 0, 0, nullptr, [](CCmdTarget* t, const Call&, LRESULT*) -> BOOL {
            return (Target<F>(t)->*F)();
        }};
}

// Messages by number: WM_USER + n, WM_APP + n, or a registered message.
template <auto F> constexpr Entry Message(UINT message)
{
    static_assert(HasSig<F, LRESULT(WPARAM, LPARAM)>, "a message handler is LRESULT Handler(WPARAM, LPARAM)");
    return MakeMessage(message, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
        *r = (Target<F>(t)->*F)(c.wParam, c.lParam);
        return TRUE;
    });
}
template <auto F> constexpr Entry Registered(const UINT* message)
{
    static_assert(HasSig<F, LRESULT(WPARAM, LPARAM)>, "a message handler is LRESULT Handler(WPARAM, LPARAM)");
    return Entry{Kind::Registered, 0, 0, 0, 0, message, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
                     *r = (Target<F>(t)->*F)(c.wParam, c.lParam);
                     return TRUE;
                 }};
}

// The standard window messages, each with the handler signature of its macro.
template <auto F> constexpr Entry NoArgs(UINT message)
{
    static_assert(HasSig<F, void()>, "this handler is void Handler()");
    return MakeMessage(message, [](CCmdTarget* t, const Call&, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)();
        return TRUE;
    });
}
template <auto F> constexpr Entry Timer()
{
    static_assert(HasSig<F, void(UINT_PTR)>, "ON_WM_TIMER needs void OnTimer(UINT_PTR nIDEvent)");
    return MakeMessage(WM_TIMER, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(c.wParam);
        return TRUE;
    });
}
template <auto F> constexpr Entry Size()
{
    static_assert(HasSig<F, void(UINT, int, int)>, "ON_WM_SIZE needs void OnSize(UINT nType, int cx, int cy)");
    return MakeMessage(WM_SIZE, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(static_cast<UINT>(c.wParam), LOWORD(static_cast<WPARAM>(c.lParam)),
                           HIWORD(static_cast<WPARAM>(c.lParam)));
        return TRUE;
    });
}
template <auto F> constexpr Entry Sizing()
{
    static_assert(HasSig<F, void(UINT, LPRECT)>, "ON_WM_SIZING needs void OnSizing(UINT fwSide, LPRECT pRect)");
    return MakeMessage(WM_SIZING, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
        (Target<F>(t)->*F)(static_cast<UINT>(c.wParam), reinterpret_cast<LPRECT>(c.lParam));
        *r = TRUE;
        return TRUE;
    });
}
template <auto F> constexpr Entry GetMinMaxInfo()
{
    static_assert(HasSig<F, void(MINMAXINFO*)>, "ON_WM_GETMINMAXINFO needs void OnGetMinMaxInfo(MINMAXINFO*)");
    return MakeMessage(WM_GETMINMAXINFO, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(reinterpret_cast<MINMAXINFO*>(c.lParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry ShowWindow()
{
    static_assert(HasSig<F, void(BOOL, UINT)>, "ON_WM_SHOWWINDOW needs void OnShowWindow(BOOL bShow, UINT nStatus)");
    return MakeMessage(WM_SHOWWINDOW, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(static_cast<BOOL>(c.wParam), static_cast<UINT>(c.lParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry EraseBkgnd()
{
    static_assert(HasSig<F, BOOL(CDC*)>, "ON_WM_ERASEBKGND needs BOOL OnEraseBkgnd(CDC* pDC)");
    return MakeMessage(WM_ERASEBKGND, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
        *r = (Target<F>(t)->*F)(reinterpret_cast<CDC*>(c.wParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry Mouse(UINT message)
{
    static_assert(HasSig<F, void(UINT, CPoint)>, "a mouse handler is void Handler(UINT nFlags, CPoint point)");
    return MakeMessage(message, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(static_cast<UINT>(c.wParam), PointFromLParam(c.lParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry MouseWheel()
{
    static_assert(HasSig<F, BOOL(UINT, short, CPoint)>,
                  "ON_WM_MOUSEWHEEL needs BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)");
    return MakeMessage(WM_MOUSEWHEEL, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
        *r = (Target<F>(t)->*F)(LOWORD(c.wParam), static_cast<short>(HIWORD(c.wParam)), PointFromLParam(c.lParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry Key(UINT message)
{
    static_assert(HasSig<F, void(UINT, UINT, UINT)>,
                  "a key handler is void Handler(UINT nChar, UINT nRepCnt, UINT nFlags)");
    return MakeMessage(message, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(static_cast<UINT>(c.wParam), LOWORD(static_cast<WPARAM>(c.lParam)),
                           HIWORD(static_cast<WPARAM>(c.lParam)));
        return TRUE;
    });
}
template <auto F> constexpr Entry Focus(UINT message)
{
    static_assert(HasSig<F, void(CWnd*)>, "a focus handler is void Handler(CWnd* pOtherWnd)");
    return MakeMessage(message, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(WndFromHandle(reinterpret_cast<HWND>(c.wParam)));
        return TRUE;
    });
}
template <auto F> constexpr Entry Scroll(UINT message)
{
    static_assert(HasSig<F, void(UINT, UINT, CScrollBar*)>,
                  "a scroll handler is void Handler(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)");
    return MakeMessage(message, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(LOWORD(c.wParam), HIWORD(c.wParam),
                           reinterpret_cast<CScrollBar*>(WndFromHandle(reinterpret_cast<HWND>(c.lParam))));
        return TRUE;
    });
}
template <auto F> constexpr Entry SysCommand()
{
    static_assert(HasSig<F, void(UINT, LPARAM)>, "ON_WM_SYSCOMMAND needs void OnSysCommand(UINT nID, LPARAM lParam)");
    return MakeMessage(WM_SYSCOMMAND, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(static_cast<UINT>(c.wParam), c.lParam);
        return TRUE;
    });
}
template <auto F> constexpr Entry QueryDragIcon()
{
    static_assert(HasSig<F, HCURSOR()>, "ON_WM_QUERYDRAGICON needs HCURSOR OnQueryDragIcon()");
    return MakeMessage(WM_QUERYDRAGICON, [](CCmdTarget* t, const Call&, LRESULT* r) -> BOOL {
        *r = reinterpret_cast<LRESULT>((Target<F>(t)->*F)());
        return TRUE;
    });
}
template <auto F> constexpr Entry Create()
{
    static_assert(HasSig<F, int(LPCREATESTRUCT)>, "ON_WM_CREATE needs int OnCreate(LPCREATESTRUCT)");
    return MakeMessage(WM_CREATE, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
        *r = (Target<F>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(c.lParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry CopyData()
{
    static_assert(HasSig<F, BOOL(CWnd*, COPYDATASTRUCT*)>,
                  "ON_WM_COPYDATA needs BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyDataStruct)");
    return MakeMessage(WM_COPYDATA, [](CCmdTarget* t, const Call& c, LRESULT* r) -> BOOL {
        *r = (Target<F>(t)->*F)(WndFromHandle(reinterpret_cast<HWND>(c.wParam)),
                                reinterpret_cast<COPYDATASTRUCT*>(c.lParam));
        return TRUE;
    });
}
template <auto F> constexpr Entry QueryNewPalette()
{
    static_assert(HasSig<F, BOOL()>, "ON_WM_QUERYNEWPALETTE needs BOOL OnQueryNewPalette()");
    return MakeMessage(WM_QUERYNEWPALETTE, [](CCmdTarget* t, const Call&, LRESULT* r) -> BOOL {
        *r = (Target<F>(t)->*F)();
        return TRUE;
    });
}
template <auto F> constexpr Entry PaletteChanged()
{
    static_assert(HasSig<F, void(CWnd*)>, "ON_WM_PALETTECHANGED needs void OnPaletteChanged(CWnd* pFocusWnd)");
    return MakeMessage(WM_PALETTECHANGED, [](CCmdTarget* t, const Call& c, LRESULT*) -> BOOL {
        (Target<F>(t)->*F)(WndFromHandle(reinterpret_cast<HWND>(c.wParam)));
        return TRUE;
    });
}

} // namespace msgmap

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const ::msgmap::Map* GetThisMessageMap();                                                                   \
    const ::msgmap::Map* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const ::msgmap::Map* theClass::GetMessageMap() const                                                               \
    {                                                                                                                  \
        return GetThisMessageMap();                                                                                    \
    }                                                                                                                  \
    const ::msgmap::Map* theClass::GetThisMessageMap()                                                                 \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const ::msgmap::Entry entries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    ::msgmap::End()                                                                                                    \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const ::msgmap::Map map{&TheBaseClass::GetThisMessageMap, entries};                                         \
    return &map;                                                                                                       \
    }

// Commands (buttons, menu items) and control notifications by id.
#define ON_COMMAND(id, fn) ::msgmap::Control<&ThisClass::fn>(BN_CLICKED, (id), (id)),
#define ON_COMMAND_EX(id, fn) ::msgmap::CommandEx<&ThisClass::fn>((id), (id)),
#define ON_COMMAND_RANGE(first, last, fn) ::msgmap::ControlRange<&ThisClass::fn>(BN_CLICKED, (first), (last)),
#define ON_CONTROL(code, id, fn) ::msgmap::Control<&ThisClass::fn>((code), (id), (id)),
#define ON_CONTROL_RANGE(code, first, last, fn) ::msgmap::ControlRange<&ThisClass::fn>((code), (first), (last)),
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_MAXTEXT(id, fn) ON_CONTROL(EN_MAXTEXT, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_EDITUPDATE(id, fn) ON_CONTROL(CBN_EDITUPDATE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)

// Notifications (WM_NOTIFY) by id and code.
#define ON_NOTIFY(code, id, fn) ::msgmap::Notify<&ThisClass::fn>((code), (id), (id)),
#define ON_NOTIFY_RANGE(code, first, last, fn) ::msgmap::NotifyRange<&ThisClass::fn>((code), (first), (last)),

// A control's own handling of what it sends its parent.
#define ON_NOTIFY_REFLECT(code, fn) ::msgmap::NotifyReflect<&ThisClass::fn>(code),
#define ON_NOTIFY_REFLECT_EX(code, fn) ::msgmap::NotifyReflectEx<&ThisClass::fn>(code),
#define ON_CONTROL_REFLECT(code, fn) ::msgmap::ControlReflect<&ThisClass::fn>(code),
#define ON_CONTROL_REFLECT_EX(code, fn) ::msgmap::ControlReflectEx<&ThisClass::fn>(code),

// Messages by number; a registered message by the variable that holds its number.
#define ON_MESSAGE(message, fn) ::msgmap::Message<&ThisClass::fn>(message),
#define ON_REGISTERED_MESSAGE(variable, fn) ::msgmap::Registered<&ThisClass::fn>(&(variable)),

// Standard window messages; the handler has the name and signature shown.
#define ON_WM_TIMER() ::msgmap::Timer<&ThisClass::OnTimer>(),
#define ON_WM_SIZE() ::msgmap::Size<&ThisClass::OnSize>(),
#define ON_WM_SIZING() ::msgmap::Sizing<&ThisClass::OnSizing>(),
#define ON_WM_GETMINMAXINFO() ::msgmap::GetMinMaxInfo<&ThisClass::OnGetMinMaxInfo>(),
#define ON_WM_SHOWWINDOW() ::msgmap::ShowWindow<&ThisClass::OnShowWindow>(),
#define ON_WM_PAINT() ::msgmap::NoArgs<&ThisClass::OnPaint>(WM_PAINT),
#define ON_WM_ERASEBKGND() ::msgmap::EraseBkgnd<&ThisClass::OnEraseBkgnd>(),
#define ON_WM_CLOSE() ::msgmap::NoArgs<&ThisClass::OnClose>(WM_CLOSE),
#define ON_WM_DESTROY() ::msgmap::NoArgs<&ThisClass::OnDestroy>(WM_DESTROY),
#define ON_WM_CREATE() ::msgmap::Create<&ThisClass::OnCreate>(),
#define ON_WM_LBUTTONDOWN() ::msgmap::Mouse<&ThisClass::OnLButtonDown>(WM_LBUTTONDOWN),
#define ON_WM_LBUTTONUP() ::msgmap::Mouse<&ThisClass::OnLButtonUp>(WM_LBUTTONUP),
#define ON_WM_LBUTTONDBLCLK() ::msgmap::Mouse<&ThisClass::OnLButtonDblClk>(WM_LBUTTONDBLCLK),
#define ON_WM_RBUTTONDOWN() ::msgmap::Mouse<&ThisClass::OnRButtonDown>(WM_RBUTTONDOWN),
#define ON_WM_RBUTTONUP() ::msgmap::Mouse<&ThisClass::OnRButtonUp>(WM_RBUTTONUP),
#define ON_WM_RBUTTONDBLCLK() ::msgmap::Mouse<&ThisClass::OnRButtonDblClk>(WM_RBUTTONDBLCLK),
#define ON_WM_MBUTTONDOWN() ::msgmap::Mouse<&ThisClass::OnMButtonDown>(WM_MBUTTONDOWN),
#define ON_WM_MBUTTONDBLCLK() ::msgmap::Mouse<&ThisClass::OnMButtonDblClk>(WM_MBUTTONDBLCLK),
#define ON_WM_MOUSEMOVE() ::msgmap::Mouse<&ThisClass::OnMouseMove>(WM_MOUSEMOVE),
#define ON_WM_MOUSEWHEEL() ::msgmap::MouseWheel<&ThisClass::OnMouseWheel>(),
#define ON_WM_KEYDOWN() ::msgmap::Key<&ThisClass::OnKeyDown>(WM_KEYDOWN),
#define ON_WM_KEYUP() ::msgmap::Key<&ThisClass::OnKeyUp>(WM_KEYUP),
#define ON_WM_SETFOCUS() ::msgmap::Focus<&ThisClass::OnSetFocus>(WM_SETFOCUS),
#define ON_WM_KILLFOCUS() ::msgmap::Focus<&ThisClass::OnKillFocus>(WM_KILLFOCUS),
#define ON_WM_HSCROLL() ::msgmap::Scroll<&ThisClass::OnHScroll>(WM_HSCROLL),
#define ON_WM_VSCROLL() ::msgmap::Scroll<&ThisClass::OnVScroll>(WM_VSCROLL),
#define ON_WM_SYSCOMMAND() ::msgmap::SysCommand<&ThisClass::OnSysCommand>(),
#define ON_WM_QUERYDRAGICON() ::msgmap::QueryDragIcon<&ThisClass::OnQueryDragIcon>(),
#define ON_WM_COPYDATA() ::msgmap::CopyData<&ThisClass::OnCopyData>(),
#define ON_WM_QUERYNEWPALETTE() ::msgmap::QueryNewPalette<&ThisClass::OnQueryNewPalette>(),
#define ON_WM_PALETTECHANGED() ::msgmap::PaletteChanged<&ThisClass::OnPaletteChanged>(),
