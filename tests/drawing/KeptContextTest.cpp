// A window's kept device context: several threads draw bitmaps through one
// context onto one image while the UI thread shows that image.
#include "platform/ui/CBitmap.h"
#include "platform/ui/CDC.h"
#include "platform/ui/DrawSurface.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>

#include <atomic>
#include <thread>

namespace drawing_test {

namespace {

TEST(KeptContext, TwoThreadsDrawWhileTheUiThreadShows)
{
    int argc = 1;
    char name[] = "test_drawing";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    // The window's image and the context kept for it.
    auto surface = gdi_detail::MakeSurface(200, 40, qRgba(0, 0, 0, 0));
    std::atomic<int> changes{0};
    surface->SetChangedHandler([&changes](const QRect& rect) {
        EXPECT_FALSE(rect.isEmpty());
        ++changes;
    });
    CDC kept;
    kept.AttachSurface(surface);

    // Cached LED bitmaps in memory contexts, as the bitmap cache holds them;
    // both threads draw from the same ones.
    CBitmap green, amber;
    ASSERT_TRUE(green.CreateCompatibleBitmap(nullptr, 6, 4));
    ASSERT_TRUE(amber.CreateCompatibleBitmap(nullptr, 5, 5));
    CDC greenDc, amberDc;
    greenDc.CreateCompatibleDC(&kept);
    amberDc.CreateCompatibleDC(&kept);
    greenDc.SelectObject(&green);
    amberDc.SelectObject(&amber);
    greenDc.FillSolidRect(0, 0, 6, 4, RGB(0, 255, 0));
    amberDc.FillSolidRect(0, 0, 5, 5, RGB(255, 160, 0));

    constexpr int kRounds = 300;
    std::atomic<int> running{2};
    const auto draw = [&](int firstColumn) {
        for (int i = 0; i < kRounds; ++i) {
            const int x = firstColumn + (i % 10) * 10;
            kept.BitBlt(x, 5, 6, 4, &greenDc, 0, 0, SRCCOPY);
            kept.BitBlt(x, 20, 5, 5, &amberDc, 0, 0, SRCCOPY);
            kept.SetTextColor(RGB(0, 0, 0)); // settings too, from both threads
        }
        --running;
    };
    std::thread poller(draw, 0);
    std::thread walker(draw, 100);

    // The UI thread shows the image meanwhile, as a window's paint does.
    QImage screen(200, 40, QImage::Format_ARGB32_Premultiplied);
    int shown = 0;
    while (running.load() > 0 || shown == 0) {
        QPainter painter(&screen);
        surface->Show(painter, QRect(0, 0, 200, 40));
        ++shown;
    }
    poller.join();
    walker.join();

    EXPECT_EQ(changes.load(), 4 * kRounds);
    for (const int x : {0, 90, 100, 190}) {
        EXPECT_EQ(kept.GetPixel(x, 5), RGB(0, 255, 0)) << x;
        EXPECT_EQ(kept.GetPixel(x + 4, 24), RGB(255, 160, 0)) << x;
    }
    EXPECT_EQ(kept.GetPixel(0, 0) & 0xFFFFFF, 0U);
    QPainter painter(&screen);
    surface->Show(painter, QRect(0, 0, 200, 40));
    painter.end();
    EXPECT_EQ(screen.pixel(95, 7), qRgb(0, 255, 0));
}

} // namespace

} // namespace drawing_test
