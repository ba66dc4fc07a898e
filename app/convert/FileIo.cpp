#include "FileIo.h"

#include "Options.h"

#include <platform/LargeBuffer.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace penlark::convert {

namespace {

constexpr qsizetype PipeChunk = 1 << 20;
constexpr std::size_t HugePage = std::size_t{2} << 20;

std::string tooLarge() {
    return "2 GiB or larger; not converted";
}

} // namespace

InputFile::InputFile(const std::string& name) {
    if (name == StandardInputName) {
        // Standard input may be a file already partly read: reading continues from where it
        // stands.
        readAll(STDIN_FILENO);
        return;
    }
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        m_error = std::strerror(errno);
        return;
    }
    readAll(fd);
    ::close(fd);
}

InputFile::~InputFile() {
    releaseRegion();
}

void InputFile::releaseRegion() {
    if (m_region != nullptr) {
        m_bytes.clear();
        ::munmap(m_region, m_regionSize);
        m_region = nullptr;
    }
}

void InputFile::readAll(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        m_error = std::strerror(errno);
        return;
    }
    if (!S_ISREG(info.st_mode) || info.st_size == 0) { // pipes, terminals, /proc
        readGrowing(fd, QByteArray(PipeChunk, Qt::Uninitialized), 0);
    } else if (info.st_size > MaxInputSize) {
        m_error = tooLarge();
    } else if (std::size_t(info.st_size) < HugePage || !readRegular(fd, qsizetype(info.st_size))) {
        // A small file would not fill a huge page, whose zeroing alone costs more than the
        // reading.
        readGrowing(fd, QByteArray(qsizetype(info.st_size) + 1, Qt::Uninitialized), 0);
    }
}

bool InputFile::readRegular(int fd, qsizetype size) {
    // One byte more than the size lets the read that meets the end go without growing.
    const std::size_t capacity = (std::size_t(size) + 1 + HugePage - 1) & ~(HugePage - 1);
    void* region = ::mmap(nullptr, capacity + HugePage, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) {
        return false;
    }
    m_region = region;
    m_regionSize = capacity + HugePage;
    const auto address = reinterpret_cast<std::uintptr_t>(region);
    char* const start =
        static_cast<char*>(region) + (((address + HugePage - 1) & ~(HugePage - 1)) - address);
    platform::adviseHugePages(start, capacity);
    std::size_t used = 0;
    while (used < capacity) {
        const ssize_t n = ::read(fd, start + used, capacity - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            m_error = std::strerror(errno);
            releaseRegion();
            return true;
        }
        if (n == 0) {
            m_bytes = QByteArray::fromRawData(start, qsizetype(used));
            return true;
        }
        used += std::size_t(n);
    }
    // The file grew while it was read: carry on in growing steps.
    QByteArray sofar(start, qsizetype(used));
    releaseRegion();
    readGrowing(fd, std::move(sofar), qsizetype(used));
    return true;
}

void InputFile::readGrowing(int fd, QByteArray buffer, qsizetype used) {
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
            return;
        }
        if (n == 0) {
            break;
        }
        used += n;
    }
    if (used > MaxInputSize) {
        m_error = tooLarge();
        return;
    }
    buffer.truncate(used);
    m_bytes = std::move(buffer);
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

std::string closeOutput() {
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR) {
        return std::strerror(errno);
    }
    return {};
}

} // namespace penlark::convert
