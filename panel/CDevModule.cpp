#include "panel/CDevModule.h"

void CDevModule::OnMouseMove(int& x, int& y)
{
    for (const auto& child : m_children)
        child->OnMouseMove(x, y);
}

void CDevModule::OnClick(int& x, int& y)
{
    // Every child hit acts, also after another one has.
    for (const auto& child : m_children)
        child->OnClick(x, y);
}
