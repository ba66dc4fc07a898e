#include "tests/support/TestSupport.h"

#include "tamsell/ProgressBar.h"

#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

using namespace tamsell;

namespace {

// A bar with distinct scheme colours, a red bar on a green ground and no caption, so that each
// pixel tells what painted it.
class ProgressBarPainting : public WidgetsFirst, public ::testing::Test {
protected:
    ProgressBarPainting() {
        QPalette colours = bar.palette();
        colours.setColor(QPalette::Button, face);
        colours.setColor(QPalette::Dark, shadow);
        colours.setColor(QPalette::Light, highlight);
        colours.setColor(QPalette::Midlight, light);
        colours.setColor(QPalette::Shadow, darkShadow);
        bar.setPalette(colours);
        bar.resize(100, 20);
        bar.setBorderStyle(pbrNone);
        bar.setNotation(pbrHide);
        bar.setBarColor(0x0000FF);
        bar.setBackColor(0x00FF00);
        QFont big = bar.font();
        big.setPixelSize(16);
        big.setBold(true);
        bar.setFont(big);
    }

    QImage picture() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The pixels of a colour, and the box around them.
    static int count(const QImage& image, const QColor& colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }
    static QRect boxOf(const QImage& image, const QColor& colour) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    box |= QRect(x, y, 1, 1);
        return box;
    }

    const QColor red{255, 0, 0};
    const QColor green{0, 255, 0};
    const QColor blue{0, 0, 255};
    const QColor white{255, 255, 255};
    const QColor face{200, 200, 200};
    const QColor shadow{100, 100, 100};
    const QColor highlight{250, 250, 250};
    const QColor light{225, 225, 225};
    const QColor darkShadow{30, 30, 30};
    ProgressBar bar;
};

TEST_F(ProgressBarPainting, TheBarFillsFromTheLeftRoundedToTheNearestPixel) {
    bar.setValue(50);
    QImage image = picture();
    EXPECT_EQ(image.pixelColor(0, 0), red);
    EXPECT_EQ(image.pixelColor(49, 19), red);
    EXPECT_EQ(image.pixelColor(50, 0), green);
    EXPECT_EQ(image.pixelColor(99, 19), green);

    // 100 x 1/3 = 33.3 and 100 x 2/3 = 66.7.
    bar.setMax(3);
    bar.setValue(1);
    image = picture();
    EXPECT_EQ(image.pixelColor(32, 10), red);
    EXPECT_EQ(image.pixelColor(33, 10), green);
    bar.setValue(2);
    image = picture();
    EXPECT_EQ(image.pixelColor(66, 10), red);
    EXPECT_EQ(image.pixelColor(67, 10), green);

    bar.setValue(0);
    EXPECT_EQ(count(picture(), green), 100 * 20);
    bar.setValue(3);
    EXPECT_EQ(count(picture(), red), 100 * 20);
}

TEST_F(ProgressBarPainting, AVerticalBarAtHalfFillsTheLowerHalf) {
    bar.setOrientation(pbrVertical);
    ASSERT_EQ(bar.size(), QSize(20, 100));
    bar.setValue(50);
    const QImage image = picture();
    EXPECT_EQ(boxOf(image, red), QRect(0, 50, 20, 50));
    EXPECT_EQ(boxOf(image, green), QRect(0, 0, 20, 50));
}

TEST_F(ProgressBarPainting, TheSunkenFrameTakesTwoPixelsOnEachSide) {
    bar.setBorderStyle(pbrFixedSingle);
    bar.setBackColor(0x00FF00);
    bar.setValue(50);
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(10, 0), shadow);
    EXPECT_EQ(image.pixelColor(0, 10), shadow);
    EXPECT_EQ(image.pixelColor(10, 1), darkShadow);
    EXPECT_EQ(image.pixelColor(1, 10), darkShadow);
    EXPECT_EQ(image.pixelColor(10, 19), highlight);
    EXPECT_EQ(image.pixelColor(99, 10), highlight);
    EXPECT_EQ(image.pixelColor(10, 18), light);
    EXPECT_EQ(image.pixelColor(98, 10), light);
    // Half of the 96 inner columns.
    EXPECT_EQ(boxOf(image, red), QRect(2, 2, 48, 16));
    EXPECT_EQ(boxOf(image, green), QRect(50, 2, 48, 16));
}

TEST_F(ProgressBarPainting, TheLightFrameIsOneLineAroundAFaceColouredRing) {
    bar.setBorderStyle(pbrLightSingle);
    bar.setBackColor(0x00FF00);
    bar.setValue(0);
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(10, 0), shadow);
    EXPECT_EQ(image.pixelColor(0, 10), shadow);
    EXPECT_EQ(image.pixelColor(10, 19), highlight);
    EXPECT_EQ(image.pixelColor(99, 10), highlight);
    EXPECT_EQ(image.pixelColor(1, 10), face);
    EXPECT_EQ(image.pixelColor(10, 18), face);
    EXPECT_EQ(boxOf(image, green), QRect(2, 2, 96, 16));
}

TEST_F(ProgressBarPainting, TheCaptionIsInvertedWhereItLiesOnTheBar) {
    bar.setFormatString("MMMMM");
    // All bar: the caption shows white.
    QImage image = picture();
    EXPECT_GT(count(image, white), 20);
    EXPECT_EQ(count(image, green), 0);
    // All ground: the caption shows in the mix of both colours, NOT(red XOR green).
    bar.setValue(0);
    image = picture();
    EXPECT_GT(count(image, blue), 20);
    EXPECT_EQ(count(image, white), 0);
    EXPECT_EQ(count(image, red), 0);
    // Half and half: white on the left part of the caption, the mix on the right.
    bar.setValue(50);
    image = picture();
    EXPECT_LT(boxOf(image, white).right(), 50);
    EXPECT_GE(boxOf(image, blue).left(), 50);
}

TEST_F(ProgressBarPainting, TheCaptionStandsWhereItIsAligned) {
    bar.setFormatString("MM");
    bar.setCaptionAlign(pbrLeftBottom);
    QRect text = boxOf(picture(), white);
    EXPECT_LT(text.left(), 5);
    EXPECT_LT(text.right(), 50);
    // Vertically centred.
    EXPECT_LE(std::abs(text.top() - (19 - text.bottom())), 3);
    bar.setCaptionAlign(pbrRightTop);
    text = boxOf(picture(), white);
    EXPECT_GT(text.right(), 94);
    EXPECT_GT(text.left(), 50);
    bar.setCaptionAlign(pbrCenter);
    text = boxOf(picture(), white);
    EXPECT_LE(std::abs(text.left() - (99 - text.right())), 3);
}

TEST_F(ProgressBarPainting, AVerticalCaptionReadsUpward) {
    bar.setOrientation(pbrVertical);
    bar.setFormatString("MMMM");
    bar.setCaptionAlign(pbrLeftBottom);
    QRect text = boxOf(picture(), white);
    // Turned on its side: taller than wide, and horizontally centred.
    EXPECT_GT(text.height(), text.width());
    EXPECT_LE(std::abs(text.left() - (19 - text.right())), 3);
    EXPECT_GT(text.bottom(), 94);
    bar.setCaptionAlign(pbrRightTop);
    text = boxOf(picture(), white);
    EXPECT_LT(text.top(), 5);
    bar.setCaptionAlign(pbrCenter);
    text = boxOf(picture(), white);
    EXPECT_LE(std::abs(text.top() - (99 - text.bottom())), 3);

    // Read upward, the stem of an "L" lies along the bottom and its foot rises at the right.
    bar.setFormatString("L");
    const QImage image = picture();
    text = boxOf(image, white);
    ASSERT_TRUE(text.isValid());
    EXPECT_GT(text.width(), text.height());
    int top = 0;
    int bottom = 0;
    for (int x = text.left(); x <= text.right(); ++x) {
        top += image.pixelColor(x, text.top()) == white;
        bottom += image.pixelColor(x, text.bottom()) == white;
    }
    EXPECT_GT(bottom, top);
}

TEST_F(ProgressBarPainting, ATinyBarPaintsOnlyItsFrame) {
    bar.setBorderStyle(pbrFixedSingle);
    bar.resize(4, 4);
    const QImage image = picture();
    EXPECT_EQ(count(image, red) + count(image, green), 0);
    bar.resize(0, 0);
    EXPECT_TRUE(picture().isNull());
}

} // namespace
