#pragma once

#include "common/Document.h"
#include "common/DocumentJournal.h"
#include "orvenly/StringConversion.h"
#include "orvenly/TextForm.h"

#include <QFont>
#include <QMdiSubWindow>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class QCloseEvent;

namespace orvenly {
class TextBox;
class TextEditor;
struct Unmappable;
} // namespace orvenly

namespace penlark {

class ChildWindows;
class DocumentHost;

// The window of one document: a form holding the text box txtEdit, edited through m_Editor
// (which also paints the line-selection margin). The document itself (its file, format,
// disk state and text) is a Document the window shows; the window adds the questions and
// messages a user hears of.
//
// Life in the frame's document area:
// - The constructor is the load step: it binds the editor and calls the host's
//   OnDocumentLoad. The window is not shown yet.
// - Show2 puts the form into a QMdiSubWindow of DocumentHost::documentArea() the first time,
//   shows it, raises it, makes it the active subwindow and then calls OnDocumentActivate once.
//   Later activations by the user (clicks, the Window menu) call OnDocumentActivate too.
// - Closing the subwindow (its close box, or close()) asks the host through
//   OnDocumentQueryUnload with unload mode 0 and keeps the window when it sets cancel; the
//   host removes the document from its collection to let it go.
// - ChildWindows::Remove and Clear unload a document by code: the host hears
//   OnDocumentQueryUnload with unload mode 1 (cancel is ignored then), the editor is unbound,
//   the window hidden and its subwindow deleted once control returns to the event loop.
class ChildWindow : public QWidget {
    Q_OBJECT

public:
    explicit ChildWindow(DocumentHost& host, QWidget* parent = nullptr);
    ~ChildWindow() override;

    Document& document() { return m_document; }
    const Document& document() const { return m_document; }

    QString FullPath() const { return m_document.FullPath(); }
    // The folder, ending with a separator; empty for a document never saved.
    const QString& Path() const { return m_document.Path(); }
    const QString& FileName() const { return m_document.FileName(); }
    bool CanOverWrite() const { return m_document.CanOverWrite(); }

    // The preference's font; the view shows it magnified by Zoom.
    QFont FontBase() const { return m_fontBase; }
    void SetFontBase(const QFont& value);
    // This view's own magnification in percent, 100 for the preference's size; it survives
    // a new FontBase. SetZoom takes the nearest of the levels, 50 to 300 %.
    int32_t Zoom() const { return m_zoom; }
    void SetZoom(int32_t percent);
    // Moves steps levels up (positive) or down, stopping at the first and the last.
    void ZoomBy(int steps);
    // Colours are 32-bit: an RGB value, or 0x80000000 + n for the system colour n.
    uint32_t ForeColorBase() const { return m_foreColor; }
    void SetForeColorBase(uint32_t value);
    uint32_t BackColorBase() const { return m_backColor; }
    void SetBackColorBase(uint32_t value);

    orvenly::TextEditor& Editor() const { return *m_Editor; }
    orvenly::TextBox& txtEdit() const { return *m_txtEdit; }

    orvenly::StringCharsetTypeConstants Charset() const { return Form().charset; }
    // The charset with, for the Unicode forms, whether the file starts with a byte-order
    // mark; a save writes it back as it was read.
    orvenly::TextForm Form() const { return m_document.format().form; }
    void SetForm(orvenly::TextForm value);
    // Another value marks the text modified and updates the caption; the same one does nothing.
    void SetCharset(orvenly::StringCharsetTypeConstants value);
    orvenly::StringLineBreakCodeConstants BreakCode() const {
        return m_document.format().breakCode;
    }
    void SetBreakCode(orvenly::StringLineBreakCodeConstants value);

    void NewDocument();
    // Charset and Break 0 recognise them from the file. With Remember the document takes the
    // file's name and failures are reported to the user; true on success. A failure leaves
    // the document as it was.
    bool LoadDocument(const QString& FileName, bool Remember,
                      orvenly::TextForm Charset = orvenly::SCS_UNKNOWN,
                      orvenly::StringLineBreakCodeConstants Break = orvenly::SLB_UNKNOWN);
    // An empty FileName writes the document's own file (error 5 when it has none); Charset
    // and Break 0 keep the document's own. The file is replaced only once all its new bytes
    // are written. With Remember failures are reported, characters the charset cannot hold
    // are asked about first (and afterwards the window shows the "?" that were written), so
    // are line breaks of several kinds that the save unifies, and the document takes the
    // file's name; true on success.
    bool SaveDocument(const QString& FileName, bool Remember,
                      orvenly::TextForm Charset = orvenly::SCS_UNKNOWN,
                      orvenly::StringLineBreakCodeConstants Break = orvenly::SLB_UNKNOWN);

    // Reads the document's file again in the charset and line-break code it was opened with,
    // or in the ones given. False, with the document as it was, when the file cannot be read.
    bool Reload();
    bool Reopen(orvenly::TextForm Charset, orvenly::StringLineBreakCodeConstants Break);

    // Looks whether another program changed or deleted the document's file since the last
    // look. A deleted file is marked in the caption; for a changed one the user is asked
    // whether to read it again (losing the edits, if there are any). Each change is asked
    // about once.
    void CheckDiskFile();
    // The file is gone from disk; a save writes it anew.
    bool FileDeleted() const { return m_document.fileDeleted(); }

    // Becomes the document a journal kept, with its caret and selection, and goes on writing
    // that journal. editsWhole is false when some of its edits did not fit and were left out.
    DocumentResult RestoreDocument(const QString& journalFile, const JournalContents& contents,
                                   bool& editsWhole);
    // Selects from anchor to caret (both in the text's positions, kept inside it).
    void SetSelection(int anchor, int caret);
    JournalSelection currentSelection() const;
    // The user chose not to keep this document's work: its journal goes.
    void DiscardJournal();
    // Writes the journal's pending edits now; none when the host keeps no journals.
    void FlushJournal();
    DocumentJournal* journal() const { return m_journal.get(); }

    // A document window is never modal; both arguments are accepted and not used.
    void Show2(int32_t Modal = 0, QWidget* OwnerForm = nullptr);

    const QString& Key() const { return m_key; }
    int32_t Index() const { return m_index; }
    // The caption: file name ("*" after it while modified), charset and line-break code.
    QString Caption() const { return windowTitle(); }
    // The subwindow holding the form, none before the first Show2.
    QMdiSubWindow* subWindow() const { return m_subWindow; }

signals:
    void zoomChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ChildWindows;
    void SetIndex(int32_t value) { m_index = value; }
    void Attach(ChildWindows* owner, int32_t index, const QString& key);
    // Unloads the window for its collection and lets it go.
    void Unload();

    void UpdateCaption();
    void showFont();
    void activate();
    void showContextMenu(int32_t hwndCtrl, int32_t x, int32_t y, bool& DefaultMenu);
    // Tells the user why a load failed.
    void reportLoadFailure(const QString& fileName, const DocumentResult& result);
    // Before replacing its own file: when another program changed it since it was read or
    // saved, asks whether to overwrite; true to go on.
    bool confirmOverwrite(const QString& target);
    // Asks whether to save although lost characters would become "?"; true for yes.
    bool confirmUnmappable(const orvenly::Unmappable& lost, orvenly::TextForm form);
    // Asks whether to save although half-width katakana the file had become full-width ones;
    // true for yes.
    bool confirmWidening(const QString& target);
    // Asks whether to save although breaks of several kinds become one; true for yes.
    bool confirmMixedBreaks(const QString& target, orvenly::StringLineBreakCodeConstants code);
    // After a save that wrote "?" for lost characters: the text becomes what was written, as
    // one step that undo takes back, and the user hears how many there were.
    void showWrittenText(const QString& written, int32_t replaced);

    DocumentHost& m_host;
    Document m_document;
    ChildWindows* m_owner = nullptr;
    orvenly::TextBox* m_txtEdit = nullptr;
    std::unique_ptr<orvenly::TextEditor> m_Editor;
    // After the document: written last on the way out.
    std::unique_ptr<DocumentJournal> m_journal;
    QPointer<QMdiSubWindow> m_subWindow;
    QString m_key;
    int32_t m_index = 0;
    QFont m_fontBase;
    int32_t m_zoom = 100;
    // Wheel turns short of a notch (fine-grained wheels and touchpads), kept for the next.
    int m_wheelRest = 0;
    uint32_t m_foreColor = 0x80000008u;
    uint32_t m_backColor = 0x80000005u;
    bool m_loaded = false;
    bool m_showing = false;
    bool m_querying = false;
};

} // namespace penlark
