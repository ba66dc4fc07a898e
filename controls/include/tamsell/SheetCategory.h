#pragma once

#include "orvenly/Variant.h"
#include "tamsell/SheetItems.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace tamsell {

class PropertySheet;

// A group of items of a property sheet. In category style it shows as a bold header row
// with a box that expands or collapses it.
class SheetCategory : public std::enable_shared_from_this<SheetCategory> {
public:
    SheetCategory() : m_items(*this) {}
    SheetCategory(const SheetCategory&) = delete;
    SheetCategory& operator=(const SheetCategory&) = delete;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& Caption);

    // Selecting raises 383 in list style, where categories have no row, and 380 for a hidden
    // category. The category of the selected item counts as selected too.
    bool Selected() const;
    void setSelected(bool Selected);

    // A colour, or SheetForeColorDefault for the sheet's; anything else raises 380.
    int32_t ForeColor() const { return m_foreColor; }
    void setForeColor(int32_t ForeColor);

    // Whether the items show below the header in category style.
    bool Expanded() const { return m_expanded; }
    void setExpanded(bool Expanded);
    // A disabled category draws its header and items grey; its items open no editor.
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool Enabled);
    // A hidden category has no rows in category style.
    bool Visible() const { return m_visible; }
    void setVisible(bool Visible);

    SheetItems& Items() { return m_items; }
    const SheetItems& Items() const { return m_items; }

    // The collection key, unique without regard to case; a key in use raises 457.
    QString Key() const { return m_key; }
    void setKey(const QString& Key);

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    // 1-based position among the sheet's categories; 0 once removed.
    int32_t Index() const { return m_index; }
    // Kept current by the collection that holds the category.
    void setIndex(int32_t Index) { m_index = Index; }

    // The sheet that holds the category, or none once it has been removed.
    PropertySheet* sheet() const { return m_sheet; }

private:
    friend class SheetCategories;
    friend class SheetItem;

    QString m_caption;
    int32_t m_foreColor = SheetForeColorDefault;
    bool m_expanded = true;
    bool m_enabled = true;
    bool m_visible = true;
    SheetItems m_items;
    QString m_key;
    orvenly::Variant m_tag;
    int32_t m_index = 0;
    PropertySheet* m_sheet = nullptr;
};

} // namespace tamsell
