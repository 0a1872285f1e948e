// A window's client picture framed with a plain title bar that carries its
// caption (and a close mark for windows with a system menu), so the picture
// reads as a window.
#pragma once

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QString>

QImage FrameWindowPicture(const QPixmap& client, const QString& caption, bool closeBox, QFont titleFont);
