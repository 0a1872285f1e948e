// A slot of the front panel (SLOT): draws its bitmap when it is a direct
// child of the root.
#pragma once

#include "panel/CVirtualDev.h"

class CSlot : public CVirtualDev
{
public:
    const char* GetRuntimeClassName() const override { return "CSlot"; }
};
