#include "platform/ui/CMenu.h"

#include "platform/ui/MenuRegistry.h"
#include "platform/ui/UiThreadCalls.h"

#include <utility>

namespace {

// Runs fn on the UI thread, where menus live, and returns its result.
template <class R, class F> R OnMenus(R fallback, F&& fn)
{
    R result = fallback;
    UiThreadCalls::Run(nullptr, [&] { result = fn(); });
    return result;
}

constexpr UINT kNoItem = 0xFFFFFFFF;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED;

// The item as nFlags and nIDNewItem describe it; false when a popup item
// names no menu, or one that would open the menu it is put in.
bool MakeItem(HMENU into, UINT nFlags, UINT_PTR nIDNewItem, const char* text, MenuItemRecord& item)
{
    item = MenuItemRecord{};
    item.state = nFlags & kStateFlags;
    if (nFlags & MF_SEPARATOR) {
        item.separator = true;
        item.state = 0;
        return true;
    }
    item.text = text ? text : "";
    if (nFlags & MF_POPUP) {
        item.popup = reinterpret_cast<HMENU>(nIDNewItem);
        return MenuRegistry::Find(item.popup) && !MenuRegistry::Contains(item.popup, into);
    }
    item.id = static_cast<UINT>(nIDNewItem);
    return true;
}

// Takes the item out of its menu; DeleteMenu also destroys the popup it opened.
BOOL Take(HMENU menu, UINT nPosition, UINT nFlags, bool destroyPopup)
{
    return OnMenus(FALSE, [&] {
        MenuRecord* holder = nullptr;
        std::size_t index = 0;
        if (!MenuRegistry::FindItem(menu, nPosition, nFlags, &holder, &index))
            return FALSE;
        const HMENU popup = holder->items[index].popup;
        holder->items.erase(holder->items.begin() + static_cast<std::ptrdiff_t>(index));
        if (destroyPopup && popup)
            MenuRegistry::Destroy(popup);
        MenuRegistry::Changed(holder->handle);
        return TRUE;
    });
}

} // namespace

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    if (!m_hMenu)
        return;
    const HMENU menu = m_hMenu;
    UiThreadCalls::Run(nullptr, [menu] {
        if (!MenuRegistry::InUse(menu))
            MenuRegistry::Destroy(menu);
    });
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return OnMenus(static_cast<CMenu*>(nullptr), [&]() -> CMenu* {
        MenuRecord* record = MenuRegistry::Find(hMenu);
        if (!record)
            return nullptr;
        if (!record->object) {
            record->object = std::make_unique<CMenu>();
            record->object->m_hMenu = hMenu;
        }
        return record->object.get();
    });
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu || !hMenu)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::CreateMenu()
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = OnMenus(static_cast<HMENU>(nullptr), [] { return MenuRegistry::Create(); });
    return m_hMenu ? TRUE : FALSE;
}

BOOL CMenu::CreatePopupMenu()
{
    return CreateMenu();
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    if (m_hMenu)
        return FALSE;
    m_hMenu = OnMenus(static_cast<HMENU>(nullptr), [&] { return MenuRegistry::Load(nIDResource); });
    return m_hMenu ? TRUE : FALSE;
}

BOOL CMenu::DestroyMenu()
{
    const HMENU menu = std::exchange(m_hMenu, nullptr);
    if (!menu)
        return FALSE;
    return OnMenus(FALSE, [&] { return MenuRegistry::Destroy(menu) ? TRUE : FALSE; });
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    return OnMenus(FALSE, [&] {
        MenuRecord* record = MenuRegistry::Find(m_hMenu);
        MenuItemRecord item;
        if (!record || !MakeItem(m_hMenu, nFlags, nIDNewItem, lpszNewItem, item))
            return FALSE;
        record->items.push_back(std::move(item));
        MenuRegistry::Changed(m_hMenu);
        return TRUE;
    });
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const std::string& newItem)
{
    return AppendMenu(nFlags, nIDNewItem, newItem.c_str());
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags)
{
    return Take(m_hMenu, nPosition, nFlags, true);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags)
{
    return Take(m_hMenu, nPosition, nFlags, false);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const char* lpszNewItem)
{
    return OnMenus(FALSE, [&] {
        MenuRecord* holder = nullptr;
        std::size_t index = 0;
        if (!MenuRegistry::FindItem(m_hMenu, nPosition, nFlags, &holder, &index))
            return FALSE;
        MenuItemRecord item;
        if (!MakeItem(holder->handle, nFlags, nIDNewItem, lpszNewItem, item))
            return FALSE;
        const HMENU old = std::exchange(holder->items[index], std::move(item)).popup;
        if (old && old != holder->items[index].popup)
            MenuRegistry::Destroy(old);
        MenuRegistry::Changed(holder->handle);
        return TRUE;
    });
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const std::string& newItem)
{
    return ModifyMenu(nPosition, nFlags, nIDNewItem, newItem.c_str());
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
{
    return OnMenus(kNoItem, [&] {
        MenuRecord* holder = nullptr;
        MenuItemRecord* item = MenuRegistry::FindItem(m_hMenu, nIDEnableItem, nEnable, &holder);
        if (!item)
            return kNoItem;
        const UINT before = item->state;
        item->state = (before & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
        if (item->state != before)
            MenuRegistry::Changed(holder->handle);
        return before & (MF_GRAYED | MF_DISABLED);
    });
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const
{
    return OnMenus(kNoItem, [&] {
        const MenuItemRecord* item = MenuRegistry::FindItem(m_hMenu, nID, nFlags);
        if (!item)
            return kNoItem;
        if (item->separator)
            return MF_SEPARATOR;
        if (item->popup) {
            const MenuRecord* popup = MenuRegistry::Find(item->popup);
            const UINT count = popup ? static_cast<UINT>(popup->items.size() & 0xFF) : 0;
            return (count << 8) | MF_POPUP | item->state;
        }
        return item->state;
    });
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    if (nPos < 0)
        return nullptr;
    const HMENU popup = OnMenus(static_cast<HMENU>(nullptr), [&]() -> HMENU {
        const MenuItemRecord* item = MenuRegistry::FindItem(m_hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
        return item ? item->popup : nullptr;
    });
    return FromHandle(popup);
}

int CMenu::GetMenuItemCount() const
{
    return OnMenus(-1, [&] {
        const MenuRecord* record = MenuRegistry::Find(m_hMenu);
        return record ? static_cast<int>(record->items.size()) : -1;
    });
}

UINT CMenu::GetMenuItemID(int nPos) const
{
    if (nPos < 0)
        return kNoItem;
    return OnMenus(kNoItem, [&] {
        const MenuItemRecord* item = MenuRegistry::FindItem(m_hMenu, static_cast<UINT>(nPos), MF_BYPOSITION);
        if (!item || item->popup)
            return kNoItem;
        return item->separator ? 0U : item->id;
    });
}

int CMenu::GetMenuString(UINT nIDItem, std::string& rString, UINT nFlags) const
{
    rString = OnMenus(std::string(), [&] {
        const MenuItemRecord* item = MenuRegistry::FindItem(m_hMenu, nIDItem, nFlags);
        return item ? item->text : std::string();
    });
    return static_cast<int>(rString.size());
}
