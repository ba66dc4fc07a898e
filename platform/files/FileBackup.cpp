#include "FileBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxNameTries = 100;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeAll(int fd, const char* data, ssize_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// Copies everything from one open file to another, from where each stands.
bool copyAll(int from, int to) {
    std::array<char, 65536> buffer;
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!writeAll(to, buffer.data(), n))
            return false;
    }
}

bool makePrivateFolder(const QString& path) {
    if (::mkdir(encoded(path).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return QFileInfo(path).isDir();
}

} // namespace

QString backupFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) {
        const QString home = qEnvironmentVariable("HOME");
        if (!QDir::isAbsolutePath(home))
            return {};
        state = home + u"/.local/state"_s;
    }
    const QString program = state + u"/penlark"_s;
    QString folder = program + u"/backup"_s;
    if (!QDir().mkpath(state) || !makePrivateFolder(program) || !makePrivateFolder(folder))
        return {};
    return folder;
}

bool FileBackup::make(const QString& file, QString& error) {
    const QString folder = backupFolder();
    if (folder.isEmpty()) {
        error = u"No folder for a backup"_s;
        return false;
    }
    const int from = ::open(encoded(file).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        error = systemError(errno);
        return false;
    }
    int to = -1;
    for (int i = 0; i < MaxNameTries && to < 0; ++i) {
        m_path = folder + u'/' + QFileInfo(file).fileName() + u'.' +
                 QString::number(QRandomGenerator::global()->generate(), 36);
        to = ::open(encoded(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (to < 0 && errno != EEXIST)
            break;
    }
    const bool copied = to >= 0 && copyAll(from, to) && ::fsync(to) == 0;
    const int reason = errno;
    ::close(from);
    if (to >= 0 && ::close(to) != 0 && copied) {
        error = systemError(errno);
        remove();
        return false;
    }
    if (!copied) {
        error = systemError(reason);
        if (to >= 0)
            remove();
        m_path.clear();
        return false;
    }
    return true;
}

bool FileBackup::restore(const QString& file) {
    const int from = ::open(encoded(m_path).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return false;
    const int to = ::open(encoded(file).constData(), O_WRONLY | O_CLOEXEC);
    bool restored = to >= 0 && copyAll(from, to);
    if (restored) {
        const off_t size = ::lseek(to, 0, SEEK_CUR);
        restored = size >= 0 && ::ftruncate(to, size) == 0 && ::fsync(to) == 0;
    }
    if (to >= 0 && ::close(to) != 0)
        restored = false;
    ::close(from);
    if (restored)
        remove();
    return restored;
}

void FileBackup::remove() {
    if (!m_path.isEmpty())
        ::unlink(encoded(m_path).constData());
    m_path.clear();
}

} // namespace platform
