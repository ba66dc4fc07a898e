#include "tests/controls/ToolbarTestSupport.h"

using namespace tamsell;

namespace {

using FlatToolbarLayout = ToolbarTest;

TEST_F(FlatToolbarLayout, HorizontalToolbarAddsGripperBorderAndButtonWidths) {
    toolbar.Buttons().Add(0, "cmd");
    toolbar.Buttons().Add(0, "sep", FTBS_SEPARATOR);
    toolbar.Buttons().Add(0, "drop", FTBS_DROPDOWN);
    EXPECT_EQ(toolbar.size(), QSize(63, 26));
    auto drop = toolbar.Buttons().Item("drop");
    EXPECT_EQ(drop->Left(), 38);
    EXPECT_EQ(drop->Top(), 1);
    EXPECT_EQ(drop->Height(), 24);
    EXPECT_EQ(toolbar.Buttons().Item(2)->Left(), 34);
    EXPECT_EQ(toolbar.Buttons().Item(2)->Width(), 4);
}

TEST_F(FlatToolbarLayout, EmptyToolbarKeepsRoomBesideItsGripper) {
    EXPECT_EQ(toolbar.size(), QSize(14, 26));
    toolbar.setMovable(false);
    EXPECT_EQ(toolbar.size(), QSize(2, 26));
    toolbar.setBorderStyle(FTB_NONE);
    toolbar.setStyle(FTS_VERTICAL);
    toolbar.setMovable(true);
    EXPECT_EQ(toolbar.size(), QSize(24, 12));
}

TEST_F(FlatToolbarLayout, DropDownArrowsWidenTheButtons) {
    auto inherent = toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_INHERENTDROPDOWN);
    auto independent = toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN);
    EXPECT_EQ(inherent->Width(), 31);
    EXPECT_EQ(inherent->ButtonWidth(), 31);
    EXPECT_EQ(independent->Width(), 33);
    EXPECT_EQ(independent->ButtonWidth(), 24);
    EXPECT_EQ(toolbar.width(), 1 + 9 + 31 + 33 + 1);
}

TEST_F(FlatToolbarLayout, PlaceholdersTakeTheirLengthAndHiddenButtonsKeepTheirPlace) {
    auto holder =
        toolbar.Buttons().Add(0, {}, FTBS_PLACEHOLDER, FTBS_EX_NONE, 0, {}, {}, FTBV_UNPRESSED, 50);
    auto hidden = toolbar.Buttons().Add();
    hidden->setVisible(false);
    auto last = toolbar.Buttons().Add();
    EXPECT_EQ(holder->Width(), 50);
    EXPECT_EQ(last->Left(), 10 + 50 + 24);
    holder->setLength(10);
    EXPECT_EQ(last->Left(), 10 + 10 + 24);
}

TEST_F(FlatToolbarLayout, VerticalToolbarCentresButtonsInTheWidestColumn) {
    toolbar.setStyle(FTS_VERTICAL);
    auto plain = toolbar.Buttons().Add();
    auto sep = toolbar.Buttons().Add(0, {}, FTBS_SEPARATOR);
    auto drop = toolbar.Buttons().Add(0, {}, FTBS_COMMAND, FTBS_EX_INDEPENDENTDROPDOWN);
    // Column of 33 pixels for the drop-down button; the plain one sits in its middle.
    EXPECT_EQ(toolbar.size(), QSize(33 + 2, 1 + 9 + 24 + 4 + 24 + 1));
    EXPECT_EQ(plain->Left(), 1 + (33 - 24) / 2);
    EXPECT_EQ(plain->Top(), 10);
    EXPECT_EQ(sep->Width(), 33);
    EXPECT_EQ(sep->Height(), 4);
    EXPECT_EQ(drop->Left(), 1);
    EXPECT_EQ(drop->Top(), 38);
    // The column shrinks again once the wide button is gone.
    toolbar.Buttons().Remove(3);
    EXPECT_EQ(toolbar.width(), 26);
}

TEST_F(FlatToolbarLayout, RectToolbarStartsANewRowAfterEachBreak) {
    toolbar.setStyle(FTS_RECT);
    toolbar.Buttons().Add();
    toolbar.Buttons().Add(0, {}, FTBS_SEPARATOR);
    toolbar.Buttons().Add();
    auto rowBreak = toolbar.Buttons().Add(0, {}, FTBS_SEPARATORBREAK);
    auto second = toolbar.Buttons().Add();
    EXPECT_EQ(rowBreak->Left(), 10);
    EXPECT_EQ(rowBreak->Top(), 25);
    EXPECT_EQ(second->Left(), 10);
    EXPECT_EQ(second->Top(), 29);
    EXPECT_EQ(toolbar.size(), QSize(1 + 9 + 52 + 1, 1 + 24 + 4 + 24 + 1));
}

TEST_F(FlatToolbarLayout, ImageAndButtonSizesHaveTheirMinimums) {
    toolbar.setImageWidth(32);
    EXPECT_EQ(toolbar.ButtonWidth(), 40);
    toolbar.setImageWidth(10);
    EXPECT_EQ(toolbar.ImageWidth(), 16);
    EXPECT_EQ(toolbar.ButtonWidth(), 24);
    toolbar.setButtonWidth(20);
    EXPECT_EQ(toolbar.ButtonWidth(), 24);
    toolbar.setImageHeight(20);
    EXPECT_EQ(toolbar.ButtonHeight(), 28);
    EXPECT_EQ(toolbar.height(), 30);
    // Setting the same image size again leaves a chosen button size alone.
    toolbar.setButtonHeight(40);
    toolbar.setImageHeight(20);
    EXPECT_EQ(toolbar.ButtonHeight(), 40);
    EXPECT_EQ(errorOf([&] { toolbar.setImageWidth(-1); }), 380);
    EXPECT_EQ(errorOf([&] { toolbar.setButtonHeight(-1); }), 380);
    EXPECT_EQ(errorOf([&] { toolbar.setCaptionLines(-1); }), 380);
    EXPECT_EQ(errorOf([&] { toolbar.setStyle(FlatToolbarStyleConstants(3)); }), 380);
    EXPECT_EQ(errorOf([&] { toolbar.setBorderStyle(FlatToolbarBorderStyleConstants(2)); }), 380);
    EXPECT_EQ(toolbar.ImageWidth(), 16);
}

TEST_F(FlatToolbarLayout, NothingMovesWhileRedrawIsOff) {
    toolbar.setRedraw(false);
    auto button = toolbar.Buttons().Add();
    EXPECT_EQ(toolbar.size(), QSize(14, 26));
    EXPECT_EQ(button->Width(), 0);
    toolbar.setRedraw(true);
    EXPECT_EQ(toolbar.size(), QSize(35, 26));
    EXPECT_EQ(button->Width(), 24);
}

TEST_F(FlatToolbarLayout, HitTestFindsOnlyEnabledVisibleButtonsWithContent) {
    auto first = toolbar.Buttons().Add();
    toolbar.Buttons().Add(0, {}, FTBS_SEPARATOR);
    auto last = toolbar.Buttons().Add();
    EXPECT_EQ(toolbar.HitTest(10, 1), first);
    EXPECT_EQ(toolbar.HitTest(33, 24), first);
    EXPECT_EQ(toolbar.HitTest(35, 5), nullptr);
    EXPECT_EQ(toolbar.HitTest(5, 5), nullptr);
    EXPECT_EQ(toolbar.HitTest(40, 5), last);
    last->setEnabled(false);
    EXPECT_EQ(toolbar.HitTest(40, 5), nullptr);
    first->setVisible(false);
    EXPECT_EQ(toolbar.HitTest(10, 5), nullptr);
}

} // namespace
