#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace platform {

using namespace Qt::StringLiterals;

namespace {

// What a later start sends: "activate", a space and the length of the file list, a line
// break, then the list, each path followed by a zero byte (the one byte no path holds). A bare
// connection is only a probe and asks for nothing.
constexpr char Knock[] = "activate";
constexpr int ProbeTimeoutMs = 1000;
// More than any command line holds; a longer knock is no knock of ours.
constexpr qsizetype MaxListBytes = 16 << 20;

QByteArray knockFor(const QStringList& files) {
    QByteArray list;
    for (const QString& file : files)
        list += QFile::encodeName(QFileInfo(file).absoluteFilePath()) + '\0';
    return Knock + (u' ' + QString::number(list.size())).toLatin1() + '\n' + list;
}

// The files of a complete knock in received; nothing while it is incomplete (complete stays
// false) or when it is no knock (complete true, valid false).
QStringList readKnock(const QByteArray& received, bool& complete, bool& valid) {
    complete = false;
    valid = false;
    const qsizetype end = received.indexOf('\n');
    if (end < 0) {
        complete = received.size() > qsizetype(sizeof Knock) + 20;
        return {};
    }
    complete = true;
    const QByteArray line = received.left(end);
    const QByteArray prefix = QByteArray(Knock) + ' ';
    if (line == Knock) { // from a start that hands over no files
        valid = true;
        return {};
    }
    bool number = false;
    const qsizetype length =
        line.startsWith(prefix) ? line.mid(prefix.size()).toLongLong(&number) : -1;
    if (!number || length < 0 || length > MaxListBytes)
        return {};
    if (received.size() - end - 1 < length) {
        complete = false;
        return {};
    }
    valid = true;
    QStringList files;
    for (const QByteArray& file : received.mid(end + 1, length).split('\0'))
        if (!file.isEmpty())
            files.append(QFile::decodeName(file));
    return files;
}

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

void SingleInstance::setKnockHandler(std::function<void(const QStringList&)> handler) {
    m_handler = std::move(handler);
}

void SingleInstance::acceptKnocks() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto received = std::make_shared<QByteArray>();
        const auto read = [this, socket, received] {
            *received += socket->readAll();
            bool complete = false;
            bool valid = false;
            const QStringList files = readKnock(*received, complete, valid);
            if (!complete)
                return;
            received->clear();
            socket->disconnectFromServer();
            if (valid && m_handler)
                m_handler(files);
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
        read();
    }
}

bool SingleInstance::notifyPrimary(const QString& name, const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(knockFor(files));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(timeoutMs)) {
    }
    const bool sent = socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return sent;
}

} // namespace platform
