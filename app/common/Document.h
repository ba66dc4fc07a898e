#pragma once

#include "common/DocumentResult.h"
#include "common/FileFormat.h"

#include <orvenly/TextStorage.h>
#include <platform/FileState.h>

#include <QObject>
#include <QString>

namespace penlark {

// One document apart from any window: the file it came from, the format it is read and
// written in, the state of that file on disk, and the text (with its modified flag and undo
// history). A load decodes into a fresh state and takes it only when everything succeeded,
// so a failed load, reload or reopen leaves the document exactly as it was.
class Document : public QObject {
    Q_OBJECT

public:
    Document();

    QString FullPath() const { return m_path + m_fileName; }
    // The folder, ending with a separator; empty for a document never saved.
    const QString& Path() const { return m_path; }
    const QString& FileName() const { return m_fileName; }
    bool CanOverWrite() const { return !m_path.isEmpty(); }

    const FileFormat& format() const { return m_format; }
    // Another value marks the text modified; the same one does nothing.
    void setForm(orvenly::TextForm value);
    void setBreakCode(orvenly::StringLineBreakCodeConstants value);
    // The file held more than one kind of line break; the next save writes them all as the
    // document's break code.
    bool mixedBreaks() const { return m_mixedBreaks; }
    // The file was read as JIS with half-width katakana in it, which a save that widens them
    // would change.
    bool hasHalfWidthKana() const { return m_halfWidthKana; }

    orvenly::TextStorage& storage() { return m_storage; }
    const orvenly::TextStorage& storage() const { return m_storage; }
    bool isModified() const { return m_storage.Modify(); }

    // An empty new document: no file, Shift_JIS with CR LF.
    void makeNew();
    // Reads a file; a zero charset or break code in requested is recognised. With remember
    // the document takes the file's name; without, only its text and format.
    DocumentResult load(const QString& fileName, const FileFormat& requested, bool remember);
    // The document's file again, in the format it was opened with, or in another one.
    DocumentResult reload();
    DocumentResult reopen(const FileFormat& requested);
    // Writes text (CR LF breaks) to target in format. With remember the document takes the
    // target's name and format and is no longer modified.
    DocumentResult save(const QString& target, const QString& text, const FileFormat& format,
                        bool jisFilter, bool remember);

    // Whether target is the document's own file and another program changed it since it was
    // read or saved.
    bool changedOnDisk(const QString& target) const;
    // What happened to the document's file since the last look; each change is told once.
    enum class DiskChange { None, Changed, Deleted };
    DiskChange lookAtDisk();
    // The file is gone from disk; a save writes it anew.
    bool fileDeleted() const { return m_fileDeleted; }

    // The file as it was read or last saved.
    const platform::FileState& diskState() const { return m_diskState; }

    // Changes the text in place, as an edit by the user would: removed characters at position
    // give way to inserted (breaks as "\n"). Positions are the storage's, as edited tells them.
    // False, changing nothing, when the range lies outside the text.
    bool applyEdit(qsizetype position, qsizetype removed, const QString& inserted);
    // Becomes the document a journal kept: its file (empty for a new document), format and
    // text (CR LF breaks), based on the file as it was then. The text is modified; a look at
    // the disk tells whether the file changed since.
    void takeRecovered(const QString& fullName, const FileFormat& format,
                       const platform::FileState& diskState, const QString& text);
    // As takeRecovered, the text read from the file, which must still be as it was then
    // (a file changed or gone since cannot be the base of the edits): false otherwise.
    DocumentResult loadRecovered(const QString& fullName, const FileFormat& format,
                                 const platform::FileState& diskState);

    int64_t maxFileSize() const { return m_maxFileSize; }
    void setMaxFileSize(int64_t bytes) { m_maxFileSize = bytes; }

signals:
    // The name, the format or the deleted mark changed: captions follow.
    void captionChanged();
    // A load or makeNew replaced the whole text: views go back to its start.
    void textReplaced();
    // The text changed in place: removed characters at position gave way to inserted (breaks
    // as "\n"). Told only while someone listens.
    void edited(qsizetype position, qsizetype removed, const QString& inserted);
    void modificationChanged(bool modified);

private:
    void takeFileName(const QString& fullName);
    void takeDiskState();
    void storageChanged(qsizetype position, qsizetype removed, qsizetype added);
    // Replaces the whole text, without undo history and without telling it as an edit.
    void replaceText(QString text);

    orvenly::TextStorage m_storage;
    QString m_path;
    QString m_fileName = QStringLiteral("newdocument");
    FileFormat m_format;
    // The format asked for at the last open (zeros for recognised), for a reload.
    FileFormat m_openFormat{orvenly::SCS_UNKNOWN, orvenly::SLB_UNKNOWN};
    bool m_mixedBreaks = false;
    bool m_halfWidthKana = false;
    // The file as it was read or last saved, and as the user last heard of it.
    platform::FileState m_diskState;
    platform::FileState m_seenState;
    bool m_fileDeleted = false;
    int64_t m_maxFileSize;
    // While a load or makeNew replaces the whole text, which is no edit.
    bool m_replacing = false;
};

} // namespace penlark
