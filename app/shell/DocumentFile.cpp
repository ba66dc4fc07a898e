#include "DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>

namespace penlark {

namespace {

// Links are followed by hand, since the file written in place of the old one would otherwise
// replace the link itself. A dangling link yields the file it names.
QString resolveLinks(const QString& fileName) {
    constexpr int MaxLinks = 40; // as the system gives up on loops
    QString path = QFileInfo(fileName).absoluteFilePath();
    for (int i = 0; i < MaxLinks; ++i) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            return path;
        path = info.symLinkTarget();
    }
    return {};
}

} // namespace

FileContents readDocumentFile(const QString& fileName, qint64 maxSize) {
    QFile file(fileName);
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::ReadOnly))
        return {{}, ReadFailure::Unreadable};
    // Devices and pipes report no size; they are read up to the limit like anything else.
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

bool writeDocumentFile(const QString& fileName, QByteArrayView bytes) {
    const QString target = resolveLinks(fileName);
    if (target.isEmpty())
        return false;
    const QFileInfo existing(target);
    if (existing.exists() && (!existing.isFile() || !existing.isWritable()))
        return false;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (existing.exists() && !file.setPermissions(existing.permissions())) {
        file.cancelWriting();
        return false;
    }
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace penlark
