// A lamp of the front panel (LAMP). Under a port or a console-type part it
// observes that part and follows its state; elsewhere it keeps the state its
// description gave.
#pragma once

#include "panel/BitmapNameTable.h"
#include "panel/CObserver.h"
#include "panel/CVirtualDev.h"
#include "panel/PartStates.h"

class CLamp : public CVirtualDev, public CObserver
{
public:
    CLamp();

    const char* GetRuntimeClassName() const override { return "CLamp"; }
    // Stores the lamp type.
    void SetType(int& type) override;
    // Changes nothing.
    int Refresh() override { return 1; }
    // Draws the bitmap of the lamp's state at its top-left corner in the
    // bitmap's own size; nothing when the state has no bitmap name.
    void Draw() override;
    // Takes LAMPON for subject state 0, LAMP1G for 1, LAMPOFF for any other,
    // and draws.
    void Update() override;

    bool IsType(int type) const { return m_nLampType == type; }
    int GetLampType() const { return m_nLampType; }

private:
    int m_nLampType = LAMP_TYPE_NONE;
    // One bitmap name per lamp state; the panel description gives none.
    BitmapNameTable m_lampBitmaps{kLampBitmapCount};
};
