#include "FileIo.h"

#include "Options.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace penlark::convert {

namespace {

constexpr qsizetype PipeChunk = 1 << 20;

std::string tooLarge() {
    return "larger than " + std::to_string(MaxInputSize >> 20) + " MiB; not converted";
}

} // namespace

InputFile::InputFile(const std::string& name) {
    if (name == StandardInputName) {
        // Standard input may be a file already partly read: only reading continues from
        // where it stands.
        readAll(STDIN_FILENO, false);
        return;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_error = std::strerror(errno);
        return;
    }
    readAll(fd, true);
    ::close(fd);
}

InputFile::~InputFile() {
    if (m_mapping != nullptr) {
        m_bytes.clear();
        ::munmap(m_mapping, size_t(m_mappedSize));
    }
}

bool InputFile::map(int fd, qsizetype size) {
    void* mapping = ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (mapping == MAP_FAILED) {
        return false;
    }
    m_mapping = mapping;
    m_mappedSize = size;
    m_bytes = QByteArray::fromRawData(static_cast<const char*>(mapping), size);
    return true;
}

void InputFile::readAll(int fd, bool mappable) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        m_error = std::strerror(errno);
        return;
    }
    qsizetype capacity = PipeChunk;
    if (S_ISREG(info.st_mode)) {
        if (info.st_size > MaxInputSize) {
            m_error = tooLarge();
            return;
        }
        if (mappable && info.st_size > 0 && map(fd, qsizetype(info.st_size))) {
            return;
        }
        // Files that report no size (/proc) or cannot be mapped are read; one byte more
        // than the size lets the read that meets the end go without growing the buffer.
        capacity = std::max(capacity, qsizetype(info.st_size) + 1);
    }
    QByteArray& buffer = m_bytes;
    buffer.resize(capacity);
    qsizetype used = 0;
    for (;;) {
        if (used == buffer.size()) {
            if (used > MaxInputSize) {
                break;
            }
            buffer.resize(std::min(used * 2, MaxInputSize + 1));
        }
        const ssize_t n = ::read(fd, buffer.data() + used, size_t(buffer.size() - used));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            m_error = std::strerror(errno);
            buffer.clear();
            return;
        }
        if (n == 0) {
            break;
        }
        used += n;
    }
    if (used > MaxInputSize) {
        m_error = tooLarge();
        buffer.clear();
        return;
    }
    buffer.truncate(used);
}

std::string writeOutput(QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::strerror(errno);
        }
        data += n;
        left -= n;
    }
    return {};
}

} // namespace penlark::convert
