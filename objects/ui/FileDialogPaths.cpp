#include "FileDialogParts.h"
#include "platform/Cp932.h"

#include <QDir>

namespace orvenly::filedialog {
namespace {

// The name of path within directory (both in the internal "/" form), or the whole path when it
// lies elsewhere.
QString nameWithin(const QString& path, const QString& directory) {
    return path.startsWith(directory) && !path.mid(directory.size()).contains(u'/')
               ? path.mid(directory.size())
               : path;
}

} // namespace

QString withTrailingSeparator(const QString& directory) {
    if (directory.isEmpty())
        return directory;
    QString internal = QDir::fromNativeSeparators(directory);
    if (!internal.endsWith(u'/'))
        internal += u'/';
    return QDir::toNativeSeparators(internal);
}

QString folderOf(const QString& path) {
    const QString internal = QDir::fromNativeSeparators(path);
    return QDir::toNativeSeparators(internal.left(internal.lastIndexOf(u'/') + 1));
}

qsizetype bufferLength(const QString& text) {
    return platform::cp932::encode(text).size();
}

std::optional<OpenChoice> openChoice(const QStringList& chosen, const QString& startDirectory,
                                     int32_t maxFileSize) {
    if (chosen.isEmpty())
        return std::nullopt;
    const QString start = QDir::fromNativeSeparators(withTrailingSeparator(startDirectory));
    QStringList internal;
    for (const QString& name : chosen) {
        const QString path = QDir::fromNativeSeparators(name);
        internal.append(path.contains(u'/') ? path : start + path);
    }

    OpenChoice choice;
    const QString directory = QDir::fromNativeSeparators(folderOf(internal.front()));
    choice.directory = QDir::toNativeSeparators(directory);
    qsizetype needed = 0;
    if (internal.size() == 1) {
        needed = bufferLength(QDir::toNativeSeparators(internal.front())) + 1;
    } else {
        // Directory and names, each ended by a zero, then the closing zero; the root keeps
        // its separator, other directories go without one.
        const QString bare = directory.size() > 1 ? directory.chopped(1) : directory;
        needed = bufferLength(QDir::toNativeSeparators(bare)) + 2;
        for (const QString& path : internal)
            needed += bufferLength(QDir::toNativeSeparators(nameWithin(path, directory))) + 1;
    }
    if (needed > maxFileSize)
        return std::nullopt;
    for (const QString& path : internal)
        choice.paths.append(QDir::toNativeSeparators(path));
    return choice;
}

SaveSeed splitSeed(const QString& fileName) {
    const QString directory = folderOf(fileName);
    return {directory, QDir::fromNativeSeparators(fileName).mid(directory.size())};
}

} // namespace orvenly::filedialog
