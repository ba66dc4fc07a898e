#pragma once

#include "tamsell/PropertySheetConstants.h"

#include <QFont>
#include <memory>
#include <vector>

namespace tamsell {

class SheetCategories;
class SheetCategory;
class SheetItem;

// One row of a property sheet: an item, or a category's header when there is no item.
struct SheetRow {
    std::shared_ptr<SheetCategory> category;
    std::shared_ptr<SheetItem> item;
};

// Sorts by caption without regard to case, as list style orders its rows.
void sortByCaption(std::vector<std::shared_ptr<SheetItem>>& items);

// The rows of a property sheet and the metrics its font gives them, in pixels of the client.
class SheetLayout {
public:
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    const QFont& boldFont() const { return m_bold; }

    // Takes the rows and the caption column from the categories as they are now.
    void rebuild(const SheetCategories& categories, PropertySheetStyleConstants style);

    const std::vector<SheetRow>& rows() const { return m_rows; }
    int count() const { return int(m_rows.size()); }
    // The 1-based row of an item, or of a category's header when item is none; 0 for none.
    int rowOf(const SheetCategory* category, const SheetItem* item) const;

    // The height of the font's text, of editors and of drop-down entries.
    int textHeight() const { return m_textHeight; }
    int rowPitch() const { return m_textHeight + 3; }
    // The column of expand and collapse boxes, in category style only.
    int glyphWidth() const { return m_style == PSS_CATEGORY ? m_textHeight + 2 : 0; }
    // The widest caption of the items that can show, + 4.
    int captionWidth() const { return m_widest + 4; }
    // Where the value column begins; it runs to the client's right edge.
    int valueLeft() const;
    // Whole rows in a client of that height (the last row's grid line may fall outside).
    int fitRows(int clientHeight) const { return (clientHeight + 1) / rowPitch(); }

private:
    QFont m_font;
    QFont m_bold;
    int m_textHeight = 0;
    int m_widest = 0;
    PropertySheetStyleConstants m_style = PSS_CATEGORY;
    std::vector<SheetRow> m_rows;
};

} // namespace tamsell
