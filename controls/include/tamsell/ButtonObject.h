#pragma once

#include "orvenly/Variant.h"
#include "tamsell/FlatToolbarConstants.h"

#include <QMenu>
#include <QPointer>
#include <QString>
#include <cstdint>

class QObject;

namespace tamsell {

class FlatToolbar;

// One button of a FlatToolbar. Command, drop-down, check and radio buttons carry content
// (image, caption, tooltip, value, enabled state); separators, row breaks and placeholders
// do not, and setting a content property on them raises 383. Invalid values raise 380 and
// leave the property unchanged.
class ButtonObject {
public:
    ButtonObject() = default;
    ButtonObject(const ButtonObject&) = delete;
    ButtonObject& operator=(const ButtonObject&) = delete;

    // Changing the style resets what the new style does not carry and relays the toolbar out.
    FlatToolbarButtonStyleConstants Style() const { return m_style; }
    void setStyle(FlatToolbarButtonStyleConstants Style);

    // 383 without content; outside 0..2, or an independent arrow on a drop-down button: 380.
    FlatToolbarButtonExtendStyleConstants ExStyle() const { return m_exStyle; }
    void setExStyle(FlatToolbarButtonExtendStyleConstants ExStyle);

    // 1-based column in the toolbar's image strip; 0 for none. Negative: 380.
    int32_t Image() const { return m_image; }
    void setImage(int32_t Image);

    // Kept and persisted; the toolbar does not draw captions.
    QString Caption() const { return m_caption; }
    void setCaption(const QString& Caption);

    QString ToolTip() const { return m_toolTip; }
    void setToolTip(const QString& ToolTip);

    // The collection key, unique without regard to case; a key in use raises 457.
    QString Key() const { return m_key; }
    void setKey(const QString& Key);

    // A check button takes any value and raises Click; a radio button takes only 1, clears its
    // adjacent radio buttons and raises Click; a command button takes 1, raises Click and
    // returns to 0. 383 on a drop-down button or one without content.
    FlatToolbarButtonValueConstants Value() const { return m_value; }
    void setValue(FlatToolbarButtonValueConstants Value);

    bool Enabled() const { return m_enabled; }
    void setEnabled(bool Enabled);
    // Takes effect at the toolbar's next refresh.
    bool Visible() const { return m_visible; }
    void setVisible(bool Visible);

    // Width (or height, in a vertical toolbar) of a placeholder; 383 on other styles.
    int32_t Length() const { return m_length; }
    void setLength(int32_t Length);

    // The menu popped up under a drop-down button; anything but a QMenu raises 380.
    QMenu* DropMenu() const { return m_dropMenu; }
    void setDropMenu(QObject* DropMenu);

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    // Placed by the toolbar's layout.
    int32_t Left() const { return m_left; }
    int32_t Top() const { return m_top; }
    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    // The width without the arrow part of an independent drop-down button.
    int32_t ButtonWidth() const;

    // 1-based position in the toolbar's Buttons; 0 while in none.
    int32_t Index() const { return m_index; }
    // Kept current by the collection that holds the button.
    void setIndex(int32_t Index) { m_index = Index; }

    // Command, drop-down, check and radio buttons.
    bool hasContent() const { return m_content; }
    // The toolbar that holds the button, or none once it has been removed.
    FlatToolbar* toolbar() const { return m_owner; }

private:
    friend class FlatToolbar;
    friend class ButtonObjects;

    void resetContent();
    void requireContent() const;
    void setValueOfRadio(FlatToolbarButtonValueConstants Value);
    void clearAdjacentRadios();
    void raiseClick();
    void repaint();
    void relayout();

    FlatToolbarButtonStyleConstants m_style = FTBS_COMMAND;
    FlatToolbarButtonExtendStyleConstants m_exStyle = FTBS_EX_NONE;
    int32_t m_image = 0;
    QString m_caption;
    QString m_toolTip;
    QString m_key;
    FlatToolbarButtonValueConstants m_value = FTBV_UNPRESSED;
    bool m_enabled = true;
    bool m_visible = true;
    int32_t m_length = 0;
    QPointer<QMenu> m_dropMenu;
    orvenly::Variant m_tag;
    int32_t m_left = 0;
    int32_t m_top = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_index = 0;
    bool m_content = true;
    FlatToolbar* m_owner = nullptr;
};

} // namespace tamsell
