// A plate of the front panel (PANEL): draws its bitmap when it is a direct
// child of the root.
#pragma once

#include "panel/CVirtualDev.h"

class CPanel : public CVirtualDev
{
public:
    const char* GetRuntimeClassName() const override { return "CPanel"; }
};
