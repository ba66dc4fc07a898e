#include "tests/controls/CandidateTestSupport.h"
#include "tests/controls/PixelSupport.h"

#include <QPaintEvent>

using namespace tamsell;

namespace {

// Collects the areas that the box repaints.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& widget) { widget.installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

class CandidatePainting : public CandidateTest {
protected:
    void fillNumbered(int count) {
        for (int i = 1; i <= count; ++i)
            box.Items().Add(0, {}, 0, QString("item %1").arg(i));
    }
    // Waits for the repaint that update() asked for, and returns what it covered.
    QRegion repainted(PaintLog& log) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !log.painted.isEmpty(); }));
        const QRegion result = log.painted;
        log.painted = QRegion();
        return result;
    }
    // Lets the first paint reach the screen, so that later ones show what they cover.
    void settle() {
        box.repaint();
        QCoreApplication::processEvents();
    }
    const int width = 200 - 2 * border;
};

TEST_F(CandidatePainting, RowsArePitchApartAndTheSelectionLeavesTheImageCellAlone) {
    fillNumbered(3);
    box.Items().Item(2)->setSelected(true);
    const QImage image = picture();
    const int y = pitch;
    EXPECT_EQ(at(image, itemHeight + 3, y), highlight);
    EXPECT_EQ(at(image, width - 1, y + itemHeight - 1), highlight);
    EXPECT_EQ(at(image, itemHeight + 2, y), back);
    EXPECT_EQ(at(image, itemHeight + 3, y + itemHeight), back);
    EXPECT_EQ(at(image, itemHeight + 3, y - 1), back);
    EXPECT_TRUE(holdsColour(image, QRect(border, border + y, width, itemHeight), highlightText));
    EXPECT_TRUE(holdsColour(image, QRect(border, border, width, itemHeight), fore));
    EXPECT_FALSE(holdsColour(image, QRect(border, border, width, itemHeight), highlightText));
}

TEST_F(CandidatePainting, ImagesComeFromTheirCellOfTheStripWithTheMaskColourTransparent) {
    // Two 16 x 16 cells: red with a mask-coloured corner, then blue.
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(QColor(255, 0, 0));
    strip.setPixelColor(0, 0, QColor(0, 128, 128));
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            strip.setPixelColor(x, y, QColor(0, 0, 255));
    box.setItemPicture(strip);
    box.Items().Add(0, {}, 1, "red", 0x00FF00);
    box.Items().Add(0, {}, 2, "blue");
    box.Items().Add(0, {}, 0, "none", 0x00FF00);
    QImage image = picture();
    EXPECT_EQ(at(image, 2, 0), QColor(0, 128, 128));
    EXPECT_EQ(at(image, 3, 0), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 17, 15), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 18, 0), back);
    EXPECT_EQ(at(image, 2, pitch), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 1, pitch), back);
    // The image back colour fills the cell where there is no image.
    EXPECT_EQ(at(image, 2, 2 * pitch), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 17, 2 * pitch + 15), QColor(0, 255, 0));
    box.setUseMaskColor(true);
    image = picture();
    EXPECT_EQ(at(image, 2, 0), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 3, 0), QColor(255, 0, 0));
}

TEST_F(CandidatePainting, TheFocusRowCarriesADottedRectangleWhileTheBoxHasFocus) {
    fillNumbered(3);
    show();
    box.clearFocus();
    box.Items().Item(2)->setSelected(true);
    const QColor inverted(highlight.rgb() ^ 0xFFFFFF);
    EXPECT_EQ(at(picture(), itemHeight + 3, pitch), highlight);
    box.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box.hasFocus(); }));
    const QImage image = picture();
    const int left = itemHeight + 3;
    const int top = pitch;
    const int bottom = top + itemHeight - 1;
    // Every other pixel of the rectangle, counted from the corner.
    EXPECT_EQ(at(image, left, top), inverted);
    EXPECT_EQ(at(image, left + 1, top), highlight);
    EXPECT_EQ(at(image, left + 2, top), inverted);
    EXPECT_EQ(at(image, left, top + 2), inverted);
    EXPECT_EQ(at(image, left + 1, top + 1), highlight);
    const int right = width - 1;
    EXPECT_EQ(at(image, right, bottom), (right + bottom) % 2 == 0 ? inverted : highlight);
    // Moving the selection moves the rectangle.
    key(Qt::Key_Down);
    const QImage moved = picture();
    EXPECT_EQ(at(moved, left, top), back);
    EXPECT_EQ(at(moved, left, top + pitch), (left + top + pitch) % 2 == 0 ? inverted : highlight);
}

TEST_F(CandidatePainting, ScrollingRepaintsOnlyTheUncoveredRows) {
    fillNumbered(30);
    show();
    settle();
    // The rows, without the scroll bar, which repaints itself as it moves.
    const QRect rows(border, border, scrollBar()->x() - border, 5 * pitch);
    PaintLog log(box);
    box.setTopIndex(2);
    EXPECT_EQ((repainted(log) & rows).boundingRect(),
              QRect(border, border + 4 * pitch, rows.width(), pitch));
    // What shows is what a full paint at that position shows.
    const QImage scrolled = picture();
    CandidateBox fresh;
    fresh.setPalette(box.palette());
    fresh.setFont(box.font());
    fresh.setIntegralHeight(false);
    fresh.resize(box.size());
    for (int i = 1; i <= 30; ++i)
        fresh.Items().Add(0, {}, 0, QString("item %1").arg(i));
    fresh.setTopIndex(2);
    EXPECT_EQ(fresh.grab().toImage().convertToFormat(QImage::Format_RGB32), scrolled);
    log.painted = QRegion();
    box.setTopIndex(1);
    EXPECT_EQ((repainted(log) & rows).boundingRect(), QRect(border, border, rows.width(), pitch));
}

TEST_F(CandidatePainting, ChangingOneItemRepaintsOnlyItsRow) {
    fillNumbered(4);
    show();
    settle();
    PaintLog log(box);
    box.Items().Item(3)->setCaption("changed");
    EXPECT_EQ(repainted(log).boundingRect(), QRect(border, border + 2 * pitch, width, pitch));
    box.Items().Item(2)->setImage(1);
    EXPECT_EQ(repainted(log).boundingRect(), QRect(border, border + pitch, width, pitch));
}

} // namespace
