#include "tests/support/TestSupport.h"

#include "orvenly/PopupWindow.h"

#include <QCursor>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::StringLiterals;
using namespace orvenly;

namespace {

constexpr int32_t no = PopupNotGiven;

// Presses and releases go to the window, as the user's do, so that an open pop-up sees them
// first.
void press(QWidget* widget, const QPoint& at) {
    QTest::mousePress(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), at));
}
void release(QWidget* widget, const QPoint& at) {
    QTest::mouseRelease(widget->window()->windowHandle(), Qt::LeftButton, {},
                        widget->mapTo(widget->window(), at));
}

// Counts the mouse moves a widget receives.
class MoveCounter : public QObject {
public:
    int moves = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseMove)
            ++moves;
        return false;
    }
};

class PopupWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(haveWidgets());
        owner = std::make_unique<QWidget>();
        owner->setGeometry(100, 100, 400, 300);
        source = new QPushButton(u"source"_s, owner.get());
        source->setGeometry(10, 10, 80, 24);
        other = new QPushButton(u"other"_s, owner.get());
        other->setGeometry(200, 200, 80, 24);
        owner->show();
        owner->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(owner.get()));
    }
    void TearDown() override {
        popup.QuitPopupWindow();
        owner.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A form of 120 × 60 that remembers the parameter it was loaded with.
    PopupFormLoader loader() {
        return [this] {
            loadedWith = popup.InitParam();
            auto* form = new QWidget;
            form->resize(120, 60);
            return form;
        };
    }
    // Runs whileShown once the pop-up waits, then closes it should whileShown not have.
    int32_t popUp(const std::function<void()>& whileShown, int32_t direction = PWD_DOWN,
                  int32_t align = PWA_TOPLEFT, int32_t xDisable = no, int32_t cxDisable = -1) {
        QTimer::singleShot(0, [&] {
            whileShown();
            popup.QuitPopupWindow(-1);
        });
        return popup.PopupWindowEx(source, loader(), direction, align, no, no, -1, -1, xDisable, no,
                                   cxDisable);
    }
    QPoint sourceCorner() const { return source->mapToGlobal(QPoint(0, 0)); }

    PopupWindow& popup = PopupWindow::instance();
    std::unique_ptr<QWidget> owner;
    QPushButton* source = nullptr;
    QPushButton* other = nullptr;
    Variant loadedWith;
};

TEST_F(PopupWindowTest, HandsBackTheResultAndTheParameter) {
    Variant param = u"in"_s;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(popup.isActive());
        EXPECT_TRUE(popup.InitParam().isEmpty());
        popup.QuitPopupWindow(5, u"abc"_s);
        EXPECT_EQ(popup.InitParam().toString(), u"abc"_s);
    });
    EXPECT_EQ(popup.PopupWindowEx(source, loader(), PWD_DOWN, PWA_TOPLEFT, no, no, -1, -1, no, no,
                                  -1, -1, &param),
              5);
    EXPECT_EQ(loadedWith.toString(), u"in"_s);
    EXPECT_EQ(param.toString(), u"abc"_s);
    EXPECT_TRUE(popup.InitParam().isEmpty());
    EXPECT_FALSE(popup.isActive());

    // Without a parameter the form loads with Null.
    EXPECT_EQ(popUp([] {}), -1);
    EXPECT_TRUE(loadedWith.isNull());
}

TEST_F(PopupWindowTest, TheFormClosesItselfFromItsOwnButton) {
    QPointer<QPushButton> done;
    const PopupFormLoader form = [&] {
        auto* panel = new QWidget;
        panel->resize(120, 60);
        done = new QPushButton(u"done"_s, panel);
        done->setGeometry(10, 10, 60, 24);
        QObject::connect(done, &QPushButton::clicked, [this] { popup.QuitPopupWindow(7, 42); });
        return panel;
    };
    QTimer::singleShot(0, [&] { QTest::mouseClick(done, Qt::LeftButton); });
    Variant param;
    EXPECT_EQ(popup.PopupWindowEx(source, form, PWD_DOWN, PWA_TOPLEFT, no, no, -1, -1, no, no, -1,
                                  -1, &param),
              7);
    EXPECT_EQ(param.toLong(), 42);
    // The form goes once control is back in the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(done.isNull());
}

TEST_F(PopupWindowTest, OpensNextToTheSource) {
    QRect below, adjusted, right;
    popUp([&] { below = popup.form()->geometry(); });
    EXPECT_EQ(below, QRect(sourceCorner() + QPoint(0, 24), QSize(120, 60)));
    EXPECT_TRUE(below.intersects(owner->geometry()));

    popUp([&] { adjusted = popup.form()->geometry(); }, PWD_DOWN, PWA_ADJUST);
    EXPECT_EQ(adjusted, QRect(sourceCorner() + QPoint(0, 24), QSize(80, 60)));

    popUp([&] { right = popup.form()->geometry(); }, PWD_RIGHT, PWA_CENTER);
    EXPECT_EQ(right, QRect(sourceCorner() + QPoint(80, -18), QSize(120, 60)));
}

TEST_F(PopupWindowTest, OnTheScreenOpensAtThePointer) {
    QCursor::setPos(300, 250);
    if (QCursor::pos() != QPoint(300, 250))
        GTEST_SKIP() << "this platform does not move the pointer";
    QRect shown;
    popUp([&] { shown = popup.form()->geometry(); }, PWD_SCREEN);
    EXPECT_EQ(shown, QRect(300, 250, 120, 60));
}

TEST_F(PopupWindowTest, APressOutsideClosesItAndReachesTheButtonUnderIt) {
    QSignalSpy clicked(other, &QPushButton::clicked);
    const QPoint at = other->rect().center();
    QTimer::singleShot(0, [&] { press(other, at); });
    EXPECT_EQ(popup.PopupWindowEx(source, loader()), 0);
    EXPECT_FALSE(popup.isActive());
    QCoreApplication::processEvents();
    EXPECT_TRUE(other->isDown());
    release(other, at);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(PopupWindowTest, APressOnTheDisabledPartOfTheSourceOnlyClosesIt) {
    QSignalSpy clicked(source, &QPushButton::clicked);
    const QPoint inside(10, 12);
    popUp([&] { press(source, inside); }, PWD_DOWN, PWA_TOPLEFT, 0, 20);
    QCoreApplication::processEvents();
    EXPECT_FALSE(source->isDown());
    release(source, inside);
    EXPECT_EQ(clicked.count(), 0);

    // The rest of the source is like any other widget.
    const QPoint outside(60, 12);
    popUp([&] { press(source, outside); }, PWD_DOWN, PWA_TOPLEFT, 0, 20);
    QCoreApplication::processEvents();
    EXPECT_TRUE(source->isDown());
    release(source, outside);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(PopupWindowTest, TheOwnerSeesNoMouseMovesWhileItIsShown) {
    MoveCounter counter;
    other->setMouseTracking(true);
    other->installEventFilter(&counter);
    popUp([&] {
        QTest::mouseMove(other, QPoint(5, 5));
        QTest::mouseMove(other, QPoint(20, 10));
    });
    EXPECT_EQ(counter.moves, 0);
    QTest::mouseMove(other, QPoint(30, 12));
    EXPECT_GT(counter.moves, 0);
}

TEST_F(PopupWindowTest, EscapeOrTheOwnerGoingClosesIt) {
    EXPECT_EQ(popUp([&] { QTest::keyClick(popup.form(), Qt::Key_Escape); }), 0);

    QTimer::singleShot(0, [&] { owner.reset(); });
    EXPECT_EQ(popup.PopupWindowEx(source, loader()), 0);
    EXPECT_FALSE(popup.isActive());
}

TEST_F(PopupWindowTest, ASecondPopUpClosesTheFirst) {
    int32_t inner = 0;
    QPointer<QWidget> first;
    QTimer::singleShot(0, [&] {
        first = popup.form();
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(first.isNull() || !first->isVisible());
            popup.QuitPopupWindow(9);
        });
        inner = popup.PopupWindowEx(other, loader());
    });
    EXPECT_EQ(popup.PopupWindowEx(source, loader()), 0);
    EXPECT_EQ(inner, 9);
    EXPECT_FALSE(popup.isActive());
}

TEST_F(PopupWindowTest, NothingToShowReturnsAtOnce) {
    EXPECT_EQ(popup.PopupWindowEx(nullptr, loader()), 0);
    EXPECT_EQ(popup.PopupWindowEx(source, {}), 0);
    EXPECT_EQ(popup.PopupWindowEx(source, [] { return static_cast<QWidget*>(nullptr); }), 0);
    EXPECT_EQ(popup.PopupWindowEx(
                  source, []() -> QWidget* { throw AutomationError(errors::InvalidObject); }),
              0);
    EXPECT_FALSE(popup.isActive());
    // Closing when nothing is shown changes nothing.
    popup.QuitPopupWindow(3, u"x"_s);
    EXPECT_TRUE(popup.InitParam().isEmpty());
}

} // namespace
