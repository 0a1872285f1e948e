#include "platform/ui/MessageBox.h"

#include "platform/ui/ModalScope.h"
#include "platform/ui/ResourceStore.h"
#include "platform/ui/UiThreadCalls.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>
#include <QString>

#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::mutex g_hookLock;
MessageBoxHook g_hook;

QMessageBox::Icon IconFor(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case MB_ICONASTERISK:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// A box that belongs to the window that was active when it was asked for: the
// window system keeps it above that window, it opens centred on it and takes
// the focus.
class OwnedBox : public QMessageBox
{
public:
    OwnedBox(Icon icon, const QString& caption, const QString& text, QWidget* owner)
        : QMessageBox(icon, caption, text), m_owner(owner)
    {
        ModalScope::KeepAbove(this, owner);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        if (m_owner && m_owner->isVisible() && !m_owner->isMinimized())
            move(m_owner->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
        raise();
        activateWindow();
    }

private:
    QPointer<QWidget> m_owner;
};

struct ButtonAnswer
{
    QMessageBox::StandardButton button;
    int answer;
};

int RunBox(const std::string& text, const std::string& caption, UINT type)
{
    OwnedBox box(IconFor(type), QString::fromStdString(caption), QString::fromStdString(text),
                 ModalScope::ActiveWindow());
    std::vector<ButtonAnswer> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const auto& b : buttons)
        all |= b.button;
    box.setStandardButtons(all);
    const std::size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons[defaultIndex].button);
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    // The module's other windows, the owner included, take no input until it is answered.
    const ModalScope scope(&box);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& b : buttons)
        if (b.button == pressed)
            return b.answer;
    // Closed by the window manager: the answer of the last (cancelling) button.
    return buttons.back().answer;
}

} // namespace

void SetMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard lock(g_hookLock);
    g_hook = std::move(hook);
}

namespace {

int ShowHere(const std::string& text, const std::string& caption, UINT type)
{
    std::string title = caption;
    if (title.empty() && QCoreApplication::instance())
        title = QCoreApplication::applicationName().toStdString();
    MessageBoxHook hook;
    {
        std::lock_guard lock(g_hookLock);
        hook = g_hook;
    }
    if (hook)
        return hook(MessageBoxCall{text, title, type});
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // No user interface to ask: say it on the console and take the first button.
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        switch (type & MB_TYPEMASK) {
        case MB_YESNO:
        case MB_YESNOCANCEL:
            return IDYES;
        default:
            return IDOK;
        }
    }
    return RunBox(text, title, type);
}

} // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type)
{
    // The box (or the hook in its place) is shown on the UI thread, whichever
    // thread asks; the asking thread waits for the answer.
    int answer = IDCANCEL;
    auto show = [&] { answer = ShowHere(text, caption, type); };
    if (!UiThreadCalls::Run(nullptr, show))
        show();
    return answer;
}

int AfxMessageBox(const std::string& text, UINT type, UINT /*helpId*/)
{
    return ShowMessageBox(text, std::string(), type);
}

int AfxMessageBox(UINT nIDPrompt, UINT type, UINT /*helpId*/)
{
    std::string text;
    LoadStringResource(nIDPrompt, text);
    return ShowMessageBox(text, std::string(), type);
}
