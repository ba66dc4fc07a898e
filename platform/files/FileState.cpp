#include "platform/FileState.h"

#include <QFile>
#include <sys/stat.h>

namespace platform {

FileState fileState(const QString& path) {
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {true, qint64(status.st_size),
            qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
            quint64(status.st_dev), quint64(status.st_ino)};
}

} // namespace platform
