#pragma once

#include "tamsell/CandidateBoxConstants.h"
#include "tamsell/CandidateItems.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

class QPainter;
class QScrollBar;

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

// An owner-drawn list with one selected item. Each row shows an optional square image, a
// cell of ItemPicture, and a caption; rows are ItemHeight + 1 pixels apart. The box searches
// by prefix (SelectString), completes unique prefixes (GetCompleteString), sorts, moves its
// selection by keys and pointer, and can fit its width to the captions (AutoSize) and its
// height to whole rows (IntegralHeight).
//
// Painting is double-buffered: scrolling moves the drawn pixels and draws only the rows it
// uncovers, and a change to one item redraws only its row.
class CandidateBox : public QWidget {
    Q_OBJECT

public:
    explicit CandidateBox(QWidget* parent = nullptr);
    ~CandidateBox() override;

    CandidateItems& Items() { return m_items; }
    const CandidateItems& Items() const { return m_items; }

    // Cuts the height down to whole rows.
    bool IntegralHeight() const { return m_integralHeight; }
    void setIntegralHeight(bool IntegralHeight);
    // Fits the width to the widest caption.
    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool AutoSize);
    // How search, completion and sorting compare text: exactly, without regard to case, or
    // (any other value) everything as equal.
    CandidateBoxTextCompareModeConstants CompareMode() const { return m_compareMode; }
    void setCompareMode(CandidateBoxTextCompareModeConstants CompareMode);
    // Up past the first item selects the last, and Down past the last the first.
    bool Wrap() const { return m_wrap; }
    void setWrap(bool Wrap) { m_wrap = Wrap; }
    // Pixels; below 1 raises 380.
    int32_t ItemHeight() const { return m_itemHeight; }
    void setItemHeight(int32_t ItemHeight);
    // The image strip: square cells of ItemHeight side by side; a null image for none.
    QImage ItemPicture() const { return m_picture; }
    void setItemPicture(const QImage& ItemPicture);

    // Selecting none deselects; an item of another box raises 35610.
    std::shared_ptr<CandidateItem> SelectedItem() const { return m_selected; }
    void setSelectedItem(const std::shared_ptr<CandidateItem>& SelectedItem);
    // The item in the first row.
    int32_t TopIndex() const;
    void setTopIndex(int32_t TopIndex);

    // 0x00BBGGRR or a system colour; invalid values raise 380.
    uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(uint32_t ForeColor);
    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t BackColor);
    // Pixels of this colour in the strip are transparent while UseMaskColor is set.
    uint32_t MaskColor() const { return m_maskColor; }
    void setMaskColor(uint32_t MaskColor);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool UseMaskColor);

    // Selects the item whose caption shares the longest prefix with FindStr (with Strict,
    // one that starts with all of it), the first such from Start on, wrapping; 0 starts at
    // the selected item. Returns false when nothing matched, deselecting with
    // CancelSelection.
    bool SelectString(const QString& FindStr, int32_t Start = 0, bool Strict = false,
                      bool CancelSelection = false);
    // When exactly one caption starts with FindStr, replaces FindStr by it and returns the
    // item's index; otherwise returns 0 and leaves FindStr alone.
    int32_t GetCompleteString(QString& FindStr) const;
    // Redraws every row.
    void Refresh();
    // Sorts the items by caption, key, item data, image or the CompareItem event; equal
    // items may change places.
    void Sort(CandidateBoxSortKeyConstants Key = CBSK_CAPTION,
              CandidateBoxSortOrderConstants Order = CBSO_ASCENDING);
    // Selects the item Diff rows from the focus (or at Diff, when Absolute), wrapping with
    // WrapAction while Wrap is set, and clamped to the items otherwise.
    void MoveFocus(int32_t Diff, bool Absolute = false, bool WrapAction = false);

    // Stores the design-time properties under their property names; values equal to their
    // defaults are left out. Items are not stored.
    void WriteProperties(orvenly::PropertyBag& PropBag) const;
    void ReadProperties(const orvenly::PropertyBag& PropBag);

    QSize sizeHint() const override;

signals:
    // An item became selected.
    void Click();
    void DblClick();
    // Asked during a sort by CBSK_CUSTUM: the sign of SortResult orders Item1 before (-1),
    // with (0) or after (1) Item2.
    void CompareItem(tamsell::CandidateItem* Item1, tamsell::CandidateItem* Item2,
                     int32_t& SortResult);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    friend class CandidateItem;
    friend class CandidateItems;

    // What the items tell their box: 0 added, 1 removed, 2 caption, 3 selection, 4 image,
    // 5 image back colour.
    void NotifyItemChange(CandidateItem& item, int kind);
    void itemSelected(CandidateItem& item);
    void itemsCleared();

    int32_t CompareText(const QString& a, const QString& b) const;
    bool sameCharacter(QChar a, QChar b) const;
    int score(const QString& caption, const QString& findStr, bool strict) const;

    // Layout and scrolling.
    void layOut();
    void fitWidth();
    int widestCaption();
    int measure(CandidateItem& item) const;
    int borderWidth() const { return 2; }
    QRect clientRect() const;
    int rowPitch() const { return m_itemHeight + 1; }
    bool rowShows(int index) const;
    void scrolled(int value);
    void selectAt(int y);

    // Drawing into the buffer that paint events copy.
    void redrawAll();
    void redrawRows(int first, int last);
    void drawRow(QPainter& painter, const CandidateItem& item, int y) const;
    void drawFocusRect(QPainter& painter, int y, const QColor& background) const;
    void prepareStrip();

    CandidateItems m_items;
    bool m_integralHeight = true;
    bool m_autoSize = false;
    CandidateBoxTextCompareModeConstants m_compareMode = CBTCM_BINARY;
    bool m_wrap = false;
    int32_t m_itemHeight = 16;
    QImage m_picture;
    uint32_t m_foreColor;
    uint32_t m_backColor;
    uint32_t m_maskColor = 0x808000;
    bool m_useMaskColor = false;

    std::shared_ptr<CandidateItem> m_selected;
    int m_focusIndex = 0;
    bool m_hasFocus = false;
    int m_visibleCount = 0;
    QScrollBar* m_scrollBar;
    bool m_barShown = false;
    bool m_cutting = false;
    int m_widest = 0;
    bool m_widestKnown = true;

    // The client as last drawn, the top index it was drawn at, and the strip ready to copy.
    QImage m_buffer;
    int m_drawnTop = 1;
    bool m_bufferStale = true;
    QImage m_strip;
    bool m_stripStale = true;
};

} // namespace tamsell
