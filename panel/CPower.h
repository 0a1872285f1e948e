// A power part of the front panel (POWER). It declares no run-time class of
// its own, so it reports "CObject" and no lamp is ever attached to it.
#pragma once

#include "panel/CSubject.h"
#include "panel/CVirtualDev.h"

class CPower : public CVirtualDev, public CSubject
{
public:
    using CVirtualDev::GetState;
    using CVirtualDev::SetState;

    // Hands the part's state to its attached lamps; loads no bitmap.
    int Refresh() override;
};
