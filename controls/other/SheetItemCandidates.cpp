#include "tamsell/SheetItemCandidates.h"

#include "tamsell/SheetItem.h"

namespace tamsell {

SheetItemCandidates::~SheetItemCandidates() {
    // Candidates held elsewhere must not reach back into an item that is gone.
    for (const auto& candidate : m_items)
        candidate->m_item = nullptr;
}

std::shared_ptr<SheetItemCandidate>
SheetItemCandidates::Add(int Index, const QString& Key, const QString& Caption, int32_t ItemData) {
    auto candidate = std::make_shared<SheetItemCandidate>();
    candidate->m_key = Key;
    candidate->m_caption = Caption;
    candidate->m_itemData = ItemData;
    m_items.Add(candidate, Key, Index);
    candidate->m_item = &m_owner;
    m_owner.changed();
    return candidate;
}

void SheetItemCandidates::detach(SheetItemCandidate& candidate) {
    if (m_owner.m_selectedCandidate.get() == &candidate)
        m_owner.m_selectedCandidate.reset();
    candidate.m_item = nullptr;
    candidate.m_index = 0;
}

void SheetItemCandidates::Remove(int Index) {
    const std::shared_ptr<SheetItemCandidate> candidate = m_items.Item(Index);
    m_items.Remove(Index);
    detach(*candidate);
    m_owner.changed();
}

void SheetItemCandidates::Remove(const QString& Key) {
    Remove(m_items.Item(Key)->Index());
}

void SheetItemCandidates::Clear() {
    for (const auto& candidate : m_items)
        detach(*candidate);
    m_items.Clear();
    m_owner.changed();
}

} // namespace tamsell
