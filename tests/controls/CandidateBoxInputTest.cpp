#include "tests/controls/CandidateTestSupport.h"

using namespace tamsell;

namespace {

class CandidateInput : public CandidateTest {
protected:
    void fillNumbered(int count) {
        for (int i = 1; i <= count; ++i)
            box.Items().Add(0, {}, 0, QString::number(i));
    }
    QPoint inRow(int row) const { return QPoint(border + 30, border + row * pitch + 5); }
};

TEST_F(CandidateInput, UpOnTheFirstItemWrapsOnlyWithWrap) {
    fillNumbered(3);
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), "1");
    key(Qt::Key_Up);
    EXPECT_EQ(selected(), "1");
    box.setWrap(true);
    key(Qt::Key_Up);
    EXPECT_EQ(selected(), "3");
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), "1");
    EXPECT_EQ(events, QStringList({"Click 1", "Click 3", "Click 1"}));
}

TEST_F(CandidateInput, PagesMoveByOneRowLessThanFitAndNeverWrap) {
    fillNumbered(12);
    box.setWrap(true);
    key(Qt::Key_Home);
    key(Qt::Key_PageDown);
    EXPECT_EQ(selected(), "5");
    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown);
    EXPECT_EQ(selected(), "12");
    key(Qt::Key_PageDown);
    EXPECT_EQ(selected(), "12");
    EXPECT_EQ(box.TopIndex(), 8);
    key(Qt::Key_PageUp);
    EXPECT_EQ(selected(), "8");
    key(Qt::Key_End);
    key(Qt::Key_Home);
    EXPECT_EQ(selected(), "1");
    EXPECT_EQ(box.TopIndex(), 1);
}

TEST_F(CandidateInput, MoveFocusClampsAndWrapsAsAsked) {
    fillNumbered(5);
    box.MoveFocus(9, true);
    EXPECT_EQ(selected(), "5");
    box.MoveFocus(-9);
    EXPECT_EQ(selected(), "1");
    box.setWrap(true);
    box.MoveFocus(-1, false, false);
    EXPECT_EQ(selected(), "1");
    box.MoveFocus(-1, false, true);
    EXPECT_EQ(selected(), "5");
    box.Items().Clear();
    box.MoveFocus(1);
    EXPECT_EQ(box.SelectedItem(), nullptr);
}

TEST_F(CandidateInput, ThePointerSelectsAndDragsPastTheEdges) {
    fillNumbered(20);
    show();
    QTest::mousePress(&box, Qt::LeftButton, {}, inRow(2));
    EXPECT_EQ(selected(), "3");
    EXPECT_TRUE(box.hasFocus());
    // Below the client the rows go on; the box scrolls to show them.
    QTest::mouseMove(&box, QPoint(30, border + 7 * pitch + 2));
    EXPECT_EQ(selected(), "8");
    EXPECT_EQ(box.TopIndex(), 4);
    // Above it the rows count back in item heights, never before the first item.
    QTest::mouseMove(&box, QPoint(30, border - 1));
    EXPECT_EQ(selected(), "3");
    QTest::mouseMove(&box, QPoint(30, border - 200));
    EXPECT_EQ(selected(), "1");
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(30, border - 200));
    QTest::mouseDClick(&box, Qt::LeftButton, {}, inRow(1));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, inRow(1));
    EXPECT_EQ(selected(), "2");
    EXPECT_EQ(events.last(), "DblClick");
}

} // namespace
