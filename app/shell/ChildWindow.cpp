#include "shell/ChildWindow.h"

#include "common/Resource.h"
#include "common/Settings.h"
#include "common/TextForms.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "orvenly/Strings.h"
#include "orvenly/TextEditor.h"
#include "orvenly/Unmappable.h"
#include "shell/DocumentFile.h"
#include "shell/DocumentHost.h"
#include "shell/DocumentText.h"
#include "shell/FileIcon.h"

#include <platform/FileReplacement.h>
#include <platform/FontResolver.h>
#include <tamsell/SystemColors.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QStyle>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <new>

using namespace Qt::StringLiterals;

namespace penlark {

using namespace orvenly;

namespace {

constexpr int32_t MessageUnreadable = 250;
constexpr int32_t MessageTooLarge = 251;
constexpr int32_t MessageUnwritable = 252;
constexpr int32_t MessageUnmappable = 260;

// Unload mode of a window closed by the user, and of one unloaded by the program.
constexpr int UnloadByUser = 0;
constexpr int UnloadByCode = 1;

QString breakPart(StringLineBreakCodeConstants breakCode) {
    switch (breakCode) {
    case SLB_CRLF:
        return u"Windows )"_s;
    case SLB_CR:
        return u"Macintosh )"_s;
    case SLB_LF:
        return u"Unix )"_s;
    default:
        return {};
    }
}

// The charset as the question about lost characters names it: the legacy charsets by their
// standard names, the others by their own.
QString charsetName(TextForm form) {
    switch (form.charset) {
    case SCS_SHIFTJIS:
        return u"Shift_JIS"_s;
    case SCS_EUC:
        return u"EUC-JP"_s;
    default:
        return form.name();
    }
}

// The length of the text once every break in it is CR LF, as the editor gives it back.
qsizetype lengthWithCrLf(QStringView text) {
    qsizetype length = text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        else if (text[i] == u'\r' || text[i] == u'\n')
            ++length;
    }
    return length;
}

// The length of the editor's text (CR LF breaks) without building it.
qsizetype editorTextLength(const QPlainTextEdit& box) {
    const QTextDocument& document = *box.document();
    return qsizetype(document.characterCount() - 1) + (document.blockCount() - 1);
}

bool offersFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

ChildWindow::ChildWindow(DocumentHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setFont(platform::displayFont(u"ＭＳ ゴシック"_s, 0));
    m_txtEdit = new QPlainTextEdit(this);
    m_txtEdit->setObjectName(u"txtEdit"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_txtEdit);

    m_Editor = std::make_unique<TextEditor>();
    m_Editor->Load(m_txtEdit);
    // Installed after the editor's own filter, so that file drops are seen first.
    m_txtEdit->viewport()->installEventFilter(this);
    connect(m_Editor.get(), &TextEditor::ContextMenu, this, &ChildWindow::showContextMenu,
            Qt::DirectConnection);
    m_loaded = true;
    m_host.OnDocumentLoad(*this);
}

ChildWindow::~ChildWindow() {
    if (m_txtEdit)
        m_txtEdit->viewport()->removeEventFilter(this);
    m_Editor->Unload();
}

void ChildWindow::SetFontBase(const QFont& value) {
    setFont(value);
    m_Editor->SetFont(value);
}

void ChildWindow::SetForeColorBase(uint32_t value) {
    QPalette palette = m_txtEdit->palette();
    palette.setColor(QPalette::Text,
                     tamsell::resolveColor(value, QApplication::palette(m_txtEdit)));
    m_txtEdit->setPalette(palette);
    m_foreColor = value;
}

void ChildWindow::SetBackColorBase(uint32_t value) {
    QPalette palette = m_txtEdit->palette();
    palette.setColor(QPalette::Base,
                     tamsell::resolveColor(value, QApplication::palette(m_txtEdit)));
    m_txtEdit->setPalette(palette);
    m_backColor = value;
}

void ChildWindow::SetCharset(StringCharsetTypeConstants value) {
    SetForm(value == m_form.charset ? m_form : TextForm(value));
}

void ChildWindow::SetForm(TextForm value) {
    if (value == m_form)
        return;
    m_form = value;
    m_Editor->SetModify(true);
    UpdateCaption();
}

void ChildWindow::SetBreakCode(StringLineBreakCodeConstants value) {
    if (value == m_breakCode)
        return;
    m_breakCode = value;
    m_Editor->SetModify(true);
    UpdateCaption();
}

void ChildWindow::UpdateCaption() {
    const QString form = formCaption(m_form);
    QString caption = m_fileName + u" ( "_s + form;
    if (m_form.charset == SCS_OCTETSTREAM)
        caption += u" )"_s;
    else
        caption += (form.isEmpty() ? QString() : u" / "_s) + breakPart(m_breakCode);
    if (m_fileDeleted)
        caption += u" [削除済み]"_s;
    setWindowTitle(caption);
    m_host.OnDocumentCaption(*this);
}

void ChildWindow::NewDocument() {
    m_path.clear();
    m_fileName = u"newdocument"_s;
    m_form = SCS_SHIFTJIS;
    m_breakCode = SLB_CRLF;
    m_Editor->SetText({});
    setWindowIcon(QIcon());
    m_Editor->ClearUndo();
    m_Editor->SetModify(false);
    UpdateCaption();
}

bool ChildWindow::LoadDocument(const QString& FileName, bool Remember, TextForm Charset,
                               StringLineBreakCodeConstants Break) {
    const auto fail = [&](int32_t message) {
        if (Remember) {
            MsgBox(m_host.documentArea().window(), FormatResString(message, {FileName}),
                   message == MessageUnreadable ? msgbox::Exclamation : msgbox::Information);
        }
        return false;
    };
    try {
        FileContents contents = readDocumentFile(FileName, m_maxFileSize);
        if (contents.failure == ReadFailure::Unreadable)
            return fail(MessageUnreadable);
        if (contents.failure == ReadFailure::TooLarge)
            return fail(MessageTooLarge);
        if (contents.bytes.isEmpty()) {
            m_Editor->SetText({});
        } else {
            DocumentText document = decodeDocument(contents.bytes, Charset, Break);
            contents.bytes = {};
            m_form = document.form;
            m_breakCode = document.breakCode;
            // Recognised breaks are all CR LF already; given ones may leave others behind.
            const qsizetype length =
                Break == SLB_UNKNOWN ? document.text.size() : lengthWithCrLf(document.text);
            m_Editor->SetText(document.text);
            if (editorTextLength(*m_txtEdit) != length)
                return fail(MessageTooLarge);
        }
    } catch (const std::bad_alloc&) {
        return fail(MessageTooLarge);
    } catch (const AutomationError&) {
        return fail(MessageTooLarge);
    }
    m_Editor->ClearUndo();
    m_Editor->SetModify(false);
    if (Remember) {
        m_openCharset = Charset;
        m_openBreak = Break;
        takeFileName(FileName);
        takeDiskState();
        setWindowIcon(GetFileIcon(FileName));
        UpdateCaption();
    }
    return true;
}

bool ChildWindow::SaveDocument(const QString& FileName, bool Remember, TextForm Charset,
                               StringLineBreakCodeConstants Break) {
    QString target = FileName;
    if (target.isEmpty()) {
        if (m_path.isEmpty())
            throw AutomationError(errors::InvalidArgument);
        target = FullPath();
    }
    const TextForm form = Charset.charset != SCS_UNKNOWN ? Charset : m_form;
    const StringLineBreakCodeConstants breakCode = Break != SLB_UNKNOWN ? Break : m_breakCode;
    const auto fail = [&] {
        if (Remember)
            MsgBox(m_host.documentArea().window(), FormatResString(MessageUnwritable, {target}),
                   msgbox::Exclamation);
        return false;
    };

    if (Remember && !confirmOverwrite(target))
        return false;
    QByteArray bytes;
    try {
        QString text = m_Editor->Text();
        const Unmappable lost = findUnmappable(text, form.charset);
        if (lost.count > 0) {
            if (Remember && !confirmUnmappable(lost, form))
                return false;
            text = replaceUnmappable(text, form.charset);
        }
        bytes = encodeDocument(std::move(text), form, breakCode, m_host.settings().JISFilter);
    } catch (const std::bad_alloc&) {
        return fail();
    } catch (const AutomationError&) {
        return fail();
    }
    if (!platform::replaceFileContents(target, bytes))
        return fail();

    SetForm(form);
    SetBreakCode(breakCode);
    if (Remember) {
        m_Editor->SetModify(false);
        takeFileName(target);
        takeDiskState();
        setWindowIcon(GetFileIcon(target));
        UpdateCaption();
    }
    return true;
}

bool ChildWindow::confirmUnmappable(const Unmappable& lost, TextForm form) {
    const QString character = QString::fromUcs4(&lost.character, 1);
    const QString codeText = u"U+%1"_s.arg(uint(lost.character), 4, 16, QChar(u'0')).toUpper();
    const QString prompt =
        FormatResString(MessageUnmappable, {charsetName(form), QString::number(lost.count),
                                            QString::number(lost.line), character, codeText});
    return MsgBox(m_host.documentArea().window(), prompt,
                  msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) == msgbox::Yes;
}

void ChildWindow::takeFileName(const QString& fullName) {
    // A relative name would leave the document without a folder to save into.
    const QString absolute = QFileInfo(fullName).absoluteFilePath();
    QString directory;
    QString title;
    QString extension;
    Strings::instance().DivideFileName(absolute, directory, title, extension, u"/"_s);
    m_path = directory;
    m_fileName = title + extension;
}

namespace {

// A new document opens at three quarters of the area, each one a title bar further down and
// right than the one before, as desktop MDI programs cascade them.
void placeNewWindow(const QMdiArea& area, QMdiSubWindow& window) {
    const QSize room = area.viewport()->size();
    const int step = area.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    const int order = static_cast<int>(area.subWindowList().size() - 1) % 8;
    window.resize(room.width() * 3 / 4, room.height() * 3 / 4);
    window.move(order * step, order * step);
}

} // namespace

void ChildWindow::Show2(int32_t /*Modal*/, QWidget* /*OwnerForm*/) {
    QMdiArea& area = m_host.documentArea();
    if (!m_subWindow) {
        m_subWindow = area.addSubWindow(this);
        // The collection decides when a document goes.
        m_subWindow->setAttribute(Qt::WA_DeleteOnClose, false);
        placeNewWindow(area, *m_subWindow);
        connect(&area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
            if (window && window == m_subWindow && !m_showing)
                activate();
        });
    }
    {
        // The activation below is the one the host hears of.
        m_showing = true;
        const auto done = qScopeGuard([this] { m_showing = false; });
        show();
        m_subWindow->show();
        m_subWindow->raise();
        area.setActiveSubWindow(m_subWindow);
    }
    activate();
}

void ChildWindow::activate() {
    if (m_loaded)
        m_host.OnDocumentActivate(*this);
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    if (!m_loaded) {
        event->accept();
        return;
    }
    bool cancel = false;
    {
        m_querying = true;
        const auto done = qScopeGuard([this] { m_querying = false; });
        m_host.OnDocumentQueryUnload(*this, cancel, UnloadByUser);
    }
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void ChildWindow::Attach(ChildWindows* owner, int32_t index, const QString& key) {
    m_owner = owner;
    m_index = index;
    m_key = key;
}

void ChildWindow::Unload() {
    if (!m_loaded)
        return;
    if (!m_querying) {
        // The host lets go of the document; it cannot keep it any more.
        bool ignored = false;
        m_host.OnDocumentQueryUnload(*this, ignored, UnloadByCode);
    }
    m_loaded = false;
    m_owner = nullptr;
    m_Editor->Unload();
    hide();
    // Deleted later: the unload may come from within the window's own close.
    if (m_subWindow) {
        m_subWindow->hide();
        m_subWindow->deleteLater();
    } else {
        deleteLater();
    }
}

void ChildWindow::showContextMenu(int32_t hwndCtrl, int32_t x, int32_t y, bool& DefaultMenu) {
    if (hwndCtrl != 0)
        return;
    DefaultMenu = false;
    if (QMenu* menu = m_host.RefreshEditMenu())
        menu->popup(QPoint(int16_t(x), int16_t(y)));
}

bool ChildWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!m_loaded || watched != m_txtEdit->viewport())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto& drag = *static_cast<QDragMoveEvent*>(event);
        if (!offersFiles(drag.mimeData()))
            break;
        auto effect = Qt::DropAction(int(drag.possibleActions()));
        m_host.DragOverFiles(*drag.mimeData(), effect);
        if (effect & Qt::CopyAction) {
            drag.setDropAction(Qt::CopyAction);
            drag.accept();
        } else {
            drag.ignore();
        }
        // Consumed here: neither the editor nor the box takes file lists as text.
        return true;
    }
    case QEvent::Drop: {
        auto& drop = *static_cast<QDropEvent*>(event);
        if (!offersFiles(drop.mimeData()))
            break;
        drop.setDropAction(Qt::CopyAction);
        drop.accept();
        m_host.DropFiles(*drop.mimeData());
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace penlark
