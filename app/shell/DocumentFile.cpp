#include "DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <array>

namespace penlark {

FileContents readDocumentFile(const QString& fileName, qint64 maxSize) {
    // Only regular files: opening a pipe waits for a writer and a device may never end, and
    // a dropped shortcut can name either.
    QFile file(fileName);
    if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
        return {{}, ReadFailure::Unreadable};
    const qint64 size = file.size();
    if (size > maxSize)
        return {{}, ReadFailure::TooLarge};
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 used = 0;
    while (used < size) {
        const qint64 got = file.read(bytes.data() + used, size - used);
        if (got < 0)
            return {{}, ReadFailure::Unreadable};
        if (got == 0)
            break;
        used += got;
    }
    bytes.truncate(used);
    // A file may have grown since, and devices report no size: the rest comes in pieces.
    std::array<char, 65536> piece;
    for (;;) {
        const qint64 got = file.read(piece.data(), qint64(piece.size()));
        if (got < 0)
            return {{}, ReadFailure::Unreadable};
        if (got == 0)
            break;
        if (bytes.size() + got > maxSize)
            return {{}, ReadFailure::TooLarge};
        bytes.append(piece.data(), got);
    }
    return {bytes, ReadFailure::None};
}

} // namespace penlark
