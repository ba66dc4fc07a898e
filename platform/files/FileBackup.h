#pragma once

#include <QString>

namespace platform {

// A copy of a file's old contents, kept while the file is rewritten in place, in a folder of
// the user's own ($XDG_STATE_HOME/penlark/backup, or ~/.local/state/penlark/backup) where
// nobody else may read it.
class FileBackup {
public:
    // Copies the file's contents, synced to disk. On failure path() is empty and error says why.
    bool make(const QString& file, QString& error);
    // Writes the copy back over the file, byte for byte, and removes the copy when that worked.
    bool restore(const QString& file);
    void remove();

    const QString& path() const { return m_path; }

private:
    QString m_path;
};

// The folder the backups go to, made (readable by the user alone) when missing; empty when it
// cannot be made.
QString backupFolder();

} // namespace platform
