#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace penlark {

// Reading and writing the bytes of a document's file.

enum class ReadFailure {
    None,
    // The file could not be opened or read.
    Unreadable,
    // The file holds more bytes than the reader accepts.
    TooLarge,
};

struct FileContents {
    QByteArray bytes;
    ReadFailure failure = ReadFailure::None;
};

// All bytes of the file, or the reason there are none. A file larger than maxSize is refused
// before it is read; a file that grows past it while being read as well.
FileContents readDocumentFile(const QString& fileName, qint64 maxSize);

// Replaces the file's contents with bytes, or leaves it untouched: the bytes go to a new file
// in the same folder, which takes the old one's place only once it is completely written and
// flushed. The file keeps its permissions; a symbolic link keeps pointing to it while its
// target gets the new contents. An existing file that is not writable is not replaced.
// False on any failure.
bool writeDocumentFile(const QString& fileName, QByteArrayView bytes);

} // namespace penlark
