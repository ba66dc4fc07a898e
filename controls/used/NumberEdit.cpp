#include "NumberEdit.h"

#include "orvenly/UserInterface.h"

#include <QKeyEvent>

namespace tamsell {

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    // Only typed characters are filtered; editing and moving keys pass.
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].isPrint()) {
        int16_t key = int16_t(typed[0].unicode());
        orvenly::UserInterface::instance().KeyNumeric(key);
        if (key == 0)
            return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    orvenly::UserInterface::instance().FocusOnEdit(this);
}

} // namespace tamsell
