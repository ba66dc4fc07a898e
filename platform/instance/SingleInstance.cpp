#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace platform {

using namespace Qt::StringLiterals;

namespace {

// What a later start sends. A bare connection is only a probe and asks for nothing.
constexpr char Knock[] = "activate\n";
constexpr int ProbeTimeoutMs = 1000;

QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// Whether a live instance accepts connections on fullName.
bool answers(const QString& fullName) {
    QLocalSocket probe;
    probe.connectToServer(fullName);
    const bool connected = probe.waitForConnected(ProbeTimeoutMs);
    probe.abort();
    return connected;
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& name) {
    // The user's runtime folder belongs to the user alone (without a session's folder Qt makes
    // a private one and checks its owner), so nobody else can take the name or answer in our
    // place. Only when there is none does the socket go to the shared temporary folder.
    const QString base = name + u'-' + userId();
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() || !QDir(runtime).exists() ? base : QDir(runtime).filePath(base);
}

bool SingleInstance::tryBecomePrimary(const QString& name) {
    const QString fullName = serverName(name);
    // Two starts at once must not both find nobody answering and both take the name.
    QLockFile lock(QDir::isAbsolutePath(fullName) ? fullName + u".lock"_s
                                                  : QDir::temp().filePath(fullName + u".lock"_s));
    // A lock that stays taken (a start hung in between) must not keep this one from running.
    lock.tryLock(ProbeTimeoutMs * 5);
    if (answers(fullName))
        return false;
    // Nobody answers: a socket still there was left by an instance that crashed.
    QLocalServer::removeServer(fullName);
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(fullName))
        return true;
    m_server = std::move(server);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [this] { acceptKnocks(); });
    return true;
}

void SingleInstance::setKnockHandler(std::function<void()> handler) {
    m_handler = std::move(handler);
}

void SingleInstance::acceptKnocks() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (!socket->canReadLine())
                return;
            const bool knocked = socket->readLine() == Knock;
            socket->disconnectFromServer();
            if (knocked && m_handler)
                m_handler();
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
        read();
    }
}

bool SingleInstance::notifyPrimary(const QString& name, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(Knock);
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return sent;
}

} // namespace platform
