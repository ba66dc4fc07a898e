#pragma once

#include <QByteArrayView>
#include <QString>
#include <memory>

namespace platform {

class FileBackup;

// The one way this project writes a file. The new bytes go to a temporary file in the same
// folder; every write is checked at once (nothing is buffered, so no error can hide until a
// later flush); the file is synced; only then does it take the old file's place, and the
// folder is synced so that the new name survives a power cut. Any failure before that
// removes the temporary file and leaves the old file byte-identical.
//
// The file replaced is the one the system opens under that name: symbolic links are
// followed, and the link stays. An existing file keeps its permission bits (and, where the
// system allows, its owner and group). Folders, pipes and devices are refused, and so is a
// read-only file: one the caller may not write, or one with no write bit at all, which even
// the superuser is not to replace unasked.
//
// Two files cannot be replaced that way and are written in place instead: one whose folder
// takes no new file (the user may write the file but not the folder), and one with other hard
// links, whose other names must see the new contents too. The old contents are first copied
// to a backup in the user's state folder; the file is then overwritten, cut to its new
// length and synced, and when any of that fails it gets its old bytes back from the backup.
// The backup is removed once the file is either written or restored. The error text of a
// failure says which way the file was being written.
class FileReplacement {
public:
    explicit FileReplacement(const QString& fileName);
    // Cancels the replacement unless it was committed.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // False once any step has failed; the reason is in errorString().
    bool isOpen() const { return m_fd >= 0; }
    bool write(const char* data, qint64 size);
    bool write(QByteArrayView bytes) { return write(bytes.data(), bytes.size()); }
    // Puts the written bytes in place of the old file. False, with the old file untouched,
    // when any write or this last step failed.
    bool commit();
    void cancel();

    QString errorString() const { return m_error; }
    // The system's error number for the failure (errno), 0 when there is none.
    int errorNumber() const { return m_errorNumber; }

private:
    void openInPlace();
    bool commitInPlace();
    bool fail(int error);
    bool fail(const QString& message);

    QString m_target;
    QString m_temporary;
    QString m_error;
    int m_errorNumber = 0;
    int m_fd = -1;
    std::unique_ptr<FileBackup> m_backup; // only while writing in place
    bool m_overwritten = false;           // the file in place has been written to
};

// Writes bytes in place of the file's contents through a FileReplacement. On failure returns
// false and, when given, the reason and the system's error number.
bool replaceFileContents(const QString& fileName, QByteArrayView bytes, QString* error = nullptr,
                         int* errorNumber = nullptr);

// The file a write to fileName reaches: links followed, an existing file named the way the
// system finds it (".." in a link means its real folder's parent). A dangling link yields the
// file it names. Empty when the folder does not exist or links loop.
QString resolveWriteTarget(const QString& fileName);

} // namespace platform
