// Modal dialogs: a click runs its handler, Enter the default button (or OK),
// Escape and the close box Cancel, and the dialog's own DestroyWindow runs
// when it ends.
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QTimer>

namespace ui_test {

namespace {

QWidget* WidgetOf(CWnd* dialog, int id)
{
    return dialog->GetDlgItem(id)->GetWidget();
}

// Acts inside the running dialog, and ends it with -2 should the actions leave it open.
void WhileRunning(TestDialog& dialog, std::function<void(TestDialog&)> act)
{
    dialog.onInit = [act](TestDialog& d) {
        QTimer::singleShot(0, d.GetWidget(), [&d, act] { act(d); });
        const HWND h = d.GetSafeHwnd();
        QTimer::singleShot(5000, d.GetWidget(), [&d, h] {
            if (IsWindow(h))
                d.EndDialog(-2);
        });
    };
}

} // namespace

TEST(Dialog, ClickRunsItsHandlerEnterTheDefaultButtonEscapeCancels)
{
    EnsureApplication();
    TestDialog dialog;
    bool visibleWhileRunning = false;
    WhileRunning(dialog, [&](TestDialog& d) {
        visibleWhileRunning = d.IsWindowVisible() != FALSE;
        static_cast<QAbstractButton*>(WidgetOf(&d, IDC_TEST_APPLY))->click();
        SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Return);
        SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(visibleWhileRunning);
    EXPECT_EQ(dialog.applies, 1);
    EXPECT_EQ(dialog.refreshes, 1);
    EXPECT_EQ(dialog.destroys, 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dialog.m_list.GetSafeHwnd(), nullptr);
}

TEST(Dialog, EnterOnAPushButtonRunsThatButtonAndADisabledDefaultButtonNothing)
{
    EnsureApplication();
    TestDialog dialog;
    WhileRunning(dialog, [](TestDialog& d) {
        SendKey(WidgetOf(&d, IDC_TEST_APPLY), Qt::Key_Return);
        d.GetDlgItem(IDC_TEST_REFRESH)->EnableWindow(FALSE);
        SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Return);
        d.EndDialog(7);
    });
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.applies, 1);
    EXPECT_EQ(dialog.refreshes, 0);
}

TEST(Dialog, EnterWithoutDefaultButtonRunsOkWhichExchangesTheData)
{
    EnsureApplication();
    TestDialog dialog(IDD_UI_TEST_PLAIN);
    WhileRunning(dialog, [](TestDialog& d) {
        d.SetDlgItemText(IDC_TEST_NAME, "port 7");
        SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Return);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strName, "port 7");
    EXPECT_EQ(dialog.destroys, 1);
}

TEST(Dialog, CloseBoxCancelsUnlessCancelIsDisabled)
{
    EnsureApplication();
    TestDialog dialog(IDD_UI_TEST_PLAIN);
    bool stayedOpen = false;
    WhileRunning(dialog, [&](TestDialog& d) {
        d.GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
        QCloseEvent close;
        QApplication::sendEvent(d.GetWidget(), &close);
        SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Escape);
        stayedOpen = d.IsWindowVisible() != FALSE;
        d.GetDlgItem(IDCANCEL)->EnableWindow(TRUE);
        QApplication::sendEvent(d.GetWidget(), &close);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(stayedOpen);
    EXPECT_NE(std::count(dialog.windowProcMessages.begin(), dialog.windowProcMessages.end(), WM_CLOSE), 0);
}

TEST(Dialog, EndDialogDuringInitialisationNeverShowsIt)
{
    EnsureApplication();
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.destroys, 1);
    // A template that does not exist cannot run.
    TestDialog missing(4711);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST(Dialog, NestedModalDialogRunsInsideAHandler)
{
    EnsureApplication();
    TestDialog outer;
    int innerResult = 0;
    outer.onRefresh = [&] {
        TestDialog inner(IDD_UI_TEST_PLAIN, &outer);
        WhileRunning(inner, [](TestDialog& d) { SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Escape); });
        innerResult = static_cast<int>(inner.DoModal());
    };
    WhileRunning(outer, [](TestDialog& d) {
        SendKey(WidgetOf(&d, IDC_TEST_NAME), Qt::Key_Return);
        d.EndDialog(IDOK);
    });
    EXPECT_EQ(outer.DoModal(), IDOK);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_EQ(outer.refreshes, 1);
}

} // namespace ui_test
