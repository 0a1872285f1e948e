// The off-screen context: what is drawn on it reaches the target only when it
// goes, at the place the caller drew it in the target's coordinates.
#include "common/CMemDC.h"
#include "platform/ui/CBitmap.h"
#include "platform/ui/CDC.h"

#include <gtest/gtest.h>

namespace controls_test {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(MemDC, DrawingLandsOnTheTargetWhenItGoes)
{
    CBitmap bitmap;
    CDC target;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(nullptr, 40, 20));
    ASSERT_TRUE(target.CreateCompatibleDC(nullptr));
    target.SelectObject(&bitmap);
    target.FillSolidRect(0, 0, 40, 20, kWhite);
    // The target itself draws with an origin, so the caller's coordinates are not the image's.
    target.SetWindowOrg(10, 5);
    {
        CMemDC mem(&target);
        mem.FillSolidRect(10, 5, 40, 20, kWhite);
        mem.FillSolidRect(20, 10, 5, 3, kRed);
        EXPECT_EQ(target.GetPixel(20, 10), kWhite) << "nothing reaches the target before the copy";
    }
    EXPECT_EQ(target.GetPixel(20, 10), kRed);
    EXPECT_EQ(target.GetPixel(24, 12), kRed);
    EXPECT_EQ(target.GetPixel(25, 12), kWhite);
    EXPECT_EQ(target.GetPixel(19, 10), kWhite);
    EXPECT_EQ(target.GetPixel(20, 13), kWhite);
}

} // namespace

} // namespace controls_test
