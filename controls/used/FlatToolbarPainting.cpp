#include "Edges.h"
#include "tamsell/FlatToolbar.h"
#include "tamsell/SystemColors.h"

#include <QPainter>

namespace tamsell {

namespace {

constexpr int GripperBar = 3;
constexpr int ImageInset = 4;
// The arrow part of an independent drop-down button.
constexpr int ArrowPart = 9;
// Blue, the colour of an arrow under the pointer.
const QColor ActiveArrow(0, 0, 255);

bool isChecked(const ButtonObject& button) {
    return (button.Style() == FTBS_CHECK || button.Style() == FTBS_RADIO) &&
           button.Value() == FTBV_PRESSED;
}

// How one state of a button looks.
struct Look {
    int row = 1;
    int offset = 0;
    enum { None, Raised, Sunken } frame = None;
    bool highlightFill = false;
};

Look lookOf(int state, bool checked) {
    switch (state) {
    case 0:
    case 1:
        if (checked)
            return {state, 1, Look::Sunken, true};
        return {state, 0, Look::None, false};
    case 2:
        return checked ? Look{2, 1, Look::Sunken, false} : Look{2, 0, Look::None, false};
    case 4:
        return {0, checked ? 2 : 1, Look::Sunken, false};
    default: // hot, or the arrow part pressed
        return checked ? Look{0, 1, Look::Sunken, false} : Look{0, 0, Look::Raised, false};
    }
}

void drawArrowOfRow(QPainter& painter, int x, int y, int row, const Scheme& scheme) {
    if (row == 2)
        drawEmbossedArrow(painter, x, y, scheme);
    else
        drawArrow(painter, x, y, row == 0 ? ActiveArrow : scheme.text);
}

} // namespace

void FlatToolbar::drawSurface() {
    const Scheme scheme = Scheme::of(palette());
    m_lastState = -1;
    m_surface = QImage();
    if (m_size.isEmpty())
        return;
    m_surface = QImage(m_size, QImage::Format_RGB32);
    m_surface.fill(scheme.face);
    QPainter painter(&m_surface);
    const int border = m_borderStyle == FTB_FIXEDSINGLE ? 1 : 0;
    if (m_movable)
        drawGripper(painter, border, 9);
    for (const auto& button : m_buttons)
        if (button->hasContent())
            drawButton(painter, *button, resolved(*button, PaintState::Automatic));
    for (const auto& button : m_buttons)
        if (!button->hasContent())
            drawSeparator(painter, *button);
    if (border)
        drawBorder(painter);
}

void FlatToolbar::drawGripper(QPainter& painter, int border, int gripper) const {
    const Scheme scheme = Scheme::of(palette());
    const int at = border + gripper;
    if (m_style == FTS_VERTICAL) {
        for (int y : {at - 6, at - 3})
            drawEdge(painter, QRect(border + 1, y, m_columnWidth - 2, GripperBar),
                     Edge::RaisedInner, scheme);
        return;
    }
    const int length = (m_style == FTS_RECT ? m_size.height() - 2 * border : m_buttonHeight) - 2;
    for (int x : {at - 6, at - 3})
        drawEdge(painter, QRect(x, border + 1, GripperBar, length), Edge::RaisedInner, scheme);
}

void FlatToolbar::drawSeparator(QPainter& painter, const ButtonObject& button) const {
    const Scheme scheme = Scheme::of(palette());
    const FlatToolbarButtonStyleConstants style = button.Style();
    if (style == FTBS_PLACEHOLDER)
        return;
    if (m_style == FTS_HORIZONTAL || (m_style == FTS_RECT && style == FTBS_SEPARATOR))
        drawEtchedColumn(painter, button.Left() + 1, button.Top(), m_buttonHeight - 1, scheme);
    else if (m_style == FTS_VERTICAL)
        drawEtchedRow(painter, button.Left(), button.Top() + 1, m_columnWidth - 1, scheme);
    else
        drawEtchedRow(painter, button.Left() + 1, button.Top() + 1, m_widestRow - 1, scheme);
}

void FlatToolbar::drawBorder(QPainter& painter) const {
    const Scheme scheme = Scheme::of(palette());
    const QRect box(QPoint(0, 0), m_size);
    painter.fillRect(QRect(0, 0, box.width(), 1), scheme.highlight);
    painter.fillRect(QRect(0, 0, 1, box.height()), scheme.highlight);
    painter.fillRect(QRect(0, box.bottom(), box.width(), 1), scheme.shadow);
    painter.fillRect(QRect(box.right(), 0, 1, box.height()), scheme.shadow);
}

FlatToolbar::PaintState FlatToolbar::resolved(const ButtonObject& button, PaintState state) const {
    if (state != PaintState::Automatic)
        return state;
    if (!button.Enabled())
        return PaintState::Disabled;
    if (m_current.get() == &button && isInside(button, m_pointer))
        return PaintState::Hot;
    return PaintState::Normal;
}

void FlatToolbar::paintButton(ButtonObject& button, PaintState state) {
    if (!m_redraw || m_surface.isNull() || button.toolbar() != this)
        return;
    state = resolved(button, state);
    if (m_current.get() == &button) {
        if (int(state) == m_lastState)
            return;
        m_lastState = int(state);
    }
    QPainter painter(&m_surface);
    drawButton(painter, button, state);
    update(QRect(button.Left(), button.Top(), button.Width(), m_buttonHeight));
}

void FlatToolbar::drawButton(QPainter& painter, const ButtonObject& button,
                             PaintState state) const {
    if (!button.Visible())
        return;
    const Scheme scheme = Scheme::of(palette());
    const int left = button.Left();
    const int top = button.Top();
    const bool independent = button.ExStyle() == FTBS_EX_INDEPENDENTDROPDOWN;
    painter.fillRect(QRect(left, top, button.Width(), m_buttonHeight), scheme.face);

    const int number = int(state);
    const Look look = lookOf(number, isChecked(button));
    if (look.highlightFill)
        painter.fillRect(QRect(QPoint(left + 2, top + 2),
                               QPoint(left + button.ButtonWidth() - 3, top + m_buttonHeight - 3)),
                         scheme.highlight);
    const QRect frame(left + 1, top + 1, button.Width() - (independent ? 11 : 2),
                      button.Height() - 2);
    if (look.frame != Look::None)
        drawEdge(painter, frame, look.frame == Look::Raised ? Edge::RaisedInner : Edge::SunkenOuter,
                 scheme);
    drawImage(painter, button, look.row, look.offset, look.highlightFill);

    if (button.ExStyle() == FTBS_EX_INHERENTDROPDOWN)
        drawArrowOfRow(painter, left + button.Width() + look.offset - 6,
                       top + button.Height() / 2 + look.offset, look.row, scheme);
    if (independent) {
        const int arrowRow = number == 1 ? 1 : number == 2 ? 2 : 0;
        drawArrowOfRow(painter, left + button.Width() - 6, top + button.Height() / 2, arrowRow,
                       scheme);
        const QRect part(left + button.Width() - 10, top + 1, ArrowPart, button.Height() - 2);
        if (state == PaintState::Hot || state == PaintState::Pressed)
            drawEdge(painter, part, Edge::RaisedInner, scheme);
        else if (state == PaintState::ArrowPressed)
            drawEdge(painter, part, Edge::SunkenOuter, scheme);
    }
}

void FlatToolbar::drawImage(QPainter& painter, const ButtonObject& button, int row, int offset,
                            bool onHighlight) const {
    if (button.Image() <= 0 || m_picture.isNull())
        return;
    const int columns = m_picture.width() / m_imageWidth;
    if (button.Image() > columns || (row + 1) * m_imageHeight > m_picture.height())
        return;
    QImage cell = m_picture.copy((button.Image() - 1) * m_imageWidth, row * m_imageHeight,
                                 m_imageWidth, m_imageHeight);
    const Scheme scheme = Scheme::of(palette());
    const QRgb background = (onHighlight ? scheme.highlight : scheme.face).rgb();
    const QRgb mask = fromColorValue(m_maskColor).rgb() & RGB_MASK;
    for (int y = 0; y < cell.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(cell.scanLine(y));
        for (int x = 0; x < cell.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                continue;
            const QRgb rgb = line[x] & RGB_MASK;
            if (m_useMaskColor && rgb == mask)
                line[x] = background;
            else if (m_map3DColors && rgb == 0x808080)
                line[x] = scheme.shadow.rgb();
            else if (m_map3DColors && rgb == 0xC0C0C0)
                line[x] = scheme.face.rgb();
            else if (m_map3DColors && rgb == 0xDFDFDF)
                line[x] = scheme.light.rgb();
        }
    }
    painter.save();
    painter.setClipRect(QRect(button.Left(), button.Top(), button.Width(), m_buttonHeight));
    painter.drawImage(button.Left() + ImageInset + offset, button.Top() + ImageInset + offset,
                      cell);
    painter.restore();
}

} // namespace tamsell
