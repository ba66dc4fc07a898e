#include "tests/controls/ToolbarTestSupport.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <vector>

using namespace tamsell;

namespace {

// Drives a shown toolbar with real pointer events and records what it reports.
class ToolbarPointer : public ToolbarTest {
protected:
    void SetUp() override {
        auto record = [this](const char* what) {
            return [this, what](ButtonObject* button) {
                events.push_back(QString("%1 %2").arg(what).arg(button->Index()));
            };
        };
        QObject::connect(&toolbar, &FlatToolbar::Click, record("Click"));
        QObject::connect(&toolbar, &FlatToolbar::DropDown, record("DropDown"));
        QObject::connect(&toolbar, &FlatToolbar::MouseEnter, record("Enter"));
        QObject::connect(&toolbar, &FlatToolbar::MouseLeave, record("Leave"));
        QObject::connect(&toolbar, &FlatToolbar::DblClick,
                         [this] { events.push_back("DblClick"); });
        QObject::connect(&toolbar, &FlatToolbar::Drag, [this](int x, int y) {
            events.push_back(QString("Drag %1,%2").arg(x).arg(y));
        });
        show();
    }

    void click(QPoint at) {
        QTest::mousePress(&toolbar, Qt::LeftButton, {}, at);
        QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, at);
    }

    QStringList events;
};

TEST_F(ToolbarPointer, HoveringTracksAButtonAndShowsItsToolTip) {
    toolbar.setToolTip("bar");
    toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_NONE, 0, {}, "first");
    toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_NONE, 0, {}, "second");
    QTest::mouseMove(&toolbar, QPoint(15, 10));
    EXPECT_EQ(toolbar.toolTip(), "first");
    QTest::mouseMove(&toolbar, QPoint(20, 12));
    QTest::mouseMove(&toolbar, QPoint(40, 12));
    EXPECT_EQ(toolbar.toolTip(), "second");
    QTest::mouseMove(&toolbar, QPoint(3, 12));
    EXPECT_EQ(toolbar.toolTip(), "bar");
    EXPECT_EQ(events, QStringList({"Enter 1", "Leave 1", "Enter 2", "Leave 2"}));
}

TEST_F(ToolbarPointer, ReleasingOverTheButtonClicksIt) {
    toolbar.Buttons().Add();
    click(QPoint(15, 10));
    EXPECT_EQ(events, QStringList({"Enter 1", "Leave 1", "Click 1"}));
}

TEST_F(ToolbarPointer, ReleasingOutsideTheButtonDoesNotClick) {
    toolbar.Buttons().Add();
    toolbar.Buttons().Add();
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(15, 10));
    QTest::mouseMove(&toolbar, QPoint(40, 10));
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_FALSE(events.contains("Click 1"));
    EXPECT_FALSE(events.contains("Click 2"));
}

TEST_F(ToolbarPointer, CheckAndRadioButtonsChangeByClicks) {
    auto check = toolbar.Buttons().Add(0, {}, FTBS_CHECK);
    auto radioA = toolbar.Buttons().Add(0, {}, FTBS_RADIO);
    auto radioB = toolbar.Buttons().Add(0, {}, FTBS_RADIO);
    click(QPoint(check->Left() + 5, 10));
    EXPECT_EQ(check->Value(), FTBV_PRESSED);
    click(QPoint(check->Left() + 5, 10));
    EXPECT_EQ(check->Value(), FTBV_UNPRESSED);
    click(QPoint(radioA->Left() + 5, 10));
    click(QPoint(radioB->Left() + 5, 10));
    EXPECT_EQ(radioA->Value(), FTBV_UNPRESSED);
    EXPECT_EQ(radioB->Value(), FTBV_PRESSED);
    events.clear();
    click(QPoint(radioB->Left() + 5, 10));
    EXPECT_FALSE(events.contains("Click 3"));
}

TEST_F(ToolbarPointer, TheArrowPartOfAnIndependentDropDownOnlyDropsDown) {
    auto button = toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN);
    const int arrow = button->Left() + button->Width() - 10;
    click(QPoint(arrow, 10));
    EXPECT_EQ(events, QStringList({"Enter 1", "DropDown 1", "Leave 1"}));
    events.clear();
    // Pressed on the main part but released over the arrow: no click either.
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(arrow - 1, 10));
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(arrow + 2, 10));
    EXPECT_FALSE(events.contains("Click 1"));
    events.clear();
    click(QPoint(arrow - 1, 10));
    EXPECT_TRUE(events.contains("Click 1"));
    EXPECT_FALSE(events.contains("DropDown 1"));
}

TEST_F(ToolbarPointer, ADropDownButtonPopsItsMenuUpUnderItself) {
    QMenu menu;
    menu.addAction("item");
    auto button = toolbar.Buttons().Add(0, {}, FTBS_DROPDOWN);
    button->setDropMenu(&menu);
    QPoint shownAt;
    QTimer::singleShot(0, [&] {
        shownAt = menu.pos();
        menu.close();
    });
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(15, 10));
    EXPECT_EQ(shownAt, toolbar.mapToGlobal(QPoint(button->Left(), button->Top() + 24)));
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(15, 10));
    EXPECT_EQ(events, QStringList({"Enter 1", "DropDown 1", "Leave 1"}));
}

TEST_F(ToolbarPointer, PressingAwayFromButtonsStartsADragThatSwallowsItsRelease) {
    auto button = toolbar.Buttons().Add();
    toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_NONE, 0, {}, {}, FTBV_UNPRESSED, 0, false);
    QTest::mousePress(&toolbar, Qt::LeftButton, {}, QPoint(4, 8));
    QTest::mouseMove(&toolbar, QPoint(15, 8));
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(15, 8));
    click(QPoint(40, 8)); // the disabled button is no button to press
    EXPECT_EQ(events, QStringList({"Drag 4,8", "Drag 40,8"}));
    events.clear();
    // The next click on a button counts again.
    click(QPoint(15, 8));
    EXPECT_TRUE(events.contains("Click 1"));
    EXPECT_EQ(button->Value(), FTBV_UNPRESSED);
}

TEST_F(ToolbarPointer, DoubleClicksCountOnlyAwayFromButtons) {
    toolbar.Buttons().Add();
    QTest::mouseDClick(&toolbar, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_TRUE(events.contains("DblClick")) << events.join(", ").toStdString();
    events.clear();
    // The second press of a double click presses the button again.
    click(QPoint(15, 8));
    QTest::mouseDClick(&toolbar, Qt::LeftButton, {}, QPoint(15, 8));
    QTest::mouseRelease(&toolbar, Qt::LeftButton, {}, QPoint(15, 8));
    EXPECT_FALSE(events.contains("DblClick"));
    EXPECT_EQ(events.count("Click 1"), 2) << events.join(", ").toStdString();
}

TEST_F(ToolbarPointer, AClickHandlerMayRemoveTheButton) {
    toolbar.Buttons().Add();
    QObject::connect(&toolbar, &FlatToolbar::Click,
                     [this](ButtonObject*) { toolbar.Buttons().Clear(); });
    click(QPoint(15, 10));
    QTest::mouseMove(&toolbar, QPoint(16, 10));
    EXPECT_EQ(toolbar.Buttons().Count(), 0);
}

} // namespace
