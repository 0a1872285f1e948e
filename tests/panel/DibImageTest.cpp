// Reading BMP files: each bit depth decodes to the colours it was built with,
// and broken files are refused without reading past their last byte.
#include "BmpBuilder.h"

#include "panel/CDIBitmap.h"
#include "panel/DibImage.h"

#include <gtest/gtest.h>

#include <sstream>

namespace panel_test {

namespace {

const std::vector<std::array<BYTE, 3>> kPalette16 = {
    {0, 0, 0},       {255, 255, 255}, {200, 30, 30},   {30, 200, 30}, {30, 30, 200}, {250, 180, 0},
    {90, 90, 90},    {160, 160, 160}, {10, 20, 30},    {40, 50, 60},  {70, 80, 90},  {100, 110, 120},
    {130, 140, 150}, {170, 180, 190}, {210, 220, 230}, {240, 250, 5},
};

// A pattern that differs between neighbours and rows, so a swapped nibble,
// bit or row shows.
int Pattern(int x, int y, int colours)
{
    return (x * 3 + y * 5 + x * y) % colours;
}

COLORREF TableColour(int index)
{
    const auto& c = kPalette16[static_cast<std::size_t>(index)];
    return RGB(c[0], c[1], c[2]);
}

DibImage DecodeOk(const std::vector<BYTE>& file)
{
    DibImage image;
    std::string error;
    EXPECT_TRUE(DibImage::Decode(file.data(), file.size(), image, error)) << error;
    return image;
}

struct DepthCase
{
    const char* label;
    int bpp;
    int colours;
    int width;
    int height;
};

class DibDepth : public testing::TestWithParam<DepthCase>
{
};

TEST_P(DibDepth, PaletteDepthsKeepTheirIndicesAndColours)
{
    const DepthCase& c = GetParam();
    BmpSpec spec(c.width, c.height, c.bpp);
    spec.Table({kPalette16.begin(), kPalette16.begin() + c.colours});
    const DibImage image = DecodeOk(BuildBmp(spec, [&](int x, int y) { return DWORD(Pattern(x, y, c.colours)); }));

    const int rows = c.height < 0 ? -c.height : c.height;
    EXPECT_EQ(image.Width(), c.width);
    EXPECT_EQ(image.Height(), rows);
    EXPECT_EQ(image.BitCount(), c.bpp);
    // The whole table of the depth is held; entries the file did not give are black.
    ASSERT_EQ(image.colours.size(), std::size_t{1} << c.bpp);
    EXPECT_EQ(image.RowBytes(), (std::size_t(c.width) * c.bpp + 31) / 32 * 4);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < c.width; ++x)
            ASSERT_EQ(image.GetPixel(x, y), TableColour(Pattern(x, y, c.colours))) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDepth,
                         testing::Values(DepthCase{"mono", 1, 2, 19, 7}, DepthCase{"nibbles", 4, 16, 13, 5},
                                         DepthCase{"bytes", 8, 16, 9, 6}, DepthCase{"topDown", 8, 16, 6, -4},
                                         DepthCase{"monoTopDown", 1, 2, 33, -3}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(DibImage, TrueColourDepthsAreHeldAs24Bits)
{
    auto rgb = [](int x, int y) { return DWORD((x * 40) << 16 | (y * 50) << 8 | (x * y * 7 + 3)); };
    struct Case
    {
        const char* label;
        BmpSpec spec;
        std::function<DWORD(int, int)> raw;
        std::function<COLORREF(int, int)> expected;
    };
    auto expect24 = [&](int x, int y) {
        const DWORD v = rgb(x, y);
        return RGB(BYTE(v >> 16), BYTE(v >> 8), BYTE(v));
    };
    const BmpSpec s24(5, 3, 24);
    const BmpSpec s32(5, 3, 32);
    const BmpSpec s32masks = BmpSpec(5, 3, 32).Masks({0xFF000000, 0xFF0000, 0xFF00});
    const BmpSpec s32v5 = BmpSpec(5, -3, 32).Masks({0xFF0000, 0xFF00, 0xFF}).Header(124);
    const BmpSpec s16(5, 3, 16);
    const std::vector<Case> cases = {
        {"24", s24, rgb, expect24},
        {"32", s32, rgb, expect24},
        {"32 masks", s32masks, [&](int x, int y) { return rgb(x, y) << 8; }, expect24},
        {"32 v5 top-down", s32v5, rgb, expect24},
        // 5-5-5: each channel of 31 becomes 255.
        {"16", s16, [](int x, int) { return DWORD(x % 2 == 0 ? 0x7C00 : 0x03FF); },
         [](int x, int) { return x % 2 == 0 ? RGB(255, 0, 0) : RGB(0, 255, 255); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const DibImage image = DecodeOk(BuildBmp(c.spec, c.raw));
        EXPECT_EQ(image.BitCount(), 24);
        EXPECT_TRUE(image.colours.empty());
        // Width 5 at 24 bits: 15 bytes, padded to 16.
        EXPECT_EQ(image.RowBytes(), 16U);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(image.GetPixel(x, y), c.expected(x, y)) << x << "," << y;
    }
}

TEST(DibImage, ShortColourTableLeavesTheRestBlack)
{
    const BmpSpec spec = BmpSpec(4, 1, 8).Table({{1, 2, 3}, {4, 5, 6}}).ColoursUsed(2);
    const DibImage image = DecodeOk(BuildBmp(spec, [](int x, int) { return DWORD(x == 3 ? 200 : x % 2); }));
    ASSERT_EQ(image.colours.size(), 256U);
    EXPECT_EQ(image.GetPixel(1, 0), RGB(4, 5, 6));
    EXPECT_EQ(image.GetPixel(3, 0), RGB(0, 0, 0)); // index 200 lies past the file's table
}

// Files that must be refused, each made from a sound 8-bit file.
struct BrokenCase
{
    const char* label;
    std::function<void(std::vector<BYTE>&)> damage;
};

std::vector<BYTE> Sound8Bit()
{
    const BmpSpec spec = BmpSpec(6, 4, 8).Table(kPalette16);
    return BuildBmp(spec, [](int x, int y) { return DWORD(Pattern(x, y, 16)); });
}

TEST(DibImage, BrokenFilesAreRefused)
{
    const std::size_t offBits = 14 + 40 + 4 * 16;
    const std::vector<BrokenCase> cases = {
        {"not BM", [](auto& b) { b[0] = 'M'; }},
        {"OS/2 header", [](auto& b) { Poke32(b, 14, 12); }},
        {"unknown header size", [](auto& b) { Poke32(b, 14, 64); }},
        {"header larger than the file",
         [](auto& b) {
             Poke32(b, 14, 124);
             b.resize(100);
         }},
        {"two planes", [](auto& b) { Poke16(b, 26, 2); }},
        {"7 bits per pixel", [](auto& b) { Poke16(b, 28, 7); }},
        {"0 bits per pixel", [](auto& b) { Poke16(b, 28, 0); }},
        {"zero width", [](auto& b) { Poke32(b, 18, 0); }},
        {"negative width", [](auto& b) { Poke32(b, 18, DWORD(-6)); }},
        {"zero height", [](auto& b) { Poke32(b, 22, 0); }},
        {"most negative height", [](auto& b) { Poke32(b, 22, 0x80000000u); }},
        {"huge width", [](auto& b) { Poke32(b, 18, 0x7FFFFFFF); }},
        {"huge height", [](auto& b) { Poke32(b, 22, 40000); }},
        {"height past the data", [](auto& b) { Poke32(b, 22, 5); }},
        {"width past the data", [](auto& b) { Poke32(b, 18, 9); }},
        {"run-length compressed", [](auto& b) { Poke32(b, 30, 1); }},
        {"bit fields on 8 bits", [](auto& b) { Poke32(b, 30, 3); }},
        {"more colours than 8 bits hold", [](auto& b) { Poke32(b, 46, 257); }},
        {"colour table past the end", [](auto& b) { Poke32(b, 46, 256); }},
        {"pixel offset inside the colour table", [=](auto& b) { Poke32(b, 10, offBits - 4); }},
        {"pixel offset past the end", [](auto& b) { Poke32(b, 10, 0xFFFFFFF0u); }},
        {"pixel offset one row late", [=](auto& b) { Poke32(b, 10, offBits + 8); }},
        {"last byte missing", [](auto& b) { b.pop_back(); }},
    };
    for (const BrokenCase& c : cases) {
        std::vector<BYTE> file = Sound8Bit();
        c.damage(file);
        // Exactly as large as the data, so any read past it is caught.
        std::vector<BYTE> exact(file.begin(), file.end());
        exact.shrink_to_fit();
        DibImage image;
        image.header.biWidth = 77;
        std::string error;
        EXPECT_FALSE(DibImage::Decode(exact.data(), exact.size(), image, error)) << c.label;
        EXPECT_FALSE(error.empty()) << c.label;
        EXPECT_EQ(image.header.biWidth, 77) << c.label << ": the output changed";
    }
}

TEST(DibImage, BadColourMasksAreRefused)
{
    for (const std::vector<DWORD>& masks :
         std::vector<std::vector<DWORD>>{{0, 0xFF00, 0xFF}, {0xFF0F00, 0xF0, 0x0F}, {0xFF0000, 0xFF00, 0}}) {
        const BmpSpec spec = BmpSpec(2, 2, 32).Masks(masks);
        const std::vector<BYTE> file = BuildBmp(spec, [](int, int) { return DWORD(0); });
        DibImage image;
        std::string error;
        EXPECT_FALSE(DibImage::Decode(file.data(), file.size(), image, error)) << masks[0] << " " << masks[1];
    }
}

TEST(DibImage, EveryTruncationIsRefused)
{
    const BmpSpec spec = BmpSpec(3, 2, 32).Masks({0xFF0000, 0xFF00, 0xFF});
    for (const std::vector<BYTE>& sound : {Sound8Bit(), BuildBmp(spec, [](int, int) { return DWORD(7); })}) {
        for (std::size_t n = 0; n < sound.size(); ++n) {
            std::vector<BYTE> cut(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(n));
            cut.shrink_to_fit();
            DibImage image;
            std::string error;
            ASSERT_FALSE(DibImage::Decode(cut.data(), cut.size(), image, error)) << "length " << n;
        }
    }
}

TEST(DibImage, EncodeWritesWhatDecodeReads)
{
    const DibImage image = DecodeOk(Sound8Bit());
    const std::vector<BYTE> again = image.Encode();
    EXPECT_EQ(again.size(), 14U + 40 + 1024 + 8 * 4);
    EXPECT_EQ(again[0], 'B');
    const DibImage back = DecodeOk(again);
    EXPECT_EQ(back.pixels, image.pixels);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(back.GetPixel(x, y), image.GetPixel(x, y));
}

TEST(CDIBitmap, LoadFromFileKeepsTheHeldImageOnEveryFailure)
{
    TempDir dir;
    const std::string good = dir.Write("good.bmp", Sound8Bit());
    std::vector<BYTE> broken = Sound8Bit();
    broken.resize(broken.size() - 1);
    const std::string bad = dir.Write("bad.bmp", broken);

    CDIBitmap bitmap;
    EXPECT_EQ(bitmap.LoadFromFile(nullptr), 0);
    EXPECT_EQ(bitmap.LoadFromFile(""), 0);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.GetInfoHeader(), nullptr);
    EXPECT_EQ(bitmap.GetPixels(), nullptr);

    ASSERT_EQ(bitmap.LoadFromFile(good.c_str()), 1);
    EXPECT_EQ(bitmap.GetWidth(), 6);
    EXPECT_EQ(bitmap.GetBitCount(), 8);
    EXPECT_EQ(bitmap.GetPaletteEntries(), 256);
    EXPECT_EQ(bitmap.IsReadFromStream(), 0);
    const std::vector<BYTE> held(bitmap.GetImage().pixels);

    const std::string missing = (dir.Path() / "missing.bmp").string();
    // Devices and folders are never read.
    for (const std::string& name : {std::string(), missing, bad, dir.Path().string(), std::string("/dev/zero")}) {
        EXPECT_EQ(bitmap.LoadFromFile(name.c_str()), 0) << name;
        EXPECT_EQ(bitmap.GetImage().pixels, held) << name;
    }
}

TEST(CDIBitmap, StreamReadRefusesANonBitmapAndIsLeftEmpty)
{
    CDIBitmap bitmap;
    const std::vector<BYTE> file = Sound8Bit();
    std::istringstream good(std::string(file.begin(), file.end()));
    ASSERT_EQ(bitmap.Read(good), 1);
    EXPECT_EQ(bitmap.IsReadFromStream(), 1);

    std::istringstream notBitmap("PK\x03\x04 not a bitmap");
    EXPECT_EQ(bitmap.Read(notBitmap), 0);
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(CDIBitmap, SaveThenLoadGivesTheSameImage)
{
    TempDir dir;
    const BmpSpec spec = BmpSpec(7, 3, 4).Table(kPalette16);
    CDIBitmap source;
    const std::string in = dir.Write("in.bmp", BuildBmp(spec, [](int x, int y) { return DWORD(x + y); }));
    ASSERT_EQ(source.LoadFromFile(in.c_str()), 1);
    const std::string out = (dir.Path() / "out.bmp").string();
    ASSERT_EQ(source.Save(out.c_str()), 1);

    CDIBitmap copy;
    ASSERT_EQ(copy.Load(out.c_str()), 1);
    EXPECT_EQ(copy.GetBitCount(), 4);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(copy.GetImage().GetPixel(x, y), TableColour(x + y));
    EXPECT_EQ(copy.Load((dir.Path() / "none.bmp").string().c_str()), 0);
}

} // namespace

} // namespace panel_test
