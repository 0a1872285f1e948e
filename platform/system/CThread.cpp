#include "platform/system/CThread.h"

#include "platform/system/DebugTrace.h"
#include "platform/system/UiThreadWait.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>

struct CThread::State
{
    std::mutex lock;
    std::condition_variable ended;
    bool finished = true;
};

CThread::CThread() : m_state(std::make_shared<State>()) {}

CThread::~CThread()
{
    if (!m_thread.joinable())
        return;
    if (IsRunning())
        m_thread.detach();
    else
        m_thread.join();
}

bool CThread::Start(std::function<void()> body)
{
    if (IsRunning())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    auto state = std::make_shared<State>();
    state->finished = false;
    try {
        m_thread = std::thread([state, body = std::move(body)] {
            try {
                if (body)
                    body();
            } catch (const std::exception& e) {
                DebugTrace("thread ended by an exception: %s", e.what());
            } catch (...) {
                DebugTrace("thread ended by an exception");
            }
            {
                std::lock_guard lock(state->lock);
                state->finished = true;
            }
            state->ended.notify_all();
            ui_wait::Wake();
        });
    } catch (const std::system_error&) {
        return false;
    }
    m_state = std::move(state);
    return true;
}

bool CThread::Join(DWORD timeoutMs)
{
    const auto state = m_state;
    const auto finished = [&state] {
        std::lock_guard lock(state->lock);
        return state->finished;
    };
    bool ended;
    if (ui_wait::IsUiThread()) {
        ended = ui_wait::WaitServingUi(finished, timeoutMs);
    } else {
        std::unique_lock lock(state->lock);
        if (timeoutMs == INFINITE) {
            state->ended.wait(lock, [&] { return state->finished; });
            ended = true;
        } else {
            ended = state->ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return state->finished; });
        }
    }
    if (ended && m_thread.joinable())
        m_thread.join();
    return ended;
}

bool CThread::IsRunning() const
{
    std::lock_guard lock(m_state->lock);
    return !m_state->finished;
}

void CThread::Detach()
{
    if (m_thread.joinable())
        m_thread.detach();
    m_state = std::make_shared<State>();
}
