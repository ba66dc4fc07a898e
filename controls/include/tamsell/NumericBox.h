#pragma once

#include <QWidget>
#include <cstdint>

class QFrame;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace orvenly {
class PropertyBag;
}

namespace tamsell {

namespace numericbox {
struct LayoutInput;
}

enum NumericBoxOrientationConstants : int32_t { nboHorizontal = 0, nboVertical = 1 };
enum NumericBoxStyleConstants : int32_t { nbsOut = 0, nbsIn = 1 };

// A box for a 16-bit integer: a field that takes digits (and a leading minus sign when the
// range reaches below zero), an optional unit caption inside or beside the field, and spin
// arrows. The value always lies in the range between Min and Max, which may be given reversed
// (Max below Min); Up, Page Up and the upper or right arrow move it toward Max.
//
// Change is raised once for every change of Value, whatever made it: the program, typing,
// the keys, the arrows or a range that moved past it. The keyboard focus goes to the field.
class NumericBox : public QWidget {
    Q_OBJECT

public:
    explicit NumericBox(QWidget* parent = nullptr);
    ~NumericBox() override;

    // Inside the field's frame or beside it; invalid values raise 380.
    NumericBoxStyleConstants Style() const { return m_style; }
    void setStyle(NumericBoxStyleConstants Style);
    NumericBoxStyleConstants UnitStyle() const { return m_unitStyle; }
    void setUnitStyle(NumericBoxStyleConstants UnitStyle);
    NumericBoxOrientationConstants Orientation() const { return m_orientation; }
    void setOrientation(NumericBoxOrientationConstants Orientation);
    // The caption after the number; a change widens or narrows the control by the difference
    // of the captions' widths.
    QString Unit() const;
    void setUnit(const QString& Unit);

    // The ends of the range. Moving one past the value clamps the value (and raises Change).
    int16_t Max() const { return m_max; }
    void setMax(int16_t Max);
    int16_t Min() const { return m_min; }
    void setMin(int16_t Min);
    // A value outside the range raises 5 and changes nothing.
    int16_t Value() const { return m_value; }
    void setValue(int16_t Value);
    // Taken when the field holds text that is no 16-bit number; outside the range raises 5.
    int32_t DefaultValue() const { return m_defaultValue; }
    void setDefaultValue(int32_t DefaultValue);

    // Steps of Page Up/Down and of the arrows and arrow keys, 1 to 32767; others raise 380.
    int32_t LargeChange() const { return m_largeChange; }
    void setLargeChange(int32_t LargeChange);
    int32_t SmallChange() const { return m_smallChange; }
    void setSmallChange(int32_t SmallChange);

    // The most characters typing may leave in the field (0: no limit; what the control writes
    // itself is never cut), and extra field width in characters; each character more widens
    // the control by 6 pixels. Negative values raise 380.
    int32_t Length() const { return m_length; }
    void setLength(int32_t Length);
    int32_t WhiteSpace() const { return m_whiteSpace; }
    void setWhiteSpace(int32_t WhiteSpace);
    // 0 left, 1 right, 2 centre; others raise 380.
    int32_t Alignment() const { return m_alignment; }
    void setAlignment(int32_t Alignment);

    // Stores the properties under their names, leaving out values equal to their defaults.
    void WriteProperties(orvenly::PropertyBag& PropBag) const;
    // Restores them, each through its setter; a value that is refused keeps the current one.
    void ReadProperties(const orvenly::PropertyBag& PropBag);

    // The parts, for hosts that label the field and for tests.
    QLineEdit& txtInput() const { return *m_txtInput; }
    QFrame& picInput() const { return *m_picInput; }
    QLabel& lblUnitIn() const { return *m_lblUnitIn; }
    QLabel& lblUnitOut() const { return *m_lblUnitOut; }
    QScrollBar& hsbUpDown() const { return *m_hsbUpDown; }
    QScrollBar& vsbUpDown() const { return *m_vsbUpDown; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Change();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool negativeAllowed() const { return m_min < 0 || m_max < 0; }
    bool reversed() const { return m_max < m_min; }
    bool outOfRange(int32_t value) const;
    int16_t clamped(int32_t value) const;
    // Sets the value found by the parts (typing, keys, arrows) and raises Change if it moved.
    void takeValue(int16_t value);
    // Writes the value into the field and the arrows without taking it as input.
    void showValue(bool field);
    // Writes the field past the Length limit, which restricts typing only.
    void writeField(const QString& text);
    // Whether an edit leaving text in the field keeps within the Length limit.
    bool fitsLength(const QString& text) const;
    void rangeChanged();
    void widen(int pixels);
    numericbox::LayoutInput layoutInput() const;
    void arrangeParts();
    void fontChanged();
    void applyEnabledColors();

    // Input from the parts.
    bool fieldKeyPress(QKeyEvent& event);
    void stepToward(bool towardMax, int32_t step);
    void fieldTextChanged(const QString& text);
    void arrowMoved(QScrollBar& bar);

    QFrame* m_picInput;
    QLineEdit* m_txtInput;
    QLabel* m_lblUnitIn;
    QLabel* m_lblUnitOut;
    QScrollBar* m_hsbUpDown;
    QScrollBar* m_vsbUpDown;

    int32_t m_defaultValue = 0;
    NumericBoxOrientationConstants m_orientation = nboHorizontal;
    NumericBoxStyleConstants m_style = nbsOut;
    NumericBoxStyleConstants m_unitStyle = nbsOut;
    int32_t m_whiteSpace = 0;
    int16_t m_max = 32767;
    int16_t m_min = 0;
    int16_t m_value = 0;
    int32_t m_largeChange = 10;
    int32_t m_smallChange = 1;
    int32_t m_alignment = 1;
    int32_t m_length = 5;
    // The field's text length before the edit under way: deleting from a text that is longer
    // than the limit passes.
    qsizetype m_fieldLength = 1;
    // Set while the control writes into its own parts, whose notifications are then no input.
    bool m_updating = false;
    bool m_writing = false;
};

} // namespace tamsell
