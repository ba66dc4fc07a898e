#include "tests/controls/ToolbarTestSupport.h"

#include <QMenu>
#include <vector>

using namespace tamsell;

namespace {

class ButtonRules : public ToolbarTest {
protected:
    ButtonRules() {
        QObject::connect(&toolbar, &FlatToolbar::Click,
                         [this](ButtonObject* button) { clicks.push_back(button->Index()); });
    }
    std::vector<int> clicks;
};

TEST_F(ButtonRules, ContentPropertiesAreRefusedOnSeparatorsAndPlaceholders) {
    auto sep = toolbar.Buttons().Add(0, {}, FTBS_SEPARATOR);
    EXPECT_EQ(errorOf([&] { sep->setImage(1); }), 383);
    EXPECT_EQ(errorOf([&] { sep->setCaption("x"); }), 383);
    EXPECT_EQ(errorOf([&] { sep->setEnabled(false); }), 383);
    EXPECT_EQ(errorOf([&] { sep->setExStyle(FTBS_EX_INHERENTDROPDOWN); }), 383);
    EXPECT_EQ(errorOf([&] { sep->setValue(FTBV_PRESSED); }), 383);
    EXPECT_EQ(errorOf([&] { sep->setLength(5); }), 383);
    QMenu menu;
    EXPECT_EQ(errorOf([&] { sep->setDropMenu(&menu); }), 383);
    sep->setVisible(false);
    sep->setToolTip("tip");
    EXPECT_EQ(sep->ToolTip(), "tip");
}

TEST_F(ButtonRules, InvalidValuesRaise380AndKeepTheOldValue) {
    auto button = toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_NONE, 2);
    EXPECT_EQ(errorOf([&] { button->setStyle(FlatToolbarButtonStyleConstants(7)); }), 380);
    EXPECT_EQ(errorOf([&] { button->setExStyle(FlatToolbarButtonExtendStyleConstants(3)); }), 380);
    EXPECT_EQ(errorOf([&] { button->setImage(-1); }), 380);
    EXPECT_EQ(errorOf([&] { button->setValue(FlatToolbarButtonValueConstants(3)); }), 380);
    EXPECT_EQ(errorOf([&] { button->setValue(FTBV_MIXEDSTATE); }), 380);
    QObject notAMenu;
    EXPECT_EQ(errorOf([&] { button->setDropMenu(&notAMenu); }), 380);
    EXPECT_EQ(button->Image(), 2);
    EXPECT_EQ(button->Style(), FTBS_COMMAND);
    EXPECT_EQ(button->Value(), FTBV_UNPRESSED);

    auto drop = toolbar.Buttons().Add(0, {}, FTBS_DROPDOWN);
    EXPECT_EQ(errorOf([&] { drop->setValue(FTBV_PRESSED); }), 383);
    EXPECT_EQ(errorOf([&] { drop->setExStyle(FTBS_EX_INDEPENDENTDROPDOWN); }), 380);
    EXPECT_EQ(errorOf([&] { button->setLength(3); }), 383);
    auto holder = toolbar.Buttons().Add(0, {}, FTBS_PLACEHOLDER);
    EXPECT_EQ(errorOf([&] { holder->setLength(-3); }), 380);
}

TEST_F(ButtonRules, StyleChangesResetWhatTheNewStyleDoesNotCarry) {
    QMenu menu;
    auto button = toolbar.Buttons().Add(0, {}, FTBS_CHECK, FTBS_EX_INDEPENDENTDROPDOWN, 3, "c",
                                        "tip", FTBV_PRESSED);
    button->setDropMenu(&menu);
    button->setStyle(FTBS_DROPDOWN);
    EXPECT_EQ(button->ExStyle(), FTBS_EX_INHERENTDROPDOWN);
    EXPECT_EQ(button->Value(), FTBV_UNPRESSED);
    EXPECT_EQ(button->Image(), 3);

    button->setStyle(FTBS_PLACEHOLDER);
    EXPECT_FALSE(button->hasContent());
    EXPECT_EQ(button->ExStyle(), FTBS_EX_NONE);
    EXPECT_EQ(button->DropMenu(), nullptr);
    EXPECT_EQ(button->Image(), 0);
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->ToolTip(), "");
    button->setLength(30);
    button->setStyle(FTBS_PLACEHOLDER);
    EXPECT_EQ(button->Length(), 30);
    button->setStyle(FTBS_SEPARATOR);
    EXPECT_EQ(button->Length(), 0);

    // A former separator becomes a working check button.
    button->setStyle(FTBS_CHECK);
    EXPECT_TRUE(button->hasContent());
    button->setImage(1);
    EXPECT_EQ(toolbar.HitTest(button->Left() + 2, 5), button);
}

TEST_F(ButtonRules, SelectingARadioButtonClearsItsGroupUpToAnotherStyle) {
    auto& buttons = toolbar.Buttons();
    for (auto style : {FTBS_RADIO, FTBS_RADIO, FTBS_CHECK, FTBS_RADIO, FTBS_RADIO, FTBS_RADIO})
        buttons.Add(0, {}, style);
    buttons.Item(1)->setValue(FTBV_PRESSED);
    buttons.Item(3)->setValue(FTBV_PRESSED);
    buttons.Item(4)->setValue(FTBV_PRESSED);
    buttons.Item(5)->setValue(FTBV_PRESSED);
    buttons.Item(6)->setValue(FTBV_PRESSED);
    EXPECT_EQ(buttons.Item(1)->Value(), FTBV_PRESSED);
    EXPECT_EQ(buttons.Item(3)->Value(), FTBV_PRESSED);
    EXPECT_EQ(buttons.Item(4)->Value(), FTBV_UNPRESSED);
    EXPECT_EQ(buttons.Item(5)->Value(), FTBV_UNPRESSED);
    EXPECT_EQ(buttons.Item(6)->Value(), FTBV_PRESSED);
    EXPECT_EQ(clicks, (std::vector<int>{1, 3, 4, 5, 6}));
    // Selecting the selected one again is no change and raises nothing.
    buttons.Item(6)->setValue(FTBV_PRESSED);
    EXPECT_EQ(clicks.size(), 5u);
    EXPECT_EQ(errorOf([&] { buttons.Item(6)->setValue(FTBV_UNPRESSED); }), 380);
}

TEST_F(ButtonRules, ACommandButtonReportsTheClickAndSpringsBack) {
    auto button = toolbar.Buttons().Add();
    FlatToolbarButtonValueConstants during = FTBV_UNPRESSED;
    QObject::connect(&toolbar, &FlatToolbar::Click,
                     [&](ButtonObject* clicked) { during = clicked->Value(); });
    button->setValue(FTBV_UNPRESSED);
    EXPECT_TRUE(clicks.empty());
    button->setValue(FTBV_PRESSED);
    EXPECT_EQ(clicks, std::vector<int>{1});
    EXPECT_EQ(during, FTBV_PRESSED);
    EXPECT_EQ(button->Value(), FTBV_UNPRESSED);
}

TEST_F(ButtonRules, CheckButtonsTakeEveryValue) {
    auto check = toolbar.Buttons().Add(0, {}, FTBS_CHECK);
    check->setValue(FTBV_MIXEDSTATE);
    check->setValue(FTBV_UNPRESSED);
    EXPECT_EQ(check->Value(), FTBV_UNPRESSED);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(ButtonRules, AddInsertsRenumbersAndChecksItsPosition) {
    auto& buttons = toolbar.Buttons();
    buttons.Add(0, "a");
    buttons.Add(0, "b");
    auto inserted = buttons.Add(1, "first");
    EXPECT_EQ(inserted->Index(), 1);
    EXPECT_EQ(buttons.Item("A")->Index(), 2);
    EXPECT_EQ(buttons.Item("b")->Index(), 3);
    EXPECT_EQ(errorOf([&] { buttons.Add(5); }), 5);
    EXPECT_EQ(errorOf([&] { buttons.Add(-1); }), 5);
    // A failing argument leaves the collection and the redraw state as they were.
    EXPECT_EQ(errorOf([&] { buttons.Add(0, "bad", FTBS_COMMAND, FTBS_EX_NONE, -4); }), 380);
    EXPECT_EQ(buttons.Count(), 3);
    EXPECT_TRUE(toolbar.Redraw());
    EXPECT_EQ(errorOf([&] { buttons.Add(0, "B"); }), 457);
    EXPECT_EQ(buttons.Count(), 3);

    buttons.Remove(1);
    EXPECT_EQ(inserted->Index(), 0);
    EXPECT_EQ(inserted->toolbar(), nullptr);
    EXPECT_EQ(buttons.Item("a")->Index(), 1);
    EXPECT_EQ(toolbar.width(), 1 + 9 + 48 + 1);
    buttons.Remove("a");
    EXPECT_EQ(buttons.Item(1)->Key(), "b");
    // A removed button can still be used; it no longer touches the toolbar.
    inserted->setImage(4);
    EXPECT_EQ(inserted->Image(), 4);
}

TEST_F(ButtonRules, KeysAreReplacedInPlaceAndStayUnique) {
    auto& buttons = toolbar.Buttons();
    auto first = buttons.Add(0, "one");
    buttons.Add(0, "two");
    first->setKey("uno");
    EXPECT_EQ(buttons.Item("UNO"), first);
    EXPECT_EQ(errorOf([&] { buttons.Item("one"); }), 5);
    EXPECT_EQ(errorOf([&] { first->setKey("Two"); }), 457);
    EXPECT_EQ(first->Key(), "uno");
}

TEST_F(ButtonRules, ClearEmptiesTheCollectionAndReleasesTheButtons) {
    auto button = toolbar.Buttons().Add();
    toolbar.Buttons().Clear();
    EXPECT_EQ(toolbar.Buttons().Count(), 0);
    EXPECT_EQ(button->toolbar(), nullptr);
    toolbar.Refresh();
    EXPECT_EQ(toolbar.size(), QSize(14, 26));
}

TEST(ButtonLifetime, AButtonOutlivesItsToolbar) {
    haveWidgets();
    std::shared_ptr<ButtonObject> button;
    {
        FlatToolbar toolbar;
        button = toolbar.Buttons().Add(0, {}, FTBS_CHECK);
    }
    button->setValue(FTBV_PRESSED);
    EXPECT_EQ(button->toolbar(), nullptr);
}

} // namespace
