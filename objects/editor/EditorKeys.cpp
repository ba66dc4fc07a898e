// Key presses and typed characters on the box.
#include "orvenly/TextEditor.h"

#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QKeyEvent>

namespace orvenly {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

bool TextEditor::keyDown(QKeyEvent& event) {
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const int key = event.key();
    if (ctrl && key == Qt::Key_Y) {
        deleteLine();
        return true;
    }
    if (ctrl && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        deleteWord(key == Qt::Key_Delete);
        return true;
    }
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && !shift && ResumeCol)
        return moveVertically(key == Qt::Key_Down);
    if (key == Qt::Key_Escape) {
        SetSelLength(0);
        m_columnValid = false;
        return false;
    }
    // These keep the remembered column (a typed character still forgets it); any other key
    // forgets it.
    if (key != Qt::Key_Backspace && key != Qt::Key_Delete && key != Qt::Key_Y &&
        key != Qt::Key_Up && key != Qt::Key_Down)
        m_columnValid = false;
    return false;
}

bool TextEditor::typedCharacter(QKeyEvent& event, bool handled) {
    const int key = event.key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool tabKey = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    if (event.text().isEmpty() && !enter && !tabKey)
        return false;
    m_columnValid = false;
    if (handled)
        return false;
    if (m_lineSelecting)
        return true;
    if (enter && !(event.modifiers() & Qt::ControlModifier) && (AutoIndent || AutoTruncate)) {
        this->enter();
        return true;
    }
    if (tabKey && !(event.modifiers() & Qt::ControlModifier))
        return tab(key == Qt::Key_Backtab || (event.modifiers() & Qt::ShiftModifier));
    return false;
}

void TextEditor::enter() {
    const PieceTree& text = tree();
    const Selection current = selection();
    const qsizetype start = current.start();
    const qsizetype last = current.end();
    const qsizetype firstLine = text.lineOf(start);
    const qsizetype lastLine = text.lineOf(last);
    const qsizetype lineStart = text.lineStart(firstLine);
    const qsizetype caret = start - lineStart;
    QString indent;
    if (AutoIndent) {
        qsizetype n = 0;
        while (n < caret && isBlank(text.charAt(lineStart + n)))
            ++n;
        indent = text.text(lineStart, n);
    }
    qsizetype from = start;
    qsizetype to = last;
    if (AutoTruncate) {
        qsizetype j = caret;
        while (j > 0 && isBlank(text.charAt(lineStart + j - 1)))
            --j;
        if (j == 0) {
            from = lineStart;
        } else {
            const qsizetype tailEnd = text.lineEnd(lastLine);
            qsizetype k = last;
            while (k < tailEnd && isBlank(text.charAt(k)))
                ++k;
            from = lineStart + j;
            to = k;
        }
    }
    replaceRange(from, to, QString(QLatin1Char('\n') + indent));
    flushSelection();
}

// The first position of the line after `line`, or the end of the text for the last line.
qsizetype TextEditor::pastLine(qsizetype line) const {
    const PieceTree& text = tree();
    return line + 1 < text.lineCount() ? text.lineStart(line + 1) : text.lineEnd(line);
}

bool TextEditor::tab(bool shift) {
    const PieceTree& text = tree();
    const Selection current = selection();
    const qsizetype firstLine = text.lineOf(current.start());
    qsizetype lastLine = text.lineOf(current.end());
    if (firstLine != lastLine) {
        // A selection that ends right after a line break leaves the next line alone.
        if (current.end() == text.lineStart(lastLine))
            --lastLine;
        const qsizetype blockStart = text.lineStart(firstLine);
        const qsizetype blockEnd = pastLine(lastLine);
        QString block = text.text(blockStart, blockEnd - blockStart);
        if (shift) {
            block.replace(QLatin1StringView("\n\t"), QLatin1StringView("\n"));
            if (block.startsWith(u'\t'))
                block.remove(0, 1);
        } else {
            const bool endsWithBreak = block.endsWith(u'\n');
            block.replace(QLatin1StringView("\n"), QLatin1StringView("\n\t"));
            block.prepend(u'\t');
            // Only the tab that a final break brought in goes; the line's own stays.
            if (endsWithBreak)
                block.chop(1);
        }
        replaceRange(blockStart, blockEnd, block);
        select(blockStart, blockStart + block.size());
        flushSelection();
        return true;
    }
    if (!current.empty() || !shift)
        return false;
    // At the start of a line the character after the caret goes, elsewhere the one before.
    const qsizetype caret = current.position;
    const qsizetype candidate = caret == text.lineStart(firstLine) ? caret : caret - 1;
    if (candidate >= 0 && candidate < text.length() && isBlank(text.charAt(candidate))) {
        replaceRange(candidate, candidate + 1, {});
        flushSelection();
    }
    return true;
}

void TextEditor::deleteLine() {
    Selection current = selection();
    if (current.empty()) {
        const qsizetype line = tree().lineOf(current.position);
        current = {tree().lineStart(line), pastLine(line)};
    }
    replaceRange(current.start(), current.end(), {});
    flushSelection();
}

void TextEditor::deleteWord(bool forward) {
    Selection current = selection();
    if (current.empty()) {
        const TextBox& box = target();
        current.anchor =
            forward ? box.nextWord(current.position) : box.previousWord(current.position);
    }
    replaceRange(current.start(), current.end(), {});
    flushSelection();
}

bool TextEditor::moveVertically(bool down) {
    flushSelection();
    TextBox& box = target();
    const qsizetype caret = box.cursorPosition();
    if (!m_columnValid) {
        m_rememberedX = box.xOf(caret);
        m_columnValid = true;
    }
    const qsizetype line = tree().lineOf(caret);
    const qsizetype to = down ? line + 1 : line - 1;
    if (to < 0 || to >= tree().lineCount())
        return false;
    box.setCursorPosition(box.positionInLine(to, m_rememberedX));
    return true;
}

} // namespace orvenly
