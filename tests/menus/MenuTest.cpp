// Menus: loaded from the resources and changed item by item, shown in a
// window's menu bar above a client area that stays where it was, choosing
// items runs the window's command handlers; the system menu's stand-in.
#include "platform/ui/WindowLayer.h"
#include "resources/test.h"
#include "ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <atomic>
#include <initializer_list>
#include <thread>
#include <vector>

namespace menus_test {

namespace {

constexpr UINT kNoItem = 0xFFFFFFFF;
constexpr UINT IDM_TEST_SYS_ABOUT = 16;
constexpr COLORREF kPaint = RGB(200, 30, 40);
constexpr COLORREF kKept = RGB(20, 40, 220);

// A dialog with command handlers for menu items, a system-command handler,
// and a painting of its own in the top-left corner of its client area.
class MenuDialog : public CDialog
{
public:
    explicit MenuDialog(UINT templateId) : CDialog(templateId) {}

    std::vector<UINT> commands;
    std::vector<std::pair<UINT, LPARAM>> sysCommands;

protected:
    void OnPorts() { commands.push_back(ID_UI_TEST_PORTS); }
    void OnRefresh() { commands.push_back(ID_UI_TEST_REFRESH); }
    void OnAbout() { commands.push_back(ID_UI_TEST_ABOUT); }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        if ((nID & 0xFFF0) == IDM_TEST_SYS_ABOUT)
            sysCommands.emplace_back(nID, lParam);
        else
            CDialog::OnSysCommand(nID, lParam);
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect corner(0, 0, 10, 10);
        dc.FillSolidRect(&corner, kPaint);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuDialog, CDialog)
    ON_COMMAND(ID_UI_TEST_PORTS, OnPorts)
    ON_COMMAND(ID_UI_TEST_REFRESH, OnRefresh)
    ON_COMMAND(ID_UI_TEST_ABOUT, OnAbout)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

// The dialog made modeless and shown; before showing, prepare may give it a menu.
struct OpenMenuDialog
{
    explicit OpenMenuDialog(UINT templateId, const std::function<void(MenuDialog&)>& prepare = {})
        : dialog((EnsureApplication(), templateId))
    {
        dialog.Create(templateId);
        if (prepare)
            prepare(dialog);
        dialog.ShowWindow(SW_SHOW);
        QCoreApplication::processEvents();
    }
    ~OpenMenuDialog()
    {
        if (IsWindow(dialog.m_hWnd))
            dialog.DestroyWindow();
    }
    MenuDialog dialog;
};

QMenuBar* BarOf(CWnd& wnd)
{
    return wnd.GetWidget()->window()->findChild<QMenuBar*>();
}

// The action reached through the texts of the menus on the way.
QAction* ActionAt(QList<QAction*> actions, std::initializer_list<const char*> path)
{
    QAction* found = nullptr;
    for (const char* text : path) {
        found = nullptr;
        for (QAction* action : actions) {
            if (action->text() == QString::fromUtf8(text))
                found = action;
        }
        if (!found)
            return nullptr;
        if (found->menu())
            actions = found->menu()->actions();
    }
    return found;
}

std::vector<std::string> Texts(const QList<QAction*>& actions)
{
    std::vector<std::string> texts;
    for (QAction* action : actions)
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return texts;
}

QRgb Rgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

CRect ChildRect(CWnd& parent, int id)
{
    CRect r;
    parent.GetDlgItem(id)->GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

// A right click at a point of the widget, as the window system reports it.
void RightClick(QWidget* widget, QPoint at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
}

QMenu* OpenPopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void ClosePopups()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
}

} // namespace

TEST(Menu, ResourceMenuItemsAreDeletedRenamedGrayedAndEnabled)
{
    CMenu bar;
    ASSERT_TRUE(bar.LoadMenu(IDR_UI_TEST_MENUBAR));
    EXPECT_FALSE(bar.LoadMenu(IDR_UI_TEST_MENUBAR)); // it holds one already
    EXPECT_EQ(bar.GetMenuItemCount(), 3);
    CMenu* device = bar.GetSubMenu(0);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device, bar.GetSubMenu(0)); // one object per menu
    EXPECT_EQ(device->GetMenuItemCount(), 3);
    EXPECT_EQ(bar.GetMenuState(0, MF_BYPOSITION), MF_POPUP | (3U << 8));
    EXPECT_EQ(bar.GetMenuItemID(0), kNoItem);
    EXPECT_EQ(bar.GetSubMenu(1)->GetMenuItemID(1), 0U); // the separator
    EXPECT_EQ(bar.GetSubMenu(1)->GetMenuState(1, MF_BYPOSITION), MF_SEPARATOR);
    EXPECT_EQ(bar.GetSubMenu(3), nullptr);

    // By command, from the bar down through the popups: two and three levels deep.
    EXPECT_TRUE(bar.DeleteMenu(ID_UI_TEST_JUMBO, MF_BYCOMMAND));
    EXPECT_TRUE(device->DeleteMenu(ID_UI_TEST_LLDP, MF_BYCOMMAND));
    EXPECT_EQ(bar.GetMenuState(ID_UI_TEST_JUMBO, MF_BYCOMMAND), kNoItem);
    EXPECT_EQ(bar.GetMenuState(ID_UI_TEST_LLDP, MF_BYCOMMAND), kNoItem);
    CMenu* layer2 = device->GetSubMenu(1);
    ASSERT_NE(layer2, nullptr);
    ASSERT_EQ(layer2->GetMenuItemCount(), 1);
    EXPECT_EQ(layer2->GetMenuState(0, MF_BYPOSITION), MF_POPUP); // the LLDP popup, now empty
    // Commands that no item has: nothing happens.
    for (UINT id : {static_cast<UINT>(ID_UI_TEST_JUMBO), 32857U, 0U})
        EXPECT_FALSE(device->DeleteMenu(id, MF_BYCOMMAND)) << id;

    // By position: the PoE popup goes with its menu, after one of its items went by command.
    CMenu* poe = device->GetSubMenu(2);
    ASSERT_NE(poe, nullptr);
    const HMENU poeMenu = poe->m_hMenu;
    EXPECT_TRUE(device->DeleteMenu(ID_UI_TEST_POE_PORTS, MF_BYCOMMAND));
    EXPECT_EQ(poe->GetMenuItemCount(), 1);
    EXPECT_TRUE(device->DeleteMenu(2, MF_BYPOSITION));
    EXPECT_EQ(device->GetMenuItemCount(), 2);
    EXPECT_EQ(CMenu::FromHandle(poeMenu), nullptr);
    EXPECT_EQ(bar.GetMenuState(ID_UI_TEST_POE_GLOBAL, MF_BYCOMMAND), kNoItem);
    EXPECT_FALSE(device->DeleteMenu(2, MF_BYPOSITION));
    // RemoveMenu leaves the popup's menu to the caller, who may put it back.
    const HMENU system = device->GetSubMenu(0)->m_hMenu;
    EXPECT_TRUE(device->RemoveMenu(0, MF_BYPOSITION));
    ASSERT_NE(CMenu::FromHandle(system), nullptr);
    EXPECT_TRUE(device->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(system), "&System"));
    EXPECT_EQ(device->GetSubMenu(1)->GetMenuItemID(0), static_cast<UINT>(ID_UI_TEST_PORTS));

    // Renaming the About item by position, keeping its command.
    CMenu* about = bar.GetSubMenu(2);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->ModifyMenu(0, MF_BYPOSITION | MF_STRING, ID_UI_TEST_ABOUT, std::string("About KSX-Test")));
    std::string text;
    EXPECT_EQ(bar.GetMenuString(ID_UI_TEST_ABOUT, text, MF_BYCOMMAND), 14);
    EXPECT_EQ(text, "About KSX-Test");
    EXPECT_EQ(about->GetMenuItemID(0), static_cast<UINT>(ID_UI_TEST_ABOUT));
    EXPECT_EQ(bar.GetMenuString(2, text, MF_BYPOSITION), 9);
    EXPECT_EQ(text, "&About   ");
    EXPECT_EQ(bar.GetMenuString(4711, text, MF_BYCOMMAND), 0);
    EXPECT_EQ(text, "");

    // Enabling and graying: each call answers the state before it.
    struct Case
    {
        UINT item;
        UINT flags;
        UINT before;
        UINT after;
    };
    const Case cases[] = {
        {IDCANCEL, MF_BYCOMMAND | MF_ENABLED, MF_GRAYED, MF_ENABLED}, // GRAYED in the script
        {ID_UI_TEST_REFRESH, MF_BYCOMMAND | MF_GRAYED, MF_ENABLED, MF_GRAYED},
        {ID_UI_TEST_REFRESH, MF_BYCOMMAND | MF_DISABLED, MF_GRAYED, MF_DISABLED},
        {0, MF_BYPOSITION | MF_GRAYED, MF_ENABLED, MF_GRAYED | MF_POPUP | (2U << 8)}, // a whole popup of the bar
        {4711, MF_BYCOMMAND | MF_GRAYED, kNoItem, kNoItem},
        {7, MF_BYPOSITION | MF_GRAYED, kNoItem, kNoItem},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bar.EnableMenuItem(c.item, c.flags), c.before) << c.item;
        EXPECT_EQ(bar.GetMenuState(c.item, c.flags & MF_BYPOSITION), c.after) << c.item;
    }
}

TEST(Menu, BuiltMenusAndWhoDestroysThem)
{
    EnsureApplication();
    HMENU kept = nullptr;
    HMENU popupMenu = nullptr;
    {
        CMenu bar;
        CMenu popup;
        ASSERT_TRUE(bar.CreateMenu());
        ASSERT_TRUE(popup.CreatePopupMenu());
        EXPECT_TRUE(popup.AppendMenu(MF_STRING | MF_CHECKED, ID_UI_TEST_PORTS, "Port &Settings"));
        EXPECT_TRUE(popup.AppendMenu(MF_SEPARATOR));
        EXPECT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "&Device"));
        // A popup that would open the menu it is in, or that is no menu, is refused.
        EXPECT_FALSE(popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(bar.m_hMenu), "&Loop"));
        EXPECT_FALSE(bar.AppendMenu(MF_POPUP, 0x4711, "&Nothing"));
        EXPECT_EQ(bar.GetMenuState(ID_UI_TEST_PORTS, MF_BYCOMMAND), MF_CHECKED);
        popupMenu = popup.m_hMenu;
        kept = bar.m_hMenu;
        bar.Detach();
        // popup goes out of scope while the bar's item still opens it: it stays.
    }
    CMenu* bar = CMenu::FromHandle(kept);
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(CMenu::FromHandle(popupMenu), nullptr);
    EXPECT_EQ(bar->GetSubMenu(0)->GetMenuItemCount(), 2);
    // Destroying the bar destroys the menus its popups open.
    CMenu owner;
    owner.Attach(kept);
    EXPECT_TRUE(owner.DestroyMenu());
    EXPECT_EQ(CMenu::FromHandle(kept), nullptr);
    EXPECT_EQ(CMenu::FromHandle(popupMenu), nullptr);
    EXPECT_FALSE(owner.DestroyMenu());
    CMenu stale;
    stale.Attach(popupMenu);
    EXPECT_EQ(stale.GetMenuItemCount(), -1);
    EXPECT_FALSE(stale.AppendMenu(MF_STRING, 1, "x"));
    stale.Detach();
}

TEST(MenuBar, ChoosingAnItemRunsTheWindowsCommandHandlerAndChangesShowAtOnce)
{
    OpenMenuDialog open(IDD_UI_TEST_MENU);
    MenuDialog& d = open.dialog;
    CMenu* menu = d.GetMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemCount(), 3);
    QMenuBar* bar = BarOf(d);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(Texts(bar->actions()), (std::vector<std::string>{"&Device", "&Tools", "&About   "}));
    EXPECT_EQ(Texts(ActionAt(bar->actions(), {"&Tools"})->menu()->actions()),
              (std::vector<std::string>{"&Refresh", "-", "E&xit"}));

    // A command goes to the window after the menu closed, as a posted WM_COMMAND.
    QAction* refresh = ActionAt(bar->actions(), {"&Tools", "&Refresh"});
    ASSERT_NE(refresh, nullptr);
    refresh->trigger();
    EXPECT_TRUE(d.commands.empty());
    EXPECT_TRUE(PumpUntil([&] { return !d.commands.empty(); }));
    ASSERT_NE(ActionAt(bar->actions(), {"&Device", "&System", "Port &Settings"}), nullptr);
    ActionAt(bar->actions(), {"&Device", "&System", "Port &Settings"})->trigger();
    EXPECT_TRUE(PumpUntil([&] { return d.commands.size() == 2; }));
    EXPECT_EQ(d.commands, (std::vector<UINT>{ID_UI_TEST_REFRESH, ID_UI_TEST_PORTS}));

    // Renamed, deleted, grayed: the bar shows it at once.
    menu->GetSubMenu(2)->ModifyMenu(0, MF_BYPOSITION | MF_STRING, ID_UI_TEST_ABOUT, "About KSX-Test");
    menu->GetSubMenu(0)->DeleteMenu(2, MF_BYPOSITION);
    menu->EnableMenuItem(ID_UI_TEST_REFRESH, MF_BYCOMMAND | MF_GRAYED);
    QAction* about = ActionAt(bar->actions(), {"&About   ", "About KSX-Test"});
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(Texts(ActionAt(bar->actions(), {"&Device"})->menu()->actions()),
              (std::vector<std::string>{"&System", "&Layer 2"}));
    EXPECT_FALSE(ActionAt(bar->actions(), {"&Tools", "&Refresh"})->isEnabled());
    about->trigger();
    EXPECT_TRUE(PumpUntil([&] { return d.commands.size() == 3; }));
    EXPECT_EQ(d.commands.back(), static_cast<UINT>(ID_UI_TEST_ABOUT));

    // Exit is IDCANCEL, grayed in the script; enabled, it ends the dialog like its Cancel button.
    EXPECT_FALSE(ActionAt(bar->actions(), {"&Tools", "E&xit"})->isEnabled());
    menu->EnableMenuItem(IDCANCEL, MF_BYCOMMAND | MF_ENABLED);
    QAction* exit = ActionAt(bar->actions(), {"&Tools", "E&xit"});
    ASSERT_TRUE(exit->isEnabled());
    exit->trigger();
    EXPECT_TRUE(PumpUntil([&] { return d.IsWindowVisible() == FALSE; }));
    // The window's menu goes with the window.
    const HMENU handle = menu->m_hMenu;
    d.DestroyWindow();
    EXPECT_EQ(CMenu::FromHandle(handle), nullptr);
}

TEST(MenuBar, TheClientAreaKeepsItsPlaceSizeChildrenAndPaintingBelowTheBar)
{
    OpenMenuDialog plain(IDD_UI_TEST_PLAIN);
    CMenu menu;
    OpenMenuDialog withMenu(IDD_UI_TEST_PLAIN, [&](MenuDialog& d) {
        ASSERT_TRUE(menu.LoadMenu(IDR_UI_TEST_MENUBAR));
        EXPECT_TRUE(d.SetMenu(&menu));
        menu.Detach();
    });
    MenuDialog& a = plain.dialog;
    MenuDialog& b = withMenu.dialog;
    EXPECT_EQ(a.GetMenu(), nullptr);
    ASSERT_NE(b.GetMenu(), nullptr);
    QMenuBar* bar = BarOf(b);
    ASSERT_NE(bar, nullptr);
    const int barHeight = bar->height();
    EXPECT_GT(barHeight, 10);

    CRect clientA, clientB, windowA, windowB;
    a.GetClientRect(&clientA);
    b.GetClientRect(&clientB);
    a.GetWindowRect(&windowA);
    b.GetWindowRect(&windowB);
    EXPECT_EQ(clientB, clientA);
    for (int id : {IDC_TEST_NAME, IDOK, IDCANCEL})
        EXPECT_EQ(ChildRect(b, id), ChildRect(a, id)) << id;
    // The window grows by the bar; the client area's (0,0) lies under it.
    EXPECT_EQ(windowB.Width(), windowA.Width());
    EXPECT_EQ(windowB.Height(), windowA.Height() + barHeight);
    CPoint originA(0, 0), originB(0, 0);
    a.ClientToScreen(&originA);
    b.ClientToScreen(&originB);
    EXPECT_EQ(originB.y - windowB.top, originA.y - windowA.top + barHeight);
    EXPECT_EQ(originB.x - windowB.left, originA.x - windowA.left);
    EXPECT_EQ(originB.y, bar->mapToGlobal(QPoint(0, bar->height())).y());

    // MoveWindow takes the bar for part of the frame, as GetWindowRect does.
    b.MoveWindow(120, 80, windowB.Width() + 30, windowB.Height() + 20);
    CRect moved, movedClient;
    b.GetWindowRect(&moved);
    b.GetClientRect(&movedClient);
    EXPECT_EQ(moved, CRect(120, 80, 120 + windowB.Width() + 30, 80 + windowB.Height() + 20));
    EXPECT_EQ(movedClient, CRect(0, 0, clientB.Width() + 30, clientB.Height() + 20));
    EXPECT_EQ(ChildRect(b, IDOK), ChildRect(a, IDOK));

    // The window's painting and its kept image start at the client area's (0,0).
    EXPECT_EQ(b.GetWidget()->grab().toImage().pixel(2, 2), Rgb(kPaint));
    CDC* kept = b.GetDC();
    ASSERT_NE(kept, nullptr);
    CRect keptRect(20, 0, 30, 10);
    kept->FillSolidRect(&keptRect, kKept);
    QCoreApplication::processEvents();
    const QImage client = b.GetWidget()->grab().toImage();
    EXPECT_EQ(client.pixel(2, 2), Rgb(kPaint));
    EXPECT_EQ(client.pixel(22, 2), Rgb(kKept));
    const QImage window = b.GetWidget()->window()->grab().toImage();
    EXPECT_EQ(window.pixel(2, barHeight + 2), Rgb(kPaint));
    EXPECT_EQ(window.pixel(22, barHeight + 2), Rgb(kKept));
    EXPECT_NE(window.pixel(2, barHeight - 3), Rgb(kPaint));
    b.ReleaseDC(kept);

    // Without the menu the bar goes and the window shrinks back; the client area stays.
    EXPECT_TRUE(b.SetMenu(nullptr));
    EXPECT_EQ(b.GetMenu(), nullptr);
    CRect bare, bareClient;
    b.GetWindowRect(&bare);
    b.GetClientRect(&bareClient);
    EXPECT_EQ(bareClient, movedClient);
    EXPECT_EQ(bare.Height(), moved.Height() - barHeight);
}

TEST(SystemMenu, ARightClickShowsTheStandInWhoseItemsSendSysCommand)
{
    OpenMenuDialog open(IDD_UI_TEST_MENU);
    MenuDialog& d = open.dialog;
    QWidget* client = d.GetWidget();
    // Until the program asks for the system menu, a right click shows nothing.
    RightClick(client, QPoint(5, 5));
    EXPECT_EQ(OpenPopup(), nullptr);

    CMenu* system = d.GetSystemMenu(FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(d.GetSystemMenu(FALSE), system);
    EXPECT_EQ(system->GetMenuItemCount(), 3); // Minimize, a separator, Close
    EXPECT_EQ(system->GetMenuItemID(0), static_cast<UINT>(SC_MINIMIZE));
    EXPECT_EQ(system->GetMenuItemID(2), static_cast<UINT>(SC_CLOSE));
    EXPECT_TRUE(system->AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(system->AppendMenu(MF_STRING, IDM_TEST_SYS_ABOUT, std::string("About Test  Module")));
    EXPECT_EQ(d.GetDlgItem(IDOK)->GetSystemMenu(FALSE), nullptr); // controls have none

    // On a static, which takes no right click, the window's system menu shows.
    CWnd* label = d.GetWindow(GW_CHILD);
    ASSERT_NE(label, nullptr);
    ASSERT_NE(qobject_cast<QLabel*>(label->GetWidget()), nullptr);
    RightClick(label->GetWidget(), QPoint(2, 2));
    QMenu* popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Texts(popup->actions()),
              (std::vector<std::string>{"Mi&nimize", "-", "&Close", "-", "About Test  Module"}));
    const QPoint at = label->GetWidget()->mapToGlobal(QPoint(2, 2));
    ActionAt(popup->actions(), {"About Test  Module"})->trigger();
    ClosePopups();
    ASSERT_TRUE(PumpUntil([&] { return !d.sysCommands.empty(); }));
    EXPECT_EQ(d.sysCommands[0].first, IDM_TEST_SYS_ABOUT);
    EXPECT_EQ(GET_X_LPARAM(d.sysCommands[0].second), at.x());
    EXPECT_EQ(GET_Y_LPARAM(d.sysCommands[0].second), at.y());

    // An edit control keeps its own context menu.
    RightClick(d.GetDlgItem(IDC_TEST_NAME)->GetWidget(), QPoint(2, 2));
    if (QMenu* own = OpenPopup()) {
        EXPECT_EQ(ActionAt(own->actions(), {"About Test  Module"}), nullptr);
    }
    ClosePopups();

    // The menu bar's popups are not the system menu's.
    EXPECT_EQ(ActionAt(BarOf(d)->actions(), {"&About   ", "About Test  Module"}), nullptr);

    // Close goes the way of the close box: WM_CLOSE, which cancels the dialog.
    RightClick(client, QPoint(5, 5));
    ASSERT_NE(OpenPopup(), nullptr);
    ActionAt(OpenPopup()->actions(), {"&Close"})->trigger();
    ClosePopups();
    EXPECT_TRUE(PumpUntil([&] { return d.IsWindowVisible() == FALSE; }));
    EXPECT_EQ(d.sysCommands.size(), 1U);
}

TEST(SystemMenu, RevertedItShowsNoMore)
{
    OpenMenuDialog open(IDD_UI_TEST_MENU);
    MenuDialog& d = open.dialog;
    ASSERT_NE(d.GetSystemMenu(FALSE), nullptr);
    EXPECT_EQ(d.GetSystemMenu(TRUE), nullptr);
    RightClick(d.GetWidget(), QPoint(5, 5));
    EXPECT_EQ(OpenPopup(), nullptr);
    // Plain windows without WS_SYSMENU have none.
    CWnd plainWindow;
    ASSERT_TRUE(plainWindow.CreateEx(0, nullptr, "Plain", WS_POPUP, CRect(0, 0, 100, 80), nullptr, 0));
    EXPECT_EQ(plainWindow.GetSystemMenu(FALSE), nullptr);
    plainWindow.DestroyWindow();
}

TEST(Menu, CallsFromAnotherThreadAreCarriedToTheUiThread)
{
    OpenMenuDialog open(IDD_UI_TEST_MENU);
    MenuDialog& d = open.dialog;
    std::atomic<bool> done{false};
    UINT before = 0;
    std::string text;
    std::thread worker([&] {
        CMenu* menu = d.GetMenu();
        before = menu->EnableMenuItem(ID_UI_TEST_REFRESH, MF_BYCOMMAND | MF_GRAYED);
        menu->GetSubMenu(2)->ModifyMenu(ID_UI_TEST_ABOUT, MF_BYCOMMAND | MF_STRING, ID_UI_TEST_ABOUT, "About Worker");
        menu->GetMenuString(ID_UI_TEST_ABOUT, text, MF_BYCOMMAND);
        done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(before, MF_ENABLED);
    EXPECT_EQ(text, "About Worker");
    QMenuBar* bar = BarOf(d);
    EXPECT_FALSE(ActionAt(bar->actions(), {"&Tools", "&Refresh"})->isEnabled());
    EXPECT_NE(ActionAt(bar->actions(), {"&About   ", "About Worker"}), nullptr);
}

} // namespace menus_test
