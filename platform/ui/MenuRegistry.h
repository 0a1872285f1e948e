// Platform-internal: the live menus by handle. A menu is a list of items; a
// popup item opens another menu. Handles are numbers that are never reused,
// so a handle of a destroyed menu names nothing. Menus are made, changed and
// read on the UI thread (CMenu carries its calls there).
#pragma once

#include "platform/ui/UiTypes.h"

#include <memory>
#include <string>
#include <vector>

class CMenu;

// Popups open menus at most this deep; deeper ones are neither searched nor shown.
inline constexpr int kMenuMaxDepth = 32;

struct MenuItemRecord
{
    UINT id = 0;    // the command id (0 for separators and popups)
    UINT state = 0; // MF_GRAYED, MF_DISABLED, MF_CHECKED
    bool separator = false;
    std::string text;      // with its '&' marks
    HMENU popup = nullptr; // popup items: the menu they open
};

struct MenuRecord
{
    HMENU handle = nullptr;
    std::vector<MenuItemRecord> items;
    std::unique_ptr<CMenu> object; // the object CMenu::FromHandle gives for this menu
};

class MenuRegistry
{
public:
    static HMENU Create();
    // The menu of a MENU resource with its popups; null when there is none.
    static HMENU Load(UINT resourceId);
    // The stand-in for a window's system menu: Minimize (with a minimize
    // box), a separator and Close.
    static HMENU CreateSystemMenu(DWORD windowStyle);
    static MenuRecord* Find(HMENU menu);
    // Destroys the menu and the menus its popup items open; false when the
    // handle names no menu.
    static bool Destroy(HMENU menu);

    // The item named by command (MF_BYCOMMAND: the first item with the id in
    // the menu or in the popups it opens, depth first) or by position
    // (MF_BYPOSITION); the menu that holds it and its index there. Null when
    // there is none.
    static MenuItemRecord* FindItem(HMENU menu, UINT item, UINT flags, MenuRecord** holder = nullptr,
                                    std::size_t* index = nullptr);
    // Whether inner is outer or a menu that one of outer's popups opens.
    static bool Contains(HMENU outer, HMENU inner);
    // Whether a window shows the menu (menu bar, system menu) or a menu's popup item opens it.
    static bool InUse(HMENU menu);
    // After a change to the menu: the menu bars that hold it show it again.
    static void Changed(HMENU menu);
};
