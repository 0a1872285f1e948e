#include "platform/ui/MenuRegistry.h"

#include "platform/ui/CMenu.h"
#include "platform/ui/ResourceStore.h"
#include "platform/ui/UiConstants.h"
#include "platform/ui/WindowFactory.h"
#include "platform/ui/WindowRegistry.h"

#include <cstdint>
#include <unordered_map>

namespace {

// Never destroyed: menus may still be looked up while the process exits.
auto& g_menus = *new std::unordered_map<HMENU, std::unique_ptr<MenuRecord>>;
std::uintptr_t g_nextHandle = 0x20000;

void AddItems(HMENU menu, const std::vector<MenuItemTemplate>& items, int depth)
{
    for (const MenuItemTemplate& t : items) {
        MenuItemRecord item;
        item.text = t.text;
        item.separator = t.separator;
        item.state = (t.grayed ? MF_GRAYED : 0) | (t.inactive ? MF_DISABLED : 0) | (t.checked ? MF_CHECKED : 0);
        if (t.popup) {
            if (depth >= kMenuMaxDepth)
                continue;
            item.popup = MenuRegistry::Create();
            AddItems(item.popup, t.items, depth + 1);
        } else if (!t.separator) {
            item.id = t.id;
        }
        MenuRegistry::Find(menu)->items.push_back(std::move(item));
    }
}

MenuItemRecord* FindByCommand(MenuRecord& menu, UINT id, MenuRecord** holder, std::size_t* index, int depth)
{
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
        MenuItemRecord& item = menu.items[i];
        if (item.popup) {
            MenuRecord* sub = MenuRegistry::Find(item.popup);
            if (sub && depth < kMenuMaxDepth) {
                if (MenuItemRecord* found = FindByCommand(*sub, id, holder, index, depth + 1))
                    return found;
            }
            continue;
        }
        if (!item.separator && item.id == id) {
            if (holder)
                *holder = &menu;
            if (index)
                *index = i;
            return &item;
        }
    }
    return nullptr;
}

bool ContainsAt(HMENU outer, HMENU inner, int depth)
{
    if (outer == inner)
        return true;
    const MenuRecord* menu = MenuRegistry::Find(outer);
    if (!menu || depth >= kMenuMaxDepth)
        return false;
    for (const MenuItemRecord& item : menu->items) {
        if (item.popup && ContainsAt(item.popup, inner, depth + 1))
            return true;
    }
    return false;
}

} // namespace

HMENU MenuRegistry::Create()
{
    g_nextHandle += 4;
    const HMENU handle = reinterpret_cast<HMENU>(g_nextHandle);
    auto record = std::make_unique<MenuRecord>();
    record->handle = handle;
    g_menus.emplace(handle, std::move(record));
    return handle;
}

HMENU MenuRegistry::Load(UINT resourceId)
{
    const MenuTemplate* t = ResourceStore::Instance().FindMenu(resourceId);
    if (!t)
        return nullptr;
    const HMENU menu = Create();
    AddItems(menu, t->items, 0);
    return menu;
}

HMENU MenuRegistry::CreateSystemMenu(DWORD windowStyle)
{
    const HMENU menu = Create();
    auto& items = Find(menu)->items;
    if (windowStyle & WS_MINIMIZEBOX) {
        items.push_back(MenuItemRecord{SC_MINIMIZE, 0, false, "Mi&nimize", nullptr});
        items.push_back(MenuItemRecord{0, 0, true, "", nullptr});
    }
    items.push_back(MenuItemRecord{SC_CLOSE, 0, false, "&Close", nullptr});
    return menu;
}

MenuRecord* MenuRegistry::Find(HMENU menu)
{
    auto it = g_menus.find(menu);
    return it == g_menus.end() ? nullptr : it->second.get();
}

bool MenuRegistry::Destroy(HMENU menu)
{
    auto it = g_menus.find(menu);
    if (it == g_menus.end())
        return false;
    std::unique_ptr<MenuRecord> gone = std::move(it->second);
    g_menus.erase(it);
    for (const MenuItemRecord& item : gone->items) {
        if (item.popup)
            Destroy(item.popup);
    }
    if (gone->object)
        gone->object->m_hMenu = nullptr;
    Changed(menu);
    return true;
}

MenuItemRecord* MenuRegistry::FindItem(HMENU menu, UINT item, UINT flags, MenuRecord** holder, std::size_t* index)
{
    MenuRecord* record = Find(menu);
    if (!record)
        return nullptr;
    if (flags & MF_BYPOSITION) {
        if (item >= record->items.size())
            return nullptr;
        if (holder)
            *holder = record;
        if (index)
            *index = item;
        return &record->items[item];
    }
    return FindByCommand(*record, item, holder, index, 0);
}

bool MenuRegistry::Contains(HMENU outer, HMENU inner)
{
    return outer && inner && ContainsAt(outer, inner, 0);
}

bool MenuRegistry::InUse(HMENU menu)
{
    if (!menu)
        return false;
    for (HWND hwnd : WindowRegistry::TopLevelWindows()) {
        const WindowRecord* rec = WindowRegistry::Find(hwnd);
        if (rec && (rec->menu == menu || rec->systemMenu == menu))
            return true;
    }
    for (const auto& [handle, record] : g_menus) {
        for (const MenuItemRecord& item : record->items) {
            if (item.popup == menu)
                return true;
        }
    }
    return false;
}

void MenuRegistry::Changed(HMENU menu)
{
    for (HWND hwnd : WindowRegistry::TopLevelWindows()) {
        WindowRecord* rec = WindowRegistry::Find(hwnd);
        if (rec && rec->menu && (rec->menu == menu || Contains(rec->menu, menu)))
            WindowFactory::SetMenuBar(*rec, rec->menu);
    }
}
