#pragma once

#include "orvenly/IStream.h"

#include <QFile>
#include <QString>
#include <cstdint>
#include <memory>

namespace platform {
class FileReplacement;
}

namespace orvenly {

// A buffered binary file that implements IStream. The file holds nothing but the items in the
// order written: longs as 4 little-endian bytes, strings as their byte length followed by
// UTF-16LE text, raw blocks as given.
class Archive : public IStream {
public:
    static constexpr int32_t DefaultBufferSize = 4096;

    Archive();
    ~Archive() override;
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    // Opens FileName for storing or for loading; an open archive is closed first. A buffer size
    // below 4 or an empty name raises error 5. A stored archive replaces the file's contents
    // when it is closed, and only if every write reached the disk: until then, and after any
    // failure, the file keeps its old contents.
    void OpenArchive(const QString& FileName, bool Storing, int32_t BufSize = DefaultBufferSize);
    // Flushes and closes; closing a closed archive does nothing. A stored archive whose bytes
    // could not all be written raises error 57 here too, and the file is left as it was.
    void CloseArchive();
    // Storing: writes the buffered bytes out (to the file's replacement). Loading: drops the
    // read-ahead and returns the file to the logical read point.
    void Flush();

    bool IsStoring() const override;
    bool IsLoading() const override;
    void WriteLong(int32_t dw) override;
    int32_t ReadLong() override;
    void WriteString(const QString& lpsz) override;
    QString ReadString() override;
    void WriteAny(const void* lpBuffer, int32_t Length) override;
    void ReadAny(void* lpBuffer, int32_t Length) override;

private:
    enum class Mode { Closed, Storing, Loading };

    void requireStoring() const;
    void requireLoading() const;
    void writeToFile(const char* data, qint64 length);
    qint64 readFromFile(char* data, qint64 length);
    void refill(int32_t needed);
    int32_t unread() const { return m_end - m_position; }
    // Bytes between the logical read point and the end of the file.
    qint64 remaining() const;
    [[noreturn]] void fail(int32_t number, const QString& description) const;
    // The same with the system's reason for a failed file operation.
    [[noreturn]] void failFile(int32_t number, const QString& description,
                               const QString& reason) const;
    void releaseFile();

    Mode m_mode = Mode::Closed;
    QString m_fileName;
    QFile m_file;                                        // loading
    std::unique_ptr<platform::FileReplacement> m_output; // storing
    std::unique_ptr<char[]> m_buffer;
    int32_t m_bufferSize = 0;
    // Storing: bytes waiting in the buffer. Loading: offset of the next unread byte.
    int32_t m_position = 0;
    // Loading: end of the bytes read into the buffer (short of the size at the end of the file).
    int32_t m_end = 0;
    // Storing: bytes written to the file. Loading: file offset past the bytes taken from it.
    qint64 m_filePosition = 0;
};

} // namespace orvenly
