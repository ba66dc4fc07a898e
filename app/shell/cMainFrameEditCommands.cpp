#include "shell/cMainFrame.h"

#include "shell/ChildWindow.h"

#include "orvenly/AutomationError.h"
#include "orvenly/TextEditor.h"
#include "tamsell/ButtonObject.h"
#include "tamsell/ButtonObjects.h"
#include "tamsell/FlatToolbar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <orvenly/PieceTree.h>
#include <orvenly/TextBox.h>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

bool clipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

// Only a change touches the item and the button.
void cMainFrame::setCommandEnabled(EditCmd command, const char* buttonKey, bool enabled) {
    QAction* item = menuItem(command);
    if (item->isEnabled() == enabled)
        return;
    item->setEnabled(enabled);
    setButtonEnabled(buttonKey, enabled);
}

void cMainFrame::UpdateEditCommands() {
    if (!m_ActiveDocument) {
        showCaret();
        showDocumentState();
        return;
    }
    try {
        orvenly::TextEditor& editor = m_ActiveDocument->Editor();
        setCommandEnabled(EditCmd::Undo, "undo", editor.CanUndo());
        setCommandEnabled(EditCmd::Redo, "redo", editor.CanRedo());
        setCommandEnabled(EditCmd::Paste, "paste", clipboardHasText());
        const bool selected = editor.SelLength() != 0;
        setCommandEnabled(EditCmd::Cut, "cut", selected);
        setCommandEnabled(EditCmd::Copy, "copy", selected);
        showCaret();
    } catch (const orvenly::AutomationError&) {
        // The next change tries again.
    }
}

void cMainFrame::followActiveDocument(ChildWindow* document) {
    for (const QMetaObject::Connection& connection : m_activeConnections)
        disconnect(connection);
    m_activeConnections.clear();
    m_ActiveDocument = document;
    if (document) {
        const orvenly::TextBox* box = &document->txtEdit();
        const orvenly::PieceTree* text = &box->storage();
        for (const auto signal :
             {&orvenly::TextBox::selectionChanged, &orvenly::TextBox::cursorPositionChanged})
            m_activeConnections.push_back(
                connect(box, signal, this, &cMainFrame::UpdateEditCommands));
        // Every change of the text may change what undo and redo can do.
        m_activeConnections.push_back(connect(text, &orvenly::PieceTree::contentsChange, this,
                                              &cMainFrame::UpdateEditCommands));
        m_activeConnections.push_back(connect(text, &orvenly::PieceTree::modificationChanged, this,
                                              &cMainFrame::showDocumentState));
        m_activeConnections.push_back(
            connect(document, &ChildWindow::zoomChanged, this, &cMainFrame::showDocumentState));
    }
    UpdateEditCommands();
    showDocumentState();
}

QMenu* cMainFrame::RefreshEditMenu() {
    UpdateEditCommands();
    return m_menus.at(FrameMenu::Edit);
}

} // namespace penlark
