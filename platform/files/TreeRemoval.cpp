#include "platform/DirectoryEntries.h"

#include <QFile>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform::entries {

namespace {

constexpr int FolderOpenFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens the folder name below parent (a descriptor, or AT_FDCWD) without following a link.
// A folder that may not be read or searched is given that permission first.
int openFolder(int parent, const char* name) {
    int fd = ::openat(parent, name, FolderOpenFlags);
    if (fd >= 0 || errno != EACCES)
        return fd;
    struct stat status {};
    if (::fstatat(parent, name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(status.st_mode) ||
        ::fchmodat(parent, name, (status.st_mode & 07777) | S_IRWXU, 0) != 0)
        return -1;
    return ::openat(parent, name, FolderOpenFlags);
}

// Every name in the folder but "." and "..", listed in full before anything is removed.
bool listNames(int folder, std::vector<std::string>& names) {
    const int listing = ::dup(folder);
    if (listing < 0)
        return false;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return true;
}

// Removes everything in the open folder; closes it. False when anything stayed.
bool emptyFolder(int folder) {
    bool complete = true;
    struct stat own {};
    // Without write and search permission the folder's entries cannot be removed.
    if (::fstat(folder, &own) == 0 && (own.st_mode & S_IRWXU) != S_IRWXU &&
        ::fchmod(folder, (own.st_mode & 07777) | S_IRWXU) != 0)
        complete = false;
    std::vector<std::string> names;
    if (!listNames(folder, names))
        complete = false;
    for (const std::string& name : names) {
        struct stat status {};
        if (::fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                complete = false;
            continue;
        }
        if (S_ISDIR(status.st_mode)) {
            const int child = openFolder(folder, name.c_str());
            if (child < 0 || !emptyFolder(child))
                complete = false;
            if (::unlinkat(folder, name.c_str(), AT_REMOVEDIR) != 0)
                complete = false;
        } else if (::unlinkat(folder, name.c_str(), 0) != 0) {
            complete = false;
        }
    }
    ::close(folder);
    return complete;
}

bool isRootFolder(const struct stat& status) {
    struct stat root {};
    return ::stat("/", &root) == 0 && root.st_dev == status.st_dev && root.st_ino == status.st_ino;
}

} // namespace

bool removeTree(const QString& path) {
    QString trimmed = path;
    // A final "/" would make the system follow a link that the path ends in.
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    const QByteArray name = QFile::encodeName(trimmed);
    struct stat status {};
    if (trimmed.isEmpty() || ::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        isRootFolder(status))
        return false;
    const int folder = openFolder(AT_FDCWD, name.constData());
    bool complete = folder >= 0 && emptyFolder(folder);
    if (::rmdir(name.constData()) != 0)
        complete = false;
    return complete;
}

} // namespace platform::entries
