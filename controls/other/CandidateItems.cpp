#include "tamsell/CandidateItems.h"

#include "orvenly/AutomationError.h"
#include "tamsell/CandidateBox.h"
#include "tamsell/SystemColors.h"

namespace tamsell {

namespace {

enum Change { Added = 0, Removed = 1 };

} // namespace

CandidateItems::~CandidateItems() {
    for (const auto& item : m_items)
        item->m_box = nullptr;
}

std::shared_ptr<CandidateItem> CandidateItems::Add(int Index, const QString& Key, int32_t Image,
                                                   const QString& Caption, int32_t ImageBackColor) {
    // Checked before anything is added, so that a refused item leaves no trace.
    if (Image < 0 || (ImageBackColor != -1 && !isValidColor(uint32_t(ImageBackColor))))
        throw orvenly::AutomationError(orvenly::errors::InvalidPropertyValue);
    auto item = std::make_shared<CandidateItem>();
    item->m_key = Key;
    item->m_image = Image;
    item->m_imageBackColor = ImageBackColor;
    item->m_caption = Caption;
    m_items.Add(item, Key, Index);
    item->m_box = &m_owner;
    m_owner.NotifyItemChange(*item, Added);
    return item;
}

void CandidateItems::detach(CandidateItem& item) {
    item.m_box = nullptr;
    item.m_index = 0;
    item.m_selected = false;
}

void CandidateItems::Remove(int Index) {
    const std::shared_ptr<CandidateItem> item = m_items.Item(Index);
    m_items.Remove(Index);
    // The box sees the item at its old position.
    item->m_index = Index;
    m_owner.NotifyItemChange(*item, Removed);
    detach(*item);
}

void CandidateItems::Remove(const QString& Key) {
    Remove(m_items.Item(Key)->Index());
}

void CandidateItems::Clear() {
    for (const auto& item : m_items)
        detach(*item);
    m_items.Clear();
    m_owner.itemsCleared();
}

void CandidateItems::reorder(const std::vector<std::shared_ptr<CandidateItem>>& order) {
    std::vector<QString> keys;
    keys.reserve(order.size());
    for (const auto& item : order)
        keys.push_back(m_items.Key(item->Index()));
    m_items.Clear();
    for (size_t i = 0; i < order.size(); ++i)
        m_items.Add(order[i], keys[i]);
}

} // namespace tamsell
