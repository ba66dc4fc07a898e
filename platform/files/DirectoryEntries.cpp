#include "platform/DirectoryEntries.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace platform::entries {

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

struct DirectoryCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

Directory openDirectory(const QString& folder) {
    return Directory(::opendir(encoded(folder.isEmpty() ? QStringLiteral("/") : folder)));
}

bool isDotEntry(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

EntryType entryType(const QString& path) {
    struct stat status {};
    if (::stat(encoded(path).constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? EntryType::Missing : EntryType::Unreachable;
    return S_ISDIR(status.st_mode) ? EntryType::Directory : EntryType::File;
}

bool entryExists(const QString& path) {
    struct stat status {};
    return ::lstat(encoded(path).constData(), &status) == 0;
}

bool isRepresentable(const QString& name) {
    return !name.contains(QChar(u'\0')) && QFile::decodeName(encoded(name)) == name;
}

QString listedSpelling(const QString& folder, const QString& name) {
    const QString path = folder + u'/' + name;
    if (!entryExists(path))
        return {};
    const QByteArray wanted = encoded(name);
    QString differentCase;
    if (const Directory dir = openDirectory(folder)) {
        while (const dirent* entry = ::readdir(dir.get())) {
            if (wanted == entry->d_name)
                return name;
            if (differentCase.isEmpty()) {
                const QString listed = QFile::decodeName(entry->d_name);
                if (listed.compare(name, Qt::CaseInsensitive) == 0 && isRepresentable(listed))
                    differentCase = listed;
            }
        }
    }
    // Some entries exist without being listed (a thread's folder in /proc, say).
    return differentCase.isEmpty() ? name : differentCase;
}

QStringList entryNames(const QString& folder) {
    QStringList names;
    if (const Directory dir = openDirectory(folder)) {
        while (const dirent* entry = ::readdir(dir.get())) {
            if (isDotEntry(entry->d_name))
                continue;
            const QString name = QFile::decodeName(entry->d_name);
            if (isRepresentable(name))
                names << name;
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool makeDirectory(const QString& path) {
    return ::mkdir(encoded(path).constData(), 0777) == 0;
}

} // namespace platform::entries
