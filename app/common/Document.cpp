#include "common/Document.h"

#include "common/LineBreakKinds.h"

#include <orvenly/AutomationError.h>
#include <orvenly/Strings.h>
#include <orvenly/TextConversion.h>
#include <platform/FileReplacement.h>
#include <platform/Memory.h>
#include <platform/ReadableFile.h>

#include <QFileInfo>
#include <QMetaMethod>
#include <algorithm>
#include <new>

using namespace Qt::StringLiterals;

namespace penlark {

using namespace orvenly;

namespace {

DocumentError readError(const platform::ReadableFile& file) {
    switch (file.failure()) {
    case platform::ReadableFile::Failure::None:
        return DocumentError::None;
    case platform::ReadableFile::Failure::Missing:
        return DocumentError::NotFound;
    case platform::ReadableFile::Failure::Denied:
        return DocumentError::PermissionDenied;
    case platform::ReadableFile::Failure::NotRegular:
        return DocumentError::IsFolder;
    case platform::ReadableFile::Failure::TooLarge:
        return DocumentError::TooLarge;
    case platform::ReadableFile::Failure::Other:
        break;
    }
    return documentErrorOf(file.errorNumber());
}

// What a load takes over only once all of it succeeded.
struct LoadedState {
    QString text;
    FileFormat format;
    bool mixedBreaks = false;
    bool halfWidthKana = false;
};

// What a load holds at its peak for each byte of the file: the bytes, the decoded text (at
// most two bytes a byte) and room for the decoder's work.
constexpr int64_t MemoryPerFileByte = 4;

LoadedState decodeFile(const QByteArray& bytes, const FileFormat& requested,
                       const FileFormat& current) {
    LoadedState state;
    if (bytes.isEmpty()) {
        // An empty file keeps the format the document had.
        state.format = current;
        return state;
    }
    DecodedText decoded = decodeText(bytes, requested.form, requested.breakCode);
    state.text = std::move(decoded.text);
    state.format.form = decoded.form;
    state.format.breakCode = decoded.breakCode;
    if (state.format.breakCode == SLB_UNKNOWN)
        state.format.breakCode = decoded.form.charset == SCS_EUC ? SLB_LF : SLB_CRLF;
    if (requested.breakCode == SLB_UNKNOWN)
        state.mixedBreaks = lineBreakKinds(bytes, decoded.form).mixed();
    state.halfWidthKana = decoded.form.charset == SCS_JIS && hasHalfWidthKatakana(bytes);
    return state;
}

} // namespace

Document::Document() : m_maxFileSize(platform::MaxTextFileSize) {
    PieceTree& text = m_storage.tree();
    connect(&text, &PieceTree::contentsChange, this, &Document::storageChanged);
    connect(&text, &PieceTree::modificationChanged, this, &Document::modificationChanged);
}

void Document::storageChanged(qsizetype position, qsizetype removed, qsizetype added) {
    if (m_replacing || !isSignalConnected(QMetaMethod::fromSignal(&Document::edited)))
        return;
    emit edited(position, removed, m_storage.tree().text(position, added));
}

bool Document::applyEdit(qsizetype position, qsizetype removed, const QString& inserted) {
    PieceTree& text = m_storage.tree();
    const qsizetype length = text.length();
    if (position < 0 || removed < 0 || position > length || removed > length - position)
        return false;
    text.beginGroup();
    text.remove(position, removed);
    text.insert(position, inserted);
    text.endGroup();
    return true;
}

void Document::takeRecovered(const QString& fullName, const FileFormat& format,
                             const platform::FileState& diskState, const QString& text) {
    replaceText(text);
    m_format = format;
    m_openFormat = format;
    m_mixedBreaks = false;
    m_halfWidthKana = false;
    m_fileDeleted = false;
    if (fullName.isEmpty()) {
        m_path.clear();
        m_fileName = u"newdocument"_s;
    } else {
        takeFileName(fullName);
    }
    m_diskState = m_seenState = diskState;
    m_storage.SetModify(true);
    emit textReplaced();
    emit captionChanged();
}

DocumentResult Document::loadRecovered(const QString& fullName, const FileFormat& format,
                                       const platform::FileState& diskState) {
    if (platform::fileState(fullName) != diskState)
        return {DocumentError::ChangedSince, {}};
    DocumentResult result = load(fullName, format, true);
    if (!result)
        return result;
    if (m_diskState != diskState)
        return {DocumentError::ChangedSince, {}};
    m_storage.SetModify(true);
    return {};
}

void Document::setForm(TextForm value) {
    if (value == m_format.form)
        return;
    m_format.form = value;
    m_storage.SetModify(true);
    emit captionChanged();
}

void Document::setBreakCode(StringLineBreakCodeConstants value) {
    if (value == m_format.breakCode)
        return;
    m_format.breakCode = value;
    m_mixedBreaks = false;
    m_storage.SetModify(true);
    emit captionChanged();
}

void Document::replaceText(QString text) {
    m_replacing = true;
    m_storage.SetText(std::move(text));
    m_replacing = false;
    m_storage.ClearUndo();
}

void Document::makeNew() {
    m_path.clear();
    m_fileName = u"newdocument"_s;
    m_format = FileFormat();
    m_openFormat = {SCS_UNKNOWN, SLB_UNKNOWN};
    m_mixedBreaks = false;
    m_halfWidthKana = false;
    m_diskState = m_seenState = {};
    m_fileDeleted = false;
    replaceText({});
    m_storage.SetModify(false);
    emit textReplaced();
    emit captionChanged();
}

DocumentResult Document::load(const QString& fileName, const FileFormat& requested, bool remember) {
    LoadedState state;
    {
        // Only regular files: opening a pipe waits for a writer and a device may never end,
        // and a dropped shortcut can name either.
        platform::ReadableFile file(fileName);
        // Refused before it is read: the system would rather end the program than fail an
        // allocation.
        if (file.isOpen() && file.size() <= m_maxFileSize &&
            !platform::memoryAllows(file.size() * MemoryPerFileByte))
            return {DocumentError::OutOfMemory, {}};
        QByteArray bytes = file.readAll(m_maxFileSize);
        if (file.failure() != platform::ReadableFile::Failure::None)
            return {readError(file), file.errorString()};
        try {
            state = decodeFile(bytes, requested, m_format);
        } catch (const std::bad_alloc&) {
            return {DocumentError::OutOfMemory, {}};
        } catch (const AutomationError& error) {
            return {DocumentError::CannotDecode, error.description()};
        }
    }
    // Everything is read: from here on the document changes.
    m_format = state.format;
    m_mixedBreaks = state.mixedBreaks;
    m_halfWidthKana = state.halfWidthKana;
    replaceText(std::move(state.text));
    m_storage.SetModify(false);
    if (remember) {
        m_openFormat = requested;
        takeFileName(fileName);
        takeDiskState();
    }
    emit textReplaced();
    emit captionChanged();
    return {};
}

DocumentResult Document::reload() {
    return load(FullPath(), m_openFormat, true);
}

DocumentResult Document::reopen(const FileFormat& requested) {
    return load(FullPath(), requested, true);
}

DocumentResult Document::save(const QString& target, const QString& text, const FileFormat& format,
                              bool jisFilter, bool remember) {
    QByteArray bytes;
    try {
        bytes = encodeText(text, format.form, format.breakCode, jisFilter);
    } catch (const std::bad_alloc&) {
        return {DocumentError::TooLarge, {}};
    } catch (const AutomationError& error) {
        return {DocumentError::Other, error.description()};
    }
    QString detail;
    int errorNumber = 0;
    if (!platform::replaceFileContents(target, bytes, &detail, &errorNumber))
        return {documentErrorOf(errorNumber), detail};

    setForm(format.form);
    setBreakCode(format.breakCode);
    m_mixedBreaks = false;
    if (format.form.charset == SCS_JIS && jisFilter)
        m_halfWidthKana = false;
    if (remember) {
        m_storage.SetModify(false);
        takeFileName(target);
        takeDiskState();
        emit captionChanged();
    }
    return {};
}

void Document::takeFileName(const QString& fullName) {
    // A relative name would leave the document without a folder to save into.
    const QString absolute = QFileInfo(fullName).absoluteFilePath();
    QString directory;
    QString title;
    QString extension;
    Strings::instance().DivideFileName(absolute, directory, title, extension, u"/"_s);
    m_path = directory;
    m_fileName = title + extension;
}

void Document::takeDiskState() {
    m_diskState = platform::fileState(FullPath());
    m_seenState = m_diskState;
    m_fileDeleted = false;
}

bool Document::changedOnDisk(const QString& target) const {
    if (!m_diskState.exists || QFileInfo(target).absoluteFilePath() != FullPath())
        return false;
    const platform::FileState now = platform::fileState(target);
    return now.exists && now != m_diskState;
}

Document::DiskChange Document::lookAtDisk() {
    if (!CanOverWrite())
        return DiskChange::None;
    const platform::FileState now = platform::fileState(FullPath());
    if (now == m_seenState)
        return DiskChange::None;
    // Taken before anyone asks the user, so that a look while the question is open does not
    // ask again.
    m_seenState = now;
    if (m_fileDeleted != !now.exists) {
        m_fileDeleted = !now.exists;
        emit captionChanged();
    }
    return now.exists ? DiskChange::Changed : DiskChange::Deleted;
}

} // namespace penlark
