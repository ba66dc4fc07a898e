#pragma once

#include <QAbstractScrollArea>
#include <QList>
#include <QTextLayout>
#include <memory>

namespace orvenly {

class PieceTree;
class TextLineCache;
class TextBoxLineNumbers;

// The multi-line text box of this system, without wrapping, over a PieceTree: it lays out
// only the lines on screen, so that a text of hundreds of megabytes shows and edits at once.
// Positions are those of the tree (LF breaks, one character each).
class TextBox : public QAbstractScrollArea {
    Q_OBJECT

public:
    // Marks painted over characters the text does not show; never part of the text.
    enum class Mark { FullWidthSpace = 1, Tab = 2, LineEnd = 4, EndOfFile = 8 };
    Q_DECLARE_FLAGS(Marks, Mark)

    explicit TextBox(QWidget* parent = nullptr);
    ~TextBox() override;

    // The text shown; the box's own until another is given, which must outlive the box.
    PieceTree& storage() const { return *m_tree; }
    void setStorage(PieceTree& tree);

    qsizetype cursorPosition() const { return m_position; }
    qsizetype anchor() const { return m_anchor; }
    bool hasSelection() const { return m_anchor != m_position; }
    qsizetype selectionStart() const { return std::min(m_anchor, m_position); }
    qsizetype selectionEnd() const { return std::max(m_anchor, m_position); }
    QString selectedText() const;
    // Selects from `anchor` to `position`, the caret at `position`, and shows the caret.
    void setSelection(qsizetype anchor, qsizetype position);
    void setCursorPosition(qsizetype position) { setSelection(position, position); }
    // Replaces the selection by `text` as one undo step.
    void insertText(QStringView text);

    // A read-only box still moves, selects and copies; only the user's edits are refused.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool value);
    // With it, Tab and Shift+Tab move the focus on instead of typing a tab.
    bool tabChangesFocus() const { return m_tabChangesFocus; }
    void setTabChangesFocus(bool value) { m_tabChangesFocus = value; }
    bool overwriteMode() const { return m_overwrite; }
    void setOverwriteMode(bool value);
    // Room at the left edge, before the text, for a strip of a client's own, which places it
    // at contentsRect().left().
    int leftMargin() const { return m_leftMargin; }
    void setLeftMargin(int pixels);
    // A margin with the line numbers, right of the client's strip; off at first, since most
    // boxes are not documents.
    bool lineNumbersVisible() const { return m_lineNumbersVisible; }
    void setLineNumbersVisible(bool visible);
    // The full-width space's mark at first.
    Marks marks() const { return m_marks; }
    void setMarks(Marks marks);
    qreal tabStopDistance() const { return m_tabStopDistance; }
    void setTabStopDistance(qreal distance);
    int lineHeight() const;
    qsizetype firstVisibleLine() const;
    // In viewport coordinates.
    QRect cursorRect() const;
    qsizetype positionAt(QPoint point) const;
    // The top left of the cell of a position, in viewport coordinates.
    QPoint pointOf(qsizetype position) const;
    // Where a position stands across its line, from the line's start, in pixels.
    qreal xOf(qsizetype position) const;
    // The position of a line nearest to x pixels from its start.
    qsizetype positionInLine(qsizetype line, qreal x) const;
    // Where a word ends after, or starts before, a position: Ctrl+Right and Ctrl+Left.
    qsizetype nextWord(qsizetype position) const { return moved(Move::WordRight, position); }
    qsizetype previousWord(qsizetype position) const { return moved(Move::WordLeft, position); }
    void ensureCursorVisible();
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

public slots:
    void undo();
    void redo();
    void cut();
    void copy() const;
    void paste();
    void selectAll();

signals:
    void cursorPositionChanged();
    void textChanged();
    void selectionChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Move {
        Left,
        Right,
        WordLeft,
        WordRight,
        Up,
        Down,
        PageUp,
        PageDown,
        Home,
        End,
        DocumentStart,
        DocumentEnd
    };

    static bool ownsKey(const QKeyEvent& event);
    // Lets screen readers read the text of every box.
    static void installAccessibility();
    // Key events that the box takes before the base class would use them otherwise.
    bool routeKey(QEvent* event);
    void onContentsChange(qsizetype position, qsizetype removed, qsizetype added);
    void updateScrollBars();
    // Repaints the lines from first to last that are on screen.
    void updateLines(qsizetype first, qsizetype last);
    qsizetype visibleLines() const;
    qsizetype moved(Move move, qsizetype from) const;
    qsizetype moved(Move move) const { return moved(move, m_position); }
    void moveCursor(Move move, bool select);
    void removeOrSelected(qsizetype from, qsizetype to);
    void typeText(const QString& text);
    void setSelectionQuietly(qsizetype anchor, qsizetype position);
    // Has the input method put its composition into the text, or drops it.
    void commitPreedit();
    void copyToSelectionClipboard() const;
    void selectWordAt(qsizetype position);
    void paintLine(QPainter& painter, qsizetype line, qreal y, qreal left, qreal right);
    // The marks of one laid-out segment starting at `position`, drawn at `origin`, of the
    // characters within [left, right); `lineEnd` when the segment ends the line.
    void paintMarks(QPainter& painter, const QTextLayout& layout, qsizetype position,
                    QPointF origin, qreal left, qreal right, bool lineEnd) const;
    // Room for the client's strip and the line numbers before the viewport.
    void updateMargins();
    // After the line count changed: only a digit more or less moves the text.
    void fitLineNumbers();

    std::unique_ptr<PieceTree> m_ownTree;
    PieceTree* m_tree;
    std::unique_ptr<TextLineCache> m_lines;
    qsizetype m_lineCount = 1;
    qsizetype m_position = 0;
    qsizetype m_anchor = 0;
    qreal m_goalX = -1; // the x that Up and Down keep to
    bool m_overwrite = false;
    bool m_readOnly = false;
    bool m_tabChangesFocus = false;
    bool m_typing = false; // typed characters join the undo step of the last ones
    bool m_selecting = false;
    qreal m_tabStopDistance;
    int m_leftMargin = 0;
    bool m_lineNumbersVisible = false;
    int m_lineDigits = 0;
    TextBoxLineNumbers* m_lineNumbers;
    Marks m_marks = Mark::FullWidthSpace;
    QString m_preedit;
    int m_preeditCursor = 0;
};

} // namespace orvenly

Q_DECLARE_OPERATORS_FOR_FLAGS(orvenly::TextBox::Marks)
