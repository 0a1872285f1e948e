// A width and a height in pixels.
#pragma once

#include "platform/system/WinTypes.h"

struct SIZE
{
    LONG cx;
    LONG cy;
};

class CSize : public SIZE
{
public:
    CSize() : SIZE{0, 0} {}
    CSize(int width, int height) : SIZE{width, height} {}
    CSize(const SIZE& s) : SIZE(s) {}

    bool operator==(const CSize& other) const { return cx == other.cx && cy == other.cy; }
    bool operator!=(const CSize& other) const { return !(*this == other); }
};
