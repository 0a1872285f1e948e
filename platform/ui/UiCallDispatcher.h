// Platform-internal: the object on the UI thread whose events wake the event
// loop to serve carried calls and deliver posted messages. The events carry no
// data: what they are about waits in UiThreadCalls' own queues.
#pragma once

#include <QEvent>
#include <QObject>

class UiCallDispatcher : public QObject
{
public:
    static const QEvent::Type ServeEvent;
    static const QEvent::Type PostedEvent;

    explicit UiCallDispatcher(QObject* parent);

protected:
    bool event(QEvent* e) override;
};
