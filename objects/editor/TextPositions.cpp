// Positions of the CR LF text and the selection members built on them.
#include "orvenly/AutomationError.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"
#include "orvenly/TextEditor.h"
#include "orvenly/TextStorage.h"

#include <algorithm>
#include <limits>

namespace orvenly {

qsizetype TextEditor::toDocument(int32_t position) const {
    return tree().positionFromCrLf(std::max<int32_t>(position, 0));
}

int32_t TextEditor::fromDocument(qsizetype position) const {
    // Near the end of a text of 2 GiB counted with CR LF; the positions there are out of reach.
    return static_cast<int32_t>(
        std::min<qsizetype>(tree().crLfPosition(position), std::numeric_limits<int32_t>::max()));
}

TextEditor::Selection TextEditor::selection() const {
    if (m_hasPending)
        return m_pending;
    const TextBox& box = target();
    return {box.anchor(), box.cursorPosition()};
}

void TextEditor::select(qsizetype anchor, qsizetype position) {
    target();
    m_pending = {anchor, position};
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
    if (!m_target)
        return;
    // The text may have been replaced since under another hand.
    const qsizetype length = m_target->storage().length();
    const qsizetype anchor = std::min(m_pending.anchor, length);
    const qsizetype position = std::min(m_pending.position, length);
    // The start is scrolled into view first, so that it shows when the range is long; the
    // box scrolls its caret into view whenever it is set.
    m_target->setCursorPosition(anchor);
    m_target->setSelection(anchor, position);
}

void TextEditor::replaceRange(qsizetype from, qsizetype to, QStringView text) {
    PieceTree& storage = tree();
    storage.beginGroup();
    if (to > from)
        storage.remove(from, to - from);
    const qsizetype stored = storage.insert(from, text);
    storage.endGroup();
    select(from + stored, from + stored);
}

TextEditor::CaretPlace TextEditor::caretPlace() const {
    const PieceTree& storage = tree();
    const qsizetype position = selection().position;
    const qsizetype line = storage.lineOf(position);
    const qsizetype start = storage.lineStart(line);
    return {static_cast<int32_t>(line), storage.text(start, storage.lineEnd(line) - start),
            static_cast<int32_t>(position - start)};
}

QString TextEditor::Text() const {
    return textWithCrLf(tree());
}

void TextEditor::SetText(const QString& value) {
    m_hasPending = false;
    tree().setText(value);
    target().setCursorPosition(0);
}

int32_t TextEditor::SelStart() const {
    return fromDocument(selection().start());
}

int32_t TextEditor::SelEnd() const {
    return fromDocument(selection().end());
}

int32_t TextEditor::SelLength() const {
    const Selection current = selection();
    return current.empty() ? 0 : fromDocument(current.end()) - fromDocument(current.start());
}

QString TextEditor::SelText() const {
    const Selection current = selection();
    return textWithCrLf(tree(), current.start(), current.end() - current.start());
}

void TextEditor::SetSelStart(int32_t value) {
    const qsizetype at = toDocument(value);
    select(at, at);
}

void TextEditor::SetSelLength(int32_t value) {
    if (value < 0)
        throw AutomationError(errors::InvalidArgument);
    const qsizetype start = selection().start();
    select(start, value == 0 ? start : toDocument(fromDocument(start) + value));
}

void TextEditor::GetSel(int32_t& Start, int32_t& Length) const {
    GetSel2(Start, Length);
    Length -= Start;
}

void TextEditor::GetSel2(int32_t& Start, int32_t& Last) const {
    const Selection current = selection();
    Start = fromDocument(current.start());
    Last = fromDocument(current.end());
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
    const Selection current = selection();
    replaceRange(current.start(), current.end(), ReplaceStr);
    // A change that cannot be undone must not leave older steps to undo over it.
    if (!fCanUndo)
        tree().clearUndo();
}

void TextEditor::ClearSel(bool /*fCanUndo*/) {
    const Selection current = selection();
    replaceRange(current.start(), current.end(), {});
}

} // namespace orvenly
