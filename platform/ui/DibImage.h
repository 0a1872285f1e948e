// Inside the drawing layer only: device-independent bitmap rows to and from
// images. Headers, sizes and colour tables are checked before any row is
// read, and no byte past `size` is ever read or written.
#pragma once

#include "platform/ui/GdiTypes.h"

#include <QImage>
#include <QList>

#include <cstddef>
#include <optional>

namespace gdi_detail {

// Largest bitmap side and area accepted.
inline constexpr int kMaxBitmapSide = 16384;
inline constexpr qint64 kMaxBitmapArea = 64LL * 1024 * 1024;

struct DecodedDib
{
    QImage image; // Format_ARGB32_Premultiplied, opaque; rows not given are black
    int bitsPixel = 0;
    QList<QRgb> colourTable; // the header's, for up to 8 bits per pixel
};

// Decodes `scans` scan lines from `firstScan` (scan 0 is the bottom row of a
// bottom-up bitmap, the top row of a top-down one). Uncompressed 1, 4, 8, 16,
// 24 and 32 bits per pixel. Nothing for a bad header or too few bytes.
std::optional<DecodedDib> DecodeDib(const BITMAPINFO* info, const void* bits, std::size_t size, int firstScan,
                                    int scans);
std::optional<DecodedDib> DecodeDib(const BITMAPINFO* info, const void* bits, std::size_t size);

// Writes `scans` scan lines from `firstScan` of `image` at the bit depth that
// info->bmiHeader.biBitCount asks for (1, 4, 8, 24 or 32; 0: the image's own),
// filling the header and, up to 8 bits, the colour table (`table` when it
// has colours, else a table of the colours used). Without `bits` only the
// header and the table are filled. Returns the scan lines written (the
// height without `bits`), 0 on failure.
int EncodeDib(const QImage& image, int ownBitsPixel, const QList<QRgb>& table, int firstScan, int scans,
              BITMAPINFO* info, void* bits, std::size_t size);

} // namespace gdi_detail
