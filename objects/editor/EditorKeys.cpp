// Key presses and typed characters on the box.
#include "orvenly/TextEditor.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

namespace orvenly {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Horizontal position of a document position within its line, in layout coordinates.
qreal xOf(const QTextBlock& block, int position) {
    const QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return 0;
    return layout->lineAt(0).cursorToX(position - block.position());
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
    const QTextCursor current = cursor();
    const int start = current.selectionStart();
    const int last = current.selectionEnd();
    const QTextDocument& document = *target().document();
    const QTextBlock first = document.findBlock(start);
    const QTextBlock end = document.findBlock(last);
    const QString line = first.text();
    const int lineStart = first.position();
    const int caret = start - lineStart;

    QString indent;
    if (AutoIndent) {
        int n = 0;
        while (n < caret && isBlank(line[n]))
            ++n;
        indent = line.left(n);
    }
    int from = start;
    int to = last;
    if (AutoTruncate) {
        int j = caret;
        while (j > 0 && isBlank(line[j - 1]))
            --j;
        if (j == 0) {
            from = lineStart;
        } else {
            const QString tail = end.text();
            int k = last - end.position();
            while (k < tail.size() && isBlank(tail[k]))
                ++k;
            from = lineStart + j;
            to = end.position() + k;
        }
    }
    QTextCursor edit = cursor();
    edit.setPosition(from);
    edit.setPosition(to, QTextCursor::KeepAnchor);
    edit.insertText(QLatin1Char('\n') + indent);
    target().setTextCursor(edit);
    target().ensureCursorVisible();
}

bool TextEditor::tab(bool shift) {
    QTextCursor current = cursor();
    const QTextDocument& document = *target().document();
    const QTextBlock first = document.findBlock(current.selectionStart());
    QTextBlock end = document.findBlock(current.selectionEnd());
    if (first != end) {
        // A selection that ends right after a line break leaves the next line alone.
        if (current.selectionEnd() == end.position())
            end = end.previous();
        const int blockStart = first.position();
        const QTextBlock after = end.next();
        const int blockEnd = after.isValid() ? after.position() : end.position() + end.length() - 1;
        current.setPosition(blockStart);
        current.setPosition(blockEnd, QTextCursor::KeepAnchor);
        QString block = current.selectedText().replace(QChar::ParagraphSeparator, u'\n');
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
        current.insertText(block);
        const int newEnd = current.position();
        current.setPosition(blockStart);
        current.setPosition(newEnd, QTextCursor::KeepAnchor);
        target().setTextCursor(current);
        return true;
    }
    if (current.hasSelection() || !shift)
        return false;
    // At the start of a line the character after the caret goes, elsewhere the one before.
    const int caret = current.position();
    const int candidate = caret == first.position() ? caret : caret - 1;
    if (document.characterAt(candidate) == u' ' || document.characterAt(candidate) == u'\t') {
        current.setPosition(candidate);
        current.setPosition(candidate + 1, QTextCursor::KeepAnchor);
        current.removeSelectedText();
        target().setTextCursor(current);
    }
    return true;
}

void TextEditor::deleteLine() {
    QTextCursor current = cursor();
    if (!current.hasSelection()) {
        const QTextBlock line = current.block();
        const QTextBlock next = line.next();
        current.setPosition(line.position());
        current.setPosition(next.isValid() ? next.position() : line.position() + line.length() - 1,
                            QTextCursor::KeepAnchor);
    }
    current.removeSelectedText();
    target().setTextCursor(current);
}

void TextEditor::deleteWord(bool forward) {
    QTextCursor current = cursor();
    if (!current.hasSelection())
        current.movePosition(forward ? QTextCursor::NextWord : QTextCursor::PreviousWord,
                             QTextCursor::KeepAnchor);
    current.removeSelectedText();
    target().setTextCursor(current);
}

bool TextEditor::moveVertically(bool down) {
    QTextCursor current = cursor();
    const QTextBlock line = current.block();
    if (!m_columnValid) {
        m_rememberedX = xOf(line, current.position());
        m_columnValid = true;
    }
    const QTextBlock to = down ? line.next() : line.previous();
    if (!to.isValid() || !to.layout() || to.layout()->lineCount() == 0)
        return false;
    const int offset = to.layout()->lineAt(0).xToCursor(m_rememberedX);
    current.setPosition(to.position() + offset);
    target().setTextCursor(current);
    target().ensureCursorVisible();
    return true;
}

} // namespace orvenly
