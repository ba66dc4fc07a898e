#include "tamsell/SheetCategories.h"

#include "tamsell/PropertySheet.h"

namespace tamsell {

SheetCategories::~SheetCategories() {
    for (const auto& category : m_items)
        category->m_sheet = nullptr;
}

std::shared_ptr<SheetCategory> SheetCategories::Add(int Index, const QString& Key,
                                                    const QString& Caption) {
    auto category = std::make_shared<SheetCategory>();
    category->m_key = Key;
    category->m_caption = Caption;
    m_items.Add(category, Key, Index);
    category->m_sheet = &m_owner;
    m_owner.treeChanged();
    return category;
}

void SheetCategories::detach(SheetCategory& category) {
    m_owner.forget(category);
    category.m_sheet = nullptr;
    category.m_index = 0;
}

void SheetCategories::Remove(int Index) {
    const std::shared_ptr<SheetCategory> category = m_items.Item(Index);
    detach(*category);
    m_items.Remove(Index);
    m_owner.treeChanged();
}

void SheetCategories::Remove(const QString& Key) {
    Remove(m_items.Item(Key)->Index());
}

void SheetCategories::Clear() {
    for (const auto& category : m_items)
        detach(*category);
    m_items.Clear();
    m_owner.treeChanged();
}

} // namespace tamsell
