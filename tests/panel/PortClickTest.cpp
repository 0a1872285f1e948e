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

#include <cstdio>
#include <cstdlib>

namespace panel_test {

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

// The check proper, in a process of its own: Qt keeps a process's first
// session-bus connection for good, so a test before it in this executable
// that sent to another bus (or to none) would have it send there. Exits 0 when
// every check held; a failed check prints itself and exits 1.
[[noreturn]] void BroadcastInAFreshProcess()
{
    int argc = 1;
    char name[] = "test_panel";
    char* argv[] = {name, nullptr};
    int failures = 0;
    auto check = [&](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "failed: %s\n", what);
            ++failures;
        }
    };
    {
        QCoreApplication app(argc, argv);
        PrivateSessionBus bus;
        check(bus.Running(), "the private session bus runs");

        ClickListener listener;
        QDBusConnection other = QDBusConnection::connectToBus(bus.Address(), "listener");
        check(other.connect(QString(), kBroadcastPath, kBroadcastInterface, kBroadcastMember, &listener,
                            SLOT(OnBroadcast(QDBusMessage))),
              "the listener connects");

        Panel panel;
        int actions = 0;
        CPort* wrongPort = nullptr;
        CPort::SetClickAction([&](CPort& port) {
            if (&port != panel.port)
                wrongPort = &port;
            ++actions;
        });
        panel.Click(5, 5); // beside the port
        panel.Click(20, 20);
        CPort::SetClickAction({});
        check(actions == 1, "the action runs once, for the click on the port");
        check(wrongPort == nullptr, "the action gets the port clicked");

        QDeadlineTimer deadline(10000);
        while (listener.received.isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
        check(listener.received.size() == 1, "one broadcast arrives");
        if (listener.received.size() == 1) {
            const QList<QVariant> args = listener.received.front().arguments();
            check(args.size() == 3, "the broadcast has three arguments");
            if (args.size() == 3) {
                check(args[0].toString().toStdString() == kPortClickMessage, "it names the port click message");
                check(args[1].toULongLong() == 0U, "its wParam is 0");
                check(args[2].toLongLong() == panel.port->GetClickValue(), "its lParam is the port's click value");
            }
        }
        QDBusConnection::disconnectFromBus("listener");
    }
    std::fflush(stderr);
    std::_Exit(failures == 0 ? 0 : 1);
}

TEST(PortClick, BroadcastsThePortClickMessageThenRunsTheAction)
{
    if (!PrivateSessionBus::Available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    // "threadsafe" starts this executable again for this test alone.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(BroadcastInAFreshProcess(), testing::ExitedWithCode(0), "");
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

} // namespace panel_test

#include "PortClickTest.moc"
