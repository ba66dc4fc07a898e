#pragma once

#include "orvenly/Variant.h"
#include "tamsell/PropertySheetConstants.h"
#include "tamsell/SheetItemCandidates.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace tamsell {

class PropertySheet;
class SheetCategory;

// One named value of a property sheet, shown as a row with its caption and its text and
// edited in place as its style says.
class SheetItem : public std::enable_shared_from_this<SheetItem> {
public:
    SheetItem() : m_candidates(*this) {}
    SheetItem(const SheetItem&) = delete;
    SheetItem& operator=(const SheetItem&) = delete;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& Caption);

    // 0..4; other values raise 380.
    PropertySheetItemStyleConstants Style() const { return m_style; }
    void setStyle(PropertySheetItemStyleConstants Style);

    // The value. List and combo items read as their selected candidate's caption while one
    // is selected. A list item's text cannot be set (383); setting a combo item's text
    // deselects its candidate.
    QString Text() const;
    void setText(const QString& Text);

    SheetItemCandidates& Candidates() { return m_candidates; }
    const SheetItemCandidates& Candidates() const { return m_candidates; }
    // The selected candidate, or none.
    std::shared_ptr<SheetItemCandidate> SelectedItem() const { return m_selectedCandidate; }

    // A disabled item is drawn grey and opens no editor.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool Enabled);
    bool Visible() const { return m_visible; }
    void setVisible(bool Visible);

    // Selecting a hidden item raises 380; an item of a collapsed category expands it.
    bool Selected() const;
    void setSelected(bool Selected);

    // A colour, or SheetForeColorDefault for the sheet's; anything else raises 380.
    int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(int32_t ForeColor);

    // The category that holds the item, or none once it has been removed.
    std::shared_ptr<SheetCategory> Category() const;

    // The collection key, unique without regard to case; a key in use raises 457.
    QString Key() const { return m_key; }
    void setKey(const QString& Key);

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    // 1-based position in its category's items; 0 once removed.
    int32_t Index() const { return m_index; }
    // Kept current by the collection that holds the item.
    void setIndex(int32_t Index) { m_index = Index; }

    // The sheet that shows the item, or none.
    PropertySheet* sheet() const;

private:
    friend class SheetItems;
    friend class SheetItemCandidate;
    friend class SheetItemCandidates;
    friend class PropertySheet;

    void selectCandidate(const std::shared_ptr<SheetItemCandidate>& candidate);
    // Tells the sheet to redraw the item and bring its open editors up to date, or to lay
    // its rows out again.
    void changed() const;
    void relayout() const;

    QString m_caption;
    PropertySheetItemStyleConstants m_style = PSIS_TEXT;
    QString m_text;
    SheetItemCandidates m_candidates;
    std::shared_ptr<SheetItemCandidate> m_selectedCandidate;
    bool m_enabled = true;
    bool m_visible = true;
    int32_t m_foreColor = SheetForeColorDefault;
    QString m_key;
    orvenly::Variant m_tag;
    int32_t m_index = 0;
    SheetCategory* m_category = nullptr;
};

} // namespace tamsell
