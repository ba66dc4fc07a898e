#include "tests/support/TestSupport.h"

#include "orvenly/Modal.h"
#include "tamsell/ColorProgressBar.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tamsell;

namespace {

// A borderless bar 101 columns wide, so that column x of the yellow-to-green gradient has the
// red channel 255 - 2.55 x, rounded.
class ColorProgressBarTest : public WidgetsFirst, public ::testing::Test {
protected:
    ColorProgressBarTest() {
        bar.setBorderStyle(cpbNone);
        bar.resize(101, 10);
        bar.setAnimate(false);
    }

    QImage picture() { return bar.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QColor column(int x) { return picture().pixelColor(x, 5); }
    static QColor gradient(int x) { return QColor(((100 - x) * 255 + 50) / 100, 255, 0); }
    static QColor darkened(int x) {
        const QColor lit = gradient(x);
        return QColor(qRound(lit.red() / 2.7), qRound(lit.green() / 2.7), 0);
    }

    const QColor blue{0, 0, 255};
    const QColor red{255, 0, 0};
    const QColor black{0, 0, 0};
    ColorProgressBar bar;
};

TEST_F(ColorProgressBarTest, ColumnsRunFromMinColorToMaxColor) {
    const QImage image = picture();
    for (int x : {0, 1, 33, 50, 99, 100})
        EXPECT_EQ(image.pixelColor(x, 0), gradient(x)) << x;
    EXPECT_EQ(image.pixelColor(0, 9), QColor(255, 255, 0));
    EXPECT_EQ(image.pixelColor(100, 9), QColor(0, 255, 0));
}

TEST_F(ColorProgressBarTest, TheUnfilledPartIsDarkenedOrBackColor) {
    // (50 x 101 + 50) \ 100 - 1: columns 0 to 50 are filled.
    bar.setValue(50);
    EXPECT_EQ(column(50), gradient(50));
    EXPECT_EQ(column(51), darkened(51));
    EXPECT_EQ(column(100), darkened(100));
    bar.setHalfTransparent(false);
    EXPECT_EQ(column(50), gradient(50));
    EXPECT_EQ(column(51), black);
    bar.setBackColor(0x804020);
    EXPECT_EQ(column(100), QColor(0x20, 0x40, 0x80));
}

TEST_F(ColorProgressBarTest, EmptyingLeavesTheDarkenedGradientOrTheBackColor) {
    for (bool animate : {false, true}) {
        for (bool half : {true, false}) {
            bar.setAnimate(false);
            bar.setValue(100);
            bar.setHalfTransparent(half);
            bar.setAnimate(animate);
            bar.setValue(0);
            const QImage image = picture();
            for (int x : {0, 40, 100})
                EXPECT_EQ(image.pixelColor(x, 5), half ? darkened(x) : black)
                    << x << " animate " << animate;
        }
    }
}

TEST_F(ColorProgressBarTest, ChangesWithoutAnimationRaiseChangeOnly) {
    QSignalSpy scrolling(&bar, &ColorProgressBar::Scrolling);
    QSignalSpy change(&bar, &ColorProgressBar::Change);
    bar.setValue(20);
    bar.setValue(-5);
    EXPECT_EQ(bar.Value(), 0);
    bar.setValue(70);
    EXPECT_EQ(scrolling.count(), 0);
    EXPECT_EQ(change.count(), 3);
    EXPECT_EQ(column(70), gradient(70));
    EXPECT_EQ(column(71), darkened(71));
}

TEST_F(ColorProgressBarTest, GrowingMarksTheNewColumnsThenDrawsThemOneByOne) {
    bar.setValue(0);
    bar.setAnimate(true);
    int values = 0;
    QObject::connect(&bar, &ColorProgressBar::Scrolling, [&] {
        ++values;
        if (values == 1) {
            // The first new column is drawn, the rest still wait in PlusColor.
            EXPECT_EQ(column(0), gradient(0));
            EXPECT_EQ(column(1), blue);
            EXPECT_EQ(column(9), blue);
            EXPECT_EQ(column(10), darkened(10));
            EXPECT_EQ(bar.Value(), 0);
            EXPECT_TRUE(bar.Animating());
        }
    });
    QSignalSpy change(&bar, &ColorProgressBar::Change);
    // (10 x 101 + 50) \ 100 - 1 = 9: ten columns.
    bar.setValue(10);
    EXPECT_EQ(values, 10);
    EXPECT_EQ(change.count(), 1);
    EXPECT_EQ(bar.Value(), 10);
    EXPECT_FALSE(bar.Animating());
    EXPECT_EQ(column(9), gradient(9));
}

TEST_F(ColorProgressBarTest, ShrinkingMarksTheFreedColumnsThenClearsThemFromTheRight) {
    bar.setAnimate(true);
    int steps = 0;
    QObject::connect(&bar, &ColorProgressBar::Scrolling, [&] {
        if (++steps == 1) {
            EXPECT_EQ(column(100), darkened(100));
            EXPECT_EQ(column(99), red);
            EXPECT_EQ(column(90), red);
            EXPECT_EQ(column(89), gradient(89));
        }
    });
    // (89 x 101 + 50) \ 100 - 1 = 89: eleven columns freed.
    bar.setValue(89);
    EXPECT_EQ(steps, 11);
    EXPECT_EQ(column(90), darkened(90));
}

TEST_F(ColorProgressBarTest, ValuesSetDuringAnAnimationAreIgnored) {
    bar.setAnimate(true);
    QObject::connect(&bar, &ColorProgressBar::Scrolling, [&] { bar.setValue(100); });
    QSignalSpy change(&bar, &ColorProgressBar::Change);
    bar.setValue(50);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(change.count(), 1);
}

TEST_F(ColorProgressBarTest, EventsKeepRunningDuringTheWaits) {
    bar.resize(30, 10);
    bar.setAnimate(true);
    bar.setWait(2);
    int columnsWhenTheTimerRan = -1;
    int columns = 0;
    QObject::connect(&bar, &ColorProgressBar::Scrolling, [&] { ++columns; });
    QTimer::singleShot(5, &bar, [&] { columnsWhenTheTimerRan = columns; });
    bar.setValue(0);
    EXPECT_EQ(columns, 30);
    EXPECT_GT(columnsWhenTheTimerRan, 0);
    EXPECT_LT(columnsWhenTheTimerRan, 30);
}

TEST_F(ColorProgressBarTest, ABarDestroyedDuringItsAnimationIsLeftAlone) {
    // Deleted from a handler of its own event.
    auto* doomed = new ColorProgressBar;
    doomed->resize(50, 10);
    QSignalSpy change(doomed, &ColorProgressBar::Change);
    QObject::connect(doomed, &ColorProgressBar::Scrolling, [&] { delete doomed; });
    doomed->setValue(0);
    EXPECT_EQ(change.count(), 0);

    // Deleted by someone else while it waits between columns.
    QPointer<ColorProgressBar> waiting = new ColorProgressBar;
    waiting->resize(50, 10);
    waiting->setWait(50);
    QTimer::singleShot(20, [&] { delete waiting.data(); });
    QElapsedTimer clock;
    clock.start();
    waiting->setValue(0);
    EXPECT_TRUE(waiting.isNull());
    // The wait ended with the bar rather than after all its columns.
    EXPECT_LT(clock.elapsed(), 50 * 40);

    // Deleted with its parent.
    auto* parent = new QWidget;
    auto* child = new ColorProgressBar(parent);
    child->resize(50, 10);
    QObject::connect(child, &ColorProgressBar::Scrolling, [&] { delete parent; });
    child->setValue(0);
}

TEST_F(ColorProgressBarTest, BoundsChangedDuringAnAnimationLeaveAConsistentPicture) {
    bar.setAnimate(true);
    bar.setValue(0);
    QObject::connect(&bar, &ColorProgressBar::Scrolling, [&] { bar.setMax(40); });
    bar.setValue(80);
    EXPECT_EQ(bar.Max(), 40);
    EXPECT_EQ(bar.Value(), 40);
    EXPECT_EQ(column(100), gradient(100));
}

TEST_F(ColorProgressBarTest, OneColumnBarShowsMinColor) {
    bar.resize(1, 10);
    bar.setValue(100);
    EXPECT_EQ(picture().pixelColor(0, 5), QColor(255, 255, 0));
    bar.setValue(0);
    EXPECT_EQ(picture().pixelColor(0, 5), darkened(0));
}

TEST_F(ColorProgressBarTest, FramesNarrowTheColumns) {
    QPalette colours = bar.palette();
    colours.setColor(QPalette::Dark, QColor(100, 100, 100));
    colours.setColor(QPalette::Shadow, QColor(30, 30, 30));
    bar.setPalette(colours);
    bar.resize(105, 10);
    bar.setBorderStyle(cpbFixedSingle);
    // Two pixels each side: 101 columns again, from x = 2.
    QImage image = picture();
    EXPECT_EQ(image.pixelColor(0, 5), QColor(100, 100, 100));
    EXPECT_EQ(image.pixelColor(1, 5), QColor(30, 30, 30));
    EXPECT_EQ(image.pixelColor(2, 5), gradient(0));
    EXPECT_EQ(image.pixelColor(102, 5), gradient(100));
    bar.setAppearance(cpaFlat);
    image = picture();
    EXPECT_EQ(image.pixelColor(0, 5), QColor(30, 30, 30));
    EXPECT_EQ(image.pixelColor(104, 5), QColor(30, 30, 30));
    EXPECT_EQ(image.pixelColor(1, 5), gradient(0));
}

TEST_F(ColorProgressBarTest, SettersKeepTheirRules) {
    bar.setMin(100);
    EXPECT_EQ(bar.Max(), 101);
    bar.setMax(50);
    EXPECT_EQ(bar.Min(), 49);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(errorOf([&] { bar.setAppearance(ColorProgressBarAppearanceConstanrs(2)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setBorderStyle(ColorProgressBarBorderStyleConstanrs(2)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setOrientation(ColorProgressBarOrientationConstants(2)); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setWait(-1); }), 380);
    EXPECT_EQ(errorOf([&] { bar.setMaxColor(0x01000000); }), 380);
    EXPECT_EQ(bar.MaxColor(), 65280u);
    bar.setOrientation(cpoVertical);
    EXPECT_EQ(bar.size(), QSize(10, 101));
    bar.setOrientation(cpoHorizontal);
    EXPECT_EQ(bar.size(), QSize(101, 10));
}

TEST_F(ColorProgressBarTest, PointerAndKeysArePassedOn) {
    QSignalSpy down(&bar, &ColorProgressBar::MouseDown);
    QSignalSpy up(&bar, &ColorProgressBar::MouseUp);
    QSignalSpy click(&bar, &ColorProgressBar::Click);
    QSignalSpy doubleClick(&bar, &ColorProgressBar::DblClick);
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(doubleClick.count(), 1);
    EXPECT_EQ(click.count(), 0);
    down.clear();
    up.clear();
    QTest::mouseClick(&bar, Qt::RightButton, Qt::ControlModifier, QPoint(3, 3));
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][0].toInt(), 2);
    EXPECT_EQ(up[0][1].toInt(), 2);
    EXPECT_EQ(click.count(), 0);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 4));
    ASSERT_EQ(down.count(), 2);
    EXPECT_EQ(down[1][0].toInt(), 1);
    EXPECT_EQ(down[1][1].toInt(), 1);
    EXPECT_EQ(down[1][2].toFloat(), 30.0f);
    EXPECT_EQ(down[1][3].toFloat(), 4.0f);
    EXPECT_EQ(click.count(), 1);

    QSignalSpy keyDown(&bar, &ColorProgressBar::KeyDown);
    QSignalSpy keyPress(&bar, &ColorProgressBar::KeyPress);
    QSignalSpy keyUp(&bar, &ColorProgressBar::KeyUp);
    QTest::keyClick(&bar, Qt::Key_A);
    EXPECT_EQ(keyDown.count(), 1);
    EXPECT_EQ(keyDown[0][0].toInt(), int(Qt::Key_A));
    ASSERT_EQ(keyPress.count(), 1);
    EXPECT_EQ(keyPress[0][0].toInt(), int('a'));
    EXPECT_EQ(keyUp.count(), 1);
}

TEST_F(ColorProgressBarTest, AboutBoxTellsTheVersion) {
    orvenly::modal::Request asked;
    orvenly::modal::setResponder([&](const orvenly::modal::Request& request) {
        asked = request;
        return std::optional<orvenly::modal::Answer>(orvenly::modal::Answer{1, {}});
    });
    bar.AboutBox();
    orvenly::modal::setResponder({});
    EXPECT_EQ(asked.kind, "MsgBox");
    EXPECT_EQ(asked.title, QString::fromUtf8("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(asked.style & 0x70, orvenly::msgbox::Information);
    EXPECT_TRUE(asked.text.contains("ColorProgressBar"));
}

} // namespace
