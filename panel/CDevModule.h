// The root of the front-panel tree (DEVICEPANEL). It draws nothing itself and
// hands the mouse to each of its direct children.
#pragma once

#include "panel/CSubject.h"
#include "panel/CVirtualDev.h"

class CDevModule : public CVirtualDev, public CSubject
{
public:
    using CVirtualDev::GetState;
    using CVirtualDev::SetState;

    const char* GetRuntimeClassName() const override { return "CDevModule"; }
    void OnMouseMove(int& x, int& y) override;
    // Loads nothing.
    int Refresh() override { return 1; }
    // Draws nothing: the owner draws the children with DrawChildren.
    void Draw() override {}
    void OnClick(int& x, int& y) override;
};
