#pragma once

#include "common/JournalRecords.h"

#include <platform/AppendFile.h>

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

namespace penlark {

class Document;
class RecoveryFolder;

struct JournalSelection {
    int anchor = 0;
    int caret = 0;
};

// Keeps a journal of a document's unsaved work in the recovery folder, so that a crash, a
// kill or a power cut loses at most the last moment of typing. Edits are gathered in memory
// and written a moment after they were made (and whenever flush is called), never while a key
// is handled. A small document's journal starts from a copy of its text; a large file's
// from the file itself, so that what is written grows with the edits, not the document.
//
// The journal goes when the document matches its file again (saved, reloaded, undone to
// where it was) and when discard is called (the user chose not to keep the work); whatever
// else ends the program leaves it for the next start.
class DocumentJournal : public QObject {
    Q_OBJECT

public:
    // How long after an edit it is written at the latest.
    static constexpr int WriteDelayMs = 1000;
    // Texts up to this many characters are copied whole into the journal.
    static constexpr int SnapshotLimit = 1 << 20;

    DocumentJournal(Document& document, const RecoveryFolder& folder);
    ~DocumentJournal() override;

    // Where the caret and selection are read from when a record is written.
    void setSelectionSource(std::function<JournalSelection()> source);
    // Goes on with a journal a restore read into the document; what follows its last whole
    // record is cut away. With startAgain the journal is written anew from the document as
    // it is (some of its edits could not be replayed, so the rest cannot follow them).
    bool adopt(const QString& fileName, const JournalContents& contents, bool startAgain);
    // Writes what is not written yet; false when the disk refused.
    bool flush();
    // Removes the journal for good: the document's work is not to be kept.
    void discard();

    // The journal's file, empty while there is none.
    const QString& fileName() const { return m_fileName; }
    // Bytes written to journals so far.
    qint64 bytesWritten() const { return m_bytesWritten; }

private:
    void edited(qsizetype position, qsizetype removed, const QString& inserted);
    // The document matches its file: nothing to keep.
    void clean();
    JournalState currentState() const;
    // Writes a whole new journal from a fresh base.
    bool start(const JournalState& state);
    bool append(const QByteArray& bytes);
    void removeFile();

    Document& m_document;
    const RecoveryFolder& m_folder;
    std::function<JournalSelection()> m_selection;
    QTimer m_timer;
    platform::AppendFile m_file;
    QString m_fileName;
    // Edits not yet written; complete since the document last matched its file unless a
    // journal was adopted.
    std::vector<JournalEdit> m_pending;
    bool m_completeSinceClean = true;
    bool m_snapshotBase = false;
    qint64 m_baseBytes = 0;
    // The file's length up to its last whole record.
    qint64 m_wholeBytes = 0;
    JournalState m_written;
    qint64 m_changeSize = 0;
    qint64 m_lastEdit = 0;
    qint64 m_bytesWritten = 0;
    bool m_discarded = false;
};

} // namespace penlark
