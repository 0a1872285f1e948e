#include "platform/ui/WindowFont.h"

#include "platform/ui/GdiObjectData.h"

void WindowFont::Assign(const QFont& font)
{
    auto data = std::make_shared<gdi_detail::GdiObjectData>();
    data->kind = gdi_detail::GdiKind::Font;
    data->font = font;
    SetData(std::move(data));
}
