#include "tamsell/NumericBox.h"

#include "NumericBoxLayout.h"
#include "PropertyRules.h"
#include "orvenly/AutomationError.h"
#include "tamsell/SystemColors.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QValidator>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace tamsell {

using orvenly::AutomationError;
namespace errors = orvenly::errors;

namespace {

const QString Source = QStringLiteral("TamsellLib.NumericBox");

constexpr int32_t MaxStep = 32767;
// Each character of Length or WhiteSpace widens the control so much.
constexpr int PixelsPerCharacter = 6;

[[noreturn]] void fail(int32_t number) {
    throw AutomationError(number, {}, Source);
}

Qt::Alignment alignmentOf(int32_t value) {
    switch (value) {
    case 0:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case 2:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignRight | Qt::AlignVCenter;
    }
}

// Refuses the edits of the field that test false.
class FieldFilter : public QValidator {
public:
    FieldFilter(QObject* parent, std::function<bool(const QString&)> accepts)
        : QValidator(parent), m_accepts(std::move(accepts)) {}
    State validate(QString& input, int&) const override {
        return m_accepts(input) ? Acceptable : Invalid;
    }

private:
    std::function<bool(const QString&)> m_accepts;
};

} // namespace

NumericBox::NumericBox(QWidget* parent)
    : QWidget(parent), m_picInput(new QFrame(this)), m_txtInput(new QLineEdit(m_picInput)),
      m_lblUnitIn(new QLabel(m_picInput)), m_lblUnitOut(new QLabel(this)),
      m_hsbUpDown(new QScrollBar(Qt::Horizontal, this)),
      m_vsbUpDown(new QScrollBar(Qt::Vertical, this)) {
    m_picInput->setObjectName(QStringLiteral("picInput"));
    m_txtInput->setObjectName(QStringLiteral("txtInput"));
    m_lblUnitIn->setObjectName(QStringLiteral("lblUnitIn"));
    m_lblUnitOut->setObjectName(QStringLiteral("lblUnitOut"));
    m_hsbUpDown->setObjectName(QStringLiteral("hsbUpDown"));
    m_vsbUpDown->setObjectName(QStringLiteral("vsbUpDown"));

    m_picInput->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    m_picInput->setAutoFillBackground(true);
    m_txtInput->setFrame(false);
    m_txtInput->setText(QStringLiteral("0"));
    // Not the field's own maximum length, which would cut what the control writes as well.
    m_txtInput->setValidator(
        new FieldFilter(m_txtInput, [this](const QString& text) { return fitsLength(text); }));
    m_txtInput->setAlignment(alignmentOf(m_alignment));
    m_txtInput->installEventFilter(this);
    m_lblUnitIn->hide();
    // The field takes the focus; the arrows hand it on when clicked.
    setFocusProxy(m_txtInput);
    setFocusPolicy(Qt::StrongFocus);
    for (QScrollBar* bar : {m_hsbUpDown, m_vsbUpDown}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setSingleStep(m_smallChange);
        bar->setPageStep(m_largeChange);
        connect(bar, &QScrollBar::valueChanged, this, [this, bar] { arrowMoved(*bar); });
    }
    m_vsbUpDown->hide();
    m_hsbUpDown->setAccessibleName(tr("Value"));
    m_vsbUpDown->setAccessibleName(tr("Value"));
    connect(m_txtInput, &QLineEdit::textChanged, this, &NumericBox::fieldTextChanged);

    rangeChanged();
    applyEnabledColors();
    fontChanged();
    resize(numericbox::twips(3390, logicalDpiX()), numericbox::twips(270, logicalDpiY()));
}

NumericBox::~NumericBox() {
    // The field loses the focus while the base class takes it down, and its filter would ask
    // this box, gone by then, about the text.
    m_txtInput->setValidator(nullptr);
}

void NumericBox::setStyle(NumericBoxStyleConstants Style) {
    requireValid(Style == nbsOut || Style == nbsIn);
    m_style = Style;
    arrangeParts();
}

void NumericBox::setUnitStyle(NumericBoxStyleConstants UnitStyle) {
    requireValid(UnitStyle == nbsOut || UnitStyle == nbsIn);
    m_unitStyle = UnitStyle;
    m_lblUnitIn->setVisible(UnitStyle == nbsIn);
    m_lblUnitOut->setVisible(UnitStyle == nbsOut);
    arrangeParts();
}

void NumericBox::setOrientation(NumericBoxOrientationConstants Orientation) {
    requireValid(Orientation == nboHorizontal || Orientation == nboVertical);
    if (Orientation == m_orientation)
        return;
    m_orientation = Orientation;
    m_hsbUpDown->setVisible(Orientation == nboHorizontal);
    m_vsbUpDown->setVisible(Orientation == nboVertical);
    arrangeParts();
}

QString NumericBox::Unit() const {
    return m_lblUnitIn->text();
}

void NumericBox::setUnit(const QString& Unit) {
    const QString old = m_lblUnitIn->text();
    if (Unit == old)
        return;
    m_lblUnitIn->setText(Unit);
    m_lblUnitOut->setText(Unit);
    widen(fontMetrics().horizontalAdvance(Unit) - fontMetrics().horizontalAdvance(old));
}

void NumericBox::setMax(int16_t Max) {
    if (Max == m_max)
        return;
    m_max = Max;
    rangeChanged();
}

void NumericBox::setMin(int16_t Min) {
    if (Min == m_min)
        return;
    m_min = Min;
    rangeChanged();
}

// The default value and the value follow the range; the arrows take its new span.
void NumericBox::rangeChanged() {
    m_defaultValue = clamped(m_defaultValue);
    const bool moved = outOfRange(m_value);
    if (moved)
        m_value = clamped(m_value);
    const int span = std::abs(int(m_max) - int(m_min));
    m_updating = true;
    m_hsbUpDown->setRange(0, span);
    m_vsbUpDown->setRange(0, span);
    m_updating = false;
    showValue(moved);
    if (moved)
        emit Change();
}

void NumericBox::setValue(int16_t Value) {
    if (Value == m_value)
        return;
    if (outOfRange(Value))
        fail(errors::InvalidArgument);
    m_value = Value;
    showValue(true);
    emit Change();
}

void NumericBox::setDefaultValue(int32_t DefaultValue) {
    if (outOfRange(DefaultValue))
        fail(errors::InvalidArgument);
    m_defaultValue = DefaultValue;
}

void NumericBox::setLargeChange(int32_t LargeChange) {
    requireValid(LargeChange >= 1 && LargeChange <= MaxStep);
    m_largeChange = LargeChange;
    m_hsbUpDown->setPageStep(LargeChange);
    m_vsbUpDown->setPageStep(LargeChange);
}

void NumericBox::setSmallChange(int32_t SmallChange) {
    requireValid(SmallChange >= 1 && SmallChange <= MaxStep);
    m_smallChange = SmallChange;
    m_hsbUpDown->setSingleStep(SmallChange);
    m_vsbUpDown->setSingleStep(SmallChange);
}

void NumericBox::setLength(int32_t Length) {
    requireValid(Length >= 0);
    const int32_t old = m_length;
    if (Length == old)
        return;
    m_length = Length;
    widen((Length - old) * PixelsPerCharacter);
}

bool NumericBox::fitsLength(const QString& text) const {
    return m_writing || m_length == 0 ||
           text.size() <= std::max<qsizetype>(m_length, m_fieldLength);
}

void NumericBox::writeField(const QString& text) {
    QScopedValueRollback<bool> writing(m_writing, true);
    m_txtInput->setText(text);
}

void NumericBox::setWhiteSpace(int32_t WhiteSpace) {
    requireValid(WhiteSpace >= 0);
    if (WhiteSpace == m_whiteSpace)
        return;
    const int32_t old = m_whiteSpace;
    m_whiteSpace = WhiteSpace;
    widen((WhiteSpace - old) * PixelsPerCharacter);
}

void NumericBox::setAlignment(int32_t Alignment) {
    requireValid(Alignment >= 0 && Alignment <= 2);
    m_alignment = Alignment;
    m_txtInput->setAlignment(alignmentOf(Alignment));
}

bool NumericBox::outOfRange(int32_t value) const {
    return reversed() ? value > m_min || value < m_max : value < m_min || value > m_max;
}

int16_t NumericBox::clamped(int32_t value) const {
    if (reversed())
        return int16_t(value < m_max ? m_max : value > m_min ? m_min : value);
    return int16_t(value > m_max ? m_max : value < m_min ? m_min : value);
}

void NumericBox::takeValue(int16_t value) {
    if (value == m_value) {
        showValue(false);
        return;
    }
    m_value = value;
    showValue(false);
    emit Change();
}

// The horizontal arrows count from Min, the vertical ones from Max: right and up move toward
// Max whichever way round the range is given.
void NumericBox::showValue(bool field) {
    m_updating = true;
    m_hsbUpDown->setValue(std::abs(int(m_value) - int(m_min)));
    m_vsbUpDown->setValue(std::abs(int(m_max) - int(m_value)));
    if (field)
        writeField(QString::number(m_value));
    m_updating = false;
}

void NumericBox::widen(int pixels) {
    if (pixels != 0)
        resize(std::max(0, width() + pixels), height());
    arrangeParts();
}

QSize NumericBox::sizeHint() const {
    return minimumSizeHint();
}

QSize NumericBox::minimumSizeHint() const {
    const int spinWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int frame = m_picInput->frameWidth();
    const int height =
        std::max(numericbox::twips(270, logicalDpiY()), fontMetrics().height() + 2 * frame);
    const int arrows = m_orientation == nboHorizontal ? 2 * spinWidth : spinWidth;
    return {numericbox::naturalWidth(layoutInput(), arrows), height};
}

void NumericBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrangeParts();
}

numericbox::LayoutInput NumericBox::layoutInput() const {
    numericbox::LayoutInput in;
    in.inner = size();
    in.frame = m_picInput->frameWidth();
    in.fieldHeight = fontMetrics().height();
    in.length = Length();
    in.whiteSpace = m_whiteSpace;
    in.digitWidth = fontMetrics().horizontalAdvance(QLatin1Char('5'));
    in.unitWidth = fontMetrics().horizontalAdvance(Unit());
    in.unitEmpty = Unit().isEmpty();
    in.style = m_style;
    in.unitStyle = m_unitStyle;
    in.dpi = logicalDpiX();
    return in;
}

void NumericBox::arrangeParts() {
    const numericbox::Layout layout = numericbox::arrange(layoutInput());
    m_picInput->setGeometry(layout.frame);
    m_txtInput->setGeometry(layout.field);
    m_lblUnitIn->setGeometry(layout.unitIn);
    m_lblUnitOut->setGeometry(layout.unitOut);
    QScrollBar* spin = m_orientation == nboVertical ? m_vsbUpDown : m_hsbUpDown;
    spin->setGeometry(layout.spin);
    // Inside the frame the arrows lie over it.
    spin->raise();
}

// No lower than 270 twips, nor than the text line in its frame.
void NumericBox::fontChanged() {
    setMinimumHeight(minimumSizeHint().height());
    arrangeParts();
}

void NumericBox::applyEnabledColors() {
    // Resolved through the control's own palette, which the parts' colours never touch.
    const QColor color =
        resolveColor(isEnabled() ? syscolor::Window : syscolor::ButtonFace, palette());
    for (QWidget* part : {static_cast<QWidget*>(m_picInput), static_cast<QWidget*>(m_txtInput)}) {
        QPalette colors = part->palette();
        colors.setColor(QPalette::Window, color);
        colors.setColor(QPalette::Base, color);
        part->setPalette(colors);
    }
}

void NumericBox::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applyEnabledColors();
    else if (event->type() == QEvent::FontChange)
        fontChanged();
}

} // namespace tamsell
