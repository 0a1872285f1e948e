#include "tools/korvel-shots/WindowFrame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <QWindow>

QImage FrameWindowPicture(const QPixmap& client, const QString& caption, bool closeBox, QFont titleFont)
{
    const int border = 1;
    titleFont.setBold(true);
    const int titleHeight = QFontMetrics(titleFont).height() + 10;
    QImage image(client.width() + 2 * border, client.height() + titleHeight + border, QImage::Format_ARGB32);
    image.fill(QColor(0x70, 0x70, 0x70));
    QPainter painter(&image);
    const QRect title(border, border, client.width(), titleHeight - border);
    painter.fillRect(title, QColor(0xDD, 0xE4, 0xEE));
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.setFont(titleFont);
    painter.drawText(title.adjusted(8, 0, -28, 0), Qt::AlignVCenter | Qt::AlignLeft, caption);
    if (closeBox)
        painter.drawText(QRect(title.right() - 24, title.top(), 20, title.height()), Qt::AlignCenter,
                         QString::fromUtf8("\u00d7"));
    painter.drawPixmap(border, titleHeight, client);
    return image;
}

bool WaitUntilShown(QWidget* widget)
{
    QElapsedTimer timer;
    timer.start();
    while (!(widget->windowHandle() && widget->windowHandle()->isExposed())) {
        if (timer.elapsed() > 5000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        // Sleeps until the next event (at most 2 ms) rather than looking
        // again at once.
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(2);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
