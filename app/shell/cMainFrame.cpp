#include "shell/cMainFrame.h"

#include "common/Resource.h"
#include "common/Settings.h"
#include "common/StringIds.h"
#include "common/ViewOptions.h"
#include "dialogs/cDlgReplace.h"
#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"
#include "shell/ProgramIcon.h"
#include "shell/cFloatEditorProperty.h"

#include "orvenly/AutomationError.h"
#include "orvenly/MRU.h"
#include "orvenly/Modal.h"
#include "orvenly/QMenuItemFamily.h"
#include "orvenly/RegKey.h"
#include "orvenly/TextEditor.h"
#include "platform/FontResolver.h"
#include "tamsell/ButtonObject.h"
#include "tamsell/ButtonObjects.h"
#include "tamsell/FlatToolbar.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QVBoxLayout>

namespace penlark {

using namespace Qt::StringLiterals;

cMainFrame::cMainFrame(cSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings) {
    setWindowTitle(Caption());
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_picToolbar = new QWidget(central);
    m_picToolbar->setFixedHeight(ToolbarHeight);
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(m_picToolbar);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);

    m_MRUFiles = new orvenly::MRU(this);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    m_MRUFiles->Load(m_recentFamily);
    m_MRUFiles->SetMax(RecentFilesMax);

    m_documents = std::make_unique<ChildWindows>(*this);
    connect(m_documents.get(), &ChildWindows::MenuChanged, this,
            &cMainFrame::m_Documents_MenuChanged);
    m_find = new cDlgReplace(this);
    m_find->hide();
    m_property = new cFloatEditorProperty(this);
    m_property->hide();
    m_fileWatch = new QFileSystemWatcher(this);
    connect(m_fileWatch, &QFileSystemWatcher::fileChanged, this, &cMainFrame::documentFileChanged);

    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &cMainFrame::UpdateEditCommands);
    connect(qApp, &QApplication::focusChanged, this, &cMainFrame::UpdateEditCommands);
}

cMainFrame::~cMainFrame() {
    followActiveDocument(nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    // The documents call back into the frame while they unload.
    m_documents.reset();
}

QString cMainFrame::Caption() {
    return u"Penlark"_s;
}

QAction* cMainFrame::menuItem(FrameMenu menu, int index) const {
    const auto& items = m_items.at(menu);
    const auto found = items.find(index);
    return found == items.end() ? nullptr : found->second;
}

QMenu* cMainFrame::menu(FrameMenu menu) const {
    return m_menus.at(menu);
}

int32_t cMainFrame::message(const QString& prompt, int32_t style) {
    return orvenly::MsgBox(this, prompt, style, Caption());
}

void cMainFrame::Load(const QStringList& files) {
    const auto key = programKey();
    if (key)
        loadRecentFiles(*key);
    loadExtraTools();
    ApplySettings();
    loadLayout(key);
    show();
    offerRecovery();

    if (!files.isEmpty()) {
        openDocuments(files);
    } else if (m_settings.Startup) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            ChildWindow& document = m_documents->Add();
            document.NewDocument();
            document.Show2();
            if (QMdiSubWindow* sub = document.subWindow())
                sub->showMaximized();
        } catch (const orvenly::AutomationError&) {
            // Start-up goes on without the empty document.
        }
        QApplication::restoreOverrideCursor();
    }
}

namespace {

void applyTo(ChildWindow& document, const cSettings& settings) {
    document.SetFontBase(platform::displayFont(settings.Font.faceName, settings.Font.pointSize));
    orvenly::TextEditor& editor = document.Editor();
    editor.AutoIndent = settings.AutoIndent;
    editor.AutoTruncate = settings.AutoTruncate;
    editor.ResumeCol = settings.ResumeCol;
    // Stored and edited with the other options, so it takes effect like them.
    editor.EnableTextDrag = settings.TextDrag;
    editor.SetMargin(settings.Margin);
    editor.SetTabStep(settings.TabStep);
    document.SetForeColorBase(settings.ForeColor);
    document.SetBackColorBase(settings.BackColor);
    applyViewOptions(document.txtEdit(), settings);
}

} // namespace

void cMainFrame::OnDocumentLoad(ChildWindow& document) {
    try {
        applyTo(document, m_settings);
    } catch (const orvenly::AutomationError&) {
        // A setting the editor refuses keeps the editor's own value.
    }
}

void cMainFrame::ApplySettings() {
    for (ChildWindow& document : *m_documents)
        OnDocumentLoad(document);
    try {
        m_MRUFiles->SetShowItems(m_settings.ShowRecentFiles);
    } catch (const orvenly::AutomationError&) {
    }
    m_find->SetAutoMoveDialog(m_settings.AutoMoveDialog);
}

void cMainFrame::m_Documents_MenuChanged(bool hasChild) {
    for (FileCmd item : {FileCmd::Close, FileCmd::SaveAs, FileCmd::Save, FileCmd::SaveAll})
        menuItem(item)->setEnabled(hasChild);
    if (!hasChild)
        menuItem(FileCmd::Reopen)->setEnabled(false);
    for (ViewCmd item : {ViewCmd::ZoomIn, ViewCmd::ZoomOut, ViewCmd::ZoomReset})
        menuItem(item)->setEnabled(hasChild);
    setButtonEnabled("save", hasChild);
    setButtonEnabled("saveall", hasChild);
    m_menus.at(FrameMenu::Edit)->menuAction()->setVisible(hasChild);
    m_menus.at(FrameMenu::Window)->menuAction()->setVisible(hasChild);
    if (hasChild) {
        setButtonEnabled("search", true);
        return;
    }
    for (const char* key : {"save", "undo", "redo", "cut", "copy", "paste", "search"})
        setButtonEnabled(key, false);
    followActiveDocument(nullptr);
    m_find->hide();
    m_property->hide();
}

void cMainFrame::OnDocumentActivate(ChildWindow& document) {
    // The watch misses some changes (files on network shares, quick replacements).
    document.CheckDiskFile();
    followActiveDocument(&document);
    RefreshDocumentCommands();
    m_find->SetTarget(&document.Editor());
    m_property->SetTarget(&document);
}

void cMainFrame::OnDocumentCaption(ChildWindow& document) {
    if (&document == m_ActiveDocument)
        RefreshDocumentCommands();
}

void cMainFrame::RefreshDocumentCommands() {
    if (!m_ActiveDocument)
        return;
    menuItem(FileCmd::Save)->setEnabled(m_ActiveDocument->CanOverWrite());
    menuItem(FileCmd::Reopen)->setEnabled(m_ActiveDocument->CanOverWrite());
    const bool canUndo = m_ActiveDocument->Editor().CanUndo();
    menuItem(EditCmd::Undo)->setEnabled(canUndo);
    setButtonEnabled("undo", canUndo);
    const bool canRedo = m_ActiveDocument->Editor().CanRedo();
    menuItem(EditCmd::Redo)->setEnabled(canRedo);
    setButtonEnabled("redo", canRedo);
    m_property->UpdateProperties();
    showDocumentState();
}

void cMainFrame::setButtonEnabled(const char* key, bool enabled) {
    try {
        m_ftbEdit->Buttons().Item(QString::fromLatin1(key))->setEnabled(enabled);
    } catch (const orvenly::AutomationError&) {
    }
}

void cMainFrame::OnDocumentQueryUnload(ChildWindow& document, bool& cancel, int unloadMode) {
    if (unloadMode == 0) {
        if (document.Editor().Modify()) {
            bringToFront(document);
            const int32_t answer =
                message(FormatResString(strings::SaveChanges, {document.FileName()}),
                        orvenly::msgbox::YesNoCancel | orvenly::msgbox::Question |
                            orvenly::msgbox::DefaultButton3);
            if (answer == orvenly::msgbox::Cancel) {
                cancel = true;
                return;
            }
            if (answer == orvenly::msgbox::Yes && !SaveDocumentFile(document)) {
                cancel = true;
                return;
            }
            if (answer == orvenly::msgbox::No)
                document.DiscardJournal();
        }
        m_documents->Remove(document.Index());
    }
    // Cleared here for the document that goes; the next activation retargets.
    if (m_ActiveDocument == &document)
        followActiveDocument(nullptr);
    if (m_find->Target() == &document.Editor())
        m_find->SetTarget(nullptr);
    if (m_property->Target() == &document)
        m_property->SetTarget(nullptr);
}

} // namespace penlark
