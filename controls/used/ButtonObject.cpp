#include "tamsell/ButtonObject.h"

#include "orvenly/AutomationError.h"
#include "tamsell/FlatToolbar.h"

#include <QMenu>

namespace tamsell {

namespace {

using orvenly::AutomationError;
namespace errors = orvenly::errors;

void require(bool condition, int32_t error) {
    if (!condition)
        throw AutomationError(error);
}

} // namespace

int32_t ButtonObject::ButtonWidth() const {
    return m_exStyle == FTBS_EX_INDEPENDENTDROPDOWN ? m_width - 9 : m_width;
}

void ButtonObject::setStyle(FlatToolbarButtonStyleConstants Style) {
    require(Style >= FTBS_COMMAND && Style <= FTBS_SEPARATORBREAK, errors::InvalidPropertyValue);
    m_style = Style;
    switch (Style) {
    case FTBS_COMMAND:
        m_content = true;
        m_value = FTBV_UNPRESSED;
        m_length = 0;
        break;
    case FTBS_DROPDOWN:
        m_content = true;
        if (m_exStyle == FTBS_EX_INDEPENDENTDROPDOWN)
            m_exStyle = FTBS_EX_INHERENTDROPDOWN;
        m_value = FTBV_UNPRESSED;
        m_length = 0;
        break;
    case FTBS_CHECK:
    case FTBS_RADIO:
        // A former separator must become pressable too.
        m_content = true;
        m_length = 0;
        break;
    case FTBS_SEPARATOR:
    case FTBS_SEPARATORBREAK:
        resetContent();
        m_length = 0;
        break;
    case FTBS_PLACEHOLDER:
        resetContent();
        break;
    }
    relayout();
}

void ButtonObject::resetContent() {
    m_content = false;
    m_exStyle = FTBS_EX_NONE;
    m_dropMenu = nullptr;
    m_image = 0;
    m_caption.clear();
    m_enabled = true;
    m_value = FTBV_UNPRESSED;
    m_toolTip.clear();
}

void ButtonObject::requireContent() const {
    require(m_content, errors::PropertyCannotBeSet);
}

void ButtonObject::setExStyle(FlatToolbarButtonExtendStyleConstants ExStyle) {
    requireContent();
    require(ExStyle >= FTBS_EX_NONE && ExStyle <= FTBS_EX_INDEPENDENTDROPDOWN,
            errors::InvalidPropertyValue);
    require(!(ExStyle == FTBS_EX_INDEPENDENTDROPDOWN && m_style == FTBS_DROPDOWN),
            errors::InvalidPropertyValue);
    if (ExStyle == m_exStyle)
        return;
    m_exStyle = ExStyle;
    relayout();
}

void ButtonObject::setImage(int32_t Image) {
    requireContent();
    require(Image >= 0, errors::InvalidPropertyValue);
    if (Image == m_image)
        return;
    m_image = Image;
    repaint();
}

void ButtonObject::setCaption(const QString& Caption) {
    requireContent();
    m_caption = Caption;
}

void ButtonObject::setToolTip(const QString& ToolTip) {
    m_toolTip = ToolTip;
}

void ButtonObject::setKey(const QString& Key) {
    if (m_owner && m_index > 0)
        m_owner->m_buttons.Rekey(m_index, Key);
    m_key = Key;
}

void ButtonObject::setEnabled(bool Enabled) {
    requireContent();
    if (Enabled == m_enabled)
        return;
    m_enabled = Enabled;
    repaint();
}

void ButtonObject::setVisible(bool Visible) {
    m_visible = Visible;
}

void ButtonObject::setLength(int32_t Length) {
    require(m_style == FTBS_PLACEHOLDER, errors::PropertyCannotBeSet);
    require(Length >= 0, errors::InvalidPropertyValue);
    if (Length == m_length)
        return;
    m_length = Length;
    relayout();
}

void ButtonObject::setDropMenu(QObject* DropMenu) {
    requireContent();
    auto* menu = qobject_cast<QMenu*>(DropMenu);
    require(menu || !DropMenu, errors::InvalidPropertyValue);
    m_dropMenu = menu;
}

void ButtonObject::setValue(FlatToolbarButtonValueConstants Value) {
    requireContent();
    require(m_style != FTBS_DROPDOWN, errors::PropertyCannotBeSet);
    require(Value >= FTBV_UNPRESSED && Value <= FTBV_MIXEDSTATE, errors::InvalidPropertyValue);
    if (Value == m_value)
        return;
    switch (m_style) {
    case FTBS_CHECK:
        m_value = Value;
        repaint();
        raiseClick();
        break;
    case FTBS_RADIO:
        setValueOfRadio(Value);
        break;
    default:
        // A command button only passes through the pressed value to report the click.
        require(Value == FTBV_PRESSED, errors::InvalidPropertyValue);
        m_value = Value;
        raiseClick();
        m_value = FTBV_UNPRESSED;
        if (!m_enabled)
            repaint();
        break;
    }
}

void ButtonObject::setValueOfRadio(FlatToolbarButtonValueConstants Value) {
    require(Value == FTBV_PRESSED, errors::InvalidPropertyValue);
    m_value = Value;
    clearAdjacentRadios();
    repaint();
    raiseClick();
}

void ButtonObject::clearAdjacentRadios() {
    if (!m_owner || m_index == 0)
        return;
    const ButtonObjects& buttons = m_owner->Buttons();
    auto clear = [&](int from, int step) {
        for (int i = from; i >= 1 && i <= buttons.Count(); i += step) {
            ButtonObject& other = *buttons.Item(i);
            if (other.m_style != FTBS_RADIO)
                break;
            if (other.m_value != FTBV_UNPRESSED) {
                other.m_value = FTBV_UNPRESSED;
                other.repaint();
            }
        }
    };
    clear(m_index - 1, -1);
    clear(m_index + 1, 1);
}

void ButtonObject::raiseClick() {
    if (m_owner)
        emit m_owner->Click(this);
}

void ButtonObject::repaint() {
    if (m_owner && m_index > 0)
        m_owner->paintButton(*this, FlatToolbar::PaintState::Automatic);
}

void ButtonObject::relayout() {
    if (m_owner && m_index > 0)
        m_owner->Refresh();
}

} // namespace tamsell
