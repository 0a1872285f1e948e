// Platform-internal: turns what Qt tells a window's widgets into the window's
// messages: keys (PreTranslateMessage first), mouse, focus, size, show, close
// and paint. Input reaches a window's handler only when its message map has
// one; otherwise the widget behaves as it always does.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QObject>

class QWidget;

class WindowEventFilter : public QObject
{
public:
    // Watches the widget and the widgets inside it.
    static void Watch(QWidget* widget);
    // The virtual-key code of a Qt key, 0 for keys that have none.
    static UINT VirtualKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
