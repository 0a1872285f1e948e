#include "platform/ui/CBitmap.h"

#include "platform/ui/DibImage.h"
#include "platform/ui/GdiObjectData.h"

#include <QImageReader>
#include <QString>

#include <mutex>

using gdi_detail::GdiKind;
using gdi_detail::GdiObjectData;

namespace {

// Made on first use: the application object, a global of the program, sets
// the finder while the program's globals are still being constructed.
std::mutex& FinderLock()
{
    static std::mutex lock;
    return lock;
}

std::function<std::string(UINT)>& Finder()
{
    static std::function<std::string(UINT)> finder;
    return finder;
}

std::shared_ptr<GdiObjectData> BitmapData(std::shared_ptr<gdi_detail::DrawSurface> surface)
{
    auto data = std::make_shared<GdiObjectData>();
    data->kind = GdiKind::Bitmap;
    data->surface = std::move(surface);
    return data;
}

} // namespace

void CBitmap::SetResourceFinder(std::function<std::string(UINT id)> find)
{
    std::lock_guard lock(FinderLock());
    Finder() = std::move(find);
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    std::function<std::string(UINT)> find;
    {
        std::lock_guard lock(FinderLock());
        find = Finder();
    }
    if (!find)
        return FALSE;
    const std::string path = find(id);
    return path.empty() ? FALSE : LoadImageFile(path);
}

BOOL CBitmap::LoadImageFile(const std::string& fileName)
{
    if (fileName.empty())
        return FALSE;
    QImageReader reader(QString::fromStdString(fileName));
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > gdi_detail::kMaxBitmapSide || size.height() > gdi_detail::kMaxBitmapSide ||
                           qint64(size.width()) * size.height() > gdi_detail::kMaxBitmapArea))
        return FALSE;
    QImage image = reader.read();
    if (image.isNull() || image.width() > gdi_detail::kMaxBitmapSide || image.height() > gdi_detail::kMaxBitmapSide)
        return FALSE;
    const int depth = image.depth();
    const QList<QRgb> table = image.colorTable();
    auto surface =
        std::make_shared<gdi_detail::DrawSurface>(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    surface->bitsPixel = depth <= 8 ? depth : (image.hasAlphaChannel() ? 32 : 24);
    surface->colourTable = table;
    SetData(BitmapData(std::move(surface)));
    return TRUE;
}

BOOL CBitmap::CreateFromDib(const BITMAPINFO* info, const void* bits, std::size_t bitsSize)
{
    auto decoded = gdi_detail::DecodeDib(info, bits, bitsSize);
    if (!decoded)
        return FALSE;
    auto surface = std::make_shared<gdi_detail::DrawSurface>(std::move(decoded->image));
    surface->bitsPixel = decoded->bitsPixel;
    surface->colourTable = decoded->colourTable;
    SetData(BitmapData(std::move(surface)));
    return TRUE;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int width, int height)
{
    if (width <= 0 || height <= 0 || width > gdi_detail::kMaxBitmapSide || height > gdi_detail::kMaxBitmapSide ||
        qint64(width) * height > gdi_detail::kMaxBitmapArea)
        return FALSE;
    auto surface = gdi_detail::MakeSurface(width, height, qRgb(0, 0, 0));
    if (surface->Image().isNull())
        return FALSE;
    SetData(BitmapData(std::move(surface)));
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    if (!Data() || !Data()->surface || bitmap == nullptr)
        return 0;
    auto& surface = *Data()->surface;
    std::lock_guard lock(surface.Lock());
    const int bits = surface.bitsPixel;
    bitmap->bmType = 0;
    bitmap->bmWidth = surface.Image().width();
    bitmap->bmHeight = surface.Image().height();
    bitmap->bmWidthBytes = ((bitmap->bmWidth * bits + 15) / 16) * 2;
    bitmap->bmPlanes = 1;
    bitmap->bmBitsPixel = static_cast<WORD>(bits);
    bitmap->bmBits = nullptr;
    return sizeof(BITMAP);
}

CSize CBitmap::GetSize() const
{
    if (!Data() || !Data()->surface)
        return CSize();
    std::lock_guard lock(Data()->surface->Lock());
    return CSize(Data()->surface->Image().width(), Data()->surface->Image().height());
}

int CBitmap::GetDIBits(UINT startScan, UINT scanLines, void* bits, std::size_t bitsSize, BITMAPINFO* info,
                       UINT usage) const
{
    if (!Data() || !Data()->surface || usage != DIB_RGB_COLORS || startScan > INT_MAX || scanLines > INT_MAX)
        return 0;
    auto& surface = *Data()->surface;
    std::lock_guard lock(surface.Lock());
    return gdi_detail::EncodeDib(surface.Image(), surface.bitsPixel, surface.colourTable, static_cast<int>(startScan),
                                 static_cast<int>(scanLines), info, bits, bitsSize);
}
