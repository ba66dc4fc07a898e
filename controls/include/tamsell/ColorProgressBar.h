#pragma once

#include "tamsell/ColorProgressBarConstants.h"
#include "tamsell/ProgressRange.h"

#include <QWidget>
#include <cstdint>

class QEventLoop;
class QPainter;

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

// A bar of pixel columns filled from Min to Value out of Min..Max with a gradient from MinColor
// at the left to MaxColor at the right. The unfilled part shows the gradient darkened
// (HalfTransparent) or BackColor. With Animate, a change first marks the columns it takes in
// PlusColor (growing) or MinusColor (shrinking) and then redraws them one by one, raising
// Scrolling and waiting Wait milliseconds after each while events keep running. Visible,
// Enabled, Name (objectName) and Parent are the widget's own.
//
// Colours are 0x00BBGGRR or system colours; a value that names no colour raises 380, as do
// enumeration values outside their range and a negative Wait.
class ColorProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit ColorProgressBar(QWidget* parent = nullptr);
    ~ColorProgressBar() override;

    // Max, Min and Value keep the rules of ProgressRange.
    int32_t Max() const { return m_range.max; }
    void setMax(int32_t Max);
    int32_t Min() const { return m_range.min; }
    void setMin(int32_t Min);
    // Clamped into Min..Max. Ignored while an animation runs; otherwise returns when the new
    // columns are drawn, with Value set and Change raised.
    int32_t Value() const { return m_range.value; }
    void setValue(int32_t Value);

    bool Animate() const { return m_animate; }
    void setAnimate(bool Animate);
    // Milliseconds between the columns of an animation.
    int32_t Wait() const { return m_wait; }
    void setWait(int32_t Wait);
    // True while an animation runs.
    bool Animating() const { return m_animating; }

    // With BorderStyle cpbFixedSingle: a two-pixel sunken frame (cpa3D) or a one-pixel line.
    ColorProgressBarAppearanceConstanrs Appearance() const { return m_appearance; }
    void setAppearance(ColorProgressBarAppearanceConstanrs Appearance);
    ColorProgressBarBorderStyleConstanrs BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(ColorProgressBarBorderStyleConstanrs BorderStyle);
    bool HalfTransparent() const { return m_halfTransparent; }
    void setHalfTransparent(bool HalfTransparent);
    // A change swaps the control's width and height; the gradient always runs across.
    ColorProgressBarOrientationConstants Orientation() const { return m_orientation; }
    void setOrientation(ColorProgressBarOrientationConstants Orientation);

    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t BackColor);
    uint32_t MinColor() const { return m_minColor; }
    void setMinColor(uint32_t MinColor);
    uint32_t MaxColor() const { return m_maxColor; }
    void setMaxColor(uint32_t MaxColor);
    uint32_t PlusColor() const { return m_plusColor; }
    void setPlusColor(uint32_t PlusColor);
    uint32_t MinusColor() const { return m_minusColor; }
    void setMinusColor(uint32_t MinusColor);

    // Redraws every column.
    void Refresh();
    // Tells the control's version in a message box.
    void AboutBox();

    // Stores the design-time properties under their names; values equal to their defaults are
    // left out.
    void WriteProperties(orvenly::PropertyBag& PropBag) const;
    // Restores what WriteProperties stored, each value through its rules; entries that cannot
    // be applied are skipped. The value is set without animation.
    void ReadProperties(const orvenly::PropertyBag& PropBag);

    QSize sizeHint() const override;

signals:
    // Button: 1 left, 2 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt. x, y in pixels.
    void MouseDown(int Button, int Shift, float x, float y);
    void MouseMove(int Button, int Shift, float x, float y);
    void MouseUp(int Button, int Shift, float x, float y);
    void Click();
    void DblClick();
    // KeyCode is the host's key number (Qt::Key); KeyAscii the character typed.
    void KeyDown(int KeyCode, int Shift);
    void KeyPress(int KeyAscii);
    void KeyUp(int KeyCode, int Shift);
    // A column of an animation has been drawn.
    void Scrolling();
    // Value has been set.
    void Change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void setColor(uint32_t& member, uint32_t value);

    int frameWidth() const;
    QRect inner() const;
    // The last filled column for a value; -1 when none.
    int lastColumn(int32_t value) const;
    QColor colorOf(int column) const;
    QColor gradientAt(int column) const;
    QColor emptyAt(int column) const;
    void drawFrame(QPainter& painter) const;
    void updateColumn(int column);

    // Returns false when the control was destroyed meanwhile.
    bool animate(int from, int to);
    bool pause();

    ProgressRange m_range;
    bool m_animate = true;
    int32_t m_wait = 0;
    ColorProgressBarAppearanceConstanrs m_appearance = cpa3D;
    ColorProgressBarBorderStyleConstanrs m_borderStyle = cpbFixedSingle;
    bool m_halfTransparent = true;
    ColorProgressBarOrientationConstants m_orientation = cpoHorizontal;
    uint32_t m_backColor = 0x000000;
    uint32_t m_maxColor = 0x00FF00;
    uint32_t m_minColor = 0x00FFFF;
    uint32_t m_plusColor = 0xFF0000;
    uint32_t m_minusColor = 0x0000FF;

    // A running animation: the columns after from up to to, of which done are drawn.
    bool m_animating = false;
    int m_from = 0;
    int m_to = 0;
    int m_done = 0;
    // The wait of a running animation, ended early when the control goes away.
    QEventLoop* m_pause = nullptr;
    // A double click's release makes no Click.
    bool m_doubleClicked = false;
};

} // namespace tamsell
