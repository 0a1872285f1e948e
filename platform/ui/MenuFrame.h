// Platform-internal: the window on the screen of a top-level window with a
// menu bar. The frame holds the bar and, below it, the window's own widget,
// which stays the window's client area: its (0,0) lies under the bar, and
// child positions, client rectangles and painting are those of the same
// window without a menu. The frame follows the client area's size (adding
// the bar's height) and size limits, and hands the window-level events
// (close, minimise and restore) to the window's widget. F10 and Alt with a
// menu title's underlined letter open the menus from the keyboard.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class QMenuBar;

class MenuFrame : public QWidget
{
public:
    // Takes the top-level widget of the window hwnd inside, keeping its
    // place, title, icon, flags and modality; shown when the widget was.
    MenuFrame(QWidget* client, HWND hwnd);

    // The bar shows the menu's items; null (or a menu that is gone) hides the bar.
    void ShowMenu(HMENU menu);
    // Follows the client area's size and size limits after they changed.
    void FitClient();
    // The bar's height; 0 while it is hidden.
    int BarHeight() const;
    // Opens the bar's first menu that can be opened, as F10 does.
    void OpenFirstMenu();
    QMenuBar* Bar() const { return m_bar; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Arrange();

    QPointer<QWidget> m_client;
    QMenuBar* m_bar = nullptr;
    HWND m_hwnd = nullptr;
    std::vector<QPointer<QObject>> m_items; // what the bar shows now
    bool m_arranging = false;
};
