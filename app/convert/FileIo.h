#pragma once

#include <platform/ReadableFile.h>

#include <QByteArray>
#include <QByteArrayView>
#include <cstddef>
#include <string>

namespace penlark::convert {

// Larger inputs are refused rather than exhausting memory: a document is held in
// several forms (bytes, UTF-16, output) at once.
inline constexpr qsizetype MaxInputSize = platform::MaxTextFileSize;

// The whole content of a file, or of standard input for "-". Regular files of a huge page
// or more are read into a region of huge pages of their own: fresh 4 KiB pages, of a buffer
// or of a mapping of the file, cost more in first touches than reading the file does.
class InputFile {
public:
    explicit InputFile(const std::string& name);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const QByteArray& bytes() const { return m_bytes; }
    // Empty when the whole input was read.
    const std::string& error() const { return m_error; }

private:
    void readAll(int fd);
    // False when no region can be had; the file is then still to be read.
    bool readRegular(int fd, qsizetype size);
    void readGrowing(int fd, QByteArray buffer, qsizetype used);
    void releaseRegion();

    QByteArray m_bytes; // in the region, if there is one
    std::string m_error;
    void* m_region = nullptr;
    std::size_t m_regionSize = 0;
};

// Writes all bytes to standard output; on failure returns the reason, else an empty string.
std::string writeOutput(QByteArrayView bytes);
// Closes standard output; on failure returns the reason, else an empty string.
std::string closeOutput();

} // namespace penlark::convert
