#include "panel/CCom.h"

void CCom::OnMouseMove(int& x, int& y)
{
    if (HitTest(x, y))
        ShowCursor(Cursor::Hand);
}

int CCom::Refresh()
{
    std::lock_guard lock(PanelLock());
    Publish(m_nState);
    return 1;
}

void CCom::OnClick(int& x, int& y)
{
    if (!HitTest(x, y))
        return;
}
