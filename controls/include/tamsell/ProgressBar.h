#pragma once

#include "orvenly/Variant.h"
#include "tamsell/ProgressBarConstants.h"
#include "tamsell/ProgressRange.h"
#include "tamsell/SystemColors.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

// A flat bar that fills from Min to Value out of Min..Max, with a caption that shows the
// progress as a percentage, the value, a ratio or a fixed text. Where the caption lies on the
// filled part it shows inverted. Visible, Enabled and Font are the widget's own.
//
// Min < Max and Min <= Value <= Max hold after every assignment. Values outside the range are
// clamped; enumeration values outside their range and colours that name nothing raise 380.
// Assignments schedule a repaint and return at once; Refresh paints before it returns.
class ProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit ProgressBar(QWidget* parent = nullptr);
    ~ProgressBar() override;

    orvenly::Variant Tag() const { return m_tag; }
    void setTag(const orvenly::Variant& Tag) { m_tag = Tag; }

    // Max, Min and Value keep the rules of ProgressRange.
    int32_t Max() const { return m_range.max; }
    void setMax(int32_t Max);
    int32_t Min() const { return m_range.min; }
    void setMin(int32_t Min);
    int32_t Value() const { return m_range.value; }
    void setValue(int32_t Value);

    // Added to Value by Step.
    int32_t StepValue() const { return m_stepValue; }
    void setStepValue(int32_t StepValue);
    // Advances Value by StepValue, wrapping to Min past Max (to Max below Min for a negative
    // step), and returns the value before the step.
    int32_t Step();

    // A change also sets BackColor: button face for pbrLightSingle, window colour otherwise.
    ProgressBarBorderStyleConstants BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(ProgressBarBorderStyleConstants BorderStyle);
    // A change swaps the control's width and height.
    ProgressBarOrientationConstants Orientation() const { return m_orientation; }
    void setOrientation(ProgressBarOrientationConstants Orientation);

    // 0x00BBGGRR or a system colour.
    uint32_t BackColor() const { return m_backColor; }
    void setBackColor(uint32_t BackColor);
    uint32_t BarColor() const { return m_barColor; }
    void setBarColor(uint32_t BarColor);

    ProgressBarNotationConstanrts Notation() const { return m_notation; }
    void setNotation(ProgressBarNotationConstanrts Notation);
    // A number pattern for the caption, or with pbrHide the caption itself.
    QString FormatString() const { return m_formatString; }
    void setFormatString(const QString& FormatString);
    ProgressBarCaptionAlignConstants CaptionAlign() const { return m_captionAlign; }
    void setCaptionAlign(ProgressBarCaptionAlignConstants CaptionAlign);

    // The caption as it stands now.
    QString Caption() const;

    // Paints the bar now.
    void Refresh();

    // Stores the design-time properties under their names; values equal to their defaults are
    // left out.
    void WriteProperties(orvenly::PropertyBag& PropBag) const;
    // Restores what WriteProperties stored; entries that cannot be applied are skipped.
    void ReadProperties(const orvenly::PropertyBag& PropBag);

    QSize sizeHint() const override;

signals:
    // A property changed, by its name; hosts that keep the properties learn they must save.
    void PropertyChanged(const QString& PropertyName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void changed(const QString& name);

    QImage picture() const;
    void drawCaptionAcross(QPainter& painter, const QRect& box, const QString& caption) const;
    void drawCaptionUpward(QPainter& painter, const QRect& box, const QString& caption) const;

    orvenly::Variant m_tag;
    ProgressRange m_range;
    ProgressBarBorderStyleConstants m_borderStyle = pbrFixedSingle;
    ProgressBarOrientationConstants m_orientation = pbrHorizontal;
    int32_t m_stepValue = 1;
    uint32_t m_barColor = syscolor::Highlight;
    uint32_t m_backColor = syscolor::ButtonFace;
    ProgressBarNotationConstanrts m_notation = pbrParcentage;
    QString m_formatString;
    ProgressBarCaptionAlignConstants m_captionAlign = pbrCenter;
};

} // namespace tamsell
