// Handles and plain structures of the window layer: what messages carry and
// what the program's window code is written in. No library type appears here.
#pragma once

#include "platform/system/WinTypes.h"
#include "platform/ui/CPoint.h"
#include "platform/ui/CRect.h"
#include "platform/ui/CSize.h"

#include <cstdint>

using DWORD_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;

// Window handles are numbers the layer hands out; they are never reused while
// the process runs and never dereferenced.
struct HWND__;
using HWND = HWND__*;
struct HICON__;
using HICON = HICON__*;
struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HMENU__;
using HMENU = HMENU__*;

inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
// PostMessage and SendMessage to this handle reach every top-level window.
inline const HWND HWND_BROADCAST = reinterpret_cast<HWND>(0xFFFF);

// A position in the selection of a list control (index + 1; null at the end).
struct POSITION__;
using POSITION = POSITION__*;

using LPPOINT = POINT*;
using LPSIZE = SIZE*;

inline constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi)
{
    return MAKELONG(lo, hi);
}
inline constexpr LPARAM MAKELPARAM(WORD lo, WORD hi)
{
    return static_cast<LPARAM>(MAKELONG(lo, hi));
}
inline constexpr int GET_X_LPARAM(LPARAM l)
{
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(l)));
}
inline constexpr int GET_Y_LPARAM(LPARAM l)
{
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(l)));
}

// One keyboard or mouse message as PreTranslateMessage sees it.
struct MSG
{
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{};
};

// Header of every WM_NOTIFY message.
struct NMHDR
{
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

// LVN_ITEMCHANGED, LVN_COLUMNCLICK and the like.
struct NMLISTVIEW
{
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
};
using LPNMLISTVIEW = NMLISTVIEW*;
using NM_LISTVIEW = NMLISTVIEW;

// NM_CLICK and NM_DBLCLK of a list control.
struct NMITEMACTIVATE : NMLISTVIEW
{
    UINT uKeyFlags = 0;
};
using LPNMITEMACTIVATE = NMITEMACTIVATE*;

// LVN_KEYDOWN: sent before the list moves its selection.
struct NMLVKEYDOWN
{
    NMHDR hdr;
    WORD wVKey = 0;
    UINT flags = 0;
};
using LPNMLVKEYDOWN = NMLVKEYDOWN*;
using LV_KEYDOWN = NMLVKEYDOWN;

struct HDITEM
{
    UINT mask = 0;
    int cxy = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int fmt = 0;
    LPARAM lParam = 0;
};

// HDN_ENDTRACK and HDN_DIVIDERDBLCLICK, sent by a list's header to the list.
struct NMHEADER
{
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
    HDITEM* pitem = nullptr;
};
using LPNMHEADER = NMHEADER*;

// IPN_FIELDCHANGED of an IP address control.
struct NMIPADDRESS
{
    NMHDR hdr;
    int iField = 0;
    int iValue = 0;
};

struct LVCOLUMN
{
    UINT mask = 0;
    int fmt = 0;
    int cx = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iSubItem = 0;
    int iImage = 0;
    int iOrder = 0;
};

struct LVITEM
{
    UINT mask = 0;
    int iItem = 0;
    int iSubItem = 0;
    UINT state = 0;
    UINT stateMask = 0;
    char* pszText = nullptr;
    int cchTextMax = 0;
    int iImage = 0;
    LPARAM lParam = 0;
    int iIndent = 0;
};

struct LVHITTESTINFO
{
    POINT pt{};
    UINT flags = 0;
    int iItem = -1;
    int iSubItem = 0;
};

struct LVFINDINFO
{
    UINT flags = 0;
    const char* psz = nullptr;
    LPARAM lParam = 0;
};

// WM_COPYDATA: the data lives only while SendMessage lasts.
struct COPYDATASTRUCT
{
    ULONG_PTR dwData = 0;
    DWORD cbData = 0;
    void* lpData = nullptr;
};
using PCOPYDATASTRUCT = COPYDATASTRUCT*;

struct MINMAXINFO
{
    POINT ptReserved{};
    POINT ptMaxSize{};
    POINT ptMaxPosition{};
    POINT ptMinTrackSize{};
    POINT ptMaxTrackSize{};
};

struct CREATESTRUCT
{
    void* lpCreateParams = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    DWORD style = 0;
    const char* lpszName = nullptr;
    const char* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;
