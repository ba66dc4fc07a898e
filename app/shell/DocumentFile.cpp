#include "DocumentFile.h"

#include <platform/ReadableFile.h>

namespace penlark {

FileContents readDocumentFile(const QString& fileName, qint64 maxSize) {
    // Only regular files: opening a pipe waits for a writer and a device may never end, and
    // a dropped shortcut can name either.
    platform::ReadableFile file(fileName);
    QByteArray bytes = file.readAll(maxSize);
    switch (file.failure()) {
    case platform::ReadableFile::Failure::None:
        return {bytes, ReadFailure::None};
    case platform::ReadableFile::Failure::TooLarge:
        return {{}, ReadFailure::TooLarge};
    default:
        return {{}, ReadFailure::Unreadable};
    }
}

} // namespace penlark
