#pragma once

#include <QLineEdit>
#include <cstdint>

namespace tamsell {

// A box for a non-negative integer: keys other than digits and Backspace are dropped, and the
// text is selected when the focus arrives from the keyboard, so that typing replaces it.
class NumberEdit : public QLineEdit {
public:
    explicit NumberEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

    int32_t value() const { return text().toInt(); }
    void setValue(int32_t value) { setText(QString::number(value)); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace tamsell
