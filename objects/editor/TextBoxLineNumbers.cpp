#include "TextBoxLineNumbers.h"

#include "MarkColor.h"
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace orvenly {

namespace {

constexpr int LeftGap = 4;
constexpr int MinimumDigits = 2;

int digitCount(qsizetype number) {
    int digits = 1;
    for (; number >= 10; number /= 10)
        ++digits;
    return std::max(MinimumDigits, digits);
}

QFont boldFont(QFont font) {
    font.setBold(true);
    return font;
}

// Between the numbers and the text, half a character.
int rightGap(const QFont& font) {
    return QFontMetrics(font).averageCharWidth() / 2 + 2;
}

} // namespace

TextBoxLineNumbers::TextBoxLineNumbers(TextBox& box) : QWidget(&box), m_box(box) {
    setCursor(Qt::ArrowCursor);
    box.viewport()->installEventFilter(this);
    connect(box.verticalScrollBar(), &QScrollBar::valueChanged, this,
            qOverload<>(&QWidget::update));
    connect(&box, &TextBox::cursorPositionChanged, this, qOverload<>(&QWidget::update));
}

int TextBoxLineNumbers::widthFor(int digits) const {
    const QFontMetrics metrics(boldFont(m_box.font()));
    int digit = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        digit = std::max(digit, metrics.horizontalAdvance(QChar(c)));
    return LeftGap + digits * digit + rightGap(m_box.font());
}

void TextBoxLineNumbers::place(int width) {
    const QRect view = m_box.viewport()->geometry();
    setGeometry(view.left() - width, view.top(), width, view.height());
}

bool TextBoxLineNumbers::eventFilter(QObject* watched, QEvent* event) {
    // The viewport moves and resizes with the box's scroll bars and margins.
    if (watched == m_box.viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        place(width());
    return QWidget::eventFilter(watched, event);
}

void TextBoxLineNumbers::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QPalette& colours = m_box.palette();
    painter.fillRect(event->rect(), colours.color(QPalette::Base));
    const QColor text = colours.color(QPalette::Text);
    const QColor dimmed = markColor(text, colours.color(QPalette::Base));
    const QFont normal = m_box.font();
    const QFont bold = boldFont(normal);
    const int ascent = QFontMetrics(normal).ascent();
    const int right = width() - rightGap(normal);
    const int height = m_box.lineHeight();
    const PieceTree& tree = m_box.storage();
    const qsizetype first = m_box.firstVisibleLine();
    const qsizetype last = std::min(tree.lineCount() - 1, first + event->rect().bottom() / height);
    const qsizetype current = tree.lineOf(m_box.cursorPosition());
    // The same baseline as the line's text.
    for (qsizetype line = first + event->rect().top() / height; line <= last; ++line) {
        const QString number = QString::number(line + 1);
        painter.setFont(line == current ? bold : normal);
        painter.setPen(line == current ? text : dimmed);
        painter.drawText(right - painter.fontMetrics().horizontalAdvance(number),
                         static_cast<int>(line - first) * height + ascent, number);
    }
}

qsizetype TextBoxLineNumbers::lineAt(int y) const {
    const qsizetype line = m_box.firstVisibleLine() + (y < 0 ? -1 : y / m_box.lineHeight());
    return std::clamp<qsizetype>(line, 0, m_box.storage().lineCount() - 1);
}

// From the start of the first line to the end of the last one with its break, the caret at
// the end the mouse is on.
void TextBoxLineNumbers::selectLines(qsizetype line) {
    const PieceTree& tree = m_box.storage();
    const auto after = [&tree](qsizetype l) {
        return l + 1 < tree.lineCount() ? tree.lineStart(l + 1) : tree.lineEnd(l);
    };
    m_anchorPosition = line >= m_anchorLine ? tree.lineStart(m_anchorLine) : after(m_anchorLine);
    m_box.setSelection(m_anchorPosition, line >= m_anchorLine ? after(line) : tree.lineStart(line));
}

void TextBoxLineNumbers::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int y = event->position().toPoint().y();
    if (m_box.firstVisibleLine() + y / m_box.lineHeight() >= m_box.storage().lineCount())
        return;
    const qsizetype line = lineAt(y);
    // Shift extends the selection from its anchor: from the same line when the selection is
    // still the one the numbers made.
    if (!(event->modifiers() & Qt::ShiftModifier))
        m_anchorLine = line;
    else if (m_anchorLine < 0 || m_box.anchor() != m_anchorPosition)
        m_anchorLine = m_box.storage().lineOf(m_box.anchor());
    selectLines(line);
    m_box.setFocus(Qt::MouseFocusReason);
}

void TextBoxLineNumbers::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton && m_anchorLine >= 0)
        selectLines(lineAt(event->position().toPoint().y()));
}

void TextBox::setLineNumbersVisible(bool visible) {
    m_lineNumbersVisible = visible;
    updateMargins();
}

void TextBox::fitLineNumbers() {
    if (digitCount(m_lineCount) != m_lineDigits)
        updateMargins();
}

void TextBox::updateMargins() {
    m_lineDigits = digitCount(m_lineCount);
    const int numbers = m_lineNumbersVisible ? m_lineNumbers->widthFor(m_lineDigits) : 0;
    setViewportMargins(m_leftMargin + numbers, 0, 0, 0);
    m_lineNumbers->setVisible(m_lineNumbersVisible);
    m_lineNumbers->place(numbers);
    m_lineNumbers->update();
    updateScrollBars();
}

} // namespace orvenly
