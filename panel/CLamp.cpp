#include "panel/CLamp.h"

#include "panel/CSubject.h"

CLamp::CLamp()
{
    m_strName = "Lamp";
    m_nState = LAMPOFF;
}

void CLamp::SetType(int& type)
{
    m_nLampType = type;
}

void CLamp::Draw()
{
    std::lock_guard lock(PanelLock());
    const char* name = m_lampBitmaps.Get(m_nState);
    if (name == nullptr || *name == '\0' || m_pDC == nullptr)
        return;
    if (m_bitmap.LoadFromFile(name))
        m_bitmap.DrawAt(m_pDC, m_nLeft, m_nTop);
}

void CLamp::Update()
{
    std::lock_guard lock(PanelLock());
    const int subjectState = m_pSubject != nullptr ? m_pSubject->GetState() : LAMPOFF;
    StoreState(subjectState == LAMPON || subjectState == LAMP1G ? subjectState : LAMPOFF);
    Draw();
}
