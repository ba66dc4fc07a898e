#include "DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace penlark {

namespace {

constexpr int MaxLinks = 40; // as the system gives up on loops

// The text of a symbolic link, unresolved.
QString linkText(const QString& path) {
#ifdef Q_OS_UNIX
    std::array<char, 4096> buffer;
    const ssize_t length =
        ::readlink(QFile::encodeName(path).constData(), buffer.data(), buffer.size());
    if (length <= 0 || size_t(length) >= buffer.size())
        return {};
    return QFile::decodeName(QByteArray(buffer.data(), qsizetype(length)));
#else
    return QFileInfo(path).symLinkTarget();
#endif
}

// The file a save must replace. Links are followed, since the file written in place of the
// old one would otherwise replace the link itself; an existing file is found the way the
// system finds it, so that ".." in a link means the real folder's parent. A dangling link
// yields the file it names, followed step by step from real folders.
QString resolveLinks(const QString& fileName) {
    const QFileInfo named(fileName);
    const QString existing = named.canonicalFilePath();
    if (!existing.isEmpty())
        return existing;
    QString path = named.absoluteFilePath();
    for (int i = 0; i < MaxLinks; ++i) {
        const QFileInfo info(path);
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        if (folder.isEmpty())
            return {};
        if (!info.isSymbolicLink())
            return QDir(folder).filePath(info.fileName());
        const QString target = linkText(path);
        if (target.isEmpty())
            return {};
        path = QDir(folder).filePath(target);
    }
    return {};
}

} // namespace

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
