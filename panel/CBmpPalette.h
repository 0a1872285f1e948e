// The logical palette of a bitmap with a colour table (1, 4 or 8 bits per
// pixel): one entry per palette entry of the bitmap.
#pragma once

#include "platform/ui/CPalette.h"

class CDIBitmap;

class CBmpPalette : public CPalette
{
public:
    explicit CBmpPalette(const CDIBitmap& bitmap);
};
