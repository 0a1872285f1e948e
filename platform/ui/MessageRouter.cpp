#include "platform/ui/MessageRouter.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/WindowRegistry.h"

#include <vector>

namespace {

struct Current
{
    MSG msg;
    bool fromEvent = false;
    bool defaultWanted = false;
};

thread_local std::vector<Current*> t_stack;

LRESULT Run(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool fromEvent, bool* defaultWanted)
{
    WindowRecord* rec = WindowRegistry::Find(hwnd);
    if (!rec || !rec->object)
        return 0;
    Current current;
    current.msg.hwnd = hwnd;
    current.msg.message = message;
    current.msg.wParam = wParam;
    current.msg.lParam = lParam;
    current.fromEvent = fromEvent;
    t_stack.push_back(&current);
    const LRESULT result = rec->object->WindowProc(message, wParam, lParam);
    t_stack.pop_back();
    if (defaultWanted)
        *defaultWanted = current.defaultWanted;
    return result;
}

} // namespace

LRESULT MessageRouter::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Run(hwnd, message, wParam, lParam, false, nullptr);
}

bool MessageRouter::SendFromEvent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    WindowRecord* rec = WindowRegistry::Find(hwnd);
    if (!rec || !rec->object || !rec->object->HandlesMessage(message))
        return false;
    bool defaultWanted = false;
    const LRESULT r = Run(hwnd, message, wParam, lParam, true, &defaultWanted);
    if (result)
        *result = r;
    return !defaultWanted;
}

void MessageRouter::NotifyCommand(HWND control, UINT code)
{
    WindowRecord* rec = WindowRegistry::Find(control);
    if (!rec || !rec->parent || rec->quietNotifications > 0)
        return;
    Send(rec->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(rec->id), static_cast<WORD>(code)),
         reinterpret_cast<LPARAM>(control));
}

LRESULT MessageRouter::NotifyParent(HWND control, NMHDR& header, UINT code, bool* handled)
{
    if (handled)
        *handled = false;
    WindowRecord* rec = WindowRegistry::Find(control);
    if (!rec || !rec->parent || rec->quietNotifications > 0)
        return 0;
    const HWND parent = rec->parent;
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(rec->id);
    header.code = code;
    bool defaultWanted = false;
    const LRESULT result = Run(parent, WM_NOTIFY, static_cast<WPARAM>(header.idFrom), reinterpret_cast<LPARAM>(&header),
                               handled != nullptr, &defaultWanted);
    if (handled)
        *handled = WindowRegistry::Find(parent) && !defaultWanted;
    return result;
}

void MessageRouter::RequestDefault(HWND hwnd, UINT message)
{
    if (t_stack.empty())
        return;
    Current* top = t_stack.back();
    if (top->fromEvent && top->msg.hwnd == hwnd && top->msg.message == message)
        top->defaultWanted = true;
}

const MSG* MessageRouter::CurrentMessage()
{
    return t_stack.empty() ? nullptr : &t_stack.back()->msg;
}

int MessageRouter::Depth()
{
    return static_cast<int>(t_stack.size());
}
