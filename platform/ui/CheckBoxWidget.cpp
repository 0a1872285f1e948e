#include "platform/ui/CheckBoxWidget.h"

CheckBoxWidget::CheckBoxWidget(const QString& text, bool automatic, bool threeState, QWidget* parent)
    : QCheckBox(text, parent), m_automatic(automatic)
{
    setTristate(threeState);
}

void CheckBoxWidget::nextCheckState()
{
    if (!m_automatic)
        return;
    if (!isTristate()) {
        setChecked(!isChecked());
        return;
    }
    switch (checkState()) {
    case Qt::Unchecked:
        setCheckState(Qt::Checked);
        break;
    case Qt::Checked:
        setCheckState(Qt::PartiallyChecked);
        break;
    default:
        setCheckState(Qt::Unchecked);
        break;
    }
}
