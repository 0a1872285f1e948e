#include "panel/DibImage.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr DWORD kCompressionRgb = 0;
constexpr DWORD kCompressionBitfields = 3;

WORD Read16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

DWORD Read32(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
           (static_cast<DWORD>(p[3]) << 24);
}

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back(static_cast<BYTE>(v & 0xFF));
    out.push_back(static_cast<BYTE>(v >> 8));
}

void Put32(std::vector<BYTE>& out, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>((v >> (8 * i)) & 0xFF));
}

std::uint64_t RowBytesFor(std::uint64_t width, unsigned bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

// One colour channel of a 16- or 32-bit pixel, described by its mask.
struct Channel
{
    DWORD mask = 0;
    int shift = 0;
    int bits = 0;

    bool Set(DWORD m)
    {
        if (m == 0)
            return false;
        mask = m;
        shift = std::countr_zero(m);
        const DWORD field = m >> shift;
        if ((field & (field + 1)) != 0) // the mask's bits must be contiguous
            return false;
        bits = std::popcount(field);
        return true;
    }

    BYTE Extract(DWORD pixel) const
    {
        const DWORD v = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<BYTE>(v >> (bits - 8));
        const DWORD maxValue = (DWORD{1} << bits) - 1;
        return static_cast<BYTE>(v * 255 / maxValue);
    }
};

} // namespace

std::size_t DibImage::RowBytes() const
{
    if (header.biWidth <= 0)
        return 0;
    return static_cast<std::size_t>(RowBytesFor(static_cast<std::uint64_t>(header.biWidth), header.biBitCount));
}

COLORREF DibImage::GetPixel(int x, int y) const
{
    if (pixels.empty() || x < 0 || y < 0 || x >= header.biWidth || y >= header.biHeight)
        return RGB(0, 0, 0);
    const std::size_t row = static_cast<std::size_t>(header.biHeight - 1 - y) * RowBytes();
    const BYTE* p = pixels.data() + row;
    unsigned index = 0;
    switch (header.biBitCount) {
    case 1:
        index = (p[x / 8] >> (7 - x % 8)) & 0x01;
        break;
    case 4:
        index = (p[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F;
        break;
    case 8:
        index = p[x];
        break;
    default: {
        const BYTE* px = p + static_cast<std::size_t>(x) * 3;
        return RGB(px[2], px[1], px[0]);
    }
    }
    if (index >= colours.size())
        return RGB(0, 0, 0);
    const DibRgbQuad& c = colours[index];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
}

bool DibImage::Decode(const BYTE* data, std::size_t size, DibImage& out, std::string& error)
{
    if (data == nullptr || size < 2 || data[0] != 'B' || data[1] != 'M') {
        error = "Error:Unexpected file type, not a DIB\n";
        return false;
    }
    if (size < kFileHeaderSize + 4) {
        error = "Error:file header is truncated\n";
        return false;
    }
    const DWORD offBits = Read32(data + 10);
    const DWORD headerSize = Read32(data + 14);
    if (headerSize == 12) {
        error = "Error:OS2 PM BMP Format not supported\n";
        return false;
    }
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124) {
        error = "Error:unknown info header size\n";
        return false;
    }
    if (size < kFileHeaderSize + headerSize) {
        error = "Error:info header is truncated\n";
        return false;
    }

    const BYTE* h = data + kFileHeaderSize;
    DibInfoHeader in;
    in.biSize = headerSize;
    in.biWidth = static_cast<LONG>(Read32(h + 4));
    in.biHeight = static_cast<LONG>(Read32(h + 8));
    in.biPlanes = Read16(h + 12);
    in.biBitCount = Read16(h + 14);
    in.biCompression = Read32(h + 16);
    in.biClrUsed = Read32(h + 32);

    if (in.biPlanes != 1) {
        error = "Error:bitmap has more than one plane\n";
        return false;
    }
    const unsigned bpp = in.biBitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        error = "Error:unsupported number of bits per pixel\n";
        return false;
    }
    if (in.biWidth <= 0 || in.biWidth > kMaxDimension || in.biHeight == 0 || in.biHeight > kMaxDimension ||
        in.biHeight < -kMaxDimension) {
        error = "Error:bitmap size out of range\n";
        return false;
    }
    const bool bitfields = in.biCompression == kCompressionBitfields;
    if (in.biCompression != kCompressionRgb && !(bitfields && (bpp == 16 || bpp == 32))) {
        error = "Error:compressed bitmaps are not supported\n";
        return false;
    }

    // Where the colour table starts: after the info header, and after the
    // three colour masks that follow a 40-byte header with bit fields.
    std::size_t tableStart = kFileHeaderSize + headerSize;
    Channel red, green, blue;
    if (bpp == 16 || bpp == 32) {
        DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
        if (bpp == 32) {
            masks[0] = 0xFF0000;
            masks[1] = 0x00FF00;
            masks[2] = 0x0000FF;
        }
        if (bitfields) {
            if (headerSize == kInfoHeaderSize)
                tableStart += 12;
            if (size < kFileHeaderSize + kInfoHeaderSize + 12) {
                error = "Error:colour masks are truncated\n";
                return false;
            }
            for (int i = 0; i < 3; ++i)
                masks[i] = Read32(data + kFileHeaderSize + kInfoHeaderSize + 4 * i);
        }
        if (!red.Set(masks[0]) || !green.Set(masks[1]) || !blue.Set(masks[2])) {
            error = "Error:bad colour masks\n";
            return false;
        }
    }

    std::size_t tableEntries = 0;
    const std::size_t maxEntries = bpp <= 8 ? (std::size_t{1} << bpp) : 0;
    if (bpp <= 8) {
        if (in.biClrUsed > maxEntries) {
            error = "Error:colour table larger than the bit depth allows\n";
            return false;
        }
        tableEntries = in.biClrUsed != 0 ? in.biClrUsed : maxEntries;
    }
    const std::size_t tableEnd = tableStart + 4 * tableEntries;
    if (tableEnd > size) {
        error = "Error:colour table is truncated\n";
        return false;
    }
    if (offBits < tableEnd) {
        error = "Error:pixel data overlaps the headers\n";
        return false;
    }

    const std::uint64_t width = static_cast<std::uint64_t>(in.biWidth);
    const std::uint64_t rows =
        static_cast<std::uint64_t>(in.biHeight < 0 ? -static_cast<std::int64_t>(in.biHeight) : in.biHeight);
    const std::uint64_t srcRow = RowBytesFor(width, bpp);
    if (offBits > size || (size - offBits) / srcRow < rows) {
        error = "Error:pixel data is shorter than the image\n";
        return false;
    }

    DibImage img;
    const unsigned heldBpp = bpp <= 8 ? bpp : 24;
    const std::uint64_t dstRow = RowBytesFor(width, heldBpp);
    img.pixels.assign(static_cast<std::size_t>(dstRow * rows), 0);
    for (std::uint64_t r = 0; r < rows; ++r) {
        // Held rows are bottom-up; a negative height means the file's are top-down.
        const std::uint64_t srcIndex = in.biHeight > 0 ? r : rows - 1 - r;
        const BYTE* src = data + offBits + srcIndex * srcRow;
        BYTE* dst = img.pixels.data() + r * dstRow;
        if (bpp <= 8 || bpp == 24) {
            std::memcpy(dst, src, static_cast<std::size_t>(srcRow));
            continue;
        }
        for (std::uint64_t x = 0; x < width; ++x) {
            const DWORD pixel = bpp == 16 ? Read16(src + 2 * x) : Read32(src + 4 * x);
            dst[3 * x] = blue.Extract(pixel);
            dst[3 * x + 1] = green.Extract(pixel);
            dst[3 * x + 2] = red.Extract(pixel);
        }
    }

    img.header.biWidth = in.biWidth;
    img.header.biHeight = static_cast<LONG>(rows);
    img.header.biBitCount = static_cast<WORD>(heldBpp);
    img.header.biSizeImage = static_cast<DWORD>(dstRow * rows);
    img.colours.resize(maxEntries);
    for (std::size_t i = 0; i < tableEntries; ++i) {
        const BYTE* e = data + tableStart + 4 * i;
        img.colours[i] = DibRgbQuad{e[0], e[1], e[2], 0};
    }
    out = std::move(img);
    return true;
}

std::vector<BYTE> DibImage::Encode() const
{
    const std::size_t entries = header.biBitCount <= 8 ? (std::size_t{1} << header.biBitCount) : 0;
    const std::size_t rows = header.biHeight > 0 ? static_cast<std::size_t>(header.biHeight) : 0;
    const std::size_t pixelBytes = RowBytes() * rows;
    const std::size_t offBits = kFileHeaderSize + kInfoHeaderSize + 4 * entries;

    std::vector<BYTE> out;
    out.reserve(offBits + pixelBytes);
    Put16(out, 0x4D42);
    Put32(out, static_cast<DWORD>(offBits + pixelBytes));
    Put16(out, 0);
    Put16(out, 0);
    Put32(out, static_cast<DWORD>(offBits));

    Put32(out, static_cast<DWORD>(kInfoHeaderSize));
    Put32(out, static_cast<DWORD>(header.biWidth));
    Put32(out, static_cast<DWORD>(header.biHeight));
    Put16(out, 1);
    Put16(out, header.biBitCount);
    Put32(out, kCompressionRgb);
    Put32(out, 0); // image size: may be 0 for uncompressed bitmaps
    Put32(out, static_cast<DWORD>(header.biXPelsPerMeter));
    Put32(out, static_cast<DWORD>(header.biYPelsPerMeter));
    Put32(out, header.biClrUsed);
    Put32(out, header.biClrImportant);

    for (std::size_t i = 0; i < entries; ++i) {
        const DibRgbQuad c = i < colours.size() ? colours[i] : DibRgbQuad{};
        out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed, c.rgbReserved});
    }
    const std::size_t held = std::min(pixelBytes, pixels.size());
    out.insert(out.end(), pixels.begin(), pixels.begin() + static_cast<std::ptrdiff_t>(held));
    out.resize(offBits + pixelBytes, 0);
    return out;
}
