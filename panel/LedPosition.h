// One entry of the LED position table that the panel description reader fills
// from the elements whose ID is "0" (their LEFT and TOP go into x1 and y1).
#pragma once

#include "platform/system/WinTypes.h"

struct LedPosition
{
    BYTE flag = 0;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};
