#include "tests/controls/SheetTestSupport.h"

using namespace tamsell;

namespace {

class SheetInput : public SheetTest {
protected:
    // [A] a1 a2 [B] b1, in category style.
    void fill() {
        a = sheet.Categories().Add(0, "A", "A");
        a->Items().Add(0, {}, PSIS_TEXT, "a1");
        a->Items().Add(0, {}, PSIS_TEXT, "a2");
        b = sheet.Categories().Add(0, "B", "B");
        b->Items().Add(0, {}, PSIS_TEXT, "b1");
    }
    std::shared_ptr<SheetCategory> a, b;
};

TEST_F(SheetInput, ArrowsStartAtTheFirstRowAndStopAtTheEnds) {
    fill();
    key(Qt::Key_Up);
    EXPECT_EQ(selectedCaption(), "[A]");
    key(Qt::Key_Up);
    EXPECT_EQ(selectedCaption(), "[A]");
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(selectedCaption(), "a2");
    key(Qt::Key_End);
    EXPECT_EQ(selectedCaption(), "b1");
    key(Qt::Key_Down);
    EXPECT_EQ(selectedCaption(), "b1");
    sheet.setSelectedCategory(nullptr);
    key(Qt::Key_Right);
    EXPECT_EQ(selectedCaption(), "[A]");
}

TEST_F(SheetInput, LeftCollapsesAnOpenHeaderBeforeItMovesUp) {
    fill();
    b->setSelected(true);
    key(Qt::Key_Left);
    EXPECT_FALSE(b->Expanded());
    EXPECT_EQ(selectedCaption(), "[B]");
    key(Qt::Key_Left);
    EXPECT_EQ(selectedCaption(), "a2");
    // On an item, Left and Right move like Up and Down.
    key(Qt::Key_Left);
    EXPECT_EQ(selectedCaption(), "a1");
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(selectedCaption(), "[B]");
    key(Qt::Key_Right);
    EXPECT_TRUE(b->Expanded());
    EXPECT_EQ(selectedCaption(), "[B]");
    key(Qt::Key_Right);
    EXPECT_EQ(selectedCaption(), "b1");
}

TEST_F(SheetInput, EveryKeyClosesTheEditorsAndOpensThoseOfTheNewRow) {
    fill();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(events, QStringList({"Click", "Click", "BeforeValueEdit"}));
    ASSERT_NE(textBox(), nullptr);
    EXPECT_FALSE(textBox()->isHidden());
    EXPECT_EQ(textBox()->text(), "");
    key(Qt::Key_Up);
    EXPECT_TRUE(textBox()->isHidden());
}

TEST_F(SheetInput, PressingSelectsTheRowAndTheGlyphToggles) {
    fill();
    show();
    click(inRow(3));
    EXPECT_EQ(selectedCaption(), "a2");
    EXPECT_FALSE(textBox()->isHidden());
    // The glyph column of a header collapses it; the header is selected and the editor gone.
    click(inRow(1, 3));
    EXPECT_EQ(selectedCaption(), "[A]");
    EXPECT_FALSE(a->Expanded());
    EXPECT_TRUE(textBox()->isHidden());
    click(inRow(2, 3));
    EXPECT_FALSE(b->Expanded());
    click(inRow(1, 3));
    EXPECT_TRUE(a->Expanded());
    // A press below the last row selects nothing new.
    click(inRow(9));
    EXPECT_EQ(selectedCaption(), "[A]");
}

TEST_F(SheetInput, DraggingFollowsThePointerAndScrollsPastTheEdges) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    for (int i = 0; i < 10; ++i)
        category->Items().Add(0, {}, PSIS_TEXT, QString("item %1").arg(i));
    sheet.resize(300, 2 * border + 4 * pitch());
    show();
    QTest::mousePress(&sheet, Qt::LeftButton, {}, inRow(2));
    QTest::mouseMove(&sheet, inRow(4));
    EXPECT_EQ(selectedCaption(), "item 3");
    // Below the client, each move takes the next row.
    QTest::mouseMove(&sheet, QPoint(40, sheet.height() + 5));
    EXPECT_EQ(selectedCaption(), "item 4");
    QTest::mouseMove(&sheet, QPoint(40, sheet.height() + 6));
    EXPECT_EQ(selectedCaption(), "item 5");
    EXPECT_EQ(scrollBar()->value(), 2);
    EXPECT_TRUE(textBox()->isHidden());
    QTest::mouseRelease(&sheet, Qt::LeftButton, {}, QPoint(40, sheet.height() + 6));
    EXPECT_FALSE(textBox()->isHidden());
    // The sheet scrolled itself: nothing to report.
    EXPECT_FALSE(events.contains("Scroll"));
}

TEST_F(SheetInput, KeysKeepTheSelectedRowInView) {
    sheet.setStyle(PSS_LIST);
    const auto category = sheet.Categories().Add();
    for (int i = 0; i < 10; ++i)
        category->Items().Add(0, {}, PSIS_TEXT, QString("item %1").arg(i));
    sheet.resize(300, 2 * border + 4 * pitch());
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(selectedCaption(), "item 4");
    // It became the last whole row.
    EXPECT_EQ(scrollBar()->value(), 1);
    key(Qt::Key_PageDown);
    EXPECT_EQ(selectedCaption(), "item 7");
    key(Qt::Key_Home);
    EXPECT_EQ(scrollBar()->value(), 0);
    EXPECT_FALSE(events.contains("Scroll"));
}

} // namespace
