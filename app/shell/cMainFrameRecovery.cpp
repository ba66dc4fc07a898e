#include "shell/cMainFrame.h"

#include "common/JournalRecords.h"
#include "common/RecoveryFolder.h"
#include "common/Resource.h"
#include "common/StringIds.h"
#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"
#include "shell/cDlgRecover.h"

#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "platform/ReadableFile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

// A journal holds at most a copy of a document and its edits.
constexpr int64_t JournalReadLimit = platform::MaxTextFileSize * 4;

struct FoundJournal {
    QString fileName;
    JournalContents contents;
};

QString documentName(const JournalContents& contents) {
    return contents.base.path.isEmpty() ? FormatResString(strings::Untitled, {})
                                        : contents.base.path;
}

RecoverEntry entryOf(const JournalContents& contents) {
    return {
        documentName(contents),
        QDateTime::fromMSecsSinceEpoch(contents.state.lastEdit).toString(u"yyyy/MM/dd HH:mm:ss"_s),
        FormatResString(strings::ChangeSize, {QString::number(contents.state.changeSize)})};
}

} // namespace

void cMainFrame::offerRecovery() {
    if (!m_recovery)
        return;
    std::vector<FoundJournal> found;
    QStringList skipped;
    for (const QString& fileName : m_recovery->journals()) {
        platform::ReadableFile file(fileName);
        const QByteArray bytes = file.readAll(JournalReadLimit);
        JournalContents contents;
        if (file.failure() == platform::ReadableFile::Failure::None)
            contents = readJournal(bytes);
        else
            contents.status = JournalContents::Status::Unreadable;
        const QString name = QFileInfo(fileName).fileName();
        if (contents.status == JournalContents::Status::Unreadable)
            skipped.append(name + u": "_s +
                           FormatResString(file.failure() == platform::ReadableFile::Failure::None
                                               ? strings::JournalCorrupt
                                               : strings::JournalUnreadable,
                                           {}));
        else if (contents.status == JournalContents::Status::Newer)
            skipped.append(name + u": "_s + FormatResString(strings::JournalNewer, {}));
        else
            found.push_back({fileName, std::move(contents)});
    }

    QStringList partial;
    if (!found.empty()) {
        std::vector<RecoverEntry> entries;
        entries.reserve(found.size());
        for (const FoundJournal& journal : found)
            entries.push_back(entryOf(journal.contents));
        const RecoverChoice choice = cDlgRecover::ShowRecover(entries, this);
        for (const int index : choice.chosen) {
            if (index < 0 || index >= int(found.size()))
                continue;
            const FoundJournal& journal = found[size_t(index)];
            if (choice.action == RecoverChoice::Discard) {
                QFile::remove(journal.fileName);
                continue;
            }
            if (choice.action != RecoverChoice::Restore)
                continue;
            ChildWindow& document = m_documents->Add();
            bool editsWhole = true;
            const DocumentResult result =
                document.RestoreDocument(journal.fileName, journal.contents, editsWhole);
            if (!result) {
                skipped.append(documentName(journal.contents) + u": "_s + causeText(result));
                m_documents->Remove(document.Index());
                continue;
            }
            if (!editsWhole || journal.contents.status == JournalContents::Status::Cut)
                partial.append(documentName(journal.contents));
            document.Show2();
            // Showing moves the caret to the start; it goes back where the user left it.
            document.SetSelection(journal.contents.state.anchor, journal.contents.state.caret);
        }
    }
    if (!skipped.isEmpty())
        message(FormatResString(strings::RecoverSkipped, {m_recovery->path(), skipped.join(u'\n')}),
                orvenly::msgbox::Exclamation);
    if (!partial.isEmpty())
        message(FormatResString(strings::RecoverPartial, {partial.join(u'\n')}),
                orvenly::msgbox::Exclamation);
}

void cMainFrame::flushJournals() {
    for (ChildWindow& document : *m_documents)
        document.FlushJournal();
}

} // namespace penlark
