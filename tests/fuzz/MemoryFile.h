#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

// A file in memory that the code under test opens by name; each input replaces its contents.
class MemoryFile {
public:
    MemoryFile() : m_fd(::memfd_create("fuzz", MFD_CLOEXEC)) {
        if (m_fd < 0)
            std::abort();
        m_path = QStringLiteral("/proc/self/fd/%1").arg(m_fd);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const QString& hold(QByteArrayView bytes) {
        const auto size = static_cast<size_t>(bytes.size());
        if (::ftruncate(m_fd, 0) != 0 ||
            ::pwrite(m_fd, bytes.data(), size, 0) != static_cast<ssize_t>(size))
            std::abort();
        return m_path;
    }

private:
    int m_fd;
    QString m_path;
};
