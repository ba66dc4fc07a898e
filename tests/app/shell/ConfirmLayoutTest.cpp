#include "shell/ConfirmLayout.h"

#include <gtest/gtest.h>

namespace {

using penlark::ConfirmGeometry;
using penlark::ConfirmMetrics;
using penlark::confirmMetrics;
using penlark::layoutConfirm;

TEST(ConfirmLayout, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(penlark::roundHalfEven(2.5), 2);
    EXPECT_EQ(penlark::roundHalfEven(3.5), 4);
    EXPECT_EQ(penlark::roundHalfEven(-2.5), -2);
    EXPECT_EQ(penlark::roundHalfEven(2.4), 2);
    EXPECT_EQ(penlark::roundHalfEven(2.6), 3);
    EXPECT_EQ(penlark::roundHalfEven(7.0), 7);
}

TEST(ConfirmLayout, FontPointsComeFromThePixelHeight) {
    EXPECT_DOUBLE_EQ(penlark::messageFontPoints(-12, 96.0), 9.0);
    EXPECT_DOUBLE_EQ(penlark::messageFontPoints(12, 96.0), 9.0);
    EXPECT_DOUBLE_EQ(penlark::messageFontPoints(16, 120.0), 9.6);
    // A height of 0 stands for 11 pixels.
    EXPECT_DOUBLE_EQ(penlark::messageFontPoints(0, 96.0), 8.25);
}

TEST(ConfirmLayout, MetricsOfANinePointFont) {
    ConfirmMetrics expected;
    expected.leftMargin = 12;
    expected.topMargin = 11;
    expected.iconGap = 17;
    expected.promptGap = 17;
    expected.buttonGap = 7;
    expected.buttonHeight = 23;
    expected.minButtonWidth = 91;
    expected.buttonPadding = 26;
    EXPECT_EQ(confirmMetrics(9.0), expected);
}

TEST(ConfirmLayout, MetricsRoundHalvesToEvenBeforeDividing) {
    // 4p + 3 = 24.5 rounds to 24, not 25, before the division by 5.
    EXPECT_EQ(confirmMetrics(5.375).buttonGap, 4);
    // 4p + 3 = 26.5 rounds to 26: 26 div 3 = 8 units, where 27 would give 9.
    EXPECT_EQ(confirmMetrics(5.875).minButtonWidth, 56);
    EXPECT_EQ(confirmMetrics(5.875).buttonPadding, 16);
}

class ConfirmLayoutOf : public ::testing::Test {
protected:
    const ConfirmMetrics metrics = confirmMetrics(9.0);
    std::array<int, 6> widths{40, 40, 40, 40, 40, 40};
};

TEST_F(ConfirmLayoutOf, OneLinePromptIsCentredOnTheIcon) {
    const ConfirmGeometry g = layoutConfirm(metrics, {100, 16}, widths, false);
    EXPECT_EQ(g.icon, QRect(12, 11, 32, 32));
    EXPECT_EQ(g.prompt, QRect(61, 19, 100, 16));
    EXPECT_EQ(g.buttons[0], QRect(0, 0, 92, 23));
    EXPECT_EQ(g.buttons[1], QRect(99, 0, 92, 23));
    EXPECT_EQ(g.buttons[2], QRect(198, 0, 92, 23));
    for (size_t i = 3; i < 6; ++i)
        EXPECT_TRUE(g.buttons[i].isNull()) << i;
    EXPECT_EQ(g.buttonFrame, QRect(12, 60, 290, 23));
    EXPECT_EQ(g.client, QSize(314, 94));
}

TEST_F(ConfirmLayoutOf, PromptAsTallAsTheIconStillCountsAsShort) {
    const ConfirmGeometry g = layoutConfirm(metrics, {100, 32}, widths, false);
    EXPECT_EQ(g.prompt.top(), 11);
    EXPECT_EQ(g.buttonFrame.top(), 60);
}

TEST_F(ConfirmLayoutOf, TallPromptStartsAtTheTopAndPushesTheButtonsDown) {
    const ConfirmGeometry g = layoutConfirm(metrics, {100, 48}, widths, false);
    EXPECT_EQ(g.prompt.top(), 11);
    EXPECT_EQ(g.buttonFrame.top(), 48 + 11 + 17);
    EXPECT_EQ(g.client.height(), 76 + 23 + 11);
}

TEST_F(ConfirmLayoutOf, LongPromptWidensTheFormAndTheButtonsStayCentred) {
    const ConfirmGeometry g = layoutConfirm(metrics, {400, 16}, widths, false);
    EXPECT_EQ(g.client.width(), 61 + 400 + 12);
    EXPECT_EQ(g.buttonFrame.left(), (473 - 290) / 2);
    EXPECT_EQ(g.buttonFrame.width(), 290);
}

TEST_F(ConfirmLayoutOf, TwoRowsShareTheWiderCaptionOfEachColumn) {
    widths[4] = 120;
    widths[2] = 10;
    const ConfirmGeometry g = layoutConfirm(metrics, {100, 16}, widths, true);
    EXPECT_EQ(g.buttons[1], QRect(99, 0, 172, 23));
    EXPECT_EQ(g.buttons[4], QRect(99, 30, 172, 23));
    EXPECT_EQ(g.buttons[3], QRect(0, 30, 92, 23));
    // A caption narrower than the minimum keeps the minimum width.
    EXPECT_EQ(g.buttons[2], QRect(278, 0, 92, 23));
    EXPECT_EQ(g.buttons[5], QRect(278, 30, 92, 23));
    EXPECT_EQ(g.buttonFrame.size(), QSize(92 + 172 + 92 + 14, 7 + 2 * 23));
    EXPECT_EQ(g.client.height(), 60 + 53 + 11);
}

TEST_F(ConfirmLayoutOf, SecondRowCaptionsDoNotWidenASingleRow) {
    widths[3] = 300;
    const ConfirmGeometry g = layoutConfirm(metrics, {100, 16}, widths, false);
    EXPECT_EQ(g.buttons[0].width(), 92);
}

} // namespace
