#include "panel/CPort.h"

#include "panel/CLamp.h"
#include "platform/system/Broadcast.h"
#include "platform/system/DebugTrace.h"

namespace {

std::function<void(CPort&)>& ClickAction()
{
    static std::function<void(CPort&)> action;
    return action;
}

} // namespace

CPort::CPort()
{
    m_nState = PORTENABLE;
}

void CPort::OnMouseMove(int& x, int& y)
{
    if (HitTest(x, y))
        ShowCursor(PartCursor::Hand);
}

int CPort::Refresh()
{
    std::lock_guard lock(PanelLock());
    const int status = m_nState;
    if (status < 0 || status >= kPortStatusCount) {
        CSubject::SetState(status);
        return 1;
    }
    if (status == PORTDISABLED)
        OutputDebugString("DOWN");
    const char* name = GetStatusBitmap(status);
    if (!m_bitmap.LoadFromFile(name))
        return 0;
    CSubject::SetState(status);
    return 1;
}

void CPort::OnClick(int& x, int& y)
{
    if (!HitTest(x, y))
        return;
    BroadcastSystemMessage(kPortClickMessage, 0, m_nClickValue);
    // The action may run a modal dialog: it runs on a copy, without the lock.
    const std::function<void(CPort&)> action = ClickAction();
    if (action)
        action(*this);
}

void CPort::SetBitmap(int index, const char* name)
{
    std::lock_guard lock(PanelLock());
    m_statusBitmaps.Set(index, name);
}

const char* CPort::GetStatusBitmap(int index) const
{
    return m_statusBitmaps.Get(index);
}

void CPort::SetStatus(int status)
{
    std::lock_guard lock(PanelLock());
    if (status == m_nState)
        return;
    StoreState(status);
    for (CObserver* observer : m_observers) {
        // Link and speed lamps show the link; every other lamp goes off.
        const auto* lamp = dynamic_cast<const CLamp*>(observer);
        const bool linkLamp = lamp != nullptr && (lamp->IsType(LAMP_TYPE_S100M) || lamp->IsType(LAMP_TYPE_LINK));
        int value = LAMPOFF;
        if (status == PORTLINK100 && linkLamp)
            value = LAMPON;
        else if (status == PORTLINK10 && linkLamp)
            value = LAMP1G;
        CSubject::SetState(value);
        observer->Update();
    }
    Refresh();
}

void CPort::SetClickAction(std::function<void(CPort&)> action)
{
    ClickAction() = std::move(action);
}
