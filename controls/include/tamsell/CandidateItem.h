#pragma once

#include <QString>
#include <cstdint>
#include <memory>

namespace tamsell {

class CandidateBox;

// One row of a candidate box: an optional image from the box's strip and a caption.
class CandidateItem : public std::enable_shared_from_this<CandidateItem> {
public:
    CandidateItem() = default;
    CandidateItem(const CandidateItem&) = delete;
    CandidateItem& operator=(const CandidateItem&) = delete;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& Caption);

    // The collection key, unique without regard to case; a key in use raises 457. The item
    // keeps its position.
    QString Key() const { return m_key; }
    void setKey(const QString& Key);

    // 1-based cell of the box's image strip, 0 for none; negative values raise 380.
    int32_t Image() const { return m_image; }
    void setImage(int32_t Image);

    // Fills the image cell behind the image; -1 for none. Invalid colours raise 380.
    int32_t ImageBackColor() const { return m_imageBackColor; }
    void setImageBackColor(int32_t ImageBackColor);

    int32_t ItemData() const { return m_itemData; }
    void setItemData(int32_t ItemData) { m_itemData = ItemData; }

    // Selecting one item of a box deselects the one selected before and raises Click.
    bool Selected() const { return m_selected; }
    void setSelected(bool Selected);

    // 1-based position in the box; 0 once removed.
    int32_t Index() const { return m_index; }
    // Kept current by the collection that holds the item.
    void setIndex(int32_t Index) { m_index = Index; }

    // Scrolls the box so that the item shows.
    void EnsureVisible();

    // The box that holds the item, or none once it has been removed.
    CandidateBox* box() const { return m_box; }

private:
    friend class CandidateItems;
    friend class CandidateBox;

    void notify(int kind);

    QString m_caption;
    QString m_key;
    int32_t m_image = 0;
    int32_t m_imageBackColor = -1;
    int32_t m_itemData = 0;
    bool m_selected = false;
    int32_t m_index = 0;
    CandidateBox* m_box = nullptr;
    // The caption's width in the box's font, or -1 until measured.
    int m_width = -1;
};

} // namespace tamsell
