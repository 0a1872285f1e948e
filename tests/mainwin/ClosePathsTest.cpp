// Every way the main window ends: the close box, the system menu's Close,
// Escape and Enter end the dialog at once.
#include "MainWindowSupport.h"

#include <gtest/gtest.h>

namespace mainwin_test {

namespace {

struct CloseCase
{
    const char* what;
    std::function<void(CKorvelModuleDlg&)> close;
    INT_PTR result;
};

} // namespace

TEST(ClosePaths, CloseBoxSystemMenuEscapeAndEnterEndTheDialog)
{
    const CloseCase cases[] = {
        {"close box", [](CKorvelModuleDlg& d) { d.GetWidget()->window()->close(); }, IDCANCEL},
        {"system menu Close", [](CKorvelModuleDlg& d) { d.PostMessage(WM_SYSCOMMAND, SC_CLOSE); }, IDCANCEL},
        {"Escape", [](CKorvelModuleDlg& d) { SendKey(d.GetWidget(), Qt::Key_Escape); }, IDCANCEL},
        {"Enter", [](CKorvelModuleDlg& d) { SendKey(d.GetWidget(), Qt::Key_Return); }, IDOK},
    };
    for (const CloseCase& c : cases) {
        EXPECT_EQ(RunMainWindow("KSX-Bellis", c.close, true), c.result) << c.what;
    }
}

} // namespace mainwin_test
