#include "platform/ui/WindowRegistry.h"

#include "platform/ui/UiConstants.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

const char* const kHandleProperty = "korvelHwnd";

std::mutex g_lock;
// Never destroyed: windows may still be looked up while the process exits.
auto& g_windows = *new std::unordered_map<HWND, std::unique_ptr<WindowRecord>>;
std::uintptr_t g_nextHandle = 0x10000;

} // namespace

HWND WindowRegistry::Add(WindowRecord record)
{
    std::lock_guard lock(g_lock);
    g_nextHandle += 4;
    HWND hwnd = reinterpret_cast<HWND>(g_nextHandle);
    record.hwnd = hwnd;
    if (record.widget)
        record.widget->setProperty(kHandleProperty, QVariant::fromValue<qulonglong>(g_nextHandle));
    g_windows.emplace(hwnd, std::make_unique<WindowRecord>(std::move(record)));
    return hwnd;
}

WindowRecord* WindowRegistry::Find(HWND hwnd)
{
    std::lock_guard lock(g_lock);
    auto it = g_windows.find(hwnd);
    return it == g_windows.end() ? nullptr : it->second.get();
}

WindowRecord* WindowRegistry::FromWidget(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    const QVariant v = widget->property(kHandleProperty);
    if (!v.isValid())
        return nullptr;
    return Find(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(v.toULongLong())));
}

WindowRecord* WindowRegistry::Owning(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        if (WindowRecord* r = FromWidget(w))
            return r;
    }
    return nullptr;
}

void WindowRegistry::Remove(HWND hwnd)
{
    std::unique_ptr<WindowRecord> gone;
    {
        std::lock_guard lock(g_lock);
        auto it = g_windows.find(hwnd);
        if (it == g_windows.end())
            return;
        gone = std::move(it->second);
        g_windows.erase(it);
    }
    if (gone->widget)
        gone->widget->setProperty(kHandleProperty, QVariant());
}

bool WindowRegistry::IsAlive(HWND hwnd)
{
    std::lock_guard lock(g_lock);
    return g_windows.count(hwnd) != 0;
}

std::vector<HWND> WindowRegistry::TopLevelWindows()
{
    std::lock_guard lock(g_lock);
    std::vector<HWND> out;
    for (const auto& [hwnd, record] : g_windows) {
        if (!(record->style & WS_CHILD))
            out.push_back(hwnd);
    }
    std::sort(out.begin(), out.end());
    return out;
}
