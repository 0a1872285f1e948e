// The picture of a sample model's front panel in one port state: the model's
// main window, built from its profile and panel description, with its ports,
// LEDs and lamps set as the status polling sets them, framed with a title bar.
#pragma once

#include <QImage>
#include <QString>

#include <string>

class PanelShot
{
public:
    enum class State
    {
        Links,    // every port linked, at the top speed and below by turns
        Disabled, // every port administratively down
        Down,     // no port linked
        Poe,      // PoE LED mode: PoE ports powered and not by turns (PoE models)
    };

    // modelFolder holds the model's User.ini, panel description and bitmaps.
    PanelShot(std::string modelFolder, State state);

    bool Render();
    const QImage& Image() const { return m_image; }
    const QString& Caption() const { return m_caption; }

    static const char* StateName(State state);

private:
    std::string m_modelFolder;
    State m_state;
    QImage m_image;
    QString m_caption;
};
