#include "platform/ui/UiCallDispatcher.h"

#include "platform/ui/UiThreadCalls.h"

const QEvent::Type UiCallDispatcher::ServeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type UiCallDispatcher::PostedEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

UiCallDispatcher::UiCallDispatcher(QObject* parent) : QObject(parent) {}

bool UiCallDispatcher::event(QEvent* e)
{
    // The wake-up may come from another thread through Qt's event queue, whose
    // locking the thread sanitizer cannot see; it was posted under the calls'
    // lock, and taking that lock here makes the hand-over visible.
    UiThreadCalls::Synchronize();
    if (e->type() == ServeEvent) {
        UiThreadCalls::Serve();
        return true;
    }
    if (e->type() == PostedEvent) {
        UiThreadCalls::DeliverPosted();
        return true;
    }
    return QObject::event(e);
}
