#pragma once

#include <QtCore/qnamespace.h>

class QMdiArea;
class QMenu;
class QMimeData;

namespace penlark {

class ChildWindow;
class RecoveryFolder;
class cSettings;

// What a document window needs of the frame that holds it. The main frame implements it;
// tests use a small fake.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // The area the document windows live in.
    virtual QMdiArea& documentArea() = 0;
    // The program's one settings object.
    virtual const cSettings& settings() const = 0;
    // Where documents keep journals of their unsaved work; none keeps no journals.
    virtual const RecoveryFolder* recoveryFolder() const { return nullptr; }

    // Applies the settings (font, colours, editor options) to a document that has just loaded.
    virtual void OnDocumentLoad(ChildWindow& document) = 0;
    virtual void OnDocumentActivate(ChildWindow& document) = 0;
    virtual void OnDocumentCaption(ChildWindow& document) = 0;
    // Called before a document closes; unloadMode 0 means the user closed it.
    virtual void OnDocumentQueryUnload(ChildWindow& document, bool& cancel, int unloadMode) = 0;

    // Brings the Edit menu's states up to date and returns the menu, for the document's
    // context menu.
    virtual QMenu* RefreshEditMenu() = 0;

    // File lists dragged over or dropped on a document's text.
    virtual void DragOverFiles(const QMimeData& data, Qt::DropAction& effect) = 0;
    virtual void DropFiles(const QMimeData& data) = 0;
};

} // namespace penlark
