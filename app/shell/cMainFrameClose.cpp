#include "shell/cMainFrame.h"

#include "common/Resource.h"
#include "common/StringIds.h"
#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"
#include "shell/cDlgConfirm.h"

#include "orvenly/AutomationError.h"
#include "orvenly/TextEditor.h"

#include <QCloseEvent>

namespace penlark {

namespace {

// The answers of the save confirmation.
enum ConfirmAnswer : int32_t {
    AnswerSave = 0,
    AnswerDiscard = 1,
    AnswerKeep = 2,
    AnswerSaveAll = 3,
    AnswerDiscardAll = 4,
    AnswerKeepAll = 5,
};

} // namespace

void cMainFrame::bringToFront(ChildWindow& document) {
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    document.Show2();
}

// Documents that go are removed, which renumbers the rest; a kept one moves the walk on.
void cMainFrame::QueryUnloadDocuments(bool& cancel) {
    bool saveAll = false;
    bool discardAll = false;
    int32_t index = 1;
    while (index <= m_documents->Count()) {
        ChildWindow& document = m_documents->Item(index);
        bool stop = false;
        if (dropOrSave(document, cancel, stop, saveAll, discardAll, index == m_documents->Count()))
            m_documents->Remove(index);
        else
            ++index;
        if (stop)
            return;
    }
}

bool cMainFrame::dropOrSave(ChildWindow& document, bool& cancel, bool& stop, bool& saveAll,
                            bool& discardAll, bool last) {
    const auto save = [&] {
        if (SaveDocumentFile(document))
            return true;
        cancel = true;
        stop = true;
        return false;
    };
    // An unmodified document has nothing to save: writing it could only overwrite what
    // another program changed on disk since.
    if (!document.Editor().Modify())
        return true;
    if (discardAll) {
        document.DiscardJournal();
        return true;
    }
    if (saveAll)
        return save();

    bringToFront(document);
    const QString prompt = FormatResString(strings::SaveChanges, {document.FileName()});
    switch (cDlgConfirm::ShowConfirm(prompt, !last, this)) {
    case AnswerSave:
        return save();
    case AnswerDiscard:
        document.DiscardJournal();
        return true;
    case AnswerKeep:
        cancel = true;
        return false;
    case AnswerSaveAll:
        saveAll = true;
        return save();
    case AnswerDiscardAll:
        discardAll = true;
        document.DiscardJournal();
        return true;
    default:
        cancel = true;
        stop = true;
        return false;
    }
}

void cMainFrame::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    try {
        QueryUnloadDocuments(cancel);
    } catch (const orvenly::AutomationError&) {
        // Whatever went wrong, a document may still hold unsaved work.
        cancel = true;
    }
    if (cancel) {
        event->ignore();
        return;
    }
    Unload();
    event->accept();
}

} // namespace penlark
