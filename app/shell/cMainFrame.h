#pragma once

// Qt's namespace first: the host interface names its drop actions.
#include <QMainWindow>

#include "shell/ChildWindow.h"
#include "shell/DocumentHost.h"
#include "shell/FrameMenus.h"

#include <QKeySequence>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QFileSystemWatcher;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;

namespace orvenly {
class IRegister;
class MRU;
class QMenuItemFamily;
class RegKey;
} // namespace orvenly

namespace tamsell {
class ButtonObject;
class FlatToolbar;
} // namespace tamsell

namespace penlark {

class ChildWindows;
class RecoveryFolder;
class cDlgReplace;
class cFloatEditorProperty;
class cSettings;

// The program's one window: a document area with the menu bar, the toolbar with the caret
// position, the recent files and the property window. It dispatches the commands, keeps their
// states in step with the active document, opens dropped files, keeps its layout and recent
// files in the registry and asks about unsaved documents before it closes.
//
// Constructing it builds the window; Load reads the registry, shows the window and opens the
// start-up documents. Closing it walks the modified documents and, when nothing is kept,
// writes the recent files and the layout back.
class cMainFrame : public QMainWindow, public DocumentHost {
    Q_OBJECT

public:
    static constexpr int ToolbarHeight = 26;
    static constexpr int32_t RecentFilesMax = 20;

    explicit cMainFrame(cSettings& settings, QWidget* parent = nullptr);
    ~cMainFrame() override;

    // Where documents keep journals of their unsaved work; set before Load, which offers what
    // an earlier run left there. Without one nothing is journalled.
    void setRecoveryFolder(const RecoveryFolder* folder) { m_recovery = folder; }

    // The load step: recent files, extra tools, settings, layout, then the frame is shown and
    // files (each opened as a document) or, when the settings ask for it, an empty document.
    void Load(const QStringList& files);
    // Opens the files of a command line, this start's or a later start's, each as a document.
    void OpenCommandLine(const QStringList& files) { openDocuments(files); }

    ChildWindow* ActiveDocument() const { return m_ActiveDocument; }
    ChildWindows& m_Documents() const { return *m_documents; }
    orvenly::MRU& MRUFiles() const { return *m_MRUFiles; }

    template <typename Cmd> QAction* menuItem(Cmd item) const {
        return menuItem(menuOf(item), static_cast<int>(item));
    }
    QMenu* menu(FrameMenu menu) const;
    QMenu* recentMenu() const { return m_recentMenu; }
    QMenu* extraToolsMenu() const { return m_toolMenu; }
    tamsell::FlatToolbar& ftbEdit() const { return *m_ftbEdit; }
    QWidget& picToolbar() const { return *m_picToolbar; }
    QLabel& lblCoordinate() const { return *m_lblCoordinate; }
    // The status bar's fields: caret, character code, format, modified, read-only, overwrite,
    // and the view's zoom when it is not 100 %.
    enum class StatusField { Caret, Code, Format, Modified, ReadOnly, Overwrite, Zoom };
    QLabel& statusField(StatusField field) const { return *m_statusFields.at(field); }
    cFloatEditorProperty& propertyWindow() const { return *m_property; }
    cDlgReplace& findDialog() const { return *m_find; }

    // Sets every open document's appearance and options from the settings, and the number of
    // recent files shown.
    void ApplySettings();
    // Brings the edit commands and the caret position up to date; run whenever the active
    // document's selection, caret or undo state, the clipboard or the focus changes.
    void UpdateEditCommands();
    // Saves the document under its own name or, when it has none, asks for one.
    bool SaveDocumentFile(ChildWindow& document);
    bool SaveDocumentAs(ChildWindow& document);
    // Closes the documents, asking about each modified one; cancel is set when one is kept or
    // a save fails. Closing the frame and the Window menu's "close all" both run it.
    void QueryUnloadDocuments(bool& cancel);

    // The user's documents folder (made current) on the first call, empty afterwards so that
    // the dialogs start where the user left off.
    QString InitialFolder();

    // DocumentHost
    QMdiArea& documentArea() override { return *m_mdiArea; }
    const cSettings& settings() const override { return m_settings; }
    const RecoveryFolder* recoveryFolder() const override { return m_recovery; }
    void OnDocumentLoad(ChildWindow& document) override;
    void OnDocumentActivate(ChildWindow& document) override;
    void OnDocumentCaption(ChildWindow& document) override;
    void OnDocumentQueryUnload(ChildWindow& document, bool& cancel, int unloadMode) override;
    QMenu* RefreshEditMenu() override;
    void DragOverFiles(const QMimeData& dropped, Qt::DropAction& effect) override;
    void DropFiles(const QMimeData& dropped) override;

    // The caption of the frame and of its messages.
    static QString Caption();
    // The files a drop offers: local files only, shortcut files ("*.lnk") replaced by their
    // targets when they can be read.
    static QStringList droppedFiles(const QMimeData& dropped);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Building.
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildViewMenu();
    void buildWindowMenu();
    void buildToolMenu();
    void buildHelpMenu();
    void buildToolbar();
    void buildStatusBar();
    // The caret's line and column (in character cells) and the character at it, in the
    // toolbar's label and the status bar.
    void showCaret();
    // The fields that change only with the document's file or format.
    void showDocumentState();
    template <typename Cmd>
    QAction* addItem(Cmd item, const QString& caption, const QKeySequence& shortcut = {}) {
        return addItem(menuOf(item), static_cast<int>(item), caption, shortcut);
    }
    QAction* addItem(FrameMenu menu, int index, const QString& caption,
                     const QKeySequence& shortcut);
    void addSeparator(FrameMenu menu);
    QAction* menuItem(FrameMenu menu, int index) const;
    void listWindows();

    // Unsaved work of an earlier run: listed, and restored or discarded as the user says.
    void offerRecovery();
    void flushJournals();

    // Files changed by other programs.
    void watchDocumentFile(ChildWindow& document);
    void documentFileChanged(const QString& path);

    // Commands.
    void mnuFileCmd_Click(FileCmd item);
    void mnuEditCmd_Click(EditCmd item);
    void mnuViewCmd_Click(ViewCmd item);
    void mnuWindowCmd_Click(WindowCmd item);
    void mnuToolCmd_Click(ToolCmd item);
    void mnuHelpCmd_Click(HelpCmd item);
    void mnuFileRecent_Click(int element);
    void mnuToolExtra_Click(int element);
    void ftbEdit_Click(tamsell::ButtonObject* button);
    void ftbEdit_DropDown(tamsell::ButtonObject* button);
    void NewFile();
    void OpenFiles();
    void SaveActive();
    void SaveAll();
    void ReopenActive();
    // Adds a document for each file and loads it; the ones that fail are discarded.
    void openDocuments(const QStringList& files, int32_t format = 0);
    void openDroppedLater(const QStringList& files);
    // Shows the find dialog in a style, seeded with the active document's selection.
    void showFind(int32_t style);
    // Asks for a line (and column) and moves the document's caret there, clamped to its text.
    void goToLine(ChildWindow& document);
    // The view's own magnification; the preference's font size stays as it is.
    void zoom(ChildWindow& document, ViewCmd item);

    // Document states.
    void m_Documents_MenuChanged(bool hasChild);
    void RefreshDocumentCommands();
    void setCommandEnabled(EditCmd command, const char* buttonKey, bool enabled);
    void setButtonEnabled(const char* key, bool enabled);

    // Registry.
    std::shared_ptr<orvenly::RegKey> programKey() const;
    void loadRecentFiles(orvenly::IRegister& key);
    void loadExtraTools();
    void loadLayout(const std::shared_ptr<orvenly::RegKey>& key);
    void saveLayout(orvenly::IRegister& key);
    void Unload();

    // A document was asked about in the close walk: true when it may go (saved or dropped).
    bool dropOrSave(ChildWindow& document, bool& cancel, bool& stop, bool& saveAll,
                    bool& discardAll, bool last);
    void bringToFront(ChildWindow& document);
    // Makes document (or none) the one whose state the edit commands show.
    void followActiveDocument(ChildWindow* document);
    int32_t message(const QString& prompt, int32_t style);

    cSettings& m_settings;
    QMdiArea* m_mdiArea = nullptr;
    QWidget* m_picToolbar = nullptr;
    tamsell::FlatToolbar* m_ftbEdit = nullptr;
    QLabel* m_lblCoordinate = nullptr;
    std::map<StatusField, QLabel*> m_statusFields;
    // The active document's signals that keep the edit commands current.
    std::vector<QMetaObject::Connection> m_activeConnections;
    std::map<FrameMenu, QMenu*> m_menus;
    std::map<FrameMenu, std::map<int, QAction*>> m_items;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_toolMenu = nullptr;
    QAction* m_windowListSeparator = nullptr;
    std::unique_ptr<ChildWindows> m_documents;
    orvenly::MRU* m_MRUFiles = nullptr;
    std::shared_ptr<orvenly::QMenuItemFamily> m_recentFamily;
    std::unique_ptr<orvenly::QMenuItemFamily> m_toolFamily;
    std::map<int, QString> m_toolPaths;
    cFloatEditorProperty* m_property = nullptr;
    cDlgReplace* m_find = nullptr;
    QPointer<ChildWindow> m_ActiveDocument;
    QFileSystemWatcher* m_fileWatch = nullptr;
    const RecoveryFolder* m_recovery = nullptr;
    bool m_folderDone = false;
    bool m_unloaded = false;
};

} // namespace penlark
