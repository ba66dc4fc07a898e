#include "tamsell/ButtonObjects.h"

#include "tamsell/FlatToolbar.h"

#include <exception>

namespace tamsell {

namespace {

// Turns the toolbar's redrawing off for a batch of changes and restores it however the batch
// ends, which refreshes if it was on.
class RedrawPause {
public:
    explicit RedrawPause(FlatToolbar& toolbar) : m_toolbar(toolbar), m_was(toolbar.Redraw()) {
        m_toolbar.setRedraw(false);
    }
    ~RedrawPause() { m_toolbar.setRedraw(m_was); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

private:
    FlatToolbar& m_toolbar;
    bool m_was;
};

} // namespace

ButtonObjects::~ButtonObjects() {
    // Buttons held elsewhere must not call back into a toolbar that is gone.
    for (const auto& button : m_items)
        button->m_owner = nullptr;
}

std::shared_ptr<ButtonObject> ButtonObjects::Item(int Index) const {
    return m_items.Item(Index);
}

std::shared_ptr<ButtonObject> ButtonObjects::Item(const QString& Key) const {
    return m_items.Item(Key);
}

std::shared_ptr<ButtonObject> ButtonObjects::Add(int Index, const QString& Key,
                                                 FlatToolbarButtonStyleConstants Style,
                                                 FlatToolbarButtonExtendStyleConstants ExStyle,
                                                 int32_t Image, const QString& Caption,
                                                 const QString& ToolTip,
                                                 FlatToolbarButtonValueConstants Value,
                                                 int32_t Length, bool Enabled, bool Visible) {
    if (Index < 0 || Index > Count())
        throw orvenly::AutomationError(orvenly::errors::InvalidArgument);
    RedrawPause pause(m_owner);
    auto button = std::make_shared<ButtonObject>();
    button->m_owner = &m_owner;
    try {
        if (Style != FTBS_COMMAND)
            button->setStyle(Style);
        if (ExStyle != FTBS_EX_NONE)
            button->setExStyle(ExStyle);
        if (Image != 0)
            button->setImage(Image);
        if (!Caption.isEmpty())
            button->setCaption(Caption);
        if (!ToolTip.isEmpty())
            button->setToolTip(ToolTip);
        if (Value != FTBV_UNPRESSED)
            button->setValue(Value);
        if (Length != 0)
            button->setLength(Length);
        if (!Enabled)
            button->setEnabled(false);
        if (!Visible)
            button->setVisible(false);
        m_items.Add(button, Key, Index);
    } catch (...) {
        button->m_owner = nullptr;
        throw;
    }
    button->m_key = Key;
    return button;
}

void ButtonObjects::Remove(int Index) {
    const std::shared_ptr<ButtonObject> button = m_items.Item(Index);
    m_owner.forgetButton(*button);
    m_items.Remove(Index);
    button->m_owner = nullptr;
    button->m_index = 0;
    m_owner.Refresh();
}

void ButtonObjects::Remove(const QString& Key) {
    Remove(m_items.Item(Key)->Index());
}

void ButtonObjects::Clear() {
    for (const auto& button : m_items) {
        m_owner.forgetButton(*button);
        button->m_owner = nullptr;
        button->m_index = 0;
    }
    m_items.Clear();
}

} // namespace tamsell
