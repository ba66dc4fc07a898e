#include "platform/FileReplacement.h"

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
#include <utility>

namespace platform {

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxLinks = 40; // as the system gives up on loops
constexpr int MaxNameTries = 100;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// The text of a symbolic link, unresolved.
QString linkText(const QString& path) {
    std::array<char, 4096> buffer;
    const ssize_t length = ::readlink(encoded(path).constData(), buffer.data(), buffer.size());
    if (length <= 0 || size_t(length) >= buffer.size())
        return {};
    return QFile::decodeName(QByteArray(buffer.data(), qsizetype(length)));
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Creates a new, empty file next to the target, with the permissions a new file gets.
int createTemporary(const QString& target, QString& name) {
    const QFileInfo info(target);
    for (int i = 0; i < MaxNameTries; ++i) {
        name = info.absolutePath() + u"/."_s + info.fileName() + u'.' +
               QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(encoded(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Makes the new file look like the old one: the same permission bits, and the owner and
// group when the system lets us (only the superuser may give a file away).
bool takeOverAttributes(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), old.st_gid); // a member of the group may keep it
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool isReadOnly(const QString& target, const struct stat& status) {
    const bool noWriteBit = (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return noWriteBit || ::access(encoded(target).constData(), W_OK) != 0;
}

// Makes a rename durable. Some file systems cannot sync a folder; the new file is in place
// by then, so this step cannot undo anything and is done as well as the system allows.
void syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

QString resolveWriteTarget(const QString& fileName) {
    const QFileInfo named(fileName);
    QString existing = named.canonicalFilePath();
    if (!existing.isEmpty())
        return existing;
    QString path = named.absoluteFilePath();
    for (int i = 0; i < MaxLinks; ++i) {
        const QFileInfo info(path);
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (folder.isEmpty())
            return {};
        if (!info.isSymbolicLink())
            return QDir(folder).filePath(info.fileName());
        const QString target = linkText(path);
        if (target.isEmpty())
            return {};
        path = QDir(folder).filePath(target);
    }
    return {};
}

FileReplacement::FileReplacement(const QString& fileName) {
    m_target = resolveWriteTarget(fileName);
    if (m_target.isEmpty()) {
        m_errorNumber = ENOENT;
        fail(QStringLiteral("The folder does not exist or the links loop"));
        return;
    }
    struct stat old {};
    const bool exists = ::stat(encoded(m_target).constData(), &old) == 0;
    if (!exists && errno != ENOENT) {
        fail(errno);
        return;
    }
    if (exists && !S_ISREG(old.st_mode)) {
        m_errorNumber = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
        fail(QStringLiteral("Not a regular file"));
        return;
    }
    if (exists && isReadOnly(m_target, old)) {
        m_errorNumber = EACCES;
        fail(QStringLiteral("The file is read-only"));
        return;
    }
    if (exists && old.st_nlink > 1) {
        openInPlace();
        return;
    }
    m_fd = createTemporary(m_target, m_temporary);
    if (m_fd < 0) {
        const int error = errno;
        m_temporary.clear();
        // The folder takes no new file, but the user may still write the file itself.
        if (exists && (error == EACCES || error == EPERM))
            openInPlace();
        else
            fail(error);
        return;
    }
    if (exists && !takeOverAttributes(m_fd, old))
        fail(errno);
}

FileReplacement::~FileReplacement() {
    cancel();
}

void FileReplacement::openInPlace() {
    auto backup = std::make_unique<FileBackup>();
    QString error;
    if (!backup->make(m_target, error)) {
        fail(error + u" (no backup could be made to write the file in place)"_s);
        return;
    }
    m_backup = std::move(backup);
    m_fd = ::open(encoded(m_target).constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (m_fd < 0)
        fail(errno);
}

bool FileReplacement::write(const char* data, qint64 size) {
    m_overwritten = m_overwritten || (m_backup && size > 0);
    while (size > 0 && m_fd >= 0) {
        const ssize_t n = ::write(m_fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : ENOSPC);
        data += n;
        size -= n;
    }
    return m_fd >= 0;
}

bool FileReplacement::commit() {
    if (m_fd < 0)
        return false;
    if (m_backup)
        return commitInPlace();
    if (::fsync(m_fd) != 0)
        return fail(errno);
    // Network file systems may report a failed write only when the file is closed.
    if (::close(std::exchange(m_fd, -1)) != 0 ||
        ::rename(encoded(m_temporary).constData(), encoded(m_target).constData()) != 0)
        return fail(errno);
    m_temporary.clear();
    syncFolder(QFileInfo(m_target).absolutePath());
    return true;
}

bool FileReplacement::commitInPlace() {
    // What is left of a longer old text goes; the blocks of the old text were reused.
    const off_t length = ::lseek(m_fd, 0, SEEK_CUR);
    m_overwritten = true;
    if (length < 0 || ::ftruncate(m_fd, length) != 0 || ::fsync(m_fd) != 0 ||
        ::close(std::exchange(m_fd, -1)) != 0)
        return fail(errno);
    m_backup->remove();
    m_backup.reset();
    return true;
}

void FileReplacement::cancel() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_backup) {
        const bool restored = !m_overwritten || m_backup->restore(m_target);
        if (m_overwritten && !m_error.isEmpty())
            m_error += restored ? u" (written in place; the file was restored from its backup)"_s
                                : u" (written in place; the old contents are kept in "_s +
                                      m_backup->path() + u')';
        if (restored)
            m_backup->remove();
        m_backup.reset();
        m_overwritten = false;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(encoded(m_temporary).constData());
        m_temporary.clear();
    }
}

bool FileReplacement::fail(int error) {
    if (m_error.isEmpty())
        m_errorNumber = error;
    return fail(systemError(error));
}

bool FileReplacement::fail(const QString& message) {
    if (m_error.isEmpty())
        m_error = message;
    cancel();
    return false;
}

bool replaceFileContents(const QString& fileName, QByteArrayView bytes, QString* error,
                         int* errorNumber) {
    FileReplacement file(fileName);
    const bool written = file.write(bytes) && file.commit();
    if (!written && error != nullptr)
        *error = file.errorString();
    if (!written && errorNumber != nullptr)
        *errorNumber = file.errorNumber();
    return written;
}

} // namespace platform
