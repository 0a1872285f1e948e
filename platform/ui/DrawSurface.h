// Inside the drawing layer only (Qt types): the image that a device context
// draws on. Every image of the layer is one: a bitmap's, a window's kept image.
// Drawing and reading happen under its lock, so several threads may draw on
// one surface; `changed` (set by the window that shows the surface) hears of
// every change, from whichever thread made it.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include <functional>
#include <memory>
#include <mutex>

namespace gdi_detail {

class DrawSurface
{
public:
    explicit DrawSurface(QImage image) : m_image(std::move(image)) {}

    // The image, for drawing or reading, while `lock()` is held.
    std::mutex& Lock() { return m_lock; }
    QImage& Image() { return m_image; }

    // A copy of the image as it is now.
    QImage Snapshot()
    {
        std::lock_guard lock(m_lock);
        return m_image.copy();
    }

    // Shows the image (the part `area` of it) with a painter of the window.
    void Show(QPainter& painter, const QRect& area)
    {
        std::lock_guard lock(m_lock);
        painter.drawImage(area.topLeft(), m_image, area);
    }

    // Called (not under the lock) after a drawing changed `rect`.
    void SetChangedHandler(std::function<void(const QRect&)> changed)
    {
        std::lock_guard lock(m_handlerLock);
        m_changed = std::move(changed);
    }
    void NotifyChanged(const QRect& rect)
    {
        std::function<void(const QRect&)> changed;
        {
            std::lock_guard lock(m_handlerLock);
            changed = m_changed;
        }
        if (changed)
            changed(rect);
    }

    // Bits per pixel and colour table of the image as it was made (a loaded
    // 8-bit file stays 8 bits for GetBitmap and GetDIBits); 32 for drawn images.
    int bitsPixel = 32;
    QList<QRgb> colourTable;

private:
    std::mutex m_lock;
    QImage m_image; // always Format_ARGB32_Premultiplied
    std::mutex m_handlerLock;
    std::function<void(const QRect&)> m_changed;
};

// A surface of the given size, filled with `fill`.
std::shared_ptr<DrawSurface> MakeSurface(int width, int height, QRgb fill);

} // namespace gdi_detail
