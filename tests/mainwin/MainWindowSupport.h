// Helpers of the main window's tests: the sample models, running the main
// window of one of them, and reading the pixels it shows.
#pragma once

#include "app/CKorvelModuleDlg.h"
#include "common/Globals.h"
#include "platform/ui/CDC.h"
#include "support/ModelFolder.h"
#include "ui/UiTestSupport.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <filesystem>
#include <functional>
#include <string>

struct SampleModel
{
    const char* name;
    int left;
    int top;
    int width;
    int height;
    bool poe;
    bool jumbo;
};

// The sample models as their panel descriptions and profiles give them.
inline const SampleModel kSampleModels[] = {
    {"KSX-Bellis", 100, 100, 720, 112, false, true},   {"KSX-Puffin", 100, 100, 720, 112, true, true},
    {"KVT-CorvidR2", 100, 100, 440, 80, false, false}, {"KSX-Alcor R2", 100, 100, 960, 132, false, true},
    {"KVT-Pipit R1", 100, 100, 460, 80, true, false},
};

// Runs the main window of a sample model modally and calls act once it is
// on the screen, then ends it with -2; when act itself ends the window
// (actEnds), only a window still open a while later is ended so. Returns
// DoModal's result.
inline INT_PTR RunMainWindow(const std::string& model, const std::function<void(CKorvelModuleDlg&)>& act,
                             bool actEnds = false)
{
    EnsureApplication();
    InFolder folder(ModelFolder(model));
    g_strDeviceIP = "10.0.0.5";
    CKorvelModuleDlg dialog;
    dialog.SetProfilePath((ModelFolder(model) / "User.ini").string());
    // The address is no switch's: nothing is polled.
    dialog.SetPolling(false);
    QTimer::singleShot(0, [&dialog, &act, actEnds] {
        PumpUntil([&dialog] {
            // With a menu bar the window on the screen is the frame that holds it.
            const QWindow* window = dialog.GetWidget() ? dialog.GetWidget()->window()->windowHandle() : nullptr;
            return window != nullptr && window->isExposed();
        });
        // Cancelled with the window's widget when the dialog ends.
        QTimer::singleShot(actEnds ? 10000 : 0, dialog.GetWidget(), [&dialog] { dialog.EndDialog(-2); });
        act(dialog);
    });
    return dialog.DoModal();
}

// The dialog that runs modally over the main window, once it has the focus;
// null when none comes up.
inline CWnd* RunningDialog(const CWnd& main)
{
    CWnd* dialog = nullptr;
    PumpUntil([&] {
        CWnd* focus = CWnd::GetFocus();
        dialog = focus != nullptr ? focus->GetTopLevelParent() : nullptr;
        return dialog != nullptr && dialog->GetSafeHwnd() != main.GetSafeHwnd();
    });
    return dialog != nullptr && dialog->GetSafeHwnd() != main.GetSafeHwnd() ? dialog : nullptr;
}

// The window's kept image as it is shown, after any pending paint.
inline COLORREF ShownPixel(CKorvelModuleDlg& dialog, int x, int y)
{
    dialog.UpdateWindow();
    return dialog.m_pDC->GetPixel(x, y);
}
