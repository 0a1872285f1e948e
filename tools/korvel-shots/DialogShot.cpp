#include "tools/korvel-shots/DialogShot.h"

#include "platform/ui/CDialog.h"
#include "platform/ui/ResourceStore.h"
#include "tools/korvel-shots/WindowFrame.h"

#include <QApplication>
#include <QWidget>

DialogShot::DialogShot(UINT templateId) : m_templateId(templateId) {}

bool DialogShot::Render()
{
    CDialog dialog;
    return Render(dialog);
}

bool DialogShot::Render(CDialog& dialog)
{
    const DialogTemplate* t = ResourceStore::Instance().FindDialog(m_templateId);
    if (!t)
        return false;
    m_caption = QString::fromStdString(t->caption);
    if (!dialog.Create(m_templateId, nullptr))
        return false;
    // The window on the screen: with a menu bar, the frame that holds it.
    QWidget* widget = dialog.GetWidget()->window();
    widget->show();
    QCoreApplication::processEvents();
    const QPixmap client = widget->grab();
    QFont titleFont = dialog.GetWidget()->font();
    dialog.DestroyWindow();

    m_image = FrameWindowPicture(client, m_caption, (t->style & WS_SYSMENU) != 0, titleFont);
    return true;
}
