#include "shell/ChildWindow.h"

#include "common/Resource.h"
#include "common/Settings.h"
#include "common/StringIds.h"
#include "common/TextForms.h"
#include "orvenly/AutomationError.h"
#include "orvenly/Modal.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"
#include "orvenly/Unmappable.h"
#include "shell/DocumentHost.h"
#include "shell/FileIcon.h"

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
#include <QScopeGuard>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <new>

using namespace Qt::StringLiterals;

namespace penlark {

using namespace orvenly;

namespace {

// Unload mode of a window closed by the user, and of one unloaded by the program.
constexpr int UnloadByUser = 0;
constexpr int UnloadByCode = 1;

// The break code closes the caption; breaks of several kinds in the file are named too.
QString breakPart(StringLineBreakCodeConstants breakCode, bool mixed) {
    const QString name = breakCaption(breakCode);
    if (name.isEmpty())
        return {};
    return name + (mixed ? u" 混在 )"_s : u" )"_s);
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

// The magnifications a view steps through, in percent.
constexpr std::array<int32_t, 13> ZoomLevels{50,  67,  75,  80,  90,  100, 110,
                                             125, 150, 175, 200, 250, 300};

bool offersFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

ChildWindow::ChildWindow(DocumentHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    m_fontBase = platform::displayFont(u"ＭＳ ゴシック"_s, 0);
    setFont(m_fontBase);
    m_txtEdit = new TextBox(this);
    m_txtEdit->setObjectName(u"txtEdit"_s);
    m_txtEdit->setStorage(m_document.storage().tree());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_txtEdit);

    m_Editor = std::make_unique<TextEditor>();
    m_Editor->Load(m_txtEdit);
    // Installed after the editor's own filter, so that file drops are seen first.
    m_txtEdit->viewport()->installEventFilter(this);
    connect(m_Editor.get(), &TextEditor::ContextMenu, this, &ChildWindow::showContextMenu,
            Qt::DirectConnection);
    connect(&m_document, &Document::captionChanged, this, &ChildWindow::UpdateCaption);
    connect(&m_document.storage().tree(), &PieceTree::modificationChanged, this,
            &ChildWindow::UpdateCaption);
    connect(&m_document, &Document::textReplaced, this, [this] { m_Editor->SetSelStart(0); });
    if (const RecoveryFolder* folder = m_host.recoveryFolder()) {
        m_journal = std::make_unique<DocumentJournal>(m_document, *folder);
        m_journal->setSelectionSource([this] { return currentSelection(); });
    }
    m_loaded = true;
    m_host.OnDocumentLoad(*this);
}

ChildWindow::~ChildWindow() {
    // Its last write reads the caret from the box.
    m_journal.reset();
    m_txtEdit->viewport()->removeEventFilter(this);
    m_Editor->Unload();
    // The box goes before the document it shows.
    delete m_txtEdit;
}

void ChildWindow::SetFontBase(const QFont& value) {
    m_fontBase = value;
    showFont();
}

void ChildWindow::SetZoom(int32_t percent) {
    const auto nearest = std::min_element(ZoomLevels.begin(), ZoomLevels.end(), [&](int a, int b) {
        return std::abs(a - percent) < std::abs(b - percent);
    });
    if (*nearest == m_zoom)
        return;
    m_zoom = *nearest;
    showFont();
    emit zoomChanged();
}

void ChildWindow::ZoomBy(int steps) {
    const std::ptrdiff_t at =
        std::find(ZoomLevels.begin(), ZoomLevels.end(), m_zoom) - ZoomLevels.begin();
    const std::ptrdiff_t last = std::ssize(ZoomLevels) - 1;
    SetZoom(ZoomLevels[std::clamp<std::ptrdiff_t>(at + steps, 0, last)]);
}

void ChildWindow::showFont() {
    QFont shown = m_fontBase;
    if (m_fontBase.pointSizeF() > 0)
        shown.setPointSizeF(m_fontBase.pointSizeF() * m_zoom / 100);
    else if (m_fontBase.pixelSize() > 0)
        shown.setPixelSize(std::max(1, m_fontBase.pixelSize() * m_zoom / 100));
    setFont(shown);
    m_Editor->SetFont(shown);
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
    SetForm(value == Charset() ? Form() : TextForm(value));
}

void ChildWindow::SetForm(TextForm value) {
    m_document.setForm(value);
}

void ChildWindow::SetBreakCode(StringLineBreakCodeConstants value) {
    m_document.setBreakCode(value);
}

void ChildWindow::UpdateCaption() {
    const FileFormat& format = m_document.format();
    const QString form = formCaption(format.form);
    // A modified document is marked after its name, where the eye finds it first.
    QString caption = FileName() + (m_document.isModified() ? u"* ( "_s : u" ( "_s) + form;
    if (format.form.charset == SCS_OCTETSTREAM)
        caption += u" )"_s;
    else
        caption += (form.isEmpty() ? QString() : u" / "_s) +
                   breakPart(format.breakCode, m_document.mixedBreaks());
    if (FileDeleted())
        caption += u" [削除済み]"_s;
    setWindowTitle(caption);
    m_host.OnDocumentCaption(*this);
}

void ChildWindow::NewDocument() {
    setWindowIcon(QIcon());
    m_document.makeNew();
}

bool ChildWindow::LoadDocument(const QString& FileName, bool Remember, TextForm Charset,
                               StringLineBreakCodeConstants Break) {
    const DocumentResult result = m_document.load(FileName, {Charset, Break}, Remember);
    if (!result) {
        if (Remember)
            reportLoadFailure(FileName, result);
        return false;
    }
    if (Remember)
        setWindowIcon(GetFileIcon(FileName));
    return true;
}

void ChildWindow::reportLoadFailure(const QString& fileName, const DocumentResult& result) {
    // Too large, or unreadable in the charset: the information the design's second message
    // gives; everything else is a file that could not be read.
    const bool tooLarge = result.error == DocumentError::TooLarge ||
                          result.error == DocumentError::CannotDecode ||
                          result.error == DocumentError::OutOfMemory;
    const int32_t message = tooLarge ? strings::TooLarge : strings::Unreadable;
    MsgBox(m_host.documentArea().window(),
           FormatResString(message, {fileName}) + u"\n"_s + causeText(result),
           tooLarge ? msgbox::Information : msgbox::Exclamation);
}

bool ChildWindow::SaveDocument(const QString& FileName, bool Remember, TextForm Charset,
                               StringLineBreakCodeConstants Break) {
    QString target = FileName;
    if (target.isEmpty()) {
        if (!CanOverWrite())
            throw AutomationError(errors::InvalidArgument);
        target = FullPath();
    }
    const FileFormat format{Charset.charset != SCS_UNKNOWN ? Charset : Form(),
                            Break != SLB_UNKNOWN ? Break : BreakCode()};
    const auto fail = [&](const DocumentResult& result) {
        if (Remember)
            MsgBox(m_host.documentArea().window(),
                   FormatResString(strings::Unwritable, {target}) + u"\n"_s + causeText(result),
                   msgbox::Exclamation);
        return false;
    };

    if (Remember && !confirmOverwrite(target))
        return false;
    if (Remember && m_document.mixedBreaks() && !confirmMixedBreaks(target, format.breakCode))
        return false;
    const bool widens = format.form.charset == SCS_JIS && m_host.settings().JISFilter;
    if (Remember && widens && m_document.hasHalfWidthKana() && !confirmWidening(target))
        return false;
    QString text;
    Unmappable lost;
    try {
        text = m_Editor->Text();
        lost = findUnmappable(text, format.form.charset);
        if (lost.count > 0) {
            if (Remember && !confirmUnmappable(lost, format.form))
                return false;
            text = replaceUnmappable(text, format.form.charset);
        }
    } catch (const std::bad_alloc&) {
        return fail({DocumentError::TooLarge, {}});
    }
    const DocumentResult result =
        m_document.save(target, text, format, m_host.settings().JISFilter, Remember);
    if (!result)
        return fail(result);
    if (Remember) {
        setWindowIcon(GetFileIcon(target));
        if (lost.count > 0)
            showWrittenText(text, lost.count);
    }
    return true;
}

void ChildWindow::showWrittenText(const QString& written, int32_t replaced) {
    const int32_t caret = m_Editor->SelStart();
    m_document.storage().ReplaceAll(written);
    m_Editor->SetSelStart(std::min(caret, int32_t(written.size())));
    // What is shown is what the file holds.
    m_document.storage().SetModify(false);
    MsgBox(m_host.documentArea().window(),
           FormatResString(strings::LostReplaced, {QString::number(replaced)}),
           msgbox::Information);
}

bool ChildWindow::confirmWidening(const QString& target) {
    return MsgBox(m_host.documentArea().window(), FormatResString(strings::WidenKana, {target}),
                  msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) == msgbox::Yes;
}

bool ChildWindow::confirmMixedBreaks(const QString& target, StringLineBreakCodeConstants code) {
    return MsgBox(m_host.documentArea().window(),
                  FormatResString(strings::MixedBreaks, {target, breakCharacters(code)}),
                  msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) == msgbox::Yes;
}

bool ChildWindow::confirmUnmappable(const Unmappable& lost, TextForm form) {
    const QString character = QString::fromUcs4(&lost.character, 1);
    const QString codeText = u"U+%1"_s.arg(uint(lost.character), 4, 16, QChar(u'0')).toUpper();
    const QString prompt =
        FormatResString(strings::Unmappable, {charsetName(form), QString::number(lost.count),
                                              QString::number(lost.line), character, codeText});
    return MsgBox(m_host.documentArea().window(), prompt,
                  msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2) == msgbox::Yes;
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
    if (m_journal) {
        // The box lets go of the text below; the caret stays where the user left it.
        m_journal->setSelectionSource([last = currentSelection()] { return last; });
    }
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
    case QEvent::Wheel: {
        auto& wheel = *static_cast<QWheelEvent*>(event);
        if (!(wheel.modifiers() & Qt::ControlModifier))
            break;
        // A notch is 120; away from the user magnifies.
        m_wheelRest += wheel.angleDelta().y();
        const int steps = m_wheelRest / 120;
        m_wheelRest -= steps * 120;
        ZoomBy(steps);
        return true;
    }
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
