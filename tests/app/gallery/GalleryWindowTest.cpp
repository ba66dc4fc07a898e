#include "gallery/GalleryWindow.h"
#include "tests/support/TestSupport.h"

#include "orvenly/Modal.h"
#include "tamsell/CandidateBox.h"
#include "tamsell/ColorProgressBar.h"
#include "tamsell/FlatToolbar.h"
#include "tamsell/NumericBox.h"
#include "tamsell/ProgressBar.h"
#include "tamsell/PropertySheet.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace tamsell;
using gallery::GalleryWindow;

class Gallery : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(980, 660);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        orvenly::modal::setResponder([this](const orvenly::modal::Request& request) {
            questions << request.text;
            return orvenly::modal::Answer{orvenly::msgbox::OK, {}};
        });
    }
    void TearDown() override { orvenly::modal::setResponder({}); }

    PropertySheet& sheet() { return window.inspector(); }
    // The position of the gallery's control of that class.
    template <class Control> int position() const {
        for (int i = 0; i < window.count(); ++i)
            if (qobject_cast<Control*>(window.control(i)))
                return i;
        return -1;
    }
    FlatToolbar& toolbar() {
        return *static_cast<FlatToolbar*>(window.control(position<FlatToolbar>()));
    }
    CandidateBox& box() {
        return *static_cast<CandidateBox*>(window.control(position<CandidateBox>()));
    }

    std::shared_ptr<SheetItem> property(const QString& caption) {
        for (const auto& category : sheet().Categories())
            for (const auto& item : category->Items())
                if (item->Caption() == caption)
                    return item;
        ADD_FAILURE() << "no property " << caption.toStdString();
        return nullptr;
    }
    // Selects the property's row and opens its editors, as moving there by keys does.
    void edit(const QString& caption) {
        property(caption)->setSelected(true);
        sheet().setFocus();
        QTest::keyClick(&sheet(), Qt::Key_Up);
        QTest::keyClick(&sheet(), Qt::Key_Down);
        ASSERT_EQ(sheet().SelectedItem(), property(caption));
    }
    // Types over the value, starting on the sheet as a user does, and commits it.
    void typeValue(const QString& value) {
        QTest::keyClicks(&sheet(), value.left(1));
        auto* textBox = sheet().findChild<QLineEdit*>("textBox");
        ASSERT_TRUE(textBox && textBox->hasFocus());
        QTest::keyClicks(textBox, value.mid(1));
        QTest::keyClick(textBox, Qt::Key_Return);
    }

    QStringList questions;
    GalleryWindow window{gallery::galleryEntries()};
};

TEST_F(Gallery, EveryControlShowsAndTheFirstIsInspected) {
    ASSERT_EQ(window.count(), 6);
    EXPECT_EQ(position<FlatToolbar>(), 0);
    EXPECT_GE(position<NumericBox>(), 0);
    EXPECT_GE(position<ProgressBar>(), 0);
    EXPECT_GE(position<ColorProgressBar>(), 0);
    EXPECT_GE(position<PropertySheet>(), 0);
    EXPECT_GE(position<CandidateBox>(), 0);
    for (int i = 0; i < window.count(); ++i)
        EXPECT_TRUE(window.control(i)->isVisible()) << i;
    EXPECT_EQ(window.inspected(), 0);
    EXPECT_EQ(property("Style")->Text(), "0 - FTS_HORIZONTAL");
}

TEST_F(Gallery, ClickingOrFocusingAControlInspectsIt) {
    QTest::mouseClick(&box(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(window.inspected(), position<CandidateBox>());
    EXPECT_EQ(property("CompareMode")->Text(), "0 - CBTCM_BINARY");
    window.control(position<PropertySheet>())->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.inspected() == position<PropertySheet>(); }));
    EXPECT_EQ(property("Style")->Text(), "1 - PSS_CATEGORY");
    QTest::mouseClick(&toolbar(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(window.inspected(), 0);
}

TEST_F(Gallery, TheNumericBoxAndTheBarsAreEditedThroughTheSheet) {
    auto& numbers = *static_cast<NumericBox*>(window.control(position<NumericBox>()));
    numbers.txtInput().setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.inspected() == position<NumericBox>(); }));
    edit("Max");
    typeValue("5");
    EXPECT_EQ(numbers.Max(), 5);
    EXPECT_EQ(numbers.Value(), 5) << "the value follows the range";
    EXPECT_EQ(property("Value")->Text(), "5");

    auto& bar = *static_cast<ProgressBar*>(window.control(position<ProgressBar>()));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(window.inspected(), position<ProgressBar>());
    edit("Value");
    typeValue("30");
    EXPECT_EQ(bar.Value(), 30);
}

TEST_F(Gallery, ATypedValueReachesTheControlAndWhatItChangedShows) {
    edit("ImageWidth");
    typeValue("32");
    EXPECT_EQ(toolbar().ImageWidth(), 32);
    EXPECT_EQ(toolbar().ButtonWidth(), 40);
    EXPECT_EQ(property("ButtonWidth")->Text(), "40");
    // The control's own rule shows: too small a size becomes the least it takes.
    edit("ButtonWidth");
    typeValue("3");
    EXPECT_EQ(toolbar().ButtonWidth(), 24);
    EXPECT_EQ(property("ButtonWidth")->Text(), "24");
    EXPECT_TRUE(questions.isEmpty());
}

TEST_F(Gallery, ARefusedValueIsExplainedAndNotTaken) {
    edit("ImageWidth");
    typeValue("-5");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("ImageWidth"));
    EXPECT_TRUE(questions[0].contains("380"));
    EXPECT_EQ(toolbar().ImageWidth(), 16);
    EXPECT_EQ(property("ImageWidth")->Text(), "16");
}

TEST_F(Gallery, AChoiceFromTheListSetsTheProperty) {
    edit("Style");
    QTest::keyClick(&sheet(), Qt::Key_F4);
    auto* list = sheet().findChild<QListWidget*>();
    ASSERT_TRUE(list && list->isVisible());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(toolbar().Style(), FTS_RECT);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(property("Style")->Text(), "1 - FTS_RECT");
}

TEST_F(Gallery, ActionsRunFromTheirReferenceButton) {
    window.inspect(position<CandidateBox>());
    edit("Sort (降順)");
    auto* button = sheet().findChild<QWidget*>("button");
    ASSERT_TRUE(button && button->isVisible());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    for (int i = 1; i < box().Items().Count(); ++i)
        EXPECT_GE(box().Items().Item(i)->Caption(), box().Items().Item(i + 1)->Caption());
}

} // namespace
