#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {

// What tells one state of a file on disk from another: a write in place changes the size or
// the modification time, a replacement the file's identity.
struct FileState {
    bool exists = false;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 device = 0;
    quint64 inode = 0;

    friend bool operator==(const FileState&, const FileState&) = default;
};

// The state of the file a path names now, links followed; a missing file has exists false.
FileState fileState(const QString& path);

} // namespace platform
