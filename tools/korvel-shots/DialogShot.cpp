#include "tools/korvel-shots/DialogShot.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/ResourceStore.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

DialogShot::DialogShot(UINT templateId) : m_templateId(templateId) {}

bool DialogShot::Render()
{
    const DialogTemplate* t = ResourceStore::Instance().FindDialog(m_templateId);
    if (!t)
        return false;
    m_caption = QString::fromStdString(t->caption);
    CDialog dialog;
    if (!dialog.Create(m_templateId, nullptr))
        return false;
    QWidget* widget = dialog.GetWidget();
    widget->show();
    QCoreApplication::processEvents();
    const QPixmap client = widget->grab();
    QFont titleFont = widget->font();
    dialog.DestroyWindow();

    // A plain frame with a title bar, so the picture reads as a window.
    const int border = 1;
    titleFont.setBold(true);
    const int titleHeight = QFontMetrics(titleFont).height() + 10;
    m_image = QImage(client.width() + 2 * border, client.height() + titleHeight + border, QImage::Format_ARGB32);
    m_image.fill(QColor(0x70, 0x70, 0x70));
    QPainter painter(&m_image);
    const QRect title(border, border, client.width(), titleHeight - border);
    painter.fillRect(title, QColor(0xDD, 0xE4, 0xEE));
    painter.setPen(QColor(0x20, 0x20, 0x20));
    painter.setFont(titleFont);
    painter.drawText(title.adjusted(8, 0, -28, 0), Qt::AlignVCenter | Qt::AlignLeft, m_caption);
    if (t->style & WS_SYSMENU)
        painter.drawText(QRect(title.right() - 24, title.top(), 20, title.height()), Qt::AlignCenter,
                         QString::fromUtf8("\u00d7"));
    painter.drawPixmap(border, titleHeight, client);
    return true;
}
