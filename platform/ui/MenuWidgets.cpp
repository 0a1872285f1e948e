#include "platform/ui/MenuWidgets.h"

#include "platform/ui/CMenu.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MenuRegistry.h"
#include "platform/ui/WindowRegistry.h"

#include <QAction>
#include <QMenu>

namespace {

void FillAt(QWidget* target, HMENU menu, const MenuWidgets::Chosen& chosen, std::vector<QPointer<QObject>>* made,
            int depth)
{
    const MenuRecord* record = MenuRegistry::Find(menu);
    if (!record || depth >= kMenuMaxDepth)
        return;
    for (const MenuItemRecord& item : record->items) {
        QAction* action = nullptr;
        QObject* top = nullptr;
        if (item.separator) {
            action = new QAction(target);
            action->setSeparator(true);
            top = action;
        } else if (item.popup) {
            auto* popup = new QMenu(QString::fromStdString(item.text), target);
            FillAt(popup, item.popup, chosen, nullptr, depth + 1);
            action = popup->menuAction();
            top = popup;
        } else {
            action = new QAction(QString::fromStdString(item.text), target);
            if (item.state & MF_CHECKED) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            const UINT id = item.id;
            QObject::connect(action, &QAction::triggered, action, [chosen, id] { chosen(id); });
            top = action;
        }
        action->setEnabled(!(item.state & (MF_GRAYED | MF_DISABLED)));
        target->addAction(action);
        if (made)
            made->emplace_back(top);
    }
}

} // namespace

void MenuWidgets::Fill(QWidget* target, HMENU menu, const Chosen& chosen, std::vector<QPointer<QObject>>* made)
{
    FillAt(target, menu, chosen, made, 0);
}

void MenuWidgets::PopupSystemMenu(WindowRecord& rec, const QPoint& at)
{
    const HWND hwnd = rec.hwnd;
    const LPARAM where =
        MAKELPARAM(static_cast<WORD>(static_cast<short>(at.x())), static_cast<WORD>(static_cast<short>(at.y())));
    auto* popup = new QMenu(rec.widget);
    Fill(
        popup, rec.systemMenu, [hwnd, where](UINT id) { PostMessage(hwnd, WM_SYSCOMMAND, id, where); }, nullptr);
    // The menu goes once it closes, whether an item was chosen or not.
    QObject::connect(popup, &QMenu::aboutToHide, popup, &QObject::deleteLater);
    popup->popup(at);
}
