#include "platform/ReadableFile.h"

#include "platform/LargeBuffer.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

FileIdentity identityOf(const struct stat& status) {
    return {uint64_t(status.st_dev), uint64_t(status.st_ino)};
}

} // namespace

bool applyFileStamp(const QString& path, const FileStamp& stamp) {
    const QByteArray name = encoded(path);
    const timespec times[2] = {
        {time_t(stamp.accessSeconds), long(stamp.accessNanoseconds)},
        {time_t(stamp.modificationSeconds), long(stamp.modificationNanoseconds)},
    };
    return ::chmod(name.constData(), mode_t(stamp.permissions & 0777)) == 0 &&
           ::utimensat(AT_FDCWD, name.constData(), times, 0) == 0;
}

std::optional<FileIdentity> fileIdentity(const QString& path) {
    struct stat status {};
    if (::stat(encoded(path).constData(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

ReadableFile::ReadableFile(const QString& path) {
    m_fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) {
        const int error = errno;
        fail(error == ENOENT || error == ENOTDIR ? Failure::Missing
             : error == EACCES || error == EPERM ? Failure::Denied
                                                 : Failure::Other,
             error);
        return;
    }
    struct stat status {};
    if (::fstat(m_fd, &status) != 0) {
        fail(Failure::Other, errno);
        return;
    }
    if (!S_ISREG(status.st_mode)) {
        fail(Failure::NotRegular, S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
        return;
    }
    // Regular files never block; the flag only had to keep the open from waiting.
    ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK);
    m_size = int64_t(status.st_size);
    m_identity = identityOf(status);
    m_stamp = {uint32_t(status.st_mode & 0777), int64_t(status.st_atim.tv_sec),
               int64_t(status.st_atim.tv_nsec), int64_t(status.st_mtim.tv_sec),
               int64_t(status.st_mtim.tv_nsec)};
}

ReadableFile::~ReadableFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

void ReadableFile::fail(Failure failure, int error) {
    m_failure = failure;
    m_errorNumber = error;
    m_error = QString::fromLocal8Bit(std::strerror(error));
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

int64_t ReadableFile::read(char* data, int64_t maxSize) {
    if (m_fd < 0)
        return -1;
    for (;;) {
        const ssize_t n = ::read(m_fd, data, size_t(maxSize));
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

QByteArray ReadableFile::readAt(int64_t offset, int64_t maxSize) {
    if (m_fd < 0 || offset < 0 || maxSize <= 0)
        return {};
    QByteArray bytes(qsizetype(maxSize), Qt::Uninitialized);
    int64_t got = 0;
    while (got < maxSize) {
        const ssize_t n = ::pread(m_fd, bytes.data() + got, size_t(maxSize - got), offset + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    bytes.truncate(qsizetype(got));
    return bytes;
}

QByteArray ReadableFile::readAll(int64_t limit) {
    if (m_fd < 0)
        return {};
    if (m_size > limit) {
        fail(Failure::TooLarge, EFBIG);
        return {};
    }
    // One byte more than the limit tells a file that grew meanwhile.
    QByteArray bytes = largeBytes(qsizetype(m_size) + 1);
    int64_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit) {
                fail(Failure::TooLarge, EFBIG);
                return {};
            }
            bytes.resize(qsizetype(std::min<int64_t>(limit + 1, got * 2 + 4096)));
        }
        const int64_t n = read(bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            fail(Failure::Other, errno);
            return {};
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit) {
        fail(Failure::TooLarge, EFBIG);
        return {};
    }
    bytes.truncate(qsizetype(got));
    return bytes;
}

} // namespace platform
