// An LED of the front panel (LED). Its LED state 0 to 9 chooses one of ten
// bitmaps; it starts at 0 and nothing changes it.
#pragma once

#include "panel/BitmapNameTable.h"
#include "panel/CObserver.h"
#include "panel/CVirtualDev.h"
#include "panel/PartStates.h"

class CLed : public CVirtualDev, public CObserver
{
public:
    CLed();

    const char* GetRuntimeClassName() const override { return "CLed"; }
    // Loads the bitmap of the LED state; 1 on success or for a state outside
    // 0 to 9, 0 when it cannot be loaded.
    int Refresh() override;
    // Draws the LED; the subject's state is not used.
    void Update() override;

    // Bitmap of LED state index 0 to 9; another index is ignored, null makes it absent.
    void SetBitmap(int index, const char* name);
    const char* GetStateBitmap(int index) const;
    int GetLedState() const;

private:
    int m_nLedState = 0;
    BitmapNameTable m_ledBitmaps{kLedBitmapCount};
};
