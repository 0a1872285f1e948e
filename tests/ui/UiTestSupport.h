// Helpers of the window layer's tests: the Qt application, running the event
// loop until something happened, and user input sent to widgets.
#pragma once

#include "platform/ui/MessageBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

inline void EnsureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "korvel-ui-test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv); // lives until the test process ends
    QCoreApplication::setApplicationName("korvel-module");
}

// Sleeps in the event loop until an event comes (a posted one, a timer, a
// window call carried from another thread) or for at most ms, and handles it.
// A wait on a condition that looks again only after this costs no processor
// time, where looking again at once would keep a core busy all along.
inline void WaitForEvents(int ms = 2)
{
    QTimer wake;
    wake.setSingleShot(true);
    wake.start(ms);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Runs the event loop until ready() holds or timeoutMs passed; returns ready().
inline bool PumpUntil(const std::function<bool()>& ready, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!ready()) {
        if (timer.elapsed() > timeoutMs)
            return ready();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (ready())
            return true;
        WaitForEvents();
    }
    return true;
}

inline void SendKey(QWidget* widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void Click(QWidget* widget, QPoint at)
{
    SendMouse(widget, QEvent::MouseButtonPress, at);
    SendMouse(widget, QEvent::MouseButtonRelease, at);
}

// Records every message box and answers it; thread-safe.
class BoxRecorder
{
public:
    explicit BoxRecorder(int answer = IDOK) : m_answer(answer)
    {
        SetMessageBoxHook([this](const MessageBoxCall& call) {
            std::lock_guard lock(m_lock);
            m_calls.push_back(call);
            m_threads.push_back(std::this_thread::get_id());
            return m_answer;
        });
    }
    ~BoxRecorder() { SetMessageBoxHook({}); }
    std::vector<MessageBoxCall> Calls() const
    {
        std::lock_guard lock(m_lock);
        return m_calls;
    }
    // The boxes' texts, in the order they were shown.
    std::vector<std::string> Texts() const
    {
        std::lock_guard lock(m_lock);
        std::vector<std::string> texts;
        for (const MessageBoxCall& call : m_calls)
            texts.push_back(call.text);
        return texts;
    }
    std::vector<std::thread::id> Threads() const
    {
        std::lock_guard lock(m_lock);
        return m_threads;
    }

private:
    mutable std::mutex m_lock;
    int m_answer;
    std::vector<MessageBoxCall> m_calls;
    std::vector<std::thread::id> m_threads;
};
