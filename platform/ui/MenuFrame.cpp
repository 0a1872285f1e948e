#include "platform/ui/MenuFrame.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/MenuRegistry.h"
#include "platform/ui/MenuWidgets.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QShortcut>

#include <algorithm>

MenuFrame::MenuFrame(QWidget* client, HWND hwnd)
    : QWidget(nullptr, client->windowFlags()), m_client(client), m_hwnd(hwnd)
{
    setWindowTitle(client->windowTitle());
    setWindowIcon(client->windowIcon());
    setWindowModality(client->windowModality());
    const bool shown = !client->isHidden();
    move(client->pos());
    m_bar = new QMenuBar(this);
    // In the window, as the program lays its windows out, never in a desktop-wide bar.
    m_bar->setNativeMenuBar(false);
    m_bar->hide();
    // F10 opens the bar's first menu, as Alt with a title's underlined letter
    // opens that one (the bar's own mnemonics); arrows and Enter work inside.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { OpenFirstMenu(); });
    client->setParent(this, Qt::Widget);
    client->installEventFilter(this);
    client->show();
    FitClient();
    if (shown)
        show();
}

void MenuFrame::ShowMenu(HMENU menu)
{
    for (QAction* action : m_bar->actions())
        m_bar->removeAction(action);
    // A handler of the bar's own signals may be on the stack: the old items go later.
    for (const QPointer<QObject>& item : m_items) {
        if (item)
            item->deleteLater();
    }
    m_items.clear();
    // A menu destroyed while the window still named it leaves no bar.
    if (!MenuRegistry::Find(menu))
        menu = nullptr;
    if (menu) {
        const HWND hwnd = m_hwnd;
        MenuWidgets::Fill(
            m_bar, menu, [hwnd](UINT id) { PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0); },
            &m_items);
    }
    m_bar->setVisible(menu != nullptr);
    FitClient();
}

void MenuFrame::OpenFirstMenu()
{
    if (m_bar->isHidden() || !isEnabled())
        return;
    for (QAction* action : m_bar->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            m_bar->setActiveAction(action);
            return;
        }
    }
}

int MenuFrame::BarHeight() const
{
    return m_bar->isHidden() ? 0 : m_bar->sizeHint().height();
}

void MenuFrame::FitClient()
{
    if (!m_client)
        return;
    const int bar = BarHeight();
    const QSize size = m_client->size();
    const QSize least = m_client->minimumSize();
    const QSize most = m_client->maximumSize();
    setMinimumSize(least.width(), least.height() + bar);
    setMaximumSize(most.width(), most.height() >= QWIDGETSIZE_MAX - bar ? QWIDGETSIZE_MAX : most.height() + bar);
    resize(size.width(), size.height() + bar);
    Arrange();
}

void MenuFrame::Arrange()
{
    if (m_arranging)
        return;
    m_arranging = true;
    const int bar = BarHeight();
    m_bar->setGeometry(0, 0, width(), bar);
    if (m_client)
        m_client->setGeometry(0, bar, width(), std::max(0, height() - bar));
    m_arranging = false;
}

bool MenuFrame::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Close:
        // Closing is the window's decision (WM_CLOSE).
        event->ignore();
        if (m_client) {
            QCloseEvent forwarded;
            QCoreApplication::sendEvent(m_client, &forwarded);
        }
        return true;
    case QEvent::WindowStateChange:
        if (m_client) {
            QWindowStateChangeEvent forwarded(static_cast<QWindowStateChangeEvent*>(event)->oldState());
            QCoreApplication::sendEvent(m_client, &forwarded);
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void MenuFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Arrange();
}

bool MenuFrame::eventFilter(QObject* watched, QEvent* event)
{
    // The layer sized the client area: the frame follows.
    if (watched == m_client && event->type() == QEvent::Resize && !m_arranging)
        FitClient();
    return false;
}
