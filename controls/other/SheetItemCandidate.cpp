#include "tamsell/SheetItemCandidate.h"

#include "tamsell/SheetItem.h"

namespace tamsell {

void SheetItemCandidate::setCaption(const QString& Caption) {
    if (Caption == m_caption)
        return;
    m_caption = Caption;
    if (m_item)
        m_item->changed();
}

bool SheetItemCandidate::Selected() const {
    return m_item && m_item->m_selectedCandidate.get() == this;
}

void SheetItemCandidate::setSelected(bool Selected) {
    if (!m_item)
        return;
    if (Selected)
        m_item->selectCandidate(shared_from_this());
    else if (this->Selected())
        m_item->selectCandidate(nullptr);
}

void SheetItemCandidate::setKey(const QString& Key) {
    if (m_item && m_index > 0)
        m_item->m_candidates.m_items.Rekey(m_index, Key);
    m_key = Key;
}

} // namespace tamsell
