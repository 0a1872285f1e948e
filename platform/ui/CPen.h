// A pen: line style, width in pixels (0 is one pixel) and colour.
#pragma once

#include "platform/ui/CGdiObject.h"

class CPen : public CGdiObject
{
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }

    // PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME.
    BOOL CreatePen(int style, int width, COLORREF colour);
};
