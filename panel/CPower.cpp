#include "panel/CPower.h"

int CPower::Refresh()
{
    std::lock_guard lock(PanelLock());
    Publish(m_nState);
    return 1;
}
