// Bitmaps and parts drawn into a device context, and the pointer shapes the
// parts ask for.
#include "BmpBuilder.h"

#include "panel/CBmpPalette.h"
#include "panel/CDIBitmap.h"
#include "panel/CDevModule.h"
#include "panel/CPanel.h"
#include "panel/CPort.h"
#include "platform/ui/CBitmap.h"
#include "platform/ui/CDC.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

namespace panel_test {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(220, 20, 20);
constexpr COLORREF kBlue = RGB(20, 20, 220);

// A memory context drawing on a white bitmap.
class Canvas : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(nullptr, 40, 30));
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(0, 0, 40, 30, kWhite);
    }

    // A 2 x 2 checkerboard, red at the top left.
    std::string Checker(TempDir& dir, int bpp)
    {
        BmpSpec spec(2, 2, bpp);
        if (bpp <= 8)
            spec.Table({{220, 20, 20}, {20, 20, 220}});
        return dir.Write("checker.bmp", BuildBmp(spec, [&](int x, int y) {
                             const bool red = (x + y) % 2 == 0;
                             return bpp <= 8 ? DWORD(red ? 0 : 1) : DWORD(red ? 0xDC1414 : 0x1414DC);
                         }));
    }

    int m_argc = 1;
    char m_name[16] = "test_panel";
    char* m_argv[2] = {m_name, nullptr};
    QGuiApplication m_app{m_argc, m_argv};
    CBitmap m_bitmap;
    CDC m_dc;
};

TEST_F(Canvas, StretchedBitmapFillsItsRectangle)
{
    TempDir dir;
    for (int bpp : {8, 24}) {
        CDIBitmap bitmap;
        ASSERT_EQ(bitmap.LoadFromFile(Checker(dir, bpp).c_str()), 1);
        // An 8-bit bitmap holds a 256-entry colour table and a palette of it.
        EXPECT_EQ(bitmap.GetPalette() != nullptr, bpp <= 8);
        if (bpp == 8) {
            EXPECT_EQ(bitmap.GetPalette()->GetEntryCount(), 256);
            PALETTEENTRY entry{};
            ASSERT_EQ(bitmap.GetPalette()->GetPaletteEntries(1, 1, &entry), 1U);
            EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), kBlue);
        }
        m_dc.FillSolidRect(0, 0, 40, 30, kWhite);
        bitmap.DrawStretched(&m_dc, 10, 10, 8, 6);
        EXPECT_EQ(m_dc.GetPixel(10, 10), kRed) << bpp;
        EXPECT_EQ(m_dc.GetPixel(14, 10), kBlue) << bpp;
        EXPECT_EQ(m_dc.GetPixel(10, 13), kBlue) << bpp;
        EXPECT_EQ(m_dc.GetPixel(17, 15), kRed) << bpp;
        EXPECT_EQ(m_dc.GetPixel(18, 15), kWhite) << bpp;
        EXPECT_EQ(m_dc.GetPixel(9, 10), kWhite) << bpp;
        // Unscaled, from the source's lower right pixel.
        m_dc.FillSolidRect(0, 0, 40, 30, kWhite);
        EXPECT_EQ(bitmap.Draw(&m_dc, CRect(0, 0, 1, 1), CRect(1, 1, 2, 2)), 2);
        EXPECT_EQ(m_dc.GetPixel(0, 0), kRed) << bpp;
        EXPECT_EQ(m_dc.GetPixel(1, 0), kWhite) << bpp;
    }
}

TEST_F(Canvas, AnEmptyBitmapDrawsNothing)
{
    CDIBitmap empty;
    empty.DrawAt(&m_dc, 0, 0);
    empty.DrawStretched(&m_dc, 0, 0, 40, 30);
    EXPECT_EQ(empty.Draw(&m_dc, CRect(0, 0, 5, 5), CRect(0, 0, 5, 5)), 0);
    EXPECT_EQ(m_dc.GetPixel(0, 0), kWhite);
    EXPECT_EQ(empty.CreatePalette(), FALSE);
}

TEST_F(Canvas, OnlyTheRootsDirectChildrenAreDrawn)
{
    TempDir dir;
    const std::string file = Checker(dir, 24);
    CDevModule root;
    auto* port = static_cast<CPort*>(root.AddChild(std::make_unique<CPort>()));
    port->SetGeometry(2, 2, 4, 4);
    port->SetBitmap(PORTENABLE, file.c_str());
    auto* plate = static_cast<CPanel*>(root.AddChild(std::make_unique<CPanel>()));
    plate->SetGeometry(20, 0, 20, 30); // no bitmap: draws nothing
    auto* hidden = static_cast<CPort*>(plate->AddChild(std::make_unique<CPort>()));
    hidden->SetGeometry(22, 2, 4, 4);
    hidden->SetBitmap(PORTENABLE, file.c_str());
    EXPECT_EQ(port->Refresh(), 1);
    EXPECT_EQ(hidden->Refresh(), 1);

    root.SetDC(&m_dc);
    EXPECT_EQ(hidden->GetDC(), &m_dc);
    root.DrawChildren();
    EXPECT_EQ(m_dc.GetPixel(2, 2), kRed);
    EXPECT_EQ(m_dc.GetPixel(4, 2), kBlue);
    EXPECT_EQ(m_dc.GetPixel(6, 2), kWhite);
    EXPECT_EQ(m_dc.GetPixel(22, 2), kWhite);
}

TEST(PartCursor, TheLastPartHitDecidesThePointer)
{
    CDevModule root;
    auto* plate = root.AddChild(std::make_unique<CPanel>());
    plate->SetGeometry(0, 0, 200, 100);
    root.AddChild(std::make_unique<CPort>())->SetGeometry(10, 10, 30, 20);
    std::vector<PartCursor> shown;
    CVirtualDev::SetCursorAction([&](PartCursor cursor) { shown.push_back(cursor); });
    struct Case
    {
        int x, y;
        std::vector<PartCursor> cursors;
    };
    for (const Case& c :
         {Case{20, 20, {PartCursor::Arrow, PartCursor::Hand}}, Case{100, 50, {PartCursor::Arrow}}, Case{300, 50, {}}}) {
        shown.clear();
        int x = c.x, y = c.y;
        root.OnMouseMove(x, y);
        EXPECT_EQ(shown, c.cursors) << c.x << "," << c.y;
    }
    CVirtualDev::SetCursorAction({});
    int x = 20, y = 20;
    root.OnMouseMove(x, y); // nothing installed: nothing happens
}

TEST(PartTreeRect, GetRectIsTheDesignRectangle)
{
    CPort port;
    port.SetGeometry(10, 20, 30, 40);
    CRect rect;
    port.GetRect(&rect);
    EXPECT_EQ(rect, CRect(10, 20, 40, 60));
    port.GetRect(nullptr);
}

} // namespace

} // namespace panel_test
