// The front-panel painting: each port status draws its port bitmap, each LED
// state its LED bitmap (with the blinking and the combo ports' second parts),
// the lamps follow the model's layout and flags, and the polling's threads may
// draw while the UI thread paints.
#include "MainWindowSupport.h"

#include "panel/CPort.h"
#include "resources/main.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace mainwin_test {

namespace {

// Colours of the sample panels' port bitmaps (inside the jack) and of the
// LED bitmaps (inside the LED).
constexpr COLORREF kPlug = RGB(120, 172, 214);
constexpr COLORREF kDisabledBar = RGB(206, 52, 40);
constexpr COLORREF kOpenJack = RGB(16, 16, 18);
constexpr COLORREF kEmptyJack = RGB(42, 46, 53);
constexpr COLORREF kSfpCable = RGB(58, 178, 190);
constexpr COLORREF kSfpOpening = RGB(16, 16, 18);
constexpr COLORREF kLedGreen = RGB(40, 196, 64);
constexpr COLORREF kLedAmber = RGB(244, 158, 24);
constexpr COLORREF kLedDark = RGB(18, 18, 20);
constexpr COLORREF kLampGreen = RGB(40, 196, 64);
constexpr COLORREF kLampRed = RGB(224, 40, 32);

CPort* Port(CKorvelModuleDlg& dialog, int part)
{
    return static_cast<CPort*>(dialog.GetPanelRoot().FindChildByClass("CPort", part));
}

CPoint PortCorner(CKorvelModuleDlg& dialog, int part)
{
    CRect rect;
    Port(dialog, part)->GetRect(&rect);
    return rect.TopLeft();
}

// A pixel inside the LED of a port part, clear of its rim and glint.
COLORREF LedPixel(CKorvelModuleDlg& dialog, int part)
{
    CPoint led;
    EXPECT_TRUE(dialog.GetLedPosition(part, led));
    return ShownPixel(dialog, led.x + 2, led.y + 2);
}

// What the polling leaves for one port: its port status, LED state and port
// type.
void SetPort(CKorvelModuleDlg& dialog, int part, int status, BYTE led, int type)
{
    {
        std::lock_guard lock(dialog.LedLock());
        dialog.m_LedState[static_cast<std::size_t>(part)] = led;
        dialog.m_pPortStates[static_cast<std::size_t>(part)] = type;
    }
    Port(dialog, part)->SetStatus(status);
}

void Tick(CKorvelModuleDlg& dialog)
{
    dialog.SendMessage(WM_TIMER, IDT_LED_BLINK);
}

// The window painted afresh: background, port bitmaps, lamps and LEDs.
void Repaint(CKorvelModuleDlg& dialog)
{
    dialog.Invalidate();
    dialog.UpdateWindow();
}

struct PortCase
{
    int status;
    BYTE led;
    COLORREF port;
    COLORREF ledColour;
};

} // namespace

TEST(Painting, EachPortStatusDrawsItsBitmapAndEachLedStateItsLed)
{
    // Ports 1 to 5 of the Bellis are copper jacks: link at the top speed, at
    // a lower speed, disabled, without a link, empty.
    const PortCase cases[] = {
        {PORTLINK100, 1, kPlug, kLedGreen},        {PORTLINK10, 0, kPlug, kLedAmber},
        {PORTDISABLED, 2, kDisabledBar, kLedDark}, {PORTENABLE, 3, kOpenJack, kLedDark},
        {PORTEMPTY, 3, kEmptyJack, kLedDark},
    };
    RunMainWindow("KSX-Bellis", [&](CKorvelModuleDlg& d) {
        g_bBlinkPhase = 0;
        // Everything lit first, so that the dark LEDs below are drawn, not left.
        for (int i = 0; i < 5; ++i)
            SetPort(d, i, PORTLINK100, 1, 2);
        Repaint(d);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(LedPixel(d, i), kLedGreen) << "port " << i + 1;

        for (int i = 0; i < 5; ++i)
            SetPort(d, i, cases[i].status, cases[i].led, 2);
        Repaint(d);
        for (int i = 0; i < 5; ++i) {
            const CPoint corner = PortCorner(d, i);
            EXPECT_EQ(ShownPixel(d, corner.x + 10, corner.y + 10), cases[i].port) << "port " << i + 1;
            EXPECT_EQ(LedPixel(d, i), cases[i].ledColour) << "port " << i + 1;
        }
    });
}

TEST(Painting, GreenBlinksInLinkModeAmberStaysAndPoeModeKeepsGreen)
{
    RunMainWindow("KSX-Puffin", [](CKorvelModuleDlg& d) {
        g_bBlinkPhase = 0;
        SetPort(d, 0, PORTLINK100, 1, 2); // port 1 green
        SetPort(d, 1, PORTLINK10, 0, 2);  // port 2 amber
        const COLORREF greenPhases[] = {kLedGreen, kLedDark, kLedGreen, kLedDark};
        for (COLORREF green : greenPhases) {
            Tick(d);
            EXPECT_EQ(LedPixel(d, 0), green);
            EXPECT_EQ(LedPixel(d, 1), kLedAmber);
        }
        // PoE LED mode: no dark base, so a lit port stays lit between ticks.
        {
            std::lock_guard lock(d.LedLock());
            d.m_bLinkLedMode = 0;
        }
        for (int i = 0; i < 3; ++i) {
            Tick(d);
            EXPECT_EQ(LedPixel(d, 0), kLedGreen);
        }
        // A port that goes dark shows dark at once.
        SetPort(d, 0, PORTDISABLED, 2, 2);
        Tick(d);
        EXPECT_EQ(LedPixel(d, 0), kLedDark);
    });
}

TEST(Painting, ComboPortOnItsSecondMediumLightsTheSecondPart)
{
    // The Bellis's ports 25 to 28 are combo ports; their fibre parts are port
    // parts 28 to 31, after the 28 ordinary ones.
    RunMainWindow("KSX-Bellis", [](CKorvelModuleDlg& d) {
        g_bBlinkPhase = 0;
        SetPort(d, 24, PORTLINK100, 1, 2); // port 25 on copper
        SetPort(d, 25, PORTLINK100, 1, 3); // port 26 on fibre
        Port(d, 29)->SetStatus(PORTLINK100);
        Repaint(d);
        EXPECT_EQ(LedPixel(d, 24), kLedGreen);
        EXPECT_EQ(LedPixel(d, 28), kLedDark);
        EXPECT_EQ(LedPixel(d, 25), kLedDark);
        EXPECT_EQ(LedPixel(d, 29), kLedGreen);
        // A fibre module with its cable in; the unused one without.
        const CPoint fibre = PortCorner(d, 29);
        EXPECT_EQ(ShownPixel(d, fibre.x + 6, fibre.y + 6), kSfpCable);
        const CPoint unused = PortCorner(d, 28);
        EXPECT_EQ(ShownPixel(d, unused.x + 6, unused.y + 6), kSfpOpening);

        // Amber on fibre: the second part lights in phase 1, the port's own in
        // phase 0.
        SetPort(d, 25, PORTLINK10, 0, 3);
        Tick(d); // phase 0
        EXPECT_EQ(LedPixel(d, 25), kLedAmber);
        Tick(d); // phase 1
        EXPECT_EQ(LedPixel(d, 29), kLedAmber);
    });
}

namespace {

struct LampCase
{
    const char* what;
    BYTE reachable;
    const char* fan;
    int poeLimit;
    int linkMode;
    COLORREF limitLamp;
    COLORREF fanLamp;
    COLORREF linkLamp;
    COLORREF poeLamp;
};

} // namespace

TEST(Painting, PuffinLampsFollowTheFlags)
{
    // Lamp positions of the Puffin: power (11, 28), PoE limit (12, 42), fan
    // (13, 62), LED mode link (30, 52) and PoE (30, 62). A lamp that is not
    // drawn keeps what was there: the dark housing of a fresh panel.
    const LampCase cases[] = {
        {"all well, link mode", 1, "1", 0, 1, kLedDark, kLedDark, kLampGreen, kLedDark},
        {"fan fault and PoE limit, PoE mode", 1, "2", 1, 0, kLampRed, kLampRed, kLedDark, kLampGreen},
        {"unreachable", 0, "2", 1, 1, kLedDark, kLedDark, kLedDark, kLedDark},
    };
    for (const LampCase& c : cases) {
        RunMainWindow("KSX-Puffin", [&](CKorvelModuleDlg& d) {
            {
                std::lock_guard lock(d.LedLock());
                d.m_bDeviceReachable = c.reachable;
                d.m_strFanStatus = c.fan;
                d.m_bPoeLimitLamp = c.poeLimit;
                d.m_bLinkLedMode = c.linkMode;
            }
            Repaint(d);
            // Pixels clear of each lamp's darker corners and bright spot.
            EXPECT_EQ(ShownPixel(d, 11 + 1, 28 + 6), kLampGreen) << c.what;
            EXPECT_EQ(ShownPixel(d, 12 + 2, 42 + 3), c.limitLamp) << c.what;
            EXPECT_EQ(ShownPixel(d, 13 + 2, 62 + 3), c.fanLamp) << c.what;
            EXPECT_EQ(ShownPixel(d, 30 + 1, 52 + 3), c.linkLamp) << c.what;
            EXPECT_EQ(ShownPixel(d, 30 + 1, 62 + 3), c.poeLamp) << c.what;
        });
    }
}

TEST(Painting, PollingThreadsDrawWhileTheUiThreadPaints)
{
    RunMainWindow("KSX-Bellis", [](CKorvelModuleDlg& d) {
        std::atomic<bool> stop{false};
        // As the PoE LED reset of the polling thread: LED states and dark LEDs.
        std::thread poller([&] {
            int i = 0;
            while (!stop) {
                const int part = i++ % 28;
                CPoint led;
                if (!d.GetLedPosition(part, led))
                    continue;
                {
                    std::lock_guard lock(d.LedLock());
                    d.m_LedState[static_cast<std::size_t>(part)] = 3;
                }
                d.DrawLedBitmap(led, part % 2 ? IDB_LED_DARK_EVEN : IDB_LED_DARK_ODD);
            }
        });
        // As a walk call-back: port statuses and LED states.
        std::thread walker([&] {
            int i = 0;
            while (!stop) {
                const int part = i++ % 28;
                SetPort(d, part, i % 2 ? PORTLINK100 : PORTENABLE, static_cast<BYTE>(i % 4), 2);
            }
        });
        for (int i = 0; i < 60; ++i) {
            Tick(d);
            if (i % 10 == 0)
                Repaint(d);
            QCoreApplication::processEvents();
        }
        stop = true;
        poller.join();
        walker.join();
    });
}

} // namespace mainwin_test
