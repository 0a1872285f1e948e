// Platform-internal: a check box with the click behaviour of its style: an
// automatic box changes its state on a click, a plain one only reports the
// click; a three-state box cycles checked, indeterminate, clear.
#pragma once

#include <QCheckBox>

class CheckBoxWidget : public QCheckBox
{
public:
    CheckBoxWidget(const QString& text, bool automatic, bool threeState, QWidget* parent);

protected:
    void nextCheckState() override;

private:
    bool m_automatic;
};
