// The main window of a sample model on the simulated switch, polling it, for
// the tests of the window's polling and its command table.
#pragma once

#include "PollingTestSupport.h"

#include "app/CKorvelModuleDlg.h"
#include "mainwin/MainWindowSupport.h"
#include "panel/CPanelDeviceThread.h"
#include "platform/ui/CDC.h"
#include "ui/UiTestSupport.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace polling_test {

// Runs the main window of `model` modally on `sim` and calls act once it is
// on the screen; then the window is ended with -2, unless act ends it itself
// (actEnds). As at the application's end, a polling thread the window let go
// is waited for after the window is gone. Returns DoModal's result.
inline INT_PTR RunLiveWindow(const Model& model, const KorvelSimulator& sim,
                             const std::function<void(CKorvelModuleDlg&)>& act, bool actEnds = false)
{
    EnsureApplication();
    InFolder folder(ModelFolder(model.name));
    UseSwitch(sim, model);
    INT_PTR result = 0;
    {
        CKorvelModuleDlg dialog;
        dialog.SetProfilePath((ModelFolder(model.name) / "User.ini").string());
        QTimer::singleShot(0, [&dialog, &act, actEnds] {
            PumpUntil([&dialog] {
                const QWindow* window = dialog.GetWidget() ? dialog.GetWidget()->window()->windowHandle() : nullptr;
                return window != nullptr && window->isExposed();
            });
            act(dialog);
            if (!actEnds)
                dialog.EndDialog(-2);
        });
        result = dialog.DoModal();
    }
    CPanelDeviceThread::WaitForThreads(10000);
    return result;
}

// The LED state of a port, as the painting reads it.
inline BYTE LedOf(CKorvelModuleDlg& dialog, int port)
{
    std::lock_guard lock(dialog.LedLock());
    return dialog.m_LedState[static_cast<size_t>(port - 1)];
}

// A pixel inside the LED of port part `part`, clear of its rim, as shown.
inline COLORREF LedPixel(CKorvelModuleDlg& dialog, int part)
{
    CPoint led;
    EXPECT_TRUE(dialog.GetLedPosition(part, led));
    dialog.UpdateWindow();
    return dialog.m_pDC->GetPixel(led.x + 2, led.y + 2);
}

} // namespace polling_test
