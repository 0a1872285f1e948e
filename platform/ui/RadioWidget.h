// Platform-internal: a radio button. An automatic one checks itself on a click
// and clears the other radio buttons of its group (the controls from the last
// WS_GROUP control before it to the next one); a plain one only reports the click.
#pragma once

#include <QRadioButton>

#include <functional>

class RadioWidget : public QRadioButton
{
public:
    RadioWidget(const QString& text, bool automatic, QWidget* parent);

    // Set by the layer: clears the rest of the group.
    std::function<void()> clearGroup;

protected:
    void nextCheckState() override;

private:
    bool m_automatic;
};
