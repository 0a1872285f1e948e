#include "panel/CCom.h"

#include "common/Globals.h"
#include "platform/system/ProcessLaunch.h"

void CCom::OnMouseMove(int& x, int& y)
{
    if (HitTest(x, y))
        ShowCursor(PartCursor::Hand);
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
    // "Telnet " and the device address; a program that cannot start is not reported.
    std::vector<std::string> command{"telnet"};
    if (!g_strDeviceIP.empty())
        command.push_back(g_strDeviceIP);
    StartInTerminal(command);
}
