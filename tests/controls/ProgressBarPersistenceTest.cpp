#include "tests/support/TestSupport.h"

#include "orvenly/PropertyBag.h"
#include "tamsell/ColorProgressBar.h"
#include "tamsell/ProgressBar.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tamsell;
using orvenly::PropertyBag;

namespace {

class ProgressBarPersistence : public WidgetsFirst, public ::testing::Test {};

// A new bar has exactly the defaults the bag leaves out.
TEST_F(ProgressBarPersistence, ANewBarStoresNothing) {
    ProgressBar bar;
    PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 0);
    EXPECT_EQ(bar.Caption(), "100%");
    ColorProgressBar colour;
    colour.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 0);
}

TEST_F(ProgressBarPersistence, ASavedBarLoadsTheSame) {
    ProgressBar bar;
    bar.resize(120, 20);
    bar.setBorderStyle(pbrNone);
    bar.setOrientation(pbrVertical);
    QFont font = bar.font();
    font.setPointSize(font.pointSize() + 3);
    bar.setFont(font);
    bar.setBackColor(0x102030);
    bar.setBarColor(0x8000000E);
    bar.setMin(-50);
    bar.setMax(-10);
    bar.setValue(-20);
    bar.setStepValue(-3);
    bar.setNotation(pbrRatio);
    bar.setFormatString("0.0%");
    bar.setCaptionAlign(pbrRightTop);

    PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.Names(), (QStringList{"BorderStyle", "Orientation", "Font", "BackColor",
                                        "BarColor", "Max", "Min", "Value", "StepValue", "Notation",
                                        "FormatString", "CaptionAlign"}));
    ProgressBar copy;
    copy.resize(120, 20);
    copy.ReadProperties(PropertyBag::fromText(bag.toText()));
    EXPECT_EQ(copy.BorderStyle(), pbrNone);
    EXPECT_EQ(copy.Orientation(), pbrVertical);
    EXPECT_EQ(copy.size(), QSize(20, 120));
    EXPECT_EQ(copy.font().pointSize(), font.pointSize());
    EXPECT_EQ(copy.BackColor(), 0x102030u);
    EXPECT_EQ(copy.BarColor(), 0x8000000Eu);
    EXPECT_EQ(copy.Min(), -50);
    EXPECT_EQ(copy.Max(), -10);
    EXPECT_EQ(copy.Value(), -20);
    EXPECT_EQ(copy.StepValue(), -3);
    EXPECT_EQ(copy.Notation(), pbrRatio);
    EXPECT_EQ(copy.FormatString(), "0.0%");
    EXPECT_EQ(copy.CaptionAlign(), pbrRightTop);
}

TEST_F(ProgressBarPersistence, TheGroundColourOfAFramelessBarSurvives) {
    // Without a frame the ground becomes the window colour, which is not the stored default.
    ProgressBar bar;
    bar.setBorderStyle(pbrNone);
    PropertyBag bag;
    bar.WriteProperties(bag);
    ProgressBar copy;
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.BackColor(), 0x80000005u);
}

TEST_F(ProgressBarPersistence, EntriesThatCannotBeAppliedAreSkipped) {
    PropertyBag bag;
    bag.WriteProperty("Notation", int32_t(9));
    bag.WriteProperty("Max", "many");
    bag.WriteProperty("BarColor", int32_t(0x7F000000));
    bag.WriteProperty("Min", int32_t(40));
    bag.WriteProperty("Value", int32_t(70));
    bag.WriteProperty("CaptionAlign", int32_t(0));
    ProgressBar bar;
    bar.ReadProperties(bag);
    EXPECT_EQ(bar.Notation(), pbrParcentage);
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.BarColor(), 0x8000000Du);
    EXPECT_EQ(bar.Min(), 40);
    EXPECT_EQ(bar.Value(), 70);
    EXPECT_EQ(bar.CaptionAlign(), pbrLeftBottom);
}

TEST_F(ProgressBarPersistence, ASavedColourBarLoadsTheSameWithoutAnimating) {
    ColorProgressBar bar;
    bar.resize(80, 12);
    bar.setAppearance(cpaFlat);
    bar.setBorderStyle(cpbNone);
    bar.setOrientation(cpoVertical);
    bar.setBackColor(0x111111);
    bar.setMaxColor(0x222222);
    bar.setMinColor(0x333333);
    bar.setPlusColor(0x444444);
    bar.setMinusColor(0x555555);
    bar.setHalfTransparent(false);
    bar.setMax(1000);
    bar.setMin(200);
    bar.setAnimate(false);
    bar.setValue(300);
    bar.setAnimate(true);
    bar.setWait(15);

    PropertyBag bag;
    bar.WriteProperties(bag);
    // All but Animate, which is at its default.
    EXPECT_EQ(bag.Count(), 13);
    ColorProgressBar copy;
    copy.resize(80, 12);
    QSignalSpy scrolling(&copy, &ColorProgressBar::Scrolling);
    copy.ReadProperties(PropertyBag::fromText(bag.toText()));
    EXPECT_EQ(scrolling.count(), 0);
    EXPECT_EQ(copy.Appearance(), cpaFlat);
    EXPECT_EQ(copy.BorderStyle(), cpbNone);
    EXPECT_EQ(copy.Orientation(), cpoVertical);
    EXPECT_EQ(copy.size(), QSize(12, 80));
    EXPECT_EQ(copy.BackColor(), 0x111111u);
    EXPECT_EQ(copy.MaxColor(), 0x222222u);
    EXPECT_EQ(copy.MinColor(), 0x333333u);
    EXPECT_EQ(copy.PlusColor(), 0x444444u);
    EXPECT_EQ(copy.MinusColor(), 0x555555u);
    EXPECT_FALSE(copy.HalfTransparent());
    EXPECT_EQ(copy.Max(), 1000);
    EXPECT_EQ(copy.Min(), 200);
    EXPECT_EQ(copy.Value(), 300);
    EXPECT_TRUE(copy.Animate());
    EXPECT_EQ(copy.Wait(), 15);
}

TEST_F(ProgressBarPersistence, AColourBarSkipsWhatItCannotApply) {
    PropertyBag bag;
    bag.WriteProperty("Appearance", int32_t(5));
    bag.WriteProperty("Wait", int32_t(-4));
    bag.WriteProperty("Animate", "maybe");
    bag.WriteProperty("Value", int32_t(40));
    ColorProgressBar bar;
    bar.ReadProperties(bag);
    EXPECT_EQ(bar.Appearance(), cpa3D);
    EXPECT_EQ(bar.Wait(), 0);
    EXPECT_TRUE(bar.Animate());
    EXPECT_EQ(bar.Value(), 40);
}

} // namespace
