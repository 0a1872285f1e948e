// The gradient progress bar: how much of the gradient each position shows,
// that the bar is full at its upper bound, and that no range or colour pair
// divides by zero.
#include "controls/DemoSupport.h"
#include "platform/ui/SysColor.h"

#include <gtest/gtest.h>

namespace controls_test {

namespace {

constexpr int kWidth = 300;
constexpr int kId = 4000;

struct Bar
{
    Bar() { bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 22), &open.dialog, kId); }
    // The first column, from the left, that shows the background; kWidth when none does.
    int End()
    {
        bar.Invalidate();
        const QImage image = Shot(bar);
        const QRgb face = Rgb(GetSysColor(COLOR_BTNFACE));
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, 5) == face)
                return x;
        return image.width();
    }
    QRgb At(int x) { return Shot(bar).pixel(x, 5); }

    OpenDemo open;
    CGradientProgressCtrl bar;
};

TEST(GradientProgress, ThePositionShowsItsShareOfTheGradient)
{
    // The share is position / upper bound; the bar ends on the first band edge past it
    // (300 pixels in 255 bands of 1.18 pixels for the default colours).
    struct Case
    {
        int lower, upper, pos;
        int end;
    };
    const Case cases[] = {
        {0, 100, 0, 0},        {0, 100, 1, 4},      {0, 100, 50, 151}, {20, 100, 60, 181}, {0, 100, 100, kWidth},
        {0, 100, 150, kWidth}, {0, 100, -5, 0},     {0, 3, 1, 101},    {0, 0, 0, 0},       {0, 0, 5, 0},
        {-10, 0, -5, 151},     {-10, 0, 0, kWidth}, {50, 10, 30, 0},
    };
    Bar b;
    for (const Case& c : cases) {
        b.bar.SetRange(c.lower, c.upper);
        b.bar.SetPos(c.pos);
        EXPECT_EQ(b.End(), c.end) << c.lower << ".." << c.upper << " at " << c.pos;
    }
}

TEST(GradientProgress, TheColourAtAPlaceDependsOnTheWidthNotThePosition)
{
    Bar b;
    b.bar.SetPos(30);
    const QRgb at40 = b.At(40);
    EXPECT_EQ(b.At(0), qRgb(255, 0, 0));
    b.bar.SetPos(100);
    EXPECT_EQ(b.At(40), at40);
    EXPECT_EQ(b.At(0), qRgb(255, 0, 0));
    // The last band: 254 steps from red toward blue.
    EXPECT_EQ(b.At(kWidth - 1), qRgb(1, 0, 254));

    // New colours take effect at the next paint.
    b.bar.SetStartColor(RGB(60, 60, 200));
    b.bar.SetEndColor(RGB(60, 60, 255));
    EXPECT_EQ(b.End(), kWidth);
    EXPECT_EQ(b.At(0), qRgb(60, 60, 200));
    EXPECT_EQ(b.At(kWidth - 1), qRgb(60, 60, 254));
}

TEST(GradientProgress, EqualColoursFillTheBarInThatColour)
{
    Bar b;
    b.bar.SetStartColor(RGB(0, 160, 0));
    b.bar.SetEndColor(RGB(0, 160, 0));
    b.bar.SetPos(50);
    EXPECT_EQ(b.End(), 150);
    EXPECT_EQ(b.At(0), qRgb(0, 160, 0));
    EXPECT_EQ(b.At(149), qRgb(0, 160, 0));
    b.bar.SetPos(100);
    EXPECT_EQ(b.End(), kWidth);
}

TEST(GradientProgress, SetRangeStartsAgainFromTheLowerBound)
{
    Bar b;
    b.bar.SetPos(99);
    EXPECT_GT(b.End(), 250);
    b.bar.SetRange(0, 100);
    EXPECT_EQ(b.End(), 0);
    EXPECT_EQ(b.bar.GetPos(), 0);
}

} // namespace

} // namespace controls_test
