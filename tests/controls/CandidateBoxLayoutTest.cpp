#include "tests/controls/CandidateTestSupport.h"

#include "orvenly/PropertyBag.h"

#include <QFontMetrics>
#include <QStyle>

using namespace tamsell;
using orvenly::PropertyBag;

namespace {

using CandidateLayout = CandidateTest;

TEST_F(CandidateLayout, IntegralHeightCutsTheBoxToWholeRows) {
    show();
    box.resize(200, 2 * border + 3 * pitch + 9);
    EXPECT_EQ(box.height(), 2 * border + 3 * pitch + 9);
    box.setIntegralHeight(true);
    EXPECT_EQ(box.height(), 2 * border + 3 * pitch);
    box.resize(200, 2 * border + 4 * pitch + 16);
    EXPECT_EQ(box.height(), 2 * border + 4 * pitch);
    box.setItemHeight(20);
    EXPECT_EQ((box.height() - 2 * border) % 21, 0);
}

TEST_F(CandidateLayout, TheScrollBarShowsWhenItemsDoNotFit) {
    box.resize(200, 2 * border + 4 * pitch);
    for (int i = 0; i < 4; ++i)
        box.Items().Add(0, {}, 0, "item");
    EXPECT_TRUE(scrollBar()->isHidden());
    box.Items().Add(0, {}, 0, "item");
    box.Items().Add(0, {}, 0, "item");
    ASSERT_FALSE(scrollBar()->isHidden());
    EXPECT_EQ(scrollBar()->maximum(), 2);
    EXPECT_EQ(scrollBar()->pageStep(), 4);
    EXPECT_EQ(scrollBar()->geometry().right(), box.width() - border - 1);
    box.setTopIndex(3);
    EXPECT_EQ(box.TopIndex(), 3);
    box.setTopIndex(9);
    EXPECT_EQ(box.TopIndex(), 3);
    box.Items().Remove(1);
    EXPECT_EQ(box.TopIndex(), 2);
}

TEST_F(CandidateLayout, AutoSizeFitsTheWidestCaption) {
    const QFontMetrics metrics(box.font());
    box.Items().Add(0, {}, 0, "short");
    const auto longest = box.Items().Add(0, {}, 0, "the longest caption here");
    box.setAutoSize(true);
    EXPECT_EQ(box.width(),
              itemHeight + metrics.horizontalAdvance("the longest caption here") + 7 + 2 * border);
    longest->setCaption("tiny");
    EXPECT_EQ(box.width(), itemHeight + metrics.horizontalAdvance("short") + 7 + 2 * border);
    // With a scroll bar, the captions keep their room beside it.
    for (int i = 0; i < 10; ++i)
        box.Items().Add(0, {}, 0, "short");
    ASSERT_FALSE(scrollBar()->isHidden());
    EXPECT_EQ(box.width(), itemHeight + metrics.horizontalAdvance("short") + 7 + 2 * border +
                               scrollBar()->width());
}

TEST_F(CandidateLayout, DefaultsAreNotStoredAndTheRestRoundTrips) {
    CandidateBox fresh;
    PropertyBag bag;
    fresh.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 0) << bag.toText().toStdString();

    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(Qt::red);
    fresh.setIntegralHeight(false);
    fresh.setAutoSize(true);
    fresh.setCompareMode(CBTCM_CASE_INSENSITIVE);
    fresh.setWrap(true);
    fresh.setItemHeight(20);
    fresh.setItemPicture(strip);
    fresh.setEnabled(false);
    fresh.setForeColor(0x0000FF);
    fresh.setBackColor(0x80000012);
    fresh.setMaskColor(0x00FF00);
    fresh.setUseMaskColor(true);
    fresh.Items().Add(0, {}, 0, "items are not stored");
    fresh.WriteProperties(bag);
    EXPECT_EQ(bag.Count(), 11) << bag.toText().toStdString();

    CandidateBox read;
    read.ReadProperties(PropertyBag::fromText(bag.toText()));
    EXPECT_FALSE(read.IntegralHeight());
    EXPECT_TRUE(read.AutoSize());
    EXPECT_EQ(read.CompareMode(), CBTCM_CASE_INSENSITIVE);
    EXPECT_TRUE(read.Wrap());
    EXPECT_EQ(read.ItemHeight(), 20);
    EXPECT_EQ(read.ItemPicture().size(), QSize(32, 16));
    EXPECT_FALSE(read.isEnabled());
    EXPECT_EQ(read.ForeColor(), 0x0000FFu);
    EXPECT_EQ(read.BackColor(), 0x80000012u);
    EXPECT_EQ(read.MaskColor(), 0x00FF00u);
    EXPECT_TRUE(read.UseMaskColor());
    EXPECT_EQ(read.Items().Count(), 0);
}

} // namespace
