#pragma once

#include "orvenly/Variant.h"
#include "tamsell/PropertySheetConstants.h"
#include "tamsell/SheetCategories.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;
class QScrollBar;

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

class SheetEditors;
class SheetLayout;
struct SheetRow;

// A property grid: named values in two columns, caption and value, edited in place. In list
// style the rows are all visible items sorted by caption; in category style each visible
// category shows a bold header row followed, while it is expanded, by its visible items.
// Row heights and columns follow the font: a row is the font's text height + 3 pixels.
//
// The selected row carries its editors: a text box, a drop-down list of candidates, a
// reference button or a colour list, as the item's style says. Invalid property values raise
// 380 and keep the old value.
class PropertySheet : public QWidget {
    Q_OBJECT

public:
    explicit PropertySheet(QWidget* parent = nullptr);
    ~PropertySheet() override;

    SheetCategories& Categories() { return m_categories; }
    const SheetCategories& Categories() const { return m_categories; }

    // A sunken 3-D edge or a flat line around the sheet, when it has a border.
    PropertySheetAppearanceConstants Appearance() const { return m_appearance; }
    void setAppearance(PropertySheetAppearanceConstants Appearance);
    PropertySheetBorderStyleConstants BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(PropertySheetBorderStyleConstants BorderStyle);
    PropertySheetStyleConstants Style() const { return m_style; }
    void setStyle(PropertySheetStyleConstants Style);
    // Draws whole rows only, leaving the part of a row at the bottom empty.
    bool IntegralHeight() const { return m_integralHeight; }
    void setIntegralHeight(bool IntegralHeight);
    // While False nothing is drawn and no editor opens; setting True redraws.
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool Redraw);

    // The category of the selected row; setting one selects its header row, and none
    // deselects. A category of another sheet raises 380.
    std::shared_ptr<SheetCategory> SelectedCategory() const { return m_selectedCategory; }
    void setSelectedCategory(const std::shared_ptr<SheetCategory>& SelectedCategory);
    // The item of the selected row; none while a category header is selected.
    std::shared_ptr<SheetItem> SelectedItem() const { return m_selectedItem; }

    // The text colour of items and categories whose own is SheetForeColorDefault.
    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t ForeColor);

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    // Lays the rows out again and redraws.
    void Refresh();
    // Sorts items by caption without regard to case, in place; equal captions may change
    // places.
    void ShellSort(std::vector<std::shared_ptr<SheetItem>>& SrcArray) const;

    // Stores the sheet's properties and its categories, items and candidates under their
    // property names; values equal to their defaults are left out.
    void WriteProperties(orvenly::PropertyBag& PropBag) const;
    // Rebuilds the sheet from what WriteProperties stored; Redraw is True afterwards.
    void ReadProperties(const orvenly::PropertyBag& PropBag);

    QSize sizeHint() const override;

signals:
    // A row was selected by key or pointer.
    void Click();
    // The drop-down list opened.
    void DropDown();
    // The reference button of the selected item was pressed, or the item double-clicked.
    void ReferenceClick();
    // The user scrolled the rows.
    void Scroll();
    // A candidate was chosen from the drop-down list.
    void CandidateClick();
    // Before the editors of the selected item open; Cancel keeps them closed.
    void BeforeValueEdit(bool& Cancel);
    // A typed or chosen value is about to become the item's text; the handler may change
    // Value, or keep the old text with Cancel.
    void AfterValueEdit(QString& Value, bool& Cancel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class SheetCategory;
    friend class SheetCategories;
    friend class SheetItem;
    friend class SheetItems;
    friend class SheetItemCandidate;
    friend class SheetItemCandidates;
    friend class SheetEditors;

    // What the objects tell their sheet.
    void treeChanged();
    void contentChanged();
    void itemChanged(const SheetItem& item);
    void select(std::shared_ptr<SheetCategory> category, std::shared_ptr<SheetItem> item);
    void forget(const SheetCategory& category);
    void forget(const SheetItem& item);

    // Rows, columns and scrolling.
    void ensureLayout();
    void keepSelectionInRows();
    void updateScrollBar();
    void placeScrollBar();
    QRect clientRect() const;
    int fitRows() const;
    int rowCount();
    int currentRow();
    int topRow() const;
    void scrollTo(int top);
    void scrollIntoView(int row);
    void scrolled();
    // The row at a point of the client; may lie outside 1..row count.
    int rowAt(int y) const;
    QRect rowRect(int row) const;
    void placeEditors();

    // Selecting and editing, as keys and the pointer do it.
    void SelectRow(int n, bool toggle = false);
    void openEditors();
    void closeEditors();
    // Closes the editors, moves as the key says, and opens the editors of the new row.
    void navigate(int key);
    void moveByKey(int key);
    void toggleExpanded(SheetCategory& category);

    // Drawing into the surface that paint events copy.
    void drawSurface();
    void drawHeader(QPainter& painter, const SheetRow& row, int y) const;
    void drawItem(QPainter& painter, const SheetRow& row, int y, bool selected) const;
    void drawGlyph(QPainter& painter, const SheetCategory& category, int y) const;
    QColor textColor(int32_t own, bool enabled) const;
    int borderWidth() const;

    SheetCategories m_categories;
    PropertySheetAppearanceConstants m_appearance = PSA_3D;
    PropertySheetBorderStyleConstants m_borderStyle = PSB_FIXEDSINGLE;
    PropertySheetStyleConstants m_style = PSS_CATEGORY;
    bool m_integralHeight = true;
    bool m_redraw = true;
    uint32_t m_foreColor;
    orvenly::Variant m_tag;

    std::shared_ptr<SheetCategory> m_selectedCategory;
    std::shared_ptr<SheetItem> m_selectedItem;

    std::unique_ptr<SheetLayout> m_layout;
    std::unique_ptr<SheetEditors> m_editors;
    QScrollBar* m_scrollBar;
    bool m_rowsDirty = true;
    bool m_surfaceDirty = true;
    // Set while the sheet itself fills the drop-down list or scrolls, so that neither counts
    // as the user's doing.
    bool m_updating = false;
    bool m_dragging = false;
    QImage m_surface;
};

} // namespace tamsell
