#include "tamsell/SheetItem.h"

#include "orvenly/AutomationError.h"
#include "tamsell/PropertySheet.h"
#include "tamsell/SheetCategory.h"
#include "tamsell/SystemColors.h"

namespace tamsell {

namespace {

using orvenly::AutomationError;
namespace errors = orvenly::errors;

bool hasCandidateValue(PropertySheetItemStyleConstants style) {
    return style == PSIS_LIST || style == PSIS_COMBO;
}

} // namespace

void SheetItem::setCaption(const QString& Caption) {
    if (Caption == m_caption)
        return;
    m_caption = Caption;
    relayout();
}

void SheetItem::setStyle(PropertySheetItemStyleConstants Style) {
    if (Style < PSIS_TEXT || Style > PSIS_COLOR)
        throw AutomationError(errors::InvalidPropertyValue);
    if (Style == m_style)
        return;
    m_style = Style;
    changed();
}

QString SheetItem::Text() const {
    if (hasCandidateValue(m_style) && m_selectedCandidate)
        return m_selectedCandidate->Caption();
    return m_text;
}

void SheetItem::setText(const QString& Text) {
    if (m_style == PSIS_LIST)
        throw AutomationError(errors::PropertyCannotBeSet);
    bool shown = false;
    if (m_style == PSIS_COMBO && m_selectedCandidate) {
        m_selectedCandidate.reset();
        // The row showed the candidate's caption, whatever the stored text is.
        shown = true;
    }
    if (Text != m_text) {
        m_text = Text;
        shown = true;
    }
    if (shown)
        changed();
}

void SheetItem::setEnabled(bool Enabled) {
    if (Enabled == m_enabled)
        return;
    m_enabled = Enabled;
    changed();
}

void SheetItem::setVisible(bool Visible) {
    if (Visible == m_visible)
        return;
    m_visible = Visible;
    relayout();
}

bool SheetItem::Selected() const {
    const PropertySheet* owner = sheet();
    return owner && owner->SelectedItem().get() == this;
}

void SheetItem::setSelected(bool Selected) {
    PropertySheet* owner = sheet();
    if (!owner)
        return;
    if (!Selected) {
        if (this->Selected())
            owner->select(nullptr, nullptr);
        return;
    }
    const bool categoryShown = owner->Style() == PSS_LIST || m_category->Visible();
    if (!m_visible || !categoryShown)
        throw AutomationError(errors::InvalidPropertyValue);
    if (owner->Style() == PSS_CATEGORY)
        m_category->setExpanded(true);
    owner->select(m_category->shared_from_this(), shared_from_this());
}

void SheetItem::setForeColor(int32_t ForeColor) {
    if (ForeColor != SheetForeColorDefault && !isValidColor(uint32_t(ForeColor)))
        throw AutomationError(errors::InvalidPropertyValue);
    if (ForeColor == m_foreColor)
        return;
    m_foreColor = ForeColor;
    changed();
}

std::shared_ptr<SheetCategory> SheetItem::Category() const {
    return m_category ? m_category->shared_from_this() : nullptr;
}

void SheetItem::setKey(const QString& Key) {
    if (m_category && m_index > 0)
        m_category->m_items.m_items.Rekey(m_index, Key);
    m_key = Key;
}

PropertySheet* SheetItem::sheet() const {
    return m_category ? m_category->sheet() : nullptr;
}

void SheetItem::selectCandidate(const std::shared_ptr<SheetItemCandidate>& candidate) {
    if (candidate == m_selectedCandidate)
        return;
    m_selectedCandidate = candidate;
    changed();
}

void SheetItem::changed() const {
    if (PropertySheet* owner = sheet())
        owner->itemChanged(*this);
}

void SheetItem::relayout() const {
    if (PropertySheet* owner = sheet())
        owner->treeChanged();
}

} // namespace tamsell
