#include "orvenly/TextBox.h"

#include "CharacterClass.h"
#include "TextLineCache.h"
#include "orvenly/PieceTree.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCharFormat>

namespace orvenly {

namespace {

// The most of a line that an input method is shown around the caret.
constexpr qsizetype SurroundingReach = 1000;

} // namespace

qsizetype TextBox::moved(Move move, qsizetype p) const {
    const PieceTree& tree = *m_tree;
    const qsizetype line = tree.lineOf(p);
    auto classAt = [&](qsizetype at) { return characterClass(tree.charAt(at)); };
    switch (move) {
    case Move::Left:
        if (p >= 2 && tree.charAt(p - 1).isLowSurrogate() && tree.charAt(p - 2).isHighSurrogate())
            return p - 2;
        return std::max<qsizetype>(0, p - 1);
    case Move::Right:
        if (p + 1 < tree.length() && tree.charAt(p).isHighSurrogate() &&
            tree.charAt(p + 1).isLowSurrogate())
            return p + 2;
        return std::min(tree.length(), p + 1);
    case Move::WordRight: {
        if (p == tree.lineEnd(line))
            return std::min(tree.length(), p + 1);
        qsizetype at = p;
        const qsizetype end = tree.lineEnd(line);
        const CharacterClass kind = classAt(at);
        while (at < end && classAt(at) == kind)
            ++at;
        while (at < end && classAt(at) == CharacterClass::Space)
            ++at;
        return at;
    }
    case Move::WordLeft: {
        if (p == tree.lineStart(line))
            return std::max<qsizetype>(0, p - 1);
        qsizetype at = p;
        const qsizetype start = tree.lineStart(line);
        while (at > start && classAt(at - 1) == CharacterClass::Space)
            --at;
        if (at > start) {
            const CharacterClass kind = classAt(at - 1);
            while (at > start && classAt(at - 1) == kind)
                --at;
        }
        return at;
    }
    case Move::Up:
    case Move::Down:
    case Move::PageUp:
    case Move::PageDown: {
        const qsizetype step =
            move == Move::Up || move == Move::Down ? 1 : std::max<qsizetype>(1, visibleLines() - 1);
        const qsizetype target = std::clamp<qsizetype>(
            move == Move::Up || move == Move::PageUp ? line - step : line + step, 0,
            m_lineCount - 1);
        const qreal x = m_goalX >= 0 ? m_goalX : xOf(p);
        return tree.lineStart(target) + m_lines->columnAt(target, x);
    }
    case Move::Home:
        return tree.lineStart(line);
    case Move::End:
        return tree.lineEnd(line);
    case Move::DocumentStart:
        return 0;
    case Move::DocumentEnd:
        return tree.length();
    }
    return p;
}

void TextBox::moveCursor(Move move, bool select) {
    const bool vertical =
        move == Move::Up || move == Move::Down || move == Move::PageUp || move == Move::PageDown;
    if (vertical && m_goalX < 0)
        m_goalX = xOf(m_position);
    const qreal goal = m_goalX;
    qsizetype to = moved(move);
    // Left and Right without Shift collapse a selection to its side.
    if (!select && hasSelection() && (move == Move::Left || move == Move::Right))
        to = move == Move::Left ? selectionStart() : selectionEnd();
    if (vertical) {
        const int lines = static_cast<int>(m_tree->lineOf(to) - m_tree->lineOf(m_position));
        if (move == Move::PageUp || move == Move::PageDown)
            verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
    }
    setSelection(select ? m_anchor : to, to);
    m_goalX = vertical ? goal : -1;
}

void TextBox::removeOrSelected(qsizetype from, qsizetype to) {
    m_tree->beginGroup();
    if (hasSelection())
        m_tree->remove(selectionStart(), selectionEnd() - selectionStart());
    else if (from < to)
        m_tree->remove(from, to - from);
    m_tree->endGroup();
    m_typing = false;
    ensureCursorVisible();
}

void TextBox::typeText(const QString& text) {
    // Characters typed one after another are undone together.
    if (m_typing && !hasSelection())
        m_tree->joinPreviousGroup();
    else
        m_tree->beginGroup();
    if (hasSelection()) {
        m_tree->remove(selectionStart(), selectionEnd() - selectionStart());
    } else if (m_overwrite && m_position < m_tree->lineEnd(m_tree->lineOf(m_position))) {
        m_tree->remove(m_position, moved(Move::Right) - m_position);
    }
    m_tree->insert(m_position, text);
    m_tree->endGroup();
    m_typing = true;
    m_goalX = -1;
    ensureCursorVisible();
}

bool TextBox::ownsKey(const QKeyEvent& event) {
    static const QKeySequence::StandardKey edits[] = {
        QKeySequence::Undo, QKeySequence::Redo,  QKeySequence::Copy,
        QKeySequence::Cut,  QKeySequence::Paste, QKeySequence::SelectAll,
    };
    for (const QKeySequence::StandardKey edit : edits) {
        if (event.matches(edit))
            return true;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    switch (event.key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return !(modifiers & (Qt::AltModifier | Qt::MetaModifier));
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Insert:
        return modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier;
    default:
        return !event.text().isEmpty() && event.text().front().isPrint() &&
               !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    }
}

bool TextBox::routeKey(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // The keys the box edits with are its own, before any shortcut of the window.
        auto& key = *static_cast<QKeyEvent*>(event);
        if (!ownsKey(key))
            return false;
        key.accept();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    // Tab types a tab here; it does not move the focus on.
    auto& key = *static_cast<QKeyEvent*>(event);
    if ((key.key() != Qt::Key_Tab && key.key() != Qt::Key_Backtab) || m_tabChangesFocus ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    keyPressEvent(&key);
    return true;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    struct Binding {
        int key;
        Move plain;
        Move withControl;
    };
    static const Binding moves[] = {
        {Qt::Key_Left, Move::Left, Move::WordLeft},
        {Qt::Key_Right, Move::Right, Move::WordRight},
        {Qt::Key_Up, Move::Up, Move::Up},
        {Qt::Key_Down, Move::Down, Move::Down},
        {Qt::Key_PageUp, Move::PageUp, Move::PageUp},
        {Qt::Key_PageDown, Move::PageDown, Move::PageDown},
        {Qt::Key_Home, Move::Home, Move::DocumentStart},
        {Qt::Key_End, Move::End, Move::DocumentEnd},
    };
    for (const Binding& binding : moves) {
        if (event->key() == binding.key) {
            moveCursor(control ? binding.withControl : binding.plain, shift);
            return;
        }
    }
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (m_readOnly) {
        event->ignore();
        return;
    } else if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->key() == Qt::Key_Backspace) {
        removeOrSelected(moved(Move::Left), m_position);
    } else if (event->key() == Qt::Key_Delete) {
        removeOrSelected(m_position, moved(Move::Right));
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        insertText(u"\n");
    } else if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        setOverwriteMode(!m_overwrite);
    } else if (event->key() == Qt::Key_Tab && !control && !m_tabChangesFocus) {
        typeText(QStringLiteral("\t"));
    } else if (!event->text().isEmpty() && !control && event->text().front().isPrint()) {
        typeText(event->text());
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

void TextBox::undo() {
    const qsizetype at = m_tree->undo();
    if (at >= 0)
        setCursorPosition(at);
}

void TextBox::redo() {
    const qsizetype at = m_tree->redo();
    if (at >= 0)
        setCursorPosition(at);
}

void TextBox::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void TextBox::cut() {
    copy();
    removeOrSelected(m_position, m_position);
}

void TextBox::paste() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertText(text);
}

void TextBox::selectAll() {
    setSelectionQuietly(0, m_tree->length());
    copyToSelectionClipboard();
}

void TextBox::copyToSelectionClipboard() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
}

void TextBox::selectWordAt(qsizetype position) {
    const qsizetype line = m_tree->lineOf(position);
    const qsizetype start = m_tree->lineStart(line);
    const qsizetype end = m_tree->lineEnd(line);
    if (start == end)
        return;
    // The character under the mouse is the one after the position, or the last of the line.
    const qsizetype at = std::min(position, end - 1);
    const CharacterClass kind = characterClass(m_tree->charAt(at));
    qsizetype from = at, to = at + 1;
    while (from > start && characterClass(m_tree->charAt(from - 1)) == kind)
        --from;
    while (to < end && characterClass(m_tree->charAt(to)) == kind)
        ++to;
    setSelection(from, to);
    copyToSelectionClipboard();
}

void TextBox::commitPreedit() {
    if (m_preedit.isEmpty())
        return;
    if (hasFocus()) {
        QGuiApplication::inputMethod()->commit();
        // An input method that keeps its text is told to drop it.
        if (!m_preedit.isEmpty())
            QGuiApplication::inputMethod()->reset();
    }
    if (!m_preedit.isEmpty()) {
        m_preedit.clear();
        m_lines->setPreedit(m_position, m_preedit, {});
        viewport()->update();
    }
}

void TextBox::mousePressEvent(QMouseEvent* event) {
    // A click ends a composition where it was shown, before the caret goes elsewhere.
    commitPreedit();
    const qsizetype at = positionAt(event->position().toPoint());
    m_goalX = -1;
    if (event->button() == Qt::LeftButton) {
        m_selecting = true;
        setSelection(event->modifiers() & Qt::ShiftModifier ? m_anchor : at, at);
    } else if (event->button() == Qt::MiddleButton && !m_readOnly &&
               QGuiApplication::clipboard()->supportsSelection()) {
        const QString text = QGuiApplication::clipboard()->text(QClipboard::Selection);
        setCursorPosition(at);
        if (!text.isEmpty())
            insertText(text);
    }
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    if (m_selecting && (event->buttons() & Qt::LeftButton))
        setSelection(m_anchor, positionAt(event->position().toPoint()));
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_selecting) {
        m_selecting = false;
        copyToSelectionClipboard();
    }
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        selectWordAt(positionAt(event->position().toPoint()));
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    const bool replaces = event->replacementLength() > 0 || event->replacementStart() != 0;
    if (!event->commitString().isEmpty() || replaces ||
        (hasSelection() && !event->preeditString().isEmpty())) {
        // The old composition goes before the text changes under it.
        m_lines->setPreedit(m_position, {}, {});
        // A commit, with what it replaces, is one undo step.
        m_tree->beginGroup();
        if (hasSelection())
            m_tree->remove(selectionStart(), selectionEnd() - selectionStart());
        if (replaces) {
            const qsizetype from =
                std::clamp<qsizetype>(m_position + event->replacementStart(), 0, m_tree->length());
            m_tree->remove(from, event->replacementLength());
            setSelectionQuietly(from, from);
        }
        m_tree->insert(m_position, event->commitString());
        m_tree->endGroup();
        m_typing = false;
    }
    m_preedit = event->preeditString();
    m_preeditCursor = static_cast<int>(m_preedit.size());
    QList<QTextLayout::FormatRange> formats;
    for (const QInputMethodEvent::Attribute& attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = attribute.value.value<QTextFormat>().toCharFormat();
            if (format.isValid())
                formats.append({attribute.start, attribute.length, format});
        } else if (attribute.type == QInputMethodEvent::Cursor) {
            m_preeditCursor = std::clamp(attribute.start, 0, static_cast<int>(m_preedit.size()));
        }
    }
    m_lines->setPreedit(m_position, m_preedit, formats);
    ensureCursorVisible();
    viewport()->update();
    event->accept();
}

QVariant TextBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    // The surrounding text is the caret's line, or a stretch of it around the caret.
    const qsizetype line = m_tree->lineOf(m_position);
    const qsizetype from = std::max(m_tree->lineStart(line), m_position - SurroundingReach);
    const qsizetype to = std::min(m_tree->lineEnd(line), m_position + SurroundingReach);
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return cursorRect().translated(viewport()->geometry().topLeft());
    case Qt::ImFont:
        return font();
    case Qt::ImSurroundingText:
        return m_tree->text(from, to - from);
    case Qt::ImCursorPosition:
        return static_cast<int>(m_position - from);
    case Qt::ImAnchorPosition:
        return static_cast<int>(std::clamp(m_anchor, from, to) - from);
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

} // namespace orvenly
