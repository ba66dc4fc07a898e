#pragma once

#include <QWidget>

namespace orvenly {

class TextBox;

// The numbers of the lines on screen, beside a text box's viewport and as tall as it; the
// caret's line in the text colour and bold. A click selects the line.
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

private:
    TextBox& m_box;
};

} // namespace orvenly
