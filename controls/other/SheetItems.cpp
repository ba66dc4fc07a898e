#include "tamsell/SheetItems.h"

#include "orvenly/AutomationError.h"
#include "tamsell/PropertySheet.h"
#include "tamsell/SheetCategory.h"

namespace tamsell {

SheetItems::~SheetItems() {
    for (const auto& item : m_items)
        item->m_category = nullptr;
}

std::shared_ptr<SheetItem> SheetItems::Add(int Index, const QString& Key,
                                           PropertySheetItemStyleConstants Style,
                                           const QString& Caption, const QString& Text,
                                           bool Enabled, bool Visible) {
    auto item = std::make_shared<SheetItem>();
    item->setStyle(Style);
    item->m_key = Key;
    item->m_caption = Caption;
    // Stored as it stands: a list item shows it until a candidate is chosen.
    item->m_text = Text;
    item->m_enabled = Enabled;
    item->m_visible = Visible;
    m_items.Add(item, Key, Index);
    item->m_category = &m_owner;
    item->relayout();
    return item;
}

void SheetItems::detach(SheetItem& item) {
    if (PropertySheet* sheet = item.sheet())
        sheet->forget(item);
    item.m_category = nullptr;
    item.m_index = 0;
}

void SheetItems::Remove(int Index) {
    const std::shared_ptr<SheetItem> item = m_items.Item(Index);
    detach(*item);
    m_items.Remove(Index);
    if (PropertySheet* sheet = m_owner.sheet())
        sheet->treeChanged();
}

void SheetItems::Remove(const QString& Key) {
    Remove(m_items.Item(Key)->Index());
}

void SheetItems::Clear() {
    for (const auto& item : m_items)
        detach(*item);
    m_items.Clear();
    if (PropertySheet* sheet = m_owner.sheet())
        sheet->treeChanged();
}

} // namespace tamsell
