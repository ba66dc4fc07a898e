#include "tamsell/PropertySheet.h"

#include "SheetEditors.h"
#include "SheetLayout.h"
#include "orvenly/AutomationError.h"
#include "tamsell/SystemColors.h"

#include <QScrollBar>
#include <QStyle>

namespace tamsell {

namespace {

void requireValid(bool condition) {
    if (!condition)
        throw orvenly::AutomationError(orvenly::errors::InvalidPropertyValue);
}

} // namespace

PropertySheet::PropertySheet(QWidget* parent)
    : QWidget(parent), m_categories(*this), m_foreColor(syscolor::WindowText),
      m_layout(std::make_unique<SheetLayout>()), m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_layout->setFont(font());
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setEnabled(false);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { scrolled(); });
    m_editors = std::make_unique<SheetEditors>(*this);
}

PropertySheet::~PropertySheet() {
    // The editors go first, so that nothing they do on the way reaches a half-gone sheet.
    m_editors.reset();
}

void PropertySheet::setAppearance(PropertySheetAppearanceConstants Appearance) {
    requireValid(Appearance == PSA_FLAT || Appearance == PSA_3D);
    if (Appearance == m_appearance)
        return;
    m_appearance = Appearance;
    Refresh();
}

void PropertySheet::setBorderStyle(PropertySheetBorderStyleConstants BorderStyle) {
    requireValid(BorderStyle == PSB_NONE || BorderStyle == PSB_FIXEDSINGLE);
    if (BorderStyle == m_borderStyle)
        return;
    m_borderStyle = BorderStyle;
    placeScrollBar();
    Refresh();
}

void PropertySheet::setStyle(PropertySheetStyleConstants Style) {
    requireValid(Style == PSS_LIST || Style == PSS_CATEGORY);
    if (Style == m_style)
        return;
    m_style = Style;
    closeEditors();
    treeChanged();
}

void PropertySheet::setIntegralHeight(bool IntegralHeight) {
    if (IntegralHeight == m_integralHeight)
        return;
    m_integralHeight = IntegralHeight;
    contentChanged();
}

void PropertySheet::setRedraw(bool Redraw) {
    m_redraw = Redraw;
    if (Redraw)
        Refresh();
}

void PropertySheet::setSelectedCategory(const std::shared_ptr<SheetCategory>& SelectedCategory) {
    if (!SelectedCategory) {
        select(nullptr, nullptr);
        return;
    }
    requireValid(SelectedCategory->sheet() == this);
    SelectedCategory->setSelected(true);
}

void PropertySheet::setForeColor(uint32_t ForeColor) {
    requireValid(isValidColor(ForeColor));
    if (ForeColor == m_foreColor)
        return;
    m_foreColor = ForeColor;
    contentChanged();
}

void PropertySheet::Refresh() {
    m_rowsDirty = true;
    ensureLayout();
    contentChanged();
    placeEditors();
}

void PropertySheet::ShellSort(std::vector<std::shared_ptr<SheetItem>>& SrcArray) const {
    sortByCaption(SrcArray);
}

QSize PropertySheet::sizeHint() const {
    return QSize(240, 200);
}

void PropertySheet::treeChanged() {
    m_rowsDirty = true;
    // Editors of an item that no longer shows close now, not at the next paint.
    if (const std::shared_ptr<SheetItem> item = m_editors->item()) {
        const auto category = item->Category();
        const bool shown = item->Visible() &&
                           (m_style == PSS_LIST || (category->Visible() && category->Expanded()));
        if (!shown)
            closeEditors();
    }
    contentChanged();
}

void PropertySheet::contentChanged() {
    m_surfaceDirty = true;
    update();
}

void PropertySheet::itemChanged(const SheetItem& item) {
    contentChanged();
    if (m_editors->item().get() == &item)
        m_editors->sync();
}

void PropertySheet::select(std::shared_ptr<SheetCategory> category,
                           std::shared_ptr<SheetItem> item) {
    if (category == m_selectedCategory && item == m_selectedItem)
        return;
    if (m_editors->isOpen() && m_editors->item() != item)
        closeEditors();
    m_selectedCategory = std::move(category);
    m_selectedItem = std::move(item);
    ensureLayout();
    if (const int row = currentRow())
        scrollIntoView(row);
    contentChanged();
}

void PropertySheet::forget(const SheetCategory& category) {
    if (const auto item = m_editors->item(); item && item->Category().get() == &category)
        m_editors->discard();
    if (m_selectedCategory.get() == &category) {
        m_selectedCategory.reset();
        m_selectedItem.reset();
    }
}

void PropertySheet::forget(const SheetItem& item) {
    if (m_editors->item().get() == &item)
        m_editors->discard();
    if (m_selectedItem.get() == &item) {
        m_selectedCategory.reset();
        m_selectedItem.reset();
    }
}

} // namespace tamsell
