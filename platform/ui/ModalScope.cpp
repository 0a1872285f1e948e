#include "platform/ui/ModalScope.h"

#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WindowRegistry.h"

#include <QApplication>
#include <QWindow>

#include <algorithm>

namespace {

// The running scopes' windows, innermost last.
std::vector<QPointer<QWidget>>& Stack()
{
    static std::vector<QPointer<QWidget>> stack;
    return stack;
}

// The windows some running scope disabled, with the number of scopes holding each.
struct HeldWindow
{
    QPointer<QWidget> window;
    int holds = 0; // the scopes that hold it
    Qt::WindowModality modality = Qt::NonModal; // its own, given back at the end
};

std::vector<HeldWindow>& Held()
{
    static std::vector<HeldWindow> held;
    return held;
}

bool IsOrdinaryWindow(const QWidget* w)
{
    const Qt::WindowType type = w->windowType();
    return w->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop &&
           type != Qt::SplashScreen;
}

// Disables or enables a window as EnableWindow does: its own windows also
// say so in their style.
void Enable(QWidget* w, bool enable)
{
    w->setEnabled(enable);
    if (WindowRecord* rec = WindowRegistry::Find(ModalScope::WindowOf(w)))
        rec->style = enable ? (rec->style & ~WS_DISABLED) : (rec->style | WS_DISABLED);
}

} // namespace

ModalScope::ModalScope(QWidget* modal) : m_modal(modal)
{
    auto& held = Held();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == modal || !IsOrdinaryWindow(w))
            continue;
        auto it = std::find_if(held.begin(), held.end(), [w](const auto& h) { return h.window == w; });
        if (it != held.end()) {
            ++it->holds;
        } else {
            if (!w->isEnabled())
                continue;
            held.push_back({w, 1, w->windowModality()});
            Enable(w, false);
            // A held window shown again must not take the modal place back.
            if (w->windowModality() != Qt::NonModal)
                w->setWindowModality(Qt::NonModal);
        }
        m_blocked.emplace_back(w);
    }
    Stack().emplace_back(modal);
}

ModalScope::~ModalScope()
{
    auto& stack = Stack();
    if (auto it = std::find(stack.rbegin(), stack.rend(), m_modal); it != stack.rend())
        stack.erase(std::next(it).base());
    stack.erase(std::remove(stack.begin(), stack.end(), nullptr), stack.end());
    auto& held = Held();
    for (const QPointer<QWidget>& w : m_blocked) {
        auto it = std::find_if(held.begin(), held.end(), [&w](const auto& h) { return h.window == w; });
        if (it == held.end() || --it->holds > 0)
            continue;
        if (w) {
            Enable(w, true);
            if (it->modality != Qt::NonModal)
                w->setWindowModality(it->modality);
        }
        held.erase(it);
    }
    held.erase(std::remove_if(held.begin(), held.end(), [](const auto& h) { return h.window.isNull(); }),
               held.end());
}

QWidget* ModalScope::Innermost()
{
    for (auto it = Stack().rbegin(); it != Stack().rend(); ++it) {
        if (*it)
            return *it;
    }
    return nullptr;
}

HWND ModalScope::InnermostDialog()
{
    for (auto it = Stack().rbegin(); it != Stack().rend(); ++it) {
        if (const HWND hwnd = WindowOf(*it))
            return hwnd;
    }
    return nullptr;
}

bool ModalScope::Blocks(const QWidget* window)
{
    return window && std::any_of(Held().begin(), Held().end(), [window](const auto& h) { return h.window == window; });
}

QWidget* ModalScope::ActiveWindow()
{
    if (QWidget* modal = Innermost())
        return modal;
    if (QWidget* active = QApplication::activeWindow(); active && IsOrdinaryWindow(active))
        return active;
    if (CWnd* main = AfxGetMainWnd()) {
        if (WindowRecord* rec = WindowRegistry::Find(main->m_hWnd.load()); rec && rec->widget)
            return rec->Outer();
    }
    return nullptr;
}

HWND ModalScope::WindowOf(const QWidget* window)
{
    if (window == nullptr)
        return nullptr;
    for (HWND hwnd : WindowRegistry::TopLevelWindows()) {
        if (WindowRecord* rec = WindowRegistry::Find(hwnd); rec && rec->widget && rec->Outer() == window)
            return hwnd;
    }
    return nullptr;
}

void ModalScope::KeepAbove(QWidget* window, QWidget* owner)
{
    if (window == nullptr || owner == nullptr || window == owner)
        return;
    window->winId();
    owner->winId();
    if (window->windowHandle() && owner->windowHandle())
        window->windowHandle()->setTransientParent(owner->windowHandle());
}
