#include "platform/ui/CDC.h"

#include "platform/ui/CBitmap.h"
#include "platform/ui/CBrush.h"
#include "platform/ui/CFont.h"
#include "platform/ui/CPalette.h"
#include "platform/ui/CPen.h"
#include "platform/ui/DibImage.h"
#include "platform/ui/GdiObjectData.h"
#include "platform/ui/PrinterDevice.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>

#include <array>
#include <cmath>
#include <cstdlib>
#include <mutex>

using gdi_detail::DrawSurface;
using gdi_detail::GdiKind;
using gdi_detail::GdiObjectData;
using gdi_detail::PrinterDevice;
using gdi_detail::ToQColor;

namespace {

using DataPtr = std::shared_ptr<GdiObjectData>;

bool HaveFontSystem()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// The stock objects, made once and kept for the life of the process.
CGdiObject* StockObject(int index)
{
    static std::mutex lock;
    static std::array<std::unique_ptr<CGdiObject>, DEFAULT_GUI_FONT + 1> objects;
    if (index < 0 || index > DEFAULT_GUI_FONT)
        return nullptr;
    std::lock_guard guard(lock);
    auto& object = objects[static_cast<std::size_t>(index)];
    if (!object) {
        std::unique_ptr<CGdiObject> made;
        if (index <= NULL_BRUSH)
            made = std::make_unique<CBrush>();
        else if (index <= NULL_PEN)
            made = std::make_unique<CPen>();
        else
            made = std::make_unique<CFont>();
        if (!made->CreateStockObject(index))
            return nullptr;
        object = std::move(made);
    }
    return object.get();
}

QPen ToQPen(const DataPtr& pen)
{
    if (!pen || pen->hollow)
        return QPen(Qt::NoPen);
    Qt::PenStyle style = Qt::SolidLine;
    switch (pen->penStyle) {
    case PS_DASH:
        style = Qt::DashLine;
        break;
    case PS_DOT:
        style = Qt::DotLine;
        break;
    case PS_DASHDOT:
        style = Qt::DashDotLine;
        break;
    case PS_DASHDOTDOT:
        style = Qt::DashDotDotLine;
        break;
    default:
        break;
    }
    return QPen(ToQColor(pen->colour), pen->penWidth, style, Qt::SquareCap, Qt::MiterJoin);
}

bool IsThinSolid(const DataPtr& pen)
{
    return pen && !pen->hollow && pen->penWidth <= 1 && (pen->penStyle == PS_SOLID || pen->penStyle == PS_INSIDEFRAME);
}

// A one-pixel frame just inside `area`.
void DrawFrame(QPainter& painter, const QRect& area, const QColor& colour)
{
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), colour);
    painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), colour);
    painter.fillRect(QRect(area.left(), area.top(), 1, area.height()), colour);
    painter.fillRect(QRect(area.right(), area.top(), 1, area.height()), colour);
}

QRect FromRect(const RECT& r)
{
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

} // namespace

struct CDC::Impl
{
    mutable std::mutex lock;
    bool exists = false;
    bool memory = false;
    std::shared_ptr<DrawSurface> surface;

    CPen defaultPen;
    CBrush defaultBrush;
    CFont defaultFont;
    CBitmap defaultBitmap;
    CPalette defaultPalette;

    CPen* pen = &defaultPen;
    CBrush* brush = &defaultBrush;
    CFont* font = &defaultFont;
    CBitmap* bitmap = &defaultBitmap;
    CPalette* palette = &defaultPalette;
    DataPtr penData, brushData, fontData, bitmapData;

    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int stretchMode = BLACKONWHITE;
    QPoint origin;
    QPoint position;
    std::shared_ptr<PrinterDevice> printer;
    int mapMode = MM_TEXT;

    Impl()
    {
        defaultPen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        defaultBrush.CreateSolidBrush(RGB(255, 255, 255));
        if (HaveFontSystem())
            defaultFont.CreateStockObject(SYSTEM_FONT);
        defaultBitmap.CreateCompatibleBitmap(nullptr, 1, 1);
        defaultPalette.CreatePalette({PALETTEENTRY{0, 0, 0, 0}, PALETTEENTRY{255, 255, 255, 0}});
        penData = defaultPen.Data();
        brushData = defaultBrush.Data();
        fontData = defaultFont.Data();
        bitmapData = defaultBitmap.Data();
    }

    // Selects `object` of `kind` into `current` / `data`; returns the one before.
    template <class Object> Object* Select(Object* object, GdiKind kind, Object*& current, DataPtr& data)
    {
        if (object == nullptr || !object->Data() || object->Data()->kind != kind)
            return nullptr;
        std::lock_guard guard(lock);
        Object* old = current;
        current = object;
        data = object->Data();
        return old;
    }

    // What one drawing needs, taken under the context's lock.
    struct State
    {
        std::shared_ptr<DrawSurface> surface;
        QPoint origin;
        DataPtr pen, brush, font;
        COLORREF text = 0, bk = 0;
        int bkMode = OPAQUE;
        UINT align = 0;
        std::shared_ptr<PrinterDevice> printer;
        int mapMode = MM_TEXT;
    };

    State Take() const
    {
        std::lock_guard guard(lock);
        State s;
        if (exists)
            s.surface = surface;
        s.origin = origin;
        s.pen = penData;
        s.brush = brushData;
        s.font = fontData;
        s.text = textColour;
        s.bk = bkColour;
        s.bkMode = bkMode;
        s.align = textAlign;
        if (exists)
            s.printer = printer;
        s.mapMode = mapMode;
        return s;
    }

    std::shared_ptr<PrinterDevice> Printer() const
    {
        std::lock_guard guard(lock);
        return exists ? printer : nullptr;
    }

    // A printer context's logical point in device dots.
    static QPoint ToDevice(const State& s, const QPoint& logical)
    {
        const QPoint p = logical - s.origin;
        if (s.mapMode != MM_TWIPS)
            return p;
        const double dots = double(s.printer->Resolution()) / 1440.0;
        return QPoint(int(std::lround(p.x() * dots)), int(std::lround(-p.y() * dots)));
    }
    // A printer context's extent in device dots as logical units.
    static QSize ToLogical(const State& s, const QSize& dots)
    {
        const int resolution = s.printer->Resolution();
        if (s.mapMode != MM_TWIPS || resolution <= 0)
            return dots;
        return QSize(int(std::lround(dots.width() * 1440.0 / resolution)),
                     int(std::lround(dots.height() * 1440.0 / resolution)));
    }

    // Draws with a painter in logical coordinates; `dirty` is the logical
    // area the drawing may change.
    template <class Draw> static bool Paint(const State& s, const QRect& dirty, Draw&& draw)
    {
        if (!s.surface)
            return false;
        QRect changed;
        {
            std::lock_guard guard(s.surface->Lock());
            QImage& image = s.surface->Image();
            if (image.isNull())
                return false;
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.translate(-s.origin);
            draw(painter, image);
            changed = dirty.translated(-s.origin).intersected(image.rect());
        }
        if (!changed.isEmpty())
            s.surface->NotifyChanged(changed);
        return true;
    }

    static QFont FontOf(const State& s) { return s.font ? s.font->font : QGuiApplication::font(); }
};

CDC::CDC() : m_impl(std::make_unique<Impl>()) {}

CDC::~CDC()
{
    // A printer context's job that is still running prints nothing.
    if (m_impl->Printer())
        DeleteDC();
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    std::lock_guard guard(m_impl->lock);
    m_impl->exists = true;
    m_impl->memory = true;
    m_impl->printer.reset();
    m_impl->bitmap = &m_impl->defaultBitmap;
    m_impl->bitmapData = m_impl->defaultBitmap.Data();
    m_impl->surface = m_impl->bitmapData->surface;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    std::shared_ptr<PrinterDevice> printer;
    {
        std::lock_guard guard(m_impl->lock);
        if (!m_impl->exists)
            return FALSE;
        m_impl->exists = false;
        m_impl->memory = false;
        m_impl->surface.reset();
        printer = std::move(m_impl->printer);
        m_impl->mapMode = MM_TEXT;
    }
    // A job the context leaves running prints nothing.
    if (printer)
        printer->AbortDoc();
    return TRUE;
}

const void* CDC::GetSafeHdc() const
{
    std::lock_guard guard(m_impl->lock);
    return m_impl->exists ? this : nullptr;
}

void CDC::AttachSurface(std::shared_ptr<DrawSurface> surface)
{
    std::lock_guard guard(m_impl->lock);
    m_impl->exists = surface != nullptr;
    m_impl->memory = false;
    m_impl->printer.reset();
    m_impl->surface = std::move(surface);
}

void CDC::AttachPrinter(std::shared_ptr<PrinterDevice> printer)
{
    std::lock_guard guard(m_impl->lock);
    m_impl->exists = printer != nullptr;
    m_impl->memory = false;
    m_impl->surface.reset();
    m_impl->printer = std::move(printer);
    m_impl->mapMode = MM_TEXT;
}

BOOL CDC::IsPrinting() const
{
    return m_impl->Printer() ? TRUE : FALSE;
}

int CDC::SetMapMode(int mode)
{
    std::lock_guard guard(m_impl->lock);
    if (mode != MM_TEXT && !(mode == MM_TWIPS && m_impl->exists && m_impl->printer))
        return 0;
    const int old = m_impl->mapMode;
    m_impl->mapMode = mode;
    return old;
}

int CDC::GetMapMode() const
{
    std::lock_guard guard(m_impl->lock);
    return m_impl->mapMode;
}

int CDC::StartDoc(const DOCINFO* info)
{
    const auto printer = m_impl->Printer();
    if (!printer || info == nullptr)
        return SP_ERROR;
    return printer->StartDoc(info->lpszDocName ? info->lpszDocName : "", info->lpszOutput ? info->lpszOutput : "")
               ? 1
               : SP_ERROR;
}

int CDC::StartPage()
{
    const auto printer = m_impl->Printer();
    return printer && printer->StartPage() ? 1 : SP_ERROR;
}

int CDC::EndPage()
{
    const auto printer = m_impl->Printer();
    return printer && printer->EndPage() ? 1 : SP_ERROR;
}

int CDC::EndDoc()
{
    const auto printer = m_impl->Printer();
    return printer && printer->EndDoc() ? 1 : 0;
}

int CDC::AbortDoc()
{
    const auto printer = m_impl->Printer();
    return printer && printer->AbortDoc() ? 1 : 0;
}

std::shared_ptr<DrawSurface> CDC::Surface() const
{
    std::lock_guard guard(m_impl->lock);
    return m_impl->exists ? m_impl->surface : nullptr;
}

CPen* CDC::SelectObject(CPen* pen)
{
    return m_impl->Select(pen, GdiKind::Pen, m_impl->pen, m_impl->penData);
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return m_impl->Select(brush, GdiKind::Brush, m_impl->brush, m_impl->brushData);
}

CFont* CDC::SelectObject(CFont* font)
{
    return m_impl->Select(font, GdiKind::Font, m_impl->font, m_impl->fontData);
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (bitmap == nullptr || !bitmap->Data() || bitmap->Data()->kind != GdiKind::Bitmap)
        return nullptr;
    std::lock_guard guard(m_impl->lock);
    if (!m_impl->memory || !m_impl->exists)
        return nullptr;
    CBitmap* old = m_impl->bitmap;
    m_impl->bitmap = bitmap;
    m_impl->bitmapData = bitmap->Data();
    m_impl->surface = m_impl->bitmapData->surface;
    return old;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* stock = StockObject(index);
    if (stock == nullptr || !stock->Data())
        return nullptr;
    switch (stock->Data()->kind) {
    case GdiKind::Pen:
        return SelectObject(static_cast<CPen*>(stock));
    case GdiKind::Brush:
        return SelectObject(static_cast<CBrush*>(stock));
    case GdiKind::Font:
        return SelectObject(static_cast<CFont*>(stock));
    default:
        return nullptr;
    }
}

CPalette* CDC::SelectPalette(CPalette* palette, BOOL)
{
    if (palette == nullptr || !palette->Data())
        return nullptr;
    std::lock_guard guard(m_impl->lock);
    CPalette* old = m_impl->palette;
    m_impl->palette = palette;
    return old;
}

UINT CDC::RealizePalette()
{
    return 0;
}

#define KORVEL_DC_SETTING(Type, Name, Member)                                                                          \
    Type CDC::Set##Name(Type value)                                                                                    \
    {                                                                                                                  \
        std::lock_guard guard(m_impl->lock);                                                                           \
        const Type old = m_impl->Member;                                                                               \
        m_impl->Member = value;                                                                                        \
        return old;                                                                                                    \
    }                                                                                                                  \
    Type CDC::Get##Name() const                                                                                        \
    {                                                                                                                  \
        std::lock_guard guard(m_impl->lock);                                                                           \
        return m_impl->Member;                                                                                         \
    }

KORVEL_DC_SETTING(COLORREF, TextColor, textColour)
KORVEL_DC_SETTING(COLORREF, BkColor, bkColour)
KORVEL_DC_SETTING(UINT, TextAlign, textAlign)
KORVEL_DC_SETTING(int, StretchBltMode, stretchMode)
#undef KORVEL_DC_SETTING

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    std::lock_guard guard(m_impl->lock);
    const int old = m_impl->bkMode;
    m_impl->bkMode = mode;
    return old;
}

int CDC::GetBkMode() const
{
    std::lock_guard guard(m_impl->lock);
    return m_impl->bkMode;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    std::lock_guard guard(m_impl->lock);
    const QPoint old = m_impl->origin;
    m_impl->origin = QPoint(x, y);
    return CPoint(old.x(), old.y());
}

CPoint CDC::GetWindowOrg() const
{
    std::lock_guard guard(m_impl->lock);
    return CPoint(m_impl->origin.x(), m_impl->origin.y());
}

int CDC::GetClipBox(LPRECT rect) const
{
    const auto s = m_impl->Take();
    if (rect == nullptr || !s.surface)
        return 0;
    QSize size;
    {
        std::lock_guard guard(s.surface->Lock());
        size = s.surface->Image().size();
    }
    *rect = RECT{s.origin.x(), s.origin.y(), s.origin.x() + size.width(), s.origin.y() + size.height()};
    return size.isEmpty() ? NULLREGION : SIMPLEREGION;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, DWORD rop)
{
    if (source == nullptr)
        return FALSE;
    return StretchBlt(x, y, width, height, source, srcX, srcY, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, int srcWidth, int srcHeight,
                     DWORD rop)
{
    if (source == nullptr || rop != SRCCOPY || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return FALSE;
    const auto dst = m_impl->Take();
    const auto src = source->m_impl->Take();
    if (!dst.surface || !src.surface)
        return FALSE;
    const QRect wanted(srcX - src.origin.x(), srcY - src.origin.y(), srcWidth, srcHeight);
    const QRectF target(x, y, width, height);
    QRect changed;
    {
        // One lock when both are the same image, else both without deadlock.
        std::unique_lock<std::mutex> first(src.surface->Lock(), std::defer_lock);
        std::unique_lock<std::mutex> second(dst.surface->Lock(), std::defer_lock);
        if (src.surface == dst.surface)
            first.lock();
        else
            std::lock(first, second);
        const QImage& from = src.surface->Image();
        const QRect part = wanted.intersected(from.rect());
        if (part.isEmpty())
            return FALSE;
        const double sx = double(width) / srcWidth;
        const double sy = double(height) / srcHeight;
        const QRectF placed(target.x() + (part.x() - wanted.x()) * sx, target.y() + (part.y() - wanted.y()) * sy,
                            part.width() * sx, part.height() * sy);
        // The same image is copied out first: a painter never reads its own target.
        const QImage piece = src.surface == dst.surface ? from.copy(part) : QImage();
        QImage& to = dst.surface->Image();
        QPainter painter(&to);
        painter.translate(-dst.origin);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (piece.isNull())
            painter.drawImage(placed, from, part);
        else
            painter.drawImage(placed, piece, piece.rect());
        painter.end();
        changed = placed.toAlignedRect().translated(-dst.origin).intersected(to.rect());
    }
    if (!changed.isEmpty())
        dst.surface->NotifyChanged(changed);
    return TRUE;
}

int CDC::StretchDIBits(int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                       const void* bits, std::size_t bitsSize, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    if (usage != DIB_RGB_COLORS || rop != SRCCOPY || width <= 0 || height <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return 0;
    const auto decoded = gdi_detail::DecodeDib(info, bits, bitsSize);
    if (!decoded)
        return 0;
    const QImage& image = decoded->image;
    const bool bottomUp = info->bmiHeader.biHeight > 0;
    const QRect wanted(srcX, bottomUp ? image.height() - srcY - srcHeight : srcY, srcWidth, srcHeight);
    const QRect part = wanted.intersected(image.rect());
    if (part.isEmpty())
        return 0;
    const double sx = double(width) / srcWidth;
    const double sy = double(height) / srcHeight;
    const QRectF placed(x + (part.x() - wanted.x()) * sx, y + (part.y() - wanted.y()) * sy, part.width() * sx,
                        part.height() * sy);
    const auto s = m_impl->Take();
    const bool drawn = Impl::Paint(s, placed.toAlignedRect(), [&](QPainter& painter, QImage&) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(placed, image, part);
    });
    return drawn ? image.height() : 0;
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan, UINT scanLines,
                           const void* bits, std::size_t bitsSize, const BITMAPINFO* info, UINT usage)
{
    if (usage != DIB_RGB_COLORS || info == nullptr || width == 0 || height == 0 || startScan > INT_MAX ||
        scanLines > INT_MAX || width > INT_MAX || height > INT_MAX)
        return 0;
    const auto decoded =
        gdi_detail::DecodeDib(info, bits, bitsSize, static_cast<int>(startScan), static_cast<int>(scanLines));
    if (!decoded)
        return 0;
    const QImage& image = decoded->image;
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    const bool bottomUp = info->bmiHeader.biHeight > 0;
    const QRect wanted(srcX, bottomUp ? image.height() - srcY - h : srcY, w, h);
    const QRect part = wanted.intersected(image.rect());
    if (part.isEmpty())
        return 0;
    const QPoint at(x + part.x() - wanted.x(), y + part.y() - wanted.y());
    const auto s = m_impl->Take();
    const bool drawn = Impl::Paint(s, QRect(at, part.size()), [&](QPainter& painter, QImage&) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(at, image, part);
    });
    return drawn ? static_cast<int>(scanLines) : 0;
}

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    if (brush != nullptr && brush->Data() && !brush->Data()->hollow)
        FillSolidRect(rect, brush->Data()->colour);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour)
{
    if (rect != nullptr)
        FillSolidRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, colour);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF colour)
{
    if (width <= 0 || height <= 0)
        return;
    const QRect area(x, y, width, height);
    Impl::Paint(m_impl->Take(), area, [&](QPainter& painter, QImage&) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, ToQColor(colour));
    });
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    if (rect == nullptr || brush == nullptr || !brush->Data() || brush->Data()->hollow)
        return;
    const QRect area = FromRect(*rect);
    if (area.isEmpty())
        return;
    const QColor colour = ToQColor(brush->Data()->colour);
    Impl::Paint(m_impl->Take(), area, [&](QPainter& painter, QImage&) { DrawFrame(painter, area, colour); });
}

BOOL CDC::Rectangle(LPCRECT rect)
{
    return rect == nullptr ? FALSE : Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    if (area.isEmpty())
        return FALSE;
    const auto s = m_impl->Take();
    return Impl::Paint(s, area,
                       [&](QPainter& painter, QImage&) {
                           painter.setCompositionMode(QPainter::CompositionMode_Source);
                           if (s.brush && !s.brush->hollow)
                               painter.fillRect(area, ToQColor(s.brush->colour));
                           if (IsThinSolid(s.pen)) {
                               DrawFrame(painter, area, ToQColor(s.pen->colour));
                           } else if (s.pen && !s.pen->hollow) {
                               painter.setPen(ToQPen(s.pen));
                               painter.setBrush(Qt::NoBrush);
                               painter.drawRect(area.adjusted(0, 0, -1, -1));
                           }
                       })
               ? TRUE
               : FALSE;
}

CPoint CDC::MoveTo(int x, int y)
{
    std::lock_guard guard(m_impl->lock);
    const QPoint old = m_impl->position;
    m_impl->position = QPoint(x, y);
    return CPoint(old.x(), old.y());
}

BOOL CDC::LineTo(int x, int y)
{
    QPoint from;
    {
        std::lock_guard guard(m_impl->lock);
        from = m_impl->position;
        m_impl->position = QPoint(x, y);
    }
    const QPoint to(x, y);
    const auto s = m_impl->Take();
    if (s.printer)
        return s.printer->Line(Impl::ToDevice(s, from), Impl::ToDevice(s, to), ToQPen(s.pen)) ? TRUE : FALSE;
    if (from == to)
        return TRUE;
    const int halfWidth = s.pen ? s.pen->penWidth : 1;
    const QRect dirty = QRect(from, to).normalized().adjusted(-halfWidth, -halfWidth, halfWidth, halfWidth);
    return Impl::Paint(s, dirty,
                       [&](QPainter& painter, QImage&) {
                           if (!s.pen || s.pen->hollow)
                               return;
                           painter.setCompositionMode(QPainter::CompositionMode_Source);
                           if (IsThinSolid(s.pen)) {
                               // Bresenham's line, without its last point.
                               const QColor c = ToQColor(s.pen->colour);
                               int x0 = from.x(), y0 = from.y();
                               const int dx = std::abs(to.x() - x0), sx = x0 < to.x() ? 1 : -1;
                               const int dy = -std::abs(to.y() - y0), sy = y0 < to.y() ? 1 : -1;
                               int err = dx + dy;
                               while (x0 != to.x() || y0 != to.y()) {
                                   painter.fillRect(QRect(x0, y0, 1, 1), c);
                                   const int e2 = 2 * err;
                                   if (e2 >= dy) {
                                       err += dy;
                                       x0 += sx;
                                   }
                                   if (e2 <= dx) {
                                       err += dx;
                                       y0 += sy;
                                   }
                               }
                           } else {
                               painter.setPen(ToQPen(s.pen));
                               painter.drawLine(from, to);
                           }
                       })
               ? TRUE
               : FALSE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF colour)
{
    bool inside = false;
    Impl::Paint(m_impl->Take(), QRect(x, y, 1, 1), [&](QPainter& painter, QImage& image) {
        const QPoint device = painter.transform().map(QPoint(x, y));
        inside = image.rect().contains(device);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(QRect(x, y, 1, 1), ToQColor(colour));
    });
    return inside ? (colour & 0x00FFFFFF) : CLR_INVALID;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const auto s = m_impl->Take();
    if (!s.surface)
        return CLR_INVALID;
    std::lock_guard guard(s.surface->Lock());
    const QImage& image = s.surface->Image();
    const QPoint device(x - s.origin.x(), y - s.origin.y());
    if (!image.rect().contains(device))
        return CLR_INVALID;
    return gdi_detail::ToColorRef(image.pixel(device));
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    if (!HaveFontSystem())
        return FALSE;
    const auto s = m_impl->Take();
    if (s.printer)
        return s.printer->Text(Impl::ToDevice(s, QPoint(x, y)), QString::fromStdString(text), ToQColor(s.text)) ? TRUE
                                                                                                                : FALSE;
    const QFont font = Impl::FontOf(s);
    const QFontMetrics metrics(font);
    const QString qtext = QString::fromStdString(text);
    const int width = metrics.horizontalAdvance(qtext);
    int left = x;
    if ((s.align & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if ((s.align & TA_RIGHT) == TA_RIGHT)
        left = x - width;
    int baseline = y + metrics.ascent();
    if ((s.align & TA_BASELINE) == TA_BASELINE)
        baseline = y;
    else if ((s.align & TA_BOTTOM) == TA_BOTTOM)
        baseline = y - metrics.descent();
    const QRect box(left, baseline - metrics.ascent(), width, metrics.height());
    return Impl::Paint(s, box,
                       [&](QPainter& painter, QImage&) {
                           if (s.bkMode == OPAQUE) {
                               painter.setCompositionMode(QPainter::CompositionMode_Source);
                               painter.fillRect(box, ToQColor(s.bk));
                           }
                           painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
                           painter.setFont(font);
                           painter.setPen(ToQColor(s.text));
                           painter.drawText(QPoint(left, baseline), qtext);
                       })
               ? TRUE
               : FALSE;
}

int CDC::DrawText(const std::string& text, LPRECT rect, UINT format)
{
    if (rect == nullptr || !HaveFontSystem())
        return 0;
    const auto s = m_impl->Take();
    const QFont font = Impl::FontOf(s);
    const QFontMetrics metrics(font);
    const QString qtext = QString::fromStdString(text);
    int flags = 0;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER)
            flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM)
            flags |= Qt::AlignBottom;
        else
            flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    const QRect area(QPoint(rect->left, rect->top), QPoint(rect->right - 1, rect->bottom - 1));
    if (format & DT_CALCRECT) {
        const bool wraps = (flags & Qt::TextWordWrap) != 0;
        const QRect limit(rect->left, rect->top, wraps ? std::max(area.width(), 1) : 1 << 20, 1 << 20);
        const QRect needed = metrics.boundingRect(
            limit, flags & ~(Qt::AlignHCenter | Qt::AlignRight | Qt::AlignVCenter | Qt::AlignBottom), qtext);
        rect->right = rect->left + needed.width();
        rect->bottom = rect->top + needed.height();
        return needed.height();
    }
    QRect drawn = metrics.boundingRect(area, flags, qtext);
    Impl::Paint(s, (format & DT_NOCLIP) ? drawn : drawn.intersected(area), [&](QPainter& painter, QImage&) {
        if (!(format & DT_NOCLIP))
            painter.setClipRect(area);
        if (s.bkMode == OPAQUE) {
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.fillRect(drawn, ToQColor(s.bk));
        }
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setFont(font);
        painter.setPen(ToQColor(s.text));
        painter.drawText(area, flags, qtext);
    });
    return drawn.height();
}

CSize CDC::GetTextExtent(const std::string& text) const
{
    if (!HaveFontSystem())
        return CSize();
    const auto s = m_impl->Take();
    if (s.printer) {
        const QSize size = Impl::ToLogical(s, s.printer->TextSize(QString::fromStdString(text)));
        return CSize(size.width(), size.height());
    }
    const QFontMetrics metrics(Impl::FontOf(s));
    return CSize(metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height());
}
