#include "panel/CBmpPalette.h"

#include "panel/CDIBitmap.h"

#include <vector>

CBmpPalette::CBmpPalette(const CDIBitmap& bitmap)
{
    const DibRgbQuad* table = bitmap.GetColorTable();
    const int count = table != nullptr ? bitmap.GetPaletteEntries() : 0;
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0});
    CreatePalette(entries);
}
