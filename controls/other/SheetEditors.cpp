#include "SheetEditors.h"

#include "SheetColors.h"
#include "SheetEditorWidgets.h"
#include "SheetLayout.h"
#include "tamsell/PropertySheet.h"
#include "tamsell/SystemColors.h"

#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScopedValueRollback>
#include <algorithm>

namespace tamsell {

namespace {

// Entries the drop-down list shows before it scrolls.
constexpr int ListEntries = 8;

bool hasTextBox(PropertySheetItemStyleConstants style) {
    return style != PSIS_LIST;
}
bool hasList(PropertySheetItemStyleConstants style) {
    return style == PSIS_LIST || style == PSIS_COMBO || style == PSIS_COLOR;
}
bool hasButton(PropertySheetItemStyleConstants style) {
    return style != PSIS_TEXT;
}

QIcon swatch(const QColor& color, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

} // namespace

SheetEditors::SheetEditors(PropertySheet& sheet)
    : m_sheet(sheet), m_textBox(new SheetTextBox(&sheet)), m_button(new SheetButton(&sheet)),
      m_list(new SheetDropList(&sheet)) {
    m_textBox->setObjectName(QStringLiteral("textBox"));
    m_button->setObjectName(QStringLiteral("button"));
    m_list->setObjectName(QStringLiteral("dropList"));
    // A press on the button must not take the focus from the open list, which would close it
    // before the button could.
    m_button->setFocusProxy(m_list);
    connect(m_textBox, &SheetTextBox::committing, this, [this] {
        commit();
        m_textBox->selectAll();
    });
    connect(m_textBox, &SheetTextBox::reverting, this, &SheetEditors::revert);
    connect(m_textBox, &SheetTextBox::navigating, this, [this](int key) { m_sheet.navigate(key); });
    connect(m_textBox, &SheetTextBox::dropping, this, &SheetEditors::toggleList);
    connect(m_textBox, &SheetTextBox::leaving, this, [this](QWidget* next) {
        if (next != m_list)
            commit();
    });
    connect(m_button, &SheetButton::pressed, this, &SheetEditors::buttonPressed);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_sheet.m_updating && row >= 0)
            choose(row);
    });
    connect(m_list, &SheetDropList::finished, this, &SheetEditors::finishList);
    connect(m_list, &SheetDropList::leaving, m_list, &QWidget::hide);
}

SheetEditors::~SheetEditors() {
    // Nothing is committed while the sheet goes away.
    m_item.reset();
    delete m_list;
    delete m_button;
    delete m_textBox;
}

void SheetEditors::open(const std::shared_ptr<SheetItem>& item) {
    discard();
    const PropertySheetItemStyleConstants style = item->Style();
    if (style != PSIS_LIST) {
        bool cancel = false;
        emit m_sheet.BeforeValueEdit(cancel);
        if (cancel || m_sheet.SelectedItem() != item || item->Style() != style)
            return;
    }
    m_item = item;
    m_style = style;
    m_button->setFace(style == PSIS_REFERENCE ? SheetButton::Face::Reference
                                              : SheetButton::Face::DropDown);
    if (hasTextBox(style)) {
        m_textBox->setText(item->Text());
        m_textBox->setCursorPosition(0);
    }
    if (hasList(style))
        fillList();
}

void SheetEditors::close() {
    if (!m_item)
        return;
    const bool focused = hasFocus();
    // Leaving the text box validates it; a box never entered holds nothing to validate.
    if (m_textBox->hasFocus() || m_textBox->isModified())
        commit();
    m_item.reset();
    if (focused)
        m_sheet.setFocus();
    hideAll();
}

void SheetEditors::discard() {
    if (!m_item)
        return;
    const bool focused = hasFocus();
    m_item.reset();
    if (focused)
        m_sheet.setFocus();
    hideAll();
}

void SheetEditors::hideAll() {
    m_list->hide();
    m_textBox->hide();
    m_button->hide();
}

bool SheetEditors::hasFocus() const {
    return m_textBox->hasFocus() || m_list->hasFocus();
}

void SheetEditors::place(const QRect& row, int valueLeft, const QRect& client, int textHeight) {
    m_row = row;
    m_valueLeft = valueLeft;
    m_client = client;
    m_textHeight = textHeight;
    if (!m_item || row.isEmpty()) {
        hideAll();
        return;
    }
    const QRect value(valueLeft, row.top() + 1, client.right() + 1 - valueLeft, textHeight);
    const int buttonWidth = hasButton(m_style) ? textHeight + 2 : 0;
    if (buttonWidth > 0) {
        m_button->setGeometry(value.right() + 1 - buttonWidth, value.top(), buttonWidth,
                              textHeight);
        m_button->show();
    }
    if (hasTextBox(m_style)) {
        m_textBox->setGeometry(value.left(), value.top(), value.width() - buttonWidth, textHeight);
        m_textBox->show();
    }
    if (m_list->isVisible())
        placeList();
}

void SheetEditors::placeList() {
    const int t = std::max(m_textHeight, 1);
    int height = std::min(m_list->count(), ListEntries) * t + 2;
    const int rowBottom = m_row.top() + m_row.height();
    const int below = m_client.bottom() + 1 - rowBottom;
    const int above = m_row.top() - m_client.top();
    bool downwards = true;
    if (below >= height - 1) {
        downwards = true;
    } else if (above >= height - 1) {
        downwards = false;
    } else {
        // Neither side takes it whole: the roomier one, in whole entries.
        downwards = below >= above;
        const int room = downwards ? below : above;
        height = std::max((room - 1) / t, 0) * t + 2;
    }
    const int top = downwards ? rowBottom - 1 : m_row.top() - height + 1;
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setSizeHint(QSize(0, t));
    m_list->setIconSize(QSize(t - 4, t - 4));
    m_list->setGeometry(m_valueLeft, top, m_client.right() + 1 - m_valueLeft, height);
}

void SheetEditors::fillList() {
    QScopedValueRollback<bool> updating(m_sheet.m_updating, true);
    m_list->clear();
    const int t = std::max(m_sheet.m_layout->textHeight(), 6);
    int current = -1;
    if (m_style == PSIS_COLOR) {
        const std::optional<uint32_t> chosen = parseColorText(m_item->Text());
        for (const NamedColor& color : namedColors()) {
            auto* entry = new QListWidgetItem(
                swatch(resolveColor(color.value, m_sheet.palette()), t - 4), color.name, m_list);
            entry->setData(Qt::UserRole, color.value);
            if (chosen == color.value && current < 0)
                current = m_list->count() - 1;
        }
    } else {
        for (const auto& candidate : m_item->Candidates())
            m_list->addItem(candidate->Caption());
        if (const auto selected = m_item->SelectedItem())
            current = selected->Index() - 1;
    }
    m_list->setCurrentRow(current);
}

void SheetEditors::sync() {
    if (!m_item)
        return;
    const auto category = m_item->Category();
    const bool enabled =
        m_item->Enabled() && category && category->Enabled() && m_sheet.isEnabled();
    if (m_item->Style() != m_style || !enabled) {
        close();
        return;
    }
    if (hasTextBox(m_style) && !m_textBox->isModified())
        m_textBox->setText(m_item->Text());
    if (!hasList(m_style) || m_style == PSIS_COLOR)
        return;
    const SheetItemCandidates& candidates = m_item->Candidates();
    bool same = m_list->count() == candidates.Count();
    for (int i = 0; same && i < m_list->count(); ++i)
        same = m_list->item(i)->text() == candidates.Item(i + 1)->Caption();
    if (!same) {
        fillList();
        if (m_list->isVisible())
            placeList();
        return;
    }
    QScopedValueRollback<bool> updating(m_sheet.m_updating, true);
    const auto selected = m_item->SelectedItem();
    m_list->setCurrentRow(selected ? selected->Index() - 1 : -1);
}

void SheetEditors::commit() {
    // Every validation raises AfterValueEdit, unchanged text and a value chosen from the
    // list included: a handler that checks values there sees every commit.
    if (!m_item || m_committing || !hasTextBox(m_style))
        return;
    QScopedValueRollback<bool> committing(m_committing, true);
    const std::shared_ptr<SheetItem> item = m_item;
    QString value = m_textBox->text();
    bool cancel = false;
    emit m_sheet.AfterValueEdit(value, cancel);
    if (!cancel && item->Style() != PSIS_LIST)
        item->setText(value);
    // The box shows what the item holds now: the handler's value, or the old text.
    if (m_item == item)
        m_textBox->setText(item->Text());
}

void SheetEditors::revert() {
    if (m_item)
        m_textBox->setText(m_item->Text());
}

void SheetEditors::choose(int row) {
    if (!m_item)
        return;
    const std::shared_ptr<SheetItem> item = m_item;
    if (m_style == PSIS_COLOR) {
        m_textBox->setText(colorText(m_list->item(row)->data(Qt::UserRole).toUInt()));
        m_textBox->setModified(true);
        commit();
    } else {
        if (row >= item->Candidates().Count())
            return;
        item->Candidates().Item(row + 1)->setSelected(true);
        if (m_item == item && hasTextBox(m_style))
            m_textBox->setText(m_list->item(row)->text());
        m_sheet.contentChanged();
    }
    emit m_sheet.CandidateClick();
}

void SheetEditors::buttonPressed() {
    if (!m_item)
        return;
    if (m_style == PSIS_REFERENCE)
        emit m_sheet.ReferenceClick();
    else
        toggleList();
}

void SheetEditors::toggleList() {
    if (!m_item || !hasList(m_style))
        return;
    if (m_list->isVisible()) {
        finishList();
        return;
    }
    if (m_row.isEmpty())
        return;
    {
        QScopedValueRollback<bool> updating(m_sheet.m_updating, true);
        int current = -1;
        if (m_style == PSIS_COLOR) {
            const std::optional<uint32_t> chosen = parseColorText(m_item->Text());
            for (int i = 0; chosen && current < 0 && i < m_list->count(); ++i)
                if (m_list->item(i)->data(Qt::UserRole).toUInt() == *chosen)
                    current = i;
        } else {
            const QString text = m_item->Text();
            for (int i = 0; current < 0 && i < m_list->count(); ++i)
                if (m_list->item(i)->text() == text)
                    current = i;
        }
        m_list->setCurrentRow(current);
    }
    placeList();
    m_list->show();
    m_list->raise();
    m_list->setFocus();
    if (m_list->currentItem())
        m_list->scrollToItem(m_list->currentItem());
    emit m_sheet.DropDown();
}

void SheetEditors::finishList() {
    m_list->hide();
    if (!m_item)
        return;
    if (m_style == PSIS_LIST)
        m_sheet.setFocus();
    else
        m_textBox->setFocus();
}

void SheetEditors::doubleClicked() {
    if (!m_item)
        return;
    switch (m_style) {
    case PSIS_LIST: {
        const int count = m_list->count();
        if (count == 0)
            return;
        const int next = m_list->currentRow() + 1;
        m_list->setCurrentRow(next >= count ? 0 : next);
        break;
    }
    case PSIS_REFERENCE:
        emit m_sheet.ReferenceClick();
        break;
    default:
        m_textBox->setFocus();
        m_textBox->selectAll();
        break;
    }
}

bool SheetEditors::type(QKeyEvent* event) {
    if (!m_item || !hasTextBox(m_style) || !m_textBox->isVisible())
        return false;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    if (!m_textBox->hasFocus()) {
        // Typing starts over the whole value, as it does in a box reached by Tab.
        m_textBox->setFocus();
        m_textBox->selectAll();
    }
    QApplication::sendEvent(m_textBox, event);
    return true;
}

} // namespace tamsell
