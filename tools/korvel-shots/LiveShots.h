// The pictures of korvel-shots --live: every feature dialog that the main
// window's command table opens, and the ones that open from a dialog's
// button (opened directly), each opened on a sample model's
// main window that manages a korvel-sim of its own, once its reads from the
// simulated switch have ended; then the legacy dialogs that no command opens,
// each run directly on the same switch.
#pragma once

#include "platform/system/WinTypes.h"

#include <QImage>
#include <QString>

#include <memory>
#include <string>
#include <vector>

class CLegacyFrame;
class CWnd;

class LiveShots
{
public:
    struct Picture
    {
        UINT templateId = 0;
        QString caption;
        QImage image;
    };

    // modelFolder holds the model's User.ini, panel description and bitmaps;
    // the run only reads it, and runs on copies in a folder of its own.
    explicit LiveShots(std::string modelFolder);

    // Starts the simulated switch and the main window and opens each dialog.
    // False when the switch, the run's folder or the window could not be
    // started.
    bool Render();
    const std::vector<Picture>& Pictures() const { return m_pictures; }

private:
    // Pictures the dialog that a command runs modally over main, then ends
    // it; called from inside that run while *pending (the command has not
    // returned).
    void ShootRunningDialog(const CWnd& main, const std::shared_ptr<bool>& pending);
    // Pictures a dialog run directly once its read has ended, then ends it;
    // called from inside its modal run.
    void ShootDirectDialog(CLegacyFrame& dialog);

    std::string m_modelFolder;
    std::vector<Picture> m_pictures;
};
