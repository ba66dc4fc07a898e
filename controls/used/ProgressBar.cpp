#include "tamsell/ProgressBar.h"

#include "PropertyRules.h"

#include <QEvent>

namespace tamsell {

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

ProgressBar::~ProgressBar() = default;

void ProgressBar::changed(const QString& name) {
    update();
    emit PropertyChanged(name);
}

void ProgressBar::setMax(int32_t Max) {
    if (m_range.setMax(Max))
        changed(QStringLiteral("Max"));
}

void ProgressBar::setMin(int32_t Min) {
    if (m_range.setMin(Min))
        changed(QStringLiteral("Min"));
}

void ProgressBar::setValue(int32_t Value) {
    Value = m_range.clamped(Value);
    if (Value == m_range.value)
        return;
    m_range.value = Value;
    changed(QStringLiteral("Value"));
}

void ProgressBar::setStepValue(int32_t StepValue) {
    if (StepValue == m_stepValue)
        return;
    // Nothing shows it.
    m_stepValue = StepValue;
    emit PropertyChanged(QStringLiteral("StepValue"));
}

int32_t ProgressBar::Step() {
    const int32_t before = m_range.value;
    if (m_stepValue == 0)
        return before;
    int64_t next = int64_t(before) + m_stepValue;
    if (m_stepValue > 0 && next > m_range.max)
        next = m_range.min;
    else if (m_stepValue < 0 && next < m_range.min)
        next = m_range.max;
    setValue(int32_t(next));
    return before;
}

void ProgressBar::setBorderStyle(ProgressBarBorderStyleConstants BorderStyle) {
    requireValid(BorderStyle >= pbrNone && BorderStyle <= pbrLightSingle);
    if (BorderStyle == m_borderStyle)
        return;
    m_borderStyle = BorderStyle;
    // The light frame is filled with button face and wants the bar's ground to match.
    setBackColor(BorderStyle == pbrLightSingle ? syscolor::ButtonFace : syscolor::Window);
    changed(QStringLiteral("BorderStyle"));
}

void ProgressBar::setOrientation(ProgressBarOrientationConstants Orientation) {
    requireValid(Orientation >= pbrHorizontal && Orientation <= pbrVertical);
    if (Orientation == m_orientation)
        return;
    m_orientation = Orientation;
    resize(height(), width());
    changed(QStringLiteral("Orientation"));
}

void ProgressBar::setBackColor(uint32_t BackColor) {
    requireValid(isValidColor(BackColor));
    if (BackColor == m_backColor)
        return;
    m_backColor = BackColor;
    changed(QStringLiteral("BackColor"));
}

void ProgressBar::setBarColor(uint32_t BarColor) {
    requireValid(isValidColor(BarColor));
    if (BarColor == m_barColor)
        return;
    m_barColor = BarColor;
    changed(QStringLiteral("BarColor"));
}

void ProgressBar::setNotation(ProgressBarNotationConstanrts Notation) {
    requireValid(Notation >= pbrParcentage && Notation <= pbrHide);
    if (Notation == m_notation)
        return;
    m_notation = Notation;
    changed(QStringLiteral("Notation"));
}

void ProgressBar::setFormatString(const QString& FormatString) {
    if (FormatString == m_formatString)
        return;
    m_formatString = FormatString;
    changed(QStringLiteral("FormatString"));
}

void ProgressBar::setCaptionAlign(ProgressBarCaptionAlignConstants CaptionAlign) {
    requireValid(CaptionAlign >= pbrLeftBottom && CaptionAlign <= pbrRightTop);
    if (CaptionAlign == m_captionAlign)
        return;
    m_captionAlign = CaptionAlign;
    changed(QStringLiteral("CaptionAlign"));
}

void ProgressBar::Refresh() {
    repaint();
}

QSize ProgressBar::sizeHint() const {
    const QSize across(150, fontMetrics().height() + 8);
    return m_orientation == pbrHorizontal ? across : across.transposed();
}

void ProgressBar::changeEvent(QEvent* event) {
    // The caption follows the font; system colours follow the scheme.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(event);
}

} // namespace tamsell
