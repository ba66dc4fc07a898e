#include "shell/ChildWindow.h"

#include "common/Resource.h"
#include "common/StringIds.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"
#include "shell/DocumentHost.h"

#include <QMdiArea>

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

} // namespace penlark
