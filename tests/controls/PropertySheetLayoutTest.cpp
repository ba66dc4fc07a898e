#include "tests/controls/PixelSupport.h"
#include "tests/controls/SheetTestSupport.h"

#include <QFontMetrics>

using namespace tamsell;

namespace {

class SheetLayout : public SheetTest {
protected:
    // The captions of every row, walked with the keys from the top.
    QStringList rows() {
        QStringList seen;
        key(Qt::Key_Home);
        while (true) {
            const QString caption = selectedCaption();
            if (caption.isEmpty() || (!seen.isEmpty() && seen.last() == caption))
                break;
            seen << caption;
            key(Qt::Key_Down);
        }
        return seen;
    }
    int widthOf(const QString& caption) const {
        return QFontMetrics(sheet.font()).horizontalAdvance(caption);
    }
};

TEST_F(SheetLayout, ListStyleSortsTheVisibleItemsOfAllCategories) {
    sheet.setStyle(PSS_LIST);
    const auto first = sheet.Categories().Add(0, {}, "First");
    const auto second = sheet.Categories().Add(0, {}, "Second");
    first->Items().Add(0, {}, PSIS_TEXT, "delta");
    first->Items().Add(0, {}, PSIS_TEXT, "Bravo");
    second->Items().Add(0, {}, PSIS_TEXT, "alpha");
    second->Items().Add(0, {}, PSIS_TEXT, "hidden", {}, true, false);
    second->Items().Add(0, {}, PSIS_TEXT, "Charlie");
    // A hidden category's items still show in the list.
    first->setVisible(false);
    EXPECT_EQ(rows(), QStringList({"alpha", "Bravo", "Charlie", "delta"}));
}

TEST_F(SheetLayout, CategoryStyleShowsHeadersAndTheItemsOfExpandedCategories) {
    const auto a = sheet.Categories().Add(0, {}, "A");
    const auto b = sheet.Categories().Add(0, {}, "B");
    const auto c = sheet.Categories().Add(0, {}, "C");
    a->Items().Add(0, {}, PSIS_TEXT, "a2");
    a->Items().Add(0, {}, PSIS_TEXT, "a1");
    a->Items().Add(0, {}, PSIS_TEXT, "gone", {}, true, false);
    b->Items().Add(0, {}, PSIS_TEXT, "b1");
    c->Items().Add(0, {}, PSIS_TEXT, "c1");
    b->setExpanded(false);
    EXPECT_EQ(rows(), QStringList({"[A]", "a2", "a1", "[B]", "[C]", "c1"}));
    c->setVisible(false);
    EXPECT_EQ(rows(), QStringList({"[A]", "a2", "a1", "[B]"}));
}

TEST_F(SheetLayout, RowsStandOneTextHeightPlusThreeApartWithAGridLineUnderEach) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    category->Items().Add(0, {}, PSIS_TEXT, "one");
    category->Items().Add(0, {}, PSIS_TEXT, "two");
    const QImage image = picture();
    const int right = sheet.width() - scrollBar()->width() - 2 * border - 3;
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(at(image, right, row * pitch() + pitch() - 1), grid) << row;
        EXPECT_EQ(at(image, right, row * pitch() + pitch() - 2), window) << row;
        EXPECT_EQ(at(image, right, row * pitch()), window) << row;
    }
    // Below the rows the client is empty.
    EXPECT_EQ(at(image, right, 2 * pitch() + 2), window);
    EXPECT_EQ(at(image, right, 2 * pitch() + pitch() - 1), window);
}

TEST_F(SheetLayout, ANewFontGivesNewMetrics) {
    sheet.setStyle(PSS_LIST);
    sheet.Categories().Add()->Items().Add(0, {}, PSIS_TEXT, "one");
    QFont large = sheet.font();
    large.setPixelSize(QFontMetrics(large).height() * 2);
    sheet.setFont(large);
    ASSERT_GT(t(), 20);
    const int right = sheet.width() - scrollBar()->width() - 2 * border - 3;
    const QImage image = picture();
    EXPECT_EQ(at(image, right, pitch() - 1), grid);
    EXPECT_EQ(at(image, right, pitch() - 2), window);
    EXPECT_EQ(at(image, widthOf("one") + 4, 2), grid);
}

TEST_F(SheetLayout, TheValueColumnStartsAfterTheWidestCaption) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    category->Items().Add(0, {}, PSIS_TEXT, "short");
    category->Items().Add(0, {}, PSIS_TEXT, "a much longer caption");
    // Hidden captions do not widen the column.
    category->Items().Add(0, {}, PSIS_TEXT, "an even much longer hidden caption", {}, true, false);
    const int line = widthOf("a much longer caption") + 4;
    QImage image = picture();
    EXPECT_EQ(at(image, line, 3), grid);
    EXPECT_EQ(at(image, line - 1, 3), window);
    EXPECT_EQ(at(image, line + 1, 3), window);

    // Category style puts the glyph column of text height + 2 in front, and a pixel more.
    sheet.setStyle(PSS_CATEGORY);
    const int categoryLine = t() + 2 + widthOf("a much longer caption") + 4 + 1;
    image = picture();
    EXPECT_EQ(at(image, categoryLine, pitch() + 3), grid);
    EXPECT_EQ(at(image, categoryLine - 1, pitch() + 3), window);
    EXPECT_EQ(at(image, categoryLine + 1, pitch() + 3), window);
    // Header rows span the whole width: no column line.
    EXPECT_EQ(at(image, categoryLine, 3), window);
}

TEST_F(SheetLayout, TheGlyphShowsAPlusWhileExpandedAndAMinusWhileCollapsed) {
    const auto category = sheet.Categories().Add(0, {}, "C");
    category->Items().Add(0, {}, PSIS_TEXT, "item");
    const int x = (t() - 6) / 2;
    const int y = (t() - 6) / 2;
    QImage image = picture();
    // The 8 x 8 box.
    EXPECT_EQ(at(image, x, y), text);
    EXPECT_EQ(at(image, x + 7, y + 7), text);
    EXPECT_EQ(at(image, x + 8, y + 8), window);
    EXPECT_EQ(at(image, x + 1, y + 1), window);
    // The bars cross at (x + 4, y + 4).
    EXPECT_EQ(at(image, x + 2, y + 4), text);
    EXPECT_EQ(at(image, x + 6, y + 4), text);
    EXPECT_EQ(at(image, x + 4, y + 2), text);
    EXPECT_EQ(at(image, x + 4, y + 6), text);
    category->setExpanded(false);
    image = picture();
    EXPECT_EQ(at(image, x + 2, y + 4), text);
    EXPECT_EQ(at(image, x + 4, y + 4), text);
    EXPECT_EQ(at(image, x + 4, y + 2), window);
    EXPECT_EQ(at(image, x + 4, y + 6), window);
}

TEST_F(SheetLayout, SelectionAndDisabledRowsShowInTheirColours) {
    const auto category = sheet.Categories().Add(0, {}, "IIIIIIII");
    const auto on = category->Items().Add(0, {}, PSIS_TEXT, "IIIIIIII", "IIII");
    const auto off = category->Items().Add(0, {}, PSIS_TEXT, "IIIIIIII", "IIII", false);
    const int width = sheet.width() - scrollBar()->width() - 2 * border;
    auto band = [&](int row) {
        return QRect(border + t() + 2, border + row * pitch(), width - t() - 2, pitch() - 1);
    };
    QImage image = picture();
    EXPECT_TRUE(holdsColour(image, band(1), text));
    EXPECT_FALSE(holdsColour(image, band(1), grey));
    EXPECT_TRUE(holdsColour(image, band(2), grey));
    EXPECT_FALSE(holdsColour(image, band(2), text));

    on->setSelected(true);
    image = picture();
    EXPECT_EQ(at(image, t() + 3, pitch() + 1), highlight);
    EXPECT_EQ(at(image, 1, pitch() + 1), window);
    EXPECT_EQ(at(image, t() + 3, 1), window);

    // A selected header without an item is highlighted across the row.
    category->setSelected(true);
    image = picture();
    EXPECT_EQ(at(image, 1, 1), highlight);
    EXPECT_EQ(at(image, t() + 3, pitch() + 1), window);

    // A disabled category greys its items, and the item's own colour serves otherwise.
    off->setEnabled(true);
    off->setForeColor(0x0000FF);
    image = picture();
    EXPECT_TRUE(holdsColour(image, band(2), QColor(255, 0, 0)));
    category->setEnabled(false);
    image = picture();
    EXPECT_FALSE(holdsColour(image, band(2), QColor(255, 0, 0)));
    EXPECT_TRUE(holdsColour(image, band(2), grey));
}

TEST_F(SheetLayout, IntegralHeightLeavesThePartialRowEmpty) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    for (int i = 0; i < 5; ++i)
        category->Items().Add(0, {}, PSIS_TEXT, QString("item %1").arg(i));
    sheet.resize(300, 2 * border + 2 * pitch() + pitch() / 2);
    const int line = widthOf("item 0") + 4;
    const int partial = 2 * pitch() + 2;
    EXPECT_EQ(at(picture(), line, partial), window);
    sheet.setIntegralHeight(false);
    EXPECT_EQ(at(picture(), line, partial), grid);
}

TEST_F(SheetLayout, TheScrollBarCoversTheRowsThatDoNotFit) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    category->Items().Add(0, {}, PSIS_TEXT, "only");
    sheet.resize(300, 2 * border + 4 * pitch());
    picture();
    EXPECT_FALSE(scrollBar()->isEnabled());
    for (int i = 0; i < 9; ++i)
        category->Items().Add(0, {}, PSIS_TEXT, QString("more %1").arg(i));
    picture();
    ASSERT_TRUE(scrollBar()->isEnabled());
    EXPECT_EQ(scrollBar()->maximum(), 10 - 4);

    // The user's scrolling moves the rows and is reported; the last row can come into view.
    scrollBar()->setValue(6);
    EXPECT_EQ(events, QStringList({"Scroll"}));
    const QImage image = picture();
    EXPECT_EQ(at(image, widthOf("more 8") + 4, 3 * pitch() + 2), grid);
    key(Qt::Key_End);
    EXPECT_EQ(selectedCaption(), "only");
    EXPECT_EQ(scrollBar()->value(), 6);
    EXPECT_EQ(events.count("Scroll"), 1);
}

TEST_F(SheetLayout, NothingIsDrawnWhileRedrawIsOff) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    const QImage empty = picture();
    sheet.setRedraw(false);
    category->Items().Add(0, {}, PSIS_TEXT, "IIII");
    EXPECT_EQ(picture(), empty);
    sheet.setRedraw(true);
    EXPECT_NE(picture(), empty);
}

} // namespace
