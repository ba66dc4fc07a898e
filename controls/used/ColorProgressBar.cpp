#include "tamsell/ColorProgressBar.h"

#include "PropertyRules.h"
#include "orvenly/Modal.h"
#include "tamsell/SystemColors.h"
#include "tamsell/Tamsell.h"

#include <QEvent>
#include <QEventLoop>

namespace tamsell {

ColorProgressBar::ColorProgressBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

ColorProgressBar::~ColorProgressBar() {
    // A running animation stops waiting at once and finds the control gone.
    if (m_pause)
        m_pause->quit();
}

void ColorProgressBar::setMax(int32_t Max) {
    if (m_range.setMax(Max))
        update();
}

void ColorProgressBar::setMin(int32_t Min) {
    if (m_range.setMin(Min))
        update();
}

void ColorProgressBar::setAnimate(bool Animate) {
    m_animate = Animate;
}

void ColorProgressBar::setWait(int32_t Wait) {
    requireValid(Wait >= 0);
    m_wait = Wait;
}

void ColorProgressBar::setAppearance(ColorProgressBarAppearanceConstanrs Appearance) {
    requireValid(Appearance >= cpaFlat && Appearance <= cpa3D);
    if (Appearance == m_appearance)
        return;
    m_appearance = Appearance;
    update();
}

void ColorProgressBar::setBorderStyle(ColorProgressBarBorderStyleConstanrs BorderStyle) {
    requireValid(BorderStyle >= cpbNone && BorderStyle <= cpbFixedSingle);
    if (BorderStyle == m_borderStyle)
        return;
    m_borderStyle = BorderStyle;
    update();
}

void ColorProgressBar::setHalfTransparent(bool HalfTransparent) {
    if (HalfTransparent == m_halfTransparent)
        return;
    m_halfTransparent = HalfTransparent;
    update();
}

void ColorProgressBar::setOrientation(ColorProgressBarOrientationConstants Orientation) {
    requireValid(Orientation >= cpoHorizontal && Orientation <= cpoVertical);
    if (Orientation == m_orientation)
        return;
    m_orientation = Orientation;
    if (width() != height())
        resize(height(), width());
}

void ColorProgressBar::setColor(uint32_t& member, uint32_t value) {
    requireValid(isValidColor(value));
    if (value == member)
        return;
    member = value;
    update();
}

void ColorProgressBar::setBackColor(uint32_t BackColor) {
    setColor(m_backColor, BackColor);
}

void ColorProgressBar::setMinColor(uint32_t MinColor) {
    setColor(m_minColor, MinColor);
}

void ColorProgressBar::setMaxColor(uint32_t MaxColor) {
    setColor(m_maxColor, MaxColor);
}

void ColorProgressBar::setPlusColor(uint32_t PlusColor) {
    setColor(m_plusColor, PlusColor);
}

void ColorProgressBar::setMinusColor(uint32_t MinusColor) {
    setColor(m_minusColor, MinusColor);
}

void ColorProgressBar::Refresh() {
    repaint();
}

void ColorProgressBar::AboutBox() {
    orvenly::MsgBox(
        this, QStringLiteral("ColorProgressBar コントロール バージョン %1").arg(libraryVersion()),
        orvenly::msgbox::Information, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

QSize ColorProgressBar::sizeHint() const {
    const QSize across(150, 16);
    return m_orientation == cpoHorizontal ? across : across.transposed();
}

void ColorProgressBar::changeEvent(QEvent* event) {
    // System colours follow the scheme.
    if (event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace tamsell
