#include "platform/ui/DibImage.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gdi_detail {
namespace {

bool SupportedDepth(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

QRgb FromQuad(const RGBQUAD& q)
{
    return qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// Index of the table colour nearest to `rgb`.
class ColourIndex
{
public:
    explicit ColourIndex(const QList<QRgb>& table) : m_table(table)
    {
        for (int i = 0; i < table.size(); ++i)
            if (!m_exact.contains(table[i] & 0xFFFFFF))
                m_exact.insert(table[i] & 0xFFFFFF, i);
    }

    int Find(QRgb rgb)
    {
        const QRgb key = rgb & 0xFFFFFF;
        const auto it = m_exact.constFind(key);
        if (it != m_exact.constEnd())
            return it.value();
        int best = 0;
        long bestDistance = -1;
        for (int i = 0; i < m_table.size(); ++i) {
            const long dr = qRed(rgb) - qRed(m_table[i]);
            const long dg = qGreen(rgb) - qGreen(m_table[i]);
            const long db = qBlue(rgb) - qBlue(m_table[i]);
            const long d = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || d < bestDistance) {
                bestDistance = d;
                best = i;
            }
        }
        m_exact.insert(key, best);
        return best;
    }

private:
    QList<QRgb> m_table;
    QHash<QRgb, int> m_exact;
};

} // namespace

std::optional<DecodedDib> DecodeDib(const BITMAPINFO* info, const void* bits, std::size_t size)
{
    if (info == nullptr)
        return std::nullopt;
    const int height = info->bmiHeader.biHeight;
    if (height == INT32_MIN)
        return std::nullopt;
    return DecodeDib(info, bits, size, 0, std::abs(height));
}

std::optional<DecodedDib> DecodeDib(const BITMAPINFO* info, const void* bits, std::size_t size, int firstScan,
                                    int scans)
{
    if (info == nullptr || bits == nullptr)
        return std::nullopt;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || !SupportedDepth(h.biBitCount) ||
        h.biPlanes != 1 || h.biHeight == INT32_MIN)
        return std::nullopt;
    const int width = h.biWidth;
    const int height = std::abs(h.biHeight);
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        qint64(width) * height > kMaxBitmapArea)
        return std::nullopt;
    if (firstScan < 0 || scans < 0 || firstScan > height || scans > height - firstScan)
        return std::nullopt;
    const bool bottomUp = h.biHeight > 0;
    const std::size_t rowBytes = static_cast<std::size_t>(DibRowBytes(width, h.biBitCount));
    if (rowBytes * static_cast<std::size_t>(scans) > size)
        return std::nullopt;

    DecodedDib out;
    out.bitsPixel = h.biBitCount;
    if (h.biBitCount <= 8) {
        const DWORD full = 1U << h.biBitCount;
        if (h.biClrUsed > full)
            return std::nullopt;
        const DWORD entries = h.biClrUsed != 0 ? h.biClrUsed : full;
        for (DWORD i = 0; i < entries; ++i)
            out.colourTable.append(FromQuad(info->bmiColors[i]));
    }
    out.image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    if (out.image.isNull())
        return std::nullopt;
    out.image.fill(qRgb(0, 0, 0));
    const auto* data = static_cast<const std::uint8_t*>(bits);
    for (int s = 0; s < scans; ++s) {
        const int scan = firstScan + s;
        const int y = bottomUp ? height - 1 - scan : scan;
        const std::uint8_t* row = data + rowBytes * static_cast<std::size_t>(s);
        auto* line = reinterpret_cast<QRgb*>(out.image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            QRgb rgb = qRgb(0, 0, 0);
            switch (h.biBitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / h.biBitCount;
                const int shift = 8 - h.biBitCount * (x % perByte + 1);
                const int index = (row[x / perByte] >> shift) & ((1 << h.biBitCount) - 1);
                if (index < out.colourTable.size())
                    rgb = out.colourTable[index];
                break;
            }
            case 16: { // 5-5-5
                const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
                rgb = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
                break;
            }
            case 24:
                rgb = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
                break;
            case 32:
                rgb = qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
                break;
            }
            line[x] = rgb;
        }
    }
    return out;
}

int EncodeDib(const QImage& image, int ownBitsPixel, const QList<QRgb>& table, int firstScan, int scans,
              BITMAPINFO* info, void* bits, std::size_t size)
{
    if (info == nullptr || image.isNull())
        return 0;
    BITMAPINFOHEADER& h = info->bmiHeader;
    int bitCount = h.biBitCount == 0 ? ownBitsPixel : h.biBitCount;
    if (bitCount == 16)
        bitCount = 24;
    if (!(bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32))
        return 0;
    const int width = image.width();
    const int height = image.height();
    const bool topDown = h.biHeight < 0;
    const std::size_t rowBytes = static_cast<std::size_t>(DibRowBytes(width, bitCount));
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = topDown ? -height : height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(bitCount);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(rowBytes * static_cast<std::size_t>(height));
    h.biClrImportant = 0;

    QList<QRgb> colours;
    if (bitCount <= 8) {
        const int entries = 1 << bitCount;
        colours = table.mid(0, entries);
        if (colours.isEmpty()) { // colours used by the image, as far as they fit
            QHash<QRgb, int> seen;
            for (int y = 0; y < height && colours.size() < entries; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < width && colours.size() < entries; ++x) {
                    const QRgb rgb = line[x] | 0xFF000000;
                    if (!seen.contains(rgb)) {
                        seen.insert(rgb, colours.size());
                        colours.append(rgb);
                    }
                }
            }
        }
        while (colours.size() < entries)
            colours.append(qRgb(0, 0, 0));
        for (int i = 0; i < entries; ++i)
            info->bmiColors[i] = RGBQUAD{BYTE(qBlue(colours[i])), BYTE(qGreen(colours[i])), BYTE(qRed(colours[i])), 0};
        h.biClrUsed = 0;
    } else {
        h.biClrUsed = 0;
    }
    if (bits == nullptr)
        return height;
    if (firstScan < 0 || scans < 0 || firstScan > height || scans > height - firstScan)
        return 0;
    if (rowBytes * static_cast<std::size_t>(scans) > size)
        return 0;
    ColourIndex index(colours);
    auto* out = static_cast<std::uint8_t*>(bits);
    for (int s = 0; s < scans; ++s) {
        const int scan = firstScan + s;
        const int y = topDown ? scan : height - 1 - scan;
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* row = out + rowBytes * static_cast<std::size_t>(s);
        std::memset(row, 0, rowBytes);
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = line[x];
            switch (bitCount) {
            case 1:
            case 4:
            case 8: {
                const int perByte = 8 / bitCount;
                const int shift = 8 - bitCount * (x % perByte + 1);
                row[x / perByte] |= static_cast<std::uint8_t>(index.Find(rgb) << shift);
                break;
            }
            case 24:
                row[3 * x] = BYTE(qBlue(rgb));
                row[3 * x + 1] = BYTE(qGreen(rgb));
                row[3 * x + 2] = BYTE(qRed(rgb));
                break;
            case 32:
                row[4 * x] = BYTE(qBlue(rgb));
                row[4 * x + 1] = BYTE(qGreen(rgb));
                row[4 * x + 2] = BYTE(qRed(rgb));
                break;
            }
        }
    }
    return scans;
}

} // namespace gdi_detail
