#pragma once

#include <QAbstractButton>
#include <cstdint>

class QButtonGroup;
class QWidget;

namespace orvenly {

// Small helpers for dialog controls. A "box" is a QLineEdit, or a widget with one as its
// direct child (an editable QComboBox, a spin box); anything else raises error 13, nothing
// error 91.
class UserInterface {
public:
    // The application-wide instance.
    static UserInterface& instance();

    // Keeps the digits and Backspace (8); any other key code becomes 0.
    void KeyNumeric(int16_t& KeyAscii) const;

    // A filter for signed integers typed into Target: a "-" only at the very start and only
    // once; a digit typed at the start goes in before an existing "-", which is dropped.
    void KeyNumericEx(int16_t& KeyAscii, QWidget* Target) const;

    // Enables or disables Box and paints its background with the palette's window colour
    // (enabled) or button-face colour (disabled).
    void EnableBox(QWidget* Box, bool Enable) const;

    // For a box's focus-in: selects its whole text unless the focus came with a press of the
    // left or right mouse button, which has put the caret where the user wants it.
    void FocusOnEdit(QWidget* Box) const;

    // The index of the first checked button of a control array (its position), or Default.
    template <class Buttons>
    int32_t GetSelectedOptionIndex(const Buttons& Options, int32_t Default = 0) const {
        int32_t index = 0;
        for (const QAbstractButton* option : Options) {
            if (option && option->isChecked())
                return index;
            ++index;
        }
        return Default;
    }
    // The id of the first checked button of the group, in the group's order, or Default.
    int32_t GetSelectedOptionIndex(const QButtonGroup& Options, int32_t Default = 0) const;

private:
    UserInterface() = default;
};

} // namespace orvenly
