// Inside the drawing layer only (Qt types): what a pen, brush, font, bitmap or
// palette holds. A device context keeps a reference to the data of each object
// selected into it, so deleting an object never pulls data from under a
// drawing.
#pragma once

#include "platform/ui/DrawSurface.h"
#include "platform/ui/GdiTypes.h"

#include <QFont>

#include <memory>
#include <vector>

namespace gdi_detail {

enum class GdiKind
{
    None,
    Pen,
    Brush,
    Font,
    Bitmap,
    Palette,
};

struct GdiObjectData
{
    GdiKind kind = GdiKind::None;
    // pen
    int penStyle = PS_SOLID;
    int penWidth = 1;
    // pen and brush
    COLORREF colour = 0;
    bool hollow = false; // a null brush or pen
    // font
    QFont font;
    // bitmap
    std::shared_ptr<DrawSurface> surface;
    // palette
    std::vector<PALETTEENTRY> entries;
};

QColor ToQColor(COLORREF colour);
COLORREF ToColorRef(QRgb rgb);

} // namespace gdi_detail
