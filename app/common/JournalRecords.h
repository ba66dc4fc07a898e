#pragma once

#include "common/FileFormat.h"

#include <platform/FileState.h>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace penlark {

// The records of a journal of unsaved work. A journal is a header (a mark and a format
// version) followed by records, each its payload's length, a CRC-32 of the payload and the
// payload. The first record is the base the edits start from: the whole text, or (for a
// large file) the file on disk as it was; every later record is a step, the edits since
// the one before. A power cut can tear the last record; a reader takes the records up to
// the first one that is not whole and checks out.

inline constexpr quint32 JournalVersion = 1;

// One change of the text in the storage's positions: removed characters at position gave
// way to inserted (breaks as "\n").
struct JournalEdit {
    qint32 position = 0;
    qint32 removed = 0;
    QString inserted;

    friend bool operator==(const JournalEdit&, const JournalEdit&) = default;
};

// What a restore needs besides the text, as of the last record.
struct JournalState {
    FileFormat format;
    qint32 anchor = 0;
    qint32 caret = 0;
    // Milliseconds since the epoch.
    qint64 lastEdit = 0;
    // Characters inserted and removed since the document last matched its file.
    qint64 changeSize = 0;

    friend bool operator==(const JournalState&, const JournalState&) = default;
};

struct JournalBase {
    // The document's file, empty for a new document.
    QString path;
    // The file as the edits found it.
    platform::FileState diskState;
    // True: the text is the file at diskState, read in the state's format; false: snapshot.
    bool fromFile = false;
    // The whole text with CR LF breaks.
    QString snapshot;
    // The format the file is read in (the reader takes it from the base record's state).
    FileFormat format;
};

QByteArray journalHeader();
QByteArray baseRecord(const JournalBase& base, const JournalState& state);
QByteArray stepRecord(const JournalState& state, const std::vector<JournalEdit>& edits);

// What a journal holds, as far as it could be read.
struct JournalContents {
    enum class Status {
        Whole,      // every record read
        Cut,        // records after the last whole one were torn or corrupt
        Unreadable, // not even the base could be read
        Newer,      // written by a later format
    };
    Status status = Status::Unreadable;
    JournalBase base;
    JournalState state;
    std::vector<JournalEdit> edits;
    // Bytes from the start up to the end of the last whole record.
    qint64 wholeBytes = 0;
};

JournalContents readJournal(const QByteArray& bytes);

quint32 crc32(const char* data, qsizetype size);

} // namespace penlark
