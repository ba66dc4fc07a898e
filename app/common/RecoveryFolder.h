#pragma once

#include <QString>
#include <QStringList>

namespace penlark {

// The folder that holds the journals of unsaved work, readable by the user alone:
// $PENLARK_RECOVERY_DIR, or penlark/recovery below $XDG_STATE_HOME (~/.local/state when
// unset). Only the one running instance writes and reads it.
class RecoveryFolder {
public:
    explicit RecoveryFolder(QString path = defaultPath());

    static QString defaultPath();
    const QString& path() const { return m_path; }

    // Creates the folder (and takes others' rights away from it); false when it cannot.
    bool prepare() const;
    // A name no journal has yet.
    QString newJournalName() const;
    // The journals there, oldest first.
    QStringList journals() const;

private:
    QString m_path;
};

} // namespace penlark
