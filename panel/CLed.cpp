#include "panel/CLed.h"

#include "panel/CSubject.h"

CLed::CLed()
{
    m_strName = "Led";
}

int CLed::Refresh()
{
    std::lock_guard lock(PanelLock());
    if (m_nLedState < 0 || m_nLedState >= kLedBitmapCount)
        return 1;
    return m_bitmap.LoadFromFile(GetStateBitmap(m_nLedState));
}

void CLed::Update()
{
    std::lock_guard lock(PanelLock());
    Draw();
}

void CLed::SetBitmap(int index, const char* name)
{
    std::lock_guard lock(PanelLock());
    m_ledBitmaps.Set(index, name);
}

const char* CLed::GetStateBitmap(int index) const
{
    return m_ledBitmaps.Get(index);
}

int CLed::GetLedState() const
{
    std::lock_guard lock(PanelLock());
    return m_nLedState;
}
