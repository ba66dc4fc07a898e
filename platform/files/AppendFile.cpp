#include "platform/AppendFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

AppendFile::~AppendFile() {
    close();
}

bool AppendFile::fail() {
    m_error = QString::fromLocal8Bit(std::strerror(errno));
    close();
    return false;
}

bool AppendFile::create(const QString& fileName) {
    close();
    m_fd = ::open(QFile::encodeName(fileName).constData(),
                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    m_size = 0;
    return m_fd >= 0 || fail();
}

bool AppendFile::openAt(const QString& fileName, qint64 keep) {
    close();
    m_fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (m_fd < 0)
        return fail();
    struct stat status {};
    if (::fstat(m_fd, &status) != 0)
        return fail();
    if (!S_ISREG(status.st_mode) || keep < 0 || keep > status.st_size) {
        errno = EINVAL;
        return fail();
    }
    if ((keep < status.st_size && ::ftruncate(m_fd, keep) != 0) ||
        ::lseek(m_fd, keep, SEEK_SET) != keep)
        return fail();
    m_size = keep;
    return true;
}

void AppendFile::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool AppendFile::append(QByteArrayView bytes) {
    if (m_fd < 0)
        return false;
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        data += written;
        left -= written;
        m_size += written;
    }
    return true;
}

bool AppendFile::sync() {
    if (m_fd < 0)
        return false;
    return ::fdatasync(m_fd) == 0 || fail();
}

} // namespace platform
