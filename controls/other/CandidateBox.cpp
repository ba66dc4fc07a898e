#include "tamsell/CandidateBox.h"

#include "orvenly/AutomationError.h"
#include "tamsell/SystemColors.h"

#include <QScrollBar>
#include <algorithm>

namespace tamsell {

namespace {

using orvenly::AutomationError;
namespace errors = orvenly::errors;

void requireValid(bool condition) {
    if (!condition)
        throw AutomationError(errors::InvalidPropertyValue);
}

} // namespace

CandidateBox::CandidateBox(QWidget* parent)
    : QWidget(parent), m_items(*this), m_foreColor(syscolor::WindowText),
      m_backColor(syscolor::Window), m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Keys belong to the list; the bar is for the pointer only.
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->setRange(0, 0);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &CandidateBox::scrolled);
    layOut();
}

CandidateBox::~CandidateBox() = default;

void CandidateBox::setIntegralHeight(bool IntegralHeight) {
    if (IntegralHeight == m_integralHeight)
        return;
    m_integralHeight = IntegralHeight;
    if (IntegralHeight)
        layOut();
}

void CandidateBox::setAutoSize(bool AutoSize) {
    if (AutoSize == m_autoSize)
        return;
    m_autoSize = AutoSize;
    if (AutoSize) {
        fitWidth();
    } else {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

void CandidateBox::setCompareMode(CandidateBoxTextCompareModeConstants CompareMode) {
    m_compareMode = CompareMode;
}

void CandidateBox::setItemHeight(int32_t ItemHeight) {
    requireValid(ItemHeight >= 1);
    if (ItemHeight == m_itemHeight)
        return;
    m_itemHeight = ItemHeight;
    m_stripStale = true;
    layOut();
    if (m_autoSize)
        fitWidth();
    redrawAll();
}

void CandidateBox::setItemPicture(const QImage& ItemPicture) {
    m_picture = ItemPicture;
    m_stripStale = true;
    redrawAll();
}

void CandidateBox::setSelectedItem(const std::shared_ptr<CandidateItem>& SelectedItem) {
    if (!SelectedItem) {
        if (m_selected)
            m_selected->setSelected(false);
        return;
    }
    if (SelectedItem->box() != this)
        throw AutomationError(errors::InvalidObject);
    SelectedItem->setSelected(true);
}

void CandidateBox::setForeColor(uint32_t ForeColor) {
    requireValid(isValidColor(ForeColor));
    m_foreColor = ForeColor;
    redrawAll();
}

void CandidateBox::setBackColor(uint32_t BackColor) {
    requireValid(isValidColor(BackColor));
    m_backColor = BackColor;
    redrawAll();
}

void CandidateBox::setMaskColor(uint32_t MaskColor) {
    requireValid(isValidColor(MaskColor));
    m_maskColor = MaskColor;
    m_stripStale = true;
    if (m_useMaskColor)
        redrawAll();
}

void CandidateBox::setUseMaskColor(bool UseMaskColor) {
    if (UseMaskColor == m_useMaskColor)
        return;
    m_useMaskColor = UseMaskColor;
    m_stripStale = true;
    redrawAll();
}

void CandidateBox::Refresh() {
    redrawAll();
}

QSize CandidateBox::sizeHint() const {
    return QSize(160, 8 * rowPitch() + 2 * borderWidth());
}

void CandidateBox::NotifyItemChange(CandidateItem& item, int kind) {
    const int index = item.Index();
    switch (kind) {
    case 0: // added
        if (m_selected)
            m_focusIndex = m_selected->Index();
        layOut();
        if (m_autoSize && m_widestKnown)
            m_widest = std::max(m_widest, measure(item));
        else
            m_widestKnown = false;
        if (m_autoSize)
            fitWidth();
        // The rows from the new one on moved down.
        if (index < TopIndex() + m_visibleCount)
            redrawRows(std::max(index, TopIndex()), TopIndex() + m_visibleCount - 1);
        break;
    case 1: // removed, still carrying its old position
        if (m_selected.get() == &item) {
            m_selected.reset();
            m_focusIndex = std::min(index, m_items.Count());
        } else if (m_selected) {
            m_focusIndex = m_selected->Index();
        } else {
            m_focusIndex = std::min(m_focusIndex, m_items.Count());
        }
        if (item.m_width >= m_widest)
            m_widestKnown = false;
        layOut();
        if (m_autoSize)
            fitWidth();
        redrawAll();
        break;
    case 2: // caption
        if (rowShows(index))
            redrawRows(index, index);
        if (!m_autoSize || item.m_width >= m_widest)
            m_widestKnown = false;
        item.m_width = -1;
        if (m_autoSize && m_widestKnown)
            m_widest = std::max(m_widest, measure(item));
        if (m_autoSize)
            fitWidth();
        break;
    case 3:
        itemSelected(item);
        break;
    default: // image, image back colour
        if (rowShows(index))
            redrawRows(index, index);
        break;
    }
}

void CandidateBox::itemSelected(CandidateItem& item) {
    const int index = item.Index();
    if (!item.Selected()) {
        if (m_selected.get() == &item)
            m_selected.reset();
        if (rowShows(index))
            redrawRows(index, index);
        return;
    }
    const int oldFocus = m_focusIndex;
    if (m_selected && m_selected.get() != &item)
        m_selected->setSelected(false);
    m_focusIndex = index;
    m_selected = item.shared_from_this();
    if (oldFocus != index && rowShows(oldFocus))
        redrawRows(oldFocus, oldFocus);
    if (rowShows(index))
        redrawRows(index, index);
    item.EnsureVisible();
    emit Click();
}

void CandidateBox::itemsCleared() {
    // The items are gone: so are the selection and the focus row.
    m_selected.reset();
    m_focusIndex = 0;
    m_widest = 0;
    m_widestKnown = true;
    layOut();
    if (m_autoSize)
        fitWidth();
    redrawAll();
}

} // namespace tamsell
