#include "shell/cMainFrame.h"

#include "common/Resource.h"
#include "common/StringIds.h"
#include "dialogs/cDlgSelectFormat.h"
#include "shell/ChildWindow.h"
#include "shell/ChildWindows.h"

#include "orvenly/AutomationError.h"
#include "orvenly/FileDialog.h"
#include "orvenly/MRU.h"
#include "orvenly/Modal.h"
#include "orvenly/TextEditor.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <climits>

namespace penlark {

using namespace Qt::StringLiterals;

namespace {

// The filter whose files are read in a charset the user picks.
constexpr int32_t ChosenFormatFilter = 2;
constexpr int32_t OpenFlags = orvenly::OFN_HIDEREADONLY | orvenly::OFN_ALLOWMULTISELECT |
                              orvenly::OFN_PATHMUSTEXIST | orvenly::OFN_FILEMUSTEXIST |
                              orvenly::OFN_NOREADONLYRETURN | orvenly::OFN_NONETWORKBUTTON |
                              orvenly::OFN_EXPLORER | orvenly::OFN_LONGNAMES;
// Room for the chosen names. Paths here run past the other system's 260 characters: a save
// takes any path the system can open, and an open takes a long list of them.
constexpr int32_t SavePathBuffer = PATH_MAX;
constexpr int32_t OpenNamesBuffer = 1 << 20;
constexpr int32_t SaveFlags = orvenly::OFN_OVERWRITEPROMPT | orvenly::OFN_HIDEREADONLY |
                              orvenly::OFN_PATHMUSTEXIST | orvenly::OFN_NOREADONLYRETURN |
                              orvenly::OFN_NONETWORKBUTTON | orvenly::OFN_EXPLORER |
                              orvenly::OFN_LONGNAMES;

// The hourglass for the time a command works.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

QString dialogFilter(int32_t id) {
    return FormatResString(id, {QString(QChar(u'\0'))});
}

} // namespace

void cMainFrame::mnuFileCmd_Click(FileCmd item) {
    try {
        switch (item) {
        case FileCmd::New:
            NewFile();
            break;
        case FileCmd::Open:
            OpenFiles();
            break;
        case FileCmd::Close:
            if (m_ActiveDocument) {
                bool cancel = false;
                OnDocumentQueryUnload(*m_ActiveDocument, cancel, 0);
            }
            break;
        case FileCmd::Save:
            SaveActive();
            break;
        case FileCmd::SaveAs:
            if (m_ActiveDocument) {
                BusyCursor busy;
                SaveDocumentAs(*m_ActiveDocument);
            }
            break;
        case FileCmd::SaveAll:
            SaveAll();
            break;
        case FileCmd::Reopen:
            ReopenActive();
            break;
        case FileCmd::Exit:
            close();
            break;
        case FileCmd::RecentFiles:
            // A submenu: its entries open their files themselves.
            break;
        }
    } catch (const orvenly::AutomationError& error) {
        message(error.description(), orvenly::msgbox::Exclamation);
    }
}

void cMainFrame::NewFile() {
    BusyCursor busy;
    ChildWindow& document = m_documents->Add();
    document.NewDocument();
    document.Show2();
}

void cMainFrame::OpenFiles() {
    orvenly::FileDialog dialog;
    dialog.SetDefaultExt(u"txt"_s);
    dialog.SetFilter(dialogFilter(strings::FilterRecognise));
    dialog.SetFilterIndex(1);
    dialog.SetFlags(OpenFlags);
    dialog.SethwndOwner(this);
    dialog.SetInitDir(InitialFolder());
    dialog.SetMaxFileSize(OpenNamesBuffer);
    QStringList files;
    for (const QString& file : dialog.ShowOpen())
        files.append(file);
    if (files.isEmpty())
        return;
    int32_t format = 0;
    if (dialog.SelectFilter() == ChosenFormatFilter) {
        format = cDlgSelectFormat::ShowSelect(cDlgSelectFormat::StyleOpen, 0, this);
        if (format == FormatCancelled)
            return;
    }
    openDocuments(files, format);
}

void cMainFrame::openDocuments(const QStringList& files, int32_t format) {
    BusyCursor busy;
    for (const QString& file : files) {
        ChildWindow& document = m_documents->Add();
        if (document.LoadDocument(file, true, formOf(format), breakOf(format))) {
            m_MRUFiles->Add(file);
            watchDocumentFile(document);
            document.Show2();
        } else {
            m_documents->Remove(document.Index());
        }
    }
}

void cMainFrame::SaveActive() {
    if (!m_ActiveDocument)
        return;
    BusyCursor busy;
    // A document without a file of its own has nowhere to go but Save As.
    SaveDocumentFile(*m_ActiveDocument);
}

// Only modified documents: an unmodified one has nothing to save, and writing it anyway could
// overwrite what another program changed on disk since.
void cMainFrame::SaveAll() {
    const QList<ChildWindow*> documents = [this] {
        QList<ChildWindow*> modified;
        for (ChildWindow& document : *m_documents)
            if (document.Editor().Modify())
                modified.append(&document);
        return modified;
    }();
    for (ChildWindow* document : documents) {
        if (!SaveDocumentFile(*document))
            break;
    }
}

bool cMainFrame::SaveDocumentFile(ChildWindow& document) {
    if (!document.CanOverWrite()) {
        bringToFront(document);
        return SaveDocumentAs(document);
    }
    if (!document.SaveDocument(QString(), true))
        return false;
    m_MRUFiles->Add(document.FullPath());
    watchDocumentFile(document);
    return true;
}

bool cMainFrame::SaveDocumentAs(ChildWindow& document) {
    orvenly::FileDialog dialog;
    dialog.SetDefaultExt(u"txt"_s);
    dialog.SetFilter(dialogFilter(strings::FilterCurrent));
    dialog.SetFilterIndex(1);
    dialog.SetFlags(SaveFlags);
    dialog.SethwndOwner(this);
    dialog.SetInitDir(InitialFolder());
    dialog.SetMaxFileSize(SavePathBuffer);
    QString name = document.FullPath();
    if (!dialog.ShowSave(name))
        return false;
    int32_t format = 0;
    if (dialog.SelectFilter() == ChosenFormatFilter) {
        format = cDlgSelectFormat::ShowSelect(
            cDlgSelectFormat::StyleSave,
            formatSelection(formValue(document.Form()), document.BreakCode()), this);
        if (format == FormatCancelled)
            return false;
    }
    if (!document.SaveDocument(name, true, formOf(format), breakOf(format)))
        return false;
    m_MRUFiles->Add(name);
    watchDocumentFile(document);
    return true;
}

// Reads the active document's file again in a charset and line-break code the user picks,
// when a guess went wrong. Its window and its place in the recent files stay.
void cMainFrame::ReopenActive() {
    if (!m_ActiveDocument || !m_ActiveDocument->CanOverWrite())
        return;
    ChildWindow& document = *m_ActiveDocument;
    if (document.Editor().Modify() &&
        message(FormatResString(strings::ReopenEdited, {document.FileName()}),
                orvenly::msgbox::YesNo | orvenly::msgbox::Exclamation |
                    orvenly::msgbox::DefaultButton2) != orvenly::msgbox::Yes)
        return;
    const int32_t format = cDlgSelectFormat::ShowSelect(
        cDlgSelectFormat::StyleOpen,
        formatSelection(formValue(document.Form()), document.BreakCode()), this);
    if (format == FormatCancelled)
        return;
    BusyCursor busy;
    if (document.Reopen(formOf(format), breakOf(format)))
        watchDocumentFile(document);
}

QString cMainFrame::InitialFolder() {
    if (m_folderDone)
        return {};
    m_folderDone = true;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return {};
    QDir::setCurrent(folder);
    return folder;
}

void cMainFrame::mnuFileRecent_Click(int element) {
    const int32_t entry = element / 2;
    try {
        QString path;
        if (m_MRUFiles->Exists(entry, &path)) {
            openDocuments({path});
            return;
        }
        const QString prompt =
            u"ファイル： '"_s + path +
            u"' は\r\n\r\n既に移動又は削除されていて存在しません。この履歴を削除します。"_s;
        if (message(prompt, orvenly::msgbox::YesNo | orvenly::msgbox::Information) ==
            orvenly::msgbox::Yes)
            m_MRUFiles->Remove(entry);
    } catch (const orvenly::AutomationError& error) {
        message(error.description(), orvenly::msgbox::Exclamation);
    }
}

} // namespace penlark
