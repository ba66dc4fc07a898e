#pragma once

#include "orvenly/Variant.h"
#include "tamsell/ButtonObjects.h"
#include "tamsell/FlatToolbarConstants.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace orvenly {
class PropertyBag;
}

class QPainter;

namespace tamsell {

// A row, column or rows of flat image buttons that raise a thin frame under the pointer and
// sink while pressed. The toolbar sizes itself to its buttons, draws an optional gripper and
// border, and takes all its images from one strip of ImageWidth x ImageHeight cells in three
// rows: active, normal and disabled. Coordinates are pixels of the control.
//
// Setting a property to an invalid value raises 380 and keeps the old value. Changes relay
// the toolbar out and repaint it unless Redraw is False.
class FlatToolbar : public QWidget {
    Q_OBJECT

public:
    explicit FlatToolbar(QWidget* parent = nullptr);
    ~FlatToolbar() override;

    FlatToolbarStyleConstants Style() const { return m_style; }
    void setStyle(FlatToolbarStyleConstants Style);

    // Shows the 9-pixel gripper before the buttons.
    bool Movable() const { return m_movable; }
    void setMovable(bool Movable);

    FlatToolbarBorderStyleConstants BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(FlatToolbarBorderStyleConstants BorderStyle);

    // 0x00BBGGRR or a system colour, kept as the fixed colour it stands for now. Pixels of this
    // colour show the button's background when UseMaskColor is True.
    uint32_t MaskColor() const { return m_maskColor; }
    void setMaskColor(uint32_t MaskColor);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool UseMaskColor);
    // Maps the strip's grey 0x808080, 0xC0C0C0 and 0xDFDFDF to the scheme's 3-D colours.
    bool Map3DColors() const { return m_map3DColors; }
    void setMap3DColors(bool Map3DColors);

    // At least 16; a change sets ButtonWidth (ButtonHeight) to the new size + 8.
    int32_t ImageWidth() const { return m_imageWidth; }
    void setImageWidth(int32_t ImageWidth);
    int32_t ImageHeight() const { return m_imageHeight; }
    void setImageHeight(int32_t ImageHeight);
    // At least 24.
    int32_t ButtonWidth() const { return m_buttonWidth; }
    void setButtonWidth(int32_t ButtonWidth);
    int32_t ButtonHeight() const { return m_buttonHeight; }
    void setButtonHeight(int32_t ButtonHeight);
    // Kept and persisted; captions are not drawn.
    int32_t CaptionLines() const { return m_captionLines; }
    void setCaptionLines(int32_t CaptionLines);

    // The image strip; a null image for none.
    QImage ButtonPicture() const { return m_picture; }
    void setButtonPicture(const QImage& ButtonPicture);

    // While False nothing is relaid out or repainted; setting True refreshes.
    bool Redraw() const { return m_redraw; }
    void setRedraw(bool Redraw);

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    ButtonObjects& Buttons() { return m_buttons; }
    const ButtonObjects& Buttons() const { return m_buttons; }

    // Lays the buttons out, resizes the control to them and repaints it.
    void Refresh();
    // The first enabled, visible button with content that contains the point, or none.
    std::shared_ptr<ButtonObject> HitTest(int x, int y) const;

    // Stores the design-time properties and the buttons under their property names; values
    // equal to their defaults are left out.
    void WriteProperties(orvenly::PropertyBag& PropBag) const;
    // Restores what WriteProperties stored, or what the two earlier layouts of the buttons
    // stored. Errors reach the caller; the toolbar is redrawn in any case.
    void ReadProperties(const orvenly::PropertyBag& PropBag);

    QSize sizeHint() const override;

signals:
    // A command button released over itself, a check button toggled, a radio button selected,
    // or a Value set by the program.
    void Click(tamsell::ButtonObject* Button);
    // The left button went down on a drop-down button or on an independent arrow part.
    void DropDown(tamsell::ButtonObject* Button);
    // A double click away from the buttons.
    void DblClick();
    // The pointer started or stopped tracking a button.
    void MouseEnter(tamsell::ButtonObject* Button);
    void MouseLeave(tamsell::ButtonObject* Button);
    // The left button went down where there is no button to press.
    void Drag(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class ButtonObject;
    friend class ButtonObjects;

    // How a button is painted.
    enum class PaintState {
        PressedOutside = 0,
        Normal = 1,
        Disabled = 2,
        Hot = 3,
        Pressed = 4,
        ArrowPressed = 5,
        Automatic = 6,
    };

    void readButton(const orvenly::PropertyBag& PropBag, const QString& prefix);

    void layOut();
    void layOutHorizontal(int border, int gripper);
    void layOutVertical(int border, int gripper);
    void layOutRect(int border, int gripper);
    int32_t naturalWidth(const ButtonObject& button) const;

    void drawSurface();
    void drawGripper(QPainter& painter, int border, int gripper) const;
    void drawSeparator(QPainter& painter, const ButtonObject& button) const;
    void drawBorder(QPainter& painter) const;
    PaintState resolved(const ButtonObject& button, PaintState state) const;
    void paintButton(ButtonObject& button, PaintState state);
    void drawButton(QPainter& painter, const ButtonObject& button, PaintState state) const;
    void drawImage(QPainter& painter, const ButtonObject& button, int row, int offset,
                   bool onHighlight) const;

    bool isInside(const ButtonObject& button, const QPoint& point) const;
    void pressAt(const QPoint& point);
    void dropDown(const std::shared_ptr<ButtonObject>& button);
    void setCurrent(std::shared_ptr<ButtonObject> button);
    void startTracking();
    void stopTracking();
    void forgetButton(const ButtonObject& button);

    FlatToolbarStyleConstants m_style = FTS_HORIZONTAL;
    bool m_movable = true;
    FlatToolbarBorderStyleConstants m_borderStyle = FTB_FIXEDSINGLE;
    uint32_t m_maskColor = 0x808000;
    bool m_useMaskColor = false;
    bool m_map3DColors = true;
    int32_t m_imageWidth = 16;
    int32_t m_imageHeight = 16;
    int32_t m_buttonWidth = 24;
    int32_t m_buttonHeight = 24;
    int32_t m_captionLines = 1;
    QImage m_picture;
    bool m_redraw = true;
    orvenly::Variant m_tag;
    ButtonObjects m_buttons;

    // What was last laid out and drawn.
    QSize m_size;
    int32_t m_columnWidth = 0;
    int32_t m_widestRow = 0;
    QImage m_surface;

    // Pointer tracking.
    std::shared_ptr<ButtonObject> m_current;
    int m_lastState = -1;
    bool m_tracking = false;
    QString m_savedToolTip;
    bool m_dragging = false;
    QPoint m_pointer;
};

} // namespace tamsell
