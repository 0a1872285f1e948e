// A click on a port announces itself to the other programs of the session
// before the port's action runs; without a session bus the action still runs.
#include "panel/CDevModule.h"
#include "panel/CPort.h"
#include "platform/system/Broadcast.h"
#include "support/PrivateSessionBus.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>

#include <cstdlib>

namespace {

class ClickListener : public QObject
{
    Q_OBJECT
public:
    QList<QDBusMessage> received;

public slots:
    void OnBroadcast(const QDBusMessage& message) { received.append(message); }
};

struct Panel
{
    CDevModule root;
    CPort* port = nullptr;
    Panel()
    {
        port = static_cast<CPort*>(root.AddChild(std::make_unique<CPort>()));
        port->SetGeometry(10, 10, 22, 18);
    }
    void Click(int x, int y) { root.OnClick(x, y); }
};

TEST(PortClick, BroadcastsThePortClickMessageThenRunsTheAction)
{
    int argc = 1;
    char name[] = "test_panel";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    if (!PrivateSessionBus::Available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.Running());

    ClickListener listener;
    QDBusConnection other = QDBusConnection::connectToBus(bus.Address(), "listener");
    ASSERT_TRUE(other.connect(QString(), kBroadcastPath, kBroadcastInterface, kBroadcastMember, &listener,
                              SLOT(OnBroadcast(QDBusMessage))));

    Panel panel;
    int actions = 0;
    CPort::SetClickAction([&](CPort& port) {
        EXPECT_EQ(&port, panel.port);
        ++actions;
    });
    panel.Click(5, 5); // beside the port
    panel.Click(20, 20);
    CPort::SetClickAction({});
    EXPECT_EQ(actions, 1);

    QDeadlineTimer deadline(10000);
    while (listener.received.isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
    ASSERT_EQ(listener.received.size(), 1);
    const QList<QVariant> args = listener.received.front().arguments();
    ASSERT_EQ(args.size(), 3);
    EXPECT_EQ(args[0].toString().toStdString(), kPortClickMessage);
    EXPECT_EQ(args[1].toULongLong(), 0U);
    EXPECT_EQ(args[2].toLongLong(), panel.port->GetClickValue());

    QDBusConnection::disconnectFromBus("listener");
}

TEST(PortClick, WithoutASessionBusTheActionStillRuns)
{
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/korvel-test-bus", 1);
    int argc = 1;
    char name[] = "test_panel";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    Panel panel;
    int actions = 0;
    CPort::SetClickAction([&](CPort&) { ++actions; });
    panel.Click(20, 20);
    CPort::SetClickAction({});
    EXPECT_EQ(actions, 1);
}

} // namespace

#include "PortClickTest.moc"
