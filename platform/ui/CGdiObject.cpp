#include "platform/ui/CGdiObject.h"

#include "platform/ui/GdiObjectData.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace gdi_detail {

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF ToColorRef(QRgb rgb)
{
    return RGB(static_cast<BYTE>(qRed(rgb)), static_cast<BYTE>(qGreen(rgb)), static_cast<BYTE>(qBlue(rgb)));
}

std::shared_ptr<DrawSurface> MakeSurface(int width, int height, QRgb fill)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return std::make_shared<DrawSurface>(std::move(image));
}

} // namespace gdi_detail

using gdi_detail::GdiKind;
using gdi_detail::GdiObjectData;

BOOL CGdiObject::DeleteObject()
{
    if (!m_data)
        return FALSE;
    m_data.reset();
    return TRUE;
}

BOOL CGdiObject::CreateStockObject(int index)
{
    auto data = std::make_shared<GdiObjectData>();
    const auto brush = [&](COLORREF colour, bool hollow) {
        data->kind = GdiKind::Brush;
        data->colour = colour;
        data->hollow = hollow;
    };
    const auto pen = [&](COLORREF colour, bool hollow) {
        data->kind = GdiKind::Pen;
        data->colour = colour;
        data->hollow = hollow;
        data->penStyle = hollow ? PS_NULL : PS_SOLID;
    };
    switch (index) {
    case WHITE_BRUSH:
        brush(RGB(255, 255, 255), false);
        break;
    case LTGRAY_BRUSH:
        brush(RGB(192, 192, 192), false);
        break;
    case GRAY_BRUSH:
        brush(RGB(128, 128, 128), false);
        break;
    case DKGRAY_BRUSH:
        brush(RGB(64, 64, 64), false);
        break;
    case BLACK_BRUSH:
        brush(RGB(0, 0, 0), false);
        break;
    case NULL_BRUSH:
        brush(0, true);
        break;
    case WHITE_PEN:
        pen(RGB(255, 255, 255), false);
        break;
    case BLACK_PEN:
        pen(RGB(0, 0, 0), false);
        break;
    case NULL_PEN:
        pen(0, true);
        break;
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEFAULT_GUI_FONT:
        data->kind = GdiKind::Font;
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
            data->font = QGuiApplication::font();
        break;
    default:
        return FALSE;
    }
    m_data = std::move(data);
    return TRUE;
}
