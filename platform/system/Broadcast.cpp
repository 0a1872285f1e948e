#include "platform/system/Broadcast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

bool BroadcastSystemMessage(const std::string& messageName, WPARAM wParam, LPARAM lParam)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage signal =
        QDBusMessage::createSignal(QString::fromLatin1(kBroadcastPath), QString::fromLatin1(kBroadcastInterface),
                                   QString::fromLatin1(kBroadcastMember));
    signal << QString::fromStdString(messageName) << qulonglong(wParam) << qlonglong(lParam);
    return bus.send(signal);
}
