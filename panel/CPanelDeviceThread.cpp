#include "panel/CPanelDeviceThread.h"

#include "common/Globals.h"
#include "platform/system/DebugTrace.h"
#include "platform/system/UiThreadWait.h"

#include <mutex>

namespace {

// The pause at the start of every cycle.
constexpr DWORD kCyclePause = 500;
// The wait after a cycle, in units: after a failed or skipped PoE read, and
// otherwise.
constexpr int kShortWaitUnits = 2;
constexpr int kLongWaitUnits = 10;

// Polling loops alive in the process, the ones that were let go included.
std::mutex g_threadsLock;
int g_nThreads = 0;

void CountThread(int delta)
{
    {
        std::lock_guard lock(g_threadsLock);
        g_nThreads += delta;
    }
    ui_wait::Wake();
}

} // namespace

CPanelDeviceThread::~CPanelDeviceThread()
{
    RequestStop();
}

void CPanelDeviceThread::RequestStop()
{
    m_bStop = 1;
    if (m_pOwner)
        m_pOwner->RequestStop();
}

void CPanelDeviceThread::SetOwner(std::shared_ptr<CPanelStatus> pOwner)
{
    m_pOwner = std::move(pOwner);
}

bool CPanelDeviceThread::CreateThread()
{
    std::shared_ptr<CPanelDeviceThread> self = weak_from_this().lock();
    if (!self)
        return false;
    CountThread(1);
    const bool bStarted = m_thread.Start([self]() mutable {
        self->Run();
        // The last owner may be this thread: what the loop used goes now.
        self.reset();
        CountThread(-1);
    });
    if (!bStarted)
        CountThread(-1);
    return bStarted;
}

bool CPanelDeviceThread::WaitForThreads(DWORD timeoutMs)
{
    return ui_wait::WaitServingUi(
        [] {
            std::lock_guard lock(g_threadsLock);
            return g_nThreads == 0;
        },
        timeoutMs);
}

int CPanelDeviceThread::Run()
{
    if (!m_pOwner)
        return -1;
    CPanelStatus& status = *m_pOwner;
    const DWORD unit = g_strSnmpVersion == "1" ? 500 : 1000;
    const bool bPoe = status.IsPoeModel();
    int nPoeResult = 0;

    // A stop request also ends the status's waits (Pause), so the loop ends at
    // once from a wait too.
    const auto running = [this] { return m_bStop == 0; };
    while (running()) {
        if (!status.Pause(kCyclePause))
            break;
        if (status.m_bFeatureDialogOpen == 0) {
            status.CheckDeviceReachable();
            if (g_bHasFan == 1 && running())
                status.GetFanStatus();
            if (!running())
                break;
            if (bPoe) {
                OutputDebugString("-----------------m_pOwner->Get10PPOEOrLinkStatus");
                nPoeResult = status.Get10PPOEOrLinkStatus();
            } else {
                status.GetDeviceValues();
            }
        }
        // After a failed or skipped PoE read the next attempt comes sooner.
        int nUnits = kLongWaitUnits;
        if (nPoeResult == -1) {
            OutputDebugString("-1-1-1-1-1-1-1-1-1-1-1-");
            nUnits = kShortWaitUnits;
        }
        for (int i = 0; i < nUnits; ++i) {
            if (!status.Pause(unit))
                break;
        }
    }
    return 0;
}

bool CPanelDeviceThread::Stop(DWORD timeoutMs)
{
    RequestStop();
    if (m_thread.Join(timeoutMs))
        return true;
    m_thread.Detach();
    return false;
}
