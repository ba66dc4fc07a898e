#include "tamsell/NumericBox.h"

#include "orvenly/AutomationError.h"
#include "orvenly/UserInterface.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace tamsell {

namespace {

// Keys that a text box never sees as typed characters: they move the focus, press the
// dialog's buttons or edit without typing.
bool passesUntyped(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return true;
    default:
        return event.text().isEmpty() || event.matches(QKeySequence::Copy) ||
               event.matches(QKeySequence::SelectAll);
    }
}

} // namespace

bool NumericBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtInput) {
        switch (event->type()) {
        case QEvent::KeyPress:
            return fieldKeyPress(static_cast<QKeyEvent&>(*event));
        case QEvent::FocusIn:
            orvenly::UserInterface::instance().FocusOnEdit(m_txtInput);
            break;
        case QEvent::FocusOut:
            // An emptied field, or a lone minus sign, shows the value again.
            showValue(true);
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// True when the key is used up here.
bool NumericBox::fieldKeyPress(QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Up:
        stepToward(true, m_smallChange);
        return true;
    case Qt::Key_Down:
        stepToward(false, m_smallChange);
        return true;
    case Qt::Key_PageUp:
        stepToward(true, m_largeChange);
        return true;
    case Qt::Key_PageDown:
        stepToward(false, m_largeChange);
        return true;
    default:
        break;
    }
    if (passesUntyped(event))
        return false;
    const QString typed = event.text();
    const bool digit = typed.size() == 1 && typed[0] >= u'0' && typed[0] <= u'9';
    if (digit || event.key() == Qt::Key_Backspace) {
        // Typing in front of the minus sign replaces it.
        if (negativeAllowed() && m_txtInput->cursorPosition() == 0 &&
            !m_txtInput->hasSelectedText() && m_txtInput->text().startsWith(u'-')) {
            writeField(m_txtInput->text().mid(1));
            m_txtInput->setCursorPosition(0);
        }
        return false;
    }
    if (typed == QStringLiteral("-") && negativeAllowed()) {
        if (!m_txtInput->text().startsWith(u'-')) {
            const int caret = m_txtInput->cursorPosition();
            writeField(u'-' + m_txtInput->text());
            m_txtInput->setCursorPosition(caret + 1);
        }
        return true;
    }
    QApplication::beep();
    return true;
}

void NumericBox::stepToward(bool towardMax, int32_t step) {
    // Up goes toward Max, which lies below Min in a reversed range.
    const int32_t direction = (towardMax != reversed()) ? 1 : -1;
    setValue(clamped(int32_t(m_value) + direction * step));
}

void NumericBox::fieldTextChanged(const QString& text) {
    m_fieldLength = text.size();
    if (m_updating || text.isEmpty() || text == QStringLiteral("-"))
        return;
    bool converted = false;
    const int16_t number = text.toShort(&converted);
    // A number beyond 16 bits, or text pasted in, gives the default value.
    const int16_t value = converted ? clamped(number) : int16_t(m_defaultValue);
    if (!converted || value != number) {
        m_updating = true;
        writeField(QString::number(value));
        m_updating = false;
    }
    takeValue(value);
}

void NumericBox::arrowMoved(QScrollBar& bar) {
    if (m_updating)
        return;
    const int position = bar.value();
    // Counted from Min on the horizontal bar, from Max on the vertical one.
    const int direction = reversed() ? -1 : 1;
    const int32_t value =
        &bar == m_hsbUpDown ? m_min + direction * position : m_max - direction * position;
    try {
        setValue(int16_t(value));
    } catch (const orvenly::AutomationError&) {
        // The bar's range follows the control's; a value outside cannot come from it.
    }
    m_txtInput->setFocus(Qt::OtherFocusReason);
}

} // namespace tamsell
