// A brush that fills with one colour (or, the stock null brush, with nothing).
#pragma once

#include "platform/ui/CGdiObject.h"

class CBrush : public CGdiObject
{
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }

    BOOL CreateSolidBrush(COLORREF colour);
};
