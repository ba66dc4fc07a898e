#include "tamsell/SheetCategory.h"

#include "orvenly/AutomationError.h"
#include "tamsell/PropertySheet.h"
#include "tamsell/SystemColors.h"

namespace tamsell {

namespace {

using orvenly::AutomationError;
namespace errors = orvenly::errors;

} // namespace

void SheetCategory::setCaption(const QString& Caption) {
    if (Caption == m_caption)
        return;
    m_caption = Caption;
    if (m_sheet)
        m_sheet->contentChanged();
}

bool SheetCategory::Selected() const {
    return m_sheet && m_sheet->SelectedCategory().get() == this;
}

void SheetCategory::setSelected(bool Selected) {
    if (!m_sheet)
        return;
    if (m_sheet->Style() == PSS_LIST)
        throw AutomationError(errors::PropertyCannotBeSet);
    if (!Selected) {
        if (this->Selected())
            m_sheet->select(nullptr, nullptr);
        return;
    }
    if (!m_visible)
        throw AutomationError(errors::InvalidPropertyValue);
    m_sheet->select(shared_from_this(), nullptr);
}

void SheetCategory::setForeColor(int32_t ForeColor) {
    if (ForeColor != SheetForeColorDefault && !isValidColor(uint32_t(ForeColor)))
        throw AutomationError(errors::InvalidPropertyValue);
    if (ForeColor == m_foreColor)
        return;
    m_foreColor = ForeColor;
    if (m_sheet)
        m_sheet->contentChanged();
}

void SheetCategory::setExpanded(bool Expanded) {
    if (Expanded == m_expanded)
        return;
    m_expanded = Expanded;
    if (m_sheet)
        m_sheet->treeChanged();
}

void SheetCategory::setEnabled(bool Enabled) {
    if (Enabled == m_enabled)
        return;
    m_enabled = Enabled;
    if (!m_sheet)
        return;
    // Its items' editors follow the category's state.
    for (const auto& item : m_items)
        m_sheet->itemChanged(*item);
    m_sheet->contentChanged();
}

void SheetCategory::setVisible(bool Visible) {
    if (Visible == m_visible)
        return;
    m_visible = Visible;
    if (m_sheet)
        m_sheet->treeChanged();
}

void SheetCategory::setKey(const QString& Key) {
    if (m_sheet && m_index > 0)
        m_sheet->m_categories.m_items.Rekey(m_index, Key);
    m_key = Key;
}

} // namespace tamsell
