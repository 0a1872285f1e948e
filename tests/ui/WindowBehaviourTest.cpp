// How the module's windows behave toward the user: a modal loop holds every
// other window, message boxes belong to the window that asked, fixed frames
// keep the program's size, dialogs open over their owner, and the menu bar
// answers the keyboard.
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <thread>

namespace ui_test {

namespace {

constexpr int kWaitMs = 10000;

// The window on the screen: a window with a menu bar is the frame around it.
QWidget* Screen(const CWnd& wnd)
{
    return wnd.GetWidget()->window();
}

QPoint Centre(const QWidget* w)
{
    return w->frameGeometry().center();
}

void ExpectCentredOn(const QWidget* w, const QWidget* over)
{
    const QPoint d = Centre(w) - Centre(over);
    EXPECT_LE(std::abs(d.x()), 2) << "x " << Centre(w).x() << " over " << Centre(over).x();
    EXPECT_LE(std::abs(d.y()), 2) << "y " << Centre(w).y() << " over " << Centre(over).y();
}

// Runs the dialog modally; act runs inside its loop once it is on the screen,
// and the dialog ends (IDABORT) after it unless act ends it itself. One that
// act meant to end but did not is ended a while later, so a failed check never
// hangs the test.
INT_PTR RunModal(CDialog& dialog, const std::function<void()>& act, bool actEndsIt = false)
{
    QTimer::singleShot(0, [&dialog, act, actEndsIt] {
        EXPECT_TRUE(PumpUntil([&] { return dialog.GetSafeHwnd() && Screen(dialog)->isVisible(); }, kWaitMs));
        act();
        if (!actEndsIt)
            dialog.EndDialog(IDABORT);
        else if (dialog.GetSafeHwnd())
            QTimer::singleShot(kWaitMs, dialog.GetWidget(), [&dialog] { dialog.EndDialog(IDABORT); });
    });
    return dialog.DoModal();
}

// Calls fn with the message box once it is up and active, from the box's own
// loop (the box may be asked for from inside another wait).
void WhenBoxIsUp(const std::function<void(QMessageBox*)>& fn, int triesLeft = kWaitMs / 20)
{
    QTimer::singleShot(20, [fn, triesLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible() && QApplication::activeWindow() == box) {
            fn(box);
        } else if (triesLeft > 0) {
            WhenBoxIsUp(fn, triesLeft - 1);
        } else {
            ADD_FAILURE() << "no active message box";
            if (box)
                box->reject();
        }
    });
}

// Sends the window system's close (the title bar's X) to a top-level window.
void CloseBox(const CWnd& wnd)
{
    QCloseEvent close;
    QApplication::sendEvent(Screen(wnd), &close);
}

// Records the commands that reach it.
class CommandDialog : public TestDialog
{
public:
    using TestDialog::TestDialog;
    std::vector<UINT> commands;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override
    {
        commands.push_back(nID);
        return TestDialog::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

class WindowBehaviour : public ::testing::Test
{
protected:
    void SetUp() override { EnsureApplication(); }
};

TEST_F(WindowBehaviour, AModalLoopHoldsEveryOtherWindowUntilItEnds)
{
    // A modeless window beside, as the main window is beside its dialogs.
    TestDialog beside(IDD_UI_TEST_MENU);
    ASSERT_TRUE(beside.Create(IDD_UI_TEST_MENU));
    beside.ShowWindow(SW_SHOW);

    TestDialog outer;
    TestDialog inner(IDD_UI_TEST_PLAIN);
    INT_PTR innerResult = 0;
    const INT_PTR outerResult = RunModal(outer, [&] {
        EXPECT_FALSE(Screen(beside)->isEnabled());
        EXPECT_FALSE(beside.IsWindowEnabled());
        EXPECT_TRUE(outer.IsWindowEnabled());
        // Its close box does nothing while the loop runs.
        CloseBox(beside);
        EXPECT_TRUE(IsWindow(beside.GetSafeHwnd()));

        innerResult = RunModal(inner, [&] {
            EXPECT_FALSE(outer.IsWindowEnabled());
            EXPECT_FALSE(Screen(outer)->isEnabled());
            EXPECT_FALSE(beside.IsWindowEnabled());
            EXPECT_EQ(outer.GetLastActivePopup(), &inner);
            EXPECT_EQ(beside.GetLastActivePopup(), &inner);
            EXPECT_EQ(inner.GetLastActivePopup(), &inner);
            CloseBox(outer);
            EXPECT_TRUE(IsWindow(outer.GetSafeHwnd()));

            // Shown again and brought forward (as the instance hand-over did),
            // the held window stays held and the running dialog answers.
            outer.ShowWindow(SW_HIDE);
            outer.ShowWindow(SW_SHOWNORMAL);
            outer.SetForegroundWindow();
            EXPECT_TRUE(PumpUntil([&] { return QApplication::activeWindow() == Screen(inner); }, kWaitMs));
            EXPECT_FALSE(outer.IsWindowEnabled());
            EXPECT_EQ(QApplication::activeModalWidget(), Screen(inner));
            SendKey(inner.GetWidget()->focusWidget() ? inner.GetWidget()->focusWidget() : inner.GetWidget(),
                    Qt::Key_Escape);
        }, true);

        // The inner loop gave back what it took; the outer one still holds its own.
        EXPECT_TRUE(outer.IsWindowEnabled());
        EXPECT_TRUE(Screen(outer)->isEnabled());
        EXPECT_EQ(outer.GetLastActivePopup(), &outer);
        EXPECT_FALSE(beside.IsWindowEnabled());
        outer.EndDialog(IDOK);
    }, true);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_EQ(outerResult, IDOK);
    EXPECT_TRUE(beside.IsWindowEnabled());
    EXPECT_TRUE(Screen(beside)->isEnabled());
    EXPECT_EQ(beside.GetLastActivePopup(), &beside);
    beside.DestroyWindow();
}

TEST_F(WindowBehaviour, AWindowTheProgramDisabledIsEnabledAgainOnlyByTheProgram)
{
    TestDialog beside(IDD_UI_TEST_PLAIN);
    ASSERT_TRUE(beside.Create(IDD_UI_TEST_PLAIN));
    beside.ShowWindow(SW_SHOW);
    beside.EnableWindow(FALSE);
    TestDialog dialog;
    RunModal(dialog, [&] { EXPECT_FALSE(Screen(beside)->isEnabled()); });
    EXPECT_FALSE(beside.IsWindowEnabled());
    EXPECT_FALSE(Screen(beside)->isEnabled());
    beside.DestroyWindow();
}

TEST_F(WindowBehaviour, AMessageBoxBelongsToTheActiveWindowAndShowsItsIcon)
{
    struct Case
    {
        UINT type;
        QMessageBox::Icon icon;
        int answer; // of the default button
    };
    const Case cases[] = {
        {MB_OK | MB_ICONERROR, QMessageBox::Critical, IDOK},
        {MB_OK | MB_ICONWARNING, QMessageBox::Warning, IDOK},
        {MB_YESNO | MB_ICONQUESTION, QMessageBox::Question, IDYES},
        {MB_OKCANCEL | MB_ICONINFORMATION, QMessageBox::Information, IDOK},
        {MB_OK, QMessageBox::NoIcon, IDOK},
    };
    for (const Case& c : cases) {
        for (const bool fromWorker : {false, true}) {
            SCOPED_TRACE(testing::Message() << "type " << c.type << (fromWorker ? " from a worker" : ""));
            TestDialog dialog;
            std::atomic<int> answer = 0;
            RunModal(dialog, [&] {
                WhenBoxIsUp([&](QMessageBox* box) {
                    EXPECT_TRUE(box->windowHandle() &&
                                box->windowHandle()->transientParent() == Screen(dialog)->windowHandle());
                    ExpectCentredOn(box, Screen(dialog));
                    EXPECT_FALSE(dialog.IsWindowEnabled());
                    EXPECT_EQ(box->icon(), c.icon);
                    EXPECT_EQ(box->iconPixmap().isNull(), c.icon == QMessageBox::NoIcon);
                    box->defaultButton()->click();
                });
                if (fromWorker) {
                    std::thread worker([&] { answer = AfxMessageBox("Invalid VLAN ID !", c.type); });
                    PumpUntil([&] { return answer != 0; }, kWaitMs);
                    worker.join();
                } else {
                    answer = dialog.MessageBox("Invalid VLAN ID !", "", c.type);
                }
                // Answered: the dialog takes input again.
                EXPECT_TRUE(dialog.IsWindowEnabled());
            });
            EXPECT_EQ(answer.load(), c.answer);
        }
    }
}

TEST_F(WindowBehaviour, AFrameWithoutThickFrameKeepsTheProgramsSizeAndAsksForNoMaximizeButton)
{
    TestDialog plain(IDD_UI_TEST_PLAIN);
    ASSERT_TRUE(plain.Create(IDD_UI_TEST_PLAIN));
    plain.ShowWindow(SW_SHOW);
    QWidget* w = plain.GetWidget();
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(Screen(plain)->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(Screen(plain)->windowFlags() & Qt::WindowMinimizeButtonHint);

    // The program sizes it (as for a port count): that size holds against the user.
    CRect rc;
    plain.GetWindowRect(&rc);
    plain.MoveWindow(rc.left, rc.top, rc.Width() + 120, rc.Height() + 60);
    const QSize given = w->size();
    EXPECT_EQ(w->minimumSize(), given);
    EXPECT_EQ(w->maximumSize(), given);
    w->resize(given + QSize(200, 100));
    PumpUntil([] { return false; }, 50);
    EXPECT_EQ(w->size(), given);

    // A thick frame added to the style reaches the frame only when the frame is told.
    plain.ModifyStyle(0, WS_THICKFRAME);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    plain.ModifyStyle(0, WS_THICKFRAME | WS_MAXIMIZEBOX, SWP_FRAMECHANGED);
    EXPECT_NE(w->minimumSize(), w->maximumSize());
    EXPECT_TRUE(Screen(plain)->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(Screen(plain)->isVisible());
    plain.DestroyWindow();

    // A minimize box that the style asks for.
    TestDialog withMenu(IDD_UI_TEST_MENU);
    ASSERT_TRUE(withMenu.Create(IDD_UI_TEST_MENU));
    EXPECT_TRUE(Screen(withMenu)->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(Screen(withMenu)->windowFlags() & Qt::WindowMaximizeButtonHint);
    withMenu.DestroyWindow();
}

TEST_F(WindowBehaviour, ADialogOpensCentredOnItsOwnerOrOnTheScreen)
{
    TestDialog outer;
    RunModal(outer, [&] {
        // Away from the screen's centre, so centring on it would show.
        outer.MoveWindow(10, 20, 600, 400);
        TestDialog owned(IDD_UI_TEST_PLAIN);
        // It sizes itself while it initialises at a fixed place: the size holds, the place does not.
        owned.onInit = [](TestDialog& d) { d.MoveWindow(200, 200, 300, 150); };
        RunModal(owned, [&] {
            EXPECT_EQ(owned.GetParent(), &outer);
            EXPECT_EQ(Screen(owned)->windowHandle()->transientParent(), Screen(outer)->windowHandle());
            CRect rc;
            owned.GetClientRect(&rc);
            EXPECT_EQ(rc.Size(), CSize(300, 150));
            ExpectCentredOn(Screen(owned), Screen(outer));
        });
    });

    // Without an owner: on the screen, unless it placed itself (as the main window does from its panel).
    TestDialog alone(IDD_UI_TEST_PLAIN);
    RunModal(alone, [&] {
        EXPECT_EQ(alone.GetParent(), nullptr);
        const QPoint d = Centre(Screen(alone)) - Screen(alone)->screen()->availableGeometry().center();
        EXPECT_LE(std::abs(d.x()) + std::abs(d.y()), 4);
    });
    TestDialog placed(IDD_UI_TEST_PLAIN);
    placed.onInit = [](TestDialog& d) { d.MoveWindow(30, 40, 300, 150); };
    RunModal(placed, [&] { EXPECT_EQ(Screen(placed)->pos(), QPoint(30, 40)); });
}

TEST_F(WindowBehaviour, F10AndAltWithAnUnderlinedLetterOpenTheMenus)
{
    CommandDialog d(IDD_UI_TEST_MENU);
    ASSERT_TRUE(d.Create(IDD_UI_TEST_MENU));
    d.ShowWindow(SW_SHOW);
    QWidget* window = Screen(d);
    window->activateWindow();
    ASSERT_TRUE(PumpUntil([&] { return QApplication::activeWindow() == window; }, kWaitMs));
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : d.GetWidget();

    auto openMenu = [] {
        QMenu* menu = nullptr;
        PumpUntil(
            [&] {
                menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                return menu != nullptr && menu->isVisible();
            },
            kWaitMs);
        return menu;
    };
    struct Case
    {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString title;
    };
    const Case cases[] = {
        {"F10: the first menu", Qt::Key_F10, Qt::NoModifier, "&Device"},
        {"Alt+T: Tools", Qt::Key_T, Qt::AltModifier, "&Tools"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTest::keyClick(focus, c.key, c.modifiers);
        QMenu* menu = openMenu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), c.title);
        QTest::keyClick(menu, Qt::Key_Escape);
        PumpUntil([] { return QApplication::activePopupWidget() == nullptr; }, kWaitMs);
        // Escape may leave the bar highlighted: a second one leaves it.
        QTest::keyClick(window, Qt::Key_Escape);
    }

    // Inside a menu: arrows move, Enter chooses.
    QTest::keyClick(focus, Qt::Key_T, Qt::AltModifier);
    QMenu* tools = openMenu();
    ASSERT_NE(tools, nullptr);
    QTest::keyClick(tools, Qt::Key_Down);
    EXPECT_EQ(tools->activeAction() ? tools->activeAction()->text() : QString(), "&Refresh");
    QTest::keyClick(tools, Qt::Key_Return);
    auto refreshes = [&] { return std::count(d.commands.begin(), d.commands.end(), ID_UI_TEST_REFRESH); };
    EXPECT_TRUE(PumpUntil([&] { return refreshes() > 0; }, kWaitMs));
    EXPECT_EQ(refreshes(), 1);
    d.DestroyWindow();
}

} // namespace

} // namespace ui_test
