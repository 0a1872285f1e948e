// A D-Bus session bus of the test's own (dbus-daemon), made the process's
// session bus through DBUS_SESSION_BUS_ADDRESS. Needs a QCoreApplication.
//
//     PrivateSessionBus bus;
//     if (!bus.Available()) GTEST_SKIP() << "dbus-daemon is not installed";
//     ASSERT_TRUE(bus.Running());
//     QDBusConnection other = QDBusConnection::connectToBus(bus.Address(), "listener");
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>

class PrivateSessionBus
{
public:
    PrivateSessionBus()
    {
        if (!Available())
            return;
        m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!m_daemon.waitForStarted(10000))
            return;
        QDeadlineTimer deadline(10000);
        while (!m_daemon.canReadLine() && !deadline.hasExpired())
            m_daemon.waitForReadyRead(100);
        const QByteArray address = m_daemon.readLine().trimmed();
        if (address.isEmpty())
            return;
        m_address = QString::fromLatin1(address);
        setenv("DBUS_SESSION_BUS_ADDRESS", address.constData(), 1);
    }
    ~PrivateSessionBus()
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            m_daemon.waitForFinished(5000);
        }
    }
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    static bool Available() { return !QStandardPaths::findExecutable("dbus-daemon").isEmpty(); }
    bool Running() const { return !m_address.isEmpty(); }
    const QString& Address() const { return m_address; }

private:
    QProcess m_daemon;
    QString m_address;
};
