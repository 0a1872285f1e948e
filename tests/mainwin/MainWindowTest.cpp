// The main window of each sample model: placed and sized by its panel,
// titled with the model and the address, topmost; the two About boxes, the
// pointer over the panel's parts, and a second start's activation.
#include "MainWindowSupport.h"

#include "app/CKorvelModuleApp.h"
#include "platform/ui/CursorIcon.h"
#include "resources/main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>


namespace {

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

INSTANTIATE_TEST_SUITE_P(Models, SampleModelWindow, testing::ValuesIn(kSampleModels),
                         [](const testing::TestParamInfo<SampleModel>& info) {
                             std::string name = info.param.name;
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

namespace {

// The dialog that is running modally over the main window, once it is up.
CWnd* RunningAboutBox()
{
    CWnd* about = nullptr;
    PumpUntil([&about] {
        CWnd* focus = CWnd::GetFocus();
        about = focus != nullptr ? focus->GetTopLevelParent() : nullptr;
        return about != nullptr && about->GetDlgItem(IDC_STATIC_MODULE_NAME) != nullptr;
    });
    return about;
}

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
                CWnd* about = RunningAboutBox();
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
