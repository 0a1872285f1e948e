// A menu: a window's menu bar, a popup menu, or a window's system menu.
//
// A CMenu object is attached to a menu by its handle m_hMenu, as a window
// object is to its window. A menu comes from a MENU resource (LoadMenu) or is
// built item by item. A window shows one as its menu bar (CWnd::SetMenu; a
// dialog whose template names a MENU gets that one) and keeps a system menu
// (CWnd::GetSystemMenu). Choosing an item posts WM_COMMAND with the item's id
// to the window whose menu bar holds it, or WM_SYSCOMMAND from the system
// menu. Grayed and disabled items cannot be chosen.
//
// Items are named by command (MF_BYCOMMAND: the first item with that id,
// searching the popups too) or by position (MF_BYPOSITION, from 0). Any
// thread may call; the work is carried to the UI thread. A change shows on
// the menu bar at once.
#pragma once

#include "platform/ui/UiTypes.h"

#include <string>

// How an item is named.
inline constexpr UINT MF_BYCOMMAND = 0x0000;
inline constexpr UINT MF_BYPOSITION = 0x0400;
// Kinds and states of items.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_ENABLED = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_DISABLED = 0x0002;
inline constexpr UINT MF_UNCHECKED = 0x0000;
inline constexpr UINT MF_CHECKED = 0x0008;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_SEPARATOR = 0x0800;

class CMenu
{
public:
    CMenu();
    // Destroys the menu, unless a window shows it or another menu's popup
    // item opens it (it stays theirs); Detach keeps it in any case.
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // The object for a menu handle (owned by the menu; it lasts while the
    // menu does), or null.
    static CMenu* FromHandle(HMENU hMenu);
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    // Making and destroying. Each fails while this object holds a menu.
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT nIDResource);
    // Destroys the menu and the popups it opens.
    BOOL DestroyMenu();

    // Items. nIDNewItem is the command id, or for MF_POPUP the handle of the
    // menu the item opens.
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const std::string& newItem);
    // DeleteMenu destroys the popup a removed item opened; RemoveMenu leaves it to the caller.
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    // Replaces the item: kind, state, id and text as nFlags, nIDNewItem and
    // the text give (the popup it opened is destroyed unless it opens it again).
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const std::string& newItem);
    // nEnable: MF_ENABLED, MF_GRAYED or MF_DISABLED with MF_BYCOMMAND or
    // MF_BYPOSITION. Returns the item's previous state (MF_ENABLED,
    // MF_GRAYED, MF_DISABLED), or 0xFFFFFFFF when there is no such item.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);

    // Reading. GetMenuState: the item's MF_GRAYED, MF_DISABLED, MF_CHECKED,
    // MF_SEPARATOR and MF_POPUP flags, for a popup with its item count in the
    // high byte; 0xFFFFFFFF when there is no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    // The menu the item at nPos opens, or null.
    CMenu* GetSubMenu(int nPos) const;
    // -1 when this object holds no menu.
    int GetMenuItemCount() const;
    // 0 for a separator, 0xFFFFFFFF for a popup item or no item.
    UINT GetMenuItemID(int nPos) const;
    // The item's text (with its '&' marks) and its length; 0 and empty when there is no such item.
    int GetMenuString(UINT nIDItem, std::string& rString, UINT nFlags) const;
};
