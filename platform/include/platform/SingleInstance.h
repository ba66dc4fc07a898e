#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLocalServer;

namespace platform {

// Keeps the program to one running instance per user. The first start listens on a local
// socket named for the program and the user; a later start finds it, knocks, hands over its
// files and ends. A socket
// left behind by an instance that crashed is recognised (nobody answers) and taken over.
class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is now the one instance for name, or when the local socket
    // cannot be used at all (the program then runs without the guard rather than not at all).
    // False when another live instance holds name. Call it once, before the event loop runs.
    bool tryBecomePrimary(const QString& name);

    // Called on the event loop each time a later start knocks, with the files it was given
    // (absolute paths, in order; none when it was given none).
    void setKnockHandler(std::function<void(const QStringList&)> handler);

    // Asks the instance holding name to open files and come to the front; false when none
    // answered within timeoutMs. Relative paths are taken from this process's working folder.
    static bool notifyPrimary(const QString& name, const QStringList& files = {},
                              int timeoutMs = 2000);

    // The full socket name for name: private to the user who runs the program.
    static QString serverName(const QString& name);

private:
    void acceptKnocks();

    std::unique_ptr<QLocalServer> m_server;
    std::function<void(const QStringList&)> m_handler;
};

} // namespace platform
