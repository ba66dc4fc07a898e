#pragma once

#include "orvenly/KeyedCollection.h"
#include "tamsell/CandidateItem.h"

#include <QString>
#include <memory>
#include <vector>

namespace tamsell {

class CandidateBox;

// The items of a candidate box, in display order, with 1-based positions and optional keys.
class CandidateItems {
public:
    explicit CandidateItems(CandidateBox& owner) : m_owner(owner) {}
    ~CandidateItems();
    CandidateItems(const CandidateItems&) = delete;
    CandidateItems& operator=(const CandidateItems&) = delete;

    // By position (9 when there is none) or by key (5 when there is none).
    std::shared_ptr<CandidateItem> Item(int Index) const { return m_items.Item(Index); }
    std::shared_ptr<CandidateItem> Item(const QString& Key) const { return m_items.Item(Key); }
    int Count() const { return m_items.Count(); }

    // Inserts before position Index (1..Count, else 5), or appends for 0. A key in use
    // raises 457, a negative image or an invalid colour 380; nothing is added then.
    std::shared_ptr<CandidateItem> Add(int Index = 0, const QString& Key = {}, int32_t Image = 0,
                                       const QString& Caption = {}, int32_t ImageBackColor = -1);
    // Removing the selected item leaves the box without a selection.
    void Remove(int Index);
    void Remove(const QString& Key);
    // Empties the box, selection and all.
    void Clear();

    using Items = orvenly::KeyedCollection<std::shared_ptr<CandidateItem>>;
    Items::const_iterator begin() const { return m_items.begin(); }
    Items::const_iterator end() const { return m_items.end(); }

private:
    friend class CandidateItem;
    friend class CandidateBox;

    // Puts the same items back in another order, keys kept.
    void reorder(const std::vector<std::shared_ptr<CandidateItem>>& order);
    void detach(CandidateItem& item);

    CandidateBox& m_owner;
    Items m_items;
};

} // namespace tamsell
