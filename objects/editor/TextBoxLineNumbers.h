#pragma once

#include <QWidget>

namespace orvenly {

class TextBox;

// The numbers of the lines on screen, beside a text box's viewport and as tall as it; the
// caret's line in the text colour and bold. A click selects the line; a drag, or a click with
// Shift, selects whole lines from it (or from the selection's anchor) to the line under the
// mouse.
class TextBoxLineNumbers : public QWidget {
public:
    explicit TextBoxLineNumbers(TextBox& box);

    // The width that numbers of `digits` digits take, with room on both sides.
    int widthFor(int digits) const;
    // Left of the viewport, `width` wide.
    void place(int width);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    qsizetype lineAt(int y) const;
    void selectLines(qsizetype line);

    TextBox& m_box;
    // Where a selection of whole lines started, and the anchor it gave the box.
    qsizetype m_anchorLine = -1;
    qsizetype m_anchorPosition = -1;
};

} // namespace orvenly
