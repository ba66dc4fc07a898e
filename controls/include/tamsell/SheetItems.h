#pragma once

#include "orvenly/KeyedCollection.h"
#include "tamsell/SheetItem.h"

#include <QString>
#include <memory>

namespace tamsell {

class SheetCategory;

// The items of one category, in order, with 1-based positions and optional keys.
class SheetItems {
public:
    explicit SheetItems(SheetCategory& owner) : m_owner(owner) {}
    ~SheetItems();
    SheetItems(const SheetItems&) = delete;
    SheetItems& operator=(const SheetItems&) = delete;

    // By position (9 when there is none) or by key (5 when there is none).
    std::shared_ptr<SheetItem> Item(int Index) const { return m_items.Item(Index); }
    std::shared_ptr<SheetItem> Item(const QString& Key) const { return m_items.Item(Key); }
    int Count() const { return m_items.Count(); }

    // Inserts before position Index (1..Count, else 5), or appends for 0. A style outside
    // 0..4 raises 380 and a key in use 457; nothing is added then.
    std::shared_ptr<SheetItem> Add(int Index = 0, const QString& Key = {},
                                   PropertySheetItemStyleConstants Style = PSIS_TEXT,
                                   const QString& Caption = {}, const QString& Text = {},
                                   bool Enabled = true, bool Visible = true);
    void Remove(int Index);
    void Remove(const QString& Key);
    void Clear();

    using Items = orvenly::KeyedCollection<std::shared_ptr<SheetItem>>;
    Items::const_iterator begin() const { return m_items.begin(); }
    Items::const_iterator end() const { return m_items.end(); }

private:
    friend class SheetItem;
    void detach(SheetItem& item);

    SheetCategory& m_owner;
    Items m_items;
};

} // namespace tamsell
