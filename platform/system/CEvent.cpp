#include "platform/system/CEvent.h"

#include "platform/system/UiThreadWait.h"

#include <chrono>

CEvent::CEvent(BOOL initiallySet, BOOL manualReset) : m_manualReset(manualReset != FALSE), m_set(initiallySet != FALSE)
{
}

BOOL CEvent::SetEvent()
{
    {
        std::lock_guard lock(m_lock);
        m_set = true;
    }
    m_changed.notify_all();
    ui_wait::Wake();
    return TRUE;
}

BOOL CEvent::ResetEvent()
{
    std::lock_guard lock(m_lock);
    m_set = false;
    return TRUE;
}

bool CEvent::TakeSignal()
{
    if (!m_set)
        return false;
    if (!m_manualReset)
        m_set = false;
    return true;
}

BOOL CEvent::Lock(DWORD timeoutMs)
{
    if (ui_wait::IsUiThread()) {
        const bool signalled = ui_wait::WaitServingUi(
            [this] {
                std::lock_guard lock(m_lock);
                return TakeSignal();
            },
            timeoutMs);
        return signalled ? TRUE : FALSE;
    }
    std::unique_lock lock(m_lock);
    if (timeoutMs == INFINITE) {
        m_changed.wait(lock, [this] { return m_set; });
    } else if (!m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_set; })) {
        return FALSE;
    }
    return TakeSignal() ? TRUE : FALSE;
}
