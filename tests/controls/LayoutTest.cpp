// The resizable dialog base: each control of the layout table follows a size
// change by its mode and share, the grip keeps to the lower right corner, and
// the user cannot make the dialog smaller than it was at initialisation.
#include "controls/DemoSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace controls_test {

namespace {

void ResizeBy(CWnd& wnd, int dw, int dh)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    wnd.MoveWindow(rc.left, rc.top, rc.Width() + dw, rc.Height() + dh);
}

CRect GripRect(CWnd& dialog)
{
    CWnd* grip = dialog.GetDlgItem(0);
    return grip ? ChildRect(dialog, grip) : CRect();
}

constexpr int kNoSuchControl = 4711;

TEST(Layout, EachControlMovesOrGrowsByItsModeAndShare)
{
    // Which of a control's left, top, width and height follow its share of the change.
    struct Entry
    {
        LxLayoutItem item;
        bool left, top, width, height;
    };
    static const Entry entries[] = {
        {{IDC_DEMO_TITLE, 0, 100}, true, false, false, false},
        {{IDC_DEMO_ADDRESS, 1, 50}, false, true, false, false},
        {{IDC_DEMO_PORT_LABEL, 2, 50}, true, true, false, false},
        {{IDC_DEMO_PROGRESS, 3, 70}, false, false, true, false},
        {{IDC_DEMO_PROGRESS_LABEL, 4, 100}, false, false, false, true},
        {{IDC_DEMO_LIST, 5, 100}, false, false, true, true},
        {{IDC_DEMO_APPLY, 6, 100}, false, false, false, false},
        {{IDOK, 2, 101}, false, false, false, false},
        {{IDCANCEL, 2, -1}, false, false, false, false},
        {{kNoSuchControl, 2, 100}, false, false, false, false},
    };
    static LxLayoutItem table[std::size(entries)];
    for (size_t i = 0; i < std::size(entries); ++i)
        table[i] = entries[i].item;

    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    ASSERT_TRUE(d.SetLayout(table, static_cast<int>(std::size(table))));
    std::map<int, CRect> expected;
    for (const Entry& e : entries)
        if (e.item.nID != kNoSuchControl)
            expected[e.item.nID] = ChildRect(d, e.item.nID);
    const CRect portLabel = expected[IDC_DEMO_PORT_LABEL];

    // An enlargement, then a small shrink: each step applies its own share,
    // truncated toward zero (-7 at 50 % is -3).
    for (const CSize step : {CSize(40, 30), CSize(-7, -9)}) {
        ResizeBy(d, step.cx, step.cy);
        for (const Entry& e : entries) {
            if (e.item.nID == kNoSuchControl)
                continue;
            const bool applies = e.item.nPercent >= 0 && e.item.nPercent <= 100;
            const int shareX = applies ? step.cx * e.item.nPercent / 100 : 0;
            const int shareY = applies ? step.cy * e.item.nPercent / 100 : 0;
            CRect& want = expected[e.item.nID];
            want.OffsetRect(e.left ? shareX : 0, e.top ? shareY : 0);
            want.right += e.width ? shareX : 0;
            want.bottom += e.height ? shareY : 0;
            EXPECT_EQ(ChildRect(d, e.item.nID), want)
                << "control " << e.item.nID << " after (" << step.cx << ", " << step.cy << ")";
        }
    }
    EXPECT_EQ(ChildRect(d, IDC_DEMO_PORT_LABEL).left, portLabel.left + 20 - 3);

    CRect client;
    d.GetClientRect(&client);
    const CRect grip = GripRect(d);
    EXPECT_FALSE(grip.IsRectEmpty());
    EXPECT_EQ(grip.BottomRight(), client.BottomRight());
}

TEST(Layout, WithoutATableItIsTopmostAndSizableAndOnlyTheGripFollows)
{
    EnsureApplication();
    ClxDialog d(IDD_CONTROLS_DEMO);
    ASSERT_TRUE(d.Create(IDD_CONTROLS_DEMO));
    d.ShowWindow(SW_SHOW);
    EXPECT_TRUE(d.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(d.GetStyle() & WS_THICKFRAME);
    EXPECT_FALSE(d.SetLayout(nullptr, 3));
    EXPECT_FALSE(d.SetLayout(ControlsDemoDlg::s_layout, 0));
    const int ids[] = {IDC_DEMO_TITLE, IDC_DEMO_LIST, IDC_DEMO_PROGRESS, IDOK, IDCANCEL};
    std::map<int, CRect> before;
    for (int id : ids)
        before[id] = ChildRect(d, id);
    ResizeBy(d, 60, 45);
    for (int id : ids)
        EXPECT_EQ(ChildRect(d, id), before[id]) << "control " << id;
    CRect client;
    d.GetClientRect(&client);
    EXPECT_EQ(GripRect(d).BottomRight(), client.BottomRight());
    d.DestroyWindow();
}

TEST(Layout, MinimiseAndRestoreLeaveTheControlsWhereTheyWere)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    ResizeBy(d, 30, 20);
    const CRect list = ChildRect(d, IDC_DEMO_LIST);
    const CRect ok = ChildRect(d, IDOK);
    d.ShowWindow(SW_MINIMIZE);
    PumpUntil([&] { return d.IsIconic() != FALSE; }, 1000);
    d.ShowWindow(SW_RESTORE);
    PumpUntil([&] { return d.IsIconic() == FALSE; }, 1000);
    EXPECT_EQ(ChildRect(d, IDC_DEMO_LIST), list);
    EXPECT_EQ(ChildRect(d, IDOK), ok);
}

TEST(Layout, TheUserCannotMakeItSmallerThanAtInitialisation)
{
    OpenDemo open;
    ControlsDemoDlg& d = open.dialog;
    CRect initial;
    d.GetWindowRect(&initial);

    // Dragging the lower right corner inwards stops at the initial size.
    QWidget* w = d.GetWidget();
    w->resize(w->width() - 50, w->height() - 40);
    PumpUntil([&] {
        CRect now;
        d.GetWindowRect(&now);
        return now.Width() == initial.Width();
    });
    CRect now;
    d.GetWindowRect(&now);
    EXPECT_EQ(now.Width(), initial.Width());
    EXPECT_EQ(now.Height(), initial.Height());

    // Dragging the left edge past the minimum pushes the window: the right edge is corrected.
    RECT proposed{initial.left + 80, initial.top, initial.right, initial.bottom};
    d.SendMessage(WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(proposed.left, initial.left + 80);
    EXPECT_EQ(proposed.right, initial.left + 80 + initial.Width());
    EXPECT_EQ(proposed.bottom, initial.bottom);
    // A larger rectangle is left alone.
    RECT larger{initial.left, initial.top, initial.right + 10, initial.bottom + 10};
    d.SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&larger));
    EXPECT_EQ(larger.right, initial.right + 10);
    EXPECT_EQ(larger.bottom, initial.bottom + 10);
}

// A dialog that sizes itself right after registering its table, as the
// per-port dialogs do for their port count.
class SelfSizingDlg : public ControlsDemoDlg
{
protected:
    BOOL OnInitDialog() override
    {
        ControlsDemoDlg::OnInitDialog();
        CRect rc;
        GetWindowRect(&rc);
        MoveWindow(200, 200, rc.Width() + 100, rc.Height() + 50);
        return TRUE;
    }
};

TEST(Layout, AResizeDuringInitialisationMovesTheListedControlsButNotTheMinimum)
{
    EnsureApplication();
    ClxDialog plain(IDD_CONTROLS_DEMO);
    ASSERT_TRUE(plain.Create(IDD_CONTROLS_DEMO));
    plain.ShowWindow(SW_SHOW);
    CRect templateWindow;
    plain.GetWindowRect(&templateWindow);
    const CRect templateOk = ChildRect(plain, IDOK);
    const CRect templateList = ChildRect(plain, IDC_DEMO_LIST);
    plain.DestroyWindow();

    SelfSizingDlg d;
    ASSERT_TRUE(d.Create(IDD_CONTROLS_DEMO));
    d.ShowWindow(SW_SHOW);
    EXPECT_EQ(ChildRect(d, IDOK).TopLeft(), CPoint(templateOk.left + 100, templateOk.top + 50));
    EXPECT_EQ(ChildRect(d, IDC_DEMO_LIST).Size(), CSize(templateList.Width() + 100, templateList.Height() + 50));

    RECT proposed{200, 200, 210, 210};
    d.SendMessage(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(proposed.right - proposed.left, templateWindow.Width());
    EXPECT_EQ(proposed.bottom - proposed.top, templateWindow.Height());
    d.DestroyWindow();
}

} // namespace

} // namespace controls_test
