#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

// The largest text file that documents, the converter and penlark-convert read: 2 GiB less a
// byte, so that every character position fits the editor's 32-bit positions. The memory
// there is may decide below that (platform/Memory.h).
inline constexpr int64_t MaxTextFileSize = (int64_t(2) << 30) - 1;

// Which file a name reaches: equal for two names of one file (hard links, symbolic links).
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// Permission bits and times of a file, to give to another one. The system keeps no
// creation time that could be set, so there is none here.
struct FileStamp {
    uint32_t permissions = 0; // the nine rwx bits
    int64_t accessSeconds = 0;
    int64_t accessNanoseconds = 0;
    int64_t modificationSeconds = 0;
    int64_t modificationNanoseconds = 0;
};

// Sets the stamp on the file that path names (links followed); false with errno set when the
// system refuses.
bool applyFileStamp(const QString& path, const FileStamp& stamp);

// The identity of the file path names, links followed; none when it cannot be reached.
std::optional<FileIdentity> fileIdentity(const QString& path);

// A regular file open for reading (links followed). Pipes, devices and folders are refused
// without blocking: opening a pipe nobody writes to would otherwise wait for ever.
class ReadableFile {
public:
    enum class Failure { None, Missing, Denied, NotRegular, TooLarge, Other };

    explicit ReadableFile(const QString& path);
    ~ReadableFile();
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    Failure failure() const { return m_failure; }
    QString errorString() const { return m_error; }
    // The system's error number for the failure (errno), 0 when there is none.
    int errorNumber() const { return m_errorNumber; }

    int64_t size() const { return m_size; }
    FileIdentity identity() const { return m_identity; }
    FileStamp stamp() const { return m_stamp; }

    // Reads on from the current position; 0 at the end, -1 on an error.
    int64_t read(char* data, int64_t maxSize);
    // Up to maxSize bytes from offset, without moving the current position; fewer near the end.
    QByteArray readAt(int64_t offset, int64_t maxSize);
    // The whole file; empty with the failure TooLarge when it holds more than limit bytes
    // (also when it grows past the limit while being read), Other on a read error.
    QByteArray readAll(int64_t limit);

private:
    void fail(Failure failure, int error);

    int m_fd = -1;
    Failure m_failure = Failure::None;
    QString m_error;
    int m_errorNumber = 0;
    int64_t m_size = 0;
    FileIdentity m_identity;
    FileStamp m_stamp;
};

} // namespace platform
