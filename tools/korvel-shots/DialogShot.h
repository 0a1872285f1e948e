// The picture of one dialog template: the dialog as the window layer builds it
// (before any program code fills it), or as a dialog object of the program
// fills it, framed with a title bar that carries its caption.
#pragma once

#include "platform/system/WinTypes.h"

#include <QImage>
#include <QString>

class CDialog;

class DialogShot
{
public:
    explicit DialogShot(UINT templateId);

    bool Render();
    // The template shown by this dialog object, after its OnInitDialog.
    bool Render(CDialog& dialog);
    const QImage& Image() const { return m_image; }
    const QString& Caption() const { return m_caption; }

private:
    UINT m_templateId;
    QImage m_image;
    QString m_caption;
};
