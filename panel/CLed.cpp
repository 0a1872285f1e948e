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
    if (index < 0 || index >= kLedBitmapCount)
        return;
    std::lock_guard lock(PanelLock());
    if (name == nullptr)
        m_strLedBitmaps[index].reset();
    else
        m_strLedBitmaps[index] = name;
}

const char* CLed::GetStateBitmap(int index) const
{
    if (index < 0 || index >= kLedBitmapCount || !m_strLedBitmaps[index])
        return nullptr;
    return m_strLedBitmaps[index]->c_str();
}

int CLed::GetLedState() const
{
    std::lock_guard lock(PanelLock());
    return m_nLedState;
}
