#include "orvenly/FileSystem.h"

#include "orvenly/Strings.h"
#include "orvenly/Trimming.h"
#include "platform/DirectoryEntries.h"

#include <QMimeDatabase>
#include <exception>

namespace orvenly {

namespace {

namespace entries = platform::entries;

// The shell's type names were cut there.
constexpr qsizetype MaxTypeNameLength = 80;

// True when path is a folder afterwards.
bool ensureFolder(const QString& path) {
    switch (entries::entryType(path)) {
    case entries::EntryType::Directory:
        return true;
    case entries::EntryType::Missing:
        // A dangling link is something that is not a folder.
        if (entries::entryExists(path))
            return false;
        // Another process may have made it meanwhile.
        return entries::makeDirectory(path) ||
               entries::entryType(path) == entries::EntryType::Directory;
    default:
        return false;
    }
}

} // namespace

const FileSystem& FileSystem::instance() {
    static const FileSystem fileSystem;
    return fileSystem;
}

KeyedCollection<QString> FileSystem::DivideFilesArgument(const QString& ArgString,
                                                         const QString& BasePath) const {
    KeyedCollection<QString> paths;
    for (const QString& argument : Strings::instance().ParseCommandLine(ArgString)) {
        const QString path = GetFullPath(TrimTrailingSpaces(argument), BasePath);
        if (!path.isEmpty())
            paths.Add(path);
    }
    return paths;
}

bool FileSystem::MkDirEx(const QString& Path) const {
    QString path = Path;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    if (path == u"/")
        return true;
    if (path.isEmpty() || !entries::isRepresentable(path))
        return false;
    try {
        for (qsizetype slash = path.indexOf(u'/', 1);; slash = path.indexOf(u'/', slash + 1)) {
            const QString prefix = slash < 0 ? path : path.left(slash);
            // "a//b" has nothing between its two separators.
            if (!prefix.endsWith(u'/') && !ensureFolder(prefix))
                return false;
            if (slash < 0)
                return true;
        }
    } catch (const std::exception&) {
        return false;
    }
}

bool FileSystem::RmDirEx(const QString& Path) const {
    return entries::isRepresentable(Path) && entries::removeTree(Path);
}

QString FileSystem::GetFileTypeName(const QString& FileName) const {
    const QMimeDatabase database;
    if (!FileName.isEmpty() && entries::isRepresentable(FileName) &&
        entries::entryExists(FileName)) {
        const QString comment = database.mimeTypeForFile(FileName).comment();
        if (!comment.isEmpty())
            return comment.left(MaxTypeNameLength);
    }
    QString directory, title, extension;
    Strings::instance().DivideFileName(FileName, directory, title, extension, QStringLiteral("/"));
    if (extension.isEmpty())
        return QStringLiteral("ファイル");
    // The database's patterns play the part of registered extensions.
    const QList<QMimeType> types = database.mimeTypesForFileName(title + extension);
    if (!types.isEmpty() && !types.first().comment().isEmpty())
        return types.first().comment().left(MaxTypeNameLength);
    return extension.mid(1).toUpper() + QStringLiteral(" ファイル");
}

} // namespace orvenly
