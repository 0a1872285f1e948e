// Windows: messages by number, timers, controls made at run time, showing,
// enabling, moving, topmost, texts, framed labels as tall as their font,
// windows that are gone, dialog units, icons and cursors, message boxes.
#include "ui/TestDialog.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>

#include <utility>

namespace ui_test {

TEST(Window, MessagesByNumberReachTheirHandlersThroughWindowProc)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    d.windowProcMessages.clear();
    EXPECT_EQ(d.SendMessage(WM_TEST_NOTIFY, 21, 0), 42);
    EXPECT_EQ(::SendMessage(d.GetSafeHwnd(), WM_TEST_NOTIFY, 1, 5), 7);
    EXPECT_EQ(d.SendMessage(g_uTestRegisteredMsg, 3), 1003);
    EXPECT_EQ(d.SendMessage(WM_USER + 99, 1, 1), 0); // no handler: the default processing
    EXPECT_EQ(d.windowProcMessages,
              (std::vector<UINT>{WM_TEST_NOTIFY, WM_TEST_NOTIFY, g_uTestRegisteredMsg, WM_USER + 99}));

    EXPECT_GE(g_uTestRegisteredMsg, 0xC000U);
    EXPECT_EQ(RegisterWindowMessage("Korvel window layer test"), g_uTestRegisteredMsg);
    EXPECT_NE(RegisterWindowMessage("another name"), g_uTestRegisteredMsg);

    // A posted message waits for the event loop.
    d.windowProcMessages.clear();
    EXPECT_TRUE(d.PostMessage(WM_TEST_NOTIFY, 1, 0));
    EXPECT_TRUE(d.windowProcMessages.empty());
    EXPECT_TRUE(PumpUntil([&] { return !d.windowProcMessages.empty(); }));
    EXPECT_EQ(d.windowProcMessages.front(), WM_TEST_NOTIFY);
}

TEST(Window, TimerFiresUntilKilled)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    EXPECT_EQ(d.SetTimer(2052, 10), 2052U);
    EXPECT_TRUE(PumpUntil([&] { return d.timerTicks.size() >= 3; }));
    PumpUntil([] { return false; }, 60);
    // The handler killed it at the third tick.
    EXPECT_EQ(d.timerTicks, (std::vector<UINT_PTR>{2052, 2052, 2052}));
    EXPECT_FALSE(d.KillTimer(2052));
}

TEST(Window, ControlsMadeAtRunTimeWithIdsFromABase)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    std::vector<std::unique_ptr<CButton>> boxes;
    std::vector<std::unique_ptr<CStatic>> labels;
    for (int port = 0; port < 28; ++port) {
        const int x = 10 + port * 17;
        labels.push_back(std::make_unique<CStatic>());
        ASSERT_TRUE(labels.back()->Create(std::to_string(port + 1).c_str(), WS_VISIBLE | SS_CENTER | SS_SUNKEN,
                                          CRect(x, 125, x + 17, 140), &d, 2501 + port));
        boxes.push_back(std::make_unique<CButton>());
        ASSERT_TRUE(boxes.back()->Create("", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(x, 140, x + 20, 160), &d,
                                         IDC_TEST_PORT_BASE + port));
    }
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_PORT_BASE + 4), boxes[4].get());
    EXPECT_EQ(d.GetDlgItem(2510)->GetWindowText(), "10");
    static_cast<QAbstractButton*>(boxes[4]->GetWidget())->click();
    static_cast<QAbstractButton*>(boxes[27]->GetWidget())->click();
    EXPECT_EQ(d.portClicks, (std::vector<UINT>{IDC_TEST_PORT_BASE + 4, IDC_TEST_PORT_BASE + 27}));
    EXPECT_EQ(boxes[4]->GetCheck(), BST_CHECKED);
    CRect r;
    boxes[27]->GetWindowRect(&r);
    d.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(10 + 27 * 17, 140, 10 + 27 * 17 + 20, 160));

    // A control destroyed with its object leaves the dialog.
    boxes[4].reset();
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_PORT_BASE + 4), nullptr);

    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_NUMBER, CRect(10, 170, 60, 190), &d, IDC_TEST_NAME + 100));
    edit.SetWindowText("12");
    EXPECT_EQ(d.GetDlgItemInt(IDC_TEST_NAME + 100), 12U);
}

TEST(Window, ShowEnableMoveTopmostAndTexts)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    CWnd* apply = d.GetDlgItem(IDC_TEST_APPLY);
    EXPECT_TRUE(apply->ShowWindow(SW_HIDE)); // it was visible
    EXPECT_FALSE(apply->IsWindowVisible());
    EXPECT_FALSE(apply->ShowWindow(SW_SHOW));
    EXPECT_FALSE(apply->EnableWindow(FALSE)); // it was enabled
    EXPECT_FALSE(apply->IsWindowEnabled());
    EXPECT_TRUE(apply->GetStyle() & WS_DISABLED);
    EXPECT_TRUE(apply->EnableWindow(TRUE));

    d.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_TRUE(d.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(d.GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    d.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_FALSE(d.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(d.IsWindowVisible());

    d.MoveWindow(200, 200, 580, 275);
    CRect window;
    d.GetWindowRect(&window);
    EXPECT_EQ(window.TopLeft(), CPoint(200, 200));
    CRect client;
    d.GetClientRect(&client);
    EXPECT_EQ(client.TopLeft(), CPoint(0, 0));
    EXPECT_LE(client.Width(), 580);
    EXPECT_GT(client.Width(), 500);

    d.ShowWindow(SW_MINIMIZE);
    EXPECT_TRUE(PumpUntil([&] { return d.IsIconic() != FALSE; }, 1000));
    d.ShowWindow(SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return d.IsIconic() == FALSE; }, 1000));

    // Statics show their text without '&' marks; buttons keep them for the mnemonic.
    d.SetDlgItemText(IDC_TEST_STATE, "Rx && Tx");
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_STATE)->GetWindowText(), "Rx && Tx");
    EXPECT_EQ(static_cast<QLabel*>(d.GetDlgItem(IDC_TEST_STATE)->GetWidget())->text(), "Rx & Tx");
    char buffer[4];
    EXPECT_EQ(d.GetDlgItemText(IDC_TEST_REFRESH, buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "&Re");

    // An automatic radio button clears the rest of its group, not the check box before it.
    d.CheckDlgButton(IDC_TEST_ENABLE, BST_CHECKED);
    static_cast<QAbstractButton*>(d.GetDlgItem(IDC_TEST_ON)->GetWidget())->click();
    static_cast<QAbstractButton*>(d.GetDlgItem(IDC_TEST_OFF)->GetWidget())->click();
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_TEST_ON, IDC_TEST_OFF), IDC_TEST_OFF);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_TEST_ON), 0U);
    EXPECT_EQ(d.IsDlgButtonChecked(IDC_TEST_ENABLE), 1U);
    d.CheckRadioButton(IDC_TEST_ON, IDC_TEST_OFF, IDC_TEST_ON);
    EXPECT_EQ(d.GetCheckedRadioButton(IDC_TEST_ON, IDC_TEST_OFF), IDC_TEST_ON);

    EXPECT_EQ(d.GetDlgItem(IDC_TEST_NAME)->GetParent(), &d);
    EXPECT_EQ(d.GetDlgItem(IDC_TEST_NAME)->GetDlgCtrlID(), IDC_TEST_NAME);
    EXPECT_TRUE(d.IsChild(d.GetDlgItem(IDC_TEST_NAME)));
    EXPECT_EQ(d.GetDlgItem(4711), nullptr);
}

TEST(Window, AWindowThatIsGoneAnswersNothing)
{
    EnsureApplication();
    TestDialog d;
    ASSERT_TRUE(d.Create(IDD_UI_TEST));
    const HWND dialog = d.GetSafeHwnd();
    CWnd* name = d.GetDlgItem(IDC_TEST_NAME);
    const HWND field = name->GetSafeHwnd();
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(d.DestroyWindow());
    EXPECT_EQ(d.destroys, 1);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(::SendMessage(dialog, WM_TEST_NOTIFY, 21, 0), 0);
    EXPECT_FALSE(::PostMessage(dialog, WM_TEST_NOTIFY, 21, 0));
    // The objects stay, with no window: their calls do nothing.
    EXPECT_EQ(name->GetSafeHwnd(), nullptr);
    name->SetWindowText("ignored");
    EXPECT_EQ(name->GetWindowText(), "");
    EXPECT_EQ(d.m_list.GetItemCount(), 0);
    EXPECT_EQ(d.m_list.InsertItem(0, "x"), -1);
    EXPECT_FALSE(d.DestroyWindow());
}

TEST(Window, DialogUnitsFollowTheDialogFont)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    // The template places the name field at 60, 20, 90 x 12 dialog units;
    // its place and its size are each converted, so each is compared (the
    // far corner converted on its own may round one pixel the other way).
    CRect place(60, 20, 60, 20);
    d.MapDialogRect(&place);
    CRect size(0, 0, 90, 12);
    d.MapDialogRect(&size);
    CRect field;
    d.GetDlgItem(IDC_TEST_NAME)->GetWindowRect(&field);
    d.ScreenToClient(&field);
    EXPECT_EQ(field.left, place.left);
    EXPECT_EQ(field.top, place.top);
    EXPECT_EQ(field.Width(), size.Width());
    EXPECT_EQ(field.Height(), size.Height());
    // Four horizontal units are the average width of the dialog font's letters,
    // eight vertical units its height.
    CRect unit(0, 0, 4, 8);
    d.MapDialogRect(&unit);
    const QFontMetrics metrics(d.GetWidget()->font());
    const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(unit.Width(), (letters / 26 + 1) / 2);
    EXPECT_EQ(unit.Height(), metrics.height());
    // So the labels' texts fit the room the template gives them.
    for (CWnd* child = d.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        auto* label = qobject_cast<QLabel*>(child->GetWidget());
        if (!label || label->text().isEmpty())
            continue;
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
    }
}

namespace {

// The rows of an image (within `area`) that hold dark ink: the first and the
// one past the last, or an empty range.
std::pair<int, int> InkRows(const QImage& image, const QRect& area)
{
    int first = -1;
    int last = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 96) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last + 1};
}

} // namespace

// A framed text static as small as its font, like the port numbers above a
// row of check boxes: the frame takes its line and nothing more, so the whole
// text shows inside it, none of it cut at the bottom.
TEST(Window, AFramedStaticAsTallAsItsFontShowsItsWholeText)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    const struct
    {
        DWORD style;
        const char* text;
    } cases[] = {
        {SS_CENTER | SS_SUNKEN, "28"},
        {SS_CENTER | SS_SUNKEN, "52"},
        {SS_LEFT | SS_SUNKEN, "8"},
        {SS_CENTER | WS_BORDER, "26"},
    };
    int id = 2601;
    for (const auto& c : cases) {
        CStatic label;
        ASSERT_TRUE(label.Create(c.text, WS_VISIBLE | c.style, CRect(10, 125, 27, 140), &d, static_cast<UINT>(id++)));
        auto* widget = qobject_cast<QLabel*>(label.GetWidget());
        ASSERT_NE(widget, nullptr);
        // The dialog font draws the text this tall when nothing is in its way.
        const QFontMetrics metrics(widget->font());
        QImage free(60, 3 * metrics.height(), QImage::Format_RGB32);
        free.fill(Qt::white);
        {
            QPainter painter(&free);
            painter.setFont(widget->font());
            painter.setPen(Qt::black);
            painter.drawText(QPoint(5, metrics.height() + metrics.ascent()), QString::fromLatin1(c.text));
        }
        const auto [freeTop, freeEnd] = InkRows(free, free.rect());
        ASSERT_GT(freeEnd, freeTop);

        const QImage shown = widget->grab().toImage();
        const auto [top, end] = InkRows(shown, widget->contentsRect());
        EXPECT_EQ(end - top, freeEnd - freeTop) << c.text << ": the text is cut";
    }
}

TEST(Window, IconsCursorsAndStringsFromTheResources)
{
    OpenTestDialog open;
    TestDialog& d = open.dialog;
    const HICON icon = LoadIconResource(IDI_UI_TEST);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconResource(IDI_UI_TEST), icon);
    EXPECT_EQ(GetIconSize(icon).cx, 32);
    EXPECT_EQ(LoadIconResource(4711), nullptr);
    EXPECT_EQ(d.SetIcon(icon, TRUE), nullptr);
    EXPECT_EQ(d.GetIcon(TRUE), icon);
    EXPECT_FALSE(d.GetWidget()->windowIcon().isNull());

    const HCURSOR pointer = LoadCursorResource(IDC_UI_TEST_POINTER);
    ASSERT_NE(pointer, nullptr);
    EXPECT_EQ(GetCursorHotSpot(pointer).x, 7);
    EXPECT_EQ(GetCursorHotSpot(pointer).y, 1);
    EXPECT_NE(LoadStandardCursorResource(IDC_WAIT), nullptr);
    EXPECT_EQ(LoadStandardCursorResource(1), nullptr);
    SetCursor(pointer);
    EXPECT_EQ(GetCursor(), pointer);

    {
        CWaitCursor wait;
        EXPECT_EQ(CWaitCursor::Depth(), 1);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(CWaitCursor::Depth(), 0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Window, MessageBoxesGoThroughTheHook)
{
    OpenTestDialog open;
    BoxRecorder boxes(IDNO);
    EXPECT_EQ(open.dialog.MessageBox("Delete the row?", "Trunk", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(AfxMessageBox(IDS_UI_TEST_GREETING, MB_OK), IDNO);
    const auto calls = boxes.Calls();
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0].text, "Delete the row?");
    EXPECT_EQ(calls[0].caption, "Trunk");
    EXPECT_EQ(calls[0].type, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    EXPECT_EQ(calls[1].text, "Hello from the string table");
    EXPECT_EQ(calls[1].caption, "korvel-module");
}

} // namespace ui_test
