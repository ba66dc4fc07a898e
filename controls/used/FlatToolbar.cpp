#include "tamsell/FlatToolbar.h"

#include "PropertyRules.h"
#include "tamsell/SystemColors.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace tamsell {

namespace {

constexpr int32_t MinimumImageSize = 16;
constexpr int32_t MinimumButtonSize = 24;
// Room that a button leaves around its image.
constexpr int32_t ImageMargin = 8;

} // namespace

FlatToolbar::FlatToolbar(QWidget* parent) : QWidget(parent), m_buttons(*this) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Refresh();
}

FlatToolbar::~FlatToolbar() = default;

void FlatToolbar::setStyle(FlatToolbarStyleConstants Style) {
    requireValid(Style >= FTS_HORIZONTAL && Style <= FTS_VERTICAL);
    if (Style == m_style)
        return;
    m_style = Style;
    Refresh();
}

void FlatToolbar::setMovable(bool Movable) {
    if (Movable == m_movable)
        return;
    m_movable = Movable;
    Refresh();
}

void FlatToolbar::setBorderStyle(FlatToolbarBorderStyleConstants BorderStyle) {
    requireValid(BorderStyle >= FTB_NONE && BorderStyle <= FTB_FIXEDSINGLE);
    if (BorderStyle == m_borderStyle)
        return;
    m_borderStyle = BorderStyle;
    Refresh();
}

void FlatToolbar::setMaskColor(uint32_t MaskColor) {
    const uint32_t fixed = translateColor(MaskColor, palette());
    if (fixed == m_maskColor)
        return;
    m_maskColor = fixed;
    if (m_useMaskColor)
        Refresh();
}

void FlatToolbar::setUseMaskColor(bool UseMaskColor) {
    if (UseMaskColor == m_useMaskColor)
        return;
    m_useMaskColor = UseMaskColor;
    Refresh();
}

void FlatToolbar::setMap3DColors(bool Map3DColors) {
    if (Map3DColors == m_map3DColors)
        return;
    m_map3DColors = Map3DColors;
    Refresh();
}

void FlatToolbar::setImageWidth(int32_t ImageWidth) {
    requireValid(ImageWidth >= 0);
    ImageWidth = std::max(ImageWidth, MinimumImageSize);
    if (ImageWidth == m_imageWidth)
        return;
    m_imageWidth = ImageWidth;
    m_buttonWidth = ImageWidth + ImageMargin;
    Refresh();
}

void FlatToolbar::setImageHeight(int32_t ImageHeight) {
    requireValid(ImageHeight >= 0);
    ImageHeight = std::max(ImageHeight, MinimumImageSize);
    if (ImageHeight == m_imageHeight)
        return;
    m_imageHeight = ImageHeight;
    m_buttonHeight = ImageHeight + ImageMargin;
    Refresh();
}

void FlatToolbar::setButtonWidth(int32_t ButtonWidth) {
    requireValid(ButtonWidth >= 0);
    ButtonWidth = std::max(ButtonWidth, MinimumButtonSize);
    if (ButtonWidth == m_buttonWidth)
        return;
    m_buttonWidth = ButtonWidth;
    Refresh();
}

void FlatToolbar::setButtonHeight(int32_t ButtonHeight) {
    requireValid(ButtonHeight >= 0);
    ButtonHeight = std::max(ButtonHeight, MinimumButtonSize);
    if (ButtonHeight == m_buttonHeight)
        return;
    m_buttonHeight = ButtonHeight;
    Refresh();
}

void FlatToolbar::setCaptionLines(int32_t CaptionLines) {
    requireValid(CaptionLines >= 0);
    if (CaptionLines == m_captionLines)
        return;
    m_captionLines = CaptionLines;
    Refresh();
}

void FlatToolbar::setButtonPicture(const QImage& ButtonPicture) {
    m_picture = ButtonPicture.isNull()
                    ? QImage()
                    : ButtonPicture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Refresh();
}

void FlatToolbar::setRedraw(bool Redraw) {
    m_redraw = Redraw;
    if (Redraw)
        Refresh();
}

void FlatToolbar::Refresh() {
    if (!m_redraw)
        return;
    layOut();
    setFixedSize(m_size);
    drawSurface();
    update();
}

QSize FlatToolbar::sizeHint() const {
    return m_size;
}

void FlatToolbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.drawImage(0, 0, m_surface);
}

void FlatToolbar::changeEvent(QEvent* event) {
    // The 3-D colours follow the scheme.
    if (event->type() == QEvent::PaletteChange)
        Refresh();
    QWidget::changeEvent(event);
}

} // namespace tamsell
