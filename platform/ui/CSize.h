// A size in pixels.
#pragma once

#include "platform/ui/UiTypes.h"

class CSize : public SIZE
{
public:
    CSize() = default;
    CSize(int cx0, int cy0)
    {
        cx = cx0;
        cy = cy0;
    }
    CSize(const SIZE& s) : SIZE(s) {}

    bool operator==(const SIZE& s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(const SIZE& s) const { return !(*this == s); }
};
