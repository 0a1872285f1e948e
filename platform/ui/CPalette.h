// A logical palette. This platform draws in true colour: a palette changes no
// colour, selecting and realising it does nothing visible, and bitmaps draw
// the same with or without one.
#pragma once

#include "platform/ui/CGdiObject.h"

#include <vector>

class CPalette : public CGdiObject
{
public:
    BOOL CreatePalette(const std::vector<PALETTEENTRY>& entries);
    int GetEntryCount() const;
    // Copies up to `count` entries from `start`; returns how many were copied.
    UINT GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* entries) const;
};
