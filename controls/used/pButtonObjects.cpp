#include "tamsell/pButtonObjects.h"

#include "NumberEdit.h"
#include "PageFields.h"
#include "orvenly/Modal.h"
#include "tamsell/FlatToolbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tamsell {

pButtonObjects::pButtonObjects(QWidget* parent)
    : QWidget(parent), m_index(new NumberEdit(this)),
      m_scroll(new QScrollBar(Qt::Horizontal, this)),
      m_insert(new QPushButton(QStringLiteral("ボタンの挿入(&N)"), this)),
      m_remove(new QPushButton(QStringLiteral("ボタンの削除(&R)"), this)),
      m_caption(new QLineEdit(this)), m_key(new QLineEdit(this)),
      m_style(listOf({"0 - FTBS_COMMAND", "1 - FTBS_DROPDOWN", "2 - FTBS_CHECK", "3 - FTBS_RADIO",
                      "4 - FTBS_SEPARATOR", "5 - FTBS_PLACEHOLDER", "6 - FTBS_SEPARATORBREAK"},
                     this)),
      m_exStyle(listOf(
          {"0 - FTBS_EX_NONE", "1 - FTBS_EX_INHERENTDROPDOWN", "2 - FTBS_EX_INDEPENDENTDROPDOWN"},
          this)),
      m_toolTip(new QLineEdit(this)),
      m_value(listOf({"0 - FTBV_UNPRESSED", "1 - FTBV_PRESSED", "2 - FTBV_MIXEDSTATE"}, this)),
      m_length(new NumberEdit(this)), m_image(new NumberEdit(this)),
      m_visible(new QCheckBox(QStringLiteral("表示 (&B)"), this)),
      m_enabled(new QCheckBox(QStringLiteral("有効 (&E)"), this)) {
    setWindowTitle(QStringLiteral("ボタン"));
    auto* walk = new QHBoxLayout;
    walk->addWidget(m_index);
    walk->addWidget(m_scroll, 1);
    walk->addWidget(m_insert);
    walk->addWidget(m_remove);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("インデックス (&I) :"), walk);
    form->addRow(QStringLiteral("キャプション (&C) :"), m_caption);
    form->addRow(QStringLiteral("キー (&K) :"), m_key);
    form->addRow(QStringLiteral("スタイル (&S) :"), m_style);
    form->addRow(QStringLiteral("拡張スタイル (&X) :"), m_exStyle);
    form->addRow(QStringLiteral("ツールヒント (&T) :"), m_toolTip);
    form->addRow(QStringLiteral("状態 (&V) :"), m_value);
    form->addRow(QStringLiteral("幅（プレースホルダ） (&W) :"), m_length);
    form->addRow(QStringLiteral("イメージ (&G) :"), m_image);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    page->addWidget(m_visible);
    page->addWidget(m_enabled);
    page->addStretch();

    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int Index) {
        if (Index != m_shown && !showButton(Index))
            m_scroll->setValue(m_shown);
    });
    connect(m_index, &QLineEdit::editingFinished, this, [this] {
        if (m_index->value() != m_shown && !showButton(m_index->value()))
            m_index->setValue(m_shown);
    });
    connect(m_insert, &QPushButton::clicked, this, &pButtonObjects::insertButton);
    connect(m_remove, &QPushButton::clicked, this, &pButtonObjects::removeButton);
    setEnabled(false);
}

void pButtonObjects::SelectionChanged(const QList<FlatToolbar*>& SelectedControls) {
    m_target = SelectedControls.isEmpty() ? nullptr : SelectedControls.first();
    setEnabled(m_target != nullptr);
    m_shown = m_target && m_target->Buttons().Count() > 0 ? 1 : 0;
    load();
}

void pButtonObjects::updateRange() {
    const int count = m_target ? m_target->Buttons().Count() : 0;
    const QSignalBlocker blocker(m_scroll);
    m_scroll->setRange(count > 0 ? 1 : 0, count);
    m_scroll->setValue(m_shown);
    m_index->setValue(m_shown);
    m_remove->setEnabled(m_shown > 0);
}

void pButtonObjects::load() {
    updateRange();
    const bool any = m_shown > 0;
    for (QWidget* field :
         std::initializer_list<QWidget*>{m_caption, m_key, m_style, m_exStyle, m_toolTip, m_value,
                                         m_length, m_image, m_visible, m_enabled})
        field->setEnabled(any);
    if (!any)
        return;
    const auto button = m_target->Buttons().Item(m_shown);
    m_caption->setText(button->Caption());
    m_key->setText(button->Key());
    m_style->setCurrentIndex(button->Style());
    m_exStyle->setCurrentIndex(button->ExStyle());
    m_toolTip->setText(button->ToolTip());
    m_value->setCurrentIndex(button->Value());
    m_length->setValue(button->Length());
    m_image->setValue(button->Image());
    m_visible->setChecked(button->Visible());
    m_enabled->setChecked(button->Enabled());
}

void pButtonObjects::ApplyChanges() {
    if (!m_target || m_shown == 0)
        return;
    const auto button = m_target->Buttons().Item(m_shown);
    button->setKey(m_key->text());
    button->setStyle(FlatToolbarButtonStyleConstants(m_style->currentIndex()));
    // What the style leaves without meaning is not written back.
    if (button->hasContent()) {
        button->setExStyle(FlatToolbarButtonExtendStyleConstants(m_exStyle->currentIndex()));
        button->setImage(m_image->value());
        button->setCaption(m_caption->text());
        button->setToolTip(m_toolTip->text());
        button->setEnabled(m_enabled->isChecked());
        if (button->Style() != FTBS_DROPDOWN)
            button->setValue(FlatToolbarButtonValueConstants(m_value->currentIndex()));
    }
    if (button->Style() == FTBS_PLACEHOLDER)
        button->setLength(m_length->value());
    button->setVisible(m_visible->isChecked());
    m_target->Refresh();
}

bool pButtonObjects::showButton(int Index) {
    if (!m_target || Index < 1 || Index > m_target->Buttons().Count())
        return false;
    try {
        ApplyChanges();
    } catch (const orvenly::AutomationError& error) {
        orvenly::MsgBox(this, error.description(), orvenly::msgbox::Exclamation);
        return false;
    }
    m_shown = Index;
    load();
    return true;
}

void pButtonObjects::insertButton() {
    if (!m_target)
        return;
    if (m_shown > 0)
        m_target->Buttons().Add(m_shown);
    else
        m_shown = m_target->Buttons().Add()->Index();
    load();
}

void pButtonObjects::removeButton() {
    if (!m_target || m_shown == 0)
        return;
    m_target->Buttons().Remove(m_shown);
    m_shown = std::min(m_shown, m_target->Buttons().Count());
    load();
}

} // namespace tamsell
