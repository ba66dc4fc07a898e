#pragma once

#include "orvenly/KeyedCollection.h"
#include "tamsell/SheetItemCandidate.h"

#include <QString>
#include <memory>

namespace tamsell {

class SheetItem;

// The candidates of one sheet item, in list order, with 1-based positions and optional keys.
class SheetItemCandidates {
public:
    explicit SheetItemCandidates(SheetItem& owner) : m_owner(owner) {}
    ~SheetItemCandidates();
    SheetItemCandidates(const SheetItemCandidates&) = delete;
    SheetItemCandidates& operator=(const SheetItemCandidates&) = delete;

    // By position (9 when there is none) or by key (5 when there is none).
    std::shared_ptr<SheetItemCandidate> Item(int Index) const { return m_items.Item(Index); }
    std::shared_ptr<SheetItemCandidate> Item(const QString& Key) const { return m_items.Item(Key); }
    int Count() const { return m_items.Count(); }

    // Inserts before position Index (1..Count, else 5), or appends for 0; a key in use
    // raises 457.
    std::shared_ptr<SheetItemCandidate> Add(int Index = 0, const QString& Key = {},
                                            const QString& Caption = {}, int32_t ItemData = 0);
    // Removing the selected candidate leaves the item with none selected.
    void Remove(int Index);
    void Remove(const QString& Key);
    void Clear();

    using Items = orvenly::KeyedCollection<std::shared_ptr<SheetItemCandidate>>;
    Items::const_iterator begin() const { return m_items.begin(); }
    Items::const_iterator end() const { return m_items.end(); }

private:
    friend class SheetItemCandidate;
    void detach(SheetItemCandidate& candidate);

    SheetItem& m_owner;
    Items m_items;
};

} // namespace tamsell
