#include "shell/ChildWindow.h"

#include "common/Resource.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "shell/DocumentHost.h"

#include <QFileInfo>
#include <QMdiArea>

namespace penlark {

using namespace orvenly;

namespace {

constexpr int32_t MessageChanged = 261;
constexpr int32_t MessageChangedWhileEdited = 262;
constexpr int32_t MessageOverwriteChanged = 263;

} // namespace

void ChildWindow::takeDiskState() {
    m_diskState = platform::fileState(FullPath());
    m_seenState = m_diskState;
    m_fileDeleted = false;
}

bool ChildWindow::confirmOverwrite(const QString& target) {
    if (!m_diskState.exists || QFileInfo(target).absoluteFilePath() != FullPath())
        return true;
    const platform::FileState now = platform::fileState(target);
    if (!now.exists || now == m_diskState)
        return true;
    return MsgBox(m_host.documentArea().window(),
                  FormatResString(MessageOverwriteChanged, {target}),
                  msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) == msgbox::Yes;
}

bool ChildWindow::Reload() {
    return LoadDocument(FullPath(), true, m_openCharset, m_openBreak);
}

bool ChildWindow::Reopen(TextForm Charset, StringLineBreakCodeConstants Break) {
    return LoadDocument(FullPath(), true, Charset, Break);
}

void ChildWindow::CheckDiskFile() {
    if (!CanOverWrite())
        return;
    const platform::FileState now = platform::fileState(FullPath());
    if (now == m_seenState)
        return;
    // Taken before asking, so that a look while the question is open does not ask again.
    m_seenState = now;
    if (m_fileDeleted != !now.exists) {
        m_fileDeleted = !now.exists;
        UpdateCaption();
    }
    if (!now.exists)
        return;
    const bool edited = m_Editor->Modify();
    const int32_t style = edited ? msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2
                                 : msgbox::YesNo | msgbox::Question;
    if (MsgBox(m_host.documentArea().window(),
               FormatResString(edited ? MessageChangedWhileEdited : MessageChanged, {FullPath()}),
               style) == msgbox::Yes)
        Reload();
}

} // namespace penlark
