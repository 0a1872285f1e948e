// A point in pixels.
#pragma once

#include "platform/ui/UiTypes.h"

class CPoint : public POINT
{
public:
    CPoint() = default;
    CPoint(int x0, int y0)
    {
        x = x0;
        y = y0;
    }
    CPoint(const POINT& p) : POINT(p) {}

    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    bool operator==(const POINT& p) const { return x == p.x && y == p.y; }
    bool operator!=(const POINT& p) const { return !(*this == p); }
    CPoint operator+(const POINT& p) const { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(const POINT& p) const { return CPoint(x - p.x, y - p.y); }
};
