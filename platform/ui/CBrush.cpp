#include "platform/ui/CBrush.h"

#include "platform/ui/GdiObjectData.h"

BOOL CBrush::CreateSolidBrush(COLORREF colour)
{
    auto data = std::make_shared<gdi_detail::GdiObjectData>();
    data->kind = gdi_detail::GdiKind::Brush;
    data->colour = colour & 0x00FFFFFF;
    SetData(std::move(data));
    return TRUE;
}
