// A window's client picture framed with a plain title bar that carries its
// caption (and a close mark for windows with a system menu), so the picture
// reads as a window.
#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>

QImage FrameWindowPicture(const QPixmap& client, const QString& caption, bool closeBox, QFont titleFont);

class QWidget;

// Runs the event loop until the window is on the screen (at most 5 s); false
// when it did not come.
bool WaitUntilShown(QWidget* widget);
