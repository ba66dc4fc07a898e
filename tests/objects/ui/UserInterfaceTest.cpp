#include "tests/support/TestSupport.h"

#include "orvenly/UserInterface.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <array>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using orvenly::UserInterface;

namespace {

const UserInterface& ui = UserInterface::instance();

int16_t numeric(int16_t key) {
    ui.KeyNumeric(key);
    return key;
}

TEST(UserInterfaceKeyNumeric, KeepsDigitsAndBackspaceOnly) {
    for (int16_t key = '0'; key <= '9'; ++key)
        EXPECT_EQ(numeric(key), key);
    EXPECT_EQ(numeric(8), 8);
    EXPECT_EQ(numeric('-'), 0);
    EXPECT_EQ(numeric('/'), 0);
    EXPECT_EQ(numeric(':'), 0);
    EXPECT_EQ(numeric('a'), 0);
    EXPECT_EQ(numeric(13), 0);
    EXPECT_EQ(numeric(0x3042), 0);
}

class UserInterfaceBoxTest : public WidgetsFirst, public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(haveWidgets()); }
    // What a key typed into box at the caret position becomes.
    int16_t typed(int16_t key, QWidget* target) {
        ui.KeyNumericEx(key, target);
        return key;
    }
    QLineEdit box;
};

TEST_F(UserInterfaceBoxTest, KeyNumericExTakesOneLeadingMinus) {
    box.setText(u"12"_s);
    box.setCursorPosition(0);
    EXPECT_EQ(typed('-', &box), '-');
    box.setCursorPosition(1);
    EXPECT_EQ(typed('-', &box), 0);
    box.setText(u"-12"_s);
    box.setCursorPosition(0);
    EXPECT_EQ(typed('-', &box), 0);
    // A selection that starts at 0 counts as the caret at 0.
    box.setText(u"12"_s);
    box.setSelection(2, -2);
    EXPECT_EQ(typed('-', &box), '-');
    EXPECT_EQ(typed(8, &box), 8);
    EXPECT_EQ(typed('x', &box), 0);
    EXPECT_EQ(typed('+', &box), 0);
}

TEST_F(UserInterfaceBoxTest, KeyNumericExDigitBeforeTheSignDropsIt) {
    box.setText(u"-12"_s);
    box.setCursorPosition(0);
    EXPECT_EQ(typed('3', &box), '3');
    EXPECT_EQ(box.text(), u"12"_s);
    EXPECT_EQ(box.cursorPosition(), 0);
    QTest::keyClick(&box, Qt::Key_3);
    EXPECT_EQ(box.text(), u"312"_s);

    // A selection from 0 is dropped, so the digit goes in at the start.
    box.setText(u"-45"_s);
    box.setSelection(0, 2);
    EXPECT_EQ(typed('7', &box), '7');
    EXPECT_EQ(box.text(), u"45"_s);
    EXPECT_FALSE(box.hasSelectedText());
    EXPECT_EQ(box.cursorPosition(), 0);

    // Anywhere else the text is left alone.
    box.setText(u"-45"_s);
    box.setCursorPosition(2);
    EXPECT_EQ(typed('7', &box), '7');
    EXPECT_EQ(box.text(), u"-45"_s);
    EXPECT_EQ(box.cursorPosition(), 2);
}

TEST_F(UserInterfaceBoxTest, BoxesAreLineEditsOrHoldOne) {
    QComboBox combo;
    combo.setEditable(true);
    combo.setEditText(u"-9"_s);
    combo.lineEdit()->setCursorPosition(0);
    EXPECT_EQ(typed('1', &combo), '1');
    EXPECT_EQ(combo.currentText(), u"9"_s);

    QComboBox fixed;
    int16_t key = '1';
    EXPECT_EQ(errorOf([&] { ui.KeyNumericEx(key, &fixed); }), orvenly::errors::TypeMismatch);
    EXPECT_EQ(errorOf([&] { ui.KeyNumericEx(key, nullptr); }), orvenly::errors::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { ui.FocusOnEdit(nullptr); }), orvenly::errors::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { ui.EnableBox(nullptr, true); }), orvenly::errors::ObjectNotSet);
}

TEST_F(UserInterfaceBoxTest, EnableBoxPaintsWindowOrButtonFace) {
    const QPalette system = QApplication::palette(&box);
    ui.EnableBox(&box, false);
    EXPECT_FALSE(box.isEnabled());
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        EXPECT_EQ(box.palette().color(group, QPalette::Base),
                  system.color(QPalette::Active, QPalette::Button));
    ui.EnableBox(&box, true);
    EXPECT_TRUE(box.isEnabled());
    EXPECT_EQ(box.palette().color(QPalette::Active, QPalette::Base),
              system.color(QPalette::Active, QPalette::Base));
}

TEST_F(UserInterfaceBoxTest, FocusOnEditSelectsAllUnlessByMouse) {
    box.setText(u"検索文字列"_s);
    box.setCursorPosition(2);
    ui.FocusOnEdit(&box);
    EXPECT_EQ(box.selectedText(), u"検索文字列"_s);
    EXPECT_EQ(box.selectionStart(), 0);

    // Focus that comes with a click keeps the caret where the click put it.
    QWidget window;
    auto* edit = new QLineEdit(u"abcdef"_s, &window);
    auto* first = new QLineEdit(&window);
    first->move(0, 40);
    const auto watch =
        QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
            if (now == edit)
                ui.FocusOnEdit(edit);
        });
    window.show();
    first->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::mouseRelease(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
    QObject::disconnect(watch);
}

TEST_F(UserInterfaceBoxTest, GetSelectedOptionIndexFindsTheFirstSetButton) {
    QWidget panel;
    std::array<QRadioButton*, 3> options{new QRadioButton(&panel), new QRadioButton(&panel),
                                         new QRadioButton(&panel)};
    EXPECT_EQ(ui.GetSelectedOptionIndex(options), 0);
    EXPECT_EQ(ui.GetSelectedOptionIndex(options, 2), 2);
    options[1]->setChecked(true);
    EXPECT_EQ(ui.GetSelectedOptionIndex(options, 2), 1);

    QButtonGroup group;
    QRadioButton a, b;
    group.addButton(&a, 10);
    group.addButton(&b, 20);
    EXPECT_EQ(ui.GetSelectedOptionIndex(group, -1), -1);
    b.setChecked(true);
    EXPECT_EQ(ui.GetSelectedOptionIndex(group, -1), 20);
}

} // namespace
