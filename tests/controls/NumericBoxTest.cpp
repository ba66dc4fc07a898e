#include "tests/support/TestSupport.h"

#include "orvenly/PropertyBag.h"
#include "tamsell/NumericBox.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace tamsell;
using orvenly::PropertyBag;
using orvenly::errors::InvalidArgument;
using orvenly::errors::InvalidPropertyValue;

namespace {

class NumericBoxTest : public WidgetsFirst, public ::testing::Test {
protected:
    NumericBoxTest() {
        QObject::connect(&box, &NumericBox::Change, [this] { changes.push_back(box.Value()); });
    }

    // Shown and focused, so that keys reach the field as a user's would.
    void focus() {
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        box.activateWindow();
        box.txtInput().setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(QTest::qWaitFor([&] { return box.txtInput().hasFocus(); }));
    }

    void type(const QString& keys) { QTest::keyClicks(&box.txtInput(), keys); }
    void key(Qt::Key key) { QTest::keyClick(&box.txtInput(), key); }
    QString text() const { return box.txtInput().text(); }

    // Clicks one end of a scroll bar: its arrow toward the end of larger positions or smaller.
    void clickArrow(QScrollBar& bar, bool add) {
        QStyleOptionSlider option;
        option.initFrom(&bar);
        option.orientation = bar.orientation();
        option.minimum = bar.minimum();
        option.maximum = bar.maximum();
        option.sliderPosition = bar.sliderPosition();
        option.sliderValue = bar.value();
        option.singleStep = bar.singleStep();
        option.pageStep = bar.pageStep();
        if (bar.orientation() == Qt::Horizontal)
            option.state |= QStyle::State_Horizontal;
        const QRect arrow = bar.style()->subControlRect(
            QStyle::CC_ScrollBar, &option,
            add ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine, &bar);
        ASSERT_FALSE(arrow.isEmpty());
        QTest::mouseClick(&bar, Qt::LeftButton, {}, arrow.center());
    }

    NumericBox box;
    std::vector<int> changes;
};

TEST_F(NumericBoxTest, NewBoxHasTheDefaults) {
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(box.Min(), 0);
    EXPECT_EQ(box.Max(), 32767);
    EXPECT_EQ(box.LargeChange(), 10);
    EXPECT_EQ(box.SmallChange(), 1);
    EXPECT_EQ(box.Length(), 5);
    EXPECT_EQ(box.Alignment(), 1);
    EXPECT_EQ(text(), QStringLiteral("0"));
    EXPECT_EQ(box.size(), QSize(226, 18)) << "3390 x 270 twips at 96 dpi";
}

TEST_F(NumericBoxTest, TypedNumbersPastTheRangeShowTheEndAtOnce) {
    box.setMin(1);
    box.setMax(20);
    changes.clear();
    focus();
    box.txtInput().selectAll();
    type(QStringLiteral("25"));
    EXPECT_EQ(text(), QStringLiteral("20"));
    EXPECT_EQ(box.Value(), 20);
    EXPECT_EQ(changes, (std::vector<int>{2, 20}));
}

TEST_F(NumericBoxTest, MinusSignOnlyWhenTheRangeReachesBelowZero) {
    focus();
    box.txtInput().selectAll();
    type(QStringLiteral("7"));
    type(QStringLiteral("-x"));
    EXPECT_EQ(text(), QStringLiteral("7")) << "no minus and no letter with Min 0";
    EXPECT_EQ(box.Value(), 7);

    box.setMin(-10);
    changes.clear();
    type(QStringLiteral("-"));
    EXPECT_EQ(text(), QStringLiteral("-7"));
    EXPECT_EQ(box.Value(), -7);
    type(QStringLiteral("-"));
    EXPECT_EQ(text(), QStringLiteral("-7")) << "one minus sign at most";
    // A digit typed in front of the minus sign replaces the sign.
    box.txtInput().setCursorPosition(0);
    type(QStringLiteral("3"));
    EXPECT_EQ(text(), QStringLiteral("37"));
    EXPECT_EQ(box.Value(), 37);
}

TEST_F(NumericBoxTest, MovingAnEndPastTheValueClampsItOnce) {
    box.setValue(50);
    changes.clear();
    box.setMax(40);
    EXPECT_EQ(box.Value(), 40);
    EXPECT_EQ(text(), QStringLiteral("40"));
    EXPECT_EQ(changes, std::vector<int>{40});
    box.setMax(40);
    box.setMax(60);
    box.setValue(40);
    EXPECT_EQ(changes, std::vector<int>{40}) << "nothing changed the value";
    box.setMin(45);
    EXPECT_EQ(box.Value(), 45);
    EXPECT_EQ(changes, (std::vector<int>{40, 45}));
}

TEST_F(NumericBoxTest, OutOfRangeValuesAreRefused) {
    box.setMax(10);
    EXPECT_EQ(errorOf([&] { box.setValue(11); }), InvalidArgument);
    EXPECT_EQ(errorOf([&] { box.setValue(-1); }), InvalidArgument);
    EXPECT_EQ(errorOf([&] { box.setDefaultValue(11); }), InvalidArgument);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(errorOf([&] { box.setLength(-1); }), InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.setWhiteSpace(-1); }), InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.setAlignment(3); }), InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.setLargeChange(0); }), InvalidPropertyValue);
    EXPECT_EQ(errorOf([&] { box.setStyle(NumericBoxStyleConstants(2)); }), InvalidPropertyValue);
    // The default value follows the range.
    box.setDefaultValue(8);
    box.setMax(5);
    EXPECT_EQ(box.DefaultValue(), 5);
}

TEST_F(NumericBoxTest, KeysStepTowardTheEndsAndStopThere) {
    box.setMax(25);
    box.setLargeChange(10);
    focus();
    key(Qt::Key_Up);
    key(Qt::Key_PageUp);
    EXPECT_EQ(box.Value(), 11);
    key(Qt::Key_PageUp);
    key(Qt::Key_PageUp);
    EXPECT_EQ(box.Value(), 25);
    key(Qt::Key_Down);
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    EXPECT_EQ(box.Value(), 0);
    EXPECT_EQ(changes, (std::vector<int>{1, 11, 21, 25, 24, 14, 4, 0}));
    EXPECT_EQ(text(), QStringLiteral("0"));
}

TEST_F(NumericBoxTest, AReversedRangeStepsUpTowardMax) {
    box.setMin(10);
    box.setMax(0);
    EXPECT_EQ(box.Value(), 10) << "clamped to Min 10 on the way";
    box.setValue(5);
    focus();
    key(Qt::Key_Up);
    EXPECT_EQ(box.Value(), 4);
    key(Qt::Key_PageDown);
    EXPECT_EQ(box.Value(), 10);
    EXPECT_EQ(errorOf([&] { box.setValue(11); }), InvalidArgument);
}

TEST_F(NumericBoxTest, RightAndUpperArrowsMoveTowardMax) {
    box.setMax(100);
    box.resize(120, 18);
    focus();
    clickArrow(box.hsbUpDown(), true);
    EXPECT_EQ(box.Value(), 1);
    clickArrow(box.hsbUpDown(), false);
    EXPECT_EQ(box.Value(), 0);

    box.setOrientation(nboVertical);
    box.resize(120, 40);
    EXPECT_FALSE(box.hsbUpDown().isVisible());
    clickArrow(box.vsbUpDown(), false); // the upper arrow
    clickArrow(box.vsbUpDown(), false);
    EXPECT_EQ(box.Value(), 2);
    EXPECT_TRUE(box.txtInput().hasFocus());

    // Reversed, the upper arrow still goes toward Max.
    box.setMin(50);
    box.setMax(-50);
    box.setValue(0);
    clickArrow(box.vsbUpDown(), false);
    EXPECT_EQ(box.Value(), -1);
    EXPECT_EQ(changes, (std::vector<int>{1, 0, 1, 2, 50, 0, -1}));
}

TEST_F(NumericBoxTest, TextThatIsNoNumberGivesTheDefaultValue) {
    box.setDefaultValue(3);
    box.setValue(9);
    changes.clear();
    // Pasted text and a number past 16 bits: the field is no longer filtered key by key.
    box.txtInput().setText(QStringLiteral("abc"));
    EXPECT_EQ(box.Value(), 3);
    EXPECT_EQ(text(), QStringLiteral("3"));
    box.txtInput().setText(QStringLiteral("99999"));
    EXPECT_EQ(box.Value(), 3);
    EXPECT_EQ(changes, std::vector<int>{3});
}

TEST_F(NumericBoxTest, LeavingAnEmptiedFieldShowsTheValueAgain) {
    QLineEdit other;
    box.setValue(12);
    focus();
    box.txtInput().selectAll();
    key(Qt::Key_Backspace);
    EXPECT_EQ(text(), QString());
    EXPECT_EQ(box.Value(), 12);
    box.txtInput().clearFocus();
    EXPECT_EQ(text(), QStringLiteral("12"));
}

TEST_F(NumericBoxTest, KeyboardFocusSelectsTheWholeNumber) {
    QWidget form;
    QLineEdit before(&form);
    NumericBox inForm(&form);
    inForm.move(0, 30);
    inForm.setValue(345);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    before.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return before.hasFocus(); }));
    QTest::keyClick(&before, Qt::Key_Tab);
    ASSERT_TRUE(inForm.txtInput().hasFocus());
    EXPECT_EQ(inForm.txtInput().selectedText(), QStringLiteral("345"));
    QTest::keyClicks(&inForm.txtInput(), QStringLiteral("6"));
    EXPECT_EQ(inForm.Value(), 6);
}

// Length restricts typing only: what the control writes itself is never cut.
TEST_F(NumericBoxTest, LengthLimitsTypingButNotTheValueShown) {
    box.setMin(-100);
    box.setMax(100);
    box.setLength(3);
    box.setValue(-100);
    EXPECT_EQ(text(), QStringLiteral("-100"));
    focus();
    box.txtInput().selectAll();
    type(QStringLiteral("1234"));
    EXPECT_EQ(text(), QStringLiteral("100")) << "the fourth digit does not fit";
    type(QStringLiteral("-"));
    EXPECT_EQ(text(), QStringLiteral("-100"));
    EXPECT_EQ(box.Value(), -100);
    // Deleting from a text longer than the limit passes.
    box.txtInput().end(false);
    key(Qt::Key_Backspace);
    EXPECT_EQ(box.Value(), -10);

    box.setMax(32767);
    box.setLength(0);
    box.txtInput().selectAll();
    type(QStringLiteral("123456"));
    EXPECT_EQ(box.Value(), 0) << "no limit: six digits make no 16-bit number";
    box.txtInput().selectAll();
    type(QStringLiteral("12345"));
    EXPECT_EQ(box.Value(), 12345);
}

TEST_F(NumericBoxTest, SettingLengthNeverChangesTheValue) {
    box.setValue(1234);
    changes.clear();
    box.setLength(2);
    EXPECT_EQ(text(), QStringLiteral("1234"));
    EXPECT_EQ(box.Value(), 1234);
    // A property bag gives Value before Length.
    PropertyBag bag;
    bag.WriteProperty("Value", int32_t(4321));
    bag.WriteProperty("Length", int32_t(2));
    NumericBox loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Value(), 4321);
    EXPECT_EQ(loaded.txtInput().text(), QStringLiteral("4321"));
    EXPECT_TRUE(changes.empty());
}

TEST_F(NumericBoxTest, LengthWhiteSpaceAndUnitChangeTheWidth) {
    box.setLength(2);
    const int start = box.width();
    box.setLength(3);
    EXPECT_EQ(box.width(), start + 6);
    box.setWhiteSpace(2);
    EXPECT_EQ(box.width(), start + 18);
    box.setLength(3);
    box.setWhiteSpace(2);
    EXPECT_EQ(box.width(), start + 18) << "unchanged values change nothing";
    const int unit = box.fontMetrics().horizontalAdvance(QStringLiteral("ファイル"));
    box.setUnit(QStringLiteral("ファイル"));
    EXPECT_EQ(box.width(), start + 18 + unit);
    EXPECT_EQ(box.lblUnitIn().text(), QStringLiteral("ファイル"));
    EXPECT_EQ(box.lblUnitOut().text(), QStringLiteral("ファイル"));
    box.setUnit(QString());
    EXPECT_EQ(box.width(), start + 18);
}

// The parts' rectangles for each style and unit style, at 96 dpi where 30 twips are 2 pixels.
TEST_F(NumericBoxTest, PartsAreArrangedByStyleAndUnitStyle) {
    ASSERT_EQ(box.logicalDpiX(), 96);
    box.setLength(3);
    box.setWhiteSpace(1);
    box.setUnit(QStringLiteral("文字"));
    box.resize(200, 24);
    const int d = box.fontMetrics().horizontalAdvance(QLatin1Char('5'));
    const int u = box.fontMetrics().horizontalAdvance(QStringLiteral("文字"));
    const int w = 4 * d;
    const int frame = box.picInput().frameWidth();
    ASSERT_EQ(frame, 2);
    struct Case {
        NumericBoxStyleConstants unitStyle, style;
        int unitLeft; // in the frame's inside for nbsIn, in the control for nbsOut
        int frameWidth;
        QRect spin;
    };
    const Case cases[] = {
        {nbsIn, nbsIn, w + 2, 200, QRect(w + 6 + u, 2, 200 - (w + 6 + u) - 2, 20)},
        {nbsIn, nbsOut, w + 2, w + 8 + u, QRect(w + 8 + u, 0, 200 - (w + 8 + u), 24)},
        {nbsOut, nbsIn, 200 - u, 200 - u - 2, QRect(w + 6, 2, 200 - (w + 6) - (u + 2) - 2, 20)},
        {nbsOut, nbsOut, w + 10, w + 8, QRect(w + 12 + u, 0, 200 - (w + 12 + u), 24)},
    };
    for (const Case& c : cases) {
        box.setUnitStyle(c.unitStyle);
        box.setStyle(c.style);
        SCOPED_TRACE(testing::Message() << "unit style " << c.unitStyle << ", style " << c.style);
        EXPECT_EQ(box.picInput().geometry(), QRect(0, 0, c.frameWidth, 24));
        EXPECT_EQ(box.txtInput().geometry().left(), frame);
        EXPECT_EQ(box.txtInput().width(), w);
        if (c.unitStyle == nbsIn) {
            EXPECT_EQ(box.lblUnitIn().x(), frame + c.unitLeft);
            EXPECT_TRUE(box.lblUnitIn().isVisibleTo(&box));
            EXPECT_FALSE(box.lblUnitOut().isVisibleTo(&box));
        } else {
            EXPECT_EQ(box.lblUnitOut().x(), c.unitLeft);
            EXPECT_EQ(box.lblUnitOut().y(), box.txtInput().y() - frame + 2);
            EXPECT_FALSE(box.lblUnitIn().isVisibleTo(&box));
        }
        EXPECT_EQ(box.hsbUpDown().geometry(), c.spin);
    }
    // The text line is centred in the frame's inside.
    const int line = box.fontMetrics().height();
    EXPECT_EQ(box.txtInput().y(), frame + (24 - 2 * frame - line) / 2);
    // Too low a control grows to 270 twips at least.
    box.resize(200, 5);
    EXPECT_GE(box.height(), 18);
}

TEST_F(NumericBoxTest, DisabledBoxShowsTheButtonFace) {
    const QColor window = box.txtInput().palette().color(QPalette::Base);
    box.setEnabled(false);
    EXPECT_EQ(box.txtInput().palette().color(QPalette::Base),
              box.palette().color(QPalette::Button));
    EXPECT_FALSE(box.txtInput().isEnabled());
    box.setEnabled(true);
    EXPECT_EQ(box.txtInput().palette().color(QPalette::Base), window);
}

TEST_F(NumericBoxTest, PropertiesRoundTripThroughABag) {
    PropertyBag fresh;
    box.WriteProperties(fresh);
    EXPECT_EQ(fresh.Count(), 0) << "a new box differs from no default";

    box.setMin(-5);
    box.setMax(120);
    box.setDefaultValue(7);
    box.setValue(42);
    box.setLargeChange(5);
    box.setSmallChange(2);
    box.setLength(3);
    box.setWhiteSpace(1);
    box.setAlignment(0);
    box.setUnit(QStringLiteral("文字毎"));
    box.setStyle(nbsIn);
    box.setUnitStyle(nbsIn);
    box.setOrientation(nboVertical);
    box.setEnabled(false);
    PropertyBag bag;
    box.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"Max", "Min", "LargeChange", "SmallChange", "DefaultValue",
                                        "Value", "Length", "WhiteSpace", "Alignment", "Enabled",
                                        "Unit", "Style", "UnitStyle", "Orientation"}));

    NumericBox loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.Min(), -5);
    EXPECT_EQ(loaded.Max(), 120);
    EXPECT_EQ(loaded.DefaultValue(), 7);
    EXPECT_EQ(loaded.Value(), 42);
    EXPECT_EQ(loaded.LargeChange(), 5);
    EXPECT_EQ(loaded.SmallChange(), 2);
    EXPECT_EQ(loaded.Length(), 3);
    EXPECT_EQ(loaded.WhiteSpace(), 1);
    EXPECT_EQ(loaded.Alignment(), 0);
    EXPECT_EQ(loaded.Unit(), QStringLiteral("文字毎"));
    EXPECT_EQ(loaded.Style(), nbsIn);
    EXPECT_EQ(loaded.UnitStyle(), nbsIn);
    EXPECT_EQ(loaded.Orientation(), nboVertical);
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(loaded.txtInput().text(), QStringLiteral("42"));
}

TEST_F(NumericBoxTest, BadBagEntriesAreSkippedAndTheDefaultValueFollowsMin) {
    PropertyBag bag;
    bag.WriteProperty("Max", int32_t(100));
    bag.WriteProperty("Min", int32_t(3));
    bag.WriteProperty("Value", int32_t(500)); // outside the range read before it
    bag.WriteProperty("Length", int32_t(-2));
    bag.WriteProperty("Style", int32_t(9));
    bag.WriteProperty("Unit", QStringLiteral("個"));
    box.ReadProperties(bag);
    EXPECT_EQ(box.Min(), 3);
    EXPECT_EQ(box.DefaultValue(), 3);
    EXPECT_EQ(box.Value(), 3);
    EXPECT_EQ(box.Length(), 5);
    EXPECT_EQ(box.Style(), nbsOut);
    EXPECT_EQ(box.Unit(), QStringLiteral("個"));
}

} // namespace
