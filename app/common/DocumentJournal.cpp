#include "common/DocumentJournal.h"

#include "common/Document.h"
#include "common/RecoveryFolder.h"

#include <platform/FileReplacement.h>

#include <QDateTime>
#include <QFile>

namespace penlark {

namespace {

// A journal started from a copy of the text is started again once its edits outgrow this
// many times the copy, so that a restore does not replay a day of typing.
constexpr qint64 RestartFactor = 4;
constexpr qint64 RestartMinimum = 1 << 20;

} // namespace

DocumentJournal::DocumentJournal(Document& document, const RecoveryFolder& folder)
    : m_document(document), m_folder(folder) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(WriteDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &DocumentJournal::flush);
    connect(&document, &Document::edited, this, &DocumentJournal::edited);
    connect(&document, &Document::textReplaced, this, &DocumentJournal::clean);
    connect(&document, &Document::modificationChanged, this, [this](bool modified) {
        if (!modified)
            clean();
        else if (!m_timer.isActive())
            m_timer.start(); // a change of format alone is work to keep too
    });
}

DocumentJournal::~DocumentJournal() {
    if (!m_discarded)
        flush();
}

void DocumentJournal::setSelectionSource(std::function<JournalSelection()> source) {
    m_selection = std::move(source);
}

void DocumentJournal::edited(qsizetype position, qsizetype removed, const QString& inserted) {
    // Documents hold less than 2 GiB of characters, so positions fit.
    m_pending.push_back({static_cast<qint32>(position), static_cast<qint32>(removed), inserted});
    m_changeSize += removed + inserted.size();
    m_lastEdit = QDateTime::currentMSecsSinceEpoch();
    // Not restarted by later edits: a steady typist's work is written all the same.
    if (!m_timer.isActive())
        m_timer.start();
}

void DocumentJournal::clean() {
    m_timer.stop();
    m_pending.clear();
    m_completeSinceClean = true;
    m_changeSize = 0;
    removeFile();
}

JournalState DocumentJournal::currentState() const {
    JournalState state;
    state.format = m_document.format();
    if (m_selection) {
        const JournalSelection selection = m_selection();
        state.anchor = selection.anchor;
        state.caret = selection.caret;
    }
    state.lastEdit = m_lastEdit ? m_lastEdit : QDateTime::currentMSecsSinceEpoch();
    state.changeSize = m_changeSize;
    return state;
}

bool DocumentJournal::flush() {
    m_timer.stop();
    if (m_discarded || !m_document.isModified())
        return true;
    const JournalState state = currentState();
    if (!m_file.isOpen() && m_fileName.isEmpty())
        return start(state);
    if (m_pending.empty() && state == m_written)
        return true;
    if (m_snapshotBase && m_file.size() > RestartFactor * m_baseBytes + RestartMinimum &&
        m_document.storage().tree().length() < SnapshotLimit)
        return start(state);
    if (!append(stepRecord(state, m_pending)))
        return false;
    m_pending.clear();
    m_written = state;
    return true;
}

bool DocumentJournal::append(const QByteArray& bytes) {
    // After a failed write the file may end in a torn record, which would hide every record
    // after it: it is cut back to its last whole one first.
    if (!m_file.isOpen() && !m_file.openAt(m_fileName, m_wholeBytes))
        return false;
    if (!m_file.append(bytes) || !m_file.sync()) {
        m_file.close();
        return false;
    }
    m_wholeBytes = m_file.size();
    m_bytesWritten += bytes.size();
    return true;
}

bool DocumentJournal::start(const JournalState& state) {
    JournalBase base;
    if (m_document.CanOverWrite())
        base.path = m_document.FullPath();
    base.diskState = m_document.diskState();
    base.fromFile = m_completeSinceClean && base.diskState.exists &&
                    m_document.storage().tree().length() >= SnapshotLimit;
    QByteArray bytes = journalHeader();
    if (base.fromFile) {
        bytes += baseRecord(base, state);
        m_baseBytes = bytes.size();
        bytes += stepRecord(state, m_pending);
    } else {
        base.snapshot = m_document.storage().Text();
        bytes += baseRecord(base, state);
        m_baseBytes = bytes.size();
    }
    if (!m_folder.prepare())
        return false;
    if (m_fileName.isEmpty()) {
        const QString name = m_folder.newJournalName();
        if (!m_file.create(name))
            return false;
        m_fileName = name;
        m_wholeBytes = 0;
        if (!append(bytes)) {
            // A journal without a whole base is no start to go on from.
            removeFile();
            return false;
        }
    } else {
        // Started again over an old one: the old stays whole until the new is complete.
        m_file.close();
        if (!platform::replaceFileContents(m_fileName, bytes) ||
            !m_file.openAt(m_fileName, bytes.size()))
            return false;
        m_wholeBytes = bytes.size();
        m_bytesWritten += bytes.size();
    }
    m_snapshotBase = !base.fromFile;
    m_pending.clear();
    m_written = state;
    return true;
}

bool DocumentJournal::adopt(const QString& fileName, const JournalContents& contents,
                            bool startAgain) {
    removeFile();
    m_timer.stop();
    m_fileName = fileName;
    m_changeSize = contents.state.changeSize;
    m_lastEdit = contents.state.lastEdit;
    m_completeSinceClean = false;
    if (startAgain)
        return start(currentState());
    if (!m_file.openAt(fileName, contents.wholeBytes))
        return false;
    m_wholeBytes = contents.wholeBytes;
    m_pending.clear();
    m_snapshotBase = !contents.base.fromFile;
    m_baseBytes = contents.base.snapshot.size() * 2;
    m_written = contents.state;
    return true;
}

void DocumentJournal::discard() {
    m_discarded = true;
    m_timer.stop();
    m_pending.clear();
    removeFile();
}

void DocumentJournal::removeFile() {
    m_file.close();
    if (!m_fileName.isEmpty())
        QFile::remove(m_fileName);
    m_fileName.clear();
    m_wholeBytes = 0;
}

} // namespace penlark
