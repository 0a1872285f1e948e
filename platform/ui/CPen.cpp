#include "platform/ui/CPen.h"

#include "platform/ui/GdiObjectData.h"

BOOL CPen::CreatePen(int style, int width, COLORREF colour)
{
    if (style < PS_SOLID || style > PS_INSIDEFRAME)
        return FALSE;
    auto data = std::make_shared<gdi_detail::GdiObjectData>();
    data->kind = gdi_detail::GdiKind::Pen;
    data->penStyle = style;
    data->penWidth = std::max(width, 1);
    data->colour = colour;
    data->hollow = style == PS_NULL;
    SetData(std::move(data));
    return TRUE;
}
