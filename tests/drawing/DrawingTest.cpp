// Device contexts on memory bitmaps: fills, lines, frames, copies, text,
// device-independent rows, bitmap files and resources, palettes, colours.
#include "platform/ui/CBitmap.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CFont.h"
#include "platform/ui/CPalette.h"
#include "platform/ui/CPen.h"
#include "platform/ui/SysColor.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPalette>
#include <QTemporaryDir>

#include <cstring>
#include <fstream>
#include <vector>

namespace drawing_test {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 200, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class Drawing : public ::testing::Test
{
protected:
    // A memory context drawing on a white bitmap of the given size.
    void Prepare(int width, int height)
    {
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(nullptr, width, height));
        ASSERT_TRUE(m_dc.CreateCompatibleDC(nullptr));
        ASSERT_NE(m_dc.SelectObject(&m_bitmap), nullptr);
        m_dc.FillSolidRect(0, 0, width, height, kWhite);
    }

    // The pixels of one row as letters: '.' white, 'k' black, 'r' red,
    // 'g' green, 'b' blue, '?' anything else.
    std::string Row(CDC& dc, int y, int from, int to)
    {
        std::string row;
        for (int x = from; x < to; ++x) {
            switch (dc.GetPixel(x, y)) {
            case kWhite:
                row += '.';
                break;
            case kBlack:
                row += 'k';
                break;
            case kRed:
                row += 'r';
                break;
            case kGreen:
                row += 'g';
                break;
            case kBlue:
                row += 'b';
                break;
            default:
                row += '?';
                break;
            }
        }
        return row;
    }

    int m_argc = 1;
    char m_name[16] = "test_drawing";
    char* m_argv[2] = {m_name, nullptr};
    QGuiApplication m_app{m_argc, m_argv};
    CBitmap m_bitmap;
    CDC m_dc;
};

TEST_F(Drawing, FillsFramesRectanglesAndLinesLeaveRightAndBottomOut)
{
    Prepare(10, 8);
    CBrush red(kRed);
    CRect box(1, 1, 4, 3);
    m_dc.FillRect(&box, &red);
    EXPECT_EQ(Row(m_dc, 0, 0, 6), "......");
    EXPECT_EQ(Row(m_dc, 1, 0, 6), ".rrr..");
    EXPECT_EQ(Row(m_dc, 2, 0, 6), ".rrr..");
    EXPECT_EQ(Row(m_dc, 3, 0, 6), "......");

    Prepare(10, 8);
    CPen blue(PS_SOLID, 1, kBlue);
    CBrush green(kGreen);
    CPen* oldPen = m_dc.SelectObject(&blue);
    CBrush* oldBrush = m_dc.SelectObject(&green);
    ASSERT_NE(oldPen, nullptr);
    ASSERT_NE(oldBrush, nullptr);
    EXPECT_TRUE(m_dc.Rectangle(1, 1, 6, 5));
    EXPECT_EQ(Row(m_dc, 1, 0, 7), ".bbbbb.");
    EXPECT_EQ(Row(m_dc, 2, 0, 7), ".bgggb.");
    EXPECT_EQ(Row(m_dc, 4, 0, 7), ".bbbbb.");
    EXPECT_EQ(Row(m_dc, 5, 0, 7), ".......");
    // Selecting the old objects back returns ours.
    EXPECT_EQ(m_dc.SelectObject(oldPen), &blue);
    EXPECT_EQ(m_dc.SelectObject(oldBrush), &green);

    // A null brush leaves the inside; a null pen leaves the outline.
    Prepare(10, 8);
    m_dc.SelectStockObject(NULL_BRUSH);
    m_dc.SelectObject(&blue);
    m_dc.Rectangle(0, 0, 4, 3);
    EXPECT_EQ(Row(m_dc, 1, 0, 5), "b..b.");
    m_dc.SelectStockObject(NULL_PEN);
    m_dc.SelectStockObject(BLACK_BRUSH);
    m_dc.Rectangle(5, 0, 8, 2);
    EXPECT_EQ(Row(m_dc, 0, 4, 9), ".kkk.");

    Prepare(10, 8);
    m_dc.SelectObject(&blue);
    m_dc.MoveTo(1, 1);
    EXPECT_TRUE(m_dc.LineTo(5, 1)); // the end point stays
    EXPECT_EQ(Row(m_dc, 1, 0, 7), ".bbbb..");
    m_dc.LineTo(5, 4);
    EXPECT_EQ(Row(m_dc, 3, 4, 7), ".b.");
    EXPECT_EQ(Row(m_dc, 4, 4, 7), "...");

    Prepare(10, 8);
    CRect frame(2, 2, 6, 5);
    m_dc.FrameRect(&frame, &red);
    EXPECT_EQ(Row(m_dc, 2, 1, 7), ".rrrr.");
    EXPECT_EQ(Row(m_dc, 3, 1, 7), ".r..r.");
    EXPECT_EQ(Row(m_dc, 4, 1, 7), ".rrrr.");
}

TEST_F(Drawing, PixelsAndTheWindowOrigin)
{
    Prepare(4, 4);
    EXPECT_EQ(m_dc.SetPixel(3, 3, kRed), kRed);
    EXPECT_EQ(m_dc.GetPixel(3, 3), kRed);
    EXPECT_EQ(m_dc.GetPixel(4, 0), CLR_INVALID);
    EXPECT_EQ(m_dc.GetPixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(m_dc.SetPixel(9, 9, kRed), CLR_INVALID);

    // Logical (10, 20) is the image's (0, 0).
    m_dc.SetWindowOrg(10, 20);
    m_dc.FillSolidRect(10, 20, 2, 1, kBlue);
    EXPECT_EQ(m_dc.GetPixel(11, 20), kBlue);
    CRect clip;
    EXPECT_EQ(m_dc.GetClipBox(&clip), SIMPLEREGION);
    EXPECT_EQ(clip, CRect(10, 20, 14, 24));
    m_dc.SetWindowOrg(0, 0);
    EXPECT_EQ(Row(m_dc, 0, 0, 4), "bb..");
}

TEST_F(Drawing, CopiesBetweenContexts)
{
    Prepare(8, 4);
    CBitmap tile;
    ASSERT_TRUE(tile.CreateCompatibleBitmap(nullptr, 2, 2));
    CDC tileDc;
    ASSERT_TRUE(tileDc.CreateCompatibleDC(&m_dc));
    CBitmap* old = tileDc.SelectObject(&tile);
    ASSERT_NE(old, nullptr);
    tileDc.FillSolidRect(0, 0, 2, 2, kRed);
    tileDc.SetPixel(1, 0, kBlue);

    EXPECT_TRUE(m_dc.BitBlt(1, 1, 2, 2, &tileDc, 0, 0, SRCCOPY));
    EXPECT_EQ(Row(m_dc, 1, 0, 4), ".rb.");
    EXPECT_EQ(Row(m_dc, 2, 0, 4), ".rr.");
    // Only the copy operation is drawn.
    EXPECT_FALSE(m_dc.BitBlt(0, 0, 2, 2, &tileDc, 0, 0, 0x00EE0086));
    // The part of the source outside its image is left out.
    EXPECT_TRUE(m_dc.BitBlt(5, 0, 3, 3, &tileDc, 1, 1, SRCCOPY));
    EXPECT_EQ(Row(m_dc, 0, 4, 8), ".r..");
    EXPECT_EQ(Row(m_dc, 1, 4, 8), "....");
    EXPECT_FALSE(m_dc.BitBlt(0, 0, 2, 2, &tileDc, 5, 5, SRCCOPY));

    // Scaled by whole pixels.
    Prepare(8, 4);
    EXPECT_TRUE(m_dc.StretchBlt(0, 0, 4, 2, &tileDc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(Row(m_dc, 0, 0, 5), "rrbb.");
    EXPECT_EQ(Row(m_dc, 1, 0, 5), "rrbb.");

    // Within one image, overlapping.
    Prepare(6, 1);
    m_dc.SetPixel(0, 0, kRed);
    m_dc.SetPixel(1, 0, kBlue);
    EXPECT_TRUE(m_dc.BitBlt(1, 0, 3, 1, &m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(Row(m_dc, 0, 0, 6), "rrb...");

    // A context without its bitmap draws nothing; a bitmap goes only into a
    // memory context.
    tileDc.SelectObject(old);
    CDC plain;
    EXPECT_EQ(plain.SelectObject(&tile), nullptr);
    EXPECT_FALSE(plain.BitBlt(0, 0, 1, 1, &m_dc, 0, 0, SRCCOPY));
    EXPECT_EQ(plain.GetSafeHdc(), nullptr);
    EXPECT_NE(m_dc.GetSafeHdc(), nullptr);
}

TEST_F(Drawing, DeletingASelectedObjectIsHarmless)
{
    Prepare(4, 1);
    {
        CBitmap tile;
        ASSERT_TRUE(tile.CreateCompatibleBitmap(nullptr, 1, 1));
        CDC tileDc;
        tileDc.CreateCompatibleDC(nullptr);
        tileDc.SelectObject(&tile);
        tileDc.SetPixel(0, 0, kGreen);
        tile.DeleteObject();
        EXPECT_EQ(tile.GetSafeHandle(), nullptr);
        EXPECT_TRUE(m_dc.BitBlt(0, 0, 1, 1, &tileDc, 0, 0, SRCCOPY));
        CBrush brush(kRed);
        m_dc.SelectObject(&brush);
    } // the brush is gone while selected
    m_dc.Rectangle(1, 0, 3, 1);
    EXPECT_EQ(Row(m_dc, 0, 0, 4), "gkk.");
}

// A 4 x 2 device-independent bitmap at each depth, bottom-up: the top row is
// red, blue, green, white; the bottom row black, white, red, blue.
struct Dib
{
    BITMAPINFO info{};
    std::vector<unsigned char> bits;
};

Dib MakeDib(int bitCount)
{
    Dib dib;
    auto& h = dib.info.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = 4;
    h.biHeight = 2;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bitCount);
    h.biCompression = BI_RGB;
    const COLORREF colours[2][4] = {{kBlack, kWhite, kRed, kBlue}, {kRed, kBlue, kGreen, kWhite}}; // bottom first
    const COLORREF table[4] = {kBlack, kWhite, kRed, kBlue};
    const auto indexOf = [&](COLORREF c) {
        for (int i = 0; i < 4; ++i)
            if (table[i] == c)
                return i;
        return 4; // green: entry 4
    };
    if (bitCount <= 8) {
        const COLORREF all[5] = {kBlack, kWhite, kRed, kBlue, kGreen};
        for (int i = 0; i < 5 && i < (1 << bitCount); ++i)
            dib.info.bmiColors[i] = RGBQUAD{GetBValue(all[i]), GetGValue(all[i]), GetRValue(all[i]), 0};
    }
    const std::size_t rowBytes = static_cast<std::size_t>(DibRowBytes(4, bitCount));
    dib.bits.assign(rowBytes * 2, 0);
    for (int r = 0; r < 2; ++r) {
        unsigned char* row = dib.bits.data() + rowBytes * r;
        for (int x = 0; x < 4; ++x) {
            const COLORREF c = colours[r][x];
            if (bitCount == 1) {
                row[0] |= static_cast<unsigned char>((c == kWhite ? 1 : 0) << (7 - x));
            } else if (bitCount == 4) {
                row[x / 2] |= static_cast<unsigned char>(indexOf(c) << (x % 2 == 0 ? 4 : 0));
            } else if (bitCount == 8) {
                row[x] = static_cast<unsigned char>(indexOf(c));
            } else {
                const int bytes = bitCount / 8;
                row[bytes * x] = GetBValue(c);
                row[bytes * x + 1] = GetGValue(c);
                row[bytes * x + 2] = GetRValue(c);
            }
        }
    }
    return dib;
}

TEST_F(Drawing, DeviceIndependentRowsAtEveryDepth)
{
    for (const int depth : {4, 8, 24, 32}) {
        SCOPED_TRACE(depth);
        const Dib dib = MakeDib(depth);
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateFromDib(&dib.info, dib.bits.data(), dib.bits.size()));
        BITMAP description{};
        ASSERT_EQ(bitmap.GetBitmap(&description), int(sizeof(BITMAP)));
        EXPECT_EQ(description.bmWidth, 4);
        EXPECT_EQ(description.bmHeight, 2);
        EXPECT_EQ(description.bmBitsPixel, depth);

        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
        EXPECT_EQ(Row(dc, 0, 0, 4), "rbg.");
        EXPECT_EQ(Row(dc, 1, 0, 4), "k.rb");

        // Read back at the bitmap's own depth: the same rows and colours.
        BITMAPINFO back{};
        back.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        back.bmiHeader.biBitCount = static_cast<WORD>(depth);
        std::vector<unsigned char> rows(dib.bits.size());
        ASSERT_EQ(bitmap.GetDIBits(0, 2, rows.data(), rows.size(), &back, DIB_RGB_COLORS), 2);
        EXPECT_EQ(back.bmiHeader.biWidth, 4);
        EXPECT_EQ(back.bmiHeader.biHeight, 2);
        if (depth >= 24) {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (depth == 24 || i % 4 != 3) {
                    EXPECT_EQ(rows[i], dib.bits[i]) << i;
                }
            }
        } else {
            EXPECT_EQ(rows, dib.bits);
            EXPECT_EQ(std::memcmp(back.bmiColors, dib.info.bmiColors, 5 * sizeof(RGBQUAD)), 0);
        }
        // Too small a buffer is refused, not overrun.
        EXPECT_EQ(bitmap.GetDIBits(0, 2, rows.data(), rows.size() - 1, &back, DIB_RGB_COLORS), 0);

        // Drawn from the rows, stretched to twice the size.
        Prepare(8, 4);
        EXPECT_EQ(m_dc.StretchDIBits(0, 0, 8, 4, 0, 0, 4, 2, dib.bits.data(), dib.bits.size(), &dib.info,
                                     DIB_RGB_COLORS, SRCCOPY),
                  2);
        EXPECT_EQ(Row(m_dc, 0, 0, 8), "rrbbgg..");
        EXPECT_EQ(Row(m_dc, 3, 0, 8), "kk..rrbb");
        // Unscaled, the lower right 2 x 1 part (source y counts from the bottom).
        Prepare(4, 2);
        EXPECT_EQ(
            m_dc.SetDIBitsToDevice(1, 1, 2, 1, 2, 0, 0, 2, dib.bits.data(), dib.bits.size(), &dib.info, DIB_RGB_COLORS),
            2);
        EXPECT_EQ(Row(m_dc, 1, 0, 4), ".rb.");
        EXPECT_EQ(Row(m_dc, 0, 0, 4), "....");
    }
    // One bit per pixel: white where set.
    const Dib mono = MakeDib(1);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateFromDib(&mono.info, mono.bits.data(), mono.bits.size()));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    EXPECT_EQ(Row(dc, 0, 0, 4), "kkk.");
    EXPECT_EQ(Row(dc, 1, 0, 4), "k.kk");
}

TEST_F(Drawing, BadRowsAreRefused)
{
    const Dib good = MakeDib(8);
    struct Case
    {
        const char* what;
        void (*spoil)(BITMAPINFO&);
        std::size_t size;
    };
    const Case cases[] = {
        {"too few bytes", [](BITMAPINFO&) {}, good.bits.size() - 1},
        {"compressed", [](BITMAPINFO& i) { i.bmiHeader.biCompression = 1; }, good.bits.size()},
        {"odd depth", [](BITMAPINFO& i) { i.bmiHeader.biBitCount = 7; }, good.bits.size()},
        {"no width", [](BITMAPINFO& i) { i.bmiHeader.biWidth = 0; }, good.bits.size()},
        {"negative width", [](BITMAPINFO& i) { i.bmiHeader.biWidth = -4; }, good.bits.size()},
        {"huge", [](BITMAPINFO& i) { i.bmiHeader.biWidth = 1 << 30; }, good.bits.size()},
        {"lowest height", [](BITMAPINFO& i) { i.bmiHeader.biHeight = INT32_MIN; }, good.bits.size()},
        {"colours past the table", [](BITMAPINFO& i) { i.bmiHeader.biClrUsed = 257; }, good.bits.size()},
        {"short header", [](BITMAPINFO& i) { i.bmiHeader.biSize = 12; }, good.bits.size()},
    };
    Prepare(4, 2);
    for (const auto& c : cases) {
        BITMAPINFO info = good.info;
        c.spoil(info);
        CBitmap bitmap;
        EXPECT_FALSE(bitmap.CreateFromDib(&info, good.bits.data(), c.size)) << c.what;
        EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
        EXPECT_EQ(m_dc.StretchDIBits(0, 0, 4, 2, 0, 0, 4, 2, good.bits.data(), c.size, &info, DIB_RGB_COLORS, SRCCOPY),
                  0)
            << c.what;
    }
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.CreateFromDib(nullptr, good.bits.data(), good.bits.size()));
    EXPECT_FALSE(bitmap.CreateFromDib(&good.info, nullptr, 0));
    EXPECT_EQ(Row(m_dc, 0, 0, 4), "....");
    // Colour indexes past the table draw black.
    Dib shortTable = MakeDib(8);
    shortTable.info.bmiHeader.biClrUsed = 2;
    ASSERT_TRUE(bitmap.CreateFromDib(&shortTable.info, shortTable.bits.data(), shortTable.bits.size()));
}

std::string WriteBmpFile(const std::string& path, const Dib& dib)
{
    const int entries = dib.info.bmiHeader.biBitCount <= 8 ? 1 << dib.info.bmiHeader.biBitCount : 0;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 4 * entries);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + dib.bits.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&dib.info.bmiHeader), sizeof(BITMAPINFOHEADER));
    out.write(reinterpret_cast<const char*>(dib.info.bmiColors), 4 * entries);
    out.write(reinterpret_cast<const char*>(dib.bits.data()), static_cast<std::streamsize>(dib.bits.size()));
    return path;
}

TEST_F(Drawing, BitmapFilesAndResources)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const std::string eight = WriteBmpFile(folder + "/led8.bmp", MakeDib(8));
    const std::string twentyFour = WriteBmpFile(folder + "/led24.bmp", MakeDib(24));
    std::ofstream(folder + "/broken.bmp") << "BM not really";

    CBitmap::SetResourceFinder([&](UINT id) -> std::string {
        if (id == 160)
            return eight;
        if (id == 161)
            return twentyFour;
        if (id == 162)
            return folder + "/broken.bmp";
        return "";
    });
    for (const UINT id : {160U, 161U}) {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmap(id)) << id;
        BITMAP description{};
        bitmap.GetBitmap(&description);
        EXPECT_EQ(description.bmBitsPixel, id == 160 ? 8 : 24);
        EXPECT_EQ(bitmap.GetSize(), CSize(4, 2));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SelectObject(&bitmap);
        EXPECT_EQ(Row(dc, 0, 0, 4), "rbg.");
        EXPECT_EQ(Row(dc, 1, 0, 4), "k.rb");
    }
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.LoadBitmap(162));
    EXPECT_FALSE(bitmap.LoadBitmap(999));
    EXPECT_FALSE(bitmap.LoadImageFile(""));
    EXPECT_FALSE(bitmap.LoadImageFile(folder + "/missing.bmp"));
    EXPECT_EQ(bitmap.GetSafeHandle(), nullptr);
    CBitmap::SetResourceFinder({});
    EXPECT_FALSE(bitmap.LoadBitmap(160));
}

TEST_F(Drawing, TextAlignmentAndBackgroundModes)
{
    Prepare(200, 40);
    CFont font;
    ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, 1, 2, 1, 0, 0, "MS Sans Serif"));
    m_dc.SelectObject(&font);
    m_dc.SetTextColor(kBlack);

    // The columns that hold ink (anything but white and the background).
    const auto inked = [&](COLORREF background, int& first, int& last) {
        first = -1;
        last = -1;
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 40; ++y) {
                const COLORREF c = m_dc.GetPixel(x, y);
                if (c != kWhite && c != background) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
            }
    };
    const CSize extent = m_dc.GetTextExtent("Port 1");
    EXPECT_GT(extent.cx, 10);
    EXPECT_GT(extent.cy, 10);

    // TA_RIGHT: the text ends at x; TA_CENTER: it is centred on x.
    m_dc.SetBkMode(TRANSPARENT);
    m_dc.SetTextAlign(TA_RIGHT | TA_TOP);
    EXPECT_TRUE(m_dc.TextOut(150, 5, "Port 1"));
    int first, last;
    inked(kWhite, first, last);
    EXPECT_LE(last, 150);
    EXPECT_GE(last, 140);
    Prepare(200, 40);
    m_dc.SelectObject(&font);
    m_dc.SetTextAlign(TA_CENTER | TA_TOP);
    m_dc.TextOut(100, 5, "Port 1");
    inked(kWhite, first, last);
    EXPECT_NEAR((first + last) / 2.0, 100.0, 4.0);

    // OPAQUE fills the text's box with the background colour.
    Prepare(200, 40);
    m_dc.SelectObject(&font);
    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
    m_dc.SetBkMode(OPAQUE);
    m_dc.SetBkColor(kGreen);
    m_dc.TextOut(10, 5, "Port 1");
    EXPECT_EQ(m_dc.GetPixel(10, 5), kGreen);
    EXPECT_EQ(m_dc.GetPixel(10 + extent.cx - 1, 5 + extent.cy - 1), kGreen);
    EXPECT_EQ(m_dc.GetPixel(10 + extent.cx + 1, 5), kWhite);

    // DrawText centred on one line in a rectangle; DT_CALCRECT only measures.
    Prepare(200, 40);
    m_dc.SelectObject(&font);
    m_dc.SetBkMode(TRANSPARENT);
    CRect area(0, 0, 200, 40);
    EXPECT_GT(m_dc.DrawText("50%", &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
    inked(kWhite, first, last);
    EXPECT_NEAR((first + last) / 2.0, 100.0, 4.0);
    Prepare(200, 40);
    m_dc.SelectObject(&font);
    CRect measured(5, 5, 5, 5);
    const int height = m_dc.DrawText("50%", &measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Height(), height);
    EXPECT_EQ(measured.left, 5);
    EXPECT_NEAR(measured.Width(), m_dc.GetTextExtent("50%").cx, 2);
    inked(kWhite, first, last);
    EXPECT_EQ(first, -1); // nothing drawn
}

TEST_F(Drawing, PalettesDrawTheSame)
{
    Prepare(2, 1);
    CPalette palette;
    EXPECT_FALSE(palette.CreatePalette({}));
    ASSERT_TRUE(palette.CreatePalette({{255, 0, 0, 0}, {0, 0, 255, 0}}));
    EXPECT_EQ(palette.GetEntryCount(), 2);
    PALETTEENTRY entries[4];
    EXPECT_EQ(palette.GetPaletteEntries(1, 4, entries), 1U);
    EXPECT_EQ(entries[0].peBlue, 255);
    CPalette* old = m_dc.SelectPalette(&palette, FALSE);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(m_dc.RealizePalette(), 0U);
    m_dc.SetPixel(0, 0, RGB(12, 34, 56));
    EXPECT_EQ(m_dc.GetPixel(0, 0), RGB(12, 34, 56));
    EXPECT_EQ(m_dc.SelectPalette(old, TRUE), &palette);
}

TEST_F(Drawing, SystemColoursFollowTheTheme)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(BYTE(QGuiApplication::palette().color(QPalette::Button).red()),
                                              BYTE(QGuiApplication::palette().color(QPalette::Button).green()),
                                              BYTE(QGuiApplication::palette().color(QPalette::Button).blue())));
    CBrush* face = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
    EXPECT_EQ(GetSysColor(99), 0U);
    Prepare(2, 1);
    CRect one(0, 0, 1, 1);
    m_dc.FillRect(&one, face);
    EXPECT_EQ(m_dc.GetPixel(0, 0), GetSysColor(COLOR_BTNFACE));
}

} // namespace

} // namespace drawing_test
