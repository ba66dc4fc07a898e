#pragma once

#include "orvenly/Variant.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace tamsell {

class SheetItem;

// One value offered by a list, combo or colour item of a property sheet.
class SheetItemCandidate : public std::enable_shared_from_this<SheetItemCandidate> {
public:
    SheetItemCandidate() = default;
    SheetItemCandidate(const SheetItemCandidate&) = delete;
    SheetItemCandidate& operator=(const SheetItemCandidate&) = delete;

    // What the drop-down list shows, and the item's value while this candidate is selected.
    QString Caption() const { return m_caption; }
    void setCaption(const QString& Caption);

    int32_t ItemData() const { return m_itemData; }
    void setItemData(int32_t ItemData) { m_itemData = ItemData; }

    // At most one candidate of an item is selected; selecting one deselects the other.
    bool Selected() const;
    void setSelected(bool Selected);

    // The collection key, unique without regard to case; a key in use raises 457.
    QString Key() const { return m_key; }
    void setKey(const QString& Key);

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    // 1-based position among the item's candidates; 0 once removed.
    int32_t Index() const { return m_index; }
    // Kept current by the collection that holds the candidate.
    void setIndex(int32_t Index) { m_index = Index; }

    // The item that offers the candidate, or none once it has been removed.
    SheetItem* item() const { return m_item; }

private:
    friend class SheetItemCandidates;

    QString m_caption;
    int32_t m_itemData = 0;
    QString m_key;
    orvenly::Variant m_tag;
    int32_t m_index = 0;
    SheetItem* m_item = nullptr;
};

} // namespace tamsell
