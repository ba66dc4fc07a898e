// Positions of the CR LF text and the selection members built on them.
#include "orvenly/AutomationError.h"
#include "orvenly/TextEditor.h"
#include "orvenly/TextStorage.h"

#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace orvenly {

int TextEditor::toDocument(int32_t position) const {
    const QTextDocument& document = *target().document();
    if (position <= 0)
        return 0;
    // Block n starts at character position + n: the n breaks before it count twice.
    int low = 0;
    int high = document.blockCount() - 1;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (document.findBlockByNumber(middle).position() + middle <= position)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = document.findBlockByNumber(low);
    // Between CR and LF, or beyond the end, is the end of the line.
    const int offset = std::min(position - block.position() - low, block.length() - 1);
    return block.position() + offset;
}

int32_t TextEditor::fromDocument(int position) const {
    return position + target().document()->findBlock(position).blockNumber();
}

QTextCursor TextEditor::cursor() const {
    return m_hasPending ? m_pending : target().textCursor();
}

void TextEditor::select(int docStart, int docEnd) {
    QTextCursor selection = cursor();
    // A cursor moved outside an edit block lays out the line it lands on, to remember its
    // x; inside one it does not, and this object keeps its own column anyway. The empty
    // edit block changes nothing, so the document's signals about it are held back.
    const QSignalBlocker quiet(selection.document());
    selection.beginEditBlock();
    selection.setPosition(docStart);
    selection.setPosition(docEnd, QTextCursor::KeepAnchor);
    selection.endEditBlock();
    setPending(selection);
}

void TextEditor::setPending(const QTextCursor& selection) {
    target();
    m_pending = selection;
    m_hasPending = true;
    if (m_flushQueued)
        return;
    m_flushQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_flushQueued = false;
            flushSelection();
        },
        Qt::QueuedConnection);
}

void TextEditor::flushSelection() const {
    if (!m_hasPending)
        return;
    m_hasPending = false;
    const QTextCursor selection = m_pending;
    m_pending = QTextCursor();
    if (!m_target || selection.document() != m_target->document())
        return;
    // The start is scrolled into view first, so that it shows when the range is long; the
    // box scrolls its cursor into view whenever it is set.
    QTextCursor start = selection;
    start.setPosition(selection.anchor());
    m_target->setTextCursor(start);
    m_target->setTextCursor(selection);
}

TextEditor::CaretPlace TextEditor::caretPlace() const {
    const QTextCursor caret = cursor();
    return {caret.blockNumber(), caret.block().text(), caret.positionInBlock()};
}

QString TextEditor::Text() const {
    return textWithCrLf(*target().document());
}

void TextEditor::SetText(const QString& value) {
    m_hasPending = false;
    m_pending = QTextCursor();
    target().setPlainText(paragraphsFromBreaks(value));
}

int32_t TextEditor::SelStart() const {
    return fromDocument(cursor().selectionStart());
}

int32_t TextEditor::SelEnd() const {
    return fromDocument(cursor().selectionEnd());
}

int32_t TextEditor::SelLength() const {
    const QTextCursor current = cursor();
    return current.hasSelection()
               ? fromDocument(current.selectionEnd()) - fromDocument(current.selectionStart())
               : 0;
}

QString TextEditor::SelText() const {
    return crLfFromParagraphs(cursor().selectedText());
}

void TextEditor::SetSelStart(int32_t value) {
    const int at = toDocument(value);
    select(at, at);
}

void TextEditor::SetSelLength(int32_t value) {
    if (value < 0)
        throw AutomationError(errors::InvalidArgument);
    const int start = cursor().selectionStart();
    select(start, value == 0 ? start : toDocument(fromDocument(start) + value));
}

void TextEditor::GetSel(int32_t& Start, int32_t& Length) const {
    GetSel2(Start, Length);
    Length -= Start;
}

void TextEditor::GetSel2(int32_t& Start, int32_t& Last) const {
    const QTextCursor current = cursor();
    Start = fromDocument(current.selectionStart());
    Last = fromDocument(current.selectionEnd());
}

void TextEditor::SetSel(int32_t Start, int32_t Length) {
    SetSel2(Start, Start + Length);
}

void TextEditor::SetSel2(int32_t Start, int32_t Last) {
    select(toDocument(Start), toDocument(Last));
}

void TextEditor::InflateSel(int32_t MoveToStart, int32_t MoveToLast) {
    int32_t start = 0;
    int32_t last = 0;
    GetSel2(start, last);
    start = std::max(start - MoveToStart, 0);
    last = std::max(last + MoveToLast, start);
    SetSel2(start, last);
}

void TextEditor::ReplaceSel(const QString& ReplaceStr, bool fCanUndo) {
    QTextDocument& document = *target().document();
    // A change that cannot be undone must not leave older steps to undo over it.
    if (!fCanUndo)
        document.setUndoRedoEnabled(false);
    QTextCursor current = cursor();
    current.insertText(paragraphsFromBreaks(ReplaceStr));
    setPending(current);
    if (!fCanUndo)
        document.setUndoRedoEnabled(true);
}

void TextEditor::ClearSel(bool /*fCanUndo*/) {
    QTextCursor current = cursor();
    current.removeSelectedText();
    setPending(current);
}

} // namespace orvenly
