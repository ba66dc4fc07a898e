#pragma once

#include <QByteArray>
#include <QString>

namespace penlark {

// Reading the bytes of a document's file; they are written through platform::FileReplacement.

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

} // namespace penlark
