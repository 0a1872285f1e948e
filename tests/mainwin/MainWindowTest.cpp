// The main window of each sample model: placed and sized by its panel,
// titled with the model and the address, topmost, with the menu pruned for
// the model, the About commands named after it and the commands without a
// dialog grayed; the two About boxes, the pointer over the panel's parts, a
// click on a port, and a second start's activation.
#include "MainWindowSupport.h"

#include "app/CKorvelModuleApp.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"
#include "support/PrivateSessionBus.h"
#include "support/SimulatorFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace mainwin_test {

namespace {

// Where command id is in menu (its sub-popups searched), or null.
CMenu* MenuWith(CMenu* menu, UINT id, int* position)
{
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        if (CMenu* popup = menu->GetSubMenu(i)) {
            if (CMenu* found = MenuWith(popup, id, position))
                return found;
        } else if (menu->GetMenuItemID(i) == id) {
            *position = i;
            return menu;
        }
    }
    return nullptr;
}

bool HasItem(CMenu* menu, UINT id)
{
    int position = 0;
    return MenuWith(menu, id, &position) != nullptr;
}

bool IsGrayed(CMenu* menu, UINT id)
{
    return (menu->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::string ItemText(CMenu* menu, int position)
{
    std::string text;
    menu->GetMenuString(position, text, MF_BYPOSITION);
    return text;
}

class SampleModelWindow : public testing::TestWithParam<SampleModel>
{
};

} // namespace

TEST_P(SampleModelWindow, HasThePanelsPlaceSizeAndTitle)
{
    const SampleModel& m = GetParam();
    RunMainWindow(m.name, [&](CKorvelModuleDlg& d) {
        CRect window;
        CRect client;
        d.GetWindowRect(&window);
        d.GetClientRect(&client);
        EXPECT_EQ(window.left, m.left);
        EXPECT_EQ(window.top, m.top);
        EXPECT_EQ(client.Width(), m.width);
        EXPECT_EQ(client.Height(), m.height);
        EXPECT_EQ(d.GetWindowText(), std::string(m.name) + ": 10.0.0.5");
        EXPECT_TRUE(d.GetExStyle() & WS_EX_TOPMOST);
    });
}

TEST_P(SampleModelWindow, MenuIsPrunedForTheModel)
{
    const SampleModel& m = GetParam();
    RunMainWindow(m.name, [&](CKorvelModuleDlg& d) {
        CMenu* menu = d.GetMenu();
        ASSERT_NE(menu, nullptr);
        CMenu* deviceManager = menu->GetSubMenu(0);
        ASSERT_NE(deviceManager, nullptr);
        EXPECT_EQ(HasItem(menu, ID_JUMBO_FRAME), m.jumbo);
        EXPECT_EQ(HasItem(menu, ID_POE_GLOBAL), m.poe);
        EXPECT_EQ(HasItem(menu, ID_POE_PORT_SETTINGS), m.poe);
        EXPECT_EQ(deviceManager->GetMenuItemCount(), m.poe ? 9 : 8);
        EXPECT_EQ(ItemText(deviceManager, 7), "SNMP");
        EXPECT_EQ(ItemText(deviceManager, m.poe ? 8 : 7), m.poe ? "PoE" : "SNMP");
        EXPECT_TRUE(HasItem(menu, ID_LOOPBACK_DETECTION));

        // The About commands carry the model's name.
        CMenu* about = menu->GetSubMenu(3);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->GetMenuItemID(0), static_cast<UINT>(ID_APP_ABOUT));
        EXPECT_EQ(ItemText(about, 0), std::string("About ") + m.name);
        CMenu* system = d.GetSystemMenu(FALSE);
        ASSERT_NE(system, nullptr);
        int position = -1;
        ASSERT_EQ(MenuWith(system, IDM_SYS_ABOUT, &position), system);
        EXPECT_EQ(ItemText(system, position), std::string("About ") + m.name + "  Module");
        EXPECT_NE(system->GetMenuState(position - 1, MF_BYPOSITION) & MF_SEPARATOR, 0U);

        // A command the window handles is enabled.
        for (UINT id : {ID_APP_ABOUT, ID_BANDWIDTH_CONTROL, ID_PORT_MIRRORING, ID_STORM_CONTROL, ID_RMON_EVENT,
                        ID_SNMP_GLOBAL, ID_SNMP_ENGINE_ID, ID_SNMP_TRAP, ID_SNMP_HOST, ID_SNMP_COMMUNITY, ID_SNMP_USER,
                        ID_SNMP_GROUP, ID_SNMP_VIEW, ID_POWER_SAVING, ID_SYSTEM_INFORMATION})
            EXPECT_FALSE(IsGrayed(menu, id)) << id;
    });
}

INSTANTIATE_TEST_SUITE_P(Models, SampleModelWindow, testing::ValuesIn(kSampleModels),
                         [](const testing::TestParamInfo<SampleModel>& info) {
                             std::string name = info.param.name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

namespace {

} // namespace

TEST(AboutBoxes, SystemMenuAboutKeepsThePanelUpMenuAboutHidesIt)
{
    RunMainWindow("KSX-Puffin", [](CKorvelModuleDlg& d) {
        struct Seen
        {
            std::string caption;
            std::string text;
            bool mainVisible = false;
            BYTE featureDialogOpen = 0;
        };
        const auto look = [&d](Seen& seen) {
            QTimer::singleShot(0, [&d, &seen] {
                CWnd* about = RunningDialog(d);
                ASSERT_NE(about, nullptr);
                seen.caption = about->GetWindowText();
                about->GetDlgItemText(IDC_STATIC_MODULE_NAME, seen.text);
                seen.mainVisible = d.IsWindowVisible() && !d.IsIconic();
                seen.featureDialogOpen = d.m_bFeatureDialogOpen;
                about->SendMessage(WM_COMMAND, IDOK);
            });
        };

        Seen fromSystemMenu;
        look(fromSystemMenu);
        d.SendMessage(WM_SYSCOMMAND, IDM_SYS_ABOUT);
        EXPECT_EQ(fromSystemMenu.caption, "KSX-Puffin Module");
        EXPECT_EQ(fromSystemMenu.text, "KSX-Puffin Management Module");
        EXPECT_TRUE(fromSystemMenu.mainVisible);
        EXPECT_EQ(fromSystemMenu.featureDialogOpen, 0);

        Seen fromMenu;
        look(fromMenu);
        d.SendMessage(WM_COMMAND, ID_APP_ABOUT);
        EXPECT_EQ(fromMenu.caption, "KSX-Puffin Module");
        EXPECT_FALSE(fromMenu.mainVisible);
        EXPECT_EQ(fromMenu.featureDialogOpen, 1);
        // Back afterwards, with polling running again.
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_FALSE(d.IsIconic());
        EXPECT_EQ(d.m_bFeatureDialogOpen, 0);
    });
}

TEST(MainWindow, HandOverPortsAndTheConsoleArrowElsewhere)
{
    RunMainWindow("KSX-Bellis", [](CKorvelModuleDlg& d) {
        const auto moveTo = [&d](int x, int y) {
            d.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
            return GetCursor();
        };
        const HCURSOR hand = LoadCursorResource(IDC_PORT_HAND);
        const HCURSOR arrow = LoadStandardCursorResource(IDC_ARROW);
        ASSERT_NE(hand, nullptr);
        EXPECT_EQ(GetCursorHotSpot(hand).x, 7);
        EXPECT_EQ(GetCursorHotSpot(hand).y, 1);

        CRect port;
        d.GetPanelRoot().FindChildByClass("CPort", 0)->GetRect(&port);
        CRect console;
        d.GetPanelRoot().FindChildByClass("CCom", 0)->GetRect(&console);
        EXPECT_EQ(moveTo(port.left + 3, port.top + 3), hand);
        EXPECT_EQ(moveTo(port.left + 2, port.top + 3), arrow); // within 2 pixels of the edge
        EXPECT_EQ(moveTo(console.CenterPoint().x, console.CenterPoint().y), hand);
        EXPECT_EQ(moveTo(5, 5), arrow);
    });
}

TEST(MainWindow, SecondStartBringsTheWindowBackNotTopmost)
{
    g_uInstanceMsg = RegisterWindowMessage("Module:KSX-Bellis10.0.0.5");
    RunMainWindow("KSX-Bellis", [](CKorvelModuleDlg& d) {
        d.ShowWindow(SW_MINIMIZE);
        ASSERT_TRUE(d.IsIconic());
        ::PostMessage(HWND_BROADCAST, g_uInstanceMsg, 0, 0);
        EXPECT_TRUE(PumpUntil([&d] { return !d.IsIconic(); }));
        EXPECT_TRUE(d.IsWindowVisible());
        EXPECT_FALSE(d.GetExStyle() & WS_EX_TOPMOST);
    });
}

TEST(MainWindow, ClickOnAPortOpensThePortConfigurationOverTheRunningPanel)
{
    KorvelSimulator sim(
        {KorvelSimulator::BaseData(), KorvelSimulator::TestData("ports.snmprec")});
    ASSERT_TRUE(sim.Running());
    RunMainWindow("KSX-Bellis", [&sim](CKorvelModuleDlg& d) {
        // The dialog talks to the switch itself, from the connection parameters.
        g_strDeviceIP = sim.Host();
        std::string caption;
        bool panelUp = false;
        QTimer::singleShot(0, [&] {
            CWnd* dialog = RunningDialog(d);
            ASSERT_NE(dialog, nullptr);
            caption = dialog->GetWindowText();
            panelUp = d.IsWindowVisible() && !d.IsIconic() && d.m_bFeatureDialogOpen == 0;
            dialog->SendMessage(WM_COMMAND, IDCANCEL);
        });
        CRect port;
        d.GetPanelRoot().FindChildByClass("CPort", 0)->GetRect(&port);
        d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(port.CenterPoint().x, port.CenterPoint().y));
        EXPECT_EQ(caption, "Port Configuration");
        EXPECT_TRUE(panelUp);
    });
}

} // namespace mainwin_test
