#include "platform/ui/RadioWidget.h"

RadioWidget::RadioWidget(const QString& text, bool automatic, QWidget* parent)
    : QRadioButton(text, parent), m_automatic(automatic)
{
    setAutoExclusive(false);
}

void RadioWidget::nextCheckState()
{
    if (!m_automatic)
        return;
    setChecked(true);
    if (clearGroup)
        clearGroup();
}
