// A console-type part of the front panel (CONSOLE, MASTER, RPS, FAN). A click
// on it starts a Telnet session to the switch.
#pragma once

#include "panel/CSubject.h"
#include "panel/CVirtualDev.h"

class CCom : public CVirtualDev, public CSubject
{
public:
    using CVirtualDev::GetState;
    using CVirtualDev::SetState;

    const char* GetRuntimeClassName() const override { return "CCom"; }
    // Hand cursor when the point is inside the part.
    void OnMouseMove(int& x, int& y) override;
    // Hands the part's state to its attached lamps; loads no bitmap.
    int Refresh() override;
    // When hit: starts "Telnet " followed by the device address.
    void OnClick(int& x, int& y) override;
};
