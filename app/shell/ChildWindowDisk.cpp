#include "shell/ChildWindow.h"

#include "common/JournalRestore.h"
#include "common/Resource.h"
#include "common/StringIds.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "shell/DocumentHost.h"
#include "shell/FileIcon.h"

#include <QMdiArea>
#include <algorithm>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace orvenly;

bool ChildWindow::confirmOverwrite(const QString& target) {
    if (!m_document.changedOnDisk(target))
        return true;
    return MsgBox(m_host.documentArea().window(),
                  FormatResString(strings::OverwriteChanged, {target}),
                  msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) == msgbox::Yes;
}

bool ChildWindow::Reload() {
    const DocumentResult result = m_document.reload();
    if (!result)
        reportLoadFailure(FullPath(), result);
    return bool(result);
}

bool ChildWindow::Reopen(TextForm Charset, StringLineBreakCodeConstants Break) {
    const DocumentResult result = m_document.reopen({Charset, Break});
    if (!result)
        reportLoadFailure(FullPath(), result);
    return bool(result);
}

void ChildWindow::CheckDiskFile() {
    if (m_document.lookAtDisk() != Document::DiskChange::Changed)
        return;
    const bool edited = m_Editor->Modify();
    const int32_t style = edited ? msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2
                                 : msgbox::YesNo | msgbox::Question;
    if (MsgBox(
            m_host.documentArea().window(),
            FormatResString(edited ? strings::ChangedWhileEdited : strings::Changed, {FullPath()}),
            style) == msgbox::Yes)
        Reload();
}

DocumentResult ChildWindow::RestoreDocument(const QString& journalFile,
                                            const JournalContents& contents, bool& editsWhole) {
    DocumentResult result = restoreDocument(m_document, contents, editsWhole);
    if (!result)
        return result;
    if (CanOverWrite())
        setWindowIcon(GetFileIcon(FullPath()));
    SetSelection(contents.state.anchor, contents.state.caret);
    if (m_journal)
        m_journal->adopt(journalFile, contents, !editsWhole);
    return {};
}

void ChildWindow::SetSelection(int anchor, int caret) {
    // The box keeps a selection within its text.
    m_txtEdit->setSelection(anchor, caret);
}

JournalSelection ChildWindow::currentSelection() const {
    // Documents hold less than 2 GiB of characters.
    return {static_cast<qint32>(m_txtEdit->anchor()),
            static_cast<qint32>(m_txtEdit->cursorPosition())};
}

void ChildWindow::DiscardJournal() {
    if (m_journal)
        m_journal->discard();
}

void ChildWindow::FlushJournal() {
    if (m_journal)
        m_journal->flush();
}

} // namespace penlark
