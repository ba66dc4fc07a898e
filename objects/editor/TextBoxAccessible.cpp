// What a screen reader asks of the box: its text, the caret, the selection and where
// characters stand.
#include "orvenly/PieceTree.h"
#include "orvenly/TextBox.h"

#include <QAccessibleWidget>

namespace orvenly {

namespace {

class TextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    // The widget's texts (name, description) by kind, beside the text interface's by range.
    using QAccessibleWidget::text;

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        result.editable = !box().isReadOnly();
        result.readOnly = box().isReadOnly();
        result.multiLine = true;
        result.selectableText = true;
        return result;
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box().hasSelection()) {
            *startOffset = static_cast<int>(box().selectionStart());
            *endOffset = static_cast<int>(box().selectionEnd());
        }
    }
    int selectionCount() const override { return box().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override { box().setCursorPosition(box().cursorPosition()); }
    void setSelection(int, int startOffset, int endOffset) override {
        box().setSelection(startOffset, endOffset);
    }

    int cursorPosition() const override { return static_cast<int>(box().cursorPosition()); }
    void setCursorPosition(int position) override { box().setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        const PieceTree& tree = box().storage();
        const qsizetype from = std::clamp<qsizetype>(startOffset, 0, tree.length());
        const qsizetype to = std::clamp<qsizetype>(endOffset, from, tree.length());
        return tree.text(from, to - from);
    }
    int characterCount() const override { return static_cast<int>(box().storage().length()); }

    // Lines and characters are told as they are; other units are read as lines, which a
    // screen reader reading the line at the caret asks for.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override {
        const PieceTree& tree = box().storage();
        const qsizetype at = std::clamp<qsizetype>(offset, 0, tree.length());
        if (type == QAccessible::CharBoundary) {
            *startOffset = static_cast<int>(at);
            *endOffset = static_cast<int>(std::min(tree.length(), at + 1));
        } else if (type == QAccessible::NoBoundary) {
            *startOffset = 0;
            *endOffset = characterCount();
        } else {
            const qsizetype line = tree.lineOf(at);
            *startOffset = static_cast<int>(tree.lineStart(line));
            *endOffset = static_cast<int>(tree.lineEnd(line));
        }
        return text(*startOffset, *endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                             int* endOffset) const override {
        int start = 0, end = 0;
        textAtOffset(offset, type, &start, &end);
        return start > 0 ? textAtOffset(start - 1, type, startOffset, endOffset)
                         : (*startOffset = *endOffset = 0, QString());
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                            int* endOffset) const override {
        int start = 0, end = 0;
        textAtOffset(offset, type, &start, &end);
        return end < characterCount()
                   ? textAtOffset(end + (type == QAccessible::CharBoundary ? 0 : 1), type,
                                  startOffset, endOffset)
                   : (*startOffset = *endOffset = characterCount(), QString());
    }

    QRect characterRect(int offset) const override {
        const TextBox& b = box();
        const QPoint at = b.pointOf(offset);
        const QPoint next = b.pointOf(std::min<qsizetype>(offset + 1, b.storage().length()));
        const int width = next.y() == at.y() ? std::max(1, next.x() - at.x()) : 1;
        return QRect(b.viewport()->mapToGlobal(at), QSize(width, b.lineHeight()));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return static_cast<int>(box().positionAt(box().viewport()->mapFromGlobal(point)));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        box().setSelection(startIndex, endIndex);
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    TextBox& box() const { return *static_cast<TextBox*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object) {
    if (className == QLatin1StringView(TextBox::staticMetaObject.className()))
        return new TextBoxAccessible(static_cast<TextBox*>(object));
    return nullptr;
}

} // namespace

void TextBox::installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace orvenly
