#include "orvenly/UserInterface.h"

#include "orvenly/AutomationError.h"

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>

namespace orvenly {

namespace {

constexpr int16_t Backspace = 8;

bool isDigit(int16_t key) {
    return key >= '0' && key <= '9';
}

QLineEdit* editOf(QWidget* box) {
    if (!box)
        throw AutomationError(errors::ObjectNotSet);
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        return edit;
    if (auto* edit = box->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
        return edit;
    throw AutomationError(errors::TypeMismatch);
}

// Where typing goes in: the start of the selection, or the caret.
int selStart(const QLineEdit* edit) {
    return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

} // namespace

UserInterface& UserInterface::instance() {
    static UserInterface shared;
    return shared;
}

void UserInterface::KeyNumeric(int16_t& KeyAscii) const {
    if (!isDigit(KeyAscii) && KeyAscii != Backspace)
        KeyAscii = 0;
}

void UserInterface::KeyNumericEx(int16_t& KeyAscii, QWidget* Target) const {
    QLineEdit* edit = editOf(Target);
    if (KeyAscii == Backspace)
        return;
    if (KeyAscii == '-') {
        if (selStart(edit) != 0 || edit->text().startsWith(u'-'))
            KeyAscii = 0;
        return;
    }
    if (!isDigit(KeyAscii)) {
        KeyAscii = 0;
        return;
    }
    if (selStart(edit) == 0) {
        // A digit typed before the sign makes the number positive.
        if (edit->text().startsWith(u'-'))
            edit->setText(edit->text().mid(1));
        edit->setCursorPosition(0);
    }
}

void UserInterface::EnableBox(QWidget* Box, bool Enable) const {
    if (!Box)
        throw AutomationError(errors::ObjectNotSet);
    Box->setEnabled(Enable);
    const QPalette system = QApplication::palette(Box);
    QPalette palette = Box->palette();
    // Set for every colour group: a disabled box paints with the disabled group.
    palette.setColor(QPalette::Base,
                     system.color(QPalette::Active, Enable ? QPalette::Base : QPalette::Button));
    Box->setPalette(palette);
}

void UserInterface::FocusOnEdit(QWidget* Box) const {
    QLineEdit* edit = editOf(Box);
    if (QGuiApplication::mouseButtons() & (Qt::LeftButton | Qt::RightButton))
        return;
    edit->setSelection(0, int(edit->text().size()));
}

int32_t UserInterface::GetSelectedOptionIndex(const QButtonGroup& Options, int32_t Default) const {
    for (QAbstractButton* option : Options.buttons()) {
        if (option->isChecked())
            return Options.id(option);
    }
    return Default;
}

} // namespace orvenly
