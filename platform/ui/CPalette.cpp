#include "platform/ui/CPalette.h"

#include "platform/ui/GdiObjectData.h"

BOOL CPalette::CreatePalette(const std::vector<PALETTEENTRY>& entries)
{
    if (entries.empty())
        return FALSE;
    auto data = std::make_shared<gdi_detail::GdiObjectData>();
    data->kind = gdi_detail::GdiKind::Palette;
    data->entries = entries;
    SetData(std::move(data));
    return TRUE;
}

int CPalette::GetEntryCount() const
{
    return Data() ? static_cast<int>(Data()->entries.size()) : 0;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const
{
    if (!Data() || entries == nullptr)
        return 0;
    const auto& all = Data()->entries;
    UINT copied = 0;
    for (UINT i = start; i < all.size() && copied < count; ++i)
        entries[copied++] = all[i];
    return copied;
}
