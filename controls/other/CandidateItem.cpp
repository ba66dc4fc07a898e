#include "tamsell/CandidateItem.h"

#include "orvenly/AutomationError.h"
#include "tamsell/CandidateBox.h"
#include "tamsell/SystemColors.h"

#include <algorithm>

namespace tamsell {

namespace {

enum Change { CaptionChange = 2, SelectionChange = 3, ImageChange = 4, BackColorChange = 5 };

void requireValid(bool condition) {
    if (!condition)
        throw orvenly::AutomationError(orvenly::errors::InvalidPropertyValue);
}

} // namespace

void CandidateItem::notify(int kind) {
    if (m_box && m_index > 0)
        m_box->NotifyItemChange(*this, kind);
}

void CandidateItem::setCaption(const QString& Caption) {
    if (Caption == m_caption)
        return;
    m_caption = Caption;
    notify(CaptionChange);
}

void CandidateItem::setKey(const QString& Key) {
    if (m_box && m_index > 0)
        m_box->m_items.m_items.Rekey(m_index, Key);
    m_key = Key;
}

void CandidateItem::setImage(int32_t Image) {
    requireValid(Image >= 0);
    if (Image == m_image)
        return;
    m_image = Image;
    notify(ImageChange);
}

void CandidateItem::setImageBackColor(int32_t ImageBackColor) {
    requireValid(ImageBackColor == -1 || isValidColor(uint32_t(ImageBackColor)));
    if (ImageBackColor == m_imageBackColor)
        return;
    m_imageBackColor = ImageBackColor;
    notify(BackColorChange);
}

void CandidateItem::setSelected(bool Selected) {
    if (Selected == m_selected)
        return;
    m_selected = Selected;
    notify(SelectionChange);
}

void CandidateItem::EnsureVisible() {
    if (!m_box || m_index == 0)
        return;
    const int visible = std::max(m_box->m_visibleCount, 1);
    const int top = m_box->TopIndex();
    if (m_index >= top + visible)
        m_box->setTopIndex(m_index - visible + 1);
    else if (m_index < top)
        m_box->setTopIndex(m_index);
}

} // namespace tamsell
