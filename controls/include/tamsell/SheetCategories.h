#pragma once

#include "orvenly/KeyedCollection.h"
#include "tamsell/SheetCategory.h"

#include <QString>
#include <memory>

namespace tamsell {

class PropertySheet;

// The categories of a property sheet, in display order, with 1-based positions and optional
// keys.
class SheetCategories {
public:
    explicit SheetCategories(PropertySheet& owner) : m_owner(owner) {}
    ~SheetCategories();
    SheetCategories(const SheetCategories&) = delete;
    SheetCategories& operator=(const SheetCategories&) = delete;

    // By position (9 when there is none) or by key (5 when there is none).
    std::shared_ptr<SheetCategory> Item(int Index) const { return m_items.Item(Index); }
    std::shared_ptr<SheetCategory> Item(const QString& Key) const { return m_items.Item(Key); }
    int Count() const { return m_items.Count(); }

    // Inserts before position Index (1..Count, else 5), or appends for 0; a key in use
    // raises 457.
    std::shared_ptr<SheetCategory> Add(int Index = 0, const QString& Key = {},
                                       const QString& Caption = {});
    void Remove(int Index);
    void Remove(const QString& Key);
    void Clear();

    using Items = orvenly::KeyedCollection<std::shared_ptr<SheetCategory>>;
    Items::const_iterator begin() const { return m_items.begin(); }
    Items::const_iterator end() const { return m_items.end(); }

private:
    friend class SheetCategory;
    void detach(SheetCategory& category);

    PropertySheet& m_owner;
    Items m_items;
};

} // namespace tamsell
