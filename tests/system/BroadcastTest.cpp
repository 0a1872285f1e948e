// Broadcast messages reach other programs of the session bus; without a bus
// nothing is sent and nothing fails.
#include "platform/system/Broadcast.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>

#include <cstdlib>

namespace system_test {

namespace {

class SignalListener : public QObject
{
    Q_OBJECT
public:
    QList<QDBusMessage> received;

public slots:
    void OnBroadcast(const QDBusMessage& message) { received.append(message); }
};

TEST(Broadcast, PortClickReachesAListenerOnTheSessionBus)
{
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    int argc = 1;
    char name[] = "test_system";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
    ASSERT_TRUE(bus.waitForStarted(10000));
    QDeadlineTimer deadline(10000);
    while (!bus.canReadLine() && !deadline.hasExpired())
        bus.waitForReadyRead(100);
    const QByteArray address = bus.readLine().trimmed();
    ASSERT_FALSE(address.isEmpty());
    setenv("DBUS_SESSION_BUS_ADDRESS", address.constData(), 1);

    SignalListener listener;
    QDBusConnection other = QDBusConnection::connectToBus(QString::fromLatin1(address), "other-program");
    ASSERT_TRUE(other.isConnected());
    ASSERT_TRUE(other.connect(QString(), kBroadcastPath, kBroadcastInterface, kBroadcastMember, &listener,
                              SLOT(OnBroadcast(QDBusMessage))));

    EXPECT_TRUE(BroadcastSystemMessage("{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}", 0, 7));
    deadline = QDeadlineTimer(10000);
    while (listener.received.isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(listener.received.size(), 1);
    const auto args = listener.received.front().arguments();
    ASSERT_EQ(args.size(), 3);
    EXPECT_EQ(args[0].toString(), "{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}");
    EXPECT_EQ(args[1].toULongLong(), 0U);
    EXPECT_EQ(args[2].toLongLong(), 7);

    QDBusConnection::disconnectFromBus("other-program");
    bus.terminate();
    bus.waitForFinished(5000);
}

TEST(Broadcast, NoSessionBusSendsNothing)
{
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/korvel-test-bus", 1);
    int argc = 1;
    char name[] = "test_system";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    EXPECT_FALSE(BroadcastSystemMessage("{6FD9BA9B-9875-4c53-A57D-5E76258D10BE}", 0, 0));
}

} // namespace

} // namespace system_test

#include "BroadcastTest.moc"
