#include "tamsell/FlatToolbar.h"

#include <algorithm>
#include <vector>

namespace tamsell {

namespace {

constexpr int32_t GripperSize = 9;
constexpr int32_t SeparatorSize = 4;
// What an empty movable toolbar keeps beside its gripper.
constexpr int32_t EmptyContent = 3;

bool isSeparator(const ButtonObject& button) {
    return button.Style() == FTBS_SEPARATOR || button.Style() == FTBS_SEPARATORBREAK;
}

} // namespace

int32_t FlatToolbar::naturalWidth(const ButtonObject& button) const {
    if (isSeparator(button))
        return SeparatorSize;
    if (button.Style() == FTBS_PLACEHOLDER)
        return std::max(button.Length(), 0);
    switch (button.ExStyle()) {
    case FTBS_EX_INHERENTDROPDOWN:
        return m_buttonWidth + 7;
    case FTBS_EX_INDEPENDENTDROPDOWN:
        return m_buttonWidth + 9;
    default:
        return m_buttonWidth;
    }
}

void FlatToolbar::layOut() {
    const int border = m_borderStyle == FTB_FIXEDSINGLE ? 1 : 0;
    const int gripper = m_movable ? GripperSize : 0;
    switch (m_style) {
    case FTS_VERTICAL:
        layOutVertical(border, gripper);
        break;
    case FTS_RECT:
        layOutRect(border, gripper);
        break;
    default:
        layOutHorizontal(border, gripper);
        break;
    }
}

void FlatToolbar::layOutHorizontal(int border, int gripper) {
    int32_t x = border + gripper;
    for (const auto& button : m_buttons) {
        button->m_left = x;
        button->m_top = border;
        button->m_width = naturalWidth(*button);
        button->m_height = m_buttonHeight;
        x += button->m_width;
    }
    int32_t width = x - border - gripper;
    if (m_buttons.Count() == 0 && m_movable)
        width = EmptyContent;
    m_size = QSize(width + 2 * border + gripper, m_buttonHeight + 2 * border);
}

void FlatToolbar::layOutVertical(int border, int gripper) {
    // The column fits the widest button, drop-down arrows included, from the first layout on.
    m_columnWidth = m_buttonWidth;
    for (const auto& button : m_buttons)
        if (button->hasContent())
            m_columnWidth = std::max(m_columnWidth, naturalWidth(*button));
    int32_t y = border + gripper;
    for (const auto& button : m_buttons) {
        button->m_top = y;
        if (isSeparator(*button) || button->Style() == FTBS_PLACEHOLDER) {
            button->m_left = border;
            button->m_width = m_columnWidth;
            button->m_height = isSeparator(*button) ? SeparatorSize : naturalWidth(*button);
        } else {
            button->m_width = naturalWidth(*button);
            button->m_height = m_buttonHeight;
            button->m_left = border + (m_columnWidth - button->m_width) / 2;
        }
        y += button->m_height;
    }
    int32_t height = y - border - gripper;
    if (m_buttons.Count() == 0 && m_movable)
        height = EmptyContent;
    m_size = QSize(m_columnWidth + 2 * border, height + 2 * border + gripper);
}

void FlatToolbar::layOutRect(int border, int gripper) {
    const int32_t start = border + gripper;
    int32_t x = start;
    int32_t y = border;
    bool rowHasButtons = false;
    m_widestRow = 0;
    auto endRow = [&] {
        if (!rowHasButtons)
            return;
        m_widestRow = std::max(m_widestRow, x - start);
        y += m_buttonHeight;
        x = start;
        rowHasButtons = false;
    };
    std::vector<ButtonObject*> breaks;
    for (const auto& button : m_buttons) {
        if (button->Style() == FTBS_SEPARATORBREAK) {
            endRow();
            button->m_left = start;
            button->m_top = y;
            button->m_height = SeparatorSize;
            breaks.push_back(button.get());
            y += SeparatorSize;
            continue;
        }
        button->m_left = x;
        button->m_top = y;
        button->m_width = naturalWidth(*button);
        button->m_height = m_buttonHeight;
        x += button->m_width;
        rowHasButtons = true;
    }
    endRow();
    m_widestRow = std::max(m_widestRow, EmptyContent);
    for (ButtonObject* rowBreak : breaks)
        rowBreak->m_width = m_widestRow;
    const int32_t height = std::max(y - border, m_buttonHeight);
    m_size = QSize(m_widestRow + 2 * border + gripper, height + 2 * border);
}

} // namespace tamsell
