#include "platform/ui/ResourceImages.h"

#include "platform/ui/ResourceStore.h"
#include "platform/ui/UiConstants.h"

#include <QApplication>
#include <QBuffer>
#include <QImageReader>
#include <QStyle>

#include <map>
#include <memory>
#include <mutex>

namespace {

struct Image
{
    bool cursor = false;
    UINT standardId = 0; // a standard icon or cursor; 0 for one from the resources
    std::vector<QImage> images;
    QPoint hotSpot;
};

std::mutex g_lock;
std::map<std::pair<int, UINT>, std::unique_ptr<Image>> g_images;

std::vector<QImage> ReadIcoImages(QByteArray bytes, QPoint* hotSpot)
{
    // A cursor file is an icon file whose directory holds the hot spot where an
    // icon holds planes and bit count.
    if (bytes.size() >= 14 && static_cast<unsigned char>(bytes[2]) == 2) {
        if (hotSpot) {
            const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
            hotSpot->setX(b[10] | (b[11] << 8));
            hotSpot->setY(b[12] | (b[13] << 8));
        }
        bytes[2] = 1;
        // The image decoder checks planes and bit count against the data.
        bytes[10] = 1;
        bytes[11] = 0;
        bytes[12] = 0;
        bytes[13] = 0;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    do {
        QImage image = reader.read();
        if (!image.isNull())
            images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    } while (reader.jumpToNextImage());
    return images;
}

Image* Find(int kind, UINT id)
{
    auto it = g_images.find({kind, id});
    return it == g_images.end() ? nullptr : it->second.get();
}

Image* Load(int kind, UINT id, ResourceFileType type)
{
    std::lock_guard lock(g_lock);
    if (Image* existing = Find(kind, id))
        return existing;
    std::vector<unsigned char> bytes;
    if (!ResourceStore::Instance().LoadFile(type, id, bytes))
        return nullptr;
    auto image = std::make_unique<Image>();
    image->cursor = type == ResourceFileType::Cursor;
    image->images = ReadIcoImages(
        QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())), &image->hotSpot);
    if (image->images.empty())
        return nullptr;
    Image* raw = image.get();
    g_images[{kind, id}] = std::move(image);
    return raw;
}

Image* Standard(int kind, UINT id, bool cursor)
{
    std::lock_guard lock(g_lock);
    if (Image* existing = Find(kind, id))
        return existing;
    auto image = std::make_unique<Image>();
    image->cursor = cursor;
    image->standardId = id;
    Image* raw = image.get();
    g_images[{kind, id}] = std::move(image);
    return raw;
}

bool Known(const void* handle, bool cursor)
{
    std::lock_guard lock(g_lock);
    for (const auto& [key, image] : g_images) {
        if (image.get() == handle)
            return image->cursor == cursor;
    }
    return false;
}

Qt::CursorShape ShapeOf(UINT idc)
{
    switch (idc) {
    case IDC_IBEAM:
        return Qt::IBeamCursor;
    case IDC_WAIT:
        return Qt::WaitCursor;
    case IDC_CROSS:
        return Qt::CrossCursor;
    case IDC_UPARROW:
        return Qt::UpArrowCursor;
    case IDC_SIZENWSE:
        return Qt::SizeFDiagCursor;
    case IDC_SIZENESW:
        return Qt::SizeBDiagCursor;
    case IDC_SIZEWE:
        return Qt::SizeHorCursor;
    case IDC_SIZENS:
        return Qt::SizeVerCursor;
    case IDC_SIZEALL:
        return Qt::SizeAllCursor;
    case IDC_NO:
        return Qt::ForbiddenCursor;
    case IDC_HAND:
        return Qt::PointingHandCursor;
    case IDC_APPSTARTING:
        return Qt::BusyCursor;
    default:
        return Qt::ArrowCursor;
    }
}

enum Kind
{
    kIcon,
    kCursor,
    kStandardIcon,
    kStandardCursor,
};

} // namespace

HICON ResourceImages::LoadIcon(UINT id)
{
    return reinterpret_cast<HICON>(Load(kIcon, id, ResourceFileType::Icon));
}

HCURSOR ResourceImages::LoadCursor(UINT id)
{
    return reinterpret_cast<HCURSOR>(Load(kCursor, id, ResourceFileType::Cursor));
}

HICON ResourceImages::StandardIcon(UINT idi)
{
    if (idi < IDI_APPLICATION || idi > IDI_ASTERISK + 1)
        return nullptr;
    return reinterpret_cast<HICON>(Standard(kStandardIcon, idi, false));
}

HCURSOR ResourceImages::StandardCursor(UINT idc)
{
    if (idc < IDC_ARROW || idc > IDC_APPSTARTING)
        return nullptr;
    return reinterpret_cast<HCURSOR>(Standard(kStandardCursor, idc, true));
}

QImage ResourceImages::Bitmap(UINT id)
{
    std::vector<unsigned char> bytes;
    if (!ResourceStore::Instance().LoadFile(ResourceFileType::Bitmap, id, bytes))
        return {};
    QImage image;
    image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
    return image;
}

QIcon ResourceImages::Icon(HICON icon)
{
    if (!IsIcon(icon))
        return {};
    const auto* image = reinterpret_cast<const Image*>(icon);
    if (image->standardId) {
        QStyle::StandardPixmap sp = QStyle::SP_ComputerIcon;
        switch (image->standardId) {
        case IDI_HAND:
            sp = QStyle::SP_MessageBoxCritical;
            break;
        case IDI_QUESTION:
            sp = QStyle::SP_MessageBoxQuestion;
            break;
        case IDI_EXCLAMATION:
            sp = QStyle::SP_MessageBoxWarning;
            break;
        case IDI_ASTERISK:
            sp = QStyle::SP_MessageBoxInformation;
            break;
        default:
            break;
        }
        return QApplication::style() ? QApplication::style()->standardIcon(sp) : QIcon();
    }
    QIcon result;
    for (const QImage& i : image->images)
        result.addPixmap(QPixmap::fromImage(i));
    return result;
}

QCursor ResourceImages::Cursor(HCURSOR cursor)
{
    if (!IsCursor(cursor))
        return QCursor(Qt::ArrowCursor);
    const auto* image = reinterpret_cast<const Image*>(cursor);
    if (image->standardId)
        return QCursor(ShapeOf(image->standardId));
    return QCursor(QPixmap::fromImage(image->images.front()), image->hotSpot.x(), image->hotSpot.y());
}

QSize ResourceImages::IconSize(HICON icon)
{
    if (!IsIcon(icon))
        return {};
    const auto* image = reinterpret_cast<const Image*>(icon);
    if (image->standardId)
        return QSize(32, 32);
    QSize largest;
    for (const QImage& i : image->images) {
        if (i.width() > largest.width())
            largest = i.size();
    }
    return largest;
}

QPoint ResourceImages::HotSpot(HCURSOR cursor)
{
    if (!IsCursor(cursor))
        return {};
    return reinterpret_cast<const Image*>(cursor)->hotSpot;
}

bool ResourceImages::IsIcon(HICON icon)
{
    return icon && Known(icon, false);
}

bool ResourceImages::IsCursor(HCURSOR cursor)
{
    return cursor && Known(cursor, true);
}
