// A point in pixels.
#pragma once

#include "platform/system/WinTypes.h"

struct POINT
{
    LONG x;
    LONG y;
};

class CPoint : public POINT
{
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int xValue, int yValue) : POINT{xValue, yValue} {}
    CPoint(const POINT& p) : POINT(p) {}

    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const CPoint& other) const { return !(*this == other); }
};
