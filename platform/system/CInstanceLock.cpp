#include "platform/system/CInstanceLock.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaObject>
#include <QStandardPaths>
#include <QString>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxEncoded = 64;
constexpr std::size_t kPrefixKept = 40;
constexpr char kRequest[] = "activate\n";
constexpr char kAnswer[] = "ok\n";

std::string RuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).absolutePath().toStdString();
}

} // namespace

struct CInstanceLock::Impl
{
    std::string name;
    int fd = -1;
    std::unique_ptr<QLocalServer> server;
    std::function<void()> onActivate;
};

CInstanceLock::CInstanceLock(const std::string& name) : m_impl(std::make_unique<Impl>())
{
    m_impl->name = name;
}

CInstanceLock::~CInstanceLock()
{
    if (m_impl->server)
        m_impl->server->close();
    m_impl->server.reset();
    if (m_impl->fd >= 0)
        close(m_impl->fd); // closing the only descriptor frees the lock
}

std::string CInstanceLock::EncodeName(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    std::size_t lastWhole = 0; // length of the longest prefix not cut inside a %XX
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '_' || c == '-';
        if (keep) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 0x0F];
        }
        if (encoded.size() <= kPrefixKept)
            lastWhole = encoded.size();
    }
    if (encoded.size() <= kMaxEncoded)
        return encoded;
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(text), QCryptographicHash::Sha256).toHex().left(32);
    return encoded.substr(0, lastWhole) + "~" + digest.toStdString();
}

std::string CInstanceLock::LockFilePath(const std::string& name)
{
    return RuntimeFolder() + "/korvel-" + EncodeName(name) + ".lock";
}

std::string CInstanceLock::SocketPath(const std::string& name)
{
    return RuntimeFolder() + "/korvel-" + EncodeName(name) + ".sock";
}

bool CInstanceLock::Acquire()
{
    if (m_impl->fd >= 0)
        return true;
    const std::string path = LockFilePath(m_impl->name);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        close(fd);
        return false;
    }
    m_impl->fd = fd;
    return true;
}

bool CInstanceLock::IsHeld() const
{
    return m_impl->fd >= 0;
}

bool CInstanceLock::ListenForActivation(std::function<void()> onActivate)
{
    if (!IsHeld())
        return false;
    m_impl->onActivate = std::move(onActivate);
    if (m_impl->server)
        return true;
    const QString path = QString::fromStdString(SocketPath(m_impl->name));
    // Only the lock holder gets here, so a socket file left there is stale.
    QLocalServer::removeServer(path);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path))
        return false;
    Impl* impl = m_impl.get();
    QLocalServer* raw = server.get();
    QObject::connect(raw, &QLocalServer::newConnection, raw, [impl, raw] {
        while (QLocalSocket* socket = raw->nextPendingConnection()) {
            socket->setReadBufferSize(64); // a request is one short line
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [impl, socket] {
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine(64);
                if (line != kRequest) {
                    socket->abort();
                    return;
                }
                socket->write(kAnswer);
                socket->flush();
                // Run it from the event loop, not inside the socket's signal.
                QMetaObject::invokeMethod(
                    socket->parent(),
                    [impl] {
                        if (impl->onActivate)
                            impl->onActivate();
                    },
                    Qt::QueuedConnection);
            });
        }
    });
    m_impl->server = std::move(server);
    return true;
}

bool CInstanceLock::ActivateRunning(const std::string& name, DWORD timeoutMs)
{
    const QString path = QString::fromStdString(SocketPath(name));
    QDeadlineTimer deadline =
        timeoutMs == INFINITE ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(qint64(timeoutMs));
    // Milliseconds left as the waitFor... calls take them (-1: no limit).
    const auto left = [&deadline] { return deadline.isForever() ? -1 : int(deadline.remainingTime()); };
    QLocalSocket socket;
    // The holder may have taken the lock a moment ago and not listen yet.
    for (;;) {
        socket.connectToServer(path);
        if (socket.waitForConnected(deadline.isForever() ? 1000 : std::min(left(), 1000)))
            break;
        if (deadline.hasExpired())
            return false;
        socket.abort();
        QThread::msleep(20);
    }
    socket.write(kRequest);
    if (!socket.waitForBytesWritten(left()))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(left()))
            return false;
    }
    return socket.readLine(64) == kAnswer;
}
