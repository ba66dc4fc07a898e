#include "tests/support/TestSupport.h"

#include "tamsell/ProgressBar.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <limits>

using namespace tamsell;

namespace {

class ProgressBarState : public WidgetsFirst, public ::testing::Test {
protected:
    void range(int32_t min, int32_t max, int32_t value) {
        bar.setMax(max);
        bar.setMin(min);
        bar.setValue(value);
    }

    ProgressBar bar;
};

constexpr int32_t smallest = std::numeric_limits<int32_t>::min();
constexpr int32_t largest = std::numeric_limits<int32_t>::max();

TEST_F(ProgressBarState, MaxAndMinPushEachOtherAndTheValue) {
    bar.setMin(100);
    EXPECT_EQ(bar.Max(), 101);
    EXPECT_EQ(bar.Value(), 100);

    bar.setMax(10);
    EXPECT_EQ(bar.Min(), 9);
    EXPECT_EQ(bar.Value(), 10);

    bar.setMin(-20);
    bar.setMax(-5);
    EXPECT_EQ(bar.Min(), -20);
    EXPECT_EQ(bar.Value(), -5);
    bar.setMin(-4);
    EXPECT_EQ(bar.Max(), -3);
    EXPECT_EQ(bar.Value(), -4);
}

TEST_F(ProgressBarState, ValuesOutsideTheRangeAreClampedSilently) {
    range(10, 20, 15);
    bar.setValue(-1000);
    EXPECT_EQ(bar.Value(), 10);
    bar.setValue(1000);
    EXPECT_EQ(bar.Value(), 20);
}

TEST_F(ProgressBarState, BoundsThatLeaveNoRoomAreRefused) {
    EXPECT_EQ(errorOf([&] { bar.setMax(smallest); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setMin(largest); }), 380);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Min(), 0);
    bar.setMin(smallest + 1);
    bar.setMax(smallest + 1);
    EXPECT_EQ(bar.Min(), smallest);
    bar.setMax(largest);
    bar.setMin(largest - 1);
    EXPECT_EQ(bar.Max(), largest);
}

TEST_F(ProgressBarState, EnumerationsOutsideTheirRangeRaise380AndKeepTheValue) {
    EXPECT_EQ(errorOf([&] { bar.setBorderStyle(ProgressBarBorderStyleConstants(3)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setOrientation(ProgressBarOrientationConstants(-1)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setNotation(ProgressBarNotationConstanrts(4)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setCaptionAlign(ProgressBarCaptionAlignConstants(3)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setBarColor(0x01000000); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setBackColor(0x80000100); }), 380);
    EXPECT_EQ(bar.BorderStyle(), pbrFixedSingle);
    EXPECT_EQ(bar.Orientation(), pbrHorizontal);
    EXPECT_EQ(bar.Notation(), pbrParcentage);
    EXPECT_EQ(bar.CaptionAlign(), pbrCenter);
    EXPECT_EQ(bar.BarColor(), 0x8000000Du);
}

TEST_F(ProgressBarState, ABorderStyleChangeSetsTheGroundColour) {
    bar.setBackColor(0x123456);
    bar.setBorderStyle(pbrFixedSingle);
    EXPECT_EQ(bar.BackColor(), 0x123456u);
    bar.setBorderStyle(pbrLightSingle);
    EXPECT_EQ(bar.BackColor(), 0x8000000Fu);
    bar.setBorderStyle(pbrNone);
    EXPECT_EQ(bar.BackColor(), 0x80000005u);
}

TEST_F(ProgressBarState, OrientationSwapsWidthAndHeight) {
    bar.resize(120, 18);
    bar.setOrientation(pbrVertical);
    EXPECT_EQ(bar.size(), QSize(18, 120));
    bar.setOrientation(pbrVertical);
    EXPECT_EQ(bar.size(), QSize(18, 120));
}

TEST_F(ProgressBarState, StepWrapsPastEitherEnd) {
    range(0, 10, 9);
    bar.setStepValue(3);
    EXPECT_EQ(bar.Step(), 9);
    EXPECT_EQ(bar.Value(), 0);
    bar.setValue(7);
    EXPECT_EQ(bar.Step(), 7);
    EXPECT_EQ(bar.Value(), 10);

    bar.setStepValue(-4);
    bar.setValue(3);
    EXPECT_EQ(bar.Step(), 3);
    EXPECT_EQ(bar.Value(), 10);

    bar.setStepValue(0);
    EXPECT_EQ(bar.Step(), 10);
    EXPECT_EQ(bar.Value(), 10);
}

TEST_F(ProgressBarState, StepAtTheEndsOfTheNumbersDoesNotOverflow) {
    range(smallest, largest, largest - 1);
    bar.setStepValue(largest);
    EXPECT_EQ(bar.Step(), largest - 1);
    EXPECT_EQ(bar.Value(), smallest);
    bar.setStepValue(smallest);
    EXPECT_EQ(bar.Step(), smallest);
    EXPECT_EQ(bar.Value(), largest);
}

TEST_F(ProgressBarState, ChangesAreNamedToTheHost) {
    QSignalSpy spy(&bar, &ProgressBar::PropertyChanged);
    bar.setMax(50);
    bar.setMax(50);
    bar.setStepValue(2);
    bar.setFormatString("x");
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0][0].toString(), "Max");
    EXPECT_EQ(spy[1][0].toString(), "StepValue");
    EXPECT_EQ(spy[2][0].toString(), "FormatString");
}

class ProgressBarCaption : public ProgressBarState {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
};

TEST_F(ProgressBarCaption, EachNotationWithoutAPattern) {
    range(20, 60, 43);
    EXPECT_EQ(bar.Caption(), "58%");
    bar.setNotation(pbrValue);
    EXPECT_EQ(bar.Caption(), "43");
    bar.setNotation(pbrRatio);
    EXPECT_EQ(bar.Caption(), "0.58");
    bar.setNotation(pbrHide);
    EXPECT_EQ(bar.Caption(), "");
}

TEST_F(ProgressBarCaption, EachNotationWithAPattern) {
    range(0, 8, 3);
    bar.setFormatString("0.0");
    EXPECT_EQ(bar.Caption(), "37.5");
    bar.setNotation(pbrValue);
    bar.setFormatString("000 \"件\"");
    EXPECT_EQ(bar.Caption(), "003 件");
    bar.setNotation(pbrRatio);
    bar.setFormatString("0.000");
    EXPECT_EQ(bar.Caption(), "0.375");
    // A word is shown whatever the value.
    bar.setNotation(pbrHide);
    bar.setFormatString("変換中");
    EXPECT_EQ(bar.Caption(), "変換中");
    bar.setValue(8);
    EXPECT_EQ(bar.Caption(), "変換中");
}

TEST_F(ProgressBarCaption, TheWidestRangeStillShowsItsShare) {
    range(smallest, largest, 0);
    EXPECT_EQ(bar.Caption(), "50%");
    bar.setNotation(pbrValue);
    bar.setFormatString("#,##0");
    bar.setValue(-1234567);
    EXPECT_EQ(bar.Caption(), "-1,234,567");
}

} // namespace
