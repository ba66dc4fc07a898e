#include "orvenly/TextEditor.h"

#include "EditorMargin.h"
#include "orvenly/AutomationError.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <cmath>

using namespace Qt::StringLiterals;

namespace orvenly {

namespace {

// The box's serving object, so that a second object on the same box leaves it alone.
constexpr char ServedBy[] = "TextEditor::Target";

[[noreturn]] void invalidObject() {
    throw AutomationError(errors::InvalidObject, u"オブジェクトが不正です。"_s,
                          u"OrvenlyCls.TextEditor"_s);
}

} // namespace

TextEditor::TextEditor(QObject* parent) : QObject(parent) {}

TextEditor::~TextEditor() {
    Unload();
}

void TextEditor::Load(QObject* Target) {
    auto* box = qobject_cast<TextBox*>(Target);
    if (!box)
        invalidObject();
    Unload();
    m_target = box;
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_font = box->font();
    if (box->property(ServedBy).isValid())
        return;
    box->setProperty(ServedBy, QVariant::fromValue<QObject*>(this));
    m_owner = true;
    box->installEventFilter(this);
    box->viewport()->installEventFilter(this);
    m_marginWidget = new EditorMargin(*this, box);
    recomputeMetrics();
}

void TextEditor::Unload() {
    flushSelection();
    if (m_target && m_owner) {
        m_target->removeEventFilter(this);
        m_target->viewport()->removeEventFilter(this);
        m_target->setProperty(ServedBy, QVariant());
        m_target->setLeftMargin(0);
        delete m_marginWidget;
    }
    m_marginWidget = nullptr;
    m_owner = false;
    m_lineSelecting = false;
    m_columnValid = false;
    m_target = nullptr;
}

TextBox& TextEditor::target() const {
    if (!m_target)
        throw AutomationError(errors::ObjectNotSet);
    return *m_target;
}

PieceTree& TextEditor::tree() const {
    return target().storage();
}

void TextEditor::SetMargin(bool value) {
    if (value == m_margin)
        return;
    m_margin = value;
    recomputeMetrics();
}

void TextEditor::SetMarginWidth(float value) {
    if (value == m_marginWidth)
        return;
    m_marginWidth = value;
    recomputeMetrics();
}

QFont TextEditor::Font() const {
    return m_target ? m_target->font() : m_font;
}

void TextEditor::SetFont(const QFont& value) {
    m_font = value;
    if (m_target)
        m_target->setFont(value);
    recomputeMetrics();
}

void TextEditor::SetTabStep(int32_t value) {
    m_tabStep = value;
    applyTabStop();
}

void TextEditor::recomputeMetrics() {
    if (!m_target)
        return;
    const QFontMetrics metrics(m_target->font());
    m_averageCharWidth = metrics.averageCharWidth();
    m_lineHeight = metrics.height();
    // The default rounding mode takes halves to even.
    m_marginPixels =
        m_margin ? static_cast<int32_t>(std::nearbyint(double(m_marginWidth) * m_averageCharWidth))
                 : 0;
    if (m_owner) {
        m_target->setLeftMargin(m_marginPixels);
        m_marginWidget->place();
    }
    applyTabStop();
}

void TextEditor::applyTabStop() {
    if (m_target)
        m_target->setTabStopDistance(qreal(m_tabStep) * m_averageCharWidth);
}

bool TextEditor::Modify() const {
    return tree().isModified();
}

void TextEditor::SetModify(bool value) {
    tree().setModified(value);
}

int32_t TextEditor::TopIndex() const {
    flushSelection();
    return static_cast<int32_t>(target().firstVisibleLine() + 1);
}

bool TextEditor::CanUndo() const {
    return tree().canUndo();
}

void TextEditor::ClearUndo() {
    tree().clearUndo();
}

void TextEditor::Undo() {
    flushSelection();
    target().undo();
}

bool TextEditor::CanRedo() const {
    return tree().canRedo();
}

void TextEditor::Redo() {
    flushSelection();
    target().redo();
}

void TextEditor::Copy() {
    flushSelection();
    target().copy();
}

void TextEditor::Paste() {
    flushSelection();
    target().paste();
}

void TextEditor::Cut() {
    flushSelection();
    target().cut();
}

void TextEditor::SelAll() {
    flushSelection();
    target().selectAll();
}

bool TextEditor::GetCurrentCoordinate(int32_t& x, int32_t& y) {
    flushSelection();
    TextBox& box = target();
    box.setFocus();
    const QRect caret = box.cursorRect();
    if (!box.viewport()->rect().contains(caret.topLeft()) || m_averageCharWidth <= 0 ||
        m_lineHeight <= 0)
        return false;
    // Measured in the line itself, so neither the margin nor scrolling counts; the line comes
    // from the caret, since the box spaces lines by the font's line spacing, not its height.
    const qsizetype position = box.cursorPosition();
    x = static_cast<int32_t>(std::lround(box.xOf(position))) / m_averageCharWidth;
    y = static_cast<int32_t>(box.storage().lineOf(position));
    return true;
}

bool TextEditor::takeHandled() {
    const bool was = Handled;
    Handled = false;
    return was;
}

bool TextEditor::eventFilter(QObject* watched, QEvent* event) {
    // Whatever reaches the box, paint included, meets the selection the members set.
    flushSelection();
    switch (event->type()) {
    case QEvent::ContextMenu: {
        const QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
        bool defaultMenu = true;
        emit ContextMenu(0, at.x() & 0xFFFF, at.y() & 0xFFFF, defaultMenu);
        return !defaultMenu;
    }
    case QEvent::KeyPress: {
        auto& key = *static_cast<QKeyEvent*>(event);
        const bool handled = takeHandled();
        return keyDown(key) || typedCharacter(key, handled);
    }
    case QEvent::FontChange:
        if (watched == m_target)
            recomputeMetrics();
        break;
    case QEvent::Resize:
        if (m_marginWidget)
            m_marginWidget->place();
        break;
    // A press that the client has dealt with still reaches the box; only ours is skipped.
    case QEvent::MouseButtonPress:
        m_columnValid = false;
        return !takeHandled() && pressForDrag(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        m_columnValid = false;
        Handled = false;
        break;
    case QEvent::MouseButtonRelease:
        m_columnValid = false;
        Handled = false;
        return releaseForDrag(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        Handled = false;
        return moveForDrag(*static_cast<QMouseEvent*>(event));
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return dragOver(*static_cast<QDragMoveEvent*>(event));
    case QEvent::Drop:
        return drop(*static_cast<QDropEvent*>(event));
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvenly
