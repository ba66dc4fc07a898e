#include "tamsell/pFlatToolbar.h"

#include "NumberEdit.h"
#include "PageFields.h"
#include "tamsell/FlatToolbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tamsell {

pFlatToolbar::pFlatToolbar(QWidget* parent)
    : QWidget(parent),
      m_style(listOf({"0 - FTS_HORIZONTAL", "1 - FTS_RECT", "2 - FTS_VERTICAL"}, this)),
      m_borderStyle(listOf({"0 - FTB_NONE", "1 - FTB_FIXEDSINGLE"}, this)),
      m_buttonHeight(new NumberEdit(this)), m_buttonWidth(new NumberEdit(this)),
      m_imageHeight(new NumberEdit(this)), m_imageWidth(new NumberEdit(this)),
      m_captionLines(new NumberEdit(this)),
      m_map3DColors(new QCheckBox(QStringLiteral("3Dカラーをシステムカラーに変換 (&D)"), this)),
      m_enabled(new QCheckBox(QStringLiteral("イベント認識 (&E)"), this)),
      m_useMaskColor(new QCheckBox(QStringLiteral("マスクカラーを使用 (&U)"), this)),
      m_movable(new QCheckBox(QStringLiteral("移動グリップを表示 (&M)"), this)) {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("スタイル (&S) :"), m_style);
    form->addRow(QStringLiteral("境界線 (&B) :"), m_borderStyle);
    form->addRow(QStringLiteral("ボタンの高さ (&G) :"), m_buttonHeight);
    form->addRow(QStringLiteral("ボタンの幅 (&Q) :"), m_buttonWidth);
    form->addRow(QStringLiteral("イメージの高さ (&H) :"), m_imageHeight);
    form->addRow(QStringLiteral("イメージの幅 (&W) :"), m_imageWidth);
    form->addRow(QStringLiteral("ボタン文字列の表示行 (&C) :"), m_captionLines);
    auto* page = new QVBoxLayout(this);
    page->addLayout(form);
    for (QCheckBox* box : {m_map3DColors, m_enabled, m_useMaskColor, m_movable})
        page->addWidget(box);
    page->addStretch();
    setEnabled(false);
}

void pFlatToolbar::SelectionChanged(const QList<FlatToolbar*>& SelectedControls) {
    m_target = SelectedControls.isEmpty() ? nullptr : SelectedControls.first();
    setEnabled(m_target != nullptr);
    if (!m_target)
        return;
    m_style->setCurrentIndex(m_target->Style());
    m_borderStyle->setCurrentIndex(m_target->BorderStyle());
    m_buttonHeight->setValue(m_target->ButtonHeight());
    m_buttonWidth->setValue(m_target->ButtonWidth());
    m_imageHeight->setValue(m_target->ImageHeight());
    m_imageWidth->setValue(m_target->ImageWidth());
    m_captionLines->setValue(m_target->CaptionLines());
    m_map3DColors->setChecked(m_target->Map3DColors());
    m_enabled->setChecked(m_target->isEnabled());
    m_useMaskColor->setChecked(m_target->UseMaskColor());
    m_movable->setChecked(m_target->Movable());
}

void pFlatToolbar::ApplyChanges() {
    if (!m_target)
        return;
    m_target->setStyle(FlatToolbarStyleConstants(m_style->currentIndex()));
    m_target->setBorderStyle(FlatToolbarBorderStyleConstants(m_borderStyle->currentIndex()));
    // Image sizes first: they reset the button sizes, which the page sets afterwards.
    m_target->setImageHeight(m_imageHeight->value());
    m_target->setImageWidth(m_imageWidth->value());
    m_target->setButtonHeight(m_buttonHeight->value());
    m_target->setButtonWidth(m_buttonWidth->value());
    m_target->setCaptionLines(m_captionLines->value());
    m_target->setMap3DColors(m_map3DColors->isChecked());
    m_target->setEnabled(m_enabled->isChecked());
    m_target->setUseMaskColor(m_useMaskColor->isChecked());
    m_target->setMovable(m_movable->isChecked());
}

} // namespace tamsell
