// What the resource scripts describe, as the parser hands it over: dialog
// templates with their controls, menus, the string table and the image files
// (icons, bitmaps, cursors) named by resource id.
#pragma once

#include "platform/system/WinTypes.h"

#include <map>
#include <string>
#include <vector>

// One control of a dialog template. Positions are in dialog units.
struct DialogItemTemplate
{
    std::string statement; // LTEXT, EDITTEXT, CONTROL, ...
    std::string className; // Button, Edit, Static, ComboBox, ListBox, SysListView32, msctls_progress32, SysIPAddress32
    std::string text;      // caption; for icon and bitmap statics the resource id as text
    int id = -1;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::vector<std::string> initialItems; // combo and list box items from the DLGINIT data
    int line = 0;
};

struct DialogTemplate
{
    UINT id = 0;
    bool extended = false; // DIALOGEX rather than DIALOG
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    std::string fontFace; // empty: the system's dialog font
    int fontPointSize = 8;
    int fontWeight = 400;
    bool fontItalic = false;
    UINT menuId = 0;
    std::vector<DialogItemTemplate> controls;
    std::string file;
    int line = 0;
};

struct MenuItemTemplate
{
    std::string text;
    UINT id = 0;
    bool separator = false;
    bool popup = false;
    bool checked = false;
    bool grayed = false;
    bool inactive = false;
    bool help = false;
    bool menuBreak = false;
    bool menuBarBreak = false;
    std::vector<MenuItemTemplate> items; // entries of a popup
};

struct MenuTemplate
{
    UINT id = 0;
    std::vector<MenuItemTemplate> items;
    std::string file;
    int line = 0;
};

enum class ResourceFileType
{
    Icon,
    Bitmap,
    Cursor,
};

// An image file named by an ICON, BITMAP or CURSOR statement; the path is
// relative to the resources folder.
struct ResourceFileRef
{
    ResourceFileType type = ResourceFileType::Icon;
    UINT id = 0;
    std::string path;
    std::string file;
    int line = 0;
};

// Everything one script (with the headers it includes) defines.
struct ResourceScript
{
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuTemplate> menus;
    std::map<UINT, std::string> strings;
    std::vector<ResourceFileRef> files;
    std::vector<std::string> errors; // "file:line: message"; parsing stops at the first
};
