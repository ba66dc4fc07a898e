#include "orvenly/TextBox.h"

#include "MarkColor.h"
#include "TextBoxLineNumbers.h"
#include "TextLineCache.h"
#include "orvenly/PieceTree.h"

#include <QAccessible>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace orvenly {

namespace {

// Room between the box's left edge and the text, as the platform's text boxes leave.
constexpr int LeftPadding = 4;

} // namespace

TextBox::TextBox(QWidget* parent)
    : QAbstractScrollArea(parent), m_ownTree(std::make_unique<PieceTree>()),
      m_tree(m_ownTree.get()), m_lines(std::make_unique<TextLineCache>(*m_tree)),
      m_lineNumbers(new TextBoxLineNumbers(*this)) {
    installAccessibility();
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    m_tabStopDistance = 8 * fontMetrics().averageCharWidth();
    m_lines->setFont(font());
    m_lines->setTabStopDistance(m_tabStopDistance);
    connect(m_tree, &PieceTree::contentsChange, this, &TextBox::onContentsChange);
    updateMargins();
}

TextBox::~TextBox() {
    // The numbers watch the viewport, which still sends events while the base classes take
    // the box down, when it is no longer a scroll area.
    delete m_lineNumbers;
}

void TextBox::setStorage(PieceTree& tree) {
    disconnect(m_tree, &PieceTree::contentsChange, this, &TextBox::onContentsChange);
    m_tree = &tree;
    m_ownTree.reset();
    m_lines = std::make_unique<TextLineCache>(tree);
    m_lines->setFont(font());
    m_lines->setTabStopDistance(m_tabStopDistance);
    connect(m_tree, &PieceTree::contentsChange, this, &TextBox::onContentsChange);
    m_position = m_anchor = 0;
    m_lineCount = m_tree->lineCount();
    updateMargins();
    viewport()->update();
}

QString TextBox::selectedText() const {
    return m_tree->text(selectionStart(), selectionEnd() - selectionStart());
}

void TextBox::setSelectionQuietly(qsizetype anchor, qsizetype position) {
    const qsizetype length = m_tree->length();
    anchor = std::clamp<qsizetype>(anchor, 0, length);
    position = std::clamp<qsizetype>(position, 0, length);
    const bool moved = position != m_position;
    const bool selection = anchor != m_anchor || moved;
    // A caret that only moves repaints the lines it leaves and reaches; a selection may
    // span the screen.
    const bool caretOnly = m_anchor == m_position && anchor == position;
    if (caretOnly) {
        updateLines(m_tree->lineOf(m_position), m_tree->lineOf(m_position));
        updateLines(m_tree->lineOf(position), m_tree->lineOf(position));
    } else if (selection) {
        viewport()->update();
    }
    m_anchor = anchor;
    m_position = position;
    m_typing = false;
    if (m_lines->movePreedit(position))
        viewport()->update();
    if (moved && QAccessible::isActive()) {
        QAccessibleTextCursorEvent caret(this, static_cast<int>(position));
        QAccessible::updateAccessibility(&caret);
    }
    if (moved)
        emit cursorPositionChanged();
    if (selection)
        emit selectionChanged();
}

void TextBox::setSelection(qsizetype anchor, qsizetype position) {
    setSelectionQuietly(anchor, position);
    ensureCursorVisible();
}

void TextBox::insertText(QStringView text) {
    m_tree->beginGroup();
    if (hasSelection())
        m_tree->remove(selectionStart(), selectionEnd() - selectionStart());
    // The caret follows what goes in (onContentsChange).
    m_tree->insert(m_position, text);
    m_tree->endGroup();
    m_typing = false;
    ensureCursorVisible();
}

void TextBox::onContentsChange(qsizetype position, qsizetype removed, qsizetype added) {
    const qsizetype lineCount = m_tree->lineCount();
    const bool breaksChanged = lineCount != m_lineCount;
    m_lines->changed(position, breaksChanged);
    m_lineCount = lineCount;
    fitLineNumbers();
    for (qsizetype* at : {&m_position, &m_anchor}) {
        if (*at >= position + removed)
            *at -= removed;
        else if (*at > position)
            *at = position;
        if (added > 0 && *at >= position)
            *at += added;
    }
    // A composition stays at the caret, where the input method's text goes in.
    if (m_lines->movePreedit(m_position))
        viewport()->update();
    updateScrollBars();
    // Without a break coming or going, the lines below stay as they were.
    updateLines(m_tree->lineOf(position),
                breaksChanged ? m_lineCount : m_tree->lineOf(position + added));
    emit cursorPositionChanged();
    emit textChanged();
}

void TextBox::updateLines(qsizetype first, qsizetype last) {
    const qsizetype top = firstVisibleLine();
    first = std::max(first, top);
    last = std::min(last, top + visibleLines());
    if (first > last)
        return;
    const int height = lineHeight();
    viewport()->update(0, static_cast<int>(first - top) * height, viewport()->width(),
                       static_cast<int>(last - first + 1) * height);
}

void TextBox::setReadOnly(bool value) {
    m_readOnly = value;
    setAttribute(Qt::WA_InputMethodEnabled, !value);
}

void TextBox::setOverwriteMode(bool value) {
    m_overwrite = value;
    viewport()->update();
}

void TextBox::setTabStopDistance(qreal distance) {
    m_tabStopDistance = distance;
    m_lines->setTabStopDistance(distance);
    updateScrollBars();
    viewport()->update();
}

void TextBox::setLeftMargin(int pixels) {
    m_leftMargin = pixels;
    updateMargins();
}

void TextBox::setMarks(Marks marks) {
    m_marks = marks;
    viewport()->update();
}

int TextBox::lineHeight() const {
    return fontMetrics().lineSpacing();
}

qsizetype TextBox::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

qsizetype TextBox::visibleLines() const {
    return std::max(1, viewport()->height() / lineHeight());
}

void TextBox::updateScrollBars() {
    const qsizetype lines = visibleLines();
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qsizetype>(0, m_lineCount - lines)));
    verticalScrollBar()->setPageStep(static_cast<int>(lines));
    verticalScrollBar()->setSingleStep(1);
    // The width is learnt from the lines shown so far, never from a pass over the text.
    int width = static_cast<int>(std::ceil(m_lines->knownWidth())) + 2 * LeftPadding;
    // Room for the mark after the widest line's end.
    if (m_marks & (Mark::LineEnd | Mark::EndOfFile))
        width +=
            fontMetrics().horizontalAdvance(QString::fromUtf16(EndOfFileMark)) + 2 * LeftPadding;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth());
}

qreal TextBox::xOf(qsizetype position) const {
    const qsizetype line = m_tree->lineOf(position);
    return m_lines->xOf(line, position - m_tree->lineStart(line));
}

QPoint TextBox::pointOf(qsizetype position) const {
    const qsizetype line = m_tree->lineOf(position);
    return {LeftPadding + static_cast<int>(std::lround(xOf(position))) -
                horizontalScrollBar()->value(),
            static_cast<int>(line - firstVisibleLine()) * lineHeight()};
}

qsizetype TextBox::positionInLine(qsizetype line, qreal x) const {
    line = std::clamp<qsizetype>(line, 0, m_lineCount - 1);
    return m_tree->lineStart(line) + m_lines->columnAt(line, std::max<qreal>(0, x));
}

QRect TextBox::cursorRect() const {
    const qsizetype line = m_tree->lineOf(m_position);
    qreal x = xOf(m_position);
    if (!m_preedit.isEmpty()) {
        const TextLineCache::Segment& segment =
            m_lines->segmentAt(line, m_position - m_tree->lineStart(line));
        x = segment.x +
            segment.layout->lineAt(0).cursorToX(static_cast<int>(
                m_position - m_tree->lineStart(line) - segment.offset + m_preeditCursor));
    }
    int width = 1;
    if (m_overwrite && m_position < m_tree->lineEnd(line))
        width = std::max(1, static_cast<int>(std::lround(xOf(m_position + 1) - x)));
    const int left =
        LeftPadding + static_cast<int>(std::lround(x)) - horizontalScrollBar()->value();
    const int top = static_cast<int>(line - firstVisibleLine()) * lineHeight();
    return QRect(left, top, width, lineHeight());
}

qsizetype TextBox::positionAt(QPoint point) const {
    return positionInLine(firstVisibleLine() + point.y() / lineHeight(),
                          point.x() - LeftPadding + horizontalScrollBar()->value());
}

void TextBox::ensureCursorVisible() {
    const qsizetype line = m_tree->lineOf(m_position);
    const qsizetype first = firstVisibleLine();
    if (line < first)
        verticalScrollBar()->setValue(static_cast<int>(line));
    else if (line >= first + visibleLines())
        verticalScrollBar()->setValue(static_cast<int>(line - visibleLines() + 1));
    const int x = static_cast<int>(std::lround(xOf(m_position)));
    updateScrollBars();
    const int h = horizontalScrollBar()->value();
    const int room = viewport()->width() - 2 * LeftPadding;
    if (x < h)
        horizontalScrollBar()->setValue(x);
    else if (x >= h + room)
        horizontalScrollBar()->setValue(x - room + 1);
}

bool TextBox::event(QEvent* event) {
    if (routeKey(event))
        return true;
    if (event->type() == QEvent::FontChange) {
        m_lines->setFont(font());
        updateMargins();
        viewport()->update();
    }
    return QAbstractScrollArea::event(event);
}

void TextBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TextBox::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ActivationChange)
        viewport()->update();
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TextBox::paintLine(QPainter& painter, qsizetype line, qreal y, qreal left, qreal right) {
    const qsizetype start = m_tree->lineStart(line);
    const qsizetype length = m_tree->lineEnd(line) - start;
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    const qreal h = horizontalScrollBar()->value();
    QTextCharFormat selected;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    // Only the segments of the line that fall into [left, right) are laid out and drawn.
    qsizetype column = m_lines->segmentAtX(line, left + h - LeftPadding).offset;
    for (;;) {
        const TextLineCache::Segment& segment = m_lines->segmentAt(line, column);
        const qreal x = LeftPadding + segment.x - h;
        QList<QTextLayout::FormatRange> selections;
        const qsizetype from = std::max(selectionStart(), start + segment.offset);
        const qsizetype to = std::min(selectionEnd(), start + segment.offset + segment.length);
        if (from < to)
            selections.append({static_cast<int>(from - start - segment.offset),
                               static_cast<int>(to - from), selected});
        segment.layout->draw(&painter, QPointF(x, y), selections);
        const qsizetype end = segment.offset + segment.length;
        // A selected break shows as a space's width of selection after the line.
        if (end >= length && selectionStart() <= start + length && selectionEnd() > start + length)
            painter.fillRect(
                QRectF(x + segment.width, y, fontMetrics().horizontalAdvance(u' '), lineHeight()),
                selected.background());
        paintMarks(painter, *segment.layout, start + segment.offset, QPointF(x, y), left, right,
                   end >= length);
        if (end >= length || x + segment.width >= right)
            break;
        column = end;
    }
}

void TextBox::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    painter.setPen(palette().color(group, QPalette::Text));
    const int height = lineHeight();
    const qsizetype first = firstVisibleLine() + area.top() / height;
    const qsizetype last = std::min(m_lineCount - 1, firstVisibleLine() + area.bottom() / height);
    for (qsizetype line = first; line <= last; ++line)
        paintLine(painter, line, static_cast<qreal>((line - firstVisibleLine()) * height),
                  area.left(), area.right() + 1);
    if (hasFocus())
        painter.fillRect(cursorRect(), palette().color(group, QPalette::Text));
    // The extent may have grown with lines seen for the first time.
    updateScrollBars();
}

} // namespace orvenly
