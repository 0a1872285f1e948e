// The font static: its background, its text colour and font, and the
// alignment that each style call leaves.
#include "controls/DemoSupport.h"
#include "platform/ui/SysColor.h"

#include <gtest/gtest.h>

namespace controls_test {

namespace {

constexpr COLORREF kInk = RGB(0, 0, 0);

// Where the text lies: the first and last columns and the number of dark pixels.
struct Ink
{
    int left = -1;
    int right = -1;
    int count = 0;
};

Ink InkOf(CWnd& wnd)
{
    wnd.Invalidate();
    const QImage image = Shot(wnd);
    Ink ink;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) >= 96)
                continue;
            if (ink.left < 0)
                ink.left = x;
            ink.right = x;
            ++ink.count;
        }
    }
    return ink;
}

TEST(FontStatic, ANewControlPaintsBlackTextOnTheButtonFace)
{
    OpenDemo open;
    CFontStatic label;
    label.Create("Ports", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 40), &open.dialog, 4001);
    label.Invalidate();
    const QImage image = Shot(label);
    EXPECT_EQ(image.pixel(199, 29), Rgb(GetSysColor(COLOR_BTNFACE)));
    const Ink ink = InkOf(label);
    EXPECT_GT(ink.count, 0);
    EXPECT_LT(ink.left, 5) << "left-aligned";
    // Bound to its template control, it reports clicks.
    EXPECT_TRUE(open.dialog.m_title.GetStyle() & SS_NOTIFY);
}

TEST(FontStatic, StylesTurnFlagsOnAndReplaceTheAlignment)
{
    OpenDemo open;
    CFontStatic label;
    label.Create("Port Membership", WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 40), &open.dialog, 4001);
    label.SetBackground(RGB(255, 255, 255));
    label.SetTextFont("Sans", 20, kInk, 0);
    const Ink plain = InkOf(label);
    EXPECT_EQ(Shot(label).pixel(299, 29), qRgb(255, 255, 255)) << "the background colour once set";
    EXPECT_LT(plain.left, 5);

    label.SetFontStyle(0x80);
    const Ink right = InkOf(label);
    EXPECT_GT(right.right, 290) << "right-aligned";

    // Centred wins over right-aligned.
    label.SetFontStyle(0xA0);
    const Ink centred = InkOf(label);
    EXPECT_NEAR(centred.left, 299 - centred.right, 3);

    // Bold, then italic: the flags add up, and the second call makes the text left-aligned again.
    label.SetFontStyle(0x01);
    label.SetFontStyle(0x02);
    const Ink boldItalic = InkOf(label);
    EXPECT_LT(boldItalic.left, 5);
    EXPECT_GT(boldItalic.count, plain.count) << "still bold";
}

} // namespace

} // namespace controls_test
